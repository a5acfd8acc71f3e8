// German formatting of dates, weekdays and amounts, whatever the machine's locale.
#include "data/German.h"

#include <QRandomGenerator>
#include <QtTest>

class TestDeutsch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void betraege_data();
    void betraege();
    void betraegeWieQLocale();
    void datumUndWochentag();
};

void TestDeutsch::betraege_data() {
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("text");
    QTest::newRow("5,50") << 5.5 << QStringLiteral("5,50 €");
    QTest::newRow("null") << 0.0 << QStringLiteral("0,00 €");
    QTest::newRow("tausender") << 1234.5 << QStringLiteral("1.234,50 €");
    QTest::newRow("million") << 1000000.0 << QStringLiteral("1.000.000,00 €");
    QTest::newRow("negativ") << -2.0 << QStringLiteral("-2,00 €");
    QTest::newRow("negativ tausend") << -1234.56 << QStringLiteral("-1.234,56 €");
    QTest::newRow("cent") << 0.07 << QStringLiteral("0,07 €");
}

void TestDeutsch::betraege() {
    QFETCH(double, wert);
    QFETCH(QString, text);
    QCOMPARE(pfl::waehrungText(wert), text);
}

void TestDeutsch::betraegeWieQLocale() {
    // The hand-made formatting agrees with the locale's on many amounts of every size.
    const QLocale de(QLocale::German, QLocale::Germany);
    QRandomGenerator rnd(11);
    for (int i = 0; i < 20000; ++i) {
        const double v = (rnd.bounded(2) ? -1 : 1) * double(rnd.bounded(100000000)) / 100.0;
        QCOMPARE(pfl::waehrungText(v), de.toString(v, 'f', 2) + QStringLiteral(" €"));
    }
}

void TestDeutsch::datumUndWochentag() {
    QCOMPARE(pfl::datumText(QDate(2026, 3, 2)), QStringLiteral("02.03.2026"));
    QCOMPARE(pfl::wochentag(QDate(2026, 12, 7)), QStringLiteral("Montag"));
    QCOMPARE(pfl::wochentag(QDate(2026, 12, 10)), QStringLiteral("Donnerstag"));
}

QTEST_GUILESS_MAIN(TestDeutsch)
#include "tst_deutsch.moc"
