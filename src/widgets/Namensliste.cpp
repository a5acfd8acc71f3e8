// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Namensliste.h"

#include <QStringListModel>

namespace pfl {

Namensliste::Namensliste(QWidget* parent) : QListView(parent), m_modell(new QStringListModel(this)) {
    setModel(m_modell);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // A long list is laid out in steps while the event loop runs, the visible lines first.
    setLayoutMode(QListView::Batched);
    setBatchSize(200);
    connect(this, &QListView::clicked, this, &Namensliste::gewaehlt);
    connect(this, &QListView::activated, this, &Namensliste::gewaehlt);
}

void Namensliste::setNamen(const QStringList& namen) {
    m_namen = namen;
    m_modell->setStringList(m_namen);
}

int Namensliste::currentRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void Namensliste::setCurrentRow(int zeile) {
    if (zeile < 0 || zeile >= count()) {
        selectionModel()->clearSelection();
        selectionModel()->clearCurrentIndex();
        return;
    }
    setCurrentIndex(m_modell->index(zeile));
}

QString Namensliste::currentText() const {
    const int z = currentRow();
    return z >= 0 ? m_namen.at(z) : QString();
}

} // namespace pfl
