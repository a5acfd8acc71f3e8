// SPDX-License-Identifier: GPL-3.0-or-later
// The scan of the search on record bytes: its case folding against the text rule, and the scan
// across books with books that vanish, shrink or are directories, with progress and cancelling.
#include "data/Cp1252.h"
#include "data/Suche.h"
#include "support/Testordner.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

Q_DECLARE_METATYPE(pfl::Textfeld)
Q_DECLARE_METATYPE(pfl::Leseart)

namespace {

dateien mitZutaten(const QString& name, const QString& zutaten) {
    dateien d = Testordner::rezept(QStringLiteral("Suppen"), name, QStringLiteral("Deftig"));
    d.zutaten.setPlainText(zutaten);
    return d;
}

// A recipe whose ingredient block is filled to the last byte, without a NUL.
dateien ohneNul(const QString& name, const QByteArray& bytes) {
    dateien d = mitZutaten(name, QString());
    std::memcpy(d.zutaten.bytes, bytes.constData(), sizeof d.zutaten.bytes);
    return d;
}

QList<int> positionen(const pfl::Buchsuchergebnis& e, const QString& buch) {
    QList<int> l;
    for (const pfl::Buchtreffer& t : e.treffer)
        if (t.buch == buch) l << t.zeile.position;
    return l;
}

} // namespace

class TestBuchsuche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faltungWieTextregel_data();
    void faltungWieTextregel();
    void felderUndRaender_data();
    void felderUndRaender();
    void buecherMitLueckenUndOrdnern_data() { beideLesearten(); }
    void buecherMitLueckenUndOrdnern();
    void schrumpfendesBuch_data();
    void schrumpfendesBuch();
    void abbrechen_data() { beideLesearten(); }
    void abbrechen();
    void grossesBuch_data();
    void grossesBuch();

private:
    static void beideLesearten() {
        QTest::addColumn<pfl::Leseart>("art");
        QTest::newRow("nur Felder") << pfl::Leseart::Felder;
        QTest::newRow("Blöcke") << pfl::Leseart::Bloecke;
    }
};

void TestBuchsuche::faltungWieTextregel_data() {
    QTest::addColumn<bool>("exakt");
    QTest::newRow("exakt") << true;
    QTest::newRow("Teil") << false;
}

void TestBuchsuche::faltungWieTextregel() {
    // Every pair of Windows-1252 characters: the byte scan finds one in the other exactly when their
    // capitals (suchform) are equal.
    QFETCH(bool, exakt);
    dateien d = Testordner::rezept(QStringLiteral("R"), QString(), QStringLiteral("K"));
    pfl::Suchbegriff b;
    b.feld = pfl::Textfeld::Name;
    b.exakt = exakt;
    int abweichungen = 0;
    for (int a = 0x21; a < 256; ++a) {
        const char ca = char(a);
        const QString sa = pfl::fromCp1252(&ca, 1);
        b.objekt = QStringLiteral("x") + sa;
        const pfl::Suchpruefer pruefer(b);
        for (int c = 0x21; c < 256; ++c) {
            const char cc = char(c);
            const QString sc = pfl::fromCp1252(&cc, 1);
            d.name = QStringLiteral("X") + sc;
            const bool erwartet = pfl::suchform(b.objekt) == pfl::suchform(d.name.toQString());
            if (pruefer.passt(reinterpret_cast<const char*>(&d)) != erwartet && ++abweichungen < 5)
                qWarning("%02x against %02x", a, c);
        }
    }
    QCOMPARE(abweichungen, 0);
}

