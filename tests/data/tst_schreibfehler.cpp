// SPDX-License-Identifier: GPL-3.0-or-later
// Failed writes: a full disk, files that are not regular files, links and write-protected books.
// Each failure leaves the file as it was (or holding whole records only) and is reported.
#include "data/Unit4.h"
#include "support/Datenumgebung.h"
#include "support/Kindprozess.h"
#include "support/Schreibgrenze.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 R = qint64(sizeof(dateien));
constexpr qint64 RUB = qint64(sizeof(rubriken));
constexpr qint64 EKL = qint64(sizeof(Einkaufstliste));

QByteArray buchBytes(int n, const QString& rubrik = QStringLiteral("Suppen")) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += Testordner::bytes(Testordner::rezept(rubrik, QStringLiteral("Rezept %1").arg(i)));
    return b;
}

QByteArray listenBytes(qint64 groesse, int n, char fuell) {
    return QByteArray(groesse * n, fuell);
}

// Result bits a child reports through its exit code.
enum : int { Gemeldet = 1, Erfolgsmeldung = 2 };

// Runs a routine in u and tells what it announced.
int ergebnis(Unit4& u, const std::function<void()>& routine) {
    int bits = 0;
    const auto a = QObject::connect(&u, &Unit4::schreibfehler, [&](const QString&) { bits |= Gemeldet; });
    const auto b = QObject::connect(&u, &Unit4::erfassenCaptionGesetzt, [&](const QString& c) {
        if (c == QStringLiteral("Daten erfolgreich gespeichert.")) bits |= Erfolgsmeldung;
    });
    routine();
    QObject::disconnect(a);
    QObject::disconnect(b);
    return bits;
}

void routineAusfuehren(Unit4& u, const QString& name) {
    u.rezeptbuch = QStringLiteral("Buch");
    u.element1 = Testordner::rezept(QStringLiteral("Neu"), QStringLiteral("Neues Rezept"));
    u.datei = u.element1;
    zeroRecord(u.r_daten);
    u.r_daten.rubrik = QStringLiteral("Neue Rubrik");
    u.k_daten = u.r_daten;
    u.e_daten.e_liste = QStringLiteral("Mehl");
    if (name == QLatin1String("Daten_einsortieren"))
        u.Daten_einsortieren();
    else if (name == QLatin1String("datei_speichern_aendern")) {
        u.satznum = 3;
        u.datei_speichern_aendern();
    } else if (name == QLatin1String("rezept_anlegen1"))
        u.rezept_anlegen1();
    else if (name == QLatin1String("Rubriken_speichern"))
        u.Rubriken_speichern();
    else if (name == QLatin1String("Rubriken_anlegen"))
        u.Rubriken_anlegen();
    else if (name == QLatin1String("Kategorien_speichern"))
        u.Kategorien_speichern();
    else if (name == QLatin1String("Kategorien_anlegen"))
        u.Kategorien_anlegen();
    else if (name == QLatin1String("einkauflist_speichern"))
        u.einkauflist_speichern();
    else if (name == QLatin1String("einkauflist_anlegen"))
        u.einkauflist_anlegen();
    else
        qFatal("unknown routine");
}
} // namespace

class TestSchreibfehler : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void vollerDatentraeger_data();
    void vollerDatentraeger();
    void umbenennenBeiVollemDatentraeger();
    void keineGewoehnlicheDatei_data();
    void keineGewoehnlicheDatei();
    void sicherungsLinkWirdNichtVerfolgt_data();
    void sicherungsLinkWirdNichtVerfolgt();
    void buchAlsLink();
    void schreibgeschuetztesBuch();
};

