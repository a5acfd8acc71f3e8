// SPDX-License-Identifier: GPL-3.0-or-later
// TForm25: "Danksagung" – thanks to the projects Pfanno-Lux is built on.
#pragma once

#include "windowbase/Nebenfenster.h"

class QFrame;
class QTextEdit;

class TForm25 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm25(pfl::Umgebung& umgebung, QWidget* parent);

    static QString text();

protected:
    void vorbereiten() override;
    void faerben() override;
    void showEvent(QShowEvent* e) override;

private:
    QTextEdit* m_text = nullptr; // Memo1
    QFrame* m_panel = nullptr;   // Panel1
};
