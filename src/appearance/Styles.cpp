// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/Styles.h"

#include "data/Farbschema.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <array>
#include <cmath>

namespace {

// The colours a style is built from; the rest of the palette derives from them.
struct Vorlage {
    const char* name;
    QRgb window, text, base, button, highlight, link;
};

// clang-format off
constexpr std::array<Vorlage, 39> kVorlagen{{
    {"Amakrits",             0x2B2B2B, 0xE8E8E8, 0x1F1F1F, 0x3A3A3A, 0xD9822B, 0xF0A050},
    {"Amethyst Kamri",       0xECE6F2, 0x2B1F3A, 0xFBF8FE, 0xDCCFEA, 0x7B4FA8, 0x6A3D9A},
    {"Aqua Graphite",        0x34383C, 0xE6EBEF, 0x26292C, 0x44494E, 0x2AA7C9, 0x6FD0EA},
    {"Aqua Light Slate",     0xE4ECEF, 0x1E2B33, 0xF7FAFB, 0xD3E0E5, 0x2E8FB5, 0x1F6F8F},
    {"Auric",                0x2A2620, 0xF1E7CF, 0x1E1B16, 0x3B342A, 0xC9A227, 0xE5C25A},
    {"Carbon",               0x1E1F21, 0xDADCDF, 0x141516, 0x2C2E31, 0x5C7FA3, 0x8FB4DA},
    {"Charcoal Dark Slate",  0x2F343A, 0xE2E6EA, 0x23272C, 0x3D444C, 0x5B7C99, 0x9EC0DE},
    {"Cobalt XEMedia",       0x1B2A44, 0xE6EEF8, 0x0F1A2E, 0x26395A, 0x2F6FD6, 0x7FB0FF},
    {"Cyan Dusk",            0x24343B, 0xE0F2F5, 0x1A272D, 0x30454E, 0x1FA8BF, 0x6FD6E6},
    {"Cyan Night",           0x101C22, 0xCFEFF5, 0x0A1418, 0x1A2C34, 0x00B5CC, 0x5CE1F0},
    {"Emerald Light Slate",  0xE3ECE8, 0x1B2C25, 0xF6FAF8, 0xCFE0D8, 0x1F9D63, 0x177A4C},
    {"Glossy",               0x202226, 0xF0F0F0, 0x15171A, 0x33363C, 0x3D8EE0, 0x7DB8F5},
    {"Glow",                 0x1F2430, 0xE6E9F0, 0x161A23, 0x2D3445, 0x6C63FF, 0xA29CFF},
    {"Golden Graphite",      0x33322F, 0xEDE8DA, 0x262523, 0x45433F, 0xD4A017, 0xE8C35A},
    {"Iceberg Classico",     0xE6EEF4, 0x14212B, 0xFAFDFF, 0xD4E2EC, 0x4A90C2, 0x2E6E9E},
    {"Lavender Classico",    0xEAE6F4, 0x261F3A, 0xFAF8FF, 0xD9D2EE, 0x8A7BD0, 0x5E4FA8},
    {"Light",                0xF3F3F3, 0x1A1A1A, 0xFFFFFF, 0xE6E6E6, 0x3584E4, 0x1A5FB4},
    {"Luna",                 0xECE9D8, 0x000000, 0xFFFFFF, 0xF4F3EE, 0x316AC5, 0x0046D5},
    {"Metropolis UI Black",  0x0A0A0A, 0xFFFFFF, 0x000000, 0x1F1F1F, 0x1BA1E2, 0x5CC4F5},
    {"Metropolis UI Blue",   0x0E3F7A, 0xFFFFFF, 0x0A2F5C, 0x1A5396, 0x5FB4F5, 0xA8D6FF},
    {"Metropolis UI Dark",   0x1D1D1D, 0xF2F2F2, 0x121212, 0x2D2D2D, 0x00ABA9, 0x4FD6D4},
    {"Metropolis UI Green",  0x0F5A2E, 0xFFFFFF, 0x0A4322, 0x1A7040, 0x8CBF26, 0xB8E986},
    {"Obsidian",             0x161A1D, 0xD8DEE3, 0x0D1012, 0x232A2F, 0x4A7BB7, 0x8AB4E8},
    {"Onyx Blue",            0x1A1F2B, 0xDCE4F2, 0x11151E, 0x273043, 0x2D6CDF, 0x7AA7F5},
    {"Ruby Graphite",        0x302E30, 0xEDE6E8, 0x242224, 0x433F42, 0xB8213A, 0xE96A80},
    {"Sapphire Kamri",       0xE2E8F3, 0x16213A, 0xF8FAFE, 0xCCD7EC, 0x2450A8, 0x1C3F86},
    {"Silver",               0xE8E8EA, 0x202024, 0xFFFFFF, 0xD8D8DC, 0x5F6B7D, 0x3D4F6B},
    {"Sky",                  0xE3F1FB, 0x10304A, 0xFAFDFF, 0xCBE5F7, 0x3BA3E8, 0x1479BF},
    {"Slate Classico",       0xDDE1E6, 0x1E2630, 0xF5F7F9, 0xC9D0D8, 0x5A6E85, 0x3C5570},
    {"Smokey Quartz Kamri",  0x3A3532, 0xEDE6E0, 0x2C2826, 0x4B4541, 0x9C7A5B, 0xD1AE8C},
    {"TabletDark",           0x252526, 0xF0F0F0, 0x1B1B1C, 0x333337, 0x2E86C1, 0x6FB6EA},
    {"Tablet Light",         0xF7F7F7, 0x202020, 0xFFFFFF, 0xEAEAEA, 0x1E88E5, 0x1565C0},
    {"Turquoise Gray",       0xE1E5E6, 0x1F2A2C, 0xF7F9F9, 0xCDD5D6, 0x1AA39A, 0x12786F},
    {"Windows10",            0xF0F0F0, 0x000000, 0xFFFFFF, 0xE1E1E1, 0x0078D7, 0x0066CC},
    {"Windows10 Blue",       0x0B3D6B, 0xFFFFFF, 0x082E52, 0x145088, 0x3FA0F0, 0x9CCEFF},
    {"Windows10 Dark",       0x202020, 0xFFFFFF, 0x191919, 0x333333, 0x0078D7, 0x4CC2FF},
    {"Windows10 Green",      0x0E4D2A, 0xFFFFFF, 0x0A3A20, 0x17673A, 0x37B36A, 0x9BE3B5},
    {"Windows10 Purple",     0x3B1F5C, 0xFFFFFF, 0x2C1645, 0x4E2A7A, 0x9A5FE0, 0xD1B0FF},
    {"Windows10 SlateGray",  0x3E4752, 0xF2F4F6, 0x2F363F, 0x4F5A67, 0x6E8BA8, 0xB5CDE4},
}};
// clang-format on

using pfl::kontrast;

QColor lesbar(const QColor& wunsch, const QColor& hinter) {
    return pfl::lesbareFarbe(wunsch, hinter);
}

QColor mischen(const QColor& a, const QColor& b, double anteilB) {
    auto m = [&](double x, double y) { return x + (y - x) * anteilB; };
    return QColor::fromRgbF(float(m(a.redF(), b.redF())), float(m(a.greenF(), b.greenF())),
                            float(m(a.blueF(), b.blueF())));
}

QPalette palette(const Vorlage& v) {
    const QColor window(v.window), text(v.text), base(v.base), button(v.button), link(v.link);
    // White on the selection reads best; only a light selection colour keeps black text.
    QColor highlight(v.highlight);
    if (kontrast(Qt::black, highlight) < 7)
        while (kontrast(Qt::white, highlight) < 4.5)
            highlight = highlight.darker(105);
    const bool dunkel = window.lightnessF() < 0.5;
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, lesbar(text, window));
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, mischen(base, text, 0.06));
    p.setColor(QPalette::Text, lesbar(text, base));
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, lesbar(text, button));
    p.setColor(QPalette::BrightText, dunkel ? QColor(QRgb(0xFF6B6B)) : QColor(QRgb(0xC00000)));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, lesbar(Qt::white, highlight));
    const QColor tipp = dunkel ? button.lighter(115) : QColor(QRgb(0xFFFFF0));
    p.setColor(QPalette::ToolTipBase, tipp);
    p.setColor(QPalette::ToolTipText, lesbar(text, tipp));
    p.setColor(QPalette::Link, lesbar(link, base));
    p.setColor(QPalette::LinkVisited, mischen(lesbar(link, base), text, 0.35));
    p.setColor(QPalette::PlaceholderText, mischen(text, base, 0.45));
    // Bevels: dark styles need visible edges, so their light shades grow from the button.
    p.setColor(QPalette::Light, button.lighter(dunkel ? 160 : 130));
    p.setColor(QPalette::Midlight, button.lighter(dunkel ? 125 : 110));
    p.setColor(QPalette::Mid, button.darker(dunkel ? 120 : 140));
    p.setColor(QPalette::Dark, button.darker(dunkel ? 150 : 200));
    p.setColor(QPalette::Shadow, dunkel ? QColor(Qt::black) : button.darker(300));

    const QColor grau = mischen(text, window, 0.55);
    for (auto rolle : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText,
                       QPalette::HighlightedText, QPalette::Link})
        p.setColor(QPalette::Disabled, rolle, grau);
    p.setColor(QPalette::Disabled, QPalette::Base, mischen(base, window, 0.6));
    p.setColor(QPalette::Disabled, QPalette::Button, mischen(button, window, 0.5));
    p.setColor(QPalette::Disabled, QPalette::Highlight, mischen(highlight, window, 0.6));
    return p;
}

