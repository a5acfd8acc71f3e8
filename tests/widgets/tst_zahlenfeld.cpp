// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-number field: arrows step and signal, typed text stays as typed.
#include "widgets/Zahlenfeld.h"

#include "support/Bildschirmfoto.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QVBoxLayout>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// Where the style draws one arrow of the field.
QPoint pfeil(RxSpinEdit& w, QStyle::SubControl sc) {
    QStyleOptionSpinBox opt;
    opt.initFrom(&w);
    opt.frame = true;
    opt.subControls =
        QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    opt.buttonSymbols = w.buttonSymbols();
    return w.style()->subControlRect(QStyle::CC_SpinBox, &opt, sc, &w).center();
}

struct Fenster {
    QWidget fenster;
    RxSpinEdit* feld = new RxSpinEdit(&fenster);
    QLineEdit* anderes = new QLineEdit(&fenster);
    Fenster() {
        auto* lay = new QVBoxLayout(&fenster);
        lay->addWidget(feld);
        lay->addWidget(anderes);
        fenster.show();
    }
};

} // namespace

class TestZahlenfeld : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void schritte_data();
    void schritte();
    void tippenBleibtWieGetippt();
    void ganzzahl_data();
    void ganzzahl();
    void setzen();
};

void TestZahlenfeld::schritte_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("min");
    QTest::addColumn<std::optional<int>>("max");
    QTest::addColumn<int>("schrittweite");
    QTest::addColumn<QString>("wie"); // "maus" on the arrow, "taste" cursor key
    QTest::addColumn<bool>("hoch");
    QTest::addColumn<QString>("erwartet");
    QTest::addColumn<int>("signale");

    const std::optional<int> offen;
    QTest::newRow("hoch") << "5" << offen << offen << 1 << "maus" << true << "6" << 1;
    QTest::newRow("runter") << "5" << offen << offen << 1 << "maus" << false << "4" << 1;
    QTest::newRow("unter null ohne grenze") << "0" << offen << offen << 1 << "maus" << false << "-1" << 1;
    QTest::newRow("taste hoch") << "5" << offen << offen << 1 << "taste" << true << "6" << 1;
    QTest::newRow("taste runter") << "5" << offen << offen << 1 << "taste" << false << "4" << 1;
    QTest::newRow("an der obergrenze")
        << "100" << std::optional(0) << std::optional(100) << 1 << "maus" << true << "100" << 0;
    QTest::newRow("an der untergrenze")
        << "0" << std::optional(0) << std::optional(100000) << 1 << "maus" << false << "0" << 0;
    QTest::newRow("ueber der grenze getippt")
        << "500" << offen << std::optional(100) << 1 << "maus" << true << "100" << 1;
    QTest::newRow("keine zahl bleibt stehen") << "abc" << offen << offen << 1 << "maus" << true << "abc" << 1;
    QTest::newRow("leer") << "" << offen << offen << 1 << "taste" << false << "-1" << 1;
    QTest::newRow("schrittweite") << "10" << offen << offen << 5 << "maus" << true << "15" << 1;
}

void TestZahlenfeld::schritte() {
    QFETCH(QString, text);
    QFETCH(std::optional<int>, min);
    QFETCH(std::optional<int>, max);
    QFETCH(int, schrittweite);
    QFETCH(QString, wie);
    QFETCH(bool, hoch);
    QFETCH(QString, erwartet);
    QFETCH(int, signale);

    Fenster f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.fenster));
    RxSpinEdit& w = *f.feld;
    w.setMinValue(min);
    w.setMaxValue(max);
    w.setIncrement(schrittweite);
    w.setText(text);
    // The windows read the new text inside the handler, so it must be there when the signal comes.
    QStringList textImSignal;
    connect(&w, &RxSpinEdit::TopClick, &w, [&] { textImSignal << QStringLiteral("oben ") + w.Text(); });
    connect(&w, &RxSpinEdit::BottomClick, &w, [&] { textImSignal << QStringLiteral("unten ") + w.Text(); });

    if (wie == QLatin1String("maus")) {
        QTest::mouseClick(&w, Qt::LeftButton, {},
                          pfeil(w, hoch ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown));
    } else {
        w.setFocus();
        QTest::keyClick(&w, hoch ? Qt::Key_Up : Qt::Key_Down);
    }
    QCOMPARE(w.Text(), erwartet);
    QStringList soll;
    for (int i = 0; i < signale; ++i)
        soll << (hoch ? QStringLiteral("oben ") : QStringLiteral("unten ")) + erwartet;
    QCOMPARE(textImSignal, soll);
}

