// German (Germany) conventions for dates, numbers and money, whatever the system locale is:
// the files store German dates and amounts.
#pragma once

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>

namespace pfl {

const QLocale& deutsch();
// Case-insensitive German collation for list and table text.
const QCollator& deutscheSortierung();
// "dd.mm.yyyy"
QString datumText(const QDate& d);
// The weekday's German name ("Montag").
QString wochentag(const QDate& d);
// An amount as "%6.2m" formats it: two decimals, German separators, the currency sign, at least 6 wide.
QString waehrungText(double betrag, const QString& zeichen = QStringLiteral("€"));

} // namespace pfl
