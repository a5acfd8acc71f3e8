// SPDX-License-Identifier: GPL-3.0-or-later
// TF_Hb: "Hauptbildschirm verändern" – picks the main window's background picture from Hintergrund/.
#pragma once

#include "windowbase/Nebenfenster.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace pfl {
// Whether a file name may become the background picture: it stays inside Hintergrund/ and is
// stored unchanged in the colour record (at most 50 characters of Windows-1252).
bool hintergrundNameZulaessig(const QString& name);
// The bitmap files of the folders (the user's own and the shipped ones), each name once, in German
// order; names that could not be stored are left out.
QStringList hintergrundBilder(const QStringList& ordner);
class Farbschema;
// colorx into farben.frb in the data folder lpf, creating the file when it went missing; false
// (reported by the scheme) when it could not be written.
bool farbenSichern(Farbschema& schema, const QString& lpf);
} // namespace pfl

class TF_Hb : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TF_Hb(pfl::Umgebung& umgebung, QWidget* parent);

Q_SIGNALS:
    // hg_bild changed in memory (or was stored): the main window and the colour dialog show it.
    void bildGewaehlt();

protected:
    void vorbereiten() override;
    void faerben() override;

private Q_SLOTS:
    void FileListBox1Click();
    void Button1Click();

private:
    void vorschauLaden();
    // The layout is drawn for 96 pixels per inch; a denser screen gets it larger by the same ratio.
    void groesseAnpassen(int ppi);

    QLabel* m_titel = nullptr;          // Label1
    QLabel* m_vorschau = nullptr;       // Image1
    QListWidget* m_bilder = nullptr;    // FileListBox1
    QLabel* m_name = nullptr;           // Panel5
    QWidget* m_knopfleiste = nullptr;   // Panel1
    QPushButton* m_speichern = nullptr; // Button1
    QPushButton* m_beenden = nullptr;   // Button2
};
