// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Dateizugriff.h"

#include "data/Cp1252.h"
#include "data/Dateischreiber.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <liburing.h>
#include <ctime>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

constexpr char16_t kRohbyte = 0xDC00; // U+DC80..U+DCFF: a byte that is no part of UTF-8

// The length of the UTF-8 sequence at p (of n bytes), 0 when it is none: no overlong forms, no
// surrogates, nothing above U+10FFFF.
int utf8Laenge(const unsigned char* p, qsizetype n) {
    const auto folge = [&](int i, unsigned char von = 0x80, unsigned char bis = 0xBF) {
        return i < n && p[i] >= von && p[i] <= bis;
    };
    const unsigned char b = p[0];
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return folge(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const bool erstes = b == 0xE0 ? folge(1, 0xA0) : b == 0xED ? folge(1, 0x80, 0x9F) : folge(1);
        return erstes && folge(2) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const bool erstes = b == 0xF0 ? folge(1, 0x90) : b == 0xF4 ? folge(1, 0x80, 0x8F) : folge(1);
        return erstes && folge(2) && folge(3) ? 4 : 0;
    }
    return 0;
}

// The character at i stands for a byte: U+DC80..U+DCFF, and not the second half of a pair (U+1F080
// and its neighbours end in the same range).
bool rohAn(QStringView s, qsizetype i) {
    const char16_t c = s.at(i).unicode();
    return c >= kRohbyte + 0x80 && c <= kRohbyte + 0xFF && !(i > 0 && s.at(i - 1).isHighSurrogate());
}

bool mitRoh(QStringView s) {
    for (qsizetype i = 0; i < s.size(); ++i)
        if (rohAn(s, i)) return true;
    return false;
}

QByteArray lokal(const QString& pfad) {
    return nativ(pfad);
}

QByteArray kanonisch(const QByteArray& pfad) {
    char buf[PATH_MAX];
    if (!::realpath(pfad.constData(), buf)) return QByteArray();
    return QByteArray(buf);
}

} // namespace

QByteArray nativ(const QString& pfad) {
    if (!mitRoh(pfad)) return pfad.toUtf8();
    QByteArray out;
    out.reserve(pfad.size() * 3);
    qsizetype i = 0;
    while (i < pfad.size()) {
        qsizetype j = i;
        while (j < pfad.size() && !rohAn(pfad, j))
            ++j;
        out += QStringView(pfad).mid(i, j - i).toUtf8();
        if (j < pfad.size()) out += char(pfad.at(j).unicode() - kRohbyte);
        i = j + 1;
    }
    return out;
}

QString ausNativ(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        qsizetype j = i;
        int l = 0;
        while (j < n && (l = utf8Laenge(p + j, n - j)) > 0)
            j += l;
        out += QString::fromUtf8(bytes.constData() + i, j - i);
        if (j < n) out += QChar(char16_t(kRohbyte + p[j]));
        i = j + 1;
    }
    return out;
}

QString anzeigename(const QString& name) {
    if (!mitRoh(name)) return name;
    // Name by name along a path: only a name that kept bytes is read in the code page.
    QStringList teile = name.split(QLatin1Char('/'));
    for (QString& t : teile)
        if (mitRoh(t)) t = fromCp1252(nativ(t));
    return teile.join(QLatin1Char('/'));
}

std::optional<QStringList> ordnerEintraege(const QString& ordner) {
    const QByteArray pfad = nativ(ordner);
    DIR* d = ::opendir(pfad.constData());
    if (!d) return std::nullopt; // errno says why
    QStringList namen;
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            namen.append(ausNativ(QByteArray(e->d_name)));
        errno = 0;
    }
    const int fehler = errno;
    ::closedir(d);
    if (fehler != 0) {
        errno = fehler;
        return std::nullopt;
    }
    return namen;
}

Dateihandle& Dateihandle::operator=(Dateihandle&& o) noexcept {
    if (this != &o) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = o.m_fd;
        o.m_fd = -1;
    }
    return *this;
}

Dateihandle::~Dateihandle() {
    if (m_fd >= 0) ::close(m_fd);
}

