// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"
#include "data/Vorhaben.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace pfl::unit4;
using pfl::Umbenennung;

// ---------------------------------------------------------------- renaming in every book

namespace {

const QString kArt = QStringLiteral("umbenennen");

QString listenname(Umbenennung art) {
    return art == Umbenennung::Rubrik ? QStringLiteral("Rubriken.rub") : QStringLiteral("kategorien.kat");
}

// The list file with the new name's record behind its whole records, as Rubriken_speichern and the
// category window store a new name: a missing file (and a category file without a record) gets
// the record twice, as when it is created. Nothing when the file cannot be read.
std::optional<QByteArray> listeMitSatz(const QString& lpf, const QString& p, Umbenennung art,
                                       const QByteArray& satz) {
    const qint64 r = satz.size();
    const pfl::Dateiart da = pfl::dateiart(lpf, p);
    if (da == pfl::Dateiart::Unbrauchbar) return std::nullopt;
    QByteArray inhalt;
    if (da != pfl::Dateiart::Fehlt) {
        const std::optional<QByteArray> b = pfl::dateiInhalt(p, qint64(256) << 20);
        if (!b) return std::nullopt;
        inhalt = b->left(b->size() / r * r);
    }
    if (da == pfl::Dateiart::Fehlt || (art == Umbenennung::Kategorie && inhalt.isEmpty()))
        return inhalt + satz + satz;
    return inhalt + satz;
}

// The file a write of the list file replaces: the list file, or where a link inside lpf leads.
QString listenziel(const QString& p) {
    const QFileInfo i(p);
    return i.isSymLink() ? i.canonicalFilePath() : p;
}

// Whether a book holds a record whose renamed field is alt; a book that cannot be read counts as one.
bool hatAlt(const QString& lpf, const QString& p, Umbenennung art, const QByteArray& altBytes) {
    const auto feld = art == Umbenennung::Rubrik ? &dateien::Rubrik : &dateien::kategorie;
    bool gefunden = false;
    const qint64 n = jederKopf(lpf, p, kKopf, [&](const char* s, qint64) {
        gefunden = (reinterpret_cast<const dateien*>(s)->*feld).equalsBytes(altBytes);
        return !gefunden;
    });
    return gefunden || n < 0;
}

QJsonArray bytesListe(const QStringList& namen) {
    QJsonArray a;
    for (const QString& n : namen)
        a.append(pfl::vorhaben::bytesText(pfl::nativ(n)));
    return a;
}

QStringList namenListe(const QJsonValue& v) {
    QStringList l;
    for (const QJsonValue& e : v.toArray())
        l.append(pfl::ausNativ(pfl::vorhaben::textBytes(e)));
    return l;
}

} // namespace

void Unit4::Dir_daten_konvertieren(Umbenennung art, const QString& alt, const QString& neu) {
    inAllenBuechern(art, alt, neu, false);
}

bool Unit4::begriffUmbenennen(Umbenennung art, const QString& alt, const QString& neu) {
    return inAllenBuechern(art, alt, neu, true);
}

