// SPDX-License-Identifier: GPL-3.0-or-later
// The stored forms of texts and the record layouts, checked on their bytes.
#include "data/Records.h"

#include <QtTest>

namespace {
template <typename T> QByteArray roh(const T& r) {
    return QByteArray(reinterpret_cast<const char*>(&r), sizeof(T));
}
} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortStringSchreiben_data();
    void shortStringSchreiben();
    void shortStringLesen_data();
    void shortStringLesen();
    void textBlock_data();
    void textBlock();
    void textBlockOhneNul();
    void textBlockZeilenumbrueche();
    void rezeptBytes();
    void umlauteUndEuroSindWindows1252();
};

void TestRecords::shortStringSchreiben_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("erwartet"); // length byte + characters

    QTest::newRow("leer") << QString() << QByteArray("\x00", 1);
    QTest::newRow("kurz") << QStringLiteral("Suppen") << QByteArray("\x06Suppen");
    QTest::newRow("blanks bleiben") << QStringLiteral(" Mittel ") << QByteArray("\x08 Mittel ");
    QTest::newRow("umlaut") << QStringLiteral("Gemüse")
                            << QByteArray("\x06Gem\xFC"
                                          "se");
    QTest::newRow("euro") << QStringLiteral("5 €")
                          << QByteArray("\x03"
                                        "5 \x80");
    QTest::newRow("pfeil wird ?") << QStringLiteral("a→b")
                                  << QByteArray("\x03"
                                                "a?b");
    QTest::newRow("emoji ein ?") << QStringLiteral("x\U0001F600y") << QByteArray("\x03x?y");
    QTest::newRow("45 auf 40 gekuerzt")
        << QString(45, QLatin1Char('k')) << (QByteArray("\x28") + QByteArray(40, 'k'));
}

void TestRecords::shortStringSchreiben() {
    QFETCH(QString, text);
    QFETCH(QByteArray, erwartet);
    ShortString<40> s;
    std::memset(&s, 'Z', sizeof s);
    s = text;
    const QByteArray b = roh(s);
    QCOMPARE(b.left(erwartet.size()), erwartet);
    // Bytes behind the new length keep what they held.
    QCOMPARE(b.mid(erwartet.size()), QByteArray(int(sizeof s) - erwartet.size(), 'Z'));
}

void TestRecords::shortStringLesen_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("laenge 3 vor sechs buchstaben") << QByteArray("\x03"
                                                                 "abcdef")
                                                   << QStringLiteral("abc");
    QTest::newRow("windows-1252") << QByteArray("\x04\x80\x84\x93\xDF") << QStringLiteral("€„“ß");
    QTest::newRow("laengenbyte ueber kapazitaet")
        << (QByteArray("\xFF") + QByteArray(10, 'x')) << QString(10, QLatin1Char('x'));
}

void TestRecords::shortStringLesen() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    ShortString<10> s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(&s, bytes.constData(), qMin<size_t>(sizeof s, size_t(bytes.size())));
    QCOMPARE(s.toQString(), text);
}

void TestRecords::textBlock_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("nulBei"); // -1: the whole block is zero
    QTest::newRow("leer macht alles null") << QString() << -1;
    QTest::newRow("kurz") << QStringLiteral("Salz\r\nPfeffer") << 13;
    QTest::newRow("genau 10000") << QString(10000, QLatin1Char('a')) << 10000;
    QTest::newRow("10001 verliert das letzte") << QString(10001, QLatin1Char('a')) << 10000;
}

void TestRecords::textBlock() {
    QFETCH(QString, text);
    QFETCH(int, nulBei);
    TextBlock<10000> t;
    std::memset(&t, 'Q', sizeof t);
    t = text;
    const QByteArray b = roh(t);
    if (nulBei < 0) {
        QCOMPARE(b, QByteArray(10001, '\0'));
        QCOMPARE(t.toQString(), QString());
        return;
    }
    QCOMPARE(b.at(nulBei), '\0');
    QCOMPARE(t.toQString(), text.left(10000));
    // Left-overs behind the NUL stay.
    if (nulBei + 1 < 10001) QCOMPARE(b.mid(nulBei + 1), QByteArray(10001 - nulBei - 1, 'Q'));
}

void TestRecords::textBlockOhneNul() {
    TextBlock<5000> t;
    std::memset(&t, 'x', sizeof t);
    QCOMPARE(t.toQString().size(), 5001);
}

void TestRecords::textBlockZeilenumbrueche() {
    TextBlock<5000> t;
    zeroRecord(t);
    t.setPlainText(QStringLiteral("1 Ei\n200 g Mehl"));
    QCOMPARE(QByteArray(t.bytes), QByteArray("1 Ei\r\n200 g Mehl"));
    QCOMPARE(t.plainText(), QStringLiteral("1 Ei\n200 g Mehl"));
}

void TestRecords::rezeptBytes() {
    dateien d;
    zeroRecord(d);
    d.Rubrik = QStringLiteral("Suppen");
    d.name = QStringLiteral("Linsensuppe");
    d.preis = 5.5;
    d.zubereitung = QString(10000, QLatin1Char('z'));
    d.Long1 = 0x01020304;
    const QByteArray b = roh(d);
    QCOMPARE(b.size(), 21144);
    QCOMPARE(b.mid(0, 7), QByteArray("\x06Suppen"));
    QCOMPARE(b.mid(123, 12), QByteArray("\x0bLinsensuppe"));
    double p;
    std::memcpy(&p, b.constData() + 208, 8);
    QCOMPARE(p, 5.5);
    QCOMPARE(b.mid(1128, 4), QByteArray("\x04\x03\x02\x01"));
    QCOMPARE(b.at(11142), 'z');
    QCOMPARE(b.at(21142), '\0'); // NUL of a full preparation text in the last byte of its block
}

void TestRecords::umlauteUndEuroSindWindows1252() {
    // Every code of the table maps back to itself.
    for (int c = 0x80; c < 0x100; ++c) {
        const char b = char(c);
        const QString t = pfl::fromCp1252(&b, 1);
        QCOMPARE(pfl::toCp1252(t), QByteArray(1, b));
    }
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
