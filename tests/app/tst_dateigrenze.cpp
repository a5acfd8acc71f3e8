// SPDX-License-Identifier: GPL-3.0-or-later
// A file-size limit (ulimit -f) is a failed write, not the end of the program: the program ignores
// SIGXFSZ from its start, a save past the limit is told in German, and the files keep whole records.
#include "app/Beendensignale.h"
#include "data/Unit4.h"
#include "support/Datenumgebung.h"
#include "support/Schreibgrenze.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {
constexpr qint64 R = qint64(sizeof(dateien));

// The signals a process ignores, from the kernel's view of it.
quint64 ignoriert(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& zeile : f.readAll().split('\n'))
        if (zeile.startsWith("SigIgn:")) return zeile.mid(7).trimmed().toULongLong(nullptr, 16);
    return 0;
}
} // namespace

class TestDateigrenze : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programmUeberstehtDieGrenze();
    void speichernUeberDieGrenze_data();
    void speichernUeberDieGrenze();
};

void TestDateigrenze::programmUeberstehtDieGrenze() {
    // The program as the user starts it ignores SIGXFSZ.
    Testordner daten;
    QTemporaryDir laufzeit;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), laufzeit.path());
    e.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    QProcess p;
    p.setProcessEnvironment(e);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(PFANNO_PROGRAMM), {QStringLiteral("--datenordner"), daten.pfad()});
    QVERIFY(p.waitForStarted());
    const quint64 bit = quint64(1) << (SIGXFSZ - 1);
    QTRY_VERIFY_WITH_TIMEOUT(p.state() != QProcess::Running || (ignoriert(p.processId()) & bit) != 0, 30000);
    QCOMPARE(p.state(), QProcess::Running);
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(20000));
}

void TestDateigrenze::speichernUeberDieGrenze_data() {
    QTest::addColumn<QString>("was");
    QTest::addColumn<qint64>("grenze");
    QTest::newRow("new recipe") << "anhaengen" << 3 * R + R / 2;
    QTest::newRow("editor's save") << "ersetzen" << qint64(30000);
    QTest::newRow("shopping list") << "einkauf" << qint64(sizeof(Einkaufstliste)) + 5000;
}

void TestDateigrenze::speichernUeberDieGrenze() {
    // A save past the limit in a process that set itself up as the program does: it lives on, the
    // user reads why nothing was stored, and the files hold what they held.
    QFETCH(QString, was);
    QFETCH(qint64, grenze);
    Datenumgebung e;
    QByteArray b;
    for (int i = 0; i < 3; ++i)
        b += Testordner::bytes(Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("R%1").arg(i)));
    e.dir.schreibe(QStringLiteral("B.rez"), b);
    Einkaufstliste liste;
    zeroRecord(liste);
    liste.e_liste = QStringLiteral("Milch");
    e.dir.schreibe(QStringLiteral("Einkaufsliste.Ekl"), Testordner::bytes(liste));
    const QByteArray listeVorher = e.dir.lies(QStringLiteral("Einkaufsliste.Ekl"));
    const int r = pfl::test::mitSchreibgrenze(
        grenze,
        [&] {
            pfl::dateigrenzeAlsFehler();
            QString gemeldet;
            QObject::connect(&e.u, &Unit4::schreibfehler, [&](const QString& t) { gemeldet = t; });
            e.u.rezeptbuch = QStringLiteral("B");
            if (was == QLatin1String("anhaengen")) {
                e.u.element1 = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Neu"));
                e.u.Daten_einsortieren();
            } else if (was == QLatin1String("ersetzen")) {
                if (!e.u.satz_lesen(2)) return 3;
                e.u.datei.name = QStringLiteral("Neu");
                e.u.satznum = 2;
                e.u.datei_speichern_aendern();
            } else {
                e.u.e_daten.e_liste = QStringLiteral("Brot");
                e.u.einkauflist_speichern();
            }
            return gemeldet.contains(QStringLiteral("Die Datei würde zu groß.")) ? 0 : 2;
        },
        false);
    QCOMPARE(r, 0);
    QCOMPARE(e.dir.lies(QStringLiteral("B.rez")), b);
    QCOMPARE(e.dir.lies(QStringLiteral("Einkaufsliste.Ekl")), listeVorher);
    QCOMPARE(QDir(e.dir.pfad()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

QTEST_MAIN(TestDateigrenze)
#include "tst_dateigrenze.moc"
