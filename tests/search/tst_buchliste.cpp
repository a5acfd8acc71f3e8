// SPDX-License-Identifier: GPL-3.0-or-later
// The book listing through the running program: the matching rules, the table it fills, the details
// of the chosen recipe, its messages, help and the hand-over to the editor.
#include "mainwindow/Hauptfenster.h"
#include "data/Suche.h"
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "search/Buchliste.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QLineEdit>
#include <QRadioButton>
#include <QDialog>
#include <QtTest>

Q_DECLARE_METATYPE(pfl::Textfeld)

namespace {
using Programm = pfl::test::LaufendesProgramm;

dateien rezept(const QString& rubrik, const QString& name, const QString& kategorie, double preis = 0,
               const QString& zeit = QString(), const QString& am = QString()) {
    dateien d = Testordner::rezept(rubrik, name, kategorie, preis, zeit);
    d.erfasst_am = am;
    return d;
}

// Book "Familie": two recipes named "Nudeln" among others, one with a picture.
void familie(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Hauptgerichte"), QStringLiteral("Suppen")});
    d.kategorien({QStringLiteral("Pasta"), QStringLiteral("Deftig")});
    dateien a = rezept(QStringLiteral("Hauptgerichte"), QStringLiteral("Nudeln"), QStringLiteral("Pasta"),
                       1234.5, QStringLiteral("45"), QStringLiteral("03.05.2024"));
    a.personen = QStringLiteral("  4 ");
    a.schwer = QStringLiteral("leicht");
    a.kalorien = QStringLiteral("600");
    a.zutaten.setPlainText(QStringLiteral("500 g Nudeln\nSalz"));
    a.zubereitung.setPlainText(QStringLiteral("Kochen."));
    dateien b = rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QStringLiteral("Deftig"), 3,
                       QStringLiteral("viel"), QStringLiteral("kein Datum"));
    dateien c = rezept(QStringLiteral("Hauptgerichte"), QStringLiteral("nudeln"), QStringLiteral("Pasta"));
    dateien e = rezept(QStringLiteral("Suppen"), QStringLiteral("Nudeln"), QStringLiteral("Deftig"), 2.5,
                       QStringLiteral("20"), QStringLiteral("01.01.2023"));
    e.zutaten.setPlainText(QStringLiteral("Brühe"));
    e.bild = QStringLiteral("nudeln.png");
    d.buch(QStringLiteral("Familie.rez"), {a, b, c, e});
    QImage bild(8, 6, QImage::Format_RGB32);
    bild.fill(Qt::red);
    QDir().mkpath(d.datei(QStringLiteral("Bilder")));
    bild.save(d.datei(QStringLiteral("Bilder/nudeln.png")), "PNG");
}

TFilterGrid* uebersicht(const Programm& p) {
    return p.f->findChild<QFrame*>(QStringLiteral("Panel2"))
        ->findChild<TFilterGrid*>(QStringLiteral("FilterGrid1"));
}

Tform21* liste(const Programm& p) {
    return p.finde<Tform21>(QStringLiteral("form21"));
}

// Opens the listing as the main window's double click on the overview row of `name` does.
Tform21* nachNameOeffnen(Programm& p, const QString& rubrik, const QString& name) {
    p.u.rubrik = rubrik;
    p.f->Rezepte_anzeigen();
    TFilterGrid* g = uebersicht(p);
    for (int r = 1; r < g->RowCount(); ++r)
        if (g->Cells(0, r).trimmed() == name) g->setRow(r);
    Q_EMIT g->DblClick();
    return liste(p);
}

QList<int> positionen(TFilterGrid* g) {
    QList<int> l;
    for (int r = 1; r < g->RowCount(); ++r)
        if (!g->Cells(0, r).trimmed().isEmpty()) l << g->Cells(0, r).trimmed().toInt();
    return l;
}
} // namespace

class TestBuchliste : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textkriterien_data();
    void textkriterien();
    void zahlUndDatum_data();
    void zahlUndDatum();
    void unlesbarerSatzWirdUebersprungen();
    void doppelklickZeigtGleichnamige();
    void ganzesBuchUeberMenue();
    void keineTreffer_data();
    void keineTreffer();
    void sortierteZeileGehtAnDenEditor();
    void bildUndHilfe();
    void hilfeNachAuswahl_data();
    void hilfeNachAuswahl();
    void kopfklickBehaeltGewaehltesRezept();
    void schriftNachBildschirm_data();
    void schriftNachBildschirm();
};

