// The colour scheme's files (farben.frb, Styledat.txt, farb.txt) and the font class by screen.
#include "appearance/Farben.h"
#include "data/Unit4.h"
#include "support/Datenumgebung.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QDir>
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
    return DataDir::bytes(c);
}
} // namespace

class TestFarben : public QObject {
    Q_OBJECT
private:
    struct Umgebung : Datenumgebung {
        Umgebung() { zeroRecord(Farben::colorx); }
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
    void schriftklasse_data();
    void schriftklasse();
    void g1024Vorgaben();
};

void TestFarben::ohneDateiAngelegt() {
    Umgebung e;
    Farben::farben_lesen();
    QVERIFY(e.dir.gibt(QStringLiteral("farben.frb")));
    const QByteArray b = e.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(b.size(), 1976);
    QCOMPARE(b.left(4), QByteArray::fromHex("DEE6C100"));
    QCOMPARE(Farben::colorx.hg_bild.toQString(), QStringLiteral("marbl24m.bmp"));
    QCOMPARE(satzBytes(Farben::colorx), b);
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
    Farben::farben_lesen();
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
    Farben::farben_lesen();
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), satzBytes(Farben::vorgaben()));
    QCOMPARE(satzBytes(Farben::colorx), satzBytes(Farben::vorgaben()));
}

void TestFarben::nichtAnlegbarBleibtImSpeicher() {
    // A folder in the file's place can be neither read nor replaced: the defaults stay in
    // memory and the routine returns (no endless read-create loop).
    Umgebung e;
    QVERIFY(QDir(e.dir.pfad()).mkdir(QStringLiteral("farben.frb")));
    std::memset(static_cast<void*>(&Farben::colorx), 0x5A, sizeof(Tcolor1));
    Farben::farben_lesen();
    QCOMPARE(satzBytes(Farben::colorx), satzBytes(Farben::vorgaben()));
    QVERIFY(QFileInfo(e.dir.datei(QStringLiteral("farben.frb"))).isDir());
    Farben::farben_speichern(); // silent
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
    Farben::farben_lesen();
    QCOMPARE(satzBytes(Farben::colorx), fremd.left(R));
    Farben::farben_speichern();
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), fremd);

    // A change reaches only its four bytes.
    Farben::colorx.String_box = 0x00112233;
    Farben::farben_speichern();
    QByteArray erwartet = fremd;
    erwartet.replace(68, 4, QByteArray::fromHex("33221100"));
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), erwartet);
}

void TestFarben::speichernNurWennVorhanden() {
    Umgebung e;
    Farben::colorx = Farben::vorgaben();
    Farben::farben_speichern();
    QVERIFY(!e.dir.gibt(QStringLiteral("farben.frb")));
    QVERIFY(QDir(e.dir.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

void TestFarben::grundeinstellungSetztZurueck() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("farben.frb"), fremderSatz());
    Farben::farben_lesen();
    Farben::Farben_anlegen(Farben::colorx);
    QCOMPARE(e.dir.lies(QStringLiteral("farben.frb")), satzBytes(Farben::vorgaben()));
    QCOMPARE(satzBytes(Farben::colorx), satzBytes(Farben::vorgaben()));
}

void TestFarben::dateinameOhneGrossKlein() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("Farben.FRB"), fremderSatz());
    Farben::farben_lesen();
    QCOMPARE(satzBytes(Farben::colorx), fremderSatz());
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
    Farben::Style.clear();
    QCOMPARE(Farben::style_lesen(), leer);
    QCOMPARE(Farben::Style, style);
    QCOMPARE(QApplication::style()->name(), qtStyle);
    QVERIFY(!vorhanden || e.dir.lies(QStringLiteral("Styledat.txt")) == inhalt);
}

