// TForm1: the main window with the section list, the recipe overview, the menu and the toolbar.
#pragma once

#include "grid/FilterGrid.h"

#include <QImage>
#include <QMainWindow>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
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

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls, named as the windows and tests know them.
    THintergrund* Flaeche = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // Erfassen
    QToolButton* SpeedButton5 = nullptr; // Bearbeiten
    QToolButton* SpeedButton8 = nullptr; // Wechseln
    QToolButton* SpeedButton7 = nullptr; // E-Mail
    QToolButton* SpeedButton6 = nullptr; // Suchen
    QToolButton* SpeedButton9 = nullptr; // Drucken
    QToolButton* SpeedButton4 = nullptr; // Backup
    QToolButton* SpeedButton3 = nullptr; // Farben
    QToolButton* SpeedButton2 = nullptr; // Beenden
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QImage Image1; // the background picture, tiled by FormPaint
    QFrame* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    TFilterGrid* FilterGrid1 = nullptr;
    QFrame* Panel5 = nullptr;
    QLabel* Panel6 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    // Menu items by their component names.
    QAction* Rezeptbuchanlegen1 = nullptr;
    QAction* Rezeptbuchwechseln1 = nullptr;
    QAction* Rezeptbuchlschne1 = nullptr;
    QAction* Rezepteerfassen1 = nullptr;
    QAction* Rezeptebearbeiten1 = nullptr;
    QAction* Einkaufslistebearbeiten1 = nullptr;
    QAction* Kategorieenerfassenndern1 = nullptr;
    QAction* Rubrikenerfassenndern1 = nullptr;
    QAction* Suchen1 = nullptr;
    QAction* Rezeptdrucken1 = nullptr;
    QAction* Einkaufsliste1 = nullptr;
    QAction* Druckoptionen1 = nullptr;
    QAction* Einstellungen1 = nullptr;
    QAction* Datenbildschirmeinaus1 = nullptr;
    QAction* Bildgrssendern1 = nullptr;
    QAction* Datensicherung1 = nullptr;
    QAction* Datenwiederherstellung1 = nullptr;
    QAction* Farbenndern1 = nullptr;
    QAction* Info2 = nullptr;
    QAction* AufUpdatesberprfen2 = nullptr;
    QAction* WeitereProgrammedesAutors1 = nullptr;
    QAction* Websitebesuchen1 = nullptr;
    QAction* SobeginnenSie1 = nullptr;
    QAction* Inhalt1 = nullptr;
    QAction* WeitereProgramme1 = nullptr;
    QAction* Info1 = nullptr;
    QAction* AufUpdatesberprfen1 = nullptr;

    // Creation handler: placement by screen size, help-file check.
    void FormCreate();
    // Refresh of the whole window from the shared state; every window calls it when it closes.
    void Copy1();
    // Rebuilds the overview from the active book and the selected section.
    void Rezepte_anzeigen();
    // Fills the two section lists from the data module's lists.
    void rubrikenUebernehmen();
    // Hides the data screen and the title labels before a secondary window opens.
    void datenbildschirmVerbergen();
    // The data screen's size and visibility from the options.
    void datenbildschirmAnwenden();
    // Size from the options, centred on the screen.
    void datenbildschirmZentrieren();

    void ListBox1Click();
    void FilterGrid1Click();
    void FilterGrid1DblClick();
    void FormPaint(QPainter& p);
    void FilterGrid1RowColorProc(TFilterGrid& grid, int& ausr, QPainter& can, int aCol, int aRow,
                                 TGridDrawState state);
    // Per-column features of a table: alignments, colours, fonts; and type and data alignment.
    static void NewColFeatures(TFilterGrid& grid, int spalte, int titAlign, int datAlign, quint32 datFarbe,
                               quint32 datSchriftfarbe, quint32 titFarbe, quint32 titSchriftfarbe,
                               int datGroesse, int titGroesse, const QString& datSchrift,
                               const QString& titSchrift);
    static void NewColFeatures1(TFilterGrid& grid, int spalte, QChar typ, int datAlign);
    // The table row height; a stored height of 0 (no settings yet) would hide every row.
    static constexpr int kZeilenhoehe = 22;
    int zeilenhoehe() const;
    void SpeedButton2Click();
    void Rezeptbuchanlegen1Click();
    void Rezeptbuchwechseln1Click();
    void Rezeptbuchlschne1Click();
    void Datenbildschirmeinaus1Click(bool jetztAn);
    void Bildgrssendern1Click();
    void SobeginnenSie1Click();
    void Inhalt1Click();

    // Opens the help file at a topic.
    static void hilfe(int thema);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    // Closing the main window ends the program, also while secondary windows are open.
    void closeEvent(QCloseEvent* e) override;

private:
    QToolButton* knopf(const QString& name, const QString& text, const QString& bild);
    void menueBauen();
    Unit4& u;
    QString m_bildDatei; // the file Image1 was loaded from
};
