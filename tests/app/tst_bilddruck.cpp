// SPDX-License-Identifier: GPL-3.0-or-later
// Printing a picture and recorded pages through the desktop platform, onto a PDF printer so that no
// device is needed.
#include "app/QtPlatform.h"
#include "data/Records.h"
#include "pages/Drucklayout.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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
    void pdfVorschlag_data();
    void pdfVorschlag();
    void aufsPapier_data();
    void aufsPapier();
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

void TestBilddruck::pdfVorschlag_data() {
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QString>("datei");
    QTest::newRow("Rezept") << "Linsensuppe"
                            << "Linsensuppe.pdf";
    QTest::newRow("Einkaufsliste") << "Einkaufsliste"
                                   << "Einkaufsliste.pdf";
    QTest::newRow("Schrägstrich") << "Brot/Kuchen"
                                  << "Brot-Kuchen.pdf";
    QTest::newRow("versteckt") << "..Geheim"
                               << "Geheim.pdf";
    QTest::newRow("leer") << "  "
                          << "Ausdruck.pdf";
}

void TestBilddruck::pdfVorschlag() {
    // Saving a printout as PDF proposes the printout's title as the file's name.
    QFETCH(QString, titel);
    QFETCH(QString, datei);
    QCOMPARE(::pdfVorschlag(titel), QDir::home().filePath(datei));
}

namespace {
QString ausgabe(const QString& programm, const QStringList& argumente) {
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

void TestBilddruck::aufsPapier_data() {
    QTest::addColumn<int>("groesse"); // QPageSize::PageSizeId
    QTest::addColumn<double>("rand"); // the printer's unprintable border, mm
    QTest::newRow("A4, ganze Seite") << int(QPageSize::A4) << 0.0;
    QTest::newRow("A4 mit Druckrand") << int(QPageSize::A4) << 15.0;
    QTest::newRow("Letter gewählt") << int(QPageSize::Letter) << 6.0;
    QTest::newRow("A5 gewählt") << int(QPageSize::A5) << 10.0;
}

void TestBilddruck::aufsPapier() {
    // A recipe printed to PDF, read back: the paper the printer has, the recipe's name as the
    // title, and ink only inside the printable area.
    QFETCH(int, groesse);
    QFETCH(double, rand);
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdfinfo.isEmpty() || pdftoppm.isEmpty()) QSKIP("poppler-utils (pdfinfo, pdftoppm) are not installed");
    DruckGruppe g;
    zeroRecord(g);
    g.text_Hoehe = 8;
    g.schrift = QStringLiteral("Tahoma");
    pfl::Druckrezept r;
    r.titel = QStringLiteral("Linsensuppe");
    r.zutaten =
        QStringLiteral("250 g Linsen\r\n") + QStringLiteral("Salz und Pfeffer nach Geschmack ").repeated(12);
    const pfl::Drucklayout l = pfl::rezeptSetzen(r, g, QDate(2026, 12, 7));
    QVERIFY(l.fehler.isEmpty());
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("rezept.pdf"));
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(datei);
    const QPageSize seite{QPageSize::PageSizeId(groesse)};
    drucker.setPageSize(seite);
    drucker.setPageMargins(QMarginsF(rand, rand, rand, rand), QPageLayout::Millimeter);
    QtPlatform plattform;
    QCOMPARE(plattform.printPages(&drucker, {pfl::seiteAufzeichnen(l.seiten.first())}, r.titel),
             Platform::PrintResult::Printed);

    const QString info = ausgabe(pdfinfo, {datei});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("^Title: +Linsensuppe$"),
                                              QRegularExpression::MultilineOption)),
             qPrintable(info));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
    QVERIFY2(m.hasMatch(), qPrintable(info));
    const QSizeF pt = seite.size(QPageSize::Point);
    QVERIFY(qAbs(m.captured(1).toDouble() - pt.width()) < 1);
    QVERIFY(qAbs(m.captured(2).toDouble() - pt.height()) < 1);

    // The page at 72 dpi, one pixel a point: no ink within the border.
    ausgabe(pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), datei, ordner.filePath(QStringLiteral("seite"))});
    const QImage bild(ordner.filePath(QStringLiteral("seite.png")));
    QVERIFY(!bild.isNull());
    const int frei = qFloor(rand / 25.4 * 72) - 1;
    int tinte = 0;
    QRect umriss;
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (qGray(bild.pixel(x, y)) < 160) {
                ++tinte;
                umriss |= QRect(x, y, 1, 1);
            }
    QVERIFY(tinte > 100);
    QVERIFY2(umriss.left() >= frei && umriss.top() >= frei && umriss.right() < bild.width() - frei &&
                 umriss.bottom() < bild.height() - frei,
             qPrintable(QStringLiteral("ink %1,%2 to %3,%4, border %5")
                            .arg(umriss.left())
                            .arg(umriss.top())
                            .arg(umriss.right())
                            .arg(umriss.bottom())
                            .arg(frei)));
}

QTEST_MAIN(TestBilddruck)
#include "tst_bilddruck.moc"
