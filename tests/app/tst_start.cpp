// Start-up and shutdown on real data directories, checked through the main window and the files.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "appearance/Farben.h"
#include "data/Datenordnersperre.h"
#include "data/Unit4.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QFrame>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {
// Each test starts the program itself, after preparing the data directory.
struct Programm : pfl::test::LaufendesProgramm {
    explicit Programm(bool mitHilfe = true, const std::function<void(Testordner&)>& vorher = {})
        : LaufendesProgramm(vorher, false, mitHilfe) {}
};
} // namespace

class TestStart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void ersterStartImLeerenVerzeichnis();
    void hilfeDateiFehlt();
    void titelUndDatenbildschirmPlatziert();
    void rubrikenUndErsteAuswahl();
    void beendenSchreibtVersion();
    void schliessenOhneBeendenSchreibtNichts();
    void tastenHilfe();
    void werkzeugleiste();
    void beschaedigtesVerzeichnis();
    void hintergrund_data();
    void hintergrund();
    void hintergrundUnlesbar();
    void ersterStartFuehrt();
    void schreibfehlerWirdGemeldet();
    void resteEinesAbsturzesWeg();
    void zweiterStartImSelbenOrdner();
    void gesperrterOrdnerOhneProgramm();
};

void TestStart::ersterStartImLeerenVerzeichnis() {
    Programm p;
    TForm1* f = p.starten();
    QVERIFY(f);
    QStringList dateien = QDir(p.dir.pfad()).entryList(QDir::Files);
    dateien.sort();
    QCOMPARE(dateien, (QStringList{QStringLiteral("Drucker.drk"), QStringLiteral("Stammdaten.sti"),
                                   QStringLiteral("Zirade-Zadod.ize"), QStringLiteral("farben.frb")}));
    QCOMPARE(p.dir.groesse(QStringLiteral("farben.frb")), 1976);
    QCOMPARE(p.dir.groesse(QStringLiteral("Drucker.drk")), 416);
    QCOMPARE(f->windowTitle(),
             QStringLiteral("Pfanno-Lux V  1.10      -      Heute ist  Montag der  07.12.2026"));
    QCOMPARE(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text(),
             QStringLiteral("  Aktives Rezeptbuch: "));
    QVERIFY(!p.finde<QLabel>(QStringLiteral("StatusPanel1"))->text().isEmpty());
    QVERIFY(p.plattform.meldungen.isEmpty());
    QVERIFY(p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    QVERIFY(!p.finde<QLabel>(QStringLiteral("Label1"))->isHidden());
    QCOMPARE(p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->text(),
             QStringLiteral("Datenbildschirm einschalten"));
    QVERIFY(p.u.rubrik.isEmpty());
}

void TestStart::hilfeDateiFehlt() {
    Programm p(false);
    p.starten();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{QStringLiteral("Hilfe-Datei nicht gefunden\n") +
                                                      p.dir.pfad() + QStringLiteral("Zirade-Zadod.ize")});
}

void TestStart::titelUndDatenbildschirmPlatziert() {
    Programm p(true, [](Testordner& d) {
        optionen o;
        zeroRecord(o);
        o.dbw = 779;
        o.dbh = 421;
        o.db_einaus = 1;
        d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
    });
    p.starten();
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel2"))->geometry(), QRect(570, 329, 779, 421));
    QVERIFY(!p.finde<QFrame>(QStringLiteral("Panel2"))->isHidden());
    QVERIFY(p.finde<QLabel>(QStringLiteral("Label1"))->isHidden());
    QCOMPARE(p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->text(),
             QStringLiteral("Datenbildschirm ausschalten"));
    QVERIFY(p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->isChecked());
    const int l1 = p.finde<QLabel>(QStringLiteral("Label1"))->width() / 2;
    const int l2 = p.finde<QLabel>(QStringLiteral("Label2"))->width() / 2;
    QCOMPARE(p.finde<QLabel>(QStringLiteral("Label1"))->pos(), QPoint(960 - l1 - 100, 540 - 150));
    QCOMPARE(p.finde<QLabel>(QStringLiteral("Label2"))->pos(), QPoint(960 - l2 + 100, 540 + 50));
    QCOMPARE(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->width(), 960);
}

