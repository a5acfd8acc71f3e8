// SPDX-License-Identifier: GPL-3.0-or-later
// The schema.org vocabulary of recipes, both ways: a Recipe object (from JSON-LD, or built from
// microdata) to a foreign recipe, and a foreign recipe to a Recipe object. Shared by the readers
// and writers of web pages and JSON-LD files.
#pragma once

#include "formats/Fremdrezept.h"

#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

namespace pfl {

// Our own fields that schema.org has no term for, under a prefix of our own that the written
// documents declare in their @context; other programs ignore them.
inline constexpr char kEigenerPraefix[] = "urn:pfanno-lux:";

// An ISO 8601 duration ("PT1H30M", "P0DT2H", "PT90M", "PT0.5H", "P1DT2H") in whole minutes,
// rounded; a bare number counts as minutes. -1 when unreadable, negative or of months or years.
int minutenAusDauer(const QString& dauer);
// Minutes as an ISO 8601 duration ("PT1H30M"); empty for a negative value.
QString dauerAusMinuten(int minuten);

// A yield text ("4", "4 Portionen", "4 servings", "Für 4 Personen", "12 Stück") split into the
// number and what it counts, the latter in the entry window's words where one fits.
struct Ausbeute {
    QString anzahl;
    QString personen;
};
Ausbeute ausbeuteLesen(const QString& text);

// Plain text of an HTML fragment: entities decoded, tags dropped, the ends of blocks and <br> as
// line breaks, blanks collapsed within each line, empty lines dropped. Text that holds no markup
// is only tidied.
QString htmlZuText(const QString& fragment);

// Whether a @type value (a text or a list of texts) names `typ`, with or without a vocabulary
// ("Recipe", "http://schema.org/Recipe", "schema:Recipe").
bool hatTyp(const QJsonValue& typWert, QLatin1String typ);

struct Rezeptfund {
    QJsonObject rezept;
    // Written by us (our prefix in its @context): its texts are plain text, not HTML.
    bool eigen = false;
};

// Every Recipe object inside `wert` (objects, arrays, @graph and any other nesting, at most
// `tiefe` levels); the objects that carry an @id go into `knoten`, for references.
void rezepteSuchen(const QJsonValue& wert, QList<Rezeptfund>& rezepte, QHash<QString, QJsonObject>& knoten,
                   int tiefe = 64, bool eigen = false);

// A schema.org Recipe as a foreign recipe; `knoten` resolves {"@id": ...} references. Texts are
// decoded as HTML fragments (pages put entities and tags into them), unless `klartext`.
Fremdrezept rezeptAusSchema(const QJsonObject& rezept, const QHash<QString, QJsonObject>& knoten,
                            bool klartext = false);

// A foreign recipe as a schema.org Recipe object (without @context); the picture is referred to
// inside `bilderOrdner` when it is a file name of the picture folder.
QJsonObject schemaAusRezept(const Fremdrezept& rezept, const QString& bilderOrdner);

// The @context of written documents: schema.org and our prefix.
QJsonValue schemaKontext();

} // namespace pfl
