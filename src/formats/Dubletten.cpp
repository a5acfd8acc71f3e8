// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Dubletten.h"

#include "data/Cp1252.h"

#include <cstring>

#define XXH_INLINE_ALL
#include <xxhash.h>

namespace pfl {

namespace {

// Sums a stored text as QString::simplified().toCaseFolded() gives it (blank runs as one blank, none
// at the ends, each character folded), straight from its bytes: a book's keys cost no string each.
// Returns how many characters it summed.
qsizetype gefaltetSummieren(XXH3_state_t& zustand, const char* text, qsizetype n) {
    char16_t puffer[256];
    int k = 0;
    qsizetype summiert = 0;
    const auto dazu = [&](char16_t c) {
        if (k == int(std::size(puffer))) {
            XXH3_128bits_update(&zustand, puffer, sizeof puffer);
            k = 0;
        }
        puffer[k++] = c;
        ++summiert;
    };
    bool blank = false;
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (cp1252Leer(b)) {
            blank = summiert > 0;
            continue;
        }
        if (blank) dazu(u' ');
        blank = false;
        dazu(cp1252Gefaltet(b));
    }
    XXH3_128bits_update(&zustand, puffer, size_t(k) * sizeof(char16_t));
    return summiert;
}

} // namespace

QByteArray dublettenSchluessel(const dateien& satz) {
    // A hash, not the texts: the keys of a whole book stay small.
    XXH3_state_t zustand;
    XXH3_128bits_reset(&zustand);
    const qsizetype name = gefaltetSummieren(zustand, satz.name.chars, satz.name.length());
    // The name's length keeps name and ingredients apart.
    XXH3_128bits_update(&zustand, &name, sizeof name);
    const void* z = std::memchr(satz.zutaten.bytes, 0, sizeof satz.zutaten.bytes);
    gefaltetSummieren(zustand, satz.zutaten.bytes,
                      z ? static_cast<const char*>(z) - satz.zutaten.bytes
                        : qsizetype(sizeof satz.zutaten.bytes));
    XXH128_canonical_t c;
    XXH128_canonicalFromHash(&c, XXH3_128bits_digest(&zustand));
    return QByteArray(reinterpret_cast<const char*>(c.digest), sizeof c.digest);
}

bool Dublettensuche::pruefenUndMerken(const dateien& satz) {
    const QByteArray s = dublettenSchluessel(satz);
    if (m_schluessel.contains(s)) return true;
    m_schluessel.insert(s);
    return false;
}

} // namespace pfl
