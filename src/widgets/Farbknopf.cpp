// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Farbknopf.h"

#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QPainter>
#include <qdrawutil.h>

TColorButton::TColorButton(Platform& plattform, QWidget* parent)
    : TColorButton(plattform, QString(), parent) {}

TColorButton::TColorButton(Platform& plattform, const QString& text, QWidget* parent)
    : QPushButton(text, parent), m_plattform(plattform) {
    setAutoDefault(false);
    setAccessibleDescription(tr("Farbe; ein Klick öffnet die Farbauswahl"));
    m_eigene = QList<quint32>(16, 0xFFFFFFu);
    connect(this, &QPushButton::clicked, this, &TColorButton::waehlen);
}

void TColorButton::setActiveColor(quint32 colour) {
    if (m_farbe == colour) return;
    m_farbe = colour;
    update();
}

QColor TColorButton::Color() const {
    return pfl::alsFarbe(m_farbe);
}

void TColorButton::waehlen() {
    quint32 c = m_farbe;
    // A system colour is preset as the colour it stands for.
    if ((c & 0xFF000000u) == 0xFF000000u) c = pfl::alsWert(pfl::alsFarbe(c));
    const bool ok = m_chooser ? m_chooser(c) : m_plattform.chooseColour(c, m_eigene);
    if (!ok) return;
    setActiveColor(c);
    Q_EMIT ColorChosen(c);
}

QSize TColorButton::sizeHint() const {
    const QSize s = QPushButton::sizeHint();
    return {qMax(s.width(), 75), qMax(s.height(), 25)};
}

void TColorButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    QRect r = rect();
    const bool gedrueckt = isDown() || isChecked();
    if (gedrueckt) {
        // Pressed: a plain frame around the face.
        p.setPen(pal.color(QPalette::Shadow));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
        p.fillRect(r, Color());
    } else {
        const QBrush flaeche(Color());
        qDrawWinButton(&p, r, pal, false, &flaeche);
    }
    p.setFont(font());
    // The caption stands on the chosen colour: the style's text colour where it reads there.
    const QColor stil = isEnabled() ? pal.color(QPalette::Active, QPalette::ButtonText)
                                    : pal.color(QPalette::Disabled, QPalette::ButtonText);
    p.setPen(pfl::lesbareFarbe(stil, Color()));
    QRect textRect = rect();
    if (gedrueckt) textRect.translate(1, 1);
    const QString einzeilig = text().simplified();
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
               fontMetrics().elidedText(einzeilig, Qt::ElideRight, qMax(0, width() - 8)));
    if (hasFocus()) {
        // Drawn whether the focus came by keyboard or mouse; styles like Fusion would skip the latter.
        QPen punkte(pfl::lesbareFarbe(pal.color(QPalette::Active, QPalette::ButtonText), Color()), 1,
                    Qt::DotLine);
        p.setPen(punkte);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(4, 4, -5, -5));
    }
}
