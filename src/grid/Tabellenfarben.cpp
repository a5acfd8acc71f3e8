// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid/Tabellenfarben.h"

#include "data/Farbsatz.h"
#include "grid/FilterGrid.h"
#include "platform/Farbwert.h"

namespace pfl {

void tabelleFaerben(TFilterGrid& g, const Tcolor1& c, Tabellenart art, Endfarbe ende) {
    struct Satz {
        qint32 grund, schrift, kopf, endfarbe, kopfstil, zellstil;
    };
    const Satz s = art == Tabellenart::Uebersicht ? Satz{c.D_bs_pan,     c.D_bs_pan_font, c.D_bs_ueb,
                                                         c.end_gradient, c.draw_style,    c.cell_style}
                                                  : Satz{c.String_box,    c.String_box_font, c.String_box_ueb,
                                                         c.end_gradient1, c.draw_style1,     c.cell_style1};
    g.setColor(farbwert(s.grund));
    g.setFontColor(farbwert(s.schrift));
    g.setFixedColor(farbwert(s.kopf));
    g.setSelectRowColor(farbwert(c.String_box_mark_Row));
    g.setGradientStartColor(farbwert(s.kopf));
    if (ende == Endfarbe::Setzen) g.setGradientEndColor(farbwert(s.endfarbe));
    g.setDrawingStyle(s.kopfstil == 1 ? TGridDrawingStyle::gdsGradient : TGridDrawingStyle::gdsClassic);
    g.SetGradientToAllCells(s.zellstil == 1);
}

} // namespace pfl
