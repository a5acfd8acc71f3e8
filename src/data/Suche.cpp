#include "data/Suche.h"

#include "data/German.h"
#include "data/Unit4.h"
#include "data/Unit4Intern.h"

namespace pfl {

QString suchform(const QString& s) {
    QString t = ohneRand(s);
    for (QChar& c : t)
        c = c.toUpper(); // one character for one: "ß" keeps its place instead of becoming "SS"
    return t;
}

namespace {

template <typename T> bool vergleiche(int art, const T& wert, const T& gesucht) {
    switch (art) {
    case 0:
        return wert >= gesucht;
    case 1:
        return wert <= gesucht;
    default:
        return wert == gesucht;
    }
}

QString textfeld(const dateien& d, Textfeld f) {
    switch (f) {
    case Textfeld::Kategorie:
        return d.kategorie.toQString();
    case Textfeld::Rubrik:
        return d.Rubrik.toQString();
    case Textfeld::Zutaten:
        return d.zutaten.toQString();
    case Textfeld::Name:
        break;
    }
    return d.name.toQString();
}

} // namespace

bool passt(const dateien& d, const Suchbegriff& b) {
    switch (b.was) {
    case 0: {
        const QString gesucht = suchform(b.objekt);
        const QString feld = suchform(textfeld(d, b.feld));
        if (b.exakt) return gesucht == feld;
        return !gesucht.isEmpty() && feld.contains(gesucht);
    }
    case 1:
    case 2:
    case 3: {
        double preis = 0;
        std::memcpy(&preis, reinterpret_cast<const char*>(&d) + offsetof(dateien, preis), sizeof preis);
        return vergleiche(b.was - 1, preis, b.objekt_zahl);
    }
    case 4:
    case 5:
    case 6: {
        const QDate am = datumLesen(d.erfasst_am.toQString());
        return am.isValid() && b.datum.isValid() && vergleiche(b.was - 4, am, b.datum);
    }
    case 7:
    case 8:
    case 9: {
        const std::optional<double> zeit = dezimalzahl(d.zeit.toQString());
        return zeit && vergleiche(b.was - 7, *zeit, b.objekt_zahl);
    }
    case 10: {
        const QDate am = datumLesen(d.erfasst_am.toQString());
        return am.isValid() &&
               b.objekt.trimmed() == QString::number(am.year()).rightJustified(4, QLatin1Char('0'));
    }
    case 11:
        return b.objekt.trimmed() == d.name.toQString();
    default:
        return false;
    }
}

} // namespace pfl

using namespace pfl::unit4;

QList<pfl::Listenzeile> Unit4::buchListe(const pfl::Suchbegriff* begriff) {
    QList<pfl::Listenzeile> zeilen;
    const QString p = buchPfad();
    if (p.isEmpty()) return zeilen;
    // Code 11 compares bytes: a name that no record can hold finds nothing, without decoding any record.
    QByteArray name;
    const bool nachName = begriff && begriff->was == 11;
    if (nachName && !exakteBytes(begriff->objekt.trimmed(), name)) return zeilen;
    const qint64 n = jederSatz(lpf, p, kSatz, [&](const char* s, qint64 i, bool letzter) {
        const auto* d = reinterpret_cast<const dateien*>(s);
        if (letzter) kopiere(datei, s);
        if (nachName ? !d->name.equalsBytes(name) : begriff && !pfl::passt(*d, *begriff)) return;
        pfl::Listenzeile z;
        z.position = int(i + 1);
        z.kategorie = d->kategorie.toQString();
        z.rubrik = d->Rubrik.toQString();
        z.name = d->name.toQString();
        z.personen = d->personen.toQString();
        z.zeit = d->zeit.toQString();
        z.schwer = d->schwer.toQString();
        z.kalorien = d->kalorien.toQString();
        z.erfasst_am = d->erfasst_am.toQString();
        std::memcpy(&z.preis, s + offsetof(dateien, preis), sizeof(double));
        zeilen.append(std::move(z));
    });
    if (begriff) daten = int(qMax<qint64>(0, n));
    return zeilen;
}
