// SPDX-License-Identifier: GPL-3.0-or-later
// The picture window: showing a stored or not yet saved picture scaled to the window, the size
// field, printing through the platform, and the entry window's "Bild vergrößern".
#include "data/Unit4.h"
#include "recipes/Bildfenster.h"
#include "recipes/Erfassen.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QtTest>

using Programm = pfl::test::LaufendesProgramm;

namespace {

QImage bild(QSize groesse, QColor farbe = Qt::darkGreen) {
    QImage img(groesse, QImage::Format_RGB32);
    img.fill(farbe);
    return img;
}

QByteArray bildBytes(const char* format, QSize groesse, QColor farbe = Qt::darkGreen) {
    QByteArray b;
    QBuffer puffer(&b);
    puffer.open(QIODevice::WriteOnly);
    bild(groesse, farbe).save(&puffer, format);
    return b;
}

// A data directory with a picture folder holding these files.
std::function<void(Testordner&)> mitBildern(const QList<QPair<QString, QByteArray>>& dateien) {
    return [dateien](Testordner& d) {
        QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
        for (const auto& [name, bytes] : dateien)
            d.schreibe(QStringLiteral("Bilder/") + name, bytes);
    };
}

TBild* fenster(Programm& p) {
    return p.finde<TBild>(QStringLiteral("Bild"));
}

QSize gezeigt(TBild* w) {
    return Programm::in<QLabel>(w, QStringLiteral("Image1"))->pixmap().size();
}

QColor mitte(TBild* w) {
    const QImage i = Programm::in<QLabel>(w, QStringLiteral("Image1"))->pixmap().toImage();
    return i.pixelColor(i.width() / 2, i.height() / 2);
}

RxSpinEdit* feld(TBild* w) {
    return Programm::in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit1"));
}

void klick(TBild* w, const char* knopf) {
    Programm::in<QPushButton>(w, QString::fromLatin1(knopf))->click();
}

} // namespace

class TestBildfenster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aufbau();
    void formateDruck_data();
    void formateDruck();
    void skalieren_data();
    void skalieren();
    void groessenfeld_data();
    void groessenfeld();
    void druckrechteck_data();
    void druckrechteck();
    void nichtLesbar_data();
    void nichtLesbar();
    void druckErgebnis_data();
    void druckErgebnis();
    void druckeigenschaften();
    void erfassenVergroessern();
};

void TestBildfenster::aufbau() {
    Programm p(mitBildern({{QStringLiteral("a.png"), bildBytes("PNG", {40, 30})}}));
    TBild* w = fenster(p);
    QVERIFY(w);
    QVERIFY(!w->isVisible());
    w->zeigen(QStringLiteral("a.png"));
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Bild anzeigen."));
    // The work area, from its top left corner; the bottom buttons around the centre.
    QCOMPARE(w->pos(), p.plattform.arbeitsflaeche.topLeft());
    QCOMPARE(w->size(), p.plattform.arbeitsflaeche.size());
    const int halb = w->width() / 2;
    auto* drucken = Programm::in<QPushButton>(w, QStringLiteral("Button1"));
    QCOMPARE(drucken->text(), QStringLiteral("Drucken >>"));
    QCOMPARE(drucken->x(), halb - drucken->width() - 10);
    QCOMPARE(Programm::in<QPushButton>(w, QStringLiteral("Button2"))->x(), halb - 5);
    QCOMPARE(Programm::in<QPushButton>(w, QStringLiteral("Button5"))->x(), w->width() - 150);
    QCOMPARE(feld(w)->accessibleName(), QStringLiteral("Ausdruck verkleinern oder vergrössern."));
    pfl::test::bildSpeichern(w, QStringLiteral("bild"));
    // F1 opens the help contents (there is no topic of its own); Escape and "Beenden" close and
    // let the main window refresh.
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
    QCOMPARE(p.plattform.hilfeAufrufe.first().second, 100);
    QSignalSpy zu(w, &pfl::Nebenfenster::geschlossen);
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    w->zeigen(QStringLiteral("a.png"));
    klick(w, "Button2");
    QVERIFY(!w->isVisible());
    QCOMPARE(zu.size(), 2);
    QVERIFY(Programm::in<QLabel>(w, QStringLiteral("Image1"))->pixmap().isNull());
}

