// SPDX-License-Identifier: GPL-3.0-or-later
// A book whose file name a copy from Windows wrote in its code page ("caf\xE9.rez"), through the
// book windows: listed as the user reads it, chosen, refused as the active book and deleted.
#include "app/Anwendung.h"
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "mainwindow/NeuesRezeptbuch.h"
#include "mainwindow/RezeptbuchLoeschen.h"
#include "mainwindow/RezeptbuchWechseln.h"
#include "support/LaufendesProgramm.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray kCafe = "caf\xE9.rez";

// Qt's own removal passes over names that are not UTF-8: the book from Windows goes by hand.
struct Wegraeumen {
    QString ordner;
    ~Wegraeumen() { ::unlink(QByteArray(QFile::encodeName(ordner) + kCafe).constData()); }
};
using Programm = pfl::test::LaufendesProgramm;

void waehle(QListWidget* l, const QString& text) {
    const QList<QListWidgetItem*> t = l->findItems(text, Qt::MatchExactly);
    QVERIFY2(!t.isEmpty(), qPrintable(text));
    l->setCurrentItem(t.first());
    t.first()->setSelected(true);
    Q_EMIT l->itemClicked(t.first());
}

QByteArray rohPfad(const Testordner& d) {
    return QFile::encodeName(d.pfad()) + kCafe;
}

// A data folder with the book "Familie" active and the book from Windows beside it.
void datenordner(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Desserts")});
    d.buch(QStringLiteral("Familie.rez"),
           {Testordner::rezept(QStringLiteral("Desserts"), QStringLiteral("Eis"))});
    QByteArray b;
    for (const QString& n : {QStringLiteral("Crêpes"), QStringLiteral("Tarte"), QStringLiteral("Éclair")})
        b += Testordner::bytes(Testordner::rezept(QStringLiteral("Desserts"), n));
    const int fd = ::open(rohPfad(d).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, b.constData(), size_t(b.size())), b.size());
    ::close(fd);
}

bool gibtRoh(const Testordner& d) {
    struct stat st;
    return ::stat(rohPfad(d).constData(), &st) == 0;
}
} // namespace

class TestWindowsnamen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void wechselnUndLoeschen();
    void neuesBuchGleichenNamens();
};

void TestWindowsnamen::wechselnUndLoeschen() {
    Programm p(datenordner);
    const Wegraeumen weg{p.dir.pfad()};
    p.finde<QAction>(QStringLiteral("Rezeptbuchwechseln1"))->trigger();
    TWechseln* w = p.finde<TWechseln>(QStringLiteral("Wechseln"));
    auto* liste = p.in<QListWidget>(w, QStringLiteral("FileListBox1"));
    QCOMPARE(liste->count(), 2);
    waehle(liste, QStringLiteral("café.rez"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("café"));
    // Stored in Windows-1252: the bytes of the file's own name.
    QVERIFY(p.optionenDatei().rezeptbuch.equalsBytes("caf\xE9"));
    QCOMPARE(p.finde<TFilterGrid>(QStringLiteral("FilterGrid1"))->RowCount(), 4);
    QCOMPARE(p.finde<QLabel>(QStringLiteral("StatusPanel0"))->text(),
             QStringLiteral("  Aktives Rezeptbuch: café"));

    // Active, it is not deleted; once another book is active, it is.
    p.finde<QAction>(QStringLiteral("Rezeptbuchlschne1"))->trigger();
    Tloeschen* l = p.finde<Tloeschen>(QStringLiteral("loeschen"));
    waehle(p.in<QListWidget>(l, QStringLiteral("FileListBox1")), QStringLiteral("café.rez"));
    p.in<QPushButton>(l, QStringLiteral("Button1"))->click();
    QVERIFY(p.plattform.meldungen.last().text.contains(
        QStringLiteral("Sie können ein aktives Rezeptbuch nicht löschen.")));
    QVERIFY(gibtRoh(p.dir));
    p.u.rezeptbuch = QStringLiteral("Familie");
    p.u.option.rezeptbuch = QStringLiteral("Familie");
    waehle(p.in<QListWidget>(l, QStringLiteral("FileListBox1")), QStringLiteral("café.rez"));
    p.plattform.antworten.enqueue(Platform::Answer::Yes);
    p.in<QPushButton>(l, QStringLiteral("Button1"))->click();
    QVERIFY(p.plattform.meldungen.last().text.contains(QStringLiteral(">  café <")));
    QVERIFY(!gibtRoh(p.dir));
    QCOMPARE(p.in<QListWidget>(l, QStringLiteral("FileListBox1"))->count(), 1);
}

void TestWindowsnamen::neuesBuchGleichenNamens() {
    // A new book named as the book from Windows reads is refused: creating it would empty that book.
    Programm p(datenordner);
    const Wegraeumen weg{p.dir.pfad()};
    p.finde<QAction>(QStringLiteral("Rezeptbuchanlegen1"))->trigger();
    Td_anlegen* w = p.finde<Td_anlegen>(QStringLiteral("d_anlegen"));
    p.in<QLineEdit>(w, QStringLiteral("Edit1"))->setText(QStringLiteral("Café"));
    p.in<QPushButton>(w, QStringLiteral("Button1"))->click();
    QVERIFY(
        p.plattform.meldungen.last().text.contains(QStringLiteral("Dieser Dateiname ist bereits vorhanden")));
    QCOMPARE(p.u.rezeptbuch, QStringLiteral("Familie"));
    struct stat st;
    QCOMPARE(::stat(rohPfad(p.dir).constData(), &st), 0);
    QCOMPARE(qint64(st.st_size), 3 * qint64(sizeof(dateien)));
}

QTEST_MAIN(TestWindowsnamen)
#include "tst_windowsnamen.moc"
