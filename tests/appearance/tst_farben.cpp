// SPDX-License-Identifier: GPL-3.0-or-later
// The colour scheme's files (farben.frb, Styledat.txt, farb.txt) and the font class by screen.
#include "appearance/Farben.h"
#include "support/Datenumgebung.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QStyle>
#include <QtTest>

namespace {
constexpr int R = int(sizeof(Tcolor1));

qint32 intBei(const QByteArray& b, int offset) {
    qint32 v;
    std::memcpy(&v, b.constData() + offset, 4);
    return v;
}

// A short string's text at an offset of the file image.
QString textBei(const QByteArray& b, int offset) {
    return QString::fromLatin1(b.mid(offset + 1, quint8(b.at(offset))));
}

// A record no default would produce: every byte set, gaps included.
QByteArray fremderSatz() {
    QByteArray b(R, 0);
    for (int i = 0; i < R; ++i)
        b[i] = char((i * 37 + 11) & 0xFF);
    return b;
}

QByteArray satzBytes(const Tcolor1& c) {
    return Testordner::bytes(c);
}
} // namespace

class TestFarben : public QObject {
    Q_OBJECT
private:
    struct Umgebung : Datenumgebung {
        pfl::Farbschema s{u};
    };

private Q_SLOTS:
    void ohneDateiAngelegt();
    void vorgabenImDateibild_data();
    void vorgabenImDateibild();
    void unbrauchbareDateiErsetzt_data();
    void unbrauchbareDateiErsetzt();
    void nichtAnlegbarBleibtImSpeicher();
    void fremdeDateiUnveraendert_data();
    void fremdeDateiUnveraendert();
    void speichernNurWennVorhanden();
    void grundeinstellungSetztZurueck();
    void dateinameOhneGrossKlein();
    void styleLesen_data();
    void styleLesen();
    void styleSpeichernOhneZeilenumbruch();
    void eigeneFarbenRundreise();
    void ohneFarbTxtOeffnetLeer();
    void abbruchSchreibtNichts();
    void coloredBeginntMitLetzterFarbe();
    void schriftklasse_data();
    void schriftklasse();
    void g1024Vorgaben();
};

void TestFarben::ohneDateiAngelegt() {
    Umgebung e;
    e.s.farben_lesen();
    QVERIFY(e.dir.gibt(QStringLiteral("farben.frb")));
    const QByteArray b = e.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(b.size(), 1976);
    QCOMPARE(b.left(4), QByteArray::fromHex("DEE6C100"));
    QCOMPARE(e.s.colorx.hg_bild.toQString(), QStringLiteral("marbl24m.bmp"));
    QCOMPARE(satzBytes(e.s.colorx), b);
}

void TestFarben::vorgabenImDateibild_data() {
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("wert");
    QTest::newRow("H_bs_hg") << 0 << 12707550;
    QTest::newRow("D_bs_fa_font") << 36 << 15592672;
    QTest::newRow("String_box_mark_Row_font") << 64 << 128;
    QTest::newRow("String_box_ueb_Font") << 80 << 8388608;
    QTest::newRow("fa2_g") << 240 << 10;
    QTest::newRow("chart_font_ueber") << 292 << 255;
    QTest::newRow("bmi40") << 312 << 10;
    QTest::newRow("k800_D_bs_schrift_groesse") << 400 << 8;
    QTest::newRow("g800_grid_g") << 512 << 7;
    QTest::newRow("k1024_ue_grid_g") << 608 << 11;
    QTest::newRow("g1024_D_bs_ueb_schrift_groesse") << 704 << 9;
    QTest::newRow("k1280_D_bs_schrift_groesse") << 800 << 9;
    QTest::newRow("g1280_D_bs_schrift_groesse") << 900 << 8;
    QTest::newRow("k1600_grid_g") << 1012 << 11;
    QTest::newRow("g1600_D_bs_ueb_schrift_groesse") << 1104 << 11;
    QTest::newRow("ue_grid_g") << 1116 << 10;
    QTest::newRow("grid_g") << 1120 << 8;
    QTest::newRow("D_bs_ueb_schrift_groesse") << 1168 << 10;
    QTest::newRow("D_bs_schrift_groesse") << 1172 << 8;
    QTest::newRow("f_b_haupt") << 1300 << 0;
    QTest::newRow("end_gradient1") << 1912 << 11463913;
    QTest::newRow("cell_style1") << 1928 << 1;
}

