// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: an exclusive lock (flock) on the folder itself, held while the program
// runs. It needs no file, no content and no free space, and the kernel drops it with the process, so
// nothing a crash or a full disk leaves behind can block or defeat the next start.
#pragma once

#include <QString>

namespace pfl {

class Datenordnersperre {
public:
    // Tries to take the lock on the folder at once; gesperrt() tells whether it got it.
    explicit Datenordnersperre(const QString& ordner);
    ~Datenordnersperre();
    Datenordnersperre(const Datenordnersperre&) = delete;
    Datenordnersperre& operator=(const Datenordnersperre&) = delete;

    bool gesperrt() const { return m_fd >= 0; }
    // Another running program holds the folder (not merely a folder that cannot be locked).
    bool besetzt() const { return m_besetzt; }
    // Why the lock was not taken (German, for a message box); empty when it was.
    QString fehler() const { return m_fehler; }

private:
    int m_fd = -1; // the folder, opened for the lock only; closing it gives the lock up
    bool m_besetzt = false;
    QString m_fehler;
};

} // namespace pfl
