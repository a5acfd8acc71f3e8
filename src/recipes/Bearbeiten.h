// TForm13: the editor, which shows one recipe of the active book by its position, steps through the
// book, changes the recipe in place and deletes it.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "data/Records.h"
#include "pages/Drucklayout.h"
#include "pages/Rezeptbild.h"

#include <QStringList>

class CurrencyEdit;
class DateEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;
class RxSpinEdit;

class TForm13 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm13(pfl::Umgebung& umgebung, QWidget* parent);
    ~TForm13() override;

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

protected:
    void vorbereiten() override;
    void faerben() override;
    void showEvent(QShowEvent* e) override;
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
    void listenUebernehmen();
    void aenderungMerken();

private:
    void aufbauen();
    void anordnen();
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

    // Left: category, sections, recipes of the section.
    QComboBox* m_kategorie = nullptr;     // ComboBox2
    QLineEdit* m_rubrik = nullptr;        // Edit1
    QListWidget* m_rubriken = nullptr;    // ListBox1
    QGroupBox* m_rezepteGruppe = nullptr; // GroupBox2
    QListWidget* m_rezepte = nullptr;     // ListBox2
    // Middle: name, the three texts and the record counter.
    QLineEdit* m_name = nullptr;             // Edit2
    QPlainTextEdit* m_utensilien = nullptr;  // Memo3
    QPlainTextEdit* m_zutaten = nullptr;     // Memo1
    QPlainTextEdit* m_zubereitung = nullptr; // Memo2
    QLabel* m_nummer = nullptr;              // Label20
    QLabel* m_anzahlSaetze = nullptr;        // Label21
    QPushButton* m_erster = nullptr;         // Button11
    QPushButton* m_voriger = nullptr;        // Button12
    QPushButton* m_naechster = nullptr;      // Button13
    QPushButton* m_letzter = nullptr;        // Button14
    // Right: the numbers, the date, the shopping list and the picture.
    QComboBox* m_schwierigkeit = nullptr; // ComboBox1
    QComboBox* m_portionsart = nullptr;   // ComboBox3
    RxSpinEdit* m_anzahl = nullptr;       // RxSpinEdit1
    CurrencyEdit* m_kosten = nullptr;     // CurrencyEdit1
    RxSpinEdit* m_zeit = nullptr;         // RxSpinEdit2
    RxSpinEdit* m_kochzeit = nullptr;     // RxSpinEdit3
    QLineEdit* m_kalorien = nullptr;      // Edit4
    DateEdit* m_datum = nullptr;          // DateEdit1
    QPushButton* m_einkauf = nullptr;     // Button9
    QGroupBox* m_bildGruppe = nullptr;    // GroupBox6
    QLabel* m_bild = nullptr;             // Image1
    QPushButton* m_bildDazu = nullptr;    // Button5
    QPushButton* m_bildWeg = nullptr;     // Button6
    QToolButton* m_bildGross = nullptr;   // SpeedButton1
    // Bottom row.
    QWidget* m_inhalt = nullptr;
    QPushButton* m_speichern = nullptr; // Button1
    QPushButton* m_loeschen = nullptr;  // Button2
    QPushButton* m_beenden = nullptr;   // Button3
    QPushButton* m_mail = nullptr;      // BitBtn1
    QPushButton* m_drucken = nullptr;   // Button8

    int m_satz = 0;         // the position the fields were read from
    dateien m_gelesen;      // that record as read, the base of a save and the check before writing
    bool m_gueltig = false; // m_gelesen holds a record
    bool m_geaendert = false;
    bool m_fuellen = false; // the window itself is filling the fields
    pfl::Rezeptbild m_bildDaten;
    QString m_bildname; // the record's picture name as it will be saved
    QString m_bildOrdnerWahl;
    QStringList m_gezeigteRubriken, m_gezeigteNamen, m_gezeigteKategorien;
};
