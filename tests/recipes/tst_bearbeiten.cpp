// SPDX-License-Identifier: GPL-3.0-or-later
// The editor, used through its controls: showing a record by position, stepping, jumping by section,
// saving in place, deleting, the question about unsaved changes, and refusing to write over a recipe
// that is no longer the one shown.
#include "data/Unit4.h"
#include "recipes/Bearbeiten.h"
#include "grid/FilterGrid.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Namensliste.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QAccessible>
#include <QBuffer>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QAction>
#include <QtTest>

#include <sys/stat.h>

namespace {
using Programm = pfl::test::LaufendesProgramm;
using Answer = Platform::Answer;
constexpr qint64 kSatz = sizeof(dateien);
const QString kBuch = QStringLiteral("Familie.rez");

// A book "Familie" of five recipes in file order: two soups, a cake, a soup and a second "Gulasch".
void familie(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Backen")});
    d.kategorien({QStringLiteral("Deftig"), QStringLiteral("Backwerk")});
    QList<dateien> r;
    const char* namen[] = {"Linsensuppe", "Gulasch", "Apfelkuchen", "Brühe", "Gulasch"};
    const char* rubriken[] = {"Suppen", "Suppen", "Backen", "Suppen", "Suppen"};
    for (int i = 0; i < 5; ++i) {
        dateien s =
            Testordner::rezept(QString::fromUtf8(rubriken[i]), QString::fromUtf8(namen[i]),
                               i == 2 ? QStringLiteral("Backwerk") : QStringLiteral("Deftig"), 2.5 * i);
        s.zutaten = QStringLiteral("Zutat %1").arg(i + 1);
        s.utensielien = QStringLiteral("Topf %1").arg(i + 1);
        s.k_zeit = QString::number(10 + i);
        s.str_3 = QStringLiteral("reserviert %1").arg(i + 1); // a field no window shows
        s.int7 = 1000 + i;
        r << s;
    }
    d.buch(kBuch, r);
}

struct Editor {
    Programm p{familie};
    TForm13* w = p.finde<TForm13>(QStringLiteral("Form13"));

    template <typename T = QWidget> T* k(const char* name) const {
        return Programm::in<T>(w, QString::fromLatin1(name));
    }
    QPushButton* knopf(const char* name) const { return k<QPushButton>(name); }
    void klick(const char* name) const { knopf(name)->click(); }
    QString name() const { return k<QLineEdit>("Edit2")->text(); }
    QString zaehler() const {
        return k<QLabel>("Label20")->text() + QStringLiteral(" von ") + k<QLabel>("Label21")->text();
    }
    QString navigation() const {
        QString s;
        for (const char* b : {"Button11", "Button12", "Button13", "Button14"})
            s += knopf(b)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
    QByteArray buch() const { return p.dir.lies(kBuch); }
    dateien satz(int index) const { return Testordner::satz<dateien>(buch(), index); }
    void oeffnenBei(int n) const { QMetaObject::invokeMethod(w, "oeffnenBei", Q_ARG(int, n)); }
};

QByteArray ohne(const QByteArray& buch, int index) {
    return buch.left(index * kSatz) + buch.mid((index + 1) * kSatz);
}

} // namespace

class TestBearbeiten : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zeigtDenSatz();
    void fuerHilfsmittel();
    void navigation_data();
    void navigation();
    void einSatz();
    void anordnung();
    void rubrikWaehlen();
    void rezeptlisteFolgtDemBuch();
    void speichernAnDerStelle();
    void speichernFehlschlag();
    void veraenderterSatz_data();
    void veraenderterSatz();
    void bilder();
    void loeschen_data();
    void loeschen();
    void loeschenFehlschlag();
    void ungespeichert_data();
    void ungespeichert();
    void modal();
    void drucken_data();
    void drucken();
    void letztesRezeptLoeschen();
};

