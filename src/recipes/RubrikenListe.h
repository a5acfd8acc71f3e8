// SPDX-License-Identifier: GPL-3.0-or-later
// TForm27: the section list window; adds, changes and deletes the names of "Rubriken.rub".
#pragma once

#include "recipes/Begriffsliste.h"

#include <optional>

class TForm27 : public pfl::Begriffsliste {
    Q_OBJECT
public:
    TForm27(pfl::Umgebung& umgebung, QWidget* parent);

public Q_SLOTS:
    // The entry window's "Neue Rubriken hinzufügen/ändern": modal, "Neu" already pressed.
    void oeffnenAusErfassen();
    // The category a section made from now on takes: that of the entry window or of the editor,
    // whichever the owner says the list serves. Until one is given, the record keeps the category
    // the buffer holds from the last reading of the file.
    void kategorieVorgeben(const QString& kategorie);

protected:
    QString oeffnenTitel() const override;
    QStringList& namen() const override;
    bool dateiErsetzen(const QStringList& namen) override;
    void eintragVorbereiten(const QString& name) override;
    void eintragAnhaengen(const QString& name) override;
    void listenNeuLaden() override;
    bool ladenVorSchliessen() const override { return true; }
    bool fokusBeimZeigen() const override { return true; }

private:
    std::optional<QString> m_kategorie;
};
