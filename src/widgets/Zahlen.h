// Reading and writing the numbers the input fields hold, in German form whatever the system locale is.
#pragma once

#include <QString>

#include <optional>

namespace pfl::eingabe {

// A whole number: blanks around it, an optional sign and decimal digits; nothing else.
std::optional<int> ganzzahl(const QString& text);

// A German decimal number: "," decimal separator, "." between groups of three digits. A single "."
// that does not group thousands is taken as a decimal point ("12.5"), as people type it. Blanks and a
// trailing "€" are ignored. Empty or unreadable text gives nothing.
std::optional<double> dezimalzahl(const QString& text);

// v with the given number of decimals and ","; "." between thousands when gruppiert.
QString dezimalText(double v, int stellen, bool gruppiert);

// A calculator result: up to 12 significant digits, no trailing zeros, "," decimal separator.
QString rechnerText(double v);

} // namespace pfl::eingabe