bool Unit4::inAllenBuechern(Umbenennung art, const QString& alt, const QString& neu, bool mitListe) {
    if (!schreibbar()) return false;
    pfl::verwaisteTempDateienEntfernen(lpf);
    bool ok = true;
    {
        const Ordnerliste liste(*this); // one listing for the whole walk
        const QStringList buecher = buchDateien();
        QJsonObject j{{QStringLiteral("art"), kArt},
                      {QStringLiteral("feld"),
                       art == Umbenennung::Rubrik ? QStringLiteral("Rubrik") : QStringLiteral("Kategorie")},
                      {QStringLiteral("alt"), alt},
                      {QStringLiteral("neu"), neu},
                      {QStringLiteral("buecher"), bytesListe(buecher)},
                      {QStringLiteral("fertig"), QJsonArray()}};
        // The list file's new content is on disk beside it before the first book changes, so that
        // neither a full disk nor anything else can keep the new name out of the list once the books
        // carry it; it replaces the list file when every book is done.
        std::unique_ptr<pfl::Neudatei> neueListe;
        QString listenpfad, grund;
        if (mitListe) {
            const QByteArray satz =
                art == Umbenennung::Rubrik ? pfl::satzBytes(r_daten) : pfl::satzBytes(k_daten);
            listenpfad = listenziel(pfad(listenname(art)));
            const std::optional<QByteArray> inhalt = listeMitSatz(lpf, listenpfad, art, satz);
            neueListe = std::make_unique<pfl::Neudatei>(QFileInfo(listenpfad).absolutePath());
            if (!inhalt) grund = QStringLiteral("Sie ist keine gewöhnliche, lesbare Datei im Datenordner.");
            if (inhalt && neueListe->schreibe(*inhalt) && ::fsync(neueListe->fd()) == 0) {
                struct stat st;
                if (::stat(pfl::nativ(listenpfad).constData(), &st) == 0) neueListe->rechte(st.st_mode);
                j.insert(QStringLiteral("liste"),
                         QJsonObject{{QStringLiteral("satz"), pfl::vorhaben::bytesText(satz)},
                                     {QStringLiteral("stand"),
                                      pfl::vorhaben::standAlsJson(pfl::Dateistand::vonName(listenpfad))}});
            } else {
                if (grund.isEmpty())
                    grund = neueListe->grund().isEmpty() ? pfl::dateifehlerText(errno) : neueListe->grund();
                schreibfehlerMelden(nurName(listenpfad),
                                    QStringLiteral("Es wurde nichts umbenannt und keine Datei geändert. ") +
                                        grund);
                return false;
            }
        }
        // The intent is on disk before the first book changes.
        if (!pfl::vorhaben::schreiben(lpf, j, &grund)) {
            schreibfehlerMelden(pfl::vorhaben::dateiname(),
                                QStringLiteral("Es wurde nichts umbenannt und keine Datei geändert. ") +
                                    grund);
            return false;
        }
        QJsonArray fertig;
        for (int i = 0; i < buecher.size(); ++i) {
            const QString& e = buecher.at(i);
            const QString name = pfl::anzeigename(e);
            Q_EMIT buchWirdUmbenannt(name.left(name.size() - 4), i + 1, int(buecher.size()));
            rezeptbuch = name.left(name.size() - 4);
            konvertiereBuch(e, buecher, art, alt, neu);
            // A book that failed was reported; the next start would not do better.
            fertig.append(pfl::vorhaben::bytesText(pfl::nativ(e)));
            j.insert(QStringLiteral("fertig"), fertig);
            // Lost, the next start only looks at the book again; the next book's rename syncs the folder.
            pfl::vorhaben::nachtragen(lpf, j);
            Q_EMIT copy1Angefordert();
        }
        if (neueListe && !neueListe->fertig(listenpfad)) {
            // The journal stays: the next start brings the list up to date.
            schreibfehlerMelden(nurName(listenpfad), neueListe->grund());
            ok = false;
        } else {
            pfl::vorhaben::entfernen(lpf);
        }
    }
    opt_lesen();
    Q_EMIT copy1Angefordert();
    return ok;
}