void TestBildfenster::formateDruck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    // Every extension in any case prints; the content decides how it is read.
    QTest::newRow("jpg") << QStringLiteral("Gulasch.jpg") << QByteArray("JPG");
    QTest::newRow("JPG") << QStringLiteral("Torte.JPG") << QByteArray("JPG");
    QTest::newRow("Jpeg") << QStringLiteral("Salat.Jpeg") << QByteArray("JPG");
    QTest::newRow("png") << QStringLiteral("Kuchen.png") << QByteArray("PNG");
    QTest::newRow("PNG") << QStringLiteral("Suppe.PNG") << QByteArray("PNG");
    QTest::newRow("bmp") << QStringLiteral("Brot.bmp") << QByteArray("BMP");
    QTest::newRow("BMP") << QStringLiteral("Brei.BMP") << QByteArray("BMP");
    QTest::newRow("png called jpg") << QStringLiteral("Falsch.jpg") << QByteArray("PNG");
}

void TestBildfenster::formateDruck() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    Programm p(mitBildern({{name, bildBytes(format.constData(), {600, 400}, Qt::red)}}));
    p.u.option.bildgroesse = 4;
    TBild* w = fenster(p);
    w->zeigen(name);
    QVERIFY(w->isVisible());
    QCOMPARE(gezeigt(w), QSize(600, 400)); // smaller than the area: its own size
    klick(w, "Button1");
    QCOMPARE(p.plattform.meldungsTexte(), QStringList());
    QCOMPARE(p.plattform.drucke.size(), 1);
    const auto& d = p.plattform.drucke.first();
    QCOMPARE(d.bild.size(), QSize(600, 400));
    QVERIFY(qAbs(d.bild.pixelColor(300, 200).red() - 255) < 8); // the file's picture, decoded
    // Opening made bildgroesse the height factor too: (200, 100) .. (2400, 1600).
    QCOMPARE(d.ziel, QRect(200, 100, 2200, 1500));
}

void TestBildfenster::skalieren_data() {
    QTest::addColumn<QSize>("groesse");
    QTest::addColumn<QSize>("erwartet");
    // The area is the work area (1920 x 1040) less the bottom bar of 60: 1920 x 980.
    QTest::newRow("small, own size") << QSize(300, 200) << QSize(300, 200);
    QTest::newRow("exactly the area") << QSize(1920, 980) << QSize(1920, 980);
    QTest::newRow("too wide") << QSize(3840, 1000) << QSize(1920, 500);
    QTest::newRow("too high") << QSize(500, 1960) << QSize(250, 980);
    QTest::newRow("both, height decides") << QSize(2000, 2000) << QSize(980, 980);
}

void TestBildfenster::skalieren() {
    QFETCH(QSize, groesse);
    QFETCH(QSize, erwartet);
    Programm p(mitBildern({{QStringLiteral("b.png"), bildBytes("PNG", groesse)}}));
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("b.png"));
    QCOMPARE(Programm::in<QScrollArea>(w, QStringLiteral("ScrollBox1"))->size(), QSize(1920, 980));
    QCOMPARE(gezeigt(w), erwartet);
}

void TestBildfenster::groessenfeld_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("gespeichert");
    QTest::addColumn<int>("sonst3");
    QTest::newRow("whole number") << QStringLiteral("2") << true << 2;
    QTest::newRow("negative") << QStringLiteral("-3") << true << -3;
    QTest::newRow("letters") << QStringLiteral("x") << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("decimal") << QStringLiteral("2,5") << false << 0;
}

void TestBildfenster::groessenfeld() {
    QFETCH(QString, text);
    QFETCH(bool, gespeichert);
    QFETCH(int, sonst3);
    Programm p(mitBildern({{QStringLiteral("c.jpg"), bildBytes("JPG", {600, 400})}}));
    p.u.option.bildgroesse = 4;
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("c.jpg"));
    // Opening shows bildgroesse and stores it as the height factor.
    QCOMPARE(feld(w)->Text(), QStringLiteral("4"));
    QCOMPARE(p.optionenDatei().sonst3, 4);
    const QByteArray vorher = p.dir.lies(QStringLiteral("Rezept.opt"));

    feld(w)->setText(text);
    if (gespeichert) {
        QCOMPARE(p.plattform.meldungsTexte(), QStringList());
        QCOMPARE(p.optionenDatei().sonst3, sonst3);
        QCOMPARE(p.optionenDatei().bildgroesse, 4);
    } else {
        QCOMPARE(p.plattform.meldungsTexte(),
                 QStringList{QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert.").arg(text)});
        QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), vorher);
        QCOMPARE(p.u.option.sonst3, 4);
    }
    // The next opening overwrites the field with bildgroesse again.
    klick(w, "Button2");
    w->zeigen(QStringLiteral("c.jpg"));
    QCOMPARE(feld(w)->Text(), QStringLiteral("4"));
    QCOMPARE(p.optionenDatei().sonst3, 4);
}

