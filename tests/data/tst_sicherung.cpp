// SPDX-License-Identifier: GPL-3.0-or-later
// Backup and restore of the data files: which files go, byte-exact copies, failures that name the
// file and the reason, and a restore that either completes or leaves the data folder as it was.
#include "data/Sicherung.h"
#include "support/Kindprozess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace pfl;

namespace {

void schreibe(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

QByteArray lies(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

// Every entry below the folder (hidden ones too) with its bytes; links and FIFOs by their kind.
QMap<QString, QByteArray> abbild(const QString& ordner) {
    QMap<QString, QByteArray> m;
    QDirIterator it(ordner, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo i(it.next());
        const QString rel = QDir(ordner).relativeFilePath(i.filePath());
        if (i.isSymLink())
            m.insert(rel, "link:" + QFile::encodeName(i.symLinkTarget()));
        else if (i.isDir())
            m.insert(rel, "dir");
        else if (i.isFile())
            m.insert(rel, lies(i.filePath()));
        else
            m.insert(rel, "other");
    }
    return m;
}

// Bytes that differ from file to file and are not all text.
QByteArray muster(int groesse, int saat) {
    QByteArray b(groesse, Qt::Uninitialized);
    quint32 x = quint32(saat) * 2654435761u + 1;
    for (char& c : b) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    return b;
}

// A data folder as the program leaves it: every kind of data file, files that are no backup's
// business, a picture folder and a leftover temporary.
void datenordner(const QString& d) {
    schreibe(d + QStringLiteral("/Familie.rez"), muster(21144 * 7, 1));
    schreibe(d + QStringLiteral("/SUPPEN.REZ"), muster(21144 * 2, 2));
    schreibe(d + QStringLiteral("/kategorien.kat"), muster(360 * 3, 3));
    schreibe(d + QStringLiteral("/Rubriken.rub"), muster(360 * 2, 4));
    schreibe(d + QStringLiteral("/Stammdaten.sti"), muster(900, 5));
    schreibe(d + QStringLiteral("/Rezept.opt"), muster(700, 6));
    schreibe(d + QStringLiteral("/farben.frb"), muster(1200, 7));
    schreibe(d + QStringLiteral("/Drucker.drk"), muster(300, 8));
    schreibe(d + QStringLiteral("/Einkaufsliste.Ekl"), muster(5001, 9));
    schreibe(d + QStringLiteral("/Version.ver"), "110");
    schreibe(d + QStringLiteral("/Styledat.txt"), "Aqua");
    schreibe(d + QStringLiteral("/farb.txt"), "1");
    schreibe(d + QStringLiteral("/Familie.Aez"), "alt");
    schreibe(d + QStringLiteral("/.pfl999-abcdef.tmp"), "halb");
    schreibe(d + QStringLiteral("/Bilder/Gulasch.jpg"), muster(4096, 10));
    schreibe(d + QStringLiteral("/Bilder/Strudel.png"), muster(333, 11));
}

const QStringList kGesichert = {QStringLiteral("Familie.rez"),       QStringLiteral("SUPPEN.REZ"),
                                QStringLiteral("kategorien.kat"),    QStringLiteral("Rubriken.rub"),
                                QStringLiteral("Stammdaten.sti"),    QStringLiteral("Rezept.opt"),
                                QStringLiteral("farben.frb"),        QStringLiteral("Drucker.drk"),
                                QStringLiteral("Einkaufsliste.Ekl"), QStringLiteral("Bilder/Gulasch.jpg"),
                                QStringLiteral("Bilder/Strudel.png")};

} // namespace

class TestSicherung : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void masken_data();
    void masken();
    void datumsordner_data();
    void datumsordner();
    void sichernKopiertGenauDieDatenDateien();
    void sichernErsetztUndLaesstFremdeStehen();
    void sichernMeldetJedeFehlgeschlageneDatei_data();
    void sichernMeldetJedeFehlgeschlageneDatei();
    void sichernZielNichtAnlegbar();
    void sichernAbbrechen();
    void mediumFehlt_data();
    void mediumFehlt();
    void wiederherstellen();
    void wiederherstellenNieHinaus_data();
    void wiederherstellenNieHinaus();
    void wiederherstellenHalbGescheitert_data();
    void wiederherstellenHalbGescheitert();
    void wiederherstellenAbgebrochen();
    void neuereDateien();
};

void TestSicherung::masken_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("maske");
    QTest::addColumn<bool>("passt");
    QTest::newRow("gleich") << "Familie.rez"
                            << "*.rez" << true;
    QTest::newRow("gross geschrieben") << "FAMILIE.REZ"
                                       << "*.rez" << true;
    QTest::newRow("Maske gross") << "stammdaten.sti"
                                 << "*.Sti" << true;
    QTest::newRow("längere Endung") << "Familie.rezz"
                                    << "*.rez" << false;
    QTest::newRow("Endung in der Mitte") << "Rezept.opt.alt"
                                         << "*.Opt" << false;
    QTest::newRow("Sicherungskopie") << "Familie.Aez"
                                     << "*.rez" << false;
    QTest::newRow("nur Endung") << ".rez"
                                << "*.rez" << true;
}

