// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Deutsch.h"
#include "data/Unit4Intern.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using namespace pfl::unit4;

// ---------------------------------------------------------------- one recipe: compare and delete

bool Unit4::satzGleich(int nummer, const dateien& satz) const {
    const QString p = buchPfad();
    if (p.isEmpty() || nummer < 1) return false;
    const pfl::Dateihandle f = pfl::oeffneLesen(lpf, p);
    if (!f.offen()) return false;
    QByteArray b(kSatz, Qt::Uninitialized);
    if (pfl::liesAb(f.fd(), b.data(), kSatz, qint64(nummer - 1) * kSatz) != kSatz) return false;
    return std::memcmp(b.constData(), &satz, kSatz) == 0;
}

QHash<QString, QStringList> Unit4::rubrikNamen() const {
    QHash<QString, QStringList> namen;
    QHash<QString, QSet<QString>> gesehen;
    const QString p = buchPfad();
    if (p.isEmpty()) return namen;
    jederKopf(lpf, p, kKopf, [&](const char* s, qint64) {
        const auto* d = reinterpret_cast<const dateien*>(s);
        const QString satzRubrik = d->Rubrik.toQString();
        const QString name = d->name.toQString();
        QSet<QString>& schon = gesehen[satzRubrik];
        const QString schluessel = name.toCaseFolded();
        if (schon.contains(schluessel)) return;
        schon.insert(schluessel);
        namen[satzRubrik].append(name);
    });
    return namen;
}

QStringList Unit4::rubrikNamenSortiert(const QString& rubrikName) {
    const QString p = buchPfad();
    const QFileInfo buch(p);
    const bool da = !p.isEmpty() && buch.exists();
    const qint64 groesse = da ? buch.size() : -1;
    const qint64 geaendert = da ? buch.lastModified().toMSecsSinceEpoch() : -1;
    RubrikNamen& c = m_rubrikNamen;
    // Only a changed book costs a pass over it.
    if (!c.gelesen || c.pfad != p || c.groesse != groesse || c.geaendert != geaendert) {
        c.namen = rubrikNamen();
        const QCollator& deutsch = pfl::deutscheSortierung();
        for (QStringList& l : c.namen) // sorted once, not at every step
            std::stable_sort(l.begin(), l.end(),
                             [&](const QString& a, const QString& b) { return deutsch.compare(a, b) < 0; });
        c.pfad = p;
        c.groesse = groesse;
        c.geaendert = geaendert;
        c.gelesen = true;
    }
    return c.namen.value(rubrikName);
}

void Unit4::rubrikNamenVerwerfen() {
    m_rubrikNamen = RubrikNamen();
}

int Unit4::namensPosition(const QString& name) const {
    const QString p = buchPfad();
    QByteArray gesucht;
    if (p.isEmpty() || !exakteBytes(name, gesucht)) return 0;
    int gefunden = 0;
    // Reading stops at the first match.
    jederKopf(lpf, p, kKopf, [&](const char* s, qint64 i) {
        if (!reinterpret_cast<const dateien*>(s)->name.equalsBytes(gesucht)) return true;
        gefunden = int(i + 1);
        return false;
    });
    return gefunden;
}

Loeschergebnis Unit4::rezept_loeschen(int nummer, const dateien* erwartet) {
    if (!schreibbar()) return Loeschergebnis::Fehler;
    const QString p = buchPfad();
    const QString buch = nurName(p);
    const auto melden = [&](const QString& grund) {
        schreibfehlerMelden(buch, QStringLiteral("Das Rezept wurde nicht gelöscht, das Rezeptbuch ist "
                                                 "unverändert. ") +
                                      grund);
        return Loeschergebnis::Fehler;
    };
    if (p.isEmpty()) return melden(QStringLiteral("Das Rezeptbuch hat keinen gültigen Dateinamen."));
    // The rewrite would replace a link with a plain file; only a regular file is rewritten.
    if (pfl::dateiart(lpf, p) != pfl::Dateiart::Datei)
        return melden(QStringLiteral("Es ist keine gewöhnliche Datei im Datenordner."));
    if (pfl::schreibgeschuetzt(p)) return melden(QStringLiteral("Die Datei ist schreibgeschützt."));
    QString grund;
    const pfl::Dateihandle ein = pfl::oeffneLesen(lpf, p, &grund);
    if (!ein.offen()) return melden(grund);
    struct stat st;
    if (::fstat(ein.fd(), &st) != 0) return melden(pfl::dateifehlerText(errno));
    const qint64 groesse = qint64(st.st_size);
    const qint64 n = groesse / kSatz;
    if (nummer < 1 || nummer > n) return Loeschergebnis::Anders;

    QByteArray satz(kSatz, Qt::Uninitialized);
    const qint64 weg = qint64(nummer - 1) * kSatz;
    if (pfl::liesAb(ein.fd(), satz.data(), kSatz, weg) != kSatz) return melden(pfl::dateifehlerText(errno));
    if (erwartet && std::memcmp(satz.constData(), erwartet, kSatz) != 0) return Loeschergebnis::Anders;

    pfl::Neudatei neu(lpf);
    if (!neu.offen()) return melden(neu.grund());
    neu.rechte(st.st_mode);
    // Everything before the record and everything after it (a torn tail included) in large blocks.
    QByteArray buf(qMin<qint64>(qMax<qint64>(groesse, 1), 4 << 20), Qt::Uninitialized);
    const auto kopieren = [&](qint64 von, qint64 bis) {
        for (qint64 pos = von; pos < bis;) {
            const qint64 r = pfl::liesAb(ein.fd(), buf.data(), qMin<qint64>(buf.size(), bis - pos), pos);
            if (r <= 0) {
                grund = r < 0 ? pfl::dateifehlerText(errno)
                              : QStringLiteral("Das Rezeptbuch wurde während des Lesens verkürzt.");
                return false;
            }
            if (!neu.schreibe(buf.constData(), r)) {
                grund = neu.grund();
                return false;
            }
            pos += r;
        }
        return true;
    };
    if (!kopieren(0, weg) || !kopieren(weg + kSatz, groesse)) return melden(grund);
    if (!neu.fertig(p)) return melden(neu.grund());
    daten = int(n - 1);
    return Loeschergebnis::Geloescht;
}
