// SPDX-License-Identifier: GPL-3.0-or-later
// The data module: the data directory, the record buffers, the state shared by the windows,
// and one routine per file operation. Widget-free; windows refill their controls from the
// lists held here when the signals announce a change.
#pragma once

#include "data/Dateizugriff.h"
#include "data/Records.h"
#include "data/Textmenge.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QJsonObject;

namespace pfl {
class Dateihandle;
struct Listenzeile;
class Listenzeilen;
struct Suchbegriff;
} // namespace pfl

// One row of the main window's overview, decoded from a recipe record.
struct UebersichtZeile {
    QString name, anzahl, zeit, k_zeit, kalorien;
    double preis = 0;
    int position = 0; // 1-based record number
};

// What rezept_loeschen did.
enum class Loeschergebnis {
    Geloescht,
    Anders, // the record at that position is not the expected one; nothing was written
    Fehler, // reported through schreibfehler; the book is unchanged
};

namespace pfl {

// What a renaming renames in the recipes: their section or their category.
enum class Umbenennung { Rubrik, Kategorie };

// Name lists that the list-loading routines fill and the windows show. Each drops repeats without
// regard to case and keeps the spelling of the first occurrence, in the order read. A list of the last
// reading is emptied by its routine first; a collecting list keeps what it held until it is emptied
// by whoever starts it anew.
struct Namenslisten {
    // The sections of "Rubriken.rub" as Rubriken_lesen last read them: in file order, and sorted.
    QStringList rubrikenGelesen, rubrikenSortiert;
    // The same, but emptied when a book (datei_lesen) or the categories are read after them.
    QStringList rubrikenZuletzt;
    // Every section read since the list was emptied: by the section list window before it reloads,
    // and by the search when it starts.
    QStringList rubrikenGesammelt, rubrikenSeitSuchbeginn;
    // The categories of "kategorien.kat": as Kategorien_lesen last read them, every one read in this
    // run, and every one read since the search started.
    QStringList kategorienGelesen, kategorienGesammelt, kategorienSeitSuchbeginn;
    // The recipe names of every book datei_lesen read in this run.
    QStringList rezeptnamenGesammelt;
    // The recipe names of the active book of one category (Rubriken_erkennen: rezeptnamenKategorie) or
    // of one section (Rubriken_oeffnen: rubrik); datei_lesen empties them.
    QStringList rezeptnamenGewaehlt;
    QString rezeptnamenKategorie;
};

} // namespace pfl

class Unit4 : public QObject {
    Q_OBJECT
public:
    explicit Unit4(QObject* parent = nullptr);
    ~Unit4() override;

    // --- data directory and names inside it ---
    QString lpf; // with trailing "/"
    // The folder of the shipped files (help, README, background pictures), with trailing "/": where the
    // program was installed, or the program's own folder. Only read, never written. Empty before the
    // start: initialisieren makes it lpf.
    QString mitgeliefert;
    // The data folder can only be read (read-only medium, no permission to write): recipes are shown,
    // searched and printed, nothing is written. The start sets it when the folder cannot be written;
    // the owner may set it before.
    bool nurLesen = false;
    // Every command that writes asks this first: false when the folder can only be read, which the
    // user is told (hinweis). The writing routines ask it too, so nothing is tried there.
    bool schreibbar();
    // What the user reads then (German).
    QString nurLesenText() const;
    // A shipped file (help, README) by its name.
    QString mitgeliefertPfad(const QString& name) const;
    // The background picture `name` (Hintergrund/): the user's own in lpf first, else the shipped one;
    // empty when the name could leave the folder or neither exists.
    QString hintergrundDatei(const QString& name) const;
    // The folders the background pictures come from: the data folder's, then the shipped one.
    QStringList hintergrundOrdner() const;
    // The path of a file in lpf, matched without regard to case. An exact match wins; among names
    // that differ only in case the first in code-point order; then a name that is not UTF-8, as
    // pfl::anzeigename reads it. The plain lpf + name when no such file exists yet.
    QString pfad(const QString& name) const;
    // A book name that is safe as a file name in lpf: no "/" or backslash, NUL or control character, not
    // "." or "..", not starting with "." or "-". The empty name (the book ".rez") is safe.
    static bool sichererName(const QString& name);
    // Why a name cannot become a book (unsafe, not storable in Rezept.opt, too long); empty if it can.
    static QString buchnameFehler(const QString& name);
    // The active book's file; empty when the book name is unsafe.
    QString buchPfad() const;
    // File names of the books of lpf (regular files "*.rez" in any case), in code-point order. A name
    // that is not UTF-8 keeps its bytes (pfl::nativ); the book's name is its pfl::anzeigename.
    QStringList buchDateien() const;

