// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a MealMaster file of 10 000 recipes as "pfanno-lux --importieren" does (read the file,
// make the records, look for duplicates in the book, append them all in one crash-safe step) against
// the program appending the same 10 000 ready records to the same empty book (journal, checksum,
// sync alike), so the figure is the cost of reading and converting on top of the disk work an
// append cannot avoid. For comparison it also prints reading and converting against one plain
// write of the records without a sync.
#include "BenchHilfen.h"

#include "data/Unit4.h"
#include "exchange/Abruf.h"
#include "exchange/Einlesen.h"
#include "formats/Leser.h"
#include "formats/Schreiber.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRezepte = 10000;
const QDate kHeute(2026, 12, 7);

QByteArray mealMasterDatei() {
    static const char* const gerichte[] = {"Linsensuppe",   "Gulasch",       "Apfelstrudel",   "Spätzle",
                                           "Bärlauchpesto", "Zwiebelkuchen", "Rinderrouladen", "Käsekuchen"};
    QRandomGenerator rnd(42);
    QList<pfl::Fremdrezept> rezepte;
    rezepte.reserve(kRezepte);
    for (int i = 0; i < kRezepte; ++i) {
        pfl::Fremdrezept r;
        r.name = QString::fromUtf8(gerichte[rnd.bounded(8)]) + QStringLiteral(" Nr. %1").arg(i);
        r.kategorie = QStringLiteral("Hauptgericht");
        r.anzahl = QString::number(1 + rnd.bounded(8));
        r.personen = QStringLiteral("Portionen");
        r.zutaten = {QStringLiteral("500 g Mehl"),
                     QStringLiteral("1 1/2 EL Zucker"),
                     QString::fromUtf8("3 Eier, getrennt und das Eiweiß zu steifem Schnee geschlagen"),
                     QStringLiteral("Für die Füllung:"),
                     QStringLiteral("250 ml Milch"),
                     QStringLiteral("1 Prise Salz"),
                     QString::fromUtf8("200 g Äpfel, geschält"),
                     QStringLiteral("2 TL Zimt")};
        r.zubereitung = {
            QString::fromUtf8("Mehl, Zucker und Eigelb verrühren, die Milch nach und nach zugeben und "
                              "alles zu einem glatten Teig schlagen; zehn Minuten ruhen lassen."),
            QString::fromUtf8("Äpfel in Spalten schneiden, mit Zimt mischen und auf dem Teig verteilen. "
                              "Den Eischnee vorsichtig unterheben."),
            QString::fromUtf8("Bei 180 °C etwa 40 Minuten backen, bis die Oberfläche goldbraun ist.")};
        rezepte.append(r);
    }
    return pfl::schreibeMealMaster(rezepte);
}

// Web addresses are no part of this benchmark.
class KeinNetz : public pfl::Abrufer {
public:
    pfl::Abrufergebnis abrufen(const QUrl&, const std::function<bool(qint64)>&) override {
        pfl::Abrufergebnis e;
        e.fehler = QStringLiteral("kein Netz");
        return e;
    }
};

