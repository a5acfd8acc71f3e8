// SPDX-License-Identifier: GPL-3.0-or-later
// Text and background colours exactly as the colour scheme chose them. The program shows them as
// chosen, readable or not (the colour dialog names a poor pair); the readability checks of the
// tests apply to every other text.
#pragma once

#include "data/Farbsatz.h"
#include "platform/Farbwert.h"

#include <QColor>
#include <utility>

namespace pfl::test {

inline bool gewaehltesPaar(const Tcolor1& c, const QColor& text, const QColor& grund) {
    const std::pair<qint32, qint32> paare[] = {
        {c.listb_font, c.listb},
        {c.String_box_font, c.String_box},
        {c.String_box_ueb_Font, c.String_box_ueb},
        {c.String_box_mark_Row_font, c.String_box_mark_Row},
        {c.D_bs_fa_font, c.H_bs_hg},
        {c.D_bs_fa_font, c.D_bs_fa},
        {c.D_bs_ueb_font, c.D_bs_ueb},
        {c.D_bs_ueb_font, c.D_bs_pan},
        {c.D_bs_ueb_font, c.form_umr},
        {c.D_bs_ueb_font, c.D_bs_umr_aus},
        {c.D_bs_pan_font, c.D_bs_pan},
    };
    for (const auto& [t, g] : paare)
        if (pfl::alsFarbe(t) == text && pfl::alsFarbe(g) == grund) return true;
    return false;
}

} // namespace pfl::test
