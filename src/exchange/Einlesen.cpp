// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Einlesen.h"

#include "data/Cp1252.h"
#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "exchange/Abruf.h"
#include "formats/Dubletten.h"
#include "formats/Leser.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QUrl>

#include <cstring>
#include <memory>

namespace pfl {

namespace {

// A picture in a data: address ("data:image/png;base64,...").
std::optional<QByteArray> datenAdresse(const QString& q) {
    const qsizetype komma = q.indexOf(QLatin1Char(','));
    if (komma < 0) return std::nullopt;
    const QString kopf = q.left(komma);
    if (!kopf.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)) return std::nullopt;
    const auto r =
        QByteArray::fromBase64Encoding(q.mid(komma + 1).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!r) return std::nullopt;
    return *r;
}

} // namespace

qsizetype Importliste::gewaehlt() const {
    return std::count_if(rezepte.cbegin(), rezepte.cend(), [](const Importrezept& r) { return r.gewaehlt; });
}

qsizetype Importliste::doppelte() const {
    return std::count_if(rezepte.cbegin(), rezepte.cend(),
                         [](const Importrezept& r) { return r.doppelt != Importrezept::Doppelt::Nein; });
}

qsizetype Importliste::gekuerzte() const {
    return std::count_if(rezepte.cbegin(), rezepte.cend(),
                         [](const Importrezept& r) { return !r.kuerzungen.isEmpty(); });
}

QString kuerzungText(const Kuerzung& k) {
    constexpr int kKurz = 160;
    // One line per change: the line breaks of a text show as " / ".
    const auto eineZeile = [](QString t) { return t.replace(QLatin1Char('\n'), QStringLiteral(" / ")); };
    if (k.vorher.size() <= kKurz && k.gespeichert.size() <= kKurz)
        return QStringLiteral("%1: „%2“ wird als „%3“ gespeichert")
            .arg(k.feld, eineZeile(k.vorher), eineZeile(k.gespeichert));
    return QStringLiteral("%1: %2 Zeichen werden als %3 Zeichen gespeichert, endend auf „…%4“")
        .arg(k.feld)
        .arg(k.vorher.size())
        .arg(k.gespeichert.size())
        .arg(eineZeile(k.gespeichert.right(60)));
}

QString Abgelehnt::text() const {
    return grund.contains(quelle) ? grund : QStringLiteral("„%1“: %2").arg(quelle, grund);
}

QString quellenName(const QString& quelle) {
    if (istWebadresse(quelle)) return quelle.trimmed();
    return QFileInfo(quelle).fileName();
}