void TestBildfenster::druckrechteck_data() {
    QTest::addColumn<int>("bildgroesse");
    QTest::addColumn<QString>("eingabe"); // what the user types after opening; empty: nothing
    QTest::addColumn<QRect>("ziel");
    QTest::newRow("4 and 4") << 4 << QString() << QRect(200, 100, 2200, 1500);
    // Width and height scale by different factors.
    QTest::newRow("4, field 2") << 4 << QStringLiteral("2") << QRect(200, 100, 2200, 700);
    // No options file: both 0, an empty page.
    QTest::newRow("both 0") << 0 << QString() << QRect();
    QTest::newRow("negative height") << 4 << QStringLiteral("-1") << QRect();
    // 600 x 1 = 600 reaches beyond the left edge at 200; 400 x 1 beyond the top at 100.
    QTest::newRow("1 and 1") << 1 << QString() << QRect(200, 100, 400, 300);
    // Factors far beyond any paper are held to a size the driver can take.
    QTest::newRow("huge") << 2000000000 << QString() << QRect(200, 100, 999800, 999900);
}

void TestBildfenster::druckrechteck() {
    QFETCH(int, bildgroesse);
    QFETCH(QString, eingabe);
    QFETCH(QRect, ziel);
    Programm p(mitBildern({{QStringLiteral("d.jpg"), bildBytes("JPG", {600, 400})}}));
    p.u.option.bildgroesse = bildgroesse;
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("d.jpg"));
    if (!eingabe.isEmpty()) feld(w)->setText(eingabe);
    klick(w, "Button1");
    QCOMPARE(p.plattform.drucke.size(), 1); // an empty rectangle still gives its (empty) page
    QCOMPARE(p.plattform.drucke.first().ziel, ziel);
}

void TestBildfenster::nichtLesbar_data() {
    QTest::addColumn<QByteArray>("inhalt"); // what the file holds by the time of printing
    QTest::addColumn<bool>("fehlt");
    QTest::newRow("no picture") << QByteArray("Das ist kein Bild.") << false;
    QTest::newRow("cut off") << bildBytes("PNG", {600, 400}).left(60) << false;
    QTest::newRow("removed") << QByteArray() << true;
}

void TestBildfenster::nichtLesbar() {
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, fehlt);
    Programm p(mitBildern({{QStringLiteral("e.jpg"), bildBytes("JPG", {600, 400})}}));
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("e.jpg"));
    QVERIFY(w->isVisible());
    // The stored file is what is printed; it changed after the window opened.
    if (fehlt)
        QVERIFY(QFile::remove(p.dir.datei(QStringLiteral("Bilder/e.jpg"))));
    else
        p.dir.schreibe(QStringLiteral("Bilder/e.jpg"), inhalt);
    klick(w, "Button1");
    QCOMPARE(p.plattform.drucke.size(), 0);
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY2(p.plattform.meldungen.first().text.startsWith(QStringLiteral("Das Bild wird nicht gedruckt.\n")),
             qPrintable(p.plattform.meldungen.first().text));
    // Opening it now shows nothing and says why.
    klick(w, "Button2");
    p.plattform.meldungen.clear();
    w->zeigen(QStringLiteral("e.jpg"));
    QVERIFY(!w->isVisible());
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().text.startsWith(
        QStringLiteral("Das Bild lässt sich nicht anzeigen.\n")));
}

void TestBildfenster::druckErgebnis_data() {
    QTest::addColumn<Platform::PrintResult>("ergebnis");
    QTest::addColumn<QStringList>("meldungen");
    QTest::newRow("printed") << Platform::PrintResult::Printed << QStringList();
    QTest::newRow("cancelled") << Platform::PrintResult::Cancelled << QStringList();
    QTest::newRow("failed") << Platform::PrintResult::Failed
                            << QStringList{QStringLiteral(
                                   "Das Bild \u201Ef.png\u201C konnte nicht gedruckt werden.")};
}

