#include "widgets/Zahlen.h"

#include "data/German.h"

#include <QRegularExpression>

#include <cmath>

namespace pfl::eingabe {

std::optional<int> ganzzahl(const QString& text) {
    const QString t = text.trimmed();
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    if (!form.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<double> dezimalzahl(const QString& text) {
    QString t = text;
    t.remove(QChar(0x20AC));
    t.remove(QLatin1Char(' '));
    t.remove(QChar(0xA0));
    if (t.isEmpty()) return std::nullopt;
    QString vorzeichen;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        vorzeichen = t.left(1);
        t.remove(0, 1);
    }
    static const QRegularExpression gruppiert(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{3})+$"));
    static const QRegularExpression ziffern(QStringLiteral("^[0-9]*$"));
    QString ganz;
    QString bruch;
    const qsizetype komma = t.indexOf(QLatin1Char(','));
    if (komma >= 0) {
        ganz = t.left(komma);
        bruch = t.mid(komma + 1);
        if (ganz.contains(QLatin1Char('.'))) {
            if (!gruppiert.match(ganz).hasMatch()) return std::nullopt;
            ganz.remove(QLatin1Char('.'));
        }
    } else if (t.count(QLatin1Char('.')) == 0) {
        ganz = t;
    } else if (gruppiert.match(t).hasMatch()) {
        ganz = t;
        ganz.remove(QLatin1Char('.'));
    } else if (t.count(QLatin1Char('.')) == 1) {
        const qsizetype punkt = t.indexOf(QLatin1Char('.'));
        ganz = t.left(punkt);
        bruch = t.mid(punkt + 1);
    } else {
        return std::nullopt;
    }
    if (!ziffern.match(ganz).hasMatch() || !ziffern.match(bruch).hasMatch() ||
        (ganz.isEmpty() && bruch.isEmpty()))
        return std::nullopt;
    bool ok = false;
    const double v = QString(vorzeichen + (ganz.isEmpty() ? QStringLiteral("0") : ganz) + QLatin1Char('.') +
                             (bruch.isEmpty() ? QStringLiteral("0") : bruch))
                         .toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString dezimalText(double v, int stellen, bool gruppiert) {
    QLocale l = pfl::deutsch();
    l.setNumberOptions(gruppiert ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    // Rounding the scaled value first gives 2,68 for 2.675, whose binary form lies just below it.
    const double faktor = std::pow(10.0, stellen);
    const double gerundet = std::round(v * faktor) / faktor;
    QString s = l.toString(std::isfinite(gerundet) ? gerundet : v, 'f', stellen);
    // "-0,00" would look like a value of its own.
    static const QRegularExpression nullMitVorzeichen(QStringLiteral("^-[0,.]+$"));
    if (nullMitVorzeichen.match(s).hasMatch()) s.remove(0, 1);
    return s;
}

QString rechnerText(double v) {
    if (!std::isfinite(v)) return QString();
    QLocale l = pfl::deutsch();
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    if (v == 0) return QStringLiteral("0");
    return l.toString(v, 'g', 12);
}

} // namespace pfl::eingabe