void TestBearbeiten::zeigtDenSatz() {
    Editor e;
    QVERIFY(e.w);
    e.oeffnenBei(3);
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.w->windowTitle(), QStringLiteral("Rezept bearbeiten"));
    QCOMPARE(e.zaehler(), QStringLiteral("3 von 5"));
    QCOMPARE(e.name(), QStringLiteral("Apfelkuchen"));
    QCOMPARE(e.k<QLineEdit>("Edit1")->text(), QStringLiteral("Backen"));
    QCOMPARE(e.k<QComboBox>("ComboBox2")->currentText(), QStringLiteral("Backwerk"));
    QCOMPARE(e.k<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Zutat 3"));
    QCOMPARE(e.k<QPlainTextEdit>("Memo3")->toPlainText(), QStringLiteral("Topf 3"));
    QCOMPARE(e.k<RxSpinEdit>("RxSpinEdit3")->Text(), QStringLiteral("12"));
    QCOMPARE(e.k<CurrencyEdit>("CurrencyEdit1")->Value(), 5.0);
    QCOMPARE(e.k<QGroupBox>("GroupBox2")->title(), QStringLiteral(" Rezepte in Rubrik >Backen<"));
    QCOMPARE(e.k<pfl::Namensliste>("ListBox2")->count(), 1);
    // E-mail, the shopping list and printing work.
    QVERIFY(e.knopf("BitBtn1")->isEnabled());
    QVERIFY(e.knopf("Button9")->isEnabled());
    QVERIFY(e.knopf("Button8")->isEnabled());
    QVERIFY(e.p.plattform.meldungen.isEmpty());
    pfl::test::bildSpeichern(e.w, QStringLiteral("bearbeiten"));
}

void TestBearbeiten::fuerHilfsmittel() {
    Editor e;
    e.oeffnenBei(2);
    // Every control a person reads, types into or presses has a name to read.
    for (QWidget* k : e.w->findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractSpinBox*>(k->parentWidget())) continue; // the field is read as a whole
        if (!qobject_cast<QAbstractButton*>(k) && !qobject_cast<QLineEdit*>(k) &&
            !qobject_cast<QListWidget*>(k) && !qobject_cast<RxSpinEdit*>(k) &&
            !qobject_cast<QPlainTextEdit*>(k))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(k);
        QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(k->objectName()));
    }
    // The labels that show the counter carry no fixed name of their own.
    QVERIFY(e.k<QLabel>("Label20")->accessibleName().isEmpty());
    // Escape closes; the main window refreshes.
    QSignalSpy zu(e.w, SIGNAL(geschlossen()));
    QTest::keyClick(e.w, Qt::Key_Escape);
    QVERIFY(!e.w->isVisible());
    QCOMPARE(zu.count(), 1);
}

void TestBearbeiten::navigation_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("knoepfe");
    QTest::addColumn<QString>("zaehler");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("frei"); // enabled state of << < > >>
    QTest::newRow("erster") << 1 << ""
                            << "1 von 5"
                            << "Linsensuppe"
                            << "0011";
    QTest::newRow("letzter") << 1 << "Button14"
                             << "5 von 5"
                             << "Gulasch"
                             << "1100";
    QTest::newRow("vor") << 2 << "Button13"
                         << "3 von 5"
                         << "Apfelkuchen"
                         << "1111";
    QTest::newRow("zurueck") << 2 << "Button12"
                             << "1 von 5"
                             << "Linsensuppe"
                             << "0011";
    QTest::newRow("an den anfang") << 4 << "Button11"
                                   << "1 von 5"
                                   << "Linsensuppe"
                                   << "0011";
    QTest::newRow("hin und her") << 1 << "Button13,Button13,Button13,Button12"
                                 << "3 von 5"
                                 << "Apfelkuchen"
                                 << "1111";
}

void TestBearbeiten::navigation() {
    QFETCH(int, start);
    QFETCH(QString, knoepfe);
    QFETCH(QString, zaehler);
    QFETCH(QString, name);
    QFETCH(QString, frei);
    Editor e;
    e.oeffnenBei(start);
    for (const QString& b : knoepfe.split(QLatin1Char(','), Qt::SkipEmptyParts))
        e.klick(b.toLatin1().constData());
    QCOMPARE(e.zaehler(), zaehler);
    QCOMPARE(e.name(), name);
    QCOMPARE(e.navigation(), frei);
    QCOMPARE(e.p.u.satznum, zaehler.section(QLatin1Char(' '), 0, 0).toInt());
    QVERIFY(e.p.plattform.meldungen.isEmpty()); // stepping without changes asks nothing
}