std::optional<QString> Unit4::umbenennenAbschliessen(const QJsonObject& j) {
    const Umbenennung art = j.value(QStringLiteral("feld")).toString() == QLatin1String("Kategorie")
                                ? Umbenennung::Kategorie
                                : Umbenennung::Rubrik;
    const QString alt = j.value(QStringLiteral("alt")).toString();
    const QString neu = j.value(QStringLiteral("neu")).toString();
    const QStringList fertig = namenListe(j.value(QStringLiteral("fertig")));
    const int vorher = int(namenListe(j.value(QStringLiteral("buecher"))).size());
    QByteArray altBytes;
    const bool vergleichbar = exakteBytes(alt, altBytes);
    {
        const Ordnerliste liste(*this);
        const QStringList buecher = buchDateien();
        for (const QString& b : buecher) {
            // A book is renamed whole or not at all; one that holds no old name any more is done (its
            // ".Aez" copy of before the renaming stays).
            if (fertig.contains(b) || !vergleichbar || !hatAlt(lpf, lpf + b, art, altBytes)) continue;
            rezeptbuch = b.left(b.size() - 4);
            konvertiereBuch(b, buecher, art, alt, neu);
        }
        const QJsonObject l = j.value(QStringLiteral("liste")).toObject();
        if (!l.isEmpty()) {
            const QString p = listenziel(pfad(listenname(art)));
            // Replaced since the journal was written: that was the renaming's own last step.
            if (pfl::Dateistand::vonName(p).gleichGeschrieben(
                    pfl::vorhaben::standAusJson(l.value(QStringLiteral("stand")).toObject()))) {
                const std::optional<QByteArray> inhalt =
                    listeMitSatz(lpf, p, art, pfl::vorhaben::textBytes(l.value(QStringLiteral("satz"))));
                QString grund = QStringLiteral("Sie ist keine gewöhnliche, lesbare Datei im Datenordner.");
                if (!inhalt || !pfl::dateiErsetzen(p, *inhalt, &grund)) {
                    schreibfehlerMelden(nurName(p), grund);
                    return std::nullopt;
                }
            }
        }
    }
    opt_lesen();
    const bool abschnitt = art == Umbenennung::Rubrik;
    const QString liste = j.contains(QStringLiteral("liste"))
                              ? QStringLiteral(", und \u201E") + neu +
                                    QStringLiteral("\u201C steht in der Liste der ") +
                                    (abschnitt ? QStringLiteral("Rubriken") : QStringLiteral("Kategorien"))
                              : QString();
    // One arg() for all, so that a "%" in a name is taken as it is.
    return QStringLiteral(
               "Das Umbenennen der %1 \u201E%2\u201C in \u201E%3\u201C wurde bei der letzten "
               "Sitzung unterbrochen, als %4 von %5 Rezeptbüchern umbenannt waren. Es ist jetzt in "
               "allen Rezeptbüchern abgeschlossen%6.")
        .arg(abschnitt ? QStringLiteral("Rubrik") : QStringLiteral("Kategorie"), alt, neu,
             QString::number(fertig.size()), QString::number(vorher), liste);
}

void Unit4::konvertieren(Umbenennung art, const QString& alt, const QString& neu) {
    if (!schreibbar()) return;
    if (sichererName(rezeptbuch)) {
        const Ordnerliste liste(*this);
        const QString rez = pfad(rezeptbuch + QLatin1String(".rez"));
        konvertiereBuch(nurName(rez), buchDateien(), art, alt, neu);
    }
    Q_EMIT copy1Angefordert();
}

QString Unit4::sicherungsName(const QString& buch, const QStringList& buecher) {
    const QString basis = buch.left(buch.size() - 4);
    // Books that differ only in the spelling of the extension ("Party.REZ", "Party.rez") would share
    // "Party.Aez"; each of them keeps its own copy under its full name instead.
    for (const QString& b : buecher)
        if (b != buch && b.left(b.size() - 4) == basis) return buch + QLatin1String(".Aez");
    return basis + QLatin1String(".Aez");
}

namespace {

// Puts the complete old book (open as fd) under the name aez, replacing an older copy in one rename:
// a hard link where the file system has them, otherwise a synced copy. A link named aez is removed,
// never followed.
bool sicherungAnlegen(const QString& lpf, const QString& rez, int fd, const QString& aez, QString* grund) {
    const QByteArray a = pfl::nativ(aez);
    struct stat st;
    if (::lstat(a.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            ::unlink(a.constData());
        } else if (!S_ISREG(st.st_mode)) {
            *grund = QStringLiteral("Die Sicherungskopie \u201E%1\u201C ist keine gewöhnliche Datei.")
                         .arg(pfl::anzeigename(nurName(aez)));
            return false;
        }
    }
    const QByteArray r = pfl::nativ(rez);
    const QByteArray t = pfl::nativ(lpf) + ".pfl" + QByteArray::number(qint64(::getpid())) + "-aez.tmp";
    ::unlink(t.constData()); // a leftover of an earlier run with this process id
    if (::link(r.constData(), t.constData()) == 0) {
        const bool ok = ::rename(t.constData(), a.constData()) == 0;
        if (!ok) *grund = pfl::dateifehlerText(errno);
        // When the copy already is this very file, rename leaves both names in place.
        ::unlink(t.constData());
        if (ok) pfl::ordnerSync(lpf);
        return ok;
    }
    pfl::Neudatei kopie(lpf);
    const qint64 n = pfl::dateigroesse(fd);
    QByteArray buf(qMin<qint64>(qMax<qint64>(n, 1), 4 << 20), Qt::Uninitialized);
    for (qint64 pos = 0; kopie.offen() && pos < n;) {
        const qint64 r2 = pfl::liesAb(fd, buf.data(), qMin<qint64>(buf.size(), n - pos), pos);
        if (r2 <= 0) {
            *grund = QStringLiteral("Das Rezeptbuch konnte nicht vollständig gelesen werden.");
            return false;
        }
        if (!kopie.schreibe(buf.constData(), r2)) break;
        pos += r2;
    }
    if (kopie.offen() && kopie.fertig(aez)) return true;
    *grund = kopie.grund();
    return false;
}

} // namespace

