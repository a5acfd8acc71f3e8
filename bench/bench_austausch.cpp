// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a MealMaster file of 10 000 recipes (read the file, read the recipes, store each as a
// record, append them all to a book) against appending 10 000 ready records to a book. Both append
// the same way, in one write without a sync, so the figure is the cost of the reading and the
// conversion on top of the disk work the import cannot avoid.
#include "BenchHilfen.h"

#include "formats/Leser.h"
#include "formats/Schreiber.h"

#include <QFile>
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
    const double basis = besteZeit(5, [&] {
        QFile::remove(buch);
        if (!anhaengen(buch, fertig)) std::abort();
    });
    const double import = besteZeit(5, [&] {
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
    std::printf("appending %d ready records:            %8.1f ms\n", kRezepte, basis);
    std::printf("importing them (read, convert, append): %8.1f ms\n", import);
    std::printf("ratio import / append: %.2f (target <= 2)\n", import / basis);
    return import / basis <= 2.0 ? 0 : 2;
}
