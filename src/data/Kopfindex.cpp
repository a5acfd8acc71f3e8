// SPDX-License-Identifier: GPL-3.0-or-later
// The active book's index of sections: which records an overview or a section's name list reads.
#include "data/Unit4.h"

#include "data/Unit4Intern.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <thread>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pfl::unit4;

namespace {

// A kept index is one file per book in indexOrdner, named by a sum of the book's path: a head, the
// book's path, each section's stored bytes behind a length byte, one section number per record, and
// an XXH3 sum of all that. It is a cache: a file that is damaged, foreign, or made of another state
// of the book is not used, and the next pass writes it anew.
constexpr char kKennung[8] = {'P', 'F', 'L', '-', 'K', 'I', 'X', '1'};
#pragma pack(push, 1)
struct Indexkopf {
    char kennung[8];
    quint32 pfadLaenge, rubrikenAnzahl;
    qint64 geraet, knoten, groesse, geaendertNs, statusNs, saetze;
};
#pragma pack(pop)
static_assert(sizeof(Indexkopf) == 64);
constexpr qsizetype kSumme = sizeof(XXH64_hash_t);
constexpr qsizetype kRubrikHoechstens = sizeof(dateien::Rubrik) - 1;
// The files kept at most; the ones used longest ago go first. A file of a temporary write that
// died is removed after a day (until then it may be another running program's).
constexpr int kIndexDateien = 64;
constexpr qint64 kTempAlterS = 24 * 3600;

QByteArray buchname(const QString& p) {
    return QFile::encodeName(QFileInfo(p).absoluteFilePath());
}

QString indexDatei(const QString& ordner, const QByteArray& buch) {
    const XXH64_hash_t h = XXH3_64bits(buch.constData(), size_t(buch.size()));
    return ordner + QLatin1Char('/') + QStringLiteral("%1.idx").arg(quint64(h), 16, 16, QLatin1Char('0'));
}

// The book's state the index was made of; it was old enough then (see Dateistand).
pfl::Dateistand gespeicherterStand(const Indexkopf& k) {
    pfl::Dateistand s;
    s.geraet = k.geraet;
    s.knoten = k.knoten;
    s.groesse = k.groesse;
    s.geaendertNs = k.geaendertNs;
    s.statusNs = k.statusNs;
    s.alt = true;
    return s;
}

// Leftover temporary files go, and the files used longest ago beyond kIndexDateien.
void indexOrdnerAufraeumen(const QString& ordner) {
    QDir d(ordner);
    const qint64 jetzt = QDateTime::currentSecsSinceEpoch();
    const QFileInfoList temp = d.entryInfoList({QStringLiteral("*.idx.*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& f : temp)
        if (jetzt - f.lastModified().toSecsSinceEpoch() > kTempAlterS) QFile::remove(f.absoluteFilePath());
    const QFileInfoList idx = d.entryInfoList({QStringLiteral("*.idx")}, QDir::Files, QDir::Time);
    for (qsizetype i = kIndexDateien; i < idx.size(); ++i)
        QFile::remove(idx[i].absoluteFilePath());
}

} // namespace

bool Unit4::Kopfindex::merke(const char* kopf) {
    static_assert(offsetof(dateien, Rubrik) == 0);
    const auto* feld = reinterpret_cast<const decltype(dateien::Rubrik)*>(kopf);
    const QByteArray r = QByteArray::fromRawData(feld->chars, feld->length());
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

bool Unit4::Kopfindex::anfuegen(const Kopfindex& hinten) {
    // The other part's numbers in the order of the whole book's first appearances.
    std::vector<quint16> neu(size_t(hinten.rubriken.size()));
    for (qsizetype j = 0; j < hinten.rubriken.size(); ++j) {
        const QByteArray& r = hinten.rubriken[j];
        auto it = nummer.constFind(r);
        if (it == nummer.cend()) {
            if (rubriken.size() > std::numeric_limits<quint16>::max()) return false;
            it = nummer.insert(r, quint16(rubriken.size()));
            rubriken.append(r);
        }
        neu[size_t(j)] = *it;
    }
    rubrik.reserve(rubrik.size() + hinten.rubrik.size());
    for (const quint16 r : hinten.rubrik)
        rubrik.push_back(neu[r]);
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
    if (!k->gueltig)
        *k = Kopfindex();
    else
        kopfindexAblegen(*k);
}

const Unit4::Kopfindex* Unit4::kopfindex(const QString& p) const {
    const pfl::Dateistand jetzt = pfl::Dateistand::von(p);
    const Kopfindex& k = m_kopfindex;
    if (k.gueltig && k.pfad == p && k.stand.unveraendert(jetzt)) return &k;
    return kopfindexLaden(p, jetzt) ? &k : nullptr;
}

bool Unit4::kopfindexLaden(const QString& p, const pfl::Dateistand& jetzt) const {
    // Only a book whose state a later change would show can be matched with a kept state.
    if (indexOrdner.isEmpty() || !jetzt.da() || !jetzt.alt) return false;
    const QByteArray buch = buchname(p);
    const pfl::Dateihandle f(::open(QFile::encodeName(indexDatei(indexOrdner, buch)).constData(),
                                    O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!f.offen()) return false;
    // The head first: a file of another state of the book is not read further.
    Indexkopf kopf;
    if (pfl::liesAb(f.fd(), reinterpret_cast<char*>(&kopf), sizeof kopf, 0) != qint64(sizeof kopf) ||
        std::memcmp(kopf.kennung, kKennung, sizeof kKennung) != 0 ||
        !gespeicherterStand(kopf).unveraendert(jetzt) || kopf.saetze != jetzt.groesse / kSatz ||
        kopf.pfadLaenge != quint32(buch.size()) ||
        kopf.rubrikenAnzahl > quint32(std::numeric_limits<quint16>::max()) + 1)
        return false;
    const qint64 groesse = pfl::dateigroesse(f.fd());
    const qint64 hoechstens = qint64(sizeof kopf) + kopf.pfadLaenge +
                              qint64(kopf.rubrikenAnzahl) * (1 + kRubrikHoechstens) + 2 * kopf.saetze +
                              kSumme;
    if (groesse < qint64(sizeof kopf) + kSumme || groesse > hoechstens) return false;
    QByteArray b(groesse, Qt::Uninitialized);
    if (pfl::liesAb(f.fd(), b.data(), groesse, 0) != groesse) return false;
    XXH64_hash_t summe;
    std::memcpy(&summe, b.constData() + groesse - kSumme, sizeof summe);
    if (XXH3_64bits(b.constData(), size_t(groesse - kSumme)) != summe) return false;

    const char* z = b.constData() + sizeof kopf;
    const char* const ende = b.constData() + groesse - kSumme;
    if (QByteArrayView(z, kopf.pfadLaenge) != buch) return false;
    z += kopf.pfadLaenge;
    Kopfindex k;
    for (quint32 r = 0; r < kopf.rubrikenAnzahl; ++r) {
        if (z >= ende) return false;
        const auto laenge = qsizetype(quint8(*z++));
        if (laenge > kRubrikHoechstens || ende - z < laenge) return false;
        const QByteArray name(z, laenge);
        z += laenge;
        if (k.nummer.contains(name)) return false;
        k.nummer.insert(name, quint16(r));
        k.rubriken.append(name);
    }
    if (ende - z != 2 * kopf.saetze) return false;
    k.rubrik.resize(size_t(kopf.saetze));
    std::memcpy(k.rubrik.data(), z, size_t(2 * kopf.saetze));
    for (const quint16 r : k.rubrik)
        if (r >= kopf.rubrikenAnzahl) return false;
    k.pfad = p;
    k.stand = jetzt;
    k.gueltig = true;
    m_kopfindex = std::move(k);
    // Marks the file as used, so the clean-up keeps the indexes of the books in use.
    ::futimens(f.fd(), nullptr);
    return true;
}

void Unit4::kopfindexAblegen(const Kopfindex& k) const {
    if (indexOrdner.isEmpty() || k.rubrik.empty()) return;
    // The state the pass began with must still hold: else the index may mix two states.
    if (!k.stand.unveraendert(pfl::Dateistand::von(k.pfad))) return;
    if (!QDir().mkpath(indexOrdner)) return;
    QFile::setPermissions(indexOrdner,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray buch = buchname(k.pfad);
    Indexkopf kopf;
    std::memcpy(kopf.kennung, kKennung, sizeof kKennung);
    kopf.pfadLaenge = quint32(buch.size());
    kopf.rubrikenAnzahl = quint32(k.rubriken.size());
    kopf.geraet = k.stand.geraet;
    kopf.knoten = k.stand.knoten;
    kopf.groesse = k.stand.groesse;
    kopf.geaendertNs = k.stand.geaendertNs;
    kopf.statusNs = k.stand.statusNs;
    kopf.saetze = qint64(k.rubrik.size());
    QByteArray b;
    b.reserve(qsizetype(sizeof kopf) + buch.size() + k.rubriken.size() * (1 + kRubrikHoechstens) +
              2 * kopf.saetze + kSumme);
    b.append(reinterpret_cast<const char*>(&kopf), sizeof kopf);
    b.append(buch);
    for (const QByteArray& r : k.rubriken) {
        b.append(char(quint8(r.size())));
        b.append(r);
    }
    b.append(reinterpret_cast<const char*>(k.rubrik.data()), qsizetype(2 * k.rubrik.size()));
    const XXH64_hash_t summe = XXH3_64bits(b.constData(), size_t(b.size()));
    b.append(reinterpret_cast<const char*>(&summe), sizeof summe);

    // Written beside and moved over the old file: a reader sees either whole. No sync: a file torn by
    // a crash fails its sum.
    const QString ziel = indexDatei(indexOrdner, buch);
    const QByteArray temp = QFile::encodeName(ziel + QStringLiteral(".%1.tmp").arg(::getpid()));
    pfl::Dateihandle f(::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!f.offen()) return;
    const bool geschrieben = pfl::schreibeAb(f.fd(), b.constData(), b.size(), 0) && f.schliessen();
    if (!geschrieben || ::rename(temp.constData(), QFile::encodeName(ziel).constData()) != 0) {
        ::unlink(temp.constData());
        return;
    }
    indexOrdnerAufraeumen(indexOrdner);
}

bool Unit4::rubrikKoepfe(const QString& p, const QByteArray& rub,
                         const std::function<void(const char*, qint64)>& f, dateien* letzter) const {
    if (const Kopfindex* k = kopfindex(p)) return rubrikKoepfeNach(*k, p, rub, f, letzter);
    Kopfindex einmal;
    const Kopfindex* k = kopfindexMachen(p, einmal);
    return k && rubrikKoepfeNach(*k, p, rub, f, letzter);
}

const Unit4::Kopfindex* Unit4::kopfindexMachen(const QString& p, Kopfindex& einmal) const {
    const pfl::Dateistand stand = pfl::Dateistand::von(p);
    const pfl::Dateihandle d = pfl::oeffneLesen(lpf, p);
    if (!d.offen()) return nullptr;
    const qint64 n = pfl::dateigroesse(d.fd()) / kSatz;
    struct Teil {
        Kopfindex k;
        qint64 gelesen = 0;
        bool ok = true;
    };
    const auto lauf = [&](Teil& t, qint64 von, qint64 bis) {
        pfl::Satzleser leser(d.fd(), kSatz, n);
        t.k.rubrik.reserve(size_t(bis - von));
        for (qint64 i = von; i < bis; ++i) {
            const char* s = leser.bereich(i, 0, sizeof(dateien::Rubrik));
            if (!s) break; // cut meanwhile: the records before count
            if (!t.k.merke(s)) {
                t.ok = false;
                break;
            }
            ++t.gelesen;
        }
    };
    // Each record's section sits in a page of its own: the time goes to the kernel's work per page,
    // which two threads share.
    const qint64 mitte = n >= 512 ? n / 2 : n;
    Teil vorn, hinten;
    if (mitte < n) {
        std::thread faden(lauf, std::ref(hinten), mitte, n);
        lauf(vorn, 0, mitte);
        faden.join();
    } else {
        lauf(vorn, 0, n);
    }
    if (!vorn.ok || (vorn.gelesen == mitte && !hinten.ok)) return nullptr;
    Kopfindex& k = vorn.k;
    if (vorn.gelesen == mitte && hinten.gelesen > 0 && !k.anfuegen(hinten.k)) return nullptr;
    k.pfad = p;
    k.stand = stand;
    // Kept only when it describes the whole book as it was and still is.
    if (stand.alt && qint64(k.rubrik.size()) == stand.groesse / kSatz &&
        stand.unveraendert(pfl::Dateistand::von(p))) {
        k.gueltig = true;
        m_kopfindex = std::move(k);
        kopfindexAblegen(m_kopfindex);
        return &m_kopfindex;
    }
    einmal = std::move(k);
    return &einmal;
}

bool Unit4::rubrikKoepfeNach(const Kopfindex& k, const QString& p, const QByteArray& rub,
                             const std::function<void(const char*, qint64)>& f, dateien* letzter) const {
    const pfl::Dateihandle d = pfl::oeffneLesen(lpf, p);
    if (!d.offen()) return false;
    const qint64 n = qint64(k.rubrik.size());
    if (pfl::dateigroesse(d.fd()) / kSatz != n) return false;
    const auto it = k.nummer.constFind(rub);
    if (it != k.nummer.cend()) {
        const quint16 r = *it;
        char kopf[kKopf];
        for (qint64 i = 0; i < n; ++i) {
            if (k.rubrik[size_t(i)] != r) continue;
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
