// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML page and the JSON-LD file.
#include "formats/Schreiber.h"

#include "data/Deutsch.h"
#include "formats/Schemaorg.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

#include <cmath>

namespace pfl {

namespace {

// A picture that the caller can copy from the picture folder: a plain file name, no URL.
bool eigenesBild(const QString& q) {
    return !q.isEmpty() && !q.contains(QLatin1Char('/')) && !q.contains(QLatin1Char('\\')) &&
           q != QLatin1String(".") && q != QLatin1String("..") && !q.contains(QLatin1String("://"));
}

QStringList bilderListe(const QList<Fremdrezept>& rezepte, const QString& bilderOrdner) {
    QStringList bilder;
    if (bilderOrdner.isEmpty()) return bilder;
    for (const Fremdrezept& r : rezepte)
        if (eigenesBild(r.bildQuelle) && !bilder.contains(r.bildQuelle)) bilder.append(r.bildQuelle);
    return bilder;
}

Fremdrezept fuerSchema(const Fremdrezept& r) {
    Fremdrezept s = r;
    if (!eigenesBild(s.bildQuelle) && !s.bildQuelle.contains(QLatin1String("://"))) s.bildQuelle.clear();
    return s;
}

// JSON inside a <script> element: "<" only occurs in strings, where its escape means the same, and
// then no "</script>" can end the element early.
QByteArray skriptJson(const QJsonObject& o) {
    QByteArray j = QJsonDocument(o).toJson(QJsonDocument::Compact);
    j.replace("<", "\\u003c");
    return j;
}

QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

QString angabe(const QString& titel, const QString& wert) {
    if (wert.trimmed().isEmpty()) return {};
    return QStringLiteral("<dt>") + esc(titel) + QStringLiteral("</dt><dd>") + esc(wert) +
           QStringLiteral("</dd>\n");
}

const char* const kStil =
    R"(body { font-family: "DejaVu Sans", Verdana, sans-serif; max-width: 52em; margin: 2em auto;
  padding: 0 1em; color: #222; background: #fff; line-height: 1.45; }
h1 { font-size: 1.6em; border-bottom: 2px solid #800000; padding-bottom: .2em; }
article { border-top: 1px solid #ccc; padding: 1em 0 1.5em; }
h2 { color: #800000; font-family: Georgia, "Times New Roman", serif; margin-bottom: .3em; }
h3 { font-size: 1.05em; margin: 1em 0 .3em; }
dl.angaben { display: grid; grid-template-columns: max-content auto; gap: .1em 1em; margin: .5em 0; }
dl.angaben dt { font-weight: bold; }
dl.angaben dd { margin: 0; }
img.bild { max-width: 100%; max-height: 24em; display: block; margin: .8em 0; }
ul.zutaten li, ul.utensilien li { margin: .1em 0; }
@media print { article { page-break-inside: avoid; } }
)";

QString rezeptHtml(const Fremdrezept& r, int nummer, const QString& bilderOrdner) {
    QString h;
    h += QStringLiteral("<article class=\"rezept\" id=\"rezept-%1\">\n").arg(nummer);
    h += QStringLiteral("<script type=\"application/ld+json\">");
    QJsonObject schema = schemaAusRezept(fuerSchema(r), bilderOrdner);
    QJsonObject mitKontext{{QStringLiteral("@context"), schemaKontext()}};
    for (auto it = schema.constBegin(); it != schema.constEnd(); ++it)
        mitKontext.insert(it.key(), it.value());
    h += QString::fromUtf8(skriptJson(mitKontext));
    h += QStringLiteral("</script>\n");
    h += QStringLiteral("<h2>") + esc(r.name) + QStringLiteral("</h2>\n<dl class=\"angaben\">\n");
    h += angabe(QStringLiteral("Rubrik"), r.rubrik);
    h += angabe(QStringLiteral("Kategorie"), r.kategorie);
    h += angabe(QStringLiteral("Schwierigkeitsgrad"), r.schwer);
    h +=
        angabe(r.personen.trimmed().isEmpty() ? QStringLiteral("Portionen") : r.personen.trimmed(), r.anzahl);
    if (r.zeit >= 0)
        h += angabe(QStringLiteral("Zubereitungszeit"), QString::number(r.zeit) + QStringLiteral(" Min."));
    if (r.kZeit >= 0)
        h += angabe(QStringLiteral("Kochzeit"), QString::number(r.kZeit) + QStringLiteral(" Min."));
    h += angabe(QStringLiteral("Kalorien p. Portion"), r.kalorien);
    if (std::isfinite(r.preis) && r.preis > 0)
        h += angabe(QStringLiteral("Kosten"), dezimalText(r.preis, 2, true));
    if (r.erfasstAm.isValid()) h += angabe(QStringLiteral("Erfasst am"), datumText(r.erfasstAm));
    h += QStringLiteral("</dl>\n");
    if (!bilderOrdner.isEmpty() && eigenesBild(r.bildQuelle))
        h += QStringLiteral("<img class=\"bild\" src=\"") +
             esc(QString::fromUtf8(QUrl::toPercentEncoding(bilderOrdner) + '/' +
                                   QUrl::toPercentEncoding(r.bildQuelle))) +
             QStringLiteral("\" alt=\"") + esc(r.name) + QStringLiteral("\">\n");
    const QStringList utensilien = r.utensilien.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!utensilien.isEmpty()) {
        h += QStringLiteral("<h3>Küchenutensilien</h3>\n<ul class=\"utensilien\">\n");
        for (const QString& u : utensilien)
            h += QStringLiteral("<li>") + esc(u) + QStringLiteral("</li>\n");
        h += QStringLiteral("</ul>\n");
    }
    if (!r.zutaten.isEmpty()) {
        h += QStringLiteral("<h3>Zutaten</h3>\n<ul class=\"zutaten\">\n");
        for (const QString& z : r.zutaten)
            if (!z.trimmed().isEmpty()) h += QStringLiteral("<li>") + esc(z) + QStringLiteral("</li>\n");
        h += QStringLiteral("</ul>\n");
    }
    if (!r.zubereitung.isEmpty()) {
        h += QStringLiteral("<h3>Zubereitung</h3>\n");
        for (const QString& s : r.zubereitung)
            if (!s.trimmed().isEmpty())
                h += QStringLiteral("<p>") + esc(s).replace(QLatin1Char('\n'), QLatin1String("<br>\n")) +
                     QStringLiteral("</p>\n");
    }
    h += QStringLiteral("</article>\n");
    return h;
}

} // namespace

QString bilderOrdnerFuer(const QString& zieldatei) {
    return QFileInfo(zieldatei).completeBaseName() + QStringLiteral("_Bilder");
}

Ausgabe schreibeHtml(const QList<Fremdrezept>& rezepte, const QString& titel, const QString& bilderOrdner) {
    Ausgabe a;
    a.bilder = bilderListe(rezepte, bilderOrdner);
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                        "<meta name=\"generator\" content=\"Pfanno-Lux\">\n<title>");
    h += esc(titel) + QStringLiteral("</title>\n<style>\n") + QLatin1String(kStil) +
         QStringLiteral("</style>\n</head>\n<body>\n<h1>") + esc(titel) + QStringLiteral("</h1>\n");
    a.inhalt = h.toUtf8();
    int nummer = 0;
    for (const Fremdrezept& r : rezepte)
        a.inhalt += rezeptHtml(r, ++nummer, bilderOrdner).toUtf8();
    a.inhalt += "</body>\n</html>\n";
    return a;
}

Ausgabe schreibeJsonLd(const QList<Fremdrezept>& rezepte, const QString& bilderOrdner) {
    Ausgabe a;
    a.bilder = bilderListe(rezepte, bilderOrdner);
    QJsonArray graph;
    for (const Fremdrezept& r : rezepte)
        graph.append(schemaAusRezept(fuerSchema(r), bilderOrdner));
    const QJsonObject dokument{{QStringLiteral("@context"), schemaKontext()},
                               {QStringLiteral("@graph"), graph}};
    a.inhalt = QJsonDocument(dokument).toJson(QJsonDocument::Indented);
    return a;
}

} // namespace pfl
