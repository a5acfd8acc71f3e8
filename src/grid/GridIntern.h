// SPDX-License-Identifier: GPL-3.0-or-later
// Pieces shared by the TFilterGrid source files (cell store, heading row, painter); not for callers.
#pragma once

#include "grid/FilterGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QHash>
#include <functional>
#include <memory>

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

    // Held rows, each ColCount cells: every grid row, or with a row source the fixed rows above it.
    std::vector<QStringList> zeilen;
    // The rows below the held ones: grid row zeilen.size() + k shows source row ordnung[k]; a cell
    // written into such a row is kept beside it, under its source row, so it moves when rows sort.
    std::shared_ptr<const TZeilenquelle> quelle;
    std::vector<int> ordnung;
    QHash<qint64, QString> geschrieben;
    int spalten = 5;
    int updateTiefe = 0;

    int zeilenZahl() const { return int(zeilen.size() + ordnung.size()); }
    static qint64 schluessel(int quellzeile, int spalte) { return qint64(quellzeile) << 16 | spalte; }
    // The text of a cell that exists.
    QString zelle(int r, int c) const {
        if (size_t(r) < zeilen.size()) return zeilen[size_t(r)][c];
        const int q = ordnung[size_t(r) - zeilen.size()];
        if (!geschrieben.isEmpty()) {
            const auto it = geschrieben.constFind(schluessel(q, c));
            if (it != geschrieben.constEnd()) return *it;
        }
        return quelle->zelle(q, c);
    }
    // The source's rows become held rows; what the grid shows stays the same.
    void festhalten() {
        if (!quelle) return;
        const int n = zeilenZahl();
        std::vector<QStringList> alle;
        alle.reserve(size_t(n));
        for (int r = 0; r < n; ++r) {
            QStringList z;
            z.reserve(spalten);
            for (int c = 0; c < spalten; ++c)
                z.append(zelle(r, c));
            alle.push_back(std::move(z));
        }
        zeilen = std::move(alle);
        quelle.reset();
        ordnung.clear();
        geschrieben.clear();
    }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : std::max(0, zeilenZahl() - grid->versatz());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : spalten; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        const QString s = zelle(i.row() + grid->versatz(), i.column());
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
