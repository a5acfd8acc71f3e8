// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid/Tools.h"

#include "data/Deutsch.h"

#include <cmath>

namespace {

bool imSatz(QChar c, QStringView set) {
    return c.unicode() < 256 && set.contains(c);
}

} // namespace

QChar ThousandSeparator() {
    return pfl::tausenderZeichen();
}

QString Trim(const QString& s) {
    return pfl::ohneRand(s);
}

QString DeleteChar(const QString& s, QStringView set) {
    QString r;
    r.reserve(s.size());
    for (QChar c : s)
        if (!imSatz(c, set)) r.append(c);
    return r;
}

QString ReplaceChar(const QString& s, QStringView set, QChar c) {
    QString r = s;
    for (QChar& z : r)
        if (imSatz(z, set)) z = c;
    return r;
}

QString ReplaceString(const QString& s, const QString& alt, const QString& neu, bool caseSens) {
    if (alt.isEmpty()) return s;
    QString r = s;
    return r.replace(alt, neu, caseSens ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

QString NextParamStr(QStringView sep, QString& s) {
    const qsizetype p = sep.isEmpty() ? -1 : s.indexOf(sep);
    if (p < 0) {
        QString r = s;
        s.clear();
        return r;
    }
    QString r = s.left(p);
    s.remove(0, p + sep.size());
    return r;
}

QString FormNumStr(const QString& s, int dez) {
    return pfl::zahlBereinigen(s, dez);
}

int StrToFormInt(const QString& s) {
    return pfl::ganzzahlImText(s);
}

double StrToFormFloat(const QString& s) {
    return pfl::zahlImText(s);
}

bool StrToFormDateTime(const QString& s, double& wert) {
    return pfl::datumZeitLesen(s, wert);
}

double StrToFormDate(const QString& s) {
    double w = 0;
    if (!StrToFormDateTime(s, w)) return kKeinDatum;
    return std::trunc(w);
}

QString FloatToCurrStr(double x) {
    return std::isfinite(x) ? pfl::waehrungText(x) : QString();
}

double CurrStrToFloat(const QString& s) {
    return pfl::betragImText(s);
}

bool StrToBoolean(const QString& s) {
    const QString t = Trim(s).toUpper();
    if (t.isEmpty()) return false;
    // Whole entries only: a bare "A" or "RUE" is not a yes.
    static const QStringList ja{QStringLiteral("J"), QStringLiteral("JA"), QStringLiteral("T"),
                                QStringLiteral("TRUE"), QStringLiteral("1")};
    return ja.contains(t);
}

bool FontParamToFont(const QString& eingabe, TFont& font) {
    if (eingabe.isEmpty()) return true;
    QString s = eingabe;
    s.replace(QLatin1Char(';'), QLatin1Char('*'));
    const QString name = NextParamStr(u"*", s);
    const QString groesse = NextParamStr(u"*", s);
    const QString farbe = NextParamStr(u"*", s);
    const QString stil = NextParamStr(u"*", s).toUpper();
    bool ok = true;
    if (!name.isEmpty()) font.font.setFamily(name);
    if (!groesse.isEmpty()) {
        const int pt = StrToFormInt(groesse);
        if (pt > 0)
            font.font.setPointSize(pt);
        else
            ok = false;
    }
    if (!farbe.isEmpty()) font.Color = quint32(StrToFormInt(farbe));
    font.font.setBold(stil.contains(QLatin1Char('B')));
    font.font.setItalic(stil.contains(QLatin1Char('I')));
    font.font.setUnderline(stil.contains(QLatin1Char('U')));
    font.font.setStrikeOut(stil.contains(QLatin1Char('S')));
    return ok;
}

QString FontToFontParam(const TFont& f) {
    int pt = f.font.pointSize();
    if (pt <= 0 && f.font.pixelSize() > 0) pt = (f.font.pixelSize() * 72 + 48) / 96;
    QString stil;
    if (f.font.bold()) stil += QLatin1Char('B');
    if (f.font.italic()) stil += QLatin1Char('I');
    if (f.font.underline()) stil += QLatin1Char('U');
    if (f.font.strikeOut()) stil += QLatin1Char('S');
    return f.font.family() + QLatin1Char('*') + QString::number(pt) + QLatin1Char('*') +
           QString::number(qint32(f.Color)) + QLatin1Char('*') + stil + QLatin1Char('*');
}

bool InRect(int x, int y, const QRect& rc) {
    return rc.left() <= x && x <= rc.right() && rc.top() <= y && y <= rc.bottom();
}
