// SPDX-License-Identifier: GPL-3.0-or-later
// The file routines of the data module, checked on the bytes they leave in a data directory.
#include "data/Unit4.h"
#include "support/Datenumgebung.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr int R = int(sizeof(dateien));

// A list of the data module by its name.
QStringList& namensliste(Unit4& u, const QString& name) {
    pfl::Namenslisten& l = u.listen;
    const QHash<QString, QStringList*> listen{
        {QStringLiteral("rubrikenGelesen"), &l.rubrikenGelesen},
        {QStringLiteral("rubrikenSortiert"), &l.rubrikenSortiert},
        {QStringLiteral("rubrikenZuletzt"), &l.rubrikenZuletzt},
        {QStringLiteral("rubrikenGesammelt"), &l.rubrikenGesammelt},
        {QStringLiteral("rubrikenSeitSuchbeginn"), &l.rubrikenSeitSuchbeginn},
        {QStringLiteral("kategorienGelesen"), &l.kategorienGelesen},
        {QStringLiteral("kategorienGesammelt"), &l.kategorienGesammelt},
        {QStringLiteral("kategorienSeitSuchbeginn"), &l.kategorienSeitSuchbeginn},
        {QStringLiteral("rezeptnamenGesammelt"), &l.rezeptnamenGesammelt},
        {QStringLiteral("rezeptnamenGewaehlt"), &l.rezeptnamenGewaehlt}};
    if (!listen.contains(name)) qFatal("no list %s", qPrintable(name));
    return *listen.value(name);
}

// Runs one step of a list test: a routine, a new list file, another active book, or a list emptied
// as a window empties it.
void schritt(Unit4& u, Testordner& dir, const QString& s) {
    const QString wort = s.section(QLatin1Char(' '), 0, 0);
    const QString rest = s.section(QLatin1Char(' '), 1);
    if (wort == QLatin1String("Rubriken_lesen")) {
        u.Rubriken_lesen();
    } else if (wort == QLatin1String("Kategorien_lesen")) {
        u.Kategorien_lesen();
    } else if (wort == QLatin1String("datei_lesen")) {
        u.datei_lesen();
    } else if (wort == QLatin1String("Rubriken_oeffnen")) {
        u.rubrik = rest;
        u.Rubriken_oeffnen();
    } else if (wort == QLatin1String("Rubriken_erkennen")) {
        u.listen.rezeptnamenKategorie = rest;
        u.Rubriken_erkennen();
    } else if (wort == QLatin1String("Rubriken.rub")) {
        dir.rubriken(rest.split(QLatin1Char(',')));
    } else if (wort == QLatin1String("kategorien.kat")) {
        dir.kategorien(rest.split(QLatin1Char(',')));
    } else if (wort == QLatin1String("Buch")) {
        u.rezeptbuch = rest;
    } else if (wort == QLatin1String("leeren")) {
        namensliste(u, rest).clear();
    } else {
        qFatal("no step %s", qPrintable(s));
    }
}
} // namespace

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
    void namenslisten_data();
    void namenslisten();
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
    void rubrikNamenSortiert();
};

void TestUnit4::anhaengenAnNeuesBuch() {
    Umgebung e;
    e.u.rezeptbuch = QStringLiteral("Familie");
    e.u.element1 = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"));
    QSignalSpy caption(&e.u, &Unit4::erfassenCaptionGesetzt);
    e.u.Daten_einsortieren();
    const QStringList dateien = QDir(e.dir.pfad()).entryList(QDir::Files);
    QCOMPARE(dateien.size(), 1);
    QVERIFY(dateien.first().compare(QStringLiteral("Familie.rez"), Qt::CaseInsensitive) == 0);
    QCOMPARE(e.dir.lies(dateien.first()), Testordner::bytes(e.u.element1));
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
        sieben.append(Testordner::rezept(QStringLiteral("R"), QStringLiteral("Rezept %1").arg(i)));
    e.dir.buch(QStringLiteral("Familie.rez"), sieben);
    const QByteArray vorher = e.dir.lies(QStringLiteral("Familie.rez"));
    e.u.rezeptbuch = QStringLiteral("Familie");
    e.u.element1 = Testordner::rezept(QStringLiteral("Neu"), QStringLiteral("Neues"));
    e.u.Daten_einsortieren();
    const QByteArray nachher = e.dir.lies(QStringLiteral("Familie.rez"));
    QCOMPARE(nachher.size(), 8 * R);
    QCOMPARE(nachher.left(7 * R), vorher);
    QCOMPARE(nachher.mid(7 * R), Testordner::bytes(e.u.element1));
    QCOMPARE(e.u.anz, 7);
    e.u.rubrik = QStringLiteral("Neu");
    QCOMPARE(e.u.rubrikZeilen().first().position, 8);
}