void TestStart::rubrikenUndErsteAuswahl() {
    Programm p(true, [](Testordner& d) {
        d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Desserts"), QStringLiteral("suppen")});
    });
    p.starten();
    QCOMPARE(p.finde<QListWidget>(QStringLiteral("ListBox1"))->count(), 2);
    QCOMPARE(p.finde<QListWidget>(QStringLiteral("ListBox1"))->item(0)->text(), QStringLiteral("Desserts"));
    QCOMPARE(p.u.listen.rubrikenGelesen.first(),
             QStringLiteral("Suppen")); // the unsorted list keeps file order
    QCOMPARE(p.u.rubrik, QStringLiteral("Desserts"));
}

void TestStart::beendenSchreibtVersion() {
    Programm p;
    TForm1* f = p.starten();
    QVERIFY(!p.dir.gibt(QStringLiteral("Version.ver")));
    p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
    QVERIFY(!f->isVisible());
    const QByteArray v = p.dir.lies(QStringLiteral("Version.ver"));
    QCOMPARE(v.size(), 168);
    QCOMPARE(v.mid(16, 4), QByteArray("\x6e\0\0\0", 4));
}

void TestStart::schliessenOhneBeendenSchreibtNichts() {
    Programm p;
    TForm1* f = p.starten();
    f->close();
    QVERIFY(!p.dir.gibt(QStringLiteral("Version.ver")));
}

void TestStart::tastenHilfe() {
    Programm p;
    TForm1* f = p.starten();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    QTest::keyClick(p.finde<QListWidget>(QStringLiteral("ListBox1")), Qt::Key_F1);
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
    QCOMPARE(p.plattform.hilfeAufrufe.first().second, 100);
    p.finde<QAction>(QStringLiteral("SobeginnenSie1"))->trigger();
    QCOMPARE(p.plattform.hilfeAufrufe.last().second, 1100);
    QTest::keyClick(f, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!f->isVisible());
}

void TestStart::werkzeugleiste() {
    Programm p;
    p.starten();
    const QStringList erwartet{
        QStringLiteral("Erfassen"), QStringLiteral("Bearbeiten"), QStringLiteral("Wechseln"),
        QStringLiteral("E-Mail"),   QStringLiteral("Suchen"),     QStringLiteral("Drucken"),
        QStringLiteral("Backup"),   QStringLiteral("Farben"),     QStringLiteral("Beenden")};
    QList<QToolButton*> knoepfe = p.finde<QFrame>(QStringLiteral("Panel1"))->findChildren<QToolButton*>();
    std::sort(knoepfe.begin(), knoepfe.end(), [](QToolButton* a, QToolButton* b) { return a->x() < b->x(); });
    QStringList texte;
    for (QToolButton* b : knoepfe) {
        texte << b->text();
        QVERIFY2(!b->icon().isNull(), qPrintable(b->text()));
    }
    QCOMPARE(texte, erwartet);
    QCOMPARE(p.finde<QFrame>(QStringLiteral("Panel1"))->height(), 70);
}

void TestStart::beschaedigtesVerzeichnis() {
    // Foreign and damaged files: the program starts, shows what is readable and loses nothing.
    Programm p(true, [](Testordner& d) {
        QDir(d.pfad()).mkdir(QStringLiteral("Drucker.drk")); // a folder where a file belongs
        d.schreibe(QStringLiteral("farben.frb"), QByteArray(100, 'x'));
        d.schreibe(QStringLiteral("kategorien.kat"), QByteArray());
        QByteArray rub(360, '\xff'); // length bytes above capacity everywhere
        d.schreibe(QStringLiteral("Rubriken.rub"), rub + QByteArray(360, '\0') + QByteArray(17, 'z'));
        optionen o;
        std::memset(&o, 0xEE, sizeof o); // every field garbage, the book name too long and unsafe
        o.rezeptbuch = QStringLiteral("../../etc/passwd");
        d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
        QByteArray buch = Testordner::bytes(Testordner::rezept(QString(), QString()));
        std::memset(buch.data() + 1140, 'u', 21144 - 1140); // text blocks without NUL
        d.schreibe(QStringLiteral("Familie.rez"), buch + QByteArray(999, 'q'));
        d.schreibe(QStringLiteral("Version.ver"), QByteArray(3, 'v'));
    });
    const QByteArray buchVorher = p.dir.lies(QStringLiteral("Familie.rez"));
    TForm1* f = p.starten();
    QVERIFY(f && f->isVisible());
    QCOMPARE(p.finde<QListWidget>(QStringLiteral("ListBox1"))->count(), 1);
    QCOMPARE(p.finde<QListWidget>(QStringLiteral("ListBox1"))->item(0)->text().size(), 60);
    QCOMPARE(p.dir.groesse(QStringLiteral("farben.frb")), 1976);
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), buchVorher);
    QVERIFY(p.u.buchPfad().isEmpty());
    QCOMPARE(p.dir.groesse(QStringLiteral("kategorien.kat")), 0);
    p.finde<QToolButton>(QStringLiteral("SpeedButton2"))->click();
    QCOMPARE(p.dir.groesse(QStringLiteral("Version.ver")), 168);
}

