// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Zeichensaetze.h"

#include "data/Cp1252.h"

#include <cstring>

namespace pfl {

namespace {

// Code page 850, 0x80..0xFF. Qt decodes it only where it was built with ICU; this table works
// everywhere.
constexpr char16_t kCp850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

bool buchstabe(unsigned char b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

bool kleinbuchstabe(unsigned char b) {
    return b >= 'a' && b <= 'z';
}

// The first byte at or after i that is not ASCII; n when there is none. Eight bytes a step: most
// of a recipe file is ASCII.
qsizetype hohesByteAb(const unsigned char* p, qsizetype i, qsizetype n) {
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL) break;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

} // namespace

bool gueltigesUtf8(const char* bytes, qsizetype laenge) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    qsizetype i = 0;
    while (i < laenge) {
        i = hohesByteAb(p, i, laenge);
        if (i >= laenge) break;
        const unsigned char b = p[i];
        int folge;
        unsigned char min2 = 0x80, max2 = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            folge = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            folge = 2;
            if (b == 0xE0) min2 = 0xA0; // overlong
            if (b == 0xED) max2 = 0x9F; // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            folge = 3;
            if (b == 0xF0) min2 = 0x90;
            if (b == 0xF4) max2 = 0x8F;
        } else {
            return false;
        }
        if (i + folge >= laenge) return false;
        if (p[i + 1] < min2 || p[i + 1] > max2) return false;
        for (int k = 2; k <= folge; ++k)
            if ((p[i + k] & 0xC0) != 0x80) return false;
        i += folge + 1;
    }
    return true;
}

Zeichensatz zeichensatzErkennen(const QByteArray& daten) {
    const auto* p = reinterpret_cast<const unsigned char*>(daten.constData());
    const qsizetype n = daten.size();
    const bool hoch = hohesByteAb(p, 0, n) < n;
    if (!hoch) return Zeichensatz::Windows1252; // plain ASCII reads the same in all three
    if (gueltigesUtf8(daten.constData(), n)) return Zeichensatz::Utf8;

    // A German letter stands after a letter, or (capital) before a small letter; quotes, box
    // drawing and the like do not.
    qint64 dos = 0, windows = 0;
    for (qsizetype i = hohesByteAb(p, 0, n); i < n; i = hohesByteAb(p, i + 1, n)) {
        const unsigned char b = p[i];
        const bool nachBuchstabe = i > 0 && buchstabe(p[i - 1]);
        const bool vorKlein = i + 1 < n && kleinbuchstabe(p[i + 1]);
        switch (b) {
        case 0x84:
        case 0x94:
        case 0x81:
        case 0xE1: // ä ö ü ß in CP-850
            if (nachBuchstabe) ++dos;
            break;
        case 0x8E:
        case 0x99:
        case 0x9A: // Ä Ö Ü
            if (nachBuchstabe || vorKlein) ++dos;
            break;
        case 0xE4:
        case 0xF6:
        case 0xFC:
        case 0xDF: // ä ö ü ß in Windows-1252
            if (nachBuchstabe) ++windows;
            break;
        case 0xC4:
        case 0xD6:
        case 0xDC:
            if (nachBuchstabe || vorKlein) ++windows;
            break;
        default:
            break;
        }
    }
    return dos > windows ? Zeichensatz::Cp850 : Zeichensatz::Windows1252;
}

QString fromCp850(const char* bytes, qsizetype laenge) {
    QString out(laenge, Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < laenge; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = b < 0x80 ? QChar(char16_t(b)) : QChar(kCp850[b - 0x80]);
    }
    return out;
}

QString dekodieren(const char* bytes, qsizetype laenge, Zeichensatz satz) {
    switch (satz) {
    case Zeichensatz::Utf8:
        return QString::fromUtf8(bytes, laenge);
    case Zeichensatz::Cp850:
        return fromCp850(bytes, laenge);
    case Zeichensatz::Windows1252:
        break;
    }
    return fromCp1252(bytes, laenge);
}

Zeilendekodierer::Zeilendekodierer(Zeichensatz satz) : m_satz(satz) {
    char alle[256];
    for (int i = 0; i < 256; ++i)
        alle[i] = static_cast<char>(i);
    const QString t =
        dekodieren(alle, 256, satz == Zeichensatz::Cp850 ? Zeichensatz::Cp850 : Zeichensatz::Windows1252);
    for (int i = 0; i < 256; ++i)
        m_tabelle[i] = t.at(i).unicode();
}

void Zeilendekodierer::operator()(const char* bytes, qsizetype laenge, QString& zeile) {
    zeile.resize(laenge); // UTF-8 never needs more UTF-16 units than bytes
    QChar* d = zeile.data();
    if (m_satz == Zeichensatz::Utf8) {
        const QChar* ende = m_utf8.appendToBuffer(d, QByteArrayView(bytes, laenge));
        zeile.truncate(ende - d);
        return;
    }
    for (qsizetype i = 0; i < laenge; ++i)
        d[i] = QChar(m_tabelle[static_cast<unsigned char>(bytes[i])]);
}

} // namespace pfl
