// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace pfl::unit4;
using pfl::Umbenennung;

// ---------------------------------------------------------------- renaming in every book

void Unit4::Dir_daten_konvertieren(Umbenennung art, const QString& alt, const QString& neu) {
    pfl::verwaisteTempDateienEntfernen(lpf);
    {
        const Ordnerliste liste(*this); // one listing for the whole walk
        const QStringList buecher = buchDateien();
        for (int i = 0; i < buecher.size(); ++i) {
            const QString& e = buecher.at(i);
            Q_EMIT buchWirdUmbenannt(e.left(e.size() - 4), i + 1, int(buecher.size()));
            rezeptbuch = e.left(e.size() - 4);
            konvertiereBuch(e, buecher, art, alt, neu);
            Q_EMIT copy1Angefordert();
        }
    }
    opt_lesen();
    Q_EMIT copy1Angefordert();
}

void Unit4::konvertieren(Umbenennung art, const QString& alt, const QString& neu) {
    if (sichererName(rezeptbuch)) {
        const Ordnerliste liste(*this);
        const QString rez = pfad(rezeptbuch + QLatin1String(".rez"));
        konvertiereBuch(nurName(rez), buchDateien(), art, alt, neu);
    }
    Q_EMIT copy1Angefordert();
}

QString Unit4::sicherungsName(const QString& buch, const QStringList& buecher) {
    const QString basis = buch.left(buch.size() - 4);
    // Books that differ only in the spelling of the extension ("Party.REZ", "Party.rez") would share
    // "Party.Aez"; each of them keeps its own copy under its full name instead.
    for (const QString& b : buecher)
        if (b != buch && b.left(b.size() - 4) == basis) return buch + QLatin1String(".Aez");
    return basis + QLatin1String(".Aez");
}

namespace {

// Puts the complete old book (open as fd) under the name aez, replacing an older copy in one rename:
// a hard link where the file system has them, otherwise a synced copy. A link named aez is removed,
// never followed.
bool sicherungAnlegen(const QString& lpf, const QString& rez, int fd, const QString& aez, QString* grund) {
    const QByteArray a = QFile::encodeName(aez);
    struct stat st;
    if (::lstat(a.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            ::unlink(a.constData());
        } else if (!S_ISREG(st.st_mode)) {
            *grund = QStringLiteral("Die Sicherungskopie \u201E%1\u201C ist keine gewöhnliche Datei.")
                         .arg(nurName(aez));
            return false;
        }
    }
    const QByteArray r = QFile::encodeName(rez);
    const QByteArray t =
        QFile::encodeName(lpf) + ".pfl" + QByteArray::number(qint64(::getpid())) + "-aez.tmp";
    ::unlink(t.constData()); // a leftover of an earlier run with this process id
    if (::link(r.constData(), t.constData()) == 0) {
        const bool ok = ::rename(t.constData(), a.constData()) == 0;
        if (!ok) *grund = pfl::dateifehlerText(errno);
        // When the copy already is this very file, rename leaves both names in place.
        ::unlink(t.constData());
        if (ok) pfl::ordnerSync(lpf);
        return ok;
    }
    pfl::Neudatei kopie(lpf);
    const qint64 n = pfl::dateigroesse(fd);
    QByteArray buf(qMin<qint64>(qMax<qint64>(n, 1), 4 << 20), Qt::Uninitialized);
    for (qint64 pos = 0; kopie.offen() && pos < n;) {
        const qint64 r2 = pfl::liesAb(fd, buf.data(), qMin<qint64>(buf.size(), n - pos), pos);
        if (r2 <= 0) {
            *grund = QStringLiteral("Das Rezeptbuch konnte nicht vollständig gelesen werden.");
            return false;
        }
        if (!kopie.schreibe(buf.constData(), r2)) break;
        pos += r2;
    }
    if (kopie.offen() && kopie.fertig(aez)) return true;
    *grund = kopie.grund();
    return false;
}

} // namespace