void TestBuchliste::textkriterien_data() {
    QTest::addColumn<int>("was");
    QTest::addColumn<pfl::Textfeld>("feld");
    QTest::addColumn<bool>("exakt");
    QTest::addColumn<QString>("objekt");
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<bool>("passt");
    using pfl::Textfeld;
    QTest::newRow("Teil mit Rand") << 0 << Textfeld::Kategorie << false << "suppe"
                                   << "Gemüsesuppe " << true;
    QTest::newRow("Umlaute gross") << 0 << Textfeld::Kategorie << false << "SÜPPCHEN"
                                   << "süppchen" << true;
    QTest::newRow("Umlaute klein") << 0 << Textfeld::Name << false << "äpfel"
                                   << "Gebackene Äpfel" << true;
    QTest::newRow("fehlt") << 0 << Textfeld::Rubrik << false << "Torte"
                           << "Kuchen" << false;
    QTest::newRow("leerer Suchtext") << 0 << Textfeld::Name << false << "  "
                                     << "Kuchen" << false;
    QTest::newRow("exakt ganze Zutaten") << 0 << Textfeld::Zutaten << true << "mehl"
                                         << " Mehl\r\n"
                                         << true;
    QTest::newRow("exakt nur Teil") << 0 << Textfeld::Zutaten << true << "Mehl"
                                    << "Mehl\r\nZucker" << false;
    QTest::newRow("Teil in Zutaten") << 0 << Textfeld::Zutaten << false << "zucker"
                                     << "Mehl\r\nZucker" << true;
    QTest::newRow("ß bleibt ß") << 0 << Textfeld::Name << false << "STRASSE"
                                << "Straße" << false;
    QTest::newRow("Name genau") << 11 << Textfeld::Name << false << " Nudeln "
                                << "Nudeln" << true;
    QTest::newRow("Name klein") << 11 << Textfeld::Name << false << "Nudeln"
                                << "nudeln" << false;
    QTest::newRow("Name mit Blank") << 11 << Textfeld::Name << false << "Nudeln"
                                    << "Nudeln " << false;
}

void TestBuchliste::textkriterien() {
    QFETCH(int, was);
    QFETCH(pfl::Textfeld, feld);
    QFETCH(bool, exakt);
    QFETCH(QString, objekt);
    QFETCH(QString, inhalt);
    QFETCH(bool, passt);
    dateien d = Testordner::rezept(QStringLiteral("R"), QStringLiteral("N"), QStringLiteral("K"));
    switch (feld) {
    case pfl::Textfeld::Kategorie:
        d.kategorie = inhalt;
        break;
    case pfl::Textfeld::Rubrik:
        d.Rubrik = inhalt;
        break;
    case pfl::Textfeld::Zutaten:
        d.zutaten = inhalt;
        break;
    case pfl::Textfeld::Name:
        d.name = inhalt;
        break;
    }
    pfl::Suchbegriff b;
    b.was = was;
    b.feld = feld;
    b.exakt = exakt;
    b.objekt = objekt;
    QCOMPARE(pfl::passt(d, b), passt);
}

void TestBuchliste::zahlUndDatum_data() {
    QTest::addColumn<int>("was");
    QTest::addColumn<double>("zahl");
    QTest::addColumn<QString>("objekt");
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<bool>("passt");
    // The record: preis 12.5, zeit "45", erfasst_am "03.05.2024".
    const QDate mai(2024, 5, 3);
    QTest::newRow("Preis >=") << 1 << 12.5 << "" << QDate() << true;
    QTest::newRow("Preis <=") << 2 << 12.0 << "" << QDate() << false;
    QTest::newRow("Preis =") << 3 << 12.5 << "" << QDate() << true;
    QTest::newRow("Datum >=") << 4 << 0.0 << "" << mai.addDays(1) << false;
    QTest::newRow("Datum <=") << 5 << 0.0 << "" << mai << true;
    QTest::newRow("Datum =") << 6 << 0.0 << "" << mai << true;
    QTest::newRow("Zeit >=") << 7 << 45.0 << "" << QDate() << true;
    QTest::newRow("Zeit <=") << 8 << 30.0 << "" << QDate() << false;
    QTest::newRow("Zeit =") << 9 << 45.0 << "" << QDate() << true;
    QTest::newRow("Jahr") << 10 << 0.0 << " 2024 " << QDate() << true;
    QTest::newRow("anderes Jahr") << 10 << 0.0 << "2023" << QDate() << false;
}

