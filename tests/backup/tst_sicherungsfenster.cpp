// SPDX-License-Identifier: GPL-3.0-or-later
// The backup window, the automatic backup at "Beenden" and before a rename, used as a user would.
#include "backup/Datensicherung.h"
#include "backup/Sicherungsfenster.h"
#include "backup/Sicherungstexte.h"
#include "grid/FilterGrid.h"
#include "recipes/Begriffsliste.h"
#include "support/LaufendesProgramm.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <unistd.h>

namespace {
using Programm = pfl::test::LaufendesProgramm;

void optionenSetzen(const Testordner& d, const QString& lwpf, int backup) {
    optionen o = Testordner::satz<optionen>(d.lies(QStringLiteral("Rezept.opt")));
    o.lwpf = lwpf;
    o.Backup = backup;
    d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
}

void zeitSetzen(const QString& pfad, const QDateTime& t) {
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
}

void schreibe(const QString& pfad, const QByteArray& b) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(b);
}

// A data folder in use: one book, sections, categories and a picture.
void datenordner(Testordner& d, const QString& lwpf = QString(), int backup = 0) {
    d.rubriken({QStringLiteral("Suppen")});
    d.kategorien({QStringLiteral("Deftig")});
    d.buch(QStringLiteral("Familie.rez"),
           {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"),
                               QStringLiteral("Deftig"))});
    schreibe(d.datei(QStringLiteral("Bilder/Erbsensuppe.jpg")), "JPEG-Bytes");
    d.optionen(QStringLiteral("Familie"));
    optionenSetzen(d, lwpf, backup);
    // older than the backups of the tests, unless a test makes them newer
    for (const QString& n : {QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub")})
        zeitSetzen(d.datei(n), QDateTime(QDate(2026, 11, 2), QTime(10, 0)));
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

TBack5* oeffnen(Programm& p, const char* befehl) {
    p.finde<QAction>(QString::fromLatin1(befehl))->trigger();
    return p.finde<TBack5>(QStringLiteral("Back5"));
}

QPushButton* knopf(QWidget* w, const char* name) {
    return Programm::in<QPushButton>(w, QString::fromLatin1(name));
}

void waehle(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    QVERIFY2(!t.isEmpty(), qPrintable(text));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      l->visualItemRect(t.first()).center());
}

// Every file below a folder with its bytes.
QMap<QString, QByteArray> inhalt(const QString& ordner) {
    QMap<QString, QByteArray> m;
    QDirIterator it(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString pfad = it.next();
        m.insert(QDir(ordner).relativeFilePath(pfad), lies(pfad));
    }
    return m;
}

const QString kErfolg = QStringLiteral("   Der Kopiervorgang wurde erfolgreich abgeschlossen.  \n     Falls "
                                       "Sie eine weitere Datei kopieren möchten,    "
                                       "\n         treffen Sie bitte eine neue Auswahl.          \n");

// A backup folder of an earlier day: the book had other recipes and another section then.
void sicherungsordner(const QString& s) {
    Testordner alt;
    alt.rubriken({QStringLiteral("Backen")});
    alt.buch(QStringLiteral("Familie.rez"),
             {Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Strudel")),
              Testordner::rezept(QStringLiteral("Backen"), QStringLiteral("Zopf"))});
    for (const QString& n : {QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub")})
        schreibe(s + QLatin1Char('/') + n, alt.lies(n));
    schreibe(s + QStringLiteral("/Bilder/Strudel.jpg"), "Strudelbild");
    schreibe(s + QStringLiteral("/Notizen.txt"), "keine Datendatei");
    for (const QString& n : {QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub")})
        zeitSetzen(s + QLatin1Char('/') + n, QDateTime(QDate(2026, 12, 1), QTime(9, 15)));
}
} // namespace

class TestSicherungsfenster : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void sichern();
    void sichernScheitert_data();
    void sichernScheitert();
    void sichernAbbrechen();
    void automatikSchalter();
    void seitenUndHilfe();
    void wiederherstellen();
    void wiederherstellenNeuereDaten_data();
    void wiederherstellenNeuereDaten();
    void wiederherstellenScheitert();
    void wiederherstellenOhneDatentraeger();
    void fremdesZiel_data();
    void fremdesZiel();
    void beendenMitAutomatik_data();
    void beendenMitAutomatik();
    void beendenScheitert_data();
    void beendenScheitert();
    void umbenennenSichertVorher_data();
    void umbenennenSichertVorher();
    void umbenennenOhneSicherung_data();
    void umbenennenOhneSicherung();

private:
    QTemporaryDir m_heim;
};

void TestSicherungsfenster::initTestCase() {
    pfl::ressourcenLaden();
    // The default backup folder lies in the home folder; the tests keep theirs to themselves.
    qputenv("HOME", QFile::encodeName(m_heim.path()));
}

void TestSicherungsfenster::sichern() {
    QTemporaryDir z;
    Programm p([](Testordner& d) { datenordner(d); });
    QPointer<TBack5> w = oeffnen(p, "Datensicherung1");
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Pfanno-Lux Datensicherung"));
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit1"))->text(), p.dir.pfad());
    QCOMPARE(knopf(w, "Button1")->text(), QStringLiteral("Daten sichern >>"));
    auto* ziel = p.in<QLineEdit>(w, QStringLiteral("Edit2"));
    QCOMPARE(ziel->text(), QString());
    QTest::keyClicks(ziel, z.path() + QStringLiteral("/Sicherung"));
    knopf(w, "Button4")->click();
    QCOMPARE(ziel->text(), z.path() + QStringLiteral("/Sicherung/07_12_2026"));
    pfl::test::bildSpeichern(w, QStringLiteral("sicherung"));
    knopf(w, "Button1")->click();

    QCOMPARE(p.plattform.meldungsTexte(), QStringList());
    QVERIFY(!w || !w->isVisible()); // done: the window closed
    // The main window's status bar says where the data went.
    QCOMPARE(p.f->statusBar()->currentMessage(),
             QStringLiteral("Die Datensicherung ist abgeschlossen: Ihre Daten sind in ") + z.path() +
                 QStringLiteral("/Sicherung/07_12_2026 gesichert."));
    const QString nach = z.path() + QStringLiteral("/Sicherung/07_12_2026/");
    for (const QString& n :
         {QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub"), QStringLiteral("kategorien.kat"),
          QStringLiteral("Rezept.opt"), QStringLiteral("Stammdaten.sti"), QStringLiteral("Drucker.drk"),
          QStringLiteral("Bilder/Erbsensuppe.jpg")})
        QVERIFY2(lies(nach + n) == p.dir.lies(n), qPrintable(n));
    QVERIFY(!QFileInfo::exists(nach + QStringLiteral("Zirade-Zadod.ize")));
    // the dated target becomes the default of the next backup
    QCOMPARE(p.optionenDatei().lwpf.toQString(), z.path() + QStringLiteral("/Sicherung/07_12_2026"));
}

void TestSicherungsfenster::sichernScheitert_data() {
    QTest::addColumn<QString>("art");
    QTest::newRow("Datei nicht lesbar") << "datei";
    QTest::newRow("Ziel nicht anlegbar") << "ziel";
    QTest::newRow("Datenträger fehlt") << "medium";
}

void TestSicherungsfenster::sichernScheitert() {
    QFETCH(QString, art);
    QTemporaryDir z;
    Programm p([&art](Testordner& d) {
        datenordner(d);
        if (art == QLatin1String("datei"))
            QCOMPARE(::symlink("/nirgendwo/da",
                               QFile::encodeName(d.datei(QStringLiteral("Kaputt.rez"))).constData()),
                     0);
    });
    schreibe(z.path() + QStringLiteral("/eineDatei"), "kein Ordner");
    QString ziel = z.path() + QStringLiteral("/Sicherung");
    QString meldung;
    if (art == QLatin1String("datei")) {
        meldung =
            QStringLiteral("Die Datensicherung ist nicht vollständig. Diese Dateien wurden nicht gesichert:\n"
                           "\u201E%1Kaputt.rez\u201C: Die Datei ist nicht vorhanden oder nicht lesbar.")
                .arg(p.dir.pfad());
    } else if (art == QLatin1String("ziel")) {
        ziel = z.path() + QStringLiteral("/eineDatei/Sicherung");
        meldung = QStringLiteral("Beim Anlegen von %1/ ist ein Fehler aufgetreten!").arg(ziel);
    } else {
        ziel = QStringLiteral("/media/pfanno-nicht-eingehaengt/Sicherung");
        meldung = QStringLiteral("    Datei-Ein/Ausgabe-Fehler \n Legen Sie bitte eine Diskette ein.\n");
    }
    QPointer<TBack5> w = oeffnen(p, "Datensicherung1");
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit2")), ziel);
    knopf(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{meldung});
    QVERIFY(w && w->isVisible()); // not shown as done
    QCOMPARE(p.f->statusBar()->currentMessage(), QString());
    QVERIFY(knopf(w, "Button1")->isEnabled());
    if (art == QLatin1String("datei")) // the rest went all the same
        QCOMPARE(lies(ziel + QStringLiteral("/Familie.rez")), p.dir.lies(QStringLiteral("Familie.rez")));
    if (art == QLatin1String("medium"))
        QVERIFY(!QFileInfo::exists(QStringLiteral("/media/pfanno-nicht-eingehaengt")));
}

void TestSicherungsfenster::sichernAbbrechen() {
    QTemporaryDir z;
    Programm p([](Testordner& d) { datenordner(d); });
    QPointer<TBack5> w = oeffnen(p, "Datensicherung1");
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit2")), z.path());
    // "Beenden" while the files are copied stops the copy between two files
    QTimer::singleShot(0, knopf(w, "Button2"), &QPushButton::click);
    knopf(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungsTexte(),
             QStringList{QStringLiteral("Die Datensicherung wurde abgebrochen. Sie ist nicht vollständig.")});
    QVERIFY(w && w->isVisible());
    QVERIFY(!QFileInfo::exists(z.path() + QStringLiteral("/Drucker.drk")));
    // a second "Beenden" closes the window as usual
    knopf(w, "Button2")->click();
    QVERIFY(!w || !w->isVisible());
}

void TestSicherungsfenster::automatikSchalter() {
    Programm p([](Testordner& d) { datenordner(d); });
    QPointer<TBack5> w = oeffnen(p, "Datensicherung1");
    auto* schalter = p.in<QCheckBox>(w, QStringLiteral("CheckBox1"));
    QCOMPARE(schalter->text(), QStringLiteral("Automatische Datensicherung nach Programmende."));
    QVERIFY(!schalter->isChecked());
    schalter->click();
    const QString standard = m_heim.path() + QStringLiteral("/Rezept_Backup");
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit2"))->text(), standard);
    QCOMPARE(p.optionenDatei().Backup, 1);
    QCOMPARE(p.optionenDatei().lwpf.toQString(), standard);
    schalter->click();
    QCOMPARE(p.optionenDatei().Backup, 0);
    knopf(w, "Button2")->click();
    QVERIFY(!w || !w->isVisible());
    // a fresh window shows what was stored
    w = oeffnen(p, "Datensicherung1");
    QVERIFY(!p.in<QCheckBox>(w, QStringLiteral("CheckBox1"))->isChecked());
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit2"))->text(), standard);
}

void TestSicherungsfenster::seitenUndHilfe() {
    Programm p([](Testordner& d) { datenordner(d); });
    QPointer<TBack5> w = oeffnen(p, "Datensicherung1");
    knopf(w, "Button3")->click();
    auto* seiten = p.in<QTabWidget>(w, QStringLiteral("PageControl1"));
    QTabBar* leiste = seiten->tabBar();
    QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->tabRect(1).center());
    QCOMPARE(w->windowTitle(), QStringLiteral("Pfanno-Lux Datenwiederherstellung"));
    QCOMPARE(knopf(w, "Button1")->text(), QStringLiteral("Wiederherstellen"));
    QVERIFY(!knopf(w, "Button4")->isEnabled());
    QTest::keyClick(w, Qt::Key_F1);
    QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->tabRect(0).center());
    QCOMPARE(w->windowTitle(), QStringLiteral("Pfanno-Lux Datensicherung"));
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 2);
    QCOMPARE(p.plattform.hilfeAufrufe.at(0).second, 850);
    QCOMPARE(p.plattform.hilfeAufrufe.at(1).second, 900);
}

