// SPDX-License-Identifier: GPL-3.0-or-later
// The print settings window: the groups it shows, what "Speichern >>" and "Grundeinstellung" leave
// in Drucker.drk byte for byte, the fonts it offers and the keys that move between its fields.
#include "data/Unit4.h"
#include "print/Druckeinstellungen.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/Schreibgrenze.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;
using Answer = Platform::Answer;
const QString kDatei = QStringLiteral("Drucker.drk");

void setze(DruckGruppe& g, int hoehe, int pen, int zeilen, int rand, int abstand, const char* schrift) {
    g.text_Hoehe = hoehe;
    g.pen_strich = pen;
    g.anz_zeilen = zeilen;
    g.rand = rand;
    g.zeilen_abstand = abstand;
    g.schrift = QString::fromLatin1(schrift);
}

Drucker vorgaben() {
    Drucker d;
    zeroRecord(d);
    setze(d.t, 10, 1, 59, 0, 2, "Tahoma");
    setze(d.k, 8, 1, 32, 2, 2, "Verdana");
    setze(d.f, 8, 2, 30, 2, 2, "Verdana");
    setze(d.d, 8, 1, 50, 0, 0, "Tahoma");
    setze(d.b, 8, 1, 50, 0, 1, "Verdana");
    return d;
}

// Settings someone changed, with the unused groups holding values of their own.
Drucker geaendert() {
    Drucker d = vorgaben();
    setze(d.t, 11, 3, 40, 5, 4, "Arial");
    setze(d.d, 9, 2, 45, 10, 3, "Times New Roman");
    setze(d.e, 7, 7, 7, 7, 7, "Eigen");
    setze(d.u, 1, 2, 3, 4, 5, "Rest");
    return d;
}

struct Fenster {
    Programm p;
    TForm15* w = nullptr;
    explicit Fenster(const Drucker& vorher)
        : p([vorher](Testordner& d) { d.schreibe(kDatei, Testordner::bytes(vorher)); }) {
        oeffnen();
    }
    Fenster() { oeffnen(); }
    void oeffnen() {
        p.finde<QAction>(QStringLiteral("Druckoptionen1"))->trigger();
        w = p.finde<TForm15>(QStringLiteral("Form15"));
    }
    RxSpinEdit* feld(int i) const {
        return Programm::in<RxSpinEdit>(w, QStringLiteral("RxSpinEdit%1").arg(i));
    }
    QComboBox* schrift() const { return Programm::in<QComboBox>(w, QStringLiteral("ComboBox1")); }
    void klick(const char* name) const { Programm::in<QPushButton>(w, QString::fromLatin1(name))->click(); }
    QStringList gezeigt() const {
        QStringList l;
        for (int i = 1; i <= 5; ++i)
            l << feld(i)->Text();
        l << schrift()->currentText();
        return l;
    }
    QByteArray datei() const { return p.dir.lies(kDatei); }
};

} // namespace

class TestDruckeinstellungen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ersterStart();
    void gruppen_data();
    void gruppen();
    void speichern_data();
    void speichern();
    void keineGanzeZahl();
    void grundeinstellung_data();
    void grundeinstellung();
    void schreibfehler();
    void tasten();
};

void TestDruckeinstellungen::ersterStart() {
    // A fresh folder gets the defaults at start-up; the window shows the recipe group and offers
    // the platform's fonts sorted.
    Fenster f;
    QCOMPARE(f.datei(), Testordner::bytes(vorgaben()));
    QVERIFY(f.w->isVisible());
    QCOMPARE(f.gezeigt(), (QStringList{"8", "1", "50", "0", "0", "Tahoma"}));
    QCOMPARE(Programm::in<QLabel>(f.w, QStringLiteral("Label1"))->text(),
             QStringLiteral("Einstellungen für >Rezept drucken<"));
    QStringList schriften;
    for (int i = 0; i < f.schrift()->count(); ++i)
        schriften << f.schrift()->itemText(i);
    QCOMPARE(schriften, (QStringList{"Arial", "Tahoma", "Times New Roman", "Verdana"}));
    pfl::test::bildSpeichern(f.w, QStringLiteral("druckeinstellungen"));
}

void TestDruckeinstellungen::gruppen_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QStringList>("werte"); // size, pen, lines, spacing, margin, font
    QTest::addColumn<QString>("titel");
    QTest::newRow("recipe") << "Button4" << QStringList{"9", "2", "45", "3", "10", "Times New Roman"}
                            << "Einstellungen für >Rezept drucken<";
    QTest::newRow("shopping list") << "Button5" << QStringList{"11", "3", "40", "4", "5", "Arial"}
                                   << "Einstellungen für >Einkaufsliste drucken<";
    QTest::newRow("dates") << "Button8" << QStringList{"8", "1", "50", "1", "0", "Verdana"}
                           << "Einstellungen für >Termine drucken<";
}

void TestDruckeinstellungen::gruppen() {
    QFETCH(QString, knopf);
    QFETCH(QStringList, werte);
    QFETCH(QString, titel);
    Fenster f(geaendert());
    f.feld(1)->setText(QStringLiteral("99")); // typed and not saved: gone when another group shows
    f.klick(knopf.toLatin1().constData());
    QCOMPARE(f.gezeigt(), werte);
    QCOMPARE(Programm::in<QLabel>(f.w, QStringLiteral("Label1"))->text(), titel);
}

