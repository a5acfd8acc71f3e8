// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window, used through its controls as a user would: opening, the lists, taking over a
// recipe, the status line, saving with every field checked in the book's bytes, and pictures.
#include "mainwindow/Hauptfenster.h"
#include "data/Unit4.h"
#include "recipes/Erfassen.h"
#include "pages/Rezeptbild.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Namensliste.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include "grid/FilterGrid.h"

#include <QtTest>

#include <sys/stat.h>

namespace {
using Programm = pfl::test::LaufendesProgramm;
constexpr qint64 kSatz = sizeof(dateien);

// A book "Familie" of seven recipes in two categories, its sections and categories.
void familie(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Backen")});
    d.kategorien({QStringLiteral("Deftig"), QStringLiteral("Backwerk")});
    QList<dateien> r;
    for (int i = 0; i < 5; ++i)
        r << Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Suppe %1").arg(i),
                                QStringLiteral("Deftig"), 4.5);
    r << Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Apfelkuchen"),
                            QStringLiteral("Backwerk"), 7.25);
    r << Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Zimtschnecken"),
                            QStringLiteral("Backwerk"));
    d.buch(QStringLiteral("Familie.rez"), r);
}

TForm2* oeffne(Programm& p) {
    p.finde<QAction>(QStringLiteral("Rezepteerfassen1"))->trigger();
    return p.finde<TForm2>(QStringLiteral("Form2"));
}

template <typename T> T* in(TForm2* w, const char* name) {
    return Programm::in<T>(w, QString::fromLatin1(name));
}

QStringList eintraege(QListWidget* l) {
    QStringList s;
    for (int i = 0; i < l->count(); ++i)
        s << l->item(i)->text();
    return s;
}

void klicke(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    QVERIFY2(!t.isEmpty(), qPrintable(text));
    l->scrollToItem(t.first());
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(t.first()).center());
}

QStringList eintraege(pfl::Namensliste* l) {
    return l->namen();
}

void klicke(pfl::Namensliste* l, const QString& text) {
    const int z = int(l->namen().indexOf(text));
    QVERIFY2(z >= 0, qPrintable(text));
    const QModelIndex i = l->model()->index(z, 0);
    l->scrollTo(i);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(i).center());
}

dateien satz(const Programm& p, int index, const QString& buch = QStringLiteral("Familie.rez")) {
    return Testordner::satz<dateien>(p.dir.lies(buch), index);
}

// A real picture file in the given format.
QByteArray bildBytes(const char* format, QColor farbe = Qt::darkGreen) {
    QImage img(48, 32, QImage::Format_RGB32);
    img.fill(farbe);
    QByteArray b;
    QBuffer puffer(&b);
    puffer.open(QIODevice::WriteOnly);
    img.save(&puffer, format);
    return b;
}

void schreibeDatei(const QString& pfad, const QByteArray& b) {
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

} // namespace

class TestErfassen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void oeffnen();
    void oeffnenBehaeltInhalt();
    void speichernHaengtAn();
    void rubrikPruefen_data();
    void rubrikPruefen();
    void felderGespeichert_data();
    void felderGespeichert();
    void statuszeile();
    void kategorieWechsel();
    void rubrikWahl();
    void uebernahme();
    void uebernahmeWechseltKategorie();
    void fehlgeschlagenesSpeichern();
    void felderLoeschen();
    void bildSpeichern_data();
    void bildSpeichern();
    void bildFehler_data();
    void bildFehler();
    void bildnamen_data();
    void bildnamen();
    void knoepfeMelden();
    void fuerHilfsmittel();
};