bool Dateihandle::schliessen() {
    if (m_fd < 0) return true;
    const int r = ::close(m_fd);
    m_fd = -1;
    return r == 0;
}

namespace {
Dateistand ausStat(const struct stat& st) {
    Dateistand d;
    d.geraet = qint64(st.st_dev);
    d.knoten = qint64(st.st_ino);
    d.groesse = qint64(st.st_size);
    d.geaendertNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    d.statusNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    struct timespec jetzt;
    ::clock_gettime(CLOCK_REALTIME, &jetzt);
    const qint64 jetztNs = qint64(jetzt.tv_sec) * 1000000000 + jetzt.tv_nsec;
    d.alt = jetztNs - qMax(d.geaendertNs, d.statusNs) > qint64(1000000000);
    return d;
}
} // namespace

Dateistand Dateistand::von(const QString& pfad) {
    struct stat st;
    return ::stat(lokal(pfad).constData(), &st) == 0 ? ausStat(st) : Dateistand{};
}

Dateistand Dateistand::vonName(const QString& pfad) {
    struct stat st;
    return ::lstat(lokal(pfad).constData(), &st) == 0 ? ausStat(st) : Dateistand{};
}

Dateistand Dateistand::von(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 ? ausStat(st) : Dateistand{};
}

bool imOrdner(const QString& ordner, const QString& pfad) {
    const QByteArray o = kanonisch(lokal(ordner));
    const QByteArray z = kanonisch(lokal(pfad));
    if (o.isEmpty() || z.isEmpty()) return false;
    return z.startsWith(o.endsWith('/') ? o : o + '/');
}

bool unterordnerBeschreibbar(const QString& ordner, const QString& name, QString* grund) {
    const QString pfad = (ordner.endsWith(QLatin1Char('/')) ? ordner : ordner + QLatin1Char('/')) + name;
    struct stat st;
    // Anything but a link is what it is: a missing folder is made, a file in its place refused by
    // whoever makes the folder.
    if (::lstat(lokal(pfad).constData(), &st) != 0 || !S_ISLNK(st.st_mode) || imOrdner(ordner, pfad))
        return true;
    if (grund)
        *grund = QStringLiteral("Der Ordner \u201E%1\u201C ist ein Verweis auf einen Ort außerhalb des "
                                "Datenordners; dorthin schreibt Pfanno-Lux nichts.")
                     .arg(name);
    return false;
}