namespace {

// The picture the recipe names, from beside the page (only inside its folder), from the web or from
// a data: address. False when the user cancelled.
bool bildHolen(Importrezept& r, const QUrl& basis, const QString& ordner, Abrufer& abrufer,
               const std::function<bool(qint64)>& weiter) {
    const QString q = r.rezept.bildQuelle.trimmed();
    if (q.isEmpty()) return true;
    QString anzeige =
        q.startsWith(QLatin1String("data:"), Qt::CaseInsensitive) ? QStringLiteral("(eingebettet)") : q;
    if (anzeige.size() > 80) anzeige = anzeige.left(77) + QStringLiteral("...");
    QByteArray bytes;
    if (q.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        const auto d = datenAdresse(q);
        if (!d || d->size() > kGroessteDatei) {
            r.bildHinweis = QStringLiteral("Das eingebettete Bild lässt sich nicht lesen.");
            return true;
        }
        bytes = *d;
    } else {
        const QUrl ziel = bildUrl(q, basis);
        if (!ziel.isValid()) {
            r.bildHinweis = QStringLiteral("Das Bild „%1“ kann nicht geladen werden.").arg(anzeige);
            return true;
        }
        if (ziel.isLocalFile()) {
            // Only what lies beside the page, never a file elsewhere on the computer.
            const QString echt = QFileInfo(ziel.toLocalFile()).canonicalFilePath();
            const QString drin = ordner.isEmpty() ? QString() : QFileInfo(ordner).canonicalFilePath();
            if (echt.isEmpty()) {
                r.bildHinweis = QStringLiteral("Das Bild „%1“ wurde nicht gefunden.").arg(anzeige);
                return true;
            }
            if (drin.isEmpty() || !echt.startsWith(drin + QLatin1Char('/'))) {
                r.bildHinweis =
                    QStringLiteral("Das Bild „%1“ liegt nicht im Ordner der Seite und wird nicht übernommen.")
                        .arg(anzeige);
                return true;
            }
            const std::optional<QByteArray> b = dateiInhalt(echt, kGroessteDatei);
            if (!b) {
                r.bildHinweis = QStringLiteral("Das Bild „%1“ lässt sich nicht lesen.").arg(anzeige);
                return true;
            }
            bytes = *b;
        } else {
            const Abrufergebnis a = abrufer.abrufen(ziel, weiter);
            if (a.abgebrochen) return false;
            if (!a.ok()) {
                r.bildHinweis = a.fehler;
                return true;
            }
            bytes = a.daten;
        }
    }
    QString grund;
    std::optional<Rezeptbild> b = bildPruefen(bytes, anzeige, &grund);
    if (!b) {
        // Pages often serve other formats (WebP, GIF); what the toolkit decodes is kept as PNG.
        const QImage bild = QImage::fromData(bytes);
        if (!bild.isNull()) {
            QByteArray png;
            QBuffer puffer(&png);
            puffer.open(QIODevice::WriteOnly);
            if (bild.save(&puffer, "PNG")) b = bildPruefen(png, anzeige, &grund);
        }
    }
    if (!b) {
        r.bildHinweis = grund;
        return true;
    }
    r.bild = std::move(*b);
    // The source's own file name where it has one, else the recipe's name.
    QString wunsch =
        q.startsWith(QLatin1String("data:"), Qt::CaseInsensitive) ? QString() : QUrl(q).fileName().trimmed();
    if (wunsch.isEmpty() || wunsch.startsWith(QLatin1Char('.')))
        wunsch = r.rezept.name.trimmed().isEmpty() ? QStringLiteral("Bild") : r.rezept.name.trimmed();
    r.bildname = bildname(wunsch, r.bild.format);
    return true;
}

} // namespace

Importliste importLesen(const QStringList& quellen, Abrufer& abrufer, const Importfortschritt& fortschritt) {
    Importliste l;
    const auto ablehnen = [&l](const QString& name, const QString& grund) {
        l.abgelehnt.append({name, grund});
    };
    for (const QString& quelle : quellen) {
        const QString name = quellenName(quelle);
        QString was = QStringLiteral("„%1“ wird gelesen …").arg(name);
        const auto weiter = [&](qint64 erledigt, qint64 gesamt) {
            return !fortschritt || fortschritt(was, erledigt, gesamt);
        };
        const auto abruf = [&](qint64 n) { return weiter(n, 0); };
        if (!weiter(0, 0)) {
            l.abgebrochen = true;
            break;
        }
        QUrl basis;
        QString ordner;
        Leseergebnis gelesen;
        if (istWebadresse(quelle)) {
            was = QStringLiteral("„%1“ wird geladen …").arg(name);
            const Abrufergebnis a = abrufer.abrufen(QUrl(quelle.trimmed()), abruf);
            if (a.abgebrochen) {
                l.abgebrochen = true;
                break;
            }
            if (!a.ok()) {
                l.abgelehnt.append({name, a.fehler});
                continue;
            }
            basis = a.url;
            was = QStringLiteral("„%1“ wird gelesen …").arg(name);
            // The address's extension may name a MealMaster or JSON-LD file; otherwise the content decides.
            const Austauschformat f = formatAusDateiname(a.url.path());
            gelesen = leseDaten(a.daten, f == Austauschformat::Html ? Austauschformat::Unbekannt : f, weiter);
        } else {
            const QFileInfo info(quelle);
            basis = QUrl::fromLocalFile(info.absoluteFilePath());
            ordner = info.absolutePath();
            gelesen = leseDatei(info.absoluteFilePath(), weiter);
        }
        if (gelesen.abgebrochen) {
            l.abgebrochen = true;
            break;
        }
        if (gelesen.rezepte.isEmpty()) {
            ablehnen(name, gelesen.grund.isEmpty()
                               ? QStringLiteral("In „%1“ wurde kein Rezept gefunden.").arg(name)
                               : gelesen.grund);
            continue;
        }
        l.rezepte.reserve(l.rezepte.size() + gelesen.rezepte.size());
        for (Fremdrezept& f : gelesen.rezepte) {
            Importrezept r;
            r.rezept = std::move(f);
            r.quelle = name;
            if (!r.rezept.bildQuelle.isEmpty()) {
                was = QStringLiteral("Bild zu „%1“ wird geladen …").arg(r.rezept.name);
                if (!bildHolen(r, basis, ordner, abrufer, abruf)) {
                    l.abgebrochen = true;
                    return l;
                }
            }
            l.rezepte.append(std::move(r));
        }
    }
    return l;
}

