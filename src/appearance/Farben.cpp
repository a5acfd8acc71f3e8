// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/Farben.h"

#include "appearance/Styles.h"
#include "platform/Platform.h"

#include <utility>

namespace pfl {

bool style_lesen(Farbschema& schema) {
    const bool leer = schema.styleNameLesen();
    styleAktivieren(schema, schema.Style);
    return leer;
}

bool Farben_auswaehlen(Farbschema& schema, Platform& plattform, quint32& colour) {
    QList<quint32> eigene = schema.eigeneFarbenLesen();
    quint32 c = colour;
    if (!plattform.chooseColour(c, eigene)) return false;
    colour = c;
    schema.letzteFarbe = c;
    // A failed save of the custom colours is reported by the scheme; the choice itself stands.
    schema.eigeneFarbenSpeichern(eigene);
    return true;
}

bool Farben_auswaehlen(Farbschema& schema, Platform& plattform, qint32& colour) {
    quint32 c = quint32(colour);
    if (!Farben_auswaehlen(schema, plattform, c)) return false;
    colour = qint32(c);
    return true;
}

Farbwahl colored(Farbschema& schema, Platform& plattform) {
    Farbwahl w;
    w.farbe = schema.letzteFarbe;
    w.abbruch = Farben_auswaehlen(schema, plattform, w.farbe) ? 0 : 1;
    return w;
}

Schriftklasse schriftklasse(QSize bildschirm, int ppi) {
    const int w = bildschirm.width();
    const int h = bildschirm.height();
    Schriftklasse k;
    k.praefix = ppi <= 96 ? 'k' : 'g';
    int nummer = 0;
    if (w == 800 && h == 600) nummer = 800;
    if (w >= 1024 && h >= 768) nummer = 1024;
    if (w >= 1280 && h >= 1024) nummer = 1280;
    if (w >= 1600 && h >= 1200) nummer = 1600;
    k.getroffen = nummer != 0;
    k.nummer = k.getroffen ? nummer : 1280;
    return k;
}

Schriftklasse schriftklasse(Platform& plattform) {
    return schriftklasse(plattform.screenSize(), plattform.pixelsPerInch());
}

const Schriftsatz& schriftsatz(const Tcolor1& r, const Schriftklasse& klasse) {
    const bool g = klasse.praefix == 'g';
    switch (klasse.nummer) {
    case 800:
        return g ? r.g800 : r.k800;
    case 1024:
        return g ? r.g1024 : r.k1024;
    case 1600:
        return g ? r.g1600 : r.k1600;
    default:
        return g ? r.g1280 : r.k1280;
    }
}

Schriftsatz& schriftsatz(Tcolor1& r, const Schriftklasse& klasse) {
    return const_cast<Schriftsatz&>(schriftsatz(std::as_const(r), klasse));
}

int schriftgroessenWaehlen(Farbschema& schema, Platform& plattform) {
    const Schriftklasse k = schriftklasse(plattform);
    const Schriftsatz& s = schriftsatz(schema.colorx, k);
    schema.colorx.D_bs_ueb_schrift_groesse = s.D_bs_ueb_schrift_groesse;
    schema.colorx.D_bs_schrift_groesse = s.D_bs_schrift_groesse;
    return k.getroffen ? 1 : 0;
}

Schriftwahl listenschrift(const Farbschema& schema, Platform& plattform) {
    const Schriftklasse k = schriftklasse(plattform);
    const Schriftsatz& s = schriftsatz(schema.colorx, k);
    return {s.grid_s.toQString(), s.grid_g, k.getroffen ? 1 : 0};
}

} // namespace pfl
