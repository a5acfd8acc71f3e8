// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's overview on a 10 000-recipe book whose section holds 2 000 recipes, as a
// ratio to the data store's scan alone; and start-up to a shown main window against a Qt main
// window showing a 2 000-row table in the same fonts. Baselines are measured in the same run.
#include "app/Anwendung.h"
#include "pages/Schriften.h"
#include "mainwindow/Hauptfenster.h"
#include "pages/Schriften.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "BenchHilfen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QMainWindow>
#include <QTableWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

void rubriken_schreiben(const QString& pfad) {
    QFile f(pfad);
    f.open(QIODevice::WriteOnly);
    for (const char* n : {"Suppen", "Hauptgerichte", "Desserts", "Salate", "Backen"}) {
        rubriken r;
        zeroRecord(r);
        r.rubrik = QString::fromLatin1(n);
        f.write(reinterpret_cast<const char*>(&r), sizeof r);
    }
}

} // namespace

// Child modes, timed from outside as whole processes: an empty Qt main window, or Pfanno-Lux
// started on a data directory; each ends as soon as its window is shown.
int kind(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString modus = QString::fromLocal8Bit(argv[1]);
    if (modus == QLatin1String("--leer")) {
        // The fair floor: a Qt main window showing a table of 2 000 rows of text in the fonts of
        // the overview, maximised, with the same font substitutions.
        pfl::schriftenErsetzen();
        QMainWindow w;
        auto* t = new QTableWidget(2000, 6, &w);
        QFont daten(QStringLiteral("Arial"));
        daten.setPointSize(8);
        t->setFont(daten);
        QFont titel(QStringLiteral("Arial"));
        titel.setPointSize(10);
        t->horizontalHeader()->setFont(titel);
        t->setHorizontalHeaderLabels({QStringLiteral("Gericht"), QStringLiteral("Pers./Port."),
                                      QStringLiteral("Kosten"), QStringLiteral("Zubereitungszeit"),
                                      QStringLiteral("Kochzeit"), QStringLiteral("Kalorien")});
        for (int r = 0; r < 2000; ++r) {
            t->setItem(r, 0, new QTableWidgetItem(QStringLiteral("Rezept %1").arg(r).leftJustified(30)));
            t->setItem(r, 1, new QTableWidgetItem(QStringLiteral("         4")));
            t->setItem(r, 2, new QTableWidgetItem(QStringLiteral("12,50 €")));
            t->setItem(r, 3, new QTableWidgetItem(QStringLiteral("    30 Min")));
            t->setItem(r, 4, new QTableWidgetItem(QStringLiteral("    45 Min")));
            t->setItem(r, 5, new QTableWidgetItem(QStringLiteral("      350 ")));
        }
        t->resizeColumnsToContents();
        w.setCentralWidget(t);
        w.showMaximized();
        QCoreApplication::processEvents();
        return 0;
    }
    pfl::ressourcenLaden();
    pfl::schriftenErsetzen();
    BenchPlattform plattform;
    Unit4 u;
    pfl::Farbschema farben(u);
    pfl::Anwendung anwendung(u, farben, plattform, QString::fromLocal8Bit(argv[2]));
    QCoreApplication::processEvents();
    return 0;
}

int main(int argc, char** argv) {
    offscreenVorgeben();
    if (argc >= 2) return kind(argc, argv);
    QApplication app(argc, argv);
    pfl::ressourcenLaden();
    pfl::schriftenErsetzen();
    BenchPlattform plattform;
    QTemporaryDir tmp;
    const QString lpf = tmp.path() + QLatin1Char('/');
    schreibeBuch(lpf + QStringLiteral("Gross.rez"), 10000);
    schreibeOptionen(lpf, 1100, 700);
    rubriken_schreiben(lpf + QStringLiteral("Rubriken.rub"));

    const double leer = prozessZeit({QStringLiteral("--leer")});
    const double start = prozessZeit({QStringLiteral("--start"), lpf});

    Unit4 u;
    pfl::Farbschema farben(u);
    auto anwendung = std::make_unique<pfl::Anwendung>(u, farben, plattform, lpf);
    QCoreApplication::processEvents();
    TForm1* f = &anwendung->hauptfenster();

    u.rubrik = QStringLiteral("Suppen");
    int zeilen = 0;
    const double scan = besteZeit(7, [&] { zeilen = int(u.rubrikZeilen().size()); });
    const double anzeigen = besteZeit(
        qEnvironmentVariableIntValue("BENCH_LAEUFE") > 0 ? qEnvironmentVariableIntValue("BENCH_LAEUFE") : 7,
        [&] { f->Rezepte_anzeigen(); });

    std::printf("overview: %d of 10000 recipes in the section\n", zeilen);
    std::printf("Rezepte_anzeigen / data-store scan    = %.2f  (%.1f ms / %.1f ms, target <= 3)\n",
                anzeigen / scan, anzeigen, scan);
    std::printf("start-up to shown window / Qt window with a 2 000-row table, whole processes = %.2f  (%.1f "
                "ms / %.1f ms, "
                "target <= 1.2)\n",
                start / leer, start, leer);
    return 0;
}
