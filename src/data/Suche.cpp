// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Suche.h"

#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "data/Unit4Intern.h"
#include "data/Dateizugriff.h"

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace pfl {

QString suchform(const QString& s) {
    QString t = ohneRand(s);
    for (QChar& c : t)
        c = c.toUpper(); // one character for one: "ß" keeps its place instead of becoming "SS"
    return t;
}

namespace {

template <typename T> bool vergleiche(int art, const T& wert, const T& gesucht) {
    switch (art) {
    case 0:
        return wert >= gesucht;
    case 1:
        return wert <= gesucht;
    default:
        return wert == gesucht;
    }
}

// Byte -> the smallest byte whose character has the same capital (QChar::toUpper, one character for
// one, as suchform does). Equal folded bytes mean equal capitals, umlauts included.
const std::array<unsigned char, 256>& faltung() {
    static const std::array<unsigned char, 256> tabelle = [] {
        std::array<char16_t, 256> gross{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            gross[size_t(b)] = fromCp1252(&c, 1).at(0).toUpper().unicode();
        }
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            int erstes = b;
            for (int a = 0; a < b; ++a)
                if (gross[size_t(a)] == gross[size_t(b)]) {
                    erstes = a;
                    break;
                }
            t[size_t(b)] = static_cast<unsigned char>(erstes);
        }
        return t;
    }();
    return tabelle;
}

// Blanks and control characters at both ends do not count (as in suchform).
void ohneRandBytes(const char*& p, qsizetype& n) {
    while (n > 0 && static_cast<unsigned char>(p[0]) <= ' ') {
        ++p;
        --n;
    }
    while (n > 0 && static_cast<unsigned char>(p[n - 1]) <= ' ')
        --n;
}

template <int N> void kurzfeld(const char* satz, std::size_t versatz, const char*& p, qsizetype& n) {
    const auto laenge = static_cast<unsigned char>(satz[versatz]);
    n = laenge > N ? N : laenge;
    p = satz + versatz + 1;
}

QDate datumFeld(const char* satz) {
    const char* p;
    qsizetype n;
    kurzfeld<10>(satz, offsetof(dateien, erfasst_am), p, n);
    return datumLesen(fromCp1252(p, n));
}

} // namespace

bool speicherbar(const QString& text) {
    return fromCp1252(toCp1252(text)) == text;
}

Suchpruefer::Suchpruefer(const Suchbegriff& b) : m_b(b) {
    if (b.was == 0) {
        const QString t = ohneRand(b.objekt);
        m_moeglich = speicherbar(t);
        m_gefaltet = toCp1252(t);
        const auto& f = faltung();
        for (char& c : m_gefaltet)
            c = static_cast<char>(f[static_cast<unsigned char>(c)]);
    } else if (b.was == 11) {
        const QString t = b.objekt.trimmed();
        m_moeglich = speicherbar(t);
        m_exakt = toCp1252(t);
    }
}

bool Suchpruefer::textPasst(const char* feld, qsizetype n) const {
    ohneRandBytes(feld, n);
    const auto& f = faltung();
    const qsizetype m = m_gefaltet.size();
    if (m_b.exakt) {
        if (n != m) return false;
        for (qsizetype i = 0; i < n; ++i)
            if (static_cast<char>(f[static_cast<unsigned char>(feld[i])]) != m_gefaltet[i]) return false;
        return true;
    }
    if (m == 0 || n < m) return false;
    // The field folded into a buffer, then one plain byte search (texts hold at most 5001 bytes).
    char puffer[sizeof(dateien::zutaten)];
    for (qsizetype i = 0; i < n; ++i)
        puffer[i] = static_cast<char>(f[static_cast<unsigned char>(feld[i])]);
    return memmem(puffer, size_t(n), m_gefaltet.constData(), size_t(m)) != nullptr;
}

bool Suchpruefer::passt(const char* satz) const {
    const char* z = satz + offsetof(dateien, zutaten);
    const void* nul = std::memchr(z, 0, sizeof(dateien::zutaten));
    return passt(satz, z, nul ? static_cast<const char*>(nul) - z : qsizetype(sizeof(dateien::zutaten)));
}

