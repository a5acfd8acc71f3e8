// SPDX-License-Identifier: GPL-3.0-or-later
// Recipe pictures: reading, naming and storing them in the picture folder.
#include "pages/Rezeptbild.h"

#include "data/Cp1252.h"
#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace pfl {

namespace {

// Larger files are no recipe photos; reading them whole would only stall the window.
constexpr qint64 kGroessteBilddatei = qint64(64) << 20;

bool fehlschlag(QString* fehler, const QString& text) {
    if (fehler) *fehler = text;
    return false;
}

// The extensions a format may carry; the first is the one given to a name without a fitting one.
QStringList endungen(const QByteArray& format) {
    if (format == "jpeg") return {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe")};
    if (format == "png") return {QStringLiteral("png")};
    if (format == "bmp") return {QStringLiteral("bmp"), QStringLiteral("dib")};
    return {};
}

// Position of the dot before the extension, or -1 when the name has none (a leading dot is no
// extension: ".jpg" is all stem).
qsizetype endungsPunkt(const QString& name) {
    const qsizetype p = name.lastIndexOf(QLatin1Char('.'));
    return p > 0 ? p : -1;
}

QString freierName(const QString& name, int n) {
    const qsizetype p = endungsPunkt(name);
    const QString endung = p < 0 ? QString() : name.mid(p);
    const QString stamm = p < 0 ? name : name.left(p);
    const QString zusatz = QStringLiteral(" (%1)").arg(n);
    return stamm.left(qMax<qsizetype>(1, kBildnameMax - endung.size() - zusatz.size())) + zusatz + endung;
}

} // namespace

QString bildFilter() {
    return QStringLiteral("Bilder (*.jpg *.jpeg *.jpe *.png *.bmp *.dib);;JPEG (*.jpg *.jpeg *.jpe);;"
                          "PNG (*.png);;Bitmap (*.bmp *.dib)");
}

std::optional<Rezeptbild> bildPruefen(const QByteArray& bytes, const QString& name, QString* fehler) {
    QByteArray kopie = bytes;
    QBuffer puffer(&kopie);
    puffer.open(QIODevice::ReadOnly);
    // The content decides, not the name: a PNG called ".jpg" is still stored and read as a PNG.
    const QByteArray format = QImageReader::imageFormat(&puffer);
    if (format != "jpeg" && format != "png" && format != "bmp") {
        fehlschlag(fehler,
                   QStringLiteral("Die Datei \u201E%1\u201C ist kein JPEG-, PNG- oder BMP-Bild.").arg(name));
        return std::nullopt;
    }
    puffer.seek(0);
    QImageReader leser(&puffer, format);
    QImage bild = leser.read();
    if (bild.isNull()) {
        fehlschlag(
            fehler,
            QStringLiteral("Das Bild \u201E%1\u201C ist beschädigt und lässt sich nicht lesen.").arg(name));
        return std::nullopt;
    }
    return Rezeptbild{bytes, format, std::move(bild)};
}

std::optional<Rezeptbild> bildLaden(const QString& pfad, QString* fehler) {
    const QString name = QFileInfo(pfad).fileName();
    const QFileInfo info(pfad);
    if (!info.exists()) {
        fehlschlag(fehler, QStringLiteral("Die Datei \u201E%1\u201C ist nicht vorhanden.").arg(pfad));
        return std::nullopt;
    }
    if (info.size() > kGroessteBilddatei) {
        fehlschlag(fehler,
                   QStringLiteral("Das Bild \u201E%1\u201C ist zu groß (höchstens 64 MB).").arg(name));
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = dateiInhalt(pfad, kGroessteBilddatei);
    if (!bytes) {
        fehlschlag(fehler, QStringLiteral("Die Datei \u201E%1\u201C lässt sich nicht lesen.").arg(pfad));
        return std::nullopt;
    }
    return bildPruefen(*bytes, name, fehler);
}

std::optional<Rezeptbild> bildAusOrdner(const QString& ordner, const QString& name, QString* fehler) {
    if (!bildnameSicher(name)) {
        fehlschlag(fehler,
                   QStringLiteral("Der Bildname \u201E%1\u201C ist kein zulässiger Dateiname.").arg(name));
        return std::nullopt;
    }
    return bildLaden(ordner + name, fehler);
}

bool bildnameSicher(const QString& name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0)) && name != QLatin1String(".") && name != QLatin1String("..");
}

