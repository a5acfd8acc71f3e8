// SPDX-License-Identifier: GPL-3.0-or-later
// TFilterGrid as a string grid: cells, rows, columns, row heights, current cell, options, colours.
#include "grid/FilterGrid.h"

#include "platform/Farbwert.h"
#include "grid/GridIntern.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

using pfl::alsFarbe;

TFilterGrid::TFilterGrid(QWidget* parent) : QTableView(parent) {
    m_model = new TGridModel(this);
    m_model->zeilen.assign(5, QStringList(5, QString()));
    m_colWidths.assign(5, m_defaultColWidth);
    m_header = new TGridHeader(this);
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(new TGridDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur, const QModelIndex&) {
                Q_EMIT currentCellChanged(Col(), Row());
                if (cur.isValid() && !m_stumm) Q_EMIT Click();
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { Q_EMIT DblClick(); });
    wendeOptionenAn();
    for (int c = 0; c < 5; ++c)
        m_header->resizeSection(c, m_defaultColWidth);
    sicherAktuell();
}

TFilterGrid::~TFilterGrid() = default;

// --- string grid -----------------------------------------------------------------------------

int TFilterGrid::ColCount() const {
    return m_model->spalten;
}

void TFilterGrid::setColCount(int n) {
    n = std::max(n, 1);
    const int alt = m_model->spalten;
    if (n == alt) return;
    if (n > alt)
        m_model->beginInsertColumns({}, alt, n - 1);
    else
        m_model->beginRemoveColumns({}, n, alt - 1);
    m_model->spalten = n;
    for (QStringList& z : m_model->zeilen)
        z.resize(n);
    // Cells written into source rows beyond the new width are gone, as in held rows.
    if (n < alt) m_model->geschrieben.removeIf([n](const auto& e) { return int(e.key() & 0xFFFF) >= n; });
    m_colWidths.resize(size_t(n), m_defaultColWidth);
    if (n > alt)
        m_model->endInsertColumns();
    else
        m_model->endRemoveColumns();
    for (int c = alt; c < n; ++c)
        m_header->resizeSection(c, m_defaultColWidth);
    if (m_fixedCols >= n) m_fixedCols = n - 1;
}

int TFilterGrid::RowCount() const {
    return m_model->zeilenZahl();
}

void TFilterGrid::setRowCount(int n) {
    n = std::max(n, std::max(m_fixedRows, 1));
    const int alt = RowCount();
    if (n == alt) return;
    m_model->festhalten();
    const int v = versatz();
    if (n > alt) {
        m_model->beginInsertRows({}, alt - v, n - v - 1);
        m_model->zeilen.resize(size_t(n), QStringList(m_model->spalten, QString()));
        m_model->endInsertRows();
    } else {
        m_model->beginRemoveRows({}, n - v, alt - v - 1);
        m_model->zeilen.resize(size_t(n));
        m_model->endRemoveRows();
    }
    sicherAktuell();
}

void TFilterGrid::setFixedRows(int n) {
    n = std::max(0, n);
    if (n == m_fixedRows) return;
    m_model->festhalten();
    m_model->neuAufbauen([&] {
        m_fixedRows = n;
        if (RowCount() < std::max(n, 1))
            m_model->zeilen.resize(size_t(std::max(n, 1)), QStringList(m_model->spalten, QString()));
    });
    m_header->setVisible(n > 0);
    for (int c = 0; c < ColCount(); ++c)
        setColWidths(c, m_colWidths[size_t(c)]);
    sicherAktuell();
}

void TFilterGrid::setFixedCols(int n) {
    m_fixedCols = std::clamp(n, 0, ColCount() - 1);
    viewport()->update();
}

QString TFilterGrid::Cells(int aCol, int aRow) const {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return QString();
    return m_model->zelle(aRow, aCol);
}

void TFilterGrid::setCells(int aCol, int aRow, const QString& text) {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return;
    if (m_model->zelle(aRow, aCol) == text) return;
    if (size_t(aRow) < m_model->zeilen.size()) {
        m_model->zeilen[size_t(aRow)][aCol] = text;
    } else {
        const int q = m_model->ordnung[size_t(aRow) - m_model->zeilen.size()];
        m_model->geschrieben.insert(TGridModel::schluessel(q, aCol), text);
    }
    m_model->zelleGeaendert(aCol, aRow);
}

QStringList TFilterGrid::Rows(int aRow) const {
    if (aRow < 0 || aRow >= RowCount()) return {};
    QStringList z;
    for (int c = 0; c < ColCount(); ++c)
        z.append(m_model->zelle(aRow, c));
    return z;
}