void TestUnit4::anhaengenAnBeschaedigtesBuch() {
    // A torn last record is never readable; the new recipe takes its place on a record boundary.
    Umgebung e;
    QByteArray b = Testordner::bytes(Testordner::rezept(QStringLiteral("A"), QStringLiteral("Eins")));
    b += QByteArray(1000, 'x');
    e.dir.schreibe(QStringLiteral("Buch.rez"), b);
    e.u.rezeptbuch = QStringLiteral("Buch");
    e.u.element1 = Testordner::rezept(QStringLiteral("A"), QStringLiteral("Zwei"));
    e.u.Daten_einsortieren();
    const QByteArray n = e.dir.lies(QStringLiteral("Buch.rez"));
    QCOMPARE(n.size(), 2 * R);
    QCOMPARE(Testordner::satz<dateien>(n, 1).name.toQString(), QStringLiteral("Zwei"));
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
        dateien d = Testordner::rezept(QStringLiteral("R"), QStringLiteral("Rezept %1").arg(i));
        d.int3 = 1000 + i; // reserved fields travel with the record
        fuenf.append(d);
    }
    e.dir.buch(QStringLiteral("B.rez"), fuenf);
    const QByteArray vorher = e.dir.lies(QStringLiteral("B.rez"));
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.satznum = satznum;
    e.u.datei = Testordner::rezept(QStringLiteral("R"), QStringLiteral("Geändert"));
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
    QCOMPARE(n.mid(von, R), Testordner::bytes(e.u.datei));
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
    QCOMPARE(e.u.listen.rubrikenSortiert,
             (QStringList{QStringLiteral("Desserts"), QStringLiteral("Suppen")}));
    QCOMPARE(e.u.listen.rubrikenGelesen, (QStringList{QStringLiteral("Suppen"), QStringLiteral("Desserts")}));
}

void TestUnit4::rubrikenLesen() {
    Umgebung e;
    e.dir.rubriken({QStringLiteral("Suppen"), QString(), QStringLiteral("Öl & Essig"),
                    QStringLiteral("SUPPEN"), QStringLiteral("Aufläufe"), QStringLiteral("Zander")});
    e.u.listen.rubrikenSeitSuchbeginn = {QStringLiteral("Alt")};
    e.u.listen.rubrikenSortiert = {QStringLiteral("Weg")};
    QSignalSpy breiten(&e.u, &Unit4::spaltenbreitenNeu);
    e.u.Rubriken_lesen();
    // Repeats dropped without regard to case, first spelling kept; the visible list sorts German.
    QCOMPARE(e.u.listen.rubrikenGelesen, (QStringList{QStringLiteral("Suppen"), QStringLiteral("Öl & Essig"),
                                                      QStringLiteral("Aufläufe"), QStringLiteral("Zander")}));
    QCOMPARE(e.u.listen.rubrikenSortiert,
             (QStringList{QStringLiteral("Aufläufe"), QStringLiteral("Öl & Essig"), QStringLiteral("Suppen"),
                          QStringLiteral("Zander")}));
    // A collecting list is not emptied first.
    QCOMPARE(e.u.listen.rubrikenSeitSuchbeginn.first(), QStringLiteral("Alt"));
    QCOMPARE(e.u.listen.rubrikenSeitSuchbeginn.size(), 5);
    QCOMPARE(breiten.count(), 1);
}

