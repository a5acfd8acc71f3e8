// SPDX-License-Identifier: GPL-3.0-or-later
// Recipes from saved web pages: schema.org Recipe in JSON-LD blocks of every common shape, and in
// microdata where a page has no such block; the fields as the book takes them.
#include "formats/GumboText.h"
#include "formats/Leser.h"
#include "formats/Schemaorg.h"

#include <QtTest>

using namespace pfl;

Q_DECLARE_METATYPE(pfl::Fremdrezept)

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(PFANNO_FIXTURES) + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) qFatal("fixture %s missing", name);
    return f.readAll();
}

Fremdrezept rezept(const QString& name, const QStringList& zutaten, const QStringList& zubereitung) {
    Fremdrezept r;
    r.name = name;
    r.zutaten = zutaten;
    r.zubereitung = zubereitung;
    return r;
}

void vergleichen(const Fremdrezept& ist, const Fremdrezept& soll) {
    QCOMPARE(ist.name, soll.name);
    QCOMPARE(ist.zutaten, soll.zutaten);
    QCOMPARE(ist.zubereitung, soll.zubereitung);
    QCOMPARE(ist.kategorie, soll.kategorie);
    QCOMPARE(ist.anzahl, soll.anzahl);
    QCOMPARE(ist.personen, soll.personen);
    QCOMPARE(ist.zeit, soll.zeit);
    QCOMPARE(ist.kZeit, soll.kZeit);
    QCOMPARE(ist.bildQuelle, soll.bildQuelle);
    QCOMPARE(ist.kalorien, soll.kalorien);
    QCOMPARE(ist.utensilien, soll.utensilien);
    QCOMPARE(ist.preis, soll.preis);
    QCOMPARE(ist.rubrik, soll.rubrik);
    QCOMPARE(ist.schwer, soll.schwer);
    QVERIFY(!ist.erfasstAm.isValid()); // a page's import is dated by the importer
}

} // namespace

class TestWebseiten : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void seiten_data();
    void seiten();
    void ohneRezept_data();
    void ohneRezept();
    void feindseligeEingaben_data();
    void feindseligeEingaben();
    void parserZeitBegrenzt_data();
    void parserZeitBegrenzt();
    void dauern_data();
    void dauern();
    void ausbeute_data();
    void ausbeute();
    void zeitAusGesamtzeit_data();
    void zeitAusGesamtzeit();
    void htmlText_data();
    void htmlText();
};