void TestSicherung::masken() {
    QFETCH(QString, name);
    QFETCH(QString, maske);
    QFETCH(bool, passt);
    QCOMPARE(passtMaske(name, maske), passt);
}

void TestSicherung::datumsordner_data() {
    QTest::addColumn<QString>("ordner");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("ohne Trenner") << "/home/anna/Rezept_Backup"
                                  << "/home/anna/Rezept_Backup/09_12_2020";
    QTest::newRow("mit Trenner") << "/home/anna/Rezept_Backup/"
                                 << "/home/anna/Rezept_Backup/09_12_2020";
    QTest::newRow("zweimal") << "/b/09_12_2020"
                             << "/b/09_12_2020/09_12_2020";
}

void TestSicherung::datumsordner() {
    QFETCH(QString, ordner);
    QFETCH(QString, erwartet);
    QCOMPARE(datumAnfuegen(ordner, QDate(2020, 12, 9)), erwartet);
    QCOMPARE(pfl::datumsordner(QDate(2021, 1, 2)), QStringLiteral("02_01_2021"));
}

void TestSicherung::sichernKopiertGenauDieDatenDateien() {
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten");
    const QString nach = t.path() + QStringLiteral("/a/b/Rezept_Backup"); // parents missing too
    datenordner(von);
    const QDateTime alt = QDateTime(QDate(2024, 3, 5), QTime(8, 30));
    QFile f(von + QStringLiteral("/Familie.rez"));
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(alt, QFileDevice::FileModificationTime));
    f.close();

    QStringList reihenfolge;
    const Kopierergebnis e = sichern(von, nach, [&](const QString& q, const QString& z) {
        reihenfolge.append(QDir(von).relativeFilePath(q));
        return QDir(nach).relativeFilePath(z) == QDir(von).relativeFilePath(q);
    });
    QVERIFY2(e.ok(), qPrintable(e.fehlerText()));
    // the masks' order decides the order of the copies
    QCOMPARE(reihenfolge, kGesichert);
    const QMap<QString, QByteArray> quelle = abbild(von);
    QMap<QString, QByteArray> erwartet;
    for (const QString& n : kGesichert)
        erwartet.insert(n, quelle.value(n));
    erwartet.insert(QStringLiteral("Bilder"), "dir");
    QCOMPARE(abbild(nach), erwartet);
    QCOMPARE(QFileInfo(nach + QStringLiteral("/Familie.rez")).lastModified(), alt);
}

