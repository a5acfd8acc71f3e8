// Start-up and shutdown on real data directories, checked through the main window and the files.
#include "app/Anwendung.h"
#include "app/Fenster.h"
#include "app/Hauptfenster.h"
#include "data/Unit4.h"
#include "support/DataDir.h"
#include "support/ScriptedPlatform.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

namespace {
struct Programm {
    ScriptedPlatform plattform;
    DataDir dir;
    Unit4 u;
    explicit Programm(bool mitHilfe = true, const std::function<void(DataDir&)>& vorher = {}) {
        if (mitHilfe) dir.schreibe(QStringLiteral("Zirade-Zadod.ize"), "<html></html>");
        if (vorher) vorher(dir);
    }
    TForm1* starten() {
        pfl::starten(dir.pfad());
        return fenster().Form1;
    }
    ~Programm() { delete fenster().Form1; }
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
    QCOMPARE(f->StatusPanel0->text(), QStringLiteral("  Aktives Rezeptbuch: "));
    QVERIFY(!f->StatusPanel1->text().isEmpty());
    QVERIFY(p.plattform.meldungen.isEmpty());
    QVERIFY(f->Panel2->isHidden());
    QVERIFY(!f->Label1->isHidden());
    QCOMPARE(f->Datenbildschirmeinaus1->text(), QStringLiteral("Datenbildschirm einschalten"));
    QVERIFY(p.u.rubrik.isEmpty());
}

void TestStart::hilfeDateiFehlt() {
    Programm p(false);
    p.starten();
    QCOMPARE(p.plattform.meldungsTexte(), QStringList{QStringLiteral("Hilfe-Datei nicht gefunden\n") +
                                                      p.dir.pfad() + QStringLiteral("Zirade-Zadod.ize")});
}

void TestStart::titelUndDatenbildschirmPlatziert() {
    Programm p(true, [](DataDir& d) {
        optionen o;
        zeroRecord(o);
        o.dbw = 779;
        o.dbh = 421;
        o.db_einaus = 1;
        d.schreibe(QStringLiteral("Rezept.opt"), DataDir::bytes(o));
    });
    TForm1* f = p.starten();
    QCOMPARE(f->Panel2->geometry(), QRect(570, 329, 779, 421));
    QVERIFY(!f->Panel2->isHidden());
    QVERIFY(f->Label1->isHidden());
    QCOMPARE(f->Datenbildschirmeinaus1->text(), QStringLiteral("Datenbildschirm ausschalten"));
    QVERIFY(f->Datenbildschirmeinaus1->isChecked());
    const int l1 = f->Label1->width() / 2;
    const int l2 = f->Label2->width() / 2;
    QCOMPARE(f->Label1->pos(), QPoint(960 - l1 - 100, 540 - 150));
    QCOMPARE(f->Label2->pos(), QPoint(960 - l2 + 100, 540 + 50));
    QCOMPARE(f->StatusPanel0->width(), 960);
}

void TestStart::rubrikenUndErsteAuswahl() {
    Programm p(true, [](DataDir& d) {
        d.rubriken({QStringLiteral("Suppen"), QStringLiteral("Desserts"), QStringLiteral("suppen")});
    });
    TForm1* f = p.starten();
    QCOMPARE(f->ListBox1->count(), 2);
    QCOMPARE(f->ListBox1->item(0)->text(), QStringLiteral("Desserts"));
    QCOMPARE(f->ListBox2->item(0)->text(), QStringLiteral("Suppen"));
    QCOMPARE(p.u.rubrik, QStringLiteral("Desserts"));
}

void TestStart::beendenSchreibtVersion() {
    Programm p;
    TForm1* f = p.starten();
    QVERIFY(!p.dir.gibt(QStringLiteral("Version.ver")));
    f->SpeedButton2->click();
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
    QTest::keyClick(f->ListBox1, Qt::Key_F1);
    QCOMPARE(p.plattform.hilfeAufrufe.size(), 1);
    QCOMPARE(p.plattform.hilfeAufrufe.first().second, 100);
    f->SobeginnenSie1->trigger();
    QCOMPARE(p.plattform.hilfeAufrufe.last().second, 1100);
    QTest::keyClick(f, Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!f->isVisible());
}

void TestStart::werkzeugleiste() {
    Programm p;
    TForm1* f = p.starten();
    const QStringList erwartet{
        QStringLiteral("Erfassen"), QStringLiteral("Bearbeiten"), QStringLiteral("Wechseln"),
        QStringLiteral("E-Mail"),   QStringLiteral("Suchen"),     QStringLiteral("Drucken"),
        QStringLiteral("Backup"),   QStringLiteral("Farben"),     QStringLiteral("Beenden")};
    QList<QToolButton*> knoepfe = f->Panel1->findChildren<QToolButton*>();
    std::sort(knoepfe.begin(), knoepfe.end(), [](QToolButton* a, QToolButton* b) { return a->x() < b->x(); });
    QStringList texte;
    for (QToolButton* b : knoepfe) {
        texte << b->text();
        QVERIFY2(!b->icon().isNull(), qPrintable(b->text()));
    }
    QCOMPARE(texte, erwartet);
    QCOMPARE(f->Panel1->height(), 70);
}

QTEST_MAIN(TestStart)
#include "tst_start.moc"