void TestWebseiten::seiten_data() {
    QTest::addColumn<QByteArray>("seite");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("index");
    QTest::addColumn<Fremdrezept>("soll");

    Fremdrezept r = rezept(QStringLiteral("Kartoffelgratin & Salat"),
                           {QStringLiteral("1 kg Kartoffeln, festkochend"), QStringLiteral("200 ml Sahne"),
                            QString::fromUtf8("1⅓ Tassen Käse"), QStringLiteral("Salz & Pfeffer")},
                           {QString::fromUtf8("Kartoffeln schälen und in dünne Scheiben schneiden."),
                            QString::fromUtf8("In eine Form schichten.\nSahne darüber gießen."),
                            QString::fromUtf8("Bei 180 °C backen.")});
    r.kategorie = QStringLiteral("Beilage");
    r.anzahl = QStringLiteral("4");
    r.personen = QStringLiteral("Portionen");
    r.zeit = 90;
    r.kZeit = 45;
    r.bildQuelle = QStringLiteral("https://bilder.example/gratin/gross.jpg");
    r.kalorien = QStringLiteral("520 kcal");
    r.utensilien = QStringLiteral("Auflaufform\nHobel");
    r.preis = 7.8;
    QTest::newRow("ein objekt, schritte, entitaeten und tags")
        << fixture("jsonld_einzeln.html") << 1 << 0 << r;

    r = rezept(QStringLiteral("Apfelkuchen vom Blech"),
               {QStringLiteral("500 g Mehl"), QString::fromUtf8("1 kg Äpfel")},
               {QStringLiteral("Teig"), QStringLiteral("Mehl und Butter verkneten."),
                QStringLiteral("Teig ausrollen."), QStringLiteral("Belag"),
                QString::fromUtf8("Äpfel schälen und verteilen.")});
    r.kategorie = QStringLiteral("Kuchen");
    r.anzahl = QStringLiteral("20");
    r.personen = QString::fromUtf8("Stück");
    r.zeit = 80; // total 2 h less 40 min cooking
    r.kZeit = 40;
    r.bildQuelle = QStringLiteral("https://koch.example/bilder/apfelkuchen.webp");
    QTest::newRow("@graph, typliste, abschnitte, bild als verweis")
        << fixture("jsonld_graph.html") << 1 << 0 << r;

    r = rezept(QStringLiteral("Linsensuppe"),
               {QStringLiteral("250 g Linsen"), QStringLiteral("1 Zwiebel"), QString::fromUtf8("1 l Brühe")},
               {QStringLiteral("Zwiebel anschwitzen."), QString::fromUtf8("Linsen und Brühe zugeben."),
                QStringLiteral("Weich kochen.")});
    r.anzahl = QStringLiteral("6");
    r.personen = QStringLiteral("Portionen");
    r.zeit = 20;
    r.kZeit = 30;
    r.bildQuelle = QStringLiteral("/bilder/linsen.png");
    QTest::newRow("liste, typ als adresse, texte mit zeilen") << fixture("jsonld_liste.html") << 2 << 0 << r;
    r = rezept(QString::fromUtf8("Grießbrei"),
               {QStringLiteral("500 ml Milch"), QString::fromUtf8("80 g Grieß")},
               {QStringLiteral("Milch aufkochen."), QString::fromUtf8("Grieß einrühren.")});
    r.anzahl = QStringLiteral("2");
    r.personen = QStringLiteral("Portionen");
    r.zeit = 25; // only a total time: all the page says
    QTest::newRow("liste, zweites rezept") << fixture("jsonld_liste.html") << 2 << 1 << r;

    r = rezept(QString::fromUtf8("Pfannkuchen «Oma»"),
               {QStringLiteral("250 g Mehl"), QStringLiteral("3 Eier"),
                QStringLiteral("500 ml Milch & etwas Wasser")},
               {QString::fromUtf8("Alles zu einem glatten Teig verrühren."),
                QString::fromUtf8("Dünn ausbacken.\nHeiß servieren.")});
    r.kategorie = QString::fromUtf8("Süßspeise");
    r.anzahl = QStringLiteral("8");
    r.personen = QString::fromUtf8("Stück");
    r.zeit = 15;
    r.kZeit = 20;
    r.bildQuelle = QStringLiteral("bilder/pfannkuchen.jpg");
    r.kalorien = QStringLiteral("310 kcal");
    QTest::newRow("nur mikrodaten") << fixture("mikrodaten.html") << 1 << 0 << r;

    r = rezept(QString::fromUtf8("Käsespätzle „Allgäu“"),
               {QString::fromUtf8("400 g Spätzle"), QString::fromUtf8("200 g Bergkäse")},
               {QString::fromUtf8("Spätzle kochen."), QString::fromUtf8("Mit Käse schichten.")});
    r.anzahl = QStringLiteral("4");
    r.personen = QStringLiteral("Anz. Personen");
    r.zeit = 30;
    QTest::newRow("windows-1252, kommentar um den block, roher umbruch im text")
        << fixture("windows1252.html") << 1 << 0 << r;
}

void TestWebseiten::seiten() {
    QFETCH(QByteArray, seite);
    QFETCH(int, anzahl);
    QFETCH(int, index);
    QFETCH(Fremdrezept, soll);
    const Leseergebnis e = leseHtml(seite);
    QVERIFY2(e.grund.isEmpty(), qPrintable(e.grund));
    QCOMPARE(e.rezepte.size(), anzahl);
    vergleichen(e.rezepte.at(index), soll);
}

