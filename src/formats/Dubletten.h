// SPDX-License-Identifier: GPL-3.0-or-later
// Recognising a recipe that a book already holds: the same name and the same ingredients, compared
// without regard to case and to how the blanks and line breaks run.
#pragma once

#include "data/Records.h"

#include <QByteArray>
#include <QSet>

namespace pfl {

// A fixed-size key of the record's name and ingredients, folded as described above.
QByteArray dublettenSchluessel(const dateien& satz);

// The keys of the records seen so far; a book of 100 000 recipes costs a few megabytes.
class Dublettensuche {
public:
    void merken(const dateien& satz) { m_schluessel.insert(dublettenSchluessel(satz)); }
    bool bekannt(const dateien& satz) const { return m_schluessel.contains(dublettenSchluessel(satz)); }
    // True when the record was seen before; remembers it either way (for duplicates within one import).
    bool pruefenUndMerken(const dateien& satz);
    qsizetype anzahl() const { return m_schluessel.size(); }

private:
    QSet<QByteArray> m_schluessel;
};

} // namespace pfl
