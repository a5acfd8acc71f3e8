// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Deutsch.h"
#include "data/Suche.h"
#include "data/Unit4Intern.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace pfl::unit4;

namespace {

// Reads the first record of a file; false on any error (missing, short, not a regular file).
template <typename T> bool ersterSatz(const QString& pfad, T& ziel) {
    return pfl::ersterSatz(pfad, ziel);
}

// Replaces a file whole; a failed write leaves the old file intact and, unless the caller
// reports it itself, is reported through the module.
bool ganzeDatei(Unit4& u, const QString& pfad, const QByteArray& inhalt, QString* grund = nullptr) {
    QString eigenerGrund;
    if (pfl::dateiErsetzen(pfad, inhalt, grund ? grund : &eigenerGrund)) return true;
    if (!grund) u.schreibfehlerMelden(QFileInfo(pfad).fileName(), eigenerGrund);
    return false;
}

template <typename T>
bool einzigerSatz(Unit4& u, const QString& pfad, const T& satz, QString* grund = nullptr) {
    return ganzeDatei(u, pfad, pfl::satzBytes(satz), grund);
}

// The print defaults of groups t, k, f, d and b; the other groups and bytes keep their values.
void druckVorgaben(Drucker& drucke) {
    struct Vorgabe {
        int hoehe, pen, zeilen, rand, abstand;
        const char* schrift;
    };
    static const Vorgabe v[5] = {{10, 1, 59, 0, 2, "Tahoma"},
                                 {8, 1, 32, 2, 2, "Verdana"},
                                 {8, 2, 30, 2, 2, "Verdana"},
                                 {8, 1, 50, 0, 0, "Tahoma"},
                                 {8, 1, 50, 0, 1, "Verdana"}};
    for (int g = 0; g < 5; ++g) {
        DruckGruppe& d = drucke.gruppe(g);
        d.text_Hoehe = v[g].hoehe;
        d.pen_strich = v[g].pen;
        d.anz_zeilen = v[g].zeilen;
        d.rand = v[g].rand;
        d.zeilen_abstand = v[g].abstand;
        d.schrift = QString::fromLatin1(v[g].schrift);
    }
}

// Version.ver keeps what a later program put behind its first record, up to this size.
constexpr qint64 kHoechsteVersionsdatei = 1 << 20;

} // namespace

Unit4::Unit4(QObject* parent) : QObject(parent) {
    zeroRecord(datei);
    zeroRecord(datei1);
    zeroRecord(element1);
    zeroRecord(r_daten);
    zeroRecord(k_daten);
    zeroRecord(e_daten);
    zeroRecord(option);
    zeroRecord(drucke);
    zeroRecord(st_inh1);
    zeroRecord(t_version);
}

Unit4::~Unit4() = default;

// ---------------------------------------------------------------- names and paths

namespace {

bool steuerzeichen(QChar c) {
    return c.category() == QChar::Other_Control;
}

constexpr int kBuchnameMax = 80; // optionen.rezeptbuch

} // namespace

bool Unit4::sichererName(const QString& name) {
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0 || steuerzeichen(c))
            return false;
    // "." and ".." are folders; a leading "." hides the file, a leading "-" reads as an option to tools.
    return !name.startsWith(QLatin1Char('.')) && !name.startsWith(QLatin1Char('-'));
}

QString Unit4::buchnameFehler(const QString& name) {
    if (!sichererName(name)) {
        if (name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1Char('-')))
            return QStringLiteral("Der Name eines Rezeptbuchs darf nicht mit einem Punkt oder einem "
                                  "Bindestrich beginnen.");
        return QStringLiteral("Der Name eines Rezeptbuchs darf keine Schrägstriche (/ oder \\) und keine "
                              "Steuerzeichen enthalten.");
    }
    QByteArray bytes;
    if (!exakteBytes(name, bytes)) {
        QString fremd;
        for (const QChar c : name)
            if (pfl::fromCp1252(pfl::toCp1252(QString(c))) != QString(c)) {
                fremd = QString(c);
                break;
            }
        return QStringLiteral("Der Name enthält Zeichen, die in den Einstellungen (\u201ERezept.opt\u201C) "
                              "nicht gespeichert werden können (\u201E%1\u201C). Das aktive Rezeptbuch "
                              "würde nach einem Neustart nicht mehr gefunden.")
            .arg(fremd.isEmpty() ? name : fremd);
    }
    if (bytes.size() > kBuchnameMax)
        return QStringLiteral("Der Name ist zu lang: höchstens %1 Zeichen (er hat %2).")
            .arg(kBuchnameMax)
            .arg(bytes.size());
    return QString();
}

