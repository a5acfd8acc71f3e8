// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/AlleBuecher.h"

#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>

Tform22::Tform22(pfl::Umgebung& umgebung, QWidget* parent)
    : Tform21(umgebung, parent, QStringLiteral("form22"), QStringLiteral("Suchergebnisse ansehen/ändern"),
              kHilfe, true) {}

void Tform22::Dir_alle_daten_Suchen(const pfl::Suchbegriff& begriff, const QString& titel) {
    Unit4& u = daten();
    m_bearbeiten->setEnabled(false);

    // Shown only when the search lasts: a few books are searched before anyone would see it.
    QProgressDialog fortschritt(parentWidget() ? parentWidget() : this);
    fortschritt.setObjectName(QStringLiteral("Suchfortschritt"));
    fortschritt.setWindowTitle(QStringLiteral("Suche in allen Rezeptbüchern"));
    fortschritt.setCancelButtonText(QStringLiteral("Abbrechen"));
    fortschritt.setWindowModality(Qt::ApplicationModal);
    fortschritt.setAutoClose(false);
    fortschritt.setAutoReset(false);
    fortschritt.setMinimumDuration(0);
    fortschritt.hide();
    QElapsedTimer uhr;
    uhr.start();
    bool gezeigt = false; // cancelling hides the dialog: the cursor goes back by this flag
    const auto melden = [&](const QString& datei, int nummer, int anzahl) {
        if (!gezeigt && uhr.elapsed() >= m_fortschrittNach) {
            gezeigt = true;
            QApplication::setOverrideCursor(Qt::BusyCursor); // busy, but "Abbrechen" can be clicked
            fortschritt.show();
        }
        if (gezeigt && !fortschritt.wasCanceled()) {
            fortschritt.setMaximum(anzahl);
            fortschritt.setValue(nummer - 1);
            fortschritt.setLabelText(QStringLiteral("Rezeptbuch \u201E%1\u201C wird durchsucht (%2 von %3).")
                                         .arg(pfl::anzeigename(datei).chopped(4))
                                         .arg(nummer)
                                         .arg(anzahl));
            QCoreApplication::processEvents();
        }
        return !fortschritt.wasCanceled();
    };
    pfl::Buchsuchergebnis e = pfl::buecherDurchsuchen(u.lpf, u.buchDateien(), begriff, melden);
    if (gezeigt) QApplication::restoreOverrideCursor();
    fortschritt.hide();

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