void TestSicherungsfenster::wiederherstellen() {
    QTemporaryDir s;
    sicherungsordner(s.path());
    Programm p([&s](Testordner& d) { datenordner(d, s.path()); });
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(), 2);
    const QByteArray optionenVorher = p.dir.lies(QStringLiteral("Rezept.opt"));
    QPointer<TBack5> w = oeffnen(p, "Datenwiederherstellung1");
    QCOMPARE(w->windowTitle(), QStringLiteral("Pfanno-Lux Datenwiederherstellung"));
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit3"))->text(), s.path() + QLatin1Char('/'));
    QCOMPARE(p.in<QLineEdit>(w, QStringLiteral("Edit4"))->text(), p.dir.pfad());
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    QStringList angeboten;
    for (int i = 0; i < liste->count(); ++i)
        angeboten.append(liste->item(i)->text());
    QCOMPARE(angeboten, (QStringList{QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub"),
                                     QStringLiteral("Bilder (alle Rezeptbilder)")}));

    // nothing picked: the request to mark a file, nothing copied
    knopf(w, "Button1")->click();
    QCOMPARE(
        p.plattform.meldungsTexte(),
        QStringList{QStringLiteral("  Markieren Sie bitte mit der Maus die Datei,     \n      die wieder "
                                   "hergestellt werden soll.         \n")});
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")).size(), qsizetype(sizeof(dateien)));

    for (const QString& n : angeboten)
        waehle(liste, n);
    pfl::test::bildSpeichern(w, QStringLiteral("wiederherstellung"));
    knopf(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungsTexte().last(), kErfolg);
    QCOMPARE(p.plattform.meldungen.size(), 2);
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), lies(s.path() + QStringLiteral("/Familie.rez")));
    QCOMPARE(p.dir.lies(QStringLiteral("Bilder/Strudel.jpg")), QByteArray("Strudelbild"));
    QCOMPARE(p.dir.lies(QStringLiteral("Bilder/Erbsensuppe.jpg")), QByteArray("JPEG-Bytes"));
    QVERIFY(!p.dir.gibt(QStringLiteral("Notizen.txt")));
    // the restore leaves the default backup folder as it was
    QCOMPARE(p.dir.lies(QStringLiteral("Rezept.opt")), optionenVorher);
    // the main window shows the restored sections and recipes at once
    QCOMPARE(p.u.rubrik, QStringLiteral("Backen"));
    auto* rubriken = p.finde<QListWidget>(QStringLiteral("ListBox1"));
    QCOMPARE(rubriken->count(), 1);
    QCOMPARE(rubriken->item(0)->text(), QStringLiteral("Backen"));
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(), 3);
    QVERIFY(w->isVisible());
    QVERIFY(!knopf(w, "Button1")->isEnabled()); // a further restore needs a new pick
}

