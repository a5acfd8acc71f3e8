// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AlleBuecher.h"

#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "windowbase/Spaetfortschritt.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

Tform22::Tform22(pfl::Umgebung& umgebung, QWidget* parent)
    : Tform21(umgebung, parent, QStringLiteral("form22"), QStringLiteral("Suchergebnisse ansehen/ändern"),
              kHilfe, true) {}

void Tform22::Dir_alle_daten_Suchen(const pfl::Suchbegriff& begriff, const QString& titel) {
    Unit4& u = daten();
    m_bearbeiten->setEnabled(false);

    // Shown only when the search lasts: a few books are searched before anyone would see it.
    pfl::Spaetfortschritt fortschritt(parentWidget() ? parentWidget() : this,
                                      QStringLiteral("Suchfortschritt"),
                                      QStringLiteral("Suche in allen Rezeptbüchern"), m_fortschrittNach);
    const auto melden = [&](const QString& datei, int nummer, int anzahl) {
        if (fortschritt.zeigen()) {
            QProgressDialog& d = fortschritt.dialog();
            d.setMaximum(anzahl);
            d.setValue(nummer - 1);
            d.setLabelText(QStringLiteral("Rezeptbuch \u201E%1\u201C wird durchsucht (%2 von %3).")
                               .arg(pfl::anzeigename(datei).chopped(4))
                               .arg(nummer)
                               .arg(anzahl));
            QCoreApplication::processEvents();
        }
        return !fortschritt.abgebrochen();
    };
    pfl::Buchsuchergebnis e = pfl::buecherDurchsuchen(u.lpf, u.buchDateien(), begriff, melden);
    fortschritt.beenden();

    if (e.abgebrochen && e.treffer.isEmpty()) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("Die Suche wurde abgebrochen, bevor ein Rezept gefunden war."));
    } else {
        const QString t = e.abgebrochen ? titel + QStringLiteral(" (Suche abgebrochen)") : titel;
        fuellen(std::move(e.treffer.zeilen), e.treffer.buecher, t, true);
    }
    // The active book is the one of the options again until a row is clicked.
    u.opt_lesen();
    Q_EMIT u.copy1Angefordert();
}

void Tform22::ersteDetails(int position, const QString& buch) {
    Unit4& u = daten();
    u.rezeptbuch = buch;
    if (u.satz_lesen(position)) detailsZeigen(u.datei);
}
