// SPDX-License-Identifier: GPL-3.0-or-later
// MealMaster files: recipes between a header line "MMMMM----- Recipe via Meal-Master" (or
// "---------- Recipe via Meal-Master") and an end line "MMMMM" (or "-----"); a head of Title,
// Categories and Yield; ingredients in fixed columns (amount 7, blank, unit 2, blank, text), one or
// two columns side by side, continued on lines whose text starts with "-", grouped under
// sub-headings; then the directions. Units stay as the file writes them.
#include "formats/Leser.h"
#include "formats/Schemaorg.h"
#include "formats/Schreiber.h"
#include "formats/Zeichensaetze.h"

#include "data/Cp1252.h"

#include <cstring>
#include <optional>

namespace pfl {

namespace {

constexpr qint64 kMeldeschritt = 256 * 1024;
// Where the text of an ingredient starts, and where the right one of two columns may start.
constexpr int kTextspalte = 11;
constexpr int kMengenbreite = 7;
constexpr int kTextbreite = 28;
constexpr int kZeilenbreite = 78;

bool leer(QStringView s) {
    for (const QChar c : s)
        if (!c.isSpace()) return false;
    return true;
}

bool mengenzeichen(QChar c) {
    return c.isDigit() || c == QLatin1Char(' ') || c == QLatin1Char('/') || c == QLatin1Char('.') ||
           c == QLatin1Char(',') || c == QLatin1Char('-') || c == QChar(0xBD) || c == QChar(0xBC) ||
           c == QChar(0xBE);
}

// An ingredient as the columns of a line hold it (views into the line).
struct Zutatenfeld {
    QStringView menge, einheit, text;
    bool fortsetzung() const {
        return menge.isEmpty() && einheit.isEmpty() && text.startsWith(QLatin1Char('-'));
    }
    QString zeile() const {
        QString z;
        z.reserve(menge.size() + einheit.size() + text.size() + 2);
        z += menge;
        for (const QStringView teil : {einheit, text})
            if (!teil.isEmpty()) {
                if (!z.isEmpty()) z += QLatin1Char(' ');
                z += teil;
            }
        return z;
    }
};

// The ingredient whose amount field starts at `anfang` of `z`, if the columns hold one.
bool zutatLesen(QStringView z, qsizetype anfang, Zutatenfeld* aus) {
    const qsizetype n = z.size();
    if (n <= anfang) return false;
    const QStringView menge = z.mid(anfang, kMengenbreite);
    for (const QChar c : menge)
        if (!mengenzeichen(c)) return false;
    auto blankOderEnde = [&](qsizetype i) { return i >= n || z.at(i) == QLatin1Char(' '); };
    if (!blankOderEnde(anfang + 7) || !blankOderEnde(anfang + 10)) return false;
    const QStringView einheit = anfang + 8 < n ? z.mid(anfang + 8, 2) : QStringView();
    for (const QChar c : einheit)
        if (!c.isLetter() && c != QLatin1Char(' ')) return false;
    const QStringView text = anfang + kTextspalte < n ? z.mid(anfang + kTextspalte) : QStringView();
    const QStringView m = menge.trimmed();
    const QStringView t = text.trimmed();
    if (m.isEmpty() && t.isEmpty()) return false;
    if (aus) *aus = Zutatenfeld{m, einheit.trimmed(), t};
    return true;
}

// "MMMMM-----ZUTATEN-----" or "-----FOR THE SAUCE-----": the heading, or a null string.
QString unterueberschrift(const QString& z) {
    if (!z.startsWith(QLatin1String("MMMMM-")) && !z.startsWith(QLatin1String("-----"))) return {};
    QStringView t(z);
    if (t.startsWith(QLatin1String("MMMMM"))) t = t.mid(5);
    while (!t.isEmpty() && (t.front() == QLatin1Char('-') || t.front().isSpace()))
        t = t.mid(1);
    while (!t.isEmpty() && (t.back() == QLatin1Char('-') || t.back().isSpace()))
        t.chop(1);
    bool wort = false;
    for (const QChar c : t)
        wort = wort || c.isLetterOrNumber();
    return wort ? t.toString() : QString();
}

bool endzeile(const QString& z) {
    const QStringView t = QStringView(z).trimmed();
    if (t == QLatin1String("MMMMM")) return true;
    if (t.size() < 5) return false;
    for (const QChar c : t)
        if (c != QLatin1Char('-')) return false;
    return true;
}

bool kopfzeileBytes(const char* z, qsizetype n) {
    while (n > 0 && (*z == ' ' || *z == '\t')) {
        ++z;
        --n;
    }
    if (n < 10 || (std::memcmp(z, "MMMMM", 5) != 0 && std::memcmp(z, "-----", 5) != 0)) return false;
    static const char muster[] = "meal-master";
    const qsizetype m = qsizetype(sizeof muster - 1);
    for (qsizetype i = 5; i + m <= n; ++i) {
        qsizetype k = 0;
        while (k < m && (z[i + k] | 0x20) == muster[k])
            ++k;
        if (k == m) return true;
    }
    return false;
}

// A numbered step starts a paragraph of its own.
bool schrittAnfang(QStringView t) {
    qsizetype i = 0;
    while (i < t.size() && i < 3 && t.at(i).isDigit())
        ++i;
    return i > 0 && i + 1 < t.size() && (t.at(i) == QLatin1Char('.') || t.at(i) == QLatin1Char(')')) &&
           t.at(i + 1) == QLatin1Char(' ');
}

// The value of a head line ("      Title: Apfelkuchen") when it names one of `felder`.
bool kopffeld(const QString& z, std::initializer_list<const char*> felder, QString* wert) {
    const QStringView t = QStringView(z).trimmed();
    for (const char* f : felder) {
        const QLatin1String name(f);
        if (t.size() > name.size() && t.at(name.size()) == QLatin1Char(':') &&
            t.startsWith(name, Qt::CaseInsensitive)) {
            *wert = t.mid(name.size() + 1).trimmed().toString();
            return true;
        }
    }
    return false;
}

class Rezeptbau {
public:
    enum class Teil { Kopf, Zutaten, Zubereitung };