void TestSicherungsfenster::wiederherstellenNeuereDaten_data() {
    QTest::addColumn<bool>("ja");
    QTest::newRow("Ja: ersetzen") << true;
    QTest::newRow("Nein: behalten") << false;
}

void TestSicherungsfenster::wiederherstellenNeuereDaten() {
    QFETCH(bool, ja);
    QTemporaryDir s;
    sicherungsordner(s.path());
    Programm p([&s](Testordner& d) { datenordner(d, s.path()); });
    zeitSetzen(p.dir.datei(QStringLiteral("Familie.rez")), QDateTime(QDate(2026, 12, 6), QTime(18, 4)));
    const QByteArray vorher = p.dir.lies(QStringLiteral("Familie.rez"));
    const QByteArray rubVorher = p.dir.lies(QStringLiteral("Rubriken.rub"));
    QPointer<TBack5> w = oeffnen(p, "Datenwiederherstellung1");
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    waehle(liste, QStringLiteral("Familie.rez"));
    waehle(liste, QStringLiteral("Rubriken.rub")); // older in the data folder: no question for it
    zeitSetzen(p.dir.datei(QStringLiteral("Rubriken.rub")), QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    p.plattform.antworten.enqueue(ja ? Platform::Answer::Yes : Platform::Answer::No);
    knopf(w, "Button1")->click();
    QVERIFY(!p.plattform.meldungen.isEmpty());
    const auto frage = p.plattform.meldungen.first();
    QCOMPARE(frage.kind, Platform::Kind::Warning);
    QCOMPARE(frage.buttons, Platform::Buttons::YesNo);
    QCOMPARE(frage.text,
             QStringLiteral("Diese Dateien im Datenordner sind neuer als ihre Sicherung:\n\n"
                            "\u201EFamilie.rez\u201C: im Datenordner vom 06.12.2026 18:04, in der "
                            "Sicherung vom 01.12.2026 09:15\n\nSollen sie trotzdem durch die älteren "
                            "Dateien der Sicherung ersetzt werden?"));
    if (ja) {
        QCOMPARE(p.plattform.meldungsTexte().last(), kErfolg);
        QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), lies(s.path() + QStringLiteral("/Familie.rez")));
    } else {
        QCOMPARE(p.plattform.meldungen.size(), 1);
        QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), vorher);
        QCOMPARE(p.dir.lies(QStringLiteral("Rubriken.rub")), rubVorher);
    }
}

