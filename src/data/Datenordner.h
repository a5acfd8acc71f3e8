// SPDX-License-Identifier: GPL-3.0-or-later
// Where the data live and what the command line asks for; no window is needed for either.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace pfl {

// What the command line asks for.
struct Startwahl {
    enum class Art { Starten, Hilfe, Version, Fehler, Importieren };
    Art art = Art::Starten;
    QString datenordner;     // --datenordner DIR; empty: the usual place
    QString fehler;          // German, for the terminal, when art is Fehler
    QString qtPlattform;     // the toolkit's -platform option, if given
    QStringList importieren; // --importieren DATEI...: files or web addresses to import without a window
    QString rubrik;          // --rubrik RUBRIK: their section
};

// The arguments after the program name.
Startwahl startwahlLesen(const QStringList& argumente);

// Whether a window can be shown: a display (X11 or Wayland) is there, or the toolkit is told to
// draw elsewhere (offscreen, VNC, framebuffer). qtPlattform: the -platform option or QT_QPA_PLATFORM.
// antwortet, where given, is asked whether a display that a variable names answers ("xcb" or
// "wayland", and the variable's value); without it a set variable is enough.
using Bildschirmfrage = std::function<bool(const QString& art, const QString& adresse)>;
bool bildschirmVorhanden(const QString& qtPlattform, const QString& display, const QString& waylandDisplay,
                         const Bildschirmfrage& antwortet = {});

// The text of --help, German, for the terminal.
QString startHilfe(const QString& programm);

// The folder of the shipped help file and background pictures: the program's own folder when they
// lie beside the program (the build folder, a portable copy), else share/pfanno-lux beside bin/.
QString mitgeliefertOrdner(const QString& programmordner);

// The data folder, without a trailing "/": the chosen one; else the program's folder when it is a
// portable one (the shipped files lie beside the program and the folder can be written); else
// pfanno-lux in the user's data folder (benutzerdaten, usually ~/.local/share).
QString datenordnerBestimmen(const QString& gewaehlt, const QString& programmordner,
                             const QString& benutzerdaten);

// Makes a data folder usable: creates it when it is missing, and its picture folder when the folder can
// be written and has nothing of that name. Nothing else is written: the shipped help, README and
// background pictures are read where they were installed (mitgeliefertOrdner), and whatever the user
// keeps in the folder stays as it is. A folder that can only be read is usable (to look at the
// recipes). False with a German reason when the folder cannot be made.
bool datenordnerEinrichten(const QString& ordner, QString* fehler);

// The folder cannot take a new file: its file system is mounted read-only, or the user may not write
// into it (root may write into any folder of a writable file system).
bool ordnerNurLesbar(const QString& ordner);

} // namespace pfl
