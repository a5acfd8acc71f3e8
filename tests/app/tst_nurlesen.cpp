// SPDX-License-Identifier: GPL-3.0-or-later
// A data folder that can only be read (read-only media, no permission to write): the recipes are
// shown, searched and printed, nothing in the folder changes, and every command that would write
// says so at once.
#include "mainwindow/Hauptfenster.h"
#include "data/Unit4.h"
#include "support/Kindprozess.h"
#include "support/LaufendesProgramm.h"
#include "support/Testordner.h"
#include "widgets/Statustext.h"

#include <QAction>
#include <QDialog>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

using Programm = pfl::test::LaufendesProgramm;

// Two books, sections, categories and a shopping list; no owner data, print settings, colours or
// version stamp, which a start in a writable folder would create.
void sammlung(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Backen")});
    d.kategorien({QStringLiteral("Deftig")});
    d.buch(QStringLiteral("Familie.rez"),
           {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"),
                               QStringLiteral("Deftig")),
            Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Apfelkuchen"),
                               QStringLiteral("Deftig")),
            Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Brühe"), QStringLiteral("Deftig"))});
    d.buch(
        QStringLiteral("Feste.rez"),
        {Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Stollen"), QStringLiteral("Deftig"))});
    QByteArray liste(10001, '\0');
    liste.replace(0, 5, "Milch");
    d.schreibe(QStringLiteral("Einkaufsliste.Ekl"), liste);
}

// Every entry of the folder, hidden ones too, with its bytes.
QMap<QString, QByteArray> abbild(const QString& ordner) {
    QMap<QString, QByteArray> m;
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo i(it.next());
        QFile f(i.filePath());
        m.insert(QDir(ordner).relativeFilePath(i.filePath()),
                 i.isDir() ? QByteArray("dir")
                           : (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?")));
    }
    return m;
}

// The program started on the collection with the folder known to be read-only.
struct NurLesen {
    Programm p{sammlung, false};
    QMap<QString, QByteArray> vorher;
    NurLesen() {
        vorher = abbild(p.dir.pfad());
        p.u.nurLesen = true;
        p.starten();
    }
    QDialog* fenster(const char* name) const { return p.finde<QDialog>(QString::fromLatin1(name)); }
    void klick(QDialog* w, const char* knopf) const {
        Programm::in<QPushButton>(w, QString::fromLatin1(knopf))->click();
    }
    void aktion(const char* name) const { p.finde<QAction>(QString::fromLatin1(name))->trigger(); }
};

} // namespace

class TestNurLesen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void startSchreibtNichts();
    void ansehenUndBlaettern();
    void schreibendeBefehleSagenEs_data();
    void schreibendeBefehleSagenEs();
    void schreibgeschuetzterOrdner();
};

void TestNurLesen::startSchreibtNichts() {
    NurLesen n;
    QVERIFY(n.p.f);
    QVERIFY(n.p.plattform.meldungen.isEmpty());
    // The status bar says so, naming the folder.
    const QString hinweis = n.p.finde<QLabel>(QStringLiteral("StatusPanel1"))->text();
    QVERIFY2(hinweis.startsWith(QStringLiteral("Nur lesen: Der Datenordner ")), qPrintable(hinweis));
    QVERIFY2(hinweis.contains(QDir::cleanPath(n.p.dir.pfad())), qPrintable(hinweis));
    // Too narrow a bar shortens the end of the notice, never its start.
    auto* panel = n.p.finde<Statustext>(QStringLiteral("StatusPanel1"));
    panel->resize(panel->fontMetrics().horizontalAdvance(hinweis) / 2, panel->height());
    QVERIFY2(panel->gezeigt().startsWith(QStringLiteral("Nur lesen: Der")), qPrintable(panel->gezeigt()));
    QVERIFY2(panel->gezeigt().endsWith(QChar(0x2026)), qPrintable(panel->gezeigt()));
    QCOMPARE(panel->toolTip(), hinweis.trimmed());
    // The recipes show.
    auto* rubriken = n.p.finde<QListWidget>(QStringLiteral("ListBox1"));
    QCOMPARE(rubriken->count(), 2);
    QCOMPARE(n.p.u.rubrik, QStringLiteral("Backen"));
    QCOMPARE(n.p.u.rubrikZeilen().size(), 1);
    // Leaving with "Beenden" writes no version stamp either.
    n.p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
    QVERIFY(n.p.plattform.meldungen.isEmpty());
    QCOMPARE(abbild(n.p.dir.pfad()), n.vorher);
}

void TestNurLesen::ansehenUndBlaettern() {
    // Looking at the recipes needs no write: the listing, the editor and its steps, printing, the
    // search, the data screen, another book and the shopping list come without a word, and the
    // folder stays as it was.
    NurLesen n;
    n.aktion("Rezeptebearbeiten1");
    QVERIFY(n.fenster("form21")->isVisible());
    QDialog* editor = n.fenster("Form13");
    QMetaObject::invokeMethod(editor, "oeffnenBei", Q_ARG(int, 1));
    QCOMPARE(Programm::in<QLineEdit>(editor, QStringLiteral("Edit2"))->text(), QStringLiteral("Linsensuppe"));
    n.klick(editor, "Button13");
    QCOMPARE(Programm::in<QLineEdit>(editor, QStringLiteral("Edit2"))->text(), QStringLiteral("Apfelkuchen"));
    // Printing the recipe shown.
    n.klick(editor, "Button8");
    QDialog* drucken = n.fenster("Form14");
    QVERIFY(drucken->isVisible());
    n.klick(drucken, "Button2");
    QCOMPARE(n.p.plattform.seitendrucke.size(), 1);
    drucken->reject();
    n.fenster("form21")->reject();
    // Searching the book.
    n.aktion("Suchen1");
    QDialog* suchen = n.fenster("Form9");
    QVERIFY(suchen->isVisible());
    suchen->reject();
    n.aktion("Datenbildschirmeinaus1");
    n.aktion("Einkaufslistebearbeiten1");
    QDialog* einkauf = n.fenster("Form3");
    QVERIFY(einkauf->isVisible());
    QCOMPARE(n.p.u.einkaufText, QStringLiteral("Milch"));
    einkauf->reject();
    n.aktion("Rezeptbuchwechseln1");
    QDialog* wechseln = n.fenster("Wechseln");
    QVERIFY(wechseln->isVisible());
    QVERIFY2(n.p.plattform.meldungen.isEmpty(), qPrintable(n.p.plattform.meldungsTexte().join(u'|')));
    QCOMPARE(abbild(n.p.dir.pfad()), n.vorher);
}

void TestNurLesen::schreibendeBefehleSagenEs_data() {
    QTest::addColumn<QString>("befehl");
    for (const char* b : {"Rezepte erfassen",
                          "Erfassen (Knopf)",
                          "Rezeptbuch anlegen",
                          "Rezeptbuch löschen",
                          "Wiederherstellung",
                          "Farben",
                          "Farben (Knopf)",
                          "Rubrik neu",
                          "Rubrik ändern",
                          "Rubrik löschen",
                          "Kategorie neu",
                          "Einkaufsliste speichern",
                          "Einkaufsliste löschen",
                          "Einstellungen speichern",
                          "Datenbildschirm speichern",
                          "Datenbildschirm Grundeinstellung",
                          "Druckoptionen speichern",
                          "Druckoptionen Grundeinstellung",
                          "Rezept speichern",
                          "Rezept löschen"})
        QTest::newRow(b) << QString::fromUtf8(b);
}

void TestNurLesen::schreibendeBefehleSagenEs() {
    // Each says at once that the folder can only be read (one information box, nothing asked before)
    // and writes nothing; a window that exists only to write does not open.
    QFETCH(QString, befehl);
    NurLesen n;
    const auto ist = [&](const char* b) { return befehl == QString::fromUtf8(b); };
    QString nichtOffen; // the window that must not open
    if (ist("Rezepte erfassen")) {
        n.aktion("Rezepteerfassen1");
        nichtOffen = QStringLiteral("Form2");
    } else if (ist("Erfassen (Knopf)")) {
        n.p.finde<QToolButton>(QStringLiteral("SpeedButton1"))->click();
        nichtOffen = QStringLiteral("Form2");
    } else if (ist("Rezeptbuch anlegen")) {
        n.aktion("Rezeptbuchanlegen1");
        nichtOffen = QStringLiteral("d_anlegen");
    } else if (ist("Rezeptbuch löschen")) {
        n.aktion("Rezeptbuchlschne1");
        nichtOffen = QStringLiteral("loeschen");
    } else if (ist("Wiederherstellung")) {
        n.aktion("Datenwiederherstellung1");
        nichtOffen = QStringLiteral("Back5");
    } else if (ist("Farben")) {
        n.aktion("Farbenndern1");
        nichtOffen = QStringLiteral("Farbe");
    } else if (ist("Farben (Knopf)")) {
        n.p.finde<QToolButton>(QStringLiteral("SpeedButton3"))->click();
        nichtOffen = QStringLiteral("Farbe");
    } else if (befehl.startsWith(QStringLiteral("Rubrik ")) || ist("Kategorie neu")) {
        const bool rubrik = befehl.startsWith(QStringLiteral("Rubrik"));
        n.aktion(rubrik ? "Rubrikenerfassenndern1" : "Kategorieenerfassenndern1");
        QDialog* w = n.fenster(rubrik ? "Form27" : "Form28");
        QVERIFY(w->isVisible());
        if (befehl.endsWith(QStringLiteral("neu"))) {
            n.klick(w, "Button6");
            QVERIFY(!Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->isEnabled());
        } else {
            auto* liste = Programm::in<QListWidget>(w, QStringLiteral("ListBox1"));
            const QListWidgetItem* item =
                liste->findItems(QStringLiteral("Suppen"), Qt::MatchExactly).first();
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(item).center());
            n.klick(w, ist("Rubrik ändern") ? "Button2" : "Button3");
            QCOMPARE(liste->findItems(QStringLiteral("Suppen"), Qt::MatchExactly).size(), 1);
        }
    } else if (befehl.startsWith(QStringLiteral("Einkaufsliste"))) {
        n.aktion("Einkaufslistebearbeiten1");
        QDialog* w = n.fenster("Form3");
        n.klick(w, ist("Einkaufsliste speichern") ? "Button1" : "Button2");
        QVERIFY(w->isVisible());
    } else if (ist("Einstellungen speichern")) {
        n.aktion("Einstellungen1");
        n.klick(n.fenster("Einst"), "Button1");
    } else if (befehl.startsWith(QStringLiteral("Datenbildschirm"))) {
        n.aktion("Bildgrssendern1");
        n.klick(n.fenster("Form52"), ist("Datenbildschirm speichern") ? "Button1" : "Button2");
    } else if (befehl.startsWith(QStringLiteral("Druckoptionen"))) {
        n.aktion("Druckoptionen1");
        n.klick(n.fenster("Form15"), ist("Druckoptionen speichern") ? "Button11" : "Button9");
    } else if (befehl.startsWith(QStringLiteral("Rezept "))) {
        QDialog* editor = n.fenster("Form13");
        QMetaObject::invokeMethod(editor, "oeffnenBei", Q_ARG(int, 1));
        Programm::in<QLineEdit>(editor, QStringLiteral("Edit2"))
            ->setText(QStringLiteral("Linsensuppe mit Speck"));
        n.klick(editor, ist("Rezept speichern") ? "Button1" : "Button2");
        QVERIFY(editor->isVisible());
    } else {
        QFAIL("unbekannter Befehl");
    }
    QCOMPARE(n.p.plattform.meldungen.size(), 1);
    QVERIFY(n.p.plattform.meldungen.first().kind == Platform::Kind::Information);
    QCOMPARE(n.p.plattform.meldungen.first().text, n.p.u.nurLesenText());
    QVERIFY(n.p.plattform.meldungen.first().text.contains(QStringLiteral("kann nur gelesen werden")));
    if (!nichtOffen.isEmpty())
        for (QDialog* d : n.p.f->findChildren<QDialog*>(nichtOffen))
            QVERIFY2(!d->isVisible(), qPrintable(nichtOffen));
    QCOMPARE(abbild(n.p.dir.pfad()), n.vorher);
}

