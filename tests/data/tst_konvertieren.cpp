// SPDX-License-Identifier: GPL-3.0-or-later
// Renaming a section or category in every book, checked byte for byte.
#include "data/Unit4.h"
#include "support/Datenumgebung.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr int R = int(sizeof(dateien));

// A recipe with every reserved field and text filled, so that carrying them over shows.
dateien voll(const QString& rubrik, const QString& kategorie, const QString& name) {
    dateien d = Testordner::rezept(rubrik, name, kategorie, 3.25, QStringLiteral("20"));
    d.artikel = QStringLiteral("art");
    d.gekauft_bei = QStringLiteral("markt");
    d.garantie_bis = QStringLiteral("01.01.2030");
    d.rezept = QStringLiteral("rz");
    d.str_3 = QStringLiteral("drei");
    d.str_9 = QStringLiteral("neun");
    d.int4 = 44;
    d.long3 = -7;
    d.gap205[1] = 9;
    d.utensielien = QStringLiteral("Topf");
    d.zutaten = QStringLiteral("1 Ei\r\nMehl");
    d.zubereitung = QStringLiteral("Rühren.");
    return d;
}
} // namespace

class TestKonvertieren : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rubrikInZweiBuechern();
    void kategorieUndGrossKlein_data();
    void kategorieUndGrossKlein();
    void zweiteUmbenennungErsetztKopie();
    void fehlendesBuchUebersprungen();
    void buecherNurImGrossKleinVerschieden();
    void namenlosesBuchUndPunkte();
};

void TestKonvertieren::rubrikInZweiBuechern() {
    Datenumgebung e;
    Testordner& dir = e.dir;
    Unit4& u = e.u;
    const QList<dateien> a{voll(QStringLiteral("Suppen"), QStringLiteral("K"), QStringLiteral("Eins")),
                           voll(QStringLiteral("Braten"), QStringLiteral("K"), QStringLiteral("Zwei"))};
    const QList<dateien> b{voll(QStringLiteral("Suppen"), QStringLiteral("L"), QStringLiteral("Drei"))};
    dir.buch(QStringLiteral("Familie.rez"), a);
    dir.buch(QStringLiteral("Party.REZ"), b);
    const QByteArray altA = dir.lies(QStringLiteral("Familie.rez"));
    const QByteArray altB = dir.lies(QStringLiteral("Party.REZ"));
    u.option.rezeptbuch = QStringLiteral("Familie");
    u.opt_speichern();
    u.rezeptbuch = QStringLiteral("Familie");
    QSignalSpy copy1(&u, &Unit4::copy1Angefordert);
    u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"),
                             QStringLiteral("Suppen und Eintöpfe"));

    const QByteArray neuA = dir.lies(QStringLiteral("Familie.rez"));
    QCOMPARE(neuA.size(), 2 * R);
    dateien erwartet = a.at(0);
    erwartet.Rubrik = QStringLiteral("Suppen und Eintöpfe");
    QCOMPARE(neuA.left(R), Testordner::bytes(erwartet));
    QCOMPARE(neuA.mid(R), altA.mid(R)); // other sections untouched, byte for byte
    QCOMPARE(Testordner::satz<dateien>(dir.lies(QStringLiteral("Party.REZ"))).Rubrik.toQString(),
             QStringLiteral("Suppen und Eintöpfe"));
    // The copies hold the books as they were.
    QCOMPARE(dir.lies(QStringLiteral("Familie.Aez")), altA);
    QCOMPARE(dir.lies(QStringLiteral("Party.Aez")), altB);
    QCOMPARE(u.rezeptbuch, QStringLiteral("Familie"));
    QCOMPARE(copy1.count(), 3); // once per book and once at the end
}

void TestKonvertieren::kategorieUndGrossKlein_data() {
    QTest::addColumn<pfl::Umbenennung>("art");
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("neu");
    QTest::addColumn<QString>("erwarteteKategorie");
    QTest::addColumn<QString>("erwarteteRubrik");
    constexpr pfl::Umbenennung K = pfl::Umbenennung::Kategorie;
    QTest::newRow("kategorie") << K << QStringLiteral("Vegetarisch") << QStringLiteral("Vegan")
                               << QStringLiteral("Vegan") << QStringLiteral("Suppen");
    QTest::newRow("gross klein zaehlt") << K << QStringLiteral("vegetarisch") << QStringLiteral("Vegan")
                                        << QStringLiteral("Vegetarisch") << QStringLiteral("Suppen");
    QTest::newRow("45 zeichen werden 40")
        << K << QStringLiteral("Vegetarisch") << QString(45, QLatin1Char('n'))
        << QString(40, QLatin1Char('n')) << QStringLiteral("Suppen");
    QTest::newRow("kategorie bleibt bei rubrik")
        << pfl::Umbenennung::Rubrik << QStringLiteral("Vegetarisch") << QStringLiteral("Vegan")
        << QStringLiteral("Vegetarisch") << QStringLiteral("Suppen");
    QTest::newRow("rubrik bleibt bei kategorie") << K << QStringLiteral("Suppen") << QStringLiteral("X")
                                                 << QStringLiteral("Vegetarisch") << QStringLiteral("Suppen");
}

