// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary data directory and small helpers to write and inspect its files byte for byte.
#pragma once

#include "data/Records.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class Testordner {
public:
    Testordner();
    QString pfad() const; // with trailing "/"
    QString datei(const QString& name) const { return pfad() + name; }

    void schreibe(const QString& name, const QByteArray& bytes) const;
    QByteArray lies(const QString& name) const;
    bool gibt(const QString& name) const;
    qint64 groesse(const QString& name) const;

    template <typename T> static QByteArray bytes(const T& r) {
        return QByteArray(reinterpret_cast<const char*>(&r), sizeof(T));
    }
    template <typename T> static T satz(const QByteArray& b, int index = 0) {
        T r;
        zeroRecord(r);
        std::memcpy(static_cast<void*>(&r), b.constData() + qsizetype(index) * qsizetype(sizeof(T)),
                    sizeof(T));
        return r;
    }

    // A recipe with the overview fields set and everything else zero.
    // The bytes of a PNG file of one colour, as a chosen recipe picture.
    static QByteArray png(int breite, int hoehe);
    static dateien rezept(const QString& rubrik, const QString& name, const QString& kategorie = QString(),
                          double preis = 0, const QString& zeit = QString());
    // Writes a book of the given recipes.
    void buch(const QString& datei, const QList<dateien>& rezepte) const;
    // Writes Rezept.opt: the active book, the data screen's size and whether it shows, row height 22.
    void optionen(const QString& buch, int dbw = 779, int dbh = 421, int an = 1) const;
    // Writes Rubriken.rub / kategorien.kat with one record per name.
    void rubriken(const QStringList& namen) const;
    void kategorien(const QStringList& namen) const;

private:
    QTemporaryDir m_dir;
};
