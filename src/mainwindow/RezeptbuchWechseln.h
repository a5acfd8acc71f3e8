// SPDX-License-Identifier: GPL-3.0-or-later
// TWechseln: chooses the active recipe book; created anew each time it opens.
#pragma once

#include "windowbase/Nebenfenster.h"

class QListWidget;

class TWechseln : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TWechseln(pfl::Umgebung& umgebung, QWidget* parent);

Q_SIGNALS:
    // The active book or the section lists changed: the main window refreshes.
    void buchGewechselt();

protected:
    void vorbereiten() override;

private Q_SLOTS:
    void Button1Click();

private:
    QListWidget* m_buecher = nullptr;
};
