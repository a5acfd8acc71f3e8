// SPDX-License-Identifier: GPL-3.0-or-later
// TBack5: backs up the data files into a backup folder and restores chosen files from one. Created
// when opened and dropped when it closes, so every opening starts fresh.
#pragma once

#include "windowbase/Nebenfenster.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace pfl {
class Ordnerwahl;
}

class TBack5 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TBack5(pfl::Umgebung& umgebung, QWidget* parent);

    enum Seite { Datensicherung = 0, Datenwiederherstellung = 1 };
    // Opens on a page (the commands "Datensicherung" and "Datenwiederherstellung").
    void oeffnenMit(Seite seite);

Q_SIGNALS:
    // Files were restored into the data folder: the data module and the main window re-read them.
    void wiederhergestellt();
    // A backup arrived whole in this folder.
    void gesichert(const QString& ordner);

protected:
    void vorbereiten() override;
    void faerben() override;
    void keyPressEvent(QKeyEvent* e) override;
    void done(int ergebnis) override;

private Q_SLOTS:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void CheckBox1Click(bool an);
    void FileListBox1Click();
    void PageControl1Change(int seite);
    void Edit2KeyUp(const QString& text);
    void DirectoryListBox1Click(const QString& ordner);
    void DirectoryListBox2Click(const QString& ordner);

private:
    void Datensicherung1Click();
    void Datenwiederherstellung1Click();
    void sichern();
    void wiederherstellen();
    // The restore page's file list for a folder.
    void dateilisteFuellen(const QString& ordner);
    // Shows the file being copied and lets the window repaint; false once the user cancelled.
    bool fortschritt(QLineEdit* quelle, QLineEdit* ziel, const QString& von, const QString& nach);
    // The target field, or the default backup folder shown there when it is empty.
    QString zielOderStandard();

    Seite m_seite = Datensicherung;
    bool m_kopiert = false;                      // a copy is running
    bool m_beenden = false;                      // the user asked to stop the running copy
    bool m_markiert = false;                     // a file of the restore list was picked
    QTabWidget* m_seiten = nullptr;              // PageControl1
    QLabel* m_hinweis = nullptr;                 // Label1
    pfl::Ordnerwahl* m_sicherungsziel = nullptr; // DriveComboBox1, DirectoryListBox1
    pfl::Ordnerwahl* m_quellordner = nullptr;    // DriveComboBox2, DirectoryListBox2
    QCheckBox* m_automatisch = nullptr;          // CheckBox1
    QLabel* m_vonText = nullptr;                 // Label5
    QLabel* m_nachText = nullptr;                // Label6
    QLabel* m_vonText2 = nullptr;                // Label7
    QLabel* m_nachText2 = nullptr;               // Label8
    QLineEdit* m_von = nullptr;                  // Edit1
    QLineEdit* m_nach = nullptr;                 // Edit2
    QPushButton* m_datum = nullptr;              // Button4
    QListWidget* m_dateien = nullptr;            // FileListBox1
    QLineEdit* m_quelle = nullptr;               // Edit3
    QLineEdit* m_ziel = nullptr;                 // Edit4
    QPushButton* m_kopieren = nullptr;           // Button1
    QPushButton* m_schliessen = nullptr;         // Button2
};
