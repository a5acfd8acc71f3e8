// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the files of the data module; not for other code.
#pragma once

#include "data/Cp1252.h"
#include "data/Dateizugriff.h"
#include "data/Records.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <cstring>
#include <type_traits>

namespace pfl::unit4 {

constexpr qint64 kSatz = sizeof(dateien);

// Calls f(record bytes, 0-based index, is the last) for every complete record of a regular file of the
// folder, read in large blocks. No mapping: a file shrunk by another process would kill a mapped read;
// a short read just ends the scan with the records that were complete.
// Returns the number of records passed to f, -1 when the file cannot be opened.
template <typename F> qint64 jederSatz(const QString& ordner, const QString& pfad, qint64 groesse, F&& f) {
    const pfl::Dateihandle d = pfl::oeffneLesen(ordner, pfad);
    if (!d.offen()) return -1;
    const qint64 n = pfl::dateigroesse(d.fd()) / groesse;
    if (n <= 0) return 0;
    const qint64 block = qMax<qint64>(1, (1 << 20) / groesse);
    QByteArray buf(qMin(block, n) * groesse, Qt::Uninitialized);
    for (qint64 i = 0; i < n; i += block) {
        const qint64 k = qMin(block, n - i);
        const qint64 r = pfl::liesAb(d.fd(), buf.data(), k * groesse, i * groesse);
        const qint64 ganz = qMax<qint64>(0, r) / groesse;
        const bool kurz = ganz < k;
        for (qint64 j = 0; j < ganz; ++j)
            f(buf.constData() + j * groesse, i + j, kurz ? j == ganz - 1 : i + j == n - 1);
        if (kurz) return i + ganz;
    }
    return n;
}

// The bytes of a recipe record that every list, overview and search row reads: all its short fields
// up to the picture name.
constexpr qsizetype kKopf = offsetof(dateien, bild);

// Calls f(head bytes, 0-based index) for every record of a book whose first `kopf` bytes are there:
// a list or an overview needs a fiftieth of a record (the records are read in large blocks all the
// same, see Satzleser). f may return false to stop after that record. letzter (if given) receives
// the last record passed to f, read whole, as a pass over whole records leaves it; it is unchanged
// when there was none or it is no longer whole.
// Returns the number of records passed to f, -1 when the file cannot be opened.
template <typename F>
qint64 jederKopf(const QString& ordner, const QString& pfad, qsizetype kopf, F&& f,
                 dateien* letzter = nullptr) {
    const pfl::Dateihandle d = pfl::oeffneLesen(ordner, pfad);
    if (!d.offen()) return -1;
    const qint64 n = pfl::dateigroesse(d.fd()) / kSatz;
    pfl::Satzleser leser(d.fd(), kSatz, n);
    qint64 i = 0;
    while (i < n) {
        // Missing bytes: the file was cut meanwhile; the records before count.
        const char* s = leser.satz(i, kopf);
        if (!s) break;
        const qint64 j = i++;
        if constexpr (std::is_same_v<std::invoke_result_t<F, const char*, qint64>, bool>) {
            if (!f(s, j)) break;
        } else {
            f(s, j);
        }
    }
    if (letzter && i > 0) {
        if (const char* s = leser.satz(i - 1, kSatz))
            std::memcpy(static_cast<void*>(letzter), s, size_t(kSatz));
    }
    return i;
}

template <typename T> void kopiere(T& ziel, const char* p) {
    std::memcpy(static_cast<void*>(&ziel), p, sizeof(T));
}

inline bool existiert(const QString& pfad) {
    return !pfad.isEmpty() && QFileInfo(pfad).isFile();
}

// The bytes a text has in a record, or empty when it cannot be stored exactly (then no
// stored name can equal it).
inline bool exakteBytes(const QString& text, QByteArray& bytes) {
    bytes = pfl::toCp1252(text);
    return pfl::fromCp1252(bytes) == text;
}

inline QString nurName(const QString& pfad) {
    return pfad.mid(pfad.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace pfl::unit4
