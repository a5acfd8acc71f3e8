// SPDX-License-Identifier: GPL-3.0-or-later
// Appending several recipes at once, all or none: the journal holds the book's length before the
// append, so that a crash or a full disk never leaves a part of them in the book.
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"
#include "data/Vorhaben.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonObject>

#include <cerrno>
#include <optional>
#include <vector>
#include <unistd.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

using namespace pfl::unit4;

namespace {

const QString kArt = QStringLiteral("anhaengen");
// The sum guards against a crash, not an attacker: XXH3 sums a large import at memory speed. A
// journal without "summenart" comes from an earlier version, which summed with SHA-256.
const QString kXxh3 = QStringLiteral("xxh3-128");

class Summe {
public:
    explicit Summe(const QString& art) : m_xxh3(art == kXxh3) {
        if (m_xxh3)
            XXH3_128bits_reset(&m_zustand);
        else
            m_sha.emplace(QCryptographicHash::Sha256);
    }
    void dazu(const char* b, qint64 n) {
        if (m_xxh3)
            XXH3_128bits_update(&m_zustand, b, size_t(n));
        else
            m_sha->addData(QByteArrayView(b, n));
    }
    QString hex() {
        if (!m_xxh3) return QString::fromLatin1(m_sha->result().toHex());
        XXH128_canonical_t c;
        XXH128_canonicalFromHash(&c, XXH3_128bits_digest(&m_zustand));
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(c.digest), sizeof c.digest).toHex());
    }

private:
    bool m_xxh3;
    XXH3_state_t m_zustand{};
    std::optional<QCryptographicHash> m_sha;
};

QString pruefsumme(const QString& art, const char* b, qint64 n) {
    Summe s(art);
    s.dazu(b, n);
    return s.hex();
}

// The last record before the append: with the file's identity and length it tells the book of the
// append from one that took its place (a file system reuses the number of a removed file).
QString endeVor(const QString& art, int fd, qint64 alt) {
    QByteArray b(qMin(alt, kSatz), Qt::Uninitialized);
    if (pfl::liesAb(fd, b.data(), b.size(), alt - b.size()) != b.size()) return QString();
    return pruefsumme(art, b.constData(), b.size());
}

QString rezepteText(int n) {
    return n == 1 ? QStringLiteral("eines Rezepts") : QStringLiteral("von %1 Rezepten").arg(n);
}

} // namespace

bool Unit4::saetzeAnhaengen(const QList<dateien>& saetze) {
    return saetzeAnhaengen(saetze.size(), [&](qsizetype i, dateien& d) { d = saetze.at(i); });
}

bool Unit4::saetzeAnhaengen(qsizetype anzahl, const std::function<void(qsizetype, dateien&)>& fuellen) {
    const QString p = buchPfad();
    if (p.isEmpty()) {
        schreibfehlerMelden(rezeptbuch + QLatin1String(".rez"),
                            QStringLiteral("Der Name des Rezeptbuchs ist als Dateiname nicht zulässig."));
        return false;
    }
    if (anzahl <= 0) return true;
    const QString name = nurName(p);
    const bool angelegt = pfl::dateiart(lpf, p) == pfl::Dateiart::Fehlt;
    QString grund;
    pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, p, true, &grund);
    if (!f.offen()) {
        schreibfehlerMelden(name, grund);
        return false;
    }
    const auto neuesBuchWeg = [&] {
        if (angelegt) ::unlink(pfl::nativ(p).constData());
    };
    // A torn last record of a damaged book is not a recipe: the new ones start on a record boundary.
    const qint64 alt = qMax<qint64>(0, pfl::dateigroesse(f.fd())) / kSatz * kSatz;
    // The records pass twice, a block at a time: once for the checksum the journal holds, once to
    // be written.
    constexpr qsizetype kBlock = 64;
    std::vector<dateien> block(size_t(qMin(anzahl, kBlock)));
    const auto jederBlock = [&](const std::function<bool(const char*, qint64)>& nimm) {
        for (qsizetype i = 0; i < anzahl; i += kBlock) {
            const qsizetype n = qMin(kBlock, anzahl - i);
            for (qsizetype k = 0; k < n; ++k) {
                zeroRecord(block[size_t(k)]);
                fuellen(i + k, block[size_t(k)]);
            }
            if (!nimm(reinterpret_cast<const char*>(block.data()), n * kSatz)) return false;
        }
        return true;
    };
    Summe summe(kXxh3);
    jederBlock([&](const char* b, qint64 n) {
        summe.dazu(b, n);
        return true;
    });
    const qint64 neu = alt + anzahl * kSatz;

    QJsonObject j{{QStringLiteral("art"), kArt},
                  {QStringLiteral("buch"), pfl::vorhaben::bytesText(pfl::nativ(name))},
                  {QStringLiteral("stand"), pfl::vorhaben::standAlsJson(pfl::Dateistand::von(f.fd()))},
                  {QStringLiteral("angelegt"), angelegt},
                  {QStringLiteral("alt"), QString::number(alt)},
                  {QStringLiteral("neu"), QString::number(neu)},
                  {QStringLiteral("anzahl"), int(anzahl)},
                  {QStringLiteral("summenart"), kXxh3},
                  {QStringLiteral("pruefsumme"), summe.hex()},
                  {QStringLiteral("endeVor"), endeVor(kXxh3, f.fd(), alt)}};
    if (!pfl::vorhaben::schreiben(lpf, j, &grund)) {
        f.schliessen();
        neuesBuchWeg();
        schreibfehlerMelden(name,
                            QStringLiteral("Die neuen Rezepte wurden nicht angehängt, das Rezeptbuch ist "
                                           "unverändert: ") +
                                grund);
        return false;
    }
    qint64 pos = alt;
    const bool geschrieben = jederBlock([&](const char* b, qint64 n) {
        if (!pfl::schreibeAb(f.fd(), b, n, pos)) return false;
        pos += n;
        return true;
    });
    if (geschrieben && ::fsync(f.fd()) == 0 && f.schliessen()) {
        pfl::vorhaben::entfernen(lpf);
        return true;
    }
    grund = pfl::dateifehlerText(errno);
    // None of them: the book goes back to its length before; the journal stays until that is on disk.
    const bool zurueck =
        f.offen() && ::ftruncate(f.fd(), off_t(alt)) == 0 && ::fsync(f.fd()) == 0 && f.schliessen();
    if (zurueck) {
        if (angelegt && alt == 0) neuesBuchWeg();
        pfl::vorhaben::entfernen(lpf);
        grund = QStringLiteral("Keines der %1 Rezepte wurde angehängt, das Rezeptbuch ist unverändert. ")
                    .arg(anzahl) +
                grund;
    } else {
        grund += QStringLiteral(" Die unvollständig angehängten Rezepte werden beim nächsten Start "
                                "entfernt.");
    }
    schreibfehlerMelden(name, grund);
    return false;
}

