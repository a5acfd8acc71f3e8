#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/German.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

Unit4* aktuell = nullptr;

constexpr qint64 kSatz = sizeof(dateien);

// Adds a name unless the list already holds it without regard to case.
bool dazu(QStringList& liste, const QString& name) {
    for (const QString& s : liste)
        if (s.compare(name, Qt::CaseInsensitive) == 0) return false;
    liste.append(name);
    return true;
}

// As dazu, for a list that keeps itself sorted (German, case-insensitive).
bool dazuSortiert(QStringList& liste, const QString& name) {
    for (const QString& s : liste)
        if (s.compare(name, Qt::CaseInsensitive) == 0) return false;
    const QCollator& c = pfl::deutscheSortierung();
    auto it = std::upper_bound(liste.begin(), liste.end(), name,
                               [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    liste.insert(it, name);
    return true;
}

// Calls f(record bytes, 0-based index, is the last) for every complete record of a file of fixed-size
// records; the file is mapped (or read in large blocks) rather than read record by record.
// Returns the number of complete records, -1 when the file cannot be opened.
template <typename F> qint64 jederSatz(const QString& pfad, qint64 groesse, F&& f) {
    QFile file(pfad);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const qint64 n = file.size() / groesse;
    if (n == 0) return 0;
    if (uchar* m = file.map(0, n * groesse)) {
        const char* p = reinterpret_cast<const char*>(m);
        for (qint64 i = 0; i < n; ++i)
            f(p + i * groesse, i, i == n - 1);
        file.unmap(m);
        return n;
    }
    const qint64 block = qMax<qint64>(1, (4 << 20) / groesse);
    QByteArray buf;
    for (qint64 i = 0; i < n; i += block) {
        const qint64 k = qMin(block, n - i);
        buf = file.read(k * groesse);
        if (buf.size() < k * groesse) return i + buf.size() / groesse;
        for (qint64 j = 0; j < k; ++j)
            f(buf.constData() + j * groesse, i + j, i + j == n - 1);
    }
    return n;
}

template <typename T> void kopiere(T& ziel, const char* p) {
    std::memcpy(static_cast<void*>(&ziel), p, sizeof(T));
}

// Reads the first record of a file; false on any error (missing, short, not a regular file).
template <typename T> bool ersterSatz(const QString& pfad, T& ziel) {
    return pfl::ersterSatz(pfad, ziel);
}

// Replaces a file whole; a failed write leaves the old file intact and, unless the caller
// reports it itself, is reported through the module.
bool ganzeDatei(Unit4& u, const QString& pfad, const QByteArray& inhalt, QString* grund = nullptr) {
    QString eigenerGrund;
    if (pfl::dateiErsetzen(pfad, inhalt, grund ? grund : &eigenerGrund)) return true;
    if (!grund) u.schreibfehlerMelden(QFileInfo(pfad).fileName(), eigenerGrund);
    return false;
}

template <typename T>
bool einzigerSatz(Unit4& u, const QString& pfad, const T& satz, QString* grund = nullptr) {
    return ganzeDatei(u, pfad, pfl::satzBytes(satz), grund);
}

// The print defaults of groups t, k, f, d and b; the other groups and bytes keep their values.
void druckVorgaben(Drucker& drucke) {
    struct Vorgabe {
        int hoehe, pen, zeilen, rand, abstand;
        const char* schrift;
    };
    static const Vorgabe v[5] = {{10, 1, 59, 0, 2, "Tahoma"},
                                 {8, 1, 32, 2, 2, "Verdana"},
                                 {8, 2, 30, 2, 2, "Verdana"},
                                 {8, 1, 50, 0, 0, "Tahoma"},
                                 {8, 1, 50, 0, 1, "Verdana"}};
    for (int g = 0; g < 5; ++g) {
        DruckGruppe& d = drucke.gruppe(g);
        d.text_Hoehe = v[g].hoehe;
        d.pen_strich = v[g].pen;
        d.anz_zeilen = v[g].zeilen;
        d.rand = v[g].rand;
        d.zeilen_abstand = v[g].abstand;
        d.schrift = QString::fromLatin1(v[g].schrift);
    }
}

// Version.ver keeps what a later program put behind its first record, up to this size.
constexpr qint64 kHoechsteVersionsdatei = 1 << 20;

// Creates (or truncates) a file holding exactly one record, or none.
bool neueDatei(const QString& pfad, const void* satz = nullptr, qint64 groesse = 0) {
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    if (satz && f.write(static_cast<const char*>(satz), groesse) != groesse) return false;
    return true;
}

bool anhaengen(const QString& pfad, const void* satz, qint64 groesse) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadWrite)) return false;
    // A torn last record of a damaged file is overwritten, never left between two records.
    const qint64 n = f.size() / groesse;
    if (!f.seek(n * groesse)) return false;
    return f.write(static_cast<const char*>(satz), groesse) == groesse;
}

