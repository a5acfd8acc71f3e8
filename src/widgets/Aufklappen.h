// SPDX-License-Identifier: GPL-3.0-or-later
// Where a drop-down (calendar, calculator) opens beside its field, inside the platform's work area.
#pragma once

class QRect;
class QWidget;

namespace pfl {

// Moves popup below feld, or above it when the work area ends below; then left or right as far as
// needed to keep it inside the work area. The popup's left edge starts at the field's left edge,
// or with rechtsbuendig its right edge at the field's right edge. The popup has its size already.
void popupPlatzieren(QWidget* popup, const QWidget* feld, const QRect& arbeitsflaeche,
                     bool rechtsbuendig = false);

} // namespace pfl
