// SPDX-License-Identifier: GPL-3.0-or-later
// Data-store benchmark on generated books of 10 000 recipes. Each figure is a ratio to a
// baseline measured in the same run, because absolute times on shared machines are noisy.
#include "data/Unit4.h"
#include "BenchHilfen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchPlattform plattform;
    QTemporaryDir tmp;
    const QString lpf = tmp.path() + QLatin1Char('/');
    const int n = 10000;
    for (int b = 0; b < 5; ++b)
        schreibeBuch(lpf + QStringLiteral("Buch%1.rez").arg(b), n);
    Unit4 u;
    u.lpf = lpf;
    u.rezeptbuch = QStringLiteral("Buch0");
    u.rubrik = QStringLiteral("Suppen");
    const QString buch = lpf + QStringLiteral("Buch0.rez");

    // (a) the overview's scan against reading the file's bytes once
    qint64 summe = 0;
    const double lesen = besteZeit(5, [&] {
        QFile f(buch);
        f.open(QIODevice::ReadOnly);
        summe += f.readAll().size();
    });
    int treffer = 0;
    const double scan = besteZeit(5, [&] { treffer = int(u.rubrikZeilen().size()); });

    // (b) appending one recipe against writing one record at the end of a file
    const QString roh = lpf + QStringLiteral("roh.bin");
    QFile::copy(buch, roh);
    dateien satz;
    zeroRecord(satz);
    const double schreiben = besteZeit(20, [&] {
        QFile f(roh);
        f.open(QIODevice::ReadWrite);
        f.seek(f.size());
        f.write(reinterpret_cast<const char*>(&satz), sizeof satz);
    });
    u.element1 = satz;
    const double anhaengen = besteZeit(20, [&] { u.Daten_einsortieren(); });
    QFile::remove(roh);

    // (c) renaming a section across five books against copying those files
    const double kopieren = besteZeit(2, [&] {
        for (int b = 0; b < 5; ++b) {
            const QString z = lpf + QStringLiteral("kopie%1.bin").arg(b);
            QFile::remove(z);
            QFile::copy(lpf + QStringLiteral("Buch%1.rez").arg(b), z);
        }
    });
    for (int b = 0; b < 5; ++b)
        QFile::remove(lpf + QStringLiteral("kopie%1.bin").arg(b));
    bool hin = true;
    const double umbenennen = besteZeit(2, [&] {
        const QString alt = hin ? QStringLiteral("Suppen") : QStringLiteral("Suppen & Eintöpfe");
        const QString neu = hin ? QStringLiteral("Suppen & Eintöpfe") : QStringLiteral("Suppen");
        hin = !hin;
        u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, alt, neu);
    });

    std::printf("book: %d recipes, %lld bytes; %d in the section\n", n, summe / 5, treffer);
    std::printf("(a) overview scan / read file once      = %.2f  (%.1f ms / %.1f ms, target <= 1.0)\n",
                scan / lesen, scan, lesen);
    std::printf("(b) append recipe / write one record     = %.2f  (%.3f ms / %.3f ms, target <= 2)\n",
                anhaengen / schreiben, anhaengen, schreiben);
    std::printf("(c) rename in 5 books / copy 5 books     = %.2f  (%.1f ms / %.1f ms, target <= 1.5)\n",
                umbenennen / kopieren, umbenennen, kopieren);
    return 0;
}
