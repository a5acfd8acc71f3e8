// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Zeilenliste.h"

#include "data/Cp1252.h"

#include <QAbstractListModel>

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
        // The part holding the line: parts are few (one per append).
        qsizetype erste = 0;
        for (const Zeilenpaket& p : m_teile) {
            const qsizetype i = zeile - erste;
            if (i < p.size()) {
                const qsizetype von = i > 0 ? p.m_ende[size_t(i - 1)] : 0;
                return fromCp1252(p.m_text.constData() + von, p.m_ende[size_t(i)] - von);
            }
            erste += p.size();
        }
        return {};
    }

    void anhaengen(Zeilenpaket paket) {
        if (paket.size() == 0) return;
        beginInsertRows({}, int(m_anzahl), int(m_anzahl + paket.size() - 1));
        m_anzahl += paket.size();
        m_teile.push_back(std::move(paket));
        endInsertRows();
    }

    void leeren() {
        beginResetModel();
        m_teile.clear();
        m_anzahl = 0;
        endResetModel();
    }

private:
    std::vector<Zeilenpaket> m_teile;
    qsizetype m_anzahl = 0;
};

Zeilenliste::Zeilenliste(QWidget* parent) : QListView(parent), m_modell(new Modell(this)) {
    setModel(m_modell);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setUniformItemSizes(true);
    const auto melden = [this](const QModelIndex& i) {
        if (i.isValid()) Q_EMIT gewaehlt(m_modell->text(i.row()));
    };
    connect(this, &QListView::clicked, this, melden);
    connect(this, &QListView::activated, this, melden);
}

void Zeilenliste::anhaengen(Zeilenpaket paket) {
    m_modell->anhaengen(std::move(paket));
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
