// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the toolkit will reach a display, asked before it tries: it aborts the program when none
// answers, where the program can still say in German what is missing.
#pragma once

#include <QString>

namespace pfl {

// The X server that DISPLAY names accepts a connection (with the user's authorisation).
bool x11Antwortet(const QString& display);
// The Wayland compositor that WAYLAND_DISPLAY names answers a request.
bool waylandAntwortet(const QString& waylandDisplay);

// Empty when the toolkit will find a display; else the German message for the terminal.
// qtPlattform: the -platform option or QT_QPA_PLATFORM.
QString bildschirmFehlt(const QString& qtPlattform, const QString& display, const QString& waylandDisplay);

} // namespace pfl
