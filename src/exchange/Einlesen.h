// SPDX-License-Identifier: GPL-3.0-or-later
// An import without any window: the sources read into recipes as they will be stored, duplicates
// marked, and the chosen ones written to the active book in one step. The import window and the
// command line share it.
#pragma once

#include "formats/Fremdrezept.h"
#include "pages/Rezeptbild.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Unit4;

namespace pfl {

class Abrufer;

// One recipe found in a source. The record it becomes is not kept (a large collection would hold
// 21 KB per recipe): Importliste::satz makes it again, the same each time, for showing and writing.
struct Importrezept {
    Fremdrezept rezept;  // as the source carries it
    QString quelle;      // the file name or address it came from
    Rezeptbild bild;     // the picture that goes to the picture folder; empty: none
    QString bildname;    // the name wished for it there
    QString bildHinweis; // German: why the picture the source names is not taken; empty otherwise
    // The record for the chosen section, as far as the table shows it.
    QString name, kategorie;       // as stored
    int zutaten = 0, schritte = 0; // ingredient lines and preparation paragraphs stored
    QList<Kuerzung> kuerzungen;    // what had to be changed to store it
    QByteArray schluessel;         // what the duplicate check compares
    enum class Doppelt { Nein, ImBuch, ImImport };
    Doppelt doppelt = Doppelt::Nein; // same name and ingredients as a recipe of the book or one before it
    bool gewaehlt = true;            // the user takes it
};

// A source that gave no recipe, and why (German).
struct Abgelehnt {
    QString quelle;
    QString grund;
    // The reason, naming the source where it does not do so itself.
    QString text() const;
};

struct Importliste {
    QList<Importrezept> rezepte;
    QList<Abgelehnt> abgelehnt;
    bool abgebrochen = false;
    QString rubrik; // the section and day the records are made for (rubrikSetzen)
    QDate heute;
    // The record of recipe i as it will be stored, without its picture's name (known once stored).
    dateien satz(qsizetype i) const;
    qsizetype gewaehlt() const;
    qsizetype doppelte() const;
    qsizetype gekuerzte() const; // recipes with at least one changed field
};

// Told while sources are read: what is being read, and how far (erledigt of gesamt); false cancels.
using Importfortschritt = std::function<bool(const QString& was, qint64 erledigt, qint64 gesamt)>;

// A changed field for the user: what came and what is stored (long texts by their lengths and end).
QString kuerzungText(const Kuerzung& k);

// The name a source is shown by: a file's name, or the address.
QString quellenName(const QString& quelle);

// Reads every source (a file path or a web address): files of more than 20 MB are refused, web
// pages fetched through `abrufer`, pictures taken from beside a saved page or fetched. Nothing is
// written. The records are not made yet (rubrikSetzen does that).
Importliste importLesen(const QStringList& quellen, Abrufer& abrufer,
                        const Importfortschritt& fortschritt = {});

// The section an import proposes: the one the main window shows, else the first of the section list
// (as read last), else "Importiert".
QString vorgeschlageneRubrik(const Unit4& u);

// Makes every recipe's record for the section and the day of the import.
void rubrikSetzen(Importliste& liste, const QString& rubrik, const QDate& heute);

// Marks the recipes whose stored name and ingredients equal those of a recipe of the active book, or
// of a recipe before them in the list, and unchooses them unless `auchDoppelte`.
void doppelteMarkieren(Importliste& liste, const Unit4& u, bool auchDoppelte = false);

struct Importschreibung {
    int anzahl = 0;        // records written
    QString fehler;        // German; empty when written (or nothing was chosen)
    bool gemeldet = false; // the data module has reported the failure through Unit4::schreibfehler
    QString rubrikNeu;     // the section added to the section list, if it was not in it
};

// Writes the chosen recipes: their pictures into the picture folder, then every record appended to the
// active book in one step, all or none; a section not yet in the section list is added. On failure
// nothing stays (pictures this import added are removed) and fehler says why.
Importschreibung importSchreiben(Unit4& u, const Importliste& liste);

} // namespace pfl