void TestUnit4::namenslisten_data() {
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<QString>("liste");
    QTest::addColumn<QStringList>("erwartet");
    const QStringList einmal{QStringLiteral("Rubriken_lesen")};
    const QStringList zweimal{QStringLiteral("Rubriken_lesen"), QStringLiteral("Rubriken.rub Salate,Suppen"),
                              QStringLiteral("Rubriken_lesen")};
    const QStringList beide{QStringLiteral("Suppen"), QStringLiteral("Braten")};
    const QStringList alle{QStringLiteral("Suppen"), QStringLiteral("Braten"), QStringLiteral("Salate")};
    const QStringList neue{QStringLiteral("Salate"), QStringLiteral("Suppen")};
    // Sections: the lists of the last reading start empty; the collecting ones keep what they had.
    QTest::newRow("gelesen") << einmal << "rubrikenGelesen" << beide;
    QTest::newRow("sortiert") << einmal << "rubrikenSortiert" << (QStringList{"Braten", "Suppen"});
    QTest::newRow("zuletzt") << einmal << "rubrikenZuletzt" << beide;
    QTest::newRow("gesammelt") << einmal << "rubrikenGesammelt" << beide;
    QTest::newRow("seit suchbeginn") << einmal << "rubrikenSeitSuchbeginn" << beide;
    QTest::newRow("wieder gelesen") << zweimal << "rubrikenGelesen" << neue;
    QTest::newRow("wieder sortiert") << zweimal << "rubrikenSortiert" << neue;
    QTest::newRow("wieder zuletzt") << zweimal << "rubrikenZuletzt" << neue;
    QTest::newRow("wieder gesammelt") << zweimal << "rubrikenGesammelt" << alle;
    QTest::newRow("wieder seit suchbeginn") << zweimal << "rubrikenSeitSuchbeginn" << alle;
    const QStringList gesammeltGeleert{
        QStringLiteral("Rubriken_lesen"), QStringLiteral("Rubriken.rub Salate"),
        QStringLiteral("leeren rubrikenGesammelt"), QStringLiteral("Rubriken_lesen")};
    QTest::newRow("gesammelt geleert") << gesammeltGeleert << "rubrikenGesammelt" << QStringList{"Salate"};
    QTest::newRow("suche bleibt") << gesammeltGeleert << "rubrikenSeitSuchbeginn" << alle;
    const QStringList sucheGeleert{QStringLiteral("Rubriken_lesen"), QStringLiteral("Rubriken.rub Salate"),
                                   QStringLiteral("leeren rubrikenSeitSuchbeginn"),
                                   QStringLiteral("Rubriken_lesen")};
    QTest::newRow("suche geleert") << sucheGeleert << "rubrikenSeitSuchbeginn" << QStringList{"Salate"};
    QTest::newRow("gesammelt bleibt") << sucheGeleert << "rubrikenGesammelt" << alle;
    // Reading the categories or a book empties the sections of the last reading only.
    const QStringList mitKategorien{QStringLiteral("Rubriken_lesen"), QStringLiteral("Kategorien_lesen")};
    QTest::newRow("kategorien leeren zuletzt") << mitKategorien << "rubrikenZuletzt" << QStringList();
    QTest::newRow("kategorien lassen gelesen") << mitKategorien << "rubrikenGelesen" << beide;
    const QStringList mitBuch{QStringLiteral("Rubriken_lesen"), QStringLiteral("Buch B"),
                              QStringLiteral("datei_lesen")};
    QTest::newRow("buch leert zuletzt") << mitBuch << "rubrikenZuletzt" << QStringList();
    QTest::newRow("buch laesst gesammelt") << mitBuch << "rubrikenGesammelt" << beide;
    // Categories.
    const QStringList katSchritte{QStringLiteral("Kategorien_lesen"), QStringLiteral("kategorien.kat Vegan"),
                                  QStringLiteral("Kategorien_lesen")};
    const QStringList alleKategorien{QStringLiteral("Deftig"), QStringLiteral("Leicht"),
                                     QStringLiteral("Vegan")};
    QTest::newRow("kategorien gelesen") << katSchritte << "kategorienGelesen" << QStringList{"Vegan"};
    QTest::newRow("kategorien gesammelt") << katSchritte << "kategorienGesammelt" << alleKategorien;
    QTest::newRow("kategorien seit suchbeginn")
        << katSchritte << "kategorienSeitSuchbeginn" << alleKategorien;
    const QStringList kategorienSuche{
        QStringLiteral("Kategorien_lesen"), QStringLiteral("leeren kategorienSeitSuchbeginn"),
        QStringLiteral("kategorien.kat Vegan"), QStringLiteral("Kategorien_lesen")};
    QTest::newRow("kategorien suche geleert")
        << kategorienSuche << "kategorienSeitSuchbeginn" << QStringList{"Vegan"};
    QTest::newRow("kategorien gesammelt bleibt")
        << kategorienSuche << "kategorienGesammelt" << alleKategorien;
    // Recipe names: of every book read, and of the chosen section or category.
    QTest::newRow("namen zweier buecher")
        << QStringList{"Buch B", "datei_lesen", "Buch C", "datei_lesen"} << "rezeptnamenGesammelt"
        << QStringList{"Erbsensuppe", "Gulasch", "Brühe", "Nudelsalat"};
    QTest::newRow("namen einer rubrik") << QStringList{"Buch B", "Rubriken_oeffnen Suppen"}
                                        << "rezeptnamenGewaehlt" << QStringList{"Erbsensuppe", "Brühe"};
    QTest::newRow("namen einer kategorie")
        << QStringList{"Buch B", "Rubriken_oeffnen Suppen", "Rubriken_erkennen Deftig"}
        << "rezeptnamenGewaehlt" << QStringList{"Erbsensuppe", "Gulasch"};
    QTest::newRow("buch leert namen") << QStringList{"Buch B", "Rubriken_erkennen Deftig", "datei_lesen"}
                                      << "rezeptnamenGewaehlt" << QStringList();
    QTest::newRow("listen lassen namen")
        << QStringList{"Buch B", "Rubriken_erkennen Leicht", "Rubriken_lesen", "Kategorien_lesen"}
        << "rezeptnamenGewaehlt" << QStringList{"Brühe"};
}