void TestErfassen::oeffnen() {
    Programm p(familie);
    p.plattform.arbeitsflaeche = QRect(0, 40, 1600, 900);
    QVERIFY(p.finde<QToolButton>(QStringLiteral("SpeedButton1"))->isEnabled());
    p.finde<QToolButton>(QStringLiteral("SpeedButton1"))->click();
    TForm2* w = p.finde<TForm2>(QStringLiteral("Form2"));
    QVERIFY(w && w->isVisible());
    QVERIFY(!w->isModal());
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    QCOMPARE(w->windowTitle(), QStringLiteral("Bitte geben Sie Ihr Kochrezept ein."));
    QCOMPARE(w->size(), QSize(1600, 900));
    QCOMPARE(w->pos(), QPoint(0, 40));
    // Bottom buttons around the centre 800, each 120 wide.
    QCOMPARE(in<QPushButton>(w, "Button1")->x(), 800 - 240 - 15);
    QCOMPARE(in<QPushButton>(w, "Button2")->x(), 800 - 120 - 10);
    QCOMPARE(in<QPushButton>(w, "Button3")->x(), 800 - 5);
    QCOMPARE(in<QPushButton>(w, "Button9")->x(), 800 + 120);
    QCOMPARE(in<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("Deftig"));
    QCOMPARE(in<QComboBox>(w, "ComboBox3")->currentText(), QStringLiteral("Anz. Personen"));
    QCOMPARE(in<QComboBox>(w, "ComboBox1")->currentText(), QStringLiteral("Simpel"));
    QCOMPARE(in<QComboBox>(w, "ComboBox1")->count(), 4);
    QCOMPARE(in<QComboBox>(w, "ComboBox1")->itemText(2), QStringLiteral("Mittel "));
    QCOMPARE(eintraege(in<QListWidget>(w, "ListBox1")), (QStringList{"Backen", "Suppen"}));
    QCOMPARE(eintraege(in<pfl::Namensliste>(w, "ListBox2")).size(), 5);
    QCOMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral(" Rezepte in Kategorie Deftig"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit1")->Text(), QStringLiteral("2"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit2")->Text(), QStringLiteral("20"));
    // Setting the preparation time to 20 was its last change.
    QCOMPARE(in<QLabel>(w, "Panel7")->text(), QStringLiteral("Zubereitungszeit 20 Minuten"));
    QCOMPARE(in<DateEdit>(w, "DateEdit1")->Text(), QStringLiteral("07.12.2026"));
    QVERIFY(!in<QToolButton>(w, "SpeedButton1")->isEnabled());
    pfl::test::bildSpeichern(w, QStringLiteral("erfassen"));
    QTest::keyClick(w, Qt::Key_F1);
    in<QPushButton>(w, "Button9")->click();
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 2);
    QCOMPARE(p.plattform.hilfeAufrufe.at(0).second, 150);
    QCOMPARE(p.plattform.hilfeAufrufe.at(1).second, 150);
    in<QPushButton>(w, "Button3")->click();
    QVERIFY(!w->isVisible());
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden()); // the main window was refreshed
    QVERIFY(p.plattform.meldungen.isEmpty());
}

void TestErfassen::oeffnenBehaeltInhalt() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    in<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Gulasch"));
    in<CurrencyEdit>(w, "CurrencyEdit1")->setValue(3.5);
    in<RxSpinEdit>(w, "RxSpinEdit1")->setText(QStringLiteral("6"));
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    w = oeffne(p);
    QCOMPARE(in<QLineEdit>(w, "Edit2")->text(), QStringLiteral("Gulasch"));
    QCOMPARE(in<CurrencyEdit>(w, "CurrencyEdit1")->Value(), 3.5);
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit1")->Text(), QStringLiteral("2"));
    // The preparation time was 20 already: the portions text stays the last one set.
    QCOMPARE(in<QLabel>(w, "Panel7")->text(), QStringLiteral("   Zutatenliste für 2 Personen"));
}