QStringList Unit4::ordnerNamen() const {
    if (m_listenTiefe > 0 && m_listeDa) return m_liste;
    QStringList alle = QDir(lpf).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    // A plain code-point order, so that among names that differ only in case the choice is stable.
    std::sort(alle.begin(), alle.end());
    if (m_listenTiefe > 0) {
        m_liste = alle;
        m_listeDa = true;
    }
    return alle;
}

Unit4::Ordnerliste::Ordnerliste(const Unit4& u) : m_u(u) {
    ++m_u.m_listenTiefe;
}

Unit4::Ordnerliste::~Ordnerliste() {
    if (--m_u.m_listenTiefe == 0) {
        m_u.m_liste.clear();
        m_u.m_listeDa = false;
    }
}

QString Unit4::pfad(const QString& name) const {
    const QString direkt = lpf + name;
    // The exact spelling wins without listing the folder.
    struct stat st;
    if (::lstat(QFile::encodeName(direkt).constData(), &st) == 0) return direkt;
    for (const QString& e : ordnerNamen())
        if (e.compare(name, Qt::CaseInsensitive) == 0) return lpf + e;
    return direkt;
}

QString Unit4::buchPfad() const {
    if (!sichererName(rezeptbuch)) return QString();
    return pfad(rezeptbuch + QLatin1String(".rez"));
}

QStringList Unit4::buchDateien() const {
    QStringList out;
    for (const QString& e : ordnerNamen()) {
        // The nameless book ".rez" is a book like any other.
        if (e.size() < 4 || e.right(4).compare(QLatin1String(".rez"), Qt::CaseInsensitive) != 0) continue;
        const pfl::Dateiart art = pfl::dateiart(lpf, lpf + e);
        if (art == pfl::Dateiart::Datei || art == pfl::Dateiart::LinkDrinnen) out.append(e);
    }
    return out;
}

// ---------------------------------------------------------------- start-up

void Unit4::initialisieren(const QString& datenverzeichnis) {
    lpf = datenverzeichnis;
    if (!lpf.endsWith(QLatin1Char('/'))) lpf += QLatin1Char('/');
    // Half-written files of a run that died; every book and settings file is whole beside them.
    pfl::verwaisteTempDateienEntfernen(lpf);
    version_lesen();
    version = QStringLiteral("1.10");
    versionsnum = 110;
    version_lesen();
    opt_lesen();
    stamminh_lesen();
}

// ---------------------------------------------------------------- name lists

