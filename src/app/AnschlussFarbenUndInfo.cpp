// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects the colour dialog, the background picture and the information windows.
#include "app/Anwendung.h"

#include "mainwindow/Hauptfenster.h"
#include "colours/Farbdialog.h"
#include "colours/Hintergrundbild.h"
#include "info/Danksagung.h"
#include "info/Info.h"
#include "info/WeitereProgramme.h"

namespace pfl {

void Anwendung::anschliessenFarbenUndInfo() {
    TForm1* haupt = m_haupt.get();
    m_farbe = new TFarbe(m_umgebung, haupt);
    m_hintergrund = new TF_Hb(m_umgebung, haupt);
    m_info = new TInv(m_umgebung, haupt);
    m_dank = new TForm25(m_umgebung, haupt);
    m_programme = new TProgramm(m_umgebung, haupt);
    for (Nebenfenster* f :
         std::initializer_list<Nebenfenster*>{m_farbe, m_hintergrund, m_info, m_dank, m_programme})
        verbinden(f);

    // New colours reach every open window at once, and the main window repaints with them.
    auto umfaerben = [haupt] {
        for (Nebenfenster* f : haupt->findChildren<Nebenfenster*>(Qt::FindDirectChildrenOnly))
            if (f->isVisible()) f->umfaerben();
        haupt->Copy1();
    };
    connect(haupt, &TForm1::farbenVerlangt, m_farbe, &Nebenfenster::oeffnen);
    connect(m_farbe, &TFarbe::farbenGeaendert, this, umfaerben);
    connect(m_farbe, &TFarbe::styleGewechselt, haupt, [haupt, umfaerben] {
        umfaerben();
        haupt->showMaximized();
    });
    connect(m_farbe, &TFarbe::hintergrundBildVerlangt, m_hintergrund, &Nebenfenster::oeffnen);
    connect(m_hintergrund, &TF_Hb::bildGewaehlt, m_farbe, &TFarbe::hintergrundVorschau);
    connect(m_hintergrund, &TF_Hb::bildGewaehlt, this, umfaerben);

    connect(haupt, &TForm1::infoVerlangt, m_info, &Nebenfenster::oeffnen);
    connect(haupt, &TForm1::updateVerlangt, m_info, &TInv::AufUpdatesberprfen2Click);
    connect(haupt, &TForm1::websiteVerlangt, m_info, &TInv::Websitebesuchen1Click);
    connect(haupt, &TForm1::weitereProgrammeVerlangt, m_programme, &Nebenfenster::oeffnen);
    connect(m_info, &TInv::weitereProgrammeVerlangt, m_programme, &Nebenfenster::oeffnen);
    connect(m_info, &TInv::danksagungVerlangt, m_dank, &Nebenfenster::oeffnen);
    // After the update check the program ends, without the stamp and backup of "Beenden".
    connect(m_info, &TInv::programmBeenden, haupt, &QWidget::close);
}

} // namespace pfl
