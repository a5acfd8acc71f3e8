// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Cp1252.h"

namespace pfl {

namespace {
// 0x80..0x9F; the five codes Windows leaves unassigned map to the C1 controls, as Windows does.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeOne(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

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
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

} // namespace pfl
