// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Dateizugriff.h"

#include "data/Dateischreiber.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

QByteArray lokal(const QString& pfad) {
    return QFile::encodeName(pfad);
}

QByteArray kanonisch(const QByteArray& pfad) {
    char buf[PATH_MAX];
    if (!::realpath(pfad.constData(), buf)) return QByteArray();
    return QByteArray(buf);
}

} // namespace

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

bool imOrdner(const QString& ordner, const QString& pfad) {
    const QByteArray o = kanonisch(lokal(ordner));
    const QByteArray z = kanonisch(lokal(pfad));
    if (o.isEmpty() || z.isEmpty()) return false;
    return z.startsWith(o.endsWith('/') ? o : o + '/');
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

Satzleser::Satzleser(int fd, qint64 satzgroesse, qint64 anzahl)
    : m_fd(fd), m_groesse(satzgroesse), m_anzahl(anzahl), m_proBlock(qMax<qint64>(1, kBlock / satzgroesse)),
      m_vorlauf(fd, anzahl * satzgroesse) {}

const char* Satzleser::satz(qint64 i, qint64 noetig) {
    if (i < 0 || i >= m_anzahl) return nullptr;
    if (m_ab < 0 || i < m_ab || i >= m_ab + m_proBlock) {
        const qint64 k = qMin(m_proBlock, m_anzahl - i);
        if (m_puffer.size() < k * m_groesse) m_puffer.resize(k * m_groesse);
        m_vorlauf.bei(i * m_groesse);
        m_ab = i;
        m_gelesen = qMax<qint64>(0, liesAb(m_fd, m_puffer.data(), k * m_groesse, i * m_groesse));
    }
    const qint64 von = (i - m_ab) * m_groesse;
    return von + noetig <= m_gelesen ? m_puffer.constData() + von : nullptr;
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
    m_temp = QFile::decodeName(muster);
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

bool Neudatei::fertig(const QString& ziel) {
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
    ordnerSync(m_ordner);
    return true;
}

void Neudatei::verwerfen() {
    m_fd.schliessen();
    if (!m_temp.isEmpty()) ::unlink(lokal(m_temp).constData());
    m_temp.clear();
}

void verwaisteTempDateienEntfernen(const QString& ordner) {
    const QStringList namen =
        QDir(ordner).entryList({QStringLiteral(".pfl*-*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& n : namen) {
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
