// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Datenordnersperre.h"

#include "data/Dateischreiber.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pfl {

namespace {

QString grundText(int fehler) {
    switch (fehler) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Berechtigung, den Ordner zu öffnen.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner ist nicht vorhanden.");
    case ENOLCK:
    case EINVAL:
    case EOPNOTSUPP:
    case EBADF:
        // Network file systems without a lock service answer so.
        return QStringLiteral("Das Dateisystem des Ordners unterstützt keine Sperren.");
    default:
        return dateifehlerText(fehler);
    }
}

} // namespace

Datenordnersperre::Datenordnersperre(const QString& ordner) {
    // Close-on-exec: a program started from here (the updater, the mail program) must not keep the
    // lock after this program has ended.
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int fehler = fd < 0 ? errno : 0;
    if (fd >= 0) {
        int r;
        do
            r = ::flock(fd, LOCK_EX | LOCK_NB);
        while (r != 0 && errno == EINTR);
        if (r == 0) {
            m_fd = fd;
            return;
        }
        fehler = errno;
        ::close(fd);
    }
    if (fehler == EWOULDBLOCK) {
        m_besetzt = true;
        m_fehler = QStringLiteral("Der Datenordner wird bereits von einem anderen laufenden Programm "
                                  "verwendet. Bitte beenden Sie es zuerst.");
        return;
    }
    // Without the lock a second program could write into the same books: no start then.
    m_fehler = QStringLiteral("Der Datenordner %1 lässt sich nicht sperren. %2\nOhne Sperre könnten zwei "
                              "Programme zugleich in dieselben Rezeptbücher schreiben; Pfanno-Lux wird "
                              "deshalb nicht gestartet.")
                   .arg(QDir::toNativeSeparators(ordner), grundText(fehler));
}

Datenordnersperre::~Datenordnersperre() {
    if (m_fd >= 0) ::close(m_fd);
}

} // namespace pfl
