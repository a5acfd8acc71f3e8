// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown on real data directories, checked through the main window and the files.
#include "app/Anwendung.h"
#include "app/Bildschirm.h"
#include "app/Einzelstart.h"
#include "mainwindow/Hauptfenster.h"
#include "appearance/Farben.h"
#include "data/Datenordnersperre.h"
#include "data/Unit4.h"
#include "colours/Hintergrundbild.h"
#include "info/Info.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "support/Schreibgrenze.h"
#include "support/ScriptedPlatform.h"
#include "support/Schreibgrenze.h"

#include <QAction>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUrl>
#include <QFrame>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
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
    void unterbrochenesAnhaengenGemeldet();
    void zweiterStartImSelbenOrdner();
    void gesperrterOrdnerOhneProgramm();
    void nichtSperrbarerOrdner();
    void vollePlatteBeimStart();
    void mitgelieferteDateien();
    void fremdeDateienImDatenordner_data();
    void fremdeDateienImDatenordner();
    void qtTexteDeutsch();
    void keinBildschirm_data();
    void keinBildschirm();
    void signalRaeumtAuf_data();
    void signalRaeumtAuf();
    void socketImLaufzeitordner();
    void waylandPruefung_data();
    void waylandPruefung();
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
    // Then it names the folder the recipes really live in.
    QVERIFY2(hinweis->text().contains(QStringLiteral("Datenordner ") + QDir::cleanPath(p.dir.pfad())),
             qPrintable(hinweis->text()));
    QVERIFY(!hinweis->text().contains(QStringLiteral("Programmordner")));
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

