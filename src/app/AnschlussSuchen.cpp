// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects the search window and the search across all books.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "recipes/Bearbeiten.h"
#include "recipes/Bildfenster.h"
#include "search/AlleBuecher.h"
#include "search/Buchliste.h"
#include "search/Suchen.h"

namespace pfl {

void Anwendung::anschliessenSuchen() {
    TForm1* haupt = m_haupt.get();
    m_suchen = new TForm9(m_umgebung, haupt);
    m_alleBuecher = new Tform22(m_umgebung, haupt);
    verbinden(m_suchen);
    verbinden(m_alleBuecher);
    connect(haupt, &TForm1::suchenVerlangt, m_suchen, &Nebenfenster::oeffnen);
    connect(m_suchen, &TForm9::imAktuellenBuchSuchen, m_liste, &Tform21::suchen);
    connect(m_suchen, &TForm9::inAllenBuechernSuchen, m_alleBuecher, &Tform22::Dir_alle_daten_Suchen);
    // A hit opens in the editor on the book its row made active.
    connect(m_alleBuecher, &Tform21::bearbeitenVerlangt, this, &Anwendung::rubrikenFuerBearbeiten);
    connect(m_alleBuecher, &Tform21::bearbeitenVerlangt, m_bearbeiten, &TForm13::oeffnenBei);
    connect(m_alleBuecher, &Tform21::bildVergroessernVerlangt, m_bild, &TBild::zeigen);
}

} // namespace pfl