qint64 satzAnzahl(const QString& pfad, qint64 groesse) {
    const QFileInfo fi(pfad);
    return fi.isFile() ? fi.size() / groesse : -1;
}

bool existiert(const QString& pfad) {
    return !pfad.isEmpty() && QFileInfo(pfad).isFile();
}

// The bytes a text has in a record, or empty when it cannot be stored exactly (then no
// stored name can equal it).
bool exakteBytes(const QString& text, QByteArray& bytes) {
    bytes = pfl::toCp1252(text);
    return pfl::fromCp1252(bytes) == text;
}

} // namespace

Unit4::Unit4(QObject* parent) : QObject(parent) {
    zeroRecord(datei);
    zeroRecord(datei1);
    zeroRecord(element1);
    zeroRecord(speicher1);
    zeroRecord(datei_a);
    zeroRecord(r_daten);
    zeroRecord(k_daten);
    zeroRecord(e_daten);
    zeroRecord(option);
    zeroRecord(drucke);
    zeroRecord(st_inh1);
    zeroRecord(t_version);
    aktuell = this;
}

Unit4::~Unit4() {
    if (aktuell == this) aktuell = nullptr;
}

Unit4& Unit4::instance() {
    Q_ASSERT(aktuell);
    return *aktuell;
}

// ---------------------------------------------------------------- names and paths

bool Unit4::sichererName(const QString& name) {
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return false;
    return name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1String(".."));
}

QString Unit4::buchnameFehler(const QString& name) {
    if (!sichererName(name))
        return QStringLiteral("Der Name darf weder \"/\" noch \"\\\" noch \"..\" enthalten.\n"
                              "Bitte wählen Sie einen anderen Namen.");
    if (pfl::fromCp1252(pfl::toCp1252(name)) != name)
        return QStringLiteral(
                   "Der Name \u201E%1\u201C enthält Zeichen, die Pfanno-Lux nicht speichern kann.\n"
                   "Bitte wählen Sie einen anderen Namen.")
            .arg(name);
    if (name.size() > int(sizeof(optionen::rezeptbuch)) - 1)
        return QStringLiteral(
                   "Der Name \u201E%1\u201C ist zu lang: Ein Rezeptbuch darf höchstens %2 Zeichen haben.")
            .arg(name)
            .arg(int(sizeof(optionen::rezeptbuch)) - 1);
    return QString();
}

QString Unit4::pfad(const QString& name) const {
    const QString direkt = lpf + name;
    if (QFileInfo::exists(direkt)) return direkt;
    const QDir dir(lpf);
    const QStringList alle = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& e : alle)
        if (e.compare(name, Qt::CaseInsensitive) == 0) return lpf + e;
    return direkt;
}

QString Unit4::buchPfad() const {
    if (!sichererName(rezeptbuch)) return QString();
    return pfad(rezeptbuch + QLatin1String(".rez"));
}

QStringList Unit4::buchDateien() const {
    QStringList out;
    const QDir dir(lpf);
    const QStringList alle = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& e : alle)
        if (e.size() > 4 && e.right(4).compare(QLatin1String(".rez"), Qt::CaseInsensitive) == 0)
            out.append(e);
    return out;
}

// ---------------------------------------------------------------- start-up

void Unit4::initialisieren(const QString& datenverzeichnis) {
    lpf = datenverzeichnis;
    if (!lpf.endsWith(QLatin1Char('/'))) lpf += QLatin1Char('/');
    version_lesen();
    version = QStringLiteral("1.10");
    versionsnum = 110;
    version_lesen();
    opt_lesen();
    stamminh_lesen();
}

