// Screenshots for looking at the widgets: only when PFANNO_SCREENSHOTS is set, into the folder it
// names (the temporary folder when it names none).
#pragma once

#include <QDir>
#include <QImage>
#include <QtTest>

inline bool bildschirmfotosGewuenscht() {
    return qEnvironmentVariableIsSet("PFANNO_SCREENSHOTS");
}

inline void bildschirmfoto(const QImage& bild, const QString& name) {
    if (!bildschirmfotosGewuenscht()) return;
    const QString ziel = qEnvironmentVariable("PFANNO_SCREENSHOTS");
    const QDir ordner(!ziel.isEmpty() && QDir(ziel).exists() ? ziel : QDir::tempPath());
    QVERIFY(bild.save(ordner.filePath(name + QStringLiteral(".png"))));
}
