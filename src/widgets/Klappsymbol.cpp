// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Klappsymbol.h"

#include <QPainter>
#include <QPixmap>

namespace pfl {

namespace {

QPixmap zeichnen(Symbol s, const QColor& farbe) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(farbe);
    p.setBrush(Qt::NoBrush);
    if (s == Symbol::Kalender) {
        p.drawRect(1, 2, 13, 12);
        p.fillRect(1, 2, 14, 3, farbe);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                p.fillRect(3 + c * 3, 6 + r * 3, 2, 2, farbe);
    } else {
        p.drawRect(2, 1, 11, 14);
        p.drawRect(4, 3, 7, 3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.fillRect(4 + c * 3, 8 + r * 2, 2, 1, farbe);
    }
    return pm;
}

} // namespace

QIcon klappSymbol(Symbol s, const QPalette& palette) {
    QIcon icon;
    icon.addPixmap(zeichnen(s, palette.color(QPalette::Active, QPalette::ButtonText)), QIcon::Normal);
    icon.addPixmap(zeichnen(s, palette.color(QPalette::Disabled, QPalette::ButtonText)), QIcon::Disabled);
    return icon;
}

} // namespace pfl
