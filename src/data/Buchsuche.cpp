// SPDX-License-Identifier: GPL-3.0-or-later
// The search across books. A record is 21 144 bytes, of which a criterion needs the head (435 bytes)
// and perhaps the start of the ingredients; the rest is never read. No mapping: a file cut short by
// another program would kill a mapped read, a short read just ends the book.
#include "data/Dateizugriff.h"
#include "data/Suche.h"
#include "data/Unit4Intern.h"

#include <cstring>

namespace pfl {

namespace {

using unit4::kSatz;

enum class Lauf { Fertig, Abgebrochen };

struct Buchlauf {
    const Suchpruefer& pruefer;
    const Suchfortschritt& fortschritt;
    const QString& datei;
    QString buch;
    int nummer, anzahl;
    QList<Buchtreffer>& treffer;

    bool weiter() const { return !fortschritt || fortschritt(datei, nummer, anzahl); }
};

// One read per record of only what the criterion looks at: the head (435 bytes), or for an
// ingredient search the start of the ingredients and the head of a hit. Most of the 21 144 bytes
// are never copied.
Lauf feldweise(int fd, qint64 n, Buchlauf& l) {
    constexpr qint64 kTeil = 512;     // records between two progress reports
    constexpr qsizetype kVorn = 1024; // ingredient bytes read at first; longer texts are read whole
    constexpr qsizetype kKopf = Suchpruefer::kKopf;
    constexpr qint64 kZutaten = qint64(offsetof(dateien, zutaten));
    const bool zutaten = l.pruefer.brauchtZutaten();
    QByteArray kopf(kKopf, '\0');
    QByteArray text(zutaten ? qsizetype(sizeof(dateien::zutaten)) : 0, '\0');
    const qsizetype vorher = l.treffer.size(); // hits of earlier books
    for (qint64 i = 0; i < n; i += kTeil) {
        if (i > 0 && !l.weiter()) return Lauf::Abgebrochen;
        const qint64 ende = qMin(n, i + kTeil);
        qint64 j = i;
        for (; j < ende; ++j) {
            // A short read: the file was cut meanwhile.
            qsizetype zl = 0;
            if (zutaten) {
                if (liesAb(fd, text.data(), kVorn, j * kSatz + kZutaten) != kVorn) break;
                const void* nul = std::memchr(text.constData(), 0, size_t(kVorn));
                if (!nul) {
                    if (liesAb(fd, text.data(), text.size(), j * kSatz + kZutaten) != text.size()) break;
                    nul = std::memchr(text.constData(), 0, size_t(text.size()));
                }
                zl = nul ? static_cast<const char*>(nul) - text.constData() : text.size();
                // The ingredients decide; the head is read for a hit only.
                if (!l.pruefer.passt(kopf.constData(), text.constData(), zl)) continue;
                if (liesAb(fd, kopf.data(), kKopf, j * kSatz) != kKopf) break;
            } else {
                if (liesAb(fd, kopf.data(), kKopf, j * kSatz) != kKopf) break;
                if (!l.pruefer.passt(kopf.constData(), nullptr, 0)) continue;
            }
            l.treffer.append({l.buch, listenzeile(kopf.constData(), int(j + 1))});
        }
        // Only whole records count: hits in records the file no longer holds completely are dropped.
        const qint64 ganz = qMin(j, dateigroesse(fd) / kSatz);
        while (l.treffer.size() > vorher && l.treffer.last().zeile.position > ganz)
            l.treffer.removeLast();
        if (ganz < ende) break;
    }
    return Lauf::Fertig;
}

// Every byte, in blocks of about 2 MB.
Lauf blockweise(int fd, qint64 n, Buchlauf& l) {
    const qint64 block = (2 << 20) / kSatz;
    QByteArray puffer(qMin(block, n) * kSatz, Qt::Uninitialized);
    for (qint64 i = 0; i < n; i += block) {
        if (i > 0 && !l.weiter()) return Lauf::Abgebrochen;
        const qint64 k = qMin(block, n - i);
        const qint64 r = liesAb(fd, puffer.data(), k * kSatz, i * kSatz);
        // A file that shrank meanwhile: the records that were complete count, the rest is gone.
        const qint64 ganz = qMax<qint64>(0, r) / kSatz;
        for (qint64 j = 0; j < ganz; ++j) {
            const char* s = puffer.constData() + j * kSatz;
            if (l.pruefer.passt(s)) l.treffer.append({l.buch, listenzeile(s, int(i + j + 1))});
        }
        if (ganz < k) break;
    }
    return Lauf::Fertig;
}

} // namespace

Buchsuchergebnis buecherDurchsuchen(const QString& ordner, const QStringList& dateien, const Suchbegriff& b,
                                    const Suchfortschritt& fortschritt, Leseart art) {
    Buchsuchergebnis e;
    const Suchpruefer pruefer(b);
    if (!pruefer.moeglich()) return e;
    const int anzahl = int(dateien.size());
    for (int nr = 0; nr < anzahl; ++nr) {
        const QString& datei = dateien.at(nr);
        Buchlauf l{pruefer, fortschritt, datei, datei.left(datei.size() - 4), nr + 1, anzahl, e.treffer};
        if (!l.weiter()) {
            e.abgebrochen = true;
            return e;
        }
        const Dateihandle f = oeffneLesen(ordner, ordner + datei);
        if (!f.offen()) continue; // a directory or an unreadable file has no recipes
        const qint64 n = dateigroesse(f.fd()) / kSatz;
        if (n <= 0) continue;
        const Lauf lauf = art == Leseart::Felder ? feldweise(f.fd(), n, l) : blockweise(f.fd(), n, l);
        if (lauf == Lauf::Abgebrochen) {
            e.abgebrochen = true;
            return e;
        }
    }
    return e;
}

} // namespace pfl
