// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Dateischreiber.h"

#include "data/Dateizugriff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

// Links are followed this deep at most; a longer chain is treated as a loop.
constexpr int kHoechsteVerweistiefe = 32;
// A file in a folder without room for a temporary file is rewritten in place; its old bytes are
// kept in memory to put them back after a failure, so only files up to this size are rewritten.
constexpr qint64 kHoechstesDirektschreiben = 64 << 20;

void setzen(QString* grund, const QString& text) {
    if (grund) *grund = text;
}

QString kanonischerOrdner(const QString& datei) {
    return QFileInfo(QFileInfo(datei).absolutePath()).canonicalFilePath();
}

// The file a write of `pfad` really reaches. Links are followed only inside the folder of
// `pfad`: a link elsewhere could make a save overwrite a file the program does not own.
std::optional<QString> schreibziel(const QString& pfad, QString* grund) {
    const QString ordner = kanonischerOrdner(pfad);
    QString ziel = QFileInfo(pfad).absoluteFilePath();
    for (int tiefe = 0; tiefe <= kHoechsteVerweistiefe; ++tiefe) {
        struct stat st {};
        if (::lstat(nativ(ziel).constData(), &st) != 0) {
            const int e = errno;
            if (e == ENOENT) return ziel; // a new file
            setzen(grund, dateifehlerText(e));
            return std::nullopt;
        }
        if (S_ISREG(st.st_mode)) return ziel;
        if (!S_ISLNK(st.st_mode)) {
            setzen(grund, QStringLiteral("An ihrer Stelle steht keine gewöhnliche Datei (etwa ein Ordner), "
                                         "die nicht überschrieben wird."));
            return std::nullopt;
        }
        const QString weiter = QFileInfo(ziel).symLinkTarget();
        if (weiter.isEmpty() || ordner.isEmpty() || kanonischerOrdner(weiter) != ordner) {
            setzen(grund, QStringLiteral("Die Datei ist ein Verweis auf einen Ort außerhalb ihres Ordners; "
                                         "dorthin wird nicht geschrieben."));
            return std::nullopt;
        }
        ziel = weiter;
    }
    setzen(grund, dateifehlerText(ELOOP));
    return std::nullopt;
}

bool allesSchreiben(int fd, const char* daten, qint64 laenge, qint64 ab) {
    qint64 fertig = 0;
    while (fertig < laenge) {
        const ssize_t n = ::pwrite(fd, daten + fertig, size_t(laenge - fertig), off_t(ab + fertig));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        fertig += n;
    }
    return true;
}