void TestBildfenster::druckErgebnis() {
    QFETCH(Platform::PrintResult, ergebnis);
    QFETCH(QStringList, meldungen);
    Programm p(mitBildern({{QStringLiteral("f.png"), bildBytes("PNG", {60, 40})}}));
    p.plattform.druckErgebnis = ergebnis;
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("f.png"));
    klick(w, "Button1");
    QCOMPARE(p.plattform.meldungsTexte(), meldungen);
    QVERIFY(w->isVisible());
}

void TestBildfenster::druckeigenschaften() {
    Programm p(mitBildern({{QStringLiteral("g.png"), bildBytes("PNG", {60, 40})}}));
    TBild* w = fenster(p);
    w->zeigen(QStringLiteral("g.png"));
    klick(w, "Button5");
    QCOMPARE(p.plattform.druckereinrichtungen, 1);
    QVERIFY(p.plattform.eingerichteterDrucker);
    // The printer set up is the one the following printouts use.
    klick(w, "Button1");
    klick(w, "Button1");
    QCOMPARE(p.plattform.drucke.size(), 2);
    QCOMPARE(p.plattform.drucke.at(0).drucker, p.plattform.eingerichteterDrucker);
    QCOMPARE(p.plattform.drucke.at(1).drucker, p.plattform.eingerichteterDrucker);
}

void TestBildfenster::erfassenVergroessern() {
    // The folder already holds another picture under the name the chosen file will get.
    Programm p(mitBildern({{QStringLiteral("Kuchen.png"), bildBytes("PNG", {60, 40}, Qt::blue)}}));
    p.u.option.bildgroesse = 4;
    p.finde<QAction>(QStringLiteral("Rezepteerfassen1"))->trigger();
    auto* erfassen = p.finde<TForm2>(QStringLiteral("Form2"));
    auto* gross = Programm::in<QToolButton>(erfassen, QStringLiteral("SpeedButton1"));
    QVERIFY(!gross->isEnabled());

    QDir(p.dir.pfad()).mkdir(QStringLiteral("woanders"));
    const QString datei = p.dir.datei(QStringLiteral("woanders/Kuchen.png"));
    p.dir.schreibe(QStringLiteral("woanders/Kuchen.png"), bildBytes("PNG", {300, 200}, Qt::red));
    p.plattform.bilddateien.enqueue(datei);
    Programm::in<QPushButton>(erfassen, QStringLiteral("Button5"))->click();
    QVERIFY(gross->isEnabled());

    // Not saved yet: the window shows the attached picture, not the folder's file of that name,
    // and prints what it shows.
    gross->click();
    TBild* w = fenster(p);
    QVERIFY(w->isVisible());
    QCOMPARE(gezeigt(w), QSize(300, 200));
    QCOMPARE(mitte(w), QColor(Qt::red));
    klick(w, "Button1");
    QCOMPARE(p.plattform.drucke.size(), 1);
    QCOMPARE(p.plattform.drucke.first().bild.size(), QSize(300, 200));
    QCOMPARE(p.plattform.drucke.first().ziel, QRect(200, 100, 1000, 700));
    klick(w, "Button2");

    // The same picture as the folder's file: the window reads it from the folder.
    p.dir.schreibe(QStringLiteral("Bilder/Kuchen.png"), p.dir.lies(QStringLiteral("woanders/Kuchen.png")));
    QSignalSpy gespeichert(erfassen, &TForm2::bildVergroessernVerlangt);
    gross->click();
    QCOMPARE(gespeichert.size(), 1);
    QCOMPARE(gespeichert.first().first().toString(), QStringLiteral("Kuchen.png"));
    QVERIFY(w->isVisible());
    QCOMPARE(gezeigt(w), QSize(300, 200));
    klick(w, "Button2");

    // Without a picture the button is off again.
    Programm::in<QPushButton>(erfassen, QStringLiteral("Button6"))->click();
    QVERIFY(!gross->isEnabled());
    QCOMPARE(p.plattform.meldungsTexte(), QStringList());
}

QTEST_MAIN(TestBildfenster)
#include "tst_bildfenster.moc"
