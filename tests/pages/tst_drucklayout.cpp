// SPDX-License-Identifier: GPL-3.0-or-later
// The page layout of the printouts without a window: positions, fonts, line breaks and page breaks,
// the largest recipe a record holds, settings no one should have, and replaying the pages.
#include "data/Cp1252.h"
#include "data/Deutsch.h"
#include "pages/Drucklayout.h"
#include "pages/Schriften.h"
#include "pages/Seiteneinpassen.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace pfl;

namespace {

const QDate kHeute(2026, 12, 7);

DruckGruppe gruppe(int punkte = 8, int zeilen = 50, int rand = 0, int abstand = 0,
                   const QString& schrift = QStringLiteral("Tahoma")) {
    DruckGruppe g;
    zeroRecord(g);
    g.text_Hoehe = punkte;
    g.pen_strich = 1;
    g.anz_zeilen = zeilen;
    g.rand = rand;
    g.zeilen_abstand = abstand;
    g.schrift = schrift;
    return g;
}

Druckrezept rezept() {
    Druckrezept r;
    r.titel = QStringLiteral("Linsensuppe");
    r.schwierigkeit = QStringLiteral("Leicht");
    r.portionsart = QStringLiteral("Anz. Personen");
    r.anzahl = QStringLiteral("4");
    r.kosten = QStringLiteral("12,50");
    r.zeit = QStringLiteral("20");
    r.kochzeit = QStringLiteral("45");
    r.kalorien = QStringLiteral("380");
    r.datum = QStringLiteral("01.02.2025");
    r.utensilien = QStringLiteral("Topf");
    r.zutaten = QStringLiteral("250 g Linsen\r\n1 Zwiebel\r\n");
    r.zubereitung = QStringLiteral("Alles kochen.");
    return r;
}

// The heading's line height: the caption font, bold and 3 points larger.
int zeilenhoehe(const DruckGruppe& g) {
    return druckZeilenhoehe(g.schrift.toQString(), g.text_Hoehe);
}

int textBreite(const Drucktext& t) {
    return qCeil(QFontMetricsF(druckSchrift(t.schrift, t.punkte, t.fett)).horizontalAdvance(t.text));
}

// The body lines of every page (all texts below the heading), in order.
QStringList koerper(const QList<Druckseite>& seiten, int abY) {
    QStringList l;
    for (const Druckseite& s : seiten)
        for (const Drucktext& t : s)
            if (t.y >= abY) l << t.text;
    return l;
}

// Every text lies on the paper: right of its left edge, above the bottom margin, and with rechts
// its ink (blanks at the end do not count) left of the right edge.
void aufDerSeite(const QList<Druckseite>& seiten, int h, bool rechts = true) {
    for (const Druckseite& s : seiten)
        for (Drucktext t : s) {
            t.text.remove(QRegularExpression(QStringLiteral(" +$")));
            QVERIFY2(
                t.x >= 0 && (!rechts || t.x + textBreite(t) <= kSeitenBreite),
                qPrintable(QStringLiteral("x %1 w %2: %3").arg(t.x).arg(textBreite(t)).arg(t.text.left(20))));
            QVERIFY2(t.y >= 0 && t.y + h <= kSeitenHoehe - kSeitenRand,
                     qPrintable(QStringLiteral("y %1: %2").arg(t.y).arg(t.text.left(20))));
        }
}

double boxBreite(const QString& s) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    f.setKerning(false);
    const QFontMetricsF m(f);
    double w = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size()) {
            w += m.horizontalAdvance(s.mid(i, 2));
            ++i;
        } else {
            w += m.horizontalAdvance(s[i]);
        }
    }
    return w;
}

// How much a page or text darkens: every pixel weighted by its darkness.
qint64 tinte(const QImage& bild) {
    qint64 summe = 0;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            summe += 255 - qGray(bild.pixel(x, y));
    return summe;
}

QImage gezeichnet(const Druckseite& seite) {
    QImage bild(kSeitenBreite, kSeitenHoehe, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter maler(&bild);
    seiteZeichnen(maler, seite);
    maler.end();
    return bild;
}

} // namespace

class TestDrucklayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { schriftenErsetzen(); }
    void ersatzschriften_data();
    void ersatzschriften();
    void rezeptKopfUndFelder_data();
    void rezeptKopfUndFelder();
    void textbloecke();
    void einkaufsliste_data();
    void einkaufsliste();
    void umbruch_data();
    void umbruch();
    void umbruchUnabhaengigVonDruckschrift();
    void seitenumbruch_data();
    void seitenumbruch();
    void groesstesRezept();
    void unsinnigeEinstellungen_data();
    void unsinnigeEinstellungen();
    void preis_data();
    void preis();
    void fehlendeSchrift();
    void wiedergabe_data();
    void wiedergabe();
    void fettIstFett_data();
    void fettIstFett();
    void zeilenBeruehrenSichNicht_data();
    void zeilenBeruehrenSichNicht();
};

void TestDrucklayout::fettIstFett_data() {
    QTest::addColumn<QString>("schrift");
    for (const char* s : {"Tahoma", "Verdana", "Arial", "Times New Roman", "Book Antiqua"})
        QTest::newRow(s) << QString::fromLatin1(s);
}

void TestDrucklayout::fettIstFett() {
    // A bold caption prints visibly heavier than the same text regular, whatever stand-in family
    // the stored font name gets.
    QFETCH(QString, schrift);
    const auto seite = [&](bool fett) {
        return Druckseite{
            {26, 100, QStringLiteral("Sie benötigen folgende Küchenutensilien:"), schrift, 11, fett},
            {26, 200, QStringLiteral("Zutatenliste:"), schrift, 11, fett}};
    };
    const qint64 normal = tinte(gezeichnet(seite(false)));
    const qint64 fett = tinte(gezeichnet(seite(true)));
    QVERIFY(normal > 0);
    QVERIFY2(fett * 5 >= normal * 6, qPrintable(QStringLiteral("%1 / %2").arg(fett).arg(normal)));
}

void TestDrucklayout::zeilenBeruehrenSichNicht_data() {
    QTest::addColumn<QString>("schrift");
    QTest::addColumn<int>("punkte");
    for (const char* s : {"Tahoma", "Verdana", "Arial", "Times New Roman", "Book Antiqua"})
        for (int p : {8, 10, 14})
            QTest::addRow("%s %d", s, p) << QString::fromLatin1(s) << p;
}

void TestDrucklayout::zeilenBeruehrenSichNicht() {
    // Body lines with accents above and descenders below, at the default spacing: every line's ink
    // stands apart from the next line's, with a blank pixel row between them at least.
    QFETCH(QString, schrift);
    QFETCH(int, punkte);
    const QStringList zeilen(6, QStringLiteral("ÄÖÜ Quark, gjpqy Äpfel"));
    const Drucklayout l =
        einkaufslisteSetzen(zeilen.join(QStringLiteral("\r\n")), gruppe(punkte, 50, 0, 0, schrift), kHeute);
    QVERIFY(l.fehler.isEmpty());
    // Each body line's ink alone: its first and last row with ink.
    QList<QPair<int, int>> tinte;
    for (const Drucktext& t : l.seiten.first()) {
        if (t.y < 100) continue;
        const QImage bild = gezeichnet({t});
        int oben = -1, unten = -1;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = 0; x < bild.width(); ++x)
                if (qGray(bild.pixel(x, y)) < 200) {
                    if (oben < 0) oben = y;
                    unten = y;
                    break;
                }
        tinte.append({oben, unten});
    }
    QCOMPARE(tinte.size(), zeilen.size());
    for (qsizetype i = 1; i < tinte.size(); ++i)
        QVERIFY2(tinte.at(i).first - tinte.at(i - 1).second > 1,
                 qPrintable(QStringLiteral("line %1's ink starts at %2, the one above ends at %3")
                                .arg(i)
                                .arg(tinte.at(i).first)
                                .arg(tinte.at(i - 1).second)));
}

