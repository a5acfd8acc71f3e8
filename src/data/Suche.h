// SPDX-License-Identifier: GPL-3.0-or-later
// The search in a book: one search criterion, the matching rule every search uses, and the rows a
// book listing shows.
#pragma once

#include "data/Dateizugriff.h"
#include "data/Records.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace pfl {

// The text field a text search (code 0) looks in.
enum class Textfeld { Kategorie, Rubrik, Zutaten, Name };

// What the search window or the main window asks for. `was` is the mode code: 0 text (substring, or
// whole text when `exakt`), 1-3 cost >=, <=, = objekt_zahl, 4-6 date of entry >=, <=, = datum,
// 7-9 preparation time >=, <=, = objekt_zahl, 10 year of entry = objekt, 11 name = objekt exactly.
struct Suchbegriff {
    int was = 0;
    Textfeld feld = Textfeld::Name;
    QString objekt;
    bool exakt = false;
    double objekt_zahl = 0;
    QDate datum;
};

// The form text criteria compare: without blanks and control characters at both ends, every letter
// in capitals (umlauts too, one character each: "ß" stays).
QString suchform(const QString& s);

// Whether a record matches. A record whose preparation time is no number (codes 7-9) or whose date
// of entry is no date (codes 4-6 and 10) never matches, and the scan goes on with the next one.
// A search text that no record can store (characters outside Windows-1252) never matches.
bool passt(const dateien& d, const Suchbegriff& b);

// Whether every character of a text has a Windows-1252 form, so a record can hold it.
bool speicherbar(const QString& text);

// A criterion prepared once for a scan: text criteria are compared on the record's bytes of that
// field only (folded to capitals through a table), without decoding the record.
class Suchpruefer {
public:
    explicit Suchpruefer(const Suchbegriff& b);
    // False when the search text holds characters no record can store: then nothing matches.
    bool moeglich() const { return m_moeglich; }
    // satz points at the sizeof(dateien) bytes of one record.
    bool passt(const char* satz) const;
    // The same on parts of a record: its first kKopf bytes, and its ingredient text up to the NUL
    // (only looked at when brauchtZutaten()).
    bool passt(const char* kopf, const char* zutaten, qsizetype zutatenLaenge) const;
    bool brauchtZutaten() const { return m_b.was == 0 && m_b.feld == Textfeld::Zutaten; }
    // Every field a criterion or a listing row reads, except the ingredients, lies in this head.
    static constexpr qsizetype kKopf = offsetof(dateien, bild);

private:
    bool textPasst(const char* feld, qsizetype laenge) const;

    Suchbegriff m_b;
    bool m_moeglich = true;
    QByteArray m_gefaltet; // the trimmed search text in folded Windows-1252 bytes
    QByteArray m_exakt;    // code 11: the trimmed name's bytes, compared as they are
};

// One row of a book listing, with the record's 1-based position in the book.
struct Listenzeile {
    int position = 0;
    QString kategorie, rubrik, name, personen, zeit, schwer, kalorien, erfasst_am;
    double preis = 0;
};

// The listing fields of a record (its first Suchpruefer::kKopf bytes suffice) at its 1-based position.
Listenzeile listenzeile(const char* satz, int position);

// The rows of a book listing, held compactly: per row its position, its book's number, the cost and
// the listing's texts as the record stores them (Windows-1252 bytes), decoded only when asked. A row
// takes its texts' bytes and 25 more, a tenth of what decoded rows take.
class Listenzeilen {
public:
    // The texts of a row, in the order they are stored.
    enum Feld { Kategorie, Rubrik, Name, Personen, Zeit, Schwer, Kalorien, ErfasstAm, kFelder };

    qsizetype size() const { return qsizetype(m_ab.size()); }
    bool isEmpty() const { return m_ab.empty(); }
    // The row of a record (its first Suchpruefer::kKopf bytes suffice) at its 1-based position.
    void anhaengen(const char* satz, int position, int buch = 0);
    // Keeps the first n rows.
    void kuerzen(qsizetype n);
    // The rows of another list behind these.
    void anhaengen(const Listenzeilen& andere);

