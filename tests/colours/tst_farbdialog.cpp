// SPDX-License-Identifier: GPL-3.0-or-later
// The colour dialog and the background picture window, used as a user would.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "appearance/Styles.h"
#include "colours/Farbdialog.h"
#include "colours/Hintergrundbild.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Farbknopf.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(qint32 Tcolor1::*)

namespace {
using Programm = pfl::test::LaufendesProgramm;

qint32 zahlBei(const QByteArray& b, int offset) {
    return qFromLittleEndian<qint32>(b.constData() + offset);
}
QByteArray kurztextBei(const QByteArray& b, int offset) {
    return b.mid(offset + 1, quint8(b.at(offset)));
}

TFarbe* farbdialogOeffnen(Programm& p) {
    p.finde<QAction>(QStringLiteral("Farbenndern1"))->trigger();
    auto* w = p.finde<TFarbe>(QStringLiteral("Farbe"));
    if (w && !w->isVisible()) qWarning("colour dialog not shown");
    return w;
}

void waehle(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    QVERIFY2(!t.isEmpty(), qPrintable(text));
    l->scrollToItem(t.first());
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(t.first()).center());
}

// The colour in the cell that lies farthest from its background colour (the core of the text).
QColor schriftIn(const QImage& bild, const QRect& zelle, QColor grund) {
    QColor weitest = grund;
    int abstand = -1;
    for (int y = zelle.top() + 2; y < zelle.bottom() - 1; ++y)
        for (int x = zelle.left() + 2; x < zelle.right() - 1; ++x) {
            const QColor c = bild.pixelColor(x, y);
            const int d =
                qAbs(c.red() - grund.red()) + qAbs(c.green() - grund.green()) + qAbs(c.blue() - grund.blue());
            if (d > abstand) {
                abstand = d;
                weitest = c;
            }
        }
    return weitest;
}
bool aehnlich(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) <= 24 && qAbs(a.green() - b.green()) <= 24 &&
           qAbs(a.blue() - b.blue()) <= 24;
}

// A plain bitmap of one colour in the data folder's Hintergrund/.
bool bitmap(Testordner& d, const QString& name, QColor farbe) {
    QDir(d.pfad()).mkpath(QStringLiteral("Hintergrund"));
    QImage bild(8, 6, QImage::Format_RGB32);
    bild.fill(farbe);
    return bild.save(d.datei(QStringLiteral("Hintergrund/") + name), "BMP");
}
} // namespace

class TestFarbdialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void farbknopf_data();
    void farbknopf();
    void abgebrochenBleibtFarbe();
    void beendenSpeichertNicht();
    void eigeneFarben();
    void grundeinstellung_data();
    void grundeinstellung();
    void dreiD();
    void schrift_data();
    void schrift();
    void style_data();
    void style();
    void hintergrundBild();
    void hintergrundFarbe();
    void bildnamen_data();
    void bildnamen();
    void speichernOhneDatei();
    void offeneFensterUmfaerben();
    void fremderBildname();
    void schreibfehler_data();
    void schreibfehler();
    void datenbereichPanel_data();
    void datenbereichPanel();
    void markierteSchrift_data();
    void markierteSchrift();
    void kontrastHinweis_data();
    void kontrastHinweis();
    void endfarbeLesbar_data();
    void endfarbeLesbar();
    void gewaehlteFarbenImHauptfenster_data();
    void gewaehlteFarbenImHauptfenster();
    void bildfensterDichte_data();
    void bildfensterDichte();
};

void TestFarbdialog::farbknopf_data() {
    QTest::addColumn<QString>("seite");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("offset");
    const QString haupt = QStringLiteral("RadioButton1");
    const QString listen = QStringLiteral("RadioButton3");
    QTest::newRow("Überschrift Schrift") << haupt << "BitBtn1" << 16;
    QTest::newRow("Überschrift Hintergrund") << haupt << "BitBtn2" << 12;
    QTest::newRow("Daten Schrift") << haupt << "BitBtn3" << 24;
    QTest::newRow("Daten Hintergrund") << haupt << "BitBtn4" << 20;
    QTest::newRow("Titel Pfanno-Lux") << haupt << "BitBtn5" << 36;
    QTest::newRow("Endfarbe Hauptbildschirm") << haupt << "ColorButton1" << 1908;
    QTest::newRow("Listen Datenbereich") << listen << "BitBtn9" << 68;
    QTest::newRow("Listen Überschrift") << listen << "BitBtn10" << 72;
    QTest::newRow("Listen Überschrift Schrift") << listen << "BitBtn11" << 80;
    QTest::newRow("Listen Datenfelder Schrift") << listen << "BitBtn12" << 76;
    QTest::newRow("markierte Zeile") << listen << "BitBtn13" << 60;
    QTest::newRow("markierte Zeile Schrift") << listen << "BitBtn14" << 64;
    QTest::newRow("Endfarbe Listen") << listen << "ColorButton2" << 1912;
}

