// The file routines of the data module, checked on the bytes they leave in a data directory.
#include "data/Unit4.h"
#include "support/Datenumgebung.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr int R = int(sizeof(dateien));
}

class TestUnit4 : public QObject {
    Q_OBJECT
private:
    using Umgebung = Datenumgebung;

private Q_SLOTS:
    void anhaengenAnNeuesBuch();
    void anhaengenAnBuchMitSieben();
    void anhaengenAnBeschaedigtesBuch();
    void ersetzenAendertNurDenSatz_data();
    void ersetzenAendertNurDenSatz();
    void ersteRubrikDoppelt();
    void rubrikenLesen();
    void leereKategorieDateiBleibtLeer();
    void einkaufslisteDreimal();
    void druckVorgaben();
    void druckLesenFaelltZurueck_data();
    void druckLesenFaelltZurueck();
    void stammdatenUndVersionBeimStart();
    void versionSpeichern();
    void ohneOptionenKeinBuch();
    void optionenUeberleben();
    void dateiLesenZaehltUndDedupliziert();
    void auswahlIstExakt();
    void dateinamenOhneGrossKlein();
    void unsichereBuchnamen_data();
    void unsichereBuchnamen();
    void sichereNamen_data();
    void sichereNamen();
    void buchnameFehler_data();
    void buchnameFehler();
    void buchMitZweiPunkten();
    void fremdeListenDatei();
    void uebersichtZeilen();
};

void TestUnit4::anhaengenAnNeuesBuch() {
    Umgebung e;
    e.u.rezeptbuch = QStringLiteral("Familie");
    e.u.element1 = DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"));
    QSignalSpy caption(&e.u, &Unit4::erfassenCaptionGesetzt);
    e.u.Daten_einsortieren();
    const QStringList dateien = QDir(e.dir.pfad()).entryList(QDir::Files);
    QCOMPARE(dateien.size(), 1);
    QVERIFY(dateien.first().compare(QStringLiteral("Familie.rez"), Qt::CaseInsensitive) == 0);
    QCOMPARE(e.dir.lies(dateien.first()), DataDir::bytes(e.u.element1));
    QCOMPARE(e.u.anz, 0);
    QCOMPARE(caption.count(), 1);
    QCOMPARE(e.u.erfassenCaption, QStringLiteral("Daten erfolgreich gespeichert."));
    e.u.rubrik = QStringLiteral("Suppen");
    QCOMPARE(e.u.rubrikZeilen().size(), 1);
}

void TestUnit4::anhaengenAnBuchMitSieben() {
    Umgebung e;
    QList<dateien> sieben;
    for (int i = 0; i < 7; ++i)
        sieben.append(DataDir::rezept(QStringLiteral("R"), QStringLiteral("Rezept %1").arg(i)));
    e.dir.buch(QStringLiteral("Familie.rez"), sieben);
    const QByteArray vorher = e.dir.lies(QStringLiteral("Familie.rez"));
    e.u.rezeptbuch = QStringLiteral("Familie");
    e.u.element1 = DataDir::rezept(QStringLiteral("Neu"), QStringLiteral("Neues"));
    e.u.Daten_einsortieren();
    const QByteArray nachher = e.dir.lies(QStringLiteral("Familie.rez"));
    QCOMPARE(nachher.size(), 8 * R);
    QCOMPARE(nachher.left(7 * R), vorher);
    QCOMPARE(nachher.mid(7 * R), DataDir::bytes(e.u.element1));
    QCOMPARE(e.u.anz, 7);
    QCOMPARE(e.u.posi, 7);
}

void TestUnit4::anhaengenAnBeschaedigtesBuch() {
    // A torn last record is never readable; the new recipe takes its place on a record boundary.
    Umgebung e;
    QByteArray b = DataDir::bytes(DataDir::rezept(QStringLiteral("A"), QStringLiteral("Eins")));
    b += QByteArray(1000, 'x');
    e.dir.schreibe(QStringLiteral("Buch.rez"), b);
    e.u.rezeptbuch = QStringLiteral("Buch");
    e.u.element1 = DataDir::rezept(QStringLiteral("A"), QStringLiteral("Zwei"));
    e.u.Daten_einsortieren();
    const QByteArray n = e.dir.lies(QStringLiteral("Buch.rez"));
    QCOMPARE(n.size(), 2 * R);
    QCOMPARE(DataDir::satz<dateien>(n, 1).name.toQString(), QStringLiteral("Zwei"));
    e.u.rubrik = QStringLiteral("A");
    QCOMPARE(e.u.rubrikZeilen().size(), 2);
}

