// SPDX-License-Identifier: GPL-3.0-or-later
// The currency field: German amounts whatever the locale, 0 as an empty field, the text read while typed.
#include "widgets/Waehrungsfeld.h"

#include "support/Bildschirmfoto.h"
#include "data/Deutsch.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

struct Fenster {
    QWidget fenster;
    CurrencyEdit* feld = new CurrencyEdit(&fenster);
    QLineEdit* anderes = new QLineEdit(&fenster);
    Fenster() {
        auto* lay = new QVBoxLayout(&fenster);
        lay->addWidget(feld);
        lay->addWidget(anderes);
        fenster.show();
    }
};

} // namespace

class TestWaehrungsfeld : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void lesen_data();
    void lesen();
    void anzeige_data();
    void anzeige();
    void tippen_data();
    void tippen();
    void unveraendertBleibtGenau();
};

void TestWaehrungsfeld::initTestCase() {
    // An English machine must still see and read German amounts.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestWaehrungsfeld::lesen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("lesbar");
    QTest::addColumn<double>("wert");
    QTest::newRow("komma") << "12,5" << true << 12.5;
    QTest::newRow("tausender und komma") << "1.234,50" << true << 1234.5;
    QTest::newRow("millionen") << "1.234.567,8" << true << 1234567.8;
    QTest::newRow("punkt als komma") << "12.5" << true << 12.5;
    QTest::newRow("punkt gruppiert") << "1.234" << true << 1234.0;
    QTest::newRow("negativ") << "-3,20" << true << -3.2;
    QTest::newRow("nur bruch") << ",5" << true << 0.5;
    QTest::newRow("komma am ende") << "12," << true << 12.0;
    QTest::newRow("mit zeichen") << " 12,00 €" << true << 12.0;
    QTest::newRow("leer") << "" << false << 0.0;
    QTest::newRow("zwei kommas") << "1,2,3" << false << 0.0;
    QTest::newRow("falsch gruppiert") << "1.23,4" << false << 0.0;
    QTest::newRow("zwei punkte") << "12.34.5" << false << 0.0;
    QTest::newRow("nur zeichen") << "-" << false << 0.0;
    QTest::newRow("buchstaben") << "zwölf" << false << 0.0;
}

void TestWaehrungsfeld::lesen() {
    QFETCH(QString, text);
    QFETCH(bool, lesbar);
    QFETCH(double, wert);
    const std::optional<double> v = pfl::dezimalzahl(text);
    QCOMPARE(v.has_value(), lesbar);
    if (lesbar) QCOMPARE(*v, wert);
}

void TestWaehrungsfeld::anzeige_data() {
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("ruhend");
    QTest::addColumn<QString>("bearbeitend");
    QTest::newRow("null ist leer") << 0.0 << ""
                                   << "";
    QTest::newRow("zwei stellen") << 12.5 << "12,50"
                                  << "12,50";
    QTest::newRow("tausender") << 1234.5 << "1.234,50"
                               << "1234,50";
    QTest::newRow("million") << 1000000.0 << "1.000.000,00"
                             << "1000000,00";
    QTest::newRow("negativ") << -3.2 << "-3,20"
                             << "-3,20";
    QTest::newRow("gerundet") << 2.675 << "2,68"
                              << "2,68";
    QTest::newRow("fast null") << -0.001 << "0,00"
                               << "0,00";
}

void TestWaehrungsfeld::anzeige() {
    QFETCH(double, wert);
    QFETCH(QString, ruhend);
    QFETCH(QString, bearbeitend);
    Fenster f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.fenster));
    f.anderes->setFocus();
    f.feld->setValue(wert);
    QCOMPARE(f.feld->Text(), ruhend);
    QCOMPARE(f.feld->Value(), wert);
    pfl::test::bildschirmfoto(&f.fenster, QStringLiteral("widgets_CurrencyEdit_") +
                                              QString::fromUtf8(QTest::currentDataTag()));
    f.feld->setFocus();
    QCOMPARE(f.feld->Text(), bearbeitend);
    f.anderes->setFocus();
    QCOMPARE(f.feld->Text(), ruhend);
    QCOMPARE(f.feld->Value(), wert);
}

void TestWaehrungsfeld::tippen_data() {
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("getippt"); // text while the field has the focus
    QTest::addColumn<double>("wert");
    QTest::addColumn<QString>("danach"); // text after leaving the field
    QTest::addColumn<bool>("gueltig");
    QTest::newRow("komma") << "12,5"
                           << "12,5" << 12.5 << "12,50" << true;
    QTest::newRow("tausender") << "1.234,5"
                               << "1.234,5" << 1234.5 << "1.234,50" << true;
    QTest::newRow("buchstaben fallen weg") << "1a2b"
                                           << "12" << 12.0 << "12,00" << true;
    QTest::newRow("null wird leer") << "0,00"
                                    << "0,00" << 0.0 << "" << true;
    QTest::newRow("nichts") << ""
                            << "" << 0.0 << "" << true;
    // An unreadable amount stays as typed so the user sees it; it counts 0.
    QTest::newRow("unlesbar") << "1,2,3"
                              << "1,2,3" << 0.0 << "1,2,3" << false;
}

void TestWaehrungsfeld::tippen() {
    QFETCH(QString, tasten);
    QFETCH(QString, getippt);
    QFETCH(double, wert);
    QFETCH(QString, danach);
    QFETCH(bool, gueltig);
    Fenster f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.fenster));
    f.feld->setValue(99);
    f.feld->setFocus();
    f.feld->selectAll();
    QTest::keyClick(f.feld, Qt::Key_Delete);
    QSignalSpy change(f.feld, &CurrencyEdit::Change);
    QTest::keyClicks(f.feld, tasten);
    QCOMPARE(f.feld->Text(), getippt);
    // The windows read the amount while the field may still have the focus.
    QCOMPARE(f.feld->Value(), wert);
    QCOMPARE(change.count(), getippt.size());
    f.anderes->setFocus();
    QCOMPARE(f.feld->Text(), danach);
    QCOMPARE(f.feld->Value(), wert);
    QCOMPARE(f.feld->IsValid(), gueltig);
}

void TestWaehrungsfeld::unveraendertBleibtGenau() {
    // Visiting the field without typing must not round a stored amount to what is shown.
    Fenster f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.fenster));
    f.feld->setValue(12.345);
    f.feld->setFocus();
    QTest::keyClick(f.feld, Qt::Key_Return);
    f.anderes->setFocus();
    QCOMPARE(f.feld->Value(), 12.345);
    // Text set by a window is read at once.
    f.feld->setText(QStringLiteral("7,5"));
    QCOMPARE(f.feld->Value(), 7.5);
    QCOMPARE(f.feld->Text(), QStringLiteral("7,50"));
    f.feld->clear();
    QCOMPARE(f.feld->Text(), QString());
    QCOMPARE(f.feld->Value(), 0.0);
}

QTEST_MAIN(TestWaehrungsfeld)
#include "tst_waehrungsfeld.moc"