bool anhaengen(const QString& buch, const QByteArray& saetze) {
    QFile f(buch);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    return f.write(saetze) == saetze.size();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString mmPfad = dir.filePath(QStringLiteral("Sammlung.mmf"));
    const QByteArray mm = mealMasterDatei();
    {
        QFile f(mmPfad);
        if (!f.open(QIODevice::WriteOnly) || f.write(mm) != mm.size()) return 1;
    }
    // The ready records: what the import of the same file gives.
    QByteArray fertig;
    for (const pfl::Fremdrezept& r : pfl::leseMealMaster(mm).rezepte) {
        const dateien s = pfl::satzAusFremdrezept(r, QStringLiteral("Import"), kHeute).satz;
        fertig.append(reinterpret_cast<const char*>(&s), sizeof s);
    }
    if (fertig.size() != qsizetype(kRezepte * sizeof(dateien))) {
        std::fprintf(stderr, "read %lld records instead of %d\n", fertig.size() / qlonglong(sizeof(dateien)),
                     kRezepte);
        return 1;
    }

    // The import through the file gives the same bytes.
    {
        QByteArray saetze;
        for (const pfl::Fremdrezept& r : pfl::leseDatei(mmPfad).rezepte) {
            const dateien s = pfl::satzAusFremdrezept(r, QStringLiteral("Import"), kHeute).satz;
            saetze.append(reinterpret_cast<const char*>(&s), sizeof s);
        }
        if (saetze != fertig) return 1;
    }

    const QString buch = dir.filePath(QStringLiteral("Buch.rez"));
    Unit4 u;
    u.lpf = dir.path() + QLatin1Char('/');
    u.rezeptbuch = QStringLiteral("Buch");
    u.uhr = [] { return kHeute; };
    QObject::connect(&u, &Unit4::schreibfehler, [](const QString& m) {
        std::fprintf(stderr, "%s\n", qPrintable(m));
        std::abort();
    });
    QList<dateien> saetze(kRezepte);
    std::memcpy(static_cast<void*>(saetze.data()), fertig.constData(), size_t(fertig.size()));
    const double anhaengenZeit = besteZeit(5, [&] {
        QFile::remove(buch);
        if (!u.saetzeAnhaengen(saetze)) std::abort();
    });
    KeinNetz netz;
    // The steps of the fastest run, to see where an import spends its time.
    double schritte[5] = {}, besteSumme = 1e300;
    const double importZeit = besteZeit(5, [&] {
        QFile::remove(buch);
        QElapsedTimer uhr;
        uhr.start();
        double t[5];
        const auto schritt = [&](int k) { t[k] = double(uhr.nsecsElapsed()) / 1e6; };
        {
            pfl::Importliste liste = pfl::importLesen({mmPfad}, netz);
            schritt(0);
            pfl::rubrikSetzen(liste, QStringLiteral("Import"), kHeute);
            schritt(1);
            pfl::doppelteMarkieren(liste, u);
            schritt(2);
            const pfl::Importschreibung e = pfl::importSchreiben(u, liste);
            if (e.anzahl != kRezepte) std::abort();
            schritt(3);
        }
        schritt(4);
        if (t[4] < besteSumme) {
            besteSumme = t[4];
            for (int k = 4; k > 0; --k)
                schritte[k] = t[k] - t[k - 1];
            schritte[0] = t[0];
        }
    });
    if (QFileInfo(buch).size() != fertig.size()) return 1;

    // Reading and converting alone, against one plain write.
    const double basis = besteZeit(5, [&] {
        QFile::remove(buch);
        if (!anhaengen(buch, fertig)) std::abort();
    });
    const double lesen = besteZeit(5, [&] {
        QFile::remove(buch);
        const pfl::Leseergebnis e = pfl::leseDatei(mmPfad, [](qint64, qint64) { return true; });
        if (e.rezepte.size() != kRezepte) std::abort();
        // Converted and appended a block at a time: one reused buffer, as an importer writes.
        QFile f(buch);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) std::abort();
        constexpr int kBlock = 64;
        std::vector<dateien> block(kBlock);
        for (qsizetype i = 0; i < e.rezepte.size(); i += kBlock) {
            const qsizetype n = qMin<qsizetype>(kBlock, e.rezepte.size() - i);
            std::memset(static_cast<void*>(block.data()), 0, size_t(n) * sizeof(dateien));
            for (qsizetype k = 0; k < n; ++k)
                pfl::satzFuellen(e.rezepte[i + k], QStringLiteral("Import"), kHeute, block[size_t(k)]);
            const qint64 laenge = n * qint64(sizeof(dateien));
            if (f.write(reinterpret_cast<const char*>(block.data()), laenge) != laenge) std::abort();
        }
    });
    std::printf("MealMaster file: %d recipes, %.1f MB\n", kRezepte, mm.size() / 1048576.0);
    std::printf("the program appending %d ready records:  %8.1f ms\n", kRezepte, anhaengenZeit);
    std::printf("importing them as --importieren does:    %8.1f ms\n", importZeit);
    std::printf("  reading %.1f, making the records %.1f, duplicates %.1f, writing %.1f, freeing %.1f ms\n",
                schritte[0], schritte[1], schritte[2], schritte[3], schritte[4]);
    std::printf("one plain write of the records, no sync: %8.1f ms\n", basis);
    std::printf("reading and converting, one plain write: %8.1f ms (%.2f of the plain write)\n", lesen,
                lesen / basis);
    std::printf("ratio import / append: %.2f (target <= 2)\n", importZeit / anhaengenZeit);
    return importZeit / anhaengenZeit <= 2.0 ? 0 : 2;
}