void TestFarbdialog::farbknopf() {
    QFETCH(QString, seite);
    QFETCH(QString, knopf);
    QFETCH(int, offset);
    Programm p;
    const QByteArray vorher = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(vorher.size(), 1976);
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QRadioButton>(w, seite)->click();
    QPushButton* b = p.in<QPushButton>(w, knopf);
    QVERIFY(b->isVisible());
    const quint32 neu = 0x00123456;
    p.plattform.farben.enqueue(neu);
    b->click();
    QCOMPARE(p.plattform.farben.size(), 0);
    pfl::test::bildSpeichern(w, knopf);
    // In memory at once, in the file only after "Speichern >>".
    QCOMPARE(p.dir.lies(QStringLiteral("farben.frb")), vorher);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!w->isVisible());
    const QByteArray nachher = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(zahlBei(nachher, offset), qint32(neu));
    // Nothing else of the record moved but the main window's font sizes, which opening took from
    // the screen's class (k1280: heading 11, data 9).
    QByteArray erwartet = vorher;
    erwartet.replace(offset, 4, nachher.mid(offset, 4));
    QCOMPARE(zahlBei(nachher, 1168), 11);
    QCOMPARE(zahlBei(nachher, 1172), 9);
    erwartet.replace(1168, 8, nachher.mid(1168, 8));
    QCOMPARE(nachher, erwartet);
}

void TestFarbdialog::abgebrochenBleibtFarbe() {
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    const qint32 vorher = p.farben.colorx.D_bs_ueb;
    p.in<QPushButton>(w, QStringLiteral("BitBtn2"))->click(); // the chooser is cancelled
    QCOMPARE(p.farben.colorx.D_bs_ueb, vorher);
    QVERIFY(!p.dir.gibt(QStringLiteral("farb.txt")));
}

void TestFarbdialog::beendenSpeichertNicht() {
    Programm p;
    const QByteArray vorher = p.dir.lies(QStringLiteral("farben.frb"));
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(0x000000FF);
    p.in<QPushButton>(w, QStringLiteral("BitBtn4"))->click();
    p.in<QPushButton>(w, QStringLiteral("Button3"))->click();
    QVERIFY(!w->isVisible());
    // The new colour shows for this run (the overview's data cells take it) but is not stored.
    QCOMPARE(p.farben.colorx.D_bs_pan, qint32(0x000000FF));
    TFilterGrid* uebersicht = nullptr;
    for (TFilterGrid* g : p.f->findChildren<TFilterGrid*>(QStringLiteral("FilterGrid1")))
        if (g->window() == p.f) uebersicht = g;
    QVERIFY(uebersicht);
    QCOMPARE(uebersicht->ColInfo(0)->DatColor, quint32(0x000000FF));
    QCOMPARE(p.dir.lies(QStringLiteral("farben.frb")), vorher);
}

void TestFarbdialog::eigeneFarben() {
    QByteArray farbtxt;
    for (int i = 0; i < 16; ++i)
        farbtxt += "Color" + QByteArray(1, char('A' + i)) + '=' +
                   QByteArray::number(0x010101 * (i + 1), 16).toUpper().rightJustified(6, '0') + "\r\n";
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farb.txt"), farbtxt); });
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(0x00ABCDEF);
    p.in<QPushButton>(w, QStringLiteral("BitBtn1"))->click();
    // The chooser got the sixteen colours of farb.txt, and they were written back after it.
    QCOMPARE(p.plattform.letzteEigeneFarben.size(), 16);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(p.plattform.letzteEigeneFarben.at(i), quint32(0x010101 * (i + 1)));
    QCOMPARE(p.dir.lies(QStringLiteral("farb.txt")), farbtxt);
    // The end-colour buttons take the same custom colours.
    p.plattform.farben.enqueue(0x00000001);
    p.in<QPushButton>(w, QStringLiteral("ColorButton1"))->click();
    QCOMPARE(p.plattform.letzteEigeneFarben.at(15), quint32(0x101010));
}

void TestFarbdialog::grundeinstellung_data() {
    QTest::addColumn<bool>("ja");
    QTest::newRow("Nein") << false;
    QTest::newRow("Ja") << true;
}

void TestFarbdialog::grundeinstellung() {
    QFETCH(bool, ja);
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(0x00010203);
    p.in<QPushButton>(w, QStringLiteral("BitBtn2"))->click();
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click(); // stored
    const QByteArray geaendert = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(zahlBei(geaendert, 12), 0x00010203);
    w = farbdialogOeffnen(p);
    p.plattform.antworten.enqueue(ja ? Platform::Answer::Yes : Platform::Answer::No);
    p.in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QCOMPARE(p.plattform.meldungen.last().buttons, Platform::Buttons::YesNo);
    QVERIFY(p.plattform.meldungen.last().text.startsWith(
        QStringLiteral("Durch die Grundeinstellung werden von Ihnen bereits geänderte\n")));
    QCOMPARE(w->isVisible(), !ja);
    const Tcolor1 vorgaben = pfl::Farbschema::vorgaben();
    const QByteArray vorgabeBytes = Testordner::bytes(vorgaben);
    QCOMPARE(p.dir.lies(QStringLiteral("farben.frb")), ja ? vorgabeBytes : geaendert);
    QCOMPARE(p.farben.colorx.D_bs_ueb, ja ? vorgaben.D_bs_ueb : 0x00010203);
}