void TestSicherung::sichernErsetztUndLaesstFremdeStehen() {
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten");
    const QString nach = t.path() + QStringLiteral("/ziel");
    datenordner(von);
    schreibe(nach + QStringLiteral("/Familie.rez"), "eine ältere und viel kürzere Sicherung");
    schreibe(nach + QStringLiteral("/Geloescht.rez"), "ein Buch, das es nicht mehr gibt");
    QVERIFY(sichern(von, nach).ok());
    QCOMPARE(lies(nach + QStringLiteral("/Familie.rez")), lies(von + QStringLiteral("/Familie.rez")));
    QCOMPARE(lies(nach + QStringLiteral("/Geloescht.rez")), QByteArray("ein Buch, das es nicht mehr gibt"));
}

void TestSicherung::sichernMeldetJedeFehlgeschlageneDatei_data() {
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("grund");
    QTest::newRow("verwaister Verweis") << "link"
                                        << "Die Datei ist nicht vorhanden oder nicht lesbar.";
    QTest::newRow("FIFO statt Datei") << "fifo"
                                      << "Sie ist keine gewöhnliche Datei.";
}

void TestSicherung::sichernMeldetJedeFehlgeschlageneDatei() {
    QFETCH(QString, art);
    QFETCH(QString, grund);
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten");
    const QString nach = t.path() + QStringLiteral("/ziel");
    datenordner(von);
    for (const QString& n : {QStringLiteral("/Kaputt.rez"), QStringLiteral("/Bilder/weg.jpg")}) {
        const QByteArray p = QFile::encodeName(von + n);
        if (art == QLatin1String("link"))
            QCOMPARE(::symlink("/nirgendwo/da", p.constData()), 0);
        else
            QCOMPARE(::mkfifo(p.constData(), 0644), 0);
    }
    QStringList fehler;
    const Kopierergebnis e = sichern(von, nach);
    QVERIFY(!e.ok());
    for (const Kopierfehler& f : e.fehler)
        fehler.append(f.datei + QLatin1Char('|') + f.grund);
    QCOMPARE(fehler, (QStringList{von + QStringLiteral("/Kaputt.rez|") + grund,
                                  von + QStringLiteral("/Bilder/weg.jpg|") + grund}));
    QVERIFY(e.fehlerText().contains(von + QStringLiteral("/Kaputt.rez")));
    // the others still went
    for (const QString& n : kGesichert)
        QCOMPARE(lies(nach + QLatin1Char('/') + n), lies(von + QLatin1Char('/') + n));
    QVERIFY(!QFileInfo::exists(nach + QStringLiteral("/Kaputt.rez")));
    // no temporary left behind
    QCOMPARE(QDir(nach).entryList({QStringLiteral(".pfl*")}, QDir::Files | QDir::Hidden), QStringList());
}

void TestSicherung::sichernZielNichtAnlegbar() {
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten");
    datenordner(von);
    schreibe(t.path() + QStringLiteral("/datei"), "kein Ordner");
    const Kopierergebnis e = sichern(von, t.path() + QStringLiteral("/datei/Rezept_Backup"));
    QCOMPARE(e.fehler.size(), 1);
    QCOMPARE(e.fehler.first().datei, t.path() + QStringLiteral("/datei/Rezept_Backup/"));
    QCOMPARE(e.fehler.first().grund, QStringLiteral("Der Ordner der Datei ist nicht vorhanden."));
    QVERIFY(e.kopiert.isEmpty());
}

void TestSicherung::sichernAbbrechen() {
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten");
    const QString nach = t.path() + QStringLiteral("/ziel");
    datenordner(von);
    int n = 0;
    const Kopierergebnis e = sichern(von, nach, [&n](const QString&, const QString&) { return ++n <= 2; });
    QVERIFY(e.abgebrochen);
    QVERIFY(!e.ok());
    QCOMPARE(e.kopiert,
             (QStringList{nach + QStringLiteral("/Familie.rez"), nach + QStringLiteral("/SUPPEN.REZ")}));
    QVERIFY(!QFileInfo::exists(nach + QStringLiteral("/kategorien.kat")));
}

