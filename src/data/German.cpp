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
    // Formatted by hand from whole cents: the overview formats thousands of amounts per refresh.
    if (!std::isfinite(betrag) || std::fabs(betrag) >= 1e15)
        return QString(deutsch().toString(betrag, 'f', 2) + QLatin1Char(' ') + zeichen)
            .rightJustified(6, QLatin1Char(' '));
    const long long cent = std::llround(betrag * 100.0);
    unsigned long long rest = static_cast<unsigned long long>(cent < 0 ? -cent : cent);
    char16_t puffer[40];
    int i = 40;
    auto setze = [&](char16_t c) { puffer[--i] = c; };
    setze(char16_t('0' + rest % 10));
    rest /= 10;
    setze(char16_t('0' + rest % 10));
    rest /= 10;
    setze(u',');
    int stellen = 0;
    do {
        if (stellen > 0 && stellen % 3 == 0) setze(u'.');
        setze(char16_t('0' + rest % 10));
        rest /= 10;
        ++stellen;
    } while (rest > 0);
    if (cent < 0) setze(u'-');
    QString s;
    s.reserve(40 - i + 1 + zeichen.size());
    s.append(reinterpret_cast<const QChar*>(puffer + i), 40 - i);
    s += QLatin1Char(' ');
    s += zeichen;
    return s.size() < 6 ? s.rightJustified(6, QLatin1Char(' ')) : s;
}

} // namespace pfl