void TestNurLesen::schreibgeschuetzterOrdner() {
    // A real folder without write permission (0555) is found to be read-only by the start itself.
    // Root writes anywhere, so an ordinary user starts.
    Programm p(sammlung, false);
    const QString ordner = QDir::cleanPath(p.dir.pfad());
    const int r = pfl::test::alsBenutzer(
        ordner,
        [&] {
            QFile::setPermissions(ordner,
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
            if (QFileInfo(ordner).isWritable()) return pfl::test::kSchreibtUeberall;
            return pfl::test::pruefungen([&] {
                const QMap<QString, QByteArray> vorher = abbild(ordner);
                QVERIFY(p.starten());
                QVERIFY(p.u.nurLesen);
                QVERIFY(p.plattform.meldungen.isEmpty());
                QVERIFY(p.finde<QLabel>(QStringLiteral("StatusPanel1"))
                            ->text()
                            .startsWith(QStringLiteral("Nur lesen")));
                QCOMPARE(p.u.rubrikZeilen().size(), 1);
                p.finde<QAction>(QStringLiteral("Rezepteerfassen1"))->trigger();
                QCOMPARE(p.plattform.meldungsTexte(), QStringList{p.u.nurLesenText()});
                p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
                QCOMPARE(abbild(ordner), vorher);
            });
        },
        60);
    QFile::setPermissions(ordner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r == pfl::test::kSchreibtUeberall) QSKIP("even an ordinary user writes everywhere here");
    QCOMPARE(r, 0);
}

QTEST_MAIN(TestNurLesen)
#include "tst_nurlesen.moc"
