// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects the printing window and the print settings.
#include "app/Anwendung.h"

#include "mainwindow/Hauptfenster.h"
#include "print/Druckeinstellungen.h"
#include "print/Drucken.h"
#include "recipes/Bearbeiten.h"
#include "recipes/Einkaufsliste.h"

namespace pfl {

void Anwendung::anschliessenDrucken() {
    TForm1* haupt = m_haupt.get();
    m_drucken = new TForm14(m_umgebung, haupt);
    m_druckoptionen = new TForm15(m_umgebung, haupt);
    verbinden(m_drucken);
    verbinden(m_druckoptionen);
    connect(haupt, &TForm1::druckoptionenVerlangt, m_druckoptionen, &Nebenfenster::oeffnen);
    connect(m_bearbeiten, &TForm13::druckenVerlangt, m_drucken, &TForm14::rezeptDrucken);
    // The shopping list hands its text as shown (Unit4::einkaufText) to printing.
    connect(m_einkauf, &TForm3::druckenVerlangt, m_drucken, &TForm14::einkaufslisteDrucken);
}

} // namespace pfl
