// SPDX-License-Identifier: GPL-3.0-or-later
// TForm2: the entry window, where a new recipe is typed in and appended to the active book.
#pragma once

#include "pages/Rezeptbild.h"
#include "recipes/Rezeptfenster.h"

#include <QStringList>

class QLabel;
class QPushButton;
class QTimer;
class RxCalcEdit;

class TForm2 : public pfl::Rezeptfenster {
    Q_OBJECT
public:
    TForm2(pfl::Umgebung& umgebung, QWidget* parent);

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
    void portionenZeigen();
    void bildZeigen(const pfl::Rezeptbild& bild);
    void bildEntfernen();
    // Fills the record being entered from the controls; false (with a message) when a field
    // cannot be stored.
    bool element1Fuellen();

    // The window's own controls in the form.
    QPushButton* m_neueKategorie = nullptr; // Button7
    QPushButton* m_neueRubrik = nullptr;    // Button4
    QLabel* m_zeichenHinweis = nullptr;     // characters the book cannot hold
    QLabel* m_status = nullptr;             // Panel7
    RxCalcEdit* m_rechner = nullptr;        // RxCalcEdit1
    QPushButton* m_internet = nullptr;      // Button8
    // Bottom row.
    QPushButton* m_speichern = nullptr; // Button1
    QPushButton* m_leeren = nullptr;    // Button2
    QPushButton* m_beenden = nullptr;   // Button3
    QPushButton* m_hilfe = nullptr;     // Button9

    QTimer* m_kategorieTakt = nullptr;
    QString m_gericht; // the recipe name last chosen in the recipe list
    // The recipe names last shown, so that an unchanged list is not filled again.
    QStringList m_gezeigteNamen;
};