void TestErfassen::speichernHaengtAn() {
    Programm p(familie);
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    TForm2* w = oeffne(p);
    QTest::keyClicks(in<QLineEdit>(w, "Edit2"), QStringLiteral("Linseneintopf"));
    klicke(in<QListWidget>(w, "ListBox1"), QStringLiteral("Suppen"));
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Suppen"));
    in<QPlainTextEdit>(w, "Memo1")->setPlainText(QStringLiteral("200 g Linsen\n1 Zwiebel"));
    in<QPlainTextEdit>(w, "Memo2")->setPlainText(QStringLiteral("Kochen."));
    in<QLineEdit>(w, "Edit4")->setText(QStringLiteral("450"));
    QTest::keyClicks(in<CurrencyEdit>(w, "CurrencyEdit1"), QStringLiteral("3,40"));
    in<RxSpinEdit>(w, "RxSpinEdit3")->setText(QStringLiteral("35"));
    in<QPushButton>(w, "Button1")->click();

    QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 8 * kSatz);
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")).left(7 * kSatz), vorher);
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezept gespeichert"));
    QVERIFY(!in<QPushButton>(w, "Button1")->isEnabled());
    const dateien d = satz(p, 7);
    QCOMPARE(d.Rubrik.toQString(), QStringLiteral("Suppen"));
    QCOMPARE(d.name.toQString(), QStringLiteral("Linseneintopf"));
    QCOMPARE(d.kategorie.toQString(), QStringLiteral("Deftig"));
    QCOMPARE(d.personen.toQString(), QStringLiteral("Anz. Personen"));
    QCOMPARE(d.anzahl.toQString(), QStringLiteral("2"));
    QCOMPARE(d.zeit.toQString(), QStringLiteral("20"));
    QCOMPARE(d.k_zeit.toQString(), QStringLiteral("35"));
    QCOMPARE(d.schwer.toQString(), QStringLiteral("Simpel"));
    QCOMPARE(d.kalorien.toQString(), QStringLiteral("450"));
    QCOMPARE(d.erfasst_am.toQString(), QStringLiteral("07.12.2026"));
    QCOMPARE(d.preis, 3.4);
    QCOMPARE(d.bild.toQString(), QString());
    QCOMPARE(QByteArray(d.zutaten.bytes, 24), QByteArray("200 g Linsen\r\n1 Zwiebel\0", 24));
    QCOMPARE(d.zubereitung.toQString(), QStringLiteral("Kochen."));
    // An empty memo zero-fills its field; fields the window never sets stay zero.
    QCOMPARE(QByteArray(d.utensielien.bytes, 5001), QByteArray(5001, '\0'));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&d.artikel), 41), QByteArray(41, '\0'));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&d.str_1), 1086 - 476), QByteArray(1086 - 476, '\0'));
    QCOMPARE(d.int1, 0);
    QCOMPARE(d.long3, 0);
    QVERIFY(p.plattform.meldungen.isEmpty());
    // Closing the window brings the main window up to date: the recipe is in its section's overview.
    w->close();
    auto* rubriken = p.finde<QListWidget>(QStringLiteral("ListBox1"));
    rubriken->setCurrentItem(rubriken->findItems(QStringLiteral("Suppen"), Qt::MatchExactly).first());
    TFilterGrid* uebersicht = p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"));
    QCOMPARE(uebersicht->RowCount(), 7); // title row, five soups, the new one
    QCOMPARE(uebersicht->Cells(0, 6).trimmed(), QStringLiteral("Linseneintopf"));
    QCOMPARE(uebersicht->Cells(2, 6), QStringLiteral("3,40 €"));
    w = oeffne(p);

    // Stored once per filling: only "Felder löschen" allows the next.
    in<QPushButton>(w, "Button2")->click();
    QVERIFY(in<QPushButton>(w, "Button1")->isEnabled());
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 9 * kSatz);
    const dateien leer = satz(p, 8);
    QCOMPARE(leer.name.toQString(), QString());
    QCOMPARE(leer.Rubrik.toQString(), QStringLiteral("Suppen"));
    QCOMPARE(leer.preis, 0.0); // the cost field left empty after a recipe with a cost
    QCOMPARE(QByteArray(leer.zutaten.bytes, 5001), QByteArray(5001, '\0'));
}

void TestErfassen::rubrikPruefen_data() {
    QTest::addColumn<QString>("rubrik");
    QTest::addColumn<bool>("gespeichert");
    QTest::newRow("leer") << QString() << false;
    QTest::newRow("ein Leerzeichen") << QStringLiteral(" ") << false;
    QTest::newRow("Leerzeichen und Buchstaben") << QStringLiteral(" Eintopf") << true;
    QTest::newRow("zwei Leerzeichen") << QStringLiteral("  ") << true;
}

void TestErfassen::rubrikPruefen() {
    QFETCH(QString, rubrik);
    QFETCH(bool, gespeichert);
    Programm p(familie);
    TForm2* w = oeffne(p);
    in<QLineEdit>(w, "Edit1")->setText(rubrik);
    in<QPushButton>(w, "Button1")->click();
    if (gespeichert) {
        QVERIFY(p.plattform.meldungen.isEmpty());
        QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 8 * kSatz);
        QCOMPARE(satz(p, 7).Rubrik.toQString(), rubrik); // stored with its blanks
    } else {
        QCOMPARE(p.plattform.meldungsTexte(),
                 QStringList{QStringLiteral("\n Bitte geben Sie eine Rubrik ein.  \n")});
        QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Information);
        QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 7 * kSatz);
        QVERIFY(in<QPushButton>(w, "Button1")->isEnabled());
    }
}

void TestErfassen::felderGespeichert_data() {
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QByteArray>("gespeichert"); // the field's bytes up to its end or NUL
    QTest::addColumn<bool>("hinweis");           // the note on characters the book cannot hold
    const QString z50 = QString(25, QLatin1Char('a')) + QString(25, QLatin1Char('b'));
    QTest::newRow("Name 50 Zeichen") << "Edit2" << z50 << z50.left(40).toLatin1() << false;
    QTest::newRow("Zutaten 6000 Zeichen")
        << "Memo1" << QString(6000, QLatin1Char('z')) << QByteArray(5000, 'z') << false;
    QTest::newRow("Zubereitung 12000 Zeichen")
        << "Memo2" << QString(12000, QLatin1Char('x')) << QByteArray(10000, 'x') << false;
    QTest::newRow("Zubereitung genau 10000")
        << "Memo2" << QString(10000, QLatin1Char('y')) << QByteArray(10000, 'y') << false;
    QTest::newRow("Schwierigkeit Mittel mit Leerzeichen") << "ComboBox1"
                                                          << "Mittel " << QByteArray("Mittel ") << false;
    QTest::newRow("Kalorien Leerzeichen bleiben") << "Edit4"
                                                  << "  300 " << QByteArray("  300 ") << false;
    QTest::newRow("Euro gibt es") << "Edit2" << QStringLiteral("Torte 5 €") << QByteArray("Torte 5 \x80")
                                  << false;
    QTest::newRow("Pfeil nicht") << "Edit2" << QStringLiteral("Suppe → Teller")
                                 << QByteArray("Suppe ? Teller") << true;
    QTest::newRow("Pfeil in den Zutaten")
        << "Memo1" << QStringLiteral("1 → 2") << QByteArray("1 ? 2") << true;
}

