// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Fremdrezept.h"

#include "data/Deutsch.h"

#include <QRegularExpression>
#include <QUrl>

#include <cmath>
#include <cstring>

namespace pfl {

namespace {

// The characters Windows-1252 holds in 0x80..0x9F besides the Latin-1 range.
bool inCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    switch (c) {
    case 0x20AC:
    case 0x201A:
    case 0x0192:
    case 0x201E:
    case 0x2026:
    case 0x2020:
    case 0x2021:
    case 0x02C6:
    case 0x2030:
    case 0x0160:
    case 0x2039:
    case 0x0152:
    case 0x017D:
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
    case 0x2022:
    case 0x2013:
    case 0x2014:
    case 0x02DC:
    case 0x2122:
    case 0x0161:
    case 0x203A:
    case 0x0153:
    case 0x017E:
    case 0x0178:
        return true;
    default:
        return false;
    }
}

// Vulgar fractions the code page lacks, as "n/m" (½, ¼ and ¾ it has).
const char* bruch(char32_t c) {
    switch (c) {
    case 0x2150:
        return "1/7";
    case 0x2151:
        return "1/9";
    case 0x2152:
        return "1/10";
    case 0x2153:
        return "1/3";
    case 0x2154:
        return "2/3";
    case 0x2155:
        return "1/5";
    case 0x2156:
        return "2/5";
    case 0x2157:
        return "3/5";
    case 0x2158:
        return "4/5";
    case 0x2159:
        return "1/6";
    case 0x215A:
        return "5/6";
    case 0x215B:
        return "1/8";
    case 0x215C:
        return "3/8";
    case 0x215D:
        return "5/8";
    case 0x215E:
        return "7/8";
    default:
        return nullptr;
    }
}

// A plain look-alike for a character the code page lacks; nullptr when there is none.
// An empty text drops the character (it was invisible).
const char* ersatz(char32_t c) {
    switch (c) {
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2015:
    case 0x2212:
    case 0x2043:
        return "-";
    case 0x201B:
    case 0x2032:
    case 0x02BC:
    case 0x02B9:
        return "'";
    case 0x201F:
    case 0x2033:
    case 0x02BA:
        return "\"";
    case 0x2044:
    case 0x2215:
        return "/";
    case 0x2219:
    case 0x2023:
    case 0x25CF:
    case 0x25AA:
    case 0x25E6:
        return "\xE2\x80\xA2"; // •
    case 0x2103:
        return "\xC2\xB0"
               "C"; // °C
    case 0x2109:
        return "\xC2\xB0"
               "F";
    case 0x2248:
        return "~";
    case 0x2264:
        return "<=";
    case 0x2265:
        return ">=";
    case 0x2192:
        return "->";
    case 0x2190:
        return "<-";
    case 0xFB00:
        return "ff";
    case 0xFB01:
        return "fi";
    case 0xFB02:
        return "fl";
    case 0x2070:
        return "\xC2\xB0"; // superscript zero as degree, as recipes use it
    // Blanks of every width.
    case 0x2000:
    case 0x2001:
    case 0x2002:
    case 0x2003:
    case 0x2004:
    case 0x2005:
    case 0x2006:
    case 0x2007:
    case 0x2008:
    case 0x2009:
    case 0x200A:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return " ";
    // Invisible: zero widths, joiners, byte-order mark, variation selectors.
    case 0x200B:
    case 0x200C:
    case 0x200D:
    case 0x2060:
    case 0xFEFF:
    case 0xFE0E:
    case 0xFE0F:
        return "";
    default:
        return nullptr;
    }
}

bool istZiffer(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Line breaks stay in texts of several lines; every other control character becomes a blank.
QString zeichenErsetzen(const QString& roh, bool mehrzeilig) {
    bool ruhig = true;
    for (const QChar c : roh) {
        const char16_t u = c.unicode();
        const bool umbruch = mehrzeilig && (u == u'\n' || u == u'\t');
        if ((u < 0x20 && !umbruch) || (u >= 0x7F && u <= 0xA0) || u >= 0x0100) {
            ruhig = false;
            break;
        }
    }
    if (ruhig) return roh;

    QString text = roh;
    for (const QChar c : roh)
        if (c.unicode() >= 0x0300) {
            text = roh.normalized(QString::NormalizationForm_C);
            break;
        }
    if (mehrzeilig) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    QString aus;
    aus.reserve(text.size() + 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        }
        if (cp == U'\n' && mehrzeilig) {
            aus.append(QLatin1Char('\n'));
        } else if (cp == U'\t' && mehrzeilig) {
            aus.append(QLatin1Char('\t'));
        } else if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0xA0) {
            aus.append(QLatin1Char(' ')); // controls and the non-breaking blank
        } else if (inCp1252(cp)) {
            aus.append(QChar(char16_t(cp)));
        } else if (const char* b = bruch(cp)) {
            // "1⅓" is one and a third, not thirteen thirds.
            if (!aus.isEmpty() && istZiffer(aus.back())) aus.append(QLatin1Char(' '));
            aus.append(QLatin1String(b));
        } else if (const char* e = ersatz(cp)) {
            aus.append(QString::fromUtf8(e));
        } else {
            aus.append(QLatin1Char('?'));
        }
    }
    return aus;
}

