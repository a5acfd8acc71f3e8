// SPDX-License-Identifier: GPL-3.0-or-later
// The list windows' whole rewrite of the section and category files.
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"

using namespace pfl::unit4;

namespace {

// One record per name, each the buffer with its name field set; the buffer keeps the last name.
// A crash while writing leaves the old file whole: the new one replaces it in one rename.
bool listeErsetzen(Unit4& u, const QString& datei, rubriken& puffer, ShortString<60> rubriken::*feld,
                   const QStringList& namen) {
    const QString p = u.pfad(datei);
    if (pfl::dateiart(u.lpf, p) == pfl::Dateiart::Fehlt) return false;
    QByteArray inhalt;
    inhalt.reserve(namen.size() * qsizetype(sizeof(rubriken)));
    for (const QString& n : namen) {
        puffer.*feld = n;
        inhalt += pfl::satzBytes(puffer);
    }
    QString grund;
    if (pfl::dateiErsetzen(p, inhalt, &grund)) return true;
    u.schreibfehlerMelden(nurName(p), grund);
    return false;
}

} // namespace

bool Unit4::rubrikenDateiErsetzen(const QStringList& namen) {
    return listeErsetzen(*this, QStringLiteral("Rubriken.rub"), r_daten, &rubriken::rubrik, namen);
}

bool Unit4::kategorienDateiErsetzen(const QStringList& namen) {
    return listeErsetzen(*this, QStringLiteral("kategorien.kat"), k_daten, &rubriken::kategorie, namen);
}
