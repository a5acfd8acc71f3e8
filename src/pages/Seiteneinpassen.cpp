// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/Seiteneinpassen.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPicture>
#include <QtGlobal>

namespace pfl {

void seiteEinpassen(QPainter& maler, const QPicture& seite, const QRectF& ziel) {
    const QRect r = seite.boundingRect();
    if (r.isEmpty() || ziel.isEmpty()) return;
    const qreal f = qMin(ziel.width() / r.width(), ziel.height() / r.height());
    // A picture replays scaled by the ratio of the device's resolution to the one it was recorded at;
    // the page is fitted by f alone.
    const QPaintDevice* geraet = maler.device();
    const qreal sx = qreal(geraet->logicalDpiX()) / seite.logicalDpiX();
    const qreal sy = qreal(geraet->logicalDpiY()) / seite.logicalDpiY();
    maler.save();
    maler.translate(ziel.x() + (ziel.width() - f * r.width()) / 2,
                    ziel.y() + (ziel.height() - f * r.height()) / 2);
    maler.scale(f / sx, f / sy);
    maler.drawPicture(0, 0, seite);
    maler.restore();
}

} // namespace pfl
