// SPDX-License-Identifier: GPL-3.0-or-later
// The search window and the search across every book through the running program: each criterion
// with known hits, the input checks and their messages, the hand-over to the listings, case twins
// among the books, and a hit of another book opened in the editor.
#include "mainwindow/Hauptfenster.h"
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "search/AlleBuecher.h"
#include "search/Buchliste.h"
#include "platform/Farbwert.h"
#include "search/Suchen.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;

const QString keineRezepte = QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. ");

dateien rezept(const QString& rubrik, const QString& name, const QString& kategorie, double preis,
               const QString& zeit, const QString& am, const QString& zutaten) {
    dateien d = Testordner::rezept(rubrik, name, kategorie, preis, zeit);
    d.erfasst_am = am;
    d.zutaten.setPlainText(zutaten);
    return d;
}

// The active book "Familie" with four recipes (record 2 has no readable time or date), its case twin
// "familie", a book "Omas", a directory named like a book and a file that is no book.
void buecher(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.kategorien({QStringLiteral("Pasta"), QStringLiteral("Deftig"), QStringLiteral("Süßes")});
    d.rubriken({QStringLiteral("Hauptgerichte"), QStringLiteral("Suppen")});
    d.buch(QStringLiteral("Familie.rez"),
           {rezept(QStringLiteral("Hauptgerichte"), QStringLiteral("Nudeln mit Soße"),
                   QStringLiteral("Pasta"), 5.5, QStringLiteral("45"), QStringLiteral("03.05.2024"),
                   QStringLiteral("500 g Nudeln\n100% Tomaten\nSalz")),
            rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QStringLiteral("Deftig"), 3,
                   QStringLiteral("viel"), QStringLiteral("kein Datum"), QStringLiteral("Linsen\nBrühe")),
            rezept(QStringLiteral("Suppen"), QStringLiteral("Gemüsesuppe für 5€"), QStringLiteral("Gemüse "),
                   12, QStringLiteral("20"), QStringLiteral("01.01.2023"),
                   QStringLiteral("Möhren*2\nLauch\\Sellerie")),
            rezept(QStringLiteral("Hauptgerichte"), QStringLiteral("Äpfel im Schlafrock"),
                   QStringLiteral("Süßes"), 2.5, QStringLiteral("30"), QStringLiteral("07.12.2026"),
                   QStringLiteral(" Mehl "))});
    d.buch(QStringLiteral("familie.rez"),
           {rezept(QStringLiteral("Suppen"), QStringLiteral("Nudelsuppe"), QStringLiteral("Deftig"), 4,
                   QStringLiteral("25"), QStringLiteral("02.02.2022"), QStringLiteral("Nudeln\nBrühe"))});
    d.buch(QStringLiteral("Omas.REZ"),
           {rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"), QStringLiteral("Deftig"), 4,
                   QStringLiteral("60"), QStringLiteral("02.02.2022"), QStringLiteral("Erbsen")),
            rezept(QStringLiteral("Hauptgerichte"), QStringLiteral("Schupfnudeln"), QStringLiteral("Pasta"),
                   4, QStringLiteral("60"), QStringLiteral("02.02.2022"), QStringLiteral("Kartoffeln"))});
    QDir().mkpath(d.datei(QStringLiteral("Ordner.rez")));
    d.schreibe(QStringLiteral("Notiz.txt"), "Nudeln");
}

TForm9* suchfenster(Programm& p) {
    p.f->findChild<QAction*>(QStringLiteral("Suchen1"))->trigger();
    return p.finde<TForm9>(QStringLiteral("Form9"));
}

template <typename T = QWidget> T* in(QWidget* w, const char* name) {
    return Programm::in<T>(w, QString::fromLatin1(name));
}