// ---------------------------------------------------------------- recipe books

void Unit4::rezept_anlegen1() {
    if (!sichererName(rezeptbuch)) return;
    neueDatei(pfad(rezeptbuch + QLatin1String(".rez")));
}

void Unit4::datei_anlegen() {
    if (!sichererName(rezeptbuch)) return;
    const QString p = pfad(rezeptbuch + QLatin1String(".Rez"));
    neueDatei(p);
}

void Unit4::datei_lesen() {
    daten = 0;
    listen.erfRubriken.clear();
    listen.erfNamen.clear();
    const QDate heute = uhr ? uhr() : QDate::currentDate();
    Tag_date = double(QDate(1899, 12, 30).daysTo(heute));
    Year = quint16(heute.year());
    Month = quint16(heute.month());
    Day = quint16(heute.day());
    const QString p = buchPfad();
    if (existiert(p)) {
        const qint64 n = jederSatz(p, kSatz, [&](const char* s, qint64, bool letzter) {
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (!d->name.isEmpty()) dazu(listen.suchNamen, d->name.toQString());
            if (letzter) kopiere(datei, s); // the buffer ends with the last record, as after a full pass
        });
        daten = int(qMax<qint64>(0, n));
    }
    Q_EMIT listenGeaendert();
}

void Unit4::Daten_einsortieren() {
    posi = 0;
    const QString p = buchPfad();
    if (p.isEmpty()) return;
    if (!existiert(p)) {
        datei_anlegen();
        anz = 0;
        posi = 0;
        datei_speichern();
        return;
    }
    // One open for reading the count and the last record (what the buffer holds after a full
    // pass) and for writing the new record behind it.
    QFile f(p);
    if (!f.open(QIODevice::ReadWrite)) return;
    anz = int(f.size() / kSatz);
    if (anz > 0 && f.seek(qint64(anz - 1) * kSatz)) {
        dateien tmp;
        if (f.read(reinterpret_cast<char*>(&tmp), kSatz) == kSatz) datei = tmp;
    }
    posi = anz;
    schreibeNeuenSatz(f);
}

void Unit4::datei_speichern() {
    const QString p = buchPfad();
    if (p.isEmpty()) return;
    QFile f(p);
    if (f.open(QIODevice::ReadWrite)) schreibeNeuenSatz(f);
}

void Unit4::schreibeNeuenSatz(QFile& f) {
    datei = element1;
    // A torn last record of a damaged book is overwritten, so records stay on their boundaries.
    if (!f.seek(qint64(anz) * kSatz)) return;
    if (f.write(reinterpret_cast<const char*>(&datei), kSatz) != kSatz) return;
    erfassenCaption = QStringLiteral("Daten erfolgreich gespeichert.");
    Q_EMIT erfassenCaptionGesetzt(erfassenCaption);
}

void Unit4::datei_speichern_aendern() {
    const QString p = buchPfad();
    if (!existiert(p)) return;
    QFile f(p);
    if (!f.open(QIODevice::ReadWrite)) return;
    const qint64 n = f.size() / kSatz;
    if (satznum < 1 || satznum - 1 > n) return;
    if (!f.seek(qint64(satznum - 1) * kSatz)) return;
    if (f.write(reinterpret_cast<const char*>(&datei), kSatz) != kSatz) return;
    erfassenCaption = QStringLiteral("Daten erfolgreich gespeichert.");
    Q_EMIT erfassenCaptionGesetzt(erfassenCaption);
}

void Unit4::Rubriken_erkennen() {
    listen.bearbNamen.clear();
    listen.erfNamen.clear();
    const QString p = buchPfad();
    if (existiert(p)) {
        QByteArray erfKat, bearbKat;
        const bool erfOk = exakteBytes(listen.erfKategorieText, erfKat);
        const bool bearbOk = exakteBytes(kategorie, bearbKat);
        jederSatz(p, kSatz, [&](const char* s, qint64, bool letzter) {
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (erfOk && d->kategorie.equalsBytes(erfKat)) dazu(listen.erfNamen, d->name.toQString());
            if (bearbOk && d->kategorie.equalsBytes(bearbKat)) dazu(listen.bearbNamen, d->name.toQString());
            if (letzter) kopiere(datei, s); // the buffer ends with the last record, as after a full pass
        });
    }
    Q_EMIT listenGeaendert();
}

