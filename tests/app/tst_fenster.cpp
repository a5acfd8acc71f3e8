// SPDX-License-Identifier: GPL-3.0-or-later
// What every secondary window shares, reached the way a person reaches it: closing by Escape with the
// main window refreshed, its help topic, Return on the default button, what assistive technology
// reads, readable text in every style, and the Tab order of the recipe windows.
#include "windowbase/Nebenfenster.h"
#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "grid/FilterGrid.h"
#include "platform/Farbwert.h"
#include "support/Farbpaare.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Zahlenfeld.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

using pfl::test::LaufendesProgramm;

// How a person reaches a window: a command of the main window's menu, or a path through other
// windows. It leaves the window open, or, for a window that shows only while it works, makes it show.
using Weg = std::function<void(LaufendesProgramm&)>;
Q_DECLARE_METATYPE(Weg)

namespace {

// Two books, the first with a recipe that has a picture; the automatic backup goes into a folder
// of the data directory (only the data directory's own files and pictures are backed up).
void zweiBuecher(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen")});
    dateien r = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"));
    r.bild = QStringLiteral("Linsensuppe.png");
    d.buch(QStringLiteral("Familie.rez"), {r});
    d.buch(QStringLiteral("Alt.rez"), {});
    QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
    d.schreibe(QStringLiteral("Bilder/Linsensuppe.png"), Testordner::png(40, 30));
    optionen o = Testordner::satz<optionen>(d.lies(QStringLiteral("Rezept.opt")));
    o.lwpf = d.pfad() + QStringLiteral("Sicherung");
    d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
}

Weg befehl(const char* name) {
    return [name](LaufendesProgramm& p) { p.finde<QAction>(QString::fromLatin1(name))->trigger(); };
}

// From one open window on by pressing one of its buttons.
Weg weiter(const Weg& vorher, const char* fenster, const char* knopf) {
    return [=](LaufendesProgramm& p) {
        vorher(p);
        p.in<QAbstractButton>(p.finde<QDialog>(QString::fromLatin1(fenster)), QString::fromLatin1(knopf))
            ->click();
    };
}

// The book listing, its first recipe chosen, then "Bearbeiten".
void editorOeffnen(LaufendesProgramm& p) {
    befehl("Rezeptebearbeiten1")(p);
    QDialog* liste = p.finde<QDialog>(QStringLiteral("form21"));
    auto* tabelle = p.in<TFilterGrid>(liste, QStringLiteral("FilterGrid1"));
    tabelle->setRow(1);
    Q_EMIT tabelle->Click();
    p.in<QPushButton>(liste, QStringLiteral("Button1"))->click();
}

// A search by name across every book.
void inAllenBuechernSuchen(LaufendesProgramm& p) {
    befehl("Suchen1")(p);
    QDialog* suche = p.finde<QDialog>(QStringLiteral("Form9"));
    p.in<QRadioButton>(suche, QStringLiteral("RadioButton10"))->click();
    p.in<QRadioButton>(suche, QStringLiteral("RadioButton7"))->click();
    p.in<QLineEdit>(suche, QStringLiteral("Edit1"))->setText(QStringLiteral("suppe"));
    p.in<QPushButton>(suche, QStringLiteral("Button1"))->click();
}

// Renaming the first section runs the automatic backup before any book is rewritten; its window
// shows while the files are copied.
void vorUmbenennenSichern(LaufendesProgramm& p) {
    befehl("Rubrikenerfassenndern1")(p);
    QDialog* w = p.finde<QDialog>(QStringLiteral("Form27"));
    auto* liste = p.in<QListWidget>(w, QStringLiteral("ListBox1"));
    liste->setCurrentRow(0);
    Q_EMIT liste->itemClicked(liste->currentItem());
    const QString alt = liste->currentItem()->text();
    p.in<QPushButton>(w, QStringLiteral("Button2"))->click();
    p.in<QLineEdit>(w, QStringLiteral("Edit1"))->setText(alt + QLatin1Char('1'));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
}

struct Fensterzeile {
    const char* zeile;
    Weg weg;
    const char *fenster, *titel;
    const char* hilfe; // the help button's name; empty where F1 alone opens the help
};

// Every secondary window of the program.
const std::vector<Fensterzeile>& alleFenster() {
    // clang-format off
    static const std::vector<Fensterzeile> zeilen{
        {"anlegen",       befehl("Rezeptbuchanlegen1"),        "d_anlegen", "Neues Rezeptbuch anlegen.",              "Button3"},
        {"wechseln",      befehl("Rezeptbuchwechseln1"),       "Wechseln",  "Rezeptbuch auswählen",                   "Button3"},
        {"loeschen",      befehl("Rezeptbuchlschne1"),         "loeschen",  "Rezeptbuch löschen !!",                  "Button3"},
        {"groesse",       befehl("Bildgrssendern1"),           "Form52",    "Datenbildschirm verändern",              "Button3"},
        {"erfassen",      befehl("Rezepteerfassen1"),          "Form2",     "Bitte geben Sie Ihr Kochrezept ein.",    "Button9"},
        {"rubriken",      befehl("Rubrikenerfassenndern1"),    "Form27",    "Rubriken ändern oder Neu erstellen",     "Button5"},
        {"kategorien",    befehl("Kategorieenerfassenndern1"), "Form28",    "Kategorien ändern oder Neu erstellen",   "Button5"},
        {"liste",         befehl("Rezeptebearbeiten1"),        "form21",    "Rezeptbuch bearbeiten/ansehen",          "Button3"},
        {"einstellungen", befehl("Einstellungen1"),            "Einst",     "Einstellungen",                          "Button3"},
        {"druckoptionen", befehl("Druckoptionen1"),            "Form15",    "Druckereinstellung",                     "Button10"},
        {"suchen",        befehl("Suchen1"),                   "Form9",     "Rezepte im aktuellen Rezeptbuch suchen", "Button3"},
        {"sicherung",     befehl("Datensicherung1"),           "Back5",     "Pfanno-Lux Datensicherung",              "Button3"},
        {"farben",        befehl("Farbenndern1"),              "Farbe",     "Farbwahl",                               "Button4"},
        {"einkaufsliste", befehl("Einkaufslistebearbeiten1"),  "Form3",     "Einkaufsliste",                          ""},
        {"info",          befehl("Info2"),                     "Inv",       "Info",                                   ""},
        {"danksagung",    weiter(befehl("Info2"), "Inv", "Button6"), "Form25", "Danksagung",                         ""},
        {"programme",     befehl("WeitereProgrammedesAutors1"), "Programm", "Weitere Software des Autors.",           ""},
        {"hintergrund",   weiter(befehl("Farbenndern1"), "Farbe", "BitBtn7"), "F_Hb", "Hauptbildschirm verändern",    ""},
        {"alle buecher",  inAllenBuechernSuchen,               "form22",    "Datensatz Form22",                       "Button3"},
        {"editor",        editorOeffnen,                       "Form13",    "Rezept bearbeiten",                      ""},
        {"bild",          weiter(editorOeffnen, "Form13", "SpeedButton1"), "Bild", "Bild anzeigen.",                  ""},
        {"drucken",       weiter(editorOeffnen, "Form13", "Button8"), "Form14", "> Rezept drucken <",                 ""},
        {"automatische sicherung", vorUmbenennenSichern,       "Datensicherung", "Automatische Datensicherung",      ""},
    };
    // clang-format on
    return zeilen;
}

void fensterZeilen() {
    QTest::addColumn<Weg>("weg");
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("hilfe");
    for (const Fensterzeile& z : alleFenster())
        QTest::newRow(z.zeile) << z.weg << QString::fromUtf8(z.fenster) << QString::fromUtf8(z.titel)
                               << QString::fromLatin1(z.hilfe);
}

// Runs the checks once the named window shows: at once when it is open after its way, else at the
// first moment the program handles events while the window shows (a window that shows only while
// it works).
class Fensterpruefung : public QObject {
public:
    Fensterpruefung(const QString& fenster, const std::function<void(QDialog*)>& pruefen)
        : m_fenster(fenster), m_pruefen(pruefen) {
        qApp->installEventFilter(this);
    }
    ~Fensterpruefung() override { qApp->removeEventFilter(this); }
    bool geprueft = false;

