// SPDX-License-Identifier: GPL-3.0-or-later
// One program per data folder: a second start hands over to the running program, which comes to
// the front, instead of only refusing.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace pfl {

class Einzelstart : public QObject {
    Q_OBJECT
public:
    // Listens for later starts on the same data folder; call only while holding the folder's lock.
    explicit Einzelstart(const QString& datenordner, QObject* parent = nullptr);

    // Asks the program that holds the folder to come to the front; true when it got the request.
    static bool wecken(const QString& datenordner);
    // The local socket's name: one per user and data folder, a path in the user's runtime folder
    // (XDG_RUNTIME_DIR) where there is one, else a name in the system's temporary folder.
    static QString name(const QString& datenordner);

Q_SIGNALS:
    void geweckt();

private:
    QLocalServer m_server;
};

} // namespace pfl