void TestBearbeiten::einSatz() {
    Programm p([](Testordner& d) {
        familie(d);
        d.buch(kBuch, {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Allein"))});
    });
    auto* w = p.finde<TForm13>(QStringLiteral("Form13"));
    QMetaObject::invokeMethod(w, "oeffnenBei", Q_ARG(int, 1));
    QCOMPARE(Programm::in<QLabel>(w, QStringLiteral("Label21"))->text(), QStringLiteral("1"));
    for (const char* b : {"Button11", "Button12", "Button13", "Button14"})
        QVERIFY(!Programm::in<QPushButton>(w, QString::fromLatin1(b))->isEnabled());
}

void TestBearbeiten::anordnung() {
    Editor e;
    e.oeffnenBei(1);
    // Work area 1920 wide: W = 960, buttons 120 wide.
    QCOMPARE(e.w->pos(), QPoint(0, 0));
    QCOMPARE(e.w->size(), QSize(1920, 1040));
    QCOMPARE(e.knopf("Button1")->x(), 960 - 300 - 15);
    QCOMPARE(e.knopf("Button2")->x(), 960 - 180 - 10);
    QCOMPARE(e.knopf("Button3")->x(), 960 - 60 - 5);
    QCOMPARE(e.knopf("BitBtn1")->x(), 960 + 60);
    QCOMPARE(e.knopf("Button8")->x(), 960 + 180 + 5);
}

void TestBearbeiten::rubrikWaehlen() {
    Editor e;
    e.oeffnenBei(3);
    auto* rubriken = e.k<QListWidget>("ListBox1");
    const QList<QListWidgetItem*> suppen = rubriken->findItems(QStringLiteral("Suppen"), Qt::MatchExactly);
    QCOMPARE(suppen.size(), 1);
    rubriken->setCurrentItem(suppen.first());
    Q_EMIT rubriken->itemClicked(suppen.first());
    // The first name in German order is "Brühe"; then "Gulasch" (twice in the book) shows the first of them.
    QCOMPARE(e.name(), QStringLiteral("Brühe"));
    QCOMPARE(e.zaehler(), QStringLiteral("4 von 5"));
    auto* rezepte = e.k<pfl::Namensliste>("ListBox2");
    QCOMPARE(rezepte->count(), 3);
    rezepte->setCurrentRow(1);
    Q_EMIT rezepte->gewaehlt();
    QCOMPARE(e.name(), QStringLiteral("Gulasch"));
    QCOMPARE(e.zaehler(), QStringLiteral("2 von 5"));
}

void TestBearbeiten::rezeptlisteFolgtDemBuch() {
    Editor e;
    e.oeffnenBei(2);
    auto* rezepte = e.k<pfl::Namensliste>("ListBox2");
    const auto namen = [rezepte] { return rezepte->namen().join(u','); };
    QCOMPARE(namen(), QStringLiteral("Brühe,Gulasch,Linsensuppe"));
    e.klick("Button13");
    QCOMPARE(namen(), QStringLiteral("Apfelkuchen"));
    // Another window appends a soup: the next step shows it in the list.
    e.p.dir.schreibe(kBuch, e.buch() + Testordner::bytes(Testordner::rezept(QStringLiteral("Suppen"),
                                                                            QStringLiteral("Erbsensuppe"))));
    e.klick("Button13");
    QCOMPARE(e.zaehler(), QStringLiteral("4 von 5"));
    QCOMPARE(namen(), QStringLiteral("Brühe,Erbsensuppe,Gulasch,Linsensuppe"));
    // A renamed recipe shows under its new name once saved.
    e.k<QLineEdit>("Edit2")->setText(QStringLiteral("Klare Brühe"));
    e.klick("Button1");
    QCOMPARE(namen(), QStringLiteral("Erbsensuppe,Gulasch,Klare Brühe,Linsensuppe"));
}

void TestBearbeiten::speichernAnDerStelle() {
    Editor e;
    const QByteArray vorher = e.buch();
    e.oeffnenBei(2);
    e.k<QLineEdit>("Edit2")->setText(QStringLiteral("Gulasch scharf"));
    e.k<QComboBox>("ComboBox2")->setEditText(QStringLiteral("Neue Kategorie"));
    e.k<QLineEdit>("Edit1")->setText(QStringLiteral("Suppen"));
    e.k<QPlainTextEdit>("Memo2")->setPlainText(QStringLiteral("Anbraten\nSchmoren"));
    const QByteArray kategorienVorher = e.p.dir.lies(QStringLiteral("kategorien.kat"));
    e.klick("Button1");
    QVERIFY2(e.p.plattform.meldungen.isEmpty(), qPrintable(e.p.plattform.meldungsTexte().join(u'|')));
    const QByteArray nachher = e.buch();
    QCOMPARE(nachher.size(), vorher.size());
    // Only record 2 changed, and in it only what was typed.
    QCOMPARE(nachher.left(kSatz), vorher.left(kSatz));
    QCOMPARE(nachher.mid(2 * kSatz), vorher.mid(2 * kSatz));
    const dateien s = e.satz(1);
    QCOMPARE(s.name.toQString(), QStringLiteral("Gulasch scharf"));
    QCOMPARE(s.kategorie.toQString(), QStringLiteral("Neue Kategorie"));
    QCOMPARE(s.zubereitung.toQString(), QStringLiteral("Anbraten\r\nSchmoren"));
    QCOMPARE(s.str_3.toQString(), QStringLiteral("reserviert 2"));
    QCOMPARE(s.int7, 1001);
    QCOMPARE(s.zutaten.toQString(), QStringLiteral("Zutat 2"));
    QCOMPARE(e.p.dir.lies(QStringLiteral("kategorien.kat")), kategorienVorher);
    // Saved: closing asks nothing.
    e.klick("Button3");
    QVERIFY(!e.w->isVisible());
    QVERIFY(e.p.plattform.meldungen.isEmpty());
}

void TestBearbeiten::speichernFehlschlag() {
    Editor e;
    e.oeffnenBei(2);
    const QByteArray vorher = e.buch();
    e.k<QLineEdit>("Edit2")->setText(QStringLiteral("Gulasch scharf"));
    QVERIFY(::chmod(QFile::encodeName(e.p.dir.datei(kBuch)).constData(), 0444) == 0);
    e.klick("Button1");
    QCOMPARE(e.buch(), vorher);
    QCOMPARE(e.p.plattform.meldungen.size(), 1);
    QVERIFY(e.p.plattform.meldungen.first().text.contains(QStringLiteral("konnte nicht gespeichert werden")));
    QCOMPARE(e.name(), QStringLiteral("Gulasch scharf")); // what was typed stays
    // The change is still unsaved: stepping on asks; "Abbrechen" stays.
    e.p.plattform.antworten.enqueue(Answer::Cancel);
    e.klick("Button13");
    QCOMPARE(e.p.plattform.meldungen.last().text, QStringLiteral("Änderungen speichern?"));
    QCOMPARE(e.p.plattform.meldungen.last().buttons, Platform::Buttons::YesNoCancel);
    QCOMPARE(e.zaehler(), QStringLiteral("2 von 5"));
    QCOMPARE(e.name(), QStringLiteral("Gulasch scharf"));
}

void TestBearbeiten::veraenderterSatz_data() {
    QTest::addColumn<bool>("loeschen");
    QTest::addColumn<bool>("verkuerzt"); // the book lost records instead of having one replaced
    QTest::newRow("speichern, ersetzt") << false << false;
    QTest::newRow("speichern, verkürzt") << false << true;
    QTest::newRow("löschen, ersetzt") << true << false;
    QTest::newRow("löschen, verkürzt") << true << true;
}

void TestBearbeiten::veraenderterSatz() {
    QFETCH(bool, loeschen);
    QFETCH(bool, verkuerzt);
    Editor e;
    e.oeffnenBei(4);
    // Another window (or program) changed the book behind the editor.
    QByteArray fremd = e.buch();
    if (verkuerzt) {
        fremd = fremd.left(3 * kSatz);
    } else {
        dateien anders = e.satz(3);
        anders.name = QStringLiteral("Fremd");
        fremd = fremd.left(3 * kSatz) + Testordner::bytes(anders) + fremd.mid(4 * kSatz);
    }
    e.p.dir.schreibe(kBuch, fremd);
    if (loeschen) {
        e.klick("Button2");
    } else {
        e.k<QLineEdit>("Edit2")->setText(QStringLiteral("Meine Brühe"));
        e.klick("Button1");
    }
    QCOMPARE(e.buch(), fremd);
    QVERIFY(
        e.p.plattform.meldungen.last().text.contains(QStringLiteral("inzwischen geändert oder gelöscht")));
    QCOMPARE(e.p.plattform.meldungen.last().kind, Platform::Kind::Error);
    // The editor shows the book as it is now.
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.zaehler(), verkuerzt ? QStringLiteral("3 von 3") : QStringLiteral("4 von 5"));
    QCOMPARE(e.name(), verkuerzt ? QStringLiteral("Apfelkuchen") : QStringLiteral("Fremd"));
}

void TestBearbeiten::bilder() {
    // Record 2 has a picture in the picture folder; record 3 names one that is missing.
    Programm p([](Testordner& d) {
        familie(d);
        QByteArray buch = d.lies(kBuch);
        dateien zwei = Testordner::satz<dateien>(buch, 1);
        zwei.bild = QStringLiteral("Gulasch.png");
        dateien drei = Testordner::satz<dateien>(buch, 2);
        drei.bild = QStringLiteral("fehlt.png");
        d.schreibe(kBuch, buch.left(kSatz) + Testordner::bytes(zwei) + Testordner::bytes(drei) +
                              buch.mid(3 * kSatz));
        QDir(d.pfad()).mkdir(QStringLiteral("Bilder"));
        d.schreibe(QStringLiteral("Bilder/Gulasch.png"), Testordner::png(8, 6));
    });
    auto* w = p.finde<TForm13>(QStringLiteral("Form13"));
    QMetaObject::invokeMethod(w, "oeffnenBei", Q_ARG(int, 2));
    auto* gruppe = Programm::in<QGroupBox>(w, QStringLiteral("GroupBox6"));
    auto* bild = Programm::in<QLabel>(w, QStringLiteral("Image1"));
    auto* dazu = Programm::in<QPushButton>(w, QStringLiteral("Button5"));
    auto* gross = Programm::in<QToolButton>(w, QStringLiteral("SpeedButton1"));
    QCOMPARE(gruppe->title(), QStringLiteral("Gulasch.png"));
    QVERIFY(!bild->pixmap().isNull());
    QVERIFY(!dazu->isEnabled());
    QVERIFY(gross->isEnabled());
    QSignalSpy vergroessern(w, SIGNAL(bildVergroessernVerlangt(QString)));
    gross->click();
    QCOMPARE(vergroessern.count(), 1);
    QCOMPARE(vergroessern.first().first().toString(), QStringLiteral("Gulasch.png"));
    // The picture window stacks on the modal editor and takes input; closing it returns there.
    auto* fenster = p.finde<QDialog>(QStringLiteral("Bild"));
    QVERIFY(fenster->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), fenster);
    fenster->close();
    QCOMPARE(QApplication::activeModalWidget(), w);
    QCOMPARE(fenster->windowModality(), Qt::NonModal); // as it is when opened from a listing

    Programm::in<QPushButton>(w, QStringLiteral("Button13"))->click();
    QCOMPARE(gruppe->title(), QStringLiteral("Bild"));
    QVERIFY(bild->pixmap().isNull());
    QVERIFY(dazu->isEnabled());
    QVERIFY(!gross->isEnabled());
    // Saving a recipe whose picture file is missing keeps the name it holds.
    Programm::in<QLineEdit>(w, QStringLiteral("Edit4"))->setText(QStringLiteral("300"));
    Programm::in<QPushButton>(w, QStringLiteral("Button1"))->click();
    const dateien drei = Testordner::satz<dateien>(p.dir.lies(kBuch), 2);
    QCOMPARE(drei.kalorien.toQString(), QStringLiteral("300"));
    QCOMPARE(drei.bild.toQString(), QStringLiteral("fehlt.png"));

    // "Bild löschen" on record 2, saved: the record names no picture; the file stays.
    Programm::in<QPushButton>(w, QStringLiteral("Button12"))->click();
    Programm::in<QPushButton>(w, QStringLiteral("Button6"))->click();
    QVERIFY(!gross->isEnabled());
    Programm::in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(Testordner::satz<dateien>(p.dir.lies(kBuch), 1).bild.toQString(), QString());
    QVERIFY(p.dir.gibt(QStringLiteral("Bilder/Gulasch.png")));
    QVERIFY(p.plattform.meldungen.isEmpty());
}