// Chooses a criterion and types the input the way a user would.
void eingeben(TForm9* w, const QString& kriterium, const QString& eingabe, int vergleich = 0,
              bool exakt = false) {
    in<QRadioButton>(w, kriterium.toLatin1().constData())->click();
    if (kriterium == QLatin1String("RadioButton4")) {
        in<QComboBox>(w, "ComboBox2")->setCurrentIndex(vergleich);
        in<QLineEdit>(w, "Edit3")->setText(eingabe);
    } else if (kriterium == QLatin1String("RadioButton5")) {
        in<QComboBox>(w, "ComboBox3")->setCurrentIndex(vergleich);
        in<QLineEdit>(w, "Edit2")->clear();
        QTest::keyClicks(in<QLineEdit>(w, "Edit2"), eingabe);
    } else if (kriterium == QLatin1String("RadioButton6")) {
        in<QComboBox>(w, "ComboBox1")->setCurrentIndex(vergleich);
        in<DateEdit>(w, "DateEdit1")->setText(eingabe);
    } else if (kriterium == QLatin1String("RadioButton8")) {
        in<RxSpinEdit>(w, "RxSpinEdit1")->setText(eingabe);
    } else {
        in<QLineEdit>(w, "Edit1")->setText(eingabe);
        in<QCheckBox>(w, "CheckBox1")->setChecked(exakt);
    }
}

QList<QPair<QString, int>> treffer(TFilterGrid* g, bool mitBuch) {
    QList<QPair<QString, int>> l;
    for (int r = 1; r < g->RowCount(); ++r) {
        const QString nr = g->Cells(0, r).trimmed();
        if (!nr.isEmpty()) l.append({mitBuch ? g->Cells(1, r).trimmed() : QString(), nr.toInt()});
    }
    return l;
}
} // namespace

class TestSuchen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void imAktuellenBuch_data();
    void imAktuellenBuch();
    void eingabeFehlt_data();
    void eingabeFehlt();
    void eingabeUnlesbar_data();
    void eingabeUnlesbar();
    void kriteriumSchaltetFelder_data();
    void kriteriumSchaltetFelder();
    void vorbereitungUndListen();
    void alleBuecher();
    void trefferOeffnetEditorImEigenenBuch();
    void alleBuecherOhneTreffer_data();
    void alleBuecherOhneTreffer();
    void fortschrittUndAbbrechen_data();
    void fortschrittUndAbbrechen();
};