void TestUnit4::ersetzenAendertNurDenSatz_data() {
    QTest::addColumn<int>("satznum");
    QTest::addColumn<int>("laengeDanach");
    QTest::addColumn<bool>("geschrieben");
    QTest::newRow("satz 3 von 5") << 3 << 5 << true;
    QTest::newRow("satz 1") << 1 << 5 << true;
    QTest::newRow("hinter dem letzten haengt an") << 6 << 6 << true;
    QTest::newRow("0 nichts") << 0 << 5 << false;
    QTest::newRow("weit dahinter nichts") << 9 << 5 << false;
}

void TestUnit4::ersetzenAendertNurDenSatz() {
    QFETCH(int, satznum);
    QFETCH(int, laengeDanach);
    QFETCH(bool, geschrieben);
    Umgebung e;
    QList<dateien> fuenf;
    for (int i = 0; i < 5; ++i) {
        dateien d = DataDir::rezept(QStringLiteral("R"), QStringLiteral("Rezept %1").arg(i));
        d.int3 = 1000 + i; // reserved fields travel with the record
        fuenf.append(d);
    }
    e.dir.buch(QStringLiteral("B.rez"), fuenf);
    const QByteArray vorher = e.dir.lies(QStringLiteral("B.rez"));
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.satznum = satznum;
    e.u.datei = DataDir::rezept(QStringLiteral("R"), QStringLiteral("Geändert"));
    e.u.datei_speichern_aendern();
    const QByteArray n = e.dir.lies(QStringLiteral("B.rez"));
    QCOMPARE(n.size(), laengeDanach * R);
    if (!geschrieben) {
        QCOMPARE(n, vorher);
        QVERIFY(e.u.erfassenCaption.isEmpty());
        return;
    }
    const int von = (satznum - 1) * R;
    QCOMPARE(n.left(von), vorher.left(von));
    QCOMPARE(n.mid(von, R), DataDir::bytes(e.u.datei));
    QCOMPARE(n.mid(von + R), vorher.mid(von + R));
    QCOMPARE(e.u.erfassenCaption, QStringLiteral("Daten erfolgreich gespeichert."));
}

void TestUnit4::ersteRubrikDoppelt() {
    Umgebung e;
    zeroRecord(e.u.r_daten);
    e.u.r_daten.rubrik = QStringLiteral("Suppen");
    e.u.Rubriken_speichern();
    const QByteArray b = e.dir.lies(QStringLiteral("Rubriken.rub"));
    QCOMPARE(b.size(), 720);
    QCOMPARE(b.left(360), b.mid(360));
    e.u.r_daten.rubrik = QStringLiteral("Desserts");
    e.u.Rubriken_speichern();
    QCOMPARE(e.dir.groesse(QStringLiteral("Rubriken.rub")), 1080);
    e.u.Rubriken_lesen();
    QCOMPARE(e.u.listen.hauptRubriken, (QStringList{QStringLiteral("Desserts"), QStringLiteral("Suppen")}));
    QCOMPARE(e.u.listen.hauptRubriken2, (QStringList{QStringLiteral("Suppen"), QStringLiteral("Desserts")}));
}

