// SPDX-License-Identifier: GPL-3.0-or-later
// The code pages of exchange files: UTF-8, Windows-1252 and the DOS code page 850 of old
// MealMaster collections, told apart by their bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace pfl {

enum class Zeichensatz { Utf8, Windows1252, Cp850 };

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool gueltigesUtf8(const char* bytes, qsizetype laenge);

// UTF-8 when the bytes are valid UTF-8 and hold any non-ASCII character; otherwise Windows-1252 or
// CP-850, whichever explains more German letters inside words (CP-850: ä 0x84, ö 0x94, ü 0x81,
// ß 0xE1; Windows-1252: ä 0xE4, ö 0xF6, ü 0xFC, ß 0xDF). Windows-1252 when undecided.
Zeichensatz zeichensatzErkennen(const QByteArray& bytes);

QString fromCp850(const char* bytes, qsizetype laenge);
QString dekodieren(const char* bytes, qsizetype laenge, Zeichensatz satz);

// Decodes line after line of one file into the same string, which keeps its memory: a file of
// a million lines costs no million allocations.
class Zeilendekodierer {
public:
    explicit Zeilendekodierer(Zeichensatz satz);
    void operator()(const char* bytes, qsizetype laenge, QString& zeile);

private:
    Zeichensatz m_satz;
    char16_t m_tabelle[256];
    QStringDecoder m_utf8{QStringDecoder::Utf8};
};

} // namespace pfl
