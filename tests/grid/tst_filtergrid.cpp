// SPDX-License-Identifier: GPL-3.0-or-later
// The table component as a user meets it: header clicks, sorting, column features, widths, painting,
// and its colours from the colour scheme.
#include "platform/Farbwert.h"
#include "grid/FilterGrid.h"
#include "grid/SortSchluessel.h"
#include "grid/Tabellenfarben.h"

#include "data/Farbsatz.h"
#include "data/Deutsch.h"
#include "support/Bildschirmfoto.h"

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QDir>
#include <QHeaderView>
#include <QtTest>

namespace {

using pfl::test::bildschirmfoto;

// Every grid of these tests runs under Qt's model checker: a change the model announces wrongly,
// or not at all, fails the test that made it.
struct Gitter : TFilterGrid {
    QAbstractItemModelTester pruefer{model(), QAbstractItemModelTester::FailureReportingMode::QtTest};
};

// A shown grid with one heading row and the given columns; each column gets features of its type.
struct Tabelle {
    Gitter grid;
    Tabelle(const QStringList& titel, const QString& typen, const QList<QStringList>& zeilen) {
        grid.resize(700, 400);
        grid.setColCount(int(titel.size()));
        grid.setRowCount(int(zeilen.size()) + 1);
        grid.setOptions(grid.Options() | goRowSelect | goColSizing);
        grid.setSortMouseEd(true);
        grid.setSortierenEd(true);
        for (int c = 0; c < titel.size(); ++c) {
            TColInfo& ci = grid.ColInfoC(c);
            ci.Titel = titel[c];
            ci.Typ = typen.at(c);
            ci.Width = 120;
        }
        grid.ColInfo_Set(-1);
        for (int r = 0; r < zeilen.size(); ++r)
            for (int c = 0; c < zeilen[r].size(); ++c)
                grid.setCells(c, r + 1, zeilen[r][c]);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
    QStringList spalte(int c) const {
        QStringList s;
        for (int r = 1; r < grid.RowCount(); ++r)
            s << grid.Cells(c, r);
        return s;
    }
    // Clicks the heading of column c at x pixels from its left edge.
    void klickKopf(int c, int x = -1) {
        QHeaderView* h = grid.horizontalHeader();
        if (x < 0) x = h->sectionSize(c) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(c) + x, 5));
    }
};

// Rows formatted on demand, as the listings keep theirs.
struct Texte : TZeilenquelle {
    QList<QStringList> zeilen;
    int anzahl() const override { return int(zeilen.size()); }
    QString zelle(int z, int s) const override { return zeilen[z].value(s); }
};

QImage bild(QWidget& w) {
    QCoreApplication::processEvents();
    return w.grab().toImage();
}

} // namespace

class TstFilterGrid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void deutscheSortierungStimmt();
    void schnelleSchluesselWieKollation();
    void kopfklickNahAmRand_data();
    void kopfklickNahAmRand();
    void kopfklickFolgen();
    void sortiertNachTyp_data();
    void sortiertNachTyp();
    void schluessel_data();
    void schluessel();
    void gleicheSchluesselStabil();
    void aktuelleZeileFolgtDaten();
    void nurLeereZeile();
    void zweizeiligeZellenBleiben();
    void spaltenMerkmaleLesenUndSchreiben();
    void spaltenEinrichten();
    void spaltenbreitenMitStretch();
    void zeichnetTabulatorLeerUndKaufmannsUnd();
    void sortSymbolVerbreitertKopf();
    void zeilenFarbHaken();
    void zugaenglichkeitSiehtZellen();
    void zeilenquelleWieGehalteneZeilen_data();
    void zeilenquelleWieGehalteneZeilen();
    void verlaufImKopf();
    void langeSpalteAusgemessen_data();
    void langeSpalteAusgemessen();
    void farbenAusDemSchema_data();
    void farbenAusDemSchema();
};

void TstFilterGrid::deutscheSortierungStimmt() {
    const QCollator& k = pfl::deutscheSortierung();
    QVERIFY(k.compare(" ", "0") < 0);
    QVERIFY(k.compare(" 999999998,0000", "0000000000,0000") < 0);
    QVERIFY(k.compare("-", "0") < 0);
    QVERIFY(k.compare("9", "a") < 0);
    QVERIFY(k.compare("Äpfel", "Birnen") < 0);
    QVERIFY(k.compare("Öl", "Pilze") < 0);
    QVERIFY(k.compare("Zucker", "zwiebel") < 0);
    QCOMPARE(k.compare("apfel", "APFEL"), 0);
}

