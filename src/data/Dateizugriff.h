// SPDX-License-Identifier: GPL-3.0-or-later
// Low-level file access for the data folder: only regular files inside the folder are opened,
// every read and write is checked, and whole files are replaced through a temporary file beside them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>
#include <vector>

#include <optional>

namespace pfl {

// File names keep their bytes. A name that is not UTF-8 (a copy from Windows writes its code page)
// holds each byte that does not decode as the code point U+DC00 + byte, which no UTF-8 name decodes
// to, so that nativ() gives back exactly the bytes that ausNativ() read. Every path of the data
// folder goes to the system through nativ().
QByteArray nativ(const QString& pfad);
QString ausNativ(const QByteArray& bytes);
// A file name as the user reads it: one with bytes kept that way is read as Windows-1252. In a
// path, each such name of it.
QString anzeigename(const QString& name);
// The entries of a folder (without "." and ".."), unsorted, their names as ausNativ() reads them;
// nothing when the folder cannot be listed, with errno telling why.
std::optional<QStringList> ordnerEintraege(const QString& ordner);

// A POSIX file descriptor that closes itself.
class Dateihandle {
public:
    Dateihandle() = default;
    explicit Dateihandle(int fd) : m_fd(fd) {}
    Dateihandle(Dateihandle&& o) noexcept : m_fd(o.m_fd) { o.m_fd = -1; }
    Dateihandle& operator=(Dateihandle&& o) noexcept;
    Dateihandle(const Dateihandle&) = delete;
    Dateihandle& operator=(const Dateihandle&) = delete;
    ~Dateihandle();

