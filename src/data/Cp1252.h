// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 conversion: the stored texts of every data file use this code page.
#pragma once

#include <QByteArray>
#include <QString>

namespace pfl {

// Characters without a Windows-1252 form become "?" (one per code point).
QByteArray toCp1252(const QString& text);
QString fromCp1252(const char* bytes, qsizetype length);
inline QString fromCp1252(const QByteArray& bytes) {
    return fromCp1252(bytes.constData(), bytes.size());
}

} // namespace pfl