    void wennOffen(QDialog* w) {
        if (geprueft || !w || !w->isVisible()) return;
        geprueft = true;
        m_pruefen(w);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->objectName() == m_fenster)
            if (QPointer<QDialog> w = qobject_cast<QDialog*>(o))
                QTimer::singleShot(0, this, [this, w] { wennOffen(w); });
        return false;
    }

private:
    QString m_fenster;
    std::function<void(QDialog*)> m_pruefen;
};

// Opens the window by its way and checks it while it shows; false when it never showed.
bool imFenster(LaufendesProgramm& p, const Weg& weg, const QString& fenster,
               const std::function<void(QDialog*)>& pruefen) {
    Fensterpruefung pruefung(fenster, pruefen);
    weg(p);
    if (!pruefung.geprueft) pruefung.wennOffen(p.finde<QDialog>(fenster));
    return pruefung.geprueft;
}

// Opens a window through its menu command and returns it.
QDialog* oeffne(LaufendesProgramm& p, const QString& befehl, const QString& fenster) {
    p.finde<QAction>(befehl)->trigger();
    return p.finde<QDialog>(fenster);
}

// Controls read as a whole: what lies inside them is no control of its own.
bool teilEinesGanzen(QWidget* k, QWidget* fenster) {
    for (QWidget* v = k->parentWidget(); v && v != fenster; v = v->parentWidget())
        if (qobject_cast<QAbstractSpinBox*>(v) || qobject_cast<QAbstractItemView*>(v) ||
            qobject_cast<QComboBox*>(v))
            return true;
    return k->window() != fenster; // a popup of a field
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
    void kleinerBildschirm_data() { fensterZeilen(); }
    void kleinerBildschirm();
    void fokusBeimStart_data();
    void fokusBeimStart();
    void werkzeugleisteMitReturn();
    void fokusZurueckZumOeffner();
    void escapeSchliesstUndFrischtAuf();
    void fuerHilfsmittelEinDialog_data() { fensterZeilen(); }
    void fuerHilfsmittelEinDialog();
    void returnLegtAn();
    void returnLoeschtNicht();
    void statusLiestGezeigtenText();
    void menuesMitZugriffstasten();
    void menueleiste_data();
    void menueleiste();
    void jederBefehlLebt();
    void lesbarInJedemStil_data();
    void lesbarInJedemStil();
    void tabFolge_data();
    void tabFolge();
};

