// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Sicherung.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Vorhaben.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

QByteArray lokal(const QString& pfad) {
    return nativ(pfad);
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

QStringList dateienNachMasken(const QString& ordner, const QStringList& masken, QString* fehler) {
    // The system's own listing: one through Qt skips names that are not UTF-8, and a backup
    // without them would look complete.
    std::optional<QStringList> eintraege = ordnerEintraege(ordner);
    if (!eintraege) {
        const int e = errno;
        if (e == EACCES || e == EPERM)
            setzen(fehler, QStringLiteral("Es fehlt die Berechtigung, den Ordner zu lesen."));
        else if (e != ENOENT && e != ENOTDIR)
            setzen(fehler, dateifehlerText(e));
        return {};
    }
    QStringList alle = std::move(*eintraege);
    std::sort(alle.begin(), alle.end());
    const QString basis = mitTrenner(ordner);
    // A temporary of an unfinished write is no data file, a folder neither.
    alle.removeIf([&](const QString& n) {
        struct stat st;
        return n.startsWith(QLatin1String(".pfl")) ||
               (::stat(lokal(basis + n).constData(), &st) == 0 && S_ISDIR(st.st_mode));
    });
    QStringList ergebnis;
    for (const QString& m : masken)
        for (const QString& n : alle)
            if (passtMaske(anzeigename(n), m) && !ergebnis.contains(n)) ergebnis.append(n);
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
        zeilen.append(QStringLiteral("\u201E%1\u201C: %2").arg(anzeigename(f.datei), f.grund));
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
        m_bytes += qMax<qint64>(0, dateigroesse(neu->fd()));
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
    const QString bilder = bilderordner() + QLatin1Char('/');
    // What killed backups left here goes first; a backup is no place to keep it.
    verwaisteTempDateienEntfernen(ziel);
    verwaisteTempDateienEntfernen(ziel + bilder);
    // A folder that cannot be listed would make a backup without its files look complete.
    QString nichtLesbar;
    QStringList namen = dateienNachMasken(quelle, sicherungsMasken(), &nichtLesbar);
    if (!nichtLesbar.isEmpty()) e.fehler.append({quelle, nichtLesbar});
    nichtLesbar.clear();
    const QStringList bildDateien = dateienNachMasken(quelle + bilder, {QStringLiteral("*")}, &nichtLesbar);
    if (!nichtLesbar.isEmpty()) e.fehler.append({quelle + bilder, nichtLesbar});
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
    verwaisteTempDateienEntfernen(ziel);
    verwaisteTempDateienEntfernen(ziel + bilder);
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
    // Through the system, so that names that are not UTF-8 are found too.
    const auto geaendert = [](const QString& pfad) -> std::optional<QDateTime> {
        struct stat st;
        if (::stat(lokal(pfad).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        return QDateTime::fromMSecsSinceEpoch(qint64(st.st_mtim.tv_sec) * 1000 +
                                              st.st_mtim.tv_nsec / 1000000);
    };
    for (const QString& n : aufloesen(quelle, namen)) {
        const std::optional<QDateTime> daten = geaendert(mitTrenner(lpf) + n);
        const std::optional<QDateTime> sicherung = geaendert(quelle + n);
        if (!daten || !sicherung) continue;
        if (*daten > *sicherung) ergebnis.append({anzeigename(n), *daten, *sicherung});
    }
    return ergebnis;
}

namespace {

const QString kWiederherstellen = QStringLiteral("wiederherstellen");

QString altName(qsizetype i) {
    return QStringLiteral(".alt%1").arg(i);
}

// The moves of a restore from its staging folder into the data folder, as the journal has them.
struct Umzug {
    QString daten, staging;
    QStringList liste;
    QList<bool> hatteAlte;
    bool bilderNeu = false;

    QJsonObject alsJson(const QString& phase) const {
        QJsonArray namen, alte;
        for (const QString& n : liste)
            namen.append(n);
        for (bool a : hatteAlte)
            alte.append(a);
        return {{QStringLiteral("art"), kWiederherstellen},
                {QStringLiteral("phase"), phase},
                {QStringLiteral("staging"), QFileInfo(staging.chopped(1)).fileName()},
                {QStringLiteral("dateien"), namen},
                {QStringLiteral("hatteAlte"), alte},
                {QStringLiteral("bilderNeu"), bilderNeu}};
    }

    // Each file still in the staging folder goes into place. Files no longer there are in place.
    bool vor(QString* grund) const {
        for (const QString& n : liste) {
            const QByteArray quelle = lokal(staging + n);
            struct stat st;
            if (::lstat(quelle.constData(), &st) != 0) continue;
            if (::rename(quelle.constData(), lokal(daten + n).constData()) != 0) {
                setzen(grund, dateifehlerText(errno));
                return false;
            }
        }
        synchron();
        return true;
    }

    // Every file that went into place gets its old content back, or goes when there was none.
    void zurueck() const {
        for (qsizetype j = 0; j < liste.size(); ++j) {
            struct stat st;
            if (::lstat(lokal(staging + liste.at(j)).constData(), &st) == 0) continue; // never moved
            const QString ziel = daten + liste.at(j);
            if (hatteAlte.value(j))
                ::rename(lokal(staging + altName(j)).constData(), lokal(ziel).constData());
            else
                ::unlink(lokal(ziel).constData());
        }
        if (bilderNeu) QDir(daten).rmdir(bilderordner());
        synchron();
    }

    void synchron() const {
        ordnerSync(daten);
        if (QFileInfo::exists(daten + bilderordner())) ordnerSync(daten + bilderordner());
    }
};

} // namespace

Kopierergebnis wiederherstellen(const QString& von, const QStringList& namen, const QString& lpf,
                                const Kopierfortschritt& fortschritt) {
    Kopierergebnis e;
    const QString quelle = mitTrenner(von);
    const QString daten = mitTrenner(lpf);
    verwaisteStagingOrdnerEntfernen(daten);

    Umzug u;
    u.daten = daten;
    u.liste = aufloesen(quelle, namen);
    for (const QString& n : std::as_const(u.liste))
        if (!sichererName(n))
            e.fehler.append({quelle + n, QStringLiteral("Der Dateiname ist nicht zulässig.")});
    // Pictures go into the data folder's picture folder only, never through a link out of it.
    {
        QString grund;
        if (u.liste.join(QLatin1Char('\n')).contains(QLatin1Char('/')) &&
            !unterordnerBeschreibbar(daten, bilderordner(), &grund))
            e.fehler.append({daten + bilderordner(), grund});
    }
    if (!e.fehler.isEmpty() || u.liste.isEmpty()) return e;

    // The journal names the staging folder before it exists, so that no crash can leave the folder
    // behind unknown: the next start removes it, or finishes the moves out of it.
    u.staging = daten + stagingPraefix() + QString::number(::getpid()) + QLatin1Char('-') +
                QString::number(QRandomGenerator::global()->generate64(), 36) + QLatin1Char('/');
    QString grund;
    if (!vorhaben::schreiben(daten, u.alsJson(QStringLiteral("kopieren")), &grund)) {
        e.fehler.append({daten + vorhaben::dateiname(), grund});
        return e;
    }
    // Goes last, after the staging folder, so that the journal outlives it.
    struct Aufraeumen {
        QString daten, ordner;
        ~Aufraeumen() {
            if (!ordner.isEmpty()) QDir(ordner).removeRecursively();
            vorhaben::entfernen(daten);
        }
    } aufraeumen{daten, QString()};
    if (::mkdir(lokal(u.staging).constData(), 0700) != 0) {
        e.fehler.append({daten, dateifehlerText(errno)});
        return e;
    }
    aufraeumen.ordner = u.staging;

    // 1. Everything into the staging folder; the data folder is not touched yet.
    {
        Kopierergebnis staged;
        Kopierreihe reihe(staged);
        for (const QString& n : std::as_const(u.liste)) {
            if (n.contains(QLatin1Char('/')) && !ordnerAnlegen(u.staging + bilderordner(), &grund)) {
                e.fehler.append({u.staging + bilderordner(), grund});
                return e;
            }
            if (fortschritt && !fortschritt(quelle + n, daten + n)) {
                e.abgebrochen = true;
                return e;
            }
            if (!reihe.kopieren(quelle + n, u.staging + n)) break;
        }
        reihe.abschliessen();
        if (!staged.fehler.isEmpty()) {
            e.fehler = staged.fehler;
            return e;
        }
    }

    // 2. Keep a link to every file about to be replaced, so a failed move can be taken back.
    u.bilderNeu = !QFileInfo::exists(daten + bilderordner());
    for (qsizetype i = 0; i < u.liste.size(); ++i) {
        const QString ziel = daten + u.liste.at(i);
        struct stat st;
        const bool alt = ::lstat(lokal(ziel).constData(), &st) == 0;
        if (alt && ::link(lokal(ziel).constData(), lokal(u.staging + altName(i)).constData()) != 0) {
            e.fehler.append({ziel, dateifehlerText(errno)});
            return e;
        }
        u.hatteAlte.append(alt);
    }
    ordnerSync(u.staging);
    if (u.bilderNeu && u.liste.join(QLatin1Char('\n')).contains(QLatin1Char('/')) &&
        !ordnerAnlegen(daten + bilderordner(), &grund)) {
        e.fehler.append({daten + bilderordner(), grund});
        return e;
    }

    // 3. Move into place: from here on a crash is finished by the next start. On a failure the files
    // moved so far get their old content back.
    if (!vorhaben::schreiben(daten, u.alsJson(QStringLiteral("ersetzen")), &grund)) {
        if (u.bilderNeu) QDir(daten).rmdir(bilderordner());
        e.fehler.append({daten + vorhaben::dateiname(), grund});
        return e;
    }
    for (qsizetype i = 0; i < u.liste.size(); ++i) {
        const QString ziel = daten + u.liste.at(i);
        if (::rename(lokal(u.staging + u.liste.at(i)).constData(), lokal(ziel).constData()) == 0) {
            e.kopiert.append(ziel);
            continue;
        }
        e.fehler.append({ziel, dateifehlerText(errno)});
        // Told first, so that a crash while taking back takes back too.
        vorhaben::schreiben(daten, u.alsJson(QStringLiteral("zurueck")));
        u.zurueck();
        e.kopiert.clear();
        return e;
    }
    u.synchron();
    return e;
}

std::optional<QString> wiederherstellungAbschliessen(const QString& lpf, const QJsonObject& j) {
    Umzug u;
    u.daten = mitTrenner(lpf);
    const QString staging = j.value(QStringLiteral("staging")).toString();
    for (const QJsonValue& v : j.value(QStringLiteral("dateien")).toArray())
        u.liste.append(v.toString());
    for (const QJsonValue& v : j.value(QStringLiteral("hatteAlte")).toArray())
        u.hatteAlte.append(v.toBool());
    u.bilderNeu = j.value(QStringLiteral("bilderNeu")).toBool();
    const QString phase = j.value(QStringLiteral("phase")).toString();
    bool gueltig = staging.startsWith(stagingPraefix()) && sichererTeil(staging) && !u.liste.isEmpty();
    for (const QString& n : std::as_const(u.liste))
        gueltig = gueltig && sichererName(n);
    if (!gueltig)
        return QStringLiteral("Eine bei der letzten Sitzung unterbrochene Wiederherstellung ist nicht mehr "
                              "nachvollziehbar. Bitte prüfen Sie die wiederhergestellten Dateien.");
    u.staging = u.daten + staging + QLatin1Char('/');
    QString meldung;
    if (phase == QLatin1String("ersetzen")) {
        QString grund;
        if (!u.vor(&grund)) return std::nullopt; // the staging folder and the journal stay for another try
        meldung = QStringLiteral("Die Wiederherstellung aus der Sicherung wurde bei der letzten Sitzung "
                                 "unterbrochen und ist jetzt abgeschlossen. Wiederhergestellt: %1.")
                      .arg(u.liste.size() <= 10 ? u.liste.join(QStringLiteral(", "))
                                                : QStringLiteral("%1 Dateien").arg(u.liste.size()));
    } else if (phase == QLatin1String("zurueck")) {
        u.zurueck();
        meldung = QStringLiteral("Eine bei der letzten Sitzung fehlgeschlagene Wiederherstellung wurde "
                                 "zurückgenommen; der Datenordner ist wieder wie vorher.");
    } else {
        meldung = QStringLiteral("Die Wiederherstellung aus der Sicherung wurde bei der letzten Sitzung "
                                 "unterbrochen, bevor eine Datei ersetzt war. Im Datenordner wurde nichts "
                                 "geändert.");
    }
    QDir(u.staging).removeRecursively();
    return meldung;
}

} // namespace pfl
