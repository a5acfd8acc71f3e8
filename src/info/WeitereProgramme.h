// SPDX-License-Identifier: GPL-3.0-or-later
// TProgramm: "Weitere Software des Autors." – one button per further program, opening its page.
#pragma once

#include "windowbase/Nebenfenster.h"

#include <QList>

namespace pfl {
// A further program: the button's caption and the page about it.
struct WeiteresProgramm {
    QString name;
    QString adresse;
};
} // namespace pfl

class TProgramm : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TProgramm(pfl::Umgebung& umgebung, QWidget* parent);

    // The programs the window offers; Pfanno-Lux has no sibling programs, so only its own
    // project description is listed.
    QList<pfl::WeiteresProgramm> programme() const;

protected:
    void vorbereiten() override;

private:
    QWidget* m_knoepfe = nullptr;
};
