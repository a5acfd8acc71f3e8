// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/Schriften.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace pfl {

void schriftenErsetzen() {
    // Debian's Tahoma (fonts-wine) lies outside the folders the font configuration searches; the
    // program loads it itself, so that texts measure as the stored layouts expect.
    static const bool geladen = [] {
        bool da = false;
        for (const QString& datei : {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                     QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")})
            if (QFile::exists(datei)) da = QFontDatabase::addApplicationFont(datei) >= 0 || da;
        return da;
    }();
    Q_UNUSED(geladen);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Book Antiqua"),
        {QStringLiteral("P052"), QStringLiteral("URW Palladio L"), QStringLiteral("DejaVu Serif")});
}

} // namespace pfl
