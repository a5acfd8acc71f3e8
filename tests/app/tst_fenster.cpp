// What every secondary window shares: opening from the main window, closing by Escape with the
// main window refreshed, Return on the default button, what assistive technology reads, readable
// text in every style, and the Tab order of the recipe windows.
#include "windowbase/Nebenfenster.h"
#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "grid/FilterGrid.h"
#include "platform/Farbwert.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Zahlenfeld.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

using pfl::test::LaufendesProgramm;

namespace {

void zweiBuecher(DataDir& d) {
    d.optionen(QStringLiteral("Familie"));
    d.buch(QStringLiteral("Familie.rez"),
           {DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"))});
    d.buch(QStringLiteral("Alt.rez"), {});
}

// Opens a secondary window through its menu command and returns it.
QDialog* oeffne(LaufendesProgramm& p, const QString& befehl, const QString& fenster) {
    p.finde<QAction>(befehl)->trigger();
    return p.finde<QDialog>(fenster);
}

void fensterZeilen() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("hilfe"); // the help button's name
    // clang-format off
    QTest::newRow("anlegen")    << "Rezeptbuchanlegen1"        << "d_anlegen" << "Neues Rezeptbuch anlegen."            << "Button3";
    QTest::newRow("wechseln")   << "Rezeptbuchwechseln1"       << "Wechseln"  << "Rezeptbuch auswählen"                 << "Button3";
    QTest::newRow("loeschen")   << "Rezeptbuchlschne1"         << "loeschen"  << "Rezeptbuch löschen !!"                << "Button3";
    QTest::newRow("groesse")    << "Bildgrssendern1"           << "Form52"    << "Datenbildschirm verändern"            << "Button3";
    QTest::newRow("erfassen")   << "Rezepteerfassen1"          << "Form2"     << "Bitte geben Sie Ihr Kochrezept ein."  << "Button9";
    QTest::newRow("rubriken")   << "Rubrikenerfassenndern1"    << "Form27"    << "Rubriken ändern oder Neu erstellen"   << "Button5";
    QTest::newRow("kategorien") << "Kategorieenerfassenndern1" << "Form28"    << "Kategorien ändern oder Neu erstellen" << "Button5";
    QTest::newRow("liste")      << "Rezeptebearbeiten1"        << "form21"    << "Rezeptbuch bearbeiten/ansehen"        << "Button3";
    QTest::newRow("einstellungen") << "Einstellungen1"         << "Einst"     << "Einstellungen"                        << "Button3";
    QTest::newRow("druckoptionen") << "Druckoptionen1"         << "Form15"    << "Druckereinstellung"                   << "Button10";
    QTest::newRow("suchen")     << "Suchen1"                   << "Form9"     << "Rezepte im aktuellen Rezeptbuch suchen" << "Button3";
    QTest::newRow("sicherung")  << "Datensicherung1"           << "Back5"     << "Pfanno-Lux Datensicherung"            << "Button3";
    QTest::newRow("farben")     << "Farbenndern1"              << "Farbe"     << "Farbwahl"                             << "Button4";
    // clang-format on
}

QColor grundVon(QWidget* w) {
    // The nearest widget that paints its own background.
    for (QWidget* v = w->parentWidget(); v; v = v->parentWidget())
        if (v->autoFillBackground() || v->isWindow()) return v->palette().color(v->backgroundRole());
    return w->palette().color(QPalette::Window);
}

} // namespace

class TestFenster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void escapeSchliesstUndFrischtAuf_data() { fensterZeilen(); }
    void escapeSchliesstUndFrischtAuf();
    void fuerHilfsmittelEinDialog_data() { fensterZeilen(); }
    void fuerHilfsmittelEinDialog();
    void returnLegtAn();
    void returnLoeschtNicht();
    void statusLiestGezeigtenText();
    void menuesMitZugriffstasten();
    void jederBefehlLebt();
    void lesbarInJedemStil_data();
    void lesbarInJedemStil();
    void tabFolge_data();
    void tabFolge();
};

