// SPDX-License-Identifier: GPL-3.0-or-later
// Recipe books and the data screen, used through their windows as a user would.
#include "app/Anwendung.h"
#include "mainwindow/Datenbildschirm.h"
#include "mainwindow/Hauptfenster.h"
#include "mainwindow/NeuesRezeptbuch.h"
#include "mainwindow/RezeptbuchLoeschen.h"
#include "mainwindow/RezeptbuchWechseln.h"
#include "data/Unit4.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/ScriptedPlatform.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;

void waehle(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    QVERIFY2(!t.isEmpty(), qPrintable(text));
    const QRect r = l->visualItemRect(t.first());
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
}
} // namespace

class TestBuecher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void anlegen();
    void anlegenMeldungen_data();
    void anlegenMeldungen();
    void fuenfundzwanzigZeichen();
    void wechseln();
    void wechselnOhneAuswahl();
    void loeschen();
    void aktivesBuchNichtLoeschen();
    void datenbildschirmUmschalten();
    void datenbildschirmGroesse();
    void datenbildschirmGrundeinstellung();
    void uebersicht();
    void uebersichtSortiert();
    void uebersichtBeginntOben();
    void zahlenfelderPruefen_data();
    void zahlenfelderPruefen();
    void loeschenUnterscheidetGrossKlein();
    void wechselnZuLangerName();
};

void TestBuecher::anlegen() {
    Programm p;
    p.finde<QAction>(QStringLiteral("Rezeptbuchanlegen1"))->trigger();
    Td_anlegen* w = p.finde<Td_anlegen>(QStringLiteral("d_anlegen"));
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Neues Rezeptbuch anlegen."));
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit1")), QStringLiteral(" Familie"));
    pfl::test::bildSpeichern(w, QStringLiteral("anlegen"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!w->isVisible());
    QVERIFY(p.dir.gibt(QStringLiteral("Familie.rez")));
    QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 0);
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(p.optionenDatei().rezeptbuch.toQString(), QStringLiteral("Familie"));
    QCOMPARE(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text(),
             QStringLiteral("  Aktives Rezeptbuch: Familie"));
}

void TestBuecher::anlegenMeldungen_data() {
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("feldDanach");
    QTest::newRow("leer") << QString()
                          << QStringLiteral(
                                 " Sie müssen Ihrem neuen Objekt zuerst einen \n Namen geben bevor Sie es "
                                 "speichern könnnen.    \n")
                          << QString();
    QTest::newRow("vorhanden") << QStringLiteral("familie")
                               << QStringLiteral(
                                      " Dieser Dateiname ist bereits vorhanden, \n   wählen Sie bitte "
                                      "einen anderen Namen.  \n")
                               << QString();
    QTest::newRow("schraegstrich") << QStringLiteral("../weg")
                                   << QStringLiteral(
                                          "Der Name eines Rezeptbuchs darf nicht mit einem Punkt oder "
                                          "einem Bindestrich beginnen.")
                                   << QStringLiteral("../weg");
    QTest::newRow("nicht speicherbar")
        << QStringLiteral("Łódź")
        << QStringLiteral("Der Name enthält Zeichen, die in den Einstellungen (\u201ERezept.opt\u201C) nicht "
                          "gespeichert werden können (\u201EŁ\u201C). Das aktive Rezeptbuch würde nach einem "
                          "Neustart nicht mehr gefunden.")
        << QStringLiteral("Łódź");
}

void TestBuecher::anlegenMeldungen() {
    QFETCH(QString, eingabe);
    QFETCH(QString, meldung);
    QFETCH(QString, feldDanach);
    Programm p([](Testordner& d) { d.buch(QStringLiteral("Familie.rez"), {}); });
    const QStringList vorher = QDir(p.dir.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    p.finde<QAction>(QStringLiteral("Rezeptbuchanlegen1"))->trigger();
    Td_anlegen* w = p.finde<Td_anlegen>(QStringLiteral("d_anlegen"));
    p.in<QLineEdit>(w, QStringLiteral("Edit1"))->insert(eingabe); // as typed or pasted
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{meldung});
    QVERIFY(w->isVisible());
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit1"))->text(), feldDanach);
    QCOMPARE(QDir(p.dir.pfad()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), vorher);
    QVERIFY(!QFileInfo::exists(p.dir.pfad() + QStringLiteral("../weg.rez")));
}

