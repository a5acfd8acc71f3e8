// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Vorhaben.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace pfl {

namespace {

// A journal is a few hundred bytes; anything much larger is not one.
constexpr qint64 kHoechsteGroesse = 4 << 20;

QString journalPfad(const QString& lpf) {
    QString p = lpf;
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p + vorhaben::dateiname();
}

} // namespace

namespace vorhaben {

QString wartetText() {
    return QStringLiteral(
        "Ein bei der letzten Sitzung unterbrochener Vorgang kann erst abgeschlossen werden, "
        "wenn in den Datenordner geschrieben werden kann. Bis dahin kann ein Rezeptbuch "
        "unvollständig geändert sein.");
}

QJsonObject standAlsJson(const Dateistand& s) {
    // As text: a JSON number is a double and would round large inode numbers.
    return {{QStringLiteral("da"), s.da()},
            {QStringLiteral("geraet"), QString::number(quint64(s.geraet))},
            {QStringLiteral("inode"), QString::number(quint64(s.knoten))},
            {QStringLiteral("groesse"), QString::number(s.groesse)},
            {QStringLiteral("geaendert"), QString::number(s.geaendertNs)}};
}

Dateistand standAusJson(const QJsonObject& o) {
    Dateistand s;
    if (!o.value(QStringLiteral("da")).toBool()) return s;
    s.geraet = qint64(o.value(QStringLiteral("geraet")).toString().toULongLong());
    s.knoten = qint64(o.value(QStringLiteral("inode")).toString().toULongLong());
    bool ok = false;
    s.groesse = o.value(QStringLiteral("groesse")).toString().toLongLong(&ok);
    if (!ok) s.groesse = -1;
    s.geaendertNs = o.value(QStringLiteral("geaendert")).toString().toLongLong();
    return s;
}

QString dateiname() {
    return QStringLiteral(".pfanno-lux.vorhaben");
}

namespace {

bool journalSchreiben(const QString& lpf, const QJsonObject& inhalt, bool ordnerSyncen, QString* grund) {
    Neudatei neu(lpf);
    if (neu.schreibe(QJsonDocument(inhalt).toJson(QJsonDocument::Compact)) &&
        neu.fertig(journalPfad(lpf), ordnerSyncen))
        return true;
    if (grund) *grund = neu.grund();
    return false;
}

} // namespace

bool schreiben(const QString& lpf, const QJsonObject& inhalt, QString* grund) {
    return journalSchreiben(lpf, inhalt, true, grund);
}

bool nachtragen(const QString& lpf, const QJsonObject& inhalt) {
    return journalSchreiben(lpf, inhalt, false, nullptr);
}

bool entfernen(const QString& lpf) {
    const QByteArray p = nativ(journalPfad(lpf));
    if (::unlink(p.constData()) != 0) return errno == ENOENT;
    ordnerSync(lpf);
    return true;
}

std::optional<Gelesen> lesen(const QString& lpf) {
    const QString p = journalPfad(lpf);
    struct stat st;
    // The cost of a start without a pending change: this one call.
    if (::lstat(nativ(p).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    Gelesen g;
    const std::optional<QByteArray> b = dateiInhalt(p, kHoechsteGroesse);
    QJsonParseError fehler;
    const QJsonDocument d = b ? QJsonDocument::fromJson(*b, &fehler) : QJsonDocument();
    if (!b || fehler.error != QJsonParseError::NoError || !d.isObject())
        g.unlesbar = true;
    else
        g.inhalt = d.object();
    return g;
}

QString bytesText(const QByteArray& b) {
    return QString::fromLatin1(b.toBase64());
}

QByteArray textBytes(const QJsonValue& v) {
    return QByteArray::fromBase64(v.toString().toLatin1());
}

} // namespace vorhaben
} // namespace pfl