void TestUnit4::rubrikenLesen() {
    Umgebung e;
    e.dir.rubriken({QStringLiteral("Suppen"), QString(), QStringLiteral("Öl & Essig"),
                    QStringLiteral("SUPPEN"), QStringLiteral("Aufläufe"), QStringLiteral("Zander")});
    e.u.listen.suchRubriken = {QStringLiteral("Alt")};
    e.u.listen.hauptRubriken = {QStringLiteral("Weg")};
    QSignalSpy breiten(&e.u, &Unit4::spaltenbreitenNeu);
    e.u.Rubriken_lesen();
    // Repeats dropped without regard to case, first spelling kept; the visible list sorts German.
    QCOMPARE(e.u.listen.hauptRubriken2, (QStringList{QStringLiteral("Suppen"), QStringLiteral("Öl & Essig"),
                                                     QStringLiteral("Aufläufe"), QStringLiteral("Zander")}));
    QCOMPARE(e.u.listen.hauptRubriken, (QStringList{QStringLiteral("Aufläufe"), QStringLiteral("Öl & Essig"),
                                                    QStringLiteral("Suppen"), QStringLiteral("Zander")}));
    // The search window's list is not emptied first.
    QCOMPARE(e.u.listen.suchRubriken.first(), QStringLiteral("Alt"));
    QCOMPARE(e.u.listen.suchRubriken.size(), 5);
    QCOMPARE(breiten.count(), 1);
}

void TestUnit4::leereKategorieDateiBleibtLeer() {
    Umgebung e;
    e.dir.schreibe(QStringLiteral("kategorien.kat"), QByteArray());
    e.u.k_daten.kategorie = QStringLiteral("Vegetarisch");
    e.u.Kategorien_speichern();
    QCOMPARE(e.dir.groesse(QStringLiteral("kategorien.kat")), 0);
    QFile::remove(e.dir.datei(QStringLiteral("kategorien.kat")));
    e.u.Kategorien_speichern();
    QCOMPARE(e.dir.groesse(QStringLiteral("kategorien.kat")), 720);
    e.u.Kategorien_lesen();
    QCOMPARE(e.u.listen.katListe, QStringList{QStringLiteral("Vegetarisch")});
}

void TestUnit4::einkaufslisteDreimal() {
    Umgebung e;
    for (const char* t : {"Milch", "Milch\r\nEier", "Brot"}) {
        e.u.e_daten.e_liste = QString::fromLatin1(t);
        e.u.einkauflist_speichern();
    }
    QCOMPARE(e.dir.groesse(QStringLiteral("Einkaufsliste.Ekl")), 4 * 10001);
    Unit4 neu;
    neu.lpf = e.dir.pfad();
    QSignalSpy spy(&neu, &Unit4::einkaufGelesen);
    neu.einkauflist_lesen();
    QCOMPARE(neu.einkaufText, QStringLiteral("Brot"));
    QCOMPARE(spy.count(), 1);
}

void TestUnit4::druckVorgaben() {
    Umgebung e;
    std::memset(&e.u.drucke, 0x11, sizeof e.u.drucke);
    e.u.druck_anlegen();
    const QByteArray b = e.dir.lies(QStringLiteral("Drucker.drk"));
    QCOMPARE(b.size(), 416);
    const Drucker d = DataDir::satz<Drucker>(b);
    QCOMPARE(d.t.text_Hoehe, 10);
    QCOMPARE(d.t.anz_zeilen, 59);
    QCOMPARE(d.t.schrift.toQString(), QStringLiteral("Tahoma"));
    QCOMPARE(d.k.rand, 2);
    QCOMPARE(d.f.pen_strich, 2);
    QCOMPARE(d.d.anz_zeilen, 50);
    QCOMPARE(d.d.zeilen_abstand, 0);
    QCOMPARE(d.b.zeilen_abstand, 1);
    QCOMPARE(d.b.schrift.toQString(), QStringLiteral("Verdana"));
    // Groups e, s and u keep what the buffer held.
    QCOMPARE(b.mid(260), QByteArray(156, 0x11));
}

void TestUnit4::druckLesenFaelltZurueck_data() {
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<int>("dHoehe");
    Drucker eigen;
    zeroRecord(eigen);
    eigen.d.text_Hoehe = 14;
    QTest::newRow("fehlt") << QByteArray() << 8;
    QTest::newRow("zu kurz") << QByteArray(100, 'x') << 8;
    QTest::newRow("gueltig") << DataDir::bytes(eigen) << 14;
}

void TestUnit4::druckLesenFaelltZurueck() {
    QFETCH(QByteArray, inhalt);
    QFETCH(int, dHoehe);
    Umgebung e;
    if (!inhalt.isEmpty()) e.dir.schreibe(QStringLiteral("Drucker.drk"), inhalt);
    e.u.druck_lesen();
    QCOMPARE(e.u.drucke.d.text_Hoehe, dHoehe);
    QCOMPARE(e.dir.groesse(QStringLiteral("Drucker.drk")),
             inhalt.isEmpty() || inhalt.size() < 416 ? 416 : inhalt.size());
}