void TestSuchen::imAktuellenBuch_data() {
    QTest::addColumn<QString>("kriterium");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<int>("vergleich");
    QTest::addColumn<bool>("exakt");
    QTest::addColumn<QList<int>>("erwartet");
    const QString kat = QStringLiteral("RadioButton1"), rub = QStringLiteral("RadioButton2"),
                  zut = QStringLiteral("RadioButton3"), name = QStringLiteral("RadioButton7"),
                  zeit = QStringLiteral("RadioButton4"), preis = QStringLiteral("RadioButton5"),
                  datum = QStringLiteral("RadioButton6"), jahr = QStringLiteral("RadioButton8");
    QTest::newRow("Kategorie Teil") << kat << "ast" << 0 << false << QList<int>{1};
    QTest::newRow("Kategorie exakt ohne Rand") << kat << " gemüse" << 0 << true << QList<int>{3};
    QTest::newRow("Kategorie Umlaute gross") << kat << "SÜSS" << 0 << false << QList<int>{};
    QTest::newRow("Kategorie ß und Umlaut") << kat << "SÜß" << 0 << false << QList<int>{4};
    QTest::newRow("Rubrik") << rub << "suppe" << 0 << false << QList<int>{2, 3};
    QTest::newRow("Zutaten Prozent") << zut << "100%" << 0 << false << QList<int>{1};
    QTest::newRow("Zutaten Stern woertlich") << zut << "n*2" << 0 << false << QList<int>{3};
    QTest::newRow("Zutaten Stern kein Joker") << zut << "M*2" << 0 << false << QList<int>{};
    QTest::newRow("Zutaten Backslash") << zut << "h\\s" << 0 << false << QList<int>{3};
    QTest::newRow("Zutaten exakt") << zut << "MEHL" << 0 << true << QList<int>{4};
    QTest::newRow("Zutaten exakt nur Zeile") << zut << "Salz" << 0 << true << QList<int>{};
    QTest::newRow("Name Umlaut klein") << name << "äpfel" << 0 << false << QList<int>{4};
    QTest::newRow("Name Euro") << name << "5€" << 0 << false << QList<int>{3};
    QTest::newRow("Name nach 70 Zeichen abgeschnitten")
        << name << QStringLiteral("Nudeln") + QString(64, QLatin1Char(' ')) + QStringLiteral("XYZ") << 0
        << false << QList<int>{1};
    QTest::newRow("Name zwei Blanks") << name << "  " << 0 << false << QList<int>{};
    QTest::newRow("Zeit >= ohne unlesbare") << zeit << "30" << 0 << false << QList<int>{1, 4};
    QTest::newRow("Zeit <=") << zeit << "25" << 1 << false << QList<int>{3};
    QTest::newRow("Zeit = mit Komma") << zeit << "20,0" << 2 << false << QList<int>{3};
    QTest::newRow("Preis Komma getippt") << preis << "5,5" << 1 << false << QList<int>{1, 2, 4};
    QTest::newRow("Preis =") << preis << "12" << 2 << false << QList<int>{3};
    QTest::newRow("Datum =") << datum << "03.05.2024" << 2 << false << QList<int>{1};
    QTest::newRow("Datum >=") << datum << "01.01.2024" << 0 << false << QList<int>{1, 4};
    QTest::newRow("Datum <= ohne unlesbare") << datum << "31.12.2025" << 1 << false << QList<int>{1, 3};
    QTest::newRow("Jahr") << jahr << "2023" << 0 << false << QList<int>{3};
}

void TestSuchen::imAktuellenBuch() {
    QFETCH(QString, kriterium);
    QFETCH(QString, eingabe);
    QFETCH(int, vergleich);
    QFETCH(bool, exakt);
    QFETCH(QList<int>, erwartet);
    Programm p(buecher);
    TForm9* w = suchfenster(p);
    QVERIFY(w->isVisible());
    eingeben(w, kriterium, eingabe, vergleich, exakt);
    if (kriterium == QLatin1String("RadioButton5")) // "," typed as "."
        QCOMPARE(in<QLineEdit>(w, "Edit2")->text(),
                 QString(eingabe).replace(QLatin1Char(','), QLatin1Char('.')));
    in<QPushButton>(w, "Button1")->click();
    QVERIFY(!w->isVisible());
    Tform21* liste = p.finde<Tform21>(QStringLiteral("form21"));
    if (erwartet.isEmpty()) {
        QCOMPARE(p.plattform.meldungsTexte(), QStringList{keineRezepte});
        QVERIFY(!liste->isVisible());
        return;
    }
    QVERIFY(p.plattform.meldungen.isEmpty());
    QVERIFY(liste->isVisible());
    QCOMPARE(liste->windowTitle(), QStringLiteral("Datensatz Form21"));
    QList<int> gefunden;
    for (const auto& t : treffer(in<TFilterGrid>(liste, "FilterGrid1"), false))
        gefunden << t.second;
    QCOMPARE(gefunden, erwartet);
    QVERIFY(!in<QPushButton>(liste, "Button1")->isEnabled());
}

void TestSuchen::eingabeFehlt_data() {
    QTest::addColumn<QString>("kriterium");
    QTest::addColumn<QString>("eingabe");
    QTest::newRow("Kategorie leer") << "RadioButton1"
                                    << "";
    QTest::newRow("Name ein Blank") << "RadioButton7"
                                    << " ";
    QTest::newRow("Zeit leer") << "RadioButton4"
                               << "";
    QTest::newRow("Preis leer") << "RadioButton5"
                                << "";
    QTest::newRow("Datum leer") << "RadioButton6"
                                << "";
    QTest::newRow("Jahr leer") << "RadioButton8"
                               << "";
}