void TestFenster::kleinerBildschirm() {
    // A small screen with a panel at the top and a window manager's frame around every window:
    // each window lies inside the work area, frame included, and every button can be reached there
    // (a window too large for the screen scrolls its page).
    QFETCH(Weg, weg);
    QFETCH(QString, fenster);
    LaufendesProgramm p(zweiBuecher, false);
    p.plattform.bildschirm = QSize(1024, 600);
    p.plattform.arbeitsflaeche = QRect(0, 24, 1024, 576);
    p.plattform.rahmen = QMargins(4, 26, 4, 4);
    QVERIFY(p.starten());
    const QRect frei = p.plattform.arbeitsflaeche;
    QVERIFY(imFenster(p, weg, fenster, [&](QDialog* w) {
        if (w->isMaximized()) return; // the window manager fits it
        const QRect rahmen(w->pos(), w->size().grownBy(p.plattform.rahmen));
        QVERIFY2(frei.contains(rahmen), qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                                       .arg(w->objectName())
                                                       .arg(rahmen.x())
                                                       .arg(rahmen.y())
                                                       .arg(rahmen.width())
                                                       .arg(rahmen.height())));
        const QPoint innen = w->pos() + QPoint(p.plattform.rahmen.left(), p.plattform.rahmen.top());
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(w) || teilEinesGanzen(b, w)) continue;
            for (QWidget* v = b->parentWidget(); v && v != w; v = v->parentWidget())
                if (auto* rolle = qobject_cast<QScrollArea*>(v)) rolle->ensureWidgetVisible(b, 0, 0);
            const QRect imFenster(b->mapTo(w, QPoint(0, 0)), b->size());
            QVERIFY2(w->rect().contains(imFenster) && frei.contains(imFenster.translated(innen)),
                     qPrintable(w->objectName() + QLatin1Char('/') + b->objectName()));
        }
        w->close();
    }));
}

