// SPDX-License-Identifier: GPL-3.0-or-later
// TForm3: the shopping list, one free text kept in "Einkaufsliste.Ekl"; the editor appends recipes'
// ingredients to it.
#pragma once

#include "windowbase/Nebenfenster.h"

class QPlainTextEdit;

namespace pfl {

// What the list can hold: 10 000 Windows-1252 characters, a line break counting two (CR LF).
inline constexpr qsizetype kEinkaufKapazitaet = 10000;

// The text as it is stored: line breaks as CR LF.
QString einkaufSpeichertext(const QString& text);
// The position in `text` (with "\n" line breaks) of the first character that does not fit into
// the record; -1 when all of it fits.
qsizetype einkaufUeberlauf(const QString& text);

} // namespace pfl

class TForm3 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm3(pfl::Umgebung& umgebung, QWidget* parent);

public Q_SLOTS:
    // The main window's command: reads the stored list (unless the window holds unsaved text), then
    // shows the window.
    void oeffnenAusHauptfenster();
    // Appends a recipe's ingredient text (with "\n" line breaks), stores the list and shows it.
    void zutatenAnhaengen(const QString& zutaten);

Q_SIGNALS:
    // "Drucken": the list as shown, saved or not, is in Unit4::einkaufText (CR LF line breaks).
    void druckenVerlangt();

private Q_SLOTS:
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void gelesen(const QString& text);

private:
    // Loads the last stored list into the window.
    void laden();
    // Stores `speichertext` as the new last record; false when the write failed (it was reported).
    bool speichern(const QString& speichertext);

    QPlainTextEdit* m_liste = nullptr; // Memo1
    bool m_laedt = false;              // the window asked for the stored list
    bool m_geladen = false;            // the stored list was read in this run
};