void TestSuchen::eingabeFehlt() {
    QFETCH(QString, kriterium);
    QFETCH(QString, eingabe);
    Programm p(buecher);
    TForm9* w = suchfenster(p);
    eingeben(w, kriterium, eingabe);
    QSignalSpy gesucht(w, &TForm9::imAktuellenBuchSuchen);
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(
        p.plattform.meldungsTexte(),
        QStringList{QStringLiteral("    Bitte einen Begriff zum suchen eingeben.   \n     Benutzen sie zur "
                                   "Info den Hilfebutton.    \n")});
    QVERIFY(w->isVisible());
    QCOMPARE(gesucht.size(), 0);
    QVERIFY(!p.finde<Tform21>(QStringLiteral("form21"))->isVisible());
}

void TestSuchen::eingabeUnlesbar_data() {
    QTest::addColumn<QString>("kriterium");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("genannt");
    QTest::newRow("unmögliches Datum") << "RadioButton6"
                                       << "31.02.2024"
                                       << "31.02.2024";
    QTest::newRow("Zeit keine Zahl") << "RadioButton4"
                                     << "eine Stunde"
                                     << "eine Stunde";
    QTest::newRow("Preis nur Punkt") << "RadioButton5"
                                     << "."
                                     << ".";
    QTest::newRow("Preis zwei Punkte") << "RadioButton5"
                                       << "1.2.3"
                                       << "1.2.3";
    QTest::newRow("kyrillisch") << "RadioButton7"
                                << "Борщ"
                                << "Борщ";
    QTest::newRow("Emoji in Zutaten") << "RadioButton3"
                                      << "Nudeln 🍝"
                                      << "Nudeln 🍝";
}

void TestSuchen::eingabeUnlesbar() {
    QFETCH(QString, kriterium);
    QFETCH(QString, eingabe);
    QFETCH(QString, genannt);
    Programm p(buecher);
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, kriterium, eingabe);
    QSignalSpy hier(w, &TForm9::imAktuellenBuchSuchen);
    QSignalSpy ueberall(w, &TForm9::inAllenBuechernSuchen);
    in<QPushButton>(w, "Button1")->click();
    // One German message naming the input; nothing is searched and the input can be corrected.
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY2(p.plattform.meldungen.first().text.contains(genannt),
             qPrintable(p.plattform.meldungen.first().text));
    QVERIFY(w->isVisible());
    QCOMPARE(hier.size() + ueberall.size(), 0);
    QVERIFY(!p.finde<Tform22>(QStringLiteral("form22"))->isVisible());
}

void TestSuchen::kriteriumSchaltetFelder_data() {
    QTest::addColumn<QString>("kriterium");
    QTest::addColumn<QString>("liste");
    QTest::addColumn<QString>("titel");
    // Enabled: Edit1, CheckBox1, ComboBox2, Edit2, DateEdit1, RxSpinEdit1.
    QTest::addColumn<QList<bool>>("frei");
    QTest::newRow("Rubrik") << "RadioButton2"
                            << "ListBox2"
                            << "Rubrik suchen" << QList<bool>{true, true, false, false, false, false};
    QTest::newRow("Zutaten") << "RadioButton3"
                             << "ListBox3"
                             << "Zutaten suchen" << QList<bool>{true, true, false, false, false, false};
    QTest::newRow("Name") << "RadioButton7"
                          << "ListBox4"
                          << "Rezeptname suchen" << QList<bool>{true, true, false, false, false, false};
    QTest::newRow("Zeit") << "RadioButton4"
                          << ""
                          << "Zubereitungszeit suchen" << QList<bool>{true, true, true, false, false, false};
    QTest::newRow("Preis") << "RadioButton5"
                           << "ListBox1"
                           << "Kategorie suchen" << QList<bool>{false, false, false, true, false, false};
    QTest::newRow("Datum") << "RadioButton6"
                           << "ListBox1"
                           << "Kategorie suchen" << QList<bool>{false, false, false, false, true, false};
    QTest::newRow("Jahr") << "RadioButton8"
                          << "ListBox1"
                          << "Kategorie suchen" << QList<bool>{false, false, false, false, false, true};
}