bool Suchpruefer::passt(const char* satz, const char* zutaten, qsizetype zutatenLaenge) const {
    if (!m_moeglich) return false;
    switch (m_b.was) {
    case 0: {
        const char* p = nullptr;
        qsizetype n = 0;
        switch (m_b.feld) {
        case Textfeld::Kategorie:
            kurzfeld<40>(satz, offsetof(dateien, kategorie), p, n);
            break;
        case Textfeld::Rubrik:
            kurzfeld<40>(satz, offsetof(dateien, Rubrik), p, n);
            break;
        case Textfeld::Name:
            kurzfeld<40>(satz, offsetof(dateien, name), p, n);
            break;
        case Textfeld::Zutaten:
            p = zutaten;
            n = zutatenLaenge;
            break;
        }
        return textPasst(p, n);
    }
    case 1:
    case 2:
    case 3: {
        double preis = 0;
        std::memcpy(&preis, satz + offsetof(dateien, preis), sizeof preis);
        return vergleiche(m_b.was - 1, preis, m_b.objekt_zahl);
    }
    case 4:
    case 5:
    case 6: {
        const QDate am = datumFeld(satz);
        return am.isValid() && m_b.datum.isValid() && vergleiche(m_b.was - 4, am, m_b.datum);
    }
    case 7:
    case 8:
    case 9: {
        const char* p;
        qsizetype n;
        kurzfeld<10>(satz, offsetof(dateien, zeit), p, n);
        const std::optional<double> zeit = dezimalzahl(fromCp1252(p, n));
        return zeit && vergleiche(m_b.was - 7, *zeit, m_b.objekt_zahl);
    }
    case 10: {
        const QDate am = datumFeld(satz);
        return am.isValid() &&
               m_b.objekt.trimmed() == QString::number(am.year()).rightJustified(4, QLatin1Char('0'));
    }
    case 11: {
        const char* p;
        qsizetype n;
        kurzfeld<40>(satz, offsetof(dateien, name), p, n);
        return n == m_exakt.size() && std::memcmp(p, m_exakt.constData(), size_t(n)) == 0;
    }
    default:
        return false;
    }
}

bool passt(const dateien& d, const Suchbegriff& b) {
    return Suchpruefer(b).passt(reinterpret_cast<const char*>(&d));
}

Listenzeile listenzeile(const char* s, int position) {
    const auto* d = reinterpret_cast<const dateien*>(s);
    Listenzeile z;
    z.position = position;
    z.kategorie = d->kategorie.toQString();
    z.rubrik = d->Rubrik.toQString();
    z.name = d->name.toQString();
    z.personen = d->personen.toQString();
    z.zeit = d->zeit.toQString();
    z.schwer = d->schwer.toQString();
    z.kalorien = d->kalorien.toQString();
    z.erfasst_am = d->erfasst_am.toQString();
    std::memcpy(&z.preis, s + offsetof(dateien, preis), sizeof(double));
    return z;
}

namespace {

// Where each text of a listing row lies in a record, and its capacity.
struct Textort {
    std::size_t versatz;
    int laenge;
};
constexpr Textort kTextorte[Listenzeilen::kFelder] = {
    {offsetof(dateien, kategorie), 40}, {offsetof(dateien, Rubrik), 40},    {offsetof(dateien, name), 40},
    {offsetof(dateien, personen), 40},  {offsetof(dateien, zeit), 10},      {offsetof(dateien, schwer), 40},
    {offsetof(dateien, kalorien), 40},  {offsetof(dateien, erfasst_am), 10}};
// A row: position, book number, cost, then each text as its length byte and its bytes.
constexpr std::size_t kFest = 2 * sizeof(qint32) + sizeof(double);

} // namespace

void Listenzeilen::anhaengen(const char* satz, int position, int buch) {
    m_ab.push_back(qint64(m_daten.size()));
    char fest[kFest];
    const qint32 p = position, b = buch;
    std::memcpy(fest, &p, sizeof p);
    std::memcpy(fest + sizeof p, &b, sizeof b);
    std::memcpy(fest + 2 * sizeof p, satz + offsetof(dateien, preis), sizeof(double));
    m_daten.insert(m_daten.end(), fest, fest + kFest);
    for (const Textort& o : kTextorte) {
        // A foreign length byte above the capacity is clamped, as the record types do.
        const auto laenge = qMin(int(static_cast<unsigned char>(satz[o.versatz])), o.laenge);
        m_daten.push_back(char(laenge));
        m_daten.insert(m_daten.end(), satz + o.versatz + 1, satz + o.versatz + 1 + laenge);
    }
}

