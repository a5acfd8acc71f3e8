// TForm27: the section list window; adds, changes and deletes the names of "Rubriken.rub".
#pragma once

#include "recipes/Begriffsliste.h"

class TForm27 : public pfl::Begriffsliste {
    Q_OBJECT
public:
    TForm27(pfl::Umgebung& umgebung, QWidget* parent);

public Q_SLOTS:
    // The entry window's "Neue Rubriken hinzufügen/ändern": modal, "Neu" already pressed.
    void oeffnenAusErfassen();

protected:
    QString oeffnenTitel() const override;
    QStringList& namen() const override;
    bool dateiErsetzen(const QStringList& namen) override;
    void eintragAnhaengen(const QString& name) override;
    void listenNeuLaden() override;
    bool ladenVorSchliessen() const override { return true; }
    bool fokusBeimZeigen() const override { return true; }
};
