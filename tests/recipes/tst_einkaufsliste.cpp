// SPDX-License-Identifier: GPL-3.0-or-later
// The shopping list through its window and the editor's button: the records each save appends,
// clearing, the capacity of 10 000 Windows-1252 characters, appending a recipe's ingredients, and
// handing the shown text to printing.
#include "data/Unit4.h"
#include "recipes/Einkaufsliste.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/Schreibgrenze.h"

#include <QAction>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;
constexpr qsizetype kSatz = sizeof(Einkaufstliste);

// One record: the text's bytes, a NUL and zeros up to the record size.
QByteArray satz(const QByteArray& text) {
    QByteArray r = text.left(kSatz);
    r.append(QByteArray(kSatz - r.size(), '\0'));
    return r;
}
QByteArray saetze(const QList<QByteArray>& texte) {
    QByteArray r;
    for (const QByteArray& t : texte)
        r += satz(t);
    return r;
}

// A book with one recipe whose ingredient text has two lines.
void mitRezept(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Backen")});
    dateien r = Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Kuchen"));
    std::memcpy(r.zutaten.bytes, "200 g Mehl\r\n3 Eier", 19);
    d.buch(QStringLiteral("Familie.rez"), {r});
}

struct Einkauf {
    Programm p;
    QDialog* w = nullptr;

    explicit Einkauf(const QList<QByteArray>& vorher, bool datei = true)
        : p([&](Testordner& d) {
              mitRezept(d);
              if (datei) d.schreibe(QStringLiteral("Einkaufsliste.Ekl"), saetze(vorher));
          }) {
        w = p.finde<QDialog>(QStringLiteral("Form3"));
    }
    void oeffnen() { p.finde<QAction>(QStringLiteral("Einkaufslistebearbeiten1"))->trigger(); }
    QPlainTextEdit* memo() const { return Programm::in<QPlainTextEdit>(w, QStringLiteral("Memo1")); }
    // Replaces the text as typing does (the window knows it as changed).
    void tippen(const QString& text) const {
        memo()->selectAll();
        memo()->insertPlainText(text);
    }
    void klick(const char* name) const { Programm::in<QPushButton>(w, QString::fromLatin1(name))->click(); }
    QByteArray datei() const { return p.dir.lies(QStringLiteral("Einkaufsliste.Ekl")); }
    // The editor on the recipe, and its button "Zutatenliste zur Einkaufsliste hinzufügen".
    QDialog* zutatenHinzufuegen() {
        auto* editor = p.finde<QDialog>(QStringLiteral("Form13"));
        QMetaObject::invokeMethod(editor, "oeffnenBei", Q_ARG(int, 1));
        Programm::in<QPushButton>(editor, QStringLiteral("Button9"))->click();
        return editor;
    }
};

} // namespace

class TestEinkaufsliste : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void oeffnenZeigtDenLetztenSatz();
    void modal_data();
    void modal();
    void speichern_data();
    void speichern();
    void zuLangWirdNichtGekuerzt_data();
    void zuLangWirdNichtGekuerzt();
    void zutatenAnhaengen_data();
    void zutatenAnhaengen();
    void ungespeicherterTextBleibt();
    void druckenGibtDenGezeigtenText();
    void fehlgeschlagenesSpeichernWirdGemeldet_data();
    void fehlgeschlagenesSpeichernWirdGemeldet();
};

void TestEinkaufsliste::oeffnenZeigtDenLetztenSatz() {
    Einkauf e({"Alt", "Milch\r\nBrot"});
    e.oeffnen();
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.w->windowTitle(), QStringLiteral("Einkaufsliste"));
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("Milch\nBrot"));
    pfl::test::bildSpeichern(e.w, QStringLiteral("einkaufsliste"));
    // Reading changes nothing on disk.
    QCOMPARE(e.datei(), saetze({"Alt", "Milch\r\nBrot"}));
}

