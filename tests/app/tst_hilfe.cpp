// The help file shipped beside the program and the help viewer of the desktop platform.
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QTextBrowser>
#include <QtTest>

class TestHilfe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void themen_data();
    void themen();
};

void TestHilfe::themen_data() {
    QTest::addColumn<int>("thema");
    for (int t : {100, 150, 200, 250, 300, 350, 400, 500, 550, 600, 700, 750, 800, 850, 900, 1000, 1100})
        QTest::newRow(qPrintable(QString::number(t))) << t;
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
    if (qEnvironmentVariableIsSet("PFANNO_SCREENSHOTS"))
        fenster->grab().save(QStringLiteral("/tmp/hilfe_%1.png").arg(thema));
}

QTEST_MAIN(TestHilfe)
#include "tst_hilfe.moc"
