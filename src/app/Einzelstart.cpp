// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Einzelstart.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

#include <unistd.h>

namespace pfl {

namespace {
const QByteArray kBitte = QByteArrayLiteral("zeigen\n");
}

QString Einzelstart::name(const QString& datenordner) {
    QFileInfo i(datenordner);
    const QString pfad = i.canonicalFilePath().isEmpty() ? i.absoluteFilePath() : i.canonicalFilePath();
    const QString h = QString::fromLatin1(
        QCryptographicHash::hash(pfad.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    // The user's runtime folder is private and emptied when the user logs out. A socket path has
    // room for about 100 bytes.
    const QString laufzeit = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo l(laufzeit);
    const QString dort = laufzeit + QStringLiteral("/pfanno-lux-") + h;
    if (l.isAbsolute() && l.isDir() && l.isWritable() && l.ownerId() == ::getuid() &&
        QFile::encodeName(dort).size() < 100)
        return dort;
    // Else the system's temporary folder, which all users share.
    return QStringLiteral("pfanno-lux-%1-%2").arg(::getuid()).arg(h);
}

Einzelstart::Einzelstart(const QString& datenordner, QObject* parent) : QObject(parent) {
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    const QString n = name(datenordner);
    // A socket left by a program that died: the folder's lock is ours, so nobody listens on it.
    if (!m_server.listen(n)) {
        QLocalServer::removeServer(n);
        m_server.listen(n);
    }
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains(kBitte)) Q_EMIT geweckt();
                s->disconnectFromServer();
            });
        }
    });
}

bool Einzelstart::wecken(const QString& datenordner) {
    QLocalSocket s;
    s.connectToServer(name(datenordner));
    if (!s.waitForConnected(2000)) return false;
    s.write(kBitte);
    s.flush();
    const bool ok = s.bytesToWrite() == 0 || s.waitForBytesWritten(2000);
    s.disconnectFromServer();
    return ok;
}

} // namespace pfl
