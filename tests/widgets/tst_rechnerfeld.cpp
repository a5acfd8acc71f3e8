// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator field: the drop-down calculator computes like a pocket calculator and fills the field.
#include "widgets/Rechnerfeld.h"

#include "support/Bildschirmfoto.h"

#include "support/ScriptedPlatform.h"

#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using pfl::test::bildschirmfoto;

// Presses the calculator's buttons by caption, one character each.
void druecken(RxCalcEdit& w, const QString& tasten) {
    for (const QChar c : tasten) {
        auto* b = w.Calculator()->findChild<QPushButton*>(QStringLiteral("Taste") + c);
        QVERIFY2(b, qPrintable(QString(c)));
        QTest::mouseClick(b, Qt::LeftButton);
    }
}

QString anzeige(RxCalcEdit& w) {
    return w.Calculator()->findChild<QLineEdit*>(QStringLiteral("Anzeige"))->text();
}

} // namespace

class TestRechnerfeld : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void rechnen_data();
    void rechnen();
    void tastatur();
    void abbrechen();
    void feld_data();
    void feld();

private:
    ScriptedPlatform plattform;
};

void TestRechnerfeld::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestRechnerfeld::rechnen_data() {
    QTest::addColumn<QString>("start");  // the field's text when the calculator opens
    QTest::addColumn<QString>("tasten"); // buttons pressed
    QTest::addColumn<QString>("anzeige");
    QTest::addColumn<QString>("feld"); // the field afterwards; "=" puts the result there and closes
    QTest::addColumn<bool>("offen");

    QTest::newRow("plus") << ""
                          << "12+3="
                          << "15"
                          << "15" << false;
    QTest::newRow("mal") << ""
                         << "7×6="
                         << "42"
                         << "42" << false;
    QTest::newRow("geteilt") << ""
                             << "1÷4="
                             << "0,25"
                             << "0,25" << false;
    QTest::newRow("komma") << ""
                           << "1,5+1,5="
                           << "3"
                           << "3" << false;
    QTest::newRow("kette von links") << ""
                                     << "2+3×4="
                                     << "20"
                                     << "20" << false;
    QTest::newRow("zweite operation ersetzt") << ""
                                              << "5+×3="
                                              << "15"
                                              << "15" << false;
    QTest::newRow("binaerer rest") << ""
                                   << "0,1+0,2="
                                   << "0,3"
                                   << "0,3" << false;
    QTest::newRow("minus unter null") << ""
                                      << "3−5="
                                      << "-2"
                                      << "-2" << false;
    QTest::newRow("vom feld aus") << "2,5"
                                  << "×2="
                                  << "5"
                                  << "5" << false;
    QTest::newRow("eingabe ersetzt feldwert") << "2,5"
                                              << "4+1="
                                              << "5"
                                              << "5" << false;
    QTest::newRow("nur ein komma") << ""
                                   << "1,2,3"
                                   << "1,23"
                                   << "" << true;
    QTest::newRow("komma zuerst") << ""
                                  << ",5"
                                  << "0,5"
                                  << "" << true;
    QTest::newRow("rueckschritt") << ""
                                  << "123←"
                                  << "12"
                                  << "" << true;
    QTest::newRow("loeschen") << "9"
                              << "12+C"
                              << "0"
                              << "9" << true;
    // Division by zero shows the error and leaves the field alone; the next digit starts afresh.
    QTest::newRow("durch null") << "7"
                                << "9÷0="
                                << "Fehler"
                                << "7" << true;
    QTest::newRow("nach fehler") << "7"
                                 << "9÷0=4+1="
                                 << "5"
                                 << "5" << false;
    QTest::newRow("zwischenergebnis") << ""
                                      << "2+3+"
                                      << "5"
                                      << "" << true;
}

void TestRechnerfeld::rechnen() {
    QFETCH(QString, start);
    QFETCH(QString, tasten);
    QFETCH(QString, anzeige);
    QFETCH(QString, feld);
    QFETCH(bool, offen);
    RxCalcEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setText(start);
    QTest::mouseClick(w.findChild<QToolButton*>(), Qt::LeftButton);
    QVERIFY(w.IsCalculatorOpen());
    druecken(w, tasten);
    QCOMPARE(::anzeige(w), anzeige);
    QCOMPARE(w.Text(), feld);
    QCOMPARE(w.IsCalculatorOpen(), offen);
}

void TestRechnerfeld::tastatur() {
    RxCalcEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setFocus();
    QSignalSpy change(&w, &RxCalcEdit::Change);
    QTest::keyClick(&w, Qt::Key_Down, Qt::AltModifier);
    QVERIFY(w.IsCalculatorOpen());
    QWidget* popup = w.Calculator();
    QTest::keyClicks(popup, "12.5*2-1/2");
    QCOMPARE(anzeige(w), QStringLiteral("2"));
    QTest::keyClick(popup, Qt::Key_Return);
    QVERIFY(!w.IsCalculatorOpen());
    QCOMPARE(w.Text(), QStringLiteral("12"));
    QCOMPARE(w.Value(), 12.0);
    QCOMPARE(change.count(), 1);
}

void TestRechnerfeld::abbrechen() {
    RxCalcEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setValue(4.5);
    QCOMPARE(w.Text(), QStringLiteral("4,5"));
    bildschirmfoto(&w, QStringLiteral("widgets_RxCalcEdit"));
    w.openCalculator();
    QCOMPARE(anzeige(w), QStringLiteral("4,5"));
    QTest::keyClicks(w.Calculator(), "+1");
    bildschirmfoto(w.Calculator(), QStringLiteral("widgets_RxCalcEdit_Rechner"));
    QTest::keyClick(w.Calculator(), Qt::Key_Escape);
    QVERIFY(!w.IsCalculatorOpen());
    QCOMPARE(w.Text(), QStringLiteral("4,5"));
    w.setEnabled(false);
    w.openCalculator();
    QVERIFY(!w.IsCalculatorOpen());
}

void TestRechnerfeld::feld_data() {
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("wert");
    QTest::addColumn<bool>("gueltig");
    QTest::newRow("komma") << "3,75"
                           << "3,75" << 3.75 << true;
    QTest::newRow("tausender") << "1.234,5"
                               << "1.234,5" << 1234.5 << true;
    QTest::newRow("buchstaben fallen weg") << "x7y"
                                           << "7" << 7.0 << true;
    QTest::newRow("unlesbar") << "1,2,3"
                              << "1,2,3" << 0.0 << false;
}

void TestRechnerfeld::feld() {
    QFETCH(QString, tasten);
    QFETCH(QString, text);
    QFETCH(double, wert);
    QFETCH(bool, gueltig);
    RxCalcEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setFocus();
    QTest::keyClicks(&w, tasten);
    QCOMPARE(w.Text(), text);
    QCOMPARE(w.Value(), wert);
    QCOMPARE(w.IsValid(), gueltig);
}

QTEST_MAIN(TestRechnerfeld)
#include "tst_rechnerfeld.moc"
