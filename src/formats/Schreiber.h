// SPDX-License-Identifier: GPL-3.0-or-later
// Writing recipes for other programs: one HTML page with schema.org JSON-LD inside, a JSON-LD file
// and a MealMaster file. The writers make bytes; the caller writes them and copies the pictures.
#pragma once

#include "formats/Fremdrezept.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace pfl {

struct Ausgabe {
    QByteArray inhalt;
    // File names of the picture folder (the recipes' bildQuelle, each once) that the caller copies
    // into the folder `bilderOrdner` beside the written file; the file refers to them there.
    QStringList bilder;
};

// The folder name for the pictures beside an exported file: its base name and "_Bilder".
QString bilderOrdnerFuer(const QString& zieldatei);

// One UTF-8 page, readable offline: every recipe with its fields, pictures from `bilderOrdner`
// (relative; empty: no pictures) and one schema.org JSON-LD block per recipe.
Ausgabe schreibeHtml(const QList<Fremdrezept>& rezepte, const QString& titel, const QString& bilderOrdner);

// A JSON-LD document: a @graph of schema.org Recipes.
Ausgabe schreibeJsonLd(const QList<Fremdrezept>& rezepte, const QString& bilderOrdner);

// A MealMaster file in Windows-1252 with CR LF lines. It carries name, category, yield,
// ingredients and preparation; section, times, difficulty, calories, cost, date, utensils and the
// picture have no place in it.
QByteArray schreibeMealMaster(const QList<Fremdrezept>& rezepte);

} // namespace pfl
