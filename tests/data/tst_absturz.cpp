// SPDX-License-Identifier: GPL-3.0-or-later
// The rename killed at random moments, and books shrinking under a reader: every book stays either
// wholly old or wholly new, and a reader never dies.
#include "data/Dateizugriff.h"
#include "data/Sicherung.h"
#include "data/Unit4.h"
#include "data/Vorhaben.h"
#include "support/Datenumgebung.h"

#include <QRandomGenerator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr qint64 R = qint64(sizeof(dateien));
constexpr int kBuecher = 4;
constexpr int kRezepte = 40;

QString buchName(int b) {
    return QStringLiteral("Buch%1.rez").arg(b);
}

// Every third recipe is in the section that the renames toggle.
QByteArray buch(int b, const QString& rubrik) {
    QByteArray out;
    for (int i = 0; i < kRezepte; ++i) {
        const bool betroffen = i % 3 == 0;
        dateien d = Testordner::rezept(betroffen ? rubrik : QStringLiteral("Andere"),
                                       QStringLiteral("Rezept %1-%2").arg(b).arg(i));
        d.zubereitung = QStringLiteral("Schritt %1").arg(i);
        out += Testordner::bytes(d);
    }
    return out;
}

// The section a book is wholly in, or an empty text when it is torn, short or mixed.
QString ganzerStand(int b, const QByteArray& bytes) {
    for (const QString& r : {QStringLiteral("A"), QStringLiteral("B")})
        if (bytes == buch(b, r)) return r;
    return QString();
}

void umbenennen(Unit4& u, const QString& von, const QString& nach) {
    u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, von, nach);
}
} // namespace

class TestAbsturz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void umbenennenAbgebrochen();
    void buchSchrumpftBeimLesen();
    void loeschenAbgebrochen();
    void anhaengenAbgebrochen();
    void begriffUmbenennenAbgebrochen();
    void wiederherstellenAbgebrochen();
};

void TestAbsturz::umbenennenAbgebrochen() {
    Datenumgebung e;
    for (int b = 0; b < kBuecher; ++b)
        e.dir.schreibe(buchName(b), buch(b, QStringLiteral("A")));
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    const QByteArray hinweis = "seed " + QByteArray::number(seed);
    for (int runde = 0; runde < 15; ++runde) {
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            // Renames back and forth until it is killed.
            Unit4 u;
            u.lpf = e.dir.pfad();
            for (;;) {
                umbenennen(u, QStringLiteral("A"), QStringLiteral("B"));
                umbenennen(u, QStringLiteral("B"), QStringLiteral("A"));
            }
        }
        ::usleep(useconds_t(zufall.bounded(500, 40000)));
        ::kill(kind, SIGKILL);
        int status = 0;
        QCOMPARE(::waitpid(kind, &status, 0), kind);
        QVERIFY(WIFSIGNALED(status));
        for (int b = 0; b < kBuecher; ++b) {
            QVERIFY2(
                !ganzerStand(b, e.dir.lies(buchName(b))).isEmpty(),
                qPrintable(
                    QStringLiteral("round %1, book %2, %3").arg(runde).arg(b).arg(QLatin1String(hinweis))));
            const QString kopie = QStringLiteral("Buch%1.Aez").arg(b);
            if (e.dir.gibt(kopie))
                QVERIFY2(!ganzerStand(b, e.dir.lies(kopie)).isEmpty(),
                         qPrintable(QStringLiteral("copy, round %1, book %2").arg(runde).arg(b)));
        }
    }
    // A rename after the crashes still works and clears what the killed runs left behind.
    umbenennen(e.u, QStringLiteral("A"), QStringLiteral("C"));
    umbenennen(e.u, QStringLiteral("B"), QStringLiteral("C"));
    for (int b = 0; b < kBuecher; ++b) {
        const QByteArray neu = e.dir.lies(buchName(b));
        QCOMPARE(neu.size(), kRezepte * R);
        for (int i = 0; i < kRezepte; ++i) {
            const dateien d = Testordner::satz<dateien>(neu, i);
            QCOMPARE(d.name.toQString(), QStringLiteral("Rezept %1-%2").arg(b).arg(i));
            QCOMPARE(d.Rubrik.toQString(), i % 3 == 0 ? QStringLiteral("C") : QStringLiteral("Andere"));
        }
    }
    const QStringList uebrig = QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(uebrig.size() == 2 * kBuecher, qPrintable(uebrig.join(QLatin1Char(' '))));
}