    // --- record buffers: one per record type, plus the recipe being entered and Rubriken_oeffnen's own ---
    dateien datei, datei1, element1;
    rubriken r_daten;
    kategorien k_daten;
    Einkaufstliste e_daten;
    optionen option;
    Drucker drucke;
    Stamm_inh st_inh1;
    welcheversion t_version;

    // --- the active book, the selected section and category, and the positions the routines use ---
    QString rezeptbuch, rubrik, kategorie;
    int satznum = 0, anz = 0, daten = 0;
    // --- the program's version and its help file ---
    int versionsnum = 0;
    QString version, chmFile;
    // --- this year, as datei_lesen sets it ---
    quint16 Year = 0;
    // --- how the book listing was opened: 0 none, 1 "Rezepte bearbeiten", 2 printing or a search;
    // the main window sets it, Copy1 clears it, the listing's help follows it ---
    int auswahl = 0;

    // Today's date; the owner hands in the platform's clock (tests fix the date).
    std::function<QDate()> uhr;
    // Where each book's index of sections is kept between runs (the user's cache folder), so that a
    // start on a large book reads only the shown section's records; empty: kept for this run only.
    QString indexOrdner;

    pfl::Namenslisten listen;
    QString einkaufText;     // the shopping-list window's text
    QString erfassenCaption; // the entry window's caption

    // --- start-up ---
    // Module initialisation: lpf, the version stamp, options and owner data. Before anything is read,
    // what a run that died left unfinished is settled: a recipe replaced in part is written whole,
    // temporary files go (in lpf, Bilder/ and Hintergrund/), a change with a journal is finished or
    // taken back (vorhabenAbschliessen); a torn record at the end of a book or list file is named.
    // Each is told through hinweis.
    void initialisieren(const QString& datenverzeichnis);
    // Finishes or takes back the change whose journal a crash left in lpf and tells the user (hinweis)
    // what became of it. Without a journal: one lstat.
    void vorhabenAbschliessen();

