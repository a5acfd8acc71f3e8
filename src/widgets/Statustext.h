// SPDX-License-Identifier: GPL-3.0-or-later
// A status-bar text that, when the bar is too narrow, ends in "…" instead of losing its start: a
// right-aligned label would cut off the beginning, where the important words stand. The whole text
// stays the label's text and shows as its tool tip.
#pragma once

#include <QLabel>

class Statustext : public QLabel {
    Q_OBJECT

public:
    explicit Statustext(QWidget* parent = nullptr);
    void setzen(const QString& text);
    // The text as it is painted now.
    QString gezeigt() const;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};
