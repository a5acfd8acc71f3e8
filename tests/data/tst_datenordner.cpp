// SPDX-License-Identifier: GPL-3.0-or-later
// The command line, where the data live, and setting up a data folder beside the shipped files.
#include "data/Datenordner.h"
#include "support/Kindprozess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

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
    void bildschirm_data();
    void bildschirm();
    void bildschirmAntwortet_data();
    void bildschirmAntwortet();
    void ordnerWahl();
    void einrichten();
    void einrichtenScheitert();
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
    QTemporaryDir t;
    const QString quelle = t.filePath(QStringLiteral("share"));
    schreibe(quelle + QStringLiteral("/Zirade-Zadod.ize"), "Hilfe 2");
    schreibe(quelle + QStringLiteral("/README.md"), "Lies mich");
    schreibe(quelle + QStringLiteral("/Hintergrund/Holz.bmp"), "BM holz");
    schreibe(quelle + QStringLiteral("/Hintergrund/Stein.bmp"), "BM stein");
    const QString ziel = t.filePath(QStringLiteral("daten/neu"));
    // The user's own picture under a shipped name, an old help file and a book.
    schreibe(ziel + QStringLiteral("/Hintergrund/Holz.bmp"), "eigenes Bild");
    schreibe(ziel + QStringLiteral("/Zirade-Zadod.ize"), "Hilfe 1");
    schreibe(ziel + QStringLiteral("/Familie.Rez"), "Buch");

    QString fehler;
    QVERIFY2(pfl::datenordnerEinrichten(ziel, quelle, &fehler), qPrintable(fehler));
    QCOMPARE(lies(ziel + QStringLiteral("/Zirade-Zadod.ize")), QByteArray("Hilfe 2"));
    QCOMPARE(lies(ziel + QStringLiteral("/README.md")), QByteArray("Lies mich"));
    QCOMPARE(lies(ziel + QStringLiteral("/Hintergrund/Holz.bmp")), QByteArray("eigenes Bild"));
    QCOMPARE(lies(ziel + QStringLiteral("/Hintergrund/Stein.bmp")), QByteArray("BM stein"));
    QCOMPARE(lies(ziel + QStringLiteral("/Familie.Rez")), QByteArray("Buch"));
    QVERIFY(QFileInfo(ziel + QStringLiteral("/Bilder")).isDir());

    // A folder that does not exist yet is made; the shipped folder itself is left alone.
    const QString frisch = t.filePath(QStringLiteral("a/b/c"));
    QVERIFY(pfl::datenordnerEinrichten(frisch, quelle, &fehler));
    QCOMPARE(lies(frisch + QStringLiteral("/Zirade-Zadod.ize")), QByteArray("Hilfe 2"));
    QVERIFY(pfl::datenordnerEinrichten(quelle, quelle, &fehler));
    QCOMPARE(QDir(quelle).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"Bilder", "Hintergrund", "README.md", "Zirade-Zadod.ize"}));
}

void TestDatenordner::einrichtenScheitert() {
    QTemporaryDir t;
    // A file where the folder should be.
    schreibe(t.filePath(QStringLiteral("datei")), "x");
    QString fehler;
    QVERIFY(!pfl::datenordnerEinrichten(t.filePath(QStringLiteral("datei/daten")), {}, &fehler));
    QVERIFY(fehler.contains(QStringLiteral("kann nicht angelegt werden")));
    const QString nurLesen = t.filePath(QStringLiteral("nurlesen"));
    QDir().mkpath(nurLesen);
    // A folder the user may not write into; root writes anywhere, so an ordinary user tries.
    QFile::setPermissions(nurLesen, QFile::ReadOwner | QFile::ExeOwner);
    const int r = pfl::test::alsBenutzer(t.path(), [&] {
        if (QFileInfo(nurLesen).isWritable()) return pfl::test::kSchreibtUeberall;
        return pfl::test::pruefungen([&] {
            QVERIFY(!pfl::datenordnerEinrichten(nurLesen, {}, &fehler));
            QVERIFY2(fehler.contains(QStringLiteral("kann nicht geschrieben werden")), qPrintable(fehler));
        });
    });
    QFile::setPermissions(nurLesen, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r == pfl::test::kSchreibtUeberall) QSKIP("even an ordinary user writes everywhere here");
    QCOMPARE(r, 0);
}

QTEST_GUILESS_MAIN(TestDatenordner)
#include "tst_datenordner.moc"
