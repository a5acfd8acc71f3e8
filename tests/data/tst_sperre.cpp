// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: a second holder is refused while the first lives and gets the folder
// once the first has died; nothing left in the folder, no full disk and no exec'd child changes that.
#include "data/Datenordnersperre.h"
#include "support/Kindprozess.h"
#include "support/Schreibgrenze.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kAlteSperre = QStringLiteral(".pfanno-lux.lock"); // the lock file of earlier versions

// A child that takes the lock, reports whether it got it through a pipe and then waits to be killed.
struct Halter {
    pid_t pid = -1;
    bool gesperrt = false;
    explicit Halter(const QString& ordner) {
        int rohr[2];
        if (::pipe(rohr) != 0) return;
        std::fflush(nullptr);
        pid = fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
            ::close(rohr[0]);
            pfl::Datenordnersperre s(ordner);
            const char c = s.gesperrt() ? '1' : '0';
            (void)!::write(rohr[1], &c, 1);
            for (;;)
                ::pause();
        }
        ::close(rohr[1]);
        char c = 0;
        gesperrt = pid > 0 && ::read(rohr[0], &c, 1) == 1 && c == '1';
        ::close(rohr[0]);
    }
    void toeten() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ~Halter() { toeten(); }
};

// Everything in a folder, hidden entries too, with what each is.
QStringList inhalt(const QString& ordner) {
    QStringList out;
    for (const QFileInfo& i : QDir(ordner).entryInfoList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        struct stat st {};
        ::lstat(QFile::encodeName(i.filePath()).constData(), &st);
        out << QStringLiteral("%1 %2 %3").arg(i.fileName()).arg(st.st_mode, 0, 8).arg(st.st_size);
    }
    return out;
}

} // namespace

class TestSperre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zweiterProzessWirdAbgewiesen();
    void zweiteSperreImSelbenProzess();
    void nachFreigabeWiederFrei();
    void resteStoerenNicht_data();
    void resteStoerenNicht();
    void vollePlatte();
    void gestartetesProgrammErbtSieNicht();
    void andereFehlerWerdenGenannt();
};

void TestSperre::zweiterProzessWirdAbgewiesen() {
    QTemporaryDir dir;
    Halter halter(dir.path());
    QVERIFY(halter.gesperrt);
    {
        pfl::Datenordnersperre zweite(dir.path());
        QVERIFY(!zweite.gesperrt());
        QVERIFY(zweite.besetzt());
        // No process number: the lock does not know one, and a wrong one would mislead.
        QCOMPARE(zweite.fehler(), QStringLiteral("Der Datenordner wird bereits von einem anderen laufenden "
                                                 "Programm verwendet. Bitte beenden Sie es zuerst."));
    }
    // The holder dies without unlocking: the kernel has dropped its lock.
    halter.toeten();
    pfl::Datenordnersperre dritte(dir.path());
    QVERIFY(dritte.gesperrt());
    QVERIFY(!dritte.besetzt());
    QVERIFY(dritte.fehler().isEmpty());
    // The lock left nothing in the folder.
    QCOMPARE(inhalt(dir.path()), QStringList());
}

void TestSperre::zweiteSperreImSelbenProzess() {
    // A second start inside one process (as the tests of the whole program do) is refused too.
    QTemporaryDir dir;
    pfl::Datenordnersperre a(dir.path());
    QVERIFY(a.gesperrt());
    pfl::Datenordnersperre b(dir.path());
    QVERIFY(!b.gesperrt());
    QVERIFY(b.besetzt());
}

void TestSperre::nachFreigabeWiederFrei() {
    QTemporaryDir dir;
    {
        pfl::Datenordnersperre a(dir.path());
        QVERIFY(a.gesperrt());
    }
    pfl::Datenordnersperre b(dir.path());
    QVERIFY(b.gesperrt());
    QCOMPARE(inhalt(dir.path()), QStringList());
}

void TestSperre::resteStoerenNicht_data() {
    QTest::addColumn<QString>("art");
    for (const char* a : {"leer", "unsinn", "alte sperre eines toten", "alte sperre eines lebenden", "ordner",
                          "verweis ins nichts", "verweis auf sich", "verweis auf fifo", "fifo"})
        QTest::newRow(a) << QString::fromLatin1(a);
}

