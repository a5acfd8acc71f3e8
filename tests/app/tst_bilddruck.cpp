// Printing a picture and recorded pages through the desktop platform, onto a PDF printer so that no
// device is needed.
#include "app/QtPlatform.h"
#include "data/Records.h"
#include "pages/Drucklayout.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

class TestBilddruck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pdf_data();
    void pdf();
    void nichtSchreibbar();
    void seiten();
};

void TestBilddruck::pdf_data() {
    QTest::addColumn<QRect>("ziel");
    QTest::newRow("picture") << QRect(200, 100, 2200, 1500);
    QTest::newRow("empty page") << QRect();
}

void TestBilddruck::pdf() {
    QFETCH(QRect, ziel);
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("bild.pdf")));
    QImage bild(60, 40, QImage::Format_RGB32);
    bild.fill(Qt::red);
    QtPlatform plattform;
    QCOMPARE(plattform.printImage(&drucker, bild, ziel), Platform::PrintResult::Printed);
    QFile f(ordner.filePath(QStringLiteral("bild.pdf")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.contains("/Count 1")); // one page, also when it stays empty
    // The picture is embedded only when there is room to draw it.
    QCOMPARE(pdf.contains("/Subtype /Image"), !ziel.isEmpty());
}

void TestBilddruck::nichtSchreibbar() {
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("fehlt/bild.pdf")));
    QImage bild(60, 40, QImage::Format_RGB32);
    bild.fill(Qt::red);
    QtPlatform plattform;
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QCOMPARE(plattform.printImage(&drucker, bild, QRect(200, 100, 100, 100)), Platform::PrintResult::Failed);
}

void TestBilddruck::seiten() {
    DruckGruppe g;
    zeroRecord(g);
    g.text_Hoehe = 10;
    g.pen_strich = 1;
    g.anz_zeilen = 59;
    g.schrift = QStringLiteral("Tahoma");
    QStringList liste;
    for (int i = 0; i < 150; ++i)
        liste << QStringLiteral("Zeile %1").arg(i);
    const pfl::Drucklayout l = pfl::einkaufslisteSetzen(liste.join(QLatin1Char('\n')), g, QDate(2026, 12, 7));
    QVERIFY(l.seiten.size() > 1);
    QList<QPicture> bilder;
    for (const pfl::Druckseite& s : l.seiten)
        bilder << pfl::seiteAufzeichnen(s);
    QTemporaryDir ordner;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("liste.pdf")));
    QtPlatform plattform;
    QCOMPARE(plattform.printPages(&drucker, bilder, QStringLiteral("Printing ...")),
             Platform::PrintResult::Printed);
    QFile f(ordner.filePath(QStringLiteral("liste.pdf")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.contains(QByteArray("/Count ").append(QByteArray::number(l.seiten.size()))));
    // No pages: nothing is printed, no file appears.
    drucker.setOutputFileName(ordner.filePath(QStringLiteral("leer.pdf")));
    QCOMPARE(plattform.printPages(&drucker, {}, QStringLiteral("Printing ...")),
             Platform::PrintResult::Printed);
    QVERIFY(!QFile::exists(ordner.filePath(QStringLiteral("leer.pdf"))));
}

QTEST_MAIN(TestBilddruck)
#include "tst_bilddruck.moc"