void TestFenster::fokusBeimStart_data() {
    QTest::addColumn<bool>("datenbildschirm");
    QTest::newRow("Datenbildschirm aus") << false;
    QTest::newRow("Datenbildschirm an") << true;
}

void TestFenster::fokusBeimStart() {
    QFETCH(bool, datenbildschirm);
    LaufendesProgramm p([datenbildschirm](Testordner& d) {
        zweiBuecher(d);
        optionen o = Testordner::satz<optionen>(d.lies(QStringLiteral("Rezept.opt")));
        o.db_einaus = datenbildschirm ? 1 : 0;
        d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
    });
    QVERIFY(QTest::qWaitForWindowActive(p.f));
    QWidget* fokus = QApplication::focusWidget();
    QVERIFY(fokus);
    QVERIFY2(fokus->isVisible(), qPrintable(fokus->objectName()));
    QCOMPARE(fokus->objectName(),
             datenbildschirm ? QStringLiteral("ListBox1") : QStringLiteral("SpeedButton1"));
}

void TestFenster::werkzeugleisteMitReturn() {
    LaufendesProgramm p(zweiBuecher);
    QVERIFY(QTest::qWaitForWindowActive(p.f));
    for (const Qt::Key taste : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* b = p.finde<QToolButton>(QStringLiteral("SpeedButton1"));
        b->setFocus();
        QTest::keyClick(b, taste);
        auto* erfassen = p.finde<QDialog>(QStringLiteral("Form2"));
        QVERIFY(erfassen->isVisible());
        erfassen->close();
    }
}

void TestFenster::fokusZurueckZumOeffner() {
    // The section list opened from the entry window gives the focus back to it, not to the main
    // window behind, where the next key would run a command.
    LaufendesProgramm p(zweiBuecher);
    p.finde<QAction>(QStringLiteral("Rezepteerfassen1"))->trigger();
    auto* erfassen = p.finde<QDialog>(QStringLiteral("Form2"));
    QVERIFY(QTest::qWaitForWindowActive(erfassen));
    p.in<QPushButton>(erfassen, QStringLiteral("Button4"))->click();
    auto* liste = p.finde<QDialog>(QStringLiteral("Form27"));
    QVERIFY(liste->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(liste));
    QTest::keyClick(liste, Qt::Key_Escape);
    QVERIFY(!liste->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), erfassen);
}

