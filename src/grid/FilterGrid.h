// SPDX-License-Identifier: GPL-3.0-or-later
// The table of every window: a grid of text cells with a heading row, header-click sorting,
// per-column features and its own cell painting. Built on QTableView, so Qt's table
// accessibility sees the cells and the headings.
#pragma once

#include "grid/Tools.h"

#include <QList>
#include <QPainter>
#include <QTableView>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TFilterGrid;
class TGridModel;
class TGridHeader;

enum TGridOption : int {
    goFixedVertLine = 0x1,
    goFixedHorzLine = 0x2,
    goVertLine = 0x4,
    goHorzLine = 0x8,
    goRangeSelect = 0x10,
    goDrawFocusSelected = 0x20,
    goRowSizing = 0x40,
    goColSizing = 0x80,
    goEditing = 0x400,
    goTabs = 0x800,
    goRowSelect = 0x1000,
    goThumbTracking = 0x4000,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

enum TGridDrawStateFlag : int {
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
    gdRowSelected = 0x8,
    gdHotTrack = 0x10,
    gdPressed = 0x20,
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum class TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };

enum TSortDirection { sdAbsteigend = 0, sdAufsteigend = 1 };
enum TSortIconSize { siSize_S = 0, siSize_M = 1, siSize_L = 2 };
enum TSortIconStyle { siStyle_Line = 0, siStyle_Fill = 1 };

// Text flags of cells (the values of the platform's text-drawing call).
namespace TextFlag {
inline constexpr int Links = 36, Mitte = 37, Rechts = 38; // single line, vertically centred
inline constexpr int WordBreak = 0x10, SingleLine = 0x20;
} // namespace TextFlag

struct TSortDat {
    int Col = 0;
    QChar Typ = QLatin1Char(' ');
    TSortDirection Dir = sdAufsteigend;
};

class TSortIcon {
public:
    bool Show = true;
    TSortIconSize Size = siSize_M;
    TSortIconStyle Style = siStyle_Line;
    // Size+1 spaces that reserve room for the triangle in a heading.
    QString SizeStr() const { return QString(int(Size) + 1, QLatin1Char(' ')); }
    void PaintIcon(const TFilterGrid& grd, QPainter& p, const QRect& rect, const TSortDat& sd) const;
};

// Features of one column. Colours are stored colour values (see platform/Farbwert.h).
struct TColInfo {
    QString Titel;
    int TitAlign = TextFlag::Links;
    std::optional<TFont> TitFont;
    quint32 TitColor = 0xFF00000F;
    int Width = 64;
    QChar Typ = QLatin1Char(' ');
    int Dez = 0;
    int DatAlign = TextFlag::Links;
    std::optional<TFont> DatFont;
    quint32 DatColor = 0xFF000005;

    // The ten fields joined by "«".
    QString Text() const;
    // Sets every non-empty field of the text; empty fields keep their value.
    void SetText(const QString& text);
};

// Rows that a table shows without holding their texts: the owner keeps its rows compactly and
// formats a cell when the table asks for it (to paint, measure, sort or read it).
class TZeilenquelle {
public:
    virtual ~TZeilenquelle() = default;
    virtual int anzahl() const = 0;
    virtual QString zelle(int zeile, int spalte) const = 0;
};

class TFilterGrid : public QTableView {
    Q_OBJECT
public:
    // Hook called for each cell before its text is drawn; may change the painter's font, pen
    // colour (the text colour), brush and the text flags.
    using TRowColorProc = std::function<void(TFilterGrid& grid, int& ausr, QPainter& can, int aCol, int aRow,
                                             TGridDrawState state)>;
    // Called before and after a header sort with the column list; emptying it cancels the sort.
    using TSortProc = std::function<void(TFilterGrid& grid, QString& colNrStr)>;

    explicit TFilterGrid(QWidget* parent = nullptr);
    ~TFilterGrid() override;

