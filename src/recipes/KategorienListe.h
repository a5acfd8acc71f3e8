// SPDX-License-Identifier: GPL-3.0-or-later
// TForm28: the category list window; adds, changes and deletes the names of "kategorien.kat".
#pragma once

#include "recipes/Begriffsliste.h"

class TForm28 : public pfl::Begriffsliste {
    Q_OBJECT
public:
    TForm28(pfl::Umgebung& umgebung, QWidget* parent);

protected:
    QString oeffnenTitel() const override;
    QStringList& namen() const override;
    bool dateiErsetzen(const QStringList& namen) override;
    void eintragVorbereiten(const QString& name) override;
    void eintragAnhaengen(const QString& name) override;
    void listenNeuLaden() override;
    bool ladenVorSchliessen() const override { return false; }
    bool fokusBeimZeigen() const override { return false; }
};