void TestSicherungsfenster::wiederherstellenScheitert() {
    QTemporaryDir s;
    sicherungsordner(s.path());
    QCOMPARE(
        ::symlink("/nirgendwo/da", QFile::encodeName(s.path() + QStringLiteral("/Kaputt.rez")).constData()),
        0);
    Programm p([&s](Testordner& d) { datenordner(d, s.path()); });
    const QByteArray buch = p.dir.lies(QStringLiteral("Familie.rez"));
    const QByteArray rub = p.dir.lies(QStringLiteral("Rubriken.rub"));
    QPointer<TBack5> w = oeffnen(p, "Datenwiederherstellung1");
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    for (const QString& n :
         {QStringLiteral("Familie.rez"), QStringLiteral("Kaputt.rez"), QStringLiteral("Rubriken.rub")})
        waehle(liste, n);
    knopf(w, "Button1")->click();
    QCOMPARE(p.plattform.meldungsTexte(),
             QStringList{
                 QStringLiteral("Die Wiederherstellung ist fehlgeschlagen. Der Datenordner ist unverändert.\n"
                                "\u201E%1/Kaputt.rez\u201C: Die Datei ist nicht vorhanden oder nicht lesbar.")
                     .arg(s.path())});
    QCOMPARE(p.plattform.meldungen.first().kind, Platform::Kind::Error);
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), buch);
    QCOMPARE(p.dir.lies(QStringLiteral("Rubriken.rub")), rub);
    QCOMPARE(QDir(p.dir.pfad()).entryList({QStringLiteral(".pfl*")}, QDir::AllEntries | QDir::Hidden),
             QStringList());
    QCOMPARE(p.u.rubrik, QStringLiteral("Suppen"));
}