void TestSchreibfehler::vollerDatentraeger_data() {
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QByteArray>("vorher"); // a null array: the file does not exist
    QTest::addColumn<qint64>("grenze");
    QTest::addColumn<qint64>("erwarteteGroesse"); // -1: still missing; the old size: unchanged bytes

    const QByteArray buch = buchBytes(2);
    const QByteArray zerrissen = buch + QByteArray(500, 'z');
    QTest::newRow("einsortieren") << "Daten_einsortieren"
                                  << "Buch.rez" << buch << 2 * R + 1000 << 2 * R;
    QTest::newRow("einsortieren zerrissenes buch")
        << "Daten_einsortieren"
        << "Buch.rez" << zerrissen << 2 * R + 1000 << zerrissen.size();
    QTest::newRow("einsortieren neues buch") << "Daten_einsortieren"
                                             << "Buch.Rez" << QByteArray() << 1000ll << 0ll;
    QTest::newRow("ersetzen am ende") << "datei_speichern_aendern"
                                      << "Buch.rez" << buch << 2 * R + 1000 << 2 * R;
    QTest::newRow("rubriken anhaengen")
        << "Rubriken_speichern"
        << "Rubriken.rub" << listenBytes(RUB, 2, 'r') << 2 * RUB + 100 << 2 * RUB;
    QTest::newRow("rubriken anlegen zweiter satz") << "Rubriken_anlegen"
                                                   << "Rubriken.rub" << QByteArray() << RUB + 100 << RUB;
    QTest::newRow("rubriken anlegen nichts") << "Rubriken_speichern"
                                             << "Rubriken.rub" << QByteArray() << 100ll << -1ll;
    QTest::newRow("kategorien anhaengen") << "Kategorien_speichern"
                                          << "kategorien.kat" << listenBytes(RUB, 1, 'k') << RUB + 100 << RUB;
    QTest::newRow("kategorien anlegen") << "Kategorien_anlegen"
                                        << "kategorien.kat" << QByteArray() << 100ll << -1ll;
    QTest::newRow("einkauf anhaengen")
        << "einkauflist_speichern"
        << "Einkaufsliste.Ekl" << listenBytes(EKL, 1, 'e') << EKL + 5000 << EKL;
    QTest::newRow("einkauf anlegen zweiter satz") << "einkauflist_anlegen"
                                                  << "Einkaufsliste.Ekl" << QByteArray() << EKL + 5000 << EKL;
}

void TestSchreibfehler::vollerDatentraeger() {
    QFETCH(QString, routine);
    QFETCH(QString, datei);
    QFETCH(QByteArray, vorher);
    QFETCH(qint64, grenze);
    QFETCH(qint64, erwarteteGroesse);
    Datenumgebung e;
    if (!vorher.isNull()) e.dir.schreibe(datei, vorher);
    const int bits = pfl::test::mitSchreibgrenze(
        grenze, [&] { return ergebnis(e.u, [&] { routineAusfuehren(e.u, routine); }); });
    QCOMPARE(bits, int(Gemeldet)); // reported, and never announced as saved
    if (erwarteteGroesse < 0) {
        QVERIFY(!e.dir.gibt(datei));
    } else {
        const QByteArray nachher = e.dir.lies(datei);
        QCOMPARE(nachher.size(), erwarteteGroesse);
        if (erwarteteGroesse == vorher.size()) QVERIFY(nachher == vorher);
    }
    // No temporary file stays behind.
    const QStringList alle = QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& n : alle)
        QVERIFY2(!n.endsWith(QLatin1String(".tmp")), qPrintable(n));
}

void TestSchreibfehler::umbenennenBeiVollemDatentraeger() {
    Datenumgebung e;
    const QByteArray gross = buchBytes(3);
    const QByteArray klein = buchBytes(1);
    e.dir.schreibe(QStringLiteral("Gross.rez"), gross);
    e.dir.schreibe(QStringLiteral("Klein.rez"), klein);
    e.dir.schreibe(QStringLiteral("Gross.Aez"), gross.left(R)); // copy of an earlier state
    const int bits = pfl::test::mitSchreibgrenze(2 * R + 100, [&] {
        QString meldung;
        QObject::connect(&e.u, &Unit4::schreibfehler, [&](const QString& m) { meldung += m; });
        e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"),
                                   QStringLiteral("Eintöpfe"));
        return (meldung.contains(QStringLiteral("Gross.rez")) ? 1 : 0) |
               (meldung.contains(QStringLiteral("Klein.rez")) ? 2 : 0);
    });
    QCOMPARE(bits, 1);
    QVERIFY(e.dir.lies(QStringLiteral("Gross.rez")) == gross);
    QVERIFY(e.dir.lies(QStringLiteral("Gross.Aez")) == gross.left(R));
    // The other book is still processed.
    QCOMPARE(Testordner::satz<dateien>(e.dir.lies(QStringLiteral("Klein.rez"))).Rubrik.toQString(),
             QStringLiteral("Eintöpfe"));
    QVERIFY(e.dir.lies(QStringLiteral("Klein.Aez")) == klein);
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