void TestErfassen::felderGespeichert() {
    QFETCH(QString, feld);
    QFETCH(QString, eingabe);
    QFETCH(QByteArray, gespeichert);
    QFETCH(bool, hinweis);
    Programm p(familie);
    TForm2* w = oeffne(p);
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Suppen"));
    QWidget* k = Programm::in<QWidget>(w, feld);
    if (auto* e = qobject_cast<QLineEdit*>(k)) e->setText(eingabe);
    if (auto* m = qobject_cast<QPlainTextEdit*>(k)) m->setPlainText(eingabe);
    if (auto* c = qobject_cast<QComboBox*>(k)) c->setCurrentIndex(c->findText(eingabe));
    QCOMPARE(in<QLabel>(w, "Zeichenhinweis")->isVisibleTo(w), hinweis);
    in<QPushButton>(w, "Button1")->click();
    QVERIFY(p.plattform.meldungen.isEmpty());
    const QByteArray rec = p.dir.lies(QStringLiteral("Familie.rez")).mid(7 * kSatz);
    QCOMPARE(rec.size(), kSatz);
    QByteArray ist;
    if (feld == QLatin1String("Memo1"))
        ist = QByteArray(rec.constData() + 6141, 5001);
    else if (feld == QLatin1String("Memo2"))
        ist = QByteArray(rec.constData() + 11142, 10001);
    if (!ist.isEmpty()) {
        QCOMPARE(ist.at(gespeichert.size()), '\0'); // the NUL stays inside the field
        ist = ist.left(ist.indexOf('\0'));
    } else {
        const int off = feld == QLatin1String("Edit2") ? 123 : feld == QLatin1String("ComboBox1") ? 353 : 394;
        ist = rec.mid(off + 1, quint8(rec.at(off)));
    }
    QCOMPARE(ist, gespeichert);
}

void TestErfassen::statuszeile() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    auto* anzahl = in<RxSpinEdit>(w, "RxSpinEdit1");
    auto* status = in<QLabel>(w, "Panel7");
    in<QPlainTextEdit>(w, "Memo1")->setPlainText(QStringLiteral("4 Eier"));
    anzahl->stepBy(1); // the up arrow
    QCOMPARE(status->text(), QStringLiteral("   Zutatenliste für 3 Personen"));
    QCOMPARE(in<QPlainTextEdit>(w, "Memo1")->toPlainText(), QStringLiteral("4 Eier"));
    anzahl->stepBy(-1);
    QCOMPARE(status->text(), QStringLiteral("   Zutatenliste für 2 Personen"));
    // Typing a number changes neither the line nor the ingredients.
    anzahl->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(anzahl->findChild<QLineEdit*>(), QStringLiteral("6"));
    QCOMPARE(anzahl->Text(), QStringLiteral("6"));
    QCOMPARE(status->text(), QStringLiteral("   Zutatenliste für 2 Personen"));
    QCOMPARE(in<QPlainTextEdit>(w, "Memo1")->toPlainText(), QStringLiteral("4 Eier"));
    auto* zeit = in<RxSpinEdit>(w, "RxSpinEdit2");
    zeit->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(zeit->findChild<QLineEdit*>(), QStringLiteral("25"));
    QCOMPARE(status->text(), QStringLiteral("Zubereitungszeit 25 Minuten"));
}

void TestErfassen::kategorieWechsel() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    auto* kat = in<QComboBox>(w, "ComboBox2");
    QSignalSpy listen(&p.u, &Unit4::listenGeaendert);
    kat->lineEdit()->selectAll();
    QTest::keyClicks(kat->lineEdit(), QStringLiteral("Backwerk"));
    QCOMPARE(listen.count(), 0); // nothing reread while typing
    QTRY_COMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral(" Rezepte in Kategorie Backwerk"));
    // One refresh for the whole word: the section file and the book, read once each.
    QCOMPARE(listen.count(), 2);
    QCOMPARE(eintraege(in<pfl::Namensliste>(w, "ListBox2")), (QStringList{"Apfelkuchen", "Zimtschnecken"}));
    // Choosing from the list works the same; a category nobody has empties the list.
    kat->setCurrentIndex(0);
    w->kategorieAktualisieren();
    QCOMPARE(eintraege(in<pfl::Namensliste>(w, "ListBox2")).size(), 5);
    kat->setEditText(QStringLiteral("deftig")); // compared exactly
    w->kategorieAktualisieren();
    QVERIFY(eintraege(in<pfl::Namensliste>(w, "ListBox2")).isEmpty());
    // A typed category is not added to the category list.
    QCOMPARE(kat->count(), 2);
}