void TestFenster::escapeSchliesstUndFrischtAuf() {
    QFETCH(QString, befehl);
    QFETCH(QString, fenster);
    QFETCH(QString, titel);
    QFETCH(QString, hilfe);
    LaufendesProgramm p(zweiBuecher);
    QFrame* datenbildschirm = p.finde<QFrame>(QStringLiteral("Panel2"));
    QDialog* w = oeffne(p, befehl, fenster);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), titel);
    datenbildschirm->hide(); // as the book windows do when they open
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    // Closing refreshed the main window (Copy1 shows the data screen again).
    QVERIFY(!datenbildschirm->isHidden());
    QVERIFY(p.plattform.meldungen.isEmpty());
    // The window's help topic, by F1 as by its button.
    w = oeffne(p, befehl, fenster);
    QTest::keyClick(w, Qt::Key_F1);
    p.in<QPushButton>(w, hilfe)->click();
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 2);
    QCOMPARE(p.plattform.hilfeAufrufe.at(0).second, p.plattform.hilfeAufrufe.at(1).second);
}

void TestFenster::fuerHilfsmittelEinDialog() {
    QFETCH(QString, befehl);
    QFETCH(QString, fenster);
    LaufendesProgramm p(zweiBuecher);
    QDialog* w = oeffne(p, befehl, fenster);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Dialog);
    // Every control a person reads, types into or presses has a name to read.
    for (QWidget* k : w->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(k->parentWidget())) continue;  // the field is read as a whole
        if (qobject_cast<QAbstractItemView*>(k->parentWidget())) continue; // a table's corner, its headers
        if (!qobject_cast<QAbstractButton*>(k) && !qobject_cast<QLineEdit*>(k) &&
            !qobject_cast<QListWidget*>(k) && !qobject_cast<TFilterGrid*>(k) &&
            !qobject_cast<RxSpinEdit*>(k) && !qobject_cast<QPlainTextEdit*>(k))
            continue;
        QAccessibleInterface* ak = QAccessible::queryAccessibleInterface(k);
        QVERIFY2(
            ak && !ak->text(QAccessible::Name).isEmpty(),
            qPrintable(k->objectName() + QLatin1Char(' ') + QLatin1String(k->metaObject()->className())));
    }
}

void TestFenster::returnLegtAn() {
    LaufendesProgramm p(zweiBuecher);
    QDialog* w = oeffne(p, QStringLiteral("Rezeptbuchanlegen1"), QStringLiteral("d_anlegen"));
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit1")), QStringLiteral("Neu"));
    QTest::keyClick(p.in<QLineEdit>(w, QStringLiteral("Edit1")), Qt::Key_Return);
    QVERIFY(p.dir.gibt(QStringLiteral("Neu.rez")));
    QVERIFY(!w->isVisible());
}

void TestFenster::returnLoeschtNicht() {
    LaufendesProgramm p(zweiBuecher);
    QDialog* w = oeffne(p, QStringLiteral("Rezeptbuchlschne1"), QStringLiteral("loeschen"));
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    liste->setCurrentItem(liste->findItems(QStringLiteral("Alt.rez"), Qt::MatchExactly).first());
    Q_EMIT liste->itemClicked(liste->currentItem());
    QVERIFY(p.in<QPushButton>(w, QStringLiteral("Button1"))->isEnabled());
    QTest::keyClick(liste, Qt::Key_Return);
    QVERIFY(p.dir.gibt(QStringLiteral("Alt.rez")));
    QVERIFY(p.plattform.meldungen.isEmpty());
    QVERIFY(!w->isVisible());
    // The question before deleting is a warning, whose safe answer the desktop makes the default.
    w = oeffne(p, QStringLiteral("Rezeptbuchlschne1"), QStringLiteral("loeschen"));
    liste->setCurrentItem(liste->findItems(QStringLiteral("Alt.rez"), Qt::MatchExactly).first());
    Q_EMIT liste->itemClicked(liste->currentItem());
    p.plattform.antworten.enqueue(Platform::Answer::Cancel);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(p.plattform.meldungen.last().kind == Platform::Kind::Warning);
    QVERIFY(p.dir.gibt(QStringLiteral("Alt.rez")));
}

