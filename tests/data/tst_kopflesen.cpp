// SPDX-License-Identifier: GPL-3.0-or-later
// The lists, overviews and searches read only the heads of the records (and a last record whole):
// on ordinary, foreign, cut and empty books they give exactly what decoding every whole record gives.
#include "data/Cp1252.h"
#include "data/Deutsch.h"
#include "data/Suche.h"
#include "data/Unit4.h"
#include "support/Testordner.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QSet>
#include <QtTest>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace {

constexpr qsizetype kSatz = sizeof(dateien);

// Records whose every byte is random, with their sections, categories and names taken from small
// pools (so that the selections and the dropping of repeats have work): foreign length bytes above
// a field's capacity, left-overs behind the lengths and ingredient blocks without a NUL included.
QByteArray fremdeSaetze(int anzahl, quint32 saat) {
    QRandomGenerator rnd(saat);
    const QStringList rubriken = {"Suppen", "suppen", "Salate"};
    const QStringList namen = {"Gulasch", "gulasch", "Linsensuppe", "Öl-Fondue", ""};
    QByteArray b;
    for (int i = 0; i < anzahl; ++i) {
        dateien d;
        auto* roh = reinterpret_cast<quint32*>(&d);
        for (size_t k = 0; k < sizeof d / 4; ++k)
            roh[k] = rnd.generate();
        if (rnd.bounded(4) > 0) d.Rubrik = rubriken[rnd.bounded(int(rubriken.size()))];
        if (rnd.bounded(4) > 0) d.name = namen[rnd.bounded(int(namen.size()))];
        if (rnd.bounded(2) > 0) d.kategorie = QStringLiteral("Deftig");
        if (rnd.bounded(3) == 0) d.zutaten.setPlainText(QStringLiteral("2 Eier\n1 Bund Bärlauch"));
        // Ingredient texts that go on past the start a scan reads first: a long one, and a block
        // without its NUL.
        if (rnd.bounded(6) == 0) d.zutaten.setPlainText(QStringLiteral("200 g Mehl\n").repeated(400));
        if (rnd.bounded(8) == 0) std::memset(d.zutaten.bytes, 'z', sizeof d.zutaten.bytes);
        b += Testordner::bytes(d);
    }
    return b;
}

QByteArray gewoehnlicheSaetze() {
    QByteArray b;
    int i = 0;
    for (const auto& [rubrik, name] : QList<QPair<QString, QString>>{{"Suppen", "Gulasch"},
                                                                     {"Salate", "Linsensalat"},
                                                                     {"Suppen", "gulasch"},
                                                                     {"Suppen", ""},
                                                                     {"Desserts", "Öl-Fondue"},
                                                                     {"Suppen", "Linsensuppe"},
                                                                     {"Suppen", "Gulasch"}}) {
        dateien d =
            Testordner::rezept(rubrik, name, i % 2 ? "Deftig" : "Leicht", 2.5 * i, QString::number(10 * i));
        d.bild = QStringLiteral("bild%1.jpg").arg(i);
        d.erfasst_am = QStringLiteral("0%1.03.2024").arg(i + 1);
        d.zutaten.setPlainText(i == 2 ? QStringLiteral("1 Bund Bärlauch") : QStringLiteral("2 Eier"));
        b += Testordner::bytes(d);
        ++i;
    }
    return b;
}

// What a pass over whole records sees: the complete records of the file.
QList<dateien> ganzeSaetze(const QByteArray& buch) {
    QList<dateien> l;
    for (qsizetype i = 0; i + kSatz <= buch.size(); i += kSatz)
        l << Testordner::satz<dateien>(buch.mid(i, kSatz));
    return l;
}

// The names of a selection, each once without regard to case, in book order.
QStringList einmal(const QStringList& namen, bool ohneLeere) {
    QStringList l;
    QSet<QString> gesehen;
    for (const QString& n : namen) {
        if ((ohneLeere && n.isEmpty()) || gesehen.contains(n.toCaseFolded())) continue;
        gesehen.insert(n.toCaseFolded());
        l << n;
    }
    return l;
}

