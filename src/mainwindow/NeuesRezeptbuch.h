// SPDX-License-Identifier: GPL-3.0-or-later
// Td_anlegen: creates a new, empty recipe book and makes it the active one.
#pragma once

#include "windowbase/Nebenfenster.h"

class QLineEdit;

class Td_anlegen : public pfl::Nebenfenster {
    Q_OBJECT
public:
    Td_anlegen(pfl::Umgebung& umgebung, QWidget* parent);

protected:
    void vorbereiten() override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private Q_SLOTS:
    void Button1Click();

private:
    QLineEdit* m_name = nullptr;
};