void TestFenster::statusLiestGezeigtenText() {
    LaufendesProgramm p(zweiBuecher);
    for (const QString& name : {QStringLiteral("StatusPanel0"), QStringLiteral("StatusPanel1")}) {
        QLabel* l = p.finde<QLabel>(name);
        QVERIFY(!l->text().isEmpty());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(l);
        QCOMPARE(a->text(QAccessible::Name), l->text());
    }
    QVERIFY(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text().contains(QStringLiteral("Familie")));
    // The unsorted copy of the section list is no control at all.
    // (The entry window has a list of that name; it is a window of its own.)
    for (QWidget* w : p.f->findChildren<QWidget*>(QStringLiteral("ListBox2")))
        QVERIFY(w->window() != p.f);
}

void TestFenster::menuesMitZugriffstasten() {
    LaufendesProgramm p(zweiBuecher);
    QSet<QChar> buchstaben;
    for (QAction* a : p.f->menuBar()->actions()) {
        const QString t = a->text();
        const qsizetype i = t.indexOf(QLatin1Char('&'));
        QVERIFY2(i >= 0 && i + 1 < t.size(), qPrintable(t));
        const QChar c = t.at(i + 1).toLower();
        QVERIFY2(!buchstaben.contains(c), qPrintable(t)); // one letter per menu
        buchstaben.insert(c);
    }
    QCOMPARE(p.f->menuBar()->actions().first()->text().remove(QLatin1Char('&')), QStringLiteral("Datei"));
}

void TestFenster::jederBefehlLebt() {
    // Every window exists now: no menu command and no toolbar button is left disabled.
    LaufendesProgramm p(zweiBuecher);
    for (QAction* a : p.f->menuBar()->findChildren<QAction*>()) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    }
    for (QToolButton* b : p.f->findChildren<QToolButton*>(QRegularExpression(QStringLiteral("^SpeedButton"))))
        if (b->window() == p.f) QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
}

void TestFenster::lesbarInJedemStil_data() {
    QTest::addColumn<QString>("stil");
    for (const QString& s : styleNamen())
        QTest::newRow(qPrintable(s)) << s;
}

void TestFenster::lesbarInJedemStil() {
    QFETCH(QString, stil);
    LaufendesProgramm p(zweiBuecher);
    QVERIFY(styleAktivieren(p.farben, stil));
    struct Befehl {
        const char *befehl, *fenster;
    };
    for (const Befehl& b :
         {Befehl{"Rezeptbuchanlegen1", "d_anlegen"}, Befehl{"Rezeptbuchwechseln1", "Wechseln"},
          Befehl{"Rezeptbuchlschne1", "loeschen"}, Befehl{"Bildgrssendern1", "Form52"},
          Befehl{"Rezepteerfassen1", "Form2"}, Befehl{"Rubrikenerfassenndern1", "Form27"},
          Befehl{"Kategorieenerfassenndern1", "Form28"}, Befehl{"Rezeptebearbeiten1", "form21"},
          Befehl{"Suchen1", "Form9"}, Befehl{"Einstellungen1", "Einst"},
          Befehl{"Einkaufslistebearbeiten1", "Form3"}, Befehl{"Druckoptionen1", "Form15"},
          Befehl{"Datensicherung1", "Back5"}, Befehl{"Farbenndern1", "Farbe"}, Befehl{"Info2", "Inv"}}) {
        QDialog* w = oeffne(p, QString::fromLatin1(b.befehl), QString::fromLatin1(b.fenster));
        for (QWidget* k : w->findChildren<QWidget*>()) {
            // Disabled controls are exempt from the contrast rule, as in every accessibility guideline.
            if (!k->isVisibleTo(w) || !k->isEnabled()) continue;
            QColor text, grund;
            if (qobject_cast<QLabel*>(k)) {
                text = k->palette().color(QPalette::WindowText);
                grund = grundVon(k);
            } else if (qobject_cast<QPushButton*>(k)) {
                text = k->palette().color(QPalette::ButtonText);
                grund = k->palette().color(QPalette::Button);
            } else if (qobject_cast<QLineEdit*>(k) || qobject_cast<QListWidget*>(k) ||
                       qobject_cast<QPlainTextEdit*>(k)) {
                text = k->palette().color(QPalette::Text);
                grund = k->palette().color(QPalette::Base);
            } else {
                continue;
            }
            const double k2 = pfl::kontrast(text, grund);
            QVERIFY2(k2 >= 4.5,
                     qPrintable(QStringLiteral("%1 / %2: %3 on %4 = %5")
                                    .arg(w->objectName(), k->objectName(), text.name(), grund.name())
                                    .arg(k2)));
        }
        pfl::test::bildSpeichern(w, QStringLiteral("%1_%2").arg(w->objectName(), stil));
        w->close();
    }
    // The main window's own labels: the titles and the overview headings.
    p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->trigger();
    for (const char* name : {"Label1", "Label2", "Panel3", "Panel6", "StatusPanel0", "StatusPanel1"}) {
        QLabel* l = p.finde<QLabel>(QString::fromLatin1(name));
        const QColor grund = l->autoFillBackground() ? l->palette().color(QPalette::Window) : grundVon(l);
        // The titles stand on the painted background colour of the main window.
        const QColor hinter =
            (QByteArray(name).startsWith("Label")) ? pfl::alsFarbe(quint32(p.farben.colorx.H_bs_hg)) : grund;
        const double k2 = pfl::kontrast(l->palette().color(QPalette::WindowText), hinter);
        QVERIFY2(k2 >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(QString::fromLatin1(name)).arg(k2)));
    }
}