bool gleich(const dateien& a, const dateien& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool gleich(const pfl::Listenzeile& a, const pfl::Listenzeile& b) {
    return a.position == b.position && a.kategorie == b.kategorie && a.rubrik == b.rubrik &&
           a.name == b.name && a.personen == b.personen && a.zeit == b.zeit && a.schwer == b.schwer &&
           a.kalorien == b.kalorien && a.erfasst_am == b.erfasst_am &&
           std::memcmp(&a.preis, &b.preis, sizeof a.preis) == 0;
}

} // namespace

class TestKopflesen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wieGanzeSaetze_data();
    void wieGanzeSaetze();
    void indexFolgtDemBuch();
    void gespeicherterIndex_data();
    void gespeicherterIndex();
    void indexOrdnerAufraeumen();
};

void TestKopflesen::wieGanzeSaetze_data() {
    QTest::addColumn<QByteArray>("buch");
    // An old book keeps the index of its sections between the reads, so the second round of reads
    // takes the records the index names instead of passing over the book.
    QTest::addColumn<bool>("alt");
    // Reading whole blocks only, as where the kernel offers no batched reads.
    QTest::addColumn<bool>("bloecke");
    QTest::newRow("gewöhnlich") << gewoehnlicheSaetze() << false << false;
    QTest::newRow("fremde Bytes") << fremdeSaetze(60, 3) << false << false;
    QTest::newRow("abgeschnittener letzter Satz")
        << fremdeSaetze(9, 5) + QByteArray(1000, 'x') << false << false;
    QTest::newRow("nur ein Rest") << QByteArray(435, 'x') << false << false;
    QTest::newRow("leer") << QByteArray() << false << false;
    QTest::newRow("ein Satz") << gewoehnlicheSaetze().left(kSatz) << false << false;
    QTest::newRow("viele Sätze") << fremdeSaetze(700, 7) << false << false;
    QTest::newRow("viele Sätze, abgeschnitten")
        << fremdeSaetze(600, 11) + QByteArray(3000, 'x') << false << false;
    QTest::newRow("gewöhnlich, alt") << gewoehnlicheSaetze() << true << false;
    QTest::newRow("viele Sätze, alt") << fremdeSaetze(700, 7) << true << false;
    QTest::newRow("fremde Bytes, alt") << fremdeSaetze(60, 3) << true << false;
    QTest::newRow("abgeschnitten, alt") << fremdeSaetze(9, 5) + QByteArray(1000, 'x') << true << false;
    QTest::newRow("fremde Bytes, Blöcke") << fremdeSaetze(60, 3) << false << true;
    QTest::newRow("viele Sätze, Blöcke") << fremdeSaetze(700, 7) << false << true;
    QTest::newRow("abgeschnitten, Blöcke") << fremdeSaetze(9, 5) + QByteArray(1000, 'x') << false << true;
}

