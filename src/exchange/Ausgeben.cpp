// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Ausgeben.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "formats/Schreiber.h"
#include "pages/Rezeptbild.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace pfl {

namespace {

struct Formatangabe {
    Austauschformat format;
    const char* filter;
    QStringList endungen;
};

const QList<Formatangabe>& formate() {
    static const QList<Formatangabe> f = {
        {Austauschformat::Html, "HTML-Seite (*.html *.htm)", {QStringLiteral("html"), QStringLiteral("htm")}},
        {Austauschformat::JsonLd,
         "JSON-LD-Datei (*.jsonld *.json)",
         {QStringLiteral("jsonld"), QStringLiteral("json")}},
        {Austauschformat::MealMaster,
         "MealMaster-Datei (*.mmf *.mm *.txt)",
         {QStringLiteral("mmf"), QStringLiteral("mm"), QStringLiteral("txt")}},
    };
    return f;
}

} // namespace

QStringList exportFilter() {
    QStringList l;
    for (const Formatangabe& f : formate())
        l.append(QString::fromUtf8(f.filter));
    return l;
}

Austauschformat exportFormat(const QString& datei, const QString& filter) {
    const QString endung = QFileInfo(datei).suffix().toLower();
    for (const Formatangabe& f : formate())
        if (f.endungen.contains(endung)) return f.format;
    for (const Formatangabe& f : formate())
        if (filter == QString::fromUtf8(f.filter)) return f.format;
    return Austauschformat::Html;
}

QString exportDatei(const QString& datei, Austauschformat format) {
    for (const Formatangabe& f : formate()) {
        if (f.format != format) continue;
        if (f.endungen.contains(QFileInfo(datei).suffix().toLower())) return datei;
        return datei + QLatin1Char('.') + f.endungen.first();
    }
    return datei;
}

Exportergebnis rezepteExportieren(const Unit4& u, const Rezeptstellen& stellen, const QString& datei,
                                  Austauschformat format, const QString& titel,
                                  const Exportfortschritt& fortschritt) {
    Exportergebnis e;
    // Each book is opened once, however its places are spread.
    std::map<QString, Dateihandle> buecher;
    QList<Fremdrezept> rezepte;
    rezepte.reserve(stellen.size());
    constexpr qint64 satz = sizeof(dateien);
    const QString bilder = u.lpf + QStringLiteral("Bilder/");
    for (qsizetype i = 0; i < stellen.size(); ++i) {
        if (fortschritt && i % 200 == 0 && !fortschritt(i, stellen.size())) {
            e.abgebrochen = true;
            return e;
        }
        const Rezeptstelle& s = stellen.at(i);
        auto it = buecher.find(s.buch);
        if (it == buecher.end()) {
            Dateihandle f;
            if (Unit4::sichererName(s.buch)) f = oeffneLesen(u.lpf, u.pfad(s.buch + QStringLiteral(".rez")));
            it = buecher.emplace(s.buch, std::move(f)).first;
        }
        dateien d;
        if (!it->second.offen() || s.position < 1 ||
            liesAb(it->second.fd(), reinterpret_cast<char*>(&d), satz, qint64(s.position - 1) * satz) !=
                satz) {
            ++e.fehlend;
            continue;
        }
        Fremdrezept r = fremdrezeptAusSatz(d);
        // A picture named but missing from the picture folder is left out, not referred to.
        if (!r.bildQuelle.isEmpty() &&
            (!bildnameSicher(r.bildQuelle) || !QFileInfo(bilder + r.bildQuelle).isFile())) {
            ++e.bilderFehlen;
            r.bildQuelle.clear();
        }
        rezepte.append(std::move(r));
    }
    buecher.clear();
    if (rezepte.isEmpty()) {
        e.fehler = QStringLiteral("Es gibt keine Rezepte zum Exportieren; es wurde keine Datei geschrieben.");
        return e;
    }

    const QFileInfo zielInfo(datei);
    if (!zielInfo.absoluteDir().exists() || zielInfo.isDir()) {
        e.fehler =
            QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.\n%2")
                .arg(QDir::toNativeSeparators(datei),
                     zielInfo.isDir() ? QStringLiteral("Unter diesem Namen gibt es schon einen Ordner.")
                                      : QStringLiteral("Den Ordner „%1“ gibt es nicht.")
                                            .arg(QDir::toNativeSeparators(zielInfo.absolutePath())));
        return e;
    }

    // The pictures go into a folder beside the file, which refers to them there; MealMaster has none.
    const QString ordnername = bilderOrdnerFuer(datei);
    Ausgabe a;
    switch (format) {
    case Austauschformat::JsonLd:
        a = schreibeJsonLd(rezepte, ordnername);
        break;
    case Austauschformat::MealMaster:
        a.inhalt = schreibeMealMaster(rezepte);
        break;
    case Austauschformat::Html:
    case Austauschformat::Unbekannt:
        a = schreibeHtml(rezepte, titel, ordnername);
        break;
    }
    QString grund;
    const QString ordner = zielInfo.dir().filePath(ordnername);
    bool ordnerNeu = false; // a picture folder this export made goes again when the file fails
    if (!a.bilder.isEmpty()) {
        ordnerNeu = !QFileInfo::exists(ordner);
        if (!QFileInfo(ordner).isDir() && !zielInfo.dir().mkdir(ordnername)) {
            e.fehler =
                QStringLiteral("Der Ordner „%1“ für die Bilder lässt sich nicht anlegen; es wurde nichts "
                               "exportiert.")
                    .arg(QDir::toNativeSeparators(ordner));
            return e;
        }
        for (const QString& name : a.bilder) {
            const std::optional<QByteArray> bytes = dateiInhalt(bilder + name, qint64(64) << 20);
            if (!bytes) {
                ++e.bilderFehlen;
                continue;
            }
            if (!dateiErsetzen(ordner + QLatin1Char('/') + name, *bytes, &grund)) {
                if (ordnerNeu) QDir(ordner).removeRecursively();
                e.fehler =
                    QStringLiteral("Das Bild „%1“ konnte nicht in den Ordner „%2“ geschrieben werden.\n%3")
                        .arg(name, QDir::toNativeSeparators(ordner), grund);
                return e;
            }
        }
    }
    if (!dateiErsetzen(datei, a.inhalt, &grund)) {
        if (ordnerNeu) QDir(ordner).removeRecursively();
        e.fehler = QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.\n%2")
                       .arg(QDir::toNativeSeparators(datei), grund);
        return e;
    }
    e.anzahl = int(rezepte.size());
    return e;
}

} // namespace pfl