// The byte keys must order sort strings exactly as the collator does.
void TstFilterGrid::schnelleSchluesselWieKollation() {
    const QString alphabet = "aAäÄbBoOöÖuUüÜßsSzZ09 -,.'&«éÉ";
    const QCollator& k = pfl::deutscheSortierung();
    QRandomGenerator rnd(7);
    QStringList texte;
    for (int i = 0; i < 400; ++i) {
        QString t;
        for (int n = rnd.bounded(1, 9); n > 0; --n)
            t += alphabet[rnd.bounded(int(alphabet.size()))];
        texte << t.leftJustified(15) + QString::asprintf("%.6d", i) + QChar(0xAB);
    }
    for (int i = 0; i + 1 < texte.size(); ++i)
        for (int j = i + 1; j < texte.size(); j += 7) {
            std::string a, b;
            QVERIFY(pfl::schnellSchluessel(texte[i], a));
            QVERIFY(pfl::schnellSchluessel(texte[j], b));
            QVERIFY2((a < b) == (k.compare(texte[i], texte[j]) < 0), qPrintable(texte[i] + " | " + texte[j]));
        }
    std::string x;
    QVERIFY(!pfl::schnellSchluessel(u"Zimt €", x));
}

void TstFilterGrid::kopfklickNahAmRand_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("sortiert");
    QTest::newRow("linker Rand") << 0 << false;
    QTest::newRow("2 Pixel vom linken Rand") << 2 << false;
    QTest::newRow("3 Pixel vom linken Rand") << 3 << true;
    QTest::newRow("Mitte") << 60 << true;
    QTest::newRow("4 Pixel vom rechten Rand") << 116 << true;
    QTest::newRow("3 Pixel vom rechten Rand") << 117 << false;
    QTest::newRow("rechter Rand") << 119 << false;
}

void TstFilterGrid::kopfklickNahAmRand() {
    QFETCH(int, x);
    QFETCH(bool, sortiert);
    Tabelle t({"Nr.", "Gericht"}, "I ", {{"1", "Zwiebelsuppe"}, {"2", "Apfelkuchen"}});
    t.klickKopf(1, x);
    QCOMPARE(t.spalte(1), sortiert ? QStringList({"Apfelkuchen", "Zwiebelsuppe"})
                                   : QStringList({"Zwiebelsuppe", "Apfelkuchen"}));
    QCOMPARE(t.grid.SortFdLst().size(), sortiert ? 1 : 0);
}

void TstFilterGrid::kopfklickFolgen() {
    Tabelle t({"Nr.", "Gericht"}, "I ", {{"2", "Birne"}, {"3", "Apfel"}, {"1", "Chili"}});
    const QStringList auf{"Apfel", "Birne", "Chili"}, ab{"Chili", "Birne", "Apfel"};
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), auf);
    QCOMPARE(t.grid.SortFdLst().first().Dir, sdAufsteigend);
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), ab);
    QCOMPARE(t.grid.SortFdLst().first().Dir, sdAbsteigend);
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), auf);

    // A, B, A: each an ascending sort.
    t.klickKopf(0);
    QCOMPARE(t.spalte(0), QStringList({"1", "2", "3"}));
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), auf);
    t.klickKopf(0);
    QCOMPARE(t.spalte(0), QStringList({"1", "2", "3"}));
    QCOMPARE(t.grid.SortFdLst().first().Dir, sdAufsteigend);
    QCOMPARE(t.grid.MousSortCol(), 0);
}

void TstFilterGrid::sortiertNachTyp_data() {
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QStringList>("zellen");
    QTest::addColumn<QStringList>("aufsteigend");
    QTest::newRow("Text deutsch, Gross und klein")
        << " "
        << QStringList{"Zwiebelkuchen",
                       "Öl-Dip",
                       "apfelmus",
                       "Nudeln10",
                       "Äpfel im Schlafrock",
                       "Birnen",
                       "Ochsenschwanz",
                       "12 Eier",
                       " Zucker",
                       "Nudeln 2",
                       "Öl",
                       "Nudeln"}
        << QStringList{"12 Eier",  "Äpfel im Schlafrock", "apfelmus", "Birnen", "Nudeln",  "Nudeln 2",
                       "Nudeln10", "Ochsenschwanz",       "Öl",       "Öl-Dip", " Zucker", "Zwiebelkuchen"};
    QTest::newRow("Text mit Zeichen ausserhalb der Tabelle")
        << " " << QStringList{"Zimt 2 €", "Öl 1 €", "anis €", "Äpfel €", "Zimt 10 €"}
        << QStringList{"anis €", "Äpfel €", "Öl 1 €", "Zimt 10 €", "Zimt 2 €"};
    QTest::newRow("Betraege") << "C" << QStringList{"12,00 €", "  5,50 €", "", "100,00 €", "-1,00 €"}
                              << QStringList{"-1,00 €", "", "  5,50 €", "12,00 €", "100,00 €"};
    QTest::newRow("ganze Zahlen") << "I" << QStringList{"10", "9", "-1", "", "0", "  45 Min"}
                                  << QStringList{"-1", "", "0", "9", "10", "  45 Min"};
    QTest::newRow("Datum") << "D" << QStringList{"01.02.2024", "", "31.12.1999", "kein Datum", "15.01.2024"}
                           << QStringList{"", "31.12.1999", "15.01.2024", "01.02.2024", "kein Datum"};
    QTest::newRow("Markierung") << "M" << QStringList{"", "\t", "x", "\t"}
                                << QStringList{"\t", "\t", "", "x"};
}

