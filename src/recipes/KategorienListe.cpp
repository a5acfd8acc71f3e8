// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/KategorienListe.h"

#include "data/Unit4.h"

TForm28::TForm28(pfl::Umgebung& umgebung, QWidget* parent)
    : Begriffsliste(umgebung, parent, QStringLiteral("Form28"), QStringLiteral("Kategorie auswählen."), 500,
                    pfl::Umbenennung::Kategorie, QStringLiteral("Kategorie"), QStringLiteral("Kategorien")) {}

QString TForm28::oeffnenTitel() const {
    return QStringLiteral("Kategorien ändern oder Neu erstellen");
}

QStringList& TForm28::namen() const {
    return daten().listen.kategorienGelesen;
}

bool TForm28::dateiErsetzen(const QStringList& namen) {
    return daten().kategorienDateiErsetzen(namen);
}

void TForm28::eintragVorbereiten(const QString& name) {
    daten().k_daten.kategorie = name;
}

void TForm28::eintragAnhaengen(const QString& name) {
    Unit4& u = daten();
    eintragVorbereiten(name);
    // An emptied list file (its last category deleted or changed) would keep every new category out
    // for good, since saving never fills an empty file: it starts again as a new file does.
    if (u.ohneSatz(QStringLiteral("kategorien.kat"), sizeof(kategorien)))
        u.Kategorien_anlegen();
    else
        u.Kategorien_speichern();
}

void TForm28::listenNeuLaden() {
    daten().Kategorien_lesen(); // empties the window's list itself
}