void TestFarben::vorgabenImDateibild() {
    QFETCH(int, offset);
    QFETCH(int, wert);
    Umgebung e;
    e.s.farben_lesen();
    const QByteArray b = e.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(intBei(b, offset), wert);
    if (offset != 0) return;
    // Texts and the reserved areas, checked once.
    QCOMPARE(textBei(b, 84), QStringLiteral("Times New Roman"));
    QCOMPARE(textBei(b, 208), QStringLiteral("Verdana"));
    for (int block = 316; block < 1116; block += 100)
        for (int s = 0; s < 4; ++s)
            QCOMPARE(textBei(b, block + 21 * s), QStringLiteral("Arial"));
    QCOMPARE(textBei(b, 1197), QStringLiteral("Arial"));
    QCOMPARE(textBei(b, 1344), QStringLiteral("marbl24m.bmp"));
    QCOMPARE(b.mid(1220, 1300 - 1220), QByteArray(80, 0));
    QCOMPARE(b.mid(1304, 40), QByteArray(40, 0));
    QCOMPARE(b.mid(1395, 1908 - 1395), QByteArray(1908 - 1395, 0));
    QCOMPARE(b.mid(1932), QByteArray(44, 0));
}

void TestFarben::unbrauchbareDateiErsetzt_data() {
    QTest::addColumn<int>("laenge");
    QTest::newRow("leer") << 0;
    QTest::newRow("ein Byte") << 1;
    QTest::newRow("ein Byte zu kurz") << R - 1;
}

void TestFarben::unbrauchbareDateiErsetzt() {
    QFETCH(int, laenge);
    Umgebung e;
    e.dir.schreibe(QStringLiteral("farben.frb"), fremderSatz().left(laenge));
    e.s.farben_lesen();
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), satzBytes(pfl::Farbschema::vorgaben()));
    QCOMPARE(satzBytes(e.s.colorx), satzBytes(pfl::Farbschema::vorgaben()));
}

void TestFarben::nichtAnlegbarBleibtImSpeicher() {
    // A folder in the file's place can be neither read nor replaced: the defaults stay in
    // memory, the failed write is reported once and the routine returns (no endless
    // read-create loop).
    Umgebung e;
    QVERIFY(QDir(e.dir.pfad()).mkdir(QStringLiteral("farben.frb")));
    QSignalSpy fehler(&e.u, &Unit4::schreibfehler);
    std::memset(static_cast<void*>(&e.s.colorx), 0x5A, sizeof(Tcolor1));
    e.s.farben_lesen();
    QCOMPARE(satzBytes(e.s.colorx), satzBytes(pfl::Farbschema::vorgaben()));
    QVERIFY(QFileInfo(e.dir.datei(QStringLiteral("farben.frb"))).isDir());
    QCOMPARE(fehler.count(), 1);
    QVERIFY(fehler.at(0).at(0).toString().contains(QStringLiteral("farben.frb")));
    QVERIFY(e.s.farben_speichern()); // no file of that name: nothing to store
    QCOMPARE(fehler.count(), 1);
}

void TestFarben::fremdeDateiUnveraendert_data() {
    QTest::addColumn<int>("anhang");
    QTest::newRow("ein Satz") << 0;
    QTest::newRow("mit Bytes dahinter") << 333;
}