void TestKopflesen::wieGanzeSaetze() {
    QFETCH(QByteArray, buch);
    QFETCH(bool, alt);
    QFETCH(bool, bloecke);
    pfl::Satzleser::teileErlauben(!bloecke);
    const auto zurueck = qScopeGuard([] { pfl::Satzleser::teileErlauben(true); });
    Testordner dir;
    dir.schreibe("Buch.rez", buch);
    dir.optionen("Buch");
    if (alt) QTest::qSleep(1100);
    Unit4 u;
    u.initialisieren(dir.pfad());
    const QList<dateien> saetze = ganzeSaetze(buch);
    dateien vorher;
    std::memset(static_cast<void*>(&vorher), 0x5A, sizeof vorher);
    const dateien letzter = saetze.isEmpty() ? vorher : saetze.last();

    // datei_lesen: every name once, the count, the last record in the buffer.
    u.datei = vorher;
    u.datei_lesen();
    QStringList alleNamen;
    for (const dateien& d : saetze)
        alleNamen << d.name.toQString();
    QCOMPARE(u.listen.rezeptnamenGesammelt, einmal(alleNamen, true));
    QCOMPARE(u.daten, int(saetze.size()));
    QVERIFY(gleich(u.datei, letzter));

    for (const QString& rubrik : {QStringLiteral("Suppen"), QStringLiteral("Salate"), QStringLiteral("Keine"),
                                  QStringLiteral("Suppen"), QStringLiteral("Salate")}) {
        QStringList namen;
        QList<UebersichtZeile> erwartet;
        for (int i = 0; i < saetze.size(); ++i) {
            const dateien& d = saetze[i];
            if (d.Rubrik.toQString() != rubrik) continue;
            namen << d.name.toQString();
            UebersichtZeile z;
            z.name = d.name.toQString();
            z.anzahl = d.anzahl.toQString();
            z.zeit = d.zeit.toQString();
            z.k_zeit = d.k_zeit.toQString();
            z.kalorien = d.kalorien.toQString();
            z.preis = d.preis;
            z.position = i + 1;
            erwartet << z;
        }
        // The overview of the section.
        u.rubrik = rubrik;
        u.datei = vorher;
        const QList<UebersichtZeile> zeilen = u.rubrikZeilen();
        QCOMPARE(zeilen.size(), erwartet.size());
        for (int i = 0; i < zeilen.size(); ++i) {
            QCOMPARE(zeilen[i].name, erwartet[i].name);
            QCOMPARE(zeilen[i].anzahl, erwartet[i].anzahl);
            QCOMPARE(zeilen[i].zeit, erwartet[i].zeit);
            QCOMPARE(zeilen[i].k_zeit, erwartet[i].k_zeit);
            QCOMPARE(zeilen[i].kalorien, erwartet[i].kalorien);
            QVERIFY(std::memcmp(&zeilen[i].preis, &erwartet[i].preis, sizeof(double)) == 0);
            QCOMPARE(zeilen[i].position, erwartet[i].position);
        }
        QVERIFY(gleich(u.datei, letzter));
        // The editor's recipe list of the section, and the one Rubriken_oeffnen fills.
        QCOMPARE(u.rubrikNamen().value(rubrik), einmal(namen, false));
        u.datei1 = vorher;
        u.Rubriken_oeffnen();
        QCOMPARE(u.listen.rezeptnamenGewaehlt, einmal(namen, false));
        QVERIFY(gleich(u.datei1, letzter));
    }

    // The names of a category.
    QStringList deftig;
    for (const dateien& d : saetze)
        if (d.kategorie.toQString() == QLatin1String("Deftig")) deftig << d.name.toQString();
    u.listen.rezeptnamenKategorie = QStringLiteral("Deftig");
    u.datei = vorher;
    u.Rubriken_erkennen();
    QCOMPARE(u.listen.rezeptnamenGewaehlt, einmal(deftig, false));
    QVERIFY(gleich(u.datei, letzter));

    // A name's first position, and the entry window's take-over of a name: the last match whole,
    // every match's picture name.
    for (const QString& name :
         {QStringLiteral("Gulasch"), QStringLiteral("Öl-Fondue"), QStringLiteral("Fehlt")}) {
        int erste = 0;
        QStringList bilder;
        dateien treffer = vorher;
        for (int i = 0; i < saetze.size(); ++i)
            if (saetze[i].name.toQString() == name) {
                if (erste == 0) erste = i + 1;
                bilder << saetze[i].bild.toQString();
                treffer = saetze[i];
            }
        QCOMPARE(u.namensPosition(name), erste);
        dateien gelesen = vorher;
        QStringList gelesenBilder;
        u.datei = vorher;
        QCOMPARE(u.gerichtLesen(name, gelesen, gelesenBilder), erste > 0);
        QCOMPARE(gelesenBilder, bilder);
        QVERIFY(gleich(gelesen, treffer));
        QVERIFY(gleich(u.datei, letzter));
    }

    // The book listing, whole and as the result of searches; every row as a whole record gives it.
    QList<std::optional<pfl::Suchbegriff>> begriffe = {std::nullopt};
    for (const auto& [feld, text] :
         QList<QPair<pfl::Textfeld, QString>>{{pfl::Textfeld::Name, "gulasch"},
                                              {pfl::Textfeld::Rubrik, "SUPPEN"},
                                              {pfl::Textfeld::Zutaten, "bärlauch"}}) {
        pfl::Suchbegriff b;
        b.feld = feld;
        b.objekt = text;
        begriffe << b;
    }
    pfl::Suchbegriff teurer;
    teurer.was = 1;
    teurer.objekt_zahl = 5;
    begriffe << teurer;
    for (const std::optional<pfl::Suchbegriff>& b : begriffe) {
        QList<pfl::Listenzeile> erwartet;
        for (int i = 0; i < saetze.size(); ++i)
            if (!b || pfl::passt(saetze[i], *b))
                erwartet << pfl::listenzeile(reinterpret_cast<const char*>(&saetze[i]), i + 1);
        u.datei = vorher;
        u.daten = -1;
        const QList<pfl::Listenzeile> zeilen = u.buchListe(b ? &*b : nullptr);
        QCOMPARE(zeilen.size(), erwartet.size());
        for (int i = 0; i < zeilen.size(); ++i)
            QVERIFY2(gleich(zeilen[i], erwartet[i]), qPrintable(QStringLiteral("row %1").arg(i)));
        QVERIFY(gleich(u.datei, letzter));
        if (b) QCOMPARE(u.daten, int(saetze.size()));
    }

    // The whole-book listing with the rows of the pass that reads the names.
    u.datei = vorher;
    u.listen.rezeptnamenGesammelt.clear();
    u.datei_lesenFuerListe();
    QCOMPARE(u.listen.rezeptnamenGesammelt, einmal(alleNamen, true));
    QCOMPARE(u.daten, int(saetze.size()));
    QVERIFY(gleich(u.datei, letzter));
    const QList<pfl::Listenzeile> vorab = u.buchListe(nullptr);
    QCOMPARE(vorab.size(), saetze.size());
    for (int i = 0; i < vorab.size(); ++i)
        QVERIFY2(gleich(vorab[i], pfl::listenzeile(reinterpret_cast<const char*>(&saetze[i]), i + 1)),
                 qPrintable(QStringLiteral("row %1").arg(i)));

    // The ingredient texts of the search window's list.
    QStringList texte, gelesen;
    for (const dateien& d : saetze)
        texte << d.zutaten.toQString();
    pfl::jedeZutatenliste(dir.pfad(), dir.datei("Buch.rez"),
                          [&](const char* t, qsizetype n) { gelesen << pfl::fromCp1252(t, n); });
    QCOMPARE(gelesen, texte);
}

