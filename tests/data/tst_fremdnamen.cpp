// SPDX-License-Identifier: GPL-3.0-or-later
// File names that are not UTF-8, as a copy from Windows writes them ("café" with é as the byte 0xE9):
// such a book is listed under its Windows-1252 reading, read, renamed in and backed up by its own
// bytes; a backup that cannot list a folder says so instead of reporting success.
#include "data/Dateizugriff.h"
#include "data/Sicherung.h"
#include "data/Unit4.h"
#include "support/Datenumgebung.h"
#include "support/Kindprozess.h"

#include <QtTest>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Qt's own removal passes over names that are not UTF-8: the test folder goes by the system's means.
struct Wegraeumen {
    QString ordner;
    ~Wegraeumen() {
        std::error_code f;
        std::filesystem::remove_all(std::filesystem::path(QFile::encodeName(ordner).toStdString()), f);
    }
};
constexpr qint64 R = qint64(sizeof(dateien));

// Writes a file under exactly these bytes, past Qt's own name conversion.
bool rohSchreiben(const QByteArray& pfad, const QByteArray& inhalt) {
    const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = ::write(fd, inhalt.constData(), size_t(inhalt.size())) == inhalt.size();
    return ::close(fd) == 0 && ok;
}

QByteArray rohLesen(const QByteArray& pfad) {
    const int fd = ::open(pfad.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "<fehlt>";
    QByteArray b;
    char puffer[65536];
    ssize_t n;
    while ((n = ::read(fd, puffer, sizeof puffer)) > 0)
        b.append(puffer, n);
    ::close(fd);
    return b;
}

QByteArray buch(const QString& rubrik, int n) {
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += Testordner::bytes(Testordner::rezept(rubrik, QStringLiteral("Crêpe %1").arg(i)));
    return b;
}

const QByteArray kCafe = "caf\xE9";
} // namespace

class TestFremdnamen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namenBehaltenIhreBytes_data();
    void namenBehaltenIhreBytes();
    void buchMitWindowsNamen();
    void sicherungMitWindowsNamen();
    void sicherungOhneLesbarenOrdner_data();
    void sicherungOhneLesbarenOrdner();
};

void TestFremdnamen::namenBehaltenIhreBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("anzeige"); // as the user reads it
    QTest::newRow("ASCII") << QByteArray("Suppen.rez") << QStringLiteral("Suppen.rez");
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9.rez") << QStringLiteral("café.rez");
    QTest::newRow("UTF-8, four bytes") << QByteArray("\xF0\x9F\x8D\xB2.rez") << QStringLiteral("🍲.rez");
    // In UTF-16 its second half lies where kept bytes are put.
    QTest::newRow("UTF-8, a playing card") << QByteArray("\xF0\x9F\x82\xA1") << QStringLiteral("🂡");
    QTest::newRow("Windows-1252 after a playing card")
        << QByteArray("\xF0\x9F\x82\xA1 caf\xE9") << QStringLiteral("\u00F0\u0178\u201A\u00A1 caf\u00E9");
    QTest::newRow("Windows-1252") << QByteArray(kCafe + ".rez") << QStringLiteral("café.rez");
    QTest::newRow("Windows-1252, euro and quotes")
        << QByteArray("\x80 \x84Oma\x93.rez") << QStringLiteral("€ „Oma“.rez");
    QTest::newRow("Windows-1252 that starts like UTF-8")
        << QByteArray("Cr\xE8me br\xFBl\xE9") << QStringLiteral("Crème brûlé");
    QTest::newRow("cut UTF-8 sequence") << QByteArray("caf\xC3") << QStringLiteral("cafÃ");
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
    QTest::newRow("surrogate in UTF-8") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("ô\u0090€€");
    QTest::newRow("folder path, one name not UTF-8") << QByteArray("/tmp/K\xC3\xBC"
                                                                   "che/caf\xE9.rez")
                                                     << QStringLiteral("/tmp/Küche/café.rez");
}

void TestFremdnamen::namenBehaltenIhreBytes() {
    // Every name comes back as exactly the bytes it was read from; a valid UTF-8 name reads as Qt reads
    // it; a name that is not UTF-8 shows in Windows-1252.
    QFETCH(QByteArray, bytes);
    QFETCH(QString, anzeige);
    const QString text = pfl::ausNativ(bytes);
    QCOMPARE(pfl::nativ(text), bytes);
    QCOMPARE(pfl::anzeigename(text), anzeige);
    const QString utf8 = QString::fromUtf8(bytes);
    if (utf8.toUtf8() == bytes) QCOMPARE(text, utf8);
}