void TestBuecher::fuenfundzwanzigZeichen() {
    Programm p;
    p.finde<QAction>(QStringLiteral("Rezeptbuchanlegen1"))->trigger();
    Td_anlegen* w = p.finde<Td_anlegen>(QStringLiteral("d_anlegen"));
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit1")), QString(26, QLatin1Char('x')));
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit1"))->text().size(), 25);
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QCOMPARE(p.plattform.meldungen.first().text, QStringLiteral("Es sind nur 25 Zeichen zugelassen."));
    QCOMPARE(p.plattform.meldungen.first().title, QStringLiteral("Hinweis"));
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Error);
    QTest::keyClick(p.in<QLineEdit>(w, QStringLiteral("Edit1")), Qt::Key_Backspace);
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit1"))->text().size(), 24);
    QCOMPARE(p.plattform.meldungen.size(), 1);
}

void TestBuecher::wechseln() {
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen")});
        d.buch(QStringLiteral("Familie.rez"),
               {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"))});
        d.buch(QStringLiteral("Party.Rez"),
               {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Gulaschsuppe")),
                Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Kürbissuppe"))});
    });
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(), 2);
    p.finde<QToolButton>(QStringLiteral("SpeedButton8"))->click();
    TWechseln* w = p.finde<TWechseln>(QStringLiteral("Wechseln"));
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezeptbuch auswählen"));
    QCOMPARE(p.in<QListWidget>(w, QStringLiteral("FileListBox1"))->count(), 2);
    waehle(p.in<QListWidget>(w, QStringLiteral("FileListBox1")), QStringLiteral("Party.Rez"));
    pfl::test::bildSpeichern(w, QStringLiteral("wechseln"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Party"));
    QCOMPARE(p.optionenDatei().rezeptbuch.toQString(), QStringLiteral("Party"));
    QCOMPARE(p.u.rubrik, QStringLiteral("Suppen"));
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(), 3);
    QCOMPARE(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text(),
             QStringLiteral("  Aktives Rezeptbuch: Party"));
}

void TestBuecher::wechselnOhneAuswahl() {
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"), {});
        d.buch(QStringLiteral("Party.rez"), {});
    });
    p.finde<QAction>(QStringLiteral("Rezeptbuchwechseln1"))->trigger();
    TWechseln* w = p.finde<TWechseln>(QStringLiteral("Wechseln"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden()); // the main window is refreshed
}

void TestBuecher::loeschen() {
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"), {});
        d.buch(QStringLiteral("Alt.rez"), {});
        d.rubriken({QStringLiteral("Suppen")});
    });
    p.finde<QAction>(QStringLiteral("Rezeptbuchlschne1"))->trigger();
    Tloeschen* w = p.finde<Tloeschen>(QStringLiteral("loeschen"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezeptbuch löschen !!"));
    QVERIFY(!p.in<QPushButton>(w, QStringLiteral("Button1"))->isEnabled());
    waehle(p.in<QListWidget>(w, QStringLiteral("FileListBox1")), QStringLiteral("Alt.rez"));
    QVERIFY(p.in<QPushButton>(w, QStringLiteral("Button1"))->isEnabled());
    pfl::test::bildSpeichern(w, QStringLiteral("loeschen"));
    p.plattform.antworten.enqueue(Platform::Answer::Cancel);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(p.dir.gibt(QStringLiteral("Alt.rez")));
    QCOMPARE(
        p.plattform.meldungen.last().text,
        QStringLiteral("  Wollen Sie das Rezeptbuch  >  Alt <  wirklich  l ö s c h e n  ??           \n") +
            QString(69, QLatin1Char(' ')) + QLatin1Char('\n') + QString(7, QLatin1Char(' ')));
    QVERIFY(p.plattform.meldungen.last().buttons == Platform::Buttons::YesCancel);
    waehle(p.in<QListWidget>(w, QStringLiteral("FileListBox1")), QStringLiteral("Alt.rez"));
    p.plattform.antworten.enqueue(Platform::Answer::Yes);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!p.dir.gibt(QStringLiteral("Alt.rez")));
    QVERIFY(p.dir.gibt(QStringLiteral("Rubriken.rub")));
    QVERIFY(p.dir.gibt(QStringLiteral("Rezept.opt")));
    QCOMPARE(p.in<QListWidget>(w, QStringLiteral("FileListBox1"))->count(), 1);
    QVERIFY(w->isVisible());
}