std::optional<QString> Unit4::anhaengenAbschliessen(const QJsonObject& j) {
    const QByteArray name = pfl::vorhaben::textBytes(j.value(QStringLiteral("buch")));
    const QString buch = pfl::ausNativ(name);
    const QString anzeige =
        buch.endsWith(QLatin1String(".rez"), Qt::CaseInsensitive) ? buch.chopped(4) : buch;
    bool ok1 = false, ok2 = false;
    const qint64 alt = j.value(QStringLiteral("alt")).toString().toLongLong(&ok1);
    const qint64 neu = j.value(QStringLiteral("neu")).toString().toLongLong(&ok2);
    const int anzahl = j.value(QStringLiteral("anzahl")).toInt();
    const pfl::Dateistand vorher = pfl::vorhaben::standAusJson(j.value(QStringLiteral("stand")).toObject());
    const QString art = j.value(QStringLiteral("summenart")).toString();
    const QString was =
        QStringLiteral("Das Anhängen %1 an das Rezeptbuch \u201E%2\u201C wurde bei der letzten "
                       "Sitzung unterbrochen.\n")
            .arg(rezepteText(anzahl), anzeige);
    if (name.isEmpty() || name.contains('/') || !ok1 || !ok2 || alt < 0 || neu < alt)
        return was +
               QStringLiteral("Die Aufzeichnung darüber ist unlesbar; das Rezeptbuch bleibt, wie es ist.");

    const QByteArray pfad = pfl::nativ(lpf) + name;
    // A regular file of the folder, or a link to one inside it, as the append wrote it.
    const pfl::Dateihandle f = pfl::oeffneSchreiben(lpf, lpf + buch, false, nullptr);
    const pfl::Dateistand jetzt = f.offen() ? pfl::Dateistand::von(f.fd()) : pfl::Dateistand{};
    // Only the very book of the append, at a length the append can have left, is cut back: a book
    // that was replaced, shortened or added to since is someone else's change.
    if (!f.offen() || !jetzt.selbeDatei(vorher) || jetzt.groesse < alt || jetzt.groesse > neu ||
        endeVor(art, f.fd(), alt) != j.value(QStringLiteral("endeVor")).toString())
        return was + QStringLiteral("Das Rezeptbuch wurde seitdem verändert und bleibt, wie es ist.");
    if (jetzt.groesse == alt) {
        if (j.value(QStringLiteral("angelegt")).toBool() && alt == 0) ::unlink(pfad.constData());
        return was + QStringLiteral("Keines davon wurde gespeichert; das Rezeptbuch ist unverändert.");
    }
    if (jetzt.groesse == neu) {
        QByteArray ende(neu - alt, Qt::Uninitialized);
        if (pfl::liesAb(f.fd(), ende.data(), ende.size(), alt) == ende.size() &&
            pruefsumme(art, ende.constData(), ende.size()) ==
                j.value(QStringLiteral("pruefsumme")).toString())
            return was + QStringLiteral("Alle wurden vollständig gespeichert.");
    }
    if (::ftruncate(f.fd(), off_t(alt)) != 0 || ::fsync(f.fd()) != 0)
        return std::nullopt; // the journal stays: the next start tries again
    if (j.value(QStringLiteral("angelegt")).toBool() && alt == 0) ::unlink(pfad.constData());
    return was + QStringLiteral("Die unvollständig gespeicherten Rezepte wurden entfernt; das Rezeptbuch ist "
                                "wieder wie vorher.");
}