void TestEinkaufsliste::modal_data() {
    QTest::addColumn<bool>("ausEditor");
    QTest::newRow("Hauptfenster") << false;
    QTest::newRow("Editor") << true;
}

void TestEinkaufsliste::modal() {
    QFETCH(bool, ausEditor);
    Einkauf e({"Milch"});
    QDialog* editor = nullptr;
    if (ausEditor)
        editor = e.zutatenHinzufuegen();
    else
        e.oeffnen();
    // The list takes the input; from the editor it stacks on it, and the editor stays open below.
    QVERIFY(e.w->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), e.w);
    if (editor) QVERIFY(editor->isVisible());
    e.klick("Button3");
    QCOMPARE(QApplication::activeModalWidget(), editor);
}

void TestEinkaufsliste::speichern_data() {
    QTest::addColumn<bool>("datei");
    QTest::addColumn<QList<QByteArray>>("vorher");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("text"); // typed into Memo1
    QTest::addColumn<QList<QByteArray>>("nachher");
    using L = QList<QByteArray>;
    QTest::newRow("three lines appended") << true << L{"Milch"} << "Button1"
                                          << "Mehl\nZucker\nEier" << L{"Milch", "Mehl\r\nZucker\r\nEier"};
    QTest::newRow("missing file is created with two copies") << false << L{} << "Button1"
                                                             << "Salz" << L{"Salz", "Salz"};
    // Appending would leave an empty file empty: it starts again as a missing one.
    QTest::newRow("empty file starts with two copies") << true << L{} << "Button1"
                                                       << "Salz" << L{"Salz", "Salz"};
    QTest::newRow("clearing an empty file") << true << L{} << "Button2"
                                            << "Brot" << L{"", ""};
    QTest::newRow("Windows-1252") << true << L{"x"} << "Button1" << QStringLiteral("Äpfel – 1 kg")
                                  << L{"x", "\xC4pfel \x96 1 kg"};
    QTest::newRow("nothing of a longer earlier list stays behind")
        << true << L{QByteArray(500, 'z')} << "Button1"
        << "Tee" << L{QByteArray(500, 'z'), "Tee"};
    QTest::newRow("exactly 10000 characters")
        << true << L{"x"} << "Button1" << QString(10000, QLatin1Char('a')) << L{"x", QByteArray(10000, 'a')};
    QTest::newRow("clearing appends a zero record") << true << L{"Milch"} << "Button2"
                                                    << "Brot" << L{"Milch", ""};
}

void TestEinkaufsliste::speichern() {
    QFETCH(bool, datei);
    QFETCH(QList<QByteArray>, vorher);
    QFETCH(QString, knopf);
    QFETCH(QString, text);
    QFETCH(QList<QByteArray>, nachher);
    Einkauf e(vorher, datei);
    e.oeffnen();
    e.tippen(text);
    e.klick(knopf.toLatin1().constData());
    QVERIFY(e.p.plattform.meldungen.isEmpty());
    QCOMPARE(e.datei(), saetze(nachher));
    // Closed and opened again, the window shows what was stored.
    e.klick("Button3");
    QVERIFY(!e.w->isVisible());
    e.oeffnen();
    QCOMPARE(e.memo()->toPlainText(), knopf == QLatin1String("Button2") ? QString() : text);
}

void TestEinkaufsliste::zuLangWirdNichtGekuerzt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ab"); // first character that does not fit; -1: all fits
    const QString a9999(9999, QLatin1Char('a'));
    QTest::newRow("10001 characters") << QString(10001, QLatin1Char('b')) << 10000;
    // A line break is stored as CR LF: 10001 characters shown, 10002 stored.
    QTest::newRow("line break counts two") << a9999 + QStringLiteral("\nb") << 9999;
    QTest::newRow("short lines, exactly full") << QStringLiteral("ab\n").repeated(2500) << -1;
    QTest::newRow("short lines, one more") << QStringLiteral("ab\n").repeated(2501) << 7500;
    // A character Windows-1252 lacks is stored as one "?", though it takes two places here.
    QTest::newRow("emoji is one character") << a9999 + QStringLiteral("\U0001F600") << -1;
    QTest::newRow("emoji one too many") << a9999 + QStringLiteral("\U0001F600x") << 10001;
}