void TestAbsturz::buchSchrumpftBeimLesen() {
    // Another process cuts the book short and lets it grow again while the overview scans it.
    Datenumgebung e;
    const int n = 200;
    QByteArray voll;
    for (int i = 0; i < n; ++i)
        voll += Testordner::bytes(Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("R%1").arg(i)));
    e.dir.schreibe(QStringLiteral("B.rez"), voll);
    const QByteArray pfad = QFile::encodeName(e.dir.datei(QStringLiteral("B.rez")));
    const pid_t kind = fork();
    QVERIFY(kind >= 0);
    if (kind == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
        for (;;) {
            ::truncate(pfad.constData(), R * 3 + 200);
            ::truncate(pfad.constData(), R * n);
        }
    }
    e.u.rezeptbuch = QStringLiteral("B");
    e.u.rubrik = QStringLiteral("Suppen");
    bool ordnung = true;
    for (int i = 0; i < 300 && ordnung; ++i) {
        const QList<UebersichtZeile> z = e.u.rubrikZeilen();
        // What was read is a run of whole records from the start (past a cut the file reads as zeros).
        for (int j = 0; j < z.size() && ordnung; ++j)
            ordnung = z.at(j).position == j + 1 && z.at(j).name == QStringLiteral("R%1").arg(j);
        e.u.datei_lesen();
    }
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    QVERIFY(ordnung);
}

void TestAbsturz::loeschenAbgebrochen() {
    // A child deletes recipes one after the other until it is killed; the book is always a whole book:
    // whole records, each an untouched original, in their order, none twice.
    Datenumgebung e;
    constexpr int n = 40;
    QList<QByteArray> original;
    QByteArray alles;
    for (int i = 0; i < n; ++i) {
        dateien d = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("R%1").arg(i));
        d.zubereitung = QStringLiteral("Schritt %1").arg(i);
        original << Testordner::bytes(d);
        alles += original.last();
    }
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    int gekuerzt = 0; // rounds in which the child got to delete at all
    for (int runde = 0; runde < 15; ++runde) {
        e.dir.schreibe(QStringLiteral("B.rez"), alles);
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            Unit4 u;
            u.lpf = e.dir.pfad();
            u.rezeptbuch = QStringLiteral("B");
            for (;;) {
                const int anzahl = u.buchAnzahl();
                if (anzahl > 1)
                    u.rezept_loeschen(anzahl / 2 + 1);
                else
                    ::pause();
            }
        }
        ::usleep(useconds_t(zufall.bounded(500, 40000)));
        // On a slow machine no round may have reached a delete yet: the last one waits for one.
        if (runde == 14 && gekuerzt == 0)
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(e.dir.pfad() + QStringLiteral("B.rez")).size() < alles.size(),
                                     30000);
        ::kill(kind, SIGKILL);
        QCOMPARE(::waitpid(kind, nullptr, 0), kind);
        const QByteArray b = e.dir.lies(QStringLiteral("B.rez"));
        const QString wo = QStringLiteral("round %1, seed %2").arg(runde).arg(seed);
        QVERIFY2(b.size() % R == 0 && b.size() > 0, qPrintable(wo));
        if (b.size() < alles.size()) ++gekuerzt;
        int vorige = -1;
        for (int i = 0; i < b.size() / R; ++i) {
            const int j = original.indexOf(b.mid(i * R, R), vorige + 1);
            QVERIFY2(j > vorige, qPrintable(wo + QStringLiteral(", record %1").arg(i)));
            vorige = j;
        }
    }
    QVERIFY(gekuerzt > 0);
    // What the killed runs left beside the book goes, and deleting still works.
    pfl::verwaisteTempDateienEntfernen(e.dir.pfad());
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("B.rez")});
    e.dir.schreibe(QStringLiteral("B.rez"), alles);
    e.u.rezeptbuch = QStringLiteral("B");
    QCOMPARE(e.u.rezept_loeschen(2), Loeschergebnis::Geloescht);
    QCOMPARE(e.dir.lies(QStringLiteral("B.rez")), alles.left(R) + alles.mid(2 * R));
}