QString vorgeschlageneRubrik(const Unit4& u) {
    if (!u.rubrik.trimmed().isEmpty()) return u.rubrik;
    if (!u.listen.rubrikenSortiert.isEmpty()) return u.listen.rubrikenSortiert.first();
    return QStringLiteral("Importiert");
}

namespace {

// The recipe as it goes into the section chosen for the import, whatever the source named.
Satzvorschau vorschauFuer(const Fremdrezept& rezept, const QString& rubrik, const QDate& heute) {
    return satzAusFremdrezept(rezept, rubrik, heute, true);
}

// The lines of a stored text (CR LF breaks) that hold more than blanks, counted in its bytes.
template <int N> int eintraege(const TextBlock<N>& block) {
    const void* z = std::memchr(block.bytes, 0, N + 1);
    const auto* b = reinterpret_cast<const unsigned char*>(block.bytes);
    const qsizetype n = z ? static_cast<const char*>(z) - block.bytes : N + 1;
    int zeilen = 0;
    bool inhalt = false;
    for (qsizetype i = 0; i < n; ++i) {
        if (b[i] == '\n') {
            zeilen += int(inhalt);
            inhalt = false;
        } else if (!cp1252Leer(b[i])) { // a CR before the LF is white space too
            inhalt = true;
        }
    }
    return zeilen + int(inhalt);
}

} // namespace

dateien Importliste::satz(qsizetype i) const {
    return vorschauFuer(rezepte.at(i).rezept, rubrik, heute).satz;
}

void rubrikSetzen(Importliste& liste, const QString& rubrik, const QDate& heute) {
    liste.rubrik = rubrik;
    liste.heute = heute;
    for (Importrezept& r : liste.rezepte) {
        Satzvorschau v = vorschauFuer(r.rezept, rubrik, heute);
        r.name = v.satz.name.toQString();
        r.kategorie = v.satz.kategorie.toQString();
        r.zutaten = eintraege(v.satz.zutaten);
        r.schritte = eintraege(v.satz.zubereitung);
        r.kuerzungen = std::move(v.kuerzungen);
        r.schluessel = dublettenSchluessel(v.satz);
    }
}

void doppelteMarkieren(Importliste& liste, const Unit4& u, bool auchDoppelte) {
    QSet<QByteArray> imBuch;
    const QString p = u.buchPfad();
    if (!p.isEmpty()) {
        Dateihandle f = oeffneLesen(u.lpf, p);
        if (f.offen()) {
            constexpr qint64 satz = sizeof(dateien);
            const qint64 n = dateigroesse(f.fd()) / satz;
            Satzleser leser(f.fd(), satz, n);
            for (qint64 i = 0; i < n; ++i)
                if (const char* s = leser.satz(i, satz))
                    imBuch.insert(dublettenSchluessel(*reinterpret_cast<const dateien*>(s)));
        }
    }
    QSet<QByteArray> imImport;
    for (Importrezept& r : liste.rezepte) {
        if (imBuch.contains(r.schluessel))
            r.doppelt = Importrezept::Doppelt::ImBuch;
        else if (imImport.contains(r.schluessel))
            r.doppelt = Importrezept::Doppelt::ImImport;
        else
            r.doppelt = Importrezept::Doppelt::Nein;
        imImport.insert(r.schluessel);
        r.gewaehlt = r.doppelt == Importrezept::Doppelt::Nein || auchDoppelte;
    }
}

