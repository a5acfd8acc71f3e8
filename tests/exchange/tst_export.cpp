// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting recipes from the menu, the editor and the listing, and importing what was exported
// through the import window: the same fields come back.
#include "exchange/Importfenster.h"
#include "mainwindow/Hauptfenster.h"
#include "recipes/Bearbeiten.h"
#include "search/AlleBuecher.h"
#include "search/Buchliste.h"
#include "support/LaufendesProgramm.h"

#include "Skriptabruf.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Programm = pfl::test::LaufendesProgramm;
constexpr qsizetype kSatz = sizeof(dateien);

const QString kHtml = QStringLiteral("HTML-Seite (*.html *.htm)");
const QString kJson = QStringLiteral("JSON-LD-Datei (*.jsonld *.json)");
const QString kMealMaster = QStringLiteral("MealMaster-Datei (*.mmf *.mm *.txt)");

// A recipe with every field the user can fill.
dateien vollesRezept(const QString& name, const QString& bild) {
    dateien d = Testordner::rezept(QStringLiteral("Kuchen"), name, QStringLiteral("Backen"), 7.5,
                                   QStringLiteral("40"));
    d.k_zeit = QStringLiteral("55");
    d.anzahl = QStringLiteral("12");
    d.personen = QStringLiteral("Stück");
    d.schwer = QStringLiteral("Mittel ");
    d.kalorien = QStringLiteral("320");
    d.erfasst_am = QStringLiteral("03.05.2024");
    d.bild = bild;
    d.utensielien.setPlainText(QStringLiteral("Backblech\nRührschüssel"));
    d.zutaten.setPlainText(QStringLiteral("500 g Mehl\n250 g Butter\n3 Eier\n1 kg Äpfel (säuerlich)"));
    d.zubereitung.setPlainText(
        QStringLiteral("Mehl, Butter und Eier zu einem Teig kneten.\n\n"
                       "Äpfel schälen, in Spalten schneiden und auf den Teig legen.\n\n"
                       "Bei 180 °C backen."));
    return d;
}

struct Austausch {
    QTemporaryDir ablage;
    std::unique_ptr<Programm> p;
    pfl::test::Skriptabruf abruf;

    Austausch() {
        p = std::make_unique<Programm>([](Testordner& d) {
            d.optionen(QStringLiteral("Familie"));
            d.rubriken({QStringLiteral("Kuchen")});
            QDir().mkpath(d.pfad() + QStringLiteral("Bilder"));
            d.schreibe(QStringLiteral("Bilder/Apfel.png"), Testordner::png(6, 4));
            d.buch(QStringLiteral("Familie.rez"),
                   {vollesRezept(QStringLiteral("Apfelkuchen"), QStringLiteral("Apfel.png")),
                    vollesRezept(QStringLiteral("Zwetschgendatschi"), QString()),
                    vollesRezept(QStringLiteral("Käsekuchen „Omas Art“"), QString())});
            d.buch(QStringLiteral("Neu.rez"), {});
        });
        p->f->findChild<pfl::Importfenster*>()->abruferSetzen(abruf);
    }
    QString ziel(const QString& name) const { return ablage.filePath(name); }
    void speichernAls(const QString& datei, const QString& filter) {
        p->plattform.speichern.enqueue({datei, filter});
    }
    // Imports a file into the empty book "Neu", section "Kuchen"; the recipes it took.
    QList<dateien> zurueck(const QString& datei) {
        p->u.rezeptbuch = QStringLiteral("Neu");
        p->finde<QAction>(QStringLiteral("Rezepteimportieren1"))->trigger();
        auto* w = p->f->findChild<pfl::Importfenster*>();
        Programm::in<QComboBox>(w, QStringLiteral("Rubrik"))->setEditText(QStringLiteral("Kuchen"));
        p->plattform.oeffnen.enqueue({datei});
        Programm::in<QPushButton>(w, QStringLiteral("DateienWaehlen"))->click();
        Programm::in<QPushButton>(w, QStringLiteral("Importieren"))->click();
        const QByteArray b = p->dir.lies(QStringLiteral("Neu.rez"));
        QList<dateien> l;
        for (qsizetype i = 0; i < b.size() / kSatz; ++i)
            l.append(Testordner::satz<dateien>(b, int(i)));
        p->u.rezeptbuch = QStringLiteral("Familie");
        return l;
    }
    dateien original(int nummer) const {
        return Testordner::satz<dateien>(p->dir.lies(QStringLiteral("Familie.rez")), nummer - 1);
    }
};

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

