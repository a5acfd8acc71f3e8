// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects the settings window, mailing a recipe and the shopping list.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "recipes/Bearbeiten.h"
#include "recipes/Einkaufsliste.h"
#include "recipes/Einstellungen.h"

namespace pfl {

void Anwendung::anschliessenEinstellungen() {
    TForm1* haupt = m_haupt.get();
    m_einstellungen = new TEinst(m_umgebung, haupt);
    m_einkauf = new TForm3(m_umgebung, haupt);
    verbinden(m_einstellungen);
    verbinden(m_einkauf);
    connect(haupt, &TForm1::einstellungenVerlangt, m_einstellungen, &Nebenfenster::oeffnen);
    // The row height applies to the overview as soon as it is stored.
    connect(m_einstellungen, &TEinst::gespeichert, haupt, &TForm1::Copy1);
    connect(haupt, &TForm1::einkaufslisteVerlangt, m_einkauf, &TForm3::oeffnenAusHauptfenster);
    // The editor mails by itself (the platform's mail program); its ingredients go to the shopping list.
    connect(m_bearbeiten, &TForm13::einkaufslisteErgaenzen, m_einkauf, &TForm3::zutatenAnhaengen);
}

} // namespace pfl