    void zeile(const QString& z) {
        if (m_teil == Teil::Kopf && kopfzeile(z)) return;
        if (m_teil != Teil::Zubereitung) {
            if (leer(z)) {
                blockSchliessen();
                return;
            }
            const QString ueber = unterueberschrift(z);
            if (!ueber.isNull()) {
                blockSchliessen();
                m_teil = Teil::Zutaten;
                m_r.zutaten.append(ueber);
                return;
            }
            if (zutatenzeile(z)) {
                m_teil = Teil::Zutaten;
                return;
            }
            blockSchliessen();
            m_teil = Teil::Zubereitung;
        }
        anweisung(z);
    }

    // The recipe, if it holds anything.
    bool fertig(Fremdrezept* aus) {
        blockSchliessen();
        absatzSchliessen();
        if (m_r.name.isEmpty() && m_r.zutaten.isEmpty() && m_r.zubereitung.isEmpty()) return false;
        *aus = std::move(m_r);
        return true;
    }

private:
    bool kopfzeile(const QString& z) {
        if (leer(z)) return true;
        QString wert;
        if (kopffeld(z, {"Title", "Titel"}, &wert)) {
            m_r.name = wert;
            return true;
        }
        if (kopffeld(z, {"Categories", "Kategorien", "Category", "Kategorie"}, &wert)) {
            for (const QStringView k : QStringView(wert).split(QLatin1Char(','))) {
                const QStringView t = k.trimmed();
                if (!t.isEmpty() && t.compare(QLatin1String("None"), Qt::CaseInsensitive) != 0) {
                    m_r.kategorie = t.toString();
                    break;
                }
            }
            return true;
        }
        if (kopffeld(z, {"Yield", "Servings", "Menge", "Portionen", "Ergibt"}, &wert)) {
            const Ausbeute a = ausbeuteLesen(wert);
            m_r.anzahl = a.anzahl;
            m_r.personen = a.personen;
            return true;
        }
        return false;
    }

    static void anhaengen(QStringList& liste, const Zutatenfeld& z) {
        if (z.fortsetzung() && !liste.isEmpty()) {
            const QStringView t = z.text.mid(1).trimmed();
            if (!t.isEmpty()) {
                liste.last() += QLatin1Char(' ');
                liste.last() += t;
            }
        } else {
            liste.append(z.zeile());
        }
    }

    bool zutatenzeile(const QString& z) {
        Zutatenfeld links;
        if (!zutatLesen(z, 0, &links)) return false;
        // Two columns: the right one starts at column 41 (or 40) after blanks.
        Zutatenfeld rechts;
        for (const qsizetype s : {qsizetype(41), qsizetype(40)}) {
            if (z.size() <= s || !leer(QStringView(z).mid(39, s - 39))) continue;
            if (!zutatLesen(z, s, &rechts)) continue;
            zutatLesen(QStringView(z).left(s), 0, &links);
            anhaengen(m_links, links);
            anhaengen(m_rechts, rechts);
            return true;
        }
        // A continuation of the right column sits alone at its place.
        if (!m_rechts.isEmpty() && links.fortsetzung() && z.indexOf(QLatin1Char('-')) >= 40) {
            anhaengen(m_rechts, links);
            return true;
        }
        if (links.fortsetzung() && m_links.isEmpty() && !m_r.zutaten.isEmpty())
            anhaengen(m_r.zutaten, links);
        else
            anhaengen(m_links, links);
        return true;
    }

