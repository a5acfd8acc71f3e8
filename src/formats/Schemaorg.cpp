// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Schemaorg.h"

#include "data/Deutsch.h"
#include "formats/GumboText.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QUrl>

#include <cmath>

namespace pfl {

namespace {

// Nesting of instructions, sections, pictures and references followed, at most.
constexpr int kTiefe = 16;

QString eigen(const char* name) {
    return QStringLiteral("pfl:") + QLatin1String(name);
}

// Our own field, by its prefixed or its full name.
QJsonValue eigenerWert(const QJsonObject& o, const char* name) {
    QJsonValue v = o.value(eigen(name));
    if (v.isUndefined()) v = o.value(QLatin1String(kEigenerPraefix) + QLatin1String(name));
    return v;
}

QJsonValue aufloesen(const QJsonValue& v, const QHash<QString, QJsonObject>& knoten) {
    if (!v.isObject()) return v;
    const QJsonObject o = v.toObject();
    const QJsonValue id = o.value(QLatin1String("@id"));
    if (id.isString() && o.size() == 1) {
        const auto it = knoten.constFind(id.toString());
        if (it != knoten.constEnd()) return *it;
    }
    return v;
}

// Our prefix among the context's definitions.
bool eigenerKontext(const QJsonValue& k) {
    if (k.isString()) return k.toString() == QLatin1String(kEigenerPraefix);
    if (k.isArray()) {
        for (const QJsonValue& e : k.toArray())
            if (e.isString() ? e.toString() == QLatin1String(kEigenerPraefix) : eigenerKontext(e))
                return true;
        return false;
    }
    if (k.isObject())
        for (const QJsonValue& e : k.toObject())
            if (e.isString() && e.toString() == QLatin1String(kEigenerPraefix)) return true;
    return false;
}

QString zahlText(double d) {
    if (!std::isfinite(d)) return {};
    return QString::number(d, 'g', 12);
}

// Set while a recipe of our own is read: its texts are what they say, "<" and "&" included.
thread_local bool t_klartext = false;

// The plain text of a value: its lines (see htmlZuText).
QString zeilen(const QJsonValue& v, int tiefe = 0) {
    if (tiefe > kTiefe) return {};
    switch (v.type()) {
    case QJsonValue::String:
        return t_klartext ? zeilenAufraeumen(v.toString()) : htmlZuText(v.toString());
    case QJsonValue::Double:
        return zahlText(v.toDouble());
    case QJsonValue::Object: {
        const QJsonObject o = v.toObject();
        for (const char* k : {"@value", "name", "text"}) {
            const QString t = zeilen(o.value(QLatin1String(k)), tiefe + 1);
            if (!t.isEmpty()) return t;
        }
        return {};
    }
    case QJsonValue::Array:
        for (const QJsonValue& e : v.toArray()) {
            const QString t = zeilen(e, tiefe + 1);
            if (!t.isEmpty()) return t;
        }
        return {};
    default:
        return {};
    }
}

QString einzeilig(const QJsonValue& v) {
    QString t = zeilen(v);
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

// Every entry of a list of texts; a text of several lines is several entries.
QStringList eintraege(const QJsonValue& v, const QHash<QString, QJsonObject>& knoten) {
    QStringList aus;
    const QJsonArray a = v.isArray() ? v.toArray() : QJsonArray{v};
    for (const QJsonValue& e : a) {
        const QString t = zeilen(aufloesen(e, knoten));
        if (!t.isEmpty()) aus.append(t.split(QLatin1Char('\n')));
    }
    return aus;
}

void anweisungen(const QJsonValue& roh, const QHash<QString, QJsonObject>& knoten, QStringList& aus,
                 int tiefe, bool oberste) {
    if (tiefe > kTiefe) return;
    const QJsonValue v = aufloesen(roh, knoten);
    if (v.isString()) {
        const QString t = zeilen(v);
        if (t.isEmpty()) return;
        // One text for all instructions has a step per line; a step of a list keeps its lines.
        if (oberste)
            aus.append(t.split(QLatin1Char('\n')));
        else
            aus.append(t);
        return;
    }
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray())
            anweisungen(e, knoten, aus, tiefe + 1, false);
        return;
    }
    if (!v.isObject()) return;
    const QJsonObject o = v.toObject();
    const QJsonValue typ = o.value(QLatin1String("@type"));
    QJsonValue liste = o.value(QLatin1String("itemListElement"));
    if (liste.isUndefined()) liste = o.value(QLatin1String("steps"));
    if (hatTyp(typ, QLatin1String("HowToSection")) ||
        (!hatTyp(typ, QLatin1String("HowToStep")) && !liste.isUndefined() &&
         !o.contains(QLatin1String("text")))) {
        // A section: its name as an entry of its own, then its steps.
        const QString name = einzeilig(o.value(QLatin1String("name")));
        if (!name.isEmpty()) aus.append(name);
        anweisungen(liste, knoten, aus, tiefe + 1, false);
        return;
    }
    QString t = zeilen(o.value(QLatin1String("text")));
    if (t.isEmpty()) t = zeilen(o.value(QLatin1String("name")));
    if (t.isEmpty()) t = zeilen(o.value(QLatin1String("description")));
    if (!t.isEmpty())
        aus.append(t);
    else if (!liste.isUndefined())
        anweisungen(liste, knoten, aus, tiefe + 1, false); // a step made of directions
}

QString bild(const QJsonValue& roh, const QHash<QString, QJsonObject>& knoten, int tiefe) {
    if (tiefe > kTiefe) return {};
    const QJsonValue v = aufloesen(roh, knoten);
    if (v.isString()) return v.toString().trimmed();
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray()) {
            const QString b = bild(e, knoten, tiefe + 1);
            if (!b.isEmpty()) return b;
        }
        return {};
    }
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (const char* k : {"url", "contentUrl"}) {
            const QString b = bild(o.value(QLatin1String(k)), knoten, tiefe + 1);
            if (!b.isEmpty()) return b;
        }
    }
    return {};
}

