// SPDX-License-Identifier: GPL-3.0-or-later
// Fetching web pages for an import: a small server on this machine answers as web servers do
// (slowly, too much, not at all, with errors), so the limits are tested without the internet.
#include "exchange/Abruf.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

// Answers each request by its path: /ok, /weiter (redirects to /ok), /stumm (never answers),
// /angekuendigt (announces more bytes than allowed), /endlos (sends without announcing a length),
// /fehlt (404), /kaputt (500).
class Kleinserver : public QObject {
public:
    QTcpServer server;
    QByteArray seite = "<html><body>Apfelkuchen</body></html>";

    Kleinserver() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server.nextPendingConnection())
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { antworten(s); });
        });
    }
    QString adresse(const QString& weg) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.serverPort()).arg(weg);
    }

private:
    void antworten(QTcpSocket* s) {
        const QByteArray anfrage = s->readAll();
        const QByteArray weg = anfrage.split(' ').value(1);
        if (weg == "/ok") {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                     QByteArray::number(seite.size()) + "\r\n\r\n" + seite);
        } else if (weg == "/weiter") {
            s->write("HTTP/1.1 302 Found\r\nLocation: /ok\r\nContent-Length: 0\r\n\r\n");
        } else if (weg == "/stumm") {
            // keeps the connection, says nothing
        } else if (weg == "/angekuendigt") {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 5000000\r\n\r\n");
            s->write(QByteArray(100, 'x'));
        } else if (weg == "/endlos") {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n");
            s->write(QByteArray(3000, 'x'));
            s->flush();
        } else if (weg == "/fehlt") {
            s->write("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
        } else {
            s->write("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n");
        }
    }
};

} // namespace

class TestAbruf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void abrufen_data();
    void abrufen();
    void abbrechen();
    void nurWebadressen_data();
    void nurWebadressen();
};

void TestAbruf::abrufen_data() {
    QTest::addColumn<QString>("weg");
    QTest::addColumn<bool>("geladen");
    QTest::addColumn<QString>("fehler"); // a part of the German message
    QTest::newRow("seite") << "/ok" << true << QString();
    QTest::newRow("weitergeleitet") << "/weiter" << true << QString();
    QTest::newRow("keine antwort") << "/stumm" << false << "nicht innerhalb von 0,5 Sekunden geantwortet";
    QTest::newRow("zu gross angekuendigt") << "/angekuendigt" << false << "größer als 1 kB";
    QTest::newRow("zu gross geschickt") << "/endlos" << false << "größer als 1 kB";
    QTest::newRow("gibt es nicht") << "/fehlt" << false << "Die Seite gibt es nicht (Fehler 404)";
    QTest::newRow("serverfehler") << "/kaputt" << false << "Der Server meldet den Fehler 500";
}

void TestAbruf::abrufen() {
    QFETCH(QString, weg);
    QFETCH(bool, geladen);
    QFETCH(QString, fehler);
    Kleinserver s;
    QVERIFY(s.server.isListening());
    pfl::Netzabrufer abrufer(500, 1024);
    QElapsedTimer uhr;
    uhr.start();
    const pfl::Abrufergebnis e = abrufer.abrufen(QUrl(s.adresse(weg)));
    QVERIFY2(uhr.elapsed() < 10000, "the time limit holds");
    QCOMPARE(e.ok(), geladen);
    QVERIFY(!e.abgebrochen);
    if (geladen) {
        QCOMPARE(e.daten, s.seite);
        QCOMPARE(e.url.path(), QStringLiteral("/ok"));
        QVERIFY(e.fehler.isEmpty());
    } else {
        QVERIFY(e.daten.isEmpty());
        QVERIFY2(e.fehler.contains(fehler), qPrintable(e.fehler));
        QVERIFY2(e.fehler.contains(s.adresse(weg)), qPrintable(e.fehler));
    }
}

void TestAbruf::abbrechen() {
    // "Abbrechen" while the server keeps silent ends the fetch at once, with nothing and no message.
    Kleinserver s;
    pfl::Netzabrufer abrufer(60000, 1024);
    int gefragt = 0;
    QElapsedTimer uhr;
    uhr.start();
    const pfl::Abrufergebnis e =
        abrufer.abrufen(QUrl(s.adresse(QStringLiteral("/stumm"))), [&](qint64) { return ++gefragt < 3; });
    QVERIFY(e.abgebrochen);
    QVERIFY(!e.ok());
    QVERIFY(e.fehler.isEmpty());
    QVERIFY(e.daten.isEmpty());
    QVERIFY(uhr.elapsed() < 5000);
}

void TestAbruf::nurWebadressen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("web");
    QTest::newRow("https") << "https://example.org/rezept" << true;
    QTest::newRow("http") << "http://example.org" << true;
    QTest::newRow("datei") << "file:///etc/passwd" << false;
    QTest::newRow("ftp") << "ftp://example.org/a.mmf" << false;
    QTest::newRow("pfad") << "/home/a/Kuchen.html" << false;
    QTest::newRow("ohne rechner") << "https://" << false;
}

void TestAbruf::nurWebadressen() {
    // Only http and https are fetched: an address of a local file never reads the disk.
    QFETCH(QString, text);
    QFETCH(bool, web);
    QCOMPARE(pfl::istWebadresse(text), web);
    if (web) return;
    pfl::Netzabrufer abrufer(500, 1024);
    const pfl::Abrufergebnis e = abrufer.abrufen(QUrl(text));
    QVERIFY(!e.ok());
    QVERIFY(e.daten.isEmpty());
    QVERIFY2(e.fehler.contains(QStringLiteral("keine Webadresse")), qPrintable(e.fehler));
}

QTEST_GUILESS_MAIN(TestAbruf)
#include "tst_abruf.moc"