void TestErfassen::rubrikWahl() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    klicke(in<QListWidget>(w, "ListBox1"), QStringLiteral("Backen"));
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Backen"));
    QCOMPARE(p.u.rubrik, QStringLiteral("Backen"));
    QCOMPARE(eintraege(in<pfl::Namensliste>(w, "ListBox2")), (QStringList{"Apfelkuchen", "Zimtschnecken"}));
    QCOMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral(" Rezepte in Kategorie Deftig"));
}

void TestErfassen::uebernahme() {
    const QByteArray jpg = bildBytes("JPG");
    Programm p([&](Testordner& d) {
        familie(d);
        dateien a = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Gulasch"),
                                       QStringLiteral("Deftig"), 5);
        a.zutaten = QStringLiteral("alt");
        a.bild = QStringLiteral("Gulasch.jpg");
        dateien b = Testordner::rezept(QStringLiteral("Eintöpfe"), QStringLiteral("Gulasch"),
                                       QStringLiteral("Deftig"), 8.5, QStringLiteral("90"));
        b.personen = QStringLiteral("Portionen");
        b.anzahl = QStringLiteral("4");
        b.k_zeit = QStringLiteral("120");
        b.schwer = QStringLiteral("Mittel ");
        b.kalorien = QStringLiteral("700");
        b.erfasst_am = QStringLiteral("01.02.2020");
        b.zutaten = QStringLiteral("1 kg Rind\r\n3 Zwiebeln");
        b.zubereitung = QStringLiteral("Schmoren.");
        b.utensielien = QStringLiteral("Bräter");
        b.bild = QStringLiteral("fehlt.jpg"); // no such file: the earlier picture stays
        d.buch(QStringLiteral("Familie.rez"),
               {a, Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("gulasch")), b});
        QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
        d.schreibe(QStringLiteral("Bilder/Gulasch.jpg"), jpg);
    });
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    TForm2* w = oeffne(p);
    in<QPlainTextEdit>(w, "Memo3")->setPlainText(QStringLiteral("Topf"));
    in<RxSpinEdit>(w, "RxSpinEdit3")->setText(QStringLiteral("15"));
    klicke(in<pfl::Namensliste>(w, "ListBox2"), QStringLiteral("Gulasch"));
    QCOMPARE(p.u.kategorie, QStringLiteral("Deftig"));
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Eintöpfe"));
    QCOMPARE(in<QLineEdit>(w, "Edit2")->text(), QStringLiteral("Gulasch"));
    QCOMPARE(in<QComboBox>(w, "ComboBox3")->currentText(), QStringLiteral("Portionen"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit1")->Text(), QStringLiteral("4"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit2")->Text(), QStringLiteral("90"));
    QCOMPARE(in<QComboBox>(w, "ComboBox1")->currentText(), QStringLiteral("Mittel "));
    QCOMPARE(in<CurrencyEdit>(w, "CurrencyEdit1")->Value(), 8.5);
    QCOMPARE(in<QLineEdit>(w, "Edit4")->text(), QStringLiteral("700"));
    QCOMPARE(in<DateEdit>(w, "DateEdit1")->Text(), QStringLiteral("01.02.2020"));
    QCOMPARE(in<QPlainTextEdit>(w, "Memo1")->toPlainText(), QStringLiteral("1 kg Rind\n3 Zwiebeln"));
    QCOMPARE(in<QPlainTextEdit>(w, "Memo2")->toPlainText(), QStringLiteral("Schmoren."));
    // Utensils and cooking time are not taken over.
    QCOMPARE(in<QPlainTextEdit>(w, "Memo3")->toPlainText(), QStringLiteral("Topf"));
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit3")->Text(), QStringLiteral("15"));
    QVERIFY(!in<QLabel>(w, "Image1")->pixmap().isNull());
    QCOMPARE(p.u.element1.bild.toQString(), QStringLiteral("Gulasch.jpg"));
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), vorher); // nothing written
    // Saved as a new recipe, the shared picture is reused, not copied.
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 4 * kSatz);
    QCOMPARE(satz(p, 3).bild.toQString(), QStringLiteral("Gulasch.jpg"));
    QCOMPARE(satz(p, 3).k_zeit.toQString(), QStringLiteral("15"));
    QCOMPARE(QDir(p.dir.pfad() + QStringLiteral("Bilder")).entryList(QDir::Files),
             QStringList{"Gulasch.jpg"});
}