void TestSuchen::kriteriumSchaltetFelder() {
    QFETCH(QString, kriterium);
    QFETCH(QString, liste);
    QFETCH(QString, titel);
    QFETCH(QList<bool>, frei);
    Programm p(buecher);
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, kriterium.toLatin1().constData())->click();
    const char* const felder[] = {"Edit1", "CheckBox1", "ComboBox2", "Edit2", "DateEdit1", "RxSpinEdit1"};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(in(w, felder[i])->isEnabled() == frei.at(i), felder[i]);
    QVERIFY(in(w, "Edit3")->isEnabled());
    QCOMPARE(in<QGroupBox>(w, "GroupBox2")->title(), titel);
    for (const char* l : {"ListBox1", "ListBox2", "ListBox3", "ListBox4"})
        QCOMPARE(in(w, l)->isVisible(), liste == QLatin1String(l));
}

void TestSuchen::vorbereitungUndListen() {
    Programm p(buecher);
    p.u.option.waehrung = QStringLiteral("EUR");
    TForm9* w = suchfenster(p);
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezepte im aktuellen Rezeptbuch suchen"));
    QVERIFY(w->isModal());
    // "Kategorie" was chosen already: its handler does not run, the label keeps the request.
    QCOMPARE(in<QLabel>(w, "Label1")->text(), QStringLiteral("Bitte eine Kategorie auswählen."));
    QCOMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral("Kategorie suchen"));
    QCOMPARE(in<QLabel>(w, "Label2")->text(), QStringLiteral("EUR"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit1")->Text(), QStringLiteral("2026"));
    QVERIFY(in<QRadioButton>(w, "RadioButton1")->isChecked());
    QVERIFY(in<QRadioButton>(w, "RadioButton9")->isChecked());
    // What a list shows, whichever kind of list it is.
    auto eintraege = [&](const char* name) {
        QStringList l;
        const QAbstractItemModel* m = in<QAbstractItemView>(w, name)->model();
        for (int i = 0; i < m->rowCount(); ++i)
            l << m->index(i, 0).data().toString();
        return l;
    };
    // Every list of the window, packed or not, in the scheme's list colours.
    const Tcolor1& c = p.farben.colorx;
    for (const char* name : {"ListBox1", "ListBox2", "ListBox3", "ListBox4"}) {
        const QPalette lp = in<QAbstractItemView>(w, name)->palette();
        QVERIFY2(lp.color(QPalette::Base) == pfl::alsFarbe(quint32(c.listb)), name);
        QVERIFY2(lp.color(QPalette::Text) == pfl::alsFarbe(quint32(c.listb_font)), name);
    }
    QCOMPARE(eintraege("ListBox1"), (QStringList{"Pasta", "Deftig", "Süßes"}));
    QCOMPARE(eintraege("ListBox4"),
             (QStringList{"Nudeln mit Soße", "Linsensuppe", "Gemüsesuppe für 5€", "Äpfel im Schlafrock"}));
    // Every ingredient line, each time the criterion is chosen again.
    in<QRadioButton>(w, "RadioButton3")->click();
    const QStringList zeilen = {"500 g Nudeln", "100% Tomaten",    "Salz", "Linsen", "Brühe",
                                "Möhren*2",     "Lauch\\Sellerie", "Mehl"};
    QCOMPARE(eintraege("ListBox3"), zeilen);
    in<QRadioButton>(w, "RadioButton2")->click();
    QCOMPARE(eintraege("ListBox2"), (QStringList{"Hauptgerichte", "Suppen"}));
    in<QRadioButton>(w, "RadioButton3")->click();
    QCOMPARE(eintraege("ListBox3"), zeilen + zeilen);
    // An item becomes the search text.
    auto* l3 = in<QAbstractItemView>(w, "ListBox3");
    const QModelIndex siebte = l3->model()->index(6, 0);
    l3->scrollTo(siebte);
    QTest::mouseClick(l3->viewport(), Qt::LeftButton, {}, l3->visualRect(siebte).center());
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Lauch\\Sellerie"));
    // So does a recipe name.
    in<QRadioButton>(w, "RadioButton7")->click();
    auto* l4 = in<QAbstractItemView>(w, "ListBox4");
    const QModelIndex dritte = l4->model()->index(2, 0);
    l4->scrollTo(dritte);
    QTest::mouseClick(l4->viewport(), Qt::LeftButton, {}, l4->visualRect(dritte).center());
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Gemüsesuppe für 5€"));
    // The amount takes digits and "." only.
    in<QRadioButton>(w, "RadioButton5")->click();
    QTest::keyClicks(in<QLineEdit>(w, "Edit2"), QStringLiteral("1a2,5-"));
    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("€"));
    QApplication::sendEvent(in<QLineEdit>(w, "Edit2"), &euro);
    QCOMPARE(in<QLineEdit>(w, "Edit2")->text(), QStringLiteral("12.5"));
    in<QRadioButton>(w, "RadioButton10")->click();
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezepte in allen Rezeptbüchern suchen"));
    // "Beenden" refreshes the main window; opening again starts over, the name list keeps its names.
    QSignalSpy zu(w, &pfl::Nebenfenster::geschlossen);
    in<QPushButton>(w, "Button2")->click();
    QCOMPARE(zu.size(), 1);
    p.u.rezeptbuch = QStringLiteral("Omas");
    w = suchfenster(p);
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezepte im aktuellen Rezeptbuch suchen"));
    // Closed with "Kaufpreis" chosen: choosing "Kategorie" again runs its handler.
    QCOMPARE(in<QLabel>(w, "Label1")->text(), QStringLiteral("Kategorie suchen"));
    QVERIFY(in<QRadioButton>(w, "RadioButton1")->isChecked());
    QVERIFY(in<QRadioButton>(w, "RadioButton9")->isChecked());
    QVERIFY(in<QLineEdit>(w, "Edit1")->text().isEmpty());
    QVERIFY(in<QLineEdit>(w, "Edit2")->text().isEmpty());
    QVERIFY(!in(w, "Edit2")->isEnabled());
    QVERIFY(in(w, "ListBox1")->isVisible());
    QCOMPARE(eintraege("ListBox4").mid(4), (QStringList{"Erbsensuppe", "Schupfnudeln"}));
    QCOMPARE(eintraege("ListBox3"), QStringList{});
    // Help topic 600.
    in<QPushButton>(w, "Button3")->click();
    QCOMPARE(p.plattform.hilfeAufrufe.last().second, 600);
}

