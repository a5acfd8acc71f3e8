// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Zeilenliste.h"

#include "data/Cp1252.h"

#include <QAbstractListModel>
#include <QEvent>
#include <QHeaderView>

#include <algorithm>

namespace pfl {

// The packed lines as a list model: per part of appended lines its text and line ends.
class Zeilenliste::Modell : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& eltern = {}) const override {
        return eltern.isValid() ? 0 : int(m_anzahl);
    }

    QVariant data(const QModelIndex& i, int rolle) const override {
        if (!i.isValid() || (rolle != Qt::DisplayRole && rolle != Qt::AccessibleTextRole)) return {};
        return text(i.row());
    }

    QString text(int zeile) const {
        if (zeile < 0 || zeile >= m_anzahl) return {};
        // The part holding the line: the last that starts at or before it.
        const auto it = std::upper_bound(m_erste.cbegin(), m_erste.cend(), qsizetype(zeile));
        const size_t t = size_t(it - m_erste.cbegin()) - 1;
        const Zeilenpaket& p = m_teile[t];
        const qsizetype i = zeile - m_erste[t];
        const qsizetype von = i > 0 ? p.m_ende[size_t(i - 1)] : 0;
        return fromCp1252(p.m_text.constData() + von, p.m_ende[size_t(i)] - von);
    }

    void anhaengen(std::vector<Zeilenpaket> pakete) {
        qsizetype dazu = 0;
        for (const Zeilenpaket& p : pakete)
            dazu += p.size();
        if (dazu == 0) return;
        beginInsertRows({}, int(m_anzahl), int(m_anzahl + dazu - 1));
        for (Zeilenpaket& p : pakete) {
            if (p.size() == 0) continue;
            m_erste.push_back(m_anzahl);
            m_anzahl += p.size();
            m_teile.push_back(std::move(p));
        }
        endInsertRows();
    }

    void leeren() {
        beginResetModel();
        m_teile.clear();
        m_erste.clear();
        m_anzahl = 0;
        endResetModel();
    }

private:
    std::vector<Zeilenpaket> m_teile;
    std::vector<qsizetype> m_erste; // each part's first line
    qsizetype m_anzahl = 0;
};

Zeilenliste::Zeilenliste(QWidget* parent) : QTableView(parent), m_modell(new Modell(this)) {
    setModel(m_modell);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    setShowGrid(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    zeilenhoeheSetzen();
    const auto melden = [this](const QModelIndex& i) {
        if (i.isValid()) Q_EMIT gewaehlt(m_modell->text(i.row()));
    };
    connect(this, &QTableView::clicked, this, melden);
    connect(this, &QTableView::activated, this, melden);
}

void Zeilenliste::zeilenhoeheSetzen() {
    // The height a list gives its lines: its first line's, as a list of uniform lines takes it.
    QStyleOptionViewItem o;
    initViewItemOption(&o);
    const int h = m_modell->rowCount() > 0 ? itemDelegate()->sizeHint(o, m_modell->index(0, 0)).height()
                                           : o.fontMetrics.height();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(qMax(1, h));
}

void Zeilenliste::changeEvent(QEvent* e) {
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) zeilenhoeheSetzen();
}

void Zeilenliste::anhaengen(Zeilenpaket paket) {
    std::vector<Zeilenpaket> pakete;
    pakete.push_back(std::move(paket));
    anhaengen(std::move(pakete));
}

void Zeilenliste::anhaengen(std::vector<Zeilenpaket> pakete) {
    const bool ersteZeilen = m_modell->rowCount() == 0;
    m_modell->anhaengen(std::move(pakete));
    if (ersteZeilen) zeilenhoeheSetzen();
}

void Zeilenliste::clear() {
    m_modell->leeren();
}

int Zeilenliste::count() const {
    return m_modell->rowCount();
}

QString Zeilenliste::text(int zeile) const {
    return m_modell->text(zeile);
}

} // namespace pfl
