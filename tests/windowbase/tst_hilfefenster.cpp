// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: opens at a topic, goes back through the pages shown, closes on Escape, and
// stays usable over a modal window.
#include "windowbase/Hilfefenster.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QWindow>
#include <QtTest>

using pfl::Hilfefenster;

class TestHilfefenster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void thema_data();
    void thema();
    void zurueck_data();
    void zurueck();
    void escapeSchliesst();
    void ohneDateiNichts();
    void ueberModalemFenster_data();
    void ueberModalemFenster();

private:
    QTemporaryDir m_ordner;
    QString m_datei;
};

namespace {

QTextBrowser* text(Hilfefenster& h) {
    return h.findChild<QTextBrowser*>(QStringLiteral("Hilfetext"));
}

QPushButton* zurueckKnopf(Hilfefenster& h) {
    return h.findChild<QPushButton*>(QStringLiteral("Zurueck"));
}

// The heading at the top of what the window shows.
QString obersteZeile(Hilfefenster& h) {
    return text(h)->cursorForPosition(QPoint(4, 4)).block().text();
}

// A key as the window system delivers it: a window blocked by a modal one never gets it.
void tasteUeberFenster(Hilfefenster& h, Qt::Key taste) {
    QTest::keyClick(h.windowHandle(), taste);
}

} // namespace

void TestHilfefenster::initTestCase() {
    QVERIFY(m_ordner.isValid());
    // Three topics, each longer than the window, so every one can be scrolled to the top.
    QByteArray html = "<html><body>";
    for (int thema : {100, 150, 200}) {
        html += "<h1><a name=\"t" + QByteArray::number(thema) + "\"></a>Thema " + QByteArray::number(thema) +
                "</h1>";
        for (int i = 0; i < 80; ++i)
            html += "<p>Absatz " + QByteArray::number(i) + " <a href=\"#t100\">Anfang</a></p>";
    }
    html += "</body></html>";
    m_datei = m_ordner.filePath(QStringLiteral("hilfe.ize"));
    QFile f(m_datei);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(html);
}

void TestHilfefenster::thema_data() {
    QTest::addColumn<int>("thema");
    QTest::addColumn<QString>("anker");
    QTest::newRow("erstes") << 100 << "t100";
    QTest::newRow("mitten") << 150 << "t150";
    QTest::newRow("letztes") << 200 << "t200";
}

void TestHilfefenster::thema() {
    QFETCH(int, thema);
    QFETCH(QString, anker);
    QCOMPARE(Hilfefenster::anker(thema), anker);
    Hilfefenster h;
    QCOMPARE(h.objectName(), QStringLiteral("Hilfe"));
    QCOMPARE(h.windowTitle(), QStringLiteral("Pfanno-Lux Hilfe"));
    QCOMPARE(text(h)->accessibleName(), QStringLiteral("Hilfetext"));
    QCOMPARE(zurueckKnopf(h)->accessibleName(), QStringLiteral("Zurück"));
    h.zeigen(m_datei, thema);
    QVERIFY(QTest::qWaitForWindowExposed(&h));
    QCOMPARE(text(h)->source().fragment(), anker);
    QCOMPARE(obersteZeile(h), QStringLiteral("Thema %1").arg(thema));
    QVERIFY(text(h)->hasFocus()); // keys scroll the text at once
}

void TestHilfefenster::zurueck_data() {
    QTest::addColumn<QList<int>>("themen"); // opened one after the other
    QTest::addColumn<int>("zurueck");       // presses of "Zurück"
    QTest::addColumn<bool>("perTaste");     // Alt+Left instead of the button
    QTest::addColumn<int>("gezeigt");
    QTest::addColumn<bool>("weiterZurueck"); // "Zurück" still enabled
    QTest::newRow("ein Thema") << QList<int>{100} << 0 << false << 100 << false;
    QTest::newRow("zwei, zurück") << QList<int>{100, 150} << 1 << false << 100 << false;
    QTest::newRow("drei, einmal zurück") << QList<int>{100, 150, 200} << 1 << false << 150 << true;
    QTest::newRow("drei, zweimal zurück") << QList<int>{100, 150, 200} << 2 << false << 100 << false;
    QTest::newRow("per Taste") << QList<int>{200, 100} << 1 << true << 200 << false;
    QTest::newRow("zweimal per Taste") << QList<int>{100, 150, 200} << 2 << true << 100 << false;
    // The topic already shown is no new page.
    QTest::newRow("gleiches Thema") << QList<int>{150, 150} << 0 << false << 150 << false;
}