bool Unit4::namenDazu(bool sortiert, QStringList& liste, const QString& name) {
    // Each list keeps a set of its case-folded names beside it, so that a book of many recipes
    // fills its lists in one pass instead of comparing every name with the whole list. A list that
    // someone else emptied or changed is seen by its size and ends and taken anew.
    Namenssatz& satz = m_namenssaetze[&liste];
    const auto gleich = [](const QString& a, const QString& b) { return a.isSharedWith(b) || a == b; };
    if (satz.anzahl != liste.size() ||
        (!liste.isEmpty() && (!gleich(satz.erster, liste.first()) || !gleich(satz.letzter, liste.last())))) {
        satz.gefaltet.clear();
        for (const QString& n : std::as_const(liste))
            satz.gefaltet.insert(n.toCaseFolded());
    }
    const auto merken = [&] {
        satz.anzahl = liste.size();
        satz.erster = liste.isEmpty() ? QString() : liste.first();
        satz.letzter = liste.isEmpty() ? QString() : liste.last();
    };
    bool neu = false;
    const qsizetype vorher = satz.gefaltet.size();
    satz.gefaltet.insert(name.toCaseFolded());
    if (satz.gefaltet.size() != vorher) {
        if (sortiert) {
            // German order, without regard to case; a new name goes behind its equals.
            const QCollator& c = pfl::deutscheSortierung();
            auto it =
                std::upper_bound(liste.begin(), liste.end(), name,
                                 [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
            liste.insert(it, name);
        } else {
            liste.append(name);
        }
        neu = true;
    }
    merken();
    return neu;
}

// ---------------------------------------------------------------- writing helpers

void Unit4::schreibfehlerMelden(const QString& dateiname, const QString& grund) {
    QString text = QStringLiteral("Die Datei \u201E%1\u201C konnte nicht gespeichert werden.").arg(dateiname);
    if (!grund.isEmpty()) text += QLatin1Char('\n') + grund;
    Q_EMIT schreibfehler(text);
}

bool Unit4::leereDatei(const QString& p) {
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, true, &grund);
    if (f.offen()) {
        if (::ftruncate(f.fd(), 0) == 0 && f.schliessen()) return true;
        grund = pfl::dateifehlerText(errno);
    }
    schreibfehlerMelden(nurName(p), grund);
    return false;
}

bool Unit4::satzSchreiben(const QString& p, int fd, const void* satz, qint64 groesse, qint64 pos) {
    QString grund;
    if (pfl::schreibeGanz(fd, static_cast<const char*>(satz), groesse, pos, &grund)) return true;
    schreibfehlerMelden(nurName(p), grund);
    return false;
}

bool Unit4::listeAnhaengen(const QString& p, const void* satz, qint64 groesse, bool nurWennNichtLeer) {
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return false;
    }
    // A torn last record of a damaged file is overwritten, never left between two records.
    const qint64 n = pfl::dateigroesse(f.fd()) / groesse;
    if (nurWennNichtLeer && n < 1) return true;
    if (!satzSchreiben(p, f.fd(), satz, groesse, n * groesse)) return false;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return false;
    }
    return true;
}

bool Unit4::listeAnlegen(const QString& p, const void* satz, qint64 groesse) {
    if (pfl::dateiart(lpf, p) == pfl::Dateiart::Unbrauchbar) {
        schreibfehlerMelden(nurName(p), QStringLiteral("Sie ist keine gewöhnliche Datei im Datenordner."));
        return false;
    }
    pfl::Neudatei neu(lpf);
    if (neu.schreibe(static_cast<const char*>(satz), groesse) && neu.fertig(p)) return true;
    schreibfehlerMelden(nurName(p), neu.grund());
    return false;
}

// ---------------------------------------------------------------- recipe books

void Unit4::rezept_anlegen1() {
    if (!sichererName(rezeptbuch)) return;
    leereDatei(pfad(rezeptbuch + QLatin1String(".rez")));
}

void Unit4::datei_anlegen() {
    if (!sichererName(rezeptbuch)) return;
    leereDatei(pfad(rezeptbuch + QLatin1String(".Rez")));
}

void Unit4::datei_lesen() {
    dateiLesen(nullptr);
}

void Unit4::datei_lesenFuerListe() {
    auto zeilen = std::make_unique<pfl::Listenzeilen>();
    dateiLesen(zeilen.get());
    m_listeVorab = std::move(zeilen);
}

void Unit4::listeVorabVerwerfen() {
    m_listeVorab.reset();
}

void Unit4::dateiLesen(pfl::Listenzeilen* zeilen) {
    m_listeVorab.reset();
    daten = 0;
    listen.rubrikenZuletzt.clear();
    listen.rezeptnamenGewaehlt.clear();
    Year = quint16((uhr ? uhr() : QDate::currentDate()).year());
    const QString p = buchPfad();
    if (!p.isEmpty()) {
        // The buffer ends with the last record, as after a full pass.
        const qint64 n = jederKopf(
            lpf, p, kKopf,
            [&](const char* s, qint64 i) {
                const auto* d = reinterpret_cast<const dateien*>(s);
                if (!d->name.isEmpty()) namenDazu(false, listen.rezeptnamenGesammelt, d->name.toQString());
                if (zeilen) zeilen->anhaengen(s, int(i + 1));
            },
            &datei);
        daten = int(qMax<qint64>(0, n));
    }
    Q_EMIT listenGeaendert();
}