// The fields a format carries, compared as the book stores them.
enum Felder { Grund = 1, Rest = 2 };
void vergleichen(const dateien& a, const dateien& b, int felder, const QString& lpf) {
    QCOMPARE(a.name.toQString(), b.name.toQString());
    QCOMPARE(a.Rubrik.toQString(), b.Rubrik.toQString());
    QCOMPARE(a.kategorie.toQString(), b.kategorie.toQString());
    QCOMPARE(a.anzahl.toQString(), b.anzahl.toQString());
    QCOMPARE(a.personen.toQString(), b.personen.toQString());
    QCOMPARE(a.zutaten.plainText(), b.zutaten.plainText());
    QCOMPARE(a.zubereitung.plainText(), b.zubereitung.plainText());
    if (!(felder & Rest)) return;
    QCOMPARE(a.zeit.toQString(), b.zeit.toQString());
    QCOMPARE(a.k_zeit.toQString(), b.k_zeit.toQString());
    QCOMPARE(a.schwer.toQString(), b.schwer.toQString());
    QCOMPARE(a.kalorien.toQString(), b.kalorien.toQString());
    QCOMPARE(a.preis, b.preis);
    QCOMPARE(a.erfasst_am.toQString(), b.erfasst_am.toQString());
    QCOMPARE(a.utensielien.plainText(), b.utensielien.plainText());
    QCOMPARE(a.bild.isEmpty(), b.bild.isEmpty());
    if (!a.bild.isEmpty())
        QCOMPARE(lies(lpf + QStringLiteral("Bilder/") + b.bild.toQString()),
                 lies(lpf + QStringLiteral("Bilder/") + a.bild.toQString()));
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void buchHinUndZurueck_data();
    void buchHinUndZurueck();
    void formatNachFilter_data();
    void formatNachFilter();
    void ausDemEditor();
    void ausDerListe();
    void ausAllenBuechern();
    void fehlschlag_data();
    void fehlschlag();
    void abgebrochen();
};

void TestExport::buchHinUndZurueck_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<int>("felder");
    QTest::newRow("HTML-Seite") << kHtml << "Rezepte.html" << int(Grund | Rest);
    QTest::newRow("JSON-LD") << kJson << "Rezepte.jsonld" << int(Grund | Rest);
    QTest::newRow("MealMaster") << kMealMaster << "Rezepte.mmf" << int(Grund);
}

