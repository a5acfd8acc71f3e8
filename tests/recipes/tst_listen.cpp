// SPDX-License-Identifier: GPL-3.0-or-later
// The section and category list windows, used as a user would: adding, changing and deleting names,
// the list files' bytes, and a change reaching every recipe of every book.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "appearance/Styles.h"
#include "data/Unit4.h"
#include "recipes/Bearbeiten.h"
#include "recipes/Erfassen.h"
#include "recipes/KategorienListe.h"
#include "recipes/RubrikenListe.h"
#include "search/Buchliste.h"
#include "support/Testordner.h"
#include "support/Farbpaare.h"
#include "support/LaufendesProgramm.h"
#include "support/ScriptedPlatform.h"
#include "support/Schreibgrenze.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
using Programm = pfl::test::LaufendesProgramm;
constexpr int R = int(sizeof(rubriken));

// The two windows differ in their file, their name field and how they are opened.
struct Art {
    QString befehl, fenster, datei;
    bool rubrik;
};
Art art(bool rubrik) {
    return rubrik ? Art{QStringLiteral("Rubrikenerfassenndern1"), QStringLiteral("Form27"),
                        QStringLiteral("Rubriken.rub"), true}
                  : Art{QStringLiteral("Kategorieenerfassenndern1"), QStringLiteral("Form28"),
                        QStringLiteral("kategorien.kat"), false};
}

QStringList namenIn(const Testordner& d, const Art& a) {
    const QByteArray b = d.lies(a.datei);
    QStringList n;
    for (int i = 0; i + R <= b.size(); i += R) {
        const rubriken r = Testordner::satz<rubriken>(b.mid(i, R));
        n.append(a.rubrik ? r.rubrik.toQString() : r.kategorie.toQString());
    }
    return n;
}

void listeSchreiben(Testordner& d, const Art& a, const QStringList& namen) {
    if (a.rubrik)
        d.rubriken(namen);
    else
        d.kategorien(namen);
}

// Section in the first text, category in the second.
dateien rezept(const QString& rubrik, const QString& kategorie, const QString& name) {
    return Testordner::rezept(rubrik, name, kategorie, 2.5, QStringLiteral("30"));
}

// Three books, one a case twin of the active one; every book has a recipe of section Suppen and
// category Vegetarisch, and a recipe whose names differ from those only in case.
void dreiBuecher(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.buch(QStringLiteral("Familie.rez"),
           {rezept(QStringLiteral("Suppen"), QStringLiteral("Vegetarisch"), QStringLiteral("Erbsensuppe")),
            rezept(QStringLiteral("Braten"), QStringLiteral("Fleisch"), QStringLiteral("Rinderbraten")),
            rezept(QStringLiteral("suppen"), QStringLiteral("vegetarisch"), QStringLiteral("Brühe"))});
    d.buch(QStringLiteral("familie.rez"),
           {rezept(QStringLiteral("Suppen"), QStringLiteral("Fleisch"), QStringLiteral("Gulaschsuppe"))});
    d.buch(QStringLiteral("Party.rez"),
           {rezept(QStringLiteral("Salate"), QStringLiteral("Vegetarisch"), QStringLiteral("Nudelsalat")),
            rezept(QStringLiteral("Suppen"), QStringLiteral("Vegetarisch"), QStringLiteral("Kürbissuppe"))});
}

pfl::Begriffsliste* oeffnen(Programm& p, const Art& a) {
    p.finde<QAction>(a.befehl)->trigger();
    auto* w = p.finde<pfl::Begriffsliste>(a.fenster);
    if (w && !w->isVisible()) qWarning("window %s did not open", qPrintable(a.fenster));
    return w;
}

QListWidget* liste(pfl::Begriffsliste* w) {
    return Programm::in<QListWidget>(w, QStringLiteral("ListBox1"));
}
QPushButton* knopf(pfl::Begriffsliste* w, const char* name) {
    return Programm::in<QPushButton>(w, QString::fromLatin1(name));
}
QStringList eintraege(QListWidget* l) {
    QStringList s;
    for (int i = 0; i < l->count(); ++i)
        s.append(l->item(i)->text());
    return s;
}

bool waehle(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    if (t.isEmpty()) return false;
    l->scrollToItem(t.first());
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(t.first()).center());
    return true;
}

// Presses "Neu", types the name and saves.
void neu(pfl::Begriffsliste* w, const QString& name) {
    knopf(w, "Button6")->click();
    QTest::keyClicks(Programm::in<QLineEdit>(w, QStringLiteral("Edit1")), name);
    knopf(w, "Button1")->click();
}