void TestAbsturz::anhaengenAbgebrochen() {
    // A child appends batches of twenty recipes until it is killed; after the next start the book holds
    // its first records and then whole batches only, each exactly as appended.
    Datenumgebung e;
    constexpr int kStapel = 20;
    QByteArray anfang;
    for (int i = 0; i < 2; ++i)
        anfang +=
            Testordner::bytes(Testordner::rezept(QStringLiteral("Alt"), QStringLiteral("Alt %1").arg(i)));
    const auto stapel = [](int s) {
        QList<dateien> l;
        for (int i = 0; i < kStapel; ++i) {
            dateien d =
                Testordner::rezept(QStringLiteral("Neu"), QStringLiteral("Stapel %1-%2").arg(s).arg(i));
            d.zubereitung = QString(4000 + i, QLatin1Char('a' + char(s % 26)));
            l.append(d);
        }
        return l;
    };
    const auto stapelBytes = [&](int s) {
        QByteArray b;
        for (const dateien& d : stapel(s))
            b += Testordner::bytes(d);
        return b;
    };
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    int abgebrochen = 0; // rounds whose journal the start had to deal with
    for (int runde = 0; runde < 25; ++runde) {
        e.dir.schreibe(QStringLiteral("B.rez"), anfang);
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            Unit4 u;
            u.lpf = e.dir.pfad();
            u.rezeptbuch = QStringLiteral("B");
            for (int s = 0;; ++s)
                u.saetzeAnhaengen(stapel(s));
        }
        // Killed once it is under way, at a random moment of its appends.
        QTRY_VERIFY_WITH_TIMEOUT(e.dir.groesse(QStringLiteral("B.rez")) > anfang.size(), 30000);
        ::usleep(useconds_t(zufall.bounded(0, 20000)));
        ::kill(kind, SIGKILL);
        QCOMPARE(::waitpid(kind, nullptr, 0), kind);
        if (e.dir.gibt(pfl::vorhaben::dateiname())) ++abgebrochen;

        Unit4 start;
        start.initialisieren(e.dir.pfad());
        const QString wo = QStringLiteral("round %1, seed %2").arg(runde).arg(seed);
        QVERIFY2(!e.dir.gibt(pfl::vorhaben::dateiname()), qPrintable(wo));
        const QByteArray b = e.dir.lies(QStringLiteral("B.rez"));
        QVERIFY2(b.startsWith(anfang) && (b.size() - anfang.size()) % (kStapel * R) == 0, qPrintable(wo));
        for (int s = 0; anfang.size() + (s + 1) * kStapel * R <= b.size(); ++s)
            QVERIFY2(b.mid(anfang.size() + s * kStapel * R, kStapel * R) == stapelBytes(s),
                     qPrintable(wo + QStringLiteral(", batch %1").arg(s)));
    }
    qInfo("%d of 25 kills left an append to finish or take back", abgebrochen);
}

namespace {
// The section names that the list file "Rubriken.rub" offers.
QStringList gelisteteRubriken(const Testordner& d) {
    const QByteArray b = d.lies(QStringLiteral("Rubriken.rub"));
    QStringList n;
    for (qsizetype i = 0; i + qsizetype(sizeof(rubriken)) <= b.size(); i += qsizetype(sizeof(rubriken)))
        n.append(Testordner::satz<rubriken>(b.mid(i, sizeof(rubriken))).rubrik.toQString());
    return n;
}
} // namespace

void TestAbsturz::begriffUmbenennenAbgebrochen() {
    // A child renames a section back and forth as the section window does, each time taking the old
    // name out of the list afterwards, until it is killed. After the next start every book is whole,
    // all books agree, and the list offers the section their recipes carry.
    Datenumgebung e;
    for (int b = 0; b < kBuecher; ++b)
        e.dir.schreibe(buchName(b), buch(b, QStringLiteral("A")));
    e.dir.rubriken({QStringLiteral("Andere"), QStringLiteral("A")});
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    int fortgesetzt = 0;
    QTemporaryDir anderswo;
    const QString einmal = anderswo.filePath(QStringLiteral("einmal")); // the child has renamed once
    for (int runde = 0; runde < 20; ++runde) {
        const QByteArray vorher = e.dir.lies(buchName(0));
        QFile::remove(einmal);
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            Unit4 u;
            u.lpf = e.dir.pfad();
            zeroRecord(u.r_daten);
            QString von = ganzerStand(0, vorher);
            for (;;) {
                const QString nach = von == QLatin1String("A") ? QStringLiteral("B") : QStringLiteral("A");
                u.r_daten.rubrik = nach;
                u.begriffUmbenennen(pfl::Umbenennung::Rubrik, von, nach);
                u.rubrikenDateiErsetzen({QStringLiteral("Andere"), nach});
                von = nach;
                QFile(einmal).open(QIODevice::WriteOnly);
            }
        }
        // Killed once it is under way, at a random moment of a rename.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(einmal), 30000);
        ::usleep(useconds_t(zufall.bounded(0, 60000)));
        ::kill(kind, SIGKILL);
        QCOMPARE(::waitpid(kind, nullptr, 0), kind);
        if (e.dir.gibt(pfl::vorhaben::dateiname())) ++fortgesetzt;

        Unit4 start;
        start.initialisieren(e.dir.pfad());
        const QString wo = QStringLiteral("round %1, seed %2").arg(runde).arg(seed);
        const QString stand = ganzerStand(0, e.dir.lies(buchName(0)));
        QVERIFY2(!stand.isEmpty(), qPrintable(wo));
        for (int b = 1; b < kBuecher; ++b)
            QVERIFY2(ganzerStand(b, e.dir.lies(buchName(b))) == stand,
                     qPrintable(wo + QStringLiteral(", book %1").arg(b)));
        const QStringList liste = gelisteteRubriken(e.dir);
        QVERIFY2(liste.contains(stand) && liste.contains(QStringLiteral("Andere")),
                 qPrintable(wo + QStringLiteral(": ") + liste.join(QLatin1Char(' '))));
        QVERIFY2(!e.dir.gibt(pfl::vorhaben::dateiname()), qPrintable(wo));
    }
    qInfo("%d of 20 kills left a rename for the start to finish", fortgesetzt);
}