void Unit4::Daten_einsortieren() {
    const QString p = buchPfad();
    if (p.isEmpty()) return;
    if (pfl::dateiart(lpf, p) == pfl::Dateiart::Fehlt) {
        datei_anlegen();
        anz = 0;
        // A book that could not be created was reported already.
        if (pfl::dateiart(lpf, buchPfad()) != pfl::Dateiart::Fehlt) datei_speichern();
        return;
    }
    // One open for reading the count and the last record (what the buffer holds after a full
    // pass) and for writing the new record behind it.
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return;
    }
    anz = int(pfl::dateigroesse(f.fd()) / kSatz);
    if (anz > 0) {
        dateien tmp;
        if (pfl::liesAb(f.fd(), reinterpret_cast<char*>(&tmp), kSatz, qint64(anz - 1) * kSatz) == kSatz)
            datei = tmp;
    }
    neuenSatzSchreiben(p, f);
}

void Unit4::datei_speichern() {
    const QString p = buchPfad();
    if (p.isEmpty()) return;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return;
    }
    neuenSatzSchreiben(p, f);
}

void Unit4::neuenSatzSchreiben(const QString& p, pfl::Dateihandle& f) {
    datei = element1;
    // A torn last record of a damaged book is overwritten, so records stay on their boundaries.
    if (!satzSchreiben(p, f.fd(), &datei, kSatz, qint64(anz) * kSatz)) return;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return;
    }
    erfassenCaption = QStringLiteral("Daten erfolgreich gespeichert.");
    Q_EMIT erfassenCaptionGesetzt(erfassenCaption);
}

void Unit4::datei_speichern_aendern() {
    const QString p = buchPfad();
    if (p.isEmpty() || pfl::dateiart(lpf, p) == pfl::Dateiart::Fehlt) return;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return;
    }
    const qint64 n = pfl::dateigroesse(f.fd()) / kSatz;
    if (satznum < 1 || satznum - 1 > n) return;
    if (!satzSchreiben(p, f.fd(), &datei, kSatz, qint64(satznum - 1) * kSatz)) return;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return;
    }
    erfassenCaption = QStringLiteral("Daten erfolgreich gespeichert.");
    Q_EMIT erfassenCaptionGesetzt(erfassenCaption);
}

void Unit4::Rubriken_erkennen() {
    listen.rezeptnamenGewaehlt.clear();
    const QString p = buchPfad();
    if (!p.isEmpty()) {
        QByteArray kat;
        const bool vergleichbar = exakteBytes(listen.rezeptnamenKategorie, kat);
        jederKopf(
            lpf, p, kKopf,
            [&](const char* s, qint64) {
                const auto* d = reinterpret_cast<const dateien*>(s);
                if (vergleichbar && d->kategorie.equalsBytes(kat))
                    namenDazu(false, listen.rezeptnamenGewaehlt, d->name.toQString());
            },
            &datei);
    }
    Q_EMIT listenGeaendert();
}

void Unit4::Rubriken_oeffnen() {
    listen.rezeptnamenGewaehlt.clear();
    const QString p = buchPfad();
    QByteArray rub;
    if (!p.isEmpty() && exakteBytes(rubrik, rub)) {
        jederKopf(
            lpf, p, kKopf,
            [&](const char* s, qint64) {
                const auto* d = reinterpret_cast<const dateien*>(s);
                if (d->Rubrik.equalsBytes(rub))
                    namenDazu(false, listen.rezeptnamenGewaehlt, d->name.toQString());
            },
            &datei1);
    }
    Q_EMIT listenGeaendert();
}

QList<UebersichtZeile> Unit4::rubrikZeilen() {
    QList<UebersichtZeile> zeilen;
    const QString p = buchPfad();
    QByteArray rub;
    if (p.isEmpty() || !exakteBytes(rubrik, rub)) return zeilen;
    // The buffer holds the last record read, as after a full pass.
    jederKopf(
        lpf, p, kKopf,
        [&](const char* s, qint64 i) {
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (!d->Rubrik.equalsBytes(rub)) return;
            UebersichtZeile z;
            z.name = d->name.toQString();
            z.anzahl = d->anzahl.toQString();
            z.zeit = d->zeit.toQString();
            z.k_zeit = d->k_zeit.toQString();
            z.kalorien = d->kalorien.toQString();
            std::memcpy(&z.preis, s + offsetof(dateien, preis), sizeof(double));
            z.position = int(i + 1);
            zeilen.append(std::move(z));
        },
        &datei);
    return zeilen;
}

