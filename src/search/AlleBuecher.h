// SPDX-License-Identifier: GPL-3.0-or-later
// Tform22: the hits of one search over every recipe book of the data directory, with the book of
// each hit; a row makes its book the active one and leads to the editor like the book listing.
#pragma once

#include "search/Buchliste.h"

class Tform22 : public Tform21 {
    Q_OBJECT
public:
    Tform22(pfl::Umgebung& umgebung, QWidget* parent);

    static constexpr int kHilfe = 600;

    // How long a search runs before its progress shows (milliseconds).
    void fortschrittNach(int ms) { m_fortschrittNach = ms; }

public Q_SLOTS:
    // Searches every book, fills and shows the window (or says that nothing was found), then the
    // active book is the one of the options again. Shows progress with "Abbrechen" when it lasts.
    void Dir_alle_daten_Suchen(const pfl::Suchbegriff& begriff, const QString& titel);

protected:
    void ersteDetails(int position, const QString& buch) override;

private:
    int m_fortschrittNach = 400;
};
