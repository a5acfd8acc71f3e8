// SPDX-License-Identifier: GPL-3.0-or-later
// Recipe pictures: reading a chosen file, the name it gets in the picture folder, and storing it
// there in its own format without ever replacing another recipe's picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace pfl {

// A picture as the file held it: the original bytes (what is stored), its format and the image.
struct Rezeptbild {
    QByteArray bytes;
    QByteArray format; // "jpeg", "png" or "bmp"
    QImage bild;
    bool leer() const { return bytes.isEmpty(); }
};

// The recipe field that names the picture holds this many characters.
constexpr int kBildnameMax = 40;

// The chooser's filter: the formats that are stored as they are.
QString bildFilter();

// Reads a JPEG, PNG or BMP file and checks that it decodes; otherwise nothing and a German reason.
std::optional<Rezeptbild> bildLaden(const QString& pfad, QString* fehler = nullptr);
// The same for bytes already read; `name` is only for the message.
std::optional<Rezeptbild> bildPruefen(const QByteArray& bytes, const QString& name,
                                      QString* fehler = nullptr);

// A recipe's picture from the picture folder `ordner` (with trailing "/") by the recipe's name for it:
// the name must stay inside the folder, the file must exist and decode, whatever the case of its
// extension; otherwise nothing and a German reason.
std::optional<Rezeptbild> bildAusOrdner(const QString& ordner, const QString& name,
                                        QString* fehler = nullptr);

// A name that stays inside the picture folder: not empty, no "/" or "\", not "." or "..".
bool bildnameSicher(const QString& name);

// The name a chosen file gets in the picture folder: as the recipe field reads it back
// (Windows-1252), path separators replaced, the extension that of its format, and at most
// kBildnameMax characters with the stem shortened, never the extension.
QString bildname(const QString& dateiname, const QByteArray& format);

// `stamm` + `zusatz` + `endung` in at most `max` characters, shortening the stem only.
QString bildnameKuerzen(const QString& name, int max = kBildnameMax);

// Stores the picture in `ordner` (created when missing). `name` is the wished name; when a file of
// that name holds another picture, the first free "Stamm (n).ext" is taken instead, and `name`
// returns the name used. A file with the same bytes is reused. False with a German reason when
// nothing could be stored.
bool bildSpeichern(const QString& ordner, const Rezeptbild& bild, QString& name, QString* fehler = nullptr);

} // namespace pfl
