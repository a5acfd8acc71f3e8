// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/RubrikenListe.h"

#include "data/Unit4.h"

TForm27::TForm27(pfl::Umgebung& umgebung, QWidget* parent)
    : Begriffsliste(umgebung, parent, QStringLiteral("Form27"), QStringLiteral("Rubriken erstellen/ändern."),
                    550, pfl::Umbenennung::Rubrik, QStringLiteral("Rubrik"), QStringLiteral("Rubriken")) {}

void TForm27::oeffnenAusErfassen() {
    oeffnenModalNeu();
}

void TForm27::kategorieVorgeben(const QString& kategorie) {
    m_kategorie = kategorie;
}

QString TForm27::oeffnenTitel() const {
    return QStringLiteral("Rubriken ändern oder Neu erstellen");
}

QStringList& TForm27::namen() const {
    return daten().listen.rubrikenGesammelt;
}

bool TForm27::dateiErsetzen(const QStringList& namen) {
    return daten().rubrikenDateiErsetzen(namen);
}

void TForm27::eintragVorbereiten(const QString& name) {
    Unit4& u = daten();
    u.r_daten.rubrik = name;
    if (m_kategorie) u.r_daten.kategorie = *m_kategorie;
}

void TForm27::eintragAnhaengen(const QString& name) {
    eintragVorbereiten(name);
    daten().Rubriken_speichern();
}

void TForm27::listenNeuLaden() {
    Unit4& u = daten();
    // Rubriken_lesen only adds to the collected sections: emptied first, the window's list (and the
    // editor's) shows exactly the file's names.
    u.listen.rubrikenGesammelt.clear();
    u.Rubriken_lesen();
}