void TstFilterGrid::sortiertNachTyp() {
    QFETCH(QString, typ);
    QFETCH(QStringList, zellen);
    QFETCH(QStringList, aufsteigend);
    QList<QStringList> zeilen;
    for (int i = 0; i < zellen.size(); ++i)
        zeilen << QStringList{QString::number(i + 1), zellen[i]};
    Tabelle t({"Nr.", "Wert"}, "I" + typ, zeilen);
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), aufsteigend);
    // The row number travels with its cell.
    for (int r = 1; r < t.grid.RowCount(); ++r)
        QCOMPARE(t.grid.Cells(1, r), zellen[t.grid.Cells(0, r).toInt() - 1]);
    t.klickKopf(1);
    QStringList ab = aufsteigend;
    std::reverse(ab.begin(), ab.end());
    QCOMPARE(t.spalte(1), ab);
}

void TstFilterGrid::schluessel_data() {
    QTest::addColumn<QString>("typ");
    QTest::addColumn<QString>("zelle");
    QTest::addColumn<QString>("schluessel");
    QTest::newRow("5,5") << "F"
                         << "5,5"
                         << "0000000005,5000";
    QTest::newRow("Null") << "I"
                          << "0"
                          << "0000000000,0000";
    QTest::newRow("leer") << "C"
                          << ""
                          << "0000000000,0000";
    QTest::newRow("-2") << "I"
                        << "-2"
                        << " 999999998,0000";
    QTest::newRow("Text") << " "
                          << "  Nudeln "
                          << "Nudeln         ";
    QTest::newRow("langer Text") << " "
                                 << "Spaghetti Bolognese"
                                 << "Spaghetti Bolognese";
    QTest::newRow("Datum leer") << "D"
                                << ""
                                << "00000000000000";
    QTest::newRow("Datum und Zeit") << "d"
                                    << "24.12.2024 18:30:05"
                                    << "20241224183005";
    QTest::newRow("Zeit") << "T"
                          << "07:45"
                          << "18991230074500";
    QTest::newRow("kein Datum") << "D"
                                << " gestern "
                                << "gestern";
    QTest::newRow("Markierung") << "M"
                                << "\t"
                                << "J              ";
}

void TstFilterGrid::schluessel() {
    QFETCH(QString, typ);
    QFETCH(QString, zelle);
    QFETCH(QString, schluessel);
    Gitter g;
    g.setColCount(1);
    g.setRowCount(2);
    g.ColInfoC(0).Typ = typ.at(0);
    g.setCells(0, 1, zelle);
    TSortDat f;
    f.Col = 0;
    f.Typ = typ.at(0);
    QCOMPARE(g.FormSortStr(f, 1), schluessel);
}

void TstFilterGrid::gleicheSchluesselStabil() {
    Tabelle t({"Nr.", "Gericht"}, "I ",
              {{"1", "nudeln"}, {"2", "Kartoffeln"}, {"3", "Nudeln"}, {"4", "NUDELN"}});
    t.klickKopf(1);
    QCOMPARE(t.spalte(0), QStringList({"2", "1", "3", "4"}));
    t.klickKopf(1);
    QCOMPARE(t.spalte(0), QStringList({"4", "3", "1", "2"}));
}

void TstFilterGrid::aktuelleZeileFolgtDaten() {
    Tabelle t({"Nr.", "Gericht"}, "I ", {{"1", "Zander"}, {"2", "Brot"}, {"3", "Möhren"}});
    QSignalSpy klicks(&t.grid, &TFilterGrid::Click);
    t.grid.setRow(1);
    QCOMPARE(t.grid.Cells(1, t.grid.Row()), QString("Zander"));
    klicks.clear();
    t.klickKopf(1);
    QCOMPARE(t.grid.Row(), 3);
    QCOMPARE(t.grid.Cells(1, t.grid.Row()), QString("Zander"));
    QVERIFY(t.grid.ChangeMode());
    QCOMPARE(klicks.size(), 1);

    t.grid.setSortNewFocus(false);
    t.klickKopf(0);
    QCOMPARE(t.grid.Row(), 3);
    QCOMPARE(t.grid.Cells(1, 3), QString("Möhren"));

    // With the current row on the heading no data row becomes current.
    t.grid.setSortNewFocus(true);
    t.grid.setRow(0);
    t.klickKopf(1);
    QCOMPARE(t.grid.Row(), 0);
    QVERIFY(!t.grid.currentIndex().isValid());

    // A click on a data cell makes its row current and never scrolls sideways.
    t.grid.resize(200, 200);
    QCoreApplication::processEvents();
    const QRect zelle = t.grid.visualRect(t.grid.model()->index(1, 1));
    QTest::mouseClick(t.grid.viewport(), Qt::LeftButton, {}, zelle.center());
    QCOMPARE(t.grid.Row(), 2);
    QCOMPARE(t.grid.LeftCol(), 0);
}

void TstFilterGrid::nurLeereZeile() {
    Tabelle t({"Nr.", "Gericht"}, "I ", {{"", ""}});
    t.klickKopf(1);
    t.klickKopf(0);
    QCOMPARE(t.grid.RowCount(), 2);
    QCOMPARE(t.grid.Rows(1), QStringList({"", ""}));
    QCOMPARE(t.grid.Cells(1, 0), QString("Gericht"));
}