// "350 calories", "350 kcal", "350 Kalorien" as "350 kcal"; other texts as they are.
QString kalorienText(const QString& t) {
    static const QRegularExpression muster(
        QStringLiteral("^(\\d+(?:[.,]\\d+)?)\\s*(calories|calorie|cal|kcal|kalorien)\\.?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = muster.match(t);
    return m.hasMatch() ? m.captured(1) + QStringLiteral(" kcal") : t;
}

// The first amount in a text ("5,50 €", "EUR 5.50", "1.234,50"); 0 when there is none.
double betrag(const QJsonValue& roh, const QHash<QString, QJsonObject>& knoten, int tiefe = 0) {
    if (tiefe > kTiefe) return 0;
    const QJsonValue v = aufloesen(roh, knoten);
    if (v.isDouble()) return v.toDouble();
    if (v.isString()) {
        static const QRegularExpression zahl(QStringLiteral("\\d[\\d.,]*"));
        const QRegularExpressionMatch m = zahl.match(v.toString());
        if (!m.hasMatch()) return 0;
        QString z = m.captured(0);
        while (z.endsWith(QLatin1Char('.')) || z.endsWith(QLatin1Char(',')))
            z.chop(1);
        return dezimalzahl(z).value_or(0.0);
    }
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        double d = betrag(o.value(QLatin1String("value")), knoten, tiefe + 1);
        if (d == 0) d = betrag(o.value(QLatin1String("price")), knoten, tiefe + 1);
        return d;
    }
    if (v.isArray() && !v.toArray().isEmpty()) return betrag(v.toArray().first(), knoten, tiefe + 1);
    return 0;
}

Ausbeute ausbeute(const QJsonValue& v) {
    if (v.isDouble()) return {zahlText(v.toDouble()), QStringLiteral("Portionen")};
    if (v.isArray()) {
        // ["4", "4 Portionen"]: the entry that says what is counted.
        Ausbeute erste;
        bool gesetzt = false;
        for (const QJsonValue& e : v.toArray()) {
            const Ausbeute a = ausbeute(e);
            if (a.anzahl.isEmpty() && a.personen.isEmpty()) continue;
            if (!gesetzt) {
                erste = a;
                gesetzt = true;
            }
            if (!a.anzahl.isEmpty() && a.personen != QLatin1String("Portionen")) return a;
            if (erste.anzahl.isEmpty() && !a.anzahl.isEmpty()) erste = a;
        }
        return erste;
    }
    return ausbeuteLesen(einzeilig(v));
}

QStringList zeilenListe(const QString& text) {
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace

int minutenAusDauer(const QString& dauer) {
    QString d = dauer;
    d.remove(QLatin1Char(' '));
    d = d.toUpper();
    if (d.isEmpty()) return -1;
    bool ok = false;
    const double bloss = d.toDouble(&ok);
    if (ok) return bloss >= 0 && bloss < 1e7 ? int(std::lround(bloss)) : -1;
    if (!d.startsWith(QLatin1Char('P'))) return -1;
    double minuten = 0;
    bool zeitteil = false, teile = false;
    qsizetype i = 1;
    while (i < d.size()) {
        if (d.at(i) == QLatin1Char('T')) {
            if (zeitteil) return -1;
            zeitteil = true;
            ++i;
            continue;
        }
        const qsizetype anfang = i;
        while (i < d.size() &&
               (d.at(i).isDigit() || d.at(i) == QLatin1Char('.') || d.at(i) == QLatin1Char(',')))
            ++i;
        if (i == anfang || i >= d.size()) return -1;
        QString zahl = d.mid(anfang, i - anfang);
        zahl.replace(QLatin1Char(','), QLatin1Char('.'));
        const double wert = zahl.toDouble(&ok);
        if (!ok) return -1;
        const QChar e = d.at(i++);
        teile = true;
        if (!zeitteil) {
            if (e == QLatin1Char('W'))
                minuten += wert * 7 * 24 * 60;
            else if (e == QLatin1Char('D'))
                minuten += wert * 24 * 60;
            else if ((e == QLatin1Char('Y') || e == QLatin1Char('M')) && wert == 0)
                ; // "P0Y0M0DT0H35M", as some pages write it
            else
                return -1; // months and years have no fixed length
        } else if (e == QLatin1Char('H')) {
            minuten += wert * 60;
        } else if (e == QLatin1Char('M')) {
            minuten += wert;
        } else if (e == QLatin1Char('S')) {
            minuten += wert / 60;
        } else {
            return -1;
        }
    }
    if (!teile || minuten >= 1e7) return -1;
    return int(std::lround(minuten));
}

QString dauerAusMinuten(int minuten) {
    if (minuten < 0) return {};
    const int h = minuten / 60, m = minuten % 60;
    QString d = QStringLiteral("PT");
    if (h > 0) d += QString::number(h) + QLatin1Char('H');
    if (m > 0 || h == 0) d += QString::number(m) + QLatin1Char('M');
    return d;
}

Ausbeute ausbeuteLesen(const QString& roh) {
    const QString text = roh.simplified();
    if (text.isEmpty()) return {};
    // The first number, and a range behind it ("4-6", "4 bis 6") that counts as its first number.
    const qsizetype n = text.size();
    auto zahlEnde = [&](qsizetype i) {
        while (i < n && text.at(i).isDigit())
            ++i;
        if (i + 1 < n && (text.at(i) == QLatin1Char(',') || text.at(i) == QLatin1Char('.')) &&
            text.at(i + 1).isDigit()) {
            ++i;
            while (i < n && text.at(i).isDigit())
                ++i;
        }
        return i;
    };
    qsizetype anfang = 0;
    while (anfang < n && !text.at(anfang).isDigit())
        ++anfang;
    if (anfang == n) return {QString(), text};
    const qsizetype ende = zahlEnde(anfang);
    qsizetype weiter = ende;
    {
        qsizetype i = ende;
        if (i < n && text.at(i) == QLatin1Char(' ')) ++i;
        const QStringView rest = QStringView(text).mid(i);
        qsizetype strich = 0;
        if (rest.startsWith(QLatin1Char('-')) || rest.startsWith(QChar(0x2013)))
            strich = 1;
        else if (rest.startsWith(QLatin1String("bis ")) || rest.startsWith(QLatin1String("to ")))
            strich = rest.indexOf(QLatin1Char(' '));
        if (strich > 0) {
            i += strich;
            if (i < n && text.at(i) == QLatin1Char(' ')) ++i;
            if (i < n && text.at(i).isDigit()) weiter = zahlEnde(i);
        }
    }
    const QString zahl = text.mid(anfang, ende - anfang);
    QString wort = text.mid(weiter).trimmed();
    while (!wort.isEmpty() && (wort.front() == QLatin1Char(')') || wort.front() == QLatin1Char(':')))
        wort = wort.mid(1).trimmed();
    const QString klein = wort.toLower();
    auto beginnt = [&](std::initializer_list<const char*> woerter) {
        for (const char* w : woerter) {
            const QLatin1String kandidat(w);
            if (klein.startsWith(kandidat) &&
                (klein.size() == kandidat.size() || klein.at(kandidat.size()) == QLatin1Char(' ')))
                return true;
        }
        return false;
    };
    QString personen = wort;
    if (wort.isEmpty() || beginnt({"portion", "portionen", "port.", "serving", "servings", "serves"}))
        personen = QStringLiteral("Portionen");
    else if (beginnt({"person", "personen", "pers.", "people", "persons"}))
        personen = QStringLiteral("Anz. Personen");
    else if (beginnt({"stück", "stk", "stk.", "st.", "piece", "pieces", "pcs", "pcs."}))
        personen = QStringLiteral("Stück");
    return {zahl, personen};
}

QString htmlZuText(const QString& fragment) {
    // Only text that holds a tag or an entity goes through the parser.
    static const QRegularExpression auszeichnung(
        QStringLiteral("<[a-zA-Z/!]|&(?:#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z][a-zA-Z0-9]*);"));
    if (!fragment.contains(QLatin1Char('<')) && !fragment.contains(QLatin1Char('&')))
        return zeilenAufraeumen(fragment);
    if (!auszeichnung.match(fragment).hasMatch()) return zeilenAufraeumen(fragment);
    const GumboDokument dok(fragment.toUtf8());
    return zeilenAufraeumen(knotenText(dok.wurzel()));
}

bool hatTyp(const QJsonValue& typWert, QLatin1String typ) {
    auto passt = [&](const QString& t) {
        qsizetype s = t.size();
        while (s > 0 && t.at(s - 1) != QLatin1Char('/') && t.at(s - 1) != QLatin1Char('#') &&
               t.at(s - 1) != QLatin1Char(':'))
            --s;
        return QStringView(t).mid(s).compare(typ, Qt::CaseInsensitive) == 0;
    };
    if (typWert.isString()) return passt(typWert.toString());
    if (typWert.isArray())
        for (const QJsonValue& t : typWert.toArray())
            if (t.isString() && passt(t.toString())) return true;
    return false;
}

void rezepteSuchen(const QJsonValue& wert, QList<Rezeptfund>& rezepte, QHash<QString, QJsonObject>& knoten,
                   int tiefe, bool eigen) {
    if (tiefe <= 0) return;
    if (wert.isArray()) {
        for (const QJsonValue& e : wert.toArray())
            rezepteSuchen(e, rezepte, knoten, tiefe - 1, eigen);
        return;
    }
    if (!wert.isObject()) return;
    const QJsonObject o = wert.toObject();
    const QJsonValue kontext = o.value(QLatin1String("@context"));
    if (!kontext.isUndefined()) eigen = eigenerKontext(kontext);
    const QJsonValue id = o.value(QLatin1String("@id"));
    if (id.isString() && o.size() > 1 && !knoten.contains(id.toString())) knoten.insert(id.toString(), o);
    if (hatTyp(o.value(QLatin1String("@type")), QLatin1String("Recipe")))
        rezepte.append(Rezeptfund{o, eigen});
    for (auto it = o.constBegin(); it != o.constEnd(); ++it)
        if (it.value().isObject() || it.value().isArray())
            rezepteSuchen(it.value(), rezepte, knoten, tiefe - 1, eigen);
}

Fremdrezept rezeptAusSchema(const QJsonObject& o, const QHash<QString, QJsonObject>& knoten, bool klartext) {
    struct Klartext {
        bool vorher = t_klartext;
        explicit Klartext(bool k) { t_klartext = k; }
        ~Klartext() { t_klartext = vorher; }
    } klar(klartext);
    auto wert = [&](std::initializer_list<const char*> namen) {
        for (const char* n : namen) {
            const QJsonValue v = o.value(QLatin1String(n));
            if (!v.isUndefined() && !v.isNull()) return v;
        }
        return QJsonValue();
    };
    Fremdrezept r;
    r.name = einzeilig(wert({"name", "headline"}));
    r.zutaten = eintraege(wert({"recipeIngredient", "ingredients", "ingredient"}), knoten);
    anweisungen(wert({"recipeInstructions", "instructions"}), knoten, r.zubereitung, 0, true);
    const Ausbeute a = ausbeute(wert({"recipeYield", "yield"}));
    r.anzahl = a.anzahl;
    r.personen = a.personen;

    const int vorbereitung = minutenAusDauer(einzeilig(wert({"prepTime"})));
    const int kochen = minutenAusDauer(einzeilig(wert({"cookTime"})));
    const int gesamt = minutenAusDauer(einzeilig(wert({"totalTime"})));
    r.kZeit = kochen;
    if (vorbereitung >= 0)
        r.zeit = vorbereitung;
    else if (gesamt >= 0 && kochen >= 0)
        r.zeit = gesamt >= kochen ? gesamt - kochen : -1;
    else
        r.zeit = gesamt; // all the page says about the time it takes

    // One category: the first of a list, or of a text that lists several.
    r.kategorie = einzeilig(wert({"recipeCategory"})).section(QLatin1Char(','), 0, 0).trimmed();
    r.bildQuelle = bild(wert({"image", "thumbnailUrl"}), knoten, 0);
    QJsonValue naehrwerte = wert({"nutrition"});
    if (naehrwerte.isArray()) naehrwerte = naehrwerte.toArray().first(); // microdata lists every value
    naehrwerte = aufloesen(naehrwerte, knoten);
    if (naehrwerte.isObject())
        r.kalorien = kalorienText(einzeilig(naehrwerte.toObject().value(QLatin1String("calories"))));
    r.utensilien = eintraege(wert({"tool"}), knoten).join(QLatin1Char('\n'));
    const double preis = betrag(wert({"estimatedCost"}), knoten);
    r.preis = std::isfinite(preis) && preis > 0 ? preis : 0.0;

    // Our own fields, as written: not tidied ("Mittel " keeps its blank).
    r.rubrik = eigenerWert(o, "rubrik").toString();
    r.schwer = eigenerWert(o, "schwierigkeit").toString();
    r.erfasstAm = QDate::fromString(eigenerWert(o, "erfasstAm").toString(), Qt::ISODate);
    return r;
}

QJsonValue schemaKontext() {
    return QJsonArray{QStringLiteral("https://schema.org"),
                      QJsonObject{{QStringLiteral("pfl"), QLatin1String(kEigenerPraefix)}}};
}

QJsonObject schemaAusRezept(const Fremdrezept& r, const QString& bilderOrdner) {
    QJsonObject o;
    o.insert(QStringLiteral("@type"), QStringLiteral("Recipe"));
    o.insert(QStringLiteral("name"), r.name);
    if (!r.kategorie.isEmpty()) o.insert(QStringLiteral("recipeCategory"), r.kategorie);
    const QString ausbeute = QString(r.anzahl + QLatin1Char(' ') + r.personen).trimmed();
    if (!ausbeute.isEmpty()) o.insert(QStringLiteral("recipeYield"), ausbeute);
    if (r.zeit >= 0) o.insert(QStringLiteral("prepTime"), dauerAusMinuten(r.zeit));
    if (r.kZeit >= 0) o.insert(QStringLiteral("cookTime"), dauerAusMinuten(r.kZeit));
    if (r.zeit >= 0 && r.kZeit >= 0) o.insert(QStringLiteral("totalTime"), dauerAusMinuten(r.zeit + r.kZeit));
    QJsonArray zutaten;
    for (const QString& z : r.zutaten)
        if (!z.trimmed().isEmpty()) zutaten.append(z);
    o.insert(QStringLiteral("recipeIngredient"), zutaten);
    QJsonArray schritte;
    for (const QString& s : r.zubereitung)
        if (!s.trimmed().isEmpty())
            schritte.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToStep")},
                                        {QStringLiteral("text"), s}});
    o.insert(QStringLiteral("recipeInstructions"), schritte);
    QJsonArray werkzeug;
    for (const QString& w : zeilenListe(r.utensilien))
        if (!w.trimmed().isEmpty())
            werkzeug.append(QJsonObject{{QStringLiteral("@type"), QStringLiteral("HowToTool")},
                                        {QStringLiteral("name"), w}});
    if (!werkzeug.isEmpty()) o.insert(QStringLiteral("tool"), werkzeug);
    if (!r.kalorien.isEmpty())
        o.insert(QStringLiteral("nutrition"),
                 QJsonObject{{QStringLiteral("@type"), QStringLiteral("NutritionInformation")},
                             {QStringLiteral("calories"), r.kalorien}});
    if (std::isfinite(r.preis) && r.preis > 0)
        o.insert(QStringLiteral("estimatedCost"),
                 QJsonObject{{QStringLiteral("@type"), QStringLiteral("MonetaryAmount")},
                             {QStringLiteral("value"), r.preis}});
    if (!r.bildQuelle.isEmpty()) {
        const bool adresse = r.bildQuelle.contains(QLatin1String("://"));
        if (adresse)
            o.insert(QStringLiteral("image"), r.bildQuelle);
        else if (!bilderOrdner.isEmpty())
            o.insert(QStringLiteral("image"), QString::fromUtf8(QUrl::toPercentEncoding(bilderOrdner) + '/' +
                                                                QUrl::toPercentEncoding(r.bildQuelle)));
    }
    if (!r.rubrik.isEmpty()) o.insert(eigen("rubrik"), r.rubrik);
    if (!r.schwer.isEmpty()) o.insert(eigen("schwierigkeit"), r.schwer);
    if (r.erfasstAm.isValid()) o.insert(eigen("erfasstAm"), r.erfasstAm.toString(Qt::ISODate));
    return o;
}

} // namespace pfl