    int fd() const { return m_fd; }
    bool offen() const { return m_fd >= 0; }
    // Closes; false when closing reported an error (some file systems report failed writes only here).
    bool schliessen();

private:
    int m_fd = -1;
};

// What a name in the data folder is.
enum class Dateiart {
    Fehlt,       // nothing there
    Datei,       // a regular file
    LinkDrinnen, // a link that ends at a regular file inside the folder
    Unbrauchbar, // directory, FIFO, device, socket, dangling link, or a link leaving the folder
};
Dateiart dateiart(const QString& ordner, const QString& pfad);
// The folder's own canonical path contains the link's final target.
bool imOrdner(const QString& ordner, const QString& pfad);
// Whether files may be made in the sub-folder `name` of the folder (Bilder/, Hintergrund/): it is
// missing (it will be made inside), a folder, or a link that stays inside the folder. A link that
// leaves the folder is refused, so that nothing is written outside; grund (if given) says so.
bool unterordnerBeschreibbar(const QString& ordner, const QString& name, QString* grund = nullptr);

// Opens a regular file of the folder for reading (links only when they stay inside). An invalid
// handle when it is missing or unusable; grund (if given) says why.
Dateihandle oeffneLesen(const QString& ordner, const QString& pfad, QString* grund = nullptr);
// Opens a file of the folder for writing in place; with anlegen a missing file is created.
// Refuses anything but a regular file, links leaving the folder and write-protected files.
Dateihandle oeffneSchreiben(const QString& ordner, const QString& pfad, bool anlegen, QString* grund);

// No write bit at all: the user protected the file.
bool schreibgeschuetzt(const QString& pfad);

// One state of a file's contents, for caches made of it: the cache stays valid while the file's state
// is the same. The file system's clock is coarse, so a change in the same tick as the state was read
// keeps the time of change; a state whose last change is less than a second old is therefore never
// taken as unchanged (the next use reads the file again).
struct Dateistand {
    qint64 geraet = -1, knoten = -1, groesse = -1, geaendertNs = -1, statusNs = -1;
    bool alt = false; // changed long enough ago that a later change shows in the times
    // The file's state now; a missing file has geraet -1. von follows a link, vonName does not (the
    // program replaces links), von(fd) is the open file's.
    static Dateistand von(const QString& pfad);
    static Dateistand vonName(const QString& pfad);
    static Dateistand von(int fd);
    bool da() const { return geraet >= 0; }
    bool selbeDatei(const Dateistand& o) const {
        return da() && o.da() && geraet == o.geraet && knoten == o.knoten;
    }
    // The same file with the same size and time of last write (or both missing).
    bool gleichGeschrieben(const Dateistand& o) const {
        return da() == o.da() &&
               (!da() || (selbeDatei(o) && groesse == o.groesse && geaendertNs == o.geaendertNs));
    }
    // The file is in this state and was when it was read: a cache made then still holds.
    bool unveraendert(const Dateistand& jetzt) const {
        return alt && gleichGeschrieben(jetzt) && statusNs == jetzt.statusNs;
    }
};

// Reads up to n bytes at pos; returns what was read (short at the end of the file), -1 on an error.
qint64 liesAb(int fd, char* ziel, qint64 n, qint64 pos);
// Writes n bytes at pos, or fails with errno set.
bool schreibeAb(int fd, const char* daten, qint64 n, qint64 pos);
// Writes n bytes at pos; when that fails, puts back the bytes and the size the file had, so it holds
// what it held before. grund says why it failed.
bool schreibeGanz(int fd, const char* daten, qint64 n, qint64 pos, QString* grund);
// Makes a rename or a new name in the folder durable.
bool ordnerSync(const QString& ordner);
qint64 dateigroesse(int fd);

// Asks the kernel to read ahead of a scan that reads only a part of every record: reads that skip
// most of each 21 144 bytes defeat the kernel's own read-ahead, so a book on a cold cache would come
// in piece by piece at the disk's seek speed. A window of the file ahead of the scan is requested
// in large steps; on a warm cache the requests find everything there.
class Vorlauf {
public:
    Vorlauf(int fd, qint64 ende) : m_fd(fd), m_ende(ende) {}
    // The scan is about to read at pos.
    void bei(qint64 pos) {
        if (pos + kFenster / 2 >= m_bis && m_bis < m_ende) weiter(pos);
    }

private:
    static constexpr qint64 kFenster = qint64(32) << 20;
    void weiter(qint64 pos);
    int m_fd;
    qint64 m_ende, m_bis = 0;
};

// Reads the fixed-size records of a file in ascending order, for a scan that needs only a part of
// each. A system call costs more than copying a record, so the records come in large blocks; a scan
// that needs at most half of each record of a book in the page cache asks the kernel for just those
// parts, many in one call (io_uring), where the kernel offers that. A book on a cold cache is read in
// the large blocks, which the kernel's own read-ahead serves at the disk's speed; should parts be read
// from the disk all the same (a book cached only in its first stretch), Vorlauf keeps it reading
// large sequential stretches.
class Satzleser {
public:
    // A file of anzahl records of satzgroesse bytes each.
    Satzleser(int fd, qint64 satzgroesse, qint64 anzahl);
    ~Satzleser();
    Satzleser(const Satzleser&) = delete;
    Satzleser& operator=(const Satzleser&) = delete;
    // The bytes of record i (0-based), of which at least the first `noetig` were read; nullptr when
    // the file no longer holds them (it was cut meanwhile). Valid until the next call.
    const char* satz(qint64 i, qint64 noetig);
    // The `laenge` bytes of record i from its byte `ab` on; nullptr when the file no longer holds them.
    // Valid until the next call. A scan that needs one field of each record reads only that.
    const char* bereich(qint64 i, qint64 ab, qint64 laenge);
    // Tests read both ways: false makes every Satzleser made afterwards read whole blocks only.
    static void teileErlauben(bool ja);

private:
    static constexpr qint64 kBlock = qint64(2) << 20;
    struct Ring;
    const char* block(qint64 i, qint64 noetig);
    const char* teil(qint64 i, qint64 ab, qint64 noetig);
    int m_fd;
    qint64 m_groesse, m_anzahl, m_proBlock;
    Vorlauf m_vorlauf;
    QByteArray m_puffer;
    qint64 m_ab = -1, m_gelesen = 0;   // the block's first record and the bytes read of it
    qint64 m_teil = 0;                 // bytes per record when the buffer holds parts, else 0
    qint64 m_teilAb = 0;               // where in each record the parts begin
    std::vector<qint64> m_teilGelesen; // per record of the parts held: the bytes read
    std::unique_ptr<Ring> m_ring;
    bool m_ringVersucht = false;
};

// A new file written beside its target and moved over it in one rename, so the target is either
// the old file or the whole new one. Dropped unfinished, the temporary file is removed.
class Neudatei {
public:
    explicit Neudatei(const QString& ordner);
    ~Neudatei();
    Neudatei(const Neudatei&) = delete;
    Neudatei& operator=(const Neudatei&) = delete;

    bool offen() const { return m_fd.offen(); }
    int fd() const { return m_fd.fd(); }
    const QString& grund() const { return m_grund; }
    const QString& tempPfad() const { return m_temp; }
    bool schreibe(const char* daten, qint64 n);
    bool schreibe(const QByteArray& b) { return schreibe(b.constData(), b.size()); }
    void rechte(uint modus);
    // Flushes to disk, moves the file over ziel and makes that durable (with ordnerSyncen false the
    // move is left to the folder's next sync).
    bool fertig(const QString& ziel, bool ordnerSyncen = true);
    void verwerfen();

private:
    QString m_ordner, m_temp, m_grund;
    Dateihandle m_fd;
    qint64 m_pos = 0;
};

// Removes temporary files that a process of this program left behind when it died.
void verwaisteTempDateienEntfernen(const QString& ordner);

} // namespace pfl
