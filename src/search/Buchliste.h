// SPDX-License-Identifier: GPL-3.0-or-later
// Tform21: the listing of the active book, whole or as a search result, with the ingredients,
// preparation and picture of the chosen recipe, leading from a row to the editor.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "data/Rezeptstelle.h"
#include "data/Suche.h"
#include "grid/FilterGrid.h"

#include <QList>
#include <QStringList>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class Tform21 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    Tform21(pfl::Umgebung& umgebung, QWidget* parent);

    // Help topics by how the listing was opened (Unit4::auswahl): "Rezepte bearbeiten", printing or
    // a search; opened otherwise, the help's contents.
    static constexpr int kHilfeAlle = 350;
    static constexpr int kHilfeSuche = 400;
    static constexpr int kHilfeInhalt = 100;

public Q_SLOTS:
    // Every recipe of the active book.
    void daten_ansehen();
    // Every recipe of the active book with exactly this name.
    void daten_suchen(const QString& name);
    // The recipes matching a criterion of the search window, under its caption.
    void suchen(const pfl::Suchbegriff& begriff, const QString& titel);

Q_SIGNALS:
    // "Bearbeiten >>": the editor should open on this 1-based position of the active book.
    void bearbeitenVerlangt(int satznum);
    // The picture button: the picture window should show this picture of the picture folder.
    void bildVergroessernVerlangt(const QString& bildname);
    // "Exportieren …": the recipes of the listing, in the order the table shows them, and a name for
    // the file.
    void exportierenVerlangt(const pfl::Rezeptstellen& stellen, const QString& name);

protected:
    // A listing with the book of each row in column 1 (the search across books).
    Tform21(pfl::Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
            int hilfeFest, bool mitBuch);

    void faerben() override;
    int hilfethema() const override;
    void keyPressEvent(QKeyEvent* e) override;

    // Fills the table (buecher holds the books the rows' book numbers name, when the listing has the
    // book column) and shows the window, or says that nothing was found. A search result has its own
    // column looks. The table keeps the compact rows and formats a cell when it is shown.
    void fuellen(pfl::Listenzeilen zeilen, const QStringList& buecher, const QString& titel, bool suche);
    // The details of the first row once the table is filled; the active book's record by default.
    virtual void ersteDetails(int position, const QString& buch);
    void detailsZeigen(const dateien& d);
    void detailsLeeren();

    QPushButton* m_bearbeiten = nullptr; // Button1

private Q_SLOTS:
    void FilterGrid1Click();
    void FilterGrid1DblClick();
    void Button1Click();
    void Button3Click();
    void SpeedButton1Click();
    void exportierenClick();

private:
    // The active book becomes the row's book (listing with the book column).
    void buchDerZeile(int r);
    void spaltenMerkmale();
    // The details of record satznum; an unreadable record changes nothing.
    void datei_einlesen();
    // The table font chosen by screen size and density from the colour scheme's presets.
    void tabellenSchrift();
    void FilterGrid1RowColorProc(int aRow, QPainter& can, TGridDrawState state);

    TFilterGrid* m_tabelle = nullptr;        // FilterGrid1
    QPlainTextEdit* m_zutaten = nullptr;     // Memo1
    QPlainTextEdit* m_zubereitung = nullptr; // Memo2
    QGroupBox* m_bildGruppe = nullptr;       // GroupBox3
    QLabel* m_bild = nullptr;                // Image1
    QPushButton* m_beenden = nullptr;        // Button2
    QPushButton* m_hilfe = nullptr;          // Button3
    QToolButton* m_bildGross = nullptr;      // SpeedButton1
    QPushButton* m_exportieren = nullptr;    // the listing's recipes to a file
    QString m_bildname;                      // the picture shown, empty when none
    bool m_suche = false;                    // filled by a search, not the whole book
    int m_hilfeFest = 0;                     // the help topic whatever auswahl says; 0: by auswahl
    int m_auswahl = 0;                       // Unit4::auswahl when the listing was filled
    int m_buch = 0;                          // 1 with the book column, which moves the others right
};