void TestBuchliste::zahlUndDatum() {
    QFETCH(int, was);
    QFETCH(double, zahl);
    QFETCH(QString, objekt);
    QFETCH(QDate, datum);
    QFETCH(bool, passt);
    const dateien d = rezept(QStringLiteral("R"), QStringLiteral("N"), QStringLiteral("K"), 12.5,
                             QStringLiteral("45"), QStringLiteral("03.05.2024"));
    pfl::Suchbegriff b;
    b.was = was;
    b.objekt_zahl = zahl;
    b.objekt = objekt;
    b.datum = datum;
    QCOMPARE(pfl::passt(d, b), passt);
}

void TestBuchliste::unlesbarerSatzWirdUebersprungen() {
    // Record 2 has the time "viel" and no date: it is passed over, the scan goes on to records 3 and 4.
    Programm p(familie);
    pfl::Suchbegriff zeit;
    zeit.was = 8;
    zeit.objekt_zahl = 100;
    QList<int> gefunden;
    for (const pfl::Listenzeile& z : p.u.buchListe(&zeit))
        gefunden << z.position;
    QCOMPARE(gefunden, QList<int>({1, 4}));
    QCOMPARE(p.u.daten, 4);
    pfl::Suchbegriff jahr;
    jahr.was = 10;
    jahr.objekt = QStringLiteral("2023");
    const QList<pfl::Listenzeile> j = p.u.buchListe(&jahr);
    QCOMPARE(j.size(), 1);
    QCOMPARE(j.first().position, 4);
}

void TestBuchliste::doppelklickZeigtGleichnamige() {
    Programm p(familie);
    Tform21* w = nachNameOeffnen(p, QStringLiteral("Hauptgerichte"), QStringLiteral("Nudeln"));
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Rubrik >Nudeln< suchen"));
    TFilterGrid* g = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    // Exact name: "nudeln" (record 3) is not among them; both "Nudeln" with their positions.
    QCOMPARE(positionen(g), QList<int>({1, 4}));
    QCOMPARE(g->Cells(0, 0), QStringLiteral("Nr.     "));
    QCOMPARE(g->Cells(0, 1), QStringLiteral("    1"));
    QCOMPARE(g->Cells(1, 1), QStringLiteral("Pasta") + QString(25, QLatin1Char(' ')));
    QCOMPARE(g->Cells(3, 1), QStringLiteral("Nudeln") + QString(24, QLatin1Char(' ')));
    QCOMPARE(g->Cells(4, 1), QStringLiteral("4"));
    QCOMPARE(g->Cells(5, 1), QStringLiteral("   45 Min."));
    QCOMPARE(g->Cells(6, 1), QStringLiteral("    leicht"));
    QCOMPARE(g->Cells(7, 1), QStringLiteral("1.234,50 €"));
    QCOMPARE(g->Cells(9, 1), QStringLiteral("03.05.2024"));
    QCOMPARE(g->ColInfo(0)->Typ, QLatin1Char('I'));
    QCOMPARE(g->ColInfo(0)->DatAlign, TextFlag::Rechts);
    QCOMPARE(g->ColInfo(3)->DatAlign, TextFlag::Links);
    QCOMPARE(g->ColInfo(7)->DatAlign, TextFlag::Mitte);
    QVERIFY(g->ColWidths(3) > 0);
    // The first hit's details, but no recipe chosen yet.
    QCOMPARE(Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("500 g Nudeln\nSalz"));
    QCOMPARE(Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo2"))->toPlainText(),
             QStringLiteral("Kochen."));
    QCOMPARE(p.u.satznum, 0);
    QVERIFY(!Programm::in<QPushButton>(w, QStringLiteral("Button1"))->isEnabled());
    pfl::test::bildSpeichern(w, QStringLiteral("buchliste"));
    // Closing refreshes the main window.
    QSignalSpy zu(w, &pfl::Nebenfenster::geschlossen);
    Programm::in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QCOMPARE(zu.size(), 1);
    QVERIFY(!w->isVisible());
}