void TFilterGrid::setRows(int aRow, const QStringList& cells) {
    if (aRow < 0 || aRow >= RowCount()) return;
    QStringList z = cells;
    z.resize(ColCount());
    if (size_t(aRow) < m_model->zeilen.size()) {
        m_model->zeilen[size_t(aRow)] = z;
    } else {
        const int q = m_model->ordnung[size_t(aRow) - m_model->zeilen.size()];
        for (int c = 0; c < ColCount(); ++c)
            m_model->geschrieben.insert(TGridModel::schluessel(q, c), z.at(c));
    }
    if (m_model->updateTiefe == 0)
        for (int c = 0; c < ColCount(); ++c)
            m_model->zelleGeaendert(c, aRow);
}

void TFilterGrid::setZeilenquelle(std::shared_ptr<const TZeilenquelle> quelle) {
    m_model->neuAufbauen([&] {
        TGridModel& m = *m_model;
        m.quelle.reset();
        m.ordnung.clear();
        m.geschrieben.clear();
        m.zeilen.resize(size_t(m_fixedRows), QStringList(m.spalten, QString()));
        const int n = quelle ? quelle->anzahl() : 0;
        if (n > 0) {
            m.quelle = std::move(quelle);
            m.ordnung.resize(size_t(n));
            for (int i = 0; i < n; ++i)
                m.ordnung[size_t(i)] = i;
        } else {
            m.zeilen.emplace_back(m.spalten, QString());
        }
    });
    sicherAktuell();
}

void TFilterGrid::BeginUpdate() {
    ++m_model->updateTiefe;
}

void TFilterGrid::EndUpdate() {
    if (m_model->updateTiefe > 0 && --m_model->updateTiefe == 0) m_model->alleGeaendert();
}

void TFilterGrid::setDefaultRowHeight(int h) {
    m_defaultRowHeight = std::max(h, 1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    for (int r = versatz(); r < RowCount(); ++r)
        verticalHeader()->resizeSection(r - versatz(), m_defaultRowHeight);
    setRowHeights(0, m_defaultRowHeight);
}

int TFilterGrid::RowHeights(int aRow) const {
    if (aRow < 0 || aRow >= RowCount()) return 0;
    if (aRow < versatz()) return m_rowHeight0;
    return verticalHeader()->sectionSize(aRow - versatz());
}

void TFilterGrid::setRowHeights(int aRow, int h) {
    if (aRow < 0 || aRow >= RowCount()) return;
    h = std::max(h, 1);
    if (aRow < versatz()) {
        if (h != m_rowHeight0) {
            m_rowHeight0 = h;
            m_header->updateGeometry();
            updateGeometries();
            m_header->viewport()->update();
        }
    } else {
        verticalHeader()->resizeSection(aRow - versatz(), h);
    }
}

QModelIndex TFilterGrid::indexOf(int aCol, int aRow) const {
    return m_model->index(aRow - versatz(), aCol);
}

int TFilterGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : m_fixedCols;
}

void TFilterGrid::setCol(int aCol) {
    setzeAktuell(aCol, Row(), false);
}

int TFilterGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + versatz() : 0;
}

void TFilterGrid::setRow(int aRow) {
    setzeAktuell(Col(), aRow, false);
}

void TFilterGrid::setzeAktuell(int aCol, int aRow, bool stumm) {
    const bool alt = m_stumm;
    m_stumm = stumm;
    if (aRow < m_fixedRows || aRow >= RowCount()) {
        if (aRow < m_fixedRows) {
            selectionModel()->clearSelection();
            selectionModel()->clearCurrentIndex();
        }
    } else {
        const QModelIndex i = indexOf(std::clamp(aCol, 0, ColCount() - 1), aRow);
        QItemSelectionModel::SelectionFlags f = QItemSelectionModel::ClearAndSelect;
        if (m_options & goRowSelect) f |= QItemSelectionModel::Rows;
        selectionModel()->setCurrentIndex(i, f);
    }
    m_stumm = alt;
}

// The original grid always has a current cell in its first data row.
void TFilterGrid::sicherAktuell() {
    if (!currentIndex().isValid() && RowCount() > m_fixedRows) setzeAktuell(m_fixedCols, m_fixedRows, true);
}

void TFilterGrid::SelectCells(int aCol, int aRow) {
    setzeAktuell(aCol, aRow, false);
}

int TFilterGrid::LeftCol() const {
    const int l = m_header->logicalIndexAt(0);
    return l < 0 ? m_fixedCols : l;
}

void TFilterGrid::setLeftCol(int aCol) {
    if (aCol < 0 || aCol >= ColCount()) return;
    // The scroll value counts the visible sections before the column.
    int wert = 0;
    const int vis = m_header->visualIndex(aCol);
    for (int v = 0; v < vis; ++v)
        if (!m_header->isSectionHidden(m_header->logicalIndex(v))) ++wert;
    horizontalScrollBar()->setValue(wert);
}

int TFilterGrid::TopRow() const {
    const int r = rowAt(0);
    return r < 0 ? m_fixedRows : r + versatz();
}