void TestBearbeiten::loeschen_data() {
    QTest::addColumn<int>("nummer");
    QTest::addColumn<Answer>("antwort");
    QTest::newRow("mitte") << 3 << Answer::Yes;
    QTest::newRow("letzter") << 5 << Answer::Yes;
    QTest::newRow("erster") << 1 << Answer::Yes;
    QTest::newRow("nein") << 3 << Answer::No;
}

void TestBearbeiten::loeschen() {
    QFETCH(int, nummer);
    QFETCH(Answer, antwort);
    Editor e;
    const QByteArray vorher = e.buch();
    const QStringList ordner = QDir(e.p.dir.pfad()).entryList(QDir::Files | QDir::Hidden);
    e.oeffnenBei(nummer);
    QSignalSpy liste(e.w, SIGNAL(listeVerlangt()));
    e.p.plattform.antworten.enqueue(antwort);
    e.klick("Button2");
    QCOMPARE(e.p.plattform.meldungen.size(), 1);
    const auto& frage = e.p.plattform.meldungen.first();
    QCOMPARE(frage.text, QStringLiteral("Wollen Sie dieses Rezept wirklich löschen ??"));
    QCOMPARE(frage.kind, Platform::Kind::Warning);
    QCOMPARE(frage.buttons, Platform::Buttons::YesNo);
    if (antwort != Answer::Yes) {
        QCOMPARE(e.buch(), vorher);
        QVERIFY(e.w->isVisible());
        QCOMPARE(liste.count(), 0);
        return;
    }
    QCOMPARE(e.buch(), ohne(vorher, nummer - 1));
    QVERIFY(!e.w->isVisible());
    QCOMPARE(liste.count(), 1);
    QCOMPARE(e.p.u.daten, 4);
    // No temporary file is left beside the book.
    QCOMPARE(QDir(e.p.dir.pfad()).entryList(QDir::Files | QDir::Hidden), ordner);
}