void TestWebseiten::ohneRezept_data() {
    QTest::addColumn<QByteArray>("seite");
    QTest::addColumn<QString>("grund");
    QTest::newRow("seite ohne rezept")
        << fixture("kein_rezept.html") << QString::fromUtf8("Die Seite enthält kein Rezept.");
    QTest::newRow("beschaedigter block")
        << fixture("kaputt.html")
        << QString::fromUtf8(
               "Die Seite enthält kein lesbares Rezept: ihre Rezeptdaten (JSON-LD) sind beschädigt.");
    QTest::newRow("leer") << QByteArray(" \n ") << QStringLiteral("Die Datei ist leer.");
    QTest::newRow("kein html") << QByteArray("\x00\x01\x02\xff\xfe garbage", 13)
                               << QString::fromUtf8("Die Seite enthält kein Rezept.");
    QTest::newRow("rezept ohne inhalt")
        << QByteArray("<script type=application/ld+json>{\"@type\":\"Recipe\",\"name\":\"  \"}</script>")
        << QString::fromUtf8("Die Seite enthält kein Rezept.");
}

void TestWebseiten::ohneRezept() {
    QFETCH(QByteArray, seite);
    QFETCH(QString, grund);
    const Leseergebnis e = leseHtml(seite);
    QVERIFY(e.rezepte.isEmpty());
    QCOMPARE(e.grund, grund);
}

void TestWebseiten::feindseligeEingaben_data() {
    QTest::addColumn<QByteArray>("seite");
    QTest::addColumn<int>("rezepte");
    const QByteArray rezept = "{\"@type\":\"Recipe\",\"name\":\"Tief\"}";
    QTest::newRow("tief verschachteltes html")
        << (QByteArray("<div>").repeated(3000) + "<script type=\"application/ld+json\">" + rezept +
            "</script>")
        << 1;
    QTest::newRow("tief verschachteltes json")
        << (QByteArray("<script type=\"application/ld+json\">") + QByteArray("[").repeated(50000) + rezept +
            QByteArray("]").repeated(50000) + "</script>")
        << 0;
    QByteArray abschnitte = "{\"@type\":\"Recipe\",\"name\":\"Abschnitte\",\"recipeInstructions\":";
    for (int i = 0; i < 500; ++i)
        abschnitte += "{\"@type\":\"HowToSection\",\"name\":\"A\",\"itemListElement\":[";
    abschnitte += "\"innen\"" + QByteArray("]}").repeated(500) + "}";
    QTest::newRow("abschnitte in abschnitten")
        << (QByteArray("<script type=\"application/ld+json\">") + abschnitte + "</script>") << 1;
    QTest::newRow("verschachtelte items")
        << (QByteArray("<div itemscope itemtype=\"https://schema.org/Recipe\"><span itemprop=name>X</span>") +
            QByteArray("<div itemprop=\"recipeInstructions\" itemscope>").repeated(5000) + "tief" +
            QByteArray("</div>").repeated(5001))
        << 1;
    QByteArray muell(200000, '\0');
    for (int i = 0; i < muell.size(); ++i)
        muell[i] = char((i * 7919 + 13) % 251);
    QTest::newRow("muell") << muell << 0;
    QTest::newRow("offene tags") << QByteArray(
                                        "<a <b <c itemscope itemtype=Recipe itemprop=\"\"<<<&#xFFFFFFFF;&#0;")
                                 << 0;
}

void TestWebseiten::feindseligeEingaben() {
    QFETCH(QByteArray, seite);
    QFETCH(int, rezepte);
    const Leseergebnis e = leseHtml(seite);
    QCOMPARE(e.rezepte.size(), rezepte);
    QCOMPARE(e.grund.isEmpty(), rezepte > 0);
}

void TestWebseiten::parserZeitBegrenzt_data() {
    QTest::addColumn<QByteArray>("seite");
    // The parser's time grows with the square of the nesting: unbounded, each of these takes minutes.
    QTest::newRow("seite") << QByteArray("<div>").repeated(200000);
    QTest::newRow("text im json-ld") << (QByteArray("<script type=\"application/ld+json\">[") +
                                         QByteArray("{\"@type\":\"Recipe\",\"name\":\"") +
                                         QByteArray("<div>").repeated(50000) + "\"}," +
                                         QByteArray("{\"@type\":\"Recipe\",\"name\":\"Zwei") +
                                         QByteArray("<p>").repeated(50000) + "\"}]</script>");
}