void TstFilterGrid::zweizeiligeZellenBleiben() {
    Tabelle t({"Nr.", "Zutaten"}, "I ", {{"1", "Zucker\r\nMehl"}, {"2", "Butter\r\nEier"}, {"3", "Brot"}});
    t.grid.ColInfoC(1).DatAlign = TextFlag::WordBreak;
    const int vorher = t.grid.RowHeights(1);
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), QStringList({"Brot", "Butter\r\nEier", "Zucker\r\nMehl"}));
    // Painting a two-line cell makes its row tall enough for both lines.
    bild(t.grid);
    QCoreApplication::processEvents();
    const int zweiZeilen = 2 * QFontMetrics(t.grid.font()).lineSpacing();
    QVERIFY2(t.grid.RowHeights(2) >= zweiZeilen, qPrintable(QString::number(t.grid.RowHeights(2))));
    QCOMPARE(t.grid.RowHeights(1), vorher);
    QVERIFY(t.grid.IsWordBreakInColInfo(1));
    QVERIFY(t.grid.ColClearEt(-1));
    QCOMPARE(t.grid.Cells(1, 2), QString("Butter¯Eier"));
    QVERIFY(t.grid.ColInsertEt(1));
    QCOMPARE(t.grid.Cells(1, 2), QString("Butter\r\nEier"));
}

void TstFilterGrid::spaltenMerkmaleLesenUndSchreiben() {
    const QString spalte = "«37««-16777201«0« «0«36««-16777211";
    QString gespeichert = "6";
    for (int i = 0; i < 6; ++i)
        gespeichert += "¯" + spalte;
    gespeichert += "¯";
    Gitter g;
    g.setColCount(2);
    g.setRowCount(3);
    g.setCells(0, 1, "Kartoffelsuppe mit Würstchen");
    g.setColFeatures(gespeichert);
    QCOMPARE(g.ColCount(), 6);
    for (int c = 0; c < 6; ++c) {
        const TColInfo* ci = g.ColInfo(c);
        QVERIFY(ci);
        QCOMPARE(ci->TitAlign, TextFlag::Mitte);
        QCOMPARE(ci->TitColor, 0xFF00000Fu);
        QCOMPARE(ci->DatAlign, TextFlag::Links);
        QCOMPARE(ci->DatColor, 0xFF000005u);
        QCOMPARE(ci->Width, 0);
        QCOMPARE(ci->Typ, QChar(' '));
        QVERIFY(!ci->TitFont && !ci->DatFont);
    }
    QVERIFY(g.SortierCols().isEmpty());
    QVERIFY(g.ColWidths(0) > g.ColWidths(1)); // computed from the content
    QCOMPARE(g.ColFeatures(), gespeichert);

    // Every field set, colour names and fonts included, written and read back.
    Gitter a;
    a.setColCount(3);
    TColInfo& ci = a.ColInfoC(0);
    ci.Titel = "Kosten";
    ci.TitAlign = 37;
    ci.TitFont = TFont{QFont("Tahoma", 11), 255};
    ci.TitFont->font.setBold(true);
    ci.TitColor = 0x00C0FFEE;
    ci.Width = 80;
    ci.Typ = 'C';
    ci.Dez = 2;
    ci.DatAlign = 38 | TextFlag::WordBreak;
    ci.DatFont = TFont{QFont("Verdana", 9), 0xFF000008};
    ci.DatFont->font.setItalic(true);
    ci.DatColor = 0x00FFFFFF;
    a.ColInfoC(2).Titel = "Nr.";
    a.setSortierCols("Kosten;Nr.");
    const QString text = a.ColFeatures();
    QCOMPARE(text.section("¯", 1, 1),
             QString("Kosten«37«Tahoma*11*255*B*«12648430«80«C«2«54«Verdana*9*-16777208*I*«16777215"));
    QCOMPARE(text.section("¯", 2, 2), QString());
    QCOMPARE(text.section("¯", 4, 4), QString("Kosten;Nr."));
    Gitter b;
    b.setColFeatures(text);
    QCOMPARE(b.ColFeatures(), text);
    QCOMPARE(b.Cells(0, 0), QString("Kosten"));
    QCOMPARE(b.ColWidths(0), 80);
    QVERIFY(!b.ColInfo(1));

    Gitter n;
    n.ColInfoC(0).SetText("««BogusFont*x*«clBtnFace««««««clHighlight");
    QCOMPARE(n.ColInfo(0)->TitColor, 0xFF00000Fu);
    QCOMPARE(n.ColInfo(0)->DatColor, 0xFF00000Du);
    const QString alt = n.ColFeatures();
    n.setColFeatures("0¯x");
    n.setColFeatures("abc");
    QCOMPARE(n.ColFeatures(), alt);

    g.setRowCount(5);
    g.setFixedColsText(" ; ; ; ; ;");
    QCOMPARE(g.FixedColsText(), QString(" ; ; ; ; "));
}