void TestFenster::escapeSchliesstUndFrischtAuf() {
    QFETCH(Weg, weg);
    QFETCH(QString, fenster);
    QFETCH(QString, titel);
    QFETCH(QString, hilfe);
    LaufendesProgramm p(zweiBuecher);
    QFrame* datenbildschirm = p.finde<QFrame>(QStringLiteral("Panel2"));
    QVERIFY(imFenster(p, weg, fenster, [&](QDialog* w) {
        QCOMPARE(w->windowTitle(), titel);
        QVERIFY(p.plattform.meldungen.isEmpty());
        datenbildschirm->hide(); // as the book windows do when they open
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        // Closing refreshed the main window (Copy1 shows the data screen again).
        QVERIFY(!datenbildschirm->isHidden());
        QVERIFY(p.plattform.meldungen.isEmpty());
    }));
    if (QTest::currentTestFailed()) return;
    // The window's help topic, by F1 as by its button.
    QVERIFY(imFenster(p, weg, fenster, [&](QDialog* w) {
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
        // The topic is a page of the help file the program ships.
        QFile datei(qEnvironmentVariable("PFANNO_SOURCE_DIR") +
                    QStringLiteral("/resources/Zirade-Zadod.ize"));
        QVERIFY(datei.open(QIODevice::ReadOnly));
        const QByteArray anker =
            "name=\"t" + QByteArray::number(p.plattform.hilfeAufrufe.first().second) + '"';
        QVERIFY2(datei.readAll().contains(anker), anker.constData());
        if (hilfe.isEmpty()) return;
        p.in<QPushButton>(w, hilfe)->click();
        QCOMPARE(p.plattform.hilfeAufrufe.size(), 2);
        QCOMPARE(p.plattform.hilfeAufrufe.at(0).second, p.plattform.hilfeAufrufe.at(1).second);
    }));
}

void TestFenster::fuerHilfsmittelEinDialog() {
    QFETCH(Weg, weg);
    QFETCH(QString, fenster);
    LaufendesProgramm p(zweiBuecher);
    QVERIFY(imFenster(p, weg, fenster, [&](QDialog* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Dialog);
        // Every control a person reads, types into or presses has a name to read.
        for (QWidget* k : w->findChildren<QWidget*>()) {
            if (teilEinesGanzen(k, w)) continue;
            if (!qobject_cast<QAbstractButton*>(k) && !qobject_cast<QLineEdit*>(k) &&
                !qobject_cast<QAbstractItemView*>(k) && !qobject_cast<QAbstractSpinBox*>(k) &&
                !qobject_cast<QComboBox*>(k) && !qobject_cast<QPlainTextEdit*>(k) &&
                !qobject_cast<QTextEdit*>(k) && !qobject_cast<RxSpinEdit*>(k))
                continue;
            QAccessibleInterface* ak = QAccessible::queryAccessibleInterface(k);
            QVERIFY2(
                ak && !ak->text(QAccessible::Name).isEmpty(),
                qPrintable(k->objectName() + QLatin1Char(' ') + QLatin1String(k->metaObject()->className())));
        }
    }));
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

void TestFenster::menueleiste_data() {
    QTest::addColumn<QString>("menue"); // empty: the menu bar itself
    QTest::addColumn<QStringList>("punkte");
    QTest::newRow("Leiste")
        << QString()
        << QStringList{"Datei",     "Erfassen",        "Bearbeiten", "Suchen", "Drucken",
                       "Sonstiges", "So beginnen Sie", "Hilfe",      "Info",   "Auf Updates überprüfen"};
    QTest::newRow("Hilfe") << "Hilfe1" << QStringList{"Inhalt", "Weitere Programme"};
    QTest::newRow("Sonstiges") << "Sonstiges1"
                               << QStringList{"Einstellungen",
                                              "Datenbildschirm ausschalten",
                                              "Datenbildschirm Grösse ändern",
                                              "Datensicherung",
                                              "Datenwiederherstellung",
                                              "Farben ändern",
                                              "Info",
                                              "Auf Updates überprüfen",
                                              "Weitere Programme des Autors",
                                              "Website besuchen"};
}