void Unit4::Rubriken_oeffnen() {
    listen.bearbNamen.clear();
    listen.erfNamen.clear();
    const QString p = buchPfad();
    QByteArray rub;
    if (existiert(p) && exakteBytes(rubrik, rub)) {
        jederSatz(p, kSatz, [&](const char* s, qint64, bool letzter) {
            const auto* d = reinterpret_cast<const dateien*>(s);
            if (d->Rubrik.equalsBytes(rub)) {
                const QString n = d->name.toQString();
                dazu(listen.erfNamen, n);
                dazu(listen.bearbNamen, n);
            }
            if (letzter) kopiere(datei1, s);
        });
    }
    Q_EMIT listenGeaendert();
}

QList<UebersichtZeile> Unit4::rubrikZeilen() {
    QList<UebersichtZeile> zeilen;
    const QString p = buchPfad();
    QByteArray rub;
    if (!existiert(p) || !exakteBytes(rubrik, rub)) return zeilen;
    jederSatz(p, kSatz, [&](const char* s, qint64 i, bool letzter) {
        const auto* d = reinterpret_cast<const dateien*>(s);
        if (letzter) kopiere(datei, s); // the buffer holds the last record read, as after a full pass
        if (!d->Rubrik.equalsBytes(rub)) return;
        UebersichtZeile z;
        z.name = d->name.toQString();
        z.anzahl = d->anzahl.toQString();
        z.zeit = d->zeit.toQString();
        z.k_zeit = d->k_zeit.toQString();
        z.kalorien = d->kalorien.toQString();
        std::memcpy(&z.preis, s + offsetof(dateien, preis), sizeof(double));
        z.position = int(i + 1);
        zeilen.append(std::move(z));
    });
    return zeilen;
}

int Unit4::buchAnzahl() const {
    const QString p = buchPfad();
    return p.isEmpty() ? 0 : int(qMax<qint64>(0, satzAnzahl(p, kSatz)));
}

bool Unit4::satz_lesen(int nummer) {
    const QString p = buchPfad();
    QFile f(p);
    if (p.isEmpty() || nummer < 1 || !f.open(QIODevice::ReadOnly)) return false;
    if (!f.seek(qint64(nummer - 1) * kSatz)) return false;
    dateien tmp;
    if (f.read(reinterpret_cast<char*>(&tmp), kSatz) != kSatz) return false;
    datei = tmp;
    return true;
}

void Unit4::schreibfehlerMelden(const QString& datei, const QString& grund) {
    QString text = QStringLiteral("Die Datei \u201E%1\u201C konnte nicht gespeichert werden.").arg(datei);
    if (!grund.isEmpty()) text += QLatin1Char('\n') + grund;
    Q_EMIT schreibfehler(text);
}

// ---------------------------------------------------------------- sections and categories

void Unit4::Rubriken_lesen() {
    listen.bearbNamen.clear();
    listen.erfRubriken.clear();
    listen.hauptRubriken.clear();
    listen.hauptRubriken2.clear();
    const QString p = pfad(QStringLiteral("Rubriken.rub"));
    if (existiert(p)) {
        jederSatz(p, sizeof(rubriken), [&](const char* s, qint64, bool) {
            kopiere(r_daten, s);
            if (r_daten.rubrik.isEmpty()) return;
            const QString n = r_daten.rubrik.toQString();
            dazu(listen.suchRubriken, n);
            dazu(listen.erfRubriken, n);
            dazu(listen.rubListe, n);
            dazu(listen.bearbRubriken, n);
            dazuSortiert(listen.hauptRubriken, n);
            dazu(listen.hauptRubriken2, n);
        });
    }
    Q_EMIT listenGeaendert();
    Q_EMIT spaltenbreitenNeu();
}

