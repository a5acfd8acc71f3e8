#include "grid/Tools.h"

#include "data/German.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace {

// German formats without thousands separators, for reading and writing clean numbers.
const QLocale& ohneGruppen() {
    static const QLocale l = [] {
        QLocale k = pfl::deutsch();
        k.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
        return k;
    }();
    return l;
}

bool imSatz(QChar c, QStringView set) {
    return c.unicode() < 256 && set.contains(c);
}

} // namespace

QChar ThousandSeparator() {
    return pfl::deutsch().groupSeparator().at(0);
}

QString Trim(const QString& s) {
    qsizetype a = 0, e = s.size();
    while (a < e && s.at(a).unicode() <= ' ')
        ++a;
    while (e > a && s.at(e - 1).unicode() <= ' ')
        --e;
    return (a == 0 && e == s.size()) ? s : s.mid(a, e - a);
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

QString FormNumStr(const QString& eingabe, int dez) {
    QString s = Trim(eingabe);
    s.remove(ThousandSeparator());
    s.replace(QStringLiteral("-,"), QStringLiteral("0,"));
    s.replace(QStringLiteral(",-"), QStringLiteral(",0"));
    if (s.isEmpty() || s == QStringLiteral(",")) return QStringLiteral("0");
    // The first word only.
    qsizetype i = 0;
    while (i < s.size() - 1 && s.at(i) != QLatin1Char(' '))
        ++i;
    s = Trim(s.left(i + 1));
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
    s = Trim(s.left(k + 1));
    if (s.endsWith(QLatin1Char(','))) s.chop(1);
    if (s.startsWith(QLatin1Char(','))) s.prepend(QLatin1Char('0'));
    if (s.isEmpty()) return QStringLiteral("0");
    if (dez > 0) {
        bool ok = false;
        const double v = ohneGruppen().toDouble(s, &ok);
        if (!ok || !std::isfinite(v)) return QStringLiteral("0");
        s = Trim(ohneGruppen().toString(v, 'f', dez));
    }
    return s;
}

int StrToFormInt(const QString& s) {
    QString t = s;
    t.remove(QLatin1Char(' '));
    t.remove(ThousandSeparator());
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    return ok ? v : 0;
}

double StrToFormFloat(const QString& eingabe) {
    const QString s = Trim(eingabe);
    if (s.isEmpty()) return 0;
    const qsizetype p = s.indexOf(QLatin1Char(','));
    const int dez = p < 0 ? 0 : int(s.size() - p - 1);
    bool ok = false;
    const double v = ohneGruppen().toDouble(FormNumStr(s, dez), &ok);
    return ok && std::isfinite(v) ? v : 0;
}

bool StrToFormDateTime(const QString& eingabe, double& wert) {
    const QString s = Trim(eingabe);
    if (s.isEmpty()) return false;
    static const QDate null(1899, 12, 30);
    QString datumTeil, zeitTeil;
    const qsizetype leer = s.indexOf(QLatin1Char(' '));
    if (leer >= 0) {
        datumTeil = s.left(leer);
        zeitTeil = Trim(s.mid(leer + 1));
    } else if (s.contains(QLatin1Char(':'))) {
        zeitTeil = s;
    } else {
        datumTeil = s;
    }
    auto zahlen = [](const QString& t, QChar sep, QList<int>& out) {
        const QStringList teile = t.split(sep);
        for (const QString& z : teile) {
            bool ok = false;
            const int v = z.toInt(&ok);
            if (!ok || z.isEmpty() || z.startsWith(QLatin1Char('+')) || z.startsWith(QLatin1Char('-')))
                return false;
            out.append(v);
        }
        return true;
    };
    double tage = 0;
    if (!datumTeil.isEmpty()) {
        QList<int> d;
        if (!zahlen(datumTeil, QLatin1Char('.'), d) || d.size() != 3) return false;
        int jahr = d[2];
        if (datumTeil.section(QLatin1Char('.'), 2).size() <= 2) jahr += jahr < 50 ? 2000 : 1900;
        const QDate datum(jahr, d[1], d[0]);
        if (!datum.isValid()) return false;
        tage = double(null.daysTo(datum));
    }
    double anteil = 0;
    if (!zeitTeil.isEmpty()) {
        QList<int> z;
        if (!zahlen(zeitTeil, QLatin1Char(':'), z) || z.size() < 2 || z.size() > 3) return false;
        const QTime zeit(z[0], z[1], z.size() == 3 ? z[2] : 0);
        if (!zeit.isValid()) return false;
        anteil = zeit.msecsSinceStartOfDay() / 86400000.0;
    }
    // Days before 1899-12-30 carry the time as a positive fraction after the minus sign.
    wert = tage < 0 ? tage - anteil : tage + anteil;
    return true;
}

double StrToFormDate(const QString& s) {
    double w = 0;
    if (!StrToFormDateTime(s, w)) return kKeinDatum;
    return std::trunc(w);
}

QString FloatToCurrStr(double x) {
    if (!std::isfinite(x)) return QString();
    return pfl::deutsch().toString(x, 'f', 2) + QStringLiteral(" €");
}

double CurrStrToFloat(const QString& s) {
    QString t;
    for (QChar c : s)
        if (c == QLatin1Char('+') || c == QLatin1Char(',') || c == QLatin1Char('-') ||
            c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            t.append(c);
    return StrToFormFloat(t);
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
