// SPDX-License-Identifier: GPL-3.0-or-later
// Importing recipes through the import window, as a user does: the menu, the file chooser or a web
// address, the preview, "Importieren" or "Abbrechen"; checked on what the window shows, what the
// platform recorded and the bytes of the book.
#include "exchange/Importfenster.h"
#include "mainwindow/Hauptfenster.h"
#include "support/LaufendesProgramm.h"
#include "support/Schreibgrenze.h"

#include "Beispiele.h"
#include "Skriptabruf.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Programm = pfl::test::LaufendesProgramm;
constexpr qsizetype kSatz = sizeof(dateien);

// The program on a folder with the book "Familie" (one soup), the sections "Kuchen" and "Suppen",
// and a folder of downloaded files beside it.
struct Import {
    QTemporaryDir downloads;
    std::unique_ptr<Programm> p;
    pfl::test::Skriptabruf abruf;
    pfl::Importfenster* w = nullptr;

    explicit Import(const std::function<void(Testordner&)>& mehr = {}) {
        p = std::make_unique<Programm>([&](Testordner& d) {
            d.optionen(QStringLiteral("Familie"));
            d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Kuchen")});
            d.buch(QStringLiteral("Familie.rez"),
                   {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"))});
            if (mehr) mehr(d);
        });
        w = p->f->findChild<pfl::Importfenster*>();
        w->abruferSetzen(abruf);
        w->fortschrittNach(60000);
    }
    QString datei(const QString& name, const QByteArray& inhalt) const {
        const QString pfad = downloads.filePath(name);
        QDir().mkpath(QFileInfo(pfad).absolutePath());
        QFile f(pfad);
        if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size())
            qWarning("cannot write %s", qPrintable(pfad));
        return pfad;
    }
    // The saved page "Apfelkuchen.html" with its picture beside it.
    QString seite() const {
        datei(QStringLiteral("Apfelkuchen_files/kuchen.png"), Testordner::png(8, 6));
        return datei(QStringLiteral("Apfelkuchen.html"), pfl::test::rezeptSeite());
    }
    void oeffnen() { p->finde<QAction>(QStringLiteral("Rezepteimportieren1"))->trigger(); }
    void waehlen(const QStringList& dateien) {
        p->plattform.oeffnen.enqueue(dateien);
        k<QPushButton>("DateienWaehlen")->click();
    }
    template <typename T = QWidget> T* k(const char* name) const {
        return Programm::in<T>(w, QString::fromLatin1(name));
    }
    QTableView* tabelle() const { return k<QTableView>("Vorschau"); }
    QString zelle(int r, int c) const { return tabelle()->model()->index(r, c).data().toString(); }
    bool gewaehlt(int r) const {
        return tabelle()->model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    QByteArray buch() const { return p->dir.lies(QStringLiteral("Familie.rez")); }
    dateien satz(int nummer) const { return Testordner::satz<dateien>(buch(), nummer - 1); }
    QStringList bilder() const {
        return QDir(p->dir.pfad() + QStringLiteral("Bilder")).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }
    QString vorschau() const { return k<QPlainTextEdit>("Einzelheiten")->toPlainText(); }
};

// The block of the preview that follows a heading line ("Zutaten:") up to the next empty line, or
// to the end.
QString block(const QString& text, const QString& kopf, bool bisZumEnde = false) {
    const QStringList z = text.split(QLatin1Char('\n'));
    const qsizetype i = z.indexOf(kopf);
    if (i < 0) return QStringLiteral("<%1 fehlt>").arg(kopf);
    QStringList b;
    for (qsizetype j = i + 1; j < z.size() && (bisZumEnde || !z.at(j).isEmpty()); ++j)
        b << z.at(j);
    return b.join(QLatin1Char('\n'));
}

// The value of a line "Feld: Wert" of the preview.
QString zeile(const QString& text, const QString& feld) {
    for (const QString& z : text.split(QLatin1Char('\n')))
        if (z.startsWith(feld + QStringLiteral(": "))) return z.mid(feld.size() + 2);
    return QStringLiteral("<%1 fehlt>").arg(feld);
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void vorschauDannSchreiben();
    void abbrechenSchreibtNichts_data();
    void abbrechenSchreibtNichts();
    void doppelte_data();
    void doppelte();
    void meldungen_data();
    void meldungen();
    void webadresse();
    void ablegen();
    void ohneRezeptbuch();
    void grosseSammlungAbbrechen();
    void neueRubrik();
    void volleFestplatte();
    void kleinerBildschirm();
};

void TestImport::vorschauDannSchreiben() {
    // The preview shows the recipe as it will be stored; "Importieren" stores exactly that.
    Import t;
    const QByteArray vorher = t.buch();
    t.oeffnen();
    QVERIFY(t.w->isVisible());
    QCOMPARE(t.w->windowTitle(), QStringLiteral("Rezepte importieren"));
    // The section proposed is the one the main window shows.
    QCOMPARE(t.k<QComboBox>("Rubrik")->currentText(), QStringLiteral("Kuchen"));
    QCOMPARE(t.k<QComboBox>("Rubrik")->count(), 2);
    t.waehlen({t.seite()});
    QCOMPARE(t.p->plattform.dateiwahlen.size(), 1);
    QVERIFY(t.p->plattform.dateiwahlen.first().filter.first().contains(QStringLiteral("*.mmf")));
    QCOMPARE(t.tabelle()->model()->rowCount(), 1);
    QCOMPARE(t.zelle(0, 1), QStringLiteral("Apfelkuchen vom Blech"));
    QCOMPARE(t.zelle(0, 2), QStringLiteral("Kuchen"));
    QCOMPARE(t.zelle(0, 3), QStringLiteral("3"));
    QCOMPARE(t.zelle(0, 4), QStringLiteral("2"));
    QCOMPARE(t.zelle(0, 5), QStringLiteral("kuchen.png"));
    QVERIFY(t.gewaehlt(0));
    // "⅓" has no place in the book's code page: the change is pointed out.
    QVERIFY2(t.zelle(0, 6).contains(QStringLiteral("Zutaten")), qPrintable(t.zelle(0, 6)));
    const QString v = t.vorschau();
    QVERIFY2(v.contains(QStringLiteral("1⅓ kg Äpfel")), qPrintable(v));
    QCOMPARE(t.k<QLabel>("Zaehlzeile")->text(),
             QStringLiteral("1 Rezept gefunden, 1 zum Importieren ausgewählt, 1 mit geänderten Feldern."));
    pfl::test::bildSpeichern(t.w, QStringLiteral("import_vorschau"));
    // Nothing is written before the user confirms.
    QCOMPARE(t.buch(), vorher);
    QVERIFY(t.bilder().isEmpty());

    t.k<QPushButton>("Importieren")->click();
    QVERIFY(!t.w->isVisible());
    QCOMPARE(t.buch().size(), 2 * kSatz);
    QCOMPARE(t.buch().left(kSatz), vorher);
    const dateien d = t.satz(2);
    QCOMPARE(d.name.toQString(), zeile(v, QStringLiteral("Name")));
    QCOMPARE(d.Rubrik.toQString(), QStringLiteral("Kuchen"));
    QCOMPARE(d.Rubrik.toQString(), zeile(v, QStringLiteral("Rubrik")));
    QCOMPARE(d.kategorie.toQString(), zeile(v, QStringLiteral("Kategorie")));
    QCOMPARE(d.zutaten.plainText(), block(v, QStringLiteral("Zutaten:")));
    QCOMPARE(pfl::toCp1252(
                 block(v, QStringLiteral("Zutaten:")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"))),
             QByteArray(d.zutaten.bytes));
    QVERIFY2(d.zutaten.plainText().contains(QStringLiteral("1 1/3 kg Äpfel")),
             qPrintable(d.zutaten.plainText()));
    QCOMPARE(d.zubereitung.plainText(), block(v, QStringLiteral("Zubereitung:"), true));
    QCOMPARE(d.zeit.toQString(), QStringLiteral("30"));
    QCOMPARE(d.k_zeit.toQString(), QStringLiteral("45"));
    QCOMPARE(d.anzahl.toQString(), QStringLiteral("12"));
    QCOMPARE(d.erfasst_am.toQString(), QStringLiteral("07.12.2026"));
    QCOMPARE(d.bild.toQString(), QStringLiteral("kuchen.png"));
    QCOMPARE(t.p->dir.lies(QStringLiteral("Bilder/kuchen.png")), Testordner::png(8, 6));
    QCOMPARE(t.p->f->statusBar()->currentMessage(),
             QStringLiteral("1 Rezept in das Rezeptbuch „Familie“, Rubrik „Kuchen“ importiert."));
    // The main window shows the section the recipe went to, with it.
    QCOMPARE(t.p->u.rubrik, QStringLiteral("Kuchen"));
    QCOMPARE(t.p->finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->Cells(0, 1).trimmed(),
             QStringLiteral("Apfelkuchen vom Blech"));
    QVERIFY(t.p->plattform.meldungen.isEmpty());
}

void TestImport::abbrechenSchreibtNichts_data() {
    QTest::addColumn<int>("weg");
    QTest::newRow("Abbrechen") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("Fenster schliessen") << 2;
}

void TestImport::abbrechenSchreibtNichts() {
    QFETCH(int, weg);
    Import t;
    const QByteArray buch = t.buch();
    const QByteArray rubriken = t.p->dir.lies(QStringLiteral("Rubriken.rub"));
    t.oeffnen();
    t.waehlen({t.seite()});
    t.k<QComboBox>("Rubrik")->setEditText(QStringLiteral("Neue Rubrik"));
    QCOMPARE(t.tabelle()->model()->rowCount(), 1);
    if (weg == 0)
        t.k<QPushButton>("Abbrechen")->click();
    else if (weg == 1)
        QTest::keyClick(t.w, Qt::Key_Escape);
    else
        t.w->close();
    QVERIFY(!t.w->isVisible());
    QCOMPARE(t.buch(), buch);
    QCOMPARE(t.p->dir.lies(QStringLiteral("Rubriken.rub")), rubriken);
    QVERIFY(t.bilder().isEmpty());
    QVERIFY(t.p->f->statusBar()->currentMessage().isEmpty());
    // The main window is itself again.
    QVERIFY(t.p->finde(QStringLiteral("Panel2"))->isVisible());
}

void TestImport::doppelte_data() {
    QTest::addColumn<bool>("auchDoppelte");
    QTest::addColumn<QStringList>("neu"); // the names appended
    QTest::newRow("übersprungen") << false << QStringList{QStringLiteral("Suppe 2")};
    QTest::newRow("auf Wunsch") << true
                                << QStringList{QStringLiteral("Suppe 1"), QStringLiteral("Suppe 2"),
                                               QStringLiteral("Suppe 2")};
}

void TestImport::doppelte() {
    // A recipe with the name and ingredients of one in the book, or of one before it in the same
    // import, is pointed out and not taken unless the user wants it.
    QFETCH(bool, auchDoppelte);
    QFETCH(QStringList, neu);
    Import t;
    t.oeffnen();
    t.waehlen({t.datei(QStringLiteral("eins.mmf"), pfl::test::mealmasterSammlung(1))});
    t.k<QPushButton>("Importieren")->click();
    QCOMPARE(t.buch().size(), 2 * kSatz);
    const QByteArray vorher = t.buch();

    const QByteArray drei = pfl::test::mealmasterSammlung(2) +
                            pfl::test::mealmasterSammlung(2).mid(pfl::test::mealmasterSammlung(1).size());
    t.oeffnen();
    t.waehlen({t.datei(QStringLiteral("drei.mmf"), drei)});
    QCOMPARE(t.tabelle()->model()->rowCount(), 3);
    QCOMPARE(t.zelle(0, 1), QStringLiteral("Suppe 1"));
    QVERIFY2(t.zelle(0, 6).contains(QStringLiteral("schon im Rezeptbuch")), qPrintable(t.zelle(0, 6)));
    QVERIFY(t.zelle(1, 6).isEmpty());
    QVERIFY2(t.zelle(2, 6).contains(QStringLiteral("doppelt in diesem Import")), qPrintable(t.zelle(2, 6)));
    QVERIFY(!t.gewaehlt(0));
    QVERIFY(t.gewaehlt(1));
    QVERIFY(!t.gewaehlt(2));
    QCOMPARE(t.k<QLabel>("Zaehlzeile")->text(),
             QStringLiteral("3 Rezepte gefunden, 1 zum Importieren ausgewählt, 2 doppelt."));
    if (auchDoppelte) {
        t.k<QCheckBox>("Doppelte")->click();
        QVERIFY(t.gewaehlt(0) && t.gewaehlt(2));
        QCOMPARE(t.k<QLabel>("Zaehlzeile")->text(),
                 QStringLiteral("3 Rezepte gefunden, 3 zum Importieren ausgewählt, 2 doppelt."));
    }
    t.k<QPushButton>("Importieren")->click();
    QCOMPARE(t.buch().size(), (2 + neu.size()) * kSatz);
    QCOMPARE(t.buch().left(vorher.size()), vorher);
    for (qsizetype i = 0; i < neu.size(); ++i)
        QCOMPARE(t.satz(int(3 + i)).name.toQString(), neu.at(i));
}

void TestImport::meldungen_data() {
    QTest::addColumn<QString>("datei"); // a file name in the downloads, or "" for an address
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QString>("adresse");
    QTest::addColumn<QString>("abruffehler");
    QTest::addColumn<QString>("erwartet"); // a part of the message
    QTest::newRow("Seite ohne Rezept") << "blog.html" << pfl::test::seiteOhneRezept() << ""
                                       << ""
                                       << "blog.html";
    QTest::newRow("beschädigte Datei")
        << "kaputt.jsonld" << QByteArray("{\"@type\": \"Recipe\", \"name\": \"Kuch") << ""
        << ""
        << "kaputt.jsonld";
    QTest::newRow("nicht lesbar") << "bild.mmf" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << ""
                                  << ""
                                  << "bild.mmf";
    QTest::newRow("zu groß") << "riesig.mmf" << QByteArray() << ""
                             << ""
                             << "zu groß";
    QTest::newRow("Laden fehlgeschlagen") << "" << QByteArray() << "https://rezepte.example/apfelkuchen"
                                          << "„https://rezepte.example/apfelkuchen“ "
                                             "konnte nicht geladen werden: Der "
                                             "Server hat nicht innerhalb von 20 "
                                             "Sekunden geantwortet."
                                          << "nicht innerhalb von 20 Sekunden";
    QTest::newRow("Seite zu groß")
        << "" << QByteArray() << "https://rezepte.example/riesig"
        << "„https://rezepte.example/riesig“ wurde nicht geladen: Die Seite ist größer als "
           "20 MB."
        << "größer als 20 MB";
}

void TestImport::meldungen() {
    // Every source that gives no recipe is told in German, and nothing is written.
    QFETCH(QString, datei);
    QFETCH(QByteArray, inhalt);
    QFETCH(QString, adresse);
    QFETCH(QString, abruffehler);
    QFETCH(QString, erwartet);
    Import t;
    const QByteArray vorher = t.buch();
    t.oeffnen();
    if (!datei.isEmpty()) {
        const QString pfad = t.datei(datei, inhalt);
        if (inhalt.isEmpty()) QVERIFY(QFile::resize(pfad, (qint64(20) << 20) + 1));
        t.waehlen({pfad});
    } else {
        t.abruf.fehler(adresse, abruffehler);
        t.k<QLineEdit>("Webadresse")->setText(adresse);
        t.k<QPushButton>("AdresseLaden")->click();
        QCOMPARE(t.abruf.gefragt, QStringList{adresse});
    }
    const QStringList m = t.p->plattform.meldungsTexte();
    QCOMPARE(m.size(), 1);
    QVERIFY2(m.first().contains(erwartet), qPrintable(m.first()));
    QVERIFY2(m.first().endsWith(QStringLiteral("Es wurde nichts importiert.")), qPrintable(m.first()));
    QCOMPARE(t.tabelle()->model()->rowCount(), 0);
    QVERIFY(!t.k<QPushButton>("Importieren")->isEnabled());
    QVERIFY(t.k<QLabel>("Abgelehnt")->isVisible());
    QCOMPARE(t.buch(), vorher);
    QVERIFY(t.bilder().isEmpty());
}

void TestImport::webadresse() {
    // A page fetched from an address: its picture, named relative to the page, is fetched too.
    Import t;
    t.abruf.seite(QStringLiteral("https://rezepte.example/kuchen/apfel"),
                  pfl::test::rezeptSeite(QStringLiteral("Apfelkuchen"), QStringLiteral("/bilder/apfel.png")));
    t.abruf.seite(QStringLiteral("https://rezepte.example/bilder/apfel.png"), Testordner::png(5, 5));
    t.oeffnen();
    t.k<QLineEdit>("Webadresse")->setText(QStringLiteral("ftp://rezepte.example/a"));
    t.k<QPushButton>("AdresseLaden")->click();
    QCOMPARE(t.p->plattform.meldungsTexte().size(), 1);
    QVERIFY(t.p->plattform.meldungsTexte().first().contains(QStringLiteral("keine Webadresse")));
    QVERIFY(t.abruf.gefragt.isEmpty());
    t.k<QLineEdit>("Webadresse")->setText(QStringLiteral(" https://rezepte.example/kuchen/apfel "));
    QTest::keyClick(t.k<QLineEdit>("Webadresse"), Qt::Key_Return);
    QCOMPARE(t.abruf.gefragt, (QStringList{QStringLiteral("https://rezepte.example/kuchen/apfel"),
                                           QStringLiteral("https://rezepte.example/bilder/apfel.png")}));
    QCOMPARE(t.tabelle()->model()->rowCount(), 1);
    QCOMPARE(t.zelle(0, 5), QStringLiteral("apfel.png"));
    // Return in the address field loads, it does not import.
    QCOMPARE(t.buch().size(), kSatz);
    t.k<QPushButton>("Importieren")->click();
    QCOMPARE(t.satz(2).bild.toQString(), QStringLiteral("apfel.png"));
    QCOMPARE(t.p->dir.lies(QStringLiteral("Bilder/apfel.png")), Testordner::png(5, 5));
}

void TestImport::ablegen() {
    // Files dropped on the main window open the import window with what they hold.
    Import t;
    QMimeData daten;
    t.abruf.seite(QStringLiteral("https://rezepte.example/linsen"),
                  pfl::test::rezeptSeite(QStringLiteral("Linsentopf"), QString()));
    daten.setUrls(
        {QUrl::fromLocalFile(t.seite()),
         QUrl::fromLocalFile(t.datei(QStringLiteral("suppen.mmf"), pfl::test::mealmasterSammlung(2))),
         QUrl(QStringLiteral("https://rezepte.example/linsen"))});
    QDragEnterEvent hinein(QPoint(50, 50), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.p->f, &hinein);
    QVERIFY(hinein.isAccepted());
    QDropEvent ab(QPointF(50, 50), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.p->f, &ab);
    QVERIFY(t.w->isVisible());
    QCOMPARE(t.tabelle()->model()->rowCount(), 4);
    QCOMPARE(t.zelle(0, 1), QStringLiteral("Apfelkuchen vom Blech"));
    QCOMPARE(t.zelle(2, 1), QStringLiteral("Suppe 2"));
    QCOMPARE(t.zelle(3, 1), QStringLiteral("Linsentopf"));
    QCOMPARE(t.buch().size(), kSatz);
    // Something else than a file or a web address is not taken.
    QMimeData text;
    text.setText(QStringLiteral("Apfelkuchen"));
    QDragEnterEvent nichts(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.p->f, &nichts);
    QVERIFY(!nichts.isAccepted());
}

void TestImport::ohneRezeptbuch() {
    // Without an active book there is nowhere to import to: the user is told before any work.
    Programm p([](Testordner& d) { d.rubriken({QStringLiteral("Suppen")}); });
    p.finde<QAction>(QStringLiteral("Rezepteimportieren1"))->trigger();
    QCOMPARE(p.plattform.meldungsTexte(),
             QStringList{QStringLiteral("Es ist kein Rezeptbuch gewählt. Legen Sie zuerst ein Rezeptbuch an "
                                        "(Datei › Rezeptbuch anlegen).")});
    QVERIFY(!p.f->findChild<pfl::Importfenster*>()->isVisible());
    QVERIFY(p.plattform.dateiwahlen.isEmpty());
    // The title labels are back, as after any window.
    QVERIFY(p.finde(QStringLiteral("Label1"))->isVisible());
}

void TestImport::grosseSammlungAbbrechen() {
    // Thousands of MealMaster recipes show progress; "Abbrechen" while they are read writes nothing.
    Import t;
    const QString datei = t.datei(QStringLiteral("archiv.mmf"), pfl::test::mealmasterSammlung(12000));
    t.w->fortschrittNach(0);
    const QByteArray vorher = t.buch();
    int stand = -1;
    int hoechst = 0;
    QTimer wache;
    QObject::connect(&wache, &QTimer::timeout, [&] {
        auto* d = t.w->findChild<QProgressDialog*>(QStringLiteral("Importfortschritt"));
        if (!d || !d->isVisible() || d->wasCanceled()) return;
        // Cancelled once the reading is under way.
        if (d->value() > 0) {
            stand = d->value();
            hoechst = d->maximum();
            d->cancel();
        }
    });
    wache.start(0);
    t.oeffnen();
    t.waehlen({datei});
    wache.stop();
    QVERIFY(stand > 0);
    QVERIFY2(stand < hoechst, "cancelled before the end");
    QCOMPARE(t.tabelle()->model()->rowCount(), 0);
    QVERIFY(t.k<QLabel>("Abgelehnt")->text().contains(QStringLiteral("abgebrochen")));
    QVERIFY(t.p->plattform.meldungen.isEmpty());
    QCOMPARE(t.buch(), vorher);
    // Read to the end, the collection is all there.
    t.w->fortschrittNach(60000);
    t.waehlen({datei});
    QCOMPARE(t.tabelle()->model()->rowCount(), 12000);
    QCOMPARE(t.zelle(11999, 1), QStringLiteral("Suppe 12000"));
}

void TestImport::neueRubrik() {
    // A section typed in that the section list lacks is stored with the recipes and added to the list,
    // so the main window shows them.
    Import t;
    t.oeffnen();
    t.waehlen({t.seite()});
    t.k<QComboBox>("Rubrik")->setEditText(QStringLiteral("Backwaren"));
    t.k<QPushButton>("Importieren")->click();
    QCOMPARE(t.satz(2).Rubrik.toQString(), QStringLiteral("Backwaren"));
    const QByteArray liste = t.p->dir.lies(QStringLiteral("Rubriken.rub"));
    QCOMPARE(Testordner::satz<rubriken>(liste, int(liste.size() / qsizetype(sizeof(rubriken))) - 1)
                 .rubrik.toQString(),
             QStringLiteral("Backwaren"));
    auto* l = t.p->finde<QListWidget>(QStringLiteral("ListBox1"));
    QVERIFY(l->currentItem());
    QCOMPARE(l->currentItem()->text(), QStringLiteral("Backwaren"));
    QCOMPARE(t.p->finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->Cells(0, 1).trimmed(),
             QStringLiteral("Apfelkuchen vom Blech"));
}

void TestImport::volleFestplatte() {
    // The disk fills while the recipes are appended: the book keeps what it held, the picture taken
    // for them goes again, the user is told, and the preview stays for another try.
    Import t([](Testordner& d) {
        d.buch(QStringLiteral("Familie.rez"),
               {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe")),
                Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"))});
    });
    t.oeffnen();
    t.waehlen({t.seite(), t.datei(QStringLiteral("suppen.mmf"), pfl::test::mealmasterSammlung(3))});
    QCOMPARE(t.tabelle()->model()->rowCount(), 4);
    const QByteArray vorher = t.buch();
    enum { Gemeldet = 1, BuchGleich = 2, KeinBild = 4, NochOffen = 8 };
    const int bits = pfl::test::mitSchreibgrenze(vorher.size() + kSatz + 100, [&] {
        t.k<QPushButton>("Importieren")->click();
        int r = 0;
        const QStringList m = t.p->plattform.meldungsTexte();
        if (m.size() == 1 && m.first().contains(QStringLiteral("Familie.rez"))) r |= Gemeldet;
        if (t.buch() == vorher) r |= BuchGleich;
        if (t.bilder().isEmpty()) r |= KeinBild;
        if (t.w->isVisible() && t.tabelle()->model()->rowCount() == 4) r |= NochOffen;
        return r;
    });
    QCOMPARE(bits, Gemeldet | BuchGleich | KeinBild | NochOffen);
}

void TestImport::kleinerBildschirm() {
    // On a small screen the window takes the room there is, its buttons inside it.
    Import t;
    t.p->plattform.bildschirm = QSize(800, 600);
    t.p->plattform.arbeitsflaeche = QRect(0, 0, 800, 570);
    t.p->plattform.rahmen = QMargins(2, 24, 2, 2);
    t.oeffnen();
    t.waehlen({t.seite()});
    // A window's position is where its frame starts.
    const QRect aussen(t.w->pos(), t.w->size().grownBy(t.p->plattform.rahmen));
    QVERIFY2(QRect(0, 0, 800, 570).contains(aussen), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                    .arg(aussen.x())
                                                                    .arg(aussen.y())
                                                                    .arg(aussen.width())
                                                                    .arg(aussen.height())));
    for (const char* name : {"Importieren", "Abbrechen", "DateienWaehlen", "AdresseLaden"}) {
        QWidget* k = t.k(name);
        QVERIFY2(t.w->rect().contains(QRect(k->mapTo(t.w, QPoint(0, 0)), k->size())), name);
    }
    QVERIFY(t.tabelle()->height() > 60);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
