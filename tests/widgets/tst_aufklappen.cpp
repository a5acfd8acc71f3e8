// SPDX-License-Identifier: GPL-3.0-or-later
// Drop-downs open beside their field inside the platform's work area, not past its edges.
#include "widgets/Aufklappen.h"

#include "support/ScriptedPlatform.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Rechnerfeld.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QtTest>
#include <memory>

class TestAufklappen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void platzieren_data();
    void platzieren();
    void felderBleibenInDerArbeitsflaeche_data();
    void felderBleibenInDerArbeitsflaeche();
    void jedesFeldMitSeinerPlattform_data();
    void jedesFeldMitSeinerPlattform();

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
    pfl::popupPlatzieren(&p, &f, arbeitsflaeche, rechtsbuendig);
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

namespace {

// Opens the drop-down of a date or calculator field and gives it.
QWidget* aufklappen(QWidget& feld) {
    QWidget* popup = nullptr;
    // Opened twice: the offscreen platform shifts a window by a frame margin when it first creates it.
    for (int mal = 0; mal < 2; ++mal) {
        if (auto* datum = qobject_cast<DateEdit*>(&feld)) {
            datum->openCalendar();
            popup = datum->Calendar()->window();
        } else {
            auto* rechner = qobject_cast<RxCalcEdit*>(&feld);
            rechner->openCalculator();
            popup = rechner->Calculator();
        }
        if (mal == 0) popup->hide();
    }
    return popup;
}

std::unique_ptr<QWidget> feldAnlegen(const QString& feldart, Platform& plattform) {
    if (feldart == QLatin1String("Datum")) return std::make_unique<DateEdit>(plattform);
    return std::make_unique<RxCalcEdit>(plattform);
}

} // namespace

void TestAufklappen::felderBleibenInDerArbeitsflaeche() {
    QFETCH(QString, feldart);
    QFETCH(QPoint, feld);
    QFETCH(bool, darueber);
    plattform.arbeitsflaeche = QRect(0, 0, 1920, 1040);
    const std::unique_ptr<QWidget> w = feldAnlegen(feldart, plattform);
    w->setGeometry(QRect(feld, QSize(100, 24)));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QWidget* popup = aufklappen(*w);
    QVERIFY(popup->isVisible());
    const QRect r = popup->frameGeometry();
    QVERIFY2(plattform.arbeitsflaeche.contains(r),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
    const QRect f(w->mapToGlobal(QPoint(0, 0)), w->size());
    QCOMPARE(r.bottom() < f.top(), darueber);
    QCOMPARE(r.top() > f.bottom(), !darueber);
    popup->hide();
}

void TestAufklappen::jedesFeldMitSeinerPlattform_data() {
    QTest::addColumn<QString>("feldart");
    QTest::newRow("Datum") << "Datum";
    QTest::newRow("Rechner") << "Rechner";
}

void TestAufklappen::jedesFeldMitSeinerPlattform() {
    // Two fields at the same place, each given its own platform: the one whose work area ends just
    // below the field opens upwards, the other downwards.
    QFETCH(QString, feldart);
    ScriptedPlatform hoch, niedrig;
    hoch.arbeitsflaeche = QRect(0, 0, 1920, 1040);
    niedrig.arbeitsflaeche = QRect(0, 0, 1920, 560);
    const std::unique_ptr<QWidget> unten = feldAnlegen(feldart, hoch);
    const std::unique_ptr<QWidget> oben = feldAnlegen(feldart, niedrig);
    for (QWidget* w : {unten.get(), oben.get()}) {
        w->setGeometry(QRect(QPoint(100, 500), QSize(100, 24)));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    QWidget* popup = aufklappen(*unten);
    QVERIFY(popup->frameGeometry().top() > unten->mapToGlobal(QPoint(0, 23)).y());
    popup->hide();
    popup = aufklappen(*oben);
    QVERIFY(popup->frameGeometry().bottom() < oben->mapToGlobal(QPoint(0, 0)).y());
    QVERIFY(niedrig.arbeitsflaeche.contains(popup->frameGeometry()));
    popup->hide();
}

QTEST_MAIN(TestAufklappen)
#include "tst_aufklappen.moc"
