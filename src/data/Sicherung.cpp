// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Sicherung.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <memory>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

QByteArray lokal(const QString& pfad) {
    return QFile::encodeName(pfad);
}

void setzen(QString* ziel, const QString& text) {
    if (ziel) *ziel = text;
}

// Bytes from one descriptor to the other: in the kernel where it can, else in large blocks.
bool bytesKopieren(int von, int nach, qint64 groesse) {
    qint64 rest = groesse;
    bool kernel = true;
    while (rest > 0 && kernel) {
        const ssize_t n =
            ::copy_file_range(von, nullptr, nach, nullptr, size_t(qMin<qint64>(rest, 1 << 30)), 0);
        if (n > 0) {
            rest -= n;
            continue;
        }
        if (n == 0) break; // the source got shorter; the size check below reports it
        if (errno == EINTR) continue;
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) return false;
        kernel = false;
    }
    if (rest > 0 && !kernel) {
        const qint64 schon = groesse - rest;
        if (::lseek(von, off_t(schon), SEEK_SET) < 0 || ::lseek(nach, off_t(schon), SEEK_SET) < 0)
            return false;
        QByteArray puffer(4 << 20, Qt::Uninitialized);
        while (rest > 0) {
            const ssize_t n = ::read(von, puffer.data(), size_t(qMin<qint64>(rest, puffer.size())));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            if (!schreibeAb(nach, puffer.constData(), n, groesse - rest)) return false;
            rest -= n;
        }
    }
    if (rest != 0) {
        errno = EIO;
        return false;
    }
    return true;
}

bool sichererTeil(const QString& n) {
    return !n.isEmpty() && n != QLatin1String(".") && n != QLatin1String("..") &&
           !n.contains(QLatin1Char('/')) && !n.contains(QChar(0));
}

// A restore name: "Datei" or "Bilder/Datei".
bool sichererName(const QString& n) {
    const QStringList teile = n.split(QLatin1Char('/'));
    if (teile.size() == 1) return sichererTeil(n);
    return teile.size() == 2 && teile.first() == bilderordner() && sichererTeil(teile.last());
}

QString stagingPraefix() {
    return QStringLiteral(".pfl-wiederherstellung-");
}

// Staging folders that a dead process of this program left behind.
void verwaisteStagingOrdnerEntfernen(const QString& lpf) {
    const QStringList namen = QDir(lpf).entryList({stagingPraefix() + QLatin1Char('*')},
                                                  QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& n : namen) {
        bool ok = false;
        const qint64 pid = n.mid(stagingPraefix().size()).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
        if (!ok || pid <= 0 || pid == ::getpid()) continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        QDir(lpf + n).removeRecursively();
    }
}

} // namespace

QStringList sicherungsMasken() {
    return {QStringLiteral("*.rez"), QStringLiteral("*.kat"), QStringLiteral("*.rub"),
            QStringLiteral("*.Sti"), QStringLiteral("*.Opt"), QStringLiteral("*.Frb"),
            QStringLiteral("*.Drk"), QStringLiteral("*.Ekl")};
}

QStringList wiederherstellungsMasken() {
    // Everything a backup holds can come back.
    return sicherungsMasken();
}

QString bilderordner() {
    return QStringLiteral("Bilder");
}

bool passtMaske(const QString& name, const QString& maske) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(maske),
                                QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

QStringList dateienNachMasken(const QString& ordner, const QStringList& masken) {
    QStringList alle = QDir(ordner).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    // A temporary of an unfinished write is no data file.
    alle.removeIf([](const QString& n) { return n.startsWith(QLatin1String(".pfl")); });
    QStringList ergebnis;
    for (const QString& m : masken)
        for (const QString& n : alle)
            if (passtMaske(n, m) && !ergebnis.contains(n)) ergebnis.append(n);
    return ergebnis;
}

QString datumsordner(const QDate& tag) {
    return tag.toString(QStringLiteral("dd_MM_yyyy"));
}

QString mitTrenner(const QString& ordner) {
    return ordner.endsWith(QLatin1Char('/')) ? ordner : ordner + QLatin1Char('/');
}

QString datumAnfuegen(const QString& ordner, const QDate& tag) {
    return mitTrenner(ordner) + datumsordner(tag);
}

QString standardSicherungsordner() {
    return QDir::homePath() + QStringLiteral("/Rezept_Backup");
}

