// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects the import window and the export of recipes.
#include "app/Anwendung.h"
#include "data/Unit4.h"
#include "exchange/Abruf.h"
#include "exchange/Ausfuhr.h"
#include "exchange/Importfenster.h"
#include "mainwindow/Hauptfenster.h"
#include "recipes/Bearbeiten.h"
#include "search/AlleBuecher.h"
#include "search/Buchliste.h"

#include <QStatusBar>

namespace pfl {

void Anwendung::anschliessenAustausch() {
    TForm1* haupt = m_haupt.get();
    m_abrufer = std::make_unique<Netzabrufer>();
    m_import = new Importfenster(m_umgebung, *m_abrufer, haupt);
    verbinden(m_import);
    m_ausfuhr = new Ausfuhr(m_umgebung, haupt);
    connect(haupt, &TForm1::importierenVerlangt, m_import, [this] { m_import->oeffnenMit({}); });
    connect(haupt, &TForm1::quellenAbgelegt, m_import, &Importfenster::oeffnenMit);
    // After an import the main window shows the section the recipes went to, and says how many.
    connect(m_import, &Importfenster::importiert, haupt, [this](int anzahl, const QString& rubrik) {
        Unit4& u = m_umgebung.daten;
        u.rubrik = rubrik;
        m_haupt->rubrikenUebernehmen();
        m_haupt->statusBar()->showMessage(
            (anzahl == 1 ? QStringLiteral("1 Rezept") : QStringLiteral("%1 Rezepte").arg(anzahl)) +
                QStringLiteral(" in das Rezeptbuch „%1“, Rubrik „%2“ importiert.").arg(u.rezeptbuch, rubrik),
            30000);
    });
    connect(haupt, &TForm1::exportierenVerlangt, m_ausfuhr, &Ausfuhr::buchExportieren);
    connect(m_bearbeiten, &TForm13::exportierenVerlangt, m_ausfuhr, &Ausfuhr::exportieren);
    connect(m_liste, &Tform21::exportierenVerlangt, m_ausfuhr, &Ausfuhr::exportieren);
    connect(m_alleBuecher, &Tform21::exportierenVerlangt, m_ausfuhr, &Ausfuhr::exportieren);
    connect(m_ausfuhr, &Ausfuhr::exportiert, haupt,
            [this](const QString& meldung) { m_haupt->statusBar()->showMessage(meldung, 30000); });
}

} // namespace pfl
