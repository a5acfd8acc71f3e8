// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Deutsch.h"
#include "data/Sicherung.h"
#include "data/Suche.h"
#include "data/Unit4Intern.h"
#include "data/Vorhaben.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <string>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

using namespace pfl::unit4;

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
    // The system's own listing: one through Qt skips names that are not UTF-8.
    QStringList alle = pfl::ordnerEintraege(lpf).value_or(QStringList());
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
    if (::lstat(pfl::nativ(direkt).constData(), &st) == 0) return direkt;
    const QStringList namen = ordnerNamen();
    for (const QString& e : namen)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return lpf + e;
    // A name written by Windows in its code page is found as the user reads it.
    for (const QString& e : namen)
        if (const QString a = pfl::anzeigename(e); a != e && a.compare(name, Qt::CaseInsensitive) == 0)
            return lpf + e;
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
    if (mitgeliefert.isEmpty()) mitgeliefert = lpf;
    if (!mitgeliefert.endsWith(QLatin1Char('/'))) mitgeliefert += QLatin1Char('/');
    // Half-written files of a run that died; every book and settings file is whole beside them.
    if (!nurLesen)
        for (const QString& ordner : {QString(), QStringLiteral("Bilder/"), QStringLiteral("Hintergrund/")})
            pfl::verwaisteTempDateienEntfernen(lpf + ordner);
    ersetzenNachholen();
    vorhabenAbschliessen();
    // A change still waiting for its journal is the cause of any torn record; it is told already.
    if (!pfl::vorhaben::lesen(lpf)) teilsaetzeMelden();
    version_lesen();
    version = QStringLiteral("1.10");
    versionsnum = 110;
    version_lesen();
    opt_lesen();
    stamminh_lesen();
}

void Unit4::vorhabenAbschliessen() {
    const std::optional<pfl::vorhaben::Gelesen> g = pfl::vorhaben::lesen(lpf);
    if (!g) return;
    // On read-only media nothing can be finished or taken back; the journal waits for a writable start.
    if (nurLesen || ::access(pfl::nativ(lpf).constData(), W_OK) != 0) {
        Q_EMIT hinweis(pfl::vorhaben::wartetText());
        return;
    }
    const QString art = g->inhalt.value(QStringLiteral("art")).toString();
    std::optional<QString> meldung;
    if (g->unlesbar)
        meldung = QStringLiteral("Die Aufzeichnung eines bei der letzten Sitzung unterbrochenen Vorgangs ist "
                                 "unlesbar und wurde entfernt. Bitte prüfen Sie Ihre Rezeptbücher.");
    else if (art == QLatin1String("anhaengen"))
        meldung = anhaengenAbschliessen(g->inhalt);
    else if (art == QLatin1String("umbenennen"))
        meldung = umbenennenAbschliessen(g->inhalt);
    else if (art == QLatin1String("wiederherstellen"))
        meldung = pfl::wiederherstellungAbschliessen(lpf, g->inhalt);
    else
        meldung = QStringLiteral("Die Aufzeichnung eines bei der letzten Sitzung unterbrochenen Vorgangs "
                                 "stammt von einer anderen Programmversion und wurde entfernt. Bitte prüfen "
                                 "Sie Ihre Rezeptbücher.");
    if (!meldung) {
        Q_EMIT hinweis(QStringLiteral("Ein bei der letzten Sitzung unterbrochener Vorgang konnte nicht "
                                      "abgeschlossen werden; beim nächsten Start wird es erneut versucht."));
        return;
    }
    pfl::vorhaben::entfernen(lpf);
    Q_EMIT hinweis(*meldung);
}

// ---------------------------------------------------------------- name lists