// Setting up a column in one call keeps what it does not set, and the type it sets drives the sort.
void TstFilterGrid::spaltenEinrichten() {
    Tabelle t({"Gericht", "Kosten"}, "  ",
              {{"Nudeln", "12,00 €"}, {"Suppe", "5,50 €"}, {"Brot", "100,00 €"}});
    QVERIFY(!t.grid.ColInfo(2));
    NewColFeatures(t.grid, 1, TextFlag::Mitte, TextFlag::Rechts, 0x00FFFFFF, 0x000000FF, 0x00804000,
                   0x00FFFFFE, 11, 0, QString(), "Tahoma");
    const TColInfo& ci = *t.grid.ColInfo(1);
    QCOMPARE(ci.Titel, QString("Kosten"));
    QCOMPARE(ci.Width, 120);
    QCOMPARE(ci.TitAlign, TextFlag::Mitte);
    QCOMPARE(ci.DatAlign, TextFlag::Rechts);
    QCOMPARE(ci.DatColor, 0x00FFFFFFu);
    QCOMPARE(ci.TitColor, 0x00804000u);
    QVERIFY(ci.DatFont && ci.TitFont);
    QCOMPARE(ci.DatFont->font.family(), QString("Arial")); // no name given
    QCOMPARE(ci.DatFont->font.pointSize(), 11);
    QCOMPARE(ci.DatFont->Color, 0x000000FFu);
    QCOMPARE(ci.TitFont->font.family(), QString("Tahoma"));
    QCOMPARE(ci.TitFont->font.pointSize(), QFont("Tahoma").pointSize()); // size 0: the default size
    QCOMPARE(ci.TitFont->Color, 0x00FFFFFEu);

    // The amounts sort as text before the column is typed, by value after.
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), QStringList({"100,00 €", "12,00 €", "5,50 €"}));
    NewColFeatures1(t.grid, 1, 'C', TextFlag::Links);
    QCOMPARE(ci.DatAlign, TextFlag::Links);
    QCOMPARE(ci.DatFont->font.family(), QString("Arial"));
    t.klickKopf(0);
    t.klickKopf(1);
    QCOMPARE(t.spalte(1), QStringList({"5,50 €", "12,00 €", "100,00 €"}));

    // A column beyond the last gets its features and the table grows to it.
    NewColFeatures1(t.grid, 3, 'I', TextFlag::Rechts);
    QCOMPARE(t.grid.ColCount(), 4);
    QCOMPARE(t.grid.ColInfo(3)->Typ, QChar('I'));
    QCOMPARE(t.grid.ColInfo(3)->Width, t.grid.DefaultColWidth());
}

void TstFilterGrid::spaltenbreitenMitStretch() {
    Gitter g;
    g.setColCount(4);
    g.setRowCount(3);
    g.setCells(0, 0, "Gericht");
    g.setCells(0, 1, "Nudeln");
    g.setCells(1, 1, "4");
    g.setCells(2, 1, "5,50 €");
    g.setColWidths(3, 50);
    g.ColInfoC(3).Width = 50; // a fixed width is not computed
    for (int c = 0; c < 3; ++c)
        g.ColInfoC(c).Width = 0;
    const int ohne = g.ColSetMaxWidths(true, false, false);
    const int w0 = g.ColWidths(0), w1 = g.ColWidths(1), w2 = g.ColWidths(2);
    QCOMPARE(ohne, w0 + w1 + w2 + 50);
    const QFontMetrics fm(g.font());
    QCOMPARE(w0, fm.horizontalAdvance("Gericht "));
    QCOMPARE(w2, fm.horizontalAdvance("5,50 € "));
    g.resize(ohne + 8 + 300, 300); // reserve of 8 without a vertical scroll bar
    QCOMPARE(g.ColSetMaxWidths(true, false, true), ohne + 300);
    QCOMPARE(g.ColWidths(0), w0 + 100);
    QCOMPARE(g.ColWidths(1), w1 + 100);
    QCOMPARE(g.ColWidths(2), w2 + 100);
    QCOMPARE(g.ColWidths(3), 50);
    g.resize(ohne + 8 + 2, 300); // fewer spare pixels than computed columns
    QCOMPARE(g.ColSetMaxWidths(true, false, true), ohne);
    QCOMPARE(g.ColWidths(0), w0);

    // Word-break columns measure the widest word.
    g.ColInfoC(0).DatAlign = TextFlag::WordBreak;
    g.setCells(0, 1, "Zwiebel\r\nKnoblauchzehe");
    g.ColInfoC(0).TitAlign = TextFlag::WordBreak;
    g.ColSetMaxWidths(true, false, false);
    QVERIFY(g.ColWidths(0) >= fm.horizontalAdvance("Knoblauchzehe"));
    QVERIFY(g.ColWidths(0) < fm.horizontalAdvance("Zwiebel Knoblauchzehe"));
}