void Unit4::konvertiereBuch(const QString& buch, const QStringList& buecher, Umbenennung art,
                            const QString& altName, const QString& neuName) {
    const QString rez = lpf + buch;
    const auto melden = [&](const QString& grund) {
        schreibfehlerMelden(buch,
                            QStringLiteral("Das Umbenennen wurde in diesem Rezeptbuch nicht ausgeführt, "
                                           "es ist unverändert. ") +
                                grund);
    };
    switch (pfl::dateiart(lpf, rez)) {
    case pfl::Dateiart::Fehlt:
        return; // gone since the folder was listed
    case pfl::Dateiart::Unbrauchbar:
        melden(QStringLiteral("Es ist keine gewöhnliche Datei im Datenordner."));
        return;
    case pfl::Dateiart::LinkDrinnen: {
        // A rewrite would replace the link; the book it leads to is renamed in its own turn.
        const QFileInfo ziel(QFileInfo(rez).canonicalFilePath());
        if (ziel.absolutePath() == QFileInfo(lpf).canonicalFilePath() && buecher.contains(ziel.fileName()))
            return;
        melden(QStringLiteral("Es ist eine Verknüpfung auf eine andere Datei."));
        return;
    }
    case pfl::Dateiart::Datei:
        break;
    }
    if (pfl::schreibgeschuetzt(rez)) {
        melden(QStringLiteral("Die Datei ist schreibgeschützt."));
        return;
    }
    QString grund;
    const pfl::Dateihandle ein = pfl::oeffneLesen(lpf, rez, &grund);
    if (!ein.offen()) {
        melden(grund);
        return;
    }
    struct stat st;
    if (::fstat(ein.fd(), &st) != 0) {
        melden(pfl::dateifehlerText(errno));
        return;
    }
    pfl::Neudatei neu(lpf);
    if (!neu.offen()) {
        melden(neu.grund());
        return;
    }
    neu.rechte(st.st_mode);

    QByteArray altBytes;
    const bool vergleichbar = exakteBytes(altName, altBytes);
    const QByteArray neuBytes = pfl::toCp1252(neuName);
    const auto feld = art == Umbenennung::Rubrik ? &dateien::Rubrik : &dateien::kategorie;
    // Records are carried over in large blocks; only the renamed field of a matching record changes.
    // A torn record at the end is not a recipe; the copy keeps it.
    const qint64 n = qint64(st.st_size) / kSatz;
    const qint64 block = 64;
    QByteArray buf(qMin(block, qMax<qint64>(n, 1)) * kSatz, Qt::Uninitialized);
    dateien letzter;
    bool gibtLetzten = false;
    for (qint64 i = 0; i < n; i += block) {
        const qint64 k = qMin(block, n - i);
        const qint64 r = pfl::liesAb(ein.fd(), buf.data(), k * kSatz, i * kSatz);
        if (r != k * kSatz) {
            // Shrunk or unreadable while we read it: nothing is replaced.
            melden(r < 0 ? pfl::dateifehlerText(errno)
                         : QStringLiteral("Das Rezeptbuch wurde während des Lesens verkürzt."));
            return;
        }
        char* p = buf.data();
        for (qint64 j = 0; j < k; ++j) {
            auto* d = reinterpret_cast<dateien*>(p + j * kSatz);
            if (vergleichbar && (d->*feld).equalsBytes(altBytes)) (d->*feld).setBytes(neuBytes);
        }
        if (!neu.schreibe(p, k * kSatz)) {
            melden(neu.grund());
            return;
        }
        kopiere(letzter, p + (k - 1) * kSatz);
        gibtLetzten = true;
    }
    if (!sicherungAnlegen(lpf, rez, ein.fd(), lpf + sicherungsName(buch, buecher), &grund)) {
        melden(grund);
        return;
    }
    if (!neu.fertig(rez)) {
        melden(neu.grund());
        return;
    }
    if (gibtLetzten) datei = letzter;
}