void TestWebseiten::parserZeitBegrenzt() {
    QFETCH(QByteArray, seite);
    const qint64 vorher = Lesegrenze::standardzeit();
    Lesegrenze::setzeStandardzeit(500);
    const Leseergebnis e = leseHtml(seite);
    Lesegrenze::setzeStandardzeit(vorher);
    QVERIFY(e.rezepte.isEmpty());
    QCOMPARE(e.grund,
             QString::fromUtf8("Die Seite ist zu groß oder zu tief verschachtelt, um sie zu lesen."));
}

void TestWebseiten::dauern_data() {
    QTest::addColumn<QString>("dauer");
    QTest::addColumn<int>("minuten");
    QTest::newRow("stunden und minuten") << QStringLiteral("PT1H30M") << 90;
    QTest::newRow("tage-teil null") << QStringLiteral("P0DT2H") << 120;
    QTest::newRow("nur minuten") << QStringLiteral("PT90M") << 90;
    QTest::newRow("bruchteil") << QStringLiteral("PT0.5H") << 30;
    QTest::newRow("komma") << QStringLiteral("PT1,5H") << 90;
    QTest::newRow("sekunden gerundet") << QStringLiteral("PT1M31S") << 2;
    QTest::newRow("ein tag") << QStringLiteral("P1DT2H") << 1560;
    QTest::newRow("nullen vorweg") << QStringLiteral("P0Y0M0DT0H35M0.000S") << 35;
    QTest::newRow("klein und mit blanks") << QStringLiteral(" pt 20 m ") << 20;
    QTest::newRow("blosse zahl") << QStringLiteral("45") << 45;
    QTest::newRow("null") << QStringLiteral("PT0M") << 0;
    QTest::newRow("monate haben keine laenge") << QStringLiteral("P1M") << -1;
    QTest::newRow("nur P") << QStringLiteral("P") << -1;
    QTest::newRow("nur PT") << QStringLiteral("PT") << -1;
    QTest::newRow("ohne einheit") << QStringLiteral("PT20") << -1;
    QTest::newRow("zweimal T") << QStringLiteral("PT1HT2M") << -1;
    QTest::newRow("text") << QStringLiteral("20 Minuten") << -1;
    QTest::newRow("riesig") << QStringLiteral("PT99999999999H") << -1;
    QTest::newRow("negativ") << QStringLiteral("-PT5M") << -1;
    QTest::newRow("leer") << QString() << -1;
}

void TestWebseiten::dauern() {
    QFETCH(QString, dauer);
    QFETCH(int, minuten);
    QCOMPARE(minutenAusDauer(dauer), minuten);
    if (minuten >= 0) QCOMPARE(minutenAusDauer(dauerAusMinuten(minuten)), minuten);
}

void TestWebseiten::ausbeute_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("anzahl");
    QTest::addColumn<QString>("personen");
    QTest::newRow("zahl") << QStringLiteral("4") << QStringLiteral("4") << QStringLiteral("Portionen");
    QTest::newRow("portionen") << QStringLiteral("4 Portionen") << QStringLiteral("4")
                               << QStringLiteral("Portionen");
    QTest::newRow("servings") << QStringLiteral("4 servings") << QStringLiteral("4")
                              << QStringLiteral("Portionen");
    QTest::newRow("fuer personen") << QString::fromUtf8("Für 6 Personen") << QStringLiteral("6")
                                   << QStringLiteral("Anz. Personen");
    QTest::newRow("stueck") << QString::fromUtf8("12 Stück") << QStringLiteral("12")
                            << QString::fromUtf8("Stück");
    QTest::newRow("spanne") << QStringLiteral("4-6 Portionen") << QStringLiteral("4")
                            << QStringLiteral("Portionen");
    QTest::newRow("eigenes wort") << QStringLiteral("1 Kuchen (26 cm)") << QStringLiteral("1")
                                  << QStringLiteral("Kuchen (26 cm)");
    QTest::newRow("dezimal") << QStringLiteral("2,5 l") << QStringLiteral("2,5") << QStringLiteral("l");
    QTest::newRow("ohne zahl") << QStringLiteral("eine Springform") << QString()
                               << QStringLiteral("eine Springform");
    QTest::newRow("leer") << QString() << QString() << QString();
}

