// SPDX-License-Identifier: GPL-3.0-or-later
// German numbers and amounts: the lenient reading of cell texts, the strict reading of input
// fields, and writing them.
#include "data/Deutsch.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace pfl {

namespace {

// German formats without thousands separators, for reading and writing clean numbers.
const QLocale& ohneGruppen() {
    static const QLocale l = [] {
        QLocale k = deutsch();
        k.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        return k;
    }();
    return l;
}

// The common cell forms "-12", "5,50 €", "20 Min" read without the text work of zahlBereinigen;
// nothing for any other form. Sorting a large table reads one such text per row.
std::optional<double> einfacheZahl(const QString& t) {
    char puffer[64];
    int n = 0;
    qsizetype i = 0;
    const qsizetype ende = t.size();
    if (i < ende && t[i] == QLatin1Char('-')) puffer[n++] = '-', ++i;
    const qsizetype ziffernAb = i;
    while (i < ende && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9') && n < 40)
        puffer[n++] = char(t[i++].unicode());
    bool einfach = i > ziffernAb;
    if (einfach && i < ende && t[i] == QLatin1Char(',')) {
        puffer[n++] = '.';
        const qsizetype nachkomma = ++i;
        while (i < ende && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9') && n < 60)
            puffer[n++] = char(t[i++].unicode());
        einfach = i > nachkomma;
    }
    einfach = einfach && (i == ende || t[i] == QLatin1Char(' ')) && !t.contains(QLatin1Char('.'));
    if (!einfach) return std::nullopt;
    double v = 0;
    std::from_chars(puffer, puffer + n, v);
    return v;
}

} // namespace

QChar tausenderZeichen() {
    return deutsch().groupSeparator().at(0);
}

QString zahlBereinigen(const QString& eingabe, int dez) {
    QString s = ohneRand(eingabe);
    s.remove(tausenderZeichen());
    s.replace(QStringLiteral("-,"), QStringLiteral("0,"));
    s.replace(QStringLiteral(",-"), QStringLiteral(",0"));
    if (s.isEmpty() || s == QStringLiteral(",")) return QStringLiteral("0");
    // The first word only.
    qsizetype i = 0;
    while (i < s.size() - 1 && s.at(i) != QLatin1Char(' '))
        ++i;
    s = ohneRand(s.left(i + 1));
    // Anything before the first comma, digits after it; the first refused character stays.
    bool komma = false;
    qsizetype k = 0;
    for (; k < s.size(); ++k) {
        const QChar c = s.at(k);
        if (!komma) {
            if (c == QLatin1Char(',')) komma = true;
        } else if (!c.isDigit() || c.unicode() > 127) {
            break;
        }
    }
    s = ohneRand(s.left(k + 1));
    if (s.endsWith(QLatin1Char(','))) s.chop(1);
    if (s.startsWith(QLatin1Char(','))) s.prepend(QLatin1Char('0'));
    if (s.isEmpty()) return QStringLiteral("0");
    if (dez > 0) {
        bool ok = false;
        const double v = ohneGruppen().toDouble(s, &ok);
        if (!ok || !std::isfinite(v)) return QStringLiteral("0");
        // The exact binary value, not dezimalText's rounding for display: zahlImText reads the
        // text back and must get the same number.
        s = ohneRand(ohneGruppen().toString(v, 'f', dez));
    }
    return s;
}

double zahlImText(const QString& eingabe) {
    if (const std::optional<double> v = einfacheZahl(eingabe)) return *v;
    const QString s = ohneRand(eingabe);
    if (s.isEmpty()) return 0;
    // As many decimals as the text has after its first comma, so writing back loses none.
    const qsizetype p = s.indexOf(QLatin1Char(','));
    const int dez = p < 0 ? 0 : int(s.size() - p - 1);
    bool ok = false;
    const double v = ohneGruppen().toDouble(zahlBereinigen(s, dez), &ok);
    return ok && std::isfinite(v) ? v : 0;
}

int ganzzahlImText(const QString& s) {
    QString t = s;
    t.remove(QLatin1Char(' '));
    t.remove(tausenderZeichen());
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    return ok ? v : 0;
}

double betragImText(const QString& s) {
    QString t;
    for (QChar c : s)
        if (c == QLatin1Char('+') || c == QLatin1Char(',') || c == QLatin1Char('-') ||
            c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            t.append(c);
    return zahlImText(t);
}

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
    const QLocale& l = gruppiert ? deutsch() : ohneGruppen();
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
    if (v == 0) return QStringLiteral("0");
    return ohneGruppen().toString(v, 'g', 12);
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
