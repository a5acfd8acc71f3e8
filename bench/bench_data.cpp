// SPDX-License-Identifier: GPL-3.0-or-later
// Data-store benchmark on generated books of 10 000 recipes. Each figure is a ratio to a
// baseline measured in the same run, because absolute times on shared machines are noisy.
#include "data/Unit4.h"
#include "data/Vorhaben.h"
#include "BenchHilfen.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>
#include <utility>

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
    // (d) the same renaming with its journal (one change over every book) against the books renamed
    // one by one without it, interleaved so that both see the same machine
    bool hin = true;
    const auto namen = [&hin] {
        const QString a = QStringLiteral("Suppen"), b = QStringLiteral("Suppen & Eintöpfe");
        const std::pair<QString, QString> paar = hin ? std::pair{a, b} : std::pair{b, a};
        hin = !hin;
        return paar;
    };
    // Single runs on a shared machine scatter by a fifth either way: the sums over pairs are compared,
    // each kind in turn first.
    double umbenennen = 1e300, summeMit = 0, summeOhne = 0;
    const auto mitJournal = [&] {
        const double t = besteZeit(1, [&] {
            const auto [alt, neu] = namen();
            u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, alt, neu);
        });
        umbenennen = qMin(umbenennen, t);
        summeMit += t;
    };
    const auto ohneJournal = [&] {
        summeOhne += besteZeit(1, [&] {
            const auto [alt, neu] = namen();
            for (int b = 0; b < 5; ++b) {
                u.rezeptbuch = QStringLiteral("Buch%1").arg(b);
                u.konvertieren(pfl::Umbenennung::Rubrik, alt, neu);
            }
        });
    };
    constexpr int kPaare = 6;
    for (int i = 0; i < kPaare; ++i) {
        if (i % 2) {
            ohneJournal();
            mitJournal();
        } else {
            mitJournal();
            ohneJournal();
        }
    }
    // The journal's own writes for a walk over five books: the intent, one entry per book, removal.
    const double journal = besteZeit(5, [&] {
        QJsonObject j{{QStringLiteral("art"), QStringLiteral("umbenennen")}};
        pfl::vorhaben::schreiben(lpf, j);
        for (int b = 1; b <= 5; ++b) {
            j.insert(QStringLiteral("fertig"), b);
            pfl::vorhaben::nachtragen(lpf, j);
        }
        pfl::vorhaben::entfernen(lpf);
    });
    // A start without a pending journal: the look for one.
    const double tausendMal = besteZeit(5, [&] {
        for (int i = 0; i < 1000; ++i)
            (void)pfl::vorhaben::lesen(lpf);
    });

    std::printf("book: %d recipes, %lld bytes; %d in the section\n", n, summe / 5, treffer);
    std::printf("(a) overview scan / read file once      = %.2f  (%.1f ms / %.1f ms, target <= 1.0)\n",
                scan / lesen, scan, lesen);
    std::printf("(b) append recipe / write one record     = %.2f  (%.3f ms / %.3f ms, target <= 2)\n",
                anhaengen / schreiben, anhaengen, schreiben);
    std::printf("(c) rename in 5 books / copy 5 books     = %.2f  (%.1f ms / %.1f ms, target <= 1.5)\n",
                umbenennen / kopieren, umbenennen, kopieren);
    std::printf(
        "(d) rename with journal / book by book  = %.3f (%.1f ms / %.1f ms on average, target <= 1.05)\n",
        summeMit / summeOhne, summeMit / kPaare, summeOhne / kPaare);
    std::printf("    the journal's writes alone           = %.2f ms, %.2f%% of the rename\n", journal,
                100 * journal / umbenennen);
    std::printf("    start without a journal: one look    = %.1f us\n", tausendMal);
    return 0;
}
