// SPDX-License-Identifier: GPL-3.0-or-later
// Copying the data files to a backup folder and back. Every copy is byte-exact, written beside its
// target and moved over it; a restore changes the data folder only when every file arrived.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QJsonObject;

namespace pfl {

// The data files of a backup, in the order they are copied; matched without regard to case.
QStringList sicherungsMasken();
// What the restore list offers.
QStringList wiederherstellungsMasken();
// The recipe pictures' folder in the data folder (and in a backup).
QString bilderordner();

// Shell-style mask ("*", "?") against a file name, without regard to case.
bool passtMaske(const QString& name, const QString& maske);
// Files of ordner (no folders, no temporary files) matching the masks: mask by mask, each file once,
// within a mask in code-point order. A name that is not UTF-8 keeps its bytes (pfl::nativ) and is
// matched as the user reads it. fehler (if given) gets a German reason when the folder is there but
// cannot be listed; a missing folder has no files.
QStringList dateienNachMasken(const QString& ordner, const QStringList& masken, QString* fehler = nullptr);

// The day's folder name "dd_mm_yyyy".
QString datumsordner(const QDate& tag);
// ordner, a separator where missing, and the day's folder name.
QString datumAnfuegen(const QString& ordner, const QDate& tag);
// "Rezept_Backup" in the home folder.
QString standardSicherungsordner();

// A backup folder as typed or as stored in the options, as a path of this system. "~" stands for
// the home folder. A drive-letter or relative path (carried over from another system, or typed)
// names no folder here: the default folder takes its place and fremd says so. Empty stays empty.
struct Sicherungsziel {
    QString ordner;
    bool fremd = false;
};
Sicherungsziel sicherungsziel(const QString& angabe);
// The path with a trailing "/".
QString mitTrenner(const QString& ordner);
// German "dd.MM.yyyy hh:mm".
QString zeitText(const QDateTime& t);

// Mount points of the running system.
QStringList einhaengepunkte();
// A folder below a removable-media root (/media, /run/media) whose medium is not mounted: writing
// there would fill the system disk instead. True when no mount point below the root holds it.
bool mediumFehlt(const QString& ordner, const QStringList& punkte = einhaengepunkte(),
                 const QStringList& wurzeln = {QStringLiteral("/media"), QStringLiteral("/run/media")});

struct Kopierfehler {
    QString datei; // full path of the file that did not arrive
    QString grund; // German
};

struct Kopierergebnis {
    QStringList kopiert; // target paths, in the order copied (for a restore: moved into place)
    QList<Kopierfehler> fehler;
    bool abgebrochen = false;
    bool ok() const { return fehler.isEmpty() && !abgebrochen; }
    // One line per failed file with its reason.
    QString fehlerText() const;
};

// Called before each file with its source and target; false cancels.
using Kopierfortschritt = std::function<bool(const QString& quelle, const QString& ziel)>;

// Creates the folder with its parents; grund (German) when that fails.
bool ordnerAnlegen(const QString& ordner, QString* grund = nullptr);

// Copies one regular file byte for byte, keeping its modification time: a temporary beside the
// target, flushed to disk, then renamed over it. On false the target is untouched.
bool dateiKopieren(const QString& quelle, const QString& ziel, QString* grund = nullptr);

// The backup: every file of von matching the masks, and the pictures of von/Bilder, into nach
// (created with its parents). A failed file does not stop the others; each is reported, and so is
// a folder that cannot be listed. Temporary files that killed backups left in nach are removed.
Kopierergebnis sichern(const QString& von, const QString& nach, const Kopierfortschritt& fortschritt = {});

struct NeuereDatei {
    QString name;
    QDateTime daten, sicherung; // modification times in the data folder and in the backup
};
// Of the names (relative to von, as for wiederherstellen), those whose file in lpf is newer than the
// backup's.
QList<NeuereDatei> neuereDateien(const QString& von, const QStringList& namen, const QString& lpf);

// The restore: the names (relative to von; "Bilder" stands for every picture of the backup) are
// copied into a staging folder inside lpf, and only when all arrived moved into place. Any
// failure or a cancel leaves lpf as it was. One change: a journal in lpf names the staging folder
// and the moves, so that the next start finishes a restore a crash cut short (or removes the
// staging folder when no file had been replaced yet).
Kopierergebnis wiederherstellen(const QString& von, const QStringList& namen, const QString& lpf,
                                const Kopierfortschritt& fortschritt = {});
// The next start's part of a restore whose journal j a crash left in lpf: the moves finished (or
// taken back after a failure), the staging folder removed. The message for the user; nothing when
// the moves could not be finished (the journal and the staging folder stay for another try).
std::optional<QString> wiederherstellungAbschliessen(const QString& lpf, const QJsonObject& j);

} // namespace pfl