void TestBuecher::aktivesBuchNichtLoeschen() {
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"), {});
    });
    p.finde<QAction>(QStringLiteral("Rezeptbuchlschne1"))->trigger();
    Tloeschen* w = p.finde<Tloeschen>(QStringLiteral("loeschen"));
    waehle(p.in<QListWidget>(w, QStringLiteral("FileListBox1")), QStringLiteral("Familie.rez"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().text.contains(
        QStringLiteral("Sie können ein aktives Rezeptbuch nicht löschen.")));
    QVERIFY(p.dir.gibt(QStringLiteral("Familie.rez")));
}

void TestBuecher::datenbildschirmUmschalten() {
    Programm p([](Testordner& d) { d.optionen(QStringLiteral("Familie")); });
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->trigger();
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    QVERIFY(!p.finde<QLabel>(QStringLiteral("Label1"))->isHidden());
    QCOMPARE(p.optionenDatei().db_einaus, 0);
    QCOMPARE(p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->text(),
             QStringLiteral("Datenbildschirm einschalten"));
    p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->trigger();
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    QCOMPARE(p.optionenDatei().db_einaus, 1);
    QCOMPARE(p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->text(),
             QStringLiteral("Datenbildschirm ausschalten"));
}

void TestBuecher::datenbildschirmGroesse() {
    Programm p([](Testordner& d) { d.optionen(QStringLiteral("Familie")); });
    p.finde<QAction>(QStringLiteral("Bildgrssendern1"))->trigger();
    TForm52* w = p.finde<TForm52>(QStringLiteral("Form52"));
    QVERIFY(w->isVisible());
    QCOMPARE(p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->Text(), QStringLiteral("779"));
    pfl::test::bildSpeichern(w, QStringLiteral("datenbildschirm"));
    // Live change from the arrows: the panel follows, the file does not.
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->stepBy(1);
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->stepBy(1);
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel2"))->width(), 781);
    QCOMPARE(p.optionenDatei().dbw, 779);
    w->oeffnen();
    QCOMPARE(p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->Text(), QStringLiteral("779"));
    // A text that is no number keeps everything.
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->setText(QStringLiteral("9x"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.plattform.meldungen.last().text, QStringLiteral("'9x' ist kein gültiger ganzzahliger Wert."));
    QCOMPARE(p.optionenDatei().dbw, 779);
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->setText(QStringLiteral("900"));
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit2"))->setText(QStringLiteral("500"));
    const QPoint lage = p.finde<QFrame>(QStringLiteral("Panel2"))->pos();
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(p.optionenDatei().dbw, 900);
    QCOMPARE(p.optionenDatei().dbh, 500);
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel2"))->size(), QSize(900, 500));
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel2"))->pos(), lage);
}

void TestBuecher::datenbildschirmGrundeinstellung() {
    Programm p([](Testordner& d) { d.optionen(QStringLiteral("Familie"), 300, 200, 0); });
    p.finde<QAction>(QStringLiteral("Bildgrssendern1"))->trigger();
    TForm52* w = p.finde<TForm52>(QStringLiteral("Form52"));
    p.plattform.antworten.enqueue(Platform::Answer::No);
    p.in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QCOMPARE(p.optionenDatei().dbw, 300);
    QVERIFY(!w->isVisible());
    w->oeffnen();
    p.plattform.antworten.enqueue(Platform::Answer::Yes);
    p.in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QCOMPARE(p.optionenDatei().dbw, 779);
    QCOMPARE(p.optionenDatei().dbh, 421);
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel2"))->geometry(), QRect(570, 329, 779, 421));
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
}

void TestBuecher::uebersicht() {
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Desserts")});
        dateien a = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QString(),
                                       5.5, QStringLiteral("30"));
        a.anzahl = QStringLiteral("4");
        a.k_zeit = QStringLiteral("45");
        a.kalorien = QStringLiteral("350");
        d.buch(QStringLiteral("Familie.rez"),
               {a, Testordner::rezept(QStringLiteral("suppen"), QStringLiteral("Klein")),
                Testordner::rezept(QStringLiteral("Desserts"), QStringLiteral("Pudding"), QString(), 12)});
    });
    TFilterGrid* g = p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    QCOMPARE(p.u.rubrik, QStringLiteral("Desserts"));
    waehle(p.finde<QListWidget>(QStringLiteral("ListBox1")), QStringLiteral("Suppen"));
    QCOMPARE(p.u.rubrik, QStringLiteral("Suppen"));
    QCOMPARE(p.finde<QLabel>(QStringLiteral("Panel3"))->text(),
             QStringLiteral("Rezepte \"Familie\" Rubrik >Suppen<"));
    QCOMPARE(g->RowCount(), 2); // the lower-case section is another section
    QCOMPARE(g->Rows(0), (QStringList{QStringLiteral("Gericht"), QStringLiteral("Pers./Port."),
                                      QStringLiteral("Kosten"), QStringLiteral("Zubereitungszeit"),
                                      QStringLiteral("Kochzeit"), QStringLiteral("Kalorien")}));
    QCOMPARE(g->Cells(0, 1), QStringLiteral("Linsensuppe") + QString(19, QLatin1Char(' ')));
    QCOMPARE(g->Cells(1, 1), QStringLiteral("         4"));
    QCOMPARE(g->Cells(2, 1), QStringLiteral("5,50 €"));
    QCOMPARE(g->Cells(3, 1), QStringLiteral("    30 Min"));
    QCOMPARE(g->Cells(4, 1), QStringLiteral("    45 Min"));
    QCOMPARE(g->Cells(5, 1), QStringLiteral("      350 "));
    QCOMPARE(g->ColInfo(2)->Typ, QLatin1Char('C'));
    QVERIFY(g->ColWidths(0) > 0);
    // An empty section: one empty row, and its double-click message.
    p.u.rubrik = QStringLiteral("Leer");
    p.f->Rezepte_anzeigen();
    QCOMPARE(g->RowCount(), 2);
    g->setRow(1);
    Q_EMIT g->DblClick();
    QCOMPARE(p.plattform.meldungsTexte().last(),
             QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. "));
}