void TestDrucklayout::rezeptKopfUndFelder_data() {
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("abstand");
    QTest::newRow("defaults") << 0 << 0;
    QTest::newRow("margin and spacing") << 20 << 3;
    QTest::newRow("margin to the paper's edge") << -26 << 0;
}

void TestDrucklayout::rezeptKopfUndFelder() {
    QFETCH(int, rand);
    QFETCH(int, abstand);
    const DruckGruppe g = gruppe(8, 50, rand, abstand);
    const Drucklayout l = rezeptSetzen(rezept(), g, kHeute);
    QVERIFY(l.fehler.isEmpty());
    QCOMPARE(l.seiten.size(), 1);
    const Druckseite& s = l.seiten.first();
    const int h = zeilenhoehe(g);
    // Heading: the name centred and bold at y 26, the date line at y 60.
    const int w = qCeil(QFontMetricsF(druckSchrift(QStringLiteral("Tahoma"), 11, true))
                            .horizontalAdvance(QStringLiteral("Linsensuppe")));
    QCOMPARE(s.at(0), (Drucktext{(816 - w) / 2, 26, QStringLiteral("Linsensuppe"), QStringLiteral("Tahoma"),
                                 11, true}));
    QCOMPARE(s.at(1),
             (Drucktext{rand + 600, 60, QStringLiteral("Erstellt am"), QStringLiteral("Tahoma"), 8, false}));
    QCOMPARE(s.at(2).text, QStringLiteral(": 07.12.2026"));
    // 50 pixels after "Erstellt am", unless the font in use makes that label wider.
    QCOMPARE(s.at(2).x, qMax(rand + 650, rand + 600 + textBreite(s.at(1)) + 2));
    // Field lines: labels at L, values at L + 130, the price at L + 140; first line at the top margin.
    const int L = 26 + rand;
    struct Zeile {
        QString label, wert;
    };
    const Zeile zeilen[7] = {{QStringLiteral("Schwierigkeitsgrad"), QStringLiteral(" : Leicht")},
                             {QStringLiteral("Anz. Personen"), QStringLiteral(" : 4")},
                             {QStringLiteral("Kosten ca."), QStringLiteral(" : ")},
                             {QStringLiteral("Zubereitungszeit       (Min)"), QStringLiteral(" : 20")},
                             {QStringLiteral("Koch-/Backzeit          (Min)"), QStringLiteral(" : 45")},
                             {QStringLiteral("Kalorien p. Portion"), QStringLiteral(" : 380")},
                             {QStringLiteral("Erfasst am"), QStringLiteral(" : 01.02.2025")}};
    int i = 3;
    int y = 96;
    for (int z = 0; z < 7; ++z) {
        QCOMPARE(s.at(i),
                 (Drucktext{L, y, zeilen[z].label.leftJustified(30), QStringLiteral("Tahoma"), 8, false}));
        QCOMPARE(s.at(i + 1).x, L + 130);
        QCOMPARE(s.at(i + 1).y, y);
        QCOMPARE(s.at(i + 1).text, z == 2 ? zeilen[z].wert : zeilen[z].wert.leftJustified(30));
        i += 2;
        if (z == 2) {
            QCOMPARE(s.at(i).x, L + 140);
            QCOMPARE(s.at(i).y, y);
            QCOMPARE(s.at(i).text, waehrungText(12.5));
            ++i;
        }
        y += z < 6 ? abstand - 4 + h : abstand + 2 + h;
    }
    // The first block's caption follows, bold.
    QCOMPARE(s.at(i),
             (Drucktext{L, y, QStringLiteral("Sie benötigen folgende Küchenutensilien:").leftJustified(30),
                        QStringLiteral("Tahoma"), 8, true}));
}

