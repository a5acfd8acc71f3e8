// SPDX-License-Identifier: GPL-3.0-or-later
// Messages and the backup folder check that the backup window and the automatic backup share.
#pragma once

#include "data/Sicherung.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QString>

namespace pfl {

inline QString anlegenFehlerText(const QString& ordner) {
    return QStringLiteral("Beim Anlegen von ") + ordner + QStringLiteral(" ist ein Fehler aufgetreten!");
}

// A stored or typed backup folder that is no path of this system, and the folder used instead.
inline QString fremdesZielText(const QString& angabe, const QString& ordner) {
    return QStringLiteral("\u201E%1\u201C ist kein Verzeichnis dieses Systems.\nStattdessen wird das "
                          "Verzeichnis \u201E%2\u201C verwendet.")
        .arg(angabe, ordner);
}

// A typed backup folder as a path of this system; a foreign one is told and replaced.
inline QString zielPruefen(const QString& angabe, Platform& plattform) {
    const Sicherungsziel z = sicherungsziel(angabe);
    if (z.fremd) plattform.message(Platform::Kind::Information, fremdesZielText(angabe, z.ordner));
    return z.ordner;
}

// The stored backup folder as a path of this system. A foreign one is told and replaced in the
// stored options at once, so that the user hears of it once.
inline QString gespeichertesZiel(Unit4& u, Platform& plattform) {
    const QString alt = u.option.lwpf.toQString();
    const QString neu = zielPruefen(alt, plattform);
    if (neu != alt) {
        u.option.lwpf = neu.left(200);
        u.opt_speichern();
    }
    return neu;
}

// The backup folder lies on a removable medium that is not mounted.
inline QString mediumFehltText() {
    return QStringLiteral("    Datei-Ein/Ausgabe-Fehler \n Legen Sie bitte eine Diskette ein.\n");
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