void TestFarben::fremdeDateiUnveraendert() {
    QFETCH(int, anhang);
    Umgebung e;
    const QByteArray fremd = fremderSatz() + QByteArray(anhang, '\x7F');
    e.dir.schreibe(QStringLiteral("farben.frb"), fremd);
    e.s.farben_lesen();
    QCOMPARE(satzBytes(e.s.colorx), fremd.left(R));
    e.s.farben_speichern();
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), fremd);

    // A change reaches only its four bytes.
    e.s.colorx.String_box = 0x00112233;
    e.s.farben_speichern();
    QByteArray erwartet = fremd;
    erwartet.replace(68, 4, QByteArray::fromHex("33221100"));
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), erwartet);
}

void TestFarben::speichernNurWennVorhanden() {
    Umgebung e;
    e.s.colorx = pfl::Farbschema::vorgaben();
    e.s.farben_speichern();
    QVERIFY(!e.dir.gibt(QStringLiteral("farben.frb")));
    QVERIFY(QDir(e.dir.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestFarben::grundeinstellungSetztZurueck() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("farben.frb"), fremderSatz());
    e.s.farben_lesen();
    e.s.Farben_anlegen(e.s.colorx);
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), satzBytes(pfl::Farbschema::vorgaben()));
    QCOMPARE(satzBytes(e.s.colorx), satzBytes(pfl::Farbschema::vorgaben()));
}

void TestFarben::dateinameOhneGrossKlein() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("Farben.FRB"), fremderSatz());
    e.s.farben_lesen();
    QCOMPARE(satzBytes(e.s.colorx), fremderSatz());
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files), QStringList{QStringLiteral("Farben.FRB")});
}

void TestFarben::styleLesen_data() {
    QTest::addColumn<bool>("vorhanden");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("leer");
    QTest::addColumn<QString>("qtStyle");
    QTest::newRow("fehlt") << false << QByteArray() << "Windows" << true << "windows";
    QTest::newRow("leer") << true << QByteArray() << "Windows" << true << "windows";
    QTest::newRow("Obsidian") << true << QByteArray("Obsidian") << "Obsidian" << false << "fusion";
    QTest::newRow("erste Zeile") << true << QByteArray("Cyan Night\r\nCarbon\r\n") << "Cyan Night" << false
                                 << "fusion";
    QTest::newRow("Leerzeile") << true << QByteArray("\r\nCarbon") << "Windows" << true << "windows";
}

void TestFarben::styleLesen() {
    QFETCH(bool, vorhanden);
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, style);
    QFETCH(bool, leer);
    QFETCH(QString, qtStyle);
    Umgebung e;
    if (vorhanden) e.dir.schreibe(QStringLiteral("Styledat.txt"), inhalt);
    e.s.Style.clear();
    QCOMPARE(pfl::style_lesen(e.s), leer);
    QCOMPARE(e.s.Style, style);
    QCOMPARE(QApplication::style()->name(), qtStyle);
    QVERIFY(!vorhanden || e.dir.lies(QStringLiteral("Styledat.txt")) == inhalt);
}

void TestFarben::styleSpeichernOhneZeilenumbruch() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("Styledat.txt"), "Metropolis UI Black\r\n");
    e.s.Style = QStringLiteral("Sky");
    e.s.style_speichern();
    QCOMPARE(e.dir.lies(QStringLiteral("Styledat.txt")), QByteArray("Sky"));
    e.s.Style.clear();
    pfl::style_lesen(e.s);
    QCOMPARE(e.s.Style, QStringLiteral("Sky"));
}