// Each list keeps a set of its case-folded names beside it, so that a book of many recipes fills its
// lists in one pass instead of comparing every name with the whole list. A list that someone else
// emptied or changed is seen by its size and ends and taken anew.
Unit4::Namenssatz& Unit4::namenssatz(const QStringList& liste) {
    Namenssatz& satz = m_namenssaetze[&liste];
    const auto gleich = [](const QString& a, const QString& b) { return a.isSharedWith(b) || a == b; };
    if (satz.anzahl != liste.size() ||
        (!liste.isEmpty() && (!gleich(satz.erster, liste.first()) || !gleich(satz.letzter, liste.last())))) {
        satz.gefaltet.clear();
        for (const QString& n : liste)
            satz.gefaltet.dazu(pfl::gefaltet(n, m_faltpuffer));
        satz.merken(liste);
    }
    return satz;
}

void Unit4::Namenssatz::merken(const QStringList& liste) {
    anzahl = liste.size();
    erster = liste.isEmpty() ? QString() : liste.first();
    letzter = liste.isEmpty() ? QString() : liste.last();
}

bool Unit4::namenDazu(bool sortiert, QStringList& liste, const QString& name) {
    Namenssatz& satz = namenssatz(liste);
    if (!satz.gefaltet.dazu(pfl::gefaltet(name, m_faltpuffer))) return false;
    if (sortiert) {
        // German order, without regard to case; a new name goes behind its equals.
        const QCollator& c = pfl::deutscheSortierung();
        auto it = std::upper_bound(liste.begin(), liste.end(), name,
                                   [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
        liste.insert(it, name);
    } else {
        liste.append(name);
    }
    satz.merken(liste);
    return true;
}

bool Unit4::gespeichertenNamenDazu(QStringList& liste, const char* name, qsizetype laenge) {
    Namenssatz& satz = namenssatz(liste);
    if (!satz.gefaltet.dazu(pfl::gefaltetCp1252(name, laenge, m_faltpuffer))) return false;
    liste.append(pfl::fromCp1252(name, laenge));
    satz.merken(liste);
    return true;
}

void Unit4::namenReservieren(QStringList& liste, qsizetype n) {
    Namenssatz& satz = namenssatz(liste);
    liste.reserve(liste.size() + n);
    // Names of recipes are some twenty characters.
    satz.gefaltet.reserve(satz.gefaltet.size() + n, 20 * (satz.gefaltet.size() + n));
}

// ---------------------------------------------------------------- a folder that can only be read

bool Unit4::schreibbar() {
    if (!nurLesen) return true;
    Q_EMIT hinweis(nurLesenText());
    return false;
}

QString Unit4::nurLesenText() const {
    return QStringLiteral("Der Datenordner \u201E%1\u201C kann nur gelesen werden (schreibgeschützt).\n"
                          "Sie können Ihre Rezepte ansehen, suchen und drucken; gespeichert, geändert "
                          "oder gelöscht werden kann darin nichts.")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(lpf)));
}

QString Unit4::mitgeliefertPfad(const QString& name) const {
    return (mitgeliefert.isEmpty() ? lpf : mitgeliefert) + name;
}

QString Unit4::hintergrundDatei(const QString& name) const {
    if (name.isEmpty() || !sichererName(name)) return QString();
    for (const QString& ordner : hintergrundOrdner()) {
        const QString bild = ordner + QLatin1Char('/') + name;
        if (QFileInfo(bild).isFile()) return bild;
    }
    return QString();
}

QStringList Unit4::hintergrundOrdner() const {
    const QString eigen = lpf + QStringLiteral("Hintergrund");
    const QString geliefert = mitgeliefertPfad(QStringLiteral("Hintergrund"));
    if (QFileInfo(eigen) == QFileInfo(geliefert)) return {eigen};
    return {eigen, geliefert};
}

// ---------------------------------------------------------------- writing helpers

void Unit4::schreibfehlerMelden(const QString& dateiname, const QString& grund) {
    QString text = QStringLiteral("Die Datei \u201E%1\u201C konnte nicht gespeichert werden.")
                       .arg(pfl::anzeigename(dateiname));
    if (!grund.isEmpty()) text += QLatin1Char('\n') + grund;
    Q_EMIT schreibfehler(text);
}