void TestBearbeiten::loeschenFehlschlag() {
    Editor e;
    const QByteArray vorher = e.buch();
    e.oeffnenBei(2);
    QVERIFY(::chmod(QFile::encodeName(e.p.dir.datei(kBuch)).constData(), 0444) == 0);
    e.p.plattform.antworten.enqueue(Answer::Yes);
    e.klick("Button2");
    QCOMPARE(e.buch(), vorher);
    QCOMPARE(e.p.plattform.meldungen.size(), 2);
    QVERIFY(e.p.plattform.meldungen.last().text.contains(QStringLiteral("nicht gelöscht")));
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.zaehler(), QStringLiteral("2 von 5"));
}

void TestBearbeiten::ungespeichert_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<Answer>("antwort");
    QTest::addColumn<bool>("gespeichert");
    QTest::addColumn<bool>("weiter"); // the step or the close happened
    QTest::newRow("vor, ja") << "Button13" << Answer::Yes << true << true;
    QTest::newRow("vor, nein") << "Button13" << Answer::No << false << true;
    QTest::newRow("vor, abbrechen") << "Button13" << Answer::Cancel << false << false;
    QTest::newRow("beenden, ja") << "Button3" << Answer::Yes << true << true;
    QTest::newRow("beenden, nein") << "Button3" << Answer::No << false << true;
    QTest::newRow("beenden, abbrechen") << "Button3" << Answer::Cancel << false << false;
}

