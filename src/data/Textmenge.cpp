// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Textmenge.h"

#include "data/Cp1252.h"

#include <QHashFunctions>
#include <QString>

#include <algorithm>
#include <cstring>

namespace pfl {

void Textmenge::clear() {
    m_zeichen.clear();
    m_ab.assign(1, 0);
    m_hash.clear();
    std::fill(m_fach.begin(), m_fach.end(), 0);
}

void Textmenge::reserve(qsizetype n, qsizetype zeichen) {
    m_hash.reserve(size_t(n));
    m_ab.reserve(size_t(n) + 1);
    if (zeichen > 0) m_zeichen.reserve(size_t(zeichen));
    // At most half the slots in use.
    size_t faecher = 16;
    while (faecher < 2 * size_t(n))
        faecher *= 2;
    if (faecher > m_fach.size()) faecherBauen(faecher);
}

void Textmenge::faecherBauen(size_t anzahl) {
    m_fach.assign(anzahl, 0);
    const size_t maske = anzahl - 1;
    for (size_t t = 0; t < m_hash.size(); ++t) {
        size_t i = m_hash[t] & maske;
        while (m_fach[i] != 0)
            i = (i + 1) & maske;
        m_fach[i] = qint32(t + 1);
    }
}

bool Textmenge::dazu(QStringView text) {
    if (2 * (m_hash.size() + 1) > m_fach.size()) faecherBauen(std::max<size_t>(16, 2 * m_fach.size()));
    const size_t h = qHash(text);
    const size_t maske = m_fach.size() - 1;
    size_t i = h & maske;
    const size_t laenge = size_t(text.size());
    for (; m_fach[i] != 0; i = (i + 1) & maske) {
        const size_t t = size_t(m_fach[i] - 1);
        if (m_hash[t] != h || size_t(m_ab[t + 1] - m_ab[t]) != laenge) continue;
        if (laenge == 0 ||
            std::memcmp(m_zeichen.data() + m_ab[t], text.utf16(), laenge * sizeof(char16_t)) == 0)
            return false;
    }
    m_fach[i] = qint32(m_hash.size() + 1);
    m_hash.push_back(h);
    if (laenge > 0) m_zeichen.insert(m_zeichen.end(), text.utf16(), text.utf16() + laenge);
    m_ab.push_back(qsizetype(m_zeichen.size()));
    return true;
}

QStringView gefaltet(QStringView text, std::u16string& puffer) {
    puffer.resize(size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // Characters beyond the first plane fold as pairs: the whole text the general way.
        if (c.isSurrogate()) {
            const QString f = text.toString().toCaseFolded();
            puffer.assign(reinterpret_cast<const char16_t*>(f.utf16()), size_t(f.size()));
            return QStringView(puffer);
        }
        puffer[size_t(i)] = QChar::toCaseFolded(c.unicode());
    }
    return QStringView(puffer);
}

QStringView gefaltetCp1252(const char* text, qsizetype n, std::u16string& puffer) {
    puffer.resize(size_t(n));
    for (qsizetype i = 0; i < n; ++i)
        puffer[size_t(i)] = cp1252Gefaltet(static_cast<unsigned char>(text[i]));
    return QStringView(puffer);
}

} // namespace pfl
