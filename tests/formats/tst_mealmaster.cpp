// SPDX-License-Identifier: GPL-3.0-or-later
// MealMaster files: every recipe of a file, its head, the ingredient columns (one and two),
// continuations and sub-headings, the directions, the code page; progress and cancelling.
#include "formats/Leser.h"
#include "formats/Schreiber.h"
#include "formats/Zeichensaetze.h"

#include <QtTest>

using namespace pfl;

namespace {

QByteArray fixture(const char* name) {
    QFile f(QStringLiteral(PFANNO_FIXTURES) + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) qFatal("fixture %s missing", name);
    return f.readAll();
}

QStringList u8(std::initializer_list<const char*> texte) {
    QStringList l;
    for (const char* t : texte)
        l.append(QString::fromUtf8(t));
    return l;
}

} // namespace

class TestMealMaster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dateien_data();
    void dateien();
    void zeichensatz_data();
    void zeichensatz();
    void cp850Tabelle();
    void ohneRezept_data();
    void ohneRezept();
    void fortschrittUndAbbruch();
    void schreiben();
};

void TestMealMaster::dateien_data() {
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("kopf"); // name, kategorie, anzahl, personen
    QTest::addColumn<QStringList>("zutaten");
    QTest::addColumn<QStringList>("zubereitung");

    QTest::newRow("einspaltig, windows-1252, unterueberschrift, fortsetzung")
        << fixture("mm_einspaltig.mmf") << 2 << 0 << u8({"Rinderrouladen", "Fleisch", "4", "Portionen"})
        << u8({"4 Rinderrouladen (à 180 g)", "2 EL Senf, mittelscharf", "1 ts Salz",
               "100 g Speck, in Streifen gewürfelt, durchwachsen", "FÜR DIE SOSSE", "1/2 l Rotwein",
               "1 1/2 EL Mehl", "Pfeffer"})
        << u8({"1. Rouladen ausbreiten, mit Senf bestreichen, salzen und pfeffern.",
               "2. Speck darauf verteilen, aufrollen und feststecken.",
               "Im Bräter rundum anbraten, mit Rotwein ablöschen und 90 Minuten schmoren."});
    QTest::newRow("zweites rezept, servings, text dazwischen")
        << fixture("mm_einspaltig.mmf") << 2 << 1 << u8({"Quarkspeise", "Dessert", "6", "Portionen"})
        << u8({"500 g Magerquark", "Zucker nach Geschmack"})
        << u8({"Quark mit Zucker verrühren. Kalt stellen."});
    QTest::newRow("zweispaltig, cp-850, striche statt M")
        << fixture("mm_zweispaltig.mmf") << 1 << 0 << u8({"Gemüsesuppe", "Suppen", "6", "Anz. Personen"})
        << u8({"2 Möhren", "1 Stange Lauch", "3 Kartoffeln, mehlig und geschält", "200 g Erbsen",
               "1 l Gemüsebrühe", "1 ts Salz", "Muskat", "ZUM BESTREUEN", "1 Bd Petersilie",
               "50 g Käse, gerieben"})
        << u8({"Gemüse putzen und würfeln. In der Brühe 20 Minuten köcheln lassen. Mit Salz und Muskat "
               "abschmecken.",
               "Mit Petersilie und Käse bestreut servieren."});
    QTest::newRow("utf-8, ohne leerzeile nach dem kopf")
        << fixture("mm_utf8.txt") << 1 << 0 << u8({"Crème brûlée", "Dessert", "4", "Portionen"})
        << u8({"½ l Sahne", "4 Eigelb"})
        << u8({"Sahne erhitzen, Eigelb unterschlagen, im Wasserbad stocken lassen."});
    QTest::newRow("ohne schlusszeile, tabs, naechster kopf beendet")
        << QByteArray("MMMMM----- Recipe via Meal-Master\n Title: Eins\n\n      2 EL\tZucker\n\nRuehren.\n"
                      "---------- Recipe via Meal-Master\n Title: Zwei\n")
        << 2 << 0 << u8({"Eins", "", "", ""}) << u8({"2 EL Zucker"}) << u8({"Ruehren."});
}