int Unit4::buchAnzahl() const {
    const QString p = buchPfad();
    if (p.isEmpty()) return 0;
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, p);
    return f.offen() ? int(qMax<qint64>(0, pfl::dateigroesse(f.fd())) / kSatz) : 0;
}

bool Unit4::satz_lesen(int nummer) {
    const QString p = buchPfad();
    if (p.isEmpty() || nummer < 1) return false;
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, p);
    if (!f.offen()) return false;
    dateien tmp;
    if (pfl::liesAb(f.fd(), reinterpret_cast<char*>(&tmp), kSatz, qint64(nummer - 1) * kSatz) != kSatz)
        return false;
    datei = tmp;
    return true;
}

bool Unit4::gerichtLesen(const QString& name, dateien& treffer, QStringList& bilder) {
    bilder.clear();
    const QString p = buchPfad();
    QByteArray gesucht;
    bool gefunden = false;
    if (p.isEmpty() || !exakteBytes(name, gesucht)) return false;
    // Names and picture names from the records' heads; the last match is read whole afterwards.
    constexpr qsizetype kMitBild = offsetof(dateien, bild) + sizeof(dateien::bild);
    qint64 letzterTreffer = -1;
    jederKopf(
        lpf, p, kMitBild,
        [&](const char* s, qint64 i) {
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (!d->name.equalsBytes(gesucht)) return;
            bilder.append(d->bild.toQString());
            letzterTreffer = i;
        },
        &datei); // the buffer ends with the last record, as after a full pass
    if (letzterTreffer < 0) return false;
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, p);
    dateien tmp;
    if (!f.offen() ||
        pfl::liesAb(f.fd(), reinterpret_cast<char*>(&tmp), kSatz, letzterTreffer * kSatz) != kSatz) {
        bilder.clear();
        return false;
    }
    treffer = tmp;
    gefunden = true;
    return gefunden;
}

// ---------------------------------------------------------------- sections and categories

void Unit4::Rubriken_lesen() {
    listen.rubrikenZuletzt.clear();
    listen.rubrikenGelesen.clear();
    listen.rubrikenSortiert.clear();
    jederSatz(lpf, pfad(QStringLiteral("Rubriken.rub")), sizeof(rubriken), [&](const char* s, qint64, bool) {
        kopiere(r_daten, s);
        if (r_daten.rubrik.isEmpty()) return;
        const QString n = r_daten.rubrik.toQString();
        namenDazu(false, listen.rubrikenSeitSuchbeginn, n);
        namenDazu(false, listen.rubrikenZuletzt, n);
        namenDazu(false, listen.rubrikenGesammelt, n);
        namenDazu(true, listen.rubrikenSortiert, n);
        namenDazu(false, listen.rubrikenGelesen, n);
    });
    Q_EMIT listenGeaendert();
    Q_EMIT spaltenbreitenNeu();
}

void Unit4::Rubriken_speichern() {
    const QString p = pfad(QStringLiteral("Rubriken.rub"));
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &r_daten, sizeof(rubriken), false);
    else
        Rubriken_anlegen();
}

void Unit4::Rubriken_anlegen() {
    // The first record is stored twice (create, then append); readers drop the repeat.
    if (listeAnlegen(pfad(QStringLiteral("Rubriken.rub")), &r_daten, sizeof(rubriken))) Rubriken_speichern();
}

void Unit4::Kategorien_lesen() {
    listen.rubrikenZuletzt.clear();
    listen.kategorienGelesen.clear();
    jederSatz(lpf, pfad(QStringLiteral("kategorien.kat")), sizeof(kategorien),
              [&](const char* s, qint64, bool) {
                  kopiere(k_daten, s);
                  if (k_daten.kategorie.isEmpty()) return;
                  const QString n = k_daten.kategorie.toQString();
                  namenDazu(false, listen.kategorienSeitSuchbeginn, n);
                  namenDazu(false, listen.kategorienGelesen, n);
                  namenDazu(false, listen.kategorienGesammelt, n);
              });
    Q_EMIT listenGeaendert();
}

