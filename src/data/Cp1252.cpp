// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Cp1252.h"

#include <array>

namespace pfl {

namespace {
char encodeOne(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252Hoch[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

bool cp1252Leer(unsigned char b) {
    static const std::array<bool, 256> leer = [] {
        std::array<bool, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[size_t(c)] = QChar(cp1252Zeichen(static_cast<unsigned char>(c))).isSpace();
        return t;
    }();
    return leer[b];
}

char16_t cp1252Gefaltet(unsigned char b) {
    static const std::array<char16_t, 256> gefaltet = [] {
        std::array<char16_t, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[size_t(c)] = QChar::toCaseFolded(cp1252Zeichen(static_cast<unsigned char>(c)));
        return t;
    }();
    return gefaltet[b];
}

QByteArray toCp1252(const QString& text) {
    // One byte per code point at most: written in place, the rest cut off at the end.
    QByteArray out(text.size(), Qt::Uninitialized);
    char* d = out.data();
    const qsizetype n = text.size();
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        }
        d[k++] = encodeOne(cp);
    }
    out.truncate(k);
    return out;
}

QString fromCp1252(const char* bytes, qsizetype length) {
    QString out(length, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < length; ++i) {
        d[i] = QChar(cp1252Zeichen(static_cast<unsigned char>(bytes[i])));
    }
    return out;
}

} // namespace pfl