// Selects alt, presses "Ändern", replaces the text by neu and saves.
bool aendern(pfl::Begriffsliste* w, const QString& alt, const QString& neu) {
    if (!waehle(liste(w), alt)) return false;
    knopf(w, "Button2")->click();
    auto* e = Programm::in<QLineEdit>(w, QStringLiteral("Edit1"));
    if (e->text() != alt) return false;
    e->selectAll();
    QTest::keyClicks(e, neu);
    knopf(w, "Button1")->click();
    return true;
}

QStringList rubrikenIn(const Testordner& d, const QString& buch, bool rubrik) {
    const QByteArray b = d.lies(buch);
    QStringList n;
    for (int i = 0; i + int(sizeof(dateien)) <= b.size(); i += int(sizeof(dateien))) {
        const dateien r = Testordner::satz<dateien>(b.mid(i, sizeof(dateien)));
        n.append(rubrik ? r.Rubrik.toQString() : r.kategorie.toQString());
    }
    return n;
}

const QStringList kBuecher{QStringLiteral("Familie.rez"), QStringLiteral("familie.rez"),
                           QStringLiteral("Party.rez")};
} // namespace

class TestListen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        pfl::ressourcenLaden();
        // A rename backs up into the home folder by default; the tests keep their backups to themselves.
        qputenv("HOME", QFile::encodeName(m_heim.path()));
    }
    void oeffnenVomHauptfenster_data();
    void oeffnenVomHauptfenster();
    void neuerName_data();
    void neuerName();
    void aendernInAllenBuechern_data();
    void aendernInAllenBuechern();
    void neuNachAendernBenenntNichtsUm_data();
    void neuNachAendernBenenntNichtsUm();
    void listeErstNachAllenBuechern_data();
    void listeErstNachAllenBuechern();
    void aendernUndBeenden_data();
    void aendernUndBeenden();
    void loeschen_data();
    void loeschen();
    void ohneMarkierung_data();
    void ohneMarkierung();
    void schreibgeschuetztesBuch();
    void einzigenNamenAendern_data();
    void einzigenNamenAendern();
    void neueRubrikNimmtKategorie_data();
    void neueRubrikNimmtKategorie();
    void ausErfassenModalMitNeu();
    void listendateiBleibtBeiAbbruchGanz();
    void escapeHilfeUndLesbarkeit_data();
    void escapeHilfeUndLesbarkeit();

private:
    QTemporaryDir m_heim;
};

void TestListen::oeffnenVomHauptfenster_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("titel");
    QTest::addColumn<int>("hilfe");
    QTest::newRow("rubriken") << true << QStringLiteral("Rubriken ändern oder Neu erstellen") << 550;
    QTest::newRow("kategorien") << false << QStringLiteral("Kategorien ändern oder Neu erstellen") << 500;
}

void TestListen::oeffnenVomHauptfenster() {
    QFETCH(bool, rubrik);
    QFETCH(QString, titel);
    QFETCH(int, hilfe);
    const Art a = art(rubrik);
    // The file holds a repeat in other case and an empty name: the list shows each name once, sorted.
    Programm p([&](Testordner& d) {
        d.optionen(QStringLiteral("Familie")); // the data screen is on
        d.buch(QStringLiteral("Familie.rez"), {});
        listeSchreiben(d, a,
                       {QStringLiteral("Suppen"), QStringLiteral("Aufläufe"), QString(),
                        QStringLiteral("suppen"), QStringLiteral("Braten")});
    });
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isVisible());
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(w && w->isVisible());
    QVERIFY(!w->isModal());
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isVisible());
    QCOMPARE(w->windowTitle(), titel);
    QCOMPARE(eintraege(liste(w)),
             (QStringList{QStringLiteral("Aufläufe"), QStringLiteral("Braten"), QStringLiteral("Suppen")}));
    for (const char* k : {"Button1", "Button2", "Button3"})
        QVERIFY2(!knopf(w, k)->isEnabled(), k);
    QVERIFY(!Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->isEnabled());
    QCOMPARE(knopf(w, "Button1")->text(), QStringLiteral("Speichern >>"));
    QCOMPARE(knopf(w, "Button6")->text(), QStringLiteral("Neu"));
    QCOMPARE(knopf(w, "Button2")->text(), QStringLiteral("Ändern"));
    QCOMPARE(knopf(w, "Button3")->text(), QStringLiteral("Löschen"));
    QCOMPARE(knopf(w, "Button4")->text(), QStringLiteral("Beenden"));
    pfl::test::bildSpeichern(w, a.fenster);
    knopf(w, "Button5")->click();
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
    QCOMPARE(p.plattform.hilfeAufrufe.first().second, hilfe);
    // Selecting enables change and delete; "Beenden" closes and brings the data screen back.
    QVERIFY(waehle(liste(w), QStringLiteral("Braten")));
    QVERIFY(knopf(w, "Button2")->isEnabled());
    QVERIFY(knopf(w, "Button3")->isEnabled());
    knopf(w, "Button4")->click();
    QVERIFY(!w->isVisible());
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isVisible());
    QVERIFY(p.plattform.meldungen.isEmpty());
}

