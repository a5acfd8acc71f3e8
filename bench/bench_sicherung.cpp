// SPDX-License-Identifier: GPL-3.0-or-later
// Backup and restore of ten books of 10 000 recipes (about 2.1 GB) against the system's cp of the
// same files in the same run. The program's copies are flushed to disk before they count as done,
// cp's are not: the ratio against "cp + sync" of the copied files is printed as well.
// Usage: bench_sicherung [books] [recipes per book]
#include "data/Sicherung.h"
#include "BenchHilfen.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

bool laufen(const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void leeren(const QString& ordner) {
    QDir(ordner).removeRecursively();
    QDir().mkpath(ordner);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchPlattform plattform;
    const int buecher = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    const int rezepte = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10000;
    QTemporaryDir tmp(QDir::currentPath() + QStringLiteral("/bench-sicherung-XXXXXX"));
    const QString lpf = tmp.path() + QStringLiteral("/daten/");
    const QString ziel = tmp.path() + QStringLiteral("/ziel/");
    QDir().mkpath(lpf);
    schreibeBuch(lpf + QStringLiteral("Buch0.rez"), rezepte);
    for (int b = 1; b < buecher; ++b)
        QFile::copy(lpf + QStringLiteral("Buch0.rez"), lpf + QStringLiteral("Buch%1.rez").arg(b));
    schreibeOptionen(lpf);
    for (const char* n : {"Rubriken.rub", "kategorien.kat", "Stammdaten.sti", "farben.frb", "Drucker.drk"}) {
        QFile f(lpf + QString::fromLatin1(n));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(4096, 'x'));
    }
    const QStringList dateien = pfl::dateienNachMasken(lpf, pfl::sicherungsMasken());
    QStringList quellen;
    for (const QString& d : dateien)
        quellen.append(lpf + d);
    qint64 bytes = 0;
    for (const QString& q : quellen)
        bytes += QFileInfo(q).size();

    // Rounds alternate so that both sides see the same state of the machine.
    double cp = 1e300, cpSync = 1e300, sichern = 1e300;
    bool ok = true;
    for (int runde = 0; runde < 3; ++runde) {
        leeren(ziel);
        cp = qMin(cp, besteZeit(1, [&] { ok &= laufen(QStringLiteral("cp"), quellen + QStringList{ziel}); }));
        leeren(ziel);
        cpSync = qMin(cpSync, besteZeit(1, [&] {
                          ok &= laufen(QStringLiteral("cp"), quellen + QStringList{ziel});
                          QStringList kopien;
                          for (const QString& d : dateien)
                              kopien.append(ziel + d);
                          ok &= laufen(QStringLiteral("sync"), kopien);
                      }));
        leeren(ziel);
        sichern = qMin(sichern, besteZeit(1, [&] { ok &= pfl::sichern(lpf, ziel).ok(); }));
    }

    // Restore: from the backup into the data folder, against cp the other way.
    double cpZurueck = 1e300, cpZurueckSync = 1e300, zurueck = 1e300;
    for (int runde = 0; runde < 3; ++runde) {
        QStringList gesichert;
        for (const QString& d : dateien)
            gesichert.append(ziel + d);
        cpZurueck =
            qMin(cpZurueck,
                 besteZeit(1, [&] { ok &= laufen(QStringLiteral("cp"), gesichert + QStringList{lpf}); }));
        cpZurueckSync = qMin(cpZurueckSync, besteZeit(1, [&] {
                                 ok &= laufen(QStringLiteral("cp"), gesichert + QStringList{lpf});
                                 ok &= laufen(QStringLiteral("sync"), quellen);
                             }));
        zurueck = qMin(zurueck, besteZeit(1, [&] { ok &= pfl::wiederherstellen(ziel, dateien, lpf).ok(); }));
    }

    std::printf("Datensicherung: %d Dateien, %.1f MB (%d Bücher zu %d Rezepten)\n", int(dateien.size()),
                bytes / 1e6, buecher, rezepte);
    std::printf("  sichern         %9.1f ms\n  cp              %9.1f ms  Verhältnis %.2f\n"
                "  cp + sync       %9.1f ms  Verhältnis %.2f\n",
                sichern, cp, sichern / cp, cpSync, sichern / cpSync);
    std::printf("  wiederherstellen%9.1f ms\n  cp              %9.1f ms  Verhältnis %.2f\n"
                "  cp + sync       %9.1f ms  Verhältnis %.2f\n",
                zurueck, cpZurueck, zurueck / cpZurueck, cpZurueckSync, zurueck / cpZurueckSync);
    if (!ok) std::printf("FEHLER: eine Kopie ist fehlgeschlagen\n");
    return ok ? 0 : 1;
}
