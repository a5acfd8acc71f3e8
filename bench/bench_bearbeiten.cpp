// SPDX-License-Identifier: GPL-3.0-or-later
// The editor on a 10 000-recipe book whose sections alternate record by record: one step with ">"
// (one record read; the recipe list of the new section refilled) and opening on the last record,
// each against a whole-book pass (Rubriken_oeffnen) measured in the same run.
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "recipes/Bearbeiten.h"
#include "BenchProgramm.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <cstdio>

int main(int argc, char** argv) {
    offscreenVorgeben();
    QApplication app(argc, argv);
    BenchProgramm p([](const QString& lpf) {
        schreibeBuch(lpf + QStringLiteral("Gross.rez"), 10000);
        schreibeOptionen(lpf);
    });
    Unit4& u = p.u;
    auto* w = p.haupt().findChild<TForm13*>(QStringLiteral("Form13"));
    auto* vor = w->findChild<QPushButton*>(QStringLiteral("Button13"));

    const double pass = besteZeit(3, [&] {
        u.rubrik = QStringLiteral("Suppen");
        u.Rubriken_oeffnen();
    });
    const double oeffnen = besteZeit(3, [&] { w->oeffnenBei(9999); });
    constexpr int schritte = 200;
    int n = 0;
    const double einzeln = besteZeit(3, [&] {
        for (int i = 0; i < schritte; ++i)
            u.satz_lesen(1 + (n++ % 9000));
    });
    w->oeffnenBei(1);
    const double schritt = besteZeit(3, [&] {
        for (int i = 0; i < schritte; ++i)
            vor->click();
    });

    const double proSchritt = schritt / schritte;
    std::printf("editor: 10000 recipes, sections alternating\n");
    std::printf(
        "one step / one pass       = %.3f  (%.2f ms / %.1f ms, target < 0.2; satz_lesen alone %.3f ms)\n",
        proSchritt / pass, proSchritt, pass, einzeln / schritte);
    std::printf("open on 9999 / one pass   = %.2f  (%.1f ms / %.1f ms, target <= 1.5: the recipe list needs "
                "one pass)\n",
                oeffnen / pass, oeffnen, pass);
    return 0;
}
