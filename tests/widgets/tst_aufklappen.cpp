// Drop-downs open beside their field inside the platform's work area, not past its edges.
#include "widgets/Aufklappen.h"

#include "support/ScriptedPlatform.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Rechnerfeld.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QtTest>

class TestAufklappen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void platzieren_data();
    void platzieren();
    void felderBleibenInDerArbeitsflaeche_data();
    void felderBleibenInDerArbeitsflaeche();

private:
    ScriptedPlatform plattform;
};

// A 120 x 24 field at a place on the screen, a 200 x 150 popup.
void TestAufklappen::platzieren_data() {
    QTest::addColumn<QRect>("arbeitsflaeche");
    QTest::addColumn<QPoint>("feld");
    QTest::addColumn<bool>("rechtsbuendig");
    QTest::addColumn<QPoint>("popup");
    const QRect voll(0, 0, 1000, 700);
    QTest::newRow("unten ist Platz") << voll << QPoint(100, 100) << false << QPoint(100, 124);
    QTest::newRow("passt genau bis zum unteren Rand")
        << voll << QPoint(100, 526) << false << QPoint(100, 550);
    QTest::newRow("ein Pixel zu wenig: oben") << voll << QPoint(100, 527) << false << QPoint(100, 377);
    QTest::newRow("am unteren Rand: oben") << voll << QPoint(100, 600) << false << QPoint(100, 450);
    QTest::newRow("am rechten Rand: nach links") << voll << QPoint(900, 100) << false << QPoint(800, 124);
    QTest::newRow("Ecke unten rechts") << voll << QPoint(950, 660) << false << QPoint(800, 510);
    QTest::newRow("rechtsbuendig") << voll << QPoint(300, 100) << true << QPoint(220, 124);
    QTest::newRow("rechtsbuendig am linken Rand") << voll << QPoint(10, 100) << true << QPoint(0, 124);
    // A task bar on top and on the left: the work area starts inside the screen.
    const QRect leisten(50, 40, 950, 660);
    QTest::newRow("Leisten: unten ist Platz") << leisten << QPoint(60, 45) << false << QPoint(60, 69);
    QTest::newRow("Leisten: links") << leisten << QPoint(60, 45) << true << QPoint(50, 69);
    QTest::newRow("Leisten: oben") << leisten << QPoint(60, 600) << false << QPoint(60, 450);
    // Room neither below nor above: the popup's top stays in the work area.
    QTest::newRow("zu niedrig fuer beides")
        << QRect(0, 0, 1000, 250) << QPoint(100, 100) << false << QPoint(100, 0);
}

void TestAufklappen::platzieren() {
    QFETCH(QRect, arbeitsflaeche);
    QFETCH(QPoint, feld);
    QFETCH(bool, rechtsbuendig);
    QFETCH(QPoint, popup);
    plattform.arbeitsflaeche = arbeitsflaeche;
    QWidget f;
    f.setGeometry(QRect(feld, QSize(120, 24)));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.mapToGlobal(QPoint(0, 0)), feld);
    QFrame p(nullptr, Qt::Popup);
    p.resize(200, 150);
    pfl::popupPlatzieren(&p, &f, rechtsbuendig);
    QCOMPARE(p.pos(), popup);
}

// The date and the calculator field open their drop-downs the same way.
void TestAufklappen::felderBleibenInDerArbeitsflaeche_data() {
    QTest::addColumn<QString>("feldart");
    QTest::addColumn<QPoint>("feld");
    QTest::addColumn<bool>("darueber");
    QTest::newRow("Datum oben links") << "Datum" << QPoint(20, 20) << false;
    QTest::newRow("Datum unten rechts") << "Datum" << QPoint(1880, 1000) << true;
    QTest::newRow("Rechner oben links") << "Rechner" << QPoint(0, 20) << false;
    QTest::newRow("Rechner unten rechts") << "Rechner" << QPoint(1880, 1000) << true;
}

void TestAufklappen::felderBleibenInDerArbeitsflaeche() {
    QFETCH(QString, feldart);
    QFETCH(QPoint, feld);
    QFETCH(bool, darueber);
    plattform.arbeitsflaeche = QRect(0, 0, 1920, 1040);
    DateEdit datum;
    RxCalcEdit rechner;
    QWidget& w = feldart == QLatin1String("Datum") ? static_cast<QWidget&>(datum) : rechner;
    w.setGeometry(QRect(feld, QSize(100, 24)));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QWidget* popup = nullptr;
    // Opened twice: the offscreen platform shifts a window by a frame margin when it first creates it.
    for (int mal = 0; mal < 2; ++mal) {
        if (&w == &datum) {
            datum.openCalendar();
            popup = datum.Calendar()->window();
        } else {
            rechner.openCalculator();
            popup = rechner.Calculator();
        }
        if (mal == 0) popup->hide();
    }
    QVERIFY(popup->isVisible());
    const QRect r = popup->frameGeometry();
    QVERIFY2(plattform.arbeitsflaeche.contains(r),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
    const QRect f(w.mapToGlobal(QPoint(0, 0)), w.size());
    QCOMPARE(r.bottom() < f.top(), darueber);
    QCOMPARE(r.top() > f.bottom(), !darueber);
    popup->hide();
}

QTEST_MAIN(TestAufklappen)
#include "tst_aufklappen.moc"