void TestBuchsuche::felderUndRaender_data() {
    QTest::addColumn<pfl::Textfeld>("feld");
    QTest::addColumn<bool>("exakt");
    QTest::addColumn<QString>("objekt");
    QTest::addColumn<QByteArray>("inhalt"); // the field's bytes as stored
    QTest::addColumn<bool>("passt");
    using pfl::Textfeld;
    QTest::newRow("Steuerzeichen am Rand")
        << Textfeld::Rubrik << true << "suppen" << QByteArray("\t Suppen\r\n") << true;
    QTest::newRow("Zutaten ohne NUL am Ende")
        << Textfeld::Zutaten << false << "ende" << QByteArray(5001 - 4, 'a') + "ENDE" << true;
    QTest::newRow("Zutaten hinter NUL zählt nicht")
        << Textfeld::Zutaten << false << "salz" << QByteArray("Mehl\0Salz", 9) << false;
    QTest::newRow("Suchtext länger als Feld")
        << Textfeld::Kategorie << false << "Deftiger" << QByteArray("Deftig") << false;
    QTest::newRow("Œ und œ") << Textfeld::Name << false << "\u0153uf"
                             << QByteArray("\x8C"
                                           "UF")
                             << true;
    QTest::newRow("Ÿ und ÿ") << Textfeld::Name << true << "\u00FF" << QByteArray("\x9F") << true;
    QTest::newRow("Prozent wörtlich") << Textfeld::Name << false << "%" << QByteArray("100 g") << false;
    QTest::newRow("Fragezeichen ist kein Ersatz")
        << Textfeld::Name << false << "Bor\u0161\u010D" << QByteArray("Bor\x9A?") << false;
}

void TestBuchsuche::felderUndRaender() {
    QFETCH(pfl::Textfeld, feld);
    QFETCH(bool, exakt);
    QFETCH(QString, objekt);
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, passt);
    dateien d = Testordner::rezept(QStringLiteral("R"), QStringLiteral("N"), QStringLiteral("K"));
    switch (feld) {
    case pfl::Textfeld::Zutaten:
        std::memset(d.zutaten.bytes, 0, sizeof d.zutaten.bytes);
        std::memcpy(d.zutaten.bytes, inhalt.constData(), size_t(inhalt.size()));
        break;
    case pfl::Textfeld::Rubrik:
        d.Rubrik.setBytes(inhalt);
        break;
    case pfl::Textfeld::Kategorie:
        d.kategorie.setBytes(inhalt);
        break;
    case pfl::Textfeld::Name:
        d.name.setBytes(inhalt);
        break;
    }
    pfl::Suchbegriff b;
    b.feld = feld;
    b.exakt = exakt;
    b.objekt = objekt;
    QCOMPARE(pfl::passt(d, b), passt);
}

void TestBuchsuche::buecherMitLueckenUndOrdnern() {
    QFETCH(pfl::Leseart, art);
    Testordner dir;
    // Record 4's hit lies far behind the start of its ingredients; record 5 fills all 5001 bytes.
    dir.buch(QStringLiteral("A.rez"),
             {mitZutaten(QStringLiteral("Eins"), QStringLiteral("Nudeln")),
              mitZutaten(QStringLiteral("Zwei"), QStringLiteral("Reis")),
              mitZutaten(QStringLiteral("Drei"), QStringLiteral("nudeln, Salz")),
              mitZutaten(QStringLiteral("Vier"), QString(3000, QLatin1Char('x')) + QStringLiteral(" Nudeln")),
              ohneNul(QStringLiteral("Fünf"), QByteArray(5001 - 6, 'x') + "Nudeln")});
    dir.buch(QStringLiteral("a.REZ"), {mitZutaten(QStringLiteral("Vier"), QStringLiteral("NUDELN"))});
    // A book with a torn last record: the complete records count.
    QByteArray halb = Testordner::bytes(mitZutaten(QStringLiteral("Fünf"), QStringLiteral("Nudeln")));
    halb += Testordner::bytes(mitZutaten(QStringLiteral("Sechs"), QStringLiteral("Nudeln"))).left(5000);
    dir.schreibe(QStringLiteral("Halb.rez"), halb);
    QDir().mkpath(dir.datei(QStringLiteral("Ordner.rez")));
    pfl::Suchbegriff b;
    b.feld = pfl::Textfeld::Zutaten;
    b.objekt = QStringLiteral(" Nudeln ");
    QStringList gemeldet;
    const pfl::Buchsuchergebnis e = pfl::buecherDurchsuchen(
        dir.pfad(),
        {QStringLiteral("A.rez"), QStringLiteral("Fehlt.rez"), QStringLiteral("Ordner.rez"),
         QStringLiteral("Halb.rez"), QStringLiteral("a.REZ")},
        b,
        [&](const QString& datei, int nummer, int anzahl) {
            gemeldet << QStringLiteral("%1 %2/%3").arg(datei).arg(nummer).arg(anzahl);
            return true;
        },
        art);
    QVERIFY(!e.abgebrochen);
    QCOMPARE(positionen(e, QStringLiteral("A")), QList<int>({1, 3, 4, 5}));
    QCOMPARE(positionen(e, QStringLiteral("a")), QList<int>({1}));
    QCOMPARE(positionen(e, QStringLiteral("Halb")), QList<int>({1}));
    QCOMPARE(e.treffer.size(), 6);
    QCOMPARE(e.treffer.at(1).zeile.name, QStringLiteral("Drei"));
    QCOMPARE(e.treffer.at(1).zeile.rubrik, QStringLiteral("Suppen"));
    QCOMPARE(gemeldet,
             (QStringList{"A.rez 1/5", "Fehlt.rez 2/5", "Ordner.rez 3/5", "Halb.rez 4/5", "a.REZ 5/5"}));
    // A text no record can hold finds nothing, without a look at any book.
    b.objekt = QStringLiteral("Nudeln \u2603");
    gemeldet.clear();
    QVERIFY(
        pfl::buecherDurchsuchen(dir.pfad(), {QStringLiteral("A.rez")}, b, [&](const QString& d, int, int) {
            gemeldet << d;
            return true;
        }).treffer.isEmpty());
    QVERIFY(gemeldet.isEmpty());
}

