// SPDX-License-Identifier: GPL-3.0-or-later
// The date field: mask, German dates whatever the locale, and the calendar that drops down.
#include "widgets/Datumsfeld.h"

#include "support/Bildschirmfoto.h"

#include "support/ScriptedPlatform.h"

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using pfl::test::bildschirmfoto;

QTableView* tage(QCalendarWidget* k) {
    return k->findChild<QTableView*>();
}

// The cell of a day of the month shown (days 13..22 appear only once in the grid).
QModelIndex zelle(QCalendarWidget* k, int tag) {
    QAbstractItemModel* m = tage(k)->model();
    for (int r = 1; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->data(m->index(r, c)).toInt() == tag) return m->index(r, c);
    return {};
}

} // namespace

class TestDatumsfeld : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void leer();
    void lesen_data();
    void lesen();
    void tippen();
    void kalenderPickt();
    void kalenderTasten();
    void heuteDerEigenenPlattform();

private:
    ScriptedPlatform plattform;
};

void TestDatumsfeld::initTestCase() {
    // The field must stay German on a machine with another locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestDatumsfeld::leer() {
    DateEdit w(plattform);
    QCOMPARE(w.Text(), QStringLiteral("  .  .    "));
    QVERIFY(w.IsEmpty());
    QVERIFY(!w.Date().isValid());
    w.setDate(QDate(2026, 3, 9));
    QCOMPARE(w.Text(), QStringLiteral("09.03.2026"));
    QVERIFY(!w.IsEmpty());
    QSignalSpy change(&w, &DateEdit::Change);
    w.clear();
    QCOMPARE(w.Text(), DateEdit::leererText);
    QCOMPARE(change.count(), 1);
    w.setDate(QDate(2026, 3, 9));
    w.setDate(QDate());
    QCOMPARE(w.Text(), DateEdit::leererText);
}

void TestDatumsfeld::lesen_data() {
    QTest::addColumn<QString>("gesetzt");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("datum");
    QTest::newRow("voll") << "07.12.2026"
                          << "07.12.2026" << QDate(2026, 12, 7);
    QTest::newRow("schaltjahr") << "29.02.2024"
                                << "29.02.2024" << QDate(2024, 2, 29);
    QTest::newRow("kein schaltjahr") << "29.02.2026"
                                     << "29.02.2026" << QDate();
    QTest::newRow("monat 13") << "01.13.2026"
                              << "01.13.2026" << QDate();
    QTest::newRow("jahr zweistellig") << "07.12.26"
                                      << "07.12.26  " << QDate(2026, 12, 7);
    QTest::newRow("tag fehlt") << "  .12.2026"
                               << "  .12.2026" << QDate();
    QTest::newRow("leer") << ""
                          << "  .  .    " << QDate();
    // A stored text that does not fit the mask keeps only what fits, as typing it would.
    QTest::newRow("buchstaben") << "ab.cd.efgh"
                                << "  .  .    " << QDate();
}

void TestDatumsfeld::lesen() {
    QFETCH(QString, gesetzt);
    QFETCH(QString, text);
    QFETCH(QDate, datum);
    DateEdit w(plattform);
    w.setText(gesetzt);
    QCOMPARE(w.Text(), text);
    QCOMPARE(w.Date(), datum);
}

void TestDatumsfeld::tippen() {
    DateEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setFocus();
    w.home(false);
    QSignalSpy change(&w, &DateEdit::Change);
    QTest::keyClicks(&w, "24122026");
    QCOMPARE(w.Text(), QStringLiteral("24.12.2026"));
    QCOMPARE(w.Date(), QDate(2026, 12, 24));
    QVERIFY(change.count() >= 8);
    // Letters do not get into the mask.
    w.clear();
    w.home(false);
    QTest::keyClicks(&w, "x1");
    QCOMPARE(w.Text(), QStringLiteral("1 .  .    "));
}