void Unit4::Kategorien_speichern() {
    const QString p = pfad(QStringLiteral("kategorien.kat"));
    // An existing empty file stays empty.
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &k_daten, sizeof(kategorien), true);
    else
        Kategorien_anlegen();
}

void Unit4::Kategorien_anlegen() {
    if (listeAnlegen(pfad(QStringLiteral("kategorien.kat")), &k_daten, sizeof(kategorien)))
        Kategorien_speichern();
}

// ---------------------------------------------------------------- shopping list

void Unit4::einkauflist_lesen() {
    bool gelesen = false;
    jederSatz(lpf, pfad(QStringLiteral("Einkaufsliste.Ekl")), sizeof(Einkaufstliste),
              [&](const char* s, qint64, bool) {
                  kopiere(e_daten, s);
                  gelesen = true;
              });
    if (gelesen) {
        einkaufText = e_daten.e_liste.toQString();
        Q_EMIT einkaufGelesen(einkaufText);
    }
}

void Unit4::einkauflist_speichern() {
    const QString p = pfad(QStringLiteral("Einkaufsliste.Ekl"));
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Fehlt)
        listeAnhaengen(p, &e_daten, sizeof(Einkaufstliste), true);
    else
        einkauflist_anlegen();
}

void Unit4::einkauflist_anlegen() {
    if (listeAnlegen(pfad(QStringLiteral("Einkaufsliste.Ekl")), &e_daten, sizeof(Einkaufstliste)))
        einkauflist_speichern();
}

// ---------------------------------------------------------------- single-record files

void Unit4::opt_lesen() {
    const QString p = pfad(QStringLiteral("Rezept.opt"));
    if (!existiert(p)) return;
    if (ersterSatz(p, option)) rezeptbuch = option.rezeptbuch.toQString();
}

void Unit4::opt_speichern() {
    einzigerSatz(*this, pfad(QStringLiteral("Rezept.opt")), option);
}

void Unit4::druck_lesen() {
    if (!ersterSatz(pfad(QStringLiteral("Drucker.drk")), drucke)) druck_anlegen();
}

void Unit4::druck_speichern() {
    const QString p = pfad(QStringLiteral("Drucker.drk"));
    QString grund;
    if (einzigerSatz(*this, p, drucke, &grund)) return;
    schreibfehlerMelden(QFileInfo(p).fileName(), grund);
    // The fall-back to the defaults (druck_anlegen); its own failure is the same failure, told once.
    druckVorgaben(drucke);
    einzigerSatz(*this, p, drucke, &grund);
}

void Unit4::druck_anlegen() {
    druckVorgaben(drucke);
    einzigerSatz(*this, pfad(QStringLiteral("Drucker.drk")), drucke);
}

void Unit4::stamminh_lesen() {
    const QString p = pfad(QStringLiteral("Stammdaten.sti"));
    if (!existiert(p) || !ersterSatz(p, st_inh1)) stamminh_speichern();
}

void Unit4::stamminh_speichern() {
    einzigerSatz(*this, pfad(QStringLiteral("Stammdaten.sti")), st_inh1);
}

void Unit4::version_lesen() {
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (existiert(p)) ersterSatz(p, t_version);
}

void Unit4::version_speichern() {
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (!existiert(p)) {
        version_anlegen();
        return;
    }
    t_version.version = versionsnum;
    // Only the first record is replaced; anything behind it stays.
    std::optional<QByteArray> inhalt = pfl::dateiInhalt(p, kHoechsteVersionsdatei);
    if (!inhalt) {
        schreibfehlerMelden(QFileInfo(p).fileName(),
                            QStringLiteral("Die bisherige Datei lässt sich nicht lesen oder ist zu groß."));
        return;
    }
    if (inhalt->size() < qsizetype(sizeof(welcheversion))) inhalt->resize(sizeof(welcheversion));
    inhalt->replace(0, sizeof(welcheversion), pfl::satzBytes(t_version));
    ganzeDatei(*this, p, *inhalt);
}

void Unit4::version_anlegen() {
    // Creating the file empty and then storing the stamp in it ends in the same single record;
    // written in one step, a failure leaves no empty file behind.
    t_version.version = versionsnum;
    einzigerSatz(*this, pfad(QStringLiteral("Version.ver")), t_version);
}