void TestSicherungsfenster::wiederherstellenOhneDatentraeger() {
    Programm p(
        [](Testordner& d) { datenordner(d, QStringLiteral("/media/pfanno-nicht-eingehaengt/Sicherung")); });
    QPointer<TBack5> w = oeffnen(p, "Datenwiederherstellung1");
    QCOMPARE(
        p.plattform.meldungsTexte(),
        QStringList{QStringLiteral("    Datei-Ein/Ausgabe-Fehler \n Legen Sie bitte eine Diskette ein.\n")});
    QVERIFY(w && w->isVisible());
    QCOMPARE(p.in<QListWidget>(w, QStringLiteral("FileListBox1"))->count(), 0);
}

void TestSicherungsfenster::fremdesZiel_data() {
    QTest::addColumn<QString>("gespeichert"); // the backup folder in "Rezept.opt"
    QTest::addColumn<QString>("weg");         // Datensicherung1, Datenwiederherstellung1 or Beenden
    QTest::addColumn<QString>("ordner");      // the folder used, below the home folder
    QTest::addColumn<bool>("gemeldet");
    const QString c = QStringLiteral("C:\\Rezept_Backup");
    QTest::newRow("Laufwerk, Sicherung") << c << "Datensicherung1"
                                         << "Rezept_Backup" << true;
    QTest::newRow("Laufwerk, Wiederherstellung") << c << "Datenwiederherstellung1"
                                                 << "Rezept_Backup" << true;
    QTest::newRow("Laufwerk, automatisch") << c << "Beenden"
                                           << "Rezept_Backup" << true;
    QTest::newRow("relativ") << "Sicherung/alt"
                             << "Datensicherung1"
                             << "Rezept_Backup" << true;
    QTest::newRow("Heimordner") << "~/Sicherung"
                                << "Datensicherung1"
                                << "Sicherung" << false;
}