void TestBuchsuche::schrumpfendesBuch_data() {
    QTest::addColumn<pfl::Leseart>("art");
    QTest::addColumn<pfl::Textfeld>("feld");
    QTest::addColumn<QString>("objekt");
    QTest::addColumn<int>("anzahl");
    // By name only the head of each record is read, and the head of the cut record is still there.
    QTest::newRow("Felder, Name") << pfl::Leseart::Felder << pfl::Textfeld::Name << "r" << 600;
    QTest::newRow("Felder, Zutaten") << pfl::Leseart::Felder << pfl::Textfeld::Zutaten << "mehl" << 600;
    QTest::newRow("Blöcke, Zutaten") << pfl::Leseart::Bloecke << pfl::Textfeld::Zutaten << "mehl" << 600;
    // A book large enough to be searched in two halves at once: cut in the first half, the second
    // half's hits are gone too.
    QTest::newRow("Felder, Name, in zwei Hälften")
        << pfl::Leseart::Felder << pfl::Textfeld::Name << "r" << 1500;
    QTest::newRow("Felder, Zutaten, in zwei Hälften")
        << pfl::Leseart::Felder << pfl::Textfeld::Zutaten << "mehl" << 1500;
}

void TestBuchsuche::schrumpfendesBuch() {
    // A book of 600 matching records that another program cuts to 520 and a half records once the
    // first part has been searched: the records that were complete are kept, nothing else, no crash.
    QFETCH(pfl::Leseart, art);
    QFETCH(pfl::Textfeld, feld);
    QFETCH(QString, objekt);
    QFETCH(int, anzahl);
    Testordner dir;
    QList<dateien> rezepte;
    for (int i = 0; i < anzahl; ++i)
        rezepte << mitZutaten(QStringLiteral("R%1").arg(i + 1), QStringLiteral("Mehl"));
    dir.buch(QStringLiteral("Gross.rez"), rezepte);
    const QString pfad = dir.datei(QStringLiteral("Gross.rez"));
    pfl::Suchbegriff b;
    b.feld = feld;
    b.objekt = objekt;
    int aufrufe = 0;
    bool gekuerzt = false;
    const pfl::Buchsuchergebnis e = pfl::buecherDurchsuchen(
        dir.pfad(), {QStringLiteral("Gross.rez")}, b,
        [&](const QString&, int, int) {
            if (++aufrufe == 2)
                gekuerzt = ::truncate(QFile::encodeName(pfad).constData(), 520 * 21144 + 500) == 0;
            return true;
        },
        art);
    QVERIFY(gekuerzt);
    QVERIFY(aufrufe >= 2);
    QVERIFY(!e.abgebrochen);
    QCOMPARE(e.treffer.size(), 520);
    for (int i = 0; i < e.treffer.size(); ++i)
        QCOMPARE(e.treffer.at(i).zeile.position, i + 1);
    QCOMPARE(e.treffer.last().zeile.name, QStringLiteral("R%1").arg(e.treffer.size()));
}

