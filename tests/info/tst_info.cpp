// SPDX-License-Identifier: GPL-3.0-or-later
// The information window, the update start, the home-page question, the acknowledgements and the
// further programs, used as a user would.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "data/Unit4.h"
#include "info/Danksagung.h"
#include "info/Info.h"
#include "info/WeitereProgramme.h"
#include "support/LaufendesProgramm.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;

// A file of the data folder with its permission bits.
void datei(Testordner& d, const QString& name, const QByteArray& inhalt, bool ausfuehrbar) {
    d.schreibe(name, inhalt);
    QFile::Permissions r = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (ausfuehrbar) r |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile::setPermissions(d.datei(name), r);
}

const QString kFrageAnfang = QStringLiteral("  Im Internet finden Sie immer die neusten Versionen  \n");
} // namespace

class TestInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void infofenster();
    void danksagungUndProgramme();
    void update_data();
    void update();
    void meldungen_data();
    void meldungen();
    void homepage_data();
    void homepage();
};

void TestInfo::infofenster() {
    Programm p;
    for (const char* befehl : {"Info1", "Info2"}) {
        p.finde<QAction>(QLatin1String(befehl))->trigger();
        auto* w = p.finde<TInv>(QStringLiteral("Inv"));
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Info"));
        QCOMPARE(p.in<QLabel>(w, QStringLiteral("Label2"))->text(), QStringLiteral("Pfanno-Lux"));
        QCOMPARE(p.in<QLabel>(w, QStringLiteral("Label11"))->text(),
                 QStringLiteral(" Version 1.10") + QString(13, QLatin1Char(' ')));
        const char* const kontakt[] = {"Label4", "Label5", "Label6", "Label7", "Label9", "Label10"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(p.in<QLabel>(w, QLatin1String(kontakt[i]))->text(), TInv::kontaktdaten().at(i));
        // Centred, 50 pixels below the middle of the 1920 x 1080 screen.
        QCOMPARE(w->pos(), QPoint((1920 - w->width()) / 2, (1080 - w->height()) / 2 + 50));
        pfl::test::bildSpeichern(w, QStringLiteral("info"));
        p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
        QVERIFY(!w->isVisible());
    }
    QVERIFY(p.plattform.meldungen.isEmpty());
}

void TestInfo::danksagungUndProgramme() {
    Programm p([](Testordner& d) { d.schreibe(QStringLiteral("README.md"), "# Pfanno-Lux\n"); });
    p.finde<QAction>(QStringLiteral("Info1"))->trigger();
    auto* info = p.finde<TInv>(QStringLiteral("Inv"));
    p.in<QPushButton>(info, QStringLiteral("Button6"))->click();
    QVERIFY(!info->isVisible());
    auto* dank = p.finde<TForm25>(QStringLiteral("Form25"));
    QVERIFY(dank->isVisible());
    auto* text = p.in<QTextEdit>(dank, QStringLiteral("Memo1"));
    QVERIFY(text->isReadOnly());
    QVERIFY(text->toPlainText().contains(QStringLiteral("Qt")));
    QCOMPARE(text->document()->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QCOMPARE(dank->pos(), QPoint((1920 - dank->width()) / 2, (1080 - dank->height()) / 2));
    pfl::test::bildSpeichern(dank, QStringLiteral("danksagung"));
    p.in<QPushButton>(dank, QStringLiteral("Button1"))->click();
    QVERIFY(!dank->isVisible());

    // "Weitere Programme des Autors." leaves the information window for the list of programs,
    // whose button opens the page of its program.
    p.finde<QAction>(QStringLiteral("Info1"))->trigger();
    p.in<QPushButton>(info, QStringLiteral("Button3"))->click();
    QVERIFY(!info->isVisible());
    auto* programme = p.finde<TProgramm>(QStringLiteral("Programm"));
    QVERIFY(programme->isVisible());
    QCOMPARE(programme->windowTitle(), QStringLiteral("Weitere Software des Autors."));
    p.in<QPushButton>(programme, QStringLiteral("Button2"))->click();
    QCOMPARE(p.plattform.geoeffneteUrls,
             QStringList{QUrl::fromLocalFile(p.dir.datei(QStringLiteral("README.md"))).toString()});
    p.in<QPushButton>(programme, QStringLiteral("Button1"))->click();
    QVERIFY(!programme->isVisible());
    // The menu reaches it too, after a reopening the buttons are not doubled.
    p.finde<QAction>(QStringLiteral("WeitereProgramme1"))->trigger();
    QVERIFY(programme->isVisible());
    QCOMPARE(programme->findChildren<QPushButton*>().size(), 2);
}

void TestInfo::update_data() {
    QTest::addColumn<QString>("name"); // the updater's file name, empty for none
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<bool>("ausfuehrbar");
    QTest::addColumn<int>("startErgebnis"); // what the platform's start reports
    QTest::addColumn<bool>("gestartet");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("befehl"); // menu item, or the information window's button
    const QByteArray skript("#!/bin/sh\nexit 0\n");
    const QString nichtGefunden = QStringLiteral("Datei wurde nicht gefunden.");
    const QString keinProgramm = QStringLiteral(
        "Ungültige ausführbare Datei. Entweder keine Windows-Anwendung oder Fehler in der EXE-Datei.");
    const QString gesperrt =
        QStringLiteral("Fehler beim gemeinsamen Zugriff auf eine Datei im Netz oder Fehler "
                       "beim Zugriff auf eine gesperrte Datei im Netz.");
    QTest::newRow("fehlt") << "" << QByteArray() << false << 0 << false << nichtGefunden
                           << "AufUpdatesberprfen2";
    QTest::newRow("fehlt, aus dem Infofenster")
        << "" << QByteArray() << false << 0 << false << nichtGefunden << "Button4";
    QTest::newRow("nicht ausführbar")
        << "Update.Exe" << skript << false << 0 << false << gesperrt << "AufUpdatesberprfen1";
    QTest::newRow("kein Programm") << "Update.Exe" << QByteArray("MZ\x90\x00", 4) << true << 0 << false
                                   << keinProgramm << "AufUpdatesberprfen2";
    QTest::newRow("bereit") << "Update.Exe" << skript << true << 0 << true << ""
                            << "AufUpdatesberprfen2";
    QTest::newRow("andere Schreibung") << "update.exe" << skript << true << 0 << true << ""
                                       << "Button4";
    QTest::newRow("Start scheitert") << "UPDATE.EXE" << skript << true << -1 << true << keinProgramm
                                     << "AufUpdatesberprfen2";
}

void TestInfo::update() {
    QFETCH(QString, name);
    QFETCH(QByteArray, inhalt);
    QFETCH(bool, ausfuehrbar);
    QFETCH(int, startErgebnis);
    QFETCH(bool, gestartet);
    QFETCH(QString, meldung);
    QFETCH(QString, befehl);
    Programm p([&](Testordner& d) {
        if (!name.isEmpty()) datei(d, name, inhalt, ausfuehrbar);
    });
    p.plattform.programmErgebnis = startErgebnis;
    QVERIFY(p.f->isVisible());
    if (befehl.startsWith(QLatin1String("Button"))) {
        p.finde<QAction>(QStringLiteral("Info1"))->trigger();
        p.in<QPushButton>(p.finde<TInv>(QStringLiteral("Inv")), befehl)->click();
    } else {
        p.finde<QAction>(befehl)->trigger();
    }
    if (gestartet) {
        QCOMPARE(p.plattform.gestarteteProgramme.size(), 1);
        QCOMPARE(p.plattform.gestarteteProgramme.first().first, p.dir.datei(name));
        QVERIFY(p.plattform.gestarteteProgramme.first().second.isEmpty());
    } else {
        QVERIFY(p.plattform.gestarteteProgramme.isEmpty());
    }
    QCOMPARE(p.plattform.meldungsTexte(), meldung.isEmpty() ? QStringList() : QStringList{meldung});
    // Only an updater that runs replaces the program: then it ends, else it goes on.
    QCOMPARE(p.f->isVisible(), !meldung.isEmpty());
}

void TestInfo::meldungen_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("0") << 0
                       << "Zuwenig Speicher, ausführbare Datei war zerstört, Relokationswerte waren ungültig";
    QTest::newRow("3") << 3 << "Verzeichnis wurde nicht gefunden.";
    QTest::newRow("21") << 21 << "Anwendung benötigt Windows-32-Bit-Erweiterungen.";
    QTest::newRow("ohne Text") << 7 << "";
    QTest::newRow("über 32") << 33 << "";
}

void TestInfo::meldungen() {
    QFETCH(int, code);
    QFETCH(QString, meldung);
    QCOMPARE(pfl::startfehlerMeldung(code), meldung);
}

void TestInfo::homepage_data() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<bool>("ja");
    QTest::addColumn<bool>("readme"); // the page is there
    QTest::newRow("Menü, Ja") << "Websitebesuchen1" << true << true;
    QTest::newRow("Menü, Nein") << "Websitebesuchen1" << false << true;
    QTest::newRow("Infofenster, Ja") << "Button2" << true << true;
    QTest::newRow("Infofenster, Nein") << "Button2" << false << true;
    QTest::newRow("Seite fehlt") << "Websitebesuchen1" << true << false;
}