void TestBuecher::uebersichtSortiert() {
    // A click on a heading of the overview sorts by that column's type: amounts by value.
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen")});
        d.buch(
            QStringLiteral("Familie.rez"),
            {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Zwiebelsuppe"), QString(), 12.0),
             Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Ähnliche Suppe"), QString(), 5.5),
             Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"), QString(), 112.0)});
    });
    TFilterGrid* g = p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    QHeaderView* kopf = g->horizontalHeader();
    const QRect kosten = g->CellRect(2, 0);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, kosten.center() - QPoint(0, kosten.top()));
    QCOMPARE(g->Cells(2, 1), QStringLiteral("5,50 €"));
    QCOMPARE(g->Cells(2, 2), QStringLiteral("12,00 €"));
    QCOMPARE(g->Cells(2, 3), QStringLiteral("112,00 €"));
    const QRect gericht = g->CellRect(0, 0);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, gericht.center() - QPoint(0, gericht.top()));
    QCOMPARE(g->Cells(0, 1).trimmed(), QStringLiteral("Ähnliche Suppe"));
    QCOMPARE(g->Cells(0, 2).trimmed(), QStringLiteral("Brühe"));
    QCOMPARE(g->Cells(0, 3).trimmed(), QStringLiteral("Zwiebelsuppe"));
}

void TestBuecher::uebersichtBeginntOben() {
    // A long section scrolled to its end: a refill (section click, book switch) starts at the top,
    // and a heading sort never leaves the top row cut in half.
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Desserts")});
        QList<dateien> viele;
        for (int i = 0; i < 80; ++i)
            viele << Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Suppe %1").arg(i),
                                        QString(), i);
        viele << Testordner::rezept(QStringLiteral("Desserts"), QStringLiteral("Pudding"));
        d.buch(QStringLiteral("Familie.rez"), viele);
    });
    TFilterGrid* g = p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    waehle(p.finde<QListWidget>(QStringLiteral("ListBox1")), QStringLiteral("Suppen"));
    QCOMPARE(g->RowCount(), 81);
    QVERIFY(QTest::qWaitForWindowExposed(p.f));
    QCoreApplication::processEvents(); // the table lays out its scroll range
    g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum());
    QVERIFY(g->rowAt(0) > 0);
    waehle(p.finde<QListWidget>(QStringLiteral("ListBox1")), QStringLiteral("Desserts"));
    waehle(p.finde<QListWidget>(QStringLiteral("ListBox1")), QStringLiteral("Suppen"));
    QCoreApplication::processEvents();
    QCOMPARE(g->rowAt(0), 0);
    QCOMPARE(g->verticalScrollBar()->value(), 0);
    g->verticalScrollBar()->setValue(7);
    QHeaderView* kopf = g->horizontalHeader();
    const QRect kosten = g->CellRect(2, 0);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, kosten.center() - QPoint(0, kosten.top()));
    QCOMPARE(g->rowViewportPosition(g->rowAt(0)), 0);
}