void TestHilfefenster::zurueck() {
    QFETCH(QList<int>, themen);
    QFETCH(int, zurueck);
    QFETCH(bool, perTaste);
    QFETCH(int, gezeigt);
    QFETCH(bool, weiterZurueck);
    Hilfefenster h;
    QVERIFY(!zurueckKnopf(h)->isEnabled());
    for (int t : themen)
        h.zeigen(m_datei, t);
    QVERIFY(QTest::qWaitForWindowExposed(&h));
    for (int i = 0; i < zurueck; ++i) {
        if (perTaste)
            QTest::keyClick(text(h), Qt::Key_Left, Qt::AltModifier);
        else
            QTest::mouseClick(zurueckKnopf(h), Qt::LeftButton);
    }
    QCOMPARE(text(h)->source().fragment(), Hilfefenster::anker(gezeigt));
    QCOMPARE(obersteZeile(h), QStringLiteral("Thema %1").arg(gezeigt));
    QCOMPARE(zurueckKnopf(h)->isEnabled(), weiterZurueck);
}

void TestHilfefenster::escapeSchliesst() {
    Hilfefenster h;
    h.zeigen(m_datei, 100);
    h.zeigen(m_datei, 200);
    QVERIFY(QTest::qWaitForWindowExposed(&h));
    QTest::keyClick(text(h), Qt::Key_Escape);
    QVERIFY(!h.isVisible());
    // Opened again, it still knows the pages shown before.
    h.zeigen(m_datei, 150);
    QVERIFY(h.isVisible());
    zurueckKnopf(h)->click();
    QCOMPARE(text(h)->source().fragment(), QStringLiteral("t200"));
}

void TestHilfefenster::ohneDateiNichts() {
    Hilfefenster h;
    h.zeigen(m_ordner.filePath(QStringLiteral("fehlt.ize")), 100);
    QVERIFY(!h.isVisible());
}

void TestHilfefenster::ueberModalemFenster_data() {
    QTest::addColumn<bool>("schonOffen"); // the help was open before the modal window came
    QTest::newRow("erst modal, dann Hilfe") << false;
    QTest::newRow("Hilfe offen, dann modal, dann Hilfe") << true;
}

void TestHilfefenster::ueberModalemFenster() {
    QFETCH(bool, schonOffen);
    QWidget haupt;
    haupt.resize(400, 300);
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    Hilfefenster h;
    if (schonOffen) h.zeigen(m_datei, 100);
    QDialog modal(&haupt);
    modal.setModal(true);
    modal.resize(200, 100);
    modal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&modal));
    QCOMPARE(QApplication::activeModalWidget(), &modal);

    h.zeigen(m_datei, 150);
    QVERIFY(QTest::qWaitForWindowExposed(&h));
    // It takes input: the text scrolls...
    QScrollBar* leiste = text(h)->verticalScrollBar();
    const int vorher = leiste->value();
    tasteUeberFenster(h, Qt::Key_PageDown);
    QVERIFY(leiste->value() > vorher);
    // ...it stays above the modal window, as its transient child...
    QCOMPARE(h.windowHandle()->transientParent(), modal.windowHandle());
    // ...and Escape closes the help, not the modal window.
    tasteUeberFenster(h, Qt::Key_Escape);
    QVERIFY(!h.isVisible());
    QVERIFY(modal.isVisible());

    // Once the modal window is gone the help stands on its own again.
    modal.hide();
    h.zeigen(m_datei, 100);
    QVERIFY(QTest::qWaitForWindowExposed(&h));
    QVERIFY(!h.windowHandle()->transientParent());
    const int oben = leiste->value();
    tasteUeberFenster(h, Qt::Key_PageDown);
    QVERIFY(leiste->value() > oben);
}

QTEST_MAIN(TestHilfefenster)
#include "tst_hilfefenster.moc"