    // --- recipe books ---
    void rezept_anlegen1();
    void datei_anlegen();
    void datei_lesen();
    // The same pass, keeping the rows of the whole-book listing too: the next buchZeilen() without a
    // criterion takes them instead of reading the book again (the listing opened right after).
    void datei_lesenFuerListe();
    // Drops rows kept by datei_lesenFuerListe that nobody took.
    void listeVorabVerwerfen();
    void Daten_einsortieren();
    // Appends the records to the active book (created when missing), all or none: a full disk takes
    // back what was written, a crash is taken back at the next start. A failure is reported
    // (schreibfehler) and returns false. The buffers are left as they are.
    bool saetzeAnhaengen(const QList<dateien>& saetze);
    // The same for `anzahl` records that fuellen(i, satz) makes on request (each into a zeroed
    // record, the same bytes each time it is asked): they pass a block at a time, so a large import
    // is never whole in memory.
    bool saetzeAnhaengen(qsizetype anzahl, const std::function<void(qsizetype, dateien&)>& fuellen);
    void datei_speichern();
    void datei_speichern_aendern();
    void Rubriken_erkennen();
    void Rubriken_oeffnen();
    // --- sections and categories ---
    void Rubriken_lesen();
    void Rubriken_speichern();
    void Rubriken_anlegen();
    void Kategorien_lesen();
    void Kategorien_speichern();
    void Kategorien_anlegen();
    // The list windows' rewrite of "Rubriken.rub" / "kategorien.kat" from their names, in their order:
    // the whole file is replaced at once, a missing file is not created. Every written record is the
    // buffer (r_daten / k_daten) with its name field set. True when written; a failure is reported.
    bool rubrikenDateiErsetzen(const QStringList& namen);
    bool kategorienDateiErsetzen(const QStringList& namen);
    // A list file of lpf that is there but holds no whole record of `satzgroesse` bytes. Saving
    // appends only to a file that holds a record, so a window starts such a file anew (the
    // _anlegen routine) instead of storing nothing.
    bool ohneSatz(const QString& name, qint64 satzgroesse) const;
    // --- shopping list ---
    void einkauflist_lesen();
    void einkauflist_speichern();
    void einkauflist_anlegen();
    // --- single-record files ---
    void opt_lesen();
    void opt_speichern();
    void druck_lesen();
    void druck_speichern();
    void druck_anlegen();
    void stamminh_lesen();
    void stamminh_speichern();
    void version_lesen();
    void version_speichern();
    void version_anlegen();
    // --- renaming a section or category in every book: every recipe whose field equals alt
    // exactly gets neu. One change: a journal written before the first book changes lets the next
    // start finish a walk that a crash cut short ---
    void Dir_daten_konvertieren(pfl::Umbenennung art, const QString& alt, const QString& neu);
    // The list windows' change of a name, as one change: Dir_daten_konvertieren, and only when every
    // book is done the list file ("Rubriken.rub" / "kategorien.kat") gets the buffer (r_daten / k_daten)
    // as its new last record, as Rubriken_speichern / Kategorien_speichern store a new name (a missing
    // file, and a category file without a record, gets it twice). False, reported, when the list file
    // could not be written: before any book changed (then nothing changed at all), or at the end
    // (then the next start writes it).
    bool begriffUmbenennen(pfl::Umbenennung art, const QString& alt, const QString& neu);
    // The same in the active book only.
    void konvertieren(pfl::Umbenennung art, const QString& alt, const QString& neu);

    // The overview's scan: every record of the active book whose Rubrik equals rubrik
    // (exact), with only the overview fields decoded. Leaves the last record in datei.
    QList<UebersichtZeile> rubrikZeilen();
    // The book listing's scan: every record of the active book, or with a criterion those that match
    // it (pfl::passt), in book order, with the listing's fields decoded. A search sets daten to the
    // book's record count. Leaves the last record in datei.
    QList<pfl::Listenzeile> buchListe(const pfl::Suchbegriff* begriff = nullptr);
    // The same rows held compactly.
    pfl::Listenzeilen buchZeilen(const pfl::Suchbegriff* begriff = nullptr);
    // Number of complete records of the active book (0 when it is missing).
    int buchAnzahl() const;
    // Reads record satznum (1-based) of the active book into datei; false when it is not there.
    bool satz_lesen(int nummer);
    // Record nummer (1-based) of the active book holds exactly these bytes; datei is untouched.
    bool satzGleich(int nummer, const dateien& satz) const;
    // The recipe names of every section of the active book in one pass: section -> names in book order,
    // repeats dropped without regard to case as the name lists drop them.
    QHash<QString, QStringList> rubrikNamen() const;
    // The recipe names of one section of the active book, sorted in German order. Every section's
    // names come from one pass (rubrikNamen) that is kept while the book file stays the same (its
    // name, size and time of change), so that stepping through a book reads one record only.
    QStringList rubrikNamenSortiert(const QString& rubrikName);
    // The next rubrikNamenSortiert reads the book again.
    void rubrikNamenVerwerfen();
    // The 1-based position of the first record of the active book named exactly `name`; 0 when none is.
    int namensPosition(const QString& name) const;
    // Deletes record nummer (1-based) of the active book; every later record moves one position down.
    // The book without it is written beside the book and moved over it, so a crash leaves either the
    // old or the new book whole. With erwartet, a record there that differs from it is not deleted.
    Loeschergebnis rezept_loeschen(int nummer, const dateien* erwartet = nullptr);

    // The entry window's take-over scan: every record of the active book whose name equals `name`
    // exactly. treffer gets the last of them, bilder the picture names of all of them in book order.
    // Leaves the last record of the book in datei. False when no record matches.
    bool gerichtLesen(const QString& name, dateien& treffer, QStringList& bilder);

