// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/Dubletten.h"

#include <QCryptographicHash>

namespace pfl {

namespace {
QString gefaltet(const QString& text) {
    return text.simplified().toCaseFolded();
}
} // namespace

QByteArray dublettenSchluessel(const dateien& satz) {
    // A hash, not the texts: the keys of a whole book stay small.
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(gefaltet(satz.name.toQString()).toUtf8());
    h.addData(QByteArrayView("\x1f", 1));
    h.addData(gefaltet(satz.zutaten.toQString()).toUtf8());
    return h.result();
}

bool Dublettensuche::pruefenUndMerken(const dateien& satz) {
    const QByteArray s = dublettenSchluessel(satz);
    if (m_schluessel.contains(s)) return true;
    m_schluessel.insert(s);
    return false;
}

} // namespace pfl
