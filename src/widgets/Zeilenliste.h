// SPDX-License-Identifier: GPL-3.0-or-later
// A list box of many text lines (a book's ingredient lines run into the millions): the lines are
// kept packed in one buffer and appended in bulk, a line's text is made only when it is shown, and
// every line has the height of one text line, so the list measures none of them.
#pragma once

#include <QByteArray>
#include <QListView>
#include <QString>
#include <QStringView>

#include <vector>

namespace pfl {

// Lines collected for Zeilenliste::anhaengen, kept as Windows-1252 bytes (as the records store
// them): half the memory of their text, and a line is decoded only when it is shown.
class Zeilenpaket {
public:
    void dazu(const char* zeile, qsizetype laenge) {
        m_text.append(zeile, laenge);
        m_ende.push_back(m_text.size());
    }
    qsizetype size() const { return qsizetype(m_ende.size()); }

private:
    friend class Zeilenliste;
    QByteArray m_text;
    std::vector<qsizetype> m_ende; // where each line ends in m_text
};

class Zeilenliste : public QListView {
    Q_OBJECT
public:
    explicit Zeilenliste(QWidget* parent = nullptr);

    // Appends the lines behind those the list holds, in their order.
    void anhaengen(Zeilenpaket paket);
    void clear();
    int count() const;
    QString text(int zeile) const;

Q_SIGNALS:
    // A line was clicked or activated (Return, double click); text is its text.
    void gewaehlt(const QString& text);

private:
    class Modell;
    Modell* m_modell;
};

} // namespace pfl
