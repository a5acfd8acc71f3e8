// SPDX-License-Identifier: GPL-3.0-or-later
// Byte keys that order sort strings exactly as the German case-insensitive collation does, for the
// common characters, without asking the collator for every row.
#pragma once

#include <QString>
#include <string>

namespace pfl {

// Appends the byte key of s to out; false when s holds a character the table does not cover.
// Valid for strings whose primary collation weights never tie (every sort string ends in its
// own row index), where the collation order is the order of the primary weights.
bool schnellSchluessel(QStringView s, std::string& out);

} // namespace pfl