void TestInfo::homepage() {
    QFETCH(QString, befehl);
    QFETCH(bool, ja);
    QFETCH(bool, readme);
    Programm p([&](Testordner& d) {
        d.optionen(QString(), 779, 421, 1);
        if (readme) d.schreibe(QStringLiteral("README.md"), "# Pfanno-Lux\n");
    });
    auto* datenbildschirm = p.finde<QFrame>(QStringLiteral("Panel2"));
    QVERIFY(datenbildschirm->isVisible());
    p.plattform.antworten.enqueue(ja ? Platform::Answer::Yes : Platform::Answer::No);
    auto* info = p.finde<TInv>(QStringLiteral("Inv"));
    if (befehl == QLatin1String("Button2")) {
        p.finde<QAction>(QStringLiteral("Info1"))->trigger();
        p.in<QPushButton>(info, befehl)->click();
    } else {
        p.finde<QAction>(befehl)->trigger();
    }
    QVERIFY(!info->isVisible());
    QCOMPARE(p.plattform.meldungen.size(), readme ? 1 : 2);
    const auto& frage = p.plattform.meldungen.first();
    QCOMPARE(frage.buttons, Platform::Buttons::YesNo);
    QVERIFY(frage.text.startsWith(kFrageAnfang));
    QVERIFY(frage.text.endsWith(QStringLiteral("  Möchten Sie jetzt unsere Homepage aufrufen?         \n")));
    const QString seite = QUrl::fromLocalFile(p.dir.datei(QStringLiteral("README.md"))).toString();
    QCOMPARE(p.plattform.geoeffneteUrls, ja && readme ? QStringList{seite} : QStringList());
    if (!readme)
        QCOMPARE(p.plattform.meldungen.last().text, QStringLiteral("Die Seite %1 ist nicht vorhanden.")
                                                        .arg(p.dir.datei(QStringLiteral("README.md"))));
    // The main window is whole again.
    QVERIFY(datenbildschirm->isVisible());
    QVERIFY(p.f->isVisible());
}

QTEST_MAIN(TestInfo)
#include "tst_info.moc"
