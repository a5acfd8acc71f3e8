// SPDX-License-Identifier: GPL-3.0-or-later
// TDatensicherung: the automatic backup into a folder named after the day below the backup folder,
// at "Beenden" when the user switched it on, and before every rename of a section or category.
#pragma once

#include "windowbase/Nebenfenster.h"

class QLineEdit;

class TDatensicherung : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TDatensicherung(pfl::Umgebung& umgebung, QWidget* parent);

public Q_SLOTS:
    // At "Beenden": the backup runs only when the option is switched on.
    void Lesen();
    // Before a rename rewrites every book: the backup runs whatever the option says; gesichert
    // tells whether every file arrived.
    void vorUmbenennen(bool& gesichert);

private:
    // True when every file arrived; every failure has been shown to the user.
    bool sicherungAusfuehren();

    QLineEdit* m_quelle = nullptr; // Edit1
    QLineEdit* m_ziel = nullptr;   // Edit2
};
