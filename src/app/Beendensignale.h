// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP end the program as closing its main window does: the event loop ends
// and everything is taken down in order, so no lock file or socket is left behind.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace pfl {

// A write beyond the file-size limit (ulimit -f) would end the program with SIGXFSZ in the middle of
// a save. Ignored, the write fails with EFBIG instead and is told like any failed write; the record
// files keep whole records only. For the whole run, from the first write on.
void dateigrenzeAlsFehler();

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
