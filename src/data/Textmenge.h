// SPDX-License-Identifier: GPL-3.0-or-later
// A set of texts kept in one buffer, for the name lists' "add unless present" over a whole book:
// a hundred thousand names cost no string and no node each.
#pragma once

#include <QStringView>

#include <vector>

namespace pfl {

class Textmenge {
public:
    void clear();
    // Room for n texts of about `zeichen` characters in all, so that filling it does not rehash.
    void reserve(qsizetype n, qsizetype zeichen = 0);
    qsizetype size() const { return qsizetype(m_hash.size()); }
    // Adds the text unless the set holds it; true when added.
    bool dazu(QStringView text);

private:
    void faecherBauen(size_t anzahl);
    std::vector<char16_t> m_zeichen;
    std::vector<qsizetype> m_ab{0}; // where each text starts in m_zeichen; the last entry is the end
    std::vector<size_t> m_hash;     // each text's hash
    std::vector<qint32> m_fach;     // open addressing: a text's number + 1, 0 for an empty slot
};

// `text` case-folded as QString::toCaseFolded does, into `puffer`; the view is valid while it is.
QStringView gefaltet(QStringView text, std::u16string& puffer);
// The same for a stored Windows-1252 text.
QStringView gefaltetCp1252(const char* text, qsizetype n, std::u16string& puffer);

} // namespace pfl
