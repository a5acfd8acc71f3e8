// SPDX-License-Identifier: GPL-3.0-or-later
// Files of one record and the colour scheme's files: a failed save keeps the old bytes and is
// reported; folders without room for a temporary file, links, FIFOs and huge files.
#include "data/Dateischreiber.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "support/Datenumgebung.h"
#include "support/Kindprozess.h"
#include "support/Schreibgrenze.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The data module and the colour scheme on a temporary folder; counts what was reported.
struct Umgebung : Datenumgebung {
    pfl::Farbschema s{u};
    QStringList meldungen;
    Umgebung() {
        QObject::connect(&u, &Unit4::schreibfehler, &u, [this](const QString& t) { meldungen.append(t); });
    }
};

// Bytes no routine would write.
QByteArray muster(int laenge, char start) {
    QByteArray b(laenge, 0);
    for (int i = 0; i < laenge; ++i)
        b[i] = char(start + i * 7);
    return b;
}

// Runs one routine by name, after giving its buffer a value that differs from any old file.
void ausfuehren(Umgebung& e, const QString& routine) {
    if (routine == QLatin1String("opt_speichern")) {
        e.u.option.dbw = 4711;
        e.u.option.rezeptbuch = QStringLiteral("Familie");
        e.u.opt_speichern();
    } else if (routine == QLatin1String("opt_lesen")) {
        e.u.opt_lesen();
    } else if (routine == QLatin1String("druck_speichern")) {
        e.u.drucke.t.text_Hoehe = 33;
        e.u.druck_speichern();
    } else if (routine == QLatin1String("druck_anlegen")) {
        e.u.druck_anlegen();
    } else if (routine == QLatin1String("druck_lesen")) {
        e.u.druck_lesen();
    } else if (routine == QLatin1String("stamminh_speichern")) {
        e.u.st_inh1.Name = QStringLiteral("Müller");
        e.u.stamminh_speichern();
    } else if (routine == QLatin1String("stamminh_lesen")) {
        e.u.stamminh_lesen();
    } else if (routine == QLatin1String("version_speichern")) {
        e.u.versionsnum = 110;
        e.u.version_speichern();
    } else if (routine == QLatin1String("version_lesen")) {
        e.u.version_lesen();
    } else if (routine == QLatin1String("farben_speichern")) {
        e.s.colorx = pfl::Farbschema::vorgaben();
        e.s.farben_speichern();
    } else if (routine == QLatin1String("Farben_anlegen")) {
        e.s.Farben_anlegen(e.s.colorx);
    } else if (routine == QLatin1String("farben_lesen")) {
        e.s.farben_lesen();
    } else if (routine == QLatin1String("style_speichern")) {
        e.s.Style = QStringLiteral("Metropolis UI Black");
        e.s.style_speichern();
    } else if (routine == QLatin1String("style_lesen")) {
        e.s.styleNameLesen();
    } else if (routine == QLatin1String("eigeneFarbenSpeichern")) {
        e.s.eigeneFarbenSpeichern(QList<quint32>(16, 0x123456));
    } else if (routine == QLatin1String("eigeneFarbenLesen")) {
        e.s.eigeneFarbenLesen();
    } else {
        qFatal("unknown routine %s", qPrintable(routine));
    }
}

QStringList dateienIn(const QString& ordner) {
    return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

struct stat statVon(const QString& pfad) {
    struct stat st {};
    ::lstat(QFile::encodeName(pfad).constData(), &st);
    return st;
}

QString verweisZiel(const QString& pfad) {
    char puffer[4096];
    const ssize_t n = ::readlink(QFile::encodeName(pfad).constData(), puffer, sizeof puffer);
    return n < 0 ? QString() : QFile::decodeName(QByteArray(puffer, n));
}

using pfl::test::kNiemand;

} // namespace