void TestListen::neuerName_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<bool>("dateiDa");
    QTest::addColumn<QStringList>("erwartet"); // names of the list file afterwards
    QTest::newRow("erste rubrik: zwei gleiche saetze")
        << true << false << QStringList{QStringLiteral("Suppen"), QStringLiteral("Suppen")};
    QTest::newRow("rubrik angehaengt")
        << true << true << QStringList{QStringLiteral("Braten"), QStringLiteral("Suppen")};
    QTest::newRow("erste kategorie: zwei gleiche saetze")
        << false << false << QStringList{QStringLiteral("Suppen"), QStringLiteral("Suppen")};
    QTest::newRow("kategorie angehaengt")
        << false << true << QStringList{QStringLiteral("Braten"), QStringLiteral("Suppen")};
}

void TestListen::neuerName() {
    QFETCH(bool, rubrik);
    QFETCH(bool, dateiDa);
    QFETCH(QStringList, erwartet);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        if (dateiDa) listeSchreiben(d, a, {QStringLiteral("Braten")});
    });
    QMap<QString, QByteArray> vorher;
    for (const QString& b : kBuecher)
        vorher[b] = p.dir.lies(b);
    QSignalSpy umbenannt(&p.u, &Unit4::buchWirdUmbenannt);
    pfl::Begriffsliste* w = oeffnen(p, a);
    neu(w, QStringLiteral("Suppen"));
    QVERIFY(!w->isVisible());
    QCOMPARE(namenIn(p.dir, a), erwartet);
    QCOMPARE(p.u.listen.rubrikenSeitSuchbeginn.contains(QStringLiteral("Suppen")) ||
                 p.u.listen.kategorienSeitSuchbeginn.contains(QStringLiteral("Suppen")),
             true);
    if (rubrik)
        QCOMPARE(eintraege(p.finde<QListWidget>(QStringLiteral("ListBox1"))).count(QStringLiteral("Suppen")),
                 1);
    // A new name renames nothing: the books keep their bytes and get no copy.
    QCOMPARE(umbenannt.count(), 0);
    for (const QString& b : kBuecher)
        QCOMPARE(p.dir.lies(b), vorher[b]);
    QVERIFY(!p.dir.gibt(QStringLiteral("Familie.Aez")));
    QVERIFY(p.plattform.meldungen.isEmpty());
}

void TestListen::aendernInAllenBuechern_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("alt");
    QTest::newRow("rubrik") << true << QStringLiteral("Suppen");
    QTest::newRow("kategorie") << false << QStringLiteral("Vegetarisch");
}

