// SPDX-License-Identifier: GPL-3.0-or-later
// German locale, collation and dates; the numbers are in DeutschZahlen.cpp.
#include "data/Deutsch.h"

#include <QStringList>
#include <QTime>

namespace pfl {

namespace {

// Decimal digits only, blanks around allowed; nothing when the text is none.
std::optional<int> ziffern(QStringView t) {
    t = t.trimmed();
    if (t.isEmpty() || t.size() > 9) return std::nullopt;
    int v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

} // namespace

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

QString ohneRand(const QString& s) {
    qsizetype a = 0, e = s.size();
    while (a < e && s.at(a).unicode() <= ' ')
        ++a;
    while (e > a && s.at(e - 1).unicode() <= ' ')
        --e;
    return (a == 0 && e == s.size()) ? s : s.mid(a, e - a);
}

QString datumText(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QString wochentag(const QDate& d) {
    return deutsch().dayName(d.dayOfWeek(), QLocale::LongFormat);
}

QDate datumLesen(const QString& text) {
    const QStringList teile = text.split(QLatin1Char('.'));
    if (teile.size() != 3) return {};
    const std::optional<int> tag = ziffern(teile[0]), monat = ziffern(teile[1]), jahr = ziffern(teile[2]);
    if (!tag || !monat || !jahr) return {};
    int j = *jahr;
    if (teile[2].trimmed().size() <= 2) j += j < 50 ? 2000 : 1900;
    return QDate(j, *monat, *tag);
}

bool datumZeitLesen(const QString& text, double& tage) {
    const QString s = ohneRand(text);
    if (s.isEmpty()) return false;
    static const QDate null(1899, 12, 30);
    QString datumTeil, zeitTeil;
    const qsizetype leer = s.indexOf(QLatin1Char(' '));
    if (leer >= 0) {
        datumTeil = s.left(leer);
        zeitTeil = ohneRand(s.mid(leer + 1));
    } else if (s.contains(QLatin1Char(':'))) {
        zeitTeil = s;
    } else {
        datumTeil = s;
    }
    double ganz = 0;
    if (!datumTeil.isEmpty()) {
        const QDate datum = datumLesen(datumTeil);
        if (!datum.isValid()) return false;
        ganz = double(null.daysTo(datum));
    }
    double anteil = 0;
    if (!zeitTeil.isEmpty()) {
        const QStringList teile = zeitTeil.split(QLatin1Char(':'));
        if (teile.size() < 2 || teile.size() > 3) return false;
        int z[3] = {0, 0, 0};
        for (qsizetype i = 0; i < teile.size(); ++i) {
            const std::optional<int> v = ziffern(teile[i]);
            if (!v) return false;
            z[i] = *v;
        }
        const QTime zeit(z[0], z[1], z[2]);
        if (!zeit.isValid()) return false;
        anteil = zeit.msecsSinceStartOfDay() / 86400000.0;
    }
    // Days before 1899-12-30 carry the time as a positive fraction after the minus sign.
    tage = ganz < 0 ? ganz - anteil : ganz + anteil;
    return true;
}

} // namespace pfl
