// SPDX-License-Identifier: GPL-3.0-or-later
// The active book's index of sections: which records an overview or a section's name list reads.
#include "data/Unit4.h"

#include "data/Unit4Intern.h"

#include <limits>

using namespace pfl::unit4;

bool Unit4::Kopfindex::merke(const char* kopf) {
    const auto* d = reinterpret_cast<const dateien*>(kopf);
    const QByteArray r = QByteArray::fromRawData(d->Rubrik.chars, d->Rubrik.length());
    auto it = nummer.constFind(r);
    if (it == nummer.cend()) {
        if (rubriken.size() > std::numeric_limits<quint16>::max()) return false;
        const QByteArray eigen(r.constData(), r.size()); // the record's buffer is reused
        it = nummer.insert(eigen, quint16(rubriken.size()));
        rubriken.append(eigen);
    }
    rubrik.push_back(*it);
    return true;
}

Unit4::Kopfindex* Unit4::kopfindexBeginnen(const QString& p) const {
    if (kopfindex(p)) return nullptr;
    m_kopfindex = Kopfindex();
    m_kopfindex.pfad = p;
    // The state before the pass: a change during it shows as a different state afterwards.
    m_kopfindex.stand = pfl::Dateistand::von(p);
    if (!m_kopfindex.stand.alt) return nullptr; // could not tell a change apart; no use keeping it
    m_kopfindex.rubrik.reserve(size_t(qMax<qint64>(0, m_kopfindex.stand.groesse / kSatz)));
    return &m_kopfindex;
}

void Unit4::kopfindexFertig(Kopfindex* k, qint64 n) const {
    if (!k) return;
    // Only a pass over every record of the book as it was describes it.
    k->gueltig = n >= 0 && n == k->stand.groesse / kSatz && qint64(k->rubrik.size()) == n;
    if (!k->gueltig) *k = Kopfindex();
}

const Unit4::Kopfindex* Unit4::kopfindex(const QString& p) const {
    const Kopfindex& k = m_kopfindex;
    if (!k.gueltig || k.pfad != p || !k.stand.unveraendert(pfl::Dateistand::von(p))) return nullptr;
    return &k;
}

bool Unit4::rubrikKoepfe(const QString& p, const QByteArray& rub,
                         const std::function<void(const char*, qint64)>& f, dateien* letzter) const {
    const Kopfindex* k = kopfindex(p);
    if (!k) return false;
    const pfl::Dateihandle d = pfl::oeffneLesen(lpf, p);
    if (!d.offen() || pfl::dateigroesse(d.fd()) != k->stand.groesse) return false;
    const qint64 n = qint64(k->rubrik.size());
    const auto it = k->nummer.constFind(rub);
    if (it != k->nummer.cend()) {
        const quint16 r = *it;
        char kopf[kKopf];
        for (qint64 i = 0; i < n; ++i) {
            if (k->rubrik[size_t(i)] != r) continue;
            if (pfl::liesAb(d.fd(), kopf, kKopf, i * kSatz) != kKopf) return false;
            f(kopf, i);
        }
    }
    if (letzter && n > 0) {
        dateien tmp;
        if (pfl::liesAb(d.fd(), reinterpret_cast<char*>(&tmp), kSatz, (n - 1) * kSatz) != kSatz) return false;
        *letzter = tmp;
    }
    return true;
}