void TestKonvertieren::kategorieUndGrossKlein() {
    QFETCH(pfl::Umbenennung, art);
    QFETCH(QString, alt);
    QFETCH(QString, neu);
    QFETCH(QString, erwarteteKategorie);
    QFETCH(QString, erwarteteRubrik);
    Datenumgebung e;
    Testordner& dir = e.dir;
    Unit4& u = e.u;
    const dateien d = voll(QStringLiteral("Suppen"), QStringLiteral("Vegetarisch"), QStringLiteral("Eins"));
    dir.buch(QStringLiteral("B.rez"), {d});
    u.rezeptbuch = QStringLiteral("B");
    u.konvertieren(art, alt, neu);
    const dateien n = Testordner::satz<dateien>(dir.lies(QStringLiteral("B.rez")));
    QCOMPARE(n.kategorie.toQString(), erwarteteKategorie);
    QCOMPARE(n.Rubrik.toQString(), erwarteteRubrik);
    // Everything but the renamed field is carried over unchanged.
    dateien vergleich = n;
    vergleich.kategorie = d.kategorie.toQString();
    QCOMPARE(Testordner::bytes(vergleich).mid(205), Testordner::bytes(d).mid(205));
    QCOMPARE(Testordner::bytes(vergleich).left(164), Testordner::bytes(d).left(164));
}

void TestKonvertieren::zweiteUmbenennungErsetztKopie() {
    Datenumgebung e;
    Testordner& dir = e.dir;
    Unit4& u = e.u;
    dir.buch(QStringLiteral("B.rez"), {voll(QStringLiteral("A"), QString(), QStringLiteral("X"))});
    u.rezeptbuch = QStringLiteral("B");
    u.konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("A"), QStringLiteral("B"));
    const QByteArray nachErster = dir.lies(QStringLiteral("B.rez"));
    u.konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("B"), QStringLiteral("C"));
    QCOMPARE(dir.lies(QStringLiteral("B.Aez")), nachErster);
    QCOMPARE(Testordner::satz<dateien>(dir.lies(QStringLiteral("B.rez"))).Rubrik.toQString(),
             QStringLiteral("C"));
    QCOMPARE(QDir(dir.pfad()).entryList(QDir::Files).size(), 2);
}

void TestKonvertieren::fehlendesBuchUebersprungen() {
    Datenumgebung e;
    Testordner& dir = e.dir;
    Unit4& u = e.u;
    u.rezeptbuch = QStringLiteral("Weg");
    QSignalSpy copy1(&u, &Unit4::copy1Angefordert);
    u.konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("A"), QStringLiteral("B"));
    QCOMPARE(QDir(dir.pfad()).entryList(QDir::Files), QStringList());
    QCOMPARE(copy1.count(), 1);
}

void TestKonvertieren::buecherNurImGrossKleinVerschieden() {
    // Four books, two pairs of case twins: each is rewritten once and keeps its own copy.
    Datenumgebung e;
    const QStringList namen{QStringLiteral("Familie.rez"), QStringLiteral("familie.rez"),
                            QStringLiteral("Party.REZ"), QStringLiteral("Party.rez")};
    QList<QByteArray> alt;
    for (const QString& n : namen) {
        e.dir.buch(n, {voll(QStringLiteral("Suppen"), QString(), n)});
        alt << e.dir.lies(n);
    }
    e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"), QStringLiteral("Eintopf"));
    const QStringList kopien{QStringLiteral("Familie.Aez"), QStringLiteral("familie.Aez"),
                             QStringLiteral("Party.REZ.Aez"), QStringLiteral("Party.rez.Aez")};
    for (int i = 0; i < namen.size(); ++i) {
        const dateien d = Testordner::satz<dateien>(e.dir.lies(namen.at(i)));
        QCOMPARE(d.Rubrik.toQString(), QStringLiteral("Eintopf"));
        QCOMPARE(d.name.toQString(), namen.at(i));
        QVERIFY2(e.dir.lies(kopien.at(i)) == alt.at(i), qPrintable(kopien.at(i)));
    }
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden).size(), 8);
    // The exact spelling wins; otherwise the first twin in code-point order, every time.
    QCOMPARE(e.u.pfad(QStringLiteral("familie.rez")), e.dir.datei(QStringLiteral("familie.rez")));
    QCOMPARE(e.u.pfad(QStringLiteral("FAMILIE.REZ")), e.dir.datei(QStringLiteral("Familie.rez")));
    QCOMPARE(e.u.pfad(QStringLiteral("party.rez")), e.dir.datei(QStringLiteral("Party.REZ")));
}

void TestKonvertieren::namenlosesBuchUndPunkte() {
    // The book without a name (".rez") and a name with two dots are books like any other.
    Datenumgebung e;
    for (const QString& n : {QStringLiteral(".rez"), QStringLiteral("Omas..Beste.rez")})
        e.dir.buch(n, {voll(QStringLiteral("Suppen"), QString(), n)});
    e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Suppen"), QStringLiteral("Eintopf"));
    for (const QString& n : {QStringLiteral(".rez"), QStringLiteral("Omas..Beste.rez")})
        QCOMPARE(Testordner::satz<dateien>(e.dir.lies(n)).Rubrik.toQString(), QStringLiteral("Eintopf"));
    QVERIFY(e.dir.gibt(QStringLiteral(".Aez")));
    QVERIFY(e.dir.gibt(QStringLiteral("Omas..Beste.Aez")));
}

QTEST_GUILESS_MAIN(TestKonvertieren)
#include "tst_konvertieren.moc"