void TestSicherungsfenster::fremdesZiel() {
    QFETCH(QString, gespeichert);
    QFETCH(QString, weg);
    QFETCH(QString, ordner);
    QFETCH(bool, gemeldet);
    const QString ziel = m_heim.path() + QLatin1Char('/') + ordner;
    QDir(ziel).removeRecursively();
    const QString arbeitsordner = QDir::currentPath();
    const QStringList vorher = QDir(arbeitsordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    Programm p([&](Testordner& d) { datenordner(d, gespeichert, weg == QLatin1String("Beenden") ? 1 : 0); });
    const QStringList meldung =
        gemeldet
            ? QStringList{QStringLiteral("\u201E%1\u201C ist kein Verzeichnis dieses Systems.\nStattdessen "
                                         "wird das Verzeichnis \u201E%2\u201C verwendet.")
                              .arg(gespeichert, ziel)}
            : QStringList{};
    if (weg == QLatin1String("Beenden")) {
        p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
        QCOMPARE(p.plattform.meldungsTexte(), meldung);
        QCOMPARE(lies(ziel + QStringLiteral("/07_12_2026/Familie.rez")),
                 p.dir.lies(QStringLiteral("Familie.rez")));
    } else {
        QPointer<TBack5> w = oeffnen(p, weg.toLatin1().constData());
        QCOMPARE(p.plattform.meldungsTexte(), meldung);
        const QString feld =
            weg == QLatin1String("Datensicherung1") ? QStringLiteral("Edit2") : QStringLiteral("Edit3");
        QVERIFY(p.in<QLineEdit>(w, feld)->text().startsWith(ziel));
        if (weg == QLatin1String("Datensicherung1")) {
            knopf(w, "Button1")->click();
            QCOMPARE(lies(ziel + QStringLiteral("/Familie.rez")), p.dir.lies(QStringLiteral("Familie.rez")));
        } else {
            knopf(w, "Button2")->click();
        }
        // Told once: the folder used is the stored one now.
        QCOMPARE(p.optionenDatei().lwpf.toQString(), ziel);
        w = oeffnen(p, weg.toLatin1().constData());
        QCOMPARE(p.plattform.meldungsTexte(), meldung);
        knopf(w, "Button2")->click();
    }
    // Nothing was made relative to the folder the program was started in.
    QCOMPARE(QDir(arbeitsordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), vorher);
}

void TestSicherungsfenster::beendenMitAutomatik_data() {
    QTest::addColumn<int>("backup");
    QTest::newRow("eingeschaltet") << 1;
    QTest::newRow("ausgeschaltet") << 0;
}

void TestSicherungsfenster::beendenMitAutomatik() {
    QFETCH(int, backup);
    QTemporaryDir z;
    const QString tag = z.path() + QStringLiteral("/Sicherung/07_12_2026/");
    // an earlier backup of the same day: replaced, not put beside
    schreibe(tag + QStringLiteral("Familie.rez"), "Sicherung vom Morgen");
    Programm p(
        [&z, backup](Testordner& d) { datenordner(d, z.path() + QStringLiteral("/Sicherung"), backup); });
    p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
    QVERIFY(!p.f->isVisible());
    QCOMPARE(p.plattform.meldungsTexte(), QStringList());
    auto* fenster = p.finde<TDatensicherung>(QStringLiteral("Datensicherung"));
    QCOMPARE(fenster->windowTitle(), QStringLiteral("Automatische Datensicherung"));
    QVERIFY(!fenster->isVisible());
    if (backup == 1) {
        for (const QString& n : {QStringLiteral("Familie.rez"), QStringLiteral("Rubriken.rub"),
                                 QStringLiteral("Rezept.opt"), QStringLiteral("Bilder/Erbsensuppe.jpg")})
            QVERIFY2(lies(tag + n) == p.dir.lies(n), qPrintable(n));
        QCOMPARE(p.in<QLineEdit>(fenster, QStringLiteral("Edit2"))->text().left(tag.size()), tag);
    } else {
        QCOMPARE(lies(tag + QStringLiteral("Familie.rez")), QByteArray("Sicherung vom Morgen"));
        QVERIFY(!QFileInfo::exists(tag + QStringLiteral("Rubriken.rub")));
    }
}

void TestSicherungsfenster::beendenScheitert_data() {
    QTest::addColumn<QString>("art");
    QTest::newRow("Sicherungsordner nicht anlegbar") << "ordner";
    QTest::newRow("Tagesordner nicht anlegbar") << "tag";
}

void TestSicherungsfenster::beendenScheitert() {
    QFETCH(QString, art);
    QTemporaryDir z;
    QString lwpf = z.path() + QStringLiteral("/Sicherung");
    QString meldung;
    if (art == QLatin1String("ordner")) {
        schreibe(z.path() + QStringLiteral("/eineDatei"), "kein Ordner");
        lwpf = z.path() + QStringLiteral("/eineDatei/Sicherung");
        meldung = QStringLiteral("Beim Anlegen von %1/ ist ein Fehler aufgetreten!").arg(lwpf);
    } else {
        schreibe(lwpf + QStringLiteral("/07_12_2026"), "eine Datei, wo der Tagesordner hin soll");
        meldung =
            QStringLiteral("Verzeichnis %1/07_12_2026/ kann nicht erstellt werden. \n\nLesen Sie bitte die "
                           "Hilfedatei über Datensicherung.\n")
                .arg(lwpf);
    }
    Programm p([&lwpf](Testordner& d) { datenordner(d, lwpf, 1); });
    p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{meldung});
    QCOMPARE(p.plattform.beeps, art == QLatin1String("tag") ? 1 : 0);
    QVERIFY(!p.f->isVisible()); // the program ends all the same
}