Dateiart dateiart(const QString& ordner, const QString& pfad) {
    const QByteArray p = lokal(pfad);
    struct stat st;
    if (::lstat(p.constData(), &st) != 0) return Dateiart::Fehlt;
    if (S_ISREG(st.st_mode)) return Dateiart::Datei;
    if (!S_ISLNK(st.st_mode)) return Dateiart::Unbrauchbar;
    if (::stat(p.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return Dateiart::Unbrauchbar;
    return imOrdner(ordner, pfad) ? Dateiart::LinkDrinnen : Dateiart::Unbrauchbar;
}

namespace {

const QString kKeineDatei = QStringLiteral("Sie ist keine gewöhnliche Datei im Datenordner.");

// Opens and checks that what was opened is a regular file (a FIFO must not block the open).
Dateihandle oeffneGeprueft(const QString& ordner, const QString& pfad, int flags, QString* grund) {
    const Dateiart art = dateiart(ordner, pfad);
    if (art == Dateiart::Unbrauchbar) {
        if (grund) *grund = kKeineDatei;
        return Dateihandle();
    }
    if (art == Dateiart::Fehlt && !(flags & O_CREAT)) {
        if (grund) *grund = QStringLiteral("Die Datei fehlt.");
        return Dateihandle();
    }
    const int fd = ::open(lokal(pfad).constData(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (grund) *grund = dateifehlerText(errno);
        return Dateihandle();
    }
    Dateihandle h(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (grund) *grund = kKeineDatei;
        return Dateihandle();
    }
    // Regular files ignore O_NONBLOCK, but later writes should not see it either.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return h;
}

} // namespace

Dateihandle oeffneLesen(const QString& ordner, const QString& pfad, QString* grund) {
    return oeffneGeprueft(ordner, pfad, O_RDONLY, grund);
}

bool schreibgeschuetzt(const QString& pfad) {
    struct stat st;
    return ::stat(lokal(pfad).constData(), &st) == 0 && (st.st_mode & 0222) == 0;
}

Dateihandle oeffneSchreiben(const QString& ordner, const QString& pfad, bool anlegen, QString* grund) {
    // Root may write anything; the protection the user set still counts.
    if (schreibgeschuetzt(pfad)) {
        if (grund) *grund = QStringLiteral("Die Datei ist schreibgeschützt.");
        return Dateihandle();
    }
    return oeffneGeprueft(ordner, pfad, O_RDWR | (anlegen ? O_CREAT : 0), grund);
}

qint64 liesAb(int fd, char* ziel, qint64 n, qint64 pos) {
    qint64 gelesen = 0;
    while (gelesen < n) {
        const ssize_t r = ::pread(fd, ziel + gelesen, size_t(n - gelesen), off_t(pos + gelesen));
        if (r < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (r == 0) break;
        gelesen += r;
    }
    return gelesen;
}

bool schreibeAb(int fd, const char* daten, qint64 n, qint64 pos) {
    qint64 geschrieben = 0;
    while (geschrieben < n) {
        const ssize_t r =
            ::pwrite(fd, daten + geschrieben, size_t(n - geschrieben), off_t(pos + geschrieben));
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (r == 0) {
            errno = ENOSPC;
            return false;
        }
        geschrieben += r;
    }
    return true;
}

qint64 dateigroesse(int fd) {
    struct stat st;
    return ::fstat(fd, &st) == 0 ? qint64(st.st_size) : -1;
}

namespace {
constexpr unsigned kStapel = 256; // parts asked for in one call
std::atomic<bool> teileErlaubt{true};
} // namespace

struct Satzleser::Ring {
    io_uring ring;
    bool bereit = false;
    Ring() { bereit = ::io_uring_queue_init(kStapel, &ring, 0) == 0; }
    ~Ring() {
        if (bereit) ::io_uring_queue_exit(&ring);
    }
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;
};

Satzleser::Satzleser(int fd, qint64 satzgroesse, qint64 anzahl)
    : m_fd(fd), m_groesse(satzgroesse), m_anzahl(anzahl), m_proBlock(qMax<qint64>(1, kBlock / satzgroesse)),
      m_vorlauf(fd, anzahl * satzgroesse) {}

Satzleser::~Satzleser() = default;

void Satzleser::teileErlauben(bool ja) {
    teileErlaubt = ja;
}

const char* Satzleser::satz(qint64 i, qint64 noetig) {
    return bereich(i, 0, noetig);
}

namespace {
// Whether most of the file's start is in the page cache: a book nobody read lately is read fastest in
// large sequential blocks, one that is cached part by part.
bool imCache(int fd, qint64 laenge) {
    const qint64 probe = qMin(laenge, qint64(64) << 20);
    if (probe <= 0) return true;
    void* a = ::mmap(nullptr, size_t(probe), PROT_READ, MAP_SHARED, fd, 0);
    if (a == MAP_FAILED) return true;
    const qint64 seite = qMax<qint64>(1, ::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> da(size_t((probe + seite - 1) / seite));
    const bool ok = ::mincore(a, size_t(probe), da.data()) == 0;
    ::munmap(a, size_t(probe));
    if (!ok) return true;
    const auto drin = std::count_if(da.cbegin(), da.cend(), [](unsigned char c) { return (c & 1) != 0; });
    return 2 * qint64(drin) >= qint64(da.size());
}
} // namespace

const char* Satzleser::bereich(qint64 i, qint64 ab, qint64 laenge) {
    if (i < 0 || i >= m_anzahl || ab < 0 || laenge < 0 || ab + laenge > m_groesse) return nullptr;
    if (laenge * 2 <= m_groesse) {
        if (!m_ringVersucht && teileErlaubt && !imCache(m_fd, m_anzahl * m_groesse)) {
            // Parts would wait for the disk one by one: blocks read it at its speed.
            m_ringVersucht = true;
        }
        if (!m_ringVersucht) {
            m_ringVersucht = true;
            if (teileErlaubt) {
                m_ring = std::make_unique<Ring>();
                if (!m_ring->bereit) m_ring.reset();
            }
        }
        if (m_ring) return teil(i, ab, laenge);
    }
    const char* s = block(i, ab + laenge);
    return s ? s + ab : nullptr;
}

const char* Satzleser::block(qint64 i, qint64 noetig) {
    if (m_teil > 0 || m_ab < 0 || i < m_ab || i >= m_ab + m_proBlock) {
        const qint64 k = qMin(m_proBlock, m_anzahl - i);
        if (m_puffer.size() < k * m_groesse) m_puffer.resize(k * m_groesse);
        // Large reads in ascending order: the kernel's own read-ahead serves them best (asking for
        // more ahead made a cold scan half again as slow).
        m_ab = i;
        m_teil = 0;
        m_gelesen = qMax<qint64>(0, liesAb(m_fd, m_puffer.data(), k * m_groesse, i * m_groesse));
    }
    const qint64 von = (i - m_ab) * m_groesse;
    return von + noetig <= m_gelesen ? m_puffer.constData() + von : nullptr;
}

const char* Satzleser::teil(qint64 i, qint64 ab, qint64 noetig) {
    if (m_teil < noetig || m_teilAb != ab || m_ab < 0 || i < m_ab ||
        i >= m_ab + qint64(m_teilGelesen.size())) {
        const qint64 k = qMin<qint64>(kStapel, m_anzahl - i);
        if (m_puffer.size() < k * noetig) m_puffer.resize(k * noetig);
        m_vorlauf.bei(i * m_groesse);
        m_ab = i;
        m_teil = noetig;
        m_teilAb = ab;
        m_teilGelesen.assign(size_t(k), -1);
        io_uring& r = m_ring->ring;
        int gefragt = 0;
        for (; gefragt < k; ++gefragt) {
            io_uring_sqe* sqe = ::io_uring_get_sqe(&r);
            if (!sqe) break; // the rest is read one by one below
            ::io_uring_prep_read(sqe, m_fd, m_puffer.data() + gefragt * noetig, unsigned(noetig),
                                 quint64((i + gefragt) * m_groesse + ab));
            sqe->user_data = quint64(gefragt);
        }
        const int gestellt = ::io_uring_submit(&r);
        for (int fertig = 0; fertig < gestellt;) {
            io_uring_cqe* cqe = nullptr;
            const int e = ::io_uring_wait_cqe(&r, &cqe);
            if (e == -EINTR) continue;
            if (e < 0) {
                // The ring broke down with reads in flight: they may still land in the buffer, so it is
                // left to them (never freed) and this scan goes on with plain reads.
                new QByteArray(std::move(m_puffer));
                m_puffer = QByteArray();
                m_ring.reset();
                m_ab = -1;
                m_teil = 0;
                const char* s = block(i, ab + noetig);
                return s ? s + ab : nullptr;
            }
            const qint64 j = qint64(cqe->user_data);
            if (j >= 0 && j < k) m_teilGelesen[size_t(j)] = cqe->res;
            ::io_uring_cqe_seen(&r, cqe);
            ++fertig;
        }
        // Requests the kernel did not take would land in a later batch: the ring is not used again.
        if (gestellt != gefragt) m_ring.reset();
    }
    const qint64 j = i - m_ab;
    char* ziel = m_puffer.data() + j * m_teil;
    qint64& gelesen = m_teilGelesen[size_t(j)];
    // A part the ring did not read whole (short, failed, not asked for) is read directly: a short read
    // means the end of the file only when a plain read says so too.
    if (gelesen < noetig) gelesen = liesAb(m_fd, ziel, noetig, i * m_groesse + ab);
    return gelesen >= noetig ? ziel : nullptr;
}

void Vorlauf::weiter(qint64 pos) {
    const qint64 ab = qMax(m_bis, pos);
    const qint64 bis = qMin(m_ende, ab + kFenster);
    if (bis > ab) ::posix_fadvise(m_fd, off_t(ab), off_t(bis - ab), POSIX_FADV_WILLNEED);
    m_bis = bis;
}

bool schreibeGanz(int fd, const char* daten, qint64 n, qint64 pos, QString* grund) {
    const qint64 groesse = dateigroesse(fd);
    if (groesse < 0) {
        if (grund) *grund = dateifehlerText(errno);
        return false;
    }
    QByteArray alt(qMax<qint64>(0, qMin(groesse, pos + n) - pos), Qt::Uninitialized);
    if (!alt.isEmpty() && liesAb(fd, alt.data(), alt.size(), pos) != alt.size()) {
        if (grund) *grund = dateifehlerText(errno);
        return false;
    }
    if (schreibeAb(fd, daten, n, pos)) return true;
    const int fehler = errno;
    // Whatever part of the record reached the file is taken back.
    if (!alt.isEmpty()) schreibeAb(fd, alt.constData(), alt.size(), pos);
    if (::ftruncate(fd, off_t(groesse)) != 0) {
        // keep the first error: it is the one the user can act on
    }
    if (grund) *grund = dateifehlerText(fehler);
    return false;
}

bool ordnerSync(const QString& ordner) {
    const int fd = ::open(lokal(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// ---------------------------------------------------------------- Neudatei

Neudatei::Neudatei(const QString& ordner) : m_ordner(ordner) {
    // Hidden and not named like a book, so no listing picks it up; the process id lets a later
    // run tell a leftover of a dead process from a file still being written.
    QByteArray muster = lokal(ordner);
    if (!muster.endsWith('/')) muster += '/';
    muster += ".pfl" + QByteArray::number(qint64(::getpid())) + "-XXXXXX.tmp";
    const int fd = ::mkstemps(muster.data(), 4);
    if (fd < 0) {
        m_grund = dateifehlerText(errno);
        return;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    m_fd = Dateihandle(fd);
    m_temp = ausNativ(muster);
    rechte(0644);
}

Neudatei::~Neudatei() {
    verwerfen();
}

void Neudatei::rechte(uint modus) {
    if (m_fd.offen()) ::fchmod(m_fd.fd(), mode_t(modus & 07777));
}

bool Neudatei::schreibe(const char* daten, qint64 n) {
    if (!m_fd.offen()) return false;
    if (!schreibeAb(m_fd.fd(), daten, n, m_pos)) {
        m_grund = dateifehlerText(errno);
        return false;
    }
    m_pos += n;
    return true;
}

bool Neudatei::fertig(const QString& ziel, bool ordnerSyncen) {
    if (!m_fd.offen()) return false;
    if (::fsync(m_fd.fd()) != 0 || !m_fd.schliessen()) {
        m_grund = dateifehlerText(errno);
        verwerfen();
        return false;
    }
    if (::rename(lokal(m_temp).constData(), lokal(ziel).constData()) != 0) {
        m_grund = dateifehlerText(errno);
        verwerfen();
        return false;
    }
    m_temp.clear();
    if (ordnerSyncen) ordnerSync(m_ordner);
    return true;
}

void Neudatei::verwerfen() {
    m_fd.schliessen();
    if (!m_temp.isEmpty()) ::unlink(lokal(m_temp).constData());
    m_temp.clear();
}

void verwaisteTempDateienEntfernen(const QString& ordner) {
    for (const QString& n : ordnerEintraege(ordner).value_or(QStringList())) {
        if (!n.startsWith(QLatin1String(".pfl")) || !n.endsWith(QLatin1String(".tmp"))) continue;
        bool ok = false;
        const qint64 pid = n.mid(4, n.indexOf(QLatin1Char('-')) - 4).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue; // its writer may still be alive
        QString p = ordner;
        if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
        ::unlink(lokal(p + n).constData());
    }
}

} // namespace pfl