void TestFarbdialog::dreiD() {
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    auto* kopf = p.in<QCheckBox>(w, QStringLiteral("CheckBox1"));
    auto* daten = p.in<QCheckBox>(w, QStringLiteral("CheckBox2"));
    auto* muster = p.in<TFilterGrid>(w, QStringLiteral("FilterGrid1"));
    QVERIFY(kopf->isChecked() && daten->isChecked() && daten->isEnabled());
    QCOMPARE(muster->DrawingStyle(), TGridDrawingStyle::gdsGradient);
    kopf->click();
    QCOMPARE(p.farben.colorx.draw_style, 0);
    QCOMPARE(p.farben.colorx.cell_style, 0);
    QVERIFY(!daten->isEnabled());
    QVERIFY(!p.in<QLabel>(w, QStringLiteral("Panel8"))->isEnabled());
    QVERIFY(!p.in<QLabel>(w, QStringLiteral("Panel9"))->isEnabled());
    QCOMPARE(muster->DrawingStyle(), TGridDrawingStyle::gdsClassic);
    QVERIFY(!muster->GradientToAllCells());
    kopf->click();
    daten->click();
    QCOMPARE(p.farben.colorx.draw_style, 1);
    QVERIFY(daten->isEnabled());
    QCOMPARE(p.farben.colorx.cell_style, daten->isChecked() ? 1 : 0);
    QCOMPARE(muster->GradientToAllCells(), daten->isChecked());
    // The listing page has its own pair.
    p.in<QRadioButton>(w, QStringLiteral("RadioButton3"))->click();
    p.in<QCheckBox>(w, QStringLiteral("CheckBox3"))->click();
    QCOMPARE(p.farben.colorx.draw_style1, 0);
    QVERIFY(!p.in<QCheckBox>(w, QStringLiteral("CheckBox4"))->isEnabled());
    QVERIFY(!p.in<QLabel>(w, QStringLiteral("Panel11"))->isEnabled());
    QVERIFY(!p.in<QLabel>(w, QStringLiteral("Panel12"))->isEnabled());
    QCOMPARE(p.in<TFilterGrid>(w, QStringLiteral("FilterGrid2"))->DrawingStyle(),
             TGridDrawingStyle::gdsClassic);
    QCOMPARE(p.farben.colorx.draw_style, 1);
}

void TestFarbdialog::schrift_data() {
    QTest::addColumn<QString>("seite");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("kopfName");    // offset of the heading font name in the record
    QTest::addColumn<int>("kopfGroesse"); // and of its size
    QTest::addColumn<int>("klasseKopf");  // the heading font name in the screen's class block (k1280)
    QTest::newRow("Hauptbildschirm") << "RadioButton1"
                                     << "BitBtn6" << 1176 << 1168 << 716 + 21;
    QTest::newRow("Datenausgabe") << "RadioButton3"
                                  << "BitBtn15" << 1124 << 1116 << 716 + 42;
}

void TestFarbdialog::schrift() {
    QFETCH(QString, seite);
    QFETCH(QString, knopf);
    QFETCH(int, kopfName);
    QFETCH(int, kopfGroesse);
    QFETCH(int, klasseKopf);
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QRadioButton>(w, seite)->click();
    p.in<QPushButton>(w, knopf)->click();
    auto* name = p.in<QComboBox>(w, QStringLiteral("ComboBox1"));
    QVERIFY(name->isVisible());
    QCOMPARE(name->currentText(), QStringLiteral("Arial"));
    name->setCurrentText(QStringLiteral("Verdana"));
    p.in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"))->setValue(14);
    p.in<QPushButton>(w, QStringLiteral("Button6"))->click(); // "Zurück"
    QVERIFY(p.in<QRadioButton>(w, QStringLiteral("RadioButton1"))->isChecked());
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    const QByteArray b = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(kurztextBei(b, kopfName), QByteArray("Verdana"));
    QCOMPARE(zahlBei(b, kopfGroesse), 14);
    QCOMPARE(kurztextBei(b, klasseKopf), QByteArray("Verdana"));
    // Other classes keep their fonts.
    QCOMPARE(kurztextBei(b, klasseKopf - 200), QByteArray("Arial"));
}

void TestFarbdialog::style_data() {
    QTest::addColumn<QString>("name");
    for (const QString& s : styleNamen())
        QTest::newRow(qPrintable(s)) << s;
}

void TestFarbdialog::style() {
    QFETCH(QString, name);
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QRadioButton>(w, QStringLiteral("RadioButton5"))->click();
    auto* liste = p.in<QListWidget>(w, QStringLiteral("ListBox2"));
    QCOMPARE(liste->count(), 40);
    auto* aktivieren = p.in<QPushButton>(w, QStringLiteral("Button5"));
    QVERIFY(!aktivieren->isEnabled());
    waehle(liste, name);
    QVERIFY(aktivieren->isEnabled());
    // The preview shows the style before it is activated.
    const std::optional<QPalette> pal = stylePalette(name);
    auto* vorschau = p.in<QFrame>(w, QStringLiteral("Vorschau"));
    if (pal) QCOMPARE(vorschau->palette().color(QPalette::Window), pal->color(QPalette::Window));
    pfl::test::bildSpeichern(w, QStringLiteral("style"));
    aktivieren->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(p.dir.lies(QStringLiteral("Styledat.txt")), name.toLatin1());
    QCOMPARE(QApplication::style()->name().toLower(),
             name == QLatin1String("Windows") ? QStringLiteral("windows") : QStringLiteral("fusion"));
    if (pal) {
        QCOMPARE(QApplication::palette().color(QPalette::Window), pal->color(QPalette::Window));
        QCOMPARE(QApplication::palette().color(QPalette::Highlight), pal->color(QPalette::Highlight));
    }
    QVERIFY(p.f->isMaximized() || p.f->windowState().testFlag(Qt::WindowMaximized));
}

