// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window through its controls: what "Speichern >>" leaves in Rezept.opt and
// Stammdaten.sti, that a field without a whole number changes nothing, that the overview takes the
// row height at once, discarding by "Beenden", a failed write, and the arrow keys' focus order.
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/Schreibgrenze.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;

// Settings with the fields the window does not edit set, so that a rewrite that loses them shows.
optionen gespeicherteOptionen() {
    optionen o;
    zeroRecord(o);
    o.rezeptbuch = QStringLiteral("Familie");
    o.dbw = 779;
    o.dbh = 421;
    o.db_einaus = 1;
    o.Backup = 1;
    o.sonst3 = 77;
    o.lwpf = QStringLiteral("/media/stick/Rezepte");
    o.str6 = QStringLiteral("frei");
    o.z_hoehe = 22;
    o.bildgroesse = 100;
    o.waehrung = QStringLiteral("EUR");
    return o;
}

Stamm_inh gespeicherterInhaber() {
    Stamm_inh s;
    zeroRecord(s);
    s.Name = QStringLiteral("Huber");
    s.vorname = QStringLiteral("Anna");
    s.Strasse = QStringLiteral("Hauptstraße 1");
    s.ort = QStringLiteral("80331 München");
    s.tel = QStringLiteral("089 123");
    s.fax = QStringLiteral("089 124");
    return s;
}

void familie(Testordner& d) {
    d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(gespeicherteOptionen()));
    d.schreibe(QStringLiteral("Stammdaten.sti"), Testordner::bytes(gespeicherterInhaber()));
    d.rubriken({QStringLiteral("Suppen")});
    d.buch(QStringLiteral("Familie.rez"),
           {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe")),
            Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"))});
}

struct Einstellungen {
    Programm p{familie};
    QDialog* w = nullptr;

    Einstellungen() { oeffnen(); }
    void oeffnen() {
        p.finde<QAction>(QStringLiteral("Einstellungen1"))->trigger();
        w = p.finde<QDialog>(QStringLiteral("Einst"));
    }
    template <typename T = QLineEdit> T* k(const char* name) const {
        return Programm::in<T>(w, QString::fromLatin1(name));
    }
    void klick(const char* name) const { k<QPushButton>(name)->click(); }
    QByteArray opt() const { return p.dir.lies(QStringLiteral("Rezept.opt")); }
    QByteArray sti() const { return p.dir.lies(QStringLiteral("Stammdaten.sti")); }
};

} // namespace

class TestEinstellungen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void oeffnenZeigtDieGespeichertenWerte();
    void speichernSchreibtBeideDateien_data();
    void speichernSchreibtBeideDateien();
    void keineGanzeZahlAendertNichts_data();
    void keineGanzeZahlAendertNichts();
    void zeilenhoeheGiltSofort_data();
    void zeilenhoeheGiltSofort();
    void beendenVerwirft();
    void fehlgeschlagenesSchreibenWirdGemeldet();
    void pfeiltastenFolgenDerFokusreihe_data();
    void pfeiltastenFolgenDerFokusreihe();
};

void TestEinstellungen::oeffnenZeigtDieGespeichertenWerte() {
    Einstellungen e;
    QVERIFY(e.w && e.w->isVisible());
    QCOMPARE(e.w->windowTitle(), QStringLiteral("Einstellungen"));
    // The owner data are the page shown first.
    QCOMPARE(e.k<QTabWidget>("PageControl1")->currentIndex(), 1);
    QCOMPARE(e.k("Edit3")->text(), QStringLiteral("EUR"));
    QCOMPARE(e.k<RxSpinEdit>("RxSpinEdit1")->Text(), QStringLiteral("22"));
    QCOMPARE(e.k<RxSpinEdit>("RxSpinEdit2")->Text(), QStringLiteral("100"));
    QCOMPARE(e.k("Edit1")->text(), QStringLiteral("Huber"));
    QCOMPARE(e.k("Edit2")->text(), QStringLiteral("Anna"));
    QCOMPARE(e.k("Edit6")->text(), QStringLiteral("80331 München"));
    QCOMPARE(e.k("Edit8")->text(), QStringLiteral("089 124"));
    pfl::test::bildSpeichern(e.w, QStringLiteral("einstellungen_stammdaten"));
    e.k<QTabWidget>("PageControl1")->setCurrentIndex(0);
    pfl::test::bildSpeichern(e.w, QStringLiteral("einstellungen"));
    // A stored row height beyond the arrows' bound is shown as stored, not brought within it.
    e.p.u.option.z_hoehe = 150;
    e.w->close();
    e.oeffnen();
    QCOMPARE(e.k<RxSpinEdit>("RxSpinEdit1")->Text(), QStringLiteral("150"));
}

