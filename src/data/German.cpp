#include "data/German.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace pfl {

const QLocale& deutsch() {
    static const QLocale l(QLocale::German, QLocale::Germany);
    return l;
}

const QCollator& deutscheSortierung() {
    static const QCollator c = [] {
        QCollator k(deutsch());
        k.setCaseSensitivity(Qt::CaseInsensitive);
        k.setNumericMode(false);
        return k;
    }();
    return c;
}

QString datumText(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString wochentag(const QDate& d) {
    return deutsch().dayName(d.dayOfWeek(), QLocale::LongFormat);
}

QString waehrungText(double betrag, const QString& zeichen) {
    // Formatted by hand: the overview formats thousands of amounts per refresh.
    char roh[64];
    const int n = std::snprintf(roh, sizeof roh, "%.2f", betrag);
    if (n <= 0 || n >= int(sizeof roh) || !std::isfinite(betrag))
        return QString(deutsch().toString(betrag, 'f', 2) + QLatin1Char(' ') + zeichen)
            .rightJustified(6, QLatin1Char(' '));
    const char* p = roh;
    QString s;
    s.reserve(n + 8 + zeichen.size());
    if (*p == '-') {
        s += QLatin1Char('-');
        ++p;
    }
    const char* punkt = std::strchr(p, '.');
    const int ganz = int(punkt - p);
    for (int i = 0; i < ganz; ++i) {
        if (i > 0 && (ganz - i) % 3 == 0) s += QLatin1Char('.');
        s += QLatin1Char(p[i]);
    }
    s += QLatin1Char(',');
    s += QLatin1Char(punkt[1]);
    s += QLatin1Char(punkt[2]);
    s += QLatin1Char(' ');
    s += zeichen;
    return s.size() < 6 ? s.rightJustified(6, QLatin1Char(' ')) : s;
}

} // namespace pfl
