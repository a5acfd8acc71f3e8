// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Statustext.h"

#include <QPainter>
#include <QStyle>

Statustext::Statustext(QWidget* parent) : QLabel(parent) {}

void Statustext::setzen(const QString& text) {
    setText(text);
    setToolTip(text.trimmed());
}

QString Statustext::gezeigt() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize Statustext::minimumSizeHint() const {
    // Any width will do: the text shortens itself.
    return {0, QLabel::minimumSizeHint().height()};
}

void Statustext::paintEvent(QPaintEvent*) {
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), int(alignment()), palette(), isEnabled(), gezeigt(),
                          foregroundRole());
}
