// SPDX-License-Identifier: GPL-3.0-or-later
// The colour button: its face shows the stored colour, a click runs its platform's chooser.
#include "widgets/Farbknopf.h"

#include "support/Bildschirmfoto.h"

#include "platform/Farbwert.h"
#include "support/ScriptedPlatform.h"

#include <QSignalSpy>
#include <QtTest>

class TestFarbknopf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void waehlen_data();
    void waehlen();
    void doppelklick();
    void eigenerChooser();
    void flaeche_data();
    void flaeche();
    void fokusrahmen();
};

void TestFarbknopf::waehlen_data() {
    QTest::addColumn<quint32>("vorher");
    QTest::addColumn<QList<quint32>>("antworten"); // answers of the chooser; empty = cancelled
    QTest::addColumn<quint32>("nachher");
    QTest::addColumn<int>("signale");
    QTest::newRow("bestaetigt") << quint32(0x00FF0000) << QList<quint32>{0x000000FF} << quint32(0x000000FF)
                                << 1;
    QTest::newRow("abgebrochen") << quint32(0x00FF0000) << QList<quint32>{} << quint32(0x00FF0000) << 0;
    // The user confirmed, even if the colour is the same: the window takes it.
    QTest::newRow("gleiche farbe") << quint32(0x00123456) << QList<quint32>{0x00123456} << quint32(0x00123456)
                                   << 1;
}

void TestFarbknopf::waehlen() {
    QFETCH(quint32, vorher);
    QFETCH(QList<quint32>, antworten);
    QFETCH(quint32, nachher);
    QFETCH(int, signale);
    ScriptedPlatform plattform;
    for (quint32 a : antworten)
        plattform.farben.enqueue(a);
    TColorButton b(plattform, QStringLiteral("Endfarbe wählen"));
    // A platform made later (another window's) is not the button's and stays unasked.
    ScriptedPlatform spaetere;
    spaetere.farben << 0x00000001u;
    b.setActiveColor(vorher);
    QList<quint32> eigene(16, 0x00FFFFFF);
    eigene[3] = 0x00ABCDEF;
    b.setCustomColors(eigene);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QSignalSpy gewaehlt(&b, &TColorButton::ColorChosen);
    QTest::mouseClick(&b, Qt::LeftButton);
    QCOMPARE(b.ActiveColor(), nachher);
    QCOMPARE(gewaehlt.count(), signale);
    if (signale) QCOMPARE(gewaehlt.first().first().value<quint32>(), nachher);
    QCOMPARE(plattform.letzteEigeneFarben, eigene);
    QVERIFY(plattform.farben.isEmpty());
    QCOMPARE(spaetere.farben.size(), 1);
    QVERIFY(spaetere.letzteEigeneFarben.isEmpty());
}

void TestFarbknopf::doppelklick() {
    // A double click counts as a further press, so the chooser runs twice.
    ScriptedPlatform plattform;
    plattform.farben << 0x00000001u << 0x00000002u;
    TColorButton b(plattform, QStringLiteral("Farbe"));
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QSignalSpy gewaehlt(&b, &TColorButton::ColorChosen);
    // The platform sends press, release, then the double click in place of the second press.
    QTest::mousePress(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    QTest::mouseDClick(&b, Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton);
    QCOMPARE(gewaehlt.count(), 2);
    QCOMPARE(b.ActiveColor(), quint32(0x00000002));

    // Disabled, it asks nothing.
    plattform.farben << 0x00000003u;
    b.setEnabled(false);
    QTest::mouseClick(&b, Qt::LeftButton);
    QCOMPARE(gewaehlt.count(), 2);
}

void TestFarbknopf::eigenerChooser() {
    // A window's own chooser replaces the platform's, which is not asked. A system colour is preset
    // as RGB.
    ScriptedPlatform plattform;
    plattform.farben << 0x00000001u;
    TColorButton b(plattform);
    b.setActiveColor(0xFF00000Fu);
    quint32 vorgabe = 0;
    b.setChooser([&](quint32& c) {
        vorgabe = c;
        c = 0x00405060;
        return true;
    });
    b.click();
    QCOMPARE(vorgabe, pfl::alsWert(b.palette().color(QPalette::Button)));
    QCOMPARE(b.ActiveColor(), quint32(0x00405060));
    QCOMPARE(b.Color(), QColor(0x60, 0x50, 0x40));
    QCOMPARE(plattform.farben.size(), 1);
}

void TestFarbknopf::flaeche_data() {
    QTest::addColumn<quint32>("wert");
    QTest::addColumn<QColor>("farbe");
    QTest::newRow("rot im unteren byte") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("blau im oberen byte") << quint32(0x00FF0000) << QColor(0, 0, 255);
    QTest::newRow("gemischt") << quint32(0x00804020) << QColor(0x20, 0x40, 0x80);
    QTest::newRow("systemfarbe knopf")
        << quint32(0xFF00000F) << QGuiApplication::palette().color(QPalette::Button);
}

void TestFarbknopf::flaeche() {
    QFETCH(quint32, wert);
    QFETCH(QColor, farbe);
    ScriptedPlatform plattform;
    TColorButton b(plattform, QStringLiteral("Endfarbe wählen"));
    b.resize(140, 30);
    b.setActiveColor(wert);
    const QImage img = b.grab().toImage();
    // Away from the edge and the caption the face is the colour.
    QCOMPARE(QColor(img.pixel(8, 15)), farbe);
    QCOMPARE(QColor(img.pixel(131, 15)), farbe);
    QCOMPARE(QColor(img.pixel(70, 4)), farbe);
}

void TestFarbknopf::fokusrahmen() {
    // The focus frame runs 4 pixels inside the edge; without focus that line is face colour.
    ScriptedPlatform plattform;
    QWidget fenster;
    auto* b = new TColorButton(plattform, QStringLiteral("x"), &fenster);
    b->setGeometry(0, 0, 140, 30);
    b->setActiveColor(0x00FFFFFF);
    auto* anderer = new TColorButton(plattform, &fenster);
    anderer->setGeometry(0, 40, 140, 30);
    fenster.show();
    fenster.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fenster));
    auto punkteAufLinie = [&] {
        const QImage img = b->grab().toImage();
        int n = 0;
        for (int x = 10; x < 130; ++x)
            n += QColor(img.pixel(x, 4)) != QColor(Qt::white);
        return n;
    };
    anderer->setFocus();
    QCOMPARE(punkteAufLinie(), 0);
    b->setFocus();
    QVERIFY(punkteAufLinie() > 20);
    pfl::test::bildschirmfoto(&fenster, QStringLiteral("widgets_TColorButton"));
    QCOMPARE(QColor(b->grab().toImage().pixel(70, 3)), QColor(Qt::white));
}

QTEST_MAIN(TestFarbknopf)
#include "tst_farbknopf.moc"
