// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Ausfuhr.h"

#include "data/Unit4.h"
#include "exchange/Ausgeben.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>

namespace pfl {

namespace {

// A file name from a recipe's or book's name: no folder separators or control characters.
QString dateiname(const QString& name) {
    QString n;
    for (const QChar c : name.trimmed())
        n += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
                 ? QLatin1Char('-')
                 : c;
    while (n.startsWith(QLatin1Char('.')))
        n.remove(0, 1);
    return n.trimmed().isEmpty() ? QStringLiteral("Rezepte") : n;
}

} // namespace

Ausfuhr::Ausfuhr(Umgebung& umgebung, QWidget* fenster)
    : QObject(fenster), m_umgebung(umgebung), m_fenster(fenster), m_ordner(QDir::homePath()) {}

void Ausfuhr::buchExportieren() {
    Unit4& u = m_umgebung.daten;
    const int n = u.buchAnzahl();
    if (u.rezeptbuch.isEmpty() || n <= 0) {
        m_umgebung.plattform.message(
            Platform::Kind::Information,
            QStringLiteral("Das aktive Rezeptbuch enthält keine Rezepte; es gibt nichts zu "
                           "exportieren."));
        return;
    }
    Rezeptstellen stellen;
    stellen.reserve(n);
    for (int i = 1; i <= n; ++i)
        stellen.append({u.rezeptbuch, i});
    exportieren(stellen, u.rezeptbuch);
}

void Ausfuhr::exportieren(const Rezeptstellen& stellen, const QString& name) {
    Platform& p = m_umgebung.plattform;
    if (stellen.isEmpty()) {
        p.message(Platform::Kind::Information, QStringLiteral("Es gibt keine Rezepte zum Exportieren."));
        return;
    }
    const QStringList filter = exportFilter();
    QString gewaehlt = filter.first();
    const QString vorschlag = QDir(m_ordner).filePath(dateiname(name) + QStringLiteral(".html"));
    QString datei = p.chooseSaveFile(stellen.size() == 1 ? QStringLiteral("Rezept exportieren")
                                                         : QStringLiteral("Rezepte exportieren"),
                                     vorschlag, filter, gewaehlt);
    if (datei.isEmpty()) return;
    const Austauschformat format = exportFormat(datei, gewaehlt);
    datei = exportDatei(datei, format);
    m_ordner = QFileInfo(datei).absolutePath();

    QProgressDialog fortschritt(m_fenster);
    fortschritt.setObjectName(QStringLiteral("Exportfortschritt"));
    fortschritt.setWindowTitle(QStringLiteral("Rezepte werden exportiert"));
    fortschritt.setCancelButtonText(QStringLiteral("Abbrechen"));
    fortschritt.setWindowModality(Qt::ApplicationModal);
    fortschritt.setMinimumDuration(800);
    fortschritt.setAutoClose(false);
    fortschritt.setAutoReset(false);
    fortschritt.setMaximum(int(stellen.size()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Exportergebnis e =
        rezepteExportieren(m_umgebung.daten, stellen, datei, format, name, [&](qint64 erledigt, qint64) {
            fortschritt.setValue(int(erledigt));
            return !fortschritt.wasCanceled();
        });
    QApplication::restoreOverrideCursor();
    fortschritt.hide();
    if (e.abgebrochen) return;
    const QString ziel = QDir::toNativeSeparators(datei);
    if (!e.fehler.isEmpty()) {
        p.message(Platform::Kind::Error, e.fehler);
        return;
    }
    QString meldung = e.anzahl == 1
                          ? QStringLiteral("1 Rezept nach „%1“ exportiert.").arg(ziel)
                          : QStringLiteral("%1 Rezepte nach „%2“ exportiert.").arg(e.anzahl).arg(ziel);
    if (e.fehlend == 1) meldung += QStringLiteral(" 1 Rezept war nicht mehr im Rezeptbuch.");
    if (e.fehlend > 1)
        meldung += QStringLiteral(" %1 Rezepte waren nicht mehr im Rezeptbuch.").arg(e.fehlend);
    if (e.bilderFehlen == 1)
        meldung += QStringLiteral(" 1 Bild fehlt im Bilderordner und wurde nicht mitgenommen.");
    if (e.bilderFehlen > 1)
        meldung += QStringLiteral(" %1 Bilder fehlen im Bilderordner und wurden nicht mitgenommen.")
                       .arg(e.bilderFehlen);
    Q_EMIT exportiert(meldung);
}

} // namespace pfl
