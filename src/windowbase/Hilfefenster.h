// SPDX-License-Identifier: GPL-3.0-or-later
// The help viewer: the program's HTML help at a numbered topic, usable while a modal window is open.
#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace pfl {

class Hilfefenster : public QWidget {
    Q_OBJECT
public:
    // A top-level window of its own: it outlives every window that asks for help.
    Hilfefenster();

    // The anchor of a topic number in the help file: one per topic ("t100", "t150", ...).
    static QString anker(int thema);

    // Shows the help file at the topic in front of the active window; over an open modal window
    // it is that window's transient child, so the modal window neither hides nor blocks it.
    // Nothing is shown when the file is missing.
    void zeigen(const QString& hilfedatei, int thema);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void nachVorn();

    QPushButton* m_zurueck = nullptr; // back in the history of the pages shown
    QTextBrowser* m_text = nullptr;
};

} // namespace pfl
