// SPDX-License-Identifier: GPL-3.0-or-later
// The record types of the data files, byte for byte as they lie on disk (little-endian host).
#pragma once

#include "data/Cp1252.h"

#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the record images assume a little-endian host");

#pragma pack(push, 1)

// string[N]: a length byte and N Windows-1252 characters; bytes behind the length are left-overs.
template <int N> struct ShortString {
    quint8 len;
    char chars[N];

    // A foreign length byte above the capacity is clamped, never read past the field.
    int length() const { return len > N ? N : len; }
    QString toQString() const { return pfl::fromCp1252(chars, length()); }
    operator QString() const { return toQString(); }
    bool isEmpty() const { return length() == 0; }

    // Cut to the capacity; the bytes behind the new length keep what they held.
    void set(const QString& text) { setBytes(pfl::toCp1252(text)); }
    ShortString& operator=(const QString& text) {
        set(text);
        return *this;
    }
    void setBytes(const QByteArray& bytes) {
        const int l = bytes.size() < N ? int(bytes.size()) : N;
        len = quint8(l);
        std::memcpy(chars, bytes.constData(), size_t(l));
    }
    // Exact byte comparison with an already encoded text (the selection of records is case-sensitive).
    bool equalsBytes(const QByteArray& bytes) const {
        return bytes.size() == length() && std::memcmp(chars, bytes.constData(), size_t(length())) == 0;
    }
};

// char[N+1]: a NUL-terminated Windows-1252 text with CR LF line breaks.
template <int N> struct TextBlock {
    char bytes[N + 1];

    // Up to the first NUL, or all N+1 bytes of a foreign block without one.
    QString toQString() const {
        const void* z = std::memchr(bytes, 0, N + 1);
        const qsizetype l = z ? static_cast<const char*>(z) - bytes : N + 1;
        return pfl::fromCp1252(bytes, l);
    }
    operator QString() const { return toQString(); }
    // The text with "\n" line breaks, as a multi-line edit field shows it.
    QString plainText() const { return toQString().replace(QLatin1String("\r\n"), QLatin1String("\n")); }

    // An empty text clears the whole block; otherwise at most N characters and one NUL,
    // the bytes behind the NUL keep what they held.
    void set(const QString& text) {
        if (text.isEmpty()) {
            std::memset(bytes, 0, N + 1);
            return;
        }
        const QByteArray b = pfl::toCp1252(text);
        const int l = b.size() < N ? int(b.size()) : N;
        std::memcpy(bytes, b.constData(), size_t(l));
        bytes[l] = 0;
    }
    TextBlock& operator=(const QString& text) {
        set(text);
        return *this;
    }
    // Lines from an edit field ("\n") are stored joined by CR LF.
    void setPlainText(const QString& text) {
        QString t = text;
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        set(t);
    }
};

// One recipe; a book is a bare sequence of these.
struct dateien {
    ShortString<40> Rubrik;
    ShortString<40> artikel;
    ShortString<40> gekauft_bei;
    ShortString<40> name;
    ShortString<40> kategorie;
    quint8 gap205[3];
    double preis;
    ShortString<10> erfasst_am;
    ShortString<10> garantie_bis;
    ShortString<10> anzahl;
    ShortString<10> zeit;
    ShortString<10> k_zeit;
    ShortString<40> personen;
    ShortString<40> rezept;
    ShortString<40> schwer;
    ShortString<40> kalorien;
    ShortString<40> bild;
    ShortString<40> str_1, str_2, str_3, str_4, str_5;
    ShortString<80> str_6, str_7, str_8, str_9, str_10;
    quint8 gap1086[2];
    qint32 int1, int2, int3, int4, int5, Int6, int7, int8, int9, int10;
    qint32 Long1, long2, long3;
    TextBlock<5000> utensielien;
    TextBlock<5000> zutaten;
    TextBlock<10000> zubereitung;
    quint8 gap21143;
};

