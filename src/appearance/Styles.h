// SPDX-License-Identifier: GPL-3.0-or-later
// The user-interface styles chosen by name: "Windows" is Qt's plain Windows style, every other
// name a palette of its own on the Fusion style.
#pragma once

#include "platform/Farbwert.h"

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

// The contrast rule (pfl::kontrast, pfl::lesbareFarbe) lives with the colour values.