// The index of an old book's sections is only used while the book is what it was: a record
// changed in place, a book replaced by another of the same size and a record added each show.
void TestKopflesen::indexFolgtDemBuch() {
    const auto namen = [](const QList<UebersichtZeile>& zeilen) {
        QStringList l;
        for (const UebersichtZeile& z : zeilen)
            l << z.name + QLatin1Char('@') + QString::number(z.position);
        return l;
    };
    const auto buchAus = [](const QList<QPair<QString, QString>>& saetze) {
        QByteArray b;
        for (const auto& [rubrik, name] : saetze)
            b += Testordner::bytes(Testordner::rezept(rubrik, name));
        return b;
    };
    Testordner dir;
    dir.schreibe("Buch.rez",
                 buchAus({{"Suppen", "Gulasch"}, {"Salate", "Linsensalat"}, {"Suppen", "Brühe"}}));
    // The same size, other sections: it replaces the book by a rename later.
    dir.schreibe("Ersatz.neu",
                 buchAus({{"Salate", "Gurkensalat"}, {"Suppen", "Borschtsch"}, {"Salate", "Kraut"}}));
    dir.optionen("Buch");
    QTest::qSleep(1100);
    Unit4 u;
    u.initialisieren(dir.pfad());
    u.rubrik = QStringLiteral("Suppen");
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gulasch@1", "Brühe@3"}));
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gulasch@1", "Brühe@3"}));

    // Changed in place, the book keeps its size.
    QVERIFY(u.satz_lesen(3));
    u.datei.Rubrik = QStringLiteral("Salate");
    u.satznum = 3;
    u.datei_speichern_aendern();
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gulasch@1"}));
    u.rubrik = QStringLiteral("Salate");
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Linsensalat@2", "Brühe@3"}));

    // Replaced by another file of the same size, once the index of the changed book holds again.
    QTest::qSleep(1100);
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Linsensalat@2", "Brühe@3"}));
    QCOMPARE(std::rename(QFile::encodeName(dir.datei("Ersatz.neu")).constData(),
                         QFile::encodeName(dir.datei("Buch.rez")).constData()),
             0);
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gurkensalat@1", "Kraut@3"}));

    // A recipe added.
    QTest::qSleep(1100);
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gurkensalat@1", "Kraut@3"}));
    u.element1 = Testordner::rezept(QStringLiteral("Salate"), QStringLiteral("Rote Bete"));
    u.Daten_einsortieren();
    QCOMPARE(namen(u.rubrikZeilen()), QStringList({"Gurkensalat@1", "Kraut@3", "Rote Bete@4"}));
    u.Rubriken_oeffnen();
    QCOMPARE(u.listen.rezeptnamenGewaehlt, QStringList({"Gurkensalat", "Kraut", "Rote Bete"}));
}