void TestBearbeiten::ungespeichert() {
    QFETCH(QString, knopf);
    QFETCH(Answer, antwort);
    QFETCH(bool, gespeichert);
    QFETCH(bool, weiter);
    Editor e;
    const QByteArray vorher = e.buch();
    e.oeffnenBei(2);
    e.k<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("500 g Rind"));
    e.p.plattform.antworten.enqueue(antwort);
    e.klick(knopf.toLatin1().constData());
    QCOMPARE(e.p.plattform.meldungen.size(), 1);
    QCOMPARE(e.p.plattform.meldungen.first().text, QStringLiteral("Änderungen speichern?"));
    QCOMPARE(e.p.plattform.meldungen.first().kind, Platform::Kind::Warning);
    if (gespeichert) {
        QCOMPARE(e.satz(1).zutaten.toQString(), QStringLiteral("500 g Rind"));
        QCOMPARE(ohne(e.buch(), 1), ohne(vorher, 1));
    } else {
        QCOMPARE(e.buch(), vorher);
    }
    if (knopf == QStringLiteral("Button3")) {
        QCOMPARE(e.w->isVisible(), !weiter);
    } else {
        QCOMPARE(e.zaehler(), weiter ? QStringLiteral("3 von 5") : QStringLiteral("2 von 5"));
    }
    if (!weiter) QCOMPARE(e.k<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("500 g Rind"));
}

