// SPDX-License-Identifier: GPL-3.0-or-later
// The search across books. A record is 21 144 bytes, of which a criterion needs the head (435 bytes)
// and perhaps the start of the ingredients; the rest is never read. No mapping: a file cut short by
// another program would kill a mapped read, a short read just ends the book.
#include "data/Dateizugriff.h"
#include "data/Suche.h"
#include "data/Unit4Intern.h"

#include <atomic>
#include <cstring>
#include <optional>
#include <thread>

namespace pfl {

namespace {

using unit4::kSatz;

enum class Lauf { Fertig, Abgebrochen };

// Every byte, in blocks of about 2 MB.
Lauf blockweise(int fd, qint64 n, const Suchpruefer& pruefer, int buch, Listenzeilen& zeilen,
                const std::function<bool()>& weiter) {
    const qint64 block = (2 << 20) / kSatz;
    QByteArray puffer(qMin(block, n) * kSatz, Qt::Uninitialized);
    for (qint64 i = 0; i < n; i += block) {
        if (i > 0 && !weiter()) return Lauf::Abgebrochen;
        const qint64 k = qMin(block, n - i);
        const qint64 r = liesAb(fd, puffer.data(), k * kSatz, i * kSatz);
        // A file that shrank meanwhile: the records that were complete count, the rest is gone.
        const qint64 ganz = qMax<qint64>(0, r) / kSatz;
        for (qint64 j = 0; j < ganz; ++j) {
            const char* s = puffer.constData() + j * kSatz;
            if (pruefer.passt(s)) zeilen.anhaengen(s, int(i + j + 1), buch);
        }
        if (ganz < k) break;
    }
    return Lauf::Fertig;
}

} // namespace

namespace {

enum class Bereich { Ganz, Gekuerzt, Abgebrochen };

// Records von to bis (0-based, bis excluded) of a book of n records; see satzweiseSuchen.
Bereich bereichSuchen(int fd, qint64 n, qint64 von, qint64 bis, const Suchpruefer* pruefer, int buch,
                      Listenzeilen& zeilen, const std::function<bool()>& weiter) {
    constexpr qint64 kTeil = 512; // records between two progress reports
    constexpr qsizetype kKopf = Suchpruefer::kKopf;
    const bool zutaten = pruefer && pruefer->brauchtZutaten();
    std::optional<Satzleser> leser;
    std::optional<Zutatenleser> zutatenleser;
    if (zutaten)
        zutatenleser.emplace(fd, n);
    else
        leser.emplace(fd, kSatz, n);
    char kopf[kKopf];
    const qsizetype vorher = zeilen.size(); // rows of earlier books
    for (qint64 i = von; i < bis; i += kTeil) {
        if (i > von && weiter && !weiter()) return Bereich::Abgebrochen;
        const qint64 ende = qMin(bis, i + kTeil);
        qint64 j = i;
        for (; j < ende; ++j) {
            // Missing bytes: the file was cut meanwhile.
            if (zutaten) {
                qsizetype zl = 0;
                const char* z = zutatenleser->text(j, zl);
                if (!z) break;
                // The ingredient criterion looks at the ingredients alone; a hit's head is read for its row.
                if (!pruefer->passt(nullptr, z, zl)) continue;
                if (liesAb(fd, kopf, kKopf, j * kSatz) != kKopf) break;
                zeilen.anhaengen(kopf, int(j + 1), buch);
                continue;
            }
            const char* s = leser->satz(j, kKopf);
            if (!s) break;
            if (pruefer && !pruefer->passt(s, nullptr, 0)) continue;
            zeilen.anhaengen(s, int(j + 1), buch);
        }
        // Only whole records count: rows of records the file no longer holds completely are dropped.
        const qint64 ganz = qMin(j, dateigroesse(fd) / kSatz);
        qsizetype k = zeilen.size();
        while (k > vorher && zeilen.position(k - 1) > ganz)
            --k;
        zeilen.kuerzen(k);
        if (ganz < ende) return Bereich::Gekuerzt;
    }
    return Bereich::Ganz;
}

} // namespace

// Per record only what the criterion looks at: the head (435 bytes), or for an ingredient search the
// ingredient text (as Zutatenleser reads it) and the head of a hit.
bool satzweiseSuchen(int fd, qint64 n, const Suchpruefer* pruefer, int buch, Listenzeilen& zeilen,
                     const std::function<bool()>& weiter) {
    // Each record's fields sit in pages of their own, and the time goes to the kernel's work per
    // page: a second thread takes the back half of a large book. Only this thread asks weiter.
    if (n < 1024) return bereichSuchen(fd, n, 0, n, pruefer, buch, zeilen, weiter) != Bereich::Abgebrochen;
    const qint64 mitte = n / 2;
    Listenzeilen hinten;
    std::atomic<bool> halt{false};
    std::thread faden(
        [&] { bereichSuchen(fd, n, mitte, n, pruefer, buch, hinten, [&] { return !halt.load(); }); });
    const Bereich vorn = bereichSuchen(fd, n, 0, mitte, pruefer, buch, zeilen, weiter);
    if (vorn != Bereich::Ganz) halt = true;
    faden.join();
    // A book cut in its front half has no back half any more.
    if (vorn == Bereich::Ganz) zeilen.anhaengen(hinten);
    return vorn != Bereich::Abgebrochen;
}

Buchsuchergebnis buecherDurchsuchen(const QString& ordner, const QStringList& dateien, const Suchbegriff& b,
                                    const Suchfortschritt& fortschritt, Leseart art) {
    Buchsuchergebnis e;
    const Suchpruefer pruefer(b);
    if (!pruefer.moeglich()) return e;
    const int anzahl = int(dateien.size());
    for (int nr = 0; nr < anzahl; ++nr) {
        const QString& datei = dateien.at(nr);
        // The book's name as the user reads it; the data module finds its file by it.
        const QString name = anzeigename(datei);
        e.treffer.buecher.append(name.left(name.size() - 4));
        const std::function<bool()> weiter = [&] {
            return !fortschritt || fortschritt(datei, nr + 1, anzahl);
        };
        if (!weiter()) {
            e.abgebrochen = true;
            return e;
        }
        const Dateihandle f = oeffneLesen(ordner, ordner + datei);
        if (!f.offen()) continue; // a directory or an unreadable file has no recipes
        const qint64 n = dateigroesse(f.fd()) / kSatz;
        if (n <= 0) continue;
        const bool fertig =
            art == Leseart::Felder
                ? satzweiseSuchen(f.fd(), n, &pruefer, nr, e.treffer.zeilen, weiter)
                : blockweise(f.fd(), n, pruefer, nr, e.treffer.zeilen, weiter) == Lauf::Fertig;
        if (!fertig) {
            e.abgebrochen = true;
            return e;
        }
    }
    return e;
}

} // namespace pfl
