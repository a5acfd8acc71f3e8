// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Datenordnersperre.h"

#include <QDir>

namespace pfl {

Datenordnersperre::Datenordnersperre(const QString& ordner)
    : m_sperre(std::make_unique<QLockFile>(QDir(ordner).filePath(dateiname()))) {
    // Only a dead holder makes the lock stale, never its age: a program may run for days.
    m_sperre->setStaleLockTime(0);
    m_gesperrt = m_sperre->tryLock(0);
    if (m_gesperrt) return;
    switch (m_sperre->error()) {
    case QLockFile::LockFailedError: {
        m_besetzt = true;
        qint64 pid = 0;
        QString host, app;
        m_sperre->getLockInfo(&pid, &host, &app);
        m_fehler = QStringLiteral("Der Datenordner wird bereits von einem anderen laufenden Programm "
                                  "verwendet (Prozess %1). Bitte beenden Sie es zuerst.")
                       .arg(pid);
        break;
    }
    case QLockFile::PermissionError:
        m_fehler =
            QStringLiteral("Im Datenordner kann nicht geschrieben werden; er lässt sich nicht sperren.");
        break;
    default:
        m_fehler = QStringLiteral("Der Datenordner konnte nicht gesperrt werden.");
        break;
    }
}

Datenordnersperre::~Datenordnersperre() {
    if (m_gesperrt) m_sperre->unlock();
}

} // namespace pfl