void TestBearbeiten::modal() {
    Editor e;
    // Opened from the listing, as a user does.
    e.p.finde<QAction>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    auto* liste = e.p.finde<QDialog>(QStringLiteral("form21"));
    Programm::in<TFilterGrid>(liste, QStringLiteral("FilterGrid1"))->setRow(2);
    Q_EMIT Programm::in<TFilterGrid>(liste, QStringLiteral("FilterGrid1"))->Click();
    Programm::in<QPushButton>(liste, QStringLiteral("Button1"))->click();
    QVERIFY(e.w->isVisible());
    QCOMPARE(e.zaehler(), QStringLiteral("2 von 5"));
    // While the recipe is open, nothing else takes input.
    QCOMPARE(QApplication::activeModalWidget(), e.w);
    QCOMPARE(e.w->windowModality(), Qt::ApplicationModal);
    e.klick("Button3");
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestBearbeiten::drucken_data() {
    QTest::addColumn<bool>("geaendert");
    QTest::addColumn<Answer>("antwort");
    QTest::addColumn<bool>("gedruckt");
    QTest::newRow("unverändert") << false << Answer::Yes << true;
    QTest::newRow("geändert, nicht speichern") << true << Answer::No << true;
    QTest::newRow("geändert, speichern") << true << Answer::Yes << true;
    QTest::newRow("geändert, abbrechen") << true << Answer::Cancel << false;
}

void TestBearbeiten::drucken() {
    QFETCH(bool, geaendert);
    QFETCH(Answer, antwort);
    QFETCH(bool, gedruckt);
    Editor e;
    e.oeffnenBei(2);
    if (geaendert) {
        e.k<QLineEdit>("Edit2")->setText(QStringLiteral("Gulasch ungarisch"));
        e.p.plattform.antworten.enqueue(antwort);
    }
    e.klick("Button8");
    auto* druck = e.p.finde<QDialog>(QStringLiteral("Form14"));
    // The editor closes first; the printout shows the fields as they stood, saved or not.
    QCOMPARE(e.w->isVisible(), !gedruckt);
    QCOMPARE(druck->isVisible(), gedruckt);
    if (gedruckt) {
        QCOMPARE(druck->windowTitle(), QStringLiteral("> Rezept drucken <"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(e.w->findChild<QLineEdit*>(QStringLiteral("Edit2"))->text(),
                 geaendert ? QStringLiteral("Gulasch ungarisch") : QStringLiteral("Gulasch"));
    }
    QCOMPARE(e.satz(1).name.toQString(), antwort == Answer::Yes && geaendert
                                             ? QStringLiteral("Gulasch ungarisch")
                                             : QStringLiteral("Gulasch"));
}

void TestBearbeiten::letztesRezeptLoeschen() {
    // Deleting the book's only recipe runs the main window's "Rezepte bearbeiten", which finds no data.
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen")});
        d.buch(kBuch, {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"))});
    });
    auto* w = p.finde<TForm13>(QStringLiteral("Form13"));
    QMetaObject::invokeMethod(w, "oeffnenBei", Q_ARG(int, 1));
    p.plattform.antworten.enqueue(Answer::Yes);
    Programm::in<QPushButton>(w, QStringLiteral("Button2"))->click();
    QCOMPARE(p.dir.lies(kBuch), QByteArray());
    QCOMPARE(
        p.plattform.meldungsTexte(),
        (QStringList{QStringLiteral("Wollen Sie dieses Rezept wirklich löschen ??"),
                     QStringLiteral("      Keine Daten vorhanden. \n  Bitte geben Sie Ihre Daten ein. ")}));
    QVERIFY(!w->isVisible());
    QVERIFY(!p.finde<QDialog>(QStringLiteral("form21"))->isVisible());
}

QTEST_MAIN(TestBearbeiten)
#include "tst_bearbeiten.moc"