void TestFarben::styleSpeichernOhneZeilenumbruch() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("Styledat.txt"), "Metropolis UI Black\r\n");
    Farben::Style = QStringLiteral("Sky");
    Farben::style_speichern();
    QCOMPARE(e.dir.lies(QStringLiteral("Styledat.txt")), QByteArray("Sky"));
    Farben::Style.clear();
    Farben::style_lesen();
    QCOMPARE(Farben::Style, QStringLiteral("Sky"));
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
    QVERIFY(Farben::Farben_auswaehlen(farbe));
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
    QVERIFY(Farben::Farben_auswaehlen(feld));
    QCOMPARE(feld, 0x654321);
    QCOMPARE(e.plattform.letzteEigeneFarben, erwartet);
}

void TestFarben::ohneFarbTxtOeffnetLeer() {
    Umgebung e;
    e.plattform.farben.enqueue(0x00C0FF);
    const quint32 c = Farben::colored();
    QCOMPARE(Farben::abbruch, 0);
    QCOMPARE(c, 0x00C0FFu);
    QCOMPARE(e.plattform.letzteEigeneFarben, QList<quint32>(16, 0xFFFFFF));
    QVERIFY(e.dir.gibt(QStringLiteral("farb.txt")));
    QVERIFY(e.dir.lies(QStringLiteral("farb.txt")).startsWith("ColorA=FFFFFF\r\nColorB=FFFFFF\r\n"));
}

void TestFarben::abbruchSchreibtNichts() {
    Umgebung e;
    quint32 farbe = 0x0A0B0C;
    QVERIFY(!Farben::Farben_auswaehlen(farbe));
    QCOMPARE(farbe, 0x0A0B0Cu);
    Farben::abbruch = 0;
    Farben::colored();
    QCOMPARE(Farben::abbruch, 1);
    QVERIFY(!e.dir.gibt(QStringLiteral("farb.txt")));
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
    Farben::colorx = Farben::vorgaben();
    Schriftsatz* bloecke = &Farben::colorx.k800;
    const QStringList namen{"k800", "g800", "k1024", "g1024", "k1280", "g1280", "k1600", "g1600"};
    for (int i = 0; i < 8; ++i) {
        bloecke[i].grid_s = namen.at(i);
        bloecke[i].D_bs_schrift_groesse = 100 + i;
        bloecke[i].D_bs_ueb_schrift_groesse = 200 + i;
        bloecke[i].grid_g = 300 + i;
    }
    const int i = int(namen.indexOf(klasse));

    QCOMPARE(Farben::schriftklasse().name(), klasse);
    QCOMPARE(&Farben::schriftsatz(Farben::colorx, Farben::schriftklasse()), &bloecke[i]);
    Farben::aufloesung = 1 - aufloesung;
    Farben::schriftgroessen_waehlen();
    QCOMPARE(Farben::colorx.D_bs_schrift_groesse, 100 + i);
    QCOMPARE(Farben::colorx.D_bs_ueb_schrift_groesse, 200 + i);
    QCOMPARE(Farben::aufloesung, aufloesung);
    Farben::aufloesung = 1 - aufloesung;
    const Schriftwahl s = Farben::listenschrift();
    QCOMPARE(s.name, klasse);
    QCOMPARE(s.groesse, 300 + i);
    QCOMPARE(Farben::aufloesung, aufloesung);
}

void TestFarben::g1024Vorgaben() {
    Umgebung e;
    e.plattform.bildschirm = QSize(1024, 768);
    e.plattform.ppi = 120;
    Farben::farben_lesen();
    Farben::schriftgroessen_waehlen();
    QCOMPARE(Farben::colorx.D_bs_ueb_schrift_groesse, 9);
    QCOMPARE(Farben::colorx.D_bs_schrift_groesse, 7);
    const Schriftwahl s = Farben::listenschrift();
    QCOMPARE(s.name, QStringLiteral("Arial"));
    QCOMPARE(s.groesse, 8);
}

QTEST_MAIN(TestFarben)
#include "tst_farben.moc"
