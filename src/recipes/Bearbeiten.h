// SPDX-License-Identifier: GPL-3.0-or-later
// TForm13: the editor, which shows one recipe of the active book by its position, steps through the
// book, changes the recipe in place and deletes it.
#pragma once

#include "data/Records.h"
#include "data/Rezeptstelle.h"
#include "pages/Drucklayout.h"
#include "pages/Rezeptbild.h"
#include "recipes/Rezeptfenster.h"

#include <QStringList>

class QLabel;
class QPushButton;

class TForm13 : public pfl::Rezeptfenster {
    Q_OBJECT
public:
    TForm13(pfl::Umgebung& umgebung, QWidget* parent);

public Q_SLOTS:
    // Opens the editor on record satznum (1-based) of the active book.
    void oeffnenBei(int satznum);

Q_SIGNALS:
    // "Bild vergrößern": the picture window is to show this picture of the picture folder.
    void bildVergroessernVerlangt(const QString& bildname);
    // After a deletion the book's listing opens again, with the new positions.
    void listeVerlangt();
    // "Zutatenliste zur Einkaufsliste hinzufügen": the ingredient text as shown ("\n" line breaks).
    void einkaufslisteErgaenzen(const QString& zutaten);
    // "Drucken": the recipe as the fields show it goes to the printing window.
    void druckenVerlangt(const pfl::Druckrezept& rezept);
    // "Exportieren …": the recipe as stored (unsaved changes are settled first), with its name.
    void exportierenVerlangt(const pfl::Rezeptstellen& stellen, const QString& name);

protected:
    void vorbereiten() override;
    // Every way of closing asks first about unsaved changes.
    void done(int ergebnis) override;

private Q_SLOTS:
    void aendern_ausgeben();
    // Shows the first recipe of the book with exactly this name.
    void Name_erkennen(const QString& name);
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void ListBox1Click();
    void ListBox2Click();
    void ComboBox2Change();
    void Button1Click();
    void Button2Click();
    void Button5Click();
    void Button6Click();
    void SpeedButton1Click();
    void BitBtn1Click();
    void Button8Click();
    void exportierenClick();
    void listenUebernehmen();
    void aenderungMerken();

private:
    void aufbauen();
    // Shows record nummer after settling unsaved changes; false when the user stayed.
    bool zeigen(int nummer);
    // Unsaved changes: saved, dropped or kept (false: the user cancelled, or saving failed).
    bool aenderungenKlaeren();
    // Writes the fields over the record they were read from; false (reported) when nothing was written.
    bool speichern();
    // The record at the position is no longer the one shown: says so and shows the book as it is now.
    void veraendertNeuLaden(const QString& was);
    void rezeptlisteLaden(bool erzwingen);
    void bildAnzeigen(const pfl::Rezeptbild& bild, const QString& name);
    void bildEntfernen();

    // The window's own controls in the form: the record counter and the shopping list.
    QLabel* m_nummer = nullptr;         // Label20
    QLabel* m_anzahlSaetze = nullptr;   // Label21
    QPushButton* m_erster = nullptr;    // Button11
    QPushButton* m_voriger = nullptr;   // Button12
    QPushButton* m_naechster = nullptr; // Button13
    QPushButton* m_letzter = nullptr;   // Button14
    QPushButton* m_einkauf = nullptr;   // Button9
    // Bottom row.
    QPushButton* m_speichern = nullptr;   // Button1
    QPushButton* m_loeschen = nullptr;    // Button2
    QPushButton* m_beenden = nullptr;     // Button3
    QPushButton* m_mail = nullptr;        // BitBtn1
    QPushButton* m_drucken = nullptr;     // Button8
    QPushButton* m_exportieren = nullptr; // below the shopping list's button

    int m_satz = 0;         // the position the fields were read from
    dateien m_gelesen;      // that record as read, the base of a save and the check before writing
    bool m_gueltig = false; // m_gelesen holds a record
    bool m_geaendert = false;
    bool m_fuellen = false; // the window itself is filling the fields
    QString m_bildname;     // the record's picture name as it will be saved
};
