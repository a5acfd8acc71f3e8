// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: a lock file in the folder, taken over when its holder has died.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace pfl {

class Datenordnersperre {
public:
    // Tries to take the lock on the folder at once; gesperrt() tells whether it got it.
    explicit Datenordnersperre(const QString& ordner);
    ~Datenordnersperre();
    Datenordnersperre(const Datenordnersperre&) = delete;
    Datenordnersperre& operator=(const Datenordnersperre&) = delete;

    bool gesperrt() const { return m_gesperrt; }
    // Another running program holds the folder (not merely a folder that cannot take the lock file).
    bool besetzt() const { return m_besetzt; }
    // Why the lock was not taken (German, for a message box); empty when it was.
    QString fehler() const { return m_fehler; }

    static QString dateiname() { return QStringLiteral(".pfanno-lux.lock"); }

private:
    std::unique_ptr<QLockFile> m_sperre;
    bool m_gesperrt = false;
    bool m_besetzt = false;
    QString m_fehler;
};

} // namespace pfl
