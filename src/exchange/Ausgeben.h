// SPDX-License-Identifier: GPL-3.0-or-later
// An export without any window: recipes read from their books and written as an HTML page, a JSON-LD
// file or a MealMaster file; the pictures of a page or a JSON-LD file go into a folder beside it.
#pragma once

#include "data/Rezeptstelle.h"
#include "formats/Leser.h"

#include <QString>
#include <QStringList>
#include <functional>

class Unit4;

namespace pfl {

// The save chooser's filters, one per format: HTML page, JSON-LD file, MealMaster file.
QStringList exportFilter();
// The format of a chosen file: its extension where it names a format, else the filter's.
Austauschformat exportFormat(const QString& datei, const QString& filter);
// The file with the format's extension added where it has none of them.
QString exportDatei(const QString& datei, Austauschformat format);

struct Exportergebnis {
    int anzahl = 0;       // recipes written
    int fehlend = 0;      // places that no longer hold a recipe
    int bilderFehlen = 0; // pictures named by a recipe but missing from the picture folder
    QString fehler;       // German; empty when the file was written
    bool abgebrochen = false;
};

// Told while recipes are read: erledigt of gesamt; false cancels.
using Exportfortschritt = std::function<bool(qint64 erledigt, qint64 gesamt)>;

// Reads the recipes at the places (books of the data folder) and writes them to `datei`: beside it and
// moved over it, the pictures first. Nothing is written when no place holds a recipe.
Exportergebnis rezepteExportieren(const Unit4& u, const Rezeptstellen& stellen, const QString& datei,
                                  Austauschformat format, const QString& titel,
                                  const Exportfortschritt& fortschritt = {});

} // namespace pfl
