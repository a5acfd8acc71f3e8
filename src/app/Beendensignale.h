// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP end the program as closing its main window does: the event loop ends
// and everything is taken down in order, so no lock file or socket is left behind.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace pfl {

class Beendensignale : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on; one object per program.
    explicit Beendensignale(QObject* parent = nullptr);
    // The signals' default actions again.
    ~Beendensignale() override;

    // A signal came (also one that came before the event loop ran).
    bool empfangen() const { return m_empfangen; }

Q_SIGNALS:
    void beendenVerlangt();

private:
    QSocketNotifier* m_melder = nullptr;
    bool m_empfangen = false;
};

} // namespace pfl
