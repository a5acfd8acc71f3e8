// SPDX-License-Identifier: GPL-3.0-or-later
// A recipe replaced in place is written whole or not at all. One write of 21 144 bytes is not enough:
// a process killed during it keeps the pages written so far, and the record would be half new. So the
// new record goes first into a note beside the books, with the old one, the book's file name and the
// position; the book is written only when the note is whole on disk, and the note goes once the book
// is. A start that finds the note finishes the write. What an append that died left at the end of a
// record file is never a recipe: no reader shows it, the start names it and the next append writes
// over it.
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"
#include "data/Vorhaben.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace pfl::unit4;

namespace {

constexpr char kKennung[8] = {'P', 'F', 'L', 'S', 'A', 'T', 'Z', '1'};
constexpr qint64 kHoechsterName = 4096;

QString notizPfad(const QString& lpf) {
    return lpf + QStringLiteral(".pfl-ersetzen");
}

// The note: identifier, the name's length and bytes, position and record length, old and new record.
QByteArray notiz(const QByteArray& name, qint64 pos, const QByteArray& alt, const char* neu) {
    QByteArray b(kKennung, sizeof kKennung);
    const auto zahl = [&b](auto wert) {
        const auto le = qToLittleEndian(wert);
        b.append(reinterpret_cast<const char*>(&le), sizeof le);
    };
    zahl(quint32(name.size()));
    b += name;
    zahl(quint64(pos));
    zahl(quint64(kSatz));
    b += alt;
    b.append(neu, kSatz);
    return b;
}

struct Notiz {
    QByteArray name, alt, neu;
    qint64 pos = 0;
};

std::optional<Notiz> notizLesen(const QByteArray& b) {
    qsizetype i = sizeof kKennung;
    if (b.size() < i || std::memcmp(b.constData(), kKennung, sizeof kKennung) != 0) return std::nullopt;
    const auto zahl = [&]<typename T>(T& wert) {
        if (b.size() - i < qsizetype(sizeof wert)) return false;
        wert = qFromLittleEndian<T>(b.constData() + i);
        i += qsizetype(sizeof wert);
        return true;
    };
    quint32 laenge = 0;
    quint64 pos = 0, groesse = 0;
    if (!zahl(laenge) || laenge == 0 || laenge > kHoechsterName || b.size() - i < qsizetype(laenge))
        return std::nullopt;
    Notiz n;
    n.name = b.mid(i, laenge);
    i += laenge;
    if (!zahl(pos) || !zahl(groesse) || groesse != quint64(kSatz) || pos % quint64(kSatz) != 0 ||
        b.size() - i != 2 * kSatz)
        return std::nullopt;
    n.pos = qint64(pos);
    n.alt = b.mid(i, kSatz);
    n.neu = b.mid(i + kSatz, kSatz);
    // A name that leads out of the folder was not written by this program.
    if (n.name.contains('/') || n.name == "." || n.name == "..") return std::nullopt;
    return n;
}

} // namespace

bool Unit4::satzErsetzen(const QString& p, int fd, const dateien& satz, qint64 pos) {
    QByteArray alt(kSatz, Qt::Uninitialized);
    // Only a record that is there is replaced this way; at the end it is an append, which a kill
    // leaves as a torn tail that nobody reads.
    if (pfl::liesAb(fd, alt.data(), kSatz, pos) != kSatz) return satzSchreiben(p, fd, &satz, kSatz, pos);
    const QString name = nurName(p);
    const QString n = notizPfad(lpf);
    pfl::Neudatei neu(lpf);
    if (!neu.schreibe(notiz(pfl::nativ(name), pos, alt, reinterpret_cast<const char*>(&satz))) ||
        !neu.fertig(n)) {
        schreibfehlerMelden(name, neu.grund());
        return false;
    }
    bool ok = satzSchreiben(p, fd, &satz, kSatz, pos);
    if (ok && ::fsync(fd) != 0) {
        schreibfehlerMelden(name, pfl::dateifehlerText(errno));
        ok = false;
    }
    // A failed write was taken back and told; the next start must not repeat it.
    ::unlink(pfl::nativ(n).constData());
    return ok;
}

