// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Befehlszeile.h"

#include "data/Datenordner.h"
#include "data/Datenordnersperre.h"
#include "data/Unit4.h"
#include "exchange/Einlesen.h"

#include <QTextStream>

namespace pfl {

namespace {

QString rezepte(qsizetype n) {
    return n == 1 ? QStringLiteral("1 Rezept") : QStringLiteral("%1 Rezepte").arg(n);
}

} // namespace

int befehlszeileImportieren(const QString& ordner, const QStringList& quellen, const QString& rubrik,
                            Abrufer& abrufer, const QDate& heute, QTextStream& aus, QTextStream& fehler) {
    // Two programs writing into the same books would lose recipes.
    const Datenordnersperre sperre(ordner);
    if (!sperre.gesperrt()) {
        fehler << sperre.fehler() << QStringLiteral("\nEs wurde nichts importiert.\n");
        return 1;
    }
    Unit4 u;
    u.uhr = [heute] { return heute; };
    QObject::connect(&u, &Unit4::schreibfehler, [&fehler](const QString& m) { fehler << m << Qt::endl; });
    // What the start found of a change a crash cut short.
    QObject::connect(&u, &Unit4::hinweis, [&aus](const QString& m) { aus << m << Qt::endl; });
    u.nurLesen = ordnerNurLesbar(ordner);
    u.initialisieren(ordner);
    if (u.nurLesen) {
        fehler << u.nurLesenText() << QStringLiteral("\nEs wurde nichts importiert.\n");
        return 1;
    }
    if (u.rezeptbuch.isEmpty()) {
        fehler << QStringLiteral(
            "Im Datenordner ist kein Rezeptbuch aktiv. Legen Sie zuerst mit Pfanno-Lux ein "
            "Rezeptbuch an.\nEs wurde nichts importiert.\n");
        return 1;
    }
    if (!Unit4::buchnameFehler(u.rezeptbuch).isEmpty()) {
        fehler << Unit4::buchnameFehler(u.rezeptbuch) << QStringLiteral("\nEs wurde nichts importiert.\n");
        return 1;
    }
    u.Rubriken_lesen();
    u.rubrik.clear();
    const QString ziel = rubrik.trimmed().isEmpty() ? vorgeschlageneRubrik(u) : rubrik;

    Importliste liste = importLesen(quellen, abrufer);
    rubrikSetzen(liste, ziel, heute);
    doppelteMarkieren(liste, u);

    // What each source gave, in the order given.
    QStringList gelesen;
    for (const QString& q : quellen) {
        const QString name = quellenName(q);
        const qsizetype n = std::count_if(liste.rezepte.cbegin(), liste.rezepte.cend(),
                                          [&](const Importrezept& r) { return r.quelle == name; });
        if (n > 0) gelesen << QStringLiteral("%1 (%2)").arg(name, rezepte(n));
    }
    if (!gelesen.isEmpty()) aus << QStringLiteral("Gelesen: ") << gelesen.join(QStringLiteral(", ")) << '\n';
    for (const Abgelehnt& a : liste.abgelehnt)
        aus << QStringLiteral("Nicht gelesen: %1 – %2").arg(a.quelle, a.grund) << '\n';
    qsizetype imBuch = 0, imImport = 0;
    for (const Importrezept& r : liste.rezepte) {
        if (r.doppelt == Importrezept::Doppelt::ImBuch) ++imBuch;
        if (r.doppelt == Importrezept::Doppelt::ImImport) ++imImport;
    }
    if (imBuch > 0)
        aus << QStringLiteral("Übersprungen, weil schon im Rezeptbuch: %1").arg(rezepte(imBuch)) << '\n';
    if (imImport > 0)
        aus << QStringLiteral("Übersprungen, weil doppelt in diesem Import: %1").arg(rezepte(imImport))
            << '\n';
    bool kopf = false;
    for (const Importrezept& r : liste.rezepte) {
        if (!r.gewaehlt) continue;
        if (!r.kuerzungen.isEmpty()) {
            if (!kopf) aus << QStringLiteral("Geänderte Felder:\n");
            kopf = true;
            for (const Kuerzung& k : r.kuerzungen)
                aus << QStringLiteral("  „%1“: %2").arg(r.name, kuerzungText(k)) << '\n';
        }
        if (!r.bildHinweis.isEmpty()) aus << QStringLiteral("  „%1“: %2").arg(r.name, r.bildHinweis) << '\n';
    }

    const Importschreibung e = importSchreiben(u, liste);
    if (!e.fehler.isEmpty()) {
        if (!e.gemeldet)
            fehler << e.fehler << '\n';
        else
            fehler << QStringLiteral("Es wurde nichts importiert.\n");
        aus << QStringLiteral("Es wurde kein Rezept importiert.\n");
        return 1;
    }
    if (e.anzahl == 0) {
        aus << QStringLiteral("Es wurde kein Rezept importiert.\n");
        return 1;
    }
    const QString gespeichert = liste.satz(0).Rubrik.toQString();
    aus << QStringLiteral("Importiert: %1 in das Rezeptbuch „%2“, Rubrik „%3“.")
               .arg(rezepte(e.anzahl), u.rezeptbuch, gespeichert)
        << '\n';
    if (!e.rubrikNeu.isEmpty())
        aus << QStringLiteral("Die Rubrik „%1“ wurde neu in die Liste der Rubriken aufgenommen.")
                   .arg(e.rubrikNeu)
            << '\n';
    return 0;
}

} // namespace pfl
