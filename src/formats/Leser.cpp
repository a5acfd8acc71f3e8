// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Leser.h"

#include "data/Dateischreiber.h"
#include "data/Deutsch.h"

#include <QFileInfo>

namespace pfl {

namespace {

QString inAnfuehrung(const QString& s) {
    return QStringLiteral("\u201E") + s + QStringLiteral("\u201C");
}

// What the bytes look like, for files whose name says nothing.
Austauschformat formatAusInhalt(const QByteArray& daten) {
    const QByteArray anfang = daten.left(64 * 1024);
    if (anfang.contains("Meal-Master") || anfang.contains("MEAL-MASTER") || anfang.contains("Meal-master"))
        return Austauschformat::MealMaster;
    const QByteArray t = anfang.trimmed();
    const QByteArray ohneBom = t.startsWith("\xEF\xBB\xBF") ? t.mid(3).trimmed() : t;
    if (ohneBom.startsWith('{') || ohneBom.startsWith('[')) return Austauschformat::JsonLd;
    if (ohneBom.startsWith('<')) return Austauschformat::Html;
    return Austauschformat::MealMaster;
}

} // namespace

Austauschformat formatAusDateiname(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    if (endung == QLatin1String("html") || endung == QLatin1String("htm") || endung == QLatin1String("xhtml"))
        return Austauschformat::Html;
    if (endung == QLatin1String("json") || endung == QLatin1String("jsonld")) return Austauschformat::JsonLd;
    if (endung == QLatin1String("mmf") || endung == QLatin1String("mm") || endung == QLatin1String("txt"))
        return Austauschformat::MealMaster;
    return Austauschformat::Unbekannt;
}

QString groessePruefen(qint64 groesse) {
    if (groesse <= kGroessteDatei) return {};
    return QStringLiteral("Die Datei ist zu groß (%1 MB); es werden höchstens %2 MB eingelesen.")
        .arg(dezimalText(double(groesse) / (1024.0 * 1024.0), 1, true))
        .arg(kGroessteDatei / (1024 * 1024));
}

Leseergebnis leseDaten(const QByteArray& daten, Austauschformat format, const Fortschritt& weiter) {
    const QString zuGross = groessePruefen(daten.size());
    if (!zuGross.isEmpty()) {
        Leseergebnis e;
        e.grund = zuGross;
        return e;
    }
    if (format == Austauschformat::Unbekannt) format = formatAusInhalt(daten);
    switch (format) {
    case Austauschformat::Html:
        return leseHtml(daten);
    case Austauschformat::JsonLd:
        return leseJsonLd(daten);
    case Austauschformat::MealMaster:
    case Austauschformat::Unbekannt:
        break;
    }
    return leseMealMaster(daten, weiter);
}

Leseergebnis leseDatei(const QString& pfad, const Fortschritt& weiter) {
    Leseergebnis e;
    const QFileInfo info(pfad);
    const QString name = inAnfuehrung(info.fileName());
    if (!info.exists()) {
        e.grund = QStringLiteral("Die Datei %1 gibt es nicht.").arg(name);
        return e;
    }
    if (!info.isFile()) {
        e.grund = QStringLiteral("%1 ist keine Datei.").arg(name);
        return e;
    }
    e.grund = groessePruefen(info.size());
    if (!e.grund.isEmpty()) return e;
    const std::optional<QByteArray> daten = dateiInhalt(pfad, kGroessteDatei);
    if (!daten) {
        e.grund = QStringLiteral("Die Datei %1 lässt sich nicht lesen.").arg(name);
        return e;
    }
    return leseDaten(*daten, formatAusDateiname(pfad), weiter);
}

QUrl bildUrl(const QString& bildQuelle, const QUrl& herkunft) {
    const QString q = bildQuelle.trimmed();
    if (q.isEmpty() || q.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) return {};
    QUrl u(q);
    if (!u.isValid()) return {};
    if (u.isRelative()) u = herkunft.resolved(u);
    const QString schema = u.scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https")) return u;
    // A local picture only for a page that is local itself: a page from the web names no file here.
    if (schema == QLatin1String("file") && herkunft.isLocalFile()) return u;
    return {};
}

} // namespace pfl