// One section (Rubriken.rub) or one category (kategorien.kat); both files share the layout.
struct rubriken {
    ShortString<60> rubrik;
    ShortString<60> kategorie;
    ShortString<60> str1, str2, str3;
    quint8 gap305[3];
    qint32 int1, int2, int3;
    qint32 Long1, long2, long3;
    quint8 gap332[4];
    double doub1, doub2, doub3;
};
using kategorien = rubriken;

// The shopping list; only the last record of the file is current.
struct Einkaufstliste {
    TextBlock<10000> e_liste;
};

// The program's settings (Rezept.opt).
struct optionen {
    ShortString<255> wort;
    ShortString<255> pass4;
    ShortString<255> pass2;
    double doub1, doub2;
    qint32 Backup;
    qint32 bildgroesse;
    qint32 sonst3;
    ShortString<20> Str1, str2, str3, str4, str5;
    ShortString<40> str6, str7, str8, str9, str10;
    quint8 gap1106[2];
    qint32 dbw;
    qint32 dbh;
    qint32 db_einaus;
    ShortString<200> lwpf;
    quint8 gap1321[3];
    qint32 z_hoehe;
    ShortString<5> waehrung;
    ShortString<80> rezeptbuch;
    quint8 gap1415;
};

// One printout's typography; the print settings hold eight of these.
struct DruckGruppe {
    qint32 text_Hoehe;
    qint32 pen_strich;
    qint32 anz_zeilen;
    qint32 rand;
    qint32 zeilen_abstand;
    ShortString<30> schrift;
    quint8 gap51;
};

// Print settings (Drucker.drk): groups t, k, f, d, b, e, s, u in file order, so that
// t_text_Hoehe is t.text_Hoehe, k_schrift is k.schrift and so on.
struct Drucker {
    DruckGruppe t, k, f, d, b, e, s, u;
    DruckGruppe& gruppe(int g) { return (&t)[g]; }
};

// Owner data (Stammdaten.sti).
struct Stamm_inh {
    ShortString<25> Name;
    ShortString<25> vorname;
    ShortString<25> Strasse;
    ShortString<25> ort;
    ShortString<25> tel;
    ShortString<25> fax;
};

// Version stamp (Version.ver).
struct welcheversion {
    double ver_1, ver_2;
    qint32 version;
    qint32 int_1, int_2, int_3, int_4, int_5;
    ShortString<20> str_1, str_2, str_3, str_4, str_5, str_6;
    quint8 gap166[2];
};

#pragma pack(pop)

// Sizes and offsets are the file format; any drift is a compile error.
static_assert(sizeof(dateien) == 21144);
static_assert(offsetof(dateien, Rubrik) == 0 && offsetof(dateien, artikel) == 41);
static_assert(offsetof(dateien, gekauft_bei) == 82 && offsetof(dateien, name) == 123);
static_assert(offsetof(dateien, kategorie) == 164 && offsetof(dateien, preis) == 208);
static_assert(offsetof(dateien, erfasst_am) == 216 && offsetof(dateien, garantie_bis) == 227);
static_assert(offsetof(dateien, anzahl) == 238 && offsetof(dateien, zeit) == 249);
static_assert(offsetof(dateien, k_zeit) == 260 && offsetof(dateien, personen) == 271);
static_assert(offsetof(dateien, rezept) == 312 && offsetof(dateien, schwer) == 353);
static_assert(offsetof(dateien, kalorien) == 394 && offsetof(dateien, bild) == 435);
static_assert(offsetof(dateien, str_1) == 476 && offsetof(dateien, str_2) == 517);
static_assert(offsetof(dateien, str_3) == 558 && offsetof(dateien, str_4) == 599);
static_assert(offsetof(dateien, str_5) == 640 && offsetof(dateien, str_6) == 681);
static_assert(offsetof(dateien, str_7) == 762 && offsetof(dateien, str_8) == 843);
static_assert(offsetof(dateien, str_9) == 924 && offsetof(dateien, str_10) == 1005);
static_assert(offsetof(dateien, int1) == 1088 && offsetof(dateien, Int6) == 1108);
static_assert(offsetof(dateien, int10) == 1124 && offsetof(dateien, Long1) == 1128);
static_assert(offsetof(dateien, long2) == 1132 && offsetof(dateien, long3) == 1136);
static_assert(offsetof(dateien, utensielien) == 1140 && offsetof(dateien, zutaten) == 6141);
static_assert(offsetof(dateien, zubereitung) == 11142 && offsetof(dateien, gap21143) == 21143);

