// SPDX-License-Identifier: GPL-3.0-or-later
// Small pictures for the drop-down buttons of the date and calculator fields, drawn in the text colour.
#pragma once

#include <QIcon>
#include <QPalette>

namespace pfl {

enum class Symbol { Kalender, Rechner };

QIcon klappSymbol(Symbol s, const QPalette& palette);

} // namespace pfl