void TstFilterGrid::zeichnetTabulatorLeerUndKaufmannsUnd() {
    Tabelle t({"Salz & Pfeffer", "B"}, "  ", {{"\t", "x"}, {"", "y"}});
    t.grid.setSelectRowColor(0x00FFFFFF);
    t.grid.setColor(0x00FFFFFF);
    t.grid.ColInfoC(0).DatColor = 0x00FFFFFF;
    t.grid.setRow(2);
    const QImage b = bild(t.grid);
    const QRect tab = t.grid.CellRect(0, 1);
    bool alleWeiss = true;
    for (int y = tab.top(); y <= tab.bottom(); ++y)
        for (int x = tab.left(); x <= tab.right(); ++x)
            alleWeiss = alleWeiss && b.pixelColor(x, y) == Qt::white;
    QVERIFY2(alleWeiss, "a cell holding a tab is drawn blank");
    // The heading shows "&" itself: the drawn text is as wide as the full text.
    QImage kopf(300, 30, QImage::Format_RGB32);
    kopf.fill(Qt::white);
    QPainter p(&kopf);
    t.grid.DrawCell(0, 0, QRect(0, 0, 300, 30), gdFixed, p);
    p.end();
    int rechts = 0;
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 30; ++y)
            if (qGray(kopf.pixel(x, y)) < 100) rechts = x;
    const QFontMetrics fm(t.grid.font());
    QVERIFY2(rechts > fm.horizontalAdvance(" Salz & Pfeffe"), qPrintable(QString::number(rechts)));
}

void TstFilterGrid::sortSymbolVerbreitertKopf() {
    Tabelle t({"Zubereitungszeit", "B"}, "I ", {{"20", ""}, {"5", ""}});
    t.grid.setColWidths(0, 30);
    t.klickKopf(0);
    QCOMPARE(t.spalte(0), QStringList({"5", "20"}));
    bild(t.grid);
    QCoreApplication::processEvents();
    const int breit = QFontMetrics(t.grid.font()).horizontalAdvance(" Zubereitungszeit   ");
    QCOMPARE(t.grid.ColWidths(0), breit);
    // Once wide enough it stays; the triangle sits at the right edge in the heading's text colour.
    const QImage b = bild(t.grid);
    QCoreApplication::processEvents();
    QCOMPARE(t.grid.ColWidths(0), breit);
    const QRect kopf = t.grid.CellRect(0, 0);
    const int h = t.grid.RowHeights(0) / 4;
    const int x = kopf.left() + kopf.width() - 1 - 2; // the cell ends before the grid line
    QCOMPARE(b.pixelColor(x - h / 2, kopf.top() + 2), pfl::alsFarbe(t.grid.FontColor()));
    int tinte = 0; // the base line of the upward triangle, ending at the right edge
    for (int i = x - h; i <= x; ++i)
        tinte += b.pixelColor(i, kopf.top() + 2 + h) == pfl::alsFarbe(t.grid.FontColor());
    QVERIFY(tinte >= h - 1);
    QCOMPARE(b.pixelColor(x - 1, kopf.top() + 2 + h), pfl::alsFarbe(t.grid.FontColor()));
    QCOMPARE(b.pixelColor(x - h / 2, kopf.top() + 2 + h / 2), pfl::alsFarbe(t.grid.ColInfo(0)->TitColor));
}

void TstFilterGrid::zeilenFarbHaken() {
    Tabelle t({"A", "B"}, "  ", {{"eins", "zwei"}});
    QList<QPair<int, int>> gerufen;
    t.grid.RowColorProc = [&](TFilterGrid&, int& ausr, QPainter& can, int c, int r, TGridDrawState) {
        gerufen.append({c, r});
        if (r == 1) {
            can.setBrush(QColor(0, 128, 0));
            ausr = TextFlag::Rechts;
        }
    };
    t.grid.setRow(0);
    const QImage b = bild(t.grid);
    QVERIFY(gerufen.contains(qMakePair(1, 0)));
    QVERIFY(gerufen.contains(qMakePair(1, 1)));
    const QRect z = t.grid.CellRect(1, 1);
    QCOMPARE(b.pixelColor(z.left() + 2, z.top() + 2), QColor(0, 128, 0));
}

void TstFilterGrid::zugaenglichkeitSiehtZellen() {
    Tabelle t({"Gericht", "Kosten"}, " C", {{"Nudeln", "5,50 €"}});
    const QAbstractItemModel* m = t.grid.model();
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QString("Gericht"));
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(m->data(m->index(0, 1)).toString(), QString("5,50 €"));
    QCOMPARE(t.grid.horizontalHeader()->height(), t.grid.RowHeights(0));
}

void TstFilterGrid::zeilenquelleWieGehalteneZeilen_data() {
    QTest::addColumn<QList<int>>("klicks"); // heading clicks, in turn
    QTest::addColumn<bool>("schreiben");    // a cell is written before the clicks
    QTest::newRow("ungeordnet") << QList<int>{} << false;
    QTest::newRow("Text auf, ab") << QList<int>{1, 1} << false;
    QTest::newRow("Betrag, dann Zahl") << QList<int>{2, 3} << false;
    QTest::newRow("Datum, Nr.") << QList<int>{4, 0} << false;
    QTest::newRow("geschriebene Zelle wandert mit") << QList<int>{1, 2, 1} << true;
}

