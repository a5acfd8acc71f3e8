// SPDX-License-Identifier: GPL-3.0-or-later
// Fetching a web page or a picture for an import. The import asks an Abrufer, so tests script the
// answers; the program's Netzabrufer fetches with Qt Network under a time and a size limit.
#pragma once

#include "formats/Leser.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QString>
#include <QUrl>
#include <functional>

namespace pfl {

struct Abrufergebnis {
    QByteArray daten;
    QUrl url;       // where the bytes came from in the end (after redirections)
    QString fehler; // German, for the user; empty when fetched
    bool abgebrochen = false;
    bool ok() const { return fehler.isEmpty() && !abgebrochen; }
};

class Abrufer {
public:
    virtual ~Abrufer() = default;
    // Fetches an http or https address whole. `weiter` is asked now and then with the bytes received
    // so far; false cancels (then abgebrochen is set and nothing is returned).
    virtual Abrufergebnis abrufen(const QUrl& url, const std::function<bool(qint64)>& weiter = {}) = 0;
};

// Whether a text the user gave is a web address the import fetches (http or https).
bool istWebadresse(const QString& text);

class Netzabrufer : public Abrufer {
public:
    // zeitgrenze: milliseconds the whole fetch may take; grenze: the most bytes taken.
    explicit Netzabrufer(int zeitgrenze = 20000, qint64 grenze = kGroessteDatei);
    Abrufergebnis abrufen(const QUrl& url, const std::function<bool(qint64)>& weiter = {}) override;

private:
    QNetworkAccessManager m_netz;
    int m_zeitgrenze;
    qint64 m_grenze;
};

} // namespace pfl
