// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Schreibgrenze.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pfl::test {

int mitSchreibgrenze(qint64 grenze, const std::function<int()>& f, bool signalIgnorieren) {
    const pid_t kind = fork();
    if (kind < 0) return -1;
    if (kind == 0) {
        // Past the limit a write fails with EFBIG instead of killing the child.
        std::signal(SIGXFSZ, signalIgnorieren ? SIG_IGN : SIG_DFL);
        const rlimit r{rlim_t(grenze), rlim_t(grenze)};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(254);
        _exit(f() & 0xFF);
    }
    int status = 0;
    if (waitpid(kind, &status, 0) != kind) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool anSchreibgrenzeSterben(qint64 grenze, const std::function<void()>& f) {
    const pid_t kind = fork();
    if (kind < 0) return false;
    if (kind == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit r{rlim_t(grenze), rlim_t(grenze)};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(254);
        f();
        _exit(0);
    }
    int status = 0;
    return waitpid(kind, &status, 0) == kind && WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
}

} // namespace pfl::test
