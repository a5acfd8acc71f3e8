// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds fuzzed bytes to a reader of the exchange formats, stores what it found as records and writes
// it out again in every format, so the writers see whatever a reader lets through.
#include "formats/GumboText.h"
#include "formats/Leser.h"
#include "formats/Schreiber.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    // Hostile nesting is cut off at the parser's limit; a short one keeps the fuzzer moving.
    pfl::Lesegrenze::setzeStandardzeit(2000);
    const QByteArray eingabe(reinterpret_cast<const char*>(daten), qsizetype(groesse));
#if defined(FUZZ_leseHtml)
    const pfl::Leseergebnis e = pfl::leseHtml(eingabe);
#elif defined(FUZZ_leseJsonLd)
    const pfl::Leseergebnis e = pfl::leseJsonLd(eingabe);
#elif defined(FUZZ_leseMealMaster)
    int aufrufe = 0;
    const pfl::Leseergebnis e = pfl::leseMealMaster(eingabe, [&](qint64 gelesen, qint64 gesamt) {
        if (gelesen < 0 || gelesen > gesamt) __builtin_trap();
        return ++aufrufe < 1000;
    });
#endif
    if (e.rezepte.isEmpty() && e.grund.isEmpty()) __builtin_trap(); // nothing found must say why
    for (const pfl::Fremdrezept& r : e.rezepte) {
        const pfl::Satzvorschau v = pfl::satzAusFremdrezept(r, QStringLiteral("Fuzz"), QDate(2026, 12, 7));
        (void)pfl::fremdrezeptAusSatz(v.satz);
    }
    const pfl::Ausgabe html = pfl::schreibeHtml(e.rezepte, QStringLiteral("Fuzz"), QStringLiteral("Bilder"));
    const pfl::Ausgabe json = pfl::schreibeJsonLd(e.rezepte, QStringLiteral("Bilder"));
    const QByteArray mm = pfl::schreibeMealMaster(e.rezepte);
    // What we wrote, we read back: as many recipes as went out.
    if (!e.rezepte.isEmpty() && pfl::leseJsonLd(json.inhalt).rezepte.size() > e.rezepte.size())
        __builtin_trap();
    (void)pfl::leseHtml(html.inhalt);
    (void)pfl::leseMealMaster(mm);
    return 0;
}