void TestStart::hintergrund_data() {
    QTest::addColumn<bool>("bildDa");
    QTest::addColumn<int>("f_b_haupt");
    QTest::newRow("bild gekachelt") << true << 0;
    QTest::newRow("bild fehlt") << false << 0;
    QTest::newRow("farbe gewaehlt") << true << 1;
}

void TestStart::hintergrund() {
    QFETCH(bool, bildDa);
    QFETCH(int, f_b_haupt);
    // A 30 x 20 tile with a marked top-left pixel shows where every copy starts.
    QImage kachel(30, 20, QImage::Format_RGB32);
    kachel.fill(QColor(10, 200, 30));
    kachel.setPixelColor(0, 0, QColor(250, 0, 0));
    Programm p(true, [&](Testordner& d) {
        QDir(d.pfad()).mkdir(QStringLiteral("Hintergrund"));
        if (bildDa) QVERIFY(kachel.save(d.pfad() + QStringLiteral("Hintergrund/marbl24m.bmp"), "BMP"));
    });
    p.farben.colorx.f_b_haupt = 0;
    p.starten();
    p.farben.colorx.f_b_haupt = f_b_haupt;
    p.finde<QWidget>(QStringLiteral("Flaeche"))->resize(200, 200); // the toolbar covers the top 70 pixels
    const QImage bild = p.finde<QWidget>(QStringLiteral("Flaeche"))->grab().toImage();
    const QColor grund(0xDE, 0xE6, 0xC1);
    if (bildDa && f_b_haupt == 0) {
        for (const QPoint& pt : {QPoint(0, 80), QPoint(30, 80), QPoint(90, 100), QPoint(180, 180)})
            QCOMPARE(bild.pixelColor(pt), QColor(250, 0, 0));
        QCOMPARE(bild.pixelColor(1, 80), QColor(10, 200, 30));
        QCOMPARE(bild.pixelColor(199, 199), QColor(10, 200, 30)); // the cut copy at the edges
    } else {
        QCOMPARE(bild.pixelColor(0, 80), grund);
        QCOMPARE(bild.pixelColor(150, 150), grund);
    }
    p.farben.colorx.f_b_haupt = 0;
}

void TestStart::hintergrundUnlesbar() {
    // A picture that cannot be read: one message, then the plain colour, also on later paints.
    Programm p(true, [&](Testordner& d) {
        QDir(d.pfad()).mkdir(QStringLiteral("Hintergrund"));
        d.schreibe(QStringLiteral("Hintergrund/marbl24m.bmp"), "BM kaputt");
    });
    p.starten();
    QWidget* flaeche = p.finde<QWidget>(QStringLiteral("Flaeche"));
    flaeche->resize(200, 200);
    QImage bild = flaeche->grab().toImage();
    flaeche->grab();
    QTRY_COMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().text.contains(QStringLiteral("marbl24m.bmp")));
    QCOMPARE(bild.pixelColor(150, 150), QColor(0xDE, 0xE6, 0xC1));
    flaeche->grab();
    QTest::qWait(10);
    QCOMPARE(p.plattform.meldungen.size(), 1);
}