void TestEinkaufsliste::zuLangWirdNichtGekuerzt() {
    QFETCH(QString, text);
    QFETCH(int, ab);
    QCOMPARE(int(pfl::einkaufUeberlauf(text)), ab);
    Einkauf e({"Milch"});
    e.oeffnen();
    e.tippen(text);
    e.klick("Button1");
    if (ab < 0) {
        QVERIFY(e.p.plattform.meldungen.isEmpty());
        QCOMPARE(e.datei().size(), 2 * kSatz);
        return;
    }
    QCOMPARE(e.p.plattform.meldungen.size(), 1);
    const QString m = e.p.plattform.meldungen.first().text;
    QVERIFY2(m.contains(QStringLiteral("nicht gespeichert")) && m.contains(QStringLiteral("10.000")),
             qPrintable(m));
    QCOMPARE(e.datei(), saetze({"Milch"}));
    // The text stays whole, and what does not fit is shown selected.
    QCOMPARE(e.memo()->toPlainText(), text);
    const QTextCursor c = e.memo()->textCursor();
    QCOMPARE(c.selectionStart(), ab);
    QCOMPARE(c.selectionEnd(), int(text.size()));
}

void TestEinkaufsliste::zutatenAnhaengen_data() {
    QTest::addColumn<bool>("datei");
    QTest::addColumn<QList<QByteArray>>("vorher");
    QTest::addColumn<bool>("geoeffnet"); // the list was opened from the main window before
    QTest::addColumn<QList<QByteArray>>("nachher");
    QTest::addColumn<QString>("gezeigt");
    using L = QList<QByteArray>;
    // The list, a line feed and a carriage return, then the ingredient lines; stored at once.
    QTest::newRow("list opened before")
        << true << L{"Milch"} << true << L{"Milch", "Milch\n\r200 g Mehl\r\n3 Eier"}
        << "Milch\n\n200 g Mehl\n3 Eier";
    // The stored list is read first, so it is not replaced by the ingredients alone.
    QTest::newRow("list not opened in this run")
        << true << L{"Alt", "Milch"} << false << L{"Alt", "Milch", "Milch\n\r200 g Mehl\r\n3 Eier"}
        << "Milch\n\n200 g Mehl\n3 Eier";
    QTest::newRow("no list yet") << false << L{} << false
                                 << L{"\n\r200 g Mehl\r\n3 Eier", "\n\r200 g Mehl\r\n3 Eier"}
                                 << "\n\n200 g Mehl\n3 Eier";
    // 9980 + 2 + 18 characters fit as stored, but the list shown would need 10002 when saved again.
    QTest::newRow("would overflow") << true << L{QByteArray(9980, 'm')} << true << L{QByteArray(9980, 'm')}
                                    << QString(9980, QLatin1Char('m'));
    QTest::newRow("fits exactly") << true << L{QByteArray(9978, 'm')} << true
                                  << L{QByteArray(9978, 'm'),
                                       QByteArray(9978, 'm') + "\n\r200 g Mehl\r\n3 Eier"}
                                  << QString(9978, QLatin1Char('m')) +
                                         QStringLiteral("\n\n200 g Mehl\n3 Eier");
}