void TestEinstellungen::speichernSchreibtBeideDateien_data() {
    QTest::addColumn<bool>("euro");
    QTest::addColumn<QString>("waehrung");  // typed into Edit3 (unless euro)
    QTest::addColumn<QString>("zeilen");    // RxSpinEdit1
    QTest::addColumn<QString>("bild");      // RxSpinEdit2
    QTest::addColumn<QString>("vorname");   // Edit2
    QTest::addColumn<QByteArray>("wBytes"); // the stored currency text
    QTest::addColumn<int>("zHoehe");
    QTest::addColumn<int>("bGroesse");
    QTest::addColumn<QByteArray>("vBytes"); // the stored first name
    QTest::newRow("euro button") << true << QString() << "30"
                                 << "120"
                                 << "Jürgen" << QByteArray("\x80  ", 3) << 30 << 120
                                 << QByteArray("J\xFCrgen");
    QTest::newRow("seven characters, first five kept")
        << false << "Franken"
        << "8"
        << "-5"
        << "Anna" << QByteArray("Frank") << 8 << -5 << QByteArray("Anna");
    QTest::newRow("blanks around a number") << false << "CHF"
                                            << " 44 "
                                            << "0"
                                            << "" << QByteArray("CHF") << 44 << 0 << QByteArray();
    QTest::newRow("owner field cut to 25")
        << false << "€"
        << "22"
        << "100" << QString(30, QLatin1Char('x')) << QByteArray("\x80") << 22 << 100 << QByteArray(25, 'x');
}

void TestEinstellungen::speichernSchreibtBeideDateien() {
    QFETCH(bool, euro);
    QFETCH(QString, waehrung);
    QFETCH(QString, zeilen);
    QFETCH(QString, bild);
    QFETCH(QString, vorname);
    QFETCH(QByteArray, wBytes);
    QFETCH(int, zHoehe);
    QFETCH(int, bGroesse);
    QFETCH(QByteArray, vBytes);
    Einstellungen e;
    QSignalSpy geschlossen(e.w, SIGNAL(geschlossen()));
    if (euro)
        e.klick("Button4");
    else
        e.k("Edit3")->setText(waehrung);
    e.k<RxSpinEdit>("RxSpinEdit1")->setText(zeilen);
    e.k<RxSpinEdit>("RxSpinEdit2")->setText(bild);
    e.k("Edit2")->setText(vorname);
    e.k("Edit7")->setText(QStringLiteral("0171 5"));
    e.klick("Button1");

    QVERIFY(e.p.plattform.meldungen.isEmpty());
    QVERIFY(!e.w->isVisible());
    QCOMPARE(geschlossen.size(), 1);
    // Rezept.opt: the old record with exactly these fields changed, every other byte as it was.
    optionen o = gespeicherteOptionen();
    o.waehrung.len = quint8(wBytes.size());
    std::memcpy(o.waehrung.chars, wBytes.constData(), size_t(wBytes.size()));
    o.z_hoehe = zHoehe;
    o.bildgroesse = bGroesse;
    QCOMPARE(e.opt(), Testordner::bytes(o));
    Stamm_inh s = gespeicherterInhaber();
    s.vorname.len = quint8(vBytes.size());
    std::memcpy(s.vorname.chars, vBytes.constData(), size_t(vBytes.size()));
    s.tel = QStringLiteral("0171 5");
    QCOMPARE(e.sti(), Testordner::bytes(s));
    // In memory as well: what later uses read.
    QCOMPARE(Testordner::bytes(e.p.u.option), Testordner::bytes(o));
    QCOMPARE(Testordner::bytes(e.p.u.st_inh1), Testordner::bytes(s));
}