static_assert(sizeof(rubriken) == 360);
static_assert(offsetof(rubriken, rubrik) == 0 && offsetof(rubriken, kategorie) == 61);
static_assert(offsetof(rubriken, str1) == 122 && offsetof(rubriken, str2) == 183);
static_assert(offsetof(rubriken, str3) == 244 && offsetof(rubriken, int1) == 308);
static_assert(offsetof(rubriken, int2) == 312 && offsetof(rubriken, int3) == 316);
static_assert(offsetof(rubriken, Long1) == 320 && offsetof(rubriken, long3) == 328);
static_assert(offsetof(rubriken, doub1) == 336 && offsetof(rubriken, doub2) == 344);
static_assert(offsetof(rubriken, doub3) == 352);

static_assert(sizeof(Einkaufstliste) == 10001);

static_assert(sizeof(optionen) == 1416);
static_assert(offsetof(optionen, pass4) == 256 && offsetof(optionen, pass2) == 512);
static_assert(offsetof(optionen, doub1) == 768 && offsetof(optionen, doub2) == 776);
static_assert(offsetof(optionen, Backup) == 784 && offsetof(optionen, bildgroesse) == 788);
static_assert(offsetof(optionen, sonst3) == 792 && offsetof(optionen, Str1) == 796);
static_assert(offsetof(optionen, str2) == 817 && offsetof(optionen, str5) == 880);
static_assert(offsetof(optionen, str6) == 901 && offsetof(optionen, str7) == 942);
static_assert(offsetof(optionen, str10) == 1065 && offsetof(optionen, dbw) == 1108);
static_assert(offsetof(optionen, dbh) == 1112 && offsetof(optionen, db_einaus) == 1116);
static_assert(offsetof(optionen, lwpf) == 1120 && offsetof(optionen, z_hoehe) == 1324);
static_assert(offsetof(optionen, waehrung) == 1328 && offsetof(optionen, rezeptbuch) == 1334);
static_assert(offsetof(optionen, gap1415) == 1415);

static_assert(sizeof(DruckGruppe) == 52);
static_assert(offsetof(DruckGruppe, pen_strich) == 4 && offsetof(DruckGruppe, anz_zeilen) == 8);
static_assert(offsetof(DruckGruppe, rand) == 12 && offsetof(DruckGruppe, zeilen_abstand) == 16);
static_assert(offsetof(DruckGruppe, schrift) == 20);
static_assert(sizeof(Drucker) == 416);
static_assert(offsetof(Drucker, k) == 52 && offsetof(Drucker, f) == 104 && offsetof(Drucker, d) == 156);
static_assert(offsetof(Drucker, b) == 208 && offsetof(Drucker, e) == 260 && offsetof(Drucker, s) == 312);
static_assert(offsetof(Drucker, u) == 364);

static_assert(sizeof(Stamm_inh) == 156);
static_assert(offsetof(Stamm_inh, vorname) == 26 && offsetof(Stamm_inh, Strasse) == 52);
static_assert(offsetof(Stamm_inh, ort) == 78 && offsetof(Stamm_inh, tel) == 104);
static_assert(offsetof(Stamm_inh, fax) == 130);

static_assert(sizeof(welcheversion) == 168);
static_assert(offsetof(welcheversion, version) == 16 && offsetof(welcheversion, int_1) == 20);
static_assert(offsetof(welcheversion, int_5) == 36 && offsetof(welcheversion, str_1) == 40);
static_assert(offsetof(welcheversion, str_2) == 61 && offsetof(welcheversion, str_6) == 145);
static_assert(offsetof(welcheversion, gap166) == 166);

// Records start zero-filled, as a fresh buffer does.
template <typename T> inline void zeroRecord(T& r) {
    std::memset(static_cast<void*>(&r), 0, sizeof(T));
}
