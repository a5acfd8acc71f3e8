// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Beendensignale.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pfl {

namespace {

constexpr std::array kSignale{SIGTERM, SIGINT, SIGHUP};
// The handler may only write to a descriptor: the event loop reads the other end.
int s_paar[2] = {-1, -1};

extern "C" void signalEmpfangen(int nummer) {
    const int gesichert = errno;
    const char c = char(nummer);
    [[maybe_unused]] const ssize_t n = ::write(s_paar[0], &c, 1);
    errno = gesichert;
}

} // namespace

void dateigrenzeAlsFehler() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Beendensignale::Beendensignale(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, s_paar) != 0) return;
    m_melder = new QSocketNotifier(s_paar[1], QSocketNotifier::Read, this);
    connect(m_melder, &QSocketNotifier::activated, this, [this] {
        char c[16];
        while (::read(s_paar[1], c, sizeof c) > 0) {
        }
        m_empfangen = true;
        Q_EMIT beendenVerlangt();
    });
    struct sigaction a = {};
    a.sa_handler = signalEmpfangen;
    sigemptyset(&a.sa_mask);
    a.sa_flags = SA_RESTART;
    for (int s : kSignale)
        ::sigaction(s, &a, nullptr);
}

Beendensignale::~Beendensignale() {
    for (int s : kSignale)
        std::signal(s, SIG_DFL);
    delete m_melder;
    for (int& d : s_paar) {
        if (d >= 0) ::close(d);
        d = -1;
    }
}

} // namespace pfl
