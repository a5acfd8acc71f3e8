// SPDX-License-Identifier: GPL-3.0-or-later
// Laying out the largest recipe a record holds (5 000 + 10 000 + 5 000 characters) into pages,
// against QTextLayout's own line breaking of the same texts in the same font and width, measured in
// the same run; and the same at four times the text, to show the cost grows in proportion.
#include "app/Anwendung.h"
#include "pages/Schriften.h"
#include "pages/Drucklayout.h"
#include "pages/Schriften.h"
#include "BenchHilfen.h"

#include <QApplication>
#include <QTextLayout>
#include <cstdio>

namespace {

// German recipe prose with line breaks, n characters.
QString prosa(int n, quint32 saat) {
    static const char* const woerter[] = {
        "Zwiebeln",  "fein", "würfeln", "und",         "in",       "Butter", "glasig",
        "dünsten,",  "dann", "die",     "Linsen",      "zugeben.", "Mit",    "Brühe",
        "ablöschen", "Salz", "Pfeffer", "abschmecken", "ca.",      "20",     "Minuten"};
    QRandomGenerator rnd(saat);
    QString s;
    s.reserve(n + 20);
    while (s.size() < n) {
        s += QString::fromUtf8(woerter[rnd.bounded(21)]);
        s += rnd.bounded(14) == 0 ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    return s.left(n);
}

pfl::Druckrezept rezept(int faktor, bool langesWort) {
    pfl::Druckrezept r;
    r.titel = QStringLiteral("Linsensuppe nach Art des Hauses");
    r.kosten = QStringLiteral("12,50");
    r.utensilien = prosa(5000 * faktor, 1);
    r.zutaten = langesWort ? QString(10000 * faktor, QLatin1Char('x')) : prosa(10000 * faktor, 2);
    r.zubereitung = prosa(5000 * faktor, 3);
    return r;
}

// QTextLayout breaking every paragraph of the texts at 739 pixels in the box font.
int qtUmbruch(const pfl::Druckrezept& r) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    int zeilen = 0;
    for (const QString* text : {&r.utensilien, &r.zutaten, &r.zubereitung}) {
        for (const QString& absatz : text->split(QStringLiteral("\r\n"))) {
            QTextLayout l(absatz, f);
            l.beginLayout();
            for (QTextLine z = l.createLine(); z.isValid(); z = l.createLine()) {
                z.setLineWidth(739);
                ++zeilen;
            }
            l.endLayout();
        }
    }
    return zeilen;
}

} // namespace

int main(int argc, char** argv) {
    offscreenVorgeben();
    QApplication app(argc, argv);
    BenchPlattform plattform;
    pfl::schriftenErsetzen();
    DruckGruppe g;
    zeroRecord(g);
    g.text_Hoehe = 8;
    g.anz_zeilen = 50;
    g.schrift = QStringLiteral("Tahoma");
    const QDate heute(2026, 12, 7);

    std::printf("print layout: recipe of 5000 + 10000 + 5000 characters into pages\n");
    for (bool lang : {false, true}) {
        const pfl::Druckrezept r1 = rezept(1, lang);
        const pfl::Druckrezept r4 = rezept(4, lang);
        int seiten = 0, zeilen = 0;
        const double qt1 = besteZeit(5, [&] { zeilen = qtUmbruch(r1); });
        const double eigen1 =
            besteZeit(5, [&] { seiten = int(pfl::rezeptSetzen(r1, g, heute).seiten.size()); });
        const double qt4 = besteZeit(3, [&] { qtUmbruch(r4); });
        const double eigen4 = besteZeit(3, [&] { pfl::rezeptSetzen(r4, g, heute); });
        std::printf("%s\n", lang ? "ingredients one 10000-character word" : "German prose with line breaks");
        std::printf("  layout / QTextLayout breaking   = %.2f  (%.2f ms / %.2f ms, %d pages, %d lines; "
                    "target <= 3)\n",
                    eigen1 / qt1, eigen1, qt1, seiten, zeilen);
        std::printf(
            "  layout at 4x / at 1x text       = %.2f  (%.2f ms / %.2f ms; linear 4, QTextLayout %.2f)\n",
            eigen4 / eigen1, eigen4, eigen1, qt4 / qt1);
    }
    return 0;
}