void TestStart::ersterStartFuehrt() {
    // No book yet: the notice names the first step; the data screen, switched on with no stored
    // size, comes at its design size in the middle of the screen.
    Programm p;
    p.starten();
    QLabel* hinweis = p.finde<QLabel>(QStringLiteral("StatusPanel1"));
    QVERIFY(hinweis->text().contains(QStringLiteral("Legen Sie zuerst ein Rezeptbuch an")));
    QFrame* panel = p.finde<QFrame>(QStringLiteral("Panel2"));
    p.finde<QAction>(QStringLiteral("Datenbildschirmeinaus1"))->trigger();
    QVERIFY(!panel->isHidden());
    QCOMPARE(panel->geometry(), QRect(570, 329, 779, 421));
    p.finde<QAction>(QStringLiteral("Rezeptbuchanlegen1"))->trigger();
    QDialog* w = p.finde<QDialog>(QStringLiteral("d_anlegen"));
    QTest::keyClicks(p.in<QLineEdit>(w, QStringLiteral("Edit1")), QStringLiteral("Familie"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(!hinweis->text().contains(QStringLiteral("Legen Sie zuerst")));
}

void TestStart::schreibfehlerWirdGemeldet() {
    // Whatever routine fails to write, the user reads a German message about it.
    Programm p;
    p.starten();
    p.u.schreibfehlerMelden(QStringLiteral("Rezept.opt"), QStringLiteral("Der Datenträger ist voll."));
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Error);
    QVERIFY(p.plattform.meldungen.first().text.contains(QStringLiteral("Rezept.opt")));
    QVERIFY(p.plattform.meldungen.first().text.contains(QStringLiteral("Der Datenträger ist voll.")));
}

void TestStart::resteEinesAbsturzesWeg() {
    // A temporary file of a writer that died (its process is gone) is removed at the next start;
    // one whose process still runs stays.
    qint64 toter = 0;
    if (const pid_t kind = fork(); kind == 0) {
        _exit(0);
    } else {
        waitpid(kind, nullptr, 0);
        toter = kind;
    }
    const QString rest = QStringLiteral(".pfl%1-abc123.tmp").arg(toter);
    const QString lebend = QStringLiteral(".pfl%1-def456.tmp").arg(qint64(getppid()));
    Programm p(true, [&](Testordner& d) {
        d.schreibe(rest, "halb");
        d.schreibe(lebend, "in Arbeit");
    });
    p.starten();
    QVERIFY(!p.dir.gibt(rest));
    QVERIFY(p.dir.gibt(lebend));
}

void TestStart::zweiterStartImSelbenOrdner() {
    // A second program on the same data folder brings the running one to the front, shows nothing
    // itself and writes nothing.
    Programm erster;
    QVERIFY(erster.starten());
    erster.f->showMinimized();
    QVERIFY(erster.f->isMinimized());
    const QStringList vorher = QDir(erster.dir.pfad()).entryList(QDir::AllEntries | QDir::Hidden);
    pfl::test::LaufendesProgramm zweiter({}, false, false);
    Unit4 u;
    pfl::Farbschema farben(u);
    pfl::Anwendung zweite(u, farben, zweiter.plattform, erster.dir.pfad());
    QVERIFY(!zweite.bereit());
    QVERIFY(zweite.weitergereicht());
    QVERIFY(zweiter.plattform.meldungen.isEmpty());
    QTRY_VERIFY(!erster.f->isMinimized());
    QCOMPARE(QDir(erster.dir.pfad()).entryList(QDir::AllEntries | QDir::Hidden), vorher);
}

void TestStart::gesperrterOrdnerOhneProgramm() {
    // A folder held by a program that cannot be reached (an older one): the message says so.
    Testordner dir;
    pfl::Datenordnersperre sperre(dir.pfad());
    QVERIFY(sperre.gesperrt());
    pfl::test::LaufendesProgramm zweiter({}, false, false);
    Unit4 u;
    pfl::Farbschema farben(u);
    pfl::Anwendung zweite(u, farben, zweiter.plattform, dir.pfad());
    QVERIFY(!zweite.bereit());
    QVERIFY(!zweite.weitergereicht());
    QCOMPARE(zweiter.plattform.meldungen.size(), 1);
    QVERIFY(zweiter.plattform.meldungen.first().text.contains(QStringLiteral("bereits")));
}

QTEST_MAIN(TestStart)
#include "tst_start.moc"
