// SPDX-License-Identifier: GPL-3.0-or-later
// Where a recipe lies: its book and its position in it. Windows hand recipes on by their places.
#pragma once

#include <QList>
#include <QString>

namespace pfl {

struct Rezeptstelle {
    QString buch;     // the book's name (its file name without the extension)
    int position = 0; // 1-based
    bool operator==(const Rezeptstelle&) const = default;
};

using Rezeptstellen = QList<Rezeptstelle>;

} // namespace pfl