// Opens a regular file for reading; -1 for anything else. The type is checked before opening so
// that no device is opened at all, and again on the descriptor, with O_NONBLOCK, so that a FIFO
// swapped in between cannot block the caller.
int regulaerOeffnen(const QString& pfad) {
    if (!QFileInfo(pfad).isFile()) return -1;
    const int fd = ::open(nativ(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Up to `hoechstens` bytes from the descriptor's current position; nothing on a read error.
std::optional<QByteArray> lesen(int fd, qint64 hoechstens, qint64 erwartet = 0) {
    QByteArray b;
    // The expected size and one byte more, so that a file of that size is read without copies.
    b.resize(qsizetype(qMin<qint64>(hoechstens, qMax<qint64>(1 << 16, erwartet + 1))));
    qint64 gelesen = 0;
    while (gelesen < hoechstens) {
        if (gelesen == b.size()) b.resize(qsizetype(qMin<qint64>(hoechstens, qint64(b.size()) * 2)));
        const ssize_t n = ::read(fd, b.data() + gelesen, size_t(b.size() - gelesen));
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        gelesen += n;
    }
    b.resize(qsizetype(gelesen));
    return b;
}

// The rewrite in place for a folder without room for a temporary file. The new bytes go over the
// old ones and the file is cut to length only after they are all on disk; after any failure the
// old bytes are put back.
bool direktSchreiben(const QString& ziel, const QByteArray& inhalt, QString* grund) {
    const std::optional<QByteArray> alt = dateiInhalt(ziel, kHoechstesDirektschreiben);
    if (!alt) {
        setzen(grund, QStringLiteral("Im Ordner kann keine Zwischendatei angelegt werden, und die "
                                     "bisherige Datei lässt sich nicht sichern."));
        return false;
    }
    const int fd = ::open(nativ(ziel).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setzen(grund, dateifehlerText(errno));
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        setzen(grund, QStringLiteral("An ihrer Stelle steht keine gewöhnliche Datei."));
        return false;
    }
    bool ok = allesSchreiben(fd, inhalt.constData(), inhalt.size(), 0) && ::fsync(fd) == 0;
    if (ok && inhalt.size() < alt->size())
        ok = ::ftruncate(fd, off_t(inhalt.size())) == 0 && ::fsync(fd) == 0;
    if (ok) {
        ok = ::close(fd) == 0;
        if (!ok) setzen(grund, dateifehlerText(errno));
        return ok;
    }
    const int fehler = errno;
    const bool zurueck = allesSchreiben(fd, alt->constData(), alt->size(), 0) &&
                         ::ftruncate(fd, off_t(alt->size())) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    QString text = dateifehlerText(fehler);
    if (!zurueck) text += QStringLiteral(" Der alte Inhalt konnte nicht wiederhergestellt werden.");
    setzen(grund, text);
    return false;
}

} // namespace

QString dateifehlerText(int fehler) {
    switch (fehler) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Es fehlt die Berechtigung zum Schreiben.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case EFBIG:
        return QStringLiteral("Die Datei würde zu groß.");
    case EIO:
        return QStringLiteral("Beim Zugriff auf den Datenträger ist ein Ein-/Ausgabefehler aufgetreten.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner der Datei ist nicht vorhanden.");
    case EISDIR:
        return QStringLiteral("An ihrer Stelle steht ein Ordner.");
    case ELOOP:
        return QStringLiteral("Die Datei ist ein Verweis, der auf sich selbst zurückführt.");
    case ENAMETOOLONG:
        return QStringLiteral("Der Dateiname ist zu lang.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Es sind zu viele Dateien gleichzeitig geöffnet.");
    default:
        return QStringLiteral("Unerwarteter Systemfehler (%1: %2).")
            .arg(fehler)
            .arg(QString::fromLocal8Bit(std::strerror(fehler)));
    }
}

bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, QString* grund) {
    const std::optional<QString> ziel = schreibziel(pfad, grund);
    if (!ziel) return false;

    const QFileInfo info(*ziel);
    // A read-only file stays as it is, even for a user who may write into its folder.
    if (info.isFile() && !info.isWritable()) {
        setzen(grund, dateifehlerText(EACCES));
        return false;
    }
    Neudatei neu(info.absolutePath());
    if (!neu.offen()) {
        // A folder that takes no temporary file: the file itself is still written, in place.
        if (info.isFile()) return direktSchreiben(*ziel, inhalt, grund);
        setzen(grund, neu.grund());
        return false;
    }
    struct stat alt;
    if (::stat(nativ(*ziel).constData(), &alt) == 0) neu.rechte(uint(alt.st_mode));
    const bool ok = neu.schreibe(inhalt) && neu.fertig(*ziel);
    if (!ok) {
        setzen(grund, neu.grund());
        neu.verwerfen();
    }
    // Writes killed earlier in this folder (a picture folder fills up fast) go with this one.
    verwaisteTempDateienEntfernen(info.absolutePath());
    return ok;
}

std::optional<QByteArray> dateiAnfang(const QString& pfad, qint64 hoechstens) {
    const int fd = regulaerOeffnen(pfad);
    if (fd < 0) return std::nullopt;
    std::optional<QByteArray> b = lesen(fd, qMax<qint64>(0, hoechstens));
    ::close(fd);
    return b;
}

std::optional<QByteArray> dateiInhalt(const QString& pfad, qint64 hoechstens) {
    const int fd = regulaerOeffnen(pfad);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<QByteArray> b;
    if (::fstat(fd, &st) == 0 && st.st_size <= hoechstens) {
        // One byte more than allowed tells a file that grew meanwhile.
        b = lesen(fd, hoechstens + 1, st.st_size);
        if (b && b->size() > hoechstens) b.reset();
    }
    ::close(fd);
    return b;
}

std::optional<QByteArray> ersteZeile(const QString& pfad, qint64 hoechstens) {
    std::optional<QByteArray> b = dateiAnfang(pfad, hoechstens);
    if (!b) return b;
    const qsizetype ende = b->indexOf('\n');
    if (ende >= 0) b->truncate(ende);
    if (b->endsWith('\r')) b->chop(1);
    return b;
}

} // namespace pfl
