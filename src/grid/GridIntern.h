// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces shared by the TFilterGrid source files (cell store, heading row, painter); not for callers.
#pragma once

#include "grid/FilterGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <functional>

namespace pfl::gitter {

inline const QChar kEt(0x00AF);  // "¯": line break inside a cell while sorting, field end of ColFeatures
inline const QChar kRTz(0x00AB); // "«": field separator of a column's features, end of a sort string

// Qt alignment and wrap flags for the platform's text flags of a cell.
int qtFlags(int f);

} // namespace pfl::gitter

// Cell store. Grid row 0 (the heading row, when FixedRows > 0) is the horizontal header; the
// model's rows are the grid rows below it.
class TGridModel : public QAbstractTableModel {
public:
    explicit TGridModel(TFilterGrid* g) : QAbstractTableModel(g), grid(g) {}

    std::vector<QStringList> zeilen; // grid rows, each ColCount cells
    int spalten = 5;
    int updateTiefe = 0;

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : std::max(0, int(zeilen.size()) - grid->versatz());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : spalten; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        const QString& s = zeilen[size_t(i.row() + grid->versatz())][i.column()];
        return role == Qt::AccessibleTextRole ? Trim(s) : s;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
        if (o == Qt::Horizontal && grid->versatz() && section < spalten && !zeilen.empty())
            return role == Qt::AccessibleTextRole ? Trim(zeilen[0][section]) : zeilen[0][section];
        return section + 1;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid()) return Qt::NoItemFlags;
        return i.column() < grid->m_fixedCols ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
    void alleGeaendert() {
        if (updateTiefe > 0) return;
        if (rowCount() > 0 && spalten > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, spalten - 1));
        if (spalten > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, spalten - 1);
    }
    void zelleGeaendert(int c, int r) {
        if (updateTiefe > 0) return;
        if (r < grid->versatz())
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        else {
            const QModelIndex i = index(r - grid->versatz(), c);
            Q_EMIT dataChanged(i, i);
        }
    }
    void neuAufbauen(const std::function<void()>& f) {
        beginResetModel();
        f();
        endResetModel();
    }

    using QAbstractTableModel::beginInsertColumns;
    using QAbstractTableModel::beginInsertRows;
    using QAbstractTableModel::beginRemoveColumns;
    using QAbstractTableModel::beginRemoveRows;
    using QAbstractTableModel::endInsertColumns;
    using QAbstractTableModel::endInsertRows;
    using QAbstractTableModel::endRemoveColumns;
    using QAbstractTableModel::endRemoveRows;

    TFilterGrid* grid;
};

// The heading row, painted by DrawCell; its presses go to MouseDown.
class TGridHeader : public QHeaderView {
public:
    explicit TGridHeader(TFilterGrid* g);
    QSize sizeHint() const override;
    int heisse = -1, gedrueckt = -1;

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    void weiter(QMouseEvent* e, bool druck);
    TFilterGrid* grid;
};

// Paints every data cell through DrawCell.
class TGridDelegate : public QStyledItemDelegate {
public:
    explicit TGridDelegate(TFilterGrid* g) : QStyledItemDelegate(g), grid(g) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& i) const override;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& i) const override;

private:
    TFilterGrid* grid;
};
