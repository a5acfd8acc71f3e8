// SPDX-License-Identifier: GPL-3.0-or-later
// What the entry window and the editor share around their recipe form: both fill the work area
// with the form above a bar of buttons, from its top left corner.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "recipes/Rezeptfelder.h"
#include "recipes/Rezeptformular.h"

#include <QList>

class QPushButton;

namespace pfl {

class Rezeptfenster : public Nebenfenster {
    Q_OBJECT
public:
    ~Rezeptfenster() override;

protected:
    Rezeptfenster(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                  int hilfethema);

    // Builds the form with what the window adds to it.
    void formularBauen(const Rezeptformular::Aufbau& aufbau);
    // A button of the bottom bar. Return in a one-line field must not press it.
    QPushButton* leistenKnopf(const QString& name, const QString& text);
    // The window takes the work area and the form all of it above the bar; the bar's buttons (m_leiste,
    // from left to right) stand 5 pixels apart, starting 15 pixels left of a centred row.
    void anordnen();

    void showEvent(QShowEvent* e) override;
    void faerben() override;

    static constexpr int kKnopfBreite = 120;
    static constexpr int kKnopfHoehe = 30;
    static constexpr int kUntenRand = 50; // height of the bottom bar

    Rezeptformular* m_formular = nullptr;
    rezeptfelder::Felder m_felder; // the form's fields
    QList<QPushButton*> m_leiste;
};

} // namespace pfl
