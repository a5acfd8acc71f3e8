// The search in a book: one search criterion, the matching rule every search uses, and the rows a
// book listing shows.
#pragma once

#include "data/Records.h"

#include <QDate>
#include <QString>

namespace pfl {

// The text field a text search (code 0) looks in.
enum class Textfeld { Kategorie, Rubrik, Zutaten, Name };

// What the search window or the main window asks for. `was` is the mode code: 0 text (substring, or
// whole text when `exakt`), 1-3 cost >=, <=, = objekt_zahl, 4-6 date of entry >=, <=, = datum,
// 7-9 preparation time >=, <=, = objekt_zahl, 10 year of entry = objekt, 11 name = objekt exactly.
struct Suchbegriff {
    int was = 0;
    Textfeld feld = Textfeld::Name;
    QString objekt;
    bool exakt = false;
    double objekt_zahl = 0;
    QDate datum;
};

// The form text criteria compare: without blanks and control characters at both ends, every letter
// in capitals (umlauts too, one character each: "ß" stays).
QString suchform(const QString& s);

// Whether a record matches. A record whose preparation time is no number (codes 7-9) or whose date
// of entry is no date (codes 4-6 and 10) never matches.
bool passt(const dateien& d, const Suchbegriff& b);

// One row of a book listing, with the record's 1-based position in the book.
struct Listenzeile {
    int position = 0;
    QString kategorie, rubrik, name, personen, zeit, schwer, kalorien, erfasst_am;
    double preis = 0;
};

} // namespace pfl