    // Reports a failed write of a file in lpf (or a book) through schreibfehler.
    void schreibfehlerMelden(const QString& dateiname, const QString& grund);

Q_SIGNALS:
    // A routine changed some of the name lists.
    void listenGeaendert();
    // einkauflist_lesen set the shopping-list text.
    void einkaufGelesen(const QString& text);
    // The entry window's caption was set.
    void erfassenCaptionGesetzt(const QString& caption);
    // The main window's table should recompute its column widths.
    void spaltenbreitenNeu();
    // Dir_daten_konvertieren starts on the nummer-th of anzahl books (1-based).
    void buchWirdUmbenannt(const QString& buch, int nummer, int anzahl);
    // The main window should refresh itself (Copy1).
    void copy1Angefordert();
    // A write failed; meldung is a German message naming the file and the reason. The owner shows it.
    void schreibfehler(const QString& meldung);
    // Something the user should know (German): what became of a change a crash cut short, or that a
    // command was refused because the data folder can only be read.
    // The owner shows it as an information.
    void hinweis(const QString& meldung);

private:
    // Holds one listing of lpf for name look-ups while it lives (nested scopes share it).
    class Ordnerliste {
    public:
        explicit Ordnerliste(const Unit4& u);
        ~Ordnerliste();
        Ordnerliste(const Ordnerliste&) = delete;
        Ordnerliste& operator=(const Ordnerliste&) = delete;

    private:
        const Unit4& m_u;
    };
    QStringList ordnerNamen() const;

    // Writing helpers: each reports its failure through schreibfehlerMelden and returns false.
    bool leereDatei(const QString& p);
    bool satzSchreiben(const QString& p, int fd, const void* satz, qint64 groesse, qint64 pos);
    bool listeAnhaengen(const QString& p, const void* satz, qint64 groesse, bool nurWennNichtLeer);
    bool listeAnlegen(const QString& p, const void* satz, qint64 groesse);
    // Replaces the record at pos of the book p (open as fd) so that a kill at any moment leaves the
    // old or, after the next start, the new record (Satzersetzen.cpp).
    bool satzErsetzen(const QString& p, int fd, const dateien& satz, qint64 pos);
    // At start-up: finishes a replacement that a kill cut, and names every record file that ends in a
    // torn record (no reader shows it; the next append writes over it).
    void ersetzenNachholen();
    void teilsaetzeMelden();
    // After an append at the last whole-record boundary of a file of `groesse` bytes: tells that it
    // wrote over a torn record.
    void teilsatzUeberschrieben(const QString& p, qint64 groesse, qint64 satz);
    void neuenSatzSchreiben(const QString& p, pfl::Dateihandle& f);

    // The end of a change from its journal: the message for the user, or nothing when the journal has
    // to stay for another try.
    std::optional<QString> anhaengenAbschliessen(const QJsonObject& j);
    std::optional<QString> umbenennenAbschliessen(const QJsonObject& j);
    bool inAllenBuechern(pfl::Umbenennung art, const QString& alt, const QString& neu, bool mitListe);

    // Rewrites one book (its file name in lpf) with the renamed field.
    void konvertiereBuch(const QString& buch, const QStringList& buecher, pfl::Umbenennung art,
                         const QString& alt, const QString& neu);
    // The name of the copy that keeps a book as it was before the last renaming.
    static QString sicherungsName(const QString& buch, const QStringList& buecher);

    // rubrikNamenSortiert's pass over the book, and the book file it was made of.
    struct RubrikNamen {
        QHash<QString, QStringList> namen;
        QString pfad;
        qint64 groesse = -1, geaendert = -1;
        bool gelesen = false;
    } m_rubrikNamen;

