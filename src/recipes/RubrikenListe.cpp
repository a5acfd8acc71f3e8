#include "recipes/RubrikenListe.h"

#include "data/Unit4.h"

TForm27::TForm27(pfl::Umgebung& umgebung, QWidget* parent)
    : Begriffsliste(umgebung, parent, QStringLiteral("Form27"), QStringLiteral("Rubriken erstellen/ändern."),
                    550, 1, QStringLiteral("Rubrik"), QStringLiteral("Rubriken")) {}

void TForm27::oeffnenAusErfassen() {
    oeffnenModalNeu();
}

QString TForm27::oeffnenTitel() const {
    return QStringLiteral("Rubriken ändern oder Neu erstellen");
}

QStringList& TForm27::namen() const {
    return daten().listen.rubListe;
}

bool TForm27::dateiErsetzen(const QStringList& namen) {
    return daten().rubrikenDateiErsetzen(namen);
}

void TForm27::eintragAnhaengen(const QString& name) {
    Unit4& u = daten();
    u.konvert_R = name;
    u.r_daten.rubrik = name;
    // A new section takes the category of the window that asked for it.
    if (u.formular == 2)
        u.r_daten.kategorie = u.listen.erfKategorieText;
    else if (u.formular == 13)
        u.r_daten.kategorie = u.listen.bearbKategorieText;
    u.Rubriken_speichern();
}

void TForm27::listenNeuLaden() {
    Unit4& u = daten();
    u.listen.erfRubriken.clear();
    u.listen.bearbRubriken.clear();
    // Rubriken_lesen only adds: emptied first, the window's list shows exactly the file's names.
    u.listen.rubListe.clear();
    u.Rubriken_lesen();
}