void TestSicherung::mediumFehlt_data() {
    QTest::addColumn<QString>("ordner");
    QTest::addColumn<QStringList>("punkte");
    QTest::addColumn<bool>("fehlt");
    const QStringList mitStick{QStringLiteral("/"), QStringLiteral("/home"),
                               QStringLiteral("/media/anna/STICK")};
    QTest::newRow("Stick eingehängt") << "/media/anna/STICK/Rezept_Backup" << mitStick << false;
    QTest::newRow("Stick selbst") << "/media/anna/STICK" << mitStick << false;
    QTest::newRow("anderer Stick fehlt") << "/media/anna/KARTE/Rezept_Backup" << mitStick << true;
    QTest::newRow("ähnlicher Name") << "/media/anna/STICK2/x" << mitStick << true;
    QTest::newRow("run/media") << "/run/media/anna/USB/x" << mitStick << true;
    QTest::newRow("Heimordner") << "/home/anna/Rezept_Backup" << QStringList{QStringLiteral("/")} << false;
    QTest::newRow("Wurzel nur im Namen") << "/mediathek/x" << QStringList{QStringLiteral("/")} << false;
}

void TestSicherung::mediumFehlt() {
    QFETCH(QString, ordner);
    QFETCH(QStringList, punkte);
    QFETCH(bool, fehlt);
    QCOMPARE(pfl::mediumFehlt(ordner, punkte), fehlt);
}

void TestSicherung::wiederherstellen() {
    QTemporaryDir t;
    const QString sicherung = t.path() + QStringLiteral("/sicherung");
    const QString lpf = t.path() + QStringLiteral("/daten");
    datenordner(sicherung);
    schreibe(lpf + QStringLiteral("/Familie.rez"), "neuer, aber kaputt");
    schreibe(lpf + QStringLiteral("/Rezept.opt"), "bleibt");
    schreibe(lpf + QStringLiteral("/Bilder/Gulasch.jpg"), "anderes Bild");
    schreibe(lpf + QStringLiteral("/Bilder/Eigenes.jpg"), "bleibt");

    const Kopierergebnis e = pfl::wiederherstellen(
        sicherung, {QStringLiteral("Familie.rez"), QStringLiteral("farben.frb"), QStringLiteral("Bilder")},
        lpf);
    QVERIFY2(e.ok(), qPrintable(e.fehlerText()));
    QMap<QString, QByteArray> erwartet{
        {QStringLiteral("Familie.rez"), lies(sicherung + QStringLiteral("/Familie.rez"))},
        {QStringLiteral("farben.frb"), lies(sicherung + QStringLiteral("/farben.frb"))},
        {QStringLiteral("Rezept.opt"), "bleibt"},
        {QStringLiteral("Bilder"), "dir"},
        {QStringLiteral("Bilder/Gulasch.jpg"), lies(sicherung + QStringLiteral("/Bilder/Gulasch.jpg"))},
        {QStringLiteral("Bilder/Strudel.png"), lies(sicherung + QStringLiteral("/Bilder/Strudel.png"))},
        {QStringLiteral("Bilder/Eigenes.jpg"), "bleibt"},
    };
    QCOMPARE(abbild(lpf), erwartet); // no staging folder left either
}

void TestSicherung::wiederherstellenNieHinaus_data() {
    QTest::addColumn<bool>("hinaus");
    QTest::newRow("Bilder verweist hinaus") << true;
    QTest::newRow("Bilder verweist in den Datenordner") << false;
}