void TestStart::unterbrochenesAnhaengenGemeldet() {
    // An append that a crash cut short is taken back before the main window shows the book, and the
    // user reads what became of it.
    const QByteArray alt =
        Testordner::bytes(Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Alt")));
    Programm p(true, [&](Testordner& d) {
        d.optionen(QStringLiteral("Familie"));
        d.rubriken({QStringLiteral("Suppen")});
        d.schreibe(QStringLiteral("Familie.rez"), alt);
        QVERIFY(pfl::test::anSchreibgrenzeSterben(alt.size() + 1000, [&] {
            Unit4 u;
            u.lpf = d.pfad();
            u.rezeptbuch = QStringLiteral("Familie");
            u.saetzeAnhaengen({Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Neu 1")),
                               Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Neu 2"))});
        }));
    });
    QVERIFY(p.starten());
    QCOMPARE(p.plattform.meldungen.size(), 1);
    QVERIFY(p.plattform.meldungen.first().kind == Platform::Kind::Information);
    const QString text = p.plattform.meldungen.first().text;
    QVERIFY2(text.contains(QStringLiteral("\u201EFamilie\u201C")) &&
                 text.contains(QStringLiteral("wieder wie vorher")),
             qPrintable(text));
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), alt);
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(),
             2); // the title row and one recipe
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

void TestStart::nichtSperrbarerOrdner() {
    // A folder that cannot be locked for another reason than a running program (here: it is gone)
    // is not used without the lock: the user reads why, and nothing starts.
    Testordner dir;
    pfl::test::LaufendesProgramm zweiter({}, false, false);
    Unit4 u;
    pfl::Farbschema farben(u);
    pfl::Anwendung a(u, farben, zweiter.plattform, dir.pfad() + QStringLiteral("weg"));
    QVERIFY(!a.bereit());
    QVERIFY(!a.weitergereicht());
    QCOMPARE(zweiter.plattform.meldungen.size(), 1);
    QVERIFY(zweiter.plattform.meldungen.first().kind == Platform::Kind::Error);
    QVERIFY2(zweiter.plattform.meldungen.first().text.contains(QStringLiteral("lässt sich nicht sperren")),
             qPrintable(zweiter.plattform.meldungen.first().text));
    QVERIFY(!QFileInfo::exists(dir.pfad() + QStringLiteral("weg")));
}

void TestStart::vollePlatteBeimStart() {
    // A disk that takes no byte more (a file-size limit of 0): the program starts, telling what it
    // could not write, and its lock holds all the same, so a second program is kept off.
    Programm p;
    enum { Gestartet = 1, Gesperrt = 2, Gemeldet = 4 };
    const int bits = pfl::test::mitSchreibgrenze(0, [&] {
        int r = 0;
        if (p.starten()) r |= Gestartet;
        if (pfl::Datenordnersperre(p.dir.pfad()).besetzt()) r |= Gesperrt;
        if (!p.plattform.meldungen.isEmpty() &&
            p.plattform.meldungen.first().text.contains(QStringLiteral("konnte nicht gespeichert werden")))
            r |= Gemeldet;
        return r;
    });
    QCOMPARE(bits, Gestartet | Gesperrt | Gemeldet);
}

void TestStart::mitgelieferteDateien() {
    // The help, the README and the background pictures are read where the program was installed;
    // none of them is copied into the data folder, and the user's own files there stay as they are.
    QTemporaryDir geliefert;
    const auto schreibeDort = [&](const QString& name, const QByteArray& b) {
        QDir().mkpath(QFileInfo(geliefert.filePath(name)).absolutePath());
        QFile f(geliefert.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(b);
    };
    schreibeDort(QStringLiteral("Zirade-Zadod.ize"), "<html>Hilfe</html>");
    schreibeDort(QStringLiteral("README.md"), "# Pfanno-Lux\n");
    QImage holz(10, 10, QImage::Format_RGB32);
    holz.fill(QColor(120, 80, 20));
    QDir().mkpath(geliefert.filePath(QStringLiteral("Hintergrund")));
    QVERIFY(holz.save(geliefert.filePath(QStringLiteral("Hintergrund/holz24.bmp")), "BMP"));
    QVERIFY(holz.save(geliefert.filePath(QStringLiteral("Hintergrund/marbl24m.bmp")), "BMP"));
    Testordner dir;
    dir.schreibe(QStringLiteral("README.md"), "# Meine Rezepte\nnur für mich\n");
    QDir(dir.pfad()).mkdir(QStringLiteral("Hintergrund"));
    QImage eigen(10, 10, QImage::Format_RGB32);
    eigen.fill(QColor(0, 0, 200));
    QVERIFY(eigen.save(dir.datei(QStringLiteral("Hintergrund/marbl24m.bmp")), "BMP"));
    const QByteArray eigenBytes = dir.lies(QStringLiteral("Hintergrund/marbl24m.bmp"));

    pfl::test::LaufendesProgramm q({}, false, false);
    pfl::Anwendung a(q.u, q.farben, q.plattform, dir.pfad(), geliefert.path());
    QVERIFY(a.bereit());
    QVERIFY2(q.plattform.meldungen.isEmpty(), qPrintable(q.plattform.meldungsTexte().join(u'|')));
    QCOMPARE(q.u.chmFile, geliefert.filePath(QStringLiteral("Zirade-Zadod.ize")));
    QCOMPARE(pfl::homepageAdresse(q.u),
             QUrl::fromLocalFile(geliefert.filePath(QStringLiteral("README.md"))).toString());
    // The user's own picture wins over a shipped one of the same name; the others come from the
    // installation.
    QCOMPARE(q.u.hintergrundDatei(QStringLiteral("marbl24m.bmp")),
             dir.datei(QStringLiteral("Hintergrund/marbl24m.bmp")));
    QCOMPARE(q.u.hintergrundDatei(QStringLiteral("holz24.bmp")),
             geliefert.filePath(QStringLiteral("Hintergrund/holz24.bmp")));
    QCOMPARE(pfl::hintergrundBilder(q.u.hintergrundOrdner()),
             (QStringList{QStringLiteral("holz24.bmp"), QStringLiteral("marbl24m.bmp")}));
    q.farben.colorx.f_b_haupt = 0;
    q.farben.colorx.hg_bild = QStringLiteral("holz24.bmp");
    QWidget* flaeche = a.hauptfenster().findChild<QWidget*>(QStringLiteral("Flaeche"));
    flaeche->resize(100, 100);
    QCOMPARE(flaeche->grab().toImage().pixelColor(50, 90), QColor(120, 80, 20));
    QCOMPARE(dir.lies(QStringLiteral("README.md")), QByteArray("# Meine Rezepte\nnur für mich\n"));
    QCOMPARE(dir.lies(QStringLiteral("Hintergrund/marbl24m.bmp")), eigenBytes);
    QVERIFY(!dir.gibt(QStringLiteral("Zirade-Zadod.ize")));
    QCOMPARE(QDir(dir.datei(QStringLiteral("Hintergrund"))).entryList(QDir::Files),
             QStringList{QStringLiteral("marbl24m.bmp")});
}

void TestStart::qtTexteDeutsch() {
    // Qt's own dialogs and buttons speak German after the start, whatever the locale (the tests
    // run in C.UTF-8).
    if (!QFile::exists(pfl::qtUebersetzungsdatei()))
        QSKIP("Qt's German translations (Debian: qt6-translations-l10n) are not installed");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    const std::unique_ptr<QTranslator> uebersetzung(pfl::qtUebersetzungenLaden());
    QVERIFY(uebersetzung);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QDialogButtonBox knoepfe(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    QCOMPARE(knoepfe.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    QCOMPARE(knoepfe.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    QColorDialog farbe;
    QCOMPARE(farbe.windowTitle(), QCoreApplication::translate("QColorDialog", "Select Color"));
    QVERIFY(farbe.windowTitle() != QStringLiteral("Select Color"));
}

namespace {

// The program itself, started as a user would: its exit code and what it wrote to the terminal.
struct Lauf {
    int code = -1;
    bool abgestuerzt = false;
    QString fehler;
};

Lauf starte(const QProcessEnvironment& umgebung, const QStringList& argumente = {}) {
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral(PFANNO_PROGRAMM), argumente);
    Lauf l;
    if (!p.waitForStarted() || !p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return l;
    }
    l.code = p.exitCode();
    l.abgestuerzt = p.exitStatus() == QProcess::CrashExit;
    l.fehler = QString::fromLocal8Bit(p.readAllStandardError());
    return l;
}

QProcessEnvironment ohneBildschirm() {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        e.remove(QString::fromLatin1(v));
    // The sanitizer build's leak report would change the exit code.
    e.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    return e;
}

// An X display number that no server on this machine answers.
QString freierDisplay() {
    for (int n = 97; n > 50; --n)
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) &&
            !QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
    return QStringLiteral(":97");
}

} // namespace

void TestStart::keinBildschirm_data() {
    QTest::addColumn<QString>("plattform");
    QTest::addColumn<bool>("x11");
    QTest::addColumn<QString>("wayland"); // "" unset, "stumm" a socket that never answers, else a name
    QTest::addColumn<QString>("grund");
    QTest::newRow("nichts gesetzt") << "" << false << ""
                                    << "weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt";
    QTest::newRow("X11 antwortet nicht") << "" << true << ""
                                         << "DISPLAY=%1 antwortet nicht";
    QTest::newRow("Wayland ohne Socket") << "" << false << "wayland-pfanno-fehlt"
                                         << "WAYLAND_DISPLAY=wayland-pfanno-fehlt";
    QTest::newRow("Wayland stumm") << "" << false << "stumm"
                                   << "WAYLAND_DISPLAY=";
    QTest::newRow("xcb gewählt, X11 antwortet nicht") << "xcb" << true << ""
                                                      << "DISPLAY=%1 antwortet nicht";
}

void TestStart::keinBildschirm() {
    // A display that is set but does not answer: the program says so in German and ends with 1,
    // instead of the toolkit aborting the program.
    QFETCH(QString, plattform);
    QFETCH(bool, x11);
    QFETCH(QString, wayland);
    QFETCH(QString, grund);
    QTemporaryDir laufzeit;
    QProcessEnvironment e = ohneBildschirm();
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    if (!plattform.isEmpty()) e.insert(QStringLiteral("QT_QPA_PLATFORM"), plattform);
    const QString display = freierDisplay();
    if (x11) e.insert(QStringLiteral("DISPLAY"), display);
    // A compositor that takes the connection and never answers.
    QLocalServer stumm;
    if (wayland == QLatin1String("stumm")) {
        QVERIFY(stumm.listen(laufzeit.filePath(QStringLiteral("wayland-stumm"))));
        e.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-stumm"));
    } else if (!wayland.isEmpty()) {
        e.insert(QStringLiteral("WAYLAND_DISPLAY"), wayland);
    }
    Testordner daten;
    const Lauf l = starte(e, {QStringLiteral("--datenordner"), daten.pfad()});
    QVERIFY2(!l.abgestuerzt, qPrintable(l.fehler));
    QCOMPARE(l.code, 1);
    QVERIFY2(l.fehler.startsWith(QStringLiteral("Pfanno-Lux braucht eine grafische Oberfläche")),
             qPrintable(l.fehler));
    QVERIFY2(l.fehler.contains(grund.contains(QLatin1String("%1")) ? grund.arg(display) : grund),
             qPrintable(l.fehler));
    QVERIFY(l.fehler.contains(QStringLiteral("xvfb-run -a pfanno-lux")));
    // Nothing was started: nothing written into the data folder, no socket made, the folder free.
    QCOMPARE(
        QDir(daten.pfad()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList());
    QCOMPARE(QDir(laufzeit.path())
                 .entryList({QStringLiteral("pfanno-lux*")},
                            QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(pfl::Datenordnersperre(daten.pfad()).gesperrt());
}

void TestStart::fremdeDateienImDatenordner_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("art");
    for (const char* name : {"README.md", ".pfanno-lux.lock"})
        for (const char* art : {"datei", "leer", "verweis hinaus", "verweis ins nichts", "ordner", "fifo"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(name), QLatin1String(art))))
                << QString::fromLatin1(name) << QString::fromLatin1(art);
}

void TestStart::fremdeDateienImDatenordner() {
    // The program itself on a data folder that holds a user's README or a leftover of the old lock
    // file, of any kind: it starts (no refusal, no hang before the window), leaves the entry exactly
    // as it was, copies none of its shipped files in, and ends normally.
    QFETCH(QString, name);
    QFETCH(QString, art);
    QTemporaryDir laufzeit;
    QTemporaryDir draussen;
    Testordner daten;
    const QString pfad = daten.datei(name);
    const QByteArray p = QFile::encodeName(pfad);
    const QByteArray ziel = QFile::encodeName(draussen.filePath(QStringLiteral("fremd.md")));
    {
        QFile f(QFile::decodeName(ziel));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("fremd");
    }
    if (art == QLatin1String("datei")) daten.schreibe(name, "# Meine eigenen Notizen\n12345\n");
    if (art == QLatin1String("leer")) daten.schreibe(name, {});
    if (art == QLatin1String("verweis hinaus")) QCOMPARE(::symlink(ziel.constData(), p.constData()), 0);
    if (art == QLatin1String("verweis ins nichts")) QCOMPARE(::symlink("/nirgends/da", p.constData()), 0);
    if (art == QLatin1String("ordner")) QVERIFY(QDir().mkpath(pfad));
    if (art == QLatin1String("fifo")) QCOMPARE(::mkfifo(p.constData(), 0600), 0);
    struct stat vorher {};
    QCOMPARE(::lstat(p.constData(), &vorher), 0);
    // Read only what is a file: the test would block on the FIFO itself.
    const bool datei = S_ISREG(vorher.st_mode);
    const QByteArray inhaltVorher = datei ? daten.lies(name) : QByteArray();

    QProcessEnvironment e = ohneBildschirm();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    QProcess prog;
    prog.setProcessEnvironment(e);
    prog.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    prog.start(QStringLiteral(PFANNO_PROGRAMM), {QStringLiteral("--datenordner"), daten.pfad()});
    QVERIFY(prog.waitForStarted());
    const QDir ordner(laufzeit.path());
    QTRY_VERIFY_WITH_TIMEOUT(ordner.entryList(QDir::System | QDir::NoDotAndDotDot).size() == 1 ||
                                 prog.state() == QProcess::NotRunning,
                             30000);
    QCOMPARE(prog.state(), QProcess::Running);
    QVERIFY(pfl::Datenordnersperre(daten.pfad()).besetzt());
    QCOMPARE(::kill(pid_t(prog.processId()), SIGTERM), 0);
    QVERIFY(prog.waitForFinished(20000));
    QCOMPARE(prog.exitStatus(), QProcess::NormalExit);
    QCOMPARE(prog.exitCode(), 0);

    struct stat nachher {};
    QCOMPARE(::lstat(p.constData(), &nachher), 0);
    QCOMPARE(nachher.st_mode, vorher.st_mode);
    QCOMPARE(nachher.st_ino, vorher.st_ino);
    QCOMPARE(nachher.st_mtim.tv_nsec, vorher.st_mtim.tv_nsec);
    if (datei) QCOMPARE(daten.lies(name), inhaltVorher);
    {
        QFile f(QFile::decodeName(ziel));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("fremd"));
    }
    // The shipped files stay where they were installed.
    QVERIFY(!daten.gibt(QStringLiteral("Zirade-Zadod.ize")));
    QVERIFY(!daten.gibt(QStringLiteral("Hintergrund")));
    if (name != QLatin1String("README.md")) QVERIFY(!daten.gibt(QStringLiteral("README.md")));
}

void TestStart::signalRaeumtAuf_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestStart::signalRaeumtAuf() {
    // Ended by a signal, the program goes as when it is closed: its lock and its socket are gone.
    QFETCH(int, signal);
    QTemporaryDir laufzeit;
    Testordner daten;
    QProcessEnvironment e = ohneBildschirm();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    QProcess p;
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(PFANNO_PROGRAMM), {QStringLiteral("--datenordner"), daten.pfad()});
    QVERIFY(p.waitForStarted());
    const QDir ordner(laufzeit.path());
    // Up when its socket listens in the runtime folder (made only while the folder is locked); asked
    // before, the test's own try would take the lock from the program.
    QTRY_VERIFY_WITH_TIMEOUT(ordner.entryList(QDir::System | QDir::NoDotAndDotDot).size() == 1, 30000);
    QVERIFY(pfl::Datenordnersperre(daten.pfad()).besetzt());
    QTest::qWait(300);
    QCOMPARE(::kill(pid_t(p.processId()), signal), 0);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(pfl::Datenordnersperre(daten.pfad()).gesperrt());
    QCOMPARE(ordner.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestStart::socketImLaufzeitordner() {
    // The single-instance socket lies in the user's runtime folder; without a usable one, in the
    // temporary folder under a name that carries the user.
    Testordner daten;
    QTemporaryDir laufzeit;
    const QByteArray vorher = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(laufzeit.path()));
    const QString dort = pfl::Einzelstart::name(daten.pfad());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(laufzeit.filePath(QStringLiteral("fehlt"))));
    const QString ersatz = pfl::Einzelstart::name(daten.pfad());
    qunsetenv("XDG_RUNTIME_DIR");
    const QString ohne = pfl::Einzelstart::name(daten.pfad());
    if (vorher.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", vorher);
    QCOMPARE(QFileInfo(dort).absolutePath(), laufzeit.path());
    QVERIFY(QFileInfo(dort).fileName().startsWith(QStringLiteral("pfanno-lux-")));
    QCOMPARE(ersatz, ohne);
    QVERIFY(!ohne.contains(QLatin1Char('/')));
    QVERIFY(ohne.contains(QString::number(::getuid())));
}

void TestStart::waylandPruefung_data() {
    QTest::addColumn<QString>("server"); // "fehlt", "stumm" or "antwortet"
    QTest::addColumn<bool>("antwortet");
    QTest::newRow("kein Socket") << "fehlt" << false;
    QTest::newRow("stumm") << "stumm" << false;
    QTest::newRow("antwortet") << "antwortet" << true;
}

void TestStart::waylandPruefung() {
    // A compositor counts only when it answers a request, not when its socket merely exists.
    QFETCH(QString, server);
    QFETCH(bool, antwortet);
    QTemporaryDir laufzeit;
    const QByteArray pfad = QFile::encodeName(laufzeit.filePath(QStringLiteral("wayland-t")));
    const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QVERIFY(s >= 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::memcpy(a.sun_path, pfad.constData(), size_t(pfad.size()));
    if (server != QLatin1String("fehlt")) {
        QCOMPARE(::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
        QCOMPARE(::listen(s, 4), 0);
    }
    // The answering one replies to the request with an event of its own.
    std::thread antwort;
    if (server == QLatin1String("antwortet"))
        antwort = std::thread([s] {
            const int c = ::accept(s, nullptr, nullptr);
            if (c < 0) return;
            char b[12];
            if (::recv(c, b, sizeof b, MSG_WAITALL) == ssize_t(sizeof b)) {
                const quint32 fertig[3] = {2, 12u << 16, 1};
                [[maybe_unused]] const ssize_t n = ::send(c, fertig, sizeof fertig, MSG_NOSIGNAL);
            }
            ::close(c);
        });
    QCOMPARE(pfl::waylandAntwortet(QString::fromLocal8Bit(pfad)), antwortet);
    if (antwort.joinable()) antwort.join();
    ::close(s);
}

QTEST_MAIN(TestStart)
#include "tst_start.moc"
