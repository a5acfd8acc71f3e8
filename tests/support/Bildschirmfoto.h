// SPDX-License-Identifier: GPL-3.0-or-later
// Screenshots for looking at what the tests show. Taken only when PFANNO_SCREENSHOTS is set, into
// the folder it names (the temporary folder when it names none), as a side effect of a real test:
// a picture is never a test of its own.
#pragma once

#include <QDir>
#include <QImage>
#include <QWidget>
#include <QtTest>

namespace pfl::test {

inline bool bildschirmfotosGewuenscht() {
    return qEnvironmentVariableIsSet("PFANNO_SCREENSHOTS");
}

inline void bildschirmfoto(const QImage& bild, const QString& name) {
    if (!bildschirmfotosGewuenscht()) return;
    const QString ziel = qEnvironmentVariable("PFANNO_SCREENSHOTS");
    const QDir ordner(!ziel.isEmpty() && QDir(ziel).exists() ? ziel : QDir::tempPath());
    QString datei = name;
    datei.replace(QLatin1Char(' '), QLatin1Char('_'));
    QVERIFY2(bild.save(ordner.filePath(datei + QStringLiteral(".png"))), qPrintable(datei));
}

inline void bildschirmfoto(QWidget* w, const QString& name) {
    if (bildschirmfotosGewuenscht()) bildschirmfoto(w->grab().toImage(), name);
}

} // namespace pfl::test