bool Unit4::leereDatei(const QString& p) {
    if (!schreibbar()) return false;
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
    if (!schreibbar()) return false;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return false;
    }
    // A torn last record of a damaged file is overwritten, never left between two records.
    const qint64 vorher = pfl::dateigroesse(f.fd());
    const qint64 n = vorher / groesse;
    if (nurWennNichtLeer && n < 1) return true;
    if (!satzSchreiben(p, f.fd(), satz, groesse, n * groesse)) return false;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return false;
    }
    teilsatzUeberschrieben(p, vorher, groesse);
    return true;
}

bool Unit4::listeAnlegen(const QString& p, const void* satz, qint64 groesse) {
    if (!schreibbar()) return false;
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
        Kopfindex* index = kopfindexBeginnen(p);
        const pfl::Dateihandle d = pfl::oeffneLesen(lpf, p);
        qint64 n = -1;
        if (d.offen()) {
            const qint64 anzahl = pfl::dateigroesse(d.fd()) / kSatz;
            // Room for every record's name at once: the set does not grow while the book is read.
            namenReservieren(listen.rezeptnamenGesammelt, anzahl);
            n = koepfeLesen(d.fd(), anzahl, index, zeilen);
        }
        kopfindexFertig(index, n);
        daten = int(qMax<qint64>(0, n));
    }
    Q_EMIT listenGeaendert();
}

qint64 Unit4::koepfeLesen(int fd, qint64 n, Kopfindex*& index, pfl::Listenzeilen* zeilen) {
    // Each record's head sits in a page of its own and the time goes to the kernel's work per page:
    // a second thread takes the back half of a large book, with its own names, index and rows, and
    // they are added behind the front half's as a pass in one piece would have added them.
    struct Haelfte {
        Kopfindex index;
        bool indexOk = true;
        pfl::Textmenge gefaltet;
        std::u16string puffer;
        QStringList namen;
        pfl::Listenzeilen zeilen;
        qint64 gelesen = 0;
    } hinten;
    const qint64 mitte = n >= 512 ? n / 2 : n;
    std::thread faden;
    if (mitte < n) {
        faden = std::thread([&] {
            pfl::Satzleser leser(fd, kSatz, n);
            hinten.gefaltet.reserve(n - mitte, 20 * (n - mitte));
            hinten.index.rubrik.reserve(size_t(n - mitte));
            for (qint64 i = mitte; i < n; ++i) {
                const char* s = leser.satz(i, kKopf);
                if (!s) break; // cut meanwhile: the records before count
                if (hinten.indexOk && !hinten.index.merke(s)) hinten.indexOk = false;
                const auto& name = reinterpret_cast<const dateien*>(s)->name;
                if (!name.isEmpty() &&
                    hinten.gefaltet.dazu(pfl::gefaltetCp1252(name.chars, name.length(), hinten.puffer)))
                    hinten.namen.append(pfl::fromCp1252(name.chars, name.length()));
                if (zeilen) hinten.zeilen.anhaengen(s, int(i + 1));
                ++hinten.gelesen;
            }
        });
    }
    qint64 gelesen = 0;
    {
        pfl::Satzleser leser(fd, kSatz, n);
        for (; gelesen < mitte; ++gelesen) {
            const char* s = leser.satz(gelesen, kKopf);
            if (!s) break;
            if (index && !index->merke(s)) index = kopfindexAufgeben(index);
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (!d->name.isEmpty()) namenDazu(listen.rezeptnamenGesammelt, d->name);
            if (zeilen) zeilen->anhaengen(s, int(gelesen + 1));
        }
    }
    if (faden.joinable()) faden.join();
    if (gelesen == mitte && hinten.gelesen > 0) {
        if (index && !(hinten.indexOk && index->anfuegen(hinten.index))) index = kopfindexAufgeben(index);
        for (const QString& name : std::as_const(hinten.namen))
            namenDazu(false, listen.rezeptnamenGesammelt, name);
        if (zeilen) zeilen->anhaengen(hinten.zeilen);
        gelesen += hinten.gelesen;
    }
    // The buffer ends with the last record, as after a full pass.
    if (gelesen > 0) {
        dateien tmp;
        if (pfl::liesAb(fd, reinterpret_cast<char*>(&tmp), kSatz, (gelesen - 1) * kSatz) == kSatz)
            datei = tmp;
    }
    return gelesen;
}

