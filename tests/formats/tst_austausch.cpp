// SPDX-License-Identifier: GPL-3.0-or-later
// Recipes out and back in: a record written as HTML, JSON-LD or MealMaster and read again is the
// same record (MealMaster keeps what it can hold); the file guards, the picture addresses and the
// duplicate check.
#include "formats/Dubletten.h"
#include "formats/Leser.h"
#include "formats/Schreiber.h"

#include <QtTest>

using namespace pfl;

namespace {

const QDate kHeute(2026, 12, 7);

dateien satz(int i) {
    dateien d;
    zeroRecord(d);
    d.Rubrik = QStringLiteral("Backen");
    d.name = QString::fromUtf8("Zwiebelkuchen „Omas“ Nr. %1").arg(i);
    d.kategorie = QStringLiteral("Herzhaft");
    d.personen = QStringLiteral("Anz. Personen");
    d.anzahl = QString::number(2 + i);
    d.zeit = QStringLiteral("45");
    d.k_zeit = QStringLiteral("0");
    d.schwer = QStringLiteral("Mittel ");
    d.kalorien = QStringLiteral("420 kcal");
    d.preis = 6.5 + i;
    d.erfasst_am = QStringLiteral("03.02.2001");
    d.bild = QStringLiteral("Zwiebel Kuchen.jpg");
    d.zutaten.setPlainText(QString::fromUtf8("500 g Zwiebeln\n1 1/2 EL Öl\nSalz & Pfeffer\nFür den Teig:\n"
                                             "250 g Mehl (Type 405, gesiebt und mit etwas Salz vermischt)\n"
                                             "½ Würfel Hefe\n1 Prise Zucker"));
    d.zubereitung.setPlainText(QString::fromUtf8("Zwiebeln in Ringe schneiden und in Öl glasig dünsten; "
                                                 "bei < 180 °C und nicht zu heiß.\n\n"
                                                 "Teig kneten.\nGehen lassen.\n\n3. Backen: 40 Minuten."));
    d.utensielien.setPlainText(QStringLiteral("Blech\nNudelholz"));
    return d;
}

QByteArray feld(const dateien& d, int von, int bis) {
    return QByteArray(reinterpret_cast<const char*>(&d) + von, bis - von);
}

} // namespace

class TestAustausch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hinUndZurueck_data();
    void hinUndZurueck();
    void htmlSeiteZeigtDieFelder();
    void dateienPruefen_data();
    void dateienPruefen();
    void formatAusInhalt_data();
    void formatAusInhalt();
    void bildadressen_data();
    void bildadressen();
    void dubletten_data();
    void dubletten();
};

void TestAustausch::hinUndZurueck_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("html") << QStringLiteral("html");
    QTest::newRow("json-ld") << QStringLiteral("jsonld");
    QTest::newRow("mealmaster") << QStringLiteral("mm");
}

