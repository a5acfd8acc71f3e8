// SPDX-License-Identifier: GPL-3.0-or-later
// A fetcher for the tests: answers addresses from a table, records what was asked, never touches
// the network.
#pragma once

#include "exchange/Abruf.h"

#include <QHash>
#include <QStringList>

namespace pfl::test {

class Skriptabruf : public pfl::Abrufer {
public:
    QHash<QString, pfl::Abrufergebnis> antworten; // by address; an address not in it fails
    QStringList gefragt;
    bool abbrechen = false; // the user cancels while the first address loads

    pfl::Abrufergebnis abrufen(const QUrl& url, const std::function<bool(qint64)>& weiter) override {
        gefragt.append(url.toString());
        if (abbrechen) {
            // The window's "Abbrechen" is what the callback reports; the test presses it by this flag.
            if (weiter) weiter(0);
            pfl::Abrufergebnis e;
            e.abgebrochen = true;
            return e;
        }
        auto it = antworten.constFind(url.toString());
        if (it == antworten.constEnd()) {
            pfl::Abrufergebnis e;
            e.url = url;
            e.fehler = QStringLiteral("„%1“ konnte nicht geladen werden: Der Server wurde nicht gefunden.")
                           .arg(url.toString());
            return e;
        }
        pfl::Abrufergebnis e = *it;
        if (e.url.isEmpty()) e.url = url;
        return e;
    }
    void seite(const QString& adresse, const QByteArray& daten) {
        pfl::Abrufergebnis e;
        e.daten = daten;
        antworten.insert(adresse, e);
    }
    void fehler(const QString& adresse, const QString& text) {
        pfl::Abrufergebnis e;
        e.fehler = text;
        antworten.insert(adresse, e);
    }
};

} // namespace pfl::test