void Unit4::Rubriken_speichern() {
    const QString p = pfad(QStringLiteral("Rubriken.rub"));
    if (existiert(p))
        anhaengen(p, &r_daten, sizeof(rubriken));
    else
        Rubriken_anlegen();
}

void Unit4::Rubriken_anlegen() {
    const QString p = pfad(QStringLiteral("Rubriken.rub"));
    // The first record is stored twice (create, then append); readers drop the repeat.
    if (neueDatei(p, &r_daten, sizeof(rubriken)) && existiert(p)) Rubriken_speichern();
}

void Unit4::Kategorien_lesen() {
    listen.erfRubriken.clear();
    listen.katListe.clear();
    const QString p = pfad(QStringLiteral("kategorien.kat"));
    if (existiert(p)) {
        jederSatz(p, sizeof(kategorien), [&](const char* s, qint64, bool) {
            kopiere(k_daten, s);
            if (k_daten.kategorie.isEmpty()) return;
            const QString n = k_daten.kategorie.toQString();
            dazu(listen.suchKategorien, n);
            dazu(listen.katListe, n);
            dazu(listen.erfKategorien, n);
            dazu(listen.bearbKategorien, n);
        });
    }
    Q_EMIT listenGeaendert();
}

void Unit4::Kategorien_speichern() {
    const QString p = pfad(QStringLiteral("kategorien.kat"));
    if (existiert(p)) {
        // An existing empty file stays empty.
        if (satzAnzahl(p, sizeof(kategorien)) >= 1) anhaengen(p, &k_daten, sizeof(kategorien));
    } else {
        Kategorien_anlegen();
    }
}

void Unit4::Kategorien_anlegen() {
    const QString p = pfad(QStringLiteral("kategorien.kat"));
    if (neueDatei(p, &k_daten, sizeof(kategorien)) && existiert(p)) Kategorien_speichern();
}

// ---------------------------------------------------------------- shopping list

void Unit4::einkauflist_lesen() {
    const QString p = pfad(QStringLiteral("Einkaufsliste.Ekl"));
    if (!existiert(p)) return;
    bool gelesen = false;
    jederSatz(p, sizeof(Einkaufstliste), [&](const char* s, qint64, bool) {
        kopiere(e_daten, s);
        gelesen = true;
    });
    if (gelesen) {
        einkaufText = e_daten.e_liste.toQString();
        Q_EMIT einkaufGelesen(einkaufText);
    }
}

void Unit4::einkauflist_speichern() {
    const QString p = pfad(QStringLiteral("Einkaufsliste.Ekl"));
    if (existiert(p)) {
        if (satzAnzahl(p, sizeof(Einkaufstliste)) >= 1) anhaengen(p, &e_daten, sizeof(Einkaufstliste));
    } else {
        einkauflist_anlegen();
    }
}

void Unit4::einkauflist_anlegen() {
    const QString p = pfad(QStringLiteral("Einkaufsliste.Ekl"));
    if (neueDatei(p, &e_daten, sizeof(Einkaufstliste)) && existiert(p)) einkauflist_speichern();
}

// ---------------------------------------------------------------- single-record files

void Unit4::opt_lesen() {
    const QString p = pfad(QStringLiteral("Rezept.opt"));
    if (!existiert(p)) return;
    if (ersterSatz(p, option)) rezeptbuch = option.rezeptbuch.toQString();
}

void Unit4::opt_speichern() {
    einzigerSatz(*this, pfad(QStringLiteral("Rezept.opt")), option);
}

void Unit4::druck_lesen() {
    if (!ersterSatz(pfad(QStringLiteral("Drucker.drk")), drucke)) druck_anlegen();
}

void Unit4::druck_speichern() {
    const QString p = pfad(QStringLiteral("Drucker.drk"));
    QString grund;
    if (einzigerSatz(*this, p, drucke, &grund)) return;
    schreibfehlerMelden(QFileInfo(p).fileName(), grund);
    // The fall-back to the defaults (druck_anlegen); its own failure is the same failure, told once.
    druckVorgaben(drucke);
    einzigerSatz(*this, p, drucke, &grund);
}

void Unit4::druck_anlegen() {
    druckVorgaben(drucke);
    einzigerSatz(*this, pfad(QStringLiteral("Drucker.drk")), drucke);
}

