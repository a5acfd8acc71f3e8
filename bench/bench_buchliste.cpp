// SPDX-License-Identifier: GPL-3.0-or-later
// The book listing on a 10 000-recipe book: the whole book and a name search, each as a ratio to
// the data store's scan of the same fields, measured in the same run.
#include "data/Farbschema.h"
#include "data/Suche.h"
#include "data/Unit4.h"
#include "search/Buchliste.h"
#include "BenchProgramm.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    offscreenVorgeben();
    QApplication app(argc, argv);
    pfl::ressourcenLaden();
    BenchProgramm p([](const QString& lpf) {
        schreibeBuch(lpf + QStringLiteral("Gross.rez"), 10000);
        schreibeOptionen(lpf);
    });
    Unit4& u = p.u;
    auto* liste = p.haupt().findChild<Tform21*>(QStringLiteral("form21"));

    int zeilen = 0;
    const double scan = besteZeit(5, [&] { zeilen = int(u.buchListe().size()); });
    const double alle = besteZeit(5, [&] {
        liste->daten_ansehen();
        QCoreApplication::processEvents();
    });

    const QString name = u.buchListe().at(5000).name;
    pfl::Suchbegriff b;
    b.was = 11;
    b.objekt = name;
    const double nameScan = besteZeit(5, [&] { u.buchListe(&b); });
    const double suche = besteZeit(5, [&] {
        liste->daten_suchen(name);
        QCoreApplication::processEvents();
    });

    std::printf("book listing: %d recipes\n", zeilen);
    std::printf("whole book / scan of its fields = %.2f  (%.1f ms / %.1f ms, target <= 3)\n", alle / scan,
                alle, scan);
    std::printf("name search / scan by name      = %.2f  (%.1f ms / %.1f ms, target <= 1.5)\n",
                suche / nameScan, suche, nameScan);
    return 0;
}
