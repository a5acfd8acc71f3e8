// SPDX-License-Identifier: GPL-3.0-or-later
// The command line, where the data live, and setting up a data folder beside the shipped files.
#include "data/Datenordner.h"
#include "support/Kindprozess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void schreibe(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

} // namespace

class TestDatenordner : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startwahl_data();
    void startwahl();
    void importwahl_data();
    void importwahl();
    void bildschirm_data();
    void bildschirm();
    void bildschirmAntwortet_data();
    void bildschirmAntwortet();
    void ordnerWahl();
    void einrichten();
    void eigeneDateienBleiben_data();
    void eigeneDateienBleiben();
    void einrichtenScheitert();
    void nurLesbarerOrdner();
};

void TestDatenordner::startwahl_data() {
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("ordner");
    QTest::addColumn<QString>("plattform");
    using A = pfl::Startwahl::Art;
    QTest::newRow("nichts") << QStringList{} << int(A::Starten) << QString() << QString();
    QTest::newRow("hilfe") << QStringList{"--help"} << int(A::Hilfe) << QString() << QString();
    QTest::newRow("hilfe nach ordner")
        << QStringList{"--datenordner", "x", "-h"} << int(A::Hilfe) << "x" << QString();
    QTest::newRow("version") << QStringList{"--version"} << int(A::Version) << QString() << QString();
    QTest::newRow("ordner") << QStringList{"--datenordner", "/tmp/Meine Rezepte"} << int(A::Starten)
                            << "/tmp/Meine Rezepte" << QString();
    QTest::newRow("ordner mit =") << QStringList{"--datenordner=/tmp/b"} << int(A::Starten) << "/tmp/b"
                                  << QString();
    QTest::newRow("ordner fehlt") << QStringList{"--datenordner"} << int(A::Fehler) << QString() << QString();
    QTest::newRow("ordner leer") << QStringList{"--datenordner="} << int(A::Fehler) << QString() << QString();
    QTest::newRow("unbekannt") << QStringList{"--farbe"} << int(A::Fehler) << QString() << QString();
    QTest::newRow("freies wort") << QStringList{"Rezepte"} << int(A::Fehler) << QString() << QString();
    // The toolkit's own options pass, with their values.
    QTest::newRow("qt plattform") << QStringList{"-platform", "offscreen", "--datenordner", "d"}
                                  << int(A::Starten) << "d"
                                  << "offscreen";
    QTest::newRow("qt stil") << QStringList{"-style", "Fusion", "-reverse"} << int(A::Starten) << QString()
                             << QString();
}

void TestDatenordner::startwahl() {
    QFETCH(QStringList, argumente);
    QFETCH(int, art);
    QFETCH(QString, ordner);
    QFETCH(QString, plattform);
    const pfl::Startwahl w = pfl::startwahlLesen(argumente);
    QCOMPARE(int(w.art), art);
    QCOMPARE(w.datenordner, ordner);
    QCOMPARE(w.qtPlattform, plattform);
    QCOMPARE(w.fehler.isEmpty(), art != int(pfl::Startwahl::Art::Fehler));
}

void TestDatenordner::importwahl_data() {
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<int>("art");
    QTest::addColumn<QStringList>("quellen");
    QTest::addColumn<QString>("rubrik");
    QTest::addColumn<QString>("ordner");
    using A = pfl::Startwahl::Art;
    QTest::newRow("zwei dateien") << QStringList{"--importieren", "a.html", "b.mmf"} << int(A::Importieren)
                                  << QStringList{"a.html", "b.mmf"} << QString() << QString();
    QTest::newRow("mit rubrik und ordner")
        << QStringList{"--importieren", "a.html", "--rubrik", "Suppen", "--datenordner", "d"}
        << int(A::Importieren) << QStringList{"a.html"} << "Suppen"
        << "d";
    QTest::newRow("rubrik zuerst") << QStringList{"--rubrik=Kuchen", "--importieren", "https://x.example/r"}
                                   << int(A::Importieren) << QStringList{"https://x.example/r"} << "Kuchen"
                                   << QString();
    QTest::newRow("datei mit bindestrich") << QStringList{"--importieren", "./-x.mmf"} << int(A::Importieren)
                                           << QStringList{"./-x.mmf"} << QString() << QString();
    QTest::newRow("ohne datei") << QStringList{"--importieren", "--rubrik", "x"} << int(A::Fehler)
                                << QStringList{} << QString() << QString();
    QTest::newRow("rubrik ohne import")
        << QStringList{"--rubrik", "Suppen"} << int(A::Fehler) << QStringList{} << "Suppen" << QString();
    QTest::newRow("rubrik leer") << QStringList{"--importieren", "a", "--rubrik="} << int(A::Fehler)
                                 << QStringList{"a"} << QString() << QString();
    QTest::newRow("rubrik vor option") << QStringList{"--importieren", "a", "--rubrik", "--datenordner", "d"}
                                       << int(A::Fehler) << QStringList{"a"} << QString() << QString();
    QTest::newRow("hilfe gewinnt") << QStringList{"--importieren", "a", "--help"} << int(A::Hilfe)
                                   << QStringList{"a"} << QString() << QString();
}

