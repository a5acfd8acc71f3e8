// SPDX-License-Identifier: GPL-3.0-or-later
// A table's colours from the colour scheme, which keeps one set for the main window's recipe
// overview and one for the listings.
#pragma once

class TFilterGrid;
struct Tcolor1;

namespace pfl {

enum class Tabellenart {
    Uebersicht, // the data screen's colours (D_bs_*), end_gradient, draw_style, cell_style
    Liste,      // the listing colours (String_box*), end_gradient1, draw_style1, cell_style1
};

// Whether the table takes the scheme's gradient end or keeps its own.
enum class Endfarbe { Setzen, Behalten };

// The table's background, text, heading and selected-row colours, its gradient from the heading
// colour to the end colour, flat or gradient headings and whether the gradient fills every cell.
void tabelleFaerben(TFilterGrid& g, const Tcolor1& c, Tabellenart art, Endfarbe ende = Endfarbe::Setzen);

} // namespace pfl
