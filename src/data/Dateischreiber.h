// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file's whole content so that a failure leaves the old file untouched, and reading
// the start of a file without ever blocking on something that is not a regular file.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstring>
#include <optional>

namespace pfl {

// Replaces the content of `pfad` with `inhalt`: a temporary file beside it, every write, the
// flush and an fsync checked, then one rename over the old file. A folder that takes no
// temporary file (read-only folder, writable file) gets the bytes written into the file itself,
// which keeps its owner and permissions. A symbolic link is followed only while its target stays
// in the link's folder; one that leaves it is refused. An existing target that is not a regular
// file (folder, FIFO, device) is refused. On false `grund` (if given) holds a German reason and
// the old file keeps its bytes. Temporary files that dead writers left in the folder go as well.
bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, QString* grund = nullptr);

// German text for an errno value of a failed file operation.
QString dateifehlerText(int fehler);

// At most `hoechstens` bytes from the start of a regular file; nothing when the file is missing,
// is no regular file (a FIFO never blocks the caller) or cannot be read.
std::optional<QByteArray> dateiAnfang(const QString& pfad, qint64 hoechstens);

// The whole content of a regular file of at most `hoechstens` bytes; nothing when it is larger.
std::optional<QByteArray> dateiInhalt(const QString& pfad, qint64 hoechstens);

// The first line of a regular text file without its line break (CR LF or LF), looked for in its
// first `hoechstens` bytes only; a longer line is cut there. Nothing when the file cannot be read.
std::optional<QByteArray> ersteZeile(const QString& pfad, qint64 hoechstens);

// The first record of a file of fixed-size records; false (ziel untouched) when the file is
// missing, no regular file, shorter than one record or unreadable.
template <typename T> bool ersterSatz(const QString& pfad, T& ziel) {
    const std::optional<QByteArray> b = dateiAnfang(pfad, qint64(sizeof(T)));
    if (!b || b->size() != qsizetype(sizeof(T))) return false;
    std::memcpy(static_cast<void*>(&ziel), b->constData(), sizeof(T));
    return true;
}

template <typename T> QByteArray satzBytes(const T& satz) {
    return QByteArray(reinterpret_cast<const char*>(&satz), qsizetype(sizeof(T)));
}

} // namespace pfl