void TestUnit4::namenslisten() {
    QFETCH(QStringList, schritte);
    QFETCH(QString, liste);
    QFETCH(QStringList, erwartet);
    Umgebung e;
    e.dir.rubriken({QStringLiteral("Suppen"), QStringLiteral("Braten"), QStringLiteral("suppen")});
    e.dir.kategorien({QStringLiteral("Deftig"), QStringLiteral("Leicht"), QStringLiteral("deftig")});
    e.dir.buch(
        QStringLiteral("B.rez"),
        {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"),
                            QStringLiteral("Deftig")),
         Testordner::rezept(QStringLiteral("Braten"), QStringLiteral("Gulasch"), QStringLiteral("Deftig")),
         Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"), QStringLiteral("Leicht"))});
    e.dir.buch(
        QStringLiteral("C.rez"),
        {Testordner::rezept(QStringLiteral("Salate"), QStringLiteral("Nudelsalat"), QStringLiteral("Leicht")),
         Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("erbsensuppe"),
                            QStringLiteral("Deftig"))});
    for (const QString& s : schritte)
        schritt(e.u, e.dir, s);
    QCOMPARE(namensliste(e.u, liste), erwartet);
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
    QCOMPARE(e.u.listen.kategorienGelesen, QStringList{QStringLiteral("Vegetarisch")});
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
    const Drucker d = Testordner::satz<Drucker>(b);
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
    QTest::newRow("gueltig") << Testordner::bytes(eigen) << 14;
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
    e.dir.buch(QStringLiteral("Familie.rez"), {Testordner::rezept(QStringLiteral("S"), QStringLiteral("X"))});
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
        b += Testordner::bytes(Testordner::rezept(QStringLiteral("R"), QString::fromLatin1(n)));
    b += QByteArray(500, 'x'); // torn last record: only complete ones count
    e.dir.schreibe(QStringLiteral("B.rez"), b);
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.listen.rubrikenZuletzt = {QStringLiteral("weg")};
    e.u.datei_lesen();
    QCOMPARE(e.u.daten, 4);
    QCOMPARE(e.u.listen.rezeptnamenGesammelt,
             (QStringList{QStringLiteral("Gulasch"), QStringLiteral("Apfelkuchen")}));
    QVERIFY(e.u.listen.rubrikenZuletzt.isEmpty());
    QCOMPARE(e.u.datei.name.toQString(), QStringLiteral("Apfelkuchen"));
    QCOMPARE(e.u.Year, quint16(2026));
}

