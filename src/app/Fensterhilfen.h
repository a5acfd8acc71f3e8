// Placement rules shared by the dialog windows.
#pragma once

class QWidget;

namespace pfl {

// Centred horizontally and 50 pixels below the vertical centre of the screen (divisions truncate).
void dialogPlatzieren(QWidget* w);

// Three buttons around the window's horizontal centre c: left edges c - 1.5 x w1 - 15,
// c - w2 / 2 - 10 and c + w3 / teiler3 + versatz3 (all truncated).
void knopfreihe(QWidget* fenster, QWidget* b1, QWidget* b2, QWidget* b3, int teiler3, int versatz3);

} // namespace pfl