void TestSuchen::alleBuecher() {
    Programm p(buecher, false);
    const QString langerName = QStringLiteral("Das große Familienkochbuch von Oma Erna");
    p.dir.buch(langerName + QStringLiteral(".rez"),
               {rezept(QStringLiteral("Suppen"), QStringLiteral("Bandnudeln"), QStringLiteral("Pasta"), 1,
                       QStringLiteral("10"), QStringLiteral("01.01.2020"), QString())});
    p.starten();
    const QByteArray optionenVorher = p.dir.lies(QStringLiteral("Rezept.opt"));
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, QStringLiteral("RadioButton7"), QStringLiteral("NUDEL"));
    in<QPushButton>(w, "Button1")->click();
    QVERIFY(p.plattform.meldungen.isEmpty());
    Tform22* alle = p.finde<Tform22>(QStringLiteral("form22"));
    QVERIFY(alle->isVisible());
    QVERIFY(!p.finde<Tform21>(QStringLiteral("form21"))->isVisible());
    QCOMPARE(alle->windowTitle(), QStringLiteral("Datensatz Form22"));
    TFilterGrid* g = in<TFilterGrid>(alle, "FilterGrid1");
    QCOMPARE(g->ColCount(), 11);
    QCOMPARE(g->Cells(1, 0), QStringLiteral("Rezeptbuch"));
    QCOMPARE(g->Cells(4, 0), QStringLiteral("Name"));
    // Both case twins, the book in any case of its extension, the long name in full; the directory
    // and the other file give nothing.
    const QList<QPair<QString, int>> erwartet = {{langerName, 1},
                                                 {QStringLiteral("Familie"), 1},
                                                 {QStringLiteral("Omas"), 2},
                                                 {QStringLiteral("familie"), 1}};
    QCOMPARE(treffer(g, true), erwartet);
    QCOMPARE(g->Cells(1, 1), langerName);
    QCOMPARE(g->Cells(1, 2), QStringLiteral("Familie") + QString(23, QLatin1Char(' ')));
    QCOMPARE(g->Cells(4, 3), QStringLiteral("Schupfnudeln") + QString(18, QLatin1Char(' ')));
    QCOMPARE(g->ColInfo(0)->DatAlign, TextFlag::Rechts);
    // Book, category and section to the left; "Name" to "Kalorien" centred.
    for (int col = 1; col <= 9; ++col)
        QCOMPARE(g->ColInfo(col)->DatAlign, col <= 3 ? TextFlag::Links : TextFlag::Mitte);
    // The first hit's details come from its own book; the active book is the saved one again.
    QCOMPARE(in<QPlainTextEdit>(alle, "Memo1")->toPlainText(), QString());
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), optionenVorher);
    QVERIFY(!in<QPushButton>(alle, "Button1")->isEnabled());
    in<QPushButton>(alle, "Button3")->click();
    QCOMPARE(p.plattform.hilfeAufrufe.last().second, 600);
    pfl::test::bildSpeichern(alle, QStringLiteral("alle_buecher"));
}