void TestBuchliste::ganzesBuchUeberMenue() {
    Programm p(familie);
    QAction* menue = p.f->findChild<QAction*>(QStringLiteral("Rezeptebearbeiten1"));
    QToolButton* knopf = p.finde<QToolButton>(QStringLiteral("SpeedButton5"));
    QVERIFY(menue->isEnabled());
    QVERIFY(knopf->isEnabled());
    knopf->click();
    Tform21* w = liste(p);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezeptbuch bearbeiten/ansehen"));
    TFilterGrid* g = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    QCOMPARE(positionen(g), QList<int>({1, 2, 3, 4}));
    QCOMPARE(g->ColInfo(0)->DatAlign, TextFlag::Mitte);
    // The whole book has the help topic of the listing, not that of a search.
    Programm::in<QPushButton>(w, QStringLiteral("Button3"))->click();
    QCOMPARE(p.plattform.hilfeAufrufe.last().second, Tform21::kHilfeAlle);
    QVERIFY(p.plattform.meldungen.isEmpty());
    // The menu reads the book once for its names and the rows: every cell as the listing that
    // reads the book itself shows it.
    const auto zellen = [&] {
        QStringList z;
        for (int r = 0; r < g->RowCount(); ++r)
            for (int c = 0; c < g->ColCount(); ++c)
                z << g->Cells(c, r);
        return z;
    };
    const QStringList ueberMenue = zellen();
    w->close();
    w->daten_ansehen();
    QCOMPARE(zellen(), ueberMenue);
    w->close();
    // Those rows serve that one listing only: a book changed later is read anew.
    p.dir.buch(QStringLiteral("Familie.rez"),
               {rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"), QStringLiteral("Deftig"))});
    w->daten_ansehen();
    QCOMPARE(positionen(g), QList<int>({1}));
    QCOMPARE(g->Cells(3, 1).trimmed(), QStringLiteral("Erbsensuppe"));
}

void TestBuchliste::keineTreffer_data() {
    QTest::addColumn<bool>("ganzesBuch");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Menü, leeres Buch")
        << true << "      Keine Daten vorhanden. \n  Bitte geben Sie Ihre Daten ein. ";
    QTest::newRow("Liste, leeres Buch")
        << false << "   Noch keine Rezepte vorhanden. \n Bitte geben Sie Ihre Rezeptdaten ein. ";
}

void TestBuchliste::keineTreffer() {
    QFETCH(bool, ganzesBuch);
    QFETCH(QString, meldung);
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Leer"));
        d.buch(QStringLiteral("Leer.rez"), {});
    });
    if (ganzesBuch)
        p.f->findChild<QAction*>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    else
        liste(p)->daten_ansehen();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{meldung});
    QVERIFY(!liste(p)->isVisible());
    // A search without hits says so and refreshes the main window.
    QSignalSpy copy1(&p.u, &Unit4::copy1Angefordert);
    liste(p)->daten_suchen(QStringLiteral("Gibt es nicht"));
    QCOMPARE(p.plattform.meldungsTexte().last(),
             QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. "));
    QCOMPARE(copy1.size(), 1);
    QVERIFY(!liste(p)->isVisible());
}

void TestBuchliste::sortierteZeileGehtAnDenEditor() {
    Programm p(familie);
    p.f->findChild<QAction*>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    Tform21* w = liste(p);
    TFilterGrid* g = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    QSignalSpy editor(w, &Tform21::bearbeitenVerlangt);
    // Name descending: "nudeln" (3) first in German order, whatever its place in the book.
    g->Sortiere(QStringLiteral("3"), true, false);
    const int oben = g->Cells(0, 1).trimmed().toInt();
    QCOMPARE(g->Cells(3, 1).trimmed(), p.u.buchListe().at(oben - 1).name);
    QVERIFY(oben != 1);
    g->setRow(1);
    Q_EMIT g->Click();
    QCOMPARE(p.u.satznum, oben);
    QCOMPARE(p.u.rubrik, g->Cells(2, 1).trimmed());
    QCOMPARE(p.u.kategorie, g->Cells(1, 1).trimmed());
    QPushButton* bearbeiten = Programm::in<QPushButton>(w, QStringLiteral("Button1"));
    QVERIFY(bearbeiten->isEnabled());
    bearbeiten->click();
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().first().toInt(), oben);
    QVERIFY(!w->isVisible());
    // A double click on a row hands that row over at once.
    p.f->findChild<QAction*>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    g->setRow(2);
    Q_EMIT g->DblClick();
    QCOMPARE(editor.size(), 2);
    QCOMPARE(editor.last().first().toInt(), 2);
}

