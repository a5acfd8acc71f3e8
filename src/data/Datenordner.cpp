// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Datenordner.h"

#include "data/Dateischreiber.h"

#include <QDir>
#include <QFileInfo>

namespace pfl {

namespace {

const QString kHilfedatei = QStringLiteral("Zirade-Zadod.ize");
const QString kHintergrund = QStringLiteral("Hintergrund");

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

// Shipped files are small; anything larger is not ours and is left alone.
QByteArray inhalt(const QString& pfad) {
    return dateiInhalt(pfad, qint64(64) << 20).value_or(QByteArray());
}

QString schreibfehler(const QString& pfad, const QString& grund) {
    return QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(pfad, grund);
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
    return QStringLiteral("Aufruf: %1 [--datenordner ORDNER]\n"
                          "Pfanno-Lux, eine Rezeptverwaltung.\n"
                          "\n"
                          "  --datenordner ORDNER  die Rezeptbücher und Einstellungen in ORDNER führen\n"
                          "                        (der Ordner wird angelegt, wenn es ihn noch nicht gibt)\n"
                          "  --help                diese Hilfe zeigen und beenden\n"
                          "  --version             die Version zeigen und beenden\n"
                          "\n"
                          "Ohne --datenordner liegen die Daten im Ordner des Programms, wenn dort die\n"
                          "Hilfedatei liegt und geschrieben werden kann (Build-Ordner, tragbare Kopie);\n"
                          "sonst im Ordner pfanno-lux der Benutzerdaten ($XDG_DATA_HOME, sonst\n"
                          "~/.local/share).\n")
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

bool datenordnerEinrichten(const QString& ordner, const QString& mitgeliefert, QString* fehler) {
    auto scheitern = [&](const QString& text) {
        if (fehler) *fehler = text;
        return false;
    };
    QDir d(ordner);
    if (!d.exists() && !QDir().mkpath(ordner))
        return scheitern(QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.").arg(ordner));
    if (!beschreibbar(ordner))
        return scheitern(QStringLiteral("Im Datenordner %1 kann nicht geschrieben werden.").arg(ordner));
    if (!d.exists(QStringLiteral("Bilder")) && !d.mkdir(QStringLiteral("Bilder")))
        return scheitern(QStringLiteral("Der Bilderordner in %1 kann nicht angelegt werden.").arg(ordner));
    const QString quelle = ohneSchraegstrich(mitgeliefert);
    if (quelle.isEmpty() || QFileInfo(quelle) == QFileInfo(ordner)) return true;

    // The help and the README (the information window's home page) belong to the program: a newer
    // program brings its own.
    for (const QString& name : {kHilfedatei, QStringLiteral("README.md")}) {
        const QByteArray neu = inhalt(quelle + QLatin1Char('/') + name);
        const QString ziel = d.filePath(name);
        if (neu.isEmpty() || inhalt(ziel) == neu) continue;
        QString grund;
        if (!dateiErsetzen(ziel, neu, &grund)) return scheitern(schreibfehler(ziel, grund));
    }
    // Background pictures: the shipped ones the folder lacks; the user's own choice stays.
    const QDir bilder(quelle + QLatin1Char('/') + kHintergrund);
    if (!bilder.exists()) return true;
    if (!d.exists(kHintergrund) && !d.mkdir(kHintergrund))
        return scheitern(
            QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(d.filePath(kHintergrund)));
    const QDir zielBilder(d.filePath(kHintergrund));
    for (const QFileInfo& b : bilder.entryInfoList(QDir::Files)) {
        const QString z = zielBilder.filePath(b.fileName());
        if (QFileInfo::exists(z)) continue;
        const QByteArray bild = inhalt(b.filePath());
        QString grund;
        if (!bild.isEmpty() && !dateiErsetzen(z, bild, &grund)) return scheitern(schreibfehler(z, grund));
    }
    return true;
}

} // namespace pfl
