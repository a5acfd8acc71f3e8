// SPDX-License-Identifier: GPL-3.0-or-later
// "pfanno-lux --importieren DATEI…": an import without any window, told on the terminal.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QTextStream;

namespace pfl {

class Abrufer;

// Imports the sources (files or web addresses) into the active book of the data folder `ordner`, in
// `rubrik` (empty: the first section of the section list, else "Importiert"); duplicates are skipped.
// Holds the folder's lock meanwhile: a running program on the folder refuses the import. Prints a
// German summary to `aus` (what was taken, fields changed, sources refused and why) and errors to
// `fehler`. 0 when at least one recipe was imported, 1 otherwise.
int befehlszeileImportieren(const QString& ordner, const QStringList& quellen, const QString& rubrik,
                            Abrufer& abrufer, const QDate& heute, QTextStream& aus, QTextStream& fehler);

} // namespace pfl
