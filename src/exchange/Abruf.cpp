// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Abruf.h"

#include "data/Deutsch.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace pfl {

namespace {

QString groesseText(qint64 bytes) {
    if (bytes >= (qint64(1) << 20) && bytes % (qint64(1) << 20) == 0)
        return QStringLiteral("%1 MB").arg(bytes >> 20);
    if (bytes >= 1024) return QStringLiteral("%1 kB").arg(bytes / 1024);
    return QStringLiteral("%1 Bytes").arg(bytes);
}

// "20" or "0,5": whole seconds without decimals.
QString sekunden(int ms) {
    return ms % 1000 == 0 ? QString::number(ms / 1000) : dezimalText(ms / 1000.0, 1, false);
}

QString netzfehlerText(QNetworkReply::NetworkError e, const QString& qt) {
    switch (e) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Der Server wurde nicht gefunden. Ist die Adresse richtig und besteht eine "
                              "Verbindung zum Internet?");
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Der Server hat die Verbindung abgelehnt.");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Der Server hat die Verbindung vorzeitig beendet.");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Eine sichere Verbindung zum Server kam nicht zustande.");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Der Server leitet zu oft oder unsicher weiter.");
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("Nur Adressen mit http:// oder https:// können geladen werden.");
    default:
        return QStringLiteral("Die Verbindung ist fehlgeschlagen (%1).").arg(qt);
    }
}

} // namespace

bool istWebadresse(const QString& text) {
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

Netzabrufer::Netzabrufer(int zeitgrenze, qint64 grenze) : m_zeitgrenze(zeitgrenze), m_grenze(grenze) {}

Abrufergebnis Netzabrufer::abrufen(const QUrl& url, const std::function<bool(qint64)>& weiter) {
    Abrufergebnis e;
    e.url = url;
    const QString adresse = url.toDisplayString();
    if (!istWebadresse(url.toString())) {
        e.fehler = QStringLiteral("„%1“ ist keine Webadresse; nur Adressen mit http:// oder https:// können "
                                  "geladen werden.")
                       .arg(adresse);
        return e;
    }
    QNetworkRequest anfrage(url);
    anfrage.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    anfrage.setMaximumRedirectsAllowed(8);
    anfrage.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Pfanno-Lux (Rezeptimport)"));
    anfrage.setRawHeader("Accept", "text/html,application/xhtml+xml,application/ld+json,*/*;q=0.8");
    QPointer<QNetworkReply> antwort = m_netz.get(anfrage);

    enum class Ende { Fertig, Zeit, Gross, Abbruch } ende = Ende::Fertig;
    QEventLoop schleife;
    QTimer uhr;
    uhr.setSingleShot(true);
    QObject::connect(&uhr, &QTimer::timeout, &schleife, [&] {
        ende = Ende::Zeit;
        schleife.quit();
    });
    // "Abbrechen" is looked at even while no byte arrives.
    QTimer frage;
    frage.setInterval(100);
    const auto nachfragen = [&] {
        if (weiter && !weiter(e.daten.size())) {
            ende = Ende::Abbruch;
            schleife.quit();
        }
    };
    QObject::connect(&frage, &QTimer::timeout, &schleife, nachfragen);
    QObject::connect(antwort, &QNetworkReply::metaDataChanged, &schleife, [&] {
        // A size announced beyond the limit is refused before its bytes come.
        const QVariant laenge = antwort->header(QNetworkRequest::ContentLengthHeader);
        if (laenge.isValid() && laenge.toLongLong() > m_grenze) {
            ende = Ende::Gross;
            schleife.quit();
        }
    });
    QObject::connect(antwort, &QNetworkReply::readyRead, &schleife, [&] {
        e.daten += antwort->read(m_grenze + 1 - e.daten.size());
        if (e.daten.size() > m_grenze) {
            ende = Ende::Gross;
            schleife.quit();
        }
    });
    QObject::connect(antwort, &QNetworkReply::finished, &schleife, &QEventLoop::quit);
    uhr.start(m_zeitgrenze);
    frage.start();
    if (antwort->isRunning()) schleife.exec();
    uhr.stop();
    frage.stop();

    if (ende != Ende::Fertig) {
        antwort->abort();
        e.daten.clear();
        switch (ende) {
        case Ende::Zeit:
            e.fehler =
                QStringLiteral("„%1“ konnte nicht geladen werden: Der Server hat nicht innerhalb von %2 "
                               "Sekunden geantwortet.")
                    .arg(adresse, sekunden(m_zeitgrenze));
            break;
        case Ende::Gross:
            e.fehler = QStringLiteral("„%1“ wurde nicht geladen: Die Seite ist größer als %2.")
                           .arg(adresse, groesseText(m_grenze));
            break;
        default:
            e.abgebrochen = true;
            break;
        }
        antwort->deleteLater();
        return e;
    }
    e.daten += antwort->readAll();
    e.url = antwort->url();
    const int status = antwort->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (e.daten.size() > m_grenze) {
        e.daten.clear();
        e.fehler = QStringLiteral("„%1“ wurde nicht geladen: Die Seite ist größer als %2.")
                       .arg(adresse, groesseText(m_grenze));
    } else if (status >= 400) {
        e.daten.clear();
        e.fehler =
            status == 404 || status == 410
                ? QStringLiteral("„%1“ konnte nicht geladen werden: Die Seite gibt es nicht (Fehler %2).")
                      .arg(adresse)
                      .arg(status)
                : QStringLiteral("„%1“ konnte nicht geladen werden: Der Server meldet den Fehler %2.")
                      .arg(adresse)
                      .arg(status);
    } else if (antwort->error() != QNetworkReply::NoError) {
        e.daten.clear();
        e.fehler = QStringLiteral("„%1“ konnte nicht geladen werden: %2")
                       .arg(adresse, netzfehlerText(antwort->error(), antwort->errorString()));
    }
    antwort->deleteLater();
    return e;
}

} // namespace pfl
