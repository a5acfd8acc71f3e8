// SPDX-License-Identifier: GPL-3.0-or-later
// The road of a typical request through the windows: a double click in the overview lists the
// recipes of that name, a row opens in the editor, a change is saved in place, and the overview
// shows it when the windows close.
#include "mainwindow/Hauptfenster.h"
#include "grid/FilterGrid.h"
#include "support/LaufendesProgramm.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
void buch(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Backen")});
    d.buch(QStringLiteral("Familie.rez"),
           {Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Apfelkuchen"), QString(), 7.25),
            Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"), QString(), 3.5),
            Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"), QString(), 2.0)});
}
} // namespace

class TestAblauf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void vonDerUebersichtZumEditor();
};

void TestAblauf::vonDerUebersichtZumEditor() {
    pfl::test::LaufendesProgramm p(buch);
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    auto* rubriken = p.finde<QListWidget>(QStringLiteral("ListBox1"));
    rubriken->setCurrentItem(rubriken->findItems(QStringLiteral("Suppen"), Qt::MatchExactly).first());
    TFilterGrid* uebersicht = p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    int zeile = 1;
    while (uebersicht->Cells(0, zeile).trimmed() != QLatin1String("Erbsensuppe"))
        ++zeile;
    uebersicht->setRow(zeile);
    Q_EMIT uebersicht->DblClick();

    // The listing of that name, then its row in the editor.
    auto* liste = p.finde<QDialog>(QStringLiteral("form21"));
    QVERIFY(liste && liste->isVisible());
    auto* treffer = p.in<TFilterGrid>(liste, QStringLiteral("FilterGrid1"));
    QCOMPARE(treffer->RowCount(), 2); // the title row and the one recipe of that name
    QVERIFY(!p.in<QPushButton>(liste, QStringLiteral("Button1"))->isEnabled()); // until a row is chosen
    treffer->setRow(1);
    Q_EMIT treffer->Click();
    p.in<QPushButton>(liste, QStringLiteral("Button1"))->click();
    auto* editor = p.finde<QDialog>(QStringLiteral("Form13"));
    QVERIFY(editor && editor->isVisible());
    auto* name = p.in<QLineEdit>(editor, QStringLiteral("Edit2"));
    QCOMPARE(name->text(), QStringLiteral("Erbsensuppe"));
    name->setText(QStringLiteral("Erbseneintopf"));
    p.in<QPushButton>(editor, QStringLiteral("Button1"))->click(); // "Speichern"
    QVERIFY(p.plattform.meldungen.isEmpty());

    // Only the third record changed, and only in its name.
    const QByteArray nachher = p.dir.lies(QStringLiteral("Familie.rez"));
    constexpr int k = int(sizeof(dateien));
    QCOMPARE(nachher.size(), vorher.size());
    QCOMPARE(nachher.left(2 * k), vorher.left(2 * k));
    const dateien d = Testordner::satz<dateien>(nachher, 2);
    QCOMPARE(d.name.toQString(), QStringLiteral("Erbseneintopf"));
    QCOMPARE(d.Rubrik.toQString(), QStringLiteral("Suppen"));
    QCOMPARE(d.preis, 2.0);

    editor->close();
    liste->close();
    QStringList namen;
    for (int r = 1; r < uebersicht->RowCount(); ++r)
        namen << uebersicht->Cells(0, r).trimmed();
    QVERIFY(namen.contains(QStringLiteral("Erbseneintopf")));
    QVERIFY(!namen.contains(QStringLiteral("Erbsensuppe")));
}

QTEST_MAIN(TestAblauf)
#include "tst_ablauf.moc"