// A table whose rows come from a source shows, sorts, measures and reads exactly what the same
// table holding the texts does.
void TstFilterGrid::zeilenquelleWieGehalteneZeilen() {
    QFETCH(QList<int>, klicks);
    QFETCH(bool, schreiben);
    QRandomGenerator rnd(11);
    const QStringList namen = {"Öl-Dip",        "apfelmus", "Äpfel",   "Birnen",
                               "Zwiebelkuchen", "Nudeln 2", "Nudeln10"};
    auto quelle = std::make_shared<Texte>();
    for (int i = 0; i < 40; ++i)
        quelle->zeilen << QStringList{
            QString::number(i + 1).rightJustified(5), namen[rnd.bounded(int(namen.size()))].leftJustified(30),
            pfl::waehrungText(rnd.bounded(5000) / 100.0), QString::number(rnd.bounded(200)) + " Min",
            QStringLiteral("%1.%2.20%3")
                .arg(1 + rnd.bounded(28), 2, 10, QLatin1Char('0'))
                .arg(1 + rnd.bounded(12), 2, 10, QLatin1Char('0'))
                .arg(10 + rnd.bounded(15))};
    const QStringList titel = {"Nr.", "Name", "Kosten", "Zeit", "Erfasst"};
    Tabelle gehalten(titel, "I CID", quelle->zeilen);
    Tabelle mitQuelle(titel, "I CID", {});
    mitQuelle.grid.setZeilenquelle(quelle);
    QCOMPARE(mitQuelle.grid.RowCount(), gehalten.grid.RowCount());
    if (schreiben)
        for (Tabelle* t : {&gehalten, &mitQuelle})
            t->grid.setCells(1, 7, "geschrieben");
    for (int k : klicks) {
        gehalten.klickKopf(k);
        mitQuelle.klickKopf(k);
    }
    const QAbstractItemModel* a = gehalten.grid.model();
    const QAbstractItemModel* b = mitQuelle.grid.model();
    for (int r = 0; r < gehalten.grid.RowCount(); ++r) {
        QCOMPARE(mitQuelle.grid.Rows(r), gehalten.grid.Rows(r));
        if (r > 0)
            for (int c = 0; c < titel.size(); ++c)
                QCOMPARE(b->data(b->index(r - 1, c), Qt::AccessibleTextRole),
                         a->data(a->index(r - 1, c), Qt::AccessibleTextRole));
    }
    QCOMPARE(mitQuelle.grid.Row(), gehalten.grid.Row());
    QCOMPARE(mitQuelle.grid.ColSetMaxWidths(false, false, false),
             gehalten.grid.ColSetMaxWidths(false, false, false));
    // A new row count turns the source rows into held texts: nothing shown changes.
    for (Tabelle* t : {&gehalten, &mitQuelle})
        t->grid.setRowCount(t->grid.RowCount() + 1);
    for (int r = 0; r < gehalten.grid.RowCount(); ++r)
        QCOMPARE(mitQuelle.grid.Rows(r), gehalten.grid.Rows(r));
    // An empty source leaves the one empty data row.
    mitQuelle.grid.setZeilenquelle(std::make_shared<Texte>());
    QCOMPARE(mitQuelle.grid.RowCount(), 2);
    QCOMPARE(mitQuelle.grid.Rows(1), QStringList(titel.size(), QString()));
}

void TstFilterGrid::langeSpalteAusgemessen_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<QString>("breitester");
    QTest::newRow("vorn") << 100 << "Apfelstrudel mit Vanillesoße";
    QTest::newRow("hinten") << 5900 << "Apfelstrudel mit Vanillesoße";
    QTest::newRow("hinten, Zeichen über 0xFF aus Windows-1252") << 5900 << "Apfelstrudel „Wiener Art“ – 5 €";
    QTest::newRow("hinten, Zeichen außerhalb Windows-1252") << 5900 << "Apfelstrudel ☃☃☃☃☃☃☃☃☃☃";
    QTest::newRow("letzte Zeile") << 5999 << "Apfelstrudel mit Vanillesoße";
}

// A long column is measured as widely as its widest text, wherever that stands and whatever
// characters it has: as a short column holding the same widest text is.
void TstFilterGrid::langeSpalteAusgemessen() {
    QFETCH(int, zeile);
    QFETCH(QString, breitester);
    QRandomGenerator rnd(5);
    const QStringList namen = {"Linsensuppe", "Gulasch", "Öl-Fondue", "Spätzle", "Rote Grütze"};
    auto quelle = std::make_shared<Texte>();
    for (int i = 0; i < 6000; ++i)
        quelle->zeilen << QStringList{QString::number(i + 1), namen[rnd.bounded(int(namen.size()))]};
    quelle->zeilen[zeile][1] = breitester;
    const QStringList titel = {"Nr.", "Name"};
    Tabelle lang(titel, "IC", {});
    lang.grid.setZeilenquelle(quelle);
    QList<QStringList> wenige = quelle->zeilen.first(20);
    wenige << quelle->zeilen[zeile];
    Tabelle kurz(titel, "IC", wenige);
    lang.grid.ColSetMaxWidths(false, false, false);
    kurz.grid.ColSetMaxWidths(false, false, false);
    QCOMPARE(lang.grid.ColWidths(1), kurz.grid.ColWidths(1));
    QVERIFY(lang.grid.ColWidths(1) >= lang.grid.fontMetrics().horizontalAdvance(breitester));
}

