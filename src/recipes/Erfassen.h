// TForm2: the entry window, where a new recipe is typed in and appended to the active book.
#pragma once

#include "windowbase/Nebenfenster.h"
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
class QTimer;
class QToolButton;
class QWidget;
class RxCalcEdit;
class RxSpinEdit;

class TForm2 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm2(pfl::Umgebung& umgebung, QWidget* parent);
    ~TForm2() override;

    // Typing in the category field refreshes the lists once the typing pauses this long.
    static constexpr int kKategoriePause = 150;
    // The category change at once (a pending one is dropped): section list, recipe list, caption.
    void kategorieAktualisieren();

Q_SIGNALS:
    // "Bild vergrößern": the picture window is to show the picture folder's file of this name.
    void bildVergroessernVerlangt(const QString& bildname);
    // "Bild vergrößern" for a picture attached but not saved yet: it is not in the folder.
    void bildAnsichtVerlangt(const QString& bildname, const QImage& bild);
    // The category the lists follow changed, also when the window opens: a section made in the
    // section list takes it while this window is the one that list serves.
    void kategorieGewaehlt(const QString& kategorie);
    // "Neue Rubriken hinzufügen/ändern" and "Neue Kategorien hinzufügen/ändern".
    void rubrikenListeVerlangt();
    void kategorienListeVerlangt();

protected:
    void vorbereiten() override;
    void faerben() override;
    void showEvent(QShowEvent* e) override;

private Q_SLOTS:
    void ComboBox2Change();
    void ListBox1Click();
    void ListBox2Click();
    void RxSpinEdit1TopClick();
    void RxSpinEdit1BottomClick();
    void RxSpinEdit2Change();
    void Button1Click();
    void Button2Click();
    void Button5Click();
    void Button6Click();
    void Button8Click();
    void SpeedButton1Click();
    void listenUebernehmen();
    void zeichenPruefen();

private:
    void aufbauen();
    // The window fills the work area; the bottom buttons sit around its centre.
    void anordnen();
    void portionenZeigen();
    void bildZeigen(const pfl::Rezeptbild& bild);
    void bildEntfernen();
    // Fills the record being entered from the controls; false (with a message) when a field
    // cannot be stored.
    bool element1Fuellen();

    // Left: category, sections, recipes of the category.
    QComboBox* m_kategorie = nullptr;       // ComboBox2
    QPushButton* m_neueKategorie = nullptr; // Button7
    QLineEdit* m_rubrik = nullptr;          // Edit1
    QListWidget* m_rubriken = nullptr;      // ListBox1
    QPushButton* m_neueRubrik = nullptr;    // Button4
    QGroupBox* m_rezepteGruppe = nullptr;   // GroupBox2
    QListWidget* m_rezepte = nullptr;       // ListBox2
    // Middle: name and the three texts.
    QLineEdit* m_name = nullptr;             // Edit2
    QLabel* m_zeichenHinweis = nullptr;      // characters the book cannot hold
    QPlainTextEdit* m_utensilien = nullptr;  // Memo3
    QPlainTextEdit* m_zutaten = nullptr;     // Memo1
    QLabel* m_status = nullptr;              // Panel7
    QPlainTextEdit* m_zubereitung = nullptr; // Memo2
    // Right: the numbers, the date, the calculator and the picture.
    QComboBox* m_schwierigkeit = nullptr; // ComboBox1
    QComboBox* m_portionsart = nullptr;   // ComboBox3
    RxSpinEdit* m_anzahl = nullptr;       // RxSpinEdit1
    CurrencyEdit* m_kosten = nullptr;     // CurrencyEdit1
    RxSpinEdit* m_zeit = nullptr;         // RxSpinEdit2
    RxSpinEdit* m_kochzeit = nullptr;     // RxSpinEdit3
    QLineEdit* m_kalorien = nullptr;      // Edit4
    DateEdit* m_datum = nullptr;          // DateEdit1
    RxCalcEdit* m_rechner = nullptr;      // RxCalcEdit1
    QPushButton* m_internet = nullptr;    // Button8
    QLabel* m_bild = nullptr;             // Image1
    QPushButton* m_bildDazu = nullptr;    // Button5
    QPushButton* m_bildWeg = nullptr;     // Button6
    QToolButton* m_bildGross = nullptr;   // SpeedButton1
    // Bottom row.
    QWidget* m_inhalt = nullptr;
    QPushButton* m_speichern = nullptr; // Button1
    QPushButton* m_leeren = nullptr;    // Button2
    QPushButton* m_beenden = nullptr;   // Button3
    QPushButton* m_hilfe = nullptr;     // Button9

    QTimer* m_kategorieTakt = nullptr;
    QString m_gericht;           // the recipe name last chosen in the recipe list
    pfl::Rezeptbild m_bildDaten; // the picture shown, as its file held it
    QString m_bildOrdnerWahl;    // where the picture chooser starts
    // The data module's lists last shown, so that an unchanged list is not filled again.
    QStringList m_gezeigteRubriken, m_gezeigteNamen, m_gezeigteKategorien;
};