void TestSicherung::wiederherstellenNieHinaus() {
    // A picture folder that is a link out of the data folder receives no picture: the restore says so
    // and changes nothing. A link that stays inside is a picture folder like any other.
    QFETCH(bool, hinaus);
    QTemporaryDir t;
    const QString sicherung = t.path() + QStringLiteral("/sicherung");
    const QString lpf = t.path() + QStringLiteral("/daten");
    const QString draussen = t.path() + QStringLiteral("/draussen");
    datenordner(sicherung);
    schreibe(lpf + QStringLiteral("/Familie.rez"), "aktuelles Buch");
    QVERIFY(QDir().mkpath(draussen));
    QVERIFY(QDir().mkpath(lpf + QStringLiteral("/Fotos")));
    QVERIFY(QFile::link(hinaus ? draussen : lpf + QStringLiteral("/Fotos"), lpf + QStringLiteral("/Bilder")));
    const QMap<QString, QByteArray> vorher = abbild(lpf);

    const Kopierergebnis e =
        pfl::wiederherstellen(sicherung, {QStringLiteral("Familie.rez"), QStringLiteral("Bilder")}, lpf);
    if (hinaus) {
        QVERIFY(!e.ok());
        QCOMPARE(e.fehler.size(), 1);
        QCOMPARE(e.fehler.first().datei, lpf + QStringLiteral("/Bilder"));
        QVERIFY2(e.fehler.first().grund.contains(QStringLiteral("außerhalb des Datenordners")),
                 qPrintable(e.fehler.first().grund));
        QVERIFY(e.kopiert.isEmpty());
        QCOMPARE(abbild(lpf), vorher);
        QCOMPARE(abbild(draussen), (QMap<QString, QByteArray>{}));
    } else {
        QVERIFY2(e.ok(), qPrintable(e.fehlerText()));
        QCOMPARE(lies(lpf + QStringLiteral("/Fotos/Strudel.png")),
                 lies(sicherung + QStringLiteral("/Bilder/Strudel.png")));
        QCOMPARE(lies(lpf + QStringLiteral("/Familie.rez")),
                 lies(sicherung + QStringLiteral("/Familie.rez")));
    }
}

void TestSicherung::wiederherstellenHalbGescheitert_data() {
    QTest::addColumn<QString>("art");
    QTest::addColumn<QStringList>("namen");
    const QStringList drei{QStringLiteral("Familie.rez"), QStringLiteral("Kaputt.rez"),
                           QStringLiteral("Rezept.opt")};
    QTest::newRow("Buch ist ein verwaister Verweis") << "link" << drei;
    QTest::newRow("Buch ist eine FIFO") << "fifo" << drei;
    QTest::newRow("Bild ist ein verwaister Verweis")
        << "bildlink" << QStringList{QStringLiteral("Familie.rez"), QStringLiteral("Bilder")};
    QTest::newRow("Buch ohne Leserecht") << "chmod" << drei;
}

void TestSicherung::wiederherstellenHalbGescheitert() {
    QFETCH(QString, art);
    QFETCH(QStringList, namen);
    QTemporaryDir t;
    const QString sicherung = t.path() + QStringLiteral("/sicherung");
    const QString lpf = t.path() + QStringLiteral("/daten");
    datenordner(sicherung);
    schreibe(lpf + QStringLiteral("/Familie.rez"), "aktuelles Buch");
    schreibe(lpf + QStringLiteral("/Kaputt.rez"), "aktuell");
    schreibe(lpf + QStringLiteral("/Rezept.opt"), "aktuelle Optionen");
    const QByteArray kaputt =
        QFile::encodeName(sicherung + (art == QLatin1String("bildlink") ? QStringLiteral("/Bilder/a.jpg")
                                                                        : QStringLiteral("/Kaputt.rez")));
    if (art == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(kaputt.constData(), 0644), 0);
    else if (art == QLatin1String("chmod")) {
        schreibe(QFile::decodeName(kaputt), "geheim");
        QCOMPARE(::chmod(kaputt.constData(), 0), 0);
    } else
        QCOMPARE(::symlink("/nirgendwo/da", kaputt.constData()), 0);
    const QMap<QString, QByteArray> vorher = abbild(lpf);

    const auto wiederherstellen = [&] {
        const Kopierergebnis e = pfl::wiederherstellen(sicherung, namen, lpf);
        QVERIFY(!e.ok());
        QCOMPARE(e.fehler.size(), 1);
        QCOMPARE(e.fehler.first().datei, QFile::decodeName(kaputt));
        QVERIFY(!e.fehler.first().grund.isEmpty());
        QVERIFY(e.kopiert.isEmpty());
    };
    if (art == QLatin1String("chmod")) {
        // Root reads any file: an ordinary user restores.
        QCOMPARE(pfl::test::alsBenutzer(t.path(), [&] { return pfl::test::pruefungen(wiederherstellen); }),
                 0);
    } else {
        wiederherstellen();
        if (QTest::currentTestFailed()) return;
    }
    QCOMPARE(abbild(lpf), vorher);
}