void TestSicherungsfenster::umbenennenSichertVorher_data() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QString>("alt");
    QTest::newRow("Rubrik") << "Rubrikenerfassenndern1"
                            << "Form27"
                            << "Suppen";
    QTest::newRow("Kategorie") << "Kategorieenerfassenndern1"
                               << "Form28"
                               << "Deftig";
}

void TestSicherungsfenster::umbenennenSichertVorher() {
    QFETCH(QString, befehl);
    QFETCH(QString, fenster);
    QFETCH(QString, alt);
    QTemporaryDir z;
    Programm p([&z](Testordner& d) { datenordner(d, z.path(), 0); }); // automatic backup switched off
    const QByteArray buchVorher = p.dir.lies(QStringLiteral("Familie.rez"));
    p.finde<QAction>(befehl)->trigger();
    auto* w = p.finde<pfl::Begriffsliste>(fenster);
    waehle(p.in<QListWidget>(w, QStringLiteral("ListBox1")), alt);
    knopf(w, "Button2")->click();
    auto* e = p.in<QLineEdit>(w, QStringLiteral("Edit1"));
    e->selectAll();
    QTest::keyClicks(e, QStringLiteral("Neu"));
    knopf(w, "Button1")->click();
    QVERIFY(p.dir.lies(QStringLiteral("Familie.rez")) != buchVorher); // renamed
    QCOMPARE(lies(z.path() + QStringLiteral("/07_12_2026/Familie.rez")), buchVorher);
    QCOMPARE(p.plattform.meldungsTexte(), QStringList());
}

void TestSicherungsfenster::umbenennenOhneSicherung_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("hindernis"); // where a file keeps the backup from its folder
    QTest::addColumn<bool>("ja");
    QTest::newRow("Rubrik, Sicherungsordner nicht anlegbar, Nein") << true << "ordner" << false;
    QTest::newRow("Rubrik, Tagesordner nicht anlegbar, Ja") << true << "tag" << true;
    QTest::newRow("Kategorie, Tagesordner nicht anlegbar, Nein") << false << "tag" << false;
    QTest::newRow("Kategorie, Sicherungsordner nicht anlegbar, Ja") << false << "ordner" << true;
}