void Unit4::konvertiereBuch(const QString& buch, const QStringList& buecher, Umbenennung art,
                            const QString& altName, const QString& neuName) {
    const QString rez = lpf + buch;
    const auto melden = [&](const QString& grund) {
        schreibfehlerMelden(pfl::anzeigename(buch),
                            QStringLiteral("Das Umbenennen wurde in diesem Rezeptbuch nicht ausgeführt, "
                                           "es ist unverändert. ") +
                                grund);
    };
    switch (pfl::dateiart(lpf, rez)) {
    case pfl::Dateiart::Fehlt:
        return; // gone since the folder was listed
    case pfl::Dateiart::Unbrauchbar:
        melden(QStringLiteral("Es ist keine gewöhnliche Datei im Datenordner."));
        return;
    case pfl::Dateiart::LinkDrinnen: {
        // A rewrite would replace the link; the book it leads to is renamed in its own turn.
        const QFileInfo ziel(QFileInfo(rez).canonicalFilePath());
        if (ziel.absolutePath() == QFileInfo(lpf).canonicalFilePath() && buecher.contains(ziel.fileName()))
            return;
        melden(QStringLiteral("Es ist eine Verknüpfung auf eine andere Datei."));
        return;
    }
    case pfl::Dateiart::Datei:
        break;
    }
    if (pfl::schreibgeschuetzt(rez)) {
        melden(QStringLiteral("Die Datei ist schreibgeschützt."));
        return;
    }
    QString grund;
    const pfl::Dateihandle ein = pfl::oeffneLesen(lpf, rez, &grund);
    if (!ein.offen()) {
        melden(grund);
        return;
    }
    struct stat st;
    if (::fstat(ein.fd(), &st) != 0) {
        melden(pfl::dateifehlerText(errno));
        return;
    }
    pfl::Neudatei neu(lpf);
    if (!neu.offen()) {
        melden(neu.grund());
        return;
    }
    neu.rechte(st.st_mode);

    QByteArray altBytes;
    const bool vergleichbar = exakteBytes(altName, altBytes);
    const QByteArray neuBytes = pfl::toCp1252(neuName);
    const auto feld = art == Umbenennung::Rubrik ? &dateien::Rubrik : &dateien::kategorie;
    // Records are carried over in large blocks; only the renamed field of a matching record changes.
    // A torn record at the end is not a recipe; the copy keeps it.
    const qint64 n = qint64(st.st_size) / kSatz;
    const qint64 block = 64;
    QByteArray buf(qMin(block, qMax<qint64>(n, 1)) * kSatz, Qt::Uninitialized);
    dateien letzter;
    bool gibtLetzten = false;
    for (qint64 i = 0; i < n; i += block) {
        const qint64 k = qMin(block, n - i);
        const qint64 r = pfl::liesAb(ein.fd(), buf.data(), k * kSatz, i * kSatz);
        if (r != k * kSatz) {
            // Shrunk or unreadable while we read it: nothing is replaced.
            melden(r < 0 ? pfl::dateifehlerText(errno)
                         : QStringLiteral("Das Rezeptbuch wurde während des Lesens verkürzt."));
            return;
        }
        char* p = buf.data();
        for (qint64 j = 0; j < k; ++j) {
            auto* d = reinterpret_cast<dateien*>(p + j * kSatz);
            if (vergleichbar && (d->*feld).equalsBytes(altBytes)) (d->*feld).setBytes(neuBytes);
        }
        if (!neu.schreibe(p, k * kSatz)) {
            melden(neu.grund());
            return;
        }
        kopiere(letzter, p + (k - 1) * kSatz);
        gibtLetzten = true;
    }
    if (!sicherungAnlegen(lpf, rez, ein.fd(), lpf + sicherungsName(buch, buecher), &grund)) {
        melden(grund);
        return;
    }
    if (!neu.fertig(rez)) {
        melden(neu.grund());
        return;
    }
    if (gibtLetzten) datei = letzter;
}
