// SPDX-License-Identifier: GPL-3.0-or-later
// The help file shipped beside the program and the help viewer of the desktop platform.
#include "app/QtPlatform.h"
#include "data/Sicherung.h"
#include "support/Bildschirmfoto.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestHilfe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void themen_data();
    void themen();
    void abschnitte_data();
    void abschnitte();
    void verweise();
    void sicherungsseitenWieDasProgramm_data();
    void sicherungsseitenWieDasProgramm();
};

namespace {
QString hilfetext() {
    QFile f(qEnvironmentVariable("PFANNO_SOURCE_DIR") + QStringLiteral("/resources/Zirade-Zadod.ize"));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

// Every topic a window opens, with a text its page must contain: the window's caption or what
// its help button stands for.
struct Thema {
    int nummer;
    const char* inhalt;
};
const Thema kThemen[] = {
    {100, "Rezeptverwaltung"},           // main window, F1
    {150, "Rezepte erfassen"},           // entry window
    {200, "Rezeptbuch wechseln"},        // switch book
    {250, "Neues Rezeptbuch anlegen"},   // new book
    {300, "Rezeptbuch löschen"},         // delete book
    {350, "Rezeptbuch bearbeiten"},      // book listing of the whole book
    {400, "Rezept drucken"},             // book listing of one name, "Rezept drucken"
    {500, "Kategorien"},                 // category list
    {550, "Rubriken"},                   // section list
    {600, "Rezepte suchen"},             // search and search in all books
    {700, "Druckereinstellung"},         // print settings
    {750, "Stammdaten"},                 // settings
    {800, "Datenbildschirm"},            // data screen size
    {850, "Datensicherung"},             // backup
    {900, "Datenwiederherstellung"},     // restore
    {1000, "Hauptbildschirm verändern"}, // colour dialog and background picture
    {1100, "So beginnen Sie"},           // getting started
    {1200, "Rezepte importieren"},       // import window
};
} // namespace

void TestHilfe::themen_data() {
    QTest::addColumn<int>("thema");
    for (const Thema& t : kThemen)
        QTest::newRow(qPrintable(QString::number(t.nummer))) << t.nummer;
}

void TestHilfe::themen() {
    QFETCH(int, thema);
    const QString datei =
        qEnvironmentVariable("PFANNO_SOURCE_DIR") + QStringLiteral("/resources/Zirade-Zadod.ize");
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    QVERIFY(html.contains(QStringLiteral("name=\"t%1\"").arg(thema)));

    QtPlatform plattform;
    plattform.showHelp(datei, thema);
    QWidget* fenster = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Hilfe") && w->isVisible()) fenster = w;
    QVERIFY(fenster);
    auto* browser = fenster->findChild<QTextBrowser*>();
    QVERIFY(browser);
    QCOMPARE(browser->source().fragment(), QStringLiteral("t%1").arg(thema));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Pfanno-Lux")));
    pfl::test::bildschirmfoto(fenster, QStringLiteral("hilfe_%1").arg(thema));
}

void TestHilfe::abschnitte_data() {
    QTest::addColumn<int>("thema");
    QTest::addColumn<QString>("inhalt");
    for (const Thema& t : kThemen)
        QTest::newRow(qPrintable(QString::number(t.nummer))) << t.nummer << QString::fromUtf8(t.inhalt);
}

void TestHilfe::abschnitte() {
    // Each anchor exists once and leads to the page of its window, not to a neighbour's.
    QFETCH(int, thema);
    QFETCH(QString, inhalt);
    const QString html = hilfetext();
    const QString anker = QStringLiteral("name=\"t%1\"").arg(thema);
    const qsizetype anfang = html.indexOf(anker);
    QVERIFY(anfang >= 0);
    QCOMPARE(html.count(anker), 1);
    const qsizetype ende = html.indexOf(QRegularExpression(QStringLiteral("<h[12]><a name=")), anfang);
    const QString seite = html.mid(anfang, ende < 0 ? -1 : ende - anfang);
    QVERIFY2(seite.contains(inhalt), qPrintable(seite.left(200)));
    // A page says something: more than its heading.
    QVERIFY(seite.size() > 300);
}

void TestHilfe::verweise() {
    // Every link inside the help leads to an anchor that exists.
    const QString html = hilfetext();
    QVERIFY(!html.isEmpty());
    const QRegularExpression verweis(QStringLiteral("href=\"#([^\"]+)\""));
    int n = 0;
    for (const QRegularExpressionMatch& m : verweis.globalMatch(html)) {
        const QString ziel = m.captured(1);
        QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(ziel)), qPrintable(ziel));
        ++n;
    }
    QVERIFY(n > 0);
}

void TestHilfe::sicherungsseitenWieDasProgramm_data() {
    QTest::addColumn<int>("thema");
    QTest::newRow("Datensicherung") << 850;
    QTest::newRow("Datenwiederherstellung") << 900;
}

void TestHilfe::sicherungsseitenWieDasProgramm() {
    // The backup and restore pages name every kind of file the program copies, the pictures too.
    QFETCH(int, thema);
    const QString html = hilfetext();
    const qsizetype anfang = html.indexOf(QStringLiteral("name=\"t%1\"").arg(thema));
    QVERIFY(anfang >= 0);
    const qsizetype ende = html.indexOf(QRegularExpression(QStringLiteral("<h[12]><a name=")), anfang);
    const QString seite = html.mid(anfang, ende < 0 ? -1 : ende - anfang);
    const QStringList masken = thema == 850 ? pfl::sicherungsMasken() : pfl::wiederherstellungsMasken();
    for (const QString& m : masken) {
        const QString endung = m.mid(1); // ".rez"
        QVERIFY2(seite.contains(endung, Qt::CaseInsensitive), qPrintable(endung));
    }
    QVERIFY(seite.contains(QStringLiteral("Rezeptbilder")));
    QVERIFY(!seite.contains(QStringLiteral("<b>Nicht</b> gesichert")));
    if (thema == 900) QVERIFY(seite.contains(QStringLiteral("neuer als ihre Sicherung")));
}

QTEST_MAIN(TestHilfe)
#include "tst_hilfe.moc"
