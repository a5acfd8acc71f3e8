// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds a fuzzed file to one list-file reader of the data module, in a data folder of its own.
#include "data/Unit4.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

struct Umgebung {
    QTemporaryDir dir;
    Unit4 u;
    Umgebung() {
        u.uhr = [] { return QDate(2026, 12, 7); }; // a fixed day, so runs repeat
        u.initialisieren(dir.path());
        u.rezeptbuch = QStringLiteral("Buch");
    }
};

Umgebung& umgebung() {
    static Umgebung e;
    return e;
}

void schreibe(const QString& pfad, const uint8_t* daten, size_t groesse) {
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    if (f.write(reinterpret_cast<const char*>(daten), qint64(groesse)) != qint64(groesse)) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    Umgebung& e = umgebung();
    Unit4& u = e.u;
    const QString lpf = u.lpf;
    u.listen = pfl::Namenslisten();
#if defined(FUZZ_Rubriken_lesen)
    schreibe(lpf + QStringLiteral("Rubriken.rub"), daten, groesse);
    u.Rubriken_lesen();
#elif defined(FUZZ_Kategorien_lesen)
    schreibe(lpf + QStringLiteral("kategorien.kat"), daten, groesse);
    u.Kategorien_lesen();
#elif defined(FUZZ_einkauflist_lesen)
    schreibe(lpf + QStringLiteral("Einkaufsliste.Ekl"), daten, groesse);
    u.einkauflist_lesen();
#elif defined(FUZZ_datei_lesen)
    schreibe(lpf + QStringLiteral("Buch.rez"), daten, groesse);
    u.datei_lesen();
    if (u.daten != int(groesse / sizeof(dateien))) __builtin_trap();
    u.Rubriken_oeffnen();
    u.Rubriken_erkennen();
#elif defined(FUZZ_rubrikZeilen)
    schreibe(lpf + QStringLiteral("Buch.rez"), daten, groesse);
    // The section asked for is the first record's, so that the fuzzer can make records match.
    if (groesse >= 41) {
        ShortString<40> s;
        std::memcpy(&s, daten, sizeof s);
        u.rubrik = s.toQString();
    }
    const QList<UebersichtZeile> z = u.rubrikZeilen();
    for (int i = 1; i < z.size(); ++i)
        if (z.at(i).position <= z.at(i - 1).position) __builtin_trap();
    if (z.size() > int(groesse / sizeof(dateien))) __builtin_trap();
#else
#error "no reader chosen"
#endif
    return 0;
}