void Listenzeilen::kuerzen(qsizetype n) {
    if (n >= size()) return;
    m_daten.resize(size_t(n > 0 ? m_ab[size_t(n)] : 0));
    m_ab.resize(size_t(qMax<qsizetype>(0, n)));
}

void Listenzeilen::anhaengen(const Listenzeilen& andere) {
    const auto versatz = qint64(m_daten.size());
    // Exactly the room needed: a large list would otherwise grow by half again at once.
    m_daten.reserve(m_daten.size() + andere.m_daten.size());
    m_daten.insert(m_daten.end(), andere.m_daten.cbegin(), andere.m_daten.cend());
    m_ab.reserve(m_ab.size() + andere.m_ab.size());
    for (const qint64 ab : andere.m_ab)
        m_ab.push_back(versatz + ab);
}

int Listenzeilen::position(qsizetype i) const {
    qint32 p;
    std::memcpy(&p, zeile(i), sizeof p);
    return p;
}

int Listenzeilen::buch(qsizetype i) const {
    qint32 b;
    std::memcpy(&b, zeile(i) + sizeof(qint32), sizeof b);
    return b;
}

double Listenzeilen::preis(qsizetype i) const {
    double p;
    std::memcpy(&p, zeile(i) + 2 * sizeof(qint32), sizeof p);
    return p;
}

QString Listenzeilen::text(qsizetype i, Feld f) const {
    const char* p = zeile(i) + kFest;
    for (int k = 0; k < f; ++k)
        p += 1 + static_cast<unsigned char>(*p);
    return fromCp1252(p + 1, static_cast<unsigned char>(*p));
}

Listenzeile Listenzeilen::at(qsizetype i) const {
    Listenzeile z;
    z.position = position(i);
    z.kategorie = text(i, Kategorie);
    z.rubrik = text(i, Rubrik);
    z.name = text(i, Name);
    z.personen = text(i, Personen);
    z.zeit = text(i, Zeit);
    z.schwer = text(i, Schwer);
    z.kalorien = text(i, Kalorien);
    z.erfasst_am = text(i, ErfasstAm);
    z.preis = preis(i);
    return z;
}

QList<Listenzeile> Listenzeilen::alle() const {
    QList<Listenzeile> l;
    l.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        l.append(at(i));
    return l;
}

namespace {
constexpr qint64 kZutaten = qint64(offsetof(dateien, zutaten));
constexpr qint64 kZutatenBlock = qint64(sizeof(dateien::zutaten));
constexpr qint64 kZutatenVorn = 1024;
} // namespace

Zutatenleser::Zutatenleser(int fd, qint64 anzahl) : m_fd(fd), m_leser(fd, unit4::kSatz, anzahl) {}

const char* Zutatenleser::text(qint64 i, qsizetype& laenge) {
    const char* s = m_leser.bereich(i, kZutaten, kZutatenVorn);
    if (!s) return nullptr;
    if (const void* z = std::memchr(s, 0, size_t(kZutatenVorn))) {
        laenge = static_cast<const char*>(z) - s;
        return s;
    }
    if (m_ganz.size() != kZutatenBlock) m_ganz.resize(kZutatenBlock);
    if (liesAb(m_fd, m_ganz.data(), kZutatenBlock, i * unit4::kSatz + kZutaten) != kZutatenBlock)
        return nullptr;
    const void* z = std::memchr(m_ganz.constData(), 0, size_t(kZutatenBlock));
    laenge = z ? static_cast<const char*>(z) - m_ganz.constData() : qsizetype(kZutatenBlock);
    return m_ganz.constData();
}

