// SPDX-License-Identifier: GPL-3.0-or-later
// A list box of names that takes a whole new list at once: the names are shared with the caller's
// list, not copied into items, and every line has the height of one text line. Switching between
// lists of thousands of names costs the same as between short ones.
#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;

namespace pfl {

class Namensliste : public QListView {
    Q_OBJECT
public:
    explicit Namensliste(QWidget* parent = nullptr);

    void setNamen(const QStringList& namen);
    const QStringList& namen() const { return m_namen; }
    int count() const { return int(m_namen.size()); }
    void clear() { setNamen({}); }
    // -1 when no line is current.
    int currentRow() const;
    void setCurrentRow(int zeile);
    // The current line's name; empty when none is current.
    QString currentText() const;

Q_SIGNALS:
    // A line was clicked or activated (Return, double click).
    void gewaehlt();

private:
    QStringListModel* m_modell;
    QStringList m_namen;
};

} // namespace pfl
