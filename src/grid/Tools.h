// SPDX-License-Identifier: GPL-3.0-or-later
// Text and number helpers of the table component: parameter lists, the one-line font text, and
// the tables' names for the German number and date rules of data/Deutsch.h.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringView>

// A font with its colour, as the tables keep it (colour as a stored colour value, 0x00BBGGRR).
struct TFont {
    QFont font;
    quint32 Color = 0;
    bool operator==(const TFont& o) const { return font == o.font && Color == o.Color; }
};

// Value of a date that cannot be read (days before 30 December 1899).
inline constexpr double kKeinDatum = -2147483647.0;

QChar ThousandSeparator();
// Removes leading and trailing blanks and control characters.
QString Trim(const QString& s);
QString DeleteChar(const QString& s, QStringView set);
QString ReplaceChar(const QString& s, QStringView set, QChar c);
QString ReplaceString(const QString& s, const QString& alt, const QString& neu, bool caseSens);
QString NextParamStr(QStringView sep, QString& s);
QString FormNumStr(const QString& s, int dez);
int StrToFormInt(const QString& s);
double StrToFormFloat(const QString& s);
// Days since 30 December 1899 with the time of day cut off; kKeinDatum when unreadable.
double StrToFormDate(const QString& s);
// German date and/or time ("d.m.yyyy", "d.m.yyyy h:m[:s]", "h:m[:s]") as days since 30 December 1899.
bool StrToFormDateTime(const QString& s, double& wert);
QString FloatToCurrStr(double x);
double CurrStrToFloat(const QString& s);
bool StrToBoolean(const QString& s);
bool FontParamToFont(const QString& s, TFont& font);
QString FontToFontParam(const TFont& font);
bool InRect(int x, int y, const QRect& rc);
