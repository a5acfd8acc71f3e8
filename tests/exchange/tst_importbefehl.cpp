// SPDX-License-Identifier: GPL-3.0-or-later
// "pfanno-lux --importieren": the program itself, started as a child without any display, as a
// script or a user at the terminal starts it; checked on its exit code, what it printed and the book.
#include "data/Datenordnersperre.h"
#include "data/Records.h"
#include "support/Kindprozess.h"
#include "support/Testordner.h"

#include "Beispiele.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

constexpr qsizetype kSatz = sizeof(dateien);

struct Lauf {
    int code = -1;
    QString aus, fehler;
};

Lauf starte(const QStringList& argumente) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        e.remove(QString::fromLatin1(v));
    e.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    QProcess p;
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(PFANNO_PROGRAMM), argumente);
    Lauf l;
    if (!p.waitForStarted() || !p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return l;
    }
    l.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    l.aus = QString::fromUtf8(p.readAllStandardOutput());
    l.fehler = QString::fromUtf8(p.readAllStandardError());
    return l;
}

// A data folder with the active book "Familie" (one soup) and the sections "Kuchen" and "Suppen",
// and the files to import beside it.
struct Ordner {
    Testordner daten;
    QTemporaryDir ablage;
    Ordner(bool mitBuch = true) {
        if (mitBuch) daten.optionen(QStringLiteral("Familie"));
        daten.rubriken({QStringLiteral("Suppen"), QStringLiteral("Kuchen")});
        daten.buch(QStringLiteral("Familie.rez"),
                   {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"))});
        schreibe(QStringLiteral("Apfelkuchen_files/kuchen.png"), Testordner::png(4, 4));
        schreibe(QStringLiteral("kuchen.html"), pfl::test::rezeptSeite());
        schreibe(QStringLiteral("leer.html"), pfl::test::seiteOhneRezept());
        schreibe(QStringLiteral("suppen.mmf"), pfl::test::mealmasterSammlung(2));
    }
    void schreibe(const QString& name, const QByteArray& b) const {
        QDir().mkpath(QFileInfo(ablage.filePath(name)).absolutePath());
        QFile f(ablage.filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(b);
    }
    Lauf importieren(const QStringList& dateien, const QStringList& mehr = {}) const {
        QStringList a{QStringLiteral("--importieren")};
        for (const QString& d : dateien)
            a << ablage.filePath(d);
        return starte(a + mehr + QStringList{QStringLiteral("--datenordner"), daten.pfad()});
    }
    qsizetype saetze() const { return daten.groesse(QStringLiteral("Familie.rez")) / kSatz; }
    dateien satz(int nummer) const {
        return Testordner::satz<dateien>(daten.lies(QStringLiteral("Familie.rez")), nummer - 1);
    }
};

} // namespace

class TestImportbefehl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importieren_data();
    void importieren();
    void doppelteZweimal();
    void ohneRezeptbuch();
    void falscheAngaben_data();
    void falscheAngaben();
    void laufendesProgramm();
    void nurLesbarerOrdner();
};

void TestImportbefehl::importieren_data() {
    QTest::addColumn<QStringList>("dateien");
    QTest::addColumn<QStringList>("mehr");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("neu");            // records appended
    QTest::addColumn<QString>("rubrik");     // of the appended records
    QTest::addColumn<QStringList>("zeilen"); // lines the summary holds
    QTest::newRow("eine Seite") << QStringList{"kuchen.html"} << QStringList{} << 0 << 1 << "Kuchen"
                                << QStringList{
                                       "Gelesen: kuchen.html (1 Rezept)", "Geänderte Felder:",
                                       "Importiert: 1 Rezept in das Rezeptbuch „Familie“, Rubrik „Kuchen“."};
    QTest::newRow("Seite und Sammlung in eine Rubrik")
        << QStringList{"kuchen.html", "suppen.mmf"} << QStringList{"--rubrik", "Suppen"} << 0 << 3 << "Suppen"
        << QStringList{"Gelesen: kuchen.html (1 Rezept), suppen.mmf (2 Rezepte)",
                       "Importiert: 3 Rezepte in das Rezeptbuch „Familie“, Rubrik „Suppen“."};
    QTest::newRow("Seite ohne Rezept")
        << QStringList{"leer.html"} << QStringList{} << 1 << 0 << ""
        << QStringList{"Nicht gelesen: leer.html – ", "Es wurde kein Rezept importiert."};
    QTest::newRow("gemischt") << QStringList{"leer.html", "suppen.mmf"} << QStringList{"--rubrik=Suppen"} << 0
                              << 2 << "Suppen"
                              << QStringList{"Gelesen: suppen.mmf (2 Rezepte)", "Nicht gelesen: leer.html – ",
                                             "Importiert: 2 Rezepte"};
    QTest::newRow("Datei fehlt") << QStringList{"fehlt.mmf"} << QStringList{} << 1 << 0 << ""
                                 << QStringList{"Nicht gelesen: fehlt.mmf – ",
                                                "Es wurde kein Rezept importiert."};
    QTest::newRow("neue Rubrik") << QStringList{"suppen.mmf"} << QStringList{"--rubrik", "Eintöpfe"} << 0 << 2
                                 << "Eintöpfe"
                                 << QStringList{"Rubrik „Eintöpfe“.",
                                                "Die Rubrik „Eintöpfe“ wurde neu in die Liste der Rubriken "
                                                "aufgenommen."};
}

void TestImportbefehl::importieren() {
    QFETCH(QStringList, dateien);
    QFETCH(QStringList, mehr);
    QFETCH(int, code);
    QFETCH(int, neu);
    QFETCH(QString, rubrik);
    QFETCH(QStringList, zeilen);
    const Ordner o;
    const QByteArray vorher = o.daten.lies(QStringLiteral("Familie.rez"));
    const Lauf l = o.importieren(dateien, mehr);
    QVERIFY2(l.code == code, qPrintable(l.aus + l.fehler));
    for (const QString& z : zeilen)
        QVERIFY2(l.aus.contains(z), qPrintable(QStringLiteral("%1\n--- fehlt: %2").arg(l.aus, z)));
    QCOMPARE(o.saetze(), 1 + neu);
    QCOMPARE(o.daten.lies(QStringLiteral("Familie.rez")).left(kSatz), vorher);
    for (int i = 0; i < neu; ++i)
        QCOMPARE(o.satz(2 + i).Rubrik.toQString(), rubrik);
    if (dateien.contains(QStringLiteral("kuchen.html"))) {
        QCOMPARE(o.satz(2).name.toQString(), QStringLiteral("Apfelkuchen vom Blech"));
        QCOMPARE(o.satz(2).bild.toQString(), QStringLiteral("kuchen.png"));
        QCOMPARE(o.daten.lies(QStringLiteral("Bilder/kuchen.png")), Testordner::png(4, 4));
    }
    // The folder is free again for the program: the import held its lock only while it ran.
    const pfl::Datenordnersperre danach(o.daten.pfad());
    QVERIFY(danach.gesperrt());
}

void TestImportbefehl::doppelteZweimal() {
    // The same collection again: every recipe is in the book already, nothing is taken.
    const Ordner o;
    QCOMPARE(o.importieren({QStringLiteral("suppen.mmf")}).code, 0);
    const QByteArray vorher = o.daten.lies(QStringLiteral("Familie.rez"));
    const Lauf l = o.importieren({QStringLiteral("suppen.mmf")});
    QCOMPARE(l.code, 1);
    QVERIFY2(l.aus.contains(QStringLiteral("Übersprungen, weil schon im Rezeptbuch: 2 Rezepte")),
             qPrintable(l.aus));
    QVERIFY2(l.aus.contains(QStringLiteral("Es wurde kein Rezept importiert.")), qPrintable(l.aus));
    QCOMPARE(o.daten.lies(QStringLiteral("Familie.rez")), vorher);
}

void TestImportbefehl::ohneRezeptbuch() {
    const Ordner o(false);
    const Lauf l = o.importieren({QStringLiteral("suppen.mmf")});
    QCOMPARE(l.code, 1);
    QVERIFY2(l.fehler.contains(QStringLiteral("kein Rezeptbuch aktiv")), qPrintable(l.fehler));
    QCOMPARE(o.saetze(), 1);
}

void TestImportbefehl::falscheAngaben_data() {
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("ohne Datei") << QStringList{"--importieren"} << "Nach --importieren fehlt die Datei.";
    QTest::newRow("Rubrik ohne Import")
        << QStringList{"--rubrik", "Suppen"} << "--rubrik gilt nur zusammen mit --importieren.";
    QTest::newRow("Rubrik ohne Namen")
        << QStringList{"--importieren", "a.mmf", "--rubrik"} << "Nach --rubrik fehlt die Rubrik.";
}

void TestImportbefehl::falscheAngaben() {
    QFETCH(QStringList, argumente);
    QFETCH(QString, meldung);
    const Ordner o;
    const Lauf l = starte(argumente + QStringList{QStringLiteral("--datenordner"), o.daten.pfad()});
    QCOMPARE(l.code, 2);
    QVERIFY2(l.fehler.startsWith(meldung), qPrintable(l.fehler));
    QCOMPARE(o.saetze(), 1);
}

void TestImportbefehl::laufendesProgramm() {
    // A running program holds the folder: the import is refused and the book stays as it is.
    const Ordner o;
    const pfl::Datenordnersperre sperre(o.daten.pfad());
    QVERIFY(sperre.gesperrt());
    const QByteArray vorher = o.daten.lies(QStringLiteral("Familie.rez"));
    const Lauf l = o.importieren({QStringLiteral("suppen.mmf")});
    QCOMPARE(l.code, 1);
    QVERIFY2(l.fehler.contains(QStringLiteral("bereits von einem anderen laufenden Programm verwendet")),
             qPrintable(l.fehler));
    QVERIFY2(l.fehler.contains(QStringLiteral("Es wurde nichts importiert.")), qPrintable(l.fehler));
    QVERIFY(l.aus.isEmpty());
    QCOMPARE(o.daten.lies(QStringLiteral("Familie.rez")), vorher);
}

void TestImportbefehl::nurLesbarerOrdner() {
    // A folder that can only be read is told as such before anything is read or written.
    const Ordner o;
    const QByteArray vorher = o.daten.lies(QStringLiteral("Familie.rez"));
    QVERIFY(pfl::test::demBenutzerGeben(o.ablage.path()));
    QVERIFY(pfl::test::demBenutzerGeben(o.daten.pfad()));
    const QByteArray ordner = QFile::encodeName(o.daten.pfad());
    QCOMPARE(::chmod(ordner.constData(), 0555), 0);
    const int kind = pfl::test::alsBenutzer(o.daten.pfad(), [&] {
        return pfl::test::pruefungen([&] {
            const Lauf l = o.importieren({QStringLiteral("suppen.mmf")});
            QCOMPARE(l.code, 1);
            QVERIFY2(l.fehler.contains(QStringLiteral("kann nur gelesen werden")), qPrintable(l.fehler));
            QVERIFY2(l.fehler.contains(QStringLiteral("Es wurde nichts importiert.")), qPrintable(l.fehler));
        });
    });
    QCOMPARE(::chmod(ordner.constData(), 0755), 0);
    QCOMPARE(kind, 0);
    QCOMPARE(o.daten.lies(QStringLiteral("Familie.rez")), vorher);
}

QTEST_GUILESS_MAIN(TestImportbefehl)
#include "tst_importbefehl.moc"
