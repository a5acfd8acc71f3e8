// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes one record image of each type: every short string and text block is converted to text and
// back, as the routines and windows do with records from foreign files.
#include "data/Records.h"

#include <cstddef>
#include <cstdint>

namespace {

volatile qsizetype senke; // keeps the conversions from being optimised away

template <int N> void pruefe(ShortString<N>& s) {
    const QString t = s.toQString();
    senke = t.size() + (s.isEmpty() ? 1 : 0);
    if (s.length() > N) __builtin_trap();
    ShortString<N> kopie = s;
    kopie.set(t);
    if (kopie.length() > N) __builtin_trap();
    senke = kopie.equalsBytes(pfl::toCp1252(t)) ? 1 : 0;
}

template <int N> void pruefe(TextBlock<N>& b) {
    const QString t = b.toQString();
    senke = t.size() + b.plainText().size();
    TextBlock<N> kopie = b;
    kopie.setPlainText(b.plainText());
    senke = kopie.toQString().size();
    kopie.set(t);
    if (!t.isEmpty() && std::memchr(kopie.bytes, 0, N + 1) == nullptr) __builtin_trap();
}

void felder(dateien& d) {
    for (auto* s : {&d.Rubrik, &d.artikel, &d.gekauft_bei, &d.name, &d.kategorie, &d.personen, &d.rezept,
                    &d.schwer, &d.kalorien, &d.bild, &d.str_1, &d.str_2, &d.str_3, &d.str_4, &d.str_5})
        pruefe(*s);
    for (auto* s : {&d.erfasst_am, &d.garantie_bis, &d.anzahl, &d.zeit, &d.k_zeit})
        pruefe(*s);
    for (auto* s : {&d.str_6, &d.str_7, &d.str_8, &d.str_9, &d.str_10})
        pruefe(*s);
    pruefe(d.utensielien);
    pruefe(d.zutaten);
    pruefe(d.zubereitung);
}

void felder(rubriken& r) {
    for (auto* s : {&r.rubrik, &r.kategorie, &r.str1, &r.str2, &r.str3})
        pruefe(*s);
}

void felder(Einkaufstliste& e) {
    pruefe(e.e_liste);
}

void felder(optionen& o) {
    for (auto* s : {&o.wort, &o.pass4, &o.pass2})
        pruefe(*s);
    for (auto* s : {&o.Str1, &o.str2, &o.str3, &o.str4, &o.str5})
        pruefe(*s);
    for (auto* s : {&o.str6, &o.str7, &o.str8, &o.str9, &o.str10})
        pruefe(*s);
    pruefe(o.lwpf);
    pruefe(o.waehrung);
    pruefe(o.rezeptbuch);
}

void felder(Drucker& d) {
    for (int g = 0; g < 8; ++g)
        pruefe(d.gruppe(g).schrift);
}

void felder(Stamm_inh& s) {
    for (auto* f : {&s.Name, &s.vorname, &s.Strasse, &s.ort, &s.tel, &s.fax})
        pruefe(*f);
}

void felder(welcheversion& v) {
    for (auto* s : {&v.str_1, &v.str_2, &v.str_3, &v.str_4, &v.str_5, &v.str_6})
        pruefe(*s);
}

template <typename T> void dekodiere(const uint8_t* daten, size_t groesse) {
    // Each whole record of the input, as a reader walks a file; a short input is one zero-padded record.
    size_t pos = 0;
    do {
        T satz;
        zeroRecord(satz);
        std::memcpy(static_cast<void*>(&satz), daten + pos, qMin(sizeof(T), groesse - pos));
        felder(satz);
        pos += sizeof(T);
    } while (pos + sizeof(T) <= groesse);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
#if defined(FUZZ_dateien)
    dekodiere<dateien>(daten, groesse);
#elif defined(FUZZ_rubriken)
    dekodiere<rubriken>(daten, groesse);
#elif defined(FUZZ_kategorien)
    dekodiere<kategorien>(daten, groesse);
#elif defined(FUZZ_Einkaufstliste)
    dekodiere<Einkaufstliste>(daten, groesse);
#elif defined(FUZZ_optionen)
    dekodiere<optionen>(daten, groesse);
#elif defined(FUZZ_Drucker)
    dekodiere<Drucker>(daten, groesse);
#elif defined(FUZZ_Stamm_inh)
    dekodiere<Stamm_inh>(daten, groesse);
#elif defined(FUZZ_welcheversion)
    dekodiere<welcheversion>(daten, groesse);
#else
#error "no record type chosen"
#endif
    return 0;
}