void TestSchreibfehler::keineGewoehnlicheDatei_data() {
    QTest::addColumn<QString>("art");
    QTest::newRow("fifo") << "fifo";
    QTest::newRow("ordner") << "ordner";
    QTest::newRow("geraet") << "geraet";
}

void TestSchreibfehler::keineGewoehnlicheDatei() {
    // Nothing blocks on a FIFO, nothing is written into a device, and the rename leaves them alone.
    QFETCH(QString, art);
    Datenumgebung e;
    const QByteArray p = QFile::encodeName(e.dir.datei(QStringLiteral("Fremd.rez")));
    if (art == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(p.constData(), 0644), 0);
    else if (art == QLatin1String("ordner"))
        QVERIFY(QDir(e.dir.pfad()).mkdir(QStringLiteral("Fremd.rez")));
    else
        QCOMPARE(::symlink("/dev/null", p.constData()), 0);
    e.dir.buch(QStringLiteral("Echt.rez"),
               {Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("X"))});
    QCOMPARE(e.u.buchDateien(), QStringList{QStringLiteral("Echt.rez")});

    const int bits = pfl::test::imKindprozess(
        [&] {
            int b = 0;
            e.u.rezeptbuch = QStringLiteral("Fremd");
            e.u.datei_lesen();
            e.u.rubrik = QStringLiteral("Suppen");
            if (e.u.daten != 0 || !e.u.rubrikZeilen().isEmpty() || e.u.buchAnzahl() != 0 || e.u.satz_lesen(1))
                b |= 4;
            b |= ergebnis(e.u, [&] {
                e.u.element1 = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Neu"));
                e.u.Daten_einsortieren();
            });
            // Creating the book anew does not empty what lies under its name either.
            if (ergebnis(e.u, [&] { e.u.rezept_anlegen1(); }) & Gemeldet) b |= 8;
            // The FIFO is not listed as a book: renaming touches only the real one.
            e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"),
                                       QStringLiteral("Eintopf"));
            return b;
        },
        10);
    QCOMPARE(bits, int(Gemeldet) | 8);
    QFileInfo fi(QFile::decodeName(p));
    QVERIFY(!fi.isFile() || fi.isSymLink());
    QCOMPARE(Testordner::satz<dateien>(e.dir.lies(QStringLiteral("Echt.rez"))).Rubrik.toQString(),
             QStringLiteral("Eintopf"));
}

void TestSchreibfehler::sicherungsLinkWirdNichtVerfolgt_data() {
    QTest::addColumn<bool>("haengend");
    QTest::newRow("nach draussen") << false;
    QTest::newRow("haengend") << true;
}

void TestSchreibfehler::sicherungsLinkWirdNichtVerfolgt() {
    QFETCH(bool, haengend);
    Datenumgebung e;
    QTemporaryDir draussen;
    const QString ziel = draussen.path() + QStringLiteral("/fremd.txt");
    if (!haengend) {
        QFile f(ziel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("fremd");
    }
    const QByteArray alt = buchBytes(2);
    e.dir.schreibe(QStringLiteral("B.rez"), alt);
    QCOMPARE(
        ::symlink(QFile::encodeName(ziel).constData(), QFile::encodeName(e.dir.datei("B.Aez")).constData()),
        0);
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"), QStringLiteral("Eintopf"));
    const QFileInfo aez(e.dir.datei(QStringLiteral("B.Aez")));
    QVERIFY(!aez.isSymLink());
    QVERIFY(e.dir.lies(QStringLiteral("B.Aez")) == alt);
    if (haengend) {
        QVERIFY(!QFileInfo::exists(ziel));
    } else {
        QFile f(ziel);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("fremd"));
    }
    QCOMPARE(Testordner::satz<dateien>(e.dir.lies(QStringLiteral("B.rez"))).Rubrik.toQString(),
             QStringLiteral("Eintopf"));
}