    // Two columns read down the left one, then down the right one.
    void blockSchliessen() {
        m_r.zutaten.append(m_links);
        m_r.zutaten.append(m_rechts);
        m_links.clear();
        m_rechts.clear();
    }

    void anweisung(const QString& z) {
        const QStringView t = QStringView(z).trimmed();
        if (t.isEmpty()) {
            absatzSchliessen();
            return;
        }
        const QString ueber = unterueberschrift(z);
        if (!ueber.isNull()) {
            absatzSchliessen();
            m_r.zubereitung.append(ueber);
            return;
        }
        if (schrittAnfang(t)) absatzSchliessen();
        if (!m_absatz.isEmpty()) m_absatz += QLatin1Char(' ');
        m_absatz += t;
    }

    void absatzSchliessen() {
        if (!m_absatz.isEmpty()) m_r.zubereitung.append(m_absatz);
        m_absatz.clear();
    }

    Teil m_teil = Teil::Kopf;
    Fremdrezept m_r;
    QStringList m_links, m_rechts;
    QString m_absatz;
};

// Tabs to blanks up to the next multiple of eight, so the columns stay where they were meant.
QString tabsAufloesen(const QString& z) {
    QString aus;
    aus.reserve(z.size() + 16);
    for (const QChar c : z) {
        if (c == QLatin1Char('\t'))
            aus.append(QString(8 - aus.size() % 8, QLatin1Char(' ')));
        else
            aus.append(c);
    }
    return aus;
}

// --- writing ---------------------------------------------------------------------------------

bool mengenwort(QStringView w) {
    if (w.isEmpty() || w.size() > kMengenbreite) return false;
    for (const QChar c : w)
        if (!mengenzeichen(c) || c == QLatin1Char(' ')) return false;
    return w.front().isDigit() || w.front() == QChar(0xBD) || w.front() == QChar(0xBC) ||
           w.front() == QChar(0xBE);
}

struct Zutat {
    QString menge, einheit, text;
};

// "200 g Mehl" as amount, unit and text; a unit is a word of at most two letters before more text.
Zutat zutatZerlegen(const QString& eintrag) {
    const QString e = eintrag.trimmed();
    Zutat z;
    qsizetype pos = 0;
    auto wortEnde = [&](qsizetype von) {
        qsizetype i = von;
        while (i < e.size() && e.at(i) != QLatin1Char(' '))
            ++i;
        return i;
    };
    qsizetype ende = wortEnde(0);
    if (mengenwort(QStringView(e).left(ende))) {
        z.menge = e.left(ende);
        pos = ende + 1;
        // "1 1/2"
        const qsizetype ende2 = wortEnde(pos);
        const QStringView zweites = QStringView(e).mid(pos, ende2 - pos);
        if (pos < e.size() && zweites.contains(QLatin1Char('/')) && mengenwort(zweites) &&
            z.menge.size() + 1 + zweites.size() <= kMengenbreite) {
            z.menge += QLatin1Char(' ') + zweites.toString();
            pos = ende2 + 1;
        }
        const qsizetype ende3 = wortEnde(pos);
        const QStringView einheit = QStringView(e).mid(pos, ende3 - pos);
        bool buchstaben = !einheit.isEmpty() && einheit.size() <= 2;
        for (const QChar c : einheit)
            buchstaben = buchstaben && c.isLetter();
        if (pos < e.size() && buchstaben && ende3 + 1 < e.size()) {
            z.einheit = einheit.toString();
            pos = ende3 + 1;
        }
    }
    z.text = pos < e.size() ? e.mid(pos) : QString();
    return z;
}

// Lines of at most `breite` characters, broken at blanks; a word longer than that stays whole.
QStringList umbrechen(const QString& text, int breite, bool schritteSchuetzen) {
    QStringList zeilen;
    QString rest = text;
    while (rest.size() > breite) {
        qsizetype bruch = rest.lastIndexOf(QLatin1Char(' '), breite);
        // A line may not start like a numbered step, or the reader would start a paragraph there.
        while (schritteSchuetzen && bruch > 0 && schrittAnfang(QStringView(rest).mid(bruch + 1)))
            bruch = rest.lastIndexOf(QLatin1Char(' '), bruch - 1);
        if (bruch <= 0) bruch = rest.indexOf(QLatin1Char(' '), breite);
        if (bruch <= 0) break;
        zeilen.append(rest.left(bruch));
        rest = rest.mid(bruch + 1);
    }
    zeilen.append(rest);
    return zeilen;
}

void zutatSchreiben(QStringList& aus, const QString& eintrag) {
    const Zutat z = zutatZerlegen(eintrag);
    if (z.menge.isEmpty() && z.einheit.isEmpty() && z.text.endsWith(QLatin1Char(':'))) {
        aus.append(QStringLiteral("MMMMM-----") + z.text + QStringLiteral("-----"));
        return;
    }
    const QStringList teile = umbrechen(z.text, kTextbreite, false);
    const QString kopf = QStringLiteral("%1 %2 ").arg(z.menge, kMengenbreite).arg(z.einheit, -2);
    aus.append(kopf + teile.first());
    if (teile.size() == 1) return;
    // A continuation's "-" takes one place of the text column.
    const QString rest = z.text.mid(teile.first().size() + 1);
    for (const QString& t : umbrechen(rest, kTextbreite - 1, false))
        aus.append(QString(kTextspalte, QLatin1Char(' ')) + QLatin1Char('-') + t);
}

} // namespace

Leseergebnis leseMealMaster(const QByteArray& datei, const Fortschritt& weiter) {
    Leseergebnis e;
    const Zeichensatz satz = zeichensatzErkennen(datei);
    const char* p = datei.constData();
    const qsizetype n = datei.size();
    qsizetype pos = 0, gemeldet = 0;
    if (n >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) pos = 3;
    e.rezepte.reserve(n / 512); // a recipe takes some hundred bytes at least
    Zeilendekodierer dekodierer(satz);
    QString zeile;
    std::optional<Rezeptbau> bau;
    int koepfe = 0;
    auto abschliessen = [&] {
        Fremdrezept r;
        if (bau && bau->fertig(&r)) e.rezepte.append(std::move(r));
        bau.reset();
    };
    while (pos < n) {
        if (weiter && pos - gemeldet >= kMeldeschritt) {
            gemeldet = pos;
            if (!weiter(pos, n)) {
                e.rezepte.clear();
                e.abgebrochen = true;
                e.grund = QStringLiteral("Das Einlesen wurde abgebrochen.");
                return e;
            }
        }
        const void* nl = std::memchr(p + pos, '\n', size_t(n - pos));
        const qsizetype ende = nl ? static_cast<const char*>(nl) - p : n;
        qsizetype laenge = ende - pos;
        if (laenge > 0 && p[pos + laenge - 1] == '\r') --laenge;
        const char* z = p + pos;
        pos = ende + 1;
        if (kopfzeileBytes(z, laenge)) {
            abschliessen();
            bau.emplace();
            ++koepfe;
            continue;
        }
        if (!bau) continue; // text between recipes
        dekodierer(z, laenge, zeile);
        if (zeile.contains(QLatin1Char('\t'))) zeile = tabsAufloesen(zeile);
        if (endzeile(zeile)) {
            abschliessen();
            continue;
        }
        bau->zeile(zeile);
    }
    abschliessen();
    if (weiter) weiter(n, n);
    if (e.rezepte.isEmpty())
        e.grund = koepfe == 0 ? QStringLiteral("Die Datei enthält kein MealMaster-Rezept.")
                              : QStringLiteral("Die MealMaster-Rezepte der Datei sind leer.");
    return e;
}

QByteArray schreibeMealMaster(const QList<Fremdrezept>& rezepte) {
    QByteArray aus;
    for (const Fremdrezept& r : rezepte) {
        QStringList z;
        z.append(QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05"));
        z.append(QString());
        z.append(QStringLiteral("      Title: ") + r.name.simplified());
        z.append(QStringLiteral(" Categories: ") + r.kategorie.simplified());
        z.append(QStringLiteral("      Yield: ") +
                 QString(r.anzahl.simplified() + QLatin1Char(' ') + r.personen.simplified()).trimmed());
        z.append(QString());
        for (const QString& eintrag : r.zutaten)
            if (!eintrag.trimmed().isEmpty()) zutatSchreiben(z, eintrag.simplified());
        z.append(QString());
        for (const QString& schritt : r.zubereitung) {
            const QString s = schritt.simplified();
            if (s.isEmpty()) continue;
            // Indented, so no step is taken for a heading or the end line.
            for (const QString& zeile : umbrechen(s, kZeilenbreite - 2, true))
                z.append(QStringLiteral("  ") + zeile);
            z.append(QString());
        }
        z.append(QStringLiteral("MMMMM"));
        z.append(QString());
        for (const QString& zeile : z) {
            aus += toCp1252(buchtauglich(zeile, false));
            aus += "\r\n";
        }
    }
    return aus;
}

} // namespace pfl
