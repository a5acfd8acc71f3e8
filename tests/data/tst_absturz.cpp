// SPDX-License-Identifier: GPL-3.0-or-later
// The rename killed at random moments, and books shrinking under a reader: every book stays either
// wholly old or wholly new, and a reader never dies.
#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "support/Datenumgebung.h"

#include <QRandomGenerator>
#include <QFileInfo>
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

QTEST_GUILESS_MAIN(TestAbsturz)
#include "tst_absturz.moc"
