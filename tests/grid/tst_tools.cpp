// SPDX-License-Identifier: GPL-3.0-or-later
// The text and number helpers of the tables, with German number rules on any machine locale.
#include "grid/Tools.h"

#include <QtTest>

class TstTools : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void beispiele_data();
    void beispiele();
    void nextParamStrNimmtTeileNacheinander();
    void schriftText_data();
    void schriftText();
    void datum_data();
    void datum();
};

// One row per example: routine, input, number argument, expected result as text.
void TstTools::beispiele_data() {
    QTest::addColumn<QString>("routine");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<int>("arg");
    QTest::addColumn<QString>("erwartet");

    QTest::newRow("FormNumStr Betrag") << "FormNumStr"
                                       << "5,50 €" << 2 << "5,50";
    QTest::newRow("FormNumStr ganzer Betrag") << "FormNumStr"
                                              << "12,-" << 2 << "12,00";
    QTest::newRow("FormNumStr unter eins") << "FormNumStr"
                                           << "-,50" << 2 << "0,50";
    QTest::newRow("FormNumStr Tausender") << "FormNumStr"
                                          << "1.234,5" << 1 << "1234,5";
    QTest::newRow("FormNumStr Minuten") << "FormNumStr"
                                        << "30 Min." << 0 << "30";
    QTest::newRow("FormNumStr Buchstabe bleibt") << "FormNumStr"
                                                 << "1,5kg" << 1 << "0";
    QTest::newRow("FormNumStr leer") << "FormNumStr"
                                     << "" << 2 << "0";
    QTest::newRow("FormNumStr nur Komma") << "FormNumStr"
                                          << " , " << 2 << "0";
    QTest::newRow("FormNumStr zweites Komma") << "FormNumStr"
                                              << "1,5,3" << 0 << "1,5";
    QTest::newRow("FormNumStr Komma vorn") << "FormNumStr"
                                           << ",25" << 2 << "0,25";
    QTest::newRow("FormNumStr keine Tausender in Ausgabe") << "FormNumStr"
                                                           << "1.234.567,891" << 2 << "1234567,89";

    QTest::newRow("StrToFormInt Tausender") << "StrToFormInt"
                                            << "1.234" << 0 << "1234";
    QTest::newRow("StrToFormInt ohne Ziffern") << "StrToFormInt"
                                               << "abc" << 0 << "0";
    QTest::newRow("StrToFormInt Leerzeichen") << "StrToFormInt"
                                              << " 1 000 " << 0 << "1000";
    QTest::newRow("StrToFormInt negativ") << "StrToFormInt"
                                          << "-16777201" << 0 << "-16777201";
    QTest::newRow("StrToFormInt leer") << "StrToFormInt"
                                       << "" << 0 << "0";

    QTest::newRow("StrToFormFloat leer") << "StrToFormFloat"
                                         << "" << 0 << "0";
    QTest::newRow("StrToFormFloat ohne Zahl") << "StrToFormFloat"
                                              << "Nudeln" << 0 << "0";
    QTest::newRow("StrToFormFloat Betrag") << "StrToFormFloat"
                                           << "  5,50 €" << 0 << "5.5";
    QTest::newRow("StrToFormFloat zwoelf") << "StrToFormFloat"
                                           << "12,00 €" << 0 << "12";
    QTest::newRow("StrToFormFloat Minuten") << "StrToFormFloat"
                                            << "  45 Min" << 0 << "45";
    QTest::newRow("StrToFormFloat negativ") << "StrToFormFloat"
                                            << "-1" << 0 << "-1";
    QTest::newRow("StrToFormFloat Tausender") << "StrToFormFloat"
                                              << "1.234,75" << 0 << "1234.75";
    QTest::newRow("StrToFormFloat kg") << "StrToFormFloat"
                                       << "1,5kg" << 0 << "0";
    QTest::newRow("StrToFormFloat ganzer Betrag") << "StrToFormFloat"
                                                  << "7,-" << 0 << "7";

    QTest::newRow("CurrStrToFloat") << "CurrStrToFloat"
                                    << "EUR 1.299,90" << 0 << "1299.9";
    QTest::newRow("CurrStrToFloat leer") << "CurrStrToFloat"
                                         << "€" << 0 << "0";
    QTest::newRow("FloatToCurrStr") << "FloatToCurrStr"
                                    << "1234.5" << 0 << "1.234,50 €";
    QTest::newRow("FloatToCurrStr negativ") << "FloatToCurrStr"
                                            << "-0.5" << 0 << "-0,50 €";
    QTest::newRow("FloatToCurrStr nan") << "FloatToCurrStr"
                                        << "nan" << 0 << "";

    QTest::newRow("StrToBoolean ja") << "StrToBoolean"
                                     << "ja" << 0 << "1";
    QTest::newRow("StrToBoolean true mit Leerzeichen") << "StrToBoolean"
                                                       << "  true " << 0 << "1";
    QTest::newRow("StrToBoolean 1") << "StrToBoolean"
                                    << "1" << 0 << "1";
    QTest::newRow("StrToBoolean N") << "StrToBoolean"
                                    << "N" << 0 << "0";
    QTest::newRow("StrToBoolean leer") << "StrToBoolean"
                                       << "   " << 0 << "0";
    QTest::newRow("StrToBoolean Teilwort") << "StrToBoolean"
                                           << "A" << 0 << "0";

    QTest::newRow("DeleteChar") << "DeleteChar"
                                << "1.234,50 €" << 0 << "123450 €";
    QTest::newRow("ReplaceChar") << "ReplaceChar"
                                 << "a;b;c" << 0 << "a*b*c";
    QTest::newRow("ReplaceString ohne Gross") << "ReplaceString"
                                              << "Min MIN min" << 0 << "x x x";
    QTest::newRow("ReplaceString mit Gross") << "ReplaceString"
                                             << "Min MIN min" << 1 << "x MIN min";
    QTest::newRow("Trim Steuerzeichen") << "Trim"
                                        << "\t Nudeln \r\n"
                                        << 0 << "Nudeln";
    QTest::newRow("ThousandSeparator") << "ThousandSeparator"
                                       << "" << 0 << ".";
}

