// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: a second holder is refused while the first lives, and takes over
// once it has died.
#include "data/Datenordnersperre.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

class TestSperre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void zweiterProzessWirdAbgewiesen();
    void nachFreigabeWiederFrei();
};

void TestSperre::zweiterProzessWirdAbgewiesen() {
    QTemporaryDir dir;
    int rohr[2];
    QCOMPARE(::pipe(rohr), 0);
    const pid_t halter = fork();
    QVERIFY(halter >= 0);
    if (halter == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlive a test that crashed
        ::close(rohr[0]);
        pfl::Datenordnersperre s(dir.path());
        const char c = s.gesperrt() ? '1' : '0';
        (void)!::write(rohr[1], &c, 1);
        for (;;)
            ::pause();
    }
    ::close(rohr[1]);
    char c = 0;
    QCOMPARE(::read(rohr[0], &c, 1), ssize_t(1));
    ::close(rohr[0]);
    QCOMPARE(c, '1');
    {
        pfl::Datenordnersperre zweite(dir.path());
        QVERIFY(!zweite.gesperrt());
        QVERIFY(zweite.fehler().contains(QString::number(halter)));
    }
    // The holder dies without unlocking; its stale lock is taken over.
    ::kill(halter, SIGKILL);
    QCOMPARE(::waitpid(halter, nullptr, 0), halter);
    QVERIFY(QFileInfo::exists(dir.filePath(pfl::Datenordnersperre::dateiname())));
    pfl::Datenordnersperre dritte(dir.path());
    QVERIFY(dritte.gesperrt());
    QVERIFY(dritte.fehler().isEmpty());
}

void TestSperre::nachFreigabeWiederFrei() {
    QTemporaryDir dir;
    {
        pfl::Datenordnersperre a(dir.path());
        QVERIFY(a.gesperrt());
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(pfl::Datenordnersperre::dateiname())));
    pfl::Datenordnersperre b(dir.path());
    QVERIFY(b.gesperrt());
}

QTEST_GUILESS_MAIN(TestSperre)
#include "tst_sperre.moc"