void TestAustausch::hinUndZurueck() {
    QFETCH(QString, format);
    QList<dateien> saetze;
    QList<Fremdrezept> rezepte;
    for (int i = 0; i < 3; ++i) {
        saetze.append(satz(i));
        rezepte.append(fremdrezeptAusSatz(saetze.last()));
    }
    Leseergebnis e;
    if (format == QLatin1String("html")) {
        const Ausgabe a =
            schreibeHtml(rezepte, QStringLiteral("Meine Rezepte"), QStringLiteral("Export_Bilder"));
        QCOMPARE(a.bilder, QStringList{QStringLiteral("Zwiebel Kuchen.jpg")});
        e = leseHtml(a.inhalt);
    } else if (format == QLatin1String("jsonld")) {
        const Ausgabe a = schreibeJsonLd(rezepte, QStringLiteral("Export_Bilder"));
        QCOMPARE(a.bilder, QStringList{QStringLiteral("Zwiebel Kuchen.jpg")});
        e = leseJsonLd(a.inhalt);
    } else {
        e = leseMealMaster(schreibeMealMaster(rezepte));
    }
    QVERIFY2(e.grund.isEmpty(), qPrintable(e.grund));
    QCOMPARE(e.rezepte.size(), 3);
    const bool mm = format == QLatin1String("mm");
    for (int i = 0; i < 3; ++i) {
        const Satzvorschau v = satzAusFremdrezept(e.rezepte[i], QStringLiteral("Import"), kHeute);
        QVERIFY(v.kuerzungen.isEmpty());
        const dateien& ist = v.satz;
        const dateien& soll = saetze[i];
        QCOMPARE(ist.name.toQString(), soll.name.toQString());
        QCOMPARE(ist.kategorie.toQString(), soll.kategorie.toQString());
        QCOMPARE(ist.anzahl.toQString(), soll.anzahl.toQString());
        QCOMPARE(ist.personen.toQString(), soll.personen.toQString());
        QCOMPARE(ist.zutaten.toQString(), soll.zutaten.toQString());
        if (mm) {
            // A paragraph's own line breaks become blanks: MealMaster wraps paragraphs as it likes.
            QString absaetze =
                soll.zubereitung.plainText().replace(QStringLiteral("\n\n"), QStringLiteral("\r"));
            absaetze.replace(QLatin1Char('\n'), QLatin1Char(' '))
                .replace(QLatin1Char('\r'), QStringLiteral("\n\n"));
            QCOMPARE(ist.zubereitung.plainText(), absaetze);
            // MealMaster has no place for these: the importer's section and date, nothing else.
            QCOMPARE(ist.Rubrik.toQString(), QStringLiteral("Import"));
            QCOMPARE(ist.erfasst_am.toQString(), QStringLiteral("07.12.2026"));
            QVERIFY(ist.zeit.isEmpty() && ist.k_zeit.isEmpty() && ist.schwer.isEmpty() &&
                    ist.kalorien.isEmpty());
            QVERIFY(ist.preis == 0 && ist.utensielien.toQString().isEmpty() &&
                    e.rezepte[i].bildQuelle.isEmpty());
            continue;
        }
        // Every other field byte for byte, up to the picture, which the importer fetches itself.
        QCOMPARE(feld(ist, 0, offsetof(dateien, bild)), feld(soll, 0, offsetof(dateien, bild)));
        QCOMPARE(feld(ist, offsetof(dateien, str_1), sizeof(dateien)),
                 feld(soll, offsetof(dateien, str_1), sizeof(dateien)));
        QCOMPARE(e.rezepte[i].bildQuelle, QStringLiteral("Export_Bilder/Zwiebel%20Kuchen.jpg"));
        QCOMPARE(bildnameAusQuelle(e.rezepte[i].bildQuelle), soll.bild.toQString());
        const QUrl seite = QUrl::fromLocalFile(QStringLiteral("/home/koch/Export.html"));
        QCOMPARE(bildUrl(e.rezepte[i].bildQuelle, seite).toLocalFile(),
                 QStringLiteral("/home/koch/Export_Bilder/Zwiebel Kuchen.jpg"));
    }
}

void TestAustausch::htmlSeiteZeigtDieFelder() {
    Fremdrezept r = fremdrezeptAusSatz(satz(0));
    r.name = QStringLiteral("Tarte <Tatin> & </script> Co.");
    const Ausgabe a = schreibeHtml({r}, QStringLiteral("Export & mehr"), QStringLiteral("Bilder Export"));
    const QString html = QString::fromUtf8(a.inhalt);
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    QVERIFY(html.contains(QStringLiteral("<title>Export &amp; mehr</title>")));
    QVERIFY(html.contains(QStringLiteral("<h2>Tarte &lt;Tatin&gt; &amp; &lt;/script&gt; Co.</h2>")));
    QVERIFY(
        html.contains(QStringLiteral("<img class=\"bild\" src=\"Bilder%20Export/Zwiebel%20Kuchen.jpg\"")));
    for (const char* sichtbar :
         {"<dt>Rubrik</dt><dd>Backen</dd>", "<dt>Schwierigkeitsgrad</dt><dd>Mittel </dd>",
          "<dt>Anz. Personen</dt><dd>2</dd>", "<dt>Zubereitungszeit</dt><dd>45 Min.</dd>",
          "<dt>Kochzeit</dt><dd>0 Min.</dd>", "<dt>Kosten</dt><dd>6,50</dd>",
          "<dt>Erfasst am</dt><dd>03.02.2001</dd>", "<li>Salz &amp; Pfeffer</li>", "<li>Nudelholz</li>",
          "<p>Teig kneten.<br>\nGehen lassen.</p>"})
        QVERIFY2(html.contains(QString::fromUtf8(sichtbar)), sichtbar);
    // The name's "</script>" does not end the JSON-LD block early: the page reads back whole.
    const Leseergebnis e = leseHtml(a.inhalt);
    QCOMPARE(e.rezepte.size(), 1);
    QCOMPARE(e.rezepte[0].name, r.name);
}