void TestSchreibfehler::buchAlsLink() {
    // Reading through a link inside the folder works; nothing is written through a link leaving it.
    Datenumgebung e;
    QTemporaryDir draussen;
    const QString fremd = draussen.path() + QStringLiteral("/Fremd.rez");
    const QByteArray fremdBytes = buchBytes(1);
    {
        QFile f(fremd);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fremdBytes);
    }
    e.dir.schreibe(QStringLiteral("Echt.rez"), buchBytes(2));
    QCOMPARE(::symlink("Echt.rez", QFile::encodeName(e.dir.datei("Innen.rez")).constData()), 0);
    QCOMPARE(::symlink(QFile::encodeName(fremd).constData(),
                       QFile::encodeName(e.dir.datei("Aussen.rez")).constData()),
             0);
    e.u.rezeptbuch = QStringLiteral("Innen");
    QCOMPARE(e.u.buchAnzahl(), 2);
    e.u.rezeptbuch = QStringLiteral("Aussen");
    QCOMPARE(e.u.buchAnzahl(), 0);
    QSignalSpy fehler(&e.u, &Unit4::schreibfehler);
    e.u.element1 = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Neu"));
    e.u.Daten_einsortieren();
    QCOMPARE(fehler.count(), 1);
    e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"), QStringLiteral("Eintopf"));
    QFile f(fremd);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll() == fremdBytes);
    QVERIFY(QFileInfo(e.dir.datei(QStringLiteral("Aussen.rez"))).isSymLink());
    // The link inside still leads to the book, which was renamed once, in its own turn.
    QVERIFY(QFileInfo(e.dir.datei(QStringLiteral("Innen.rez"))).isSymLink());
    QVERIFY(e.dir.lies(QStringLiteral("Echt.Aez")) == buchBytes(2));
    QVERIFY(e.dir.lies(QStringLiteral("Innen.rez")) == buchBytes(2, QStringLiteral("Eintopf")));
    QVERIFY(!e.dir.gibt(QStringLiteral("Innen.Aez")));
}

void TestSchreibfehler::schreibgeschuetztesBuch() {
    Datenumgebung e;
    const QByteArray alt = buchBytes(2);
    e.dir.schreibe(QStringLiteral("Fest.rez"), alt);
    e.dir.schreibe(QStringLiteral("Offen.rez"), alt);
    const QByteArray p = QFile::encodeName(e.dir.datei(QStringLiteral("Fest.rez")));
    QCOMPARE(::chmod(p.constData(), 0444), 0);
    QStringList meldungen;
    connect(&e.u, &Unit4::schreibfehler, this, [&](const QString& m) { meldungen << m; });
    e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"), QStringLiteral("Eintopf"));
    QCOMPARE(meldungen.size(), 1);
    QVERIFY(meldungen.first().contains(QStringLiteral("Fest.rez")));
    QVERIFY(meldungen.first().contains(QStringLiteral("schreibgeschützt")));
    QVERIFY(e.dir.lies(QStringLiteral("Fest.rez")) == alt);
    struct stat st;
    QCOMPARE(::stat(p.constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 0777), 0444);
    QVERIFY(!e.dir.gibt(QStringLiteral("Fest.Aez")));
    QVERIFY(e.dir.lies(QStringLiteral("Offen.rez")) == buchBytes(2, QStringLiteral("Eintopf")));
    // Appending respects the protection too.
    e.u.rezeptbuch = QStringLiteral("Fest");
    e.u.Daten_einsortieren();
    QCOMPARE(meldungen.size(), 2);
    QVERIFY(e.dir.lies(QStringLiteral("Fest.rez")) == alt);
}

QTEST_GUILESS_MAIN(TestSchreibfehler)
#include "tst_schreibfehler.moc"
