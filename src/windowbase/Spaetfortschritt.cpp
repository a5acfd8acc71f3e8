// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowbase/Spaetfortschritt.h"

#include <QApplication>

namespace pfl {

Spaetfortschritt::Spaetfortschritt(QWidget* eltern, const QString& name, const QString& titel, int nachMs)
    : m_dialog(eltern), m_nach(nachMs) {
    m_dialog.setObjectName(name);
    m_dialog.setWindowTitle(titel);
    m_dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setAutoClose(false);
    m_dialog.setAutoReset(false);
    m_dialog.setMinimumDuration(0);
    m_dialog.hide();
    m_uhr.start();
}

bool Spaetfortschritt::zeigen() {
    if (!m_gezeigt && m_uhr.elapsed() >= m_nach) {
        m_gezeigt = true;
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_dialog.show();
    }
    return m_gezeigt && !m_dialog.wasCanceled();
}

void Spaetfortschritt::beenden() {
    if (m_gezeigt) QApplication::restoreOverrideCursor();
    m_gezeigt = false;
    m_dialog.hide();
}

} // namespace pfl