void TestBuchliste::bildUndHilfe() {
    Programm p(familie);
    Tform21* w = nachNameOeffnen(p, QStringLiteral("Suppen"), QStringLiteral("Nudeln"));
    TFilterGrid* g = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    QGroupBox* gruppe = Programm::in<QGroupBox>(w, QStringLiteral("GroupBox3"));
    QToolButton* gross = Programm::in<QToolButton>(w, QStringLiteral("SpeedButton1"));
    // Record 1 has no picture, record 4 has one.
    QVERIFY(!gross->isEnabled());
    g->setRow(2);
    Q_EMIT g->Click();
    QCOMPARE(p.u.satznum, 4);
    QCOMPARE(gruppe->title(), QStringLiteral("nudeln.png"));
    QVERIFY(gross->isEnabled());
    QCOMPARE(Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("Brühe"));
    QSignalSpy bild(w, &Tform21::bildVergroessernVerlangt);
    gross->click();
    QCOMPARE(bild.size(), 1);
    QCOMPARE(bild.first().first().toString(), QStringLiteral("nudeln.png"));
    // A new search starts without a chosen recipe, showing its first hit, wherever the table stood.
    w->daten_suchen(QStringLiteral("Nudeln"));
    QCOMPARE(p.u.satznum, 0);
    QVERIFY(!Programm::in<QPushButton>(w, QStringLiteral("Button1"))->isEnabled());
    QCOMPARE(Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("500 g Nudeln\nSalz"));
    QCOMPARE(gruppe->title(), QStringLiteral("Bild"));
    QVERIFY(!gross->isEnabled());
}

void TestBuchliste::hilfeNachAuswahl_data() {
    QTest::addColumn<QString>("weg");
    QTest::addColumn<int>("thema");
    QTest::newRow("Rezepte bearbeiten") << "Rezeptebearbeiten1" << 350;
    QTest::newRow("Werkzeugleiste Bearbeiten") << "SpeedButton5" << 350;
    QTest::newRow("Rezept drucken") << "Rezeptdrucken1" << 400;
    QTest::newRow("Werkzeugleiste Drucken") << "SpeedButton7" << 400;
    QTest::newRow("Suche im Buch") << "Suchen1" << 400;
    // Opened without a command that says how: the help's contents rather than nothing.
    QTest::newRow("Name in der Übersicht") << "Doppelklick" << 100;
}

void TestBuchliste::hilfeNachAuswahl() {
    QFETCH(QString, weg);
    QFETCH(int, thema);
    Programm p(familie);
    Tform21* w = nullptr;
    if (weg == QLatin1String("Doppelklick")) {
        w = nachNameOeffnen(p, QStringLiteral("Suppen"), QStringLiteral("Nudeln"));
    } else if (weg == QLatin1String("Suchen1")) {
        p.finde<QAction>(weg)->trigger();
        auto* suche = p.finde<QDialog>(QStringLiteral("Form9"));
        Programm::in<QRadioButton>(suche, QStringLiteral("RadioButton7"))->click();
        QTest::keyClicks(Programm::in<QLineEdit>(suche, QStringLiteral("Edit1")), QStringLiteral("Nudeln"));
        Programm::in<QPushButton>(suche, QStringLiteral("Button1"))->click();
        w = liste(p);
    } else if (weg.startsWith(QLatin1String("SpeedButton"))) {
        p.finde<QToolButton>(weg)->click();
        w = liste(p);
    } else {
        p.finde<QAction>(weg)->trigger();
        w = liste(p);
    }
    QVERIFY(w->isVisible());
    // The button and F1 alike, also after another window closed meanwhile.
    Programm::in<QPushButton>(w, QStringLiteral("Button3"))->click();
    p.f->Copy1();
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 2);
    QCOMPARE(p.plattform.hilfeAufrufe.at(0).second, thema);
    QCOMPARE(p.plattform.hilfeAufrufe.at(1).second, thema);
}

