// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Datenordner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace pfl {

namespace {

const QString kHilfedatei = QStringLiteral("Zirade-Zadod.ize");

QString ohneSchraegstrich(QString pfad) {
    while (pfad.size() > 1 && pfad.endsWith(QLatin1Char('/')))
        pfad.chop(1);
    return pfad;
}

bool beschreibbar(const QString& ordner) {
    // The access check of the file system, not the mode bits: a read-only mount has writable bits.
    const QFileInfo i(ordner);
    return i.isDir() && i.isWritable();
}

} // namespace

Startwahl startwahlLesen(const QStringList& argumente) {
    // The toolkit's own options (-platform offscreen, -style Fusion, ...) are the toolkit's business.
    static const QStringList qtMitWert = {QStringLiteral("-platform"),
                                          QStringLiteral("-platformpluginpath"),
                                          QStringLiteral("-platformtheme"),
                                          QStringLiteral("-plugin"),
                                          QStringLiteral("-qwindowgeometry"),
                                          QStringLiteral("-qwindowtitle"),
                                          QStringLiteral("-qwindowicon"),
                                          QStringLiteral("-style"),
                                          QStringLiteral("-stylesheet"),
                                          QStringLiteral("-display"),
                                          QStringLiteral("-geometry"),
                                          QStringLiteral("-session"),
                                          QStringLiteral("-name"),
                                          QStringLiteral("-title")};
    static const QStringList qtOhneWert = {QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                           QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                           QStringLiteral("-sync")};
    Startwahl w;
    for (qsizetype i = 0; i < argumente.size(); ++i) {
        const QString& a = argumente.at(i);
        if (qtMitWert.contains(a)) {
            w.qtPlattform = a == QLatin1String("-platform") ? argumente.value(i + 1) : w.qtPlattform;
            ++i;
            continue;
        }
        if (qtOhneWert.contains(a) || a.startsWith(QLatin1String("-style=")) ||
            a.startsWith(QLatin1String("-platform=")))
            continue;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            w.art = Startwahl::Art::Hilfe;
            return w;
        }
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            w.art = Startwahl::Art::Version;
            return w;
        }
        if (a == QLatin1String("--importieren")) {
            // Every argument up to the next option is a file or an address ("./-x" for a file "-x").
            while (i + 1 < argumente.size() && !argumente.at(i + 1).startsWith(QLatin1Char('-')))
                w.importieren.append(argumente.at(++i));
            if (w.importieren.isEmpty()) {
                w.art = Startwahl::Art::Fehler;
                w.fehler = QStringLiteral("Nach --importieren fehlt die Datei.");
                return w;
            }
            w.art = Startwahl::Art::Importieren;
            continue;
        }
        if (a == QLatin1String("--rubrik") || a.startsWith(QLatin1String("--rubrik="))) {
            const bool getrennt = a == QLatin1String("--rubrik");
            // The next option is no section: "--rubrik --datenordner d" lacks the section.
            if (getrennt &&
                (i + 1 >= argumente.size() || argumente.at(i + 1).startsWith(QLatin1String("--")))) {
                w.art = Startwahl::Art::Fehler;
                w.fehler = QStringLiteral("Nach --rubrik fehlt die Rubrik.");
                return w;
            }
            w.rubrik = getrennt ? argumente.at(++i) : a.mid(9);
            if (w.rubrik.trimmed().isEmpty()) {
                w.art = Startwahl::Art::Fehler;
                w.fehler = QStringLiteral("Nach --rubrik fehlt die Rubrik.");
                return w;
            }
            continue;
        }
        QString ordner;
        if (a == QLatin1String("--datenordner")) {
            if (i + 1 >= argumente.size()) {
                w.art = Startwahl::Art::Fehler;
                w.fehler = QStringLiteral("Nach --datenordner fehlt der Ordner.");
                return w;
            }
            ordner = argumente.at(++i);
        } else if (a.startsWith(QLatin1String("--datenordner="))) {
            ordner = a.mid(14);
        } else {
            w.art = Startwahl::Art::Fehler;
            w.fehler = QStringLiteral("Unbekannte Angabe: %1").arg(a);
            return w;
        }
        if (ordner.isEmpty()) {
            w.art = Startwahl::Art::Fehler;
            w.fehler = QStringLiteral("Nach --datenordner fehlt der Ordner.");
            return w;
        }
        w.datenordner = ordner;
    }
    if (!w.rubrik.isEmpty() && w.art != Startwahl::Art::Importieren) {
        w.art = Startwahl::Art::Fehler;
        w.fehler = QStringLiteral("--rubrik gilt nur zusammen mit --importieren.");
    }
    return w;
}