void TestUnit4::stammdatenUndVersionBeimStart() {
    Umgebung e;
    e.u.initialisieren(e.dir.pfad());
    QCOMPARE(e.u.version, QStringLiteral("1.10"));
    QCOMPARE(e.u.versionsnum, 110);
    // Only the owner data are created by the module's start.
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files), QStringList{QStringLiteral("Stammdaten.sti")});
    QCOMPARE(e.dir.lies(QStringLiteral("Stammdaten.sti")), QByteArray(156, '\0'));
    QVERIFY(e.u.rezeptbuch.isEmpty());
}

void TestUnit4::versionSpeichern() {
    Umgebung e;
    e.u.initialisieren(e.dir.pfad());
    e.u.version_speichern();
    QByteArray b = e.dir.lies(QStringLiteral("Version.ver"));
    QCOMPARE(b.size(), 168);
    QCOMPARE(b.mid(16, 4), QByteArray("\x6e\x00\x00\x00", 4));
    // An existing stamp keeps its other bytes.
    b[0] = 'A';
    b[16] = 5;
    e.dir.schreibe(QStringLiteral("Version.ver"), b);
    Unit4 zwei;
    zwei.initialisieren(e.dir.pfad());
    zwei.version_speichern();
    const QByteArray c = e.dir.lies(QStringLiteral("Version.ver"));
    QCOMPARE(c.at(0), 'A');
    QCOMPARE(c.at(16), char(110));
}

void TestUnit4::ohneOptionenKeinBuch() {
    Umgebung e;
    e.dir.buch(QStringLiteral("Familie.rez"), {DataDir::rezept(QStringLiteral("S"), QStringLiteral("X"))});
    e.u.initialisieren(e.dir.pfad());
    QVERIFY(e.u.rezeptbuch.isEmpty());
    QCOMPARE(e.u.buchPfad(), e.dir.pfad() + QStringLiteral(".rez"));
    e.u.datei_lesen();
    QCOMPARE(e.u.daten, 0);
}