void TestErfassen::uebernahmeWechseltKategorie() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    QCOMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral(" Rezepte in Kategorie Deftig"));
    // The recipes of a section, then one of another category taken over.
    klicke(in<QListWidget>(w, "ListBox1"), QStringLiteral("Backen"));
    QSignalSpy gewaehlt(w, &TForm2::kategorieGewaehlt);
    klicke(in<pfl::Namensliste>(w, "ListBox2"), QStringLiteral("Apfelkuchen"));
    QCOMPARE(in<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("Backwerk"));
    QTRY_COMPARE(in<QGroupBox>(w, "GroupBox2")->title(), QStringLiteral(" Rezepte in Kategorie Backwerk"));
    QCOMPARE(eintraege(in<pfl::Namensliste>(w, "ListBox2")), (QStringList{"Apfelkuchen", "Zimtschnecken"}));
    QCOMPARE(gewaehlt.size(), 1);
    QCOMPARE(gewaehlt.first().first().toString(), QStringLiteral("Backwerk"));
}

void TestErfassen::fehlgeschlagenesSpeichern() {
    Programm p(familie);
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    QVERIFY(::chmod(QFile::encodeName(p.dir.datei(QStringLiteral("Familie.rez"))).constData(), 0444) == 0);
    TForm2* w = oeffne(p);
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Suppen"));
    in<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Brühe"));
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Error);
    QVERIFY2(p.plattform.meldungen.first().text.contains(QStringLiteral("Familie.rez")),
             qPrintable(p.plattform.meldungen.first().text));
    QVERIFY(w->windowTitle() != QStringLiteral("Rezept gespeichert"));
    QVERIFY(in<QPushButton>(w, "Button1")->isEnabled());
    QCOMPARE(in<QLineEdit>(w, "Edit2")->text(), QStringLiteral("Brühe"));
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), vorher);
    // Once the book is writable again, the same form is stored.
    QVERIFY(::chmod(QFile::encodeName(p.dir.datei(QStringLiteral("Familie.rez"))).constData(), 0644) == 0);
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.dir.groesse(QStringLiteral("Familie.rez")), 8 * kSatz);
    QCOMPARE(w->windowTitle(), QStringLiteral("Rezept gespeichert"));
}

void TestErfassen::felderLoeschen() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    p.plattform.bilddateien.enqueue(p.dir.datei(QStringLiteral("Kuchen.png")));
    schreibeDatei(p.dir.datei(QStringLiteral("Kuchen.png")), bildBytes("PNG"));
    in<QPushButton>(w, "Button5")->click();
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Backen"));
    in<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Kuchen"));
    in<QPlainTextEdit>(w, "Memo3")->setPlainText(QStringLiteral("Form"));
    in<CurrencyEdit>(w, "CurrencyEdit1")->setValue(2);
    in<QComboBox>(w, "ComboBox1")->setCurrentIndex(3);
    const QString status = in<QLabel>(w, "Panel7")->text();
    in<QPushButton>(w, "Button2")->click();
    QCOMPARE(in<QLineEdit>(w, "Edit2")->text(), QString());
    QCOMPARE(in<QPlainTextEdit>(w, "Memo3")->toPlainText(), QString());
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit1")->Text(), QString());
    QCOMPARE(in<RxSpinEdit>(w, "RxSpinEdit2")->Text(), QString());
    QCOMPARE(in<CurrencyEdit>(w, "CurrencyEdit1")->Text(), QString());
    QVERIFY(in<QLabel>(w, "Image1")->pixmap().isNull());
    QCOMPARE(p.u.element1.bild.toQString(), QString());
    // Section, difficulty, status line and the picture buttons stay.
    QCOMPARE(in<QLineEdit>(w, "Edit1")->text(), QStringLiteral("Backen"));
    QCOMPARE(in<QComboBox>(w, "ComboBox1")->currentText(), QStringLiteral("Schwer"));
    QCOMPARE(in<QLabel>(w, "Panel7")->text(), status);
    QVERIFY(!in<QPushButton>(w, "Button5")->isEnabled());
}

void TestErfassen::bildSpeichern_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("ordnerDa");
    QTest::newRow("JPEG, Ordner fehlt") << "Kuchen.jpg" << QByteArray("JPG") << false;
    QTest::newRow("PNG") << "Kuchen.png" << QByteArray("PNG") << true;
    QTest::newRow("BMP") << "Kuchen.bmp" << QByteArray("BMP") << true;
}