void jedeZutatenliste(const QString& ordner, const QString& pfad,
                      const std::function<void(const char* text, qsizetype laenge)>& f) {
    if (pfad.isEmpty()) return;
    const Dateihandle d = oeffneLesen(ordner, pfad);
    if (!d.offen()) return;
    const qint64 n = dateigroesse(d.fd()) / unit4::kSatz;
    // A large book is read by a second thread while f takes the texts read before, a stretch of
    // records at a time: the reading and the caller's work (breaking the lines) overlap.
    constexpr qint64 kStrecke = 256;
    if (n < 2 * kStrecke) {
        Zutatenleser leser(d.fd(), n);
        for (qint64 i = 0; i < n; ++i) {
            qsizetype laenge = 0;
            const char* t = leser.text(i, laenge);
            if (!t) break;
            f(t, laenge);
        }
        return;
    }
    struct Stueck {
        QByteArray texte;
        std::vector<qsizetype> enden; // where each text ends in texte
    };
    constexpr size_t kVoraus = 4; // stretches read ahead at most
    std::mutex m;
    std::condition_variable cv;
    std::deque<Stueck> voll, frei;
    bool gelesen = false;
    std::thread leserFaden([&] {
        Zutatenleser leser(d.fd(), n);
        bool ende = false;
        for (qint64 a = 0; a < n && !ende; a += kStrecke) {
            Stueck s;
            {
                std::unique_lock<std::mutex> l(m);
                cv.wait(l, [&] { return voll.size() < kVoraus; });
                if (!frei.empty()) {
                    s = std::move(frei.front());
                    frei.pop_front();
                }
            }
            s.texte.resize(0);
            s.enden.clear();
            for (qint64 i = a; i < qMin(n, a + kStrecke); ++i) {
                qsizetype laenge = 0;
                const char* t = leser.text(i, laenge);
                if (!t) { // the file was cut meanwhile; the records before count
                    ende = true;
                    break;
                }
                s.texte.append(t, laenge);
                s.enden.push_back(s.texte.size());
            }
            std::lock_guard<std::mutex> l(m);
            voll.push_back(std::move(s));
            cv.notify_all();
        }
        std::lock_guard<std::mutex> l(m);
        gelesen = true;
        cv.notify_all();
    });
    for (;;) {
        Stueck s;
        {
            std::unique_lock<std::mutex> l(m);
            cv.wait(l, [&] { return !voll.empty() || gelesen; });
            if (voll.empty()) break;
            s = std::move(voll.front());
            voll.pop_front();
            cv.notify_all();
        }
        qsizetype ab = 0;
        for (const qsizetype e : s.enden) {
            f(s.texte.constData() + ab, e - ab);
            ab = e;
        }
        std::lock_guard<std::mutex> l(m);
        frei.push_back(std::move(s));
    }
    leserFaden.join();
}

} // namespace pfl

using namespace pfl::unit4;

pfl::Listenzeilen Unit4::buchZeilen(const pfl::Suchbegriff* begriff) {
    pfl::Listenzeilen zeilen;
    // The rows of the pass that just read the book for its names.
    if (!begriff && m_listeVorab) {
        zeilen = std::move(*m_listeVorab);
        m_listeVorab.reset();
        return zeilen;
    }
    m_listeVorab.reset();
    const QString p = buchPfad();
    if (p.isEmpty()) return zeilen;
    std::optional<pfl::Suchpruefer> pruefer;
    if (begriff) pruefer.emplace(*begriff);
    // A search text that no record can hold finds nothing, without reading any record.
    if (pruefer && !pruefer->moeglich()) return zeilen;
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, p);
    if (!f.offen()) {
        if (begriff) daten = 0;
        return zeilen;
    }
    const qint64 n = pfl::dateigroesse(f.fd()) / kSatz;
    pfl::satzweiseSuchen(f.fd(), n, pruefer ? &*pruefer : nullptr, 0, zeilen);
    if (begriff) daten = int(qMax<qint64>(0, n));
    // The buffer ends with the last record, as after a pass over whole records.
    dateien letzter;
    if (n > 0 && pfl::liesAb(f.fd(), reinterpret_cast<char*>(&letzter), kSatz, (n - 1) * kSatz) == kSatz)
        datei = letzter;
    return zeilen;
}

QList<pfl::Listenzeile> Unit4::buchListe(const pfl::Suchbegriff* begriff) {
    return buchZeilen(begriff).alle();
}
