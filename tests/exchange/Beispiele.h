// SPDX-License-Identifier: GPL-3.0-or-later
// Small recipe files written for these tests: a saved page with a schema.org recipe in JSON-LD, a
// page without any recipe, and MealMaster collections.
#pragma once

#include "data/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pfl::test {

// A saved page with one recipe; `bild` names its picture relative to the page (empty: none).
inline QByteArray rezeptSeite(const QString& name = QStringLiteral("Apfelkuchen vom Blech"),
                              const QString& bild = QStringLiteral("Apfelkuchen_files/kuchen.png")) {
    QString s =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset=\"utf-8\"><title>%1</title>\n"
                       "<script type=\"application/ld+json\">\n"
                       "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"%1\","
                       "\"recipeCategory\":\"Kuchen\","
                       "\"recipeIngredient\":[\"500 g Mehl\",\"1⅓ kg Äpfel\",\"200 g Zucker\"],"
                       "\"recipeInstructions\":[{\"@type\":\"HowToStep\",\"text\":\"Teig kneten.\"},"
                       "{\"@type\":\"HowToStep\",\"text\":\"Äpfel schälen und den Teig belegen.\"}],"
                       "\"recipeYield\":\"12 Stück\",\"prepTime\":\"PT30M\",\"cookTime\":\"PT45M\"%2}\n"
                       "</script></head><body><h1>%1</h1><p>Ein Kuchen.</p></body></html>\n")
            .arg(name, bild.isEmpty() ? QString() : QStringLiteral(",\"image\":\"%1\"").arg(bild));
    return s.toUtf8();
}

inline QByteArray seiteOhneRezept() {
    return QByteArrayLiteral("<!DOCTYPE html>\n<html><head><title>Kochblog</title></head>"
                             "<body><h1>Willkommen</h1><p>Hier gibt es bald Rezepte.</p></body></html>\n");
}

// One MealMaster recipe in Windows-1252.
inline QByteArray mealmasterRezept(const QString& titel, const QStringList& zutaten, const QString& text) {
    QString s =
        QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n\r\n"
                       "      Title: %1\r\n Categories: Suppen, Eintopf\r\n      Yield: 4 Portionen\r\n\r\n")
            .arg(titel);
    for (const QString& z : zutaten) // in MealMaster's columns: amount 7, unit 2, then the ingredient
        s += z + QStringLiteral("\r\n");
    s += QStringLiteral("\r\n  ") + text + QStringLiteral("\r\n\r\nMMMMM\r\n\r\n");
    return pfl::toCp1252(s);
}

// A collection of n recipes "Suppe 1" .. "Suppe n".
inline QByteArray mealmasterSammlung(int n) {
    QByteArray b;
    for (int i = 1; i <= n; ++i)
        b += mealmasterRezept(QStringLiteral("Suppe %1").arg(i),
                              {QStringLiteral("    250 g  Linsen"), QStringLiteral("      1    Zwiebel")},
                              QStringLiteral("Alles %1 Minuten kochen.").arg(i));
    return b;
}

} // namespace pfl::test