void TestUnit4::optionenUeberleben() {
    Umgebung e;
    e.u.option.dbw = 779;
    e.u.option.dbh = 421;
    e.u.option.rezeptbuch = QStringLiteral("Familie");
    e.u.opt_speichern();
    QCOMPARE(e.dir.groesse(QStringLiteral("Rezept.opt")), 1416);
    Unit4 zwei;
    zwei.initialisieren(e.dir.pfad());
    QCOMPARE(zwei.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(zwei.option.dbw, 779);
    QCOMPARE(zwei.option.dbh, 421);
}

void TestUnit4::dateiLesenZaehltUndDedupliziert() {
    Umgebung e;
    QByteArray b;
    for (const char* n : {"Gulasch", "", "gulasch", "Apfelkuchen"})
        b += DataDir::bytes(DataDir::rezept(QStringLiteral("R"), QString::fromLatin1(n)));
    b += QByteArray(500, 'x'); // torn last record: only complete ones count
    e.dir.schreibe(QStringLiteral("B.rez"), b);
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.listen.erfRubriken = {QStringLiteral("weg")};
    e.u.datei_lesen();
    QCOMPARE(e.u.daten, 4);
    QCOMPARE(e.u.listen.suchNamen, (QStringList{QStringLiteral("Gulasch"), QStringLiteral("Apfelkuchen")}));
    QVERIFY(e.u.listen.erfRubriken.isEmpty());
    QCOMPARE(e.u.datei.name.toQString(), QStringLiteral("Apfelkuchen"));
    QCOMPARE(e.u.Year, quint16(2026));
}

void TestUnit4::auswahlIstExakt() {
    Umgebung e;
    e.dir.buch(
        QStringLiteral("B.rez"),
        {DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"), QStringLiteral("Deftig")),
         DataDir::rezept(QStringLiteral("suppen"), QStringLiteral("Tomatensuppe"), QStringLiteral("deftig")),
         DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"), QStringLiteral("Leicht"))});
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.rubrik = QStringLiteral("Suppen");
    e.u.Rubriken_oeffnen();
    QCOMPARE(e.u.listen.bearbNamen, (QStringList{QStringLiteral("Erbsensuppe"), QStringLiteral("Brühe")}));
    QCOMPARE(e.u.listen.erfNamen, e.u.listen.bearbNamen);
    e.u.kategorie = QStringLiteral("deftig");
    e.u.listen.erfKategorieText = QStringLiteral("Leicht");
    e.u.Rubriken_erkennen();
    QCOMPARE(e.u.listen.bearbNamen, QStringList{QStringLiteral("Tomatensuppe")});
    QCOMPARE(e.u.listen.erfNamen, QStringList{QStringLiteral("Brühe")});
    const QList<UebersichtZeile> z = e.u.rubrikZeilen();
    QCOMPARE(z.size(), 2);
    QCOMPARE(z.at(1).position, 3);
}

void TestUnit4::dateinamenOhneGrossKlein() {
    Umgebung e;
    e.dir.buch(QStringLiteral("Familie.Rez"), {DataDir::rezept(QStringLiteral("S"), QStringLiteral("X"))});
    e.dir.rubriken({QStringLiteral("S")});
    QFile::rename(e.dir.datei(QStringLiteral("Rubriken.rub")), e.dir.datei(QStringLiteral("RUBRIKEN.RUB")));
    e.u.rezeptbuch = QStringLiteral("familie");
    e.u.element1 = DataDir::rezept(QStringLiteral("S"), QStringLiteral("Y"));
    e.u.Daten_einsortieren();
    QCOMPARE(e.dir.groesse(QStringLiteral("Familie.Rez")), 2 * R);
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files).size(), 2);
    e.u.Rubriken_lesen();
    QCOMPARE(e.u.listen.hauptRubriken, QStringList{QStringLiteral("S")});
    QCOMPARE(e.u.buchDateien(), QStringList{QStringLiteral("Familie.Rez")});
}

void TestUnit4::unsichereBuchnamen_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("elternordner") << QStringLiteral("../draussen");
    QTest::newRow("unterordner") << QStringLiteral("a/b");
    QTest::newRow("backslash") << QStringLiteral("..\\x");
    QTest::newRow("zwei punkte") << QStringLiteral("..");
}

void TestUnit4::unsichereBuchnamen() {
    QFETCH(QString, name);
    Umgebung e;
    QDir(e.dir.pfad()).mkdir(QStringLiteral("a"));
    e.u.rezeptbuch = name;
    e.u.rezept_anlegen1();
    e.u.element1 = DataDir::rezept(QStringLiteral("S"), QStringLiteral("X"));
    e.u.Daten_einsortieren();
    e.u.satznum = 1;
    e.u.datei_speichern_aendern();
    QVERIFY(e.u.buchPfad().isEmpty());
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files), QStringList());
    QCOMPARE(QDir(e.dir.pfad() + QStringLiteral("a")).entryList(QDir::Files), QStringList());
    QVERIFY(!QFileInfo::exists(e.dir.pfad() + QStringLiteral("../draussen.rez")));
}

void TestUnit4::sichereNamen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("sicher");
    QTest::newRow("normal") << QStringLiteral("Familie") << true;
    QTest::newRow("leer") << QString() << true;
    QTest::newRow("zwei punkte innen") << QStringLiteral("Omas..Beste") << true;
    QTest::newRow("punkt am ende") << QStringLiteral("Ende.") << true;
    QTest::newRow("umlaute") << QStringLiteral("Küche & Grill") << true;
    QTest::newRow("punkt") << QStringLiteral(".") << false;
    QTest::newRow("zwei punkte") << QStringLiteral("..") << false;
    QTest::newRow("versteckt") << QStringLiteral(".geheim") << false;
    QTest::newRow("bindestrich vorn") << QStringLiteral("-rf") << false;
    QTest::newRow("schraegstrich") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("x") << false;
    QTest::newRow("tabulator") << QStringLiteral("a\tb") << false;
    QTest::newRow("zeilenumbruch") << QStringLiteral("a\nb") << false;
    QTest::newRow("c1 steuerzeichen") << QString(QChar(0x85)) << false;
}