    // --- string grid ---
    int ColCount() const;
    void setColCount(int n);
    int RowCount() const;
    void setRowCount(int n);
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int n);
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int n);
    QString Cells(int aCol, int aRow) const;
    void setCells(int aCol, int aRow, const QString& text);
    QStringList Rows(int aRow) const;
    void setRows(int aRow, const QStringList& cells);
    // The data rows below the fixed rows become the rows of quelle (one empty row when it has none):
    // the grid holds an order and the cells written since, not the texts. Changing the row count or
    // the fixed rows turns the rows into held texts first.
    void setZeilenquelle(std::shared_ptr<const TZeilenquelle> quelle);
    // Many cell changes without a signal each; EndUpdate tells the view once.
    void BeginUpdate();
    void EndUpdate();

    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int w);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int h);
    int ColWidths(int aCol) const;
    void setColWidths(int aCol, int w); // negative hides the column
    int RowHeights(int aRow) const;
    void setRowHeights(int aRow, int h);

    int Col() const;
    void setCol(int aCol);
    int Row() const; // 0 (a heading row) when no data row is current
    void setRow(int aRow);
    int LeftCol() const;
    void setLeftCol(int aCol);
    int TopRow() const;
    // In grid coordinates; empty for a cell that is not visible.
    QRect CellRect(int aCol, int aRow) const;
    // -1, -1 when the point is on no cell.
    void MouseToCell(int x, int y, int& aCol, int& aRow) const;
    TGridOptions Options() const { return m_options; }
    void setOptions(TGridOptions o);
    void SelectCells(int aCol, int aRow);

    // --- colours (stored colour values) ---
    quint32 Color() const { return m_color; }
    void setColor(quint32 c);
    quint32 FontColor() const { return m_fontColor; }
    void setFontColor(quint32 c);
    quint32 FixedColor() const { return m_fixedColor; }
    void setFixedColor(quint32 c);
    quint32 SelectRowColor() const { return m_selectRowColor; }
    void setSelectRowColor(quint32 c);
    quint32 GradientStartColor() const { return m_gradientStart; }
    void setGradientStartColor(quint32 c);
    quint32 GradientEndColor() const { return m_gradientEnd; }
    void setGradientEndColor(quint32 c);
    TGridDrawingStyle DrawingStyle() const { return m_drawingStyle; }
    void setDrawingStyle(TGridDrawingStyle s);
    bool GradientToAllCells() const { return m_gradientToAllCells; }
    void SetGradientToAllCells(bool v);
    int Distance() const { return m_distance; }
    void setDistance(int d);
    // Each RGB channel plus (end - start) of the gradient colours, limited to 0..255.
    QColor AddEndColor(const QColor& c) const;

    TRowColorProc RowColorProc;
    TSortProc OnSort, OnSortEnd;

    // --- sorting ---
    TSortIcon& ShowSortIcon() { return m_sortIcon; }
    const TSortIcon& ShowSortIcon() const { return m_sortIcon; }
    bool SortMouseEd() const { return m_sortMEd; }
    void setSortMouseEd(bool v) { m_sortMEd = v; }
    bool SortierenEd() const { return m_sortEd; }
    void setSortierenEd(bool v);
    bool SortNewFocus() const { return m_sortNewFocus; }
    void setSortNewFocus(bool v) { m_sortNewFocus = v; }
    TSortDirection SortDirection() const { return m_sortDirection; }
    void setSortDirection(TSortDirection d) { m_sortDirection = d; }
    QString SortierCols() const { return m_sortCols; }
    void setSortierCols(const QString& s);
    int MousSortCol() const { return m_mousSortCol; }
    bool ChangeMode() const { return m_changeMode; }
    bool NoInherited() const { return m_noInherited; }
    void setNoInherited(bool v) { m_noInherited = v; }
    const QList<TSortDat>& SortFdLst() const { return m_sortFdLst; }
    const TSortDat* GetSortDat(int aCol) const;
    bool DeleteSortDat(int aCol);
    void FSortFdLst_Clear() { m_sortFdLst.clear(); }
    void ColsNrToSortFdLst(const QString& colsNr, bool sortAufw, QList<TSortDat>& fdLst) const;
    // colNrStr: column indexes each followed by ";". wmWait (progress messages) is not used.
    void Sortiere(const QString& colNrStr, bool toRow, bool sortAufw, int wmWait = 0);
    void SortiereIndex();
    // The key of one cell for one sort field.
    QString FormSortStr(const TSortDat& f, int aRow) const;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseDownSort(int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    int ClickRow() const { return m_clickRow; }

    bool IsWordBreakInColInfo(int aCol) const;
    bool ColClearEt(int aCol);
    bool ColInsertEt(int aCol);
    static QString ClearEtFromText(const QString& s);
    static QString RestoreEtToText(const QString& s);

    // --- column features ---
    TColInfo* ColInfo(int aCol) const;
    TColInfo& ColInfoC(int aCol);
    TColInfo& ColInfo_Create(int aCol);
    void ColInfo_Set(int aCol);
    void ColInfosToCells(int aCol);
    int ColSetMaxWidths(bool readColInfo, bool changeFixCol, bool stretch);
    QString ColFeatures() const;
    void setColFeatures(const QString& text);
    QString FixedColsText() const;
    void setFixedColsText(const QString& text);

    // Paints one cell; rect in the painter's coordinates.
    void DrawCell(int aCol, int aRow, const QRect& rect, TGridDrawState state, QPainter& p);

Q_SIGNALS:
    void Click();
    void DblClick();
    void Change();
    void currentCellChanged(int aCol, int aRow);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    friend class TGridModel;
    friend class TGridHeader;
    friend class TGridDelegate;

    int versatz() const { return m_fixedRows > 0 ? 1 : 0; }
    QModelIndex indexOf(int aCol, int aRow) const;
    void setzeAktuell(int aCol, int aRow, bool stumm);
    void sicherAktuell();
    void spaeterGroesse(bool zeile, int nr, int wert);
    void wendeOptionenAn();
    // Repaints the cells and the heading row.
    void neuZeichnen();
    TGridDrawState zustand(const QModelIndex& idx, bool selected) const;
    std::vector<int> sortierOrdnung(const QList<TSortDat>& felder) const;

    TGridModel* m_model = nullptr;
    TGridHeader* m_header = nullptr;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_rowHeight0 = 24;
    std::vector<int> m_colWidths;
    TGridOptions m_options =
        TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    quint32 m_color = 0xFF000005;
    quint32 m_fontColor = 0xFF000008;
    quint32 m_fixedColor = 0xFF00000F;
    quint32 m_selectRowColor = 0xFF00000D;
    quint32 m_gradientStart = 0x00FFFFFF;
    quint32 m_gradientEnd = 0xFF00000F;
    TGridDrawingStyle m_drawingStyle = TGridDrawingStyle::gdsClassic;
    bool m_gradientToAllCells = false;
    int m_distance = 1;

    TSortIcon m_sortIcon;
    bool m_sortMEd = false;
    bool m_sortEd = false;
    bool m_sortNewFocus = true;
    TSortDirection m_sortDirection = sdAufsteigend;
    QString m_sortCols;
    int m_mousSortCol = -1;
    QList<TSortDat> m_sortFdLst;
    bool m_changeMode = true;
    bool m_noInherited = false;
    int m_clickRow = 0;
    int m_leftCol = 0;
    bool m_stumm = false;

    std::vector<std::unique_ptr<TColInfo>> m_colInfos;
    QHash<int, int> m_spaeterZeilen, m_spaeterSpalten;
    bool m_spaeterGeplant = false;
};

// Sets up column spalte of a table in one call, creating its features when missing: alignments,
// backgrounds, and the fonts with their colours. An empty font name means Arial; a size of 0 or
// less keeps the font's default size.
void NewColFeatures(TFilterGrid& grid, int spalte, int titAlign, int datAlign, quint32 datFarbe,
                    quint32 datSchriftfarbe, quint32 titFarbe, quint32 titSchriftfarbe, int datGroesse,
                    int titGroesse, const QString& datSchrift, const QString& titSchrift);
// Sets the sort type and the data cells' text flags of column spalte, creating its features when missing.
void NewColFeatures1(TFilterGrid& grid, int spalte, QChar typ, int datAlign);
