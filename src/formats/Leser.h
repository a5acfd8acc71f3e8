// SPDX-License-Identifier: GPL-3.0-or-later
// Reading recipes from other programs: saved web pages (schema.org Recipe as JSON-LD or microdata),
// JSON-LD files and MealMaster files. Every reader takes bytes, never crashes on what it is given,
// and says in German why it found nothing.
#pragma once

#include "formats/Fremdrezept.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <functional>

namespace pfl {

// Files and downloads larger than this are refused before they are read.
inline constexpr qint64 kGroessteDatei = 20LL * 1024 * 1024;

// Called now and then while a long file is read: bytes done of all bytes. Returning false cancels.
using Fortschritt = std::function<bool(qint64 gelesen, qint64 gesamt)>;

enum class Austauschformat { Unbekannt, Html, JsonLd, MealMaster };

struct Leseergebnis {
    QList<Fremdrezept> rezepte;
    // Why nothing was read, in German, when `rezepte` is empty; otherwise empty.
    QString grund;
    bool abgebrochen = false; // the progress callback cancelled: `rezepte` holds nothing
};

// The format a file name stands for: ".html"/".htm" (also ".xhtml"), ".json"/".jsonld",
// ".mmf"/".mm"/".txt"; Unbekannt otherwise.
Austauschformat formatAusDateiname(const QString& pfad);

// A German reason why a file or download of `groesse` bytes is refused (more than 20 MB), or empty.
QString groessePruefen(qint64 groesse);

// Reads a file in the format its name says (the content decides when the name says nothing).
// Refuses files above kGroessteDatei and what cannot be read, with a German reason.
Leseergebnis leseDatei(const QString& pfad, const Fortschritt& weiter = {});

// Reads bytes that came from elsewhere (a download); Unbekannt lets the content decide.
Leseergebnis leseDaten(const QByteArray& daten, Austauschformat format, const Fortschritt& weiter = {});

// Every schema.org Recipe of a web page: from its JSON-LD blocks, or from its microdata when the
// blocks hold none. The page may be UTF-8 or Windows-1252.
Leseergebnis leseHtml(const QByteArray& seite);

// Every schema.org Recipe of a JSON-LD document (an object, an array or a @graph).
Leseergebnis leseJsonLd(const QByteArray& json);

// Every recipe of a MealMaster file (UTF-8, Windows-1252 or CP-850, detected). `weiter` is called
// about every 256 KiB.
Leseergebnis leseMealMaster(const QByteArray& datei, const Fortschritt& weiter = {});

// Where the picture `bildQuelle` of a recipe read from `herkunft` (the page's URL, or a local
// file's URL) is to be had: resolved against `herkunft`, only http, https and file URLs; an invalid
// URL when there is none.
QUrl bildUrl(const QString& bildQuelle, const QUrl& herkunft);

} // namespace pfl