class TestEinzeldateien : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void vollePlatte_data();
    void vollePlatte();
    void ohneAltdateiKeineLeereDatei_data();
    void ohneAltdateiKeineLeereDatei();
    void ordnerOhneZwischendatei_data();
    void ordnerOhneZwischendatei();
    void schreibgeschuetzteDatei();
    void verweise_data();
    void verweise();
    void fifoBlockiertNicht_data();
    void fifoBlockiertNicht();
    void riesigeDateien();
    void ersetzenBehaeltRechte();
};

void TestEinzeldateien::vollePlatte_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QByteArray>("alt");
    const QByteArray kurz = muster(100, 'a'); // shorter than any record: the readers recreate it
    QTest::newRow("opt_speichern") << "Rezept.opt"
                                   << "opt_speichern" << muster(1416, 'o');
    QTest::newRow("druck_speichern") << "Drucker.drk"
                                     << "druck_speichern" << muster(416, 'd');
    QTest::newRow("druck_anlegen") << "Drucker.drk"
                                   << "druck_anlegen" << muster(416, 'd');
    QTest::newRow("druck_lesen kurz") << "Drucker.drk"
                                      << "druck_lesen" << kurz;
    QTest::newRow("stamminh_speichern") << "Stammdaten.sti"
                                        << "stamminh_speichern" << muster(156, 's');
    QTest::newRow("stamminh_lesen kurz") << "Stammdaten.sti"
                                         << "stamminh_lesen" << kurz;
    QTest::newRow("version_speichern") << "Version.ver"
                                       << "version_speichern" << muster(168, 'v');
    QTest::newRow("farben_speichern") << "farben.frb"
                                      << "farben_speichern" << muster(1976, 'f');
    QTest::newRow("Farben_anlegen") << "farben.frb"
                                    << "Farben_anlegen" << muster(1976, 'f');
    QTest::newRow("farben_lesen kurz") << "farben.frb"
                                       << "farben_lesen" << kurz;
    QTest::newRow("style_speichern") << "Styledat.txt"
                                     << "style_speichern" << QByteArray("Obsidian");
    QTest::newRow("eigeneFarbenSpeichern")
        << "farb.txt"
        << "eigeneFarbenSpeichern" << QByteArray("ColorA=0000FF\r\nColorB=00FF00\r\n");
}

void TestEinzeldateien::vollePlatte() {
    QFETCH(QString, datei);
    QFETCH(QString, routine);
    QFETCH(QByteArray, alt);
    Umgebung e;
    e.dir.schreibe(datei, alt);
    // No file may grow past 4 bytes, so every save of these files fails part-way.
    const int gemeldet = pfl::test::mitSchreibgrenze(4, [&] {
        ausfuehren(e, routine);
        const bool grundGenannt = e.meldungen.size() == 1 && e.meldungen.first().contains(datei) &&
                                  e.meldungen.first().contains(QStringLiteral("zu groß"));
        return grundGenannt ? 1 : 10 + int(e.meldungen.size());
    });
    QCOMPARE(gemeldet, 1); // one report naming the file and the reason
    QCOMPARE(e.dir.lies(datei), alt);
    QCOMPARE(dateienIn(e.dir.pfad()), QStringList{datei}); // no temporary file left behind
}

void TestEinzeldateien::ohneAltdateiKeineLeereDatei_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("routine");
    QTest::newRow("version_speichern legt an") << "Version.ver"
                                               << "version_speichern";
    QTest::newRow("druck_lesen legt an") << "Drucker.drk"
                                         << "druck_lesen";
    QTest::newRow("stamminh_lesen legt an") << "Stammdaten.sti"
                                            << "stamminh_lesen";
    QTest::newRow("farben_lesen legt an") << "farben.frb"
                                          << "farben_lesen";
}

void TestEinzeldateien::ohneAltdateiKeineLeereDatei() {
    // A file that is created on a full disk is not left behind empty or torn.
    QFETCH(QString, datei);
    QFETCH(QString, routine);
    Umgebung e;
    const int gemeldet = pfl::test::mitSchreibgrenze(4, [&] {
        ausfuehren(e, routine);
        return int(e.meldungen.size());
    });
    QCOMPARE(gemeldet, 1);
    QCOMPARE(dateienIn(e.dir.pfad()), QStringList());
}