void TestErfassen::bildSpeichern() {
    QFETCH(QString, datei);
    QFETCH(QByteArray, format);
    QFETCH(bool, ordnerDa);
    Programm p([&](Testordner& d) {
        familie(d);
        if (ordnerDa) QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
    });
    QTemporaryDir woanders;
    const QByteArray bytes = bildBytes(format.constData());
    schreibeDatei(woanders.filePath(datei), bytes);
    TForm2* w = oeffne(p);
    p.plattform.bilddateien.enqueue(woanders.filePath(datei));
    in<QPushButton>(w, "Button5")->click();
    QVERIFY(p.plattform.meldungen.isEmpty());
    QVERIFY(!in<QLabel>(w, "Image1")->pixmap().isNull());
    QVERIFY(!in<QPushButton>(w, "Button5")->isEnabled());
    QVERIFY(in<QToolButton>(w, "SpeedButton1")->isEnabled()); // a picture is shown: it can be enlarged
    QCOMPARE(p.u.element1.bild.toQString(), datei);
    QVERIFY(!p.dir.gibt(QStringLiteral("Bilder/") + datei)); // copied only when saved
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Backen"));
    in<QPushButton>(w, "Button1")->click();
    QVERIFY(p.plattform.meldungen.isEmpty());
    QCOMPARE(p.dir.lies(QStringLiteral("Bilder/") + datei), bytes); // in its own format, byte for byte
    QCOMPARE(satz(p, 7).bild.toQString(), datei);
    // "Bild löschen" takes it off the form, not off the disk.
    in<QPushButton>(w, "Button6")->click();
    QVERIFY(in<QLabel>(w, "Image1")->pixmap().isNull());
    QVERIFY(in<QPushButton>(w, "Button5")->isEnabled());
    QCOMPARE(p.u.element1.bild.toQString(), QString());
    QVERIFY(p.dir.gibt(QStringLiteral("Bilder/") + datei));
}

void TestErfassen::bildFehler_data() {
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QString>("meldungEnthaelt");
    QTest::newRow("Datei verschwunden") << "fehlt"
                                        << "ist nicht vorhanden";
    QTest::newRow("kein Bild") << "kaputt"
                               << "kein JPEG-, PNG- oder BMP-Bild";
    QTest::newRow("Bilderordner ist eine Datei") << "ordner"
                                                 << "ist kein Ordner";
    QTest::newRow("Bilderordner verweist hinaus") << "hinaus"
                                                  << "außerhalb des Datenordners";
}

void TestErfassen::bildFehler() {
    QFETCH(QString, fall);
    QFETCH(QString, meldungEnthaelt);
    Programm p(familie);
    QTemporaryDir woanders;
    const QString datei = woanders.filePath(QStringLiteral("Kuchen.jpg"));
    if (fall != QLatin1String("fehlt"))
        schreibeDatei(datei,
                      fall == QLatin1String("kaputt") ? QByteArray("kein Bild, nur Text") : bildBytes("JPG"));
    if (fall == QLatin1String("ordner")) p.dir.schreibe(QStringLiteral("Bilder"), "eine Datei");
    // A picture folder that is a link to a folder outside the data folder receives nothing.
    QTemporaryDir draussen;
    if (fall == QLatin1String("hinaus"))
        QVERIFY(QFile::link(draussen.path(), p.dir.datei(QStringLiteral("Bilder"))));
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    TForm2* w = oeffne(p);
    p.plattform.bilddateien.enqueue(datei);
    in<QPushButton>(w, "Button5")->click();
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Backen"));
    in<QPushButton>(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY2(p.plattform.meldungen.first().text.contains(meldungEnthaelt),
             qPrintable(p.plattform.meldungen.first().text));
    if (fall == QLatin1String("ordner") || fall == QLatin1String("hinaus")) {
        // The picture could not be stored: no record either, and the form may try again.
        QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), vorher);
        QVERIFY(in<QPushButton>(w, "Button1")->isEnabled());
        if (fall == QLatin1String("ordner"))
            QCOMPARE(p.dir.lies(QStringLiteral("Bilder")), QByteArray("eine Datei"));
        else
            QCOMPARE(QDir(draussen.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList());
    } else {
        // Nothing attached: the form is unchanged and saves without a picture.
        QVERIFY(in<QLabel>(w, "Image1")->pixmap().isNull());
        QCOMPARE(satz(p, 7).bild.toQString(), QString());
    }
}