void TestUnit4::auswahlIstExakt() {
    Umgebung e;
    e.dir.buch(
        QStringLiteral("B.rez"),
        {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"),
                            QStringLiteral("Deftig")),
         Testordner::rezept(QStringLiteral("suppen"), QStringLiteral("Tomatensuppe"),
                            QStringLiteral("deftig")),
         Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"), QStringLiteral("Leicht"))});
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.rubrik = QStringLiteral("Suppen");
    e.u.Rubriken_oeffnen();
    QCOMPARE(e.u.listen.rezeptnamenGewaehlt,
             (QStringList{QStringLiteral("Erbsensuppe"), QStringLiteral("Brühe")}));
    e.u.listen.rezeptnamenKategorie = QStringLiteral("deftig");
    e.u.Rubriken_erkennen();
    QCOMPARE(e.u.listen.rezeptnamenGewaehlt, QStringList{QStringLiteral("Tomatensuppe")});
    e.u.listen.rezeptnamenKategorie = QStringLiteral("Leicht");
    e.u.Rubriken_erkennen();
    QCOMPARE(e.u.listen.rezeptnamenGewaehlt, QStringList{QStringLiteral("Brühe")});
    const QList<UebersichtZeile> z = e.u.rubrikZeilen();
    QCOMPARE(z.size(), 2);
    QCOMPARE(z.at(1).position, 3);
}

void TestUnit4::dateinamenOhneGrossKlein() {
    Umgebung e;
    e.dir.buch(QStringLiteral("Familie.Rez"), {Testordner::rezept(QStringLiteral("S"), QStringLiteral("X"))});
    e.dir.rubriken({QStringLiteral("S")});
    QFile::rename(e.dir.datei(QStringLiteral("Rubriken.rub")), e.dir.datei(QStringLiteral("RUBRIKEN.RUB")));
    e.u.rezeptbuch = QStringLiteral("familie");
    e.u.element1 = Testordner::rezept(QStringLiteral("S"), QStringLiteral("Y"));
    e.u.Daten_einsortieren();
    QCOMPARE(e.dir.groesse(QStringLiteral("Familie.Rez")), 2 * R);
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files).size(), 2);
    e.u.Rubriken_lesen();
    QCOMPARE(e.u.listen.rubrikenSortiert, QStringList{QStringLiteral("S")});
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
    e.u.element1 = Testordner::rezept(QStringLiteral("S"), QStringLiteral("X"));
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
    e.u.element1 = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"));
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
    QCOMPARE(e.u.listen.rubrikenSortiert, QStringList{QString(60, QLatin1Char('a'))});
}

void TestUnit4::uebersichtZeilen() {
    Umgebung e;
    dateien d = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QString(), 5.5,
                                   QStringLiteral("30"));
    d.anzahl = QStringLiteral("4");
    d.k_zeit = QStringLiteral("45");
    d.kalorien = QStringLiteral("350");
    e.dir.buch(QStringLiteral("B.rez"),
               {Testordner::rezept(QStringLiteral("Andere"), QStringLiteral("X")), d});
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

void TestUnit4::rubrikNamenSortiert() {
    // The kept pass belongs to one book file: another book of the same size and time is read anew, a
    // book rewritten to the same size and time only once the pass is dropped, a grown book at once.
    Umgebung e;
    const auto r = [](const char* rubrik, const char* name) {
        return Testordner::rezept(QString::fromUtf8(rubrik), QString::fromUtf8(name));
    };
    const QDateTime zeit = QDateTime::currentDateTime().addSecs(-60);
    const auto schreiben = [&](const QString& datei, const QList<dateien>& rezepte) {
        e.dir.buch(datei, rezepte);
        QFile f(e.dir.datei(datei));
        return f.open(QIODevice::ReadWrite) && f.setFileTime(zeit, QFileDevice::FileModificationTime);
    };
    QVERIFY(schreiben(QStringLiteral("A.rez"),
                      {r("Suppen", "Zwiebelsuppe"), r("Braten", "Gulasch"), r("Suppen", "Ölsuppe")}));
    QVERIFY(schreiben(QStringLiteral("B.rez"),
                      {r("Suppen", "Brühe"), r("Suppen", "brühe"), r("Salate", "Nudeln")}));
    e.u.rezeptbuch = QStringLiteral("A");
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Suppen")), (QStringList{"Ölsuppe", "Zwiebelsuppe"}));
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Salate")), QStringList());
    e.u.rezeptbuch = QStringLiteral("B");
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Suppen")), QStringList{"Brühe"});
    QVERIFY(schreiben(QStringLiteral("B.rez"),
                      {r("Suppen", "Eintopf"), r("Suppen", "brühe"), r("Salate", "Nudeln")}));
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Suppen")), QStringList{"Brühe"});
    e.u.rubrikNamenVerwerfen();
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Suppen")), (QStringList{"brühe", "Eintopf"}));
    e.u.element1 = r("Suppen", "Borschtsch");
    e.u.Daten_einsortieren();
    QCOMPARE(e.u.rubrikNamenSortiert(QStringLiteral("Suppen")),
             (QStringList{"Borschtsch", "brühe", "Eintopf"}));
}

QTEST_GUILESS_MAIN(TestUnit4)
#include "tst_unit4.moc"