void TestExport::buchHinUndZurueck() {
    // The whole book from the menu, and back through the import window.
    QFETCH(QString, filter);
    QFETCH(QString, datei);
    QFETCH(int, felder);
    Austausch t;
    t.speichernAls(t.ziel(datei), filter);
    t.p->finde<QAction>(QStringLiteral("Rezepteexportieren1"))->trigger();
    QCOMPARE(t.p->plattform.dateiwahlen.size(), 1);
    const auto wahl = t.p->plattform.dateiwahlen.first();
    QCOMPARE(wahl.titel, QStringLiteral("Rezepte exportieren"));
    QCOMPARE(QFileInfo(wahl.start).fileName(), QStringLiteral("Familie.html"));
    QCOMPARE(wahl.filter, (QStringList{kHtml, kJson, kMealMaster}));
    QVERIFY(t.p->plattform.meldungen.isEmpty());
    QVERIFY(QFileInfo(t.ziel(datei)).isFile());
    QCOMPARE(t.p->f->statusBar()->currentMessage(),
             QStringLiteral("3 Rezepte nach „%1“ exportiert.").arg(QDir::toNativeSeparators(t.ziel(datei))));
    // The data screen stays: no window opened.
    QVERIFY(t.p->finde(QStringLiteral("Panel2"))->isVisible());
    const bool mitBildern = felder & Rest;
    QCOMPARE(QFileInfo(t.ziel(QStringLiteral("Rezepte_Bilder/Apfel.png"))).isFile(), mitBildern);
    if (mitBildern) QCOMPARE(lies(t.ziel(QStringLiteral("Rezepte_Bilder/Apfel.png"))), Testordner::png(6, 4));

    const QList<dateien> zurueck = t.zurueck(t.ziel(datei));
    QCOMPARE(zurueck.size(), 3);
    for (int i = 0; i < 3; ++i)
        vergleichen(t.original(i + 1), zurueck.at(i), felder, t.p->dir.pfad());
}

void TestExport::formatNachFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QByteArray>("anfang");
    QTest::newRow("HTML ohne Endung") << kHtml << "Rezepte"
                                      << "Rezepte.html" << QByteArray("<!DOCTYPE html");
    QTest::newRow("JSON-LD ohne Endung") << kJson << "Rezepte"
                                         << "Rezepte.jsonld" << QByteArray("{");
    QTest::newRow("MealMaster .txt") << kMealMaster << "Rezepte.txt"
                                     << "Rezepte.txt" << QByteArray("MMMMM");
    QTest::newRow("Endung vor Filter") << kHtml << "Rezepte.mmf"
                                       << "Rezepte.mmf" << QByteArray("MMMMM");
}

void TestExport::formatNachFilter() {
    // The save dialog's filter chooses the format; a name with a format's extension keeps it.
    QFETCH(QString, filter);
    QFETCH(QString, eingabe);
    QFETCH(QString, datei);
    QFETCH(QByteArray, anfang);
    Austausch t;
    t.speichernAls(t.ziel(eingabe), filter);
    t.p->finde<QAction>(QStringLiteral("Rezepteexportieren1"))->trigger();
    QFile f(t.ziel(datei));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    QVERIFY2(inhalt.trimmed().startsWith(anfang), inhalt.left(80).constData());
    QCOMPARE(QDir(t.ablage.path()).entryList(QDir::Files).size(), 1);
}

void TestExport::ausDemEditor() {
    // The editor's recipe as stored, alone in the file.
    Austausch t;
    auto* editor = t.p->finde<TForm13>(QStringLiteral("Form13"));
    editor->oeffnenBei(2);
    QVERIFY(editor->isVisible());
    t.speichernAls(t.ziel(QStringLiteral("eins")), kJson);
    Programm::in<QPushButton>(editor, QStringLiteral("Exportieren"))->click();
    const auto wahl = t.p->plattform.dateiwahlen.last();
    QCOMPARE(wahl.titel, QStringLiteral("Rezept exportieren"));
    QCOMPARE(QFileInfo(wahl.start).fileName(), QStringLiteral("Zwetschgendatschi.html"));
    QVERIFY(editor->isVisible());
    editor->reject();
    const QList<dateien> zurueck = t.zurueck(t.ziel(QStringLiteral("eins.jsonld")));
    QCOMPARE(zurueck.size(), 1);
    vergleichen(t.original(2), zurueck.first(), Grund | Rest, t.p->dir.pfad());
}