void TestEinstellungen::keineGanzeZahlAendertNichts_data() {
    QTest::addColumn<QString>("zeilen");
    QTest::addColumn<QString>("bild");
    QTest::addColumn<QString>("meldung"); // part of the message
    QTest::newRow("row height empty") << ""
                                      << "100"
                                      << "Spaltenhöhe in Tabellen";
    QTest::newRow("row height with a letter") << "2a"
                                              << "100"
                                              << "ganze Zahl";
    QTest::newRow("row height decimal") << "22,5"
                                        << "100"
                                        << "ganze Zahl";
    QTest::newRow("row height above 100") << "101"
                                          << "100"
                                          << "höchstens 100";
    QTest::newRow("picture size empty") << "22"
                                        << ""
                                        << "Bildgröße beim Ausdruck";
    QTest::newRow("picture size beyond int") << "22"
                                             << "99999999999"
                                             << "ganze Zahl";
    QTest::newRow("both wrong") << "x"
                                << "y"
                                << "ganze Zahl";
}

void TestEinstellungen::keineGanzeZahlAendertNichts() {
    QFETCH(QString, zeilen);
    QFETCH(QString, bild);
    QFETCH(QString, meldung);
    Einstellungen e;
    const QByteArray optVorher = e.opt(), stiVorher = e.sti();
    const QByteArray optImSpeicher = Testordner::bytes(e.p.u.option);
    const QByteArray stiImSpeicher = Testordner::bytes(e.p.u.st_inh1);
    // Valid changes beside the wrong number must not slip through either.
    e.klick("Button4");
    e.k("Edit1")->setText(QStringLiteral("Maier"));
    e.k<RxSpinEdit>("RxSpinEdit1")->setText(zeilen);
    e.k<RxSpinEdit>("RxSpinEdit2")->setText(bild);
    e.klick("Button1");

    QCOMPARE(e.p.plattform.meldungen.size(), 1);
    QVERIFY2(e.p.plattform.meldungen.first().text.contains(meldung),
             qPrintable(e.p.plattform.meldungen.first().text));
    QVERIFY(e.p.plattform.meldungen.first().text.contains(QStringLiteral("nicht gespeichert")));
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.opt(), optVorher);
    QCOMPARE(e.sti(), stiVorher);
    QCOMPARE(Testordner::bytes(e.p.u.option), optImSpeicher);
    QCOMPARE(Testordner::bytes(e.p.u.st_inh1), stiImSpeicher);
    // The user is taken to the settings page to correct it.
    QCOMPARE(e.k<QTabWidget>("PageControl1")->currentIndex(), 0);
}

void TestEinstellungen::zeilenhoeheGiltSofort_data() {
    QTest::addColumn<QString>("zeilen");
    QTest::addColumn<int>("tabelle"); // the overview's row height afterwards
    QTest::newRow("40") << "40" << 40;
    QTest::newRow("11, the smallest applied") << "11" << 11;
    // 10 and below are stored, but the tables keep their own height.
    QTest::newRow("10") << "10" << 22;
    QTest::newRow("8") << "8" << 22;
}

void TestEinstellungen::zeilenhoeheGiltSofort() {
    QFETCH(QString, zeilen);
    QFETCH(int, tabelle);
    Einstellungen e;
    auto* grid = e.p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    QCOMPARE(grid->DefaultRowHeight(), 22);
    e.k<RxSpinEdit>("RxSpinEdit1")->setText(zeilen);
    e.klick("Button1");
    QCOMPARE(grid->DefaultRowHeight(), tabelle);
    QCOMPARE(e.p.optionenDatei().z_hoehe, zeilen.toInt());
}

