// SPDX-License-Identifier: GPL-3.0-or-later
// The progress of a task that may last: the dialog shows only once the task has run a while (a
// short one shows nothing), with a busy cursor under which "Abbrechen" can still be clicked.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

namespace pfl {

class Spaetfortschritt {
public:
    // name is the dialog's object name; nachMs how long the task runs before the dialog shows.
    Spaetfortschritt(QWidget* eltern, const QString& name, const QString& titel, int nachMs);
    ~Spaetfortschritt() { beenden(); }
    Spaetfortschritt(const Spaetfortschritt&) = delete;
    Spaetfortschritt& operator=(const Spaetfortschritt&) = delete;

    // Shows the dialog once its time has come; true while it is shown and not cancelled, when the
    // caller sets its bar and text.
    bool zeigen();
    bool abgebrochen() const { return m_dialog.wasCanceled(); }
    QProgressDialog& dialog() { return m_dialog; }
    // Hides the dialog and gives the cursor back.
    void beenden();

private:
    QProgressDialog m_dialog;
    QElapsedTimer m_uhr;
    int m_nach;
    bool m_gezeigt = false; // cancelling hides the dialog: the cursor goes back by this flag
};

} // namespace pfl
