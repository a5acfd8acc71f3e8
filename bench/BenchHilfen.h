// SPDX-License-Identifier: GPL-3.0-or-later
// Shared pieces of the benchmarks: a silent platform (no dialogs, a fixed 1920 x 1080 screen
// and date), a generated recipe book and best-of timing.
#pragma once

#include "data/Records.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <functional>

class BenchPlattform : public Platform {
public:
    Answer message(Kind, const QString&, Buttons, const QString&) override { return Answer::Ok; }
    void beep() override {}
    QString choosePictureFile(const QString&, const QString&) override { return {}; }
    QString chooseDirectory(const QString&) override { return {}; }
    bool chooseColour(quint32&, QList<quint32>&) override { return false; }
    bool printerSetup(QPrinter*) override { return false; }
    PrintResult printImage(QPrinter*, const QImage&, const QRect&) override { return PrintResult::Cancelled; }
    QStringList fontFamilies() override { return {}; }
    bool openUrl(const QString&) override { return false; }
    int startProgram(const QString&, const QStringList&) override { return -1; }
    MailResult sendMail(const MailMessage&) override { return MailResult::NoProvider; }
    void showHelp(const QString&, int) override {}
    QSize screenSize() override { return {1920, 1080}; }
    QRect workArea() override { return {0, 0, 1920, 1040}; }
    int pixelsPerInch() override { return 96; }
    QDate today() override { return QDate(2026, 12, 7); }
    PrintResult printPages(QPrinter*, const QList<QPicture>&, const QString&) override {
        return PrintResult::Cancelled;
    }
};

// Rezept.opt of the benchmark folder lpf: the book "Gross" active, the data screen at the given size
// (hidden at 0 x 0), row height 22.
inline void schreibeOptionen(const QString& lpf, int dbw = 0, int dbh = 0) {
    optionen o;
    zeroRecord(o);
    o.rezeptbuch = QStringLiteral("Gross");
    o.dbw = dbw;
    o.dbh = dbh;
    o.db_einaus = dbw > 0 || dbh > 0 ? 1 : 0;
    o.z_hoehe = 22;
    QFile f(lpf + QStringLiteral("Rezept.opt"));
    if (f.open(QIODevice::WriteOnly)) f.write(reinterpret_cast<const char*>(&o), sizeof o);
}

// Writes a book of `anzahl` recipes in large blocks; `fuellen` sets the fields of recipe i.
inline void schreibeSaetze(const QString& pfad, int anzahl,
                           const std::function<void(dateien&, int)>& fuellen) {
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QByteArray block;
    for (int i = 0; i < anzahl; ++i) {
        dateien d;
        zeroRecord(d);
        fuellen(d, i);
        block.append(reinterpret_cast<const char*>(&d), sizeof d);
        if (block.size() > (8 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

// A book of realistic recipes: German names with umlauts, five sections in turn (so a fifth of
// the recipes are "Suppen"), amounts, times and texts. `mehr` may set further fields.
inline void schreibeBuch(const QString& pfad, int anzahl,
                         const std::function<void(dateien&, QRandomGenerator&)>& mehr = {}) {
    static const char* const rubriken[] = {"Suppen", "Hauptgerichte", "Desserts", "Salate", "Backen"};
    static const char* const gerichte[] = {"Linsensuppe", "Gulasch",       "Apfelstrudel",
                                           "Spätzle",     "Bärlauchpesto", "Zwiebelkuchen",
                                           "Öl-Fondue",   "Rinderrouladen"};
    QRandomGenerator rnd(42);
    schreibeSaetze(pfad, anzahl, [&](dateien& d, int i) {
        d.Rubrik = QString::fromLatin1(rubriken[i % 5]);
        d.name = QString::fromUtf8(gerichte[rnd.bounded(8)]) + QStringLiteral(" Nr. %1").arg(i);
        d.kategorie = QStringLiteral("Deftig");
        d.preis = rnd.bounded(3000) / 100.0;
        d.anzahl = QString::number(1 + rnd.bounded(8));
        d.zeit = QString::number(5 + rnd.bounded(120));
        d.k_zeit = QString::number(rnd.bounded(180));
        d.kalorien = QString::number(150 + rnd.bounded(900));
        d.zutaten = QStringLiteral("200 g Mehl\r\n2 Eier\r\n1 Prise Salz");
        d.zubereitung = QString(800, QLatin1Char('x'));
        if (mehr) mehr(d, rnd);
    });
}

// Windows draw offscreen unless the caller chose a platform; call before the QApplication exists.
inline void offscreenVorgeben() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Best of several runs, in milliseconds.
inline double besteZeit(int laeufe, const std::function<void()>& f) {
    double best = 1e300;
    for (int i = 0; i < laeufe; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// Best wall time (ms) of several runs of this program as a child with the given arguments; vorher
// (if given) runs before each, untimed.
inline double prozessZeit(const QStringList& argumente, int laeufe = 5,
                          const std::function<void()>& vorher = {}) {
    double best = 1e300;
    for (int i = 0; i < laeufe; ++i) {
        if (vorher) vorher();
        QProcess p;
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), argumente);
        p.waitForFinished(-1);
        best = qMin(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}