QString bildnameKuerzen(const QString& name, int max) {
    if (name.size() <= max) return name;
    const qsizetype p = endungsPunkt(name);
    const qsizetype endung = p < 0 ? 0 : name.size() - p;
    // An extension that leaves no room for a stem cannot be kept.
    if (p < 0 || endung >= max) return name.left(max);
    return name.left(max - endung) + name.mid(p);
}

QString bildname(const QString& dateiname, const QByteArray& format) {
    // The field stores Windows-1252: the file gets the name the field reads back.
    QString n = fromCp1252(toCp1252(dateiname));
    n.replace(QLatin1Char('/'), QLatin1Char('_'));
    n.replace(QLatin1Char('\\'), QLatin1Char('_'));
    n.replace(QChar(0), QLatin1Char('_'));
    if (n.isEmpty() || n.startsWith(QLatin1Char('.'))) n.prepend(QStringLiteral("Bild"));
    const QStringList passend = endungen(format);
    if (!passend.isEmpty()) {
        const qsizetype p = endungsPunkt(n);
        const QString endung = p < 0 ? QString() : n.mid(p + 1);
        if (!passend.contains(endung, Qt::CaseInsensitive))
            n = (p < 0 ? n : n.left(p)) + QLatin1Char('.') + passend.first();
    }
    return bildnameKuerzen(n);
}

bool bildSpeichern(const QString& ordner, const Rezeptbild& bild, QString& name, QString* fehler) {
    if (!bildnameSicher(name))
        return fehlschlag(
            fehler, QStringLiteral("Der Bildname \u201E%1\u201C ist kein zulässiger Dateiname.").arg(name));
    QString grund;
    if (bild.leer() || !bildPruefen(bild.bytes, name, &grund))
        return fehlschlag(fehler, grund + QStringLiteral("\nDas Rezept wurde nicht gespeichert."));
    // Without the trailing "/", so that a file of that name is seen as what it is.
    const QFileInfo ordnerInfo(ordner.endsWith(QLatin1Char('/')) ? ordner.chopped(1) : ordner);
    // The picture folder is a folder of the data folder: a link out of it receives nothing.
    if (!unterordnerBeschreibbar(ordnerInfo.absolutePath(), ordnerInfo.fileName(), &grund))
        return fehlschlag(fehler, grund + QStringLiteral("\nDas Rezept wurde nicht gespeichert."));
    if ((ordnerInfo.exists() || ordnerInfo.isSymLink()) && !ordnerInfo.isDir())
        return fehlschlag(fehler, QStringLiteral("Der Bilderordner \u201E%1\u201C ist kein Ordner, sondern "
                                                 "eine Datei. Das Rezept wurde nicht gespeichert.")
                                      .arg(QDir::toNativeSeparators(ordner)));
    if (!QDir().mkpath(ordner))
        return fehlschlag(fehler, QStringLiteral("Der Bilderordner \u201E%1\u201C lässt sich nicht anlegen. "
                                                 "Das Rezept wurde nicht gespeichert.")
                                      .arg(QDir::toNativeSeparators(ordner)));
    const QString basis = ordner.endsWith(QLatin1Char('/')) ? ordner : ordner + QLatin1Char('/');
    for (int n = 1; n < 1000; ++n) {
        const QString kandidat = n == 1 ? name : freierName(name, n);
        const QFileInfo ziel(basis + kandidat);
        if (ziel.exists() || ziel.isSymLink()) {
            // The same picture stored before (another recipe, or this one taken over): share it.
            if (ziel.isFile() && ziel.size() == bild.bytes.size() &&
                dateiInhalt(ziel.filePath(), bild.bytes.size()) == std::optional<QByteArray>(bild.bytes)) {
                name = kandidat;
                return true;
            }
            continue; // another recipe's picture is never replaced
        }
        if (!dateiErsetzen(ziel.filePath(), bild.bytes, &grund))
            return fehlschlag(fehler, QStringLiteral("Das Bild \u201E%1\u201C konnte nicht im Bilderordner "
                                                     "gespeichert werden.\n%2\nDas Rezept wurde nicht "
                                                     "gespeichert.")
                                          .arg(kandidat, grund));
        name = kandidat;
        return true;
    }
    return fehlschlag(fehler, QStringLiteral("Im Bilderordner ist kein freier Name für \u201E%1\u201C zu "
                                             "finden. Das Rezept wurde nicht gespeichert.")
                                  .arg(name));
}

} // namespace pfl