void TestFenster::menueleiste() {
    QFETCH(QString, menue);
    QFETCH(QStringList, punkte);
    LaufendesProgramm p(zweiBuecher);
    const QWidget* w = menue.isEmpty() ? static_cast<QWidget*>(p.f->menuBar()) : p.finde<QMenu>(menue);
    QStringList gezeigt;
    for (QAction* a : w->actions())
        if (!a->isSeparator()) gezeigt << a->text().remove(QLatin1Char('&'));
    QCOMPARE(gezeigt, punkte);
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
    // The user's stored style, so that the colour dialog, which reads it again, keeps it too.
    LaufendesProgramm p([&stil](Testordner& d) {
        zweiBuecher(d);
        d.schreibe(QStringLiteral("Styledat.txt"), stil.toLatin1());
    });
    const QColor stilGrund = stil == QLatin1String("Windows")
                                 ? QApplication::style()->standardPalette().color(QPalette::Window)
                                 : stylePalette(stil)->color(QPalette::Window);
    const auto lesbar = [&](QDialog* w) {
        QCOMPARE(QApplication::palette().color(QPalette::Window), stilGrund);
        for (QWidget* k : w->findChildren<QWidget*>()) {
            // Disabled controls are exempt from the contrast rule, as in every accessibility guideline.
            if (!k->isVisibleTo(w) || !k->isEnabled() || teilEinesGanzen(k, w)) continue;
            QColor text, grund;
            if (qobject_cast<QLabel*>(k) || qobject_cast<QCheckBox*>(k) || qobject_cast<QRadioButton*>(k)) {
                text = k->palette().color(QPalette::WindowText);
                grund = grundVon(k);
            } else if (qobject_cast<QPushButton*>(k)) {
                text = k->palette().color(QPalette::ButtonText);
                grund = k->palette().color(QPalette::Button);
            } else if (qobject_cast<QLineEdit*>(k) || qobject_cast<QListWidget*>(k) ||
                       qobject_cast<QPlainTextEdit*>(k) || qobject_cast<QTextEdit*>(k)) {
                text = k->palette().color(QPalette::Text);
                grund = k->palette().color(QPalette::Base);
            } else {
                continue;
            }
            // Colours the scheme chose are shown as chosen; every other text reads.
            if (pfl::test::gewaehltesPaar(p.farben.colorx, text, grund)) continue;
            const double k2 = pfl::kontrast(text, grund);
            QVERIFY2(k2 >= 4.5,
                     qPrintable(QStringLiteral("%1 / %2: %3 on %4 = %5")
                                    .arg(w->objectName(), k->objectName(), text.name(), grund.name())
                                    .arg(k2)));
        }
        pfl::test::bildSpeichern(w, QStringLiteral("%1_%2").arg(w->objectName(), stil));
        w->close();
    };
    for (const Fensterzeile& z : alleFenster()) {
        QVERIFY2(imFenster(p, z.weg, QString::fromUtf8(z.fenster), lesbar), z.fenster);
        if (QTest::currentTestFailed()) return;
    }
    // The main window's own labels: the titles and the overview headings.
    p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->trigger();
    for (const char* name : {"Label1", "Label2", "Panel3", "Panel6", "StatusPanel0", "StatusPanel1"}) {
        QLabel* l = p.finde<QLabel>(QString::fromLatin1(name));
        const QColor grund = l->autoFillBackground() ? l->palette().color(QPalette::Window) : grundVon(l);
        // The titles stand on the painted background colour of the main window.
        const QColor hinter =
            (QByteArray(name).startsWith("Label")) ? pfl::alsFarbe(quint32(p.farben.colorx.H_bs_hg)) : grund;
        if (pfl::test::gewaehltesPaar(p.farben.colorx, l->palette().color(QPalette::WindowText), hinter))
            continue;
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
    // The editor steps through the book below the texts; its export stands below the shopping list's button.
    QTest::newRow("bearbeiten") << "Form13"
                                << links + mitte +
                                       QStringList{"Button11", "Button12", "Button13", "Button14"} + zahlen +
                                       QStringList{"Button9", "Exportieren", "Button5", "Button6", "Button1",
                                                   "Button2", "Button3",     "BitBtn1", "Button8"};
}

void TestFenster::tabFolge() {
    // The Tab key goes through the recipe windows column by column, each column from the top down,
    // and then along the bottom bar.
    QFETCH(QString, fenster);
    QFETCH(QStringList, folge);
    LaufendesProgramm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"),
               {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe")),
                Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe")),
                Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Gulasch"))});
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