void TestBuchsuche::abbrechen() {
    QFETCH(pfl::Leseart, art);
    Testordner dir;
    dir.buch(QStringLiteral("A.rez"), {mitZutaten(QStringLiteral("Eins"), QStringLiteral("Nudeln"))});
    dir.buch(QStringLiteral("B.rez"), {mitZutaten(QStringLiteral("Zwei"), QStringLiteral("Nudeln"))});
    pfl::Suchbegriff b;
    b.feld = pfl::Textfeld::Name;
    // Cancelled before the second book: the hits of the first stay.
    b.objekt = QStringLiteral("E");
    const pfl::Buchsuchergebnis e = pfl::buecherDurchsuchen(
        dir.pfad(), {QStringLiteral("A.rez"), QStringLiteral("B.rez")}, b,
        [](const QString&, int nummer, int) { return nummer < 2; }, art);
    QVERIFY(e.abgebrochen);
    QCOMPARE(positionen(e, QStringLiteral("A")), QList<int>({1}));
    QCOMPARE(e.treffer.size(), 1);
}

void TestBuchsuche::grossesBuch_data() {
    QTest::addColumn<pfl::Textfeld>("feld");
    QTest::addColumn<QString>("objekt");
    QTest::newRow("Name") << pfl::Textfeld::Name << "r1";
    QTest::newRow("Zutaten") << pfl::Textfeld::Zutaten << "mehl";
    QTest::newRow("Zutaten, kein Treffer") << pfl::Textfeld::Zutaten << "Safran";
}

// A large book is searched in two halves at once: the hits are those of a search in one piece, in
// book order, between two small books; and cancelling stops both halves.
void TestBuchsuche::grossesBuch() {
    QFETCH(pfl::Textfeld, feld);
    QFETCH(QString, objekt);
    Testordner dir;
    QList<dateien> rezepte;
    for (int i = 0; i < 1500; ++i)
        rezepte << mitZutaten(QStringLiteral("R%1").arg(i + 1),
                              i % 7 == 3 ? QStringLiteral("200 g Mehl") : QStringLiteral("2 Eier"));
    dir.buch(QStringLiteral("B.rez"), rezepte);
    dir.buch(QStringLiteral("A.rez"), {mitZutaten(QStringLiteral("R1"), QStringLiteral("Mehl"))});
    dir.buch(QStringLiteral("C.rez"), {mitZutaten(QStringLiteral("R1"), QStringLiteral("Mehl"))});
    pfl::Suchbegriff b;
    b.feld = feld;
    b.objekt = objekt;
    const QStringList buecher = {QStringLiteral("A.rez"), QStringLiteral("B.rez"), QStringLiteral("C.rez")};
    const auto suche = [&](pfl::Leseart art, const pfl::Suchfortschritt& f) {
        return pfl::buecherDurchsuchen(dir.pfad(), buecher, b, f, art);
    };
    const auto immer = [](const QString&, int, int) { return true; };
    const pfl::Buchsuchergebnis geteilt = suche(pfl::Leseart::Felder, immer);
    const pfl::Buchsuchergebnis amStueck = suche(pfl::Leseart::Bloecke, immer);
    QVERIFY(!geteilt.abgebrochen);
    QList<int> erwartet;
    for (int i = 0; i < rezepte.size(); ++i)
        if (pfl::passt(rezepte[i], b)) erwartet << i + 1;
    QCOMPARE(positionen(geteilt, QStringLiteral("B")), erwartet);
    QCOMPARE(positionen(amStueck, QStringLiteral("B")), erwartet);
    QCOMPARE(geteilt.treffer.size(), amStueck.treffer.size());
    for (int i = 0; i < geteilt.treffer.size(); ++i) {
        QCOMPARE(geteilt.treffer.at(i).buch, amStueck.treffer.at(i).buch);
        QCOMPARE(geteilt.treffer.at(i).zeile.name, amStueck.treffer.at(i).zeile.name);
    }

    // Cancelled inside the large book: no hit of it or of a later book.
    int aufrufe = 0;
    const pfl::Buchsuchergebnis abgebrochen =
        suche(pfl::Leseart::Felder, [&](const QString&, int, int) { return ++aufrufe < 3; });
    QVERIFY(abgebrochen.abgebrochen);
    QVERIFY(positionen(abgebrochen, QStringLiteral("C")).isEmpty());
    const QList<int> bisDahin = positionen(abgebrochen, QStringLiteral("B"));
    QVERIFY(bisDahin.size() < erwartet.size() || erwartet.isEmpty());
    QCOMPARE(bisDahin, erwartet.first(bisDahin.size()));
}

QTEST_MAIN(TestBuchsuche)
#include "tst_buchsuche.moc"