void TestSuchen::trefferOeffnetEditorImEigenenBuch() {
    Programm p(buecher);
    const QByteArray optionenVorher = p.dir.lies(QStringLiteral("Rezept.opt"));
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, QStringLiteral("RadioButton3"), QStringLiteral("brühe"));
    in<QPushButton>(w, "Button1")->click();
    Tform22* alle = p.finde<Tform22>(QStringLiteral("form22"));
    TFilterGrid* g = in<TFilterGrid>(alle, "FilterGrid1");
    const QList<QPair<QString, int>> erwartet = {{QStringLiteral("Familie"), 2},
                                                 {QStringLiteral("familie"), 1}};
    QCOMPARE(treffer(g, true), erwartet);
    // The twin's row: its book becomes the active one, its record shows.
    g->setRow(2);
    Q_EMIT g->Click();
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("familie"));
    QCOMPARE(p.u.daten, 1);
    QCOMPARE(p.u.satznum, 1);
    QCOMPARE(p.u.rubrik, QStringLiteral("Suppen"));
    QCOMPARE(p.u.kategorie, QStringLiteral("Deftig"));
    QCOMPARE(in<QPlainTextEdit>(alle, "Memo1")->toPlainText(), QStringLiteral("Nudeln\nBrühe"));
    QPushButton* bearbeiten = in<QPushButton>(alle, "Button1");
    QVERIFY(bearbeiten->isEnabled());
    bearbeiten->click();
    QVERIFY(!alle->isVisible());
    QWidget* editor = p.finde(QStringLiteral("Form13"));
    QVERIFY(editor->isVisible());
    QCOMPARE(in<QLineEdit>(editor, "Edit2")->text(), QStringLiteral("Nudelsuppe"));
    editor->close();
    // The main window names that book now; the options still name the saved one.
    QVERIFY(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text().endsWith(QStringLiteral(": familie")));
    QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), optionenVorher);
    // The same position in the active book is another recipe: a double click on the first row opens it.
    w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, QStringLiteral("RadioButton3"), QStringLiteral("brühe"));
    in<QPushButton>(w, "Button1")->click();
    g->setRow(1);
    Q_EMIT g->DblClick();
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(in<QLineEdit>(editor, "Edit2")->text(), QStringLiteral("Linsensuppe"));
}

