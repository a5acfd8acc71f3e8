// SPDX-License-Identifier: GPL-3.0-or-later
// Stored colour values: below 0x01000000 an RGB colour with red in the low byte (0x00BBGGRR);
// 0xFF0000nn names system colour nn, taken from the application's palette.
#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cmath>

namespace pfl {

inline QColor systemFarbe(int nr) {
    const QPalette p = QGuiApplication::palette();
    switch (nr) {
    case 0:
        return p.color(QPalette::Window); // scroll bar
    case 1:
        return p.color(QPalette::Dark); // desktop
    case 2:
        return p.color(QPalette::Highlight); // active caption
    case 3:
        return p.color(QPalette::Mid); // inactive caption
    case 4:
        return p.color(QPalette::Window); // menu
    case 5:
        return p.color(QPalette::Base); // window
    case 6:
        return p.color(QPalette::Shadow); // window frame
    case 7:
        return p.color(QPalette::WindowText); // menu text
    case 8:
        return p.color(QPalette::Text); // window text
    case 9:
        return p.color(QPalette::HighlightedText); // caption text
    case 13:
        return p.color(QPalette::Highlight); // highlight
    case 14:
        return p.color(QPalette::HighlightedText); // highlight text
    case 15:
        return p.color(QPalette::Button); // button face
    case 16:
        return p.color(QPalette::Dark); // button shadow
    case 17:
        return p.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18:
        return p.color(QPalette::ButtonText); // button text
    case 20:
        return p.color(QPalette::Light); // button highlight
    case 21:
        return p.color(QPalette::Shadow); // 3-D dark shadow
    case 22:
        return p.color(QPalette::Midlight); // 3-D light
    case 23:
        return p.color(QPalette::ToolTipText); // info text
    case 24:
        return p.color(QPalette::ToolTipBase); // info background
    default:
        return p.color(QPalette::Window);
    }
}

inline QColor alsFarbe(quint32 wert) {
    if ((wert & 0xFF000000u) == 0xFF000000u) return systemFarbe(int(wert & 0xFF));
    return QColor(int(wert & 0xFF), int((wert >> 8) & 0xFF), int((wert >> 16) & 0xFF));
}

// The colour scheme stores its colour values as signed numbers; the tables and alsFarbe take them
// unsigned, with the same bits.
inline quint32 farbwert(qint32 gespeichert) {
    return quint32(gespeichert);
}

inline QColor alsFarbe(qint32 gespeichert) {
    return alsFarbe(farbwert(gespeichert));
}

inline quint32 alsWert(const QColor& c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

// Relative luminance as WCAG defines it.
inline double leuchtdichte(const QColor& c) {
    auto kanal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * kanal(c.redF()) + 0.7152 * kanal(c.greenF()) + 0.0722 * kanal(c.blueF());
}

// The WCAG contrast ratio of two colours, from 1 (equal luminance) to 21 (black on white);
// the order of the colours does not matter.
inline double kontrast(const QColor& a, const QColor& b) {
    const double la = leuchtdichte(a), lb = leuchtdichte(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// For text whose colour nobody chose (a style's text on a colour the program paints): the wanted
// colour where it reads on the background (contrast at least 4.5:1), else black or white,
// whichever reads better. Colours the scheme or the user chose are shown as chosen.
inline QColor lesbareFarbe(const QColor& wunsch, const QColor& hinter) {
    if (kontrast(wunsch, hinter) >= 4.5) return wunsch;
    return kontrast(Qt::black, hinter) >= kontrast(Qt::white, hinter) ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace pfl
