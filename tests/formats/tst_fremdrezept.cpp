// SPDX-License-Identifier: GPL-3.0-or-later
// A foreign recipe stored as the entry window stores one: field by field, in the book's code page,
// cut to the fields, and every change shown.
#include "formats/Fremdrezept.h"

#include <QtTest>

using namespace pfl;

Q_DECLARE_METATYPE(pfl::Fremdrezept)

namespace {

const QDate kHeute(2026, 12, 7);

Fremdrezept beispiel() {
    Fremdrezept r;
    r.name = QStringLiteral("Zwiebelkuchen");
    r.kategorie = QStringLiteral("Herzhaft");
    r.zutaten = {QStringLiteral("500 g Zwiebeln"), QStringLiteral("200 g Speck"),
                 QStringLiteral("Für den Teig:"), QStringLiteral("250 g Mehl")};
    r.zubereitung = {QStringLiteral("Zwiebeln schneiden."), QStringLiteral("Teig ausrollen.\nBelegen."),
                     QStringLiteral("Backen.")};
    r.utensilien = QStringLiteral("Blech\nNudelholz");
    r.anzahl = QStringLiteral("4");
    r.personen = QStringLiteral("Portionen");
    r.zeit = 45;
    r.kZeit = 0;
    r.schwer = QStringLiteral("Mittel ");
    r.kalorien = QStringLiteral("420 kcal");
    r.preis = 6.5;
    return r;
}

QStringList felder(const QList<Kuerzung>& k) {
    QStringList f;
    for (const Kuerzung& x : k)
        f.append(x.feld);
    return f;
}

} // namespace

class TestFremdrezept : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeichen_data();
    void zeichen();
    void felderWieDasErfassungsfenster();
    void aenderungenGezeigt_data();
    void aenderungenGezeigt();
    void langeTexteGekuerzt();
    void satzUndZurueck();
    void bildname_data();
    void bildname();
};

void TestFremdrezept::zeichen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mehrzeilig");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("drittel") << QString::fromUtf8("⅓ Tasse") << false << QStringLiteral("1/3 Tasse");
    QTest::newRow("ganze und drittel")
        << QString::fromUtf8("1⅔ Tassen") << false << QStringLiteral("1 2/3 Tassen");
    QTest::newRow("halb bleibt: das Buch kennt es")
        << QString::fromUtf8("1½ TL, ¼ l, ¾ kg") << false << QString::fromUtf8("1½ TL, ¼ l, ¾ kg");
    QTest::newRow("deutsche anfuehrung, striche, auslassung bleiben")
        << QString::fromUtf8("„Omas“ ‚Kuchen‘ – gut — fertig…") << false
        << QString::fromUtf8("„Omas“ ‚Kuchen‘ – gut — fertig…");
    QTest::newRow("striche ohne cp1252-form")
        << QString::fromUtf8("10\u201220 Min, \u22125 Grad, Koch\u2010buch") << false
        << QStringLiteral("10-20 Min, -5 Grad, Koch-buch");
    QTest::newRow("zerlegte umlaute zusammengesetzt")
        << QStringLiteral("Ka\u0308se und Gemu\u0308se") << false << QString::fromUtf8("Käse und Gemüse");
    QTest::newRow("feste und schmale leerzeichen") << QStringLiteral("200\u00A0g Mehl, 2\u2009cm, 3\u202Fl")
                                                   << false << QStringLiteral("200 g Mehl, 2 cm, 3 l");
    QTest::newRow("unsichtbares faellt weg")
        << QStringLiteral("Zu\u200Bcker\uFEFF") << false << QStringLiteral("Zucker");
    QTest::newRow("grad celsius") << QStringLiteral("180 \u2103") << false << QString::fromUtf8("180 °C");
    QTest::newRow("unbekanntes als ?")
        << QString::fromUtf8("Tee ☕ und 🍰!") << false << QStringLiteral("Tee ? und ?!");
    QTest::newRow("emoji mit variante ein ?") << QString::fromUtf8("❤️") << false << QStringLiteral("?");
    QTest::newRow("tab und umbruch in einer zeile")
        << QStringLiteral("a\tb\nc") << false << QStringLiteral("a b c");
    QTest::newRow("umbrueche mehrzeilig")
        << QStringLiteral("a\r\nb\rc\td") << true << QStringLiteral("a\nb\nc\td");
    QTest::newRow("euro bleibt") << QString::fromUtf8("5 €") << false << QString::fromUtf8("5 €");
}

void TestFremdrezept::zeichen() {
    QFETCH(QString, text);
    QFETCH(bool, mehrzeilig);
    QFETCH(QString, erwartet);
    const QString t = buchtauglich(text, mehrzeilig);
    QCOMPARE(t, erwartet);
    // Whatever comes out, the code page holds it unchanged.
    QCOMPARE(fromCp1252(toCp1252(t)), t);
}

