#include "support/Kindprozess.h"

#include <sys/wait.h>
#include <unistd.h>

namespace pfl::test {

int imKindprozess(const std::function<int()>& f, int sekunden) {
    const pid_t kind = fork();
    if (kind < 0) return -1;
    if (kind == 0) {
        alarm(unsigned(sekunden)); // a blocked open or read ends the child with SIGALRM
        _exit(f() & 0xFF);
    }
    int status = 0;
    if (waitpid(kind, &status, 0) != kind) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace pfl::test