void TestListen::aendernInAllenBuechern() {
    QFETCH(bool, rubrik);
    QFETCH(QString, alt);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        // Records with different other fields: after the rewrite they all carry the buffer's values.
        QByteArray b;
        int i = 0;
        for (const QString& n : {QStringLiteral("Braten"), alt, QStringLiteral("Salate")}) {
            rubriken r;
            zeroRecord(r);
            (rubrik ? r.rubrik : r.kategorie) = n;
            (rubrik ? r.kategorie : r.rubrik) = QStringLiteral("Feld %1").arg(++i);
            r.int2 = i;
            b += Testordner::bytes(r);
        }
        d.schreibe(a.datei, b);
    });
    const QMap<QString, QStringList> andereFelder{
        {QStringLiteral("Familie.rez"), rubrikenIn(p.dir, QStringLiteral("Familie.rez"), !rubrik)}};
    // Connected after the owner's backup: sees its outcome and the book as the backup found it.
    QList<bool> sicherungen;
    QByteArray buchBeiSicherung;
    const QByteArray buchVorher = p.dir.lies(QStringLiteral("Familie.rez"));
    connect(p.finde<pfl::Begriffsliste>(a.fenster), &pfl::Begriffsliste::sicherungVorUmbenennen, this,
            [&](bool& gesichert) {
                sicherungen.append(gesichert);
                buchBeiSicherung = p.dir.lies(QStringLiteral("Familie.rez"));
            });
    QSignalSpy umbenannt(&p.u, &Unit4::buchWirdUmbenannt);
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(aendern(w, alt, QStringLiteral("Eintopf")));
    QVERIFY(!w->isVisible());

    // The list file: rewritten in the list's order without the old name, the new name appended.
    QCOMPARE(namenIn(p.dir, a),
             (QStringList{QStringLiteral("Braten"), QStringLiteral("Salate"), QStringLiteral("Eintopf")}));
    const QByteArray datei = p.dir.lies(a.datei);
    for (int i = 1; i < 3; ++i) // every record but its name is the same buffer
        QCOMPARE(datei.mid(i * R + (rubrik ? 61 : 0), rubrik ? R - 61 : 61),
                 datei.mid(rubrik ? 61 : 0, rubrik ? R - 61 : 61));

    // Every recipe of every book with exactly the old name has the new one; case twins stay.
    QCOMPARE(
        rubrikenIn(p.dir, QStringLiteral("Familie.rez"), rubrik),
        rubrik ? (QStringList{QStringLiteral("Eintopf"), QStringLiteral("Braten"), QStringLiteral("suppen")})
               : (QStringList{QStringLiteral("Eintopf"), QStringLiteral("Fleisch"),
                              QStringLiteral("vegetarisch")}));
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("familie.rez"), rubrik),
             QStringList{rubrik ? QStringLiteral("Eintopf") : QStringLiteral("Fleisch")});
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("Party.rez"), rubrik),
             rubrik ? (QStringList{QStringLiteral("Salate"), QStringLiteral("Eintopf")})
                    : (QStringList{QStringLiteral("Eintopf"), QStringLiteral("Eintopf")}));
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("Familie.rez"), !rubrik),
             andereFelder[QStringLiteral("Familie.rez")]);

    // One backup, done before the pass, one progress step per book, the active book back.
    QCOMPARE(sicherungen, QList<bool>{true});
    QCOMPARE(buchBeiSicherung, buchVorher);
    QCOMPARE(umbenannt.count(), 3);
    QStringList buecher;
    for (int i = 0; i < 3; ++i) {
        buecher.append(umbenannt.at(i).at(0).toString());
        QCOMPARE(umbenannt.at(i).at(1).toInt(), i + 1);
        QCOMPARE(umbenannt.at(i).at(2).toInt(), 3);
    }
    buecher.sort();
    QCOMPARE(buecher,
             (QStringList{QStringLiteral("Familie"), QStringLiteral("Party"), QStringLiteral("familie")}));
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    QVERIFY(p.plattform.meldungen.isEmpty());
    if (rubrik) {
        const QStringList haupt = eintraege(p.finde<QListWidget>(QStringLiteral("ListBox1")));
        QVERIFY(haupt.contains(QStringLiteral("Eintopf")));
        QVERIFY(!haupt.contains(QStringLiteral("Suppen")));
    }
}

void TestListen::neuNachAendernBenenntNichtsUm_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("alt");
    QTest::addColumn<QString>("zweiter"); // a name that recipes carry too
    QTest::newRow("rubrik") << true << QStringLiteral("Suppen") << QStringLiteral("Braten");
    QTest::newRow("kategorie") << false << QStringLiteral("Vegetarisch") << QStringLiteral("Fleisch");
}

void TestListen::neuNachAendernBenenntNichtsUm() {
    QFETCH(bool, rubrik);
    QFETCH(QString, alt);
    QFETCH(QString, zweiter);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        listeSchreiben(d, a, {alt, zweiter});
    });
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(aendern(w, alt, QStringLiteral("Eintopf")));
    // The recipes renamed back by hand, so that a second pass would show.
    p.dir.buch(QStringLiteral("Party.rez"), {rezept(alt, alt, QStringLiteral("Kürbissuppe"))});
    QMap<QString, QByteArray> vorher;
    for (const QString& b : kBuecher)
        vorher[b] = p.dir.lies(b);
    const QByteArray aez = p.dir.lies(QStringLiteral("Party.Aez"));
    QSignalSpy umbenannt(&p.u, &Unit4::buchWirdUmbenannt);
    int sicherungen = 0;
    connect(w, &pfl::Begriffsliste::sicherungVorUmbenennen, this, [&sicherungen](bool&) { ++sicherungen; });

    // "Neu" in the next opening, and "Neu" right after an "Ändern" of another name.
    w = oeffnen(p, a);
    neu(w, QStringLiteral("Salate"));
    w = oeffnen(p, a);
    QVERIFY(waehle(liste(w), zweiter));
    knopf(w, "Button2")->click();
    Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->clear();
    neu(w, QStringLiteral("Grill"));
    QCOMPARE(umbenannt.count(), 0);
    QCOMPARE(sicherungen, 0);
    for (const QString& b : kBuecher)
        QCOMPARE(p.dir.lies(b), vorher[b]);
    QCOMPARE(p.dir.lies(QStringLiteral("Party.Aez")), aez);
    QCOMPARE(namenIn(p.dir, a),
             (QStringList{QStringLiteral("Eintopf"), QStringLiteral("Salate"), QStringLiteral("Grill")}));
}

void TestListen::listeErstNachAllenBuechern_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("alt");
    QTest::newRow("rubrik") << true << QStringLiteral("Suppen");
    QTest::newRow("kategorie") << false << QStringLiteral("Vegetarisch");
}