QRect TFilterGrid::CellRect(int aCol, int aRow) const {
    if (aCol < 0 || aCol >= ColCount() || aRow < 0 || aRow >= RowCount()) return QRect();
    if (aRow < versatz()) {
        if (m_header->isHidden() || m_header->isSectionHidden(aCol)) return QRect();
        const QRect r(m_header->sectionViewportPosition(aCol), 0, m_header->sectionSize(aCol),
                      m_header->height());
        const QRect sichtbar = r.intersected(m_header->viewport()->rect());
        if (sichtbar.isEmpty()) return QRect();
        return r.translated(m_header->viewport()->mapTo(this, QPoint(0, 0)));
    }
    const QRect r = visualRect(indexOf(aCol, aRow));
    if (!r.isValid() || !r.intersects(viewport()->rect())) return QRect();
    return r.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

void TFilterGrid::MouseToCell(int x, int y, int& aCol, int& aRow) const {
    aCol = aRow = -1;
    const QPoint p(x, y);
    if (versatz() && m_header->isVisible()) {
        const QPoint h = m_header->viewport()->mapFrom(this, p);
        if (m_header->viewport()->rect().contains(h)) {
            aCol = m_header->logicalIndexAt(h.x());
            aRow = aCol >= 0 ? 0 : -1;
            return;
        }
    }
    const QPoint v = viewport()->mapFrom(this, p);
    if (!viewport()->rect().contains(v)) return;
    const QModelIndex i = indexAt(v);
    if (i.isValid()) {
        aCol = i.column();
        aRow = i.row() + versatz();
    }
}

void TFilterGrid::setOptions(TGridOptions o) {
    m_options = o;
    wendeOptionenAn();
}

void TFilterGrid::wendeOptionenAn() {
    setSelectionBehavior((m_options & goRowSelect) ? QAbstractItemView::SelectRows
                                                   : QAbstractItemView::SelectItems);
    m_header->setSectionResizeMode((m_options & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    setShowGrid(m_options & (goVertLine | goHorzLine));
    if (currentIndex().isValid()) setzeAktuell(Col(), Row(), true);
    neuZeichnen();
}

// --- colours -----------------------------------------------------------------------------------

void TFilterGrid::neuZeichnen() {
    viewport()->update();
    m_header->viewport()->update();
}

void TFilterGrid::setColor(quint32 c) {
    m_color = c;
    // The area beyond the last row and column shows the grid's colour too.
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, alsFarbe(c));
    p.setColor(QPalette::Window, alsFarbe(c));
    viewport()->setPalette(p);
    neuZeichnen();
}

void TFilterGrid::setFontColor(quint32 c) {
    m_fontColor = c;
    neuZeichnen();
}

void TFilterGrid::setFixedColor(quint32 c) {
    m_fixedColor = c;
    neuZeichnen();
}

void TFilterGrid::setSelectRowColor(quint32 c) {
    m_selectRowColor = c;
    neuZeichnen();
}

void TFilterGrid::setGradientStartColor(quint32 c) {
    m_gradientStart = c;
    neuZeichnen();
}

void TFilterGrid::setGradientEndColor(quint32 c) {
    m_gradientEnd = c;
    neuZeichnen();
}

void TFilterGrid::setDrawingStyle(TGridDrawingStyle s) {
    m_drawingStyle = s;
    neuZeichnen();
}

void TFilterGrid::SetGradientToAllCells(bool v) {
    if (v == m_gradientToAllCells) return;
    m_gradientToAllCells = v;
    neuZeichnen();
}

void TFilterGrid::setDistance(int d) {
    m_distance = std::max(0, d);
    neuZeichnen();
}

QColor TFilterGrid::AddEndColor(const QColor& c) const {
    const QColor s = alsFarbe(m_gradientStart), e = alsFarbe(m_gradientEnd);
    auto kanal = [](int v, int d) { return std::clamp(v + d, 0, 255); };
    return QColor(kanal(c.red(), e.red() - s.red()), kanal(c.green(), e.green() - s.green()),
                  kanal(c.blue(), e.blue() - s.blue()));
}

// --- mouse ---------------------------------------------------------------------------------------

void TFilterGrid::mousePressEvent(QMouseEvent* e) {
    const QPersistentModelIndex vorher = currentIndex();
    QTableView::mousePressEvent(e);
    // A press on the cell that is already current selects it again: the click notification runs.
    if (vorher.isValid() && currentIndex() == vorher && indexAt(e->position().toPoint()) == vorher)
        Q_EMIT Click();
    const QPoint g = viewport()->mapTo(this, e->position().toPoint());
    MouseDown(e->button(), e->modifiers(), g.x(), g.y());
}

void TFilterGrid::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint g = viewport()->mapTo(this, e->position().toPoint());
    MouseUp(e->button(), e->modifiers(), g.x(), g.y());
    QTableView::mouseReleaseEvent(e);
}

void TFilterGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (!indexAt(e->position().toPoint()).isValid()) Q_EMIT DblClick();
}