void TestAustausch::dateienPruefen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<qint64>("groesse"); // > 0: a sparse file of that size
    QTest::addColumn<int>("rezepte");
    QTest::addColumn<QString>("grund");
    const QByteArray mm = "MMMMM----- Recipe via Meal-Master\n Title: Tee\n\nAufgiessen.\nMMMMM\n";
    const QByteArray json = "{\"@type\":\"Recipe\",\"name\":\"Tee\"}";
    QTest::newRow("mealmaster als .txt") << QStringLiteral("a.txt") << mm << qint64(0) << 1 << QString();
    QTest::newRow(".MMF gross geschrieben") << QStringLiteral("a.MMF") << mm << qint64(0) << 1 << QString();
    QTest::newRow("json-ld") << QStringLiteral("a.jsonld") << json << qint64(0) << 1 << QString();
    QTest::newRow("html") << QStringLiteral("a.htm")
                          << ("<script type=\"application/ld+json\">" + json + "</script>") << qint64(0) << 1
                          << QString();
    QTest::newRow("unbekannte endung, inhalt entscheidet")
        << QStringLiteral("a.dat") << json << qint64(0) << 1 << QString();
    QTest::newRow("genau 20 MB gehen") << QStringLiteral("b.mmf") << QByteArray() << qint64(20 * 1024 * 1024)
                                       << 0 << QString::fromUtf8("Die Datei enthält kein MealMaster-Rezept.");
    QTest::newRow("zu gross") << QStringLiteral("b.mmf") << QByteArray() << qint64(25 * 1024 * 1024) << 0
                              << QString::fromUtf8(
                                     "Die Datei ist zu groß (25,0 MB); es werden höchstens 20 MB "
                                     "eingelesen.");
    QTest::newRow("kaputtes json") << QStringLiteral("c.json") << QByteArray("{\"@type\": [") << qint64(0)
                                   << 0
                                   << QString::fromUtf8(
                                          "Die Datei ist kein gültiges JSON-LD; sie ist beschädigt "
                                          "oder hat ein anderes Format.");
    QTest::newRow("fehlt") << QStringLiteral("fehlt.html") << QByteArray() << qint64(-1) << 0
                           << QString::fromUtf8("Die Datei „fehlt.html“ gibt es nicht.");
    QTest::newRow("ordner") << QStringLiteral("ordner.html") << QByteArray() << qint64(-2) << 0
                            << QString::fromUtf8("„ordner.html“ ist keine Datei.");
}

void TestAustausch::dateienPruefen() {
    QFETCH(QString, name);
    QFETCH(QByteArray, inhalt);
    QFETCH(qint64, groesse);
    QFETCH(int, rezepte);
    QFETCH(QString, grund);
    QTemporaryDir dir;
    const QString pfad = dir.filePath(name);
    if (groesse == -2) {
        QVERIFY(QDir(dir.path()).mkdir(name));
    } else if (groesse != -1) {
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
        if (groesse > 0) QVERIFY(f.resize(groesse));
    }
    const Leseergebnis e = leseDatei(pfad);
    QCOMPARE(e.rezepte.size(), rezepte);
    QCOMPARE(e.grund, grund);
    if (rezepte > 0) QCOMPARE(e.rezepte[0].name, QStringLiteral("Tee"));
}

void TestAustausch::formatAusInhalt_data() {
    QTest::addColumn<QByteArray>("daten");
    QTest::addColumn<int>("rezepte");
    QTest::newRow("json mit bom") << QByteArray("\xEF\xBB\xBF [{\"@type\":\"Recipe\",\"name\":\"A\"}]") << 1;
    QTest::newRow("html") << QByteArray("<!doctype html><div itemscope itemtype=\"http://schema.org/Recipe\">"
                                        "<h1 itemprop=\"name\">A</h1></div>")
                          << 1;
    QTest::newRow("mealmaster mit vorspann")
        << QByteArray("<Mail von Anna>\nMMMMM----- Recipe via Meal-Master\n Title: A\nMMMMM\n") << 1;
    QTest::newRow("text") << QByteArray("irgendwas") << 0;
}

void TestAustausch::formatAusInhalt() {
    QFETCH(QByteArray, daten);
    QFETCH(int, rezepte);
    const Leseergebnis e = leseDaten(daten, Austauschformat::Unbekannt);
    QCOMPARE(e.rezepte.size(), rezepte);
    if (rezepte) QCOMPARE(e.rezepte[0].name, QStringLiteral("A"));
}