void TestWebseiten::ausbeute() {
    QFETCH(QString, text);
    QFETCH(QString, anzahl);
    QFETCH(QString, personen);
    const Ausbeute a = ausbeuteLesen(text);
    QCOMPARE(a.anzahl, anzahl);
    QCOMPARE(a.personen, personen);
}

void TestWebseiten::zeitAusGesamtzeit_data() {
    QTest::addColumn<QString>("zeiten");
    QTest::addColumn<int>("zeit");
    QTest::addColumn<int>("kochzeit");
    QTest::newRow("vorbereitung gewinnt")
        << QStringLiteral("\"prepTime\":\"PT10M\",\"totalTime\":\"PT1H\"") << 10 << -1;
    QTest::newRow("gesamt weniger kochen")
        << QStringLiteral("\"totalTime\":\"PT1H\",\"cookTime\":\"PT45M\"") << 15 << 45;
    QTest::newRow("nur gesamt") << QStringLiteral("\"totalTime\":\"PT1H\"") << 60 << -1;
    QTest::newRow("kochen laenger als gesamt: unbekannt")
        << QStringLiteral("\"totalTime\":\"PT30M\",\"cookTime\":\"PT45M\"") << -1 << 45;
    QTest::newRow("unlesbar") << QStringLiteral("\"prepTime\":\"bald\",\"cookTime\":\"PT5M\"") << -1 << 5;
}

void TestWebseiten::zeitAusGesamtzeit() {
    QFETCH(QString, zeiten);
    QFETCH(int, zeit);
    QFETCH(int, kochzeit);
    const Leseergebnis e =
        leseJsonLd(QStringLiteral("{\"@type\":\"Recipe\",\"name\":\"Z\",%1}").arg(zeiten).toUtf8());
    QCOMPARE(e.rezepte.size(), 1);
    QCOMPARE(e.rezepte[0].zeit, zeit);
    QCOMPARE(e.rezepte[0].kZeit, kochzeit);
}

void TestWebseiten::htmlText_data() {
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("text");
    QTest::newRow("entitaeten") << QStringLiteral("Salz &amp; Pfeffer &ndash; &#8222;frisch&#8220;")
                                << QString::fromUtf8("Salz & Pfeffer – „frisch“");
    QTest::newRow("tags weg, bloecke als zeilen")
        << QStringLiteral("<p>Eins <b>fett</b></p><ul><li>Zwei</li><li>Drei<br>Vier</li></ul>")
        << QStringLiteral("Eins fett\nZwei\nDrei\nVier");
    QTest::newRow("skripte nicht") << QStringLiteral("A<script>alert(1)</script><style>p{}</style>B")
                                   << QStringLiteral("AB");
    QTest::newRow("blanks") << QStringLiteral("  viel   \t Platz \n\n  hier ")
                            << QStringLiteral("viel Platz\nhier");
    QTest::newRow("kleiner-zeichen ohne tag bleibt")
        << QStringLiteral("a < b & c") << QStringLiteral("a < b & c");
    QTest::newRow("weiches trennzeichen")
        << QStringLiteral("Kartoffel\u00ADgratin") << QStringLiteral("Kartoffelgratin");
    QTest::newRow("tabellenzellen") << QStringLiteral("<table><tr><td>200 g</td><td>Mehl</td></tr></table>")
                                    << QStringLiteral("200 g Mehl");
}

void TestWebseiten::htmlText() {
    QFETCH(QString, fragment);
    QFETCH(QString, text);
    QCOMPARE(htmlZuText(fragment), text);
}

QTEST_GUILESS_MAIN(TestWebseiten)
#include "tst_webseiten.moc"