void TstTools::beispiele() {
    QFETCH(QString, routine);
    QFETCH(QString, eingabe);
    QFETCH(int, arg);
    QFETCH(QString, erwartet);
    QString ist;
    if (routine == "FormNumStr")
        ist = FormNumStr(eingabe, arg);
    else if (routine == "StrToFormInt")
        ist = QString::number(StrToFormInt(eingabe));
    else if (routine == "StrToFormFloat")
        ist = QString::number(StrToFormFloat(eingabe));
    else if (routine == "CurrStrToFloat")
        ist = QString::number(CurrStrToFloat(eingabe));
    else if (routine == "FloatToCurrStr")
        ist = FloatToCurrStr(eingabe == "nan" ? std::nan("") : eingabe.toDouble());
    else if (routine == "StrToBoolean")
        ist = StrToBoolean(eingabe) ? "1" : "0";
    else if (routine == "DeleteChar")
        ist = DeleteChar(eingabe, u".,");
    else if (routine == "ReplaceChar")
        ist = ReplaceChar(eingabe, u";", QLatin1Char('*'));
    else if (routine == "ReplaceString")
        ist = ReplaceString(eingabe, "Min", "x", arg == 1);
    else if (routine == "Trim")
        ist = Trim(eingabe);
    else if (routine == "ThousandSeparator")
        ist = ThousandSeparator();
    else
        QFAIL("unbekannte Routine");
    QCOMPARE(ist, erwartet);
}

void TstTools::nextParamStrNimmtTeileNacheinander() {
    QString s = "2;0;";
    QCOMPARE(NextParamStr(u";", s), QString("2"));
    QCOMPARE(s, QString("0;"));
    QCOMPARE(NextParamStr(u";", s), QString("0"));
    QCOMPARE(s, QString());
    QCOMPARE(NextParamStr(u";", s), QString());
    QString ohne = "Nudeln";
    QCOMPARE(NextParamStr(u";", ohne), QString("Nudeln"));
    QVERIFY(ohne.isEmpty());
    QVERIFY(InRect(10, 20, QRect(QPoint(10, 5), QPoint(30, 20))));
    QVERIFY(InRect(30, 5, QRect(QPoint(10, 5), QPoint(30, 20))));
    QVERIFY(!InRect(31, 5, QRect(QPoint(10, 5), QPoint(30, 20))));
}

void TstTools::schriftText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("familie");
    QTest::addColumn<int>("groesse");
    QTest::addColumn<quint32>("farbe");
    QTest::addColumn<QString>("stil");
    QTest::newRow("fett") << "Arial*10*0*B*"
                          << "Arial" << 10 << quint32(0) << "B";
    QTest::newRow("alle Stile, Systemfarbe") << "Tahoma*12*-16777208*BIUS*"
                                             << "Tahoma" << 12 << 0xFF000008u << "BIUS";
    QTest::newRow("Strichpunkte, kein Stil") << "Verdana;9;255;;"
                                             << "Verdana" << 9 << 255u << "";
}

void TstTools::schriftText() {
    QFETCH(QString, text);
    QFETCH(QString, familie);
    QFETCH(int, groesse);
    QFETCH(quint32, farbe);
    QFETCH(QString, stil);
    TFont f;
    f.font.setItalic(true); // cleared by any text
    QVERIFY(FontParamToFont(text, f));
    QCOMPARE(f.font.family(), familie);
    QCOMPARE(f.font.pointSize(), groesse);
    QCOMPARE(f.Color, farbe);
    QCOMPARE(f.font.bold(), stil.contains('B'));
    QCOMPARE(f.font.italic(), stil.contains('I'));
    QCOMPARE(f.font.underline(), stil.contains('U'));
    QCOMPARE(f.font.strikeOut(), stil.contains('S'));
    QCOMPARE(FontToFontParam(f), QString(familie + "*%1*%2*%3*").arg(groesse).arg(qint32(farbe)).arg(stil));

    TFont vorher = f;
    QVERIFY(FontParamToFont(QString(), f));
    QCOMPARE(f, vorher);
}

void TstTools::datum_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("tag");
    QTest::newRow("Datum") << "24.12.2024" << 45650.0;
    QTest::newRow("Datum mit Zeit") << " 24.12.2024 18:30 " << 45650.0;
    QTest::newRow("kurzes Jahr") << "1.1.00" << 36526.0;
    QTest::newRow("kurzes Jahr 49") << "1.1.49" << 54424.0;
    QTest::newRow("kurzes Jahr 50") << "1.1.50" << 18264.0;
    QTest::newRow("vor dem Nulltag mit Zeit") << "29.12.1899 12:00" << -1.0;
    QTest::newRow("Nulltag") << "30.12.1899" << 0.0;
    QTest::newRow("ungueltig") << "31.02.2024" << kKeinDatum;
    QTest::newRow("Text") << "morgen" << kKeinDatum;
    QTest::newRow("leer") << "" << kKeinDatum;
}

void TstTools::datum() {
    QFETCH(QString, text);
    QFETCH(double, tag);
    QCOMPARE(StrToFormDate(text), tag);
}

QTEST_GUILESS_MAIN(TstTools)
#include "tst_tools.moc"