void TestFarben::eigeneFarbenRundreise() {
    Umgebung e;
    // Mixed case, the chooser's "unused" value, a missing slot (ColorB) and a stray line.
    e.dir.schreibe(QStringLiteral("farb.txt"), "ColorA=0000FF\r\ncolorc=abcdef\nColorD=FFFFFFFF\r\n"
                                               "Unsinn\r\nColorP=000000\r\n");
    QList<quint32> erwartet(16, 0xFFFFFF);
    erwartet[0] = 0x0000FF;
    erwartet[2] = 0xABCDEF;
    erwartet[15] = 0;
    e.plattform.farben.enqueue(0x123456);
    quint32 farbe = 0x00FF00;
    QVERIFY(pfl::Farben_auswaehlen(e.s, e.plattform, farbe));
    QCOMPARE(farbe, 0x123456u);
    QCOMPARE(e.plattform.letzteEigeneFarben, erwartet);

    const QList<QByteArray> zeilen = e.dir.lies(QStringLiteral("farb.txt")).split('\n');
    QCOMPARE(zeilen.size(), 17); // 16 lines and nothing behind the last break
    QCOMPARE(zeilen.at(0), QByteArray("ColorA=0000FF\r"));
    QCOMPARE(zeilen.at(2), QByteArray("ColorC=ABCDEF\r"));
    QCOMPARE(zeilen.at(15), QByteArray("ColorP=000000\r"));

    // What was written reads back the same.
    e.plattform.farben.enqueue(0x654321);
    qint32 feld = 0;
    QVERIFY(pfl::Farben_auswaehlen(e.s, e.plattform, feld));
    QCOMPARE(feld, 0x654321);
    QCOMPARE(e.plattform.letzteEigeneFarben, erwartet);
}

void TestFarben::ohneFarbTxtOeffnetLeer() {
    Umgebung e;
    e.plattform.farben.enqueue(0x00C0FF);
    const pfl::Farbwahl w = pfl::colored(e.s, e.plattform);
    QCOMPARE(w.abbruch, 0);
    QCOMPARE(w.farbe, 0x00C0FFu);
    QCOMPARE(e.plattform.letzteEigeneFarben, QList<quint32>(16, 0xFFFFFF));
    QVERIFY(e.dir.gibt(QStringLiteral("farb.txt")));
    QVERIFY(e.dir.lies(QStringLiteral("farb.txt")).startsWith("ColorA=FFFFFF\r\nColorB=FFFFFF\r\n"));
}

void TestFarben::abbruchSchreibtNichts() {
    Umgebung e;
    quint32 farbe = 0x0A0B0C;
    QVERIFY(!pfl::Farben_auswaehlen(e.s, e.plattform, farbe));
    QCOMPARE(farbe, 0x0A0B0Cu);
    const pfl::Farbwahl w = pfl::colored(e.s, e.plattform);
    QCOMPARE(w.abbruch, 1);
    QCOMPARE(w.farbe, 0xFFFFFFu); // nothing chosen yet: the chooser starts white
    QVERIFY(!e.dir.gibt(QStringLiteral("farb.txt")));
}

void TestFarben::coloredBeginntMitLetzterFarbe() {
    // The chooser without a preset starts from the colour it gave last, by whichever routine.
    Umgebung e;
    e.plattform.farben.enqueue(0x123456);
    quint32 farbe = 0;
    QVERIFY(pfl::Farben_auswaehlen(e.s, e.plattform, farbe));
    const pfl::Farbwahl abgebrochen = pfl::colored(e.s, e.plattform);
    QCOMPARE(abgebrochen.abbruch, 1);
    QCOMPARE(abgebrochen.farbe, 0x123456u);
    e.plattform.farben.enqueue(0x00ABCD);
    QCOMPARE(pfl::colored(e.s, e.plattform).farbe, 0x00ABCDu);
    QCOMPARE(pfl::colored(e.s, e.plattform).farbe, 0x00ABCDu);

    // Each scheme keeps its own.
    pfl::Farbschema anderes(e.u);
    QCOMPARE(pfl::colored(anderes, e.plattform).farbe, 0xFFFFFFu);
}

