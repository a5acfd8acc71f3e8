// SPDX-License-Identifier: GPL-3.0-or-later
// Base of the twin list windows of sections (TForm27) and categories (TForm28): a sorted list of
// names, an edit field and the buttons to add, change and delete a name. A change renames the name
// in every recipe of every book.
#pragma once

#include "windowbase/Nebenfenster.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace pfl {

enum class Umbenennung;

class Begriffsliste : public Nebenfenster {
    Q_OBJECT
public:
    // art is what a change renames in the recipes.
    Begriffsliste(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                  int hilfethema, Umbenennung art, const QString& begriff, const QString& begriffe);

public Q_SLOTS:
    // The main window's command: not modal, nothing pressed yet.
    void oeffnenAusHauptfenster();

Q_SIGNALS:
    // Before a change renames a name in the books, and before anything of it is written: the
    // automatic backup belongs here. The receiver sets gesichert to true when every file arrived;
    // left false, the user decides whether to rename without a backup.
    void sicherungVorUmbenennen(bool& gesichert);

protected:
    // Opening the window modally with "Neu" already pressed.
    void oeffnenModalNeu();

    void vorbereiten() override;
    void showEvent(QShowEvent* e) override;

    // What differs between the twins.
    virtual QString oeffnenTitel() const = 0;
    // The window's own name list in the data module.
    virtual QStringList& namen() const = 0;
    // Rewrites the list file from the names; true when written.
    virtual bool dateiErsetzen(const QStringList& namen) = 0;
    // Puts a new name into the list file's buffer as its record will be stored.
    virtual void eintragVorbereiten(const QString& name) = 0;
    // Stores a new name through the data module (eintragVorbereiten, then the append).
    virtual void eintragAnhaengen(const QString& name) = 0;
    // Reloads the name lists of every window after the list file changed.
    virtual void listenNeuLaden() = 0;
    // Sections: after saving the lists are reloaded before the window closes; categories after.
    virtual bool ladenVorSchliessen() const = 0;
    // Sections: focus into the edit field on showing; categories: on "Neu".
    virtual bool fokusBeimZeigen() const = 0;

private Q_SLOTS:
    void ListBox1Click();
    void Button6Click();
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void listeUebernehmen();

private:
    // Rewrites the list file from the window's list and reloads every window's list (list_speichern).
    void list_speichern();
    void markierenVerlangen();
    QStringList eintraege() const;
    // Runs the backup before a rename; true when it worked or the user renames without it.
    bool sicherungBestaetigt(const QString& neu);
    // Renames the old name in every book and then stores the new one in the list file, as one change,
    // showing progress when that takes a while.
    void umbenennen(const QString& neu);

    const Umbenennung m_art;
    const QString m_bezeichnung;        // "Rubrik" or "Kategorie", for the messages
    QLineEdit* m_begriff = nullptr;     // Edit1
    QListWidget* m_liste = nullptr;     // ListBox1
    QPushButton* m_speichern = nullptr; // Button1
    QPushButton* m_neu = nullptr;       // Button6
    QPushButton* m_aendern = nullptr;   // Button2
    QPushButton* m_loeschen = nullptr;  // Button3
    bool m_modalNeu = false;            // opened by the entry window
    bool m_neuerEintrag = false;        // the edit field holds a new name ("Neu")
    bool m_markiert = false;            // an entry is selected and not yet acted on
    QString m_gewaehlt;                 // the selected entry
    bool m_aenderungOffen = false;      // "Ändern" took a name; saving completes the change
    QString m_alterName;                // the name "Ändern" took
};

} // namespace pfl