    // Adds a name to one of the name lists unless it holds it already without regard to case; with
    // sortiert at its place in German order. True when added.
    bool namenDazu(bool sortiert, QStringList& liste, const QString& name);
    // The same for a name as a record stores it, appended unsorted; decoded only when it is added.
    template <int N> bool namenDazu(QStringList& liste, const ShortString<N>& name) {
        return gespeichertenNamenDazu(liste, name.chars, name.length());
    }
    bool gespeichertenNamenDazu(QStringList& liste, const char* name, qsizetype laenge);
    // Room for n more names in the list and its set.
    void namenReservieren(QStringList& liste, qsizetype n);
    struct Namenssatz {
        pfl::Textmenge gefaltet; // the case-folded names of the list
        qsizetype anzahl = 0;    // the list as the set last saw it
        QString erster, letzter;
        void merken(const QStringList& liste);
    };
    // The list's set, taken anew when someone else emptied or changed the list.
    Namenssatz& namenssatz(const QStringList& liste);
    QHash<const QStringList*, Namenssatz> m_namenssaetze;
    std::u16string m_faltpuffer;
    void dateiLesen(pfl::Listenzeilen* zeilen);
    std::unique_ptr<pfl::Listenzeilen> m_listeVorab;

    // Each record's section in the active book, so that the overview of a section reads only that
    // section's records: the names pass and a pass over the sections alone make it, and it holds while the
    // book file is unchanged (a refresh after closing a window then costs a few reads, not a pass).
    struct Kopfindex {
        QString pfad;
        pfl::Dateistand stand;
        std::vector<quint16> rubrik; // per record: the number of its section in rubriken
        QList<QByteArray> rubriken;  // each section's bytes, as stored
        QHash<QByteArray, quint16> nummer;
        bool gueltig = false;
        // Takes the next record's section (its head, or only the section's bytes) during a pass; false
        // when there are too many sections to number.
        bool merke(const char* kopf);
        // Takes the index of the records that follow, made by another pass; false as merke.
        bool anfuegen(const Kopfindex& hinten);
    };
    mutable Kopfindex m_kopfindex;
    // The index to fill during a pass over book p that starts now, or nullptr when the index of p holds.
    Kopfindex* kopfindexBeginnen(const QString& p) const;
    // The pass over n records is done (n < 0: it failed).
    void kopfindexFertig(Kopfindex* k, qint64 n) const;
    // The pass cannot index the book (too many sections); returns nullptr, the index to fill from now on.
    Kopfindex* kopfindexAufgeben(Kopfindex* k) const {
        kopfindexFertig(k, -1);
        return nullptr;
    }
    // The index of p, when it still describes the book; from indexOrdner when this run has none.
    const Kopfindex* kopfindex(const QString& p) const;
    // The index kept in indexOrdner for book p in state jetzt, into m_kopfindex.
    bool kopfindexLaden(const QString& p, const pfl::Dateistand& jetzt) const;
    // Keeps a finished index in indexOrdner; a failure only costs the next run a pass.
    void kopfindexAblegen(const Kopfindex& k) const;
    // Calls f(head, 0-based index) for the records of section rub (its stored bytes) of book p, reading
    // only those, and leaves the book's last record in letzter, as a full pass does. With no index of
    // p at hand, one pass over the records' sections alone makes one first. False when the book
    // cannot be indexed (f may have been called; the caller then reads the book).
    bool rubrikKoepfe(const QString& p, const QByteArray& rub,
                      const std::function<void(const char*, qint64)>& f, dateien* letzter) const;
    bool rubrikKoepfeNach(const Kopfindex& k, const QString& p, const QByteArray& rub,
                          const std::function<void(const char*, qint64)>& f, dateien* letzter) const;
    // That pass over book p, by two threads each taking half of the records: the index is kept when
    // it describes the book for later calls (then it is m_kopfindex), else it is left in einmal for
    // this call. Null when the book cannot be indexed (too many sections, unreadable).
    const Kopfindex* kopfindexMachen(const QString& p, Kopfindex& einmal) const;
    // dateiLesen's pass over the n records of open book fd: the names, the index, the rows; the last
    // record whole into datei. The records passed.
    qint64 koepfeLesen(int fd, qint64 n, Kopfindex*& index, pfl::Listenzeilen* zeilen);

    mutable QStringList m_liste;
    mutable int m_listenTiefe = 0;
    mutable bool m_listeDa = false;
};
