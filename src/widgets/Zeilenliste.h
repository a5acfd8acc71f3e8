// SPDX-License-Identifier: GPL-3.0-or-later
// A list box of many text lines (a book's ingredient lines run into the millions): the lines are
// kept packed in one buffer and appended in bulk, a line's text is made only when it is shown, and
// every line has the height of one text line, so the list measures none of them.
#pragma once

#include <QByteArray>
#include <QTableView>
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

// A table of one column without headers or grid, as a list looks: a table keeps its rows' heights
// as one default (a list view lays out every row, a noticeable pause for a million lines).
class Zeilenliste : public QTableView {
    Q_OBJECT
public:
    explicit Zeilenliste(QWidget* parent = nullptr);

    // Appends the lines behind those the list holds, in their order. Many lines come best in several
    // packets of moderate size: a packet that grows large copies itself each time it grows.
    void anhaengen(Zeilenpaket paket);
    void anhaengen(std::vector<Zeilenpaket> pakete);
    void clear();
    int count() const;
    QString text(int zeile) const;

Q_SIGNALS:
    // A line was clicked or activated (Return, double click); text is its text.
    void gewaehlt(const QString& text);

protected:
    void changeEvent(QEvent* e) override;

private:
    void zeilenhoeheSetzen();
    class Modell;
    Modell* m_modell;
};

} // namespace pfl
