#include "data/German.h"

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
    QString s = deutsch().toString(betrag, 'f', 2) + QLatin1Char(' ') + zeichen;
    return s.rightJustified(6, QLatin1Char(' '));
}

} // namespace pfl
