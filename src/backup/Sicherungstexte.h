// SPDX-License-Identifier: GPL-3.0-or-later
// Messages that the backup window and the automatic backup share.
#pragma once

#include "data/Sicherung.h"

#include <QString>

namespace pfl {

inline QString anlegenFehlerText(const QString& ordner) {
    return QStringLiteral("Beim Anlegen von ") + ordner + QStringLiteral(" ist ein Fehler aufgetreten!");
}

// The backup folder lies on a removable medium that is not mounted.
inline QString mediumFehltText() {
    return QStringLiteral("    Datei-Ein/Ausgabe-Fehler \n Legen Sie bitte den Datenträger ein.\n");
}

// For the main window's status bar once a backup has arrived.
inline QString sicherungFertigText(const QString& ordner) {
    return QStringLiteral("Die Datensicherung ist abgeschlossen: Ihre Daten sind in %1 gesichert.")
        .arg(ordner);
}

inline QString sicherungFehlerText(const Kopierergebnis& e) {
    if (e.fehler.isEmpty())
        return QStringLiteral("Die Datensicherung wurde abgebrochen. Sie ist nicht vollständig.");
    return QStringLiteral(
               "Die Datensicherung ist nicht vollständig. Diese Dateien wurden nicht gesichert:\n") +
           e.fehlerText();
}

} // namespace pfl