void TestBuecher::zahlenfelderPruefen_data() {
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("wie"); // "pfeil" or "speichern"
    QTest::addColumn<QString>("meldung");
    QTest::newRow("buchstaben am pfeil") << "RxSpinEdit1"
                                         << "abc"
                                         << "pfeil"
                                         << "'abc' ist kein gültiger ganzzahliger Wert.";
    QTest::newRow("komma am pfeil") << "RxSpinEdit2"
                                    << "12,5"
                                    << "pfeil"
                                    << "'12,5' ist kein gültiger ganzzahliger Wert.";
    QTest::newRow("zu breit") << "RxSpinEdit1"
                              << "100001"
                              << "speichern"
                              << "Die Breite des Datenbildschirms muss zwischen 0 und 100.000 Pixeln liegen.";
    QTest::newRow("negativ hoch")
        << "RxSpinEdit2"
        << "-5"
        << "speichern"
        << "Die Höhe des Datenbildschirms muss zwischen 0 und 100.000 Pixeln liegen.";
}

void TestBuecher::zahlenfelderPruefen() {
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QString, wie);
    QFETCH(QString, meldung);
    Programm p([](Testordner& d) { d.optionen(QStringLiteral("Familie")); });
    const QByteArray vorher = p.dir.lies(QStringLiteral("Rezept.opt"));
    QFrame* panel = p.finde<QFrame>(QStringLiteral("Panel2"));
    const QSize groesse = panel->size();
    p.finde<QAction>(QStringLiteral("Bildgrssendern1"))->trigger();
    TForm52* w = p.finde<TForm52>(QStringLiteral("Form52"));
    RxSpinEdit* f = p.in<RxSpinEdit>(w, feld);
    f->setText(text);
    if (wie == QLatin1String("pfeil"))
        f->stepBy(1);
    else
        p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{meldung});
    QCOMPARE(f->Text(), text); // nothing the user typed is replaced
    QCOMPARE(panel->size(), groesse);
    QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), vorher);
    QVERIFY(w->isVisible());
}

void TestBuecher::loeschenUnterscheidetGrossKlein() {
    // With "Suppen" active, its case twin "suppen.rez" is another book and can go; the active one not.
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Suppen"));
        d.buch(QStringLiteral("Suppen.rez"), {Testordner::rezept(QStringLiteral("A"), QStringLiteral("B"))});
        d.buch(QStringLiteral("suppen.rez"), {});
    });
    p.finde<QAction>(QStringLiteral("Rezeptbuchlschne1"))->trigger();
    Tloeschen* w = p.finde<Tloeschen>(QStringLiteral("loeschen"));
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    waehle(liste, QStringLiteral("Suppen.rez"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(p.plattform.meldungsTexte().last().contains(QStringLiteral("aktives Rezeptbuch nicht löschen")));
    waehle(liste, QStringLiteral("suppen.rez"));
    p.plattform.antworten.enqueue(Platform::Answer::Yes);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!p.dir.gibt(QStringLiteral("suppen.rez")));
    QCOMPARE(p.dir.groesse(QStringLiteral("Suppen.rez")), 21144);
    QCOMPARE(liste->count(), 1);
}

void TestBuecher::wechselnZuLangerName() {
    // A book name "Rezept.opt" cannot hold whole would come back cut after a restart: it is refused.
    const QString lang = QString(85, QLatin1Char('x'));
    Programm p([&](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"), {});
        d.buch(lang + QStringLiteral(".rez"), {});
    });
    const QByteArray vorher = p.dir.lies(QStringLiteral("Rezept.opt"));
    p.finde<QAction>(QStringLiteral("Rezeptbuchwechseln1"))->trigger();
    TWechseln* w = p.finde<TWechseln>(QStringLiteral("Wechseln"));
    waehle(p.in<QListWidget>(w, QStringLiteral("FileListBox1")), lang + QStringLiteral(".rez"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().text.contains(QStringLiteral("zu lang")));
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), vorher);
    QVERIFY(w->isVisible());
}

QTEST_MAIN(TestBuecher)
#include "tst_buecher.moc"