void TestFarbdialog::hintergrundBild() {
    Programm p([](Testordner& d) {
        bitmap(d, QStringLiteral("holz.bmp"), QColor(10, 200, 30));
        bitmap(d, QStringLiteral("Zwiebel.BMP"), QColor(200, 10, 30));
        d.schreibe(QStringLiteral("Hintergrund/liesmich.txt"), "kein Bild");
    });
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(0x00FFFFFF);
    p.in<QPushButton>(w, QStringLiteral("BitBtn8"))->click(); // first the plain colour
    QCOMPARE(p.farben.colorx.f_b_haupt, 1);
    p.in<QPushButton>(w, QStringLiteral("BitBtn7"))->click();
    QCOMPARE(p.farben.colorx.f_b_haupt, 0);
    auto* hb = p.finde<TF_Hb>(QStringLiteral("F_Hb"));
    QVERIFY(hb->isVisible());
    auto* liste = p.in<QListWidget>(hb, QStringLiteral("FileListBox1"));
    QStringList namen;
    for (int i = 0; i < liste->count(); ++i)
        namen << liste->item(i)->text();
    QCOMPARE(namen, (QStringList{QStringLiteral("holz.bmp"), QStringLiteral("Zwiebel.BMP")}));
    waehle(liste, QStringLiteral("holz.bmp"));
    QCOMPARE(p.in<QLabel>(hb, QStringLiteral("Panel5"))->text(), QStringLiteral("holz.bmp"));
    QVERIFY(!p.in<QLabel>(hb, QStringLiteral("Image1"))->pixmap().isNull());
    auto* musterBild = p.in<QLabel>(w, QStringLiteral("Image1"));
    QVERIFY(!musterBild->isHidden());
    QCOMPARE(musterBild->pixmap().toImage().pixelColor(0, 0), QColor(10, 200, 30));
    pfl::test::bildSpeichern(hb, QStringLiteral("hintergrund"));
    p.in<QPushButton>(hb, QStringLiteral("Button1"))->click();
    QVERIFY(!hb->isVisible());
    const QByteArray b = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(zahlBei(b, 1300), 0);
    QCOMPARE(kurztextBei(b, 1344), QByteArray("holz.bmp"));
    // The main window tiles the picture where no panel covers it.
    const QImage haupt = p.finde<QWidget>(QStringLiteral("Flaeche"))->grab().toImage();
    QCOMPARE(haupt.pixelColor(5, 200), QColor(10, 200, 30));
}

void TestFarbdialog::hintergrundFarbe() {
    Programm p([](Testordner& d) { bitmap(d, QStringLiteral("marbl24m.bmp"), QColor(1, 2, 3)); });
    TFarbe* w = farbdialogOeffnen(p);
    auto* musterBild = p.in<QLabel>(w, QStringLiteral("Image1"));
    QVERIFY(!musterBild->isHidden()); // the default picture is there
    p.plattform.farben.enqueue(0x00336699);
    p.in<QPushButton>(w, QStringLiteral("BitBtn8"))->click();
    QVERIFY(musterBild->isHidden());
    QCOMPARE(p.farben.colorx.H_bs_hg, 0x00336699);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    const QByteArray b = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(zahlBei(b, 0), 0x00336699);
    QCOMPARE(zahlBei(b, 1300), 1);
    const QImage haupt = p.finde<QWidget>(QStringLiteral("Flaeche"))->grab().toImage();
    QCOMPARE(haupt.pixelColor(5, 200), QColor(0x99, 0x66, 0x33));
}

void TestFarbdialog::bildnamen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("zulaessig");
    QTest::newRow("einfach") << "holz24.bmp" << true;
    QTest::newRow("Umlaut") << "Käse.bmp" << true;
    QTest::newRow("50 Zeichen") << QString(46, QLatin1Char('a')) + QStringLiteral(".bmp") << true;
    QTest::newRow("51 Zeichen") << QString(47, QLatin1Char('a')) + QStringLiteral(".bmp") << false;
    QTest::newRow("Ordner hinauf") << "../geheim.bmp" << false;
    QTest::newRow("Pfad") << "Bilder/x.bmp" << false;
    QTest::newRow("Rückstrich") << "..\\x.bmp" << false;
    QTest::newRow("Punkt vorn") << ".versteckt.bmp" << false;
    QTest::newRow("Strich vorn") << "-rf.bmp" << false;
    QTest::newRow("nicht speicherbar") << QStringLiteral("\u6728.bmp") << false;
    QTest::newRow("leer") << "" << false;
}