void TestMealMaster::dateien() {
    QFETCH(QByteArray, datei);
    QFETCH(int, anzahl);
    QFETCH(int, index);
    QFETCH(QStringList, kopf);
    QFETCH(QStringList, zutaten);
    QFETCH(QStringList, zubereitung);
    const Leseergebnis e = leseMealMaster(datei);
    QVERIFY2(e.grund.isEmpty(), qPrintable(e.grund));
    QCOMPARE(e.rezepte.size(), anzahl);
    const Fremdrezept& r = e.rezepte.at(index);
    QCOMPARE(r.name, kopf[0]);
    QCOMPARE(r.kategorie, kopf[1]);
    QCOMPARE(r.anzahl, kopf[2]);
    QCOMPARE(r.personen, kopf[3]);
    QCOMPARE(r.zutaten, zutaten);
    QCOMPARE(r.zubereitung, zubereitung);
    QVERIFY(r.rubrik.isEmpty() && r.zeit < 0 && r.kZeit < 0 && r.bildQuelle.isEmpty());
}

void TestMealMaster::zeichensatz_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("satz");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Kaese") << int(Zeichensatz::Windows1252) << QStringLiteral("Kaese");
    QTest::newRow("utf-8") << QByteArray("K\xC3\xA4se") << int(Zeichensatz::Utf8)
                           << QString::fromUtf8("Käse");
    QTest::newRow("windows-1252") << QByteArray("K\xE4se, Gr\xFC\xDF"
                                                "e, \xD6l")
                                  << int(Zeichensatz::Windows1252) << QString::fromUtf8("Käse, Grüße, Öl");
    QTest::newRow("cp-850") << QByteArray("K\x84se, Gr\x81\xE1"
                                          "e, \x99l")
                            << int(Zeichensatz::Cp850) << QString::fromUtf8("Käse, Grüße, Öl");
    // „ (0x84) and “ (0x93) of Windows-1252 stand outside words; CP-850's ä (0x84) inside.
    QTest::newRow("deutsche anfuehrung ist kein cp-850")
        << QByteArray("\x84Omas\x93 K\xE4se \x84gut\x93") << int(Zeichensatz::Windows1252)
        << QString::fromUtf8("„Omas“ Käse „gut“");
    QTest::newRow("kastenlinien sind kein windows-1252")
        << QByteArray("\xC4\xC4\xC4\xC4 K\x84se \xC4\xC4\xC4\xC4") << int(Zeichensatz::Cp850)
        << QString::fromUtf8("──── Käse ────");
    QTest::newRow("ungueltiges utf-8 ist windows-1252")
        << QByteArray("\xC3\x28 M\xFChle") << int(Zeichensatz::Windows1252) << QString::fromUtf8("Ã( Mühle");
    // Long runs of ASCII before, between and after the other bytes, at every place in a word of eight.
    QTest::newRow("utf-8 hinter langem ascii")
        << QByteArray("Zutaten: 500 g Weizenmehl, K\xC3\xA4se und noch etwas Salz") << int(Zeichensatz::Utf8)
        << QString::fromUtf8("Zutaten: 500 g Weizenmehl, Käse und noch etwas Salz");
    QTest::newRow("windows-1252 hinter langem ascii")
        << QByteArray("Zutaten: 500 g Weizenmehl, 1 Prise Salz und K\xE4se") << int(Zeichensatz::Windows1252)
        << QString::fromUtf8("Zutaten: 500 g Weizenmehl, 1 Prise Salz und Käse");
    QTest::newRow("cp-850 hinter langem ascii")
        << QByteArray("Zutaten: 500 g Weizenmehl, 1 Prise Salz, K\x84se") << int(Zeichensatz::Cp850)
        << QString::fromUtf8("Zutaten: 500 g Weizenmehl, 1 Prise Salz, Käse");
    QTest::newRow("abgeschnittenes utf-8 am ende")
        << QByteArray("Zutaten: 500 g Weizenmehl, K\xC3\xA4se \xC3") << int(Zeichensatz::Windows1252)
        << QString::fromUtf8("Zutaten: 500 g Weizenmehl, KÃ¤se Ã");
    QTest::newRow("ueberlanges utf-8 gilt nicht")
        << QByteArray("\xC0\xAF") << int(Zeichensatz::Windows1252) << QString::fromUtf8("À¯");
}

void TestMealMaster::zeichensatz() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, satz);
    QFETCH(QString, text);
    const Zeichensatz s = zeichensatzErkennen(bytes);
    QCOMPARE(int(s), satz);
    QCOMPARE(dekodieren(bytes.constData(), bytes.size(), s), text);
}

void TestMealMaster::cp850Tabelle() {
    // Spot checks across the whole table, against the code page's published chart.
    const QByteArray b("\x80\x81\x8E\x9C\x9F\xA0\xAB\xB0\xC4\xD5\xE1\xE6\xF0\xF8\xFD\xFE\xFF");
    QCOMPARE(fromCp850(b.constData(), b.size()), QStringLiteral("Çü\u00C4£ƒá½░─ıßµ\u00AD°²■\u00A0"));
}