void TestFarben::schriftklasse_data() {
    QTest::addColumn<QSize>("bildschirm");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<int>("aufloesung");
    QTest::newRow("800x600") << QSize(800, 600) << 96 << "k800" << 1;
    QTest::newRow("800x600 dicht") << QSize(800, 600) << 120 << "g800" << 1;
    QTest::newRow("800x601 keine Regel") << QSize(800, 601) << 96 << "k1280" << 0;
    QTest::newRow("1024x768") << QSize(1024, 768) << 96 << "k1024" << 1;
    QTest::newRow("1024x768 @97") << QSize(1024, 768) << 97 << "g1024" << 1;
    QTest::newRow("1024x768 @120") << QSize(1024, 768) << 120 << "g1024" << 1;
    QTest::newRow("1280x800 bleibt 1024") << QSize(1280, 800) << 96 << "k1024" << 1;
    QTest::newRow("1280x1024") << QSize(1280, 1024) << 96 << "k1280" << 1;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 96 << "k1280" << 1;
    QTest::newRow("1920x1080 @144") << QSize(1920, 1080) << 144 << "g1280" << 1;
    QTest::newRow("1600x1200") << QSize(1600, 1200) << 96 << "k1600" << 1;
    QTest::newRow("1600x1200 @120") << QSize(1600, 1200) << 120 << "g1600" << 1;
    QTest::newRow("2560x1440") << QSize(2560, 1440) << 96 << "k1600" << 1;
    QTest::newRow("640x480 Rueckfall") << QSize(640, 480) << 96 << "k1280" << 0;
    QTest::newRow("640x480 dicht") << QSize(640, 480) << 120 << "g1280" << 0;
}

void TestFarben::schriftklasse() {
    QFETCH(QSize, bildschirm);
    QFETCH(int, ppi);
    QFETCH(QString, klasse);
    QFETCH(int, aufloesung);
    Umgebung e;
    e.plattform.bildschirm = bildschirm;
    e.plattform.ppi = ppi;
    // Every block made recognisable: its name as the font, sizes from its position.
    e.s.colorx = pfl::Farbschema::vorgaben();
    Schriftsatz* bloecke = &e.s.colorx.k800;
    const QStringList namen{"k800", "g800", "k1024", "g1024", "k1280", "g1280", "k1600", "g1600"};
    for (int i = 0; i < 8; ++i) {
        bloecke[i].grid_s = namen.at(i);
        bloecke[i].D_bs_schrift_groesse = 100 + i;
        bloecke[i].D_bs_ueb_schrift_groesse = 200 + i;
        bloecke[i].grid_g = 300 + i;
    }
    const int i = int(namen.indexOf(klasse));

    QCOMPARE(pfl::schriftklasse(e.plattform).name(), klasse);
    QCOMPARE(&pfl::schriftsatz(e.s.colorx, pfl::schriftklasse(e.plattform)), &bloecke[i]);
    QCOMPARE(pfl::schriftgroessenWaehlen(e.s, e.plattform), aufloesung);
    QCOMPARE(e.s.colorx.D_bs_schrift_groesse, 100 + i);
    QCOMPARE(e.s.colorx.D_bs_ueb_schrift_groesse, 200 + i);
    const pfl::Schriftwahl s = pfl::listenschrift(e.s, e.plattform);
    QCOMPARE(s.name, klasse);
    QCOMPARE(s.groesse, 300 + i);
    QCOMPARE(s.aufloesung, aufloesung);
}

void TestFarben::g1024Vorgaben() {
    Umgebung e;
    e.plattform.bildschirm = QSize(1024, 768);
    e.plattform.ppi = 120;
    e.s.farben_lesen();
    QCOMPARE(pfl::schriftgroessenWaehlen(e.s, e.plattform), 1);
    QCOMPARE(e.s.colorx.D_bs_ueb_schrift_groesse, 9);
    QCOMPARE(e.s.colorx.D_bs_schrift_groesse, 7);
    const pfl::Schriftwahl s = pfl::listenschrift(e.s, e.plattform);
    QCOMPARE(s.name, QStringLiteral("Arial"));
    QCOMPARE(s.groesse, 8);
}

QTEST_MAIN(TestFarben)
#include "tst_farben.moc"
