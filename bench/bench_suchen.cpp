// SPDX-License-Identifier: GPL-3.0-or-later
// The search across books on ten generated books of 10 000 recipes each: an ingredient search, a
// name search and a section search, each as a ratio to reading the same books' bytes once in the
// same run ("within 1.0x of the read" taken as at most 1.0x above it, so a ratio up to 2.0; names and
// sections at most 0.2x above it, 1.2). PFANNO_BENCH_BUECHER and PFANNO_BENCH_REZEPTE scale it down for small
// machines.
#include "data/Suche.h"
#include "BenchHilfen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

int zahlAus(const char* name, int vorgabe) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : vorgabe;
}

// A book as schreibeBuch writes it, with ingredient lists of a realistic length (about 400 bytes)
// that differ from recipe to recipe, so a substring search has work to do.
void schreibeBuchMitZutaten(const QString& pfad, int anzahl) {
    static const char* const zutaten[] = {
        "200 g Mehl",        "2 Eier",       "1 Prise Salz",      "500 ml Milch",     "3 Zwiebeln",
        "1 Bund Petersilie", "250 g Butter", "Pfeffer",           "2 Knoblauchzehen", "1 kg Kartoffeln",
        "100 g Speck",       "1 EL Öl",      "400 g Rindfleisch", "1 l Gemüsebrühe",  "Muskatnuss",
        "200 g Sahne",       "1 TL Zucker",  "3 Möhren"};
    schreibeBuch(pfad, anzahl, [](dateien& d, QRandomGenerator& rnd) {
        d.erfasst_am = QStringLiteral("%1.%2.20%3")
                           .arg(1 + rnd.bounded(28), 2, 10, QLatin1Char('0'))
                           .arg(1 + rnd.bounded(12), 2, 10, QLatin1Char('0'))
                           .arg(10 + rnd.bounded(16));
        QStringList z;
        for (int k = 0; k < 24; ++k)
            z << QString::fromUtf8(zutaten[rnd.bounded(18)]);
        if (rnd.bounded(20) == 0) z << QStringLiteral("1 Bund Bärlauch");
        d.zutaten.setPlainText(z.join(QLatin1Char('\n')));
    });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int buecher = zahlAus("PFANNO_BENCH_BUECHER", 10);
    const int rezepte = zahlAus("PFANNO_BENCH_REZEPTE", 10000);
    QTemporaryDir tmp;
    const QString lpf = tmp.path() + QLatin1Char('/');
    QStringList dateien;
    schreibeBuchMitZutaten(lpf + QStringLiteral("Buch0.rez"), rezepte);
    for (int b = 0; b < buecher; ++b) {
        dateien << QStringLiteral("Buch%1.rez").arg(b);
        if (b > 0) QFile::copy(lpf + dateien.first(), lpf + dateien.last());
    }

    // The baseline: every byte of every book read once, in large blocks.
    qint64 bytes = 0;
    const auto lesen = [&] {
        QByteArray puffer(4 << 20, Qt::Uninitialized);
        bytes = 0;
        for (const QString& d : dateien) {
            const int fd = ::open(QFile::encodeName(lpf + d).constData(), O_RDONLY);
            qint64 r;
            while ((r = ::read(fd, puffer.data(), puffer.size())) > 0)
                bytes += r;
            ::close(fd);
        }
    };
    lesen(); // into the page cache, as the search finds them too
    const double lesenMs = besteZeit(3, lesen);

    const pfl::Suchfortschritt weiter = [](const QString&, int, int) { return true; };
    const auto suche = [&](pfl::Textfeld feld, const QString& text, int& treffer,
                           pfl::Leseart art = pfl::Leseart::Felder) {
        pfl::Suchbegriff b;
        b.feld = feld;
        b.objekt = text;
        return besteZeit(
            3, [&] { treffer = int(pfl::buecherDurchsuchen(lpf, dateien, b, weiter, art).treffer.size()); });
    };
    int zTreffer = 0, nTreffer = 0, rTreffer = 0;
    const double zutatenMs = suche(pfl::Textfeld::Zutaten, QStringLiteral("bärlauch"), zTreffer);
    const double nameMs = suche(pfl::Textfeld::Name, QStringLiteral("bärlauch"), nTreffer);
    const double rubrikMs = suche(pfl::Textfeld::Rubrik, QStringLiteral("salate"), rTreffer);
    int bTreffer = 0;
    const double bloeckeMs =
        suche(pfl::Textfeld::Zutaten, QStringLiteral("bärlauch"), bTreffer, pfl::Leseart::Bloecke);

    std::printf("books: %d x %d recipes, %lld bytes\n", buecher, rezepte, bytes);
    std::printf("ingredient search / read books once = %.2f  (%.1f ms / %.1f ms, %d hits, target <= 2.0)\n",
                zutatenMs / lesenMs, zutatenMs, lesenMs, zTreffer);
    std::printf("name search / read books once       = %.2f  (%.1f ms / %.1f ms, %d hits, target <= 1.2)\n",
                nameMs / lesenMs, nameMs, lesenMs, nTreffer);
    std::printf("section search / read books once    = %.2f  (%.1f ms / %.1f ms, %d hits, target <= 1.2)\n",
                rubrikMs / lesenMs, rubrikMs, lesenMs, rTreffer);
    std::printf(
        "(for comparison) ingredient search reading whole records / read books once = %.2f  (%d hits)\n",
        bloeckeMs / lesenMs, bTreffer);
    return 0;
}