void Unit4::ersetzenNachholen() {
    const QString n = notizPfad(lpf);
    const std::optional<QByteArray> inhalt = pfl::dateiInhalt(n, 2 * kSatz + kHoechsterName + 64);
    if (!inhalt) return;
    // On read-only media the note waits for a writable start.
    if (nurLesen || ::access(pfl::nativ(lpf).constData(), W_OK) != 0) {
        Q_EMIT hinweis(pfl::vorhaben::wartetText());
        return;
    }
    const auto weg = [&] { ::unlink(pfl::nativ(n).constData()); };
    const std::optional<Notiz> notiz = notizLesen(*inhalt);
    if (!notiz) {
        weg(); // torn or foreign: the note is written whole before any book is touched
        return;
    }
    const QString buchdatei = pfl::ausNativ(notiz->name);
    const QString p = lpf + buchdatei;
    const QString buch = pfl::anzeigename(buchdatei).chopped(qMin<qsizetype>(4, buchdatei.size()));
    const int nummer = int(notiz->pos / kSatz) + 1;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, false, &grund);
    if (!f.offen()) {
        if (pfl::dateiart(lpf, p) == pfl::Dateiart::Fehlt) {
            weg();
            return;
        }
        // Kept for the next start.
        schreibfehlerMelden(buchdatei, QStringLiteral("Das unterbrochene Speichern des Rezepts an Stelle %1 "
                                                      "konnte nicht zu Ende geführt werden. ")
                                               .arg(nummer) +
                                           grund);
        return;
    }
    QByteArray jetzt(kSatz, Qt::Uninitialized);
    const bool da = pfl::liesAb(f.fd(), jetzt.data(), kSatz, notiz->pos) == kSatz;
    if (da && jetzt == notiz->neu) {
        weg(); // written whole before the end came
        return;
    }
    // Every byte old or new: the write was cut. Anything else: the book changed since.
    bool unterbrochen = da;
    for (qsizetype i = 0; unterbrochen && i < kSatz; ++i)
        unterbrochen = jetzt.at(i) == notiz->alt.at(i) || jetzt.at(i) == notiz->neu.at(i);
    if (!unterbrochen) {
        weg();
        Q_EMIT hinweis(QStringLiteral("Das Speichern des Rezepts an Stelle %1 im Rezeptbuch \u201E%2\u201C "
                                      "wurde beim letzten Mal unterbrochen. Das Rezeptbuch wurde seither "
                                      "verändert; die Änderung wurde nicht nachgeholt.")
                           .arg(nummer)
                           .arg(buch));
        return;
    }
    if (!pfl::schreibeGanz(f.fd(), notiz->neu.constData(), kSatz, notiz->pos, &grund) ||
        ::fsync(f.fd()) != 0) {
        if (grund.isEmpty()) grund = pfl::dateifehlerText(errno);
        schreibfehlerMelden(buchdatei, QStringLiteral("Das unterbrochene Speichern des Rezepts an Stelle %1 "
                                                      "konnte nicht zu Ende geführt werden. ")
                                               .arg(nummer) +
                                           grund);
        return;
    }
    weg();
    Q_EMIT hinweis(QStringLiteral("Das Speichern des Rezepts an Stelle %1 im Rezeptbuch \u201E%2\u201C wurde "
                                  "beim letzten Mal unterbrochen. Es wurde jetzt zu Ende geführt.")
                       .arg(nummer)
                       .arg(buch));
}

void Unit4::teilsaetzeMelden() {
    struct Datei {
        QString pfad;
        qint64 satz;
    };
    QList<Datei> listendateien;
    {
        const Ordnerliste liste(*this);
        for (const QString& b : buchDateien())
            listendateien.append({lpf + b, kSatz});
        listendateien.append({pfad(QStringLiteral("Rubriken.rub")), qint64(sizeof(rubriken))});
        listendateien.append({pfad(QStringLiteral("kategorien.kat")), qint64(sizeof(kategorien))});
        listendateien.append({pfad(QStringLiteral("Einkaufsliste.Ekl")), qint64(sizeof(Einkaufstliste))});
    }
    // The bytes stay: the start changes no file, and the next append writes over them.
    QStringList zerrissen;
    for (const Datei& d : std::as_const(listendateien)) {
        const pfl::Dateihandle f = pfl::oeffneLesen(lpf, d.pfad);
        const qint64 groesse = f.offen() ? pfl::dateigroesse(f.fd()) : -1;
        if (groesse > 0 && groesse % d.satz != 0)
            zerrissen.append(QStringLiteral("\u201E%1\u201C (%2 Bytes)")
                                 .arg(pfl::anzeigename(nurName(d.pfad)))
                                 .arg(groesse % d.satz));
    }
    if (zerrissen.isEmpty()) return;
    Q_EMIT hinweis(QStringLiteral("Am Ende dieser Dateien steht ein unvollständiger Datensatz, wohl der Rest "
                                  "eines abgebrochenen Speicherns. Er wird nicht angezeigt; das nächste "
                                  "Speichern in der Datei schreibt an seine Stelle:\n") +
                   zerrissen.join(QLatin1Char('\n')));
}

void Unit4::teilsatzUeberschrieben(const QString& p, qint64 groesse, qint64 satz) {
    if (groesse % satz == 0) return;
    Q_EMIT hinweis(QStringLiteral("Am Ende der Datei \u201E%1\u201C stand ein unvollständiger Datensatz "
                                  "(%2 Bytes), wohl der Rest eines abgebrochenen Speicherns. Der neue "
                                  "Datensatz steht jetzt an seiner Stelle.")
                       .arg(pfl::anzeigename(nurName(p)))
                       .arg(groesse % satz));
}