void TestDruckeinstellungen::speichern_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("feld");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("schrift");
    QTest::newRow("shopping list size 12") << "Button5" << 1 << "12" << QString();
    QTest::newRow("recipe margin negative") << "Button4" << 5 << "-20" << QString();
    QTest::newRow("dates lines") << "Button8" << 3 << "66" << QString();
    QTest::newRow("long font name cut to 30") << "Button4" << 2 << "1" << QString(45, QLatin1Char('F'));
}

void TestDruckeinstellungen::speichern() {
    QFETCH(QString, knopf);
    QFETCH(int, feld);
    QFETCH(QString, eingabe);
    QFETCH(QString, schrift);
    Fenster f(geaendert());
    f.klick(knopf.toLatin1().constData());
    f.feld(feld)->setText(eingabe);
    if (!schrift.isEmpty()) f.schrift()->setEditText(schrift);
    f.klick("Button11");
    QVERIFY(!f.w->isVisible());
    // Only the one field of the one group changed; every other byte is as before.
    Drucker erwartet = geaendert();
    DruckGruppe& g = knopf == QLatin1String("Button5")   ? erwartet.t
                     : knopf == QLatin1String("Button8") ? erwartet.b
                                                         : erwartet.d;
    qint32* felder[5] = {&g.text_Hoehe, &g.pen_strich, &g.anz_zeilen, &g.zeilen_abstand, &g.rand};
    *felder[feld - 1] = eingabe.toInt();
    if (!schrift.isEmpty()) g.schrift = schrift.left(30);
    QCOMPARE(f.datei(), Testordner::bytes(erwartet));
    QVERIFY(f.p.plattform.meldungen.isEmpty());
}

void TestDruckeinstellungen::keineGanzeZahl() {
    Fenster f(geaendert());
    f.feld(4)->setText(QStringLiteral("2,5"));
    f.klick("Button11");
    // Nothing stored, the window stays with what was typed, the user is told which field.
    QCOMPARE(f.datei(), Testordner::bytes(geaendert()));
    QVERIFY(f.w->isVisible());
    QCOMPARE(f.feld(4)->Text(), QStringLiteral("2,5"));
    QCOMPARE(f.p.plattform.meldungen.size(), 1);
    QVERIFY(f.p.plattform.meldungen.first().text.contains(QStringLiteral("Zeilenabstand")));
}

void TestDruckeinstellungen::grundeinstellung_data() {
    QTest::addColumn<bool>("ja");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestDruckeinstellungen::grundeinstellung() {
    QFETCH(bool, ja);
    Fenster f(geaendert());
    f.p.plattform.antworten.enqueue(ja ? Answer::Yes : Answer::No);
    f.klick("Button9");
    QVERIFY(!f.w->isVisible());
    QCOMPARE(f.p.plattform.meldungen.size(), 1);
    QCOMPARE(f.p.plattform.meldungen.first().buttons, Platform::Buttons::YesNo);
    QVERIFY(f.p.plattform.meldungen.first().text.startsWith(
        QStringLiteral("Durch die Grundeinstellung werden von Ihnen bereits geänderten\n")));
    // The defaults for t, k, f, d and b; e, s and u keep what they held.
    // A shorter font name leaves the bytes behind it as they were.
    Drucker erwartet = geaendert();
    if (ja) {
        setze(erwartet.t, 10, 1, 59, 0, 2, "Tahoma");
        setze(erwartet.d, 8, 1, 50, 0, 0, "Tahoma");
    }
    QCOMPARE(f.datei(), Testordner::bytes(erwartet));
}

void TestDruckeinstellungen::schreibfehler() {
    // The disk is full when the settings are saved: told, the window keeps what was typed and the
    // file stays as it was.
    Fenster f(geaendert());
    f.feld(1)->setText(QStringLiteral("12"));
    const int ergebnis = pfl::test::mitSchreibgrenze(100, [&] {
        f.klick("Button11");
        const bool gemeldet =
            !f.p.plattform.meldungen.isEmpty() && f.p.plattform.meldungen.first().text.contains(kDatei);
        const bool bleibt = f.w->isVisible() && f.feld(1)->Text() == QStringLiteral("12") &&
                            Testordner::bytes(f.p.u.drucke) == Testordner::bytes(geaendert());
        return gemeldet && bleibt ? 1 : 2;
    });
    QCOMPARE(ergebnis, 1);
    QCOMPARE(f.datei(), Testordner::bytes(geaendert()));
}

void TestDruckeinstellungen::tasten() {
    Fenster f;
    f.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.w));
    f.feld(1)->setFocus();
    QVERIFY(f.feld(1)->hasFocus());
    QTest::keyClick(f.feld(1), Qt::Key_Return);
    QVERIFY(f.feld(2)->hasFocus());
    QTest::keyClick(f.feld(2), Qt::Key_Down);
    QVERIFY(f.feld(3)->hasFocus());
    QCOMPARE(f.feld(2)->Text(), QStringLiteral("1")); // the key moved, it did not step the value
    QTest::keyClick(f.feld(3), Qt::Key_Up);
    QVERIFY(f.feld(2)->hasFocus());
    QVERIFY(f.w->isVisible()); // Return did not save and close
}

QTEST_MAIN(TestDruckeinstellungen)
#include "tst_druckeinstellungen.moc"
