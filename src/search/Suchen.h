// SPDX-License-Identifier: GPL-3.0-or-later
// TForm9: the search window. Collects one criterion and hands it to the listing of the active book
// or to the search across every book.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "data/Suche.h"

class DateEdit;
class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class RxSpinEdit;
namespace pfl {
class Namensliste;
class Zeilenliste;
} // namespace pfl

class TForm9 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm9(pfl::Umgebung& umgebung, QWidget* parent);

    static constexpr int kHilfe = 600;

    // The message when the selected criterion has no input.
    static QString fehltText();

Q_SIGNALS:
    // "Suchen >>" with the scope "Im aktuellen Rezeptbuch suchen" / "In allen Rezeptbüchern suchen";
    // titel is the caption of the listing.
    void imAktuellenBuchSuchen(const pfl::Suchbegriff& begriff, const QString& titel);
    void inAllenBuechernSuchen(const pfl::Suchbegriff& begriff, const QString& titel);

protected:
    // What the main window's "Suchen" prepares before each showing.
    void vorbereiten() override;
    void faerben() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private Q_SLOTS:
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton7Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void RadioButton8Click();
    void RadioButton9Click();
    void RadioButton10Click();
    void ListBoxClick(QListWidgetItem* item);
    // A list's line becomes the search text.
    void textUebernehmen(const QString& text);
    void Button1Click();
    void listenUebernehmen();

private:
    // The enabled states every criterion sets (the text criteria share them).
    void freigeben(bool text, bool zeit, bool preis, bool datum, bool jahr);
    // The list shown, with the label and the group caption; gruppeZeigen leaves the label alone.
    void listeZeigen(QAbstractItemView* liste, const QString& titel);
    void gruppeZeigen(QAbstractItemView* liste, const QString& titel);
    // Builds the criterion from the inputs; false (after telling the user) when an input is missing
    // or cannot be read.
    bool begriffLesen(pfl::Suchbegriff& b);
    // Appends every ingredient line of the active book, wrapped as the list is wide.
    void zutatenZeilenFuellen();

    QRadioButton* m_aktuellesBuch = nullptr;     // RadioButton9
    QRadioButton* m_alleBuecher = nullptr;       // RadioButton10
    QRadioButton* m_kategorie = nullptr;         // RadioButton1
    QRadioButton* m_rubrik = nullptr;            // RadioButton2
    QRadioButton* m_zutaten = nullptr;           // RadioButton3
    QRadioButton* m_name = nullptr;              // RadioButton7
    QRadioButton* m_zeit = nullptr;              // RadioButton4
    QRadioButton* m_preis = nullptr;             // RadioButton5
    QRadioButton* m_datum = nullptr;             // RadioButton6
    QRadioButton* m_jahr = nullptr;              // RadioButton8
    QComboBox* m_zeitVergleich = nullptr;        // ComboBox2
    QLineEdit* m_minuten = nullptr;              // Edit3
    QComboBox* m_preisVergleich = nullptr;       // ComboBox3
    QLineEdit* m_betrag = nullptr;               // Edit2
    QLabel* m_waehrung = nullptr;                // Label2
    QComboBox* m_datumVergleich = nullptr;       // ComboBox1
    DateEdit* m_datumFeld = nullptr;             // DateEdit1
    RxSpinEdit* m_jahrFeld = nullptr;            // RxSpinEdit1
    QLabel* m_textLabel = nullptr;               // Label1
    QLineEdit* m_text = nullptr;                 // Edit1
    QCheckBox* m_exakt = nullptr;                // CheckBox1
    QGroupBox* m_listenGruppe = nullptr;         // GroupBox2
    QListWidget* m_kategorien = nullptr;         // ListBox1
    QListWidget* m_rubriken = nullptr;           // ListBox2
    pfl::Zeilenliste* m_zutatenZeilen = nullptr; // ListBox3
    pfl::Namensliste* m_namen = nullptr;         // ListBox4
};