void TestZahlenfeld::tippenBleibtWieGetippt() {
    Fenster f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.fenster));
    RxSpinEdit& w = *f.feld;
    w.setMaxValue(100);
    w.clear();
    QSignalSpy oben(&w, &RxSpinEdit::TopClick);
    QSignalSpy unten(&w, &RxSpinEdit::BottomClick);
    QSignalSpy change(&w, &RxSpinEdit::Change);

    w.setFocus();
    QTest::keyClicks(&w, "12a");
    QCOMPARE(change.count(), 3);
    QTest::keyClick(&w, Qt::Key_Return);
    f.anderes->setFocus();
    QCOMPARE(w.Text(), QStringLiteral("12a"));
    pfl::test::bildschirmfoto(&f.fenster, QStringLiteral("widgets_RxSpinEdit"));
    bool ok = true;
    QCOMPARE(w.AsInteger(&ok), 0);
    QVERIFY(!ok);
    QVERIFY(!w.IsInteger());

    // Above the bound: typed text is not clamped behind the user's back.
    w.setFocus();
    w.clear();
    QTest::keyClicks(&w, "500");
    f.anderes->setFocus();
    QCOMPARE(w.Text(), QStringLiteral("500"));
    QCOMPARE(w.AsInteger(&ok), 500);
    QVERIFY(ok);
    QCOMPARE(oben.count(), 0);
    QCOMPARE(unten.count(), 0);
}

void TestZahlenfeld::ganzzahl_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("istZahl");
    QTest::addColumn<int>("wert");
    QTest::newRow("zahl") << "42" << true << 42;
    QTest::newRow("blanks aussen") << " 42 " << true << 42;
    QTest::newRow("minus") << "-3" << true << -3;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("groesste") << "2147483647" << true << 2147483647;
    QTest::newRow("zu gross") << "2147483648" << false << 0;
    QTest::newRow("leer") << "" << false << 0;
    QTest::newRow("blank innen") << "4 2" << false << 0;
    QTest::newRow("tausenderpunkt") << "1.000" << false << 0;
    QTest::newRow("komma") << "1,5" << false << 0;
    QTest::newRow("buchstabe") << "12a" << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
}

void TestZahlenfeld::ganzzahl() {
    QFETCH(QString, text);
    QFETCH(bool, istZahl);
    QFETCH(int, wert);
    RxSpinEdit w;
    w.setText(text);
    bool ok = !istZahl;
    QCOMPARE(w.AsInteger(&ok), wert);
    QCOMPARE(ok, istZahl);
    QCOMPARE(w.Value(), wert);
    QCOMPARE(w.Text(), text);
}

void TestZahlenfeld::setzen() {
    RxSpinEdit w;
    QCOMPARE(w.Text(), QStringLiteral("0"));
    QSignalSpy change(&w, &RxSpinEdit::Change);
    w.setText(QStringLiteral("7"));
    w.setText(QStringLiteral("7"));
    QCOMPARE(change.count(), 1);
    w.setMinValue(0);
    w.setMaxValue(100);
    w.setValue(250);
    QCOMPARE(w.Text(), QStringLiteral("100"));
    w.setValue(-4);
    QCOMPARE(w.Text(), QStringLiteral("0"));
    w.setMaxValue(std::nullopt);
    w.setValue(250);
    QCOMPARE(w.Text(), QStringLiteral("250"));
    w.clear();
    QCOMPARE(w.Text(), QString());
    QCOMPARE(w.property("value").toInt(), 0);
}

QTEST_MAIN(TestZahlenfeld)
#include "tst_zahlenfeld.moc"
