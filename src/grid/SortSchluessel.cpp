// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid/SortSchluessel.h"

#include "data/Deutsch.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pfl {

namespace {

// Rank of each covered character (0 = not covered), learnt from the collator itself, so it
// matches whatever collation data the machine has. Accented Latin-1 letters take the rank of
// their base letter (their difference is secondary); "ß" is "ss".
struct Raenge {
    std::array<unsigned char, 256> rang{};
    Raenge() {
        std::vector<QChar> zeichen;
        for (char16_t c = 0x20; c < 0x7F; ++c)
            zeichen.push_back(QChar(c));
        zeichen.push_back(QChar(0xAB));
        const QCollator& k = deutscheSortierung();
        std::stable_sort(zeichen.begin(), zeichen.end(),
                         [&](QChar a, QChar b) { return k.compare(QString(a), QString(b)) < 0; });
        unsigned char r = 1;
        for (size_t i = 0; i < zeichen.size(); ++i) {
            if (i > 0 && k.compare(QString(zeichen[i - 1]), QString(zeichen[i])) != 0) ++r;
            rang[zeichen[i].unicode()] = r;
        }
        for (char16_t c = 0xC0; c <= 0xFF; ++c) {
            const QString d = QChar(c).decomposition();
            if (QChar(c).decompositionTag() == QChar::Canonical && d.size() == 2 && d[0].unicode() < 0x7F &&
                d[0].isLetter())
                rang[c] = rang[d[0].unicode()];
        }
    }
};

const Raenge& raenge() {
    static const Raenge r;
    return r;
}

} // namespace

bool schnellSchluessel(QStringView s, std::string& out) {
    const auto& rang = raenge().rang;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == 0xDF) { // ß
            out.push_back(char(rang['s']));
            out.push_back(char(rang['s']));
            continue;
        }
        if (u > 0xFF || rang[u] == 0) return false;
        out.push_back(char(rang[u]));
    }
    return true;
}

} // namespace pfl