void TestListen::listeErstNachAllenBuechern() {
    // A change is one change: the list file offers the new name only once every book carries it, and
    // while the books are renamed no journal of the change is missing.
    QFETCH(bool, rubrik);
    QFETCH(QString, alt);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        listeSchreiben(d, a, {alt, QStringLiteral("Braten")});
    });
    QStringList waehrenddessen; // what the list file held as each book was about to be renamed
    bool immerVorgemerkt = true;
    connect(&p.u, &Unit4::buchWirdUmbenannt, this, [&](const QString&, int, int) {
        waehrenddessen.append(namenIn(p.dir, a).join(QLatin1Char(',')));
        immerVorgemerkt = immerVorgemerkt && p.dir.gibt(QStringLiteral(".pfanno-lux.vorhaben"));
    });
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(aendern(w, alt, QStringLiteral("Eintopf")));
    QCOMPARE(waehrenddessen, QStringList(3, QStringLiteral("Braten")));
    QVERIFY(immerVorgemerkt);
    QCOMPARE(namenIn(p.dir, a), (QStringList{QStringLiteral("Braten"), QStringLiteral("Eintopf")}));
    QVERIFY(!p.dir.gibt(QStringLiteral(".pfanno-lux.vorhaben")));
}

void TestListen::aendernUndBeenden_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::newRow("rubrik") << true;
    QTest::newRow("kategorie") << false;
}

void TestListen::aendernUndBeenden() {
    QFETCH(bool, rubrik);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        listeSchreiben(d, a, {QStringLiteral("Suppen"), QStringLiteral("Braten")});
    });
    const QByteArray buch = p.dir.lies(QStringLiteral("Party.rez"));
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(waehle(liste(w), QStringLiteral("Suppen")));
    knopf(w, "Button2")->click();
    QCOMPARE(w->windowTitle(), QStringLiteral("Bitte Begriff ändern."));
    QCOMPARE(Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->text(), QStringLiteral("Suppen"));
    QVERIFY(!knopf(w, "Button2")->isEnabled());
    QVERIFY(!knopf(w, "Button3")->isEnabled());
    QCOMPARE(eintraege(liste(w)), QStringList{QStringLiteral("Braten")});
    // The old name has already left the list file.
    QCOMPARE(namenIn(p.dir, a), QStringList{QStringLiteral("Braten")});
    knopf(w, "Button4")->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(namenIn(p.dir, a), QStringList{QStringLiteral("Braten")});
    QCOMPARE(p.dir.lies(QStringLiteral("Party.rez")), buch);
    QVERIFY(!p.dir.gibt(QStringLiteral("Party.Aez")));
}

void TestListen::loeschen_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<bool>("ja");
    QTest::newRow("rubrik ja") << true << true;
    QTest::newRow("rubrik nein") << true << false;
    QTest::newRow("kategorie ja") << false << true;
    QTest::newRow("kategorie nein") << false << false;
}

void TestListen::loeschen() {
    QFETCH(bool, rubrik);
    QFETCH(bool, ja);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        dreiBuecher(d);
        listeSchreiben(d, a,
                       {QStringLiteral("Suppen"), QStringLiteral("Braten"), QStringLiteral("Vegetarisch")});
    });
    const QByteArray liste0 = p.dir.lies(a.datei);
    const QByteArray buch = p.dir.lies(QStringLiteral("Familie.rez"));
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(waehle(liste(w), QStringLiteral("Suppen")));
    p.plattform.antworten.enqueue(ja ? Platform::Answer::Yes : Platform::Answer::No);
    knopf(w, "Button3")->click();
    QCOMPARE(p.plattform.meldungen.size(), 1);
    const auto& m = p.plattform.meldungen.first();
    QCOMPARE(m.text,
             QStringLiteral("Wollen Sie Die Rubrik        \n          > Suppen <\n     wirklich löschen ??"));
    QVERIFY(m.kind == Platform::Kind::Warning);
    QVERIFY(m.buttons == Platform::Buttons::YesNo);
    QCOMPARE(p.plattform.beeps, 1);
    QVERIFY(w->isVisible());
    QVERIFY(!knopf(w, "Button1")->isEnabled());
    QVERIFY(Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->text().isEmpty());
    if (ja) {
        QCOMPARE(namenIn(p.dir, a), (QStringList{QStringLiteral("Braten"), QStringLiteral("Vegetarisch")}));
        QCOMPARE(w->windowTitle(), QStringLiteral("Daten gespeichert."));
        QCOMPARE(eintraege(liste(w)), (QStringList{QStringLiteral("Braten"), QStringLiteral("Vegetarisch")}));
    } else {
        QCOMPARE(p.dir.lies(a.datei), liste0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Bitte eine Rubrik auswählen."));
        QCOMPARE(eintraege(liste(w)).size(), 3);
    }
    // Recipes keep their names; the main window offers the section only while the list has it.
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), buch);
    if (rubrik)
        QCOMPARE(
            eintraege(p.finde<QListWidget>(QStringLiteral("ListBox1"))).contains(QStringLiteral("Suppen")),
            !ja);
    // Pressed again, nothing is selected any more.
    knopf(w, "Button3")->click();
    QCOMPARE(p.plattform.meldungen.last().text, QStringLiteral(" Bitte einen Eintrag markieren. "));
}