void TstFilterGrid::verlaufImKopf() {
    Tabelle t({"Gericht", "Pers./Port.", "Kosten", "Zubereitungszeit", "Kochzeit", "Kalorien"}, " ICIII",
              {{"Nudelauflauf", "4", "5,50 €", "20 Min", "35 Min", "650 "},
               {"Älplermagronen", "2", "7,20 €", "15 Min", "25 Min", "800 "},
               {"Zwiebelkuchen", "6", "12,00 €", "40 Min", "45 Min", "420 "},
               {"apfelstrudel", "8", "3,90 €", "60 Min", "40 Min", "310 "}});
    t.grid.resize(720, 200);
    t.grid.setColor(0x00E0F0FF);
    t.grid.setSelectRowColor(0x00A06020);
    for (int c = 0; c < 6; ++c) {
        TColInfo& ci = t.grid.ColInfoC(c);
        ci.Width = 0;
        ci.TitAlign = TextFlag::Mitte;
        ci.TitColor = 0x00804000;
        ci.TitFont = TFont{t.grid.font(), 0x00FFFFFF};
        ci.TitFont->font.setBold(true);
        ci.DatAlign = c == 0 ? TextFlag::Links : c < 3 ? TextFlag::Mitte : TextFlag::Rechts;
        ci.DatColor = 0x00E0F0FF;
    }
    t.grid.ColInfo_Set(-1);
    t.grid.setRow(2);
    t.klickKopf(0);
    bild(t.grid);
    bildschirmfoto(bild(t.grid), QStringLiteral("grid_flat"));
    t.grid.setGradientStartColor(0x00804000);
    t.grid.setGradientEndColor(0x00F0C080);
    t.grid.setDrawingStyle(TGridDrawingStyle::gdsGradient);
    t.grid.SetGradientToAllCells(true);
    const QImage g = bild(t.grid);
    bildschirmfoto(g, QStringLiteral("grid_gradient"));
    // The heading runs from the start colour at the top towards the end colour at the bottom.
    const QRect k = t.grid.CellRect(1, 0);
    QVERIFY(g.pixelColor(k.left() + 1, k.top()).blue() < g.pixelColor(k.left() + 1, k.bottom() - 2).blue());
}

void TstFilterGrid::farbenAusDemSchema_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<bool>("endeBehalten");
    // background, text, heading (also the gradient's start), gradient end
    QTest::addColumn<QList<quint32>>("farben");
    QTest::addColumn<bool>("verlauf");    // gradient headings
    QTest::addColumn<bool>("alleZellen"); // the gradient in every cell
    QTest::newRow("Übersicht") << int(pfl::Tabellenart::Uebersicht) << false << QList<quint32>{1, 2, 3, 8}
                               << true << false;
    QTest::newRow("Liste") << int(pfl::Tabellenart::Liste) << false << QList<quint32>{5, 6, 7, 9} << false
                           << true;
    QTest::newRow("Liste, eigenes Verlaufsende")
        << int(pfl::Tabellenart::Liste) << true << QList<quint32>{5, 6, 7, 0x123456} << false << true;
}

// Each kind of table takes its own set of the scheme's colours, every one of them a different value.
void TstFilterGrid::farbenAusDemSchema() {
    QFETCH(int, art);
    QFETCH(bool, endeBehalten);
    QFETCH(QList<quint32>, farben);
    QFETCH(bool, verlauf);
    QFETCH(bool, alleZellen);
    Tcolor1 c{};
    c.D_bs_pan = 1;
    c.D_bs_pan_font = 2;
    c.D_bs_ueb = 3;
    c.String_box_mark_Row = 4;
    c.String_box = 5;
    c.String_box_font = 6;
    c.String_box_ueb = 7;
    c.end_gradient = 8;
    c.end_gradient1 = 9;
    c.D_bs_ueb_font = 10;
    c.String_box_ueb_Font = 11;
    c.String_box_mark_Row_font = 12;
    c.draw_style = 1;
    c.cell_style = 0;
    c.draw_style1 = 0;
    c.cell_style1 = 1;
    TFilterGrid g;
    g.setGradientEndColor(0x123456);
    pfl::tabelleFaerben(g, c, pfl::Tabellenart(art),
                        endeBehalten ? pfl::Endfarbe::Behalten : pfl::Endfarbe::Setzen);
    QCOMPARE(QList<quint32>({g.Color(), g.FontColor(), g.FixedColor(), g.GradientEndColor()}), farben);
    QCOMPARE(g.GradientStartColor(), g.FixedColor());
    QCOMPARE(g.SelectRowColor(), quint32(4));
    QCOMPARE(g.DrawingStyle(), verlauf ? TGridDrawingStyle::gdsGradient : TGridDrawingStyle::gdsClassic);
    QCOMPARE(g.GradientToAllCells(), alleZellen);
}

QTEST_MAIN(TstFilterGrid)
#include "tst_filtergrid.moc"