void TestSperre::resteStoerenNicht() {
    // Whatever an earlier version or a crash left under the old lock file's name: the lock is taken at
    // once (a FIFO opened would block: the child is ended after a few seconds), and the leftover
    // stays exactly as it was.
    QFETCH(QString, art);
    QTemporaryDir dir;
    const QString rest = dir.filePath(kAlteSperre);
    const QByteArray r = QFile::encodeName(rest);
    const auto datei = [&](const QByteArray& b) {
        QFile f(rest);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    };
    if (art == QLatin1String("leer")) datei({});
    if (art == QLatin1String("unsinn")) datei(QByteArray("\xff\x00garbage\n\n\n-7\n", 15));
    // The old lock file's form: process id, program, host.
    if (art == QLatin1String("alte sperre eines toten")) datei("999999\npfanno-lux\nhost\n");
    if (art == QLatin1String("alte sperre eines lebenden"))
        datei(QByteArray::number(qint64(::getpid())) + "\npfanno-lux\nhost\n");
    if (art == QLatin1String("ordner")) QVERIFY(QDir(dir.path()).mkdir(kAlteSperre));
    if (art == QLatin1String("verweis ins nichts")) QCOMPARE(::symlink("/nirgends/da", r.constData()), 0);
    if (art == QLatin1String("verweis auf sich")) QCOMPARE(::symlink(r.constData(), r.constData()), 0);
    if (art == QLatin1String("fifo") || art == QLatin1String("verweis auf fifo")) {
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("rohr")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        if (art == QLatin1String("fifo"))
            QCOMPARE(::rename(fifo.constData(), r.constData()), 0);
        else
            QCOMPARE(::symlink(fifo.constData(), r.constData()), 0);
    }
    const QStringList vorher = inhalt(dir.path());
    QCOMPARE(vorher.size(), art == QLatin1String("verweis auf fifo") ? 2 : 1);
    const int ergebnis = pfl::test::imKindprozess(
        [&] {
            pfl::Datenordnersperre s(dir.path());
            return s.gesperrt() && s.fehler().isEmpty() ? 0 : 1;
        },
        5);
    QCOMPARE(ergebnis, 0);
    QCOMPARE(inhalt(dir.path()), vorher);
    // And it still keeps a second program off.
    Halter halter(dir.path());
    QVERIFY(halter.gesperrt);
    QVERIFY(pfl::Datenordnersperre(dir.path()).besetzt());
}

void TestSperre::vollePlatte() {
    // A disk that takes no byte more: the lock needs none, so it is taken and keeps a second off.
    QTemporaryDir dir;
    enum { Gesperrt = 1, ZweiterAbgewiesen = 2 };
    const int bits = pfl::test::mitSchreibgrenze(0, [&] {
        int r = 0;
        pfl::Datenordnersperre s(dir.path());
        if (s.gesperrt()) r |= Gesperrt;
        // Another process under the same limit.
        const int zweiter =
            pfl::test::imKindprozess([&] { return pfl::Datenordnersperre(dir.path()).besetzt(); });
        if (zweiter == 1) r |= ZweiterAbgewiesen;
        return r;
    });
    QCOMPARE(bits, Gesperrt | ZweiterAbgewiesen);
    QCOMPARE(inhalt(dir.path()), QStringList());
}

void TestSperre::gestartetesProgrammErbtSieNicht() {
    // A program started while the lock is held (the updater, the mail program) must not keep it
    // after the holder has let it go.
    QTemporaryDir dir;
    QProcess kind;
    {
        pfl::Datenordnersperre s(dir.path());
        QVERIFY(s.gesperrt());
        kind.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(kind.waitForStarted());
    }
    pfl::Datenordnersperre danach(dir.path());
    QVERIFY(danach.gesperrt());
    kind.kill();
    kind.waitForFinished();
}

void TestSperre::andereFehlerWerdenGenannt() {
    // A folder that cannot be locked for another reason than a running program: not "in use",
    // and the reason in German.
    QTemporaryDir dir;
    {
        pfl::Datenordnersperre fehlt(dir.filePath(QStringLiteral("fehlt")));
        QVERIFY(!fehlt.gesperrt());
        QVERIFY(!fehlt.besetzt());
        QVERIFY2(fehlt.fehler().contains(QStringLiteral("lässt sich nicht sperren")),
                 qPrintable(fehlt.fehler()));
        QVERIFY2(fehlt.fehler().contains(QStringLiteral("nicht vorhanden")), qPrintable(fehlt.fehler()));
    }
    // A folder its user may not read: root reads anywhere, so an ordinary user tries.
    const QString zu = dir.filePath(QStringLiteral("zu"));
    QVERIFY(QDir().mkdir(zu));
    const int r = pfl::test::alsBenutzer(dir.path(), [&] {
        QFile::setPermissions(zu, QFile::WriteOwner | QFile::ExeOwner);
        if (QFileInfo(zu).isReadable()) return pfl::test::kSchreibtUeberall;
        return pfl::test::pruefungen([&] {
            pfl::Datenordnersperre s(zu);
            QVERIFY(!s.gesperrt());
            QVERIFY(!s.besetzt());
            QVERIFY2(s.fehler().contains(QStringLiteral("Berechtigung")), qPrintable(s.fehler()));
            QVERIFY2(s.fehler().contains(QStringLiteral("nicht gestartet")), qPrintable(s.fehler()));
        });
    });
    QFile::setPermissions(zu, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (r == pfl::test::kSchreibtUeberall) QSKIP("even an ordinary user reads everywhere here");
    QCOMPARE(r, 0);
}

QTEST_GUILESS_MAIN(TestSperre)
#include "tst_sperre.moc"
