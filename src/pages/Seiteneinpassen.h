// SPDX-License-Identifier: GPL-3.0-or-later
// A recorded page drawn onto any device: the preview, the printer, a picture.
#pragma once

class QPainter;
class QPicture;
class QRectF;

namespace pfl {
// Draws a recorded page into the target rectangle (device coordinates of the painter), as large as
// it fits with its proportions kept, centred; whatever the device's resolution.
void seiteEinpassen(QPainter& maler, const QPicture& seite, const QRectF& ziel);
} // namespace pfl