void TestSicherung::wiederherstellenAbgebrochen() {
    QTemporaryDir t;
    const QString sicherung = t.path() + QStringLiteral("/sicherung");
    const QString lpf = t.path() + QStringLiteral("/daten");
    datenordner(sicherung);
    schreibe(lpf + QStringLiteral("/Familie.rez"), "aktuell");
    const QMap<QString, QByteArray> vorher = abbild(lpf);
    int n = 0;
    const Kopierergebnis e =
        pfl::wiederherstellen(sicherung, {QStringLiteral("Familie.rez"), QStringLiteral("SUPPEN.REZ")}, lpf,
                              [&n](const QString&, const QString&) { return ++n < 2; });
    QVERIFY(e.abgebrochen);
    QCOMPARE(abbild(lpf), vorher);
}

void TestSicherung::neuereDateien() {
    QTemporaryDir t;
    const QString sicherung = t.path() + QStringLiteral("/sicherung");
    const QString lpf = t.path() + QStringLiteral("/daten");
    datenordner(sicherung);
    const QDateTime gesichert(QDate(2026, 12, 1), QTime(9, 15));
    const QDateTime spaeter(QDate(2026, 12, 6), QTime(18, 4));
    const auto zeit = [](const QString& p, const QDateTime& z) {
        QFile f(p);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(z, QFileDevice::FileModificationTime));
    };
    for (const QString& n :
         {QStringLiteral("Familie.rez"), QStringLiteral("SUPPEN.REZ"), QStringLiteral("Bilder/Gulasch.jpg")})
        zeit(sicherung + QLatin1Char('/') + n, gesichert);
    schreibe(lpf + QStringLiteral("/Familie.rez"), "neuer");
    zeit(lpf + QStringLiteral("/Familie.rez"), spaeter);
    schreibe(lpf + QStringLiteral("/SUPPEN.REZ"), "älter");
    zeit(lpf + QStringLiteral("/SUPPEN.REZ"), gesichert.addDays(-3));
    schreibe(lpf + QStringLiteral("/Bilder/Gulasch.jpg"), "neuer");
    zeit(lpf + QStringLiteral("/Bilder/Gulasch.jpg"), spaeter);

    const QList<NeuereDatei> neuer =
        pfl::neuereDateien(sicherung,
                           {QStringLiteral("Familie.rez"), QStringLiteral("SUPPEN.REZ"),
                            QStringLiteral("Rezept.opt"), QStringLiteral("Bilder")},
                           lpf);
    QCOMPARE(neuer.size(), 2);
    QCOMPARE(neuer.at(0).name, QStringLiteral("Familie.rez"));
    QCOMPARE(zeitText(neuer.at(0).daten), QStringLiteral("06.12.2026 18:04"));
    QCOMPARE(zeitText(neuer.at(0).sicherung), QStringLiteral("01.12.2026 09:15"));
    QCOMPARE(neuer.at(1).name, QStringLiteral("Bilder/Gulasch.jpg"));
}

QTEST_GUILESS_MAIN(TestSicherung)
#include "tst_sicherung.moc"
