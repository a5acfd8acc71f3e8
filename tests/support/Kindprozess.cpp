// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Kindprozess.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>
#include <cstdio>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pfl::test {

int imKindprozess(const std::function<int()>& f, int sekunden) {
    // Nothing buffered before the fork is printed twice; what the child prints is not lost.
    std::fflush(nullptr);
    const pid_t kind = fork();
    if (kind < 0) return -1;
    if (kind == 0) {
        alarm(unsigned(sekunden)); // a blocked open or read ends the child with SIGALRM
        const int ergebnis = f();
        std::fflush(nullptr);
        _exit(ergebnis & 0xFF);
    }
    int status = 0;
    if (waitpid(kind, &status, 0) != kind) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool demBenutzerGeben(const QString& pfad) {
    if (::geteuid() != 0) return true;
    const auto geben = [](const QString& p) {
        return ::lchown(QFile::encodeName(p).constData(), kNiemand, kNiemand) == 0;
    };
    bool ok = geben(pfad);
    QDirIterator it(pfad, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = geben(it.next()) && ok;
    return ok;
}

bool rechteAbgeben() {
    if (::geteuid() != 0) return true;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNiemand) != 0 || ::setuid(kNiemand) != 0) return false;
    // For good: the way back to root is closed.
    return ::geteuid() == kNiemand && ::setuid(0) != 0;
}

int alsBenutzer(const QString& pfad, const std::function<int()>& f, int sekunden) {
    if (!demBenutzerGeben(pfad)) return kKeinBenutzer;
    return imKindprozess([&f] { return rechteAbgeben() ? f() : kKeinBenutzer; }, sekunden);
}

int pruefungen(const std::function<void()>& pruefen) {
    pruefen();
    return QTest::currentTestFailed() ? 1 : 0;
}

} // namespace pfl::test