void TestFarbdialog::bildnamen() {
    QFETCH(QString, name);
    QFETCH(bool, zulaessig);
    QCOMPARE(pfl::hintergrundNameZulaessig(name), zulaessig);
    // The list of the picture window offers only what may be chosen.
    QTemporaryDir ordner;
    if (!name.contains(QLatin1Char('/')) && !name.isEmpty()) {
        QFile f(ordner.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BM");
        f.close();
        QCOMPARE(pfl::hintergrundBilder({ordner.path()}).contains(name), zulaessig);
    }
}

void TestFarbdialog::speichernOhneDatei() {
    // farben.frb removed while the program runs: "Speichern >>" still stores the choice.
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(0x00445566);
    p.in<QPushButton>(w, QStringLiteral("BitBtn3"))->click();
    QVERIFY(QFile::remove(p.dir.datei(QStringLiteral("farben.frb"))));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    const QByteArray b = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(b.size(), 1976);
    QCOMPARE(zahlBei(b, 24), 0x00445566);
    QCOMPARE(kurztextBei(b, 1344), QByteArray("marbl24m.bmp"));
}

void TestFarbdialog::offeneFensterUmfaerben() {
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    eigen.form_umr = 0x000000FF;
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen)); });
    p.finde<QAction>(QStringLiteral("Rezeptbuchlschne1"))->trigger();
    auto* loeschen = p.finde<QWidget>(QStringLiteral("loeschen"));
    QVERIFY(loeschen->isVisible());
    QCOMPARE(loeschen->palette().color(QPalette::Window), QColor(255, 0, 0));
    TFarbe* w = farbdialogOeffnen(p);
    // The main window's title takes a new colour at once.
    p.plattform.farben.enqueue(0x00000000);
    p.in<QPushButton>(w, QStringLiteral("BitBtn5"))->click();
    QCOMPARE(p.finde<QLabel>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
             QColor(0, 0, 0));
    // The defaults reach the window that is still open.
    p.plattform.antworten.enqueue(Platform::Answer::Yes);
    p.in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QVERIFY(loeschen->isVisible());
    QCOMPARE(loeschen->palette().color(QPalette::Window), QColor(0xCF, 0xDA, 0xA3));
}

void TestFarbdialog::fremderBildname() {
    // A stored name that leaves Hintergrund/ is never loaded, though the file it names exists.
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    eigen.hg_bild = QStringLiteral("../geheim.bmp");
    Programm p([&](Testordner& d) {
        d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen));
        QVERIFY(bitmap(d, QStringLiteral("holz.bmp"), QColor(10, 200, 30)));
        QVERIFY(QFile::copy(d.datei(QStringLiteral("Hintergrund/holz.bmp")),
                            d.datei(QStringLiteral("geheim.bmp"))));
    });
    TFarbe* w = farbdialogOeffnen(p);
    QVERIFY(p.in<QLabel>(w, QStringLiteral("Image1"))->isHidden());
    p.in<QPushButton>(w, QStringLiteral("BitBtn7"))->click();
    auto* hb = p.finde<TF_Hb>(QStringLiteral("F_Hb"));
    QVERIFY(p.in<QLabel>(hb, QStringLiteral("Image1"))->pixmap().isNull());
    QVERIFY(p.in<QListWidget>(hb, QStringLiteral("FileListBox1"))->selectedItems().isEmpty());
    QVERIFY(p.plattform.meldungen.isEmpty());
    const QImage haupt = p.finde<QWidget>(QStringLiteral("Flaeche"))->grab().toImage();
    QCOMPARE(haupt.pixelColor(5, 200), QColor(0xDE, 0xE6, 0xC1));
}

void TestFarbdialog::schreibfehler_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("knopf");
    QTest::newRow("Farben") << "farben.frb"
                            << "Button1";
    QTest::newRow("Style") << "Styledat.txt"
                           << "Button5";
}

void TestFarbdialog::schreibfehler() {
    // The file's place is taken by a folder: the write fails and the user is told.
    QFETCH(QString, datei);
    QFETCH(QString, knopf);
    Programm p;
    TFarbe* w = farbdialogOeffnen(p);
    QFile::remove(p.dir.datei(datei));
    QVERIFY(QDir(p.dir.pfad()).mkdir(datei));
    if (knopf == QLatin1String("Button5")) {
        p.in<QRadioButton>(w, QStringLiteral("RadioButton5"))->click();
        waehle(p.in<QListWidget>(w, QStringLiteral("ListBox2")), QStringLiteral("Carbon"));
    }
    QVERIFY(p.plattform.meldungen.isEmpty());
    p.in<QPushButton>(w, knopf)->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY2(p.plattform.meldungen.first().text.contains(datei),
             qPrintable(p.plattform.meldungen.first().text));
}

void TestFarbdialog::datenbereichPanel_data() {
    QTest::addColumn<bool>("datenIn3D"); // "Datenbereich auch in 3D anzeigen." on the listing page
    QTest::addColumn<bool>("bestaetigt");
    QTest::newRow("gewählt") << true << true;
    QTest::newRow("abgebrochen") << true << false;
    QTest::newRow("Datenbereich flach") << false << true;
}

