// SPDX-License-Identifier: GPL-3.0-or-later
// The name lists' set of case-folded names: it holds each text once however it grows, and folds as
// QString::toCaseFolded does, stored bytes and strings alike.
#include "data/Cp1252.h"
#include "data/Textmenge.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

class TestTextmenge : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wieEineMenge();
    void faltenWieQt_data();
    void faltenWieQt();
    void gespeicherteBytes();
};

void TestTextmenge::wieEineMenge() {
    // Random texts of few letters, so that many repeat; some empty, some prefixes of others. The set
    // answers as QSet does while it grows from empty and after it was reserved and cleared.
    QRandomGenerator zufall(11);
    pfl::Textmenge menge;
    for (int runde = 0; runde < 3; ++runde) {
        QSet<QString> erwartet;
        if (runde == 1) menge.reserve(5000, 20000);
        for (int i = 0; i < 20000; ++i) {
            QString t;
            const int laenge = int(zufall.bounded(5));
            for (int k = 0; k < laenge; ++k)
                t += QChar(u'a' + char16_t(zufall.bounded(4)));
            const bool neu = !erwartet.contains(t);
            erwartet.insert(t);
            QCOMPARE(menge.dazu(t), neu);
        }
        QCOMPARE(menge.size(), erwartet.size());
        menge.clear();
        QCOMPARE(menge.size(), 0);
        QVERIFY(menge.dazu(QString()));
        menge.clear();
    }
}

void TestTextmenge::faltenWieQt_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("leer") << QString();
    QTest::newRow("umlaute und ß") << QStringLiteral("ÄÖÜ äöü ß ẞ");
    QTest::newRow("zeichen der codepage") << QStringLiteral("ŠŒŽŸ µ ſ K");
    QTest::newRow("griechisch und kyrillisch") << QStringLiteral("ΣΑΛΑΤΑ Борщ");
    QTest::newRow("jenseits der ersten ebene") << QStringLiteral("Deseret: \U00010400\U00010428 und Suppe");
}

void TestTextmenge::faltenWieQt() {
    QFETCH(QString, text);
    std::u16string puffer;
    QCOMPARE(pfl::gefaltet(text, puffer).toString(), text.toCaseFolded());
}

void TestTextmenge::gespeicherteBytes() {
    // Every byte of the code page folds as its character does.
    QByteArray alle;
    for (int b = 1; b < 256; ++b)
        alle.append(char(b));
    std::u16string a, b;
    QCOMPARE(pfl::gefaltetCp1252(alle.constData(), alle.size(), a).toString(),
             pfl::gefaltet(pfl::fromCp1252(alle), b).toString());
    QCOMPARE(pfl::gefaltetCp1252(alle.constData(), alle.size(), a).toString(),
             pfl::fromCp1252(alle).toCaseFolded());
}

QTEST_GUILESS_MAIN(TestTextmenge)
#include "tst_textmenge.moc"