Importschreibung importSchreiben(Unit4& u, const Importliste& liste) {
    Importschreibung e;
    if (u.rezeptbuch.isEmpty() || u.buchPfad().isEmpty()) {
        e.fehler = QStringLiteral("Es ist kein Rezeptbuch gewählt. Legen Sie zuerst ein Rezeptbuch an "
                                  "(Datei › Rezeptbuch anlegen).");
        return e;
    }
    const QString bilder = u.lpf + QStringLiteral("Bilder/");
    const QSet<QString> vorher = [&] {
        const QStringList l = QDir(bilder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        return QSet<QString>(l.cbegin(), l.cend());
    }();
    QStringList neueBilder;
    const auto bilderEntfernen = [&] {
        for (const QString& n : neueBilder)
            QFile::remove(bilder + n);
    };
    // The pictures first; the records are made a block at a time as the append asks for them, so a
    // large import is never whole in memory.
    QList<qsizetype> genommen;
    QStringList bildnamen;
    genommen.reserve(liste.gewaehlt());
    for (qsizetype i = 0; i < liste.rezepte.size(); ++i) {
        const Importrezept& r = liste.rezepte.at(i);
        if (!r.gewaehlt) continue;
        QString name;
        if (!r.bild.leer()) {
            name = r.bildname;
            QString grund;
            if (!bildSpeichern(bilder, r.bild, name, &grund)) {
                bilderEntfernen();
                e.fehler = grund.replace(QStringLiteral("Das Rezept wurde nicht gespeichert."),
                                         QStringLiteral("Es wurde nichts importiert."));
                return e;
            }
            if (!vorher.contains(name) && !neueBilder.contains(name)) neueBilder.append(name);
        }
        genommen.append(i);
        bildnamen.append(name);
    }
    if (genommen.isEmpty()) return e;
    const auto fuellen = [&](qsizetype k, dateien& s) {
        satzFuellen(liste.rezepte.at(genommen.at(k)).rezept, liste.rubrik, liste.heute, s, true);
        if (!bildnamen.at(k).isEmpty()) s.bild = bildnamen.at(k);
    };
    QString meldung;
    const QMetaObject::Connection wache =
        QObject::connect(&u, &Unit4::schreibfehler, [&meldung](const QString& m) { meldung = m; });
    const bool ok = u.saetzeAnhaengen(genommen.size(), fuellen);
    QObject::disconnect(wache);
    if (!ok) {
        bilderEntfernen();
        e.fehler =
            (meldung.isEmpty() ? QStringLiteral("Die Rezepte konnten nicht gespeichert werden.") : meldung) +
            QStringLiteral("\nEs wurde nichts importiert.");
        e.gemeldet = !meldung.isEmpty();
        return e;
    }
    e.anzahl = int(genommen.size());
    // The section of the imported recipes shows in the main window only when the section list has it.
    const QString gespeichert = [&] {
        auto erster = std::make_unique<dateien>();
        zeroRecord(*erster);
        fuellen(0, *erster);
        return erster->Rubrik.toQString();
    }();
    u.Rubriken_lesen();
    const bool bekannt =
        std::any_of(u.listen.rubrikenGelesen.cbegin(), u.listen.rubrikenGelesen.cend(),
                    [&](const QString& n) { return n.compare(gespeichert, Qt::CaseInsensitive) == 0; });
    if (!bekannt && !gespeichert.isEmpty()) {
        zeroRecord(u.r_daten);
        u.r_daten.rubrik = gespeichert;
        u.Rubriken_speichern();
        u.Rubriken_lesen();
        e.rubrikNeu = gespeichert;
    }
    return e;
}

} // namespace pfl