namespace {

QStringList rubrikNamen(const QList<UebersichtZeile>& zeilen) {
    QStringList l;
    for (const UebersichtZeile& z : zeilen)
        l << z.name + QLatin1Char('@') + QString::number(z.position);
    return l;
}

QByteArray buchAus(const QList<QPair<QString, QString>>& saetze) {
    QByteArray b;
    for (const auto& [rubrik, name] : saetze)
        b += Testordner::bytes(Testordner::rezept(rubrik, name));
    return b;
}

// The one kept index file in ordner, or empty.
QString indexDateiIn(const QString& ordner) {
    const QFileInfoList l = QDir(ordner).entryInfoList({QStringLiteral("*.idx")}, QDir::Files);
    return l.size() == 1 ? l.first().absoluteFilePath() : QString();
}

void alsLangeUngenutzt(const QString& datei) {
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
}

qint64 knoten(const QString& datei) {
    struct stat st;
    return ::stat(QFile::encodeName(datei).constData(), &st) == 0 ? qint64(st.st_ino) : -1;
}

bool kuerzlichGenutzt(const QString& datei) {
    return QFileInfo(datei).lastModified().date().year() > 2001;
}

} // namespace

// The index of sections a run keeps for the next is used only while the book is the one it was
// made of; whatever happened to the book or to the kept file meanwhile, a start shows the book's
// true sections, and keeps a sound index again for the run after.
void TestKopflesen::gespeicherterIndex_data() {
    QTest::addColumn<QString>("dazwischen");
    QTest::addColumn<QStringList>("suppen");
    QTest::addColumn<bool>("genutzt"); // the kept index serves the second run as it is

    const QStringList alt = {"Gulasch@1", "Brühe@3"};
    QTest::newRow("nothing happened") << "nichts" << alt << true;
    QTest::newRow("a record changed in place by another program")
        << "satz geaendert" << QStringList{"Gulasch@1"} << false;
    QTest::newRow("the book replaced by one of the same size")
        << "ersetzt" << QStringList{"Borschtsch@2"} << false;
    QTest::newRow("a record appended")
        << "angehaengt" << QStringList{"Gulasch@1", "Brühe@3", "Kohl@4"} << false;
    QTest::newRow("the index file with a byte changed") << "index gekippt" << alt << false;
    QTest::newRow("the index file cut") << "index gekuerzt" << alt << false;
    QTest::newRow("the index file empty") << "index leer" << alt << false;
    QTest::newRow("another book's index under this book's name") << "index fremd" << alt << false;
}

