// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Testordner.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QFileInfo>

Testordner::Testordner() {
    m_dir.setAutoRemove(true);
}

QString Testordner::pfad() const {
    return m_dir.path() + QLatin1Char('/');
}

void Testordner::schreibe(const QString& name, const QByteArray& bytes) const {
    QFile f(datei(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

QByteArray Testordner::lies(const QString& name) const {
    QFile f(datei(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Testordner::gibt(const QString& name) const {
    return QFileInfo::exists(datei(name));
}

qint64 Testordner::groesse(const QString& name) const {
    return QFileInfo(datei(name)).size();
}

dateien Testordner::rezept(const QString& rubrik, const QString& name, const QString& kategorie, double preis,
                           const QString& zeit) {
    dateien d;
    zeroRecord(d);
    d.Rubrik = rubrik;
    d.name = name;
    d.kategorie = kategorie;
    d.preis = preis;
    d.zeit = zeit;
    return d;
}

void Testordner::buch(const QString& name, const QList<dateien>& rezepte) const {
    QByteArray b;
    for (const dateien& d : rezepte)
        b += bytes(d);
    schreibe(name, b);
}

void Testordner::rubriken(const QStringList& namen) const {
    QByteArray b;
    for (const QString& n : namen) {
        ::rubriken r;
        zeroRecord(r);
        r.rubrik = n;
        b += bytes(r);
    }
    schreibe(QStringLiteral("Rubriken.rub"), b);
}

void Testordner::kategorien(const QStringList& namen) const {
    QByteArray b;
    for (const QString& n : namen) {
        ::kategorien r;
        zeroRecord(r);
        r.kategorie = n;
        b += bytes(r);
    }
    schreibe(QStringLiteral("kategorien.kat"), b);
}

void Testordner::optionen(const QString& buch, int dbw, int dbh, int an) const {
    ::optionen o;
    zeroRecord(o);
    o.rezeptbuch = buch;
    o.dbw = dbw;
    o.dbh = dbh;
    o.db_einaus = an;
    o.z_hoehe = 22;
    schreibe(QStringLiteral("Rezept.opt"), bytes(o));
}

QByteArray Testordner::png(int breite, int hoehe) {
    QImage bild(breite, hoehe, QImage::Format_RGB32);
    bild.fill(Qt::darkGreen);
    QByteArray b;
    QBuffer puffer(&b);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    return b;
}