void TestDatumsfeld::kalenderPickt() {
    QWidget fenster;
    auto* w = new DateEdit(plattform, &fenster);
    auto* lay = new QVBoxLayout(&fenster);
    lay->addWidget(w);
    lay->addStretch();
    fenster.resize(300, 80);
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));

    // Empty: the calendar opens on the platform's today, a Monday in the first column.
    auto* knopf = w->findChild<QToolButton*>();
    QVERIFY(knopf);
    QTest::mouseClick(knopf, Qt::LeftButton);
    QVERIFY(w->IsCalendarOpen());
    QCalendarWidget* k = w->Calendar();
    QVERIFY(QTest::qWaitForWindowExposed(k->window()));
    QCOMPARE(k->selectedDate(), plattform.heute);
    QCOMPARE(k->firstDayOfWeek(), Qt::Monday);
    QAbstractItemModel* m = tage(k)->model();
    QVERIFY2(m->data(m->index(0, 0)).toString().startsWith(QStringLiteral("Mo")),
             qPrintable(m->data(m->index(0, 0)).toString()));
    QVERIFY(m->data(m->index(0, 6)).toString().startsWith(QStringLiteral("So")));
    QVERIFY(m->data(m->index(0, 2)).toString().startsWith(QStringLiteral("Mi")));
    bildschirmfoto(k->grab().toImage(), QStringLiteral("widgets_DateEdit_Kalender"));

    QSignalSpy change(w, &DateEdit::Change);
    const QModelIndex i = zelle(k, 18);
    QVERIFY(i.isValid());
    QTest::mouseClick(tage(k)->viewport(), Qt::LeftButton, {}, tage(k)->visualRect(i).center());
    QCOMPARE(w->Text(), QStringLiteral("18.12.2026"));
    QCOMPARE(w->Date(), QDate(2026, 12, 18));
    QVERIFY(!w->IsCalendarOpen());
    QCOMPARE(change.count(), 1);
    bildschirmfoto(&fenster, QStringLiteral("widgets_DateEdit"));

    // With a date in the field the calendar opens on it.
    w->setText(QStringLiteral("03.05.2021"));
    QTest::mouseClick(knopf, Qt::LeftButton);
    QCOMPARE(k->selectedDate(), QDate(2021, 5, 3));
    QCOMPARE(k->monthShown(), 5);
    w->closeCalendar();
}

void TestDatumsfeld::kalenderTasten() {
    DateEdit w(plattform);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setFocus();
    w.setDate(QDate(2026, 1, 14));
    QSignalSpy change(&w, &DateEdit::Change);

    QTest::keyClick(&w, Qt::Key_Down, Qt::AltModifier);
    QVERIFY(w.IsCalendarOpen());
    QWidget* tabelle = tage(w.Calendar());
    // Escape closes without taking a date.
    QTest::keyClick(tabelle, Qt::Key_Right);
    QTest::keyClick(tabelle, Qt::Key_Escape);
    QVERIFY(!w.IsCalendarOpen());
    QCOMPARE(w.Text(), QStringLiteral("14.01.2026"));
    QCOMPARE(change.count(), 0);

    // A week down and Enter takes that day.
    QTest::keyClick(&w, Qt::Key_F4);
    QVERIFY(w.IsCalendarOpen());
    QTest::keyClick(tabelle, Qt::Key_Down);
    QTest::keyClick(tabelle, Qt::Key_Return);
    QVERIFY(!w.IsCalendarOpen());
    QCOMPARE(w.Text(), QStringLiteral("21.01.2026"));

    // Disabled or read-only fields keep their calendar shut.
    w.setReadOnly(true);
    w.openCalendar();
    QVERIFY(!w.IsCalendarOpen());
}

void TestDatumsfeld::heuteDerEigenenPlattform() {
    // Each empty field opens on the date of the platform it was given, not on another's.
    ScriptedPlatform schaltjahr, jahresende;
    schaltjahr.heute = QDate(2024, 2, 29);
    jahresende.heute = QDate(2025, 12, 31);
    DateEdit a(schaltjahr);
    DateEdit b(jahresende);
    for (DateEdit* w : {&a, &b}) {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    a.openCalendar();
    b.openCalendar();
    QCOMPARE(a.Calendar()->selectedDate(), schaltjahr.heute);
    QCOMPARE(b.Calendar()->selectedDate(), jahresende.heute);
    QCOMPARE(a.Text(), DateEdit::leererText); // opening takes no date
    a.closeCalendar();
    b.closeCalendar();
}

QTEST_MAIN(TestDatumsfeld)
#include "tst_datumsfeld.moc"
