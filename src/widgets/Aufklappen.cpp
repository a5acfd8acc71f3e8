// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Aufklappen.h"

#include <QWidget>
#include <algorithm>

namespace pfl {

void popupPlatzieren(QWidget* popup, const QWidget* feld, const QRect& frei, bool rechtsbuendig) {
    // The outer size: a window frame, where the platform draws one, must fit too.
    const QSize aussen = popup->frameGeometry().size();
    const int b = aussen.width(), h = aussen.height();
    const QPoint oben = feld->mapToGlobal(QPoint(0, 0));
    QPoint pos(rechtsbuendig ? oben.x() + feld->width() - b : oben.x(), oben.y() + feld->height());
    // QRect's right() and bottom() are the last pixels inside; +1 is the edge itself.
    if (pos.y() + h > frei.bottom() + 1) pos.setY(std::max(frei.top(), oben.y() - h));
    pos.setX(std::clamp(pos.x(), frei.left(), std::max(frei.left(), frei.right() + 1 - b)));
    popup->move(pos);
}

} // namespace pfl