void TestSuchen::alleBuecherOhneTreffer_data() {
    QTest::addColumn<bool>("mitBuechern");
    QTest::newRow("leerer Datenordner") << false;
    QTest::newRow("kein Treffer") << true;
}

void TestSuchen::alleBuecherOhneTreffer() {
    QFETCH(bool, mitBuechern);
    Programm p(mitBuechern ? std::function<void(Testordner&)>(buecher) : std::function<void(Testordner&)>());
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, QStringLiteral("RadioButton1"), QStringLiteral("Torte"));
    QSignalSpy copy1(&p.u, &Unit4::copy1Angefordert);
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{keineRezepte});
    QVERIFY(!p.finde<Tform22>(QStringLiteral("form22"))->isVisible());
    QVERIFY(copy1.size() >= 1);
    QCOMPARE(p.u.rezeptbuch, mitBuechern ? QStringLiteral("Familie") : p.u.rezeptbuch);
}

void TestSuchen::fortschrittUndAbbrechen_data() {
    QTest::addColumn<int>("beiBuch");
    QTest::addColumn<QStringList>("meldungen");
    QTest::addColumn<int>("zeilen"); // rows shown; 0: the window stays hidden
    QTest::newRow("vor dem ersten Treffer")
        << 1 << QStringList{QStringLiteral("Die Suche wurde abgebrochen, bevor ein Rezept gefunden war.")}
        << 0;
    QTest::newRow("nach dem ersten Buch") << 2 << QStringList{} << 1;
}

void TestSuchen::fortschrittUndAbbrechen() {
    // The progress names the book being searched; "Abbrechen" ends the search, the hits found stay.
    QFETCH(int, beiBuch);
    QFETCH(QStringList, meldungen);
    QFETCH(int, zeilen);
    Programm p(buecher);
    Tform22* alle = p.finde<Tform22>(QStringLiteral("form22"));
    alle->fortschrittNach(0);
    QStringList texte;
    QTimer uhr;
    uhr.setInterval(0);
    connect(&uhr, &QTimer::timeout, this, [&] {
        auto* f = p.f->findChild<QProgressDialog*>(QStringLiteral("Suchfortschritt"));
        if (!f || !f->isVisible()) return;
        if (texte.isEmpty() || texte.last() != f->labelText()) texte << f->labelText();
        if (f->labelText().contains(QStringLiteral("(%1 von").arg(beiBuch)))
            f->findChild<QPushButton*>()->click();
    });
    uhr.start();
    TForm9* w = suchfenster(p);
    in<QRadioButton>(w, "RadioButton10")->click();
    eingeben(w, QStringLiteral("RadioButton7"), QStringLiteral("nudel"));
    in<QPushButton>(w, "Button1")->click();
    uhr.stop();
    QVERIFY(!texte.isEmpty());
    QCOMPARE(texte.first(), QStringLiteral("Rezeptbuch \u201EFamilie\u201C wird durchsucht (1 von 3)."));
    QCOMPARE(texte.last().contains(QStringLiteral("(%1 von 3)").arg(beiBuch)), true);
    QCOMPARE(p.plattform.meldungsTexte(), meldungen);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(alle->isVisible(), zeilen > 0);
    if (zeilen > 0) {
        QCOMPARE(treffer(in<TFilterGrid>(alle, "FilterGrid1"), true),
                 (QList<QPair<QString, int>>{{QStringLiteral("Familie"), 1}}));
        QVERIFY(alle->windowTitle().contains(QStringLiteral("abgebrochen")));
    }
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
}

QTEST_MAIN(TestSuchen)
#include "tst_suchen.moc"