void Unit4::stamminh_lesen() {
    const QString p = pfad(QStringLiteral("Stammdaten.sti"));
    if (!existiert(p) || !ersterSatz(p, st_inh1)) stamminh_speichern();
}

void Unit4::stamminh_speichern() {
    einzigerSatz(*this, pfad(QStringLiteral("Stammdaten.sti")), st_inh1);
}

void Unit4::version_lesen() {
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (existiert(p)) ersterSatz(p, t_version);
}

void Unit4::version_speichern() {
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (!existiert(p)) {
        version_anlegen();
        return;
    }
    t_version.version = versionsnum;
    // Only the first record is replaced; anything behind it stays.
    std::optional<QByteArray> inhalt = pfl::dateiInhalt(p, kHoechsteVersionsdatei);
    if (!inhalt) {
        schreibfehlerMelden(QFileInfo(p).fileName(),
                            QStringLiteral("Die bisherige Datei lässt sich nicht lesen oder ist zu groß."));
        return;
    }
    if (inhalt->size() < qsizetype(sizeof(welcheversion))) inhalt->resize(sizeof(welcheversion));
    inhalt->replace(0, sizeof(welcheversion), pfl::satzBytes(t_version));
    ganzeDatei(*this, p, *inhalt);
}

void Unit4::version_anlegen() {
    // Creating the file empty and then storing the stamp in it ends in the same single record;
    // written in one step, a failure leaves no empty file behind.
    t_version.version = versionsnum;
    einzigerSatz(*this, pfad(QStringLiteral("Version.ver")), t_version);
}

// ---------------------------------------------------------------- renaming in every book

void Unit4::Dir_daten_konvertieren() {
    const QStringList buecher = buchDateien();
    for (const QString& e : buecher) {
        datei_rez = e;
        rezeptbuch = e.left(e.size() - 4);
        konvertieren();
    }
    opt_lesen();
    Q_EMIT copy1Angefordert();
}

void Unit4::konvertieren() {
    if (sichererName(rezeptbuch)) {
        const QString rez = pfad(rezeptbuch + QLatin1String(".rez"));
        if (existiert(rez)) {
            // The copy sits beside the book, with the book's own spelling of the name.
            const QString basis = rez.left(rez.size() - 4);
            QString aez = basis + QLatin1String(".Aez");
            const QString vorhanden = pfad(QFileInfo(aez).fileName());
            if (existiert(vorhanden)) QFile::remove(vorhanden);
            if (QFile::exists(aez)) QFile::remove(aez);
            if (QFile::rename(rez, aez) && existiert(aez))
                konvertiereDatei(rez, aez); // the book keeps its own spelling
        }
    }
    Q_EMIT copy1Angefordert();
}

void Unit4::konvertiereDatei(const QString& rez, const QString& aez) {
    QFile ein(aez);
    if (!ein.open(QIODevice::ReadOnly)) return;
    QFile aus(rez);
    if (!aus.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QByteArray alt;
    const bool vergleichbar = exakteBytes(konvert, alt);
    const QByteArray neuR = pfl::toCp1252(konvert_R);
    const QByteArray neuK = pfl::toCp1252(konvert_K);
    // Records are carried over in large blocks; only the renamed field of a matching record changes.
    const qint64 n = ein.size() / kSatz;
    const qint64 block = 128;
    QByteArray buf;
    for (qint64 i = 0; i < n; i += block) {
        const qint64 k = qMin(block, n - i);
        buf = ein.read(k * kSatz);
        if (buf.size() != k * kSatz) return;
        char* p = buf.data();
        for (qint64 j = 0; j < k; ++j) {
            auto* d = reinterpret_cast<dateien*>(p + j * kSatz);
            if (vergleichbar && konv == 2 && d->kategorie.equalsBytes(alt)) d->kategorie.setBytes(neuK);
            if (vergleichbar && konv == 1 && d->Rubrik.equalsBytes(alt)) d->Rubrik.setBytes(neuR);
        }
        if (aus.write(buf) != buf.size()) return;
        if (k > 0) kopiere(datei, p + (k - 1) * kSatz);
    }
}