void TestMealMaster::ohneRezept_data() {
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QString>("grund");
    QTest::newRow("kein mealmaster") << QByteArray("Nur ein Einkaufszettel.\nMilch\nBrot\n")
                                     << QString::fromUtf8("Die Datei enthält kein MealMaster-Rezept.");
    QTest::newRow("leere rezepte") << QByteArray("MMMMM----- Recipe via Meal-Master\n\nMMMMM\n")
                                   << QString::fromUtf8("Die MealMaster-Rezepte der Datei sind leer.");
    QTest::newRow("leer") << QByteArray() << QString::fromUtf8("Die Datei enthält kein MealMaster-Rezept.");
}

void TestMealMaster::ohneRezept() {
    QFETCH(QByteArray, datei);
    QFETCH(QString, grund);
    const Leseergebnis e = leseMealMaster(datei);
    QVERIFY(e.rezepte.isEmpty());
    QCOMPARE(e.grund, grund);
}

void TestMealMaster::fortschrittUndAbbruch() {
    const QByteArray eins = fixture("mm_einspaltig.mmf");
    const QByteArray gross = eins.repeated(2000); // about 2 MB, 4000 recipes
    QList<qint64> meldungen;
    const Leseergebnis alle = leseMealMaster(gross, [&](qint64 gelesen, qint64 gesamt) {
        meldungen.append(gelesen);
        return gesamt == gross.size();
    });
    QCOMPARE(alle.rezepte.size(), 4000);
    QVERIFY(meldungen.size() > 4);
    QVERIFY(std::is_sorted(meldungen.begin(), meldungen.end()));
    QCOMPARE(meldungen.last(), qint64(gross.size()));

    int aufrufe = 0;
    const Leseergebnis halb = leseMealMaster(gross, [&](qint64, qint64) { return ++aufrufe < 3; });
    QVERIFY(halb.abgebrochen);
    QVERIFY(halb.rezepte.isEmpty());
    QCOMPARE(aufrufe, 3);
    QCOMPARE(halb.grund, QStringLiteral("Das Einlesen wurde abgebrochen."));
}

void TestMealMaster::schreiben() {
    Fremdrezept r;
    r.name = QString::fromUtf8("Käsekuchen ⅓");
    r.kategorie = QStringLiteral("Kuchen");
    r.anzahl = QStringLiteral("12");
    r.personen = QString::fromUtf8("Stück");
    r.zutaten = u8({"Für den Boden:", "200 g Mehl", "1 1/2 EL Zucker", "1 Prise Salz",
                    "500 g Quark (Magerstufe, gut abgetropft und glatt gerührt)", "Ei"});
    // The natural break of the first paragraph would start a line with "2.", which reads as a step.
    r.zubereitung = {QString(70, QLatin1Char('a')) + QStringLiteral(" und 2. Schritt folgt hier."),
                     QStringLiteral("Backen.")};
    const QByteArray mm = schreibeMealMaster({r});
    const QString text = fromCp1252(mm);
    QCOMPARE(text.section(QStringLiteral("\r\n"), 0, 13),
             QString::fromUtf8("MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n"
                               "\r\n"
                               "      Title: Käsekuchen 1/3\r\n"
                               " Categories: Kuchen\r\n"
                               "      Yield: 12 Stück\r\n"
                               "\r\n"
                               "MMMMM-----Für den Boden:-----\r\n"
                               "    200 g  Mehl\r\n"
                               "  1 1/2 EL Zucker\r\n"
                               "      1    Prise Salz\r\n"
                               "    500 g  Quark (Magerstufe, gut\r\n"
                               "           -abgetropft und glatt\r\n"
                               "           -gerührt)\r\n"
                               "           Ei"));
    QVERIFY(text.contains(QStringLiteral("\r\n  und 2. Schritt folgt hier.\r\n")));
    QVERIFY(text.endsWith(QStringLiteral("\r\nMMMMM\r\n\r\n")));
    for (const QString& z : text.split(QStringLiteral("\r\n")))
        QVERIFY2(z.size() <= 78, qPrintable(z));
    // What it wrote, it reads back the same.
    const Leseergebnis e = leseMealMaster(mm);
    QCOMPARE(e.rezepte.size(), 1);
    QCOMPARE(e.rezepte[0].zutaten, r.zutaten);
    QCOMPARE(e.rezepte[0].zubereitung, r.zubereitung);
    QCOMPARE(e.rezepte[0].name, QString::fromUtf8("Käsekuchen 1/3"));
}

QTEST_GUILESS_MAIN(TestMealMaster)
#include "tst_mealmaster.moc"