void TestFarbdialog::datenbereichPanel() {
    QFETCH(bool, datenIn3D);
    QFETCH(bool, bestaetigt);
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    eigen.end_gradient = 0x00112233;
    eigen.end_gradient1 = 0x00445566;
    eigen.cell_style1 = datenIn3D ? 1 : 0;
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen)); });
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QRadioButton>(w, QStringLiteral("RadioButton3"))->click();
    auto* muster = p.in<TFilterGrid>(w, QStringLiteral("FilterGrid2"));
    QCOMPARE(muster->GradientEndColor(), quint32(0x00445566));
    auto* panel = p.in<QLabel>(w, QStringLiteral("Panel12"));
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->isEnabled(), datenIn3D);
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0xCC, 0xD1, 0xA7)); // String_box
    const quint32 neu = 0x00A0B0C0;
    if (bestaetigt) p.plattform.farben.enqueue(neu);
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->rect().center());
    // A disabled panel runs no chooser: the queued answer is still there.
    QCOMPARE(p.plattform.farben.size(), bestaetigt && !datenIn3D ? 1 : 0);
    const bool geaendert = datenIn3D && bestaetigt;
    const quint32 ende = geaendert ? neu : 0x00112233;
    QCOMPARE(muster->GradientEndColor(), geaendert ? neu : quint32(0x00445566));
    QCOMPARE(quint32(p.farben.colorx.end_gradient), ende);
    QCOMPARE(p.farben.colorx.end_gradient1, 0x00445566);
    // The main table and its sample take the new end colour at once.
    QCOMPARE(p.in<TFilterGrid>(w, QStringLiteral("FilterGrid1"))->GradientEndColor(), ende);
    QCOMPARE(p.in<TColorButton>(w, QStringLiteral("ColorButton1"))->ActiveColor(), ende);
    TFilterGrid* uebersicht = nullptr;
    for (TFilterGrid* g : p.f->findChildren<TFilterGrid*>(QStringLiteral("FilterGrid1")))
        if (g->window() == p.f) uebersicht = g;
    QVERIFY(uebersicht);
    QCOMPARE(uebersicht->GradientEndColor(), ende);
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    const QByteArray b = p.dir.lies(QStringLiteral("farben.frb"));
    QCOMPARE(quint32(zahlBei(b, 1908)), ende);
    QCOMPARE(zahlBei(b, 1912), 0x00445566);
}

void TestFarbdialog::markierteSchrift_data() {
    QTest::addColumn<QString>("tabelle");
    QTest::addColumn<QString>("seite");
    QTest::addColumn<QPoint>("markiert");    // the highlighted cell
    QTest::addColumn<QPoint>("daneben");     // a cell of the data area that is not
    QTest::addColumn<qint32>("markSchrift"); // String_box_mark_Row_font
    QTest::addColumn<QColor>("erwartet");    // its text in the highlighted cell
    const QColor dunkelrot(0x80, 0, 0);
    // On the light green selected row: the chosen colour as it is, readable or not.
    QTest::newRow("Übersicht") << "FilterGrid1"
                               << "RadioButton1" << QPoint(0, 1) << QPoint(1, 1) << 0x000080 << dunkelrot;
    QTest::newRow("Übersicht unlesbar")
        << "FilterGrid1"
        << "RadioButton1" << QPoint(0, 1) << QPoint(1, 1) << 0x00E0FFFF << QColor(0xFF, 0xFF, 0xE0);
    QTest::newRow("Listen") << "FilterGrid2"
                            << "RadioButton3" << QPoint(1, 1) << QPoint(1, 2) << 0x000080 << dunkelrot;
}

void TestFarbdialog::markierteSchrift() {
    QFETCH(QString, tabelle);
    QFETCH(QString, seite);
    QFETCH(QPoint, markiert);
    QFETCH(QPoint, daneben);
    QFETCH(qint32, markSchrift);
    QFETCH(QColor, erwartet);
    // Flat cells, so each has one background colour.
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    eigen.draw_style = eigen.cell_style = eigen.draw_style1 = eigen.cell_style1 = 0;
    eigen.String_box_mark_Row_font = markSchrift;
    eigen.D_bs_pan_font = 0x00FF0000;   // blue on the overview's data area
    eigen.String_box_font = 0x00008000; // green on the listing's
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen)); });
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QRadioButton>(w, seite)->click();
    auto* g = p.in<TFilterGrid>(w, tabelle);
    QVERIFY(g->isVisible());
    const QImage bild = g->grab().toImage();
    pfl::test::bildSpeichern(w, QStringLiteral("markiert_") + tabelle);
    const QColor markGrund(0xBB, 0xFF, 0xBB); // String_box_mark_Row
    const QRect m = g->CellRect(markiert.x(), markiert.y());
    QVERIFY(!m.isEmpty());
    QCOMPARE(bild.pixelColor(m.left() + 1, m.center().y()), markGrund);
    const QColor text = schriftIn(bild, m, markGrund);
    QVERIFY2(aehnlich(text, erwartet), qPrintable(text.name()));
    // The cells beside it keep the data area's text colour.
    const QRect d = g->CellRect(daneben.x(), daneben.y());
    const QColor grund = bild.pixelColor(d.left() + 1, d.center().y());
    QVERIFY(grund != markGrund);
    const QColor datenText = schriftIn(bild, d, grund);
    const QColor datenSchrift =
        tabelle == QLatin1String("FilterGrid1") ? QColor(0, 0, 0xFF) : QColor(0, 0x80, 0);
    QVERIFY2(aehnlich(datenText, datenSchrift), qPrintable(datenText.name()));
    if (tabelle == QLatin1String("FilterGrid2")) {
        // The row's fixed cell is a heading, not part of the highlight: its text is that of the next
        // row's fixed cell.
        const QRect f = g->CellRect(0, markiert.y());
        const QRect f2 = g->CellRect(0, markiert.y() + 1);
        const QColor fText = schriftIn(bild, f, bild.pixelColor(f.left() + 1, f.center().y()));
        QVERIFY2(aehnlich(fText, schriftIn(bild, f2, bild.pixelColor(f2.left() + 1, f2.center().y()))),
                 qPrintable(fText.name()));
    }
}