const Vorlage* vorlage(const QString& name) {
    for (const Vorlage& v : kVorlagen)
        if (name == QLatin1String(v.name)) return &v;
    return nullptr;
}

const QString kWindows = QStringLiteral("Windows");

} // namespace

QStringList styleNamen() {
    QStringList namen{kWindows};
    for (const Vorlage& v : kVorlagen)
        namen.append(QLatin1String(v.name));
    return namen;
}

std::optional<QPalette> stylePalette(const QString& name) {
    if (const Vorlage* v = vorlage(name)) return palette(*v);
    return std::nullopt;
}

bool styleAktivieren(pfl::Farbschema& schema, const QString& name) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    const bool windows = name == kWindows;
    const std::optional<QPalette> p = stylePalette(name);
    if (!windows && !p) return false;
    // The same style again changes nothing; repolishing every open window would only cost time.
    if (schema.aktiverStil == name) return true;
    QStyle* s = QStyleFactory::create(windows ? kWindows : QStringLiteral("Fusion"));
    if (!s) return false;
    schema.aktiverStil = name;
    QApplication::setStyle(s); // the application owns it and drops the previous one
    const QPalette pal = windows ? s->standardPalette() : *p;
    QApplication::setPalette(pal);
    QToolTip::setPalette(pal);
    return true;
}
