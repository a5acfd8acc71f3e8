// SPDX-License-Identifier: GPL-3.0-or-later
// German numbers, amounts and dates, read and written the same whatever the machine's locale.
#include "data/Deutsch.h"

#include <QRandomGenerator>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)

class TestDeutsch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void betraege_data();
    void betraege();
    void betraegeWieQLocale();
    void zahlenLesen_data();
    void zahlenLesen();
    void schnellerWegWieVoller();
    void datumLesen_data();
    void datumLesen();
    void datumZeitLesen_data();
    void datumZeitLesen();
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

// The same text read as a table cell (lenient) and as an input field (strict); where the two
// differ, they differ on purpose.
void TestDeutsch::zahlenLesen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("zelle");
    QTest::addColumn<std::optional<double>>("feld");
    const std::optional<double> keine;
    QTest::newRow("Betrag") << "5,50 €" << 5.5 << std::optional(5.5);
    QTest::newRow("Tausender") << "1.234,5" << 1234.5 << std::optional(1234.5);
    QTest::newRow("Blanks und Minus") << " -3 " << -3.0 << std::optional(-3.0);
    // A cell's "." always groups thousands; in a field a lone "." is a typed decimal point.
    QTest::newRow("Punkt") << "12.5" << 125.0 << std::optional(12.5);
    QTest::newRow("Einheit") << "45 Min" << 45.0 << keine;
    QTest::newRow("ganzer Betrag") << "12,-" << 12.0 << keine;
    QTest::newRow("unter eins") << "-,50" << 0.5 << std::optional(-0.5);
    QTest::newRow("zweites Komma") << "1,2,3" << 1.2 << keine;
    QTest::newRow("Buchstaben am Wert") << "1,5kg" << 0.0 << keine;
    QTest::newRow("leer") << "" << 0.0 << keine;
}

void TestDeutsch::zahlenLesen() {
    QFETCH(QString, text);
    QFETCH(double, zelle);
    QFETCH(std::optional<double>, feld);
    QCOMPARE(pfl::zahlImText(text), zelle);
    QCOMPARE(pfl::dezimalzahl(text), feld);
}

// Cell texts of the common forms take a short way; a leading blank sends the same text the full
// way, which must give the same number.
void TestDeutsch::schnellerWegWieVoller() {
    const QStringList enden{"", " €", " Min", ",", ",-", "x", ",5x", " 3,5", ".5"};
    QRandomGenerator rnd(5);
    for (int i = 0; i < 3000; ++i) {
        QString t = rnd.bounded(4) == 0 ? QStringLiteral("-") : QString();
        for (int n = rnd.bounded(0, 8); n > 0; --n)
            t += QChar(u'0' + rnd.bounded(10));
        if (rnd.bounded(2)) {
            t += QLatin1Char(',');
            for (int n = rnd.bounded(0, 5); n > 0; --n)
                t += QChar(u'0' + rnd.bounded(10));
        }
        t += enden[rnd.bounded(int(enden.size()))];
        QCOMPARE(pfl::zahlImText(t), pfl::zahlImText(QLatin1Char(' ') + t));
    }
}

void TestDeutsch::datumLesen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("datum");
    QTest::newRow("voll") << "07.12.2026" << QDate(2026, 12, 7);
    QTest::newRow("ohne Nullen") << "7.2.2026" << QDate(2026, 2, 7);
    QTest::newRow("Maske mit Blanks") << "07.12.26  " << QDate(2026, 12, 7);
    QTest::newRow("Jahr 49") << "1.1.49" << QDate(2049, 1, 1);
    QTest::newRow("Jahr 50") << "1.1.50" << QDate(1950, 1, 1);
    QTest::newRow("Jahr 99") << "31.12.99" << QDate(1999, 12, 31);
    QTest::newRow("Jahr einstellig") << "1.1.5" << QDate(2005, 1, 1);
    QTest::newRow("kein Schaltjahr") << "29.02.2026" << QDate();
    QTest::newRow("Monat 13") << "01.13.2026" << QDate();
    QTest::newRow("Tag fehlt") << "  .12.2026" << QDate();
    QTest::newRow("Vorzeichen") << "+1.1.2024" << QDate();
    QTest::newRow("zwei Teile") << "1.1" << QDate();
    QTest::newRow("leer") << "  .  .    " << QDate();
}

void TestDeutsch::datumLesen() {
    QFETCH(QString, text);
    QFETCH(QDate, datum);
    QCOMPARE(pfl::datumLesen(text), datum);
}

void TestDeutsch::datumZeitLesen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("lesbar");
    QTest::addColumn<double>("tage"); // since 30 December 1899
    QTest::newRow("Datum") << "24.12.2024" << true << 45650.0;
    QTest::newRow("Datum und Zeit") << " 24.12.2024 18:30:05 " << true << 45650.0 + 66605.0 / 86400.0;
    QTest::newRow("Zeit allein") << "07:45" << true << 7.75 / 24.0;
    QTest::newRow("kurzes Jahr 50") << "1.1.50" << true << 18264.0;
    QTest::newRow("kurzes Jahr 49") << "1.1.49" << true << 54424.0;
    QTest::newRow("vor dem Nulltag") << "29.12.1899 12:00" << true << -1.5;
    QTest::newRow("Stunde 25") << "24.12.2024 25:00" << false << 0.0;
    QTest::newRow("Minute 60") << "7:60" << false << 0.0;
    QTest::newRow("Text") << "morgen" << false << 0.0;
    QTest::newRow("leer") << " " << false << 0.0;
}

void TestDeutsch::datumZeitLesen() {
    QFETCH(QString, text);
    QFETCH(bool, lesbar);
    QFETCH(double, tage);
    double w = -99;
    QCOMPARE(pfl::datumZeitLesen(text, w), lesbar);
    if (lesbar) QVERIFY2(qAbs(w - tage) < 1e-9, qPrintable(QString::number(w, 'f', 9)));
}

void TestDeutsch::datumUndWochentag() {
    QCOMPARE(pfl::datumText(QDate(2026, 3, 2)), QStringLiteral("02.03.2026"));
    QCOMPARE(pfl::datumLesen(pfl::datumText(QDate(1987, 11, 30))), QDate(1987, 11, 30));
    QCOMPARE(pfl::wochentag(QDate(2026, 12, 7)), QStringLiteral("Montag"));
    QCOMPARE(pfl::wochentag(QDate(2026, 12, 10)), QStringLiteral("Donnerstag"));
}

QTEST_GUILESS_MAIN(TestDeutsch)
#include "tst_deutsch.moc"