void TestDrucklayout::textbloecke() {
    Druckrezept r = rezept();
    r.utensilien.clear(); // an empty block prints its caption only
    const DruckGruppe g = gruppe(8, 50, 0, 2);
    const Drucklayout l = rezeptSetzen(r, g, kHeute);
    const int h = zeilenhoehe(g);
    const Druckseite& s = l.seiten.first();
    QList<Drucktext> block(s.begin() + 3 + 15, s.end());
    QStringList texte;
    for (const Drucktext& t : block)
        texte << t.text.trimmed();
    QCOMPARE(texte, (QStringList{QStringLiteral("Sie benötigen folgende Küchenutensilien:"),
                                 QStringLiteral("Zutatenliste:"), QStringLiteral("250 g Linsen"),
                                 QStringLiteral("1 Zwiebel"), QStringLiteral("Zubereitung:"),
                                 QStringLiteral("Alles kochen.")}));
    // Steps: caption -> first line a + 2 + h, line -> line a - 5 + h, last line -> next caption
    // (a - 5 + h) + (a + h); an empty block goes straight on to the next caption.
    const int a = 2;
    QCOMPARE(block[1].y - block[0].y, (a + 2 + h) + (a + h));
    QCOMPARE(block[2].y - block[1].y, a + 2 + h);
    QCOMPARE(block[3].y - block[2].y, a - 5 + h);
    QCOMPARE(block[4].y - block[3].y, (a - 5 + h) + (a + h));
    QVERIFY(block[1].fett && !block[2].fett);
}

void TestDrucklayout::einkaufsliste_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("empty list: heading only") << QString() << QStringList();
    QTest::newRow("lines") << QStringLiteral("Milch\r\n\r\nBrot\r\n")
                           << QStringList{QStringLiteral("Milch"), QString(), QStringLiteral("Brot")};
}

void TestDrucklayout::einkaufsliste() {
    QFETCH(QString, text);
    QFETCH(QStringList, zeilen);
    const DruckGruppe g = gruppe(10, 59, 0, 2);
    const Drucklayout l = einkaufslisteSetzen(text, g, kHeute);
    QVERIFY(l.fehler.isEmpty());
    QCOMPARE(l.seiten.size(), 1);
    const Druckseite& s = l.seiten.first();
    QCOMPARE(s.size(), 3 + zeilen.size());
    QCOMPARE(s.at(0).text, QStringLiteral("Einkaufsliste"));
    QCOMPARE(s.at(0).y, 26);
    QCOMPARE(s.at(0).punkte, 13);
    QCOMPARE(s.at(1).y, 70);
    const int h = zeilenhoehe(g);
    for (int i = 0; i < zeilen.size(); ++i) {
        QCOMPARE(s.at(3 + i).text, zeilen.at(i));
        QCOMPARE(s.at(3 + i).x, 26);
        QCOMPARE(s.at(3 + i).y, 106 + i * (2 - 5 + h));
    }
}

void TestDrucklayout::umbruch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("zeilen"); // empty: only the general rules are checked
    const QString wort = QStringLiteral("Zwiebelkuchen ");
    QTest::newRow("nothing") << QString() << QStringList();
    QTest::newRow("own breaks, CR LF, LF and CR")
        << QStringLiteral("a\r\nb\nc\rd")
        << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    QTest::newRow("trailing break adds no line")
        << QStringLiteral("a\r\n") << QStringList{QStringLiteral("a")};
    QTest::newRow("empty lines inside stay")
        << QStringLiteral("a\r\n\r\n\r\nb")
        << QStringList{QStringLiteral("a"), QString(), QString(), QStringLiteral("b")};
    QTest::newRow("words") << wort.repeated(80) << QStringList();
    QTest::newRow("one long word") << QStringLiteral("x").repeated(3000) << QStringList();
    QTest::newRow("only blanks") << QString(2000, QLatin1Char(' '))
                                 << QStringList{QString(2000, QLatin1Char(' '))};
    QTest::newRow("blanks then word") << QString(500, QLatin1Char(' ')) + QStringLiteral("Salz")
                                      << QStringList{QString(500, QLatin1Char(' ')), QStringLiteral("Salz")};
    QTest::newRow("CR before CR LF") << QStringLiteral("a\r\r\nb\r\r\r\nc") << QStringList();
    QTest::newRow("no-break spaces and signs of the code page")
        << QStringLiteral("\u00A0 200 g Mehl \u20AC \u2026 Zucker\u00A0 ").repeated(40) << QStringList();
    QTest::newRow("umlauts and a sign beyond Latin-1")
        << QString(QStringLiteral("Bärlauch–Öl ") + QString::fromUtf8("\xF0\x9F\x8D\xB2") + QLatin1Char(' '))
               .repeated(60)
        << QStringList();
}