void TestErfassen::bildnamen_data() {
    QTest::addColumn<QString>("datei");       // the chosen file's name
    QTest::addColumn<QByteArray>("format");   // its content
    QTest::addColumn<QString>("vorhanden");   // a file already in the picture folder under the same name
    QTest::addColumn<bool>("gleicherInhalt"); // ... holding the same bytes
    QTest::addColumn<QString>("erwartet");    // the name stored in bild and in the folder
    const QString lang = QString(41, QLatin1Char('k')) + QStringLiteral(".jpg");
    QTest::newRow("45 Zeichen: Stamm gekürzt") << lang << QByteArray("JPG") << QString() << false
                                               << QString(36, QLatin1Char('k')) + QStringLiteral(".jpg");
    QTest::newRow("Name vergeben, anderes Bild")
        << "Kuchen.jpg" << QByteArray("JPG") << "Kuchen.jpg" << false << "Kuchen (2).jpg";
    QTest::newRow("Name vergeben, gleiches Bild")
        << "Kuchen.jpg" << QByteArray("JPG") << "Kuchen.jpg" << true << "Kuchen.jpg";
    QTest::newRow("langer Name vergeben")
        << lang << QByteArray("JPG") << QString(36, QLatin1Char('k')) + ".jpg" << false
        << QString(32, QLatin1Char('k')) + QStringLiteral(" (2).jpg");
    QTest::newRow("Endung passt nicht zum Inhalt")
        << "Kuchen.png" << QByteArray("JPG") << QString() << false << "Kuchen.jpg";
    QTest::newRow("ohne Endung") << "Kuchen" << QByteArray("BMP") << QString() << false << "Kuchen.bmp";
    QTest::newRow("große Endung bleibt")
        << "Kuchen.JPG" << QByteArray("JPG") << QString() << false << "Kuchen.JPG";
    QTest::newRow("Zeichen außerhalb") << QStringLiteral("Łosoś.png") << QByteArray("PNG") << QString()
                                       << false << QStringLiteral("?oso?.png");
    QTest::newRow("nur Punkte") << "..png" << QByteArray("PNG") << QString() << false << "Bild..png";
}

void TestErfassen::bildnamen() {
    QFETCH(QString, datei);
    QFETCH(QByteArray, format);
    QFETCH(QString, vorhanden);
    QFETCH(bool, gleicherInhalt);
    QFETCH(QString, erwartet);
    const QByteArray bytes = bildBytes(format.constData());
    const QByteArray anderes = bildBytes(format.constData(), Qt::red);
    Programm p([&](Testordner& d) {
        familie(d);
        QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
        if (!vorhanden.isEmpty())
            d.schreibe(QStringLiteral("Bilder/") + vorhanden, gleicherInhalt ? bytes : anderes);
    });
    QTemporaryDir woanders;
    schreibeDatei(woanders.filePath(datei), bytes);
    TForm2* w = oeffne(p);
    p.plattform.bilddateien.enqueue(woanders.filePath(datei));
    in<QPushButton>(w, "Button5")->click();
    in<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Backen"));
    in<QPushButton>(w, "Button1")->click();
    QVERIFY2(p.plattform.meldungen.isEmpty(), qPrintable(p.plattform.meldungsTexte().join(QLatin1Char('|'))));
    QCOMPARE(satz(p, 7).bild.toQString(), erwartet);
    QVERIFY(erwartet.size() <= 40);
    QCOMPARE(p.dir.lies(QStringLiteral("Bilder/") + erwartet), bytes);
    if (!vorhanden.isEmpty()) // the other recipe's picture is untouched
        QCOMPARE(p.dir.lies(QStringLiteral("Bilder/") + vorhanden), gleicherInhalt ? bytes : anderes);
    // Nothing ever lands outside the picture folder.
    QCOMPARE(QDir(p.dir.pfad()).entryList(QDir::Files).filter(QStringLiteral(".png")), QStringList());
}

void TestErfassen::knoepfeMelden() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    QSignalSpy rubriken(w, &TForm2::rubrikenListeVerlangt);
    QSignalSpy katSpion(w, &TForm2::kategorienListeVerlangt);
    in<QPushButton>(w, "Button4")->click();
    in<QPushButton>(w, "Button7")->click();
    QCOMPARE(rubriken.count(), 1);
    QCOMPARE(katSpion.count(), 1);
    in<QPushButton>(w, "Button8")->click();
    QCOMPARE(p.plattform.geoeffneteUrls, QStringList{QStringLiteral("https://duckduckgo.com/?q=Rezepte")});
    QVERIFY(!in<QToolButton>(w, "SpeedButton1")->toolTip().isEmpty());
}

void TestErfassen::fuerHilfsmittel() {
    Programm p(familie);
    TForm2* w = oeffne(p);
    QCOMPARE(QAccessible::queryAccessibleInterface(w)->role(), QAccessible::Dialog);
    // Every control a person reads, types into or presses has a name to read.
    for (QWidget* k : w->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(k->parentWidget())) continue; // read as a whole
        if (!qobject_cast<QAbstractButton*>(k) && !qobject_cast<QLineEdit*>(k) &&
            !qobject_cast<QListWidget*>(k) && !qobject_cast<QPlainTextEdit*>(k) &&
            !qobject_cast<QComboBox*>(k) && !qobject_cast<RxSpinEdit*>(k))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(k);
        QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(k->objectName()));
    }
    // The status line reads what it shows.
    QCOMPARE(QAccessible::queryAccessibleInterface(in<QLabel>(w, "Panel7"))->text(QAccessible::Name),
             in<QLabel>(w, "Panel7")->text());
}

QTEST_MAIN(TestErfassen)
#include "tst_erfassen.moc"