void TestEinstellungen::beendenVerwirft() {
    Einstellungen e;
    const QByteArray optVorher = e.opt(), stiVorher = e.sti();
    e.k("Edit1")->setText(QStringLiteral("Maier"));
    e.k("Edit3")->setText(QStringLiteral("DM"));
    e.klick("Button2");
    QVERIFY(!e.w->isVisible());
    QCOMPARE(e.opt(), optVorher);
    QCOMPARE(e.sti(), stiVorher);
    QCOMPARE(e.p.u.st_inh1.Name.toQString(), QStringLiteral("Huber"));
    QCOMPARE(e.p.u.option.waehrung.toQString(), QStringLiteral("EUR"));
    // Opened again, the window shows the stored values, not the discarded entries.
    e.oeffnen();
    QCOMPARE(e.k("Edit1")->text(), QStringLiteral("Huber"));
    QCOMPARE(e.k("Edit3")->text(), QStringLiteral("EUR"));
}

void TestEinstellungen::fehlgeschlagenesSchreibenWirdGemeldet() {
    Einstellungen e;
    const QByteArray optVorher = e.opt(), stiVorher = e.sti();
    // A nearly full disk: Stammdaten.sti (156 bytes) still fits, Rezept.opt (1416 bytes) does not.
    enum {
        Gemeldet = 1,
        OptUnveraendert = 2,
        OffenMitEingabe = 4,
        StiGeschrieben = 8,
        // Memory tells what the files hold: the row height stays, the owner's name is the new one.
        SpeicherWieDateien = 16
    };
    const int hoeheVorher = e.p.u.option.z_hoehe;
    const int bits = pfl::test::mitSchreibgrenze(1000, [&] {
        e.k<RxSpinEdit>("RxSpinEdit1")->setText(QStringLiteral("30"));
        e.k("Edit1")->setText(QStringLiteral("Maier"));
        e.klick("Button1");
        const QStringList m = e.p.plattform.meldungsTexte();
        int r = 0;
        if (m.size() == 1 && m.first().contains(QStringLiteral("Rezept.opt"))) r |= Gemeldet;
        if (e.opt() == optVorher) r |= OptUnveraendert;
        // Closing would look like success: the window stays, with what the user typed.
        if (e.w->isVisible() && e.k<RxSpinEdit>("RxSpinEdit1")->Text() == QStringLiteral("30"))
            r |= OffenMitEingabe;
        if (e.sti() != stiVorher) r |= StiGeschrieben;
        if (e.p.u.option.z_hoehe == hoeheVorher && e.p.u.st_inh1.Name.toQString() == QStringLiteral("Maier"))
            r |= SpeicherWieDateien;
        return r;
    });
    QCOMPARE(bits, Gemeldet | OptUnveraendert | OffenMitEingabe | StiGeschrieben | SpeicherWieDateien);
}

void TestEinstellungen::pfeiltastenFolgenDerFokusreihe_data() {
    QTest::addColumn<int>("seite");
    QTest::addColumn<QString>("von");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QString>("nach");
    // The owner data run from the bottom field upwards: down goes up on the screen.
    QTest::newRow("fax down to telefon") << 1 << "Edit8" << int(Qt::Key_Down) << "Edit7";
    QTest::newRow("telefon up to fax") << 1 << "Edit7" << int(Qt::Key_Up) << "Edit8";
    QTest::newRow("vorname down to name") << 1 << "Edit2" << int(Qt::Key_Down) << "Edit1";
    QTest::newRow("currency down to euro button") << 0 << "Edit3" << int(Qt::Key_Down) << "Button4";
    QTest::newRow("row height down to picture size")
        << 0 << "RxSpinEdit1" << int(Qt::Key_Down) << "RxSpinEdit2";
}

void TestEinstellungen::pfeiltastenFolgenDerFokusreihe() {
    QFETCH(int, seite);
    QFETCH(QString, von);
    QFETCH(int, taste);
    QFETCH(QString, nach);
    Einstellungen e;
    QApplication::setActiveWindow(e.w);
    QVERIFY(QTest::qWaitForWindowActive(e.w));
    e.k<QTabWidget>("PageControl1")->setCurrentIndex(seite);
    QWidget* start = Programm::in<QWidget>(e.w, von);
    start->setFocus();
    QCOMPARE(QApplication::focusWidget(), start);
    // The release goes to whichever control has the focus by then.
    QTest::keyPress(start, Qt::Key(taste));
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key(taste));
    QCOMPARE(QApplication::focusWidget()->objectName(), nach);
}

QTEST_MAIN(TestEinstellungen)
#include "tst_einstellungen.moc"