void TestAbsturz::wiederherstellenAbgebrochen() {
    // A child restores from two backups in turn until it is killed. After the next start the restored
    // files all come from one backup, and no staging folder is left.
    QTemporaryDir t;
    const QString lpf = t.path() + QStringLiteral("/daten/");
    const QStringList namen{QStringLiteral("Familie.rez"), QStringLiteral("Party.rez"),
                            QStringLiteral("Rubriken.rub"), QStringLiteral("Bilder")};
    const QStringList dateien{QStringLiteral("Familie.rez"), QStringLiteral("Party.rez"),
                              QStringLiteral("Rubriken.rub"), QStringLiteral("Bilder/Gulasch.jpg")};
    const auto inhalt = [](const QString& n, char s) { return QByteArray(300000 + int(n.size()) * 1000, s); };
    for (const char s : {'x', 'y'})
        for (const QString& n : dateien) {
            const QString p =
                t.path() + QStringLiteral("/sicherung_") + QLatin1Char(s) + QLatin1Char('/') + n;
            QVERIFY(QDir().mkpath(QFileInfo(p).absolutePath()));
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(inhalt(n, s));
        }
    QVERIFY(QDir().mkpath(lpf));
    QVERIFY(pfl::wiederherstellen(t.path() + QStringLiteral("/sicherung_x"), namen, lpf).ok());
    const auto lies = [&](const QString& n) {
        QFile f(lpf + n);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    QMap<QString, int> phasen;
    const QString einmal = t.path() + QStringLiteral("/einmal"); // the child has restored once
    for (int runde = 0; runde < 20; ++runde) {
        QFile::remove(einmal);
        const pid_t kind = fork();
        QVERIFY(kind >= 0);
        if (kind == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            for (int i = 0;; ++i) {
                pfl::wiederherstellen(
                    t.path() + (i % 2 ? QStringLiteral("/sicherung_x") : QStringLiteral("/sicherung_y")),
                    namen, lpf);
                if (i == 0) QFile(einmal).open(QIODevice::WriteOnly);
            }
        }
        // Killed once it is under way, at a random moment of a restore.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(einmal), 30000);
        ::usleep(useconds_t(zufall.bounded(0, 40000)));
        ::kill(kind, SIGKILL);
        QCOMPARE(::waitpid(kind, nullptr, 0), kind);
        if (const auto v = pfl::vorhaben::lesen(lpf))
            ++phasen[v->inhalt.value(QStringLiteral("phase")).toString()];

        Unit4 start;
        start.initialisieren(lpf);
        const QString wo = QStringLiteral("round %1, seed %2").arg(runde).arg(seed);
        const QByteArray erste = lies(dateien.first());
        const char s = erste.isEmpty() ? '?' : erste.at(0);
        for (const QString& n : dateien)
            QVERIFY2(lies(n) == inhalt(n, s), qPrintable(wo + QStringLiteral(", ") + n));
        QVERIFY2(QDir(lpf)
                     .entryList({QStringLiteral(".pfl-wiederherstellung-*")}, QDir::AllEntries | QDir::Hidden)
                     .isEmpty(),
                 qPrintable(wo));
        QVERIFY2(!QFileInfo::exists(lpf + pfl::vorhaben::dateiname()), qPrintable(wo));
    }
    qInfo("journals found by phase: copying %d, moving %d", phasen.value(QStringLiteral("kopieren")),
          phasen.value(QStringLiteral("ersetzen")));
}

QTEST_GUILESS_MAIN(TestAbsturz)
#include "tst_absturz.moc"