void TestBuchliste::kopfklickBehaeltGewaehltesRezept() {
    // A click on record 4's row chooses it; sorting by a heading click moves the row, and the
    // chosen recipe, its details and the hand-over stay with it.
    Programm p(familie);
    p.f->findChild<QAction*>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    Tform21* w = liste(p);
    TFilterGrid* g = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    const QPoint zelle = g->CellRect(3, 4).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->viewport()->mapFrom(g, zelle));
    QCOMPARE(p.u.satznum, 4);
    const QRect kopf = g->CellRect(4, 0); // "Personen": record 4 has none, so it moves to the top
    QTest::mouseClick(g->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      g->horizontalHeader()->viewport()->mapFrom(g, kopf.center()));
    QVERIFY(g->Cells(0, 4).trimmed() != QStringLiteral("4"));
    QCOMPARE(g->Cells(0, g->Row()).trimmed(), QStringLiteral("4"));
    QCOMPARE(p.u.satznum, 4);
    QCOMPARE(Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("Brühe"));
    QSignalSpy editor(w, &Tform21::bearbeitenVerlangt);
    Programm::in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(editor.size(), 1);
    QCOMPARE(editor.first().first().toInt(), 4);
}

void TestBuchliste::schriftNachBildschirm_data() {
    QTest::addColumn<QSize>("bildschirm");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QString>("satz");
    QTest::newRow("800x600 klein") << QSize(800, 600) << 96 << "k800";
    QTest::newRow("800x600 gross") << QSize(800, 600) << 97 << "g800";
    QTest::newRow("1024x768") << QSize(1024, 768) << 96 << "k1024";
    QTest::newRow("1366x768") << QSize(1366, 768) << 120 << "g1024";
    QTest::newRow("1280x1024") << QSize(1280, 1024) << 96 << "k1280";
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 96 << "k1280";
    QTest::newRow("1600x1200") << QSize(1600, 1200) << 144 << "g1600";
    QTest::newRow("kleiner als alle") << QSize(640, 480) << 96 << "k1280";
    QTest::newRow("800 breit, 768 hoch") << QSize(800, 768) << 144 << "g1280";
}

void TestBuchliste::schriftNachBildschirm() {
    QFETCH(QSize, bildschirm);
    QFETCH(int, ppi);
    QFETCH(QString, satz);
    Programm p(familie, false);
    p.plattform.bildschirm = bildschirm;
    p.plattform.arbeitsflaeche = QRect(QPoint(0, 0), bildschirm - QSize(0, 40));
    p.plattform.ppi = ppi;
    QVERIFY(p.starten());
    // Every preset its own font, so the one taken is seen.
    Tcolor1& c = p.farben.colorx;
    const std::pair<const char*, Schriftsatz*> saetze[] = {
        {"k800", &c.k800},   {"g800", &c.g800},   {"k1024", &c.k1024}, {"g1024", &c.g1024},
        {"k1280", &c.k1280}, {"g1280", &c.g1280}, {"k1600", &c.k1600}, {"g1600", &c.g1600}};
    int groesse = 7;
    int erwartet = 0;
    for (const auto& [name, s] : saetze) {
        s->grid_s = QStringLiteral("Schrift ") + QString::fromLatin1(name);
        s->grid_g = ++groesse;
        if (satz == QLatin1String(name)) erwartet = groesse;
    }
    Tform21* w = liste(p);
    w->daten_ansehen();
    const QFont f = Programm::in<TFilterGrid>(w, QStringLiteral("FilterGrid1"))->font();
    QCOMPARE(f.family(), QStringLiteral("Schrift ") + satz);
    QCOMPARE(f.pointSize(), erwartet);
    QCOMPARE(w->size(), p.plattform.arbeitsflaeche.size());
}

QTEST_MAIN(TestBuchliste)
#include "tst_buchliste.moc"