void TestFarbdialog::kontrastHinweis_data() {
    QTest::addColumn<qint32 Tcolor1::*>("feld");
    QTest::addColumn<qint32>("wert");
    QTest::addColumn<QString>("genannt"); // empty: no hint
    QTest::newRow("gut lesbar") << &Tcolor1::String_box_font << 0x00000000 << QString();
    QTest::newRow("Datenfelder hellgelb")
        << &Tcolor1::String_box_font << 0x00E0FFFF << "Datenfelder der Datenausgabe (1,0 : 1)";
    QTest::newRow("Schriftzug hell") << &Tcolor1::D_bs_fa_font << 0x00FFFFFF
                                     << "Schriftzug Pfanno-Lux (1,8 : 1)";
}

void TestFarbdialog::kontrastHinweis() {
    QFETCH(qint32 Tcolor1::*, feld);
    QFETCH(qint32, wert);
    QFETCH(QString, genannt);
    // Dark text on light ground everywhere, then one choice; the hint names the poor pairs.
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    for (qint32 Tcolor1::*s :
         {&Tcolor1::D_bs_ueb_font, &Tcolor1::D_bs_pan_font, &Tcolor1::D_bs_fa_font,
          &Tcolor1::String_box_ueb_Font, &Tcolor1::String_box_font, &Tcolor1::String_box_mark_Row_font})
        eigen.*s = 0x00000000;
    for (qint32 Tcolor1::*g : {&Tcolor1::D_bs_ueb, &Tcolor1::D_bs_pan, &Tcolor1::H_bs_hg,
                               &Tcolor1::String_box_ueb, &Tcolor1::String_box, &Tcolor1::String_box_mark_Row})
        eigen.*g = 0x00FFFFFF;
    eigen.H_bs_hg = 0x00C0C0C0; // light grey behind the titles
    eigen.*feld = wert;
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen)); });
    TFarbe* w = farbdialogOeffnen(p);
    auto* hinweis = p.in<QLabel>(w, QStringLiteral("Kontrasthinweis"));
    QCOMPARE(hinweis->isVisible(), !genannt.isEmpty());
    if (genannt.isEmpty()) return;
    QVERIFY2(hinweis->text().contains(genannt), qPrintable(hinweis->text()));
    QVERIFY(hinweis->text().contains(QStringLiteral("4,5 : 1")));
    // The choice stays as it is; a better one takes the hint away.
    QCOMPARE(p.farben.colorx.*feld, wert);
    p.in<QRadioButton>(w, QStringLiteral("RadioButton3"))->click();
    p.plattform.farben.enqueue(0x00000000);
    p.in<QPushButton>(w,
                      feld == &Tcolor1::D_bs_fa_font ? QStringLiteral("BitBtn5") : QStringLiteral("BitBtn12"))
        ->click();
    QVERIFY(!hinweis->isVisible());
}

void TestFarbdialog::endfarbeLesbar_data() {
    QTest::addColumn<QString>("stil");
    QTest::addColumn<quint32>("ende");
    // The button's face is the chosen colour; its caption is the style's text, which nobody chose.
    for (const QString& stil : styleNamen()) {
        const QColor text = stil == QLatin1String("Windows")
                                ? QApplication::style()->standardPalette().color(QPalette::ButtonText)
                                : stylePalette(stil)->color(QPalette::ButtonText);
        // The face that reads worst with the style's caption colour.
        const quint32 ende = text.lightness() > 127 ? 0x00FFFFFFu : 0x00000000u;
        QTest::newRow(qPrintable(stil)) << stil << ende;
    }
}