void TestListen::ohneMarkierung_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<QString>("knopfName");
    QTest::newRow("rubrik aendern") << true << QStringLiteral("Button2");
    QTest::newRow("rubrik loeschen") << true << QStringLiteral("Button3");
    QTest::newRow("kategorie aendern") << false << QStringLiteral("Button2");
    QTest::newRow("kategorie loeschen") << false << QStringLiteral("Button3");
}

void TestListen::ohneMarkierung() {
    QFETCH(bool, rubrik);
    QFETCH(QString, knopfName);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        listeSchreiben(d, a, {QStringLiteral("Suppen"), QStringLiteral("Braten")});
    });
    const QByteArray vorher = p.dir.lies(a.datei);
    pfl::Begriffsliste* w = oeffnen(p, a);
    // Enabled after a selection that was then acted on: "Ändern" twice, "Löschen" after "Nein".
    QVERIFY(waehle(liste(w), QStringLiteral("Suppen")));
    Programm::in<QPushButton>(w, knopfName)->setEnabled(true);
    p.plattform.antworten.enqueue(Platform::Answer::No);
    Programm::in<QPushButton>(w, knopfName)->click();
    p.plattform.meldungen.clear();
    p.plattform.beeps = 0;
    const QByteArray zwischen = p.dir.lies(a.datei);
    Programm::in<QPushButton>(w, knopfName)->setEnabled(true);
    Programm::in<QPushButton>(w, knopfName)->click();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{QStringLiteral(" Bitte einen Eintrag markieren. ")});
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Information);
    QCOMPARE(p.plattform.beeps, 1);
    QCOMPARE(p.dir.lies(a.datei), zwischen);
    if (knopfName == QStringLiteral("Button3")) QCOMPARE(zwischen, vorher);
}

void TestListen::schreibgeschuetztesBuch() {
    Programm p([](Testordner& d) {
        dreiBuecher(d);
        d.rubriken({QStringLiteral("Suppen")});
    });
    const QByteArray party = p.dir.lies(QStringLiteral("Party.rez"));
    QCOMPARE(::chmod(QFile::encodeName(p.dir.datei(QStringLiteral("Party.rez"))).constData(), 0444), 0);
    pfl::Begriffsliste* w = oeffnen(p, art(true));
    QVERIFY(aendern(w, QStringLiteral("Suppen"), QStringLiteral("Eintopf")));
    QCOMPARE(p.plattform.meldungen.size(), 1);
    const QString text = p.plattform.meldungen.first().text;
    QVERIFY2(text.contains(QStringLiteral("Party.rez")) && text.contains(QStringLiteral("schreibgeschützt")),
             qPrintable(text));
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Error);
    QCOMPARE(p.dir.lies(QStringLiteral("Party.rez")), party);
    // The other books are renamed all the same.
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("familie.rez"), true), QStringList{QStringLiteral("Eintopf")});
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("Familie.rez"), true).first(), QStringLiteral("Eintopf"));
}

void TestListen::einzigenNamenAendern_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::newRow("rubrik") << true;
    QTest::newRow("kategorie") << false;
}

void TestListen::einzigenNamenAendern() {
    // Changing the only name empties the list file for a moment; the new name must still be stored
    // (an emptied category file would otherwise keep every new category out for good).
    QFETCH(bool, rubrik);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"),
               {rezept(QStringLiteral("Suppen"), QStringLiteral("Suppen"), QStringLiteral("Erbsensuppe"))});
        listeSchreiben(d, a, {QStringLiteral("Suppen")});
    });
    pfl::Begriffsliste* w = oeffnen(p, a);
    QVERIFY(aendern(w, QStringLiteral("Suppen"), QStringLiteral("Eintopf")));
    QVERIFY(namenIn(p.dir, a).contains(QStringLiteral("Eintopf")));
    QCOMPARE(rubrikenIn(p.dir, QStringLiteral("Familie.rez"), rubrik),
             QStringList{QStringLiteral("Eintopf")});
    w = oeffnen(p, a);
    QVERIFY(eintraege(liste(w)).contains(QStringLiteral("Eintopf")));
    neu(w, QStringLiteral("Salate"));
    QVERIFY(namenIn(p.dir, a).contains(QStringLiteral("Salate")));
}

