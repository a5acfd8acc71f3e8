// SPDX-License-Identifier: GPL-3.0-or-later
// The user-interface styles chosen by name: "Windows" is Qt's plain Windows style, every other
// name a palette of its own on the Fusion style.
#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <optional>

namespace pfl {
class Farbschema;
}

// "Windows" first, then the other styles in the order they are offered.
QStringList styleNamen();

// Activates a style for the whole application (every existing and later window) and keeps its
// name in schema.aktiverStil; the style already active there is not applied again. An unknown
// name, or a run without a widget application, changes nothing and gives false.
bool styleAktivieren(pfl::Farbschema& schema, const QString& name);

// The complete palette of a Fusion-based style; nothing for "Windows" and unknown names.
std::optional<QPalette> stylePalette(const QString& name);

namespace pfl {
// The WCAG contrast ratio of two colours, from 1 (equal luminance) to 21 (black on white);
// the order of the colours does not matter.
double kontrast(const QColor& a, const QColor& b);
// The wanted text colour where it reads on the background (contrast at least 4.5:1), else black
// or white, whichever reads better.
QColor lesbareFarbe(const QColor& wunsch, const QColor& hinter);
} // namespace pfl