void TestSicherungsfenster::umbenennenOhneSicherung() {
    QFETCH(bool, rubrik);
    QFETCH(QString, hindernis);
    QFETCH(bool, ja);
    QTemporaryDir z;
    QString lwpf = z.path() + QStringLiteral("/Sicherung");
    QString imWeg = lwpf + QStringLiteral("/07_12_2026");
    if (hindernis == QLatin1String("ordner")) {
        imWeg = z.path() + QStringLiteral("/eineDatei");
        lwpf = imWeg + QStringLiteral("/Sicherung");
    }
    schreibe(imWeg, "kein Ordner");
    Programm p([&lwpf](Testordner& d) { datenordner(d, lwpf, 0); });
    const QString alt = rubrik ? QStringLiteral("Suppen") : QStringLiteral("Deftig");
    const QString listendatei = rubrik ? QStringLiteral("Rubriken.rub") : QStringLiteral("kategorien.kat");
    const QByteArray buchVorher = p.dir.lies(QStringLiteral("Familie.rez"));
    const auto namenIn = [&](const QString& datei) {
        const QByteArray b = p.dir.lies(datei);
        QStringList n;
        for (int i = 0; (i + 1) * int(sizeof(rubriken)) <= b.size(); ++i) {
            const rubriken r = Testordner::satz<rubriken>(b, i);
            n.append(rubrik ? r.rubrik.toQString() : r.kategorie.toQString());
        }
        n.removeDuplicates();
        return n;
    };
    const auto imBuch = [&] {
        const dateien r = Testordner::satz<dateien>(p.dir.lies(QStringLiteral("Familie.rez")));
        return rubrik ? r.Rubrik.toQString() : r.kategorie.toQString();
    };

    p.finde<QAction>(rubrik ? QStringLiteral("Rubrikenerfassenndern1")
                            : QStringLiteral("Kategorieenerfassenndern1"))
        ->trigger();
    auto* w = p.finde<pfl::Begriffsliste>(rubrik ? QStringLiteral("Form27") : QStringLiteral("Form28"));
    waehle(p.in<QListWidget>(w, QStringLiteral("ListBox1")), alt);
    knopf(w, "Button2")->click();
    auto* e = p.in<QLineEdit>(w, QStringLiteral("Edit1"));
    e->selectAll();
    QTest::keyClicks(e, QStringLiteral("Eintopf"));
    const QMap<QString, QByteArray> vorSpeichern = inhalt(p.dir.pfad());
    p.plattform.antworten.enqueue(ja ? Platform::Answer::Yes : Platform::Answer::No);
    knopf(w, "Button1")->click();

    // The backup tells why it failed, then the question whose safe answer is "Nein".
    QCOMPARE(p.plattform.meldungen.size(), 2);
    QCOMPARE(p.plattform.meldungen.at(0).kind, Platform::Kind::Information);
    const auto frage = p.plattform.meldungen.at(1);
    QCOMPARE(frage.kind, Platform::Kind::Warning);
    QCOMPARE(frage.buttons, Platform::Buttons::YesNo);
    QCOMPARE(frage.text,
             QStringLiteral("Die Datensicherung vor dem Umbenennen ist fehlgeschlagen.\n\nSoll die %1 "
                            "\u201E%2\u201C trotzdem ohne Datensicherung in allen Rezeptbüchern in "
                            "\u201EEintopf\u201C umbenannt werden?\n\nJedes Rezeptbuch behält seinen Stand "
                            "vor dem Umbenennen als Kopie mit der Endung \u201E.Aez\u201C.\nMit "
                            "\u201ENein\u201C wird nichts umbenannt und keine Datei geändert; der neue Name "
                            "bleibt zum erneuten Speichern im Eingabefeld.")
                 .arg(rubrik ? QStringLiteral("Rubrik") : QStringLiteral("Kategorie"), alt));
    QCOMPARE(lies(imWeg), QByteArray("kein Ordner"));

    if (ja) {
        QVERIFY(!w->isVisible());
        QCOMPARE(p.dir.lies(QStringLiteral("Familie.Aez")), buchVorher);
    } else {
        // Nothing written: books, list files and no ".Aez" copy; the window waits with the new name.
        QCOMPARE(inhalt(p.dir.pfad()), vorSpeichern);
        QCOMPARE(imBuch(), alt);
        QVERIFY(w->isVisible());
        QCOMPARE(e->text(), QStringLiteral("Eintopf"));
        // With the way clear, saving again backs up and renames without asking.
        QVERIFY(QFile::remove(imWeg));
        p.plattform.meldungen.clear();
        knopf(w, "Button1")->click();
        QCOMPARE(p.plattform.meldungsTexte(), QStringList());
        QVERIFY(!w->isVisible());
        QCOMPARE(lies(lwpf + QStringLiteral("/07_12_2026/Familie.rez")), buchVorher);
    }
    QCOMPARE(imBuch(), QStringLiteral("Eintopf"));
    QCOMPARE(namenIn(listendatei), QStringList{QStringLiteral("Eintopf")});
}

QTEST_MAIN(TestSicherungsfenster)
#include "tst_sicherungsfenster.moc"