void TestFremdrezept::felderWieDasErfassungsfenster() {
    const Satzvorschau v = satzAusFremdrezept(beispiel(), QStringLiteral("Backen"), kHeute);
    QVERIFY2(v.kuerzungen.isEmpty(), qPrintable(felder(v.kuerzungen).join(QLatin1Char(','))));
    const dateien& s = v.satz;
    QCOMPARE(s.name.toQString(), QStringLiteral("Zwiebelkuchen"));
    QCOMPARE(s.Rubrik.toQString(), QStringLiteral("Backen"));
    QCOMPARE(s.kategorie.toQString(), QStringLiteral("Herzhaft"));
    QCOMPARE(QByteArray(s.zutaten.bytes),
             QByteArray("500 g Zwiebeln\r\n200 g Speck\r\nF\xFCr den Teig:\r\n250 g Mehl"));
    QCOMPARE(QByteArray(s.zubereitung.bytes),
             QByteArray("Zwiebeln schneiden.\r\n\r\nTeig ausrollen.\r\nBelegen.\r\n\r\nBacken."));
    QCOMPARE(QByteArray(s.utensielien.bytes), QByteArray("Blech\r\nNudelholz"));
    QCOMPARE(s.anzahl.toQString(), QStringLiteral("4"));
    QCOMPARE(s.personen.toQString(), QStringLiteral("Portionen"));
    QCOMPARE(s.zeit.toQString(), QStringLiteral("45"));
    QCOMPARE(s.k_zeit.toQString(), QStringLiteral("0"));
    QCOMPARE(s.schwer.toQString(), QStringLiteral("Mittel "));
    QCOMPARE(s.kalorien.toQString(), QStringLiteral("420 kcal"));
    QCOMPARE(s.preis, 6.5);
    QCOMPARE(s.erfasst_am.toQString(), QStringLiteral("07.12.2026"));
    QVERIFY(s.bild.isEmpty());
    // Fields the entry window never sets stay zero, as in a fresh buffer.
    QVERIFY(s.artikel.isEmpty() && s.str_10.isEmpty() && s.int1 == 0 && s.long3 == 0);

    // Unknown times stay empty; a recipe's own section and date win over the importer's.
    Fremdrezept r = beispiel();
    r.zeit = -1;
    r.kZeit = -1;
    r.rubrik = QStringLiteral("Kuchen");
    r.erfasstAm = QDate(2001, 2, 3);
    r.zubereitung = {QStringLiteral("Eins."), QStringLiteral("  "), QString(), QStringLiteral("Zwei.")};
    const dateien t = satzAusFremdrezept(r, QStringLiteral("Backen"), kHeute).satz;
    QVERIFY(t.zeit.isEmpty() && t.k_zeit.isEmpty());
    QCOMPARE(t.Rubrik.toQString(), QStringLiteral("Kuchen"));
    QCOMPARE(t.erfasst_am.toQString(), QStringLiteral("03.02.2001"));
    QCOMPARE(t.zubereitung.plainText(), QStringLiteral("Eins.\n\nZwei."));
}

void TestFremdrezept::aenderungenGezeigt_data() {
    QTest::addColumn<Fremdrezept>("rezept");
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("vorher");
    QTest::addColumn<QString>("gespeichert");

    Fremdrezept r = beispiel();
    r.name = QStringLiteral("Ein sehr langer Name eines Rezepts mit vielen Wörtern");
    QTest::newRow("name gekuerzt") << r << QStringLiteral("Name des Rezepts") << r.name << r.name.left(40);

    r = beispiel();
    r.zutaten = {QString::fromUtf8("⅓ Tasse Milch"), QStringLiteral("1 Ei")};
    QTest::newRow("bruch in den zutaten")
        << r << QStringLiteral("Zutatenliste") << QString::fromUtf8("⅓ Tasse Milch\n1 Ei")
        << QStringLiteral("1/3 Tasse Milch\n1 Ei");

    r = beispiel();
    r.kategorie = QString::fromUtf8("Kuchen 🍰");
    QTest::newRow("fremdes zeichen") << r << QStringLiteral("Kategorie") << r.kategorie
                                     << QStringLiteral("Kuchen ?");

    r = beispiel();
    r.anzahl = QStringLiteral("12345678901");
    QTest::newRow("anzahl zehn stellen")
        << r << QStringLiteral("Anzahl Personen oder Portionen") << r.anzahl << QStringLiteral("1234567890");

    r = beispiel();
    r.personen = QStringLiteral("Stück\u00A0(à 80\u00A0g)");
    QTest::newRow("feste leerzeichen")
        << r << QStringLiteral("Art der Portionen") << r.personen << QStringLiteral("Stück (à 80 g)");
}

void TestFremdrezept::aenderungenGezeigt() {
    QFETCH(Fremdrezept, rezept);
    QFETCH(QString, feld);
    QFETCH(QString, vorher);
    QFETCH(QString, gespeichert);
    const Satzvorschau v = satzAusFremdrezept(rezept, QStringLiteral("Backen"), kHeute);
    QCOMPARE(v.kuerzungen.size(), 1);
    QCOMPARE(v.kuerzungen[0].feld, feld);
    QCOMPARE(v.kuerzungen[0].vorher, vorher);
    QCOMPARE(v.kuerzungen[0].gespeichert, gespeichert);
}

