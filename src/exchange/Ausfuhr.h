// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting recipes from the windows: the user names the file (its filter chooses the format), the
// recipes are written, and the outcome is told.
#pragma once

#include "data/Rezeptstelle.h"
#include "windowbase/Umgebung.h"

#include <QObject>

class QWidget;

namespace pfl {

class Ausfuhr : public QObject {
    Q_OBJECT
public:
    Ausfuhr(Umgebung& umgebung, QWidget* fenster);

public Q_SLOTS:
    // Every recipe of the active book.
    void buchExportieren();
    // The recipes at these places (a listing, a search result, the editor's recipe); `name` proposes
    // the file's name.
    void exportieren(const pfl::Rezeptstellen& stellen, const QString& name);

Q_SIGNALS:
    // Written: what the status bar tells.
    void exportiert(const QString& meldung);

private:
    Umgebung& m_umgebung;
    QWidget* m_fenster;
    QString m_ordner; // where the last export went
};

} // namespace pfl
