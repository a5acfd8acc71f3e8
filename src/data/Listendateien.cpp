// SPDX-License-Identifier: GPL-3.0-or-later
// The list files: sections, categories and the shopping list, read, appended to and created,
// and the list windows' whole rewrite of the section and category files.
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
    if (pfl::dateiart(u.lpf, p) == pfl::Dateiart::Fehlt || !u.schreibbar()) return false;
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

// ---------------------------------------------------------------- sections and categories

void Unit4::Rubriken_lesen() {
    listen.rubrikenZuletzt.clear();
    listen.rubrikenGelesen.clear();
    listen.rubrikenSortiert.clear();
    jederSatz(lpf, pfad(QStringLiteral("Rubriken.rub")), sizeof(rubriken), [&](const char* s, qint64, bool) {
        kopiere(r_daten, s);
        if (r_daten.rubrik.isEmpty()) return;
        const QString n = r_daten.rubrik.toQString();
        namenDazu(false, listen.rubrikenSeitSuchbeginn, n);
        namenDazu(false, listen.rubrikenZuletzt, n);
        namenDazu(false, listen.rubrikenGesammelt, n);
        namenDazu(true, listen.rubrikenSortiert, n);
        namenDazu(false, listen.rubrikenGelesen, n);
    });
    Q_EMIT listenGeaendert();
    Q_EMIT spaltenbreitenNeu();
}

void Unit4::Rubriken_speichern() {
    const QString p = pfad(QStringLiteral("Rubriken.rub"));
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &r_daten, sizeof(rubriken), false);
    else
        Rubriken_anlegen();
}

void Unit4::Rubriken_anlegen() {
    // The first record is stored twice (create, then append); readers drop the repeat.
    if (listeAnlegen(pfad(QStringLiteral("Rubriken.rub")), &r_daten, sizeof(rubriken))) Rubriken_speichern();
}

void Unit4::Kategorien_lesen() {
    listen.rubrikenZuletzt.clear();
    listen.kategorienGelesen.clear();
    jederSatz(lpf, pfad(QStringLiteral("kategorien.kat")), sizeof(kategorien),
              [&](const char* s, qint64, bool) {
                  kopiere(k_daten, s);
                  if (k_daten.kategorie.isEmpty()) return;
                  const QString n = k_daten.kategorie.toQString();
                  namenDazu(false, listen.kategorienSeitSuchbeginn, n);
                  namenDazu(false, listen.kategorienGelesen, n);
                  namenDazu(false, listen.kategorienGesammelt, n);
              });
    Q_EMIT listenGeaendert();
}

void Unit4::Kategorien_speichern() {
    const QString p = pfad(QStringLiteral("kategorien.kat"));
    // An existing empty file stays empty.
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &k_daten, sizeof(kategorien), true);
    else
        Kategorien_anlegen();
}

void Unit4::Kategorien_anlegen() {
    if (listeAnlegen(pfad(QStringLiteral("kategorien.kat")), &k_daten, sizeof(kategorien)))
        Kategorien_speichern();
}

bool Unit4::ohneSatz(const QString& name, qint64 satzgroesse) const {
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, pfad(name));
    return f.offen() && pfl::dateigroesse(f.fd()) < satzgroesse;
}

// ---------------------------------------------------------------- shopping list

void Unit4::einkauflist_lesen() {
    bool gelesen = false;
    jederSatz(lpf, pfad(QStringLiteral("Einkaufsliste.Ekl")), sizeof(Einkaufstliste),
              [&](const char* s, qint64, bool) {
                  kopiere(e_daten, s);
                  gelesen = true;
              });
    if (gelesen) {
        einkaufText = e_daten.e_liste.toQString();
        Q_EMIT einkaufGelesen(einkaufText);
    }
}

void Unit4::einkauflist_speichern() {
    const QString p = pfad(QStringLiteral("Einkaufsliste.Ekl"));
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &e_daten, sizeof(Einkaufstliste), true);
    else
        einkauflist_anlegen();
}

void Unit4::einkauflist_anlegen() {
    if (listeAnlegen(pfad(QStringLiteral("Einkaufsliste.Ekl")), &e_daten, sizeof(Einkaufstliste)))
        einkauflist_speichern();
}