void TestFenster::tabFolge_data() {
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QStringList>("folge");
    const QStringList links{"ComboBox2", "Edit1", "ListBox1", "ListBox2"};
    const QStringList mitte{"Edit2", "Memo3", "Memo1", "Memo2"};
    const QStringList zahlen{"ComboBox1",   "ComboBox3",   "RxSpinEdit1", "CurrencyEdit1",
                             "RxSpinEdit2", "RxSpinEdit3", "Edit4",       "DateEdit1"};
    // The entry window's buttons for the lists, the calculator and the web search stand where they
    // act; the picture's enlarging waits for a picture.
    QTest::newRow("erfassen") << "Form2"
                              << QStringList{"ComboBox2", "Button7", "Edit1",
                                             "ListBox1",  "Button4", "ListBox2"} +
                                     mitte + zahlen +
                                     QStringList{"RxCalcEdit1", "Button8", "Button5", "Button6",
                                                 "Button1",     "Button2", "Button3", "Button9"};
    // The editor steps through the book below the texts.
    QTest::newRow("bearbeiten") << "Form13"
                                << links + mitte +
                                       QStringList{"Button11", "Button12", "Button13", "Button14"} + zahlen +
                                       QStringList{"Button9", "Button5", "Button6", "Button1",
                                                   "Button2", "Button3", "BitBtn1", "Button8"};
}

void TestFenster::tabFolge() {
    // The Tab key goes through the recipe windows column by column, each column from the top down,
    // and then along the bottom bar.
    QFETCH(QString, fenster);
    QFETCH(QStringList, folge);
    LaufendesProgramm p([](DataDir& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"),
               {DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe")),
                DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe")),
                DataDir::rezept(QStringLiteral("Suppen"), QStringLiteral("Gulasch"))});
    });
    QDialog* w = nullptr;
    if (fenster == QLatin1String("Form2")) {
        w = oeffne(p, QStringLiteral("Rezepteerfassen1"), fenster);
    } else {
        w = p.finde<QDialog>(fenster);
        QMetaObject::invokeMethod(w, "oeffnenBei", Q_ARG(int, 2)); // every step possible
    }
    QVERIFY(QTest::qWaitForWindowActive(w));
    QWidget* start = p.in<QWidget>(w, QStringLiteral("ComboBox2"));
    start->setFocus(Qt::TabFocusReason);
    QStringList besucht;
    for (int i = 0; i <= folge.size(); ++i) {
        QWidget* f = QApplication::focusWidget();
        while (f && f->objectName().isEmpty()) // the line edit of a combo box, the field of a spin box
            f = f->parentWidget();
        QVERIFY(f);
        if (i > 0 && f == start) break;
        besucht << f->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(besucht, folge);
}

QTEST_MAIN(TestFenster)
#include "tst_fenster.moc"
