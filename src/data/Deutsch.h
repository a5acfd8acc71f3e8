// SPDX-License-Identifier: GPL-3.0-or-later
// German (Germany) conventions for numbers, amounts and dates, read and written whatever the system
// locale is: the files store German dates and amounts. The one place that knows these rules; the
// tables' helpers and the input fields call it.
#pragma once

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace pfl {

const QLocale& deutsch();
// Case-insensitive German collation for list and table text.
const QCollator& deutscheSortierung();
// s without leading and trailing blanks and control characters.
QString ohneRand(const QString& s);

// --- numbers ----------------------------------------------------------------------------------
// Two ways of reading, because the texts differ: a table cell holds a number among other words
// ("45 Min", "5,50 €", "12,-") and is read leniently, anything unreadable counting 0; an input field
// must hold a number and nothing else, so that a typing error is seen instead of counted as 0.

// The thousands separator, ".".
QChar tausenderZeichen();

// Lenient, for cell texts. The first word of s in clean form: thousands separators removed, "-,"
// read as "0," and ",-" as ",0", and cut after the first character that is neither before the
// first "," nor a digit after it. With dez > 0 the number is written back with dez decimals.
// Anything unreadable gives "0".
QString zahlBereinigen(const QString& s, int dez);
// Lenient: the number at the start of s ("5,50 €" is 5.5, "1.234,5" is 1234.5); 0 when there is none.
double zahlImText(const QString& s);
// Lenient: s without blanks and thousands separators, read as a whole number; 0 when it is none.
int ganzzahlImText(const QString& s);
// Lenient: an amount among other characters; only "+", ",", "-", "." and digits are kept.
double betragImText(const QString& s);

// Strict, for input fields. A whole number: blanks around it, an optional sign and decimal
// digits; nothing else.
std::optional<int> ganzzahl(const QString& text);
// Strict: a German decimal number: "," decimal separator, "." between groups of three digits. A
// single "." that does not group thousands is taken as a decimal point ("12.5"), as people type
// it. Blanks and a "€" are ignored. Empty or unreadable text gives nothing.
std::optional<double> dezimalzahl(const QString& text);

// v with the given number of decimals, rounded half away from zero on its decimal value (2.675
// gives 2,68), and ","; "." between thousands when gruppiert. Never "-0,00".
QString dezimalText(double v, int stellen, bool gruppiert);
// A calculator result: up to 12 significant digits, no trailing zeros, "," decimal separator.
QString rechnerText(double v);
// An amount as "%6.2m" formats it: two decimals, German separators, the currency sign, at least
// 6 wide.
QString waehrungText(double betrag, const QString& zeichen = QStringLiteral("€"));

// --- dates ------------------------------------------------------------------------------------
// A year of one or two digits is read as 2000 to 2049 for 0 to 49 and 1950 to 1999 for 50 to 99,
// for the tables and the date field alike: fixed, so a table sorts the same every year, and a
// two-digit year of old data ("12.05.98") is not put into the future.

// "dd.mm.yyyy"
QString datumText(const QDate& d);
// The weekday's German name ("Montag").
QString wochentag(const QDate& d);
// "d.m.yyyy" or "d.m.yy": three parts of decimal digits separated by ".", blanks around each part
// allowed; an invalid date when the text is none or the day does not exist.
QDate datumLesen(const QString& text);
// German date and/or time ("d.m.yyyy", "d.m.yyyy h:m[:s]", "h:m[:s]") as days since 30 December
// 1899 with the time of day as fraction; false when unreadable.
bool datumZeitLesen(const QString& text, double& tage);

} // namespace pfl