void TestFremdnamen::buchMitWindowsNamen() {
    // A book copied from Windows is listed, opens as the active book under the name the user reads,
    // takes part in a rename across books (its copy before the rename too) and keeps its bytes.
    Datenumgebung e;
    const Wegraeumen weg{e.dir.pfad()};
    const QByteArray ordner = QFile::encodeName(e.dir.pfad());
    QVERIFY(rohSchreiben(ordner + kCafe + ".rez", buch(QStringLiteral("Desserts"), 3)));
    e.dir.schreibe(QStringLiteral("Suppen.rez"), buch(QStringLiteral("Desserts"), 1));

    const QStringList buecher = e.u.buchDateien();
    QCOMPARE(buecher.size(), 2);
    QCOMPARE(pfl::anzeigename(buecher.at(1)), QStringLiteral("café.rez"));
    QCOMPARE(pfl::nativ(buecher.at(1)), QByteArray(kCafe + ".rez"));

    // The settings store the name in Windows-1252: the very bytes of the file's name.
    e.u.rezeptbuch = QStringLiteral("café");
    e.u.datei_lesen();
    QCOMPARE(e.u.daten, 3);
    QCOMPARE(e.u.buchAnzahl(), 3);
    e.u.rubrik = QStringLiteral("Desserts");
    QCOMPARE(e.u.rubrikZeilen().size(), 3);

    e.u.option.rezeptbuch = QStringLiteral("café");
    QStringList umbenannt;
    connect(&e.u, &Unit4::buchWirdUmbenannt, this, [&](const QString& b, int, int) { umbenannt << b; });
    e.u.Dir_daten_konvertieren(pfl::Umbenennung::Rubrik, QStringLiteral("Desserts"),
                               QStringLiteral("Nachtisch"));
    QCOMPARE(umbenannt, (QStringList{QStringLiteral("Suppen"), QStringLiteral("café")}));
    QCOMPARE(rohLesen(ordner + kCafe + ".rez"), buch(QStringLiteral("Nachtisch"), 3));
    QCOMPARE(rohLesen(ordner + kCafe + ".Aez"), buch(QStringLiteral("Desserts"), 3));
    QCOMPARE(e.dir.lies(QStringLiteral("Suppen.rez")), buch(QStringLiteral("Nachtisch"), 1));

    // The editor's save reaches it too.
    e.u.rezeptbuch = QStringLiteral("café");
    QVERIFY(e.u.satz_lesen(2));
    e.u.datei.name = QStringLiteral("Tarte");
    e.u.satznum = 2;
    e.u.datei_speichern_aendern();
    QCOMPARE(Testordner::satz<dateien>(rohLesen(ordner + kCafe + ".rez"), 1).name.toQString(),
             QStringLiteral("Tarte"));
}

void TestFremdnamen::sicherungMitWindowsNamen() {
    // The backup copies such a book and picture under their own bytes and reports success only then.
    QTemporaryDir t;
    const Wegraeumen weg{t.path()};
    const QByteArray von = QFile::encodeName(t.path()) + "/daten/";
    const QByteArray nach = QFile::encodeName(t.path()) + "/ziel/";
    QVERIFY(QDir().mkpath(t.path() + QStringLiteral("/daten/Bilder")));
    QVERIFY(rohSchreiben(von + kCafe + ".rez", buch(QStringLiteral("Desserts"), 2)));
    QVERIFY(rohSchreiben(von + "Bilder/cr\xEApe.jpg", "jpeg"));
    QVERIFY(rohSchreiben(von + "Suppen.rez", buch(QStringLiteral("Suppen"), 1)));
    QStringList gezeigt;
    const pfl::Kopierergebnis k =
        pfl::sichern(pfl::ausNativ(von), pfl::ausNativ(nach), [&](const QString& q, const QString&) {
            gezeigt << pfl::anzeigename(q.mid(von.size()));
            return true;
        });
    QVERIFY2(k.ok(), qPrintable(k.fehlerText()));
    QCOMPARE(gezeigt, (QStringList{QStringLiteral("Suppen.rez"), QStringLiteral("café.rez"),
                                   QStringLiteral("Bilder/crêpe.jpg")}));
    QCOMPARE(rohLesen(nach + kCafe + ".rez"), buch(QStringLiteral("Desserts"), 2));
    QCOMPARE(rohLesen(nach + "Bilder/cr\xEApe.jpg"), QByteArray("jpeg"));
    // The restore offers it by its own bytes as well.
    QCOMPARE(pfl::dateienNachMasken(pfl::ausNativ(nach), pfl::wiederherstellungsMasken()),
             (QStringList{QStringLiteral("Suppen.rez"), pfl::ausNativ(kCafe + ".rez")}));
}

void TestFremdnamen::sicherungOhneLesbarenOrdner_data() {
    QTest::addColumn<QString>("ordner");
    QTest::newRow("data folder") << "";
    QTest::newRow("picture folder") << "Bilder";
}

void TestFremdnamen::sicherungOhneLesbarenOrdner() {
    // A folder that cannot be listed would make an empty backup look complete: it is reported.
    QFETCH(QString, ordner);
    QTemporaryDir t;
    const QString von = t.path() + QStringLiteral("/daten/");
    QVERIFY(QDir().mkpath(von + QStringLiteral("Bilder")));
    QVERIFY(rohSchreiben(QFile::encodeName(von) + "Suppen.rez", buch(QStringLiteral("Suppen"), 1)));
    QVERIFY(rohSchreiben(QFile::encodeName(von) + "Bilder/a.jpg", "jpeg"));
    QVERIFY(::chmod(QFile::encodeName(von + ordner).constData(), 0300) == 0);
    const int r = pfl::test::alsBenutzer(t.path(), [&] {
        return pfl::test::pruefungen([&] {
            const pfl::Kopierergebnis k = pfl::sichern(von, t.path() + QStringLiteral("/ziel"));
            QVERIFY(!k.ok());
            QCOMPARE(k.fehler.size(), 1);
            QCOMPARE(k.fehler.first().datei, pfl::mitTrenner(von + ordner));
            QCOMPARE(k.fehler.first().grund,
                     QStringLiteral("Es fehlt die Berechtigung, den Ordner zu lesen."));
        });
    });
    ::chmod(QFile::encodeName(von + ordner).constData(), 0755);
    QCOMPARE(r, 0);
}

QTEST_GUILESS_MAIN(TestFremdnamen)
#include "tst_fremdnamen.moc"