    int position(qsizetype i) const;
    int buch(qsizetype i) const;
    double preis(qsizetype i) const;
    QString text(qsizetype i, Feld f) const;
    Listenzeile at(qsizetype i) const;
    QList<Listenzeile> alle() const;

private:
    const char* zeile(qsizetype i) const { return m_daten.data() + m_ab[size_t(i)]; }
    std::vector<char> m_daten;
    std::vector<qint64> m_ab; // where each row starts in m_daten
};

// One hit of a search across books: the book's name (its file name without the extension) and the row.
struct Buchtreffer {
    QString buch;
    Listenzeile zeile;
};

// The hits of a search across books: rows held compactly, each with the number of its book.
class Buchtrefferliste {
public:
    Listenzeilen zeilen;
    QStringList buecher; // by number: the book's name

    qsizetype size() const { return zeilen.size(); }
    bool isEmpty() const { return zeilen.isEmpty(); }
    QString buch(qsizetype i) const { return buecher.value(zeilen.buch(i)); }
    Buchtreffer at(qsizetype i) const { return {buch(i), zeilen.at(i)}; }
    Buchtreffer last() const { return at(size() - 1); }

    class const_iterator {
    public:
        const_iterator(const Buchtrefferliste* l, qsizetype i) : m_l(l), m_i(i) {}
        Buchtreffer operator*() const { return m_l->at(m_i); }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const Buchtrefferliste* m_l;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
};

// Told before each book and between blocks of a book: the book's file name, its 1-based number among
// anzahl books. Returning false ends the search; the hits found so far are kept.
using Suchfortschritt = std::function<bool(const QString& datei, int nummer, int anzahl)>;

struct Buchsuchergebnis {
    Buchtrefferliste treffer;
    bool abgebrochen = false;
};

// How a book is read: per record only the bytes the criterion and a listing row need, or all of it in
// large blocks (the same hits; for comparison).
enum class Leseart { Felder, Bloecke };

// Searches the given book files of the folder ordner (with trailing "/") in their order; only hits are
// decoded. A file that cannot be opened gives no hits; one that shrinks while it is read gives the
// hits of the records that were complete.
Buchsuchergebnis buecherDurchsuchen(const QString& ordner, const QStringList& dateien, const Suchbegriff& b,
                                    const Suchfortschritt& fortschritt = {}, Leseart art = Leseart::Felder);

// Reads each record's ingredient text of a book file in ascending order. Most ingredient lists are a
// few hundred bytes: of a block only its start is read, the whole block only for a text that goes on
// past it.
class Zutatenleser {
public:
    Zutatenleser(int fd, qint64 anzahl);
    // Record i's text (Windows-1252 bytes up to its NUL, or all of a block without one) and its length;
    // nullptr when the file no longer holds it. Valid until the next call.
    const char* text(qint64 i, qsizetype& laenge);

private:
    int m_fd;
    Satzleser m_leser;
    QByteArray m_ganz;
};

// Each record's ingredient text as stored (Windows-1252 bytes up to its NUL, CR LF line breaks), in
// book order. Only the ingredient blocks are read, and of a block only its start unless the text
// goes on past it.
void jedeZutatenliste(const QString& ordner, const QString& pfad,
                      const std::function<void(const char* text, qsizetype laenge)>& f);

// The records of one open book of n records that match pruefer (every record when it is null), in
// book order, appended to zeilen with the book's number; per record only the bytes the criterion
// and the row need are read. weiter is asked between blocks of records; false ends the scan (then
// false is returned). Rows of records that the file no longer holds whole at the end are dropped.
bool satzweiseSuchen(int fd, qint64 n, const Suchpruefer* pruefer, int buch, Listenzeilen& zeilen,
                     const std::function<bool()>& weiter = {});

} // namespace pfl