void Unit4::Daten_einsortieren() {
    const QString p = buchPfad();
    if (p.isEmpty() || !schreibbar()) return;
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
    if (p.isEmpty() || !schreibbar()) return;
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
    const qint64 vorher = pfl::dateigroesse(f.fd());
    if (!satzSchreiben(p, f.fd(), &datei, kSatz, qint64(anz) * kSatz)) return;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return;
    }
    if (vorher / kSatz == anz) teilsatzUeberschrieben(p, vorher, kSatz);
    erfassenCaption = QStringLiteral("Daten erfolgreich gespeichert.");
    Q_EMIT erfassenCaptionGesetzt(erfassenCaption);
}

void Unit4::datei_speichern_aendern() {
    const QString p = buchPfad();
    if (p.isEmpty() || pfl::dateiart(lpf, p) == pfl::Dateiart::Fehlt || !schreibbar()) return;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(nurName(p), grund);
        return;
    }
    const qint64 vorher = pfl::dateigroesse(f.fd());
    const qint64 n = vorher / kSatz;
    if (satznum < 1 || satznum - 1 > n) return;
    if (!satzErsetzen(p, f.fd(), datei, qint64(satznum - 1) * kSatz)) return;
    if (!f.schliessen()) {
        schreibfehlerMelden(nurName(p), pfl::dateifehlerText(errno));
        return;
    }
    if (satznum - 1 == n) teilsatzUeberschrieben(p, vorher, kSatz);
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
                    namenDazu(listen.rezeptnamenGewaehlt, d->name);
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
        const auto name = [&](const char* s, qint64) {
            namenDazu(listen.rezeptnamenGewaehlt, reinterpret_cast<const dateien*>(s)->name);
        };
        // A book that cannot be indexed is passed over whole.
        if (!rubrikKoepfe(p, rub, name, &datei1)) {
            listen.rezeptnamenGewaehlt.clear();
            jederKopf(
                lpf, p, kKopf,
                [&](const char* s, qint64 i) {
                    if (reinterpret_cast<const dateien*>(s)->Rubrik.equalsBytes(rub)) name(s, i);
                },
                &datei1);
        }
    }
    Q_EMIT listenGeaendert();
}

QList<UebersichtZeile> Unit4::rubrikZeilen() {
    QList<UebersichtZeile> zeilen;
    const QString p = buchPfad();
    QByteArray rub;
    if (p.isEmpty() || !exakteBytes(rubrik, rub)) return zeilen;
    const auto zeile = [&](const char* s, qint64 i) {
        const auto* d = reinterpret_cast<const dateien*>(s);
        UebersichtZeile z;
        z.name = d->name.toQString();
        z.anzahl = d->anzahl.toQString();
        z.zeit = d->zeit.toQString();
        z.k_zeit = d->k_zeit.toQString();
        z.kalorien = d->kalorien.toQString();
        std::memcpy(&z.preis, s + offsetof(dateien, preis), sizeof(double));
        z.position = int(i + 1);
        zeilen.append(std::move(z));
    };
    // The buffer holds the last record read, as after a full pass.
    if (rubrikKoepfe(p, rub, zeile, &datei)) return zeilen;
    // A book that cannot be indexed is passed over whole.
    zeilen.clear();
    jederKopf(
        lpf, p, kKopf,
        [&](const char* s, qint64 i) {
            if (reinterpret_cast<const dateien*>(s)->Rubrik.equalsBytes(rub)) zeile(s, i);
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