void TestEinzeldateien::ordnerOhneZwischendatei_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QByteArray>("alt");
    QTest::addColumn<qint64>("grenze"); // file-size limit, 0 for none
    QTest::addColumn<QByteArray>("erwartet");
    optionen opt;
    zeroRecord(opt);
    opt.dbw = 4711;
    opt.rezeptbuch = QStringLiteral("Familie");
    const QByteArray neuOpt = pfl::satzBytes(opt);
    const qint64 ohne = 0;
    QTest::newRow("gleich lang") << "Rezept.opt"
                                 << "opt_speichern" << muster(1416, 'o') << ohne << neuOpt;
    QTest::newRow("war kuerzer") << "Rezept.opt"
                                 << "opt_speichern" << muster(10, 'o') << ohne << neuOpt;
    QTest::newRow("war laenger, wird gekuerzt")
        << "Styledat.txt"
        << "style_speichern" << QByteArray("Metropolis UI Black and more") << ohne
        << QByteArray("Metropolis UI Black");
    // Growing past the limit fails half-way: the old bytes are put back.
    QTest::newRow("volle Platte") << "Styledat.txt"
                                  << "style_speichern" << QByteArray("Obsidian") << qint64(12)
                                  << QByteArray("Obsidian");
}

void TestEinzeldateien::ordnerOhneZwischendatei() {
    // A folder where only the files are writable, as a shared installation may have it. As root
    // the save runs as an ordinary user, since root would create the temporary file anyway.
    QFETCH(QString, datei);
    QFETCH(QString, routine);
    QFETCH(QByteArray, alt);
    QFETCH(qint64, grenze);
    QFETCH(QByteArray, erwartet);
    Umgebung e;
    const QString pfad = e.dir.datei(datei);
    e.dir.schreibe(datei, alt);
    const uid_t besitzer = ::geteuid() == 0 ? kNiemand : ::geteuid();
    QVERIFY(pfl::test::demBenutzerGeben(e.dir.pfad()));
    QVERIFY(::chmod(QFile::encodeName(pfad).constData(), 0640) == 0);
    QVERIFY(::chmod(QFile::encodeName(e.dir.pfad()).constData(), 0555) == 0);
    const ino_t inode = statVon(pfad).st_ino;

    const int gemeldet = pfl::test::mitSchreibgrenze(grenze ? grenze : (qint64(1) << 40), [&] {
        if (!pfl::test::rechteAbgeben()) return 99;
        ausfuehren(e, routine);
        return int(e.meldungen.size());
    });
    ::chmod(QFile::encodeName(e.dir.pfad()).constData(), 0755);

    QCOMPARE(gemeldet, grenze ? 1 : 0);
    QCOMPARE(e.dir.lies(datei), erwartet);
    const struct stat st = statVon(pfad);
    QCOMPARE(st.st_ino, inode); // the same file, written in place
    QCOMPARE(st.st_uid, besitzer);
    QCOMPARE(int(st.st_mode & 07777), 0640);
    QCOMPARE(dateienIn(e.dir.pfad()), QStringList{datei});
}

void TestEinzeldateien::schreibgeschuetzteDatei() {
    // A file its owner made read-only stays as it is, even in a writable folder where a
    // temporary file could replace it; the refusal is reported.
    Umgebung e;
    const QString pfad = e.dir.datei(QStringLiteral("Rezept.opt"));
    const QByteArray alt = muster(1416, 'r');
    e.dir.schreibe(QStringLiteral("Rezept.opt"), alt);
    QVERIFY(pfl::test::demBenutzerGeben(e.dir.pfad()));
    QVERIFY(::chmod(QFile::encodeName(pfad).constData(), 0444) == 0);
    const int ergebnis = pfl::test::mitSchreibgrenze(qint64(1) << 40, [&] {
        if (!pfl::test::rechteAbgeben()) return 99;
        ausfuehren(e, QStringLiteral("opt_speichern"));
        const bool berechtigung =
            e.meldungen.size() == 1 && e.meldungen.first().contains(QStringLiteral("Berechtigung"));
        return berechtigung ? 1 : 10 + int(e.meldungen.size());
    });
    QCOMPARE(ergebnis, 1);
    QCOMPARE(e.dir.lies(QStringLiteral("Rezept.opt")), alt);
    QCOMPARE(dateienIn(e.dir.pfad()), QStringList{QStringLiteral("Rezept.opt")});
}