Sicherungsziel sicherungsziel(const QString& angabe) {
    if (angabe.trimmed().isEmpty()) return {angabe, false};
    if (angabe == QLatin1String("~")) return {QDir::homePath(), false};
    if (angabe.startsWith(QLatin1String("~/"))) return {QDir::homePath() + angabe.mid(1), false};
    if (angabe.startsWith(QLatin1Char('/'))) return {angabe, false};
    return {standardSicherungsordner(), true};
}

QString zeitText(const QDateTime& t) {
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QStringList einhaengepunkte() {
    QStringList punkte;
    QFile f(QStringLiteral("/proc/self/mountinfo"));
    if (!f.open(QIODevice::ReadOnly)) return punkte;
    for (const QByteArray& zeile : f.readAll().split('\n')) {
        const QList<QByteArray> felder = zeile.split(' ');
        if (felder.size() < 5) continue;
        // Blanks and other bytes in the mount point come as octal escapes.
        QByteArray p = felder.at(4);
        QByteArray klar;
        for (qsizetype i = 0; i < p.size(); ++i) {
            if (p.at(i) == '\\' && i + 3 < p.size()) {
                bool ok = false;
                const int c = p.mid(i + 1, 3).toInt(&ok, 8);
                if (ok) {
                    klar.append(char(c));
                    i += 3;
                    continue;
                }
            }
            klar.append(p.at(i));
        }
        punkte.append(QFile::decodeName(klar));
    }
    return punkte;
}

bool mediumFehlt(const QString& ordner, const QStringList& punkte, const QStringList& wurzeln) {
    const QString pfad = QDir::cleanPath(QDir(ordner).absolutePath());
    for (const QString& w : wurzeln) {
        const QString wurzel = QDir::cleanPath(w);
        if (!pfad.startsWith(wurzel + QLatin1Char('/'))) continue;
        for (const QString& p : punkte) {
            const QString punkt = QDir::cleanPath(p);
            if (punkt.startsWith(wurzel + QLatin1Char('/')) &&
                (pfad == punkt || pfad.startsWith(punkt + QLatin1Char('/'))))
                return false;
        }
        return true;
    }
    return false;
}

QString Kopierergebnis::fehlerText() const {
    QStringList zeilen;
    for (const Kopierfehler& f : fehler)
        zeilen.append(QStringLiteral("\u201E%1\u201C: %2").arg(f.datei, f.grund));
    return zeilen.join(QLatin1Char('\n'));
}

bool ordnerAnlegen(const QString& ordner, QString* grund) {
    const QFileInfo info(ordner);
    if (info.isDir()) return true;
    if (info.exists()) {
        setzen(grund, dateifehlerText(ENOTDIR));
        return false;
    }
    // mkdir -p by hand, so the reason of the failing step reaches the user.
    const QString sauber = QDir::cleanPath(QDir(ordner).absolutePath());
    const QStringList teile = sauber.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString pfad;
    for (const QString& t : teile) {
        pfad += QLatin1Char('/') + t;
        if (::mkdir(lokal(pfad).constData(), 0755) != 0 && errno != EEXIST) {
            setzen(grund, dateifehlerText(errno));
            return false;
        }
    }
    if (!QFileInfo(sauber).isDir()) {
        setzen(grund, dateifehlerText(ENOTDIR));
        return false;
    }
    return true;
}

namespace {

// Opens, copies and starts writing back a copy; the caller moves it into place with fertig(), which
// waits for the disk. Starting the write-back early lets the next file's copy overlap it.
std::unique_ptr<Neudatei> kopieBeginnen(const QString& quelle, const QString& ziel, QString* grund) {
    // Non-blocking, so a FIFO in place of a file cannot hang the copy.
    Dateihandle von(::open(lokal(quelle).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!von.offen()) {
        setzen(grund, errno == ENOENT ? QStringLiteral("Die Datei ist nicht vorhanden oder nicht lesbar.")
                                      : dateifehlerText(errno));
        return nullptr;
    }
    struct stat st;
    if (::fstat(von.fd(), &st) != 0) {
        setzen(grund, dateifehlerText(errno));
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        setzen(grund, QStringLiteral("Sie ist keine gewöhnliche Datei."));
        return nullptr;
    }
    ::fcntl(von.fd(), F_SETFL, 0);
    auto neu = std::make_unique<Neudatei>(QFileInfo(ziel).absolutePath());
    if (!neu->offen()) {
        setzen(grund, neu->grund());
        return nullptr;
    }
    if (!bytesKopieren(von.fd(), neu->fd(), qint64(st.st_size))) {
        setzen(grund, dateifehlerText(errno));
        return nullptr;
    }
    neu->rechte(uint(st.st_mode) | 0600);
    const struct timespec zeiten[2] = {st.st_atim, st.st_mtim};
    ::futimens(neu->fd(), zeiten);
    ::sync_file_range(neu->fd(), 0, 0, SYNC_FILE_RANGE_WRITE);
    return neu;
}

// Copies on their way to the disk, finished in the order they were started.
class Kopierreihe {
public:
    explicit Kopierreihe(Kopierergebnis& e) : m_e(e) {}
    ~Kopierreihe() { abschliessen(); }
    // False when the copy could not start; then the failure is recorded.
    bool kopieren(const QString& quelle, const QString& ziel) {
        QString grund;
        std::unique_ptr<Neudatei> neu = kopieBeginnen(quelle, ziel, &grund);
        if (!neu) {
            m_e.fehler.append({quelle, grund});
            return false;
        }
        m_bytes += QFileInfo(quelle).size();
        m_offen.push_back({std::move(neu), quelle, ziel});
        // Bounded, so neither memory under write-back nor open files pile up.
        if (m_bytes > (256 << 20) || m_offen.size() >= 32) abschliessen();
        return true;
    }
    // Waits for every pending copy and moves it into place; false when one failed.
    bool abschliessen() {
        bool ok = true;
        for (Offen& o : m_offen) {
            if (o.neu->fertig(o.ziel)) {
                m_e.kopiert.append(o.ziel);
            } else {
                m_e.fehler.append({o.quelle, o.neu->grund()});
                ok = false;
            }
        }
        m_offen.clear();
        m_bytes = 0;
        return ok;
    }

private:
    struct Offen {
        std::unique_ptr<Neudatei> neu;
        QString quelle, ziel;
    };
    Kopierergebnis& m_e;
    std::vector<Offen> m_offen;
    qint64 m_bytes = 0;
};

} // namespace

bool dateiKopieren(const QString& quelle, const QString& ziel, QString* grund) {
    std::unique_ptr<Neudatei> neu = kopieBeginnen(quelle, ziel, grund);
    if (!neu) return false;
    if (!neu->fertig(ziel)) {
        setzen(grund, neu->grund());
        return false;
    }
    return true;
}

Kopierergebnis sichern(const QString& von, const QString& nach, const Kopierfortschritt& fortschritt) {
    Kopierergebnis e;
    const QString quelle = mitTrenner(von);
    const QString ziel = mitTrenner(nach);
    QString grund;
    if (!ordnerAnlegen(ziel, &grund)) {
        e.fehler.append({ziel, grund});
        return e;
    }
    QStringList namen = dateienNachMasken(quelle, sicherungsMasken());
    const QString bilder = bilderordner() + QLatin1Char('/');
    const QStringList bildDateien = dateienNachMasken(quelle + bilder, {QStringLiteral("*")});
    if (!bildDateien.isEmpty() && !ordnerAnlegen(ziel + bilder, &grund))
        e.fehler.append({ziel + bilder, grund});
    else
        for (const QString& b : bildDateien)
            namen.append(bilder + b);
    Kopierreihe reihe(e);
    for (const QString& n : namen) {
        if (fortschritt && !fortschritt(quelle + n, ziel + n)) {
            e.abgebrochen = true;
            break;
        }
        reihe.kopieren(quelle + n, ziel + n);
    }
    reihe.abschliessen();
    return e;
}

namespace {

// "Bilder" stands for every picture of the backup.
QStringList aufloesen(const QString& von, const QStringList& namen) {
    QStringList ergebnis;
    for (const QString& n : namen) {
        if (n == bilderordner()) {
            for (const QString& b : dateienNachMasken(von + n, {QStringLiteral("*")}))
                if (!ergebnis.contains(n + QLatin1Char('/') + b)) ergebnis.append(n + QLatin1Char('/') + b);
        } else if (!ergebnis.contains(n)) {
            ergebnis.append(n);
        }
    }
    return ergebnis;
}

} // namespace

QList<NeuereDatei> neuereDateien(const QString& von, const QStringList& namen, const QString& lpf) {
    QList<NeuereDatei> ergebnis;
    const QString quelle = mitTrenner(von);
    for (const QString& n : aufloesen(quelle, namen)) {
        const QFileInfo daten(mitTrenner(lpf) + n);
        const QFileInfo sicherung(quelle + n);
        if (!daten.isFile() || !sicherung.isFile()) continue;
        if (daten.lastModified() > sicherung.lastModified())
            ergebnis.append({n, daten.lastModified(), sicherung.lastModified()});
    }
    return ergebnis;
}

Kopierergebnis wiederherstellen(const QString& von, const QStringList& namen, const QString& lpf,
                                const Kopierfortschritt& fortschritt) {
    Kopierergebnis e;
    const QString quelle = mitTrenner(von);
    const QString daten = mitTrenner(lpf);
    verwaisteStagingOrdnerEntfernen(daten);

    const QStringList liste = aufloesen(quelle, namen);
    for (const QString& n : liste)
        if (!sichererName(n))
            e.fehler.append({quelle + n, QStringLiteral("Der Dateiname ist nicht zulässig.")});
    if (!e.fehler.isEmpty() || liste.isEmpty()) return e;

    QByteArray muster =
        lokal(daten + stagingPraefix() + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    if (!::mkdtemp(muster.data())) {
        e.fehler.append({daten, dateifehlerText(errno)});
        return e;
    }
    const QString staging = mitTrenner(QFile::decodeName(muster));
    struct Aufraeumen {
        QString ordner;
        ~Aufraeumen() { QDir(ordner).removeRecursively(); }
    } aufraeumen{staging};

    // 1. Everything into the staging folder; the data folder is not touched yet.
    QString grund;
    {
        Kopierergebnis staged;
        Kopierreihe reihe(staged);
        for (const QString& n : liste) {
            if (n.contains(QLatin1Char('/')) && !ordnerAnlegen(staging + bilderordner(), &grund)) {
                e.fehler.append({staging + bilderordner(), grund});
                return e;
            }
            if (fortschritt && !fortschritt(quelle + n, daten + n)) {
                e.abgebrochen = true;
                return e;
            }
            if (!reihe.kopieren(quelle + n, staging + n)) break;
        }
        reihe.abschliessen();
        if (!staged.fehler.isEmpty()) {
            e.fehler = staged.fehler;
            return e;
        }
    }

    // 2. Keep a link to every file about to be replaced, so a failed move can be taken back.
    const bool bilderNeu = !QFileInfo::exists(daten + bilderordner());
    QList<bool> hatteAlte;
    for (qsizetype i = 0; i < liste.size(); ++i) {
        const QString ziel = daten + liste.at(i);
        struct stat st;
        const bool alt = ::lstat(lokal(ziel).constData(), &st) == 0;
        if (alt && ::link(lokal(ziel).constData(),
                          lokal(staging + QStringLiteral(".alt%1").arg(i)).constData()) != 0) {
            e.fehler.append({ziel, dateifehlerText(errno)});
            return e;
        }
        hatteAlte.append(alt);
    }
    if (bilderNeu && liste.join(QLatin1Char('\n')).contains(QLatin1Char('/')) &&
        !ordnerAnlegen(daten + bilderordner(), &grund)) {
        e.fehler.append({daten + bilderordner(), grund});
        return e;
    }

    // 3. Move into place; on a failure the files moved so far get their old content back.
    for (qsizetype i = 0; i < liste.size(); ++i) {
        const QString ziel = daten + liste.at(i);
        if (::rename(lokal(staging + liste.at(i)).constData(), lokal(ziel).constData()) == 0) {
            e.kopiert.append(ziel);
            continue;
        }
        e.fehler.append({ziel, dateifehlerText(errno)});
        for (qsizetype j = 0; j < i; ++j) {
            const QString z = daten + liste.at(j);
            if (hatteAlte.at(j))
                ::rename(lokal(staging + QStringLiteral(".alt%1").arg(j)).constData(), lokal(z).constData());
            else
                ::unlink(lokal(z).constData());
        }
        if (bilderNeu) QDir(daten).rmdir(bilderordner());
        e.kopiert.clear();
        return e;
    }
    ordnerSync(daten);
    if (QFileInfo::exists(daten + bilderordner())) ordnerSync(daten + bilderordner());
    return e;
}

} // namespace pfl
