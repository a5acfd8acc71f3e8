// SPDX-License-Identifier: GPL-3.0-or-later
// Low-level file access for the data folder: only regular files inside the folder are opened,
// every read and write is checked, and whole files are replaced through a temporary file beside them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace pfl {

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

// Opens a regular file of the folder for reading (links only when they stay inside). An invalid
// handle when it is missing or unusable; grund (if given) says why.
Dateihandle oeffneLesen(const QString& ordner, const QString& pfad, QString* grund = nullptr);
// Opens a file of the folder for writing in place; with anlegen a missing file is created.
// Refuses anything but a regular file, links leaving the folder and write-protected files.
Dateihandle oeffneSchreiben(const QString& ordner, const QString& pfad, bool anlegen, QString* grund);

// No write bit at all: the user protected the file.
bool schreibgeschuetzt(const QString& pfad);

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

// Reads the fixed-size records of a file in ascending order, in large blocks, for a scan that needs
// only a part of each: one read per record costs more than copying whole records (a system call
// per record outweighs the bytes), and on a cold cache only large sequential reads come at disk speed.
class Satzleser {
public:
    // A file of anzahl records of satzgroesse bytes each.
    Satzleser(int fd, qint64 satzgroesse, qint64 anzahl);
    // The bytes of record i (0-based), of which at least the first `noetig` were read; nullptr when
    // the file no longer holds them (it was cut meanwhile). Valid until the next call.
    const char* satz(qint64 i, qint64 noetig);

private:
    static constexpr qint64 kBlock = qint64(2) << 20;
    int m_fd;
    qint64 m_groesse, m_anzahl, m_proBlock;
    Vorlauf m_vorlauf;
    QByteArray m_puffer;
    qint64 m_ab = -1, m_gelesen = 0; // the block's first record and the bytes read of it
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
    // Flushes to disk, moves the file over ziel and makes that durable.
    bool fertig(const QString& ziel);
    void verwerfen();

private:
    QString m_ordner, m_temp, m_grund;
    Dateihandle m_fd;
    qint64 m_pos = 0;
};

// Removes temporary files that a process of this program left behind when it died.
void verwaisteTempDateienEntfernen(const QString& ordner);

} // namespace pfl