void TestDrucklayout::umbruch() {
    QFETCH(QString, text);
    QFETCH(QStringList, zeilen);
    Zeilenumbruch box;
    const QStringList l = box.zeilen(text);
    if (!zeilen.isEmpty() || text.isEmpty()) QCOMPARE(l, zeilen);
    // A stored text gives the same lines as its text field's text (CR LF as LF) does.
    const QByteArray gespeichert = pfl::toCp1252(text);
    if (pfl::fromCp1252(gespeichert) == text) {
        QByteArray b = gespeichert;
        std::vector<Zeilenumbruch::Zeilenort> orte;
        box.zeilenorteCp1252(b, orte);
        QStringList ausBytes;
        for (const auto& [von, laenge] : orte)
            ausBytes << pfl::fromCp1252(b.constData() + von, laenge);
        QCOMPARE(ausBytes, box.zeilen(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    }
    // No character lost or doubled.
    QString wieder = l.join(QString());
    QString ohneUmbrueche = text;
    ohneUmbrueche.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    QCOMPARE(wieder, ohneUmbrueche);
    for (qsizetype i = 0; i < l.size(); ++i) {
        const QString ohneLeer = QString(l[i]).remove(QRegularExpression(QStringLiteral(" +$")));
        // A line fits the box, apart from blanks hanging at its end.
        QVERIFY2(boxBreite(ohneLeer) <= 739 + 0.01, qPrintable(QString::number(boxBreite(ohneLeer))));
        // A line ends where the next word would not have fitted: the break is as late as possible.
        const bool einAbsatz = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
        if (einAbsatz && i + 1 < l.size() && !ohneLeer.isEmpty()) {
            const QString naechstes = l[i + 1].section(QLatin1Char(' '), 0, 0);
            const QString mit = l[i] + (l[i].endsWith(QLatin1Char(' ')) ? naechstes : naechstes.left(1));
            QVERIFY(boxBreite(mit) > 739);
        }
    }
}

void TestDrucklayout::umbruchUnabhaengigVonDruckschrift() {
    // A line just wider than the box is two lines, in a small print font as in the box's own size.
    QString zeile;
    while (boxBreite(zeile + QStringLiteral("Mehl ")) <= 739)
        zeile += QStringLiteral("Mehl ");
    zeile += QStringLiteral("Zucker");
    for (int punkte : {6, 8}) {
        Druckrezept r = rezept();
        r.zutaten = zeile;
        const Drucklayout l = rezeptSetzen(r, gruppe(punkte), kHeute);
        const QStringList k = koerper(l.seiten, 96);
        const qsizetype z = k.indexOf(QStringLiteral("Zutatenliste:").leftJustified(30));
        QCOMPARE(k.at(z + 1) + k.at(z + 2), zeile);
        QCOMPARE(k.at(z + 2), QStringLiteral("Zucker"));
    }
    // A large print font would run off the paper: its lines are broken again to fit the page.
    Druckrezept r = rezept();
    r.zutaten = zeile;
    const DruckGruppe g = gruppe(14);
    const Drucklayout l = rezeptSetzen(r, g, kHeute);
    aufDerSeite(l.seiten, zeilenhoehe(g));
    const QStringList k = koerper(l.seiten, 96);
    QVERIFY(k.size() > k.indexOf(QStringLiteral("Zutatenliste:").leftJustified(30)) + 3);
    QVERIFY(koerper(l.seiten, 96).join(QString()).contains(zeile));
}

void TestDrucklayout::seitenumbruch_data() {
    QTest::addColumn<int>("zeilenProSeite");
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("abstand");
    // The page's height decides: a count of lines per page would leave the page partly empty.
    QTest::newRow("10 lines per page, the page's room decides") << 10 << 8 << 0;
    QTest::newRow("the defaults' 50 lines per page") << 50 << 8 << 0;
    QTest::newRow("by height, no line count") << 0 << 8 << 0;
    QTest::newRow("by height, negative line count") << -4 << 8 << 0;
    QTest::newRow("by height before the line count") << 500 << 12 << 10;
}

void TestDrucklayout::seitenumbruch() {
    QFETCH(int, zeilenProSeite);
    QFETCH(int, punkte);
    QFETCH(int, abstand);
    QStringList liste;
    for (int i = 1; i <= 120; ++i)
        liste << QStringLiteral("Zeile %1").arg(i);
    const DruckGruppe g = gruppe(punkte, zeilenProSeite, 0, abstand);
    const Drucklayout l = einkaufslisteSetzen(liste.join(QStringLiteral("\r\n")), g, kHeute);
    QVERIFY(l.fehler.isEmpty());
    QVERIFY(l.seiten.size() > 1);
    const int h = zeilenhoehe(g);
    aufDerSeite(l.seiten, h);
    QCOMPARE(koerper(l.seiten, 100), liste); // every line once, in order
    for (const Druckseite& s : l.seiten) {
        // Every page repeats the heading and starts its body at the same place.
        QCOMPARE(s.at(0).text, QStringLiteral("Einkaufsliste"));
        QCOMPARE(s.at(1).text, QStringLiteral("Erstellt am"));
        QCOMPARE(s.at(3).y, 106);
    }
    // A page is full before the next one starts: its next line would not have fitted.
    const Druckseite& erste = l.seiten.first();
    const int naechstesY = erste.last().y + abstand - 5 + h;
    QVERIFY(naechstesY + h > kSeitenHoehe - kSeitenRand);
}

void TestDrucklayout::groesstesRezept() {
    // The longest texts a record holds: a word without blanks, lines of only blanks, many lines.
    Druckrezept r = rezept();
    r.titel = QStringLiteral("W").repeated(40);
    r.utensilien = QStringLiteral("Topf ").repeated(1000);
    r.zutaten = QStringLiteral("x").repeated(10000);
    QString zub;
    while (zub.size() < 5000)
        zub += QString(40, QLatin1Char(' ')) + QStringLiteral("\r\n") + QStringLiteral("Rühren.\r\n");
    r.zubereitung = zub.left(5000);
    const DruckGruppe g = gruppe();
    const Drucklayout l = rezeptSetzen(r, g, kHeute);
    QVERIFY(l.fehler.isEmpty());
    aufDerSeite(l.seiten, zeilenhoehe(g));
    const QString alles = koerper(l.seiten, 96).join(QString());
    QVERIFY(alles.contains(QStringLiteral("x").repeated(10000)));
    QCOMPARE(alles.count(QStringLiteral("Rühren.")), r.zubereitung.count(QStringLiteral("Rühren.")));
    QCOMPARE(alles.count(QStringLiteral("Topf")), 1000);
    QVERIFY2(l.seiten.size() >= 4, qPrintable(QString::number(l.seiten.size())));
    // Every page but the last is filled down to its bottom margin: at most a caption's steps
    // (three line heights) stay free.
    const int h = zeilenhoehe(g);
    for (qsizetype i = 0; i + 1 < l.seiten.size(); ++i)
        QVERIFY2(l.seiten.at(i).last().y + 3 * h > kSeitenHoehe - kSeitenRand,
                 qPrintable(QString::number(l.seiten.at(i).last().y)));
}

void TestDrucklayout::unsinnigeEinstellungen_data() {
    QTest::addColumn<int>("punkte");
    QTest::addColumn<int>("zeilen");
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("abstand");
    QTest::addColumn<QString>("meldung"); // empty: prints
    QTest::newRow("size 0") << 0 << 50 << 0 << 0 << QStringLiteral("Zeichengröße 0");
    QTest::newRow("negative size") << -8 << 50 << 0 << 0 << QStringLiteral("Zeichengröße -8");
    QTest::newRow("2000 points") << 2000 << 50 << 0 << 0 << QStringLiteral("Zeichengröße 2000");
    QTest::newRow("largest size") << 72 << 50 << 0 << 0 << QString();
    QTest::newRow("beyond the largest size") << 73 << 50 << 0 << 0 << QStringLiteral("Zeichengröße 73");
    QTest::newRow("margin wider than the page") << 8 << 50 << 2000 << 0 << QStringLiteral("Rand 2000");
    QTest::newRow("margin left of the paper") << 8 << 50 << -200 << 0 << QStringLiteral("Rand -200");
    QTest::newRow("no lines per page") << 8 << 0 << 0 << 0 << QString();
    QTest::newRow("negative lines per page") << 8 << -1 << 0 << 0 << QString();
    QTest::newRow("one line per page") << 8 << 1 << 0 << 0 << QString();
    QTest::newRow("lines on top of each other")
        << 8 << 50 << 0 << -1000 << QStringLiteral("Zeilenabstand -1000");
    QTest::newRow("spacing beyond the page")
        << 8 << 50 << 0 << 100000 << QStringLiteral("Zeilenabstand 100000");
    QTest::newRow("largest spacing") << 8 << 50 << 0 << 864 << QString();
    QTest::newRow("extremes of int") << INT_MAX << INT_MIN << INT_MIN << INT_MAX
                                     << QStringLiteral("Zeichengröße");
    QTest::newRow("largest margin") << 8 << 50 << INT_MAX << 0 << QStringLiteral("Rand 2147483647");
    QTest::newRow("smallest spacing")
        << 8 << 50 << 0 << INT_MIN << QStringLiteral("Zeilenabstand -2147483648");
}

void TestDrucklayout::unsinnigeEinstellungen() {
    QFETCH(int, punkte);
    QFETCH(int, zeilen);
    QFETCH(int, rand);
    QFETCH(int, abstand);
    QFETCH(QString, meldung);
    const DruckGruppe g = gruppe(punkte, zeilen, rand, abstand);
    for (const Drucklayout& l : {rezeptSetzen(rezept(), g, kHeute),
                                 einkaufslisteSetzen(QStringLiteral("Milch\r\nBrot"), g, kHeute)}) {
        if (meldung.isEmpty()) {
            QVERIFY(l.fehler.isEmpty());
            QVERIFY(!l.seiten.isEmpty());
            // Labels and values are never broken: in the largest fonts they may reach past the paper,
            // the caption does not.
            aufDerSeite(l.seiten, zeilenhoehe(g), punkte <= 12);
            QVERIFY(l.seiten.first().first().x + textBreite(l.seiten.first().first()) <= kSeitenBreite);
            QVERIFY(koerper(l.seiten, 90).join(QString()).contains(QStringLiteral("Brot")) ||
                    koerper(l.seiten, 90).join(QString()).contains(QStringLiteral("Alles kochen.")));
        } else {
            QVERIFY2(l.fehler.contains(meldung), qPrintable(l.fehler));
            QVERIFY(l.fehler.contains(QStringLiteral("Druckoptionen")));
            QVERIFY(l.seiten.isEmpty());
        }
    }
}

void TestDrucklayout::preis_data() {
    QTest::addColumn<QString>("kosten");
    QTest::addColumn<QString>("gedruckt"); // empty: refused
    QTest::newRow("German amount") << QStringLiteral("1.234,5") << waehrungText(1234.5);
    QTest::newRow("empty field") << QString() << waehrungText(0);
    QTest::newRow("typing error") << QStringLiteral("12,5x") << QString();
    QTest::newRow("words") << QStringLiteral("etwa zehn") << QString();
}

void TestDrucklayout::preis() {
    QFETCH(QString, kosten);
    QFETCH(QString, gedruckt);
    Druckrezept r = rezept();
    r.kosten = kosten;
    const Drucklayout l = rezeptSetzen(r, gruppe(), kHeute);
    if (gedruckt.isEmpty()) {
        // A German message naming the text, and no pages.
        QVERIFY(l.seiten.isEmpty());
        QVERIFY2(l.fehler.contains(QStringLiteral("\u201E%1\u201C").arg(kosten)), qPrintable(l.fehler));
        QVERIFY(l.fehler.contains(QStringLiteral("nicht gedruckt")));
    } else {
        QVERIFY(l.fehler.isEmpty());
        QCOMPARE(l.seiten.first().at(9).text, gedruckt);
    }
}

void TestDrucklayout::fehlendeSchrift() {
    // Names of fonts the system lacks: the substitutes measure, so lines have their height.
    for (const QString& name : {QStringLiteral("Tahoma"), QStringLiteral("Verdana"),
                                QStringLiteral("Gibt es nicht 42"), QString()}) {
        const DruckGruppe g = gruppe(8, 50, 0, 0, name);
        const Drucklayout l = rezeptSetzen(rezept(), g, kHeute);
        QVERIFY2(l.fehler.isEmpty(), qPrintable(name));
        QVERIFY(zeilenhoehe(g) >= 12);
        const Druckseite& s = l.seiten.first();
        QVERIFY(s.at(5).y - s.at(3).y >= 8); // consecutive field lines do not overlap
        // An empty name prints in the default font of the printout.
        QCOMPARE(s.at(0).schrift, name.isEmpty() ? QStringLiteral("Tahoma") : name);
    }
    // A font the settings name is measured through its substitute.
    QCOMPARE(QFontInfo(druckSchrift(QStringLiteral("Verdana"), 8, false)).family(),
             QFontInfo(druckSchrift(QStringLiteral("DejaVu Sans"), 8, false)).family());
}

void TestDrucklayout::wiedergabe_data() {
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("faktor");
    QTest::newRow("screen, half size") << 96 << 0.5;
    QTest::newRow("printer resolution") << 600 << 1.5;
}

void TestDrucklayout::wiedergabe() {
    QFETCH(int, dpi);
    QFETCH(double, faktor);
    const Drucklayout l = rezeptSetzen(rezept(), gruppe(), kHeute);
    const QPicture bild = seiteAufzeichnen(l.seiten.first());
    QCOMPARE(bild.boundingRect(), QRect(0, 0, 816, 1056));
    // Replayed scaled on a device of another resolution (a printer's), the caption's ink lies where
    // it was laid out, in the size it was laid out.
    QImage img(qRound(816 * faktor), qRound(1056 * faktor), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    seiteEinpassen(p, bild, QRectF(img.rect()));
    p.end();
    const Drucktext& titel = l.seiten.first().first();
    auto tinte = [&](const QRectF& seite) {
        const QRect r(qRound(seite.x() * faktor), qRound(seite.y() * faktor), qRound(seite.width() * faktor),
                      qRound(seite.height() * faktor));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(img.pixel(x, y)) < 128) return true;
        return false;
    };
    const int h = zeilenhoehe(gruppe());
    QVERIFY(tinte(QRectF(titel.x, titel.y, textBreite(titel), h)));
    QVERIFY(!tinte(QRectF(0, 0, 816, titel.y - 2)));                      // nothing above the caption
    QVERIFY(!tinte(QRectF(0, titel.y, titel.x - 2, h)));                  // nor left of it
    QVERIFY(!tinte(QRectF(0, 1056 - kSeitenRand, 816, kSeitenRand - 1))); // nor on the bottom margin
}

void TestDrucklayout::ersatzschriften_data() {
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<QString>("datei"); // the installed font that should stand in
    QTest::addColumn<QString>("familie");
    QTest::newRow("Tahoma") << "Tahoma"
                            << "/usr/share/wine/fonts/tahoma.ttf"
                            << "Tahoma";
    QTest::newRow("Arial") << "Arial"
                           << "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
                           << "Liberation Sans";
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf"
                                     << "Liberation Serif";
}

void TestDrucklayout::ersatzschriften() {
    // The stored settings name Windows fonts: each measures with its look-alike, never a random one.
    QFETCH(QString, gespeichert);
    QFETCH(QString, datei);
    QFETCH(QString, familie);
    if (!QFile::exists(datei)) QSKIP("the font package is not installed");
    QCOMPARE(QFontInfo(QFont(gespeichert)).family(), familie);
}

QTEST_MAIN(TestDrucklayout)
#include "tst_drucklayout.moc"
