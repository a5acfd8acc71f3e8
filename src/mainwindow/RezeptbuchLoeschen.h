// SPDX-License-Identifier: GPL-3.0-or-later
// Tloeschen: deletes a recipe book that is not the active one.
#pragma once

#include "windowbase/Nebenfenster.h"

class QListWidget;
class QPushButton;

class Tloeschen : public pfl::Nebenfenster {
    Q_OBJECT
public:
    Tloeschen(pfl::Umgebung& umgebung, QWidget* parent);

protected:
    void vorbereiten() override;

private Q_SLOTS:
    void FileListBox1Click();
    void Button1Click();

private:
    QListWidget* m_buecher = nullptr;
    QPushButton* m_loeschen = nullptr;
};
