// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Rezeptfenster.h"

#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QPushButton>

namespace pfl {

Rezeptfenster::Rezeptfenster(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                             int hilfethema)
    : Nebenfenster(umgebung, parent, name, titel, umgebung.plattform.workArea().size(), hilfethema) {}

Rezeptfenster::~Rezeptfenster() {
    // The controls die after this part of the window; what they emit then must not reach the window,
    // whose own parts are gone already.
    for (QObject* k : findChildren<QObject*>())
        k->disconnect(this);
    daten().disconnect(this);
}

void Rezeptfenster::formularBauen(const Rezeptformular::Aufbau& aufbau) {
    m_formular = new Rezeptformular(aufbau, plattform(), this);
    m_felder = m_formular->felder();
}

QPushButton* Rezeptfenster::leistenKnopf(const QString& name, const QString& text) {
    QPushButton* b = knopf(name, text, QSize(kKnopfBreite, kKnopfHoehe));
    b->setAutoDefault(false);
    return b;
}

void Rezeptfenster::anordnen() {
    // The work area, frame included.
    setFixedSize(nutzflaeche().size());
    m_formular->setGeometry(0, 0, width(), qMax(0, height() - kUntenRand));
    const int y = height() - kUntenRand + (kUntenRand - kKnopfHoehe) / 2;
    // Integer division truncates, as the layout rules want.
    int x = width() / 2 - int(m_leiste.size()) * kKnopfBreite / 2 - 15;
    for (QPushButton* b : m_leiste) {
        b->move(x, y);
        x += kKnopfBreite + 5;
    }
}

void Rezeptfenster::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    // Not a centred dialog: the window covers the work area from its top left corner.
    move(plattform().workArea().topLeft());
}

void Rezeptfenster::faerben() {
    Nebenfenster::faerben();
    m_formular->faerben();
}

} // namespace pfl
