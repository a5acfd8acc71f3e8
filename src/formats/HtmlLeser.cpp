// SPDX-License-Identifier: GPL-3.0-or-later
// Web pages and JSON-LD files: the schema.org Recipes in them.
#include "formats/GumboText.h"
#include "formats/Leser.h"
#include "formats/Schemaorg.h"
#include "formats/Zeichensaetze.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QStringDecoder>

#include <vector>

namespace pfl {

namespace {

// Items inside items, at most.
constexpr int kItemTiefe = 16;

const QString kKeinRezept = QStringLiteral("Die Seite enthält kein Rezept.");
const QString kZuTief = QStringLiteral("Die Seite ist zu groß oder zu tief verschachtelt, um sie zu lesen.");

// The page as UTF-8, which gumbo and the JSON parser read: a byte-order mark decides, then valid
// UTF-8 stays as it is, anything else is taken as Windows-1252 (which includes Latin-1).
QByteArray alsUtf8(const QByteArray& roh) {
    if (roh.startsWith("\xEF\xBB\xBF")) return roh.mid(3);
    if (roh.startsWith("\xFF\xFE") || roh.startsWith("\xFE\xFF")) {
        QStringDecoder d(roh.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString s = d(QByteArrayView(roh).sliced(2));
        return s.toUtf8();
    }
    if (gueltigesUtf8(roh.constData(), roh.size())) return roh;
    return fromCp1252(roh).toUtf8();
}

// A JSON-LD block as pages write them: sometimes wrapped in a comment or CDATA, sometimes with raw
// line breaks inside its texts. Null when it is no JSON even then.
QJsonDocument jsonLesen(const QByteArray& roh) {
    QJsonParseError f;
    QJsonDocument d = QJsonDocument::fromJson(roh, &f);
    if (f.error == QJsonParseError::NoError) return d;
    QByteArray t = roh.trimmed();
    for (const char* vorn : {"<!--", "//<![CDATA[", "<![CDATA[", "/*<![CDATA[*/"})
        if (t.startsWith(vorn)) t = t.mid(qsizetype(qstrlen(vorn))).trimmed();
    for (const char* hinten : {"-->", "//]]>", "]]>", "/*]]>*/"})
        if (t.endsWith(hinten)) t.chop(qsizetype(qstrlen(hinten)));
    d = QJsonDocument::fromJson(t, &f);
    if (f.error == QJsonParseError::NoError) return d;
    // Raw control characters are never meant as anything but blanks.
    for (char& c : t)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    d = QJsonDocument::fromJson(t, &f);
    return f.error == QJsonParseError::NoError ? d : QJsonDocument();
}

QJsonValue dokumentWert(const QJsonDocument& d) {
    if (d.isArray()) return d.array();
    if (d.isObject()) return d.object();
    return {};
}

bool istElement(const GumboNode* k) {
    return k->type == GUMBO_NODE_ELEMENT || k->type == GUMBO_NODE_TEMPLATE;
}

// Every element below `wurzel` in document order, without recursion; `besuchen` returns whether to
// descend into an element's children.
template <typename F> void elementeDurchlaufen(const GumboNode* wurzel, F besuchen) {
    if (!wurzel) return;
    std::vector<const GumboNode*> stapel{wurzel};
    while (!stapel.empty()) {
        const GumboNode* k = stapel.back();
        stapel.pop_back();
        if (!istElement(k)) continue;
        if (k != wurzel && !besuchen(k)) continue;
        const GumboVector& kinder = k->v.element.children;
        for (unsigned i = kinder.length; i > 0; --i)
            stapel.push_back(static_cast<const GumboNode*>(kinder.data[i - 1]));
    }
}

QStringList woerter(const QString& s) {
    return s.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool hatAttribut(const GumboNode* k, const char* name) {
    return gumbo_get_attribute(&k->v.element.attributes, name) != nullptr;
}

// Gumbo has decoded the entities already; the schema mapping decodes once more, so what looks like
// markup must stay text.
QString maskiert(QString t) {
    return t.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"));
}

// The value of an itemprop element, as microdata defines it per element.
QString eigenschaftswert(const GumboNode* k) {
    switch (k->v.element.tag) {
    case GUMBO_TAG_META:
        return attribut(k, "content");
    case GUMBO_TAG_AUDIO:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_IMG:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK:
    case GUMBO_TAG_VIDEO:
        return attribut(k, "src");
    case GUMBO_TAG_A:
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_LINK:
        return attribut(k, "href");
    case GUMBO_TAG_OBJECT:
        return attribut(k, "data");
    case GUMBO_TAG_DATA:
    case GUMBO_TAG_METER:
        return attribut(k, "value");
    case GUMBO_TAG_TIME:
        if (hatAttribut(k, "datetime")) return attribut(k, "datetime");
        break;
    default:
        break;
    }
    return zeilenAufraeumen(knotenText(k));
}

// A microdata item as the JSON-LD object it stands for; every property a list of its values.
QJsonObject item(const GumboNode* element, int tiefe) {
    QHash<QString, QJsonArray> eigenschaften;
    QStringList reihenfolge;
    elementeDurchlaufen(element, [&](const GumboNode* k) {
        const bool bereich = hatAttribut(k, "itemscope");
        const QStringList namen = woerter(attribut(k, "itemprop"));
        if (!namen.isEmpty() && !(bereich && tiefe >= kItemTiefe)) {
            const QJsonValue wert =
                bereich ? QJsonValue(item(k, tiefe + 1)) : QJsonValue(maskiert(eigenschaftswert(k)));
            for (const QString& n : namen) {
                if (!eigenschaften.contains(n)) reihenfolge.append(n);
                eigenschaften[n].append(wert);
            }
        }
        return !bereich; // a nested item's properties are its own
    });
    QJsonObject o;
    const QStringList typen = woerter(attribut(element, "itemtype"));
    if (typen.size() == 1)
        o.insert(QStringLiteral("@type"), typen.first());
    else if (!typen.isEmpty())
        o.insert(QStringLiteral("@type"), QJsonArray::fromStringList(typen));
    for (const QString& n : reihenfolge)
        o.insert(n, eigenschaften.value(n));
    return o;
}

// A Recipe without name, ingredients and steps is a page's placeholder, not a recipe.
void ohneLeere(QList<Fremdrezept>& rezepte) {
    rezepte.removeIf([](const Fremdrezept& r) {
        return r.name.isEmpty() && r.zutaten.isEmpty() && r.zubereitung.isEmpty();
    });
}

QList<Fremdrezept> ausSchema(const QJsonValue& wurzel, QHash<QString, QJsonObject>& knoten) {
    QList<Rezeptfund> funde;
    rezepteSuchen(wurzel, funde, knoten);
    QList<Fremdrezept> rezepte;
    for (const Rezeptfund& f : funde)
        rezepte.append(rezeptAusSchema(f.rezept, knoten, f.eigen));
    ohneLeere(rezepte);
    return rezepte;
}

Leseergebnis htmlLesen(const QByteArray& seite) {
    Leseergebnis e;
    const GumboDokument dok(alsUtf8(seite));
    if (dok.abgebrochen()) return e;

    // JSON-LD first: its blocks say what the page means, the microdata only what it shows.
    QJsonArray bloecke;
    int beschaedigt = 0;
    elementeDurchlaufen(dok.wurzel(), [&](const GumboNode* k) {
        if (k->v.element.tag != GUMBO_TAG_SCRIPT) return true;
        const QString typ = attribut(k, "type").section(QLatin1Char(';'), 0, 0).trimmed();
        if (typ.compare(QLatin1String("application/ld+json"), Qt::CaseInsensitive) != 0) return false;
        const GumboVector& kinder = k->v.element.children;
        if (kinder.length == 0) return false;
        const auto* text = static_cast<const GumboNode*>(kinder.data[0]);
        if (text->type != GUMBO_NODE_TEXT && text->type != GUMBO_NODE_WHITESPACE) return false;
        const QJsonDocument d = jsonLesen(QByteArray(text->v.text.text));
        if (d.isNull())
            ++beschaedigt;
        else
            bloecke.append(dokumentWert(d));
        return false;
    });
    QHash<QString, QJsonObject> knoten;
    e.rezepte = ausSchema(bloecke, knoten);
    if (!e.rezepte.isEmpty()) return e;

    QJsonArray items;
    elementeDurchlaufen(dok.wurzel(), [&](const GumboNode* k) {
        if (!hatAttribut(k, "itemscope")) return true;
        const QString typ = attribut(k, "itemtype");
        if (!hatTyp(QJsonArray::fromStringList(woerter(typ)), QLatin1String("Recipe"))) return true;
        items.append(item(k, 0));
        return false;
    });
    knoten.clear();
    e.rezepte = ausSchema(items, knoten);
    if (e.rezepte.isEmpty())
        e.grund = beschaedigt > 0 ? QStringLiteral("Die Seite enthält kein lesbares Rezept: ihre Rezeptdaten "
                                                   "(JSON-LD) sind beschädigt.")
                                  : kKeinRezept;
    return e;
}

Leseergebnis jsonLdLesen(const QByteArray& json) {
    Leseergebnis e;
    if (json.trimmed().isEmpty()) {
        e.grund = QStringLiteral("Die Datei ist leer.");
        return e;
    }
    const QJsonDocument d = jsonLesen(alsUtf8(json));
    if (d.isNull()) {
        e.grund = QStringLiteral("Die Datei ist kein gültiges JSON-LD; sie ist beschädigt oder hat ein "
                                 "anderes Format.");
        return e;
    }
    QHash<QString, QJsonObject> knoten;
    e.rezepte = ausSchema(dokumentWert(d), knoten);
    if (e.rezepte.isEmpty()) e.grund = QStringLiteral("Die Datei enthält kein Rezept.");
    return e;
}

} // namespace

Leseergebnis leseHtml(const QByteArray& seite) {
    Leseergebnis e;
    if (seite.trimmed().isEmpty()) {
        e.grund = QStringLiteral("Die Datei ist leer.");
        return e;
    }
    const Lesegrenze grenze;
    e = htmlLesen(seite);
    if (grenze.ueberschritten()) {
        e.rezepte.clear();
        e.grund = kZuTief;
    }
    return e;
}

Leseergebnis leseJsonLd(const QByteArray& json) {
    const Lesegrenze grenze;
    Leseergebnis e = jsonLdLesen(json);
    if (grenze.ueberschritten()) {
        e.rezepte.clear();
        e.grund = kZuTief;
    }
    return e;
}

} // namespace pfl