void TestListen::neueRubrikNimmtKategorie_data() {
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<QString>("kategorie");
    // Before the entry window or the editor opened, the record keeps the category the buffer holds:
    // that of the last section record read.
    QTest::newRow("vor beiden") << QStringList() << "Fleisch";
    QTest::newRow("aus dem erfassen")
        << QStringList{"Erfassen Vegetarisch", "Erfassen-Knopf"} << "Vegetarisch";
    QTest::newRow("nach dem erfassen") << QStringList{"Erfassen Vegetarisch", "Schliessen"} << "Vegetarisch";
    QTest::newRow("kategorie geaendert")
        << QStringList{"Erfassen Vegetarisch", "Kategorie Deftig"} << "Deftig";
    // Of the entry window and the editor, the one that opened last gives the category; the editor
    // gives none.
    QTest::newRow("nach dem bearbeiten") << QStringList{"Erfassen Vegetarisch", "Bearbeiten"} << "";
    QTest::newRow("erfassen nach dem bearbeiten geaendert")
        << QStringList{"Erfassen Vegetarisch", "Bearbeiten", "Kategorie Deftig"} << "";
    QTest::newRow("knopf im erfassen nach dem bearbeiten")
        << QStringList{"Erfassen Vegetarisch", "Bearbeiten", "Erfassen-Knopf"} << "";
    QTest::newRow("erfassen wieder geoeffnet")
        << QStringList{"Erfassen Vegetarisch", "Bearbeiten", "Erfassen Deftig"} << "Deftig";
}

void TestListen::neueRubrikNimmtKategorie() {
    QFETCH(QStringList, schritte);
    QFETCH(QString, kategorie);
    Programm p([](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"),
               {rezept(QStringLiteral("Braten"), QStringLiteral("Fleisch"), QStringLiteral("Rinderbraten"))});
        d.kategorien({QStringLiteral("Fleisch"), QStringLiteral("Vegetarisch"), QStringLiteral("Deftig")});
        rubriken r;
        zeroRecord(r);
        r.rubrik = QStringLiteral("Braten");
        r.kategorie = QStringLiteral("Fleisch");
        d.schreibe(QStringLiteral("Rubriken.rub"), Testordner::bytes(r));
    });
    TForm2* erfassen = p.finde<TForm2>(QStringLiteral("Form2"));
    const auto kategorieSetzen = [&](const QString& k) {
        Programm::in<QComboBox>(erfassen, QStringLiteral("ComboBox2"))->setEditText(k);
        erfassen->kategorieAktualisieren();
    };
    pfl::Begriffsliste* w = nullptr;
    for (const QString& s : schritte) {
        const QString wort = s.section(QLatin1Char(' '), 0, 0);
        const QString rest = s.section(QLatin1Char(' '), 1);
        if (wort == QLatin1String("Erfassen")) {
            p.finde<QAction>(QStringLiteral("Rezepteerfassen1"))->trigger();
            QVERIFY(erfassen->isVisible());
            kategorieSetzen(rest);
        } else if (wort == QLatin1String("Kategorie")) {
            kategorieSetzen(rest);
        } else if (wort == QLatin1String("Erfassen-Knopf")) {
            Programm::in<QPushButton>(erfassen, QStringLiteral("Button4"))->click();
            w = p.finde<TForm27>(QStringLiteral("Form27"));
            QVERIFY(w->isModal());
        } else if (wort == QLatin1String("Bearbeiten")) {
            p.finde<QAction>(QStringLiteral("Rezeptebearbeiten1"))->trigger();
            Programm::in<QPushButton>(p.finde<Tform21>(QStringLiteral("form21")), QStringLiteral("Button1"))
                ->click();
            QVERIFY(p.finde<TForm13>(QStringLiteral("Form13"))->isVisible());
        } else {
            QVERIFY2(s == QLatin1String("Schliessen"), qPrintable(s));
            erfassen->close();
        }
    }
    if (!w) w = oeffnen(p, art(true));
    neu(w, QStringLiteral("Suppen"));
    const QByteArray b = p.dir.lies(QStringLiteral("Rubriken.rub"));
    const rubriken r = Testordner::satz<rubriken>(b, int(b.size() / R) - 1);
    QCOMPARE(r.rubrik.toQString(), QStringLiteral("Suppen"));
    QCOMPARE(r.kategorie.toQString(), kategorie);
}