void TestEinkaufsliste::zutatenAnhaengen() {
    QFETCH(bool, datei);
    QFETCH(QList<QByteArray>, vorher);
    QFETCH(bool, geoeffnet);
    QFETCH(QList<QByteArray>, nachher);
    QFETCH(QString, gezeigt);
    Einkauf e(vorher, datei);
    if (geoeffnet) {
        e.oeffnen();
        e.klick("Button3");
    }
    QDialog* editor = e.zutatenHinzufuegen();
    QCOMPARE(e.datei(), saetze(nachher));
    QCOMPARE(e.memo()->toPlainText(), gezeigt);
    QVERIFY(e.w->isVisible());
    QVERIFY(editor->isVisible()); // the editor stays open
    const bool abgelehnt = nachher.size() == vorher.size();
    QCOMPARE(e.p.plattform.meldungen.size(), abgelehnt ? 1 : 0);
    if (abgelehnt) {
        const QString m = e.p.plattform.meldungen.first().text;
        QVERIFY2(m.contains(QStringLiteral("nicht hinzugefügt")) && m.contains(QStringLiteral("10.002")),
                 qPrintable(m));
    }
    // What was stored loads as it is shown.
    e.klick("Button3");
    e.oeffnen();
    QCOMPARE(e.memo()->toPlainText(), gezeigt);
}

void TestEinkaufsliste::ungespeicherterTextBleibt() {
    Einkauf e({"Milch"});
    e.oeffnen();
    e.tippen(QStringLiteral("Milch\nButter"));
    // Another window reading the stored list does not overwrite the shown text.
    e.p.u.einkauflist_lesen();
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("Milch\nButter"));
    // Closed without saving and opened again: the typed text is still there, not the stored one.
    e.klick("Button3");
    e.oeffnen();
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("Milch\nButter"));
    QCOMPARE(e.datei(), saetze({"Milch"}));
    // Once saved, opening reads the file again.
    e.klick("Button1");
    e.p.dir.schreibe(QStringLiteral("Einkaufsliste.Ekl"), saetze({"Tee"}));
    e.klick("Button3");
    e.oeffnen();
    QCOMPARE(e.memo()->toPlainText(), QStringLiteral("Tee"));
}

void TestEinkaufsliste::druckenGibtDenGezeigtenText() {
    Einkauf e({"Milch"});
    e.oeffnen();
    // Found by its name, as the print window connects to it.
    QSignalSpy drucken(e.w, SIGNAL(druckenVerlangt()));
    QSignalSpy geschlossen(e.w, SIGNAL(geschlossen()));
    e.tippen(QStringLiteral("Milch\nKäse"));
    e.klick("Button4");
    QCOMPARE(drucken.size(), 1);
    QCOMPARE(geschlossen.size(), 1);
    QVERIFY(!e.w->isVisible());
    // The text as shown, saved or not.
    QCOMPARE(e.p.u.einkaufText, QStringLiteral("Milch\r\nKäse"));
    QCOMPARE(e.datei(), saetze({"Milch"}));
}

void TestEinkaufsliste::fehlgeschlagenesSpeichernWirdGemeldet_data() {
    QTest::addColumn<QString>("knopf");
    QTest::newRow("Speichern") << "Button1";
    QTest::newRow("Löschen") << "Button2";
}

void TestEinkaufsliste::fehlgeschlagenesSpeichernWirdGemeldet() {
    QFETCH(QString, knopf);
    Einkauf e({"Milch"});
    e.oeffnen();
    enum { Gemeldet = 1, Unveraendert = 2, TextDa = 4 };
    // The file may not grow by another record; the typed text stays, unsaved.
    const int bits = pfl::test::mitSchreibgrenze(kSatz + 100, [&] {
        e.tippen(QStringLiteral("Brot"));
        e.klick(knopf.toLatin1().constData());
        const QStringList m = e.p.plattform.meldungsTexte();
        int r = 0;
        if (m.size() == 1 && m.first().contains(QStringLiteral("Einkaufsliste.Ekl"))) r |= Gemeldet;
        if (e.datei() == saetze({"Milch"})) r |= Unveraendert;
        if (e.memo()->toPlainText() == QStringLiteral("Brot") && e.memo()->document()->isModified())
            r |= TextDa;
        return r;
    });
    QCOMPARE(bits, Gemeldet | Unveraendert | TextDa);
}

QTEST_MAIN(TestEinkaufsliste)
#include "tst_einkaufsliste.moc"