void TestFremdrezept::langeTexteGekuerzt() {
    // 1667 lines of "x" joined by CR LF are 4999 bytes; the next CR is the 5000th byte: the lone CR
    // goes too, so the block ends on a whole line.
    Fremdrezept r = beispiel();
    r.zutaten = QStringList(2501, QStringLiteral("x"));
    r.zubereitung = {QString(10001, QLatin1Char('z'))};
    r.name = QString::fromUtf8("Käse⅓") + QString(40, QLatin1Char('k'));
    const Satzvorschau v = satzAusFremdrezept(r, QStringLiteral("Backen"), kHeute);
    QCOMPARE(felder(v.kuerzungen),
             QStringList({QStringLiteral("Name des Rezepts"), QStringLiteral("Zutatenliste"),
                          QStringLiteral("Zubereitung")}));
    // One change per field, replacement and cut together.
    QCOMPARE(v.kuerzungen[0].gespeichert,
             QString(QString::fromUtf8("Käse1/3") + QString(33, QLatin1Char('k'))));
    const QByteArray zutaten(v.satz.zutaten.bytes);
    QCOMPARE(zutaten.size(), 4999);
    QVERIFY(zutaten.endsWith("\r\nx"));
    QCOMPARE(v.kuerzungen[1].gespeichert, QStringList(1667, QStringLiteral("x")).join(QLatin1Char('\n')));
    QCOMPARE(QByteArray(v.satz.zubereitung.bytes, 10001), QByteArray(10000, 'z') + QByteArray(1, '\0'));
}

void TestFremdrezept::satzUndZurueck() {
    // A record read back as a foreign recipe and stored again is the same record.
    const Fremdrezept r = beispiel();
    dateien s = satzAusFremdrezept(r, QStringLiteral("Backen"), kHeute).satz;
    s.bild = QStringLiteral("zwiebel.jpg");
    const Fremdrezept zurueck = fremdrezeptAusSatz(s);
    QCOMPARE(zurueck.zutaten, r.zutaten);
    QCOMPARE(zurueck.zubereitung, r.zubereitung);
    QCOMPARE(zurueck.zeit, 45);
    QCOMPARE(zurueck.kZeit, 0);
    QCOMPARE(zurueck.erfasstAm, kHeute);
    QCOMPARE(zurueck.rubrik, QStringLiteral("Backen"));
    QCOMPARE(zurueck.bildQuelle, QStringLiteral("zwiebel.jpg"));
    const Satzvorschau wieder = satzAusFremdrezept(zurueck, QString(), QDate(1999, 1, 1));
    QVERIFY(wieder.kuerzungen.isEmpty());
    dateien w = wieder.satz;
    w.bild = s.bild;
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&w), sizeof w),
             QByteArray(reinterpret_cast<const char*>(&s), sizeof s));

    // An empty record gives empty entries and unknown times, not one empty line.
    dateien leer;
    zeroRecord(leer);
    const Fremdrezept l = fremdrezeptAusSatz(leer);
    QVERIFY(l.zutaten.isEmpty() && l.zubereitung.isEmpty());
    QCOMPARE(l.zeit, -1);
    QVERIFY(!l.erfasstAm.isValid());
}

void TestFremdrezept::bildname_data() {
    QTest::addColumn<QString>("quelle");
    QTest::addColumn<QString>("name");
    QTest::newRow("url") << QStringLiteral("https://example.org/bilder/kuchen.jpg?w=800#x")
                         << QStringLiteral("kuchen.jpg");
    QTest::newRow("prozentkodiert") << QStringLiteral("Seite-Bilder/Apfel%20Kuchen.png")
                                    << QStringLiteral("Apfel Kuchen.png");
    QTest::newRow("windows-pfad") << QStringLiteral("C:\\Rezepte\\torte.bmp") << QStringLiteral("torte.bmp");
    QTest::newRow("kein ausbruch") << QStringLiteral("../../etc/passwd") << QStringLiteral("passwd");
    QTest::newRow("nur punkte") << QStringLiteral("bilder/..") << QString();
    QTest::newRow("verborgen") << QStringLiteral(".bild.jpg") << QStringLiteral("bild.jpg");
    QTest::newRow("lang, endung bleibt") << (QString(50, QLatin1Char('a')) + QStringLiteral(".jpeg"))
                                         << (QString(35, QLatin1Char('a')) + QStringLiteral(".jpeg"));
    QTest::newRow("leer") << QString() << QString();
}

void TestFremdrezept::bildname() {
    QFETCH(QString, quelle);
    QFETCH(QString, name);
    QCOMPARE(bildnameAusQuelle(quelle), name);
}

QTEST_GUILESS_MAIN(TestFremdrezept)
#include "tst_fremdrezept.moc"