void TestFarbdialog::endfarbeLesbar() {
    QFETCH(QString, stil);
    QFETCH(quint32, ende);
    Programm p([&stil](Testordner& d) { d.schreibe(QStringLiteral("Styledat.txt"), stil.toLatin1()); });
    TFarbe* w = farbdialogOeffnen(p);
    p.plattform.farben.enqueue(ende);
    auto* knopf = p.in<TColorButton>(w, QStringLiteral("ColorButton1"));
    knopf->click();
    const QImage bild = knopf->grab().toImage();
    const QColor flaeche = pfl::alsFarbe(ende);
    const QRect innen = knopf->rect().adjusted(6, 6, -6, -6);
    const QColor text = schriftIn(bild, innen, flaeche);
    QVERIFY2(pfl::kontrast(text, flaeche) >= 4.5, qPrintable(text.name()));
}

void TestFarbdialog::gewaehlteFarbenImHauptfenster_data() {
    QTest::addColumn<qint32 Tcolor1::*>("feld");
    QTest::addColumn<qint32 Tcolor1::*>("hinter");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPalette::ColorRole>("rolle");
    QTest::newRow("Schriftzug") << &Tcolor1::D_bs_fa_font << &Tcolor1::H_bs_hg << "Label1"
                                << QPalette::WindowText;
    QTest::newRow("Überschrift") << &Tcolor1::D_bs_ueb_font << &Tcolor1::D_bs_ueb << "Panel6"
                                 << QPalette::WindowText;
    QTest::newRow("Rubriken") << &Tcolor1::D_bs_pan_font << &Tcolor1::D_bs_pan << "ListBox1"
                              << QPalette::Text;
}

void TestFarbdialog::gewaehlteFarbenImHauptfenster() {
    // A text colour close to its background reads poorly; the main window shows it as chosen all
    // the same (the colour dialog names it).
    QFETCH(qint32 Tcolor1::*, feld);
    QFETCH(qint32 Tcolor1::*, hinter);
    QFETCH(QString, control);
    QFETCH(QPalette::ColorRole, rolle);
    Tcolor1 eigen = pfl::Farbschema::vorgaben();
    const qint32 wahl = eigen.*hinter ^ 0x00080808;
    QVERIFY(pfl::kontrast(pfl::alsFarbe(wahl), pfl::alsFarbe(eigen.*hinter)) < 1.5);
    eigen.*feld = wahl;
    Programm p([&](Testordner& d) { d.schreibe(QStringLiteral("farben.frb"), Testordner::bytes(eigen)); });
    QWidget* k = p.finde<QWidget>(control);
    QCOMPARE(k->palette().color(rolle), pfl::alsFarbe(wahl));
}

void TestFarbdialog::bildfensterDichte_data() {
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QSize>("groesse");
    QTest::newRow("96") << 96 << QSize(560, 400);
    QTest::newRow("120") << 120 << QSize(700, 500);
    QTest::newRow("144") << 144 << QSize(840, 600);
    QTest::newRow("72") << 72 << QSize(420, 300);
}

void TestFarbdialog::bildfensterDichte() {
    QFETCH(int, ppi);
    QFETCH(QSize, groesse);
    Programm p({}, false);
    p.plattform.ppi = ppi;
    p.plattform.bildschirm = QSize(1600, 1200);
    QVERIFY(p.starten());
    TFarbe* w = farbdialogOeffnen(p);
    p.in<QPushButton>(w, QStringLiteral("BitBtn7"))->click();
    auto* hb = p.finde<TF_Hb>(QStringLiteral("F_Hb"));
    QVERIFY(hb->isVisible());
    pfl::test::bildSpeichern(hb, QStringLiteral("hintergrund_%1").arg(ppi));
    QCOMPARE(hb->size(), groesse);
    // Centred, 50 pixels below the screen's vertical centre.
    QCOMPARE(hb->pos(), QPoint((1600 - groesse.width()) / 2, (1200 - groesse.height()) / 2 + 50));
    auto* leiste = p.in<QWidget>(hb, QStringLiteral("Panel1"));
    QCOMPARE(leiste->geometry().bottom(), hb->rect().bottom());
    QCOMPARE(leiste->width(), hb->width());
    // The list and the name field end above the button bar, within the window.
    for (const char* name : {"FileListBox1", "Panel5", "Image1"}) {
        const QRect r = p.in<QWidget>(hb, QLatin1String(name))->geometry();
        QVERIFY2(hb->rect().contains(r) && r.bottom() < leiste->y(), name);
    }
    auto* speichern = p.in<QPushButton>(hb, QStringLiteral("Button1"));
    auto* beenden = p.in<QPushButton>(hb, QStringLiteral("Button2"));
    const int mitte = hb->width() / 2;
    for (QPushButton* b : {speichern, beenden}) {
        QVERIFY(b->width() >= 85 && b->height() >= 35);
        QVERIFY(b->width() >= b->fontMetrics().horizontalAdvance(b->text()));
        QVERIFY(leiste->rect().contains(b->geometry()));
    }
    QCOMPARE(speichern->geometry().right() + 1, mitte - 10);
    QCOMPARE(beenden->x(), mitte + 10);
    QCOMPARE(speichern->y(), beenden->y());
    // A density that changes while the program runs is taken at the next opening.
    hb->close();
    p.plattform.ppi = 192;
    p.in<QPushButton>(w, QStringLiteral("BitBtn7"))->click();
    QCOMPARE(hb->size(), QSize(1120, 800));
}

QTEST_MAIN(TestFarbdialog)
#include "tst_farbdialog.moc"