void TestExport::ausDerListe() {
    // The listing's recipes in the order the user sorted them.
    Austausch t;
    t.p->finde<QAction>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
    auto* liste = t.p->finde<Tform21>(QStringLiteral("form21"));
    QVERIFY(liste->isVisible());
    Programm::in<TFilterGrid>(liste, QStringLiteral("FilterGrid1"))
        ->Sortiere(QStringLiteral("3"), true, false);
    t.speichernAls(t.ziel(QStringLiteral("Liste.mmf")), kMealMaster);
    Programm::in<QPushButton>(liste, QStringLiteral("Exportieren"))->click();
    QCOMPARE(QFileInfo(t.p->plattform.dateiwahlen.last().start).fileName(), QStringLiteral("Familie.html"));
    const QList<dateien> zurueck = t.zurueck(t.ziel(QStringLiteral("Liste.mmf")));
    QCOMPARE(zurueck.size(), 3);
    QCOMPARE(zurueck.at(0).name.toQString(), QStringLiteral("Zwetschgendatschi"));
    QCOMPARE(zurueck.at(1).name.toQString(), QStringLiteral("Käsekuchen „Omas Art“"));
    QCOMPARE(zurueck.at(2).name.toQString(), QStringLiteral("Apfelkuchen"));
}

void TestExport::ausAllenBuechern() {
    // A search across books: each row's recipe is read from its own book.
    Austausch t;
    t.p->dir.buch(QStringLiteral("Omas.rez"), {vollesRezept(QStringLiteral("Omas Nusskuchen"), QString())});
    pfl::Suchbegriff b;
    b.feld = pfl::Textfeld::Name;
    b.objekt = QStringLiteral("kuchen");
    auto* treffer = t.p->finde<Tform22>(QStringLiteral("form22"));
    treffer->Dir_alle_daten_Suchen(b, QStringLiteral("Suche"));
    QVERIFY(treffer->isVisible());
    t.speichernAls(t.ziel(QStringLiteral("Treffer.jsonld")), kJson);
    Programm::in<QPushButton>(treffer, QStringLiteral("Exportieren"))->click();
    QCOMPARE(QFileInfo(t.p->plattform.dateiwahlen.last().start).fileName(),
             QStringLiteral("Suchergebnis.html"));
    treffer->close();
    QStringList namen;
    for (const dateien& d : t.zurueck(t.ziel(QStringLiteral("Treffer.jsonld"))))
        namen << d.name.toQString();
    namen.sort();
    QCOMPARE(namen, (QStringList{QStringLiteral("Apfelkuchen"), QStringLiteral("Käsekuchen „Omas Art“"),
                                 QStringLiteral("Omas Nusskuchen")}));
}

void TestExport::fehlschlag_data() {
    QTest::addColumn<QString>("ziel");
    QTest::newRow("Ordner fehlt") << "fehlt/Rezepte.html";
    QTest::newRow("Ziel ist ein Ordner") << "Ordner.html";
}

void TestExport::fehlschlag() {
    // A file that cannot be written is told in German; nothing is left behind.
    QFETCH(QString, ziel);
    Austausch t;
    QDir(t.ablage.path()).mkdir(QStringLiteral("Ordner.html"));
    const QStringList vorher = QDir(t.ablage.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    t.speichernAls(t.ziel(ziel), kHtml);
    t.p->finde<QAction>(QStringLiteral("Rezepteexportieren1"))->trigger();
    const QStringList m = t.p->plattform.meldungsTexte();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.first().startsWith(QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
                                      .arg(QDir::toNativeSeparators(t.ziel(ziel)))),
             qPrintable(m.first()));
    QVERIFY(t.p->f->statusBar()->currentMessage().isEmpty());
    QCOMPARE(QDir(t.ablage.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), vorher);
}

void TestExport::abgebrochen() {
    // Cancelling the save dialog writes nothing and says nothing.
    Austausch t;
    t.p->finde<QAction>(QStringLiteral("Rezepteexportieren1"))->trigger();
    QCOMPARE(t.p->plattform.dateiwahlen.size(), 1);
    QVERIFY(t.p->plattform.meldungen.isEmpty());
    QVERIFY(QDir(t.ablage.path()).isEmpty());
    QVERIFY(t.p->f->statusBar()->currentMessage().isEmpty());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