void TestDatenordner::importwahl() {
    QFETCH(QStringList, argumente);
    QFETCH(int, art);
    QFETCH(QStringList, quellen);
    QFETCH(QString, rubrik);
    QFETCH(QString, ordner);
    const pfl::Startwahl w = pfl::startwahlLesen(argumente);
    QCOMPARE(int(w.art), art);
    QCOMPARE(w.importieren, quellen);
    QCOMPARE(w.rubrik, rubrik);
    QCOMPARE(w.datenordner, ordner);
    QCOMPARE(w.fehler.isEmpty(), art != int(pfl::Startwahl::Art::Fehler));
}

void TestDatenordner::bildschirm_data() {
    QTest::addColumn<QString>("plattform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<bool>("da");
    QTest::newRow("nichts") << QString() << QString() << QString() << false;
    QTest::newRow("x11") << QString() << ":0" << QString() << true;
    QTest::newRow("wayland") << QString() << QString() << "wayland-0" << true;
    QTest::newRow("offscreen") << "offscreen" << QString() << QString() << true;
    QTest::newRow("vnc mit angaben") << "vnc:size=800x600" << QString() << QString() << true;
    QTest::newRow("xcb ohne display") << "xcb" << QString() << "wayland-0" << false;
    QTest::newRow("wayland ohne socket") << "wayland"
                                         << ":1" << QString() << false;
    QTest::newRow("ersatzliste") << "xcb;offscreen" << QString() << QString() << true;
}

void TestDatenordner::bildschirm() {
    QFETCH(QString, plattform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(bool, da);
    QCOMPARE(pfl::bildschirmVorhanden(plattform, display, wayland), da);
}

void TestDatenordner::bildschirmAntwortet_data() {
    QTest::addColumn<QString>("plattform");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QStringList>("antworten"); // the displays that answer
    QTest::addColumn<bool>("da");
    QTest::newRow("x11 stumm") << QString() << ":9" << QString() << QStringList() << false;
    QTest::newRow("x11 antwortet") << QString() << ":0" << QString() << QStringList{"xcb :0"} << true;
    QTest::newRow("wayland stumm, x11 antwortet") << QString() << ":0"
                                                  << "wayland-9" << QStringList{"xcb :0"} << true;
    QTest::newRow("nur wayland, stumm") << QString() << QString() << "wayland-9" << QStringList() << false;
    QTest::newRow("nur wayland, antwortet")
        << QString() << QString() << "wayland-0" << QStringList{"wayland wayland-0"} << true;
    QTest::newRow("xcb gewählt, nur wayland antwortet")
        << "xcb"
        << ":9"
        << "wayland-0" << QStringList{"wayland wayland-0"} << false;
    QTest::newRow("offscreen fragt keinen") << "offscreen"
                                            << ":9" << QString() << QStringList() << true;
    QTest::newRow("ersatzliste, alle stumm") << "xcb;wayland"
                                             << ":9"
                                             << "w" << QStringList() << false;
}

void TestDatenordner::bildschirmAntwortet() {
    QFETCH(QString, plattform);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QStringList, antworten);
    QFETCH(bool, da);
    QStringList gefragt;
    const auto frage = [&](const QString& art, const QString& adresse) {
        gefragt << art + QLatin1Char(' ') + adresse;
        return antworten.contains(art + QLatin1Char(' ') + adresse);
    };
    QCOMPARE(pfl::bildschirmVorhanden(plattform, display, wayland, frage), da);
    // Only displays that a variable names are asked.
    for (const QString& g : gefragt)
        QVERIFY2(g == QStringLiteral("xcb ") + display || g == QStringLiteral("wayland ") + wayland,
                 qPrintable(g));
}

void TestDatenordner::ordnerWahl() {
    QTemporaryDir t;
    const QString tragbar = t.filePath(QStringLiteral("tragbar"));
    schreibe(tragbar + QStringLiteral("/Zirade-Zadod.ize"), "h");
    const QString prefix = t.filePath(QStringLiteral("prefix"));
    QDir().mkpath(prefix + QStringLiteral("/bin"));
    QDir().mkpath(prefix + QStringLiteral("/share/pfanno-lux"));
    const QString benutzer = t.filePath(QStringLiteral("home/.local/share/"));

    // A portable folder keeps its data beside the program.
    QCOMPARE(pfl::datenordnerBestimmen({}, tragbar + QLatin1Char('/'), benutzer), tragbar);
    QCOMPARE(pfl::mitgeliefertOrdner(tragbar), tragbar);
    // An installed program (writable or not) uses the user's data folder and its shipped files.
    QCOMPARE(pfl::datenordnerBestimmen({}, prefix + QStringLiteral("/bin"), benutzer),
             t.filePath(QStringLiteral("home/.local/share/pfanno-lux")));
    QCOMPARE(pfl::mitgeliefertOrdner(prefix + QStringLiteral("/bin")),
             prefix + QStringLiteral("/share/pfanno-lux"));
    // A chosen folder wins, made absolute.
    QCOMPARE(pfl::datenordnerBestimmen(QStringLiteral("/x/y/"), tragbar, benutzer), QStringLiteral("/x/y"));
    QCOMPARE(pfl::datenordnerBestimmen(QStringLiteral("rel"), tragbar, benutzer),
             QDir::current().absoluteFilePath(QStringLiteral("rel")));
    // A portable folder that cannot be written cannot hold data. Root writes into any folder:
    // an ordinary user decides.
    QFile::setPermissions(tragbar, QFile::ReadOwner | QFile::ExeOwner);
    const int r = pfl::test::alsBenutzer(t.path(), [&] {
        if (QFileInfo(tragbar).isWritable()) return pfl::test::kSchreibtUeberall;
        return pfl::test::pruefungen([&] {
            QCOMPARE(pfl::datenordnerBestimmen({}, tragbar, benutzer),
                     t.filePath(QStringLiteral("home/.local/share/pfanno-lux")));
        });
    });
    QFile::setPermissions(tragbar, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r == pfl::test::kSchreibtUeberall) QSKIP("even an ordinary user writes everywhere here");
    QCOMPARE(r, 0);
}

void TestDatenordner::einrichten() {
    // A new folder is made with its picture folder, and nothing else: the shipped files are read where
    // they were installed.
    QTemporaryDir t;
    const QString frisch = t.filePath(QStringLiteral("a/b/c"));
    QString fehler;
    QVERIFY2(pfl::datenordnerEinrichten(frisch, &fehler), qPrintable(fehler));
    QCOMPARE(QDir(frisch).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Bilder")});
    QVERIFY(QFileInfo(frisch + QStringLiteral("/Bilder")).isDir());
    // Set up again, it stays as it is.
    QVERIFY(pfl::datenordnerEinrichten(frisch + QLatin1Char('/'), &fehler));
    QCOMPARE(QDir(frisch).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Bilder")});
}

void TestDatenordner::eigeneDateienBleiben_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("art");
    for (const char* name : {"README.md", "Zirade-Zadod.ize", "Bilder", "Hintergrund"})
        for (const char* art : {"datei", "verweis hinaus", "verweis ins nichts", "ordner", "fifo"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(name), QLatin1String(art))))
                << QString::fromLatin1(name) << QString::fromLatin1(art);
}

void TestDatenordner::eigeneDateienBleiben() {
    // Whatever the user keeps under a name the program ships or uses: the folder is set up (a FIFO
    // would block a reader: the child is ended after a few seconds), and it stays exactly as it was.
    QFETCH(QString, name);
    QFETCH(QString, art);
    QTemporaryDir t;
    const QString ordner = t.filePath(QStringLiteral("daten"));
    const QString draussen = t.filePath(QStringLiteral("draussen.md"));
    schreibe(draussen, "fremd");
    schreibe(ordner + QStringLiteral("/Familie.rez"), "Buch");
    const QString pfad = ordner + QLatin1Char('/') + name;
    const QByteArray p = QFile::encodeName(pfad);
    if (art == QLatin1String("datei")) schreibe(pfad, "# Meine eigenen Notizen\n");
    if (art == QLatin1String("verweis hinaus"))
        QCOMPARE(::symlink(QFile::encodeName(draussen).constData(), p.constData()), 0);
    if (art == QLatin1String("verweis ins nichts")) QCOMPARE(::symlink("/nirgends/da", p.constData()), 0);
    if (art == QLatin1String("ordner")) QVERIFY(QDir().mkpath(pfad));
    if (art == QLatin1String("fifo")) QCOMPARE(::mkfifo(p.constData(), 0600), 0);
    const auto abbild = [&] {
        QStringList a;
        QDirIterator it(t.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo i(it.next());
            a << i.filePath() + QLatin1Char(' ') + i.symLinkTarget() +
                     (i.isFile() && !i.isSymLink() ? QString::fromLatin1(lies(i.filePath())) : QString());
        }
        a.sort();
        return a;
    };
    const QStringList vorher = abbild();
    const int r = pfl::test::imKindprozess(
        [&] {
            QString fehler;
            return pfl::datenordnerEinrichten(ordner, &fehler) ? 0 : 1;
        },
        5);
    QCOMPARE(r, 0);
    QStringList nachher = abbild();
    // Only a picture folder that was missing is new.
    if (name != QLatin1String("Bilder")) QVERIFY(nachher.removeOne(ordner + QStringLiteral("/Bilder ")));
    QCOMPARE(nachher, vorher);
}

void TestDatenordner::einrichtenScheitert() {
    QTemporaryDir t;
    // A file where the folder should be.
    schreibe(t.filePath(QStringLiteral("datei")), "x");
    QString fehler;
    QVERIFY(!pfl::datenordnerEinrichten(t.filePath(QStringLiteral("datei/daten")), &fehler));
    QVERIFY(fehler.contains(QStringLiteral("kann nicht angelegt werden")));
}

void TestDatenordner::nurLesbarerOrdner() {
    // A folder its user may not write into is still usable, to look at the recipes: it is set up
    // without writing anything and is known as read-only. Root writes anywhere, so an ordinary user
    // tries.
    QTemporaryDir t;
    const QString nurLesen = t.filePath(QStringLiteral("nurlesen"));
    const QString offen = t.filePath(QStringLiteral("offen"));
    QDir().mkpath(nurLesen);
    QDir().mkpath(offen);
    schreibe(nurLesen + QStringLiteral("/Familie.rez"), "Buch");
    QFile::setPermissions(nurLesen, QFile::ReadOwner | QFile::ExeOwner);
    const int r = pfl::test::alsBenutzer(t.path(), [&] {
        if (QFileInfo(nurLesen).isWritable()) return pfl::test::kSchreibtUeberall;
        return pfl::test::pruefungen([&] {
            QString fehler;
            QVERIFY(pfl::ordnerNurLesbar(nurLesen));
            QVERIFY(!pfl::ordnerNurLesbar(offen));
            QVERIFY2(pfl::datenordnerEinrichten(nurLesen, &fehler), qPrintable(fehler));
            QCOMPARE(QDir(nurLesen).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList{QStringLiteral("Familie.rez")});
        });
    });
    QFile::setPermissions(nurLesen, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r == pfl::test::kSchreibtUeberall) QSKIP("even an ordinary user writes everywhere here");
    QCOMPARE(r, 0);
    // A folder that root, or its owner, can write into is not read-only.
    QVERIFY(!pfl::ordnerNurLesbar(offen));
}

QTEST_GUILESS_MAIN(TestDatenordner)
#include "tst_datenordner.moc"
