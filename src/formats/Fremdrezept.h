// SPDX-License-Identifier: GPL-3.0-or-later
// A recipe as the exchange formats carry it: texts of any length and any characters, before it is
// cut to a record of the book. Every reader produces these, every writer takes them.
#pragma once

#include "data/Records.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace pfl {

struct Fremdrezept {
    QString name;
    QString rubrik;          // empty: the importer's choice
    QString kategorie;       // first category of the source
    QStringList zutaten;     // one ingredient or sub-heading per entry
    QStringList zubereitung; // one step or paragraph per entry; a section's name is an entry of its own
    QString utensilien;
    QString anzahl;   // number of persons or portions as decimal text, empty when unknown
    QString personen; // what anzahl counts ("Portionen", "Stück", "Anz. Personen" or the source's word)
    int zeit = -1;    // preparation time in minutes, -1 unknown
    int kZeit = -1;   // cooking time in minutes, -1 unknown
    QString schwer;
    QString kalorien;
    double preis = 0;
    QDate erfasstAm;    // invalid: today
    QString bildQuelle; // a URL or a path relative to the source file; empty when none
};

} // namespace pfl

// Lists of thousands of recipes grow by moving bytes, not by moving each recipe.
Q_DECLARE_TYPEINFO(pfl::Fremdrezept, Q_RELOCATABLE_TYPE);

namespace pfl {

// One field that did not fit its record field as it came.
struct Kuerzung {
    QString feld;        // the field's German caption, as the entry window shows it
    QString vorher;      // the text as it came
    QString gespeichert; // what the record will hold
};

// A recipe as it will be stored, and what was changed to store it.
struct Satzvorschau {
    dateien satz{};
    QList<Kuerzung> kuerzungen;
};

// Fills a zeroed record the way the entry window fills one: texts converted to the book's code page
// (known look-alikes replaced, the rest by a visible stand-in) and cut to their fields; an empty
// rubrik in the recipe takes `rubrik`; an invalid date takes `heute`. The ingredients are one line
// each, the steps one paragraph each (separated by an empty line). `bild` stays empty: the caller
// sets it once the picture is in the picture folder (see bildnameAusQuelle).
// With rubrikVorgeben the record takes `rubrik` whatever the recipe names (an import into a chosen
// section).
Satzvorschau satzAusFremdrezept(const Fremdrezept& rezept, const QString& rubrik, const QDate& heute,
                                bool rubrikVorgeben = false);

// The same into a record of the caller's (a block of records being appended), which must start
// zero-filled; returns the changes.
QList<Kuerzung> satzFuellen(const Fremdrezept& rezept, const QString& rubrik, const QDate& heute,
                            dateien& satz, bool rubrikVorgeben = false);

// The other way, for the writers: every field of the record, the texts split into their entries
// (ingredients by line, the preparation by empty lines); bildQuelle is the picture's file name.
Fremdrezept fremdrezeptAusSatz(const dateien& satz);

// `text` in characters the book's code page holds: composed forms first, then look-alikes for what
// it lacks ("⅓" → "1/3", "1⅓" → "1 1/3", thin and non-breaking blanks → " ", invisible joiners
// dropped), any other character "?"; control characters become blanks, except the line breaks
// ("\n") and tabs of a text of several lines.
QString buchtauglich(const QString& text, bool mehrzeilig);

// The ingredients as the memo shows them (one per line) and the steps (one paragraph each).
QString zutatenText(const QStringList& zutaten);
QString zubereitungText(const QStringList& schritte);

// A file name for the picture of `quelle` (a URL or a path) in the picture folder: the last part
// of its path, without folders, in safe characters, at most 40 long with its extension kept;
// empty when it has none.
QString bildnameAusQuelle(const QString& quelle);

} // namespace pfl
