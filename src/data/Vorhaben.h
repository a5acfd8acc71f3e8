// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a change that takes several writes: written before the first of them, brought up
// to date as the change goes on and removed when it is complete. A crash leaves it behind, so the
// next start can finish the change or take it back. One journal at a time: the data folder's lock
// keeps every other program out, and each change completes (or is taken back) before the next.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QtGlobal>

#include <optional>

#include "data/Dateizugriff.h"

namespace pfl {

namespace vorhaben {

// What the user reads when a change a crash cut short waits for a data folder that can be written.
QString wartetText();

// A file's state in the journal, to see at the next start whether the file is still the one written.
QJsonObject standAlsJson(const Dateistand& s);
Dateistand standAusJson(const QJsonObject& o);

// The journal's name in the data folder; hidden and matched by no mask of a backup.
QString dateiname();

// Writes the journal beside the old one and renames it over, synced with its folder. On false grund
// (German) says why and the old journal (if any) is unchanged.
bool schreiben(const QString& lpf, const QJsonObject& inhalt, QString* grund = nullptr);
// The same for a note of progress whose loss costs the next start only a second look: the file is on
// disk, its new name goes with the folder's next sync.
bool nachtragen(const QString& lpf, const QJsonObject& inhalt);
// Removes the journal durably; true when none is left.
bool entfernen(const QString& lpf);

struct Gelesen {
    QJsonObject inhalt;
    bool unlesbar = false; // a journal is there but cannot be read or makes no sense
};
// The pending journal; nothing when there is none (one lstat). Anything but a regular file is no
// journal of this program's.
std::optional<Gelesen> lesen(const QString& lpf);

// Byte strings (file names as the file system has them) in the journal's text.
QString bytesText(const QByteArray& b);
QByteArray textBytes(const QJsonValue& v);

} // namespace vorhaben
} // namespace pfl
