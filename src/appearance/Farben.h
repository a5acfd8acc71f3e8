// SPDX-License-Identifier: GPL-3.0-or-later
// What the colour scheme needs from the screen and the desktop: activating the stored style,
// the colour chooser with the custom colours of farb.txt, and the font presets chosen by
// screen class. The files themselves are the data layer's Farbschema.
#pragma once

#include "data/Farbschema.h"

#include <QSize>
#include <QString>

class Platform;

namespace pfl {

// The screen's font class: prefix 'k' (at most 96 pixels per inch) or 'g', and 800, 1024,
// 1280 or 1600; getroffen is false when no size rule matched and 1280 was taken.
struct Schriftklasse {
    char praefix = 'k';
    int nummer = 1280;
    bool getroffen = false;
    QString name() const { return QLatin1Char(praefix) + QString::number(nummer); }
};

// A table font: family name and size in points; aufloesung is 1 when the screen's class
// matched a size rule.
struct Schriftwahl {
    QString name;
    int groesse = 0;
    int aufloesung = 0;
};

// Reads Styledat.txt into schema.Style ("Windows" when empty or missing) and activates it.
// Returns true when the file named no style, so the colour dialog can enable its pages;
// maximising the main window is the caller's part.
bool style_lesen(Farbschema& schema);

// The colour chooser with the custom colours of farb.txt, preset with the colour (a stored
// value); on confirmation the colour is replaced and the custom colours are saved.
bool Farben_auswaehlen(Farbschema& schema, Platform& plattform, quint32& colour);
bool Farben_auswaehlen(Farbschema& schema, Platform& plattform, qint32& colour);

// The outcome of colored: the chosen colour (the preset when cancelled) and abbruch, 1 when
// the user cancelled.
struct Farbwahl {
    quint32 farbe = 0;
    int abbruch = 0;
};
// The chooser preset with the colour it last gave (schema.letzteFarbe).
Farbwahl colored(Farbschema& schema, Platform& plattform);

// Font class by screen size and density; the platform form asks for the screen.
Schriftklasse schriftklasse(QSize bildschirm, int ppi);
Schriftklasse schriftklasse(Platform& plattform);
// The block of a class in a record; an unknown class number gives the 1280 block.
Schriftsatz& schriftsatz(Tcolor1& record, const Schriftklasse& klasse);
const Schriftsatz& schriftsatz(const Tcolor1& record, const Schriftklasse& klasse);
// Copies the heading and data font sizes of the screen's class into
// colorx.D_bs_ueb_schrift_groesse and D_bs_schrift_groesse; returns aufloesung (1 when the
// class matched a size rule).
int schriftgroessenWaehlen(Farbschema& schema, Platform& plattform);
// The listing tables' data font (_grid_s, _grid_g) of the screen's class.
Schriftwahl listenschrift(const Farbschema& schema, Platform& plattform);

} // namespace pfl
