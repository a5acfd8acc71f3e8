// SPDX-License-Identifier: GPL-3.0-or-later
// Watches the data module's write reports while it lives: the routines return nothing, so a window
// learns from the report whether its write reached the disk.
#pragma once

#include "data/Unit4.h"

#include <QObject>

namespace pfl {

class Schreibwache {
public:
    explicit Schreibwache(Unit4& u)
        : m_verbindung(
              QObject::connect(&u, &Unit4::schreibfehler, &u, [this](const QString&) { m_fehler = true; })) {}
    ~Schreibwache() { QObject::disconnect(m_verbindung); }
    Schreibwache(const Schreibwache&) = delete;
    Schreibwache& operator=(const Schreibwache&) = delete;

    // A write failed (and was reported) since the watch began.
    bool fehler() const { return m_fehler; }

private:
    bool m_fehler = false;
    QMetaObject::Connection m_verbindung;
};

} // namespace pfl
