// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1: the main window with the section list, the recipe overview, the menu and the toolbar.
#pragma once

#include "windowbase/Umgebung.h"
#include "grid/FilterGrid.h"

#include <QImage>
#include <QMainWindow>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QMimeData;
class QToolButton;
class Unit4;

// The window's client area: paints the background and holds the panels at fixed places.
class THintergrund : public QWidget {
    Q_OBJECT
public:
    explicit THintergrund(QWidget* parent);
    std::function<void(QPainter&)> malen;

protected:
    void paintEvent(QPaintEvent* e) override;
};

class Statustext;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(pfl::Umgebung& umgebung, QWidget* parent = nullptr);
    ~TForm1() override;

    // Creation handler: placement by screen size, help-file check.
    void FormCreate();
    // Fills the two section lists from the data module's lists.
    void rubrikenUebernehmen();

    // The table row height; a stored height of 10 or less (0 with no settings yet) is not applied.
    static constexpr int kZeilenhoehe = 22;
    // The design size of the data screen.
    static constexpr int kDatenbildschirmBreite = 779;
    static constexpr int kDatenbildschirmHoehe = 421;

public Q_SLOTS:
    // Refresh of the whole window from the shared state; every window's closing leads here.
    void Copy1();
    // Rebuilds the overview from the active book and the selected section.
    void Rezepte_anzeigen();
    // The data screen takes a new size; it keeps its place (it grows to the right and down).
    void datenbildschirmGroesse(int breite, int hoehe);
    // Size from the options, centred on the screen.
    void datenbildschirmZentrieren();
    // The command "Kategorieen erfassen/ändern"; the entry window's category button runs it too.
    void kategorienBearbeiten() { Kategorieenerfassenndern1Click(); }
    // The command "Rezepte bearbeiten"; the editor runs it after a deletion.
    void rezepteBearbeiten() { Rezeptebearbeiten1Click(); }
    // A second start on the same data folder: the window comes to the front.
    void nachVorn();
    // Enables every menu command and toolbar button whose request signal the owner connected.
    void befehleFreigeben();
    // Once the window shows: the keyboard focus on a visible control.
    void startfokusSetzen();

Q_SIGNALS:
    // Menu and toolbar commands that open another window; the owner connects them.
    void buchAnlegenVerlangt();
    void buchWechselnVerlangt();
    void buchLoeschenVerlangt();
    void datenbildschirmGroesseVerlangt();
    void erfassenVerlangt();
    void rubrikenBearbeitenVerlangt();
    void kategorienBearbeitenVerlangt();
    // The book listing: the whole active book, or the recipes of one name.
    void listeVerlangt();
    void listeNachNameVerlangt(const QString& name);
    // Commands of windows that the owner may or may not provide: a command stays disabled
    // until the owner connects its signal (see befehleFreigeben).
    void einkaufslisteVerlangt();
    void suchenVerlangt();
    void druckoptionenVerlangt();
    void einstellungenVerlangt();
    void datensicherungVerlangt();
    void wiederherstellungVerlangt();
    void farbenVerlangt();
    void infoVerlangt();
    void updateVerlangt();
    void weitereProgrammeVerlangt();
    void websiteVerlangt();
    // "Beenden": the version is stamped and the window is about to close (the automatic backup).
    void beendenBeginnt();
    // "Datei › Rezepte importieren…" and "Rezepte exportieren…" (the whole active book).
    void importierenVerlangt();
    void exportierenVerlangt();
    // Files or web addresses were dropped on the window: they are to be imported.
    void quellenAbgelegt(const QStringList& quellen);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    // Closing the main window ends the program, also while secondary windows are open.
    void closeEvent(QCloseEvent* e) override;

private Q_SLOTS:
    void ListBox1Click();
    void FilterGrid1Click();
    void FilterGrid1DblClick();
    void SpeedButton2Click();
    void Rezeptbuchanlegen1Click();
    void Rezeptbuchwechseln1Click();
    void Rezeptbuchlschne1Click();
    void Datenbildschirmeinaus1Click(bool jetztAn);
    void Bildgrssendern1Click();
    void Rezepteerfassen1Click();
    void Rubrikenerfassenndern1Click();
    void Kategorieenerfassenndern1Click();
    void Rezeptebearbeiten1Click();
    void Rezeptdrucken1Click();

private:
    static const std::vector<std::pair<void (TForm1::*)(), std::vector<const char*>>>& befehlsSignale();
    void befehlAusfuehren(void (TForm1::*signal)());
    QToolButton* knopf(const QString& name, const QString& text, const QString& bild);
    void menueBauen();
    // Hides the data screen and the title labels before a secondary window opens.
    void datenbildschirmVerbergen();
    // The data screen's size and visibility from the options.
    void datenbildschirmAnwenden();
    void FormPaint(QPainter& p);
    void FilterGrid1RowColorProc(TFilterGrid& grid, int& ausr, QPainter& can, int aCol, int aRow,
                                 TGridDrawState state);
    int zeilenhoehe() const;
    void hilfe(int thema);
    // What a drop carries that an import can read: local files and web addresses.
    static QStringList abgelegteQuellen(const QMimeData* daten);
    // The background picture could not be read: say so once, then paint the plain colour.
    void bildFehlerMelden(const QString& datei);

    Unit4& u;
    pfl::Farbschema& m_farben;
    Platform& m_plattform;

    // Controls; their object names are the description's component names.
    THintergrund* m_flaeche = nullptr;
    QFrame* m_werkzeugleiste = nullptr;     // Panel1
    QLabel* m_titel1 = nullptr;             // Label1 "Pfanno-"
    QLabel* m_titel2 = nullptr;             // Label2 "Lux"
    QImage m_bild;                          // Image1, the background picture tiled by FormPaint
    QString m_bildDatei;                    // the file m_bild was loaded from
    QString m_bildFehler;                   // the picture whose read failure was reported
    QFrame* m_datenbildschirm = nullptr;    // Panel2
    QLabel* m_uebersichtTitel = nullptr;    // Panel3
    TFilterGrid* m_uebersicht = nullptr;    // FilterGrid1
    QLabel* m_rubrikenTitel = nullptr;      // Panel6
    QListWidget* m_rubriken = nullptr;      // ListBox1
    QLabel* m_statusBuch = nullptr;         // StatusPanel0
    Statustext* m_statusHinweis = nullptr;  // StatusPanel1
    QAction* m_datenbildschirmAn = nullptr; // Datenbildschirmeinaus1
};