void TestAustausch::bildadressen_data() {
    QTest::addColumn<QString>("quelle");
    QTest::addColumn<QString>("herkunft");
    QTest::addColumn<QString>("url");
    const QString web = QStringLiteral("https://koch.example/rezepte/kuchen.html");
    const QString lokal = QStringLiteral("file:///home/koch/Seiten/kuchen.html");
    QTest::newRow("absolut") << QStringLiteral("https://cdn.example/k.jpg") << web
                             << QStringLiteral("https://cdn.example/k.jpg");
    QTest::newRow("relativ zur seite")
        << QStringLiteral("../bilder/k.jpg") << web << QStringLiteral("https://koch.example/bilder/k.jpg");
    QTest::newRow("ohne schema") << QStringLiteral("//cdn.example/k.jpg") << web
                                 << QStringLiteral("https://cdn.example/k.jpg");
    QTest::newRow("neben gespeicherter seite")
        << QStringLiteral("kuchen_files/k.jpg") << lokal
        << QStringLiteral("file:///home/koch/Seiten/kuchen_files/k.jpg");
    QTest::newRow("webseite nennt lokale datei") << QStringLiteral("file:///etc/passwd") << web << QString();
    QTest::newRow("data-url") << QStringLiteral("data:image/png;base64,AAAA") << web << QString();
    QTest::newRow("anderes schema") << QStringLiteral("javascript:alert(1)") << web << QString();
    QTest::newRow("leer") << QString() << web << QString();
}

void TestAustausch::bildadressen() {
    QFETCH(QString, quelle);
    QFETCH(QString, herkunft);
    QFETCH(QString, url);
    const QUrl u = bildUrl(quelle, QUrl(herkunft));
    QCOMPARE(u.isValid() ? u.toString() : QString(), url);
}

void TestAustausch::dubletten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zutaten");
    QTest::addColumn<bool>("doppelt");
    QTest::newRow("gleich") << QStringLiteral("Apfelkuchen") << QStringLiteral("500 g Mehl\n3 Äpfel") << true;
    QTest::newRow("gross, klein und blanks")
        << QStringLiteral("  APFELkuchen ") << QStringLiteral("500  g mehl\n\n 3 ÄPFEL ") << true;
    QTest::newRow("zeilen anders umbrochen")
        << QStringLiteral("Apfelkuchen") << QStringLiteral("500 g Mehl 3 Äpfel") << true;
    QTest::newRow("andere zutat") << QStringLiteral("Apfelkuchen") << QStringLiteral("500 g Mehl\n4 Äpfel")
                                  << false;
    QTest::newRow("anderer name") << QStringLiteral("Apfeltorte") << QStringLiteral("500 g Mehl\n3 Äpfel")
                                  << false;
    QTest::newRow("geschützte blanks, tabs und zeilenenden")
        << QStringLiteral("\u00A0APFELkuchen\u00A0") << QStringLiteral("\t500 g\u00A0Mehl \r\n3 äpfel\r\n")
        << true;
    QTest::newRow("name und zutaten nicht vertauschbar")
        << QStringLiteral("Apfelkuchen 500 g Mehl") << QStringLiteral("3 Äpfel") << false;
}

void TestAustausch::dubletten() {
    QFETCH(QString, name);
    QFETCH(QString, zutaten);
    QFETCH(bool, doppelt);
    Dublettensuche buch;
    dateien d;
    zeroRecord(d);
    d.name = QStringLiteral("Apfelkuchen");
    d.zutaten.setPlainText(QString::fromUtf8("500 g Mehl\n3 Äpfel"));
    buch.merken(d);
    d.name = QStringLiteral("Birnenkuchen");
    buch.merken(d);
    dateien neu;
    zeroRecord(neu);
    neu.name = name;
    neu.zutaten.setPlainText(zutaten);
    neu.preis = 99; // other fields do not count
    QCOMPARE(buch.bekannt(neu), doppelt);
    // Within one import: the second of two equal recipes is the duplicate.
    Dublettensuche import;
    QVERIFY(!import.pruefenUndMerken(neu));
    QVERIFY(import.pruefenUndMerken(neu));
    QCOMPARE(import.anzahl(), 1);
}

QTEST_GUILESS_MAIN(TestAustausch)
#include "tst_austausch.moc"
