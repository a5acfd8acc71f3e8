// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 conversion: the stored texts of every data file use this code page.
#pragma once

#include <QByteArray>
#include <QString>

namespace pfl {

// 0x80..0x9F; the five codes Windows leaves unassigned map to the C1 controls, as Windows does.
inline constexpr char16_t kCp1252Hoch[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The character a Windows-1252 byte stands for.
constexpr char16_t cp1252Zeichen(unsigned char b) {
    return b >= 0x80 && b < 0xA0 ? kCp1252Hoch[b - 0x80] : char16_t(b);
}

// Whether a Windows-1252 byte stands for white space, as QString::trimmed sees it.
bool cp1252Leer(unsigned char b);

// The case-folded character (QChar::toCaseFolded) of the one a Windows-1252 byte stands for: texts
// compared without regard to case compare as these.
char16_t cp1252Gefaltet(unsigned char b);

// Characters without a Windows-1252 form become "?" (one per code point).
QByteArray toCp1252(const QString& text);
QString fromCp1252(const char* bytes, qsizetype length);
inline QString fromCp1252(const QByteArray& bytes) {
    return fromCp1252(bytes.constData(), bytes.size());
}

} // namespace pfl