bool bildschirmVorhanden(const QString& qtPlattform, const QString& display, const QString& waylandDisplay,
                         const Bildschirmfrage& antwortet) {
    const auto da = [&](const QString& art, const QString& adresse) {
        return !adresse.isEmpty() && (!antwortet || antwortet(art, adresse));
    };
    const QString x11 = QStringLiteral("xcb");
    const QString wayland = QStringLiteral("wayland");
    // "xcb;offscreen" lists fall-backs; "vnc:size=800x600" carries options.
    const QStringList wahl = qtPlattform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& p : wahl) {
        const QString name = p.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == x11) {
            if (da(x11, display)) return true;
        } else if (name.startsWith(wayland)) {
            if (da(wayland, waylandDisplay)) return true;
        } else if (!name.isEmpty()) {
            return true;
        }
    }
    if (!wahl.isEmpty()) return false;
    // Without a choice the toolkit tries Wayland where its variable is set, then X11.
    return da(wayland, waylandDisplay) || da(x11, display);
}

QString startHilfe(const QString& programm) {
    return QStringLiteral(
               "Aufruf: %1 [--datenordner ORDNER]\n"
               "       %1 --importieren DATEI... [--rubrik RUBRIK] [--datenordner ORDNER]\n"
               "Pfanno-Lux, eine Rezeptverwaltung.\n"
               "\n"
               "  --datenordner ORDNER  die Rezeptbücher und Einstellungen in ORDNER führen\n"
               "                        (der Ordner wird angelegt, wenn es ihn noch nicht gibt)\n"
               "  --importieren DATEI...\n"
               "                        Rezepte aus gespeicherten Webseiten (.html, .htm),\n"
               "                        Webadressen (http://, https://) oder MealMaster-Dateien\n"
               "                        (.mmf, .mm, .txt) ohne Fenster in das aktive Rezeptbuch\n"
               "                        übernehmen; doppelte Rezepte werden übersprungen\n"
               "  --rubrik RUBRIK       die Rubrik der importierten Rezepte (sonst die erste\n"
               "                        Rubrik der Liste)\n"
               "  --help                diese Hilfe zeigen und beenden\n"
               "  --version             die Version zeigen und beenden\n"
               "\n"
               "Ohne --datenordner liegen die Daten im Ordner des Programms, wenn dort die\n"
               "Hilfedatei liegt und geschrieben werden kann (Build-Ordner, tragbare Kopie);\n"
               "sonst im Ordner pfanno-lux der Benutzerdaten ($XDG_DATA_HOME, sonst\n"
               "~/.local/share).\n"
               "\n"
               "--importieren endet mit 0, wenn mindestens ein Rezept übernommen wurde, sonst mit 1;\n"
               "läuft Pfanno-Lux schon mit dem Datenordner, wird nichts importiert.\n")
        .arg(programm);
}

QString mitgeliefertOrdner(const QString& programmordner) {
    const QString eigen = ohneSchraegstrich(programmordner);
    if (QFileInfo::exists(eigen + QLatin1Char('/') + kHilfedatei)) return eigen;
    const QString geteilt = QDir::cleanPath(eigen + QStringLiteral("/../share/pfanno-lux"));
    if (QFileInfo(geteilt).isDir()) return geteilt;
    return eigen;
}

QString datenordnerBestimmen(const QString& gewaehlt, const QString& programmordner,
                             const QString& benutzerdaten) {
    if (!gewaehlt.isEmpty())
        return ohneSchraegstrich(QDir::cleanPath(QDir::current().absoluteFilePath(gewaehlt)));
    const QString eigen = ohneSchraegstrich(programmordner);
    // An installed program's folder (bin/) holds no help file; even where it can be written (root)
    // the data do not belong among the system's programs.
    if (mitgeliefertOrdner(eigen) == eigen && beschreibbar(eigen)) return eigen;
    return ohneSchraegstrich(QDir::cleanPath(benutzerdaten)) + QStringLiteral("/pfanno-lux");
}

bool datenordnerEinrichten(const QString& ordner, QString* fehler) {
    QDir d(ordner);
    if (!d.exists() && !QDir().mkpath(ordner)) {
        if (fehler) *fehler = QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(ordner);
        return false;
    }
    // Only where nothing of that name stands: a file, a link or a FIFO of the user's stays.
    const QByteArray bilder = QFile::encodeName(d.filePath(QStringLiteral("Bilder")));
    struct stat st;
    if (!ordnerNurLesbar(ordner) && ::lstat(bilder.constData(), &st) != 0 && errno == ENOENT)
        ::mkdir(bilder.constData(), 0777); // a picture save makes it all the same when this fails
    return true;
}

bool ordnerNurLesbar(const QString& ordner) {
    const QByteArray p = QFile::encodeName(ordner);
    struct statvfs s;
    if (::statvfs(p.constData(), &s) == 0 && (s.f_flag & ST_RDONLY)) return true;
    // The effective user's right to make a file in it: write and search permission.
    if (::faccessat(AT_FDCWD, p.constData(), W_OK | X_OK, AT_EACCESS) == 0) return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

} // namespace pfl