// The byte of a character above Latin-1 that the code page holds.
char hochByte(char16_t c) {
    static constexpr struct {
        char16_t zeichen;
        unsigned char byte;
    } kTabelle[] = {{0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
                    {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
                    {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
                    {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
                    {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
                    {0x017E, 0x9E}, {0x0178, 0x9F}};
    for (const auto& t : kTabelle)
        if (t.zeichen == c) return static_cast<char>(t.byte);
    return '?';
}

// Writes `text` (every character in the code page, as buchtauglich leaves it) into at most
// `kapazitaet` bytes of `ziel`, "\n" as CR LF when `crlf`; a CR LF that does not fit whole is left
// out. Returns how many characters of `text` it took.
qsizetype codieren(QStringView text, char* ziel, int kapazitaet, bool crlf, int* bytes) {
    int k = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (crlf && c == u'\n') {
            if (k + 2 > kapazitaet) break;
            ziel[k++] = '\r';
            ziel[k++] = '\n';
            continue;
        }
        if (k + 1 > kapazitaet) break;
        ziel[k++] = c < 0x100 ? static_cast<char>(c) : hochByte(c);
    }
    *bytes = k;
    return i;
}

// Stores `text` in a short string; returns what it holds.
template <int N> QString kurztext(ShortString<N>& feld, const QString& text) {
    int n = 0;
    const qsizetype genommen = codieren(text, feld.chars, N, false, &n);
    feld.len = quint8(n);
    return genommen == text.size() ? text : text.left(genommen);
}

// Stores `text` ("\n" line breaks) in a text block as CR LF lines; returns what it holds.
template <int N> QString blocktext(TextBlock<N>& feld, const QString& text) {
    if (text.isEmpty()) {
        std::memset(feld.bytes, 0, N + 1);
        return text;
    }
    int n = 0;
    const qsizetype genommen = codieren(text, feld.bytes, N, true, &n);
    feld.bytes[n] = 0;
    return genommen == text.size() ? text : text.left(genommen);
}

class Fueller {
public:
    explicit Fueller(QList<Kuerzung>& k) : m_k(k) {}

    template <int N> void kurz(const QString& feld, ShortString<N>& ziel, const QString& text) {
        melden(feld, text, kurztext(ziel, zeichenErsetzen(text, false)));
    }
    template <int N> void block(const QString& feld, TextBlock<N>& ziel, const QString& text) {
        QString t = text;
        if (t.contains(QLatin1Char('\r'))) t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        melden(feld, t, blocktext(ziel, zeichenErsetzen(t, true)));
    }

private:
    void melden(const QString& feld, const QString& vorher, const QString& gespeichert) {
        if (vorher != gespeichert) m_k.append(Kuerzung{feld, vorher, gespeichert});
    }
    QList<Kuerzung>& m_k;
};

QString minutenText(int minuten) {
    return minuten < 0 ? QString() : QString::number(minuten);
}

int minutenAusText(const QString& text) {
    bool ok = false;
    const int m = text.trimmed().toInt(&ok);
    return ok && m >= 0 ? m : -1;
}

} // namespace

QString buchtauglich(const QString& text, bool mehrzeilig) {
    return zeichenErsetzen(text, mehrzeilig);
}

QString zutatenText(const QStringList& zutaten) {
    return zutaten.join(QLatin1Char('\n'));
}

QString zubereitungText(const QStringList& schritte) {
    QStringList absaetze;
    absaetze.reserve(schritte.size());
    for (const QString& s : schritte)
        if (!s.trimmed().isEmpty()) absaetze.append(s);
    return absaetze.join(QLatin1String("\n\n"));
}

Satzvorschau satzAusFremdrezept(const Fremdrezept& r, const QString& rubrik, const QDate& heute,
                                bool rubrikVorgeben) {
    Satzvorschau v; // its record starts zero-filled, as a fresh buffer does
    v.kuerzungen = satzFuellen(r, rubrik, heute, v.satz, rubrikVorgeben);
    return v;
}

QList<Kuerzung> satzFuellen(const Fremdrezept& r, const QString& rubrik, const QDate& heute, dateien& s,
                            bool rubrikVorgeben) {
    QList<Kuerzung> kuerzungen;
    Fueller f(kuerzungen);
    // In the order of the entry window's fields, so the preview lists the changes as it shows them.
    f.kurz(QStringLiteral("Kategorie"), s.kategorie, r.kategorie);
    f.kurz(QStringLiteral("Rubrik"), s.Rubrik, r.rubrik.isEmpty() || rubrikVorgeben ? rubrik : r.rubrik);
    f.kurz(QStringLiteral("Name des Rezepts"), s.name, r.name);
    f.block(QStringLiteral("Küchenutensilien"), s.utensielien, r.utensilien);
    f.block(QStringLiteral("Zutatenliste"), s.zutaten, zutatenText(r.zutaten));
    f.block(QStringLiteral("Zubereitung"), s.zubereitung, zubereitungText(r.zubereitung));
    f.kurz(QStringLiteral("Schwierigkeitsgrad"), s.schwer, r.schwer);
    f.kurz(QStringLiteral("Art der Portionen"), s.personen, r.personen);
    f.kurz(QStringLiteral("Anzahl Personen oder Portionen"), s.anzahl, r.anzahl);
    f.kurz(QStringLiteral("Zubereitungszeit (Min)"), s.zeit, minutenText(r.zeit));
    f.kurz(QStringLiteral("Kochzeit (Min)"), s.k_zeit, minutenText(r.kZeit));
    f.kurz(QStringLiteral("Kalorien p. Portion"), s.kalorien, r.kalorien);
    s.preis = std::isfinite(r.preis) && r.preis > 0 ? r.preis : 0.0;
    // An import dates thousands of records alike: the text of the last date is kept.
    thread_local QDate letztesDatum;
    thread_local QString letzterText;
    const QDate datum = r.erfasstAm.isValid() ? r.erfasstAm : heute;
    if (datum != letztesDatum || letzterText.isEmpty()) {
        letztesDatum = datum;
        letzterText = datumText(datum);
    }
    s.erfasst_am = letzterText;
    return kuerzungen;
}

Fremdrezept fremdrezeptAusSatz(const dateien& s) {
    Fremdrezept r;
    r.name = s.name.toQString();
    r.rubrik = s.Rubrik.toQString();
    r.kategorie = s.kategorie.toQString();
    const QString zutaten = s.zutaten.plainText();
    if (!zutaten.isEmpty()) r.zutaten = zutaten.split(QLatin1Char('\n'));
    static const QRegularExpression leerzeilen(QStringLiteral("\\n[ \\t]*\\n\\s*"));
    const QString zubereitung = s.zubereitung.plainText();
    for (const QString& absatz : zubereitung.split(leerzeilen, Qt::SkipEmptyParts))
        if (!absatz.trimmed().isEmpty()) r.zubereitung.append(absatz);
    r.utensilien = s.utensielien.plainText();
    r.anzahl = s.anzahl.toQString();
    r.personen = s.personen.toQString();
    r.zeit = minutenAusText(s.zeit.toQString());
    r.kZeit = minutenAusText(s.k_zeit.toQString());
    r.schwer = s.schwer.toQString();
    r.kalorien = s.kalorien.toQString();
    r.preis = std::isfinite(s.preis) ? s.preis : 0.0;
    r.erfasstAm = datumLesen(s.erfasst_am.toQString());
    r.bildQuelle = s.bild.toQString();
    return r;
}

QString bildnameAusQuelle(const QString& quelle) {
    if (quelle.isEmpty()) return {};
    QString pfad = QUrl(quelle).path();
    if (pfad.isEmpty()) pfad = quelle;
    QString name = pfad.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    // Only a picture's own name, in characters every file system and the code page take.
    QString sauber;
    sauber.reserve(name.size());
    for (const QChar c : buchtauglich(name, false)) {
        const bool gut = c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-') ||
                         c == QLatin1Char('_') || c == QLatin1Char(' ');
        sauber.append(gut ? c : QLatin1Char('_'));
    }
    sauber = sauber.trimmed();
    while (sauber.startsWith(QLatin1Char('.')))
        sauber.remove(0, 1);
    if (sauber.isEmpty()) return {};
    if (sauber.size() > 40) {
        // Keep the extension, which tells the picture's format.
        const qsizetype punkt = sauber.lastIndexOf(QLatin1Char('.'));
        const QString endung = punkt > 0 && sauber.size() - punkt <= 6 ? sauber.mid(punkt) : QString();
        sauber = sauber.left(40 - endung.size()) + endung;
    }
    return sauber;
}

} // namespace pfl