void TestListen::ausErfassenModalMitNeu() {
    Programm p([](Testordner& d) { d.rubriken({QStringLiteral("Braten")}); });
    auto* w = p.finde<TForm27>(QStringLiteral("Form27"));
    w->oeffnenAusErfassen();
    QVERIFY(w->isVisible());
    QVERIFY(w->isModal());
    auto* e = Programm::in<QLineEdit>(w, QStringLiteral("Edit1"));
    QVERIFY(e->isEnabled());
    QVERIFY(knopf(w, "Button1")->isEnabled());
    QCOMPARE(w->windowTitle(), QStringLiteral("Rubriken ändern oder Neu erstellen"));
    QTest::keyClicks(e, QStringLiteral("Suppen"));
    QTest::keyClick(e, Qt::Key_Return); // Return saves
    QVERIFY(!w->isVisible());
    QCOMPARE(namenIn(p.dir, art(true)), (QStringList{QStringLiteral("Braten"), QStringLiteral("Suppen")}));
    // From the main window it is not modal again.
    w = static_cast<TForm27*>(oeffnen(p, art(true)));
    QVERIFY(!w->isModal());
    QVERIFY(!Programm::in<QLineEdit>(w, QStringLiteral("Edit1"))->isEnabled());
}

void TestListen::listendateiBleibtBeiAbbruchGanz() {
    // The disk fills up while the list file is rewritten: the old file stays whole and the failure
    // is reported, never the caption of success.
    Programm p([](Testordner& d) {
        d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Braten"), QStringLiteral("Salate")});
    });
    const QByteArray vorher = p.dir.lies(QStringLiteral("Rubriken.rub"));
    pfl::Begriffsliste* w = oeffnen(p, art(true));
    QVERIFY(waehle(liste(w), QStringLiteral("Suppen")));
    const int ergebnis = pfl::test::mitSchreibgrenze(R, [&] {
        knopf(w, "Button2")->click();
        const bool gemeldet = p.plattform.meldungen.size() == 1 &&
                              p.plattform.meldungen.first().text.contains(QStringLiteral("Rubriken.rub"));
        const bool keinErfolg = w->windowTitle() != QStringLiteral("Daten gespeichert.");
        return gemeldet && keinErfolg ? 1 : 2;
    });
    QCOMPARE(ergebnis, 1);
    QCOMPARE(p.dir.lies(QStringLiteral("Rubriken.rub")), vorher);
    QCOMPARE(QDir(p.dir.pfad())
                 .entryList({QStringLiteral("*.tmp"), QStringLiteral(".pfl*")}, QDir::Files | QDir::Hidden),
             QStringList());
}

void TestListen::escapeHilfeUndLesbarkeit_data() {
    QTest::addColumn<bool>("rubrik");
    QTest::addColumn<int>("hilfe");
    QTest::newRow("rubriken") << true << 550;
    QTest::newRow("kategorien") << false << 500;
}

void TestListen::escapeHilfeUndLesbarkeit() {
    QFETCH(bool, rubrik);
    QFETCH(int, hilfe);
    const Art a = art(rubrik);
    Programm p([&](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.buch(QStringLiteral("Familie.rez"), {});
        listeSchreiben(d, a, {QStringLiteral("Suppen")});
    });
    pfl::Begriffsliste* w = oeffnen(p, a);
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
    QCOMPARE(p.plattform.hilfeAufrufe.first().second, hilfe);
    QTest::keyClick(w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isVisible()); // the main window refreshed

    QAccessibleInterface* ai = QAccessible::queryAccessibleInterface(w);
    QVERIFY(ai && ai->role() == QAccessible::Dialog);
    for (const QString& stil : styleNamen()) {
        QVERIFY(styleAktivieren(p.farben, stil));
        w = oeffnen(p, a);
        knopf(w, "Button6")->click(); // the edit field enabled, so it counts
        for (QWidget* k : w->findChildren<QWidget*>()) {
            if (!k->isVisibleTo(w) || !k->isEnabled()) continue;
            QColor text, grund;
            if (qobject_cast<QPushButton*>(k)) {
                text = k->palette().color(QPalette::ButtonText);
                grund = k->palette().color(QPalette::Button);
            } else if (qobject_cast<QLineEdit*>(k) || qobject_cast<QListWidget*>(k)) {
                text = k->palette().color(QPalette::Text);
                grund = k->palette().color(QPalette::Base);
            } else {
                continue;
            }
            QAccessibleInterface* ak = QAccessible::queryAccessibleInterface(k);
            QVERIFY2(ak && !ak->text(QAccessible::Name).isEmpty(), qPrintable(k->objectName()));
            // Colours the scheme chose are shown as chosen; every other text reads.
            if (pfl::test::gewaehltesPaar(p.farben.colorx, text, grund)) continue;
            QVERIFY2(pfl::kontrast(text, grund) >= 4.5,
                     qPrintable(stil + QLatin1Char('/') + k->objectName()));
        }
        w->close();
    }
}

QTEST_MAIN(TestListen)
#include "tst_listen.moc"