void TestUnit4::sichereNamen() {
    QFETCH(QString, name);
    QFETCH(bool, sicher);
    QCOMPARE(Unit4::sichererName(name), sicher);
    QCOMPARE(Unit4::buchnameFehler(name).isEmpty(), sicher);
}

void TestUnit4::buchnameFehler_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("teil"); // a part of the message
    QTest::newRow("nicht speicherbar") << QStringLiteral("Łódź") << QStringLiteral("Rezept.opt");
    QTest::newRow("nennt das zeichen") << QStringLiteral("Łódź") << QStringLiteral("\u201E\u0141\u201C");
    QTest::newRow("zu lang") << QString(81, QLatin1Char('x')) << QStringLiteral("80");
    QTest::newRow("genau 80") << QString(80, QLatin1Char('x')) << QString();
    QTest::newRow("euro geht") << QStringLiteral("Für 5 €") << QString();
    QTest::newRow("schraegstrich") << QStringLiteral("a/b") << QStringLiteral("Schrägstrich");
    QTest::newRow("punkt vorn") << QStringLiteral(".x") << QStringLiteral("Punkt");
}

void TestUnit4::buchnameFehler() {
    QFETCH(QString, name);
    QFETCH(QString, teil);
    const QString text = Unit4::buchnameFehler(name);
    if (teil.isEmpty())
        QCOMPARE(text, QString());
    else
        QVERIFY2(text.contains(teil), qPrintable(text));
}

void TestUnit4::buchMitZweiPunkten() {
    // Listed, readable and writable: a new recipe is not dropped.
    Umgebung e;
    e.u.rezeptbuch = QStringLiteral("Omas..Beste");
    e.u.rezept_anlegen1();
    e.u.element1 = DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"));
    QSignalSpy caption(&e.u, &Unit4::erfassenCaptionGesetzt);
    e.u.Daten_einsortieren();
    QCOMPARE(caption.count(), 1);
    QCOMPARE(e.dir.groesse(QStringLiteral("Omas..Beste.rez")), R);
    QCOMPARE(e.u.buchDateien(), QStringList{QStringLiteral("Omas..Beste.rez")});
    e.u.rubrik = QStringLiteral("Suppen");
    QCOMPARE(e.u.rubrikZeilen().size(), 1);
}

void TestUnit4::fremdeListenDatei() {
    // A length byte above the capacity reads the whole field and no further.
    Umgebung e;
    QByteArray b(360, '\0');
    b[0] = char(0xFF);
    for (int i = 1; i <= 60; ++i)
        b[i] = 'a';
    b[61] = 'Z';
    e.dir.schreibe(QStringLiteral("Rubriken.rub"), b + QByteArray(100, 'y'));
    e.u.Rubriken_lesen();
    QCOMPARE(e.u.listen.hauptRubriken, QStringList{QString(60, QLatin1Char('a'))});
}

void TestUnit4::uebersichtZeilen() {
    Umgebung e;
    dateien d = DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QString(), 5.5,
                                QStringLiteral("30"));
    d.anzahl = QStringLiteral("4");
    d.k_zeit = QStringLiteral("45");
    d.kalorien = QStringLiteral("350");
    e.dir.buch(QStringLiteral("B.rez"), {DataDir::rezept(QStringLiteral("Andere"), QStringLiteral("X")), d});
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.rubrik = QStringLiteral("Suppen");
    const QList<UebersichtZeile> z = e.u.rubrikZeilen();
    QCOMPARE(z.size(), 1);
    QCOMPARE(z.at(0).name, QStringLiteral("Linsensuppe"));
    QCOMPARE(z.at(0).anzahl, QStringLiteral("4"));
    QCOMPARE(z.at(0).preis, 5.5);
    QCOMPARE(z.at(0).zeit, QStringLiteral("30"));
    QCOMPARE(z.at(0).k_zeit, QStringLiteral("45"));
    QCOMPARE(z.at(0).kalorien, QStringLiteral("350"));
    QCOMPARE(z.at(0).position, 2);
    QCOMPARE(e.u.datei.name.toQString(), QStringLiteral("Linsensuppe"));
}

QTEST_GUILESS_MAIN(TestUnit4)
#include "tst_unit4.moc"