void TestEinzeldateien::verweise_data() {
    QTest::addColumn<QString>("ziel"); // where Rezept.opt points; "<aussen>" is another folder
    QTest::addColumn<bool>("gefolgt");
    QTest::newRow("im Ordner") << "echt.opt" << true;
    QTest::newRow("im Ordner ueber zweiten Verweis") << "zwischen.lnk" << true;
    QTest::newRow("aus dem Ordner") << "<aussen>/fremd.opt" << false;
    QTest::newRow("relativ hinaus") << "../<aussenname>/fremd.opt" << false;
    QTest::newRow("ins Nichts draussen") << "/nicht/vorhanden/fremd.opt" << false;
}

void TestEinzeldateien::verweise() {
    QFETCH(QString, ziel);
    QFETCH(bool, gefolgt);
    Umgebung e;
    QTemporaryDir aussen;
    const QByteArray alt = muster(1416, 'x');
    {
        QFile f(aussen.filePath(QStringLiteral("fremd.opt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(alt);
    }
    e.dir.schreibe(QStringLiteral("echt.opt"), alt);
    QVERIFY(QFile::link(QStringLiteral("echt.opt"), e.dir.datei(QStringLiteral("zwischen.lnk"))));
    ziel.replace(QLatin1String("<aussenname>"), QFileInfo(aussen.path()).fileName());
    ziel.replace(QLatin1String("<aussen>"), aussen.path());
    const QString verweis = e.dir.datei(QStringLiteral("Rezept.opt"));
    QVERIFY(QFile::link(ziel, verweis));

    ausfuehren(e, QStringLiteral("opt_speichern"));

    QCOMPARE(QFileInfo(aussen.filePath(QStringLiteral("fremd.opt"))).size(), qint64(alt.size()));
    QFile f(aussen.filePath(QStringLiteral("fremd.opt")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), alt); // nothing outside the folder is ever written
    QVERIFY(QFileInfo(verweis).isSymLink());
    QCOMPARE(verweisZiel(verweis), ziel);
    QCOMPARE(e.meldungen.size(), gefolgt ? 0 : 1);
    if (gefolgt) {
        QCOMPARE(e.dir.lies(QStringLiteral("echt.opt")), pfl::satzBytes(e.u.option));
    } else {
        QCOMPARE(e.dir.lies(QStringLiteral("echt.opt")), alt);
        QVERIFY(e.meldungen.first().contains(QStringLiteral("außerhalb")));
    }
}

void TestEinzeldateien::fifoBlockiertNicht_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("routine");
    QTest::addColumn<int>("meldungen"); // reading fails; a fall-back that writes is refused
    QTest::newRow("opt_lesen") << "Rezept.opt"
                               << "opt_lesen" << 0;
    QTest::newRow("opt_speichern") << "Rezept.opt"
                                   << "opt_speichern" << 1;
    QTest::newRow("druck_lesen") << "Drucker.drk"
                                 << "druck_lesen" << 1;
    QTest::newRow("stamminh_lesen") << "Stammdaten.sti"
                                    << "stamminh_lesen" << 1;
    QTest::newRow("version_lesen") << "Version.ver"
                                   << "version_lesen" << 0;
    QTest::newRow("farben_lesen") << "farben.frb"
                                  << "farben_lesen" << 1;
    QTest::newRow("style_lesen") << "Styledat.txt"
                                 << "style_lesen" << 0;
    QTest::newRow("eigeneFarbenLesen") << "farb.txt"
                                       << "eigeneFarbenLesen" << 0;
}

void TestEinzeldateien::fifoBlockiertNicht() {
    QFETCH(QString, datei);
    QFETCH(QString, routine);
    QFETCH(int, meldungen);
    Umgebung e;
    const QString pfad = e.dir.datei(datei);
    QVERIFY(::mkfifo(QFile::encodeName(pfad).constData(), 0644) == 0);
    // A routine that blocks on the FIFO is ended by the alarm: the child then reports -1.
    const int ergebnis = pfl::test::mitSchreibgrenze(qint64(1) << 40, [&] {
        ::alarm(20);
        ausfuehren(e, routine);
        return int(e.meldungen.size());
    });
    QCOMPARE(ergebnis, meldungen);
    QVERIFY(S_ISFIFO(statVon(pfad).st_mode)); // not replaced by a regular file
}

void TestEinzeldateien::riesigeDateien() {
    // 1 GiB without a line break, sparse on disk: reading the start must not read the rest.
    Umgebung e;
    const qint64 gross = qint64(1) << 30;
    for (const char* name : {"Styledat.txt", "farb.txt", "farben.frb"}) {
        const QString pfad = e.dir.datei(QString::fromLatin1(name));
        e.dir.schreibe(QString::fromLatin1(name),
                       name == QByteArray("farb.txt") ? "ColorC=0000FF" : "Carbon");
        QVERIFY(::truncate(QFile::encodeName(pfad).constData(), off_t(gross)) == 0);
    }
    QCOMPARE(e.s.styleNameLesen(), false);
    QVERIFY(e.s.Style.startsWith(QStringLiteral("Carbon")));
    QVERIFY(e.s.Style.size() <= 4096);

    const QList<quint32> farben = e.s.eigeneFarbenLesen();
    QCOMPARE(farben.at(2), 0x0000FFu);

    QVERIFY(pfl::ersterSatz(e.dir.datei(QStringLiteral("farben.frb")), e.s.colorx));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(&e.s.colorx), 6), QByteArray("Carbon"));
    // Keeping 1 GiB behind the first record is refused, and said so; the file stays as it was.
    QVERIFY(!e.s.farben_speichern());
    QCOMPARE(e.meldungen.size(), 1);
    QCOMPARE(e.dir.groesse(QStringLiteral("farben.frb")), gross);

    QVERIFY(!pfl::dateiInhalt(e.dir.datei(QStringLiteral("farb.txt")), 1 << 20));
    QCOMPARE(pfl::ersteZeile(e.dir.datei(QStringLiteral("Styledat.txt")), 100)->size(), 100);
}

void TestEinzeldateien::ersetzenBehaeltRechte() {
    // The ordinary path through a temporary file keeps the file's permissions, and a second
    // save of the same routine leaves exactly one file.
    Umgebung e;
    const QString pfad = e.dir.datei(QStringLiteral("Stammdaten.sti"));
    e.dir.schreibe(QStringLiteral("Stammdaten.sti"), muster(156, 's'));
    QVERIFY(::chmod(QFile::encodeName(pfad).constData(), 0604) == 0);
    ausfuehren(e, QStringLiteral("stamminh_speichern"));
    ausfuehren(e, QStringLiteral("stamminh_speichern"));
    QCOMPARE(e.meldungen, QStringList());
    QCOMPARE(e.dir.lies(QStringLiteral("Stammdaten.sti")), pfl::satzBytes(e.u.st_inh1));
    QCOMPARE(int(statVon(pfad).st_mode & 07777), 0604);
    QCOMPARE(dateienIn(e.dir.pfad()), QStringList{QStringLiteral("Stammdaten.sti")});
}

QTEST_GUILESS_MAIN(TestEinzeldateien)
#include "tst_einzeldateien.moc"
