// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Bildschirm.h"

#include "data/Datenordner.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QLibraryInfo>

#include <array>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace pfl {

bool x11Antwortet(const QString& display) {
    // libxcb is what the toolkit's X11 platform talks through; loaded here, it needs no headers to
    // build and reads the user's authorisation as the toolkit will.
    QLibrary xcb(QStringLiteral("xcb"), 1);
    using Verbinden = void* (*)(const char*, int*);
    using Fehler = int (*)(void*);
    using Trennen = void (*)(void*);
    const auto verbinden = reinterpret_cast<Verbinden>(xcb.resolve("xcb_connect"));
    const auto fehler = reinterpret_cast<Fehler>(xcb.resolve("xcb_connection_has_error"));
    const auto trennen = reinterpret_cast<Trennen>(xcb.resolve("xcb_disconnect"));
    if (!verbinden || !fehler || !trennen) return false;
    void* verbindung = verbinden(display.toLocal8Bit().constData(), nullptr);
    if (!verbindung) return false;
    const bool ok = fehler(verbindung) == 0;
    trennen(verbindung);
    return ok;
}

namespace {

// Debian ships the toolkit's Wayland platform apart (qt6-wayland).
bool waylandPlattformDa() {
    QStringList ordner{QLibraryInfo::path(QLibraryInfo::PluginsPath)};
    ordner << qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& o : ordner)
        if (!QDir(o + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland*")}).isEmpty())
            return true;
    return false;
}

} // namespace

bool waylandAntwortet(const QString& waylandDisplay) {
    const QString pfad = waylandDisplay.startsWith(QLatin1Char('/'))
                             ? waylandDisplay
                             : qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + waylandDisplay;
    const QByteArray roh = QFile::encodeName(pfad);
    sockaddr_un adresse{};
    adresse.sun_family = AF_UNIX;
    if (roh.size() >= qsizetype(sizeof adresse.sun_path)) return false;
    std::memcpy(adresse.sun_path, roh.constData(), size_t(roh.size()));
    const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    // A socket whose compositor has died refuses; one that hangs takes the request and never
    // answers. wl_display.sync (object 1, request 0, 12 bytes, new callback 2) asks for an answer.
    bool ok = ::connect(s, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) == 0;
    if (ok) {
        const std::array<quint32, 3> sync{1, 12u << 16, 2};
        ok = ::send(s, sync.data(), sizeof sync, MSG_NOSIGNAL) == ssize_t(sizeof sync);
    }
    if (ok) {
        pollfd p{s, POLLIN, 0};
        char antwort[8];
        ok = ::poll(&p, 1, 3000) == 1 && ::recv(s, antwort, sizeof antwort, 0) > 0;
    }
    ::close(s);
    return ok;
}

QString bildschirmFehlt(const QString& qtPlattform, const QString& display, const QString& waylandDisplay) {
    const auto antwortet = [](const QString& art, const QString& adresse) {
        return art == QLatin1String("xcb") ? x11Antwortet(adresse)
                                           : waylandPlattformDa() && waylandAntwortet(adresse);
    };
    if (bildschirmVorhanden(qtPlattform, display, waylandDisplay, antwortet)) return QString();
    QString grund;
    if (display.isEmpty() && waylandDisplay.isEmpty()) {
        grund = QStringLiteral("weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt");
    } else {
        QStringList gruende;
        for (const auto& [name, wert] : {std::pair{QStringLiteral("DISPLAY"), display},
                                         std::pair{QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay}}) {
            if (wert.isEmpty())
                gruende << QStringLiteral("%1 ist nicht gesetzt").arg(name);
            else if (name == QLatin1String("WAYLAND_DISPLAY") && !waylandPlattformDa())
                gruende << QStringLiteral("für %1=%2 fehlt Qt die Wayland-Anbindung, Paket qt6-wayland")
                               .arg(name, wert);
            else
                gruende << QStringLiteral("%1=%2 antwortet nicht").arg(name, wert);
        }
        grund = gruende.join(QStringLiteral(", "));
    }
    return QStringLiteral("Pfanno-Lux braucht eine grafische Oberfläche, hier ist aber kein Bildschirm "
                          "erreichbar\n(%1).\n"
                          "Starten Sie Pfanno-Lux auf dem Desktop, oder ohne Desktop mit einem virtuellen "
                          "Bildschirm:\n"
                          "  xvfb-run -a pfanno-lux\n")
        .arg(grund);
}

} // namespace pfl