void TestKopflesen::gespeicherterIndex() {
    QFETCH(QString, dazwischen);
    QFETCH(QStringList, suppen);
    QFETCH(bool, genutzt);

    Testordner dir;
    const QByteArray buch = buchAus({{"Suppen", "Gulasch"}, {"Salate", "Linsensalat"}, {"Suppen", "Brühe"}});
    dir.schreibe("Buch.rez", buch);
    dir.schreibe("Ersatz.neu",
                 buchAus({{"Salate", "Gurkensalat"}, {"Suppen", "Borschtsch"}, {"Salate", "Kraut"}}));
    dir.schreibe("Anders.rez", buchAus({{"Suppen", "Kohl"}, {"Suppen", "Rübe"}, {"Suppen", "Lauch"}}));
    dir.optionen("Buch");
    QTemporaryDir cache;
    const QString ordner = cache.filePath(QStringLiteral("kopfindex"));
    QTest::qSleep(1100); // only a book unchanged for a moment is indexed

    const auto lauf = [&](QList<UebersichtZeile>* zeilen, QStringList* namen, const QString& indexOrdner) {
        Unit4 u;
        u.indexOrdner = indexOrdner;
        u.initialisieren(dir.pfad());
        u.rubrik = QStringLiteral("Suppen");
        *zeilen = u.rubrikZeilen();
        u.Rubriken_oeffnen();
        *namen = u.listen.rezeptnamenGewaehlt;
    };
    QList<UebersichtZeile> zeilen;
    QStringList namen;
    lauf(&zeilen, &namen, ordner);
    QCOMPARE(rubrikNamen(zeilen), QStringList({"Gulasch@1", "Brühe@3"}));
    const QString index = indexDateiIn(ordner);
    QVERIFY(!index.isEmpty());
    QCOMPARE(QFileInfo(index).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
             QFileDevice::Permissions());

    // Another book's index, kept under its own name.
    QByteArray fremd;
    {
        Unit4 u;
        u.indexOrdner = cache.filePath(QStringLiteral("anderes"));
        u.initialisieren(dir.pfad());
        u.rezeptbuch = QStringLiteral("Anders");
        u.rubrik = QStringLiteral("Suppen");
        QCOMPARE(u.rubrikZeilen().size(), 3);
        QFile f(indexDateiIn(u.indexOrdner));
        QVERIFY(f.open(QIODevice::ReadOnly));
        fremd = f.readAll();
    }

    QFile f(index);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray inhalt = f.readAll();
    f.close();
    const auto indexSchreiben = [&](const QByteArray& b) {
        QFile w(index);
        QVERIFY(w.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(w.write(b), b.size());
    };
    const auto buchAendern = [&](qint64 pos, const QByteArray& b) {
        QFile w(dir.datei("Buch.rez"));
        QVERIFY(w.open(QIODevice::ReadWrite));
        QVERIFY(w.seek(pos));
        QCOMPARE(w.write(b), b.size());
    };
    if (dazwischen == QLatin1String("satz geaendert")) {
        buchAendern(2 * kSatz, buchAus({{"Salate", "Brühe"}}));
    } else if (dazwischen == QLatin1String("ersetzt")) {
        QCOMPARE(std::rename(QFile::encodeName(dir.datei("Ersatz.neu")).constData(),
                             QFile::encodeName(dir.datei("Buch.rez")).constData()),
                 0);
    } else if (dazwischen == QLatin1String("angehaengt")) {
        buchAendern(3 * kSatz, buchAus({{"Suppen", "Kohl"}}));
    } else if (dazwischen == QLatin1String("index gekippt")) {
        // A section number of a record: with a sound sum it would put the record elsewhere.
        inhalt[inhalt.size() - 10] = char(inhalt[inhalt.size() - 10] ^ 1);
        indexSchreiben(inhalt);
    } else if (dazwischen == QLatin1String("index gekuerzt")) {
        indexSchreiben(inhalt.left(inhalt.size() - 3));
    } else if (dazwischen == QLatin1String("index leer")) {
        indexSchreiben({});
    } else if (dazwischen == QLatin1String("index fremd")) {
        indexSchreiben(fremd);
    }
    QVERIFY(!QTest::currentTestFailed());
    if (dazwischen != QLatin1String("nichts")) QTest::qSleep(1100);
    alsLangeUngenutzt(index);
    QFile vorher(index);
    QVERIFY(vorher.open(QIODevice::ReadOnly));
    const QByteArray vorherInhalt = vorher.readAll();
    vorher.close();
    const qint64 vorherKnoten = knoten(index);

    // The second run, and what a run without any kept index shows.
    QList<UebersichtZeile> ohneZeilen;
    QStringList ohneNamen;
    lauf(&ohneZeilen, &ohneNamen, QString());
    QCOMPARE(rubrikNamen(ohneZeilen), suppen);
    lauf(&zeilen, &namen, ordner);
    QCOMPARE(rubrikNamen(zeilen), suppen);
    QCOMPARE(namen, ohneNamen);
    QFile nachher(index);
    QVERIFY(nachher.open(QIODevice::ReadOnly));
    if (genutzt) QCOMPARE(nachher.readAll(), vorherInhalt);
    nachher.close();
    // Used as it was (the same file), or written anew (a file moved into its place).
    QCOMPARE(knoten(index) == vorherKnoten, genutzt);
    QVERIFY(kuerzlichGenutzt(index));

    // What the second run left serves the third.
    alsLangeUngenutzt(index);
    lauf(&zeilen, &namen, ordner);
    QCOMPARE(rubrikNamen(zeilen), suppen);
    QVERIFY(kuerzlichGenutzt(index));
    QCOMPARE(indexDateiIn(ordner), index);
}

// The cache folder keeps the indexes of the books used last and no temporary file of a write that
// died long ago; an index folder that cannot be made costs only the speed.
void TestKopflesen::indexOrdnerAufraeumen() {
    Testordner dir;
    dir.schreibe("Buch.rez", buchAus({{"Suppen", "Gulasch"}, {"Salate", "Linsensalat"}}));
    dir.optionen("Buch");
    QTemporaryDir cache;
    const QDir ordner(cache.filePath(QStringLiteral("kopfindex")));
    QVERIFY(QDir().mkpath(ordner.path()));
    const auto anlegen = [&](const QString& name, const QDateTime& zeit) {
        QFile f(ordner.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("alt");
        QVERIFY(f.flush());
        QVERIFY(f.setFileTime(zeit, QFileDevice::FileModificationTime));
    };
    const QDateTime jetzt = QDateTime::currentDateTime();
    for (int i = 0; i < 70; ++i)
        anlegen(QStringLiteral("%1.idx").arg(i, 16, 10, QLatin1Char('0')), jetzt.addDays(-1 - i));
    anlegen(QStringLiteral("0000000000000001.idx.4242.tmp"), jetzt.addDays(-2));
    anlegen(QStringLiteral("0000000000000002.idx.4243.tmp"), jetzt.addSecs(-60));
    QTest::qSleep(1100);

    Unit4 u;
    u.indexOrdner = ordner.path();
    u.initialisieren(dir.pfad());
    u.rubrik = QStringLiteral("Suppen");
    QCOMPARE(rubrikNamen(u.rubrikZeilen()), QStringList({"Gulasch@1"}));
    const QStringList idx = ordner.entryList({QStringLiteral("*.idx")}, QDir::Files, QDir::Time);
    QCOMPARE(idx.size(), 64);
    // The new index and the 63 used last of the others.
    QCOMPARE(idx.last(), QStringLiteral("%1.idx").arg(62, 16, 10, QLatin1Char('0')));
    QVERIFY(!idx.first().startsWith(QLatin1String("00000000000000")));
    QCOMPARE(ordner.entryList({QStringLiteral("*.tmp")}, QDir::Files),
             QStringList({QStringLiteral("0000000000000002.idx.4243.tmp")}));

    // A file where the folder should be.
    QFile blockiert(cache.filePath(QStringLiteral("datei")));
    QVERIFY(blockiert.open(QIODevice::WriteOnly));
    blockiert.close();
    Unit4 v;
    v.indexOrdner = blockiert.fileName();
    v.initialisieren(dir.pfad());
    v.rubrik = QStringLiteral("Salate");
    QCOMPARE(rubrikNamen(v.rubrikZeilen()), QStringList({"Linsensalat@2"}));
    QCOMPARE(rubrikNamen(v.rubrikZeilen()), QStringList({"Linsensalat@2"}));
}

QTEST_GUILESS_MAIN(TestKopflesen)
#include "tst_kopflesen.moc"
