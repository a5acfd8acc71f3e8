// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files of one record each: options, print settings, owner data and the version stamp.
// Each is replaced whole, so a failed write leaves the old file as it was.
#include "data/Unit4.h"

#include "data/Dateischreiber.h"
#include "data/Dateizugriff.h"
#include "data/Unit4Intern.h"

#include <QFileInfo>

#include <optional>

using namespace pfl::unit4;

namespace {

// Reads the first record of a file; false on any error (missing, short, not a regular file).
template <typename T> bool ersterSatz(const QString& pfad, T& ziel) {
    return pfl::ersterSatz(pfad, ziel);
}

// Replaces a file whole; a failed write leaves the old file intact and, unless the caller
// reports it itself, is reported through the module.
bool ganzeDatei(Unit4& u, const QString& pfad, const QByteArray& inhalt, QString* grund = nullptr) {
    QString eigenerGrund;
    if (pfl::dateiErsetzen(pfad, inhalt, grund ? grund : &eigenerGrund)) return true;
    if (!grund) u.schreibfehlerMelden(QFileInfo(pfad).fileName(), eigenerGrund);
    return false;
}

template <typename T>
bool einzigerSatz(Unit4& u, const QString& pfad, const T& satz, QString* grund = nullptr) {
    return ganzeDatei(u, pfad, pfl::satzBytes(satz), grund);
}

// The print defaults of groups t, k, f, d and b; the other groups and bytes keep their values.
void druckVorgaben(Drucker& drucke) {
    struct Vorgabe {
        int hoehe, pen, zeilen, rand, abstand;
        const char* schrift;
    };
    static const Vorgabe v[5] = {{10, 1, 59, 0, 2, "Tahoma"},
                                 {8, 1, 32, 2, 2, "Verdana"},
                                 {8, 2, 30, 2, 2, "Verdana"},
                                 {8, 1, 50, 0, 0, "Tahoma"},
                                 {8, 1, 50, 0, 1, "Verdana"}};
    for (int g = 0; g < 5; ++g) {
        DruckGruppe& d = drucke.gruppe(g);
        d.text_Hoehe = v[g].hoehe;
        d.pen_strich = v[g].pen;
        d.anz_zeilen = v[g].zeilen;
        d.rand = v[g].rand;
        d.zeilen_abstand = v[g].abstand;
        d.schrift = QString::fromLatin1(v[g].schrift);
    }
}

// Version.ver keeps what a later program put behind its first record, up to this size.
constexpr qint64 kHoechsteVersionsdatei = 1 << 20;

} // namespace

// ---------------------------------------------------------------- single-record files

void Unit4::opt_lesen() {
    const QString p = pfad(QStringLiteral("Rezept.opt"));
    if (!existiert(p)) return;
    if (ersterSatz(p, option)) rezeptbuch = option.rezeptbuch.toQString();
}

// The settings files are written as a side effect of many commands (the active book, the data screen,
// the backup folder): in a folder that can only be read they are kept for this run without a word.
// Commands whose purpose is to store settings ask schreibbar() themselves.
void Unit4::opt_speichern() {
    if (nurLesen) return;
    einzigerSatz(*this, pfad(QStringLiteral("Rezept.opt")), option);
}

void Unit4::druck_lesen() {
    if (!ersterSatz(pfad(QStringLiteral("Drucker.drk")), drucke)) druck_anlegen();
}

void Unit4::druck_speichern() {
    if (nurLesen) return;
    const QString p = pfad(QStringLiteral("Drucker.drk"));
    QString grund;
    if (einzigerSatz(*this, p, drucke, &grund)) return;
    schreibfehlerMelden(QFileInfo(p).fileName(), grund);
    // The fall-back to the defaults (druck_anlegen); its own failure is the same failure, told once.
    druckVorgaben(drucke);
    einzigerSatz(*this, p, drucke, &grund);
}

void Unit4::druck_anlegen() {
    druckVorgaben(drucke);
    if (nurLesen) return;
    einzigerSatz(*this, pfad(QStringLiteral("Drucker.drk")), drucke);
}

void Unit4::stamminh_lesen() {
    const QString p = pfad(QStringLiteral("Stammdaten.sti"));
    if (!existiert(p) || !ersterSatz(p, st_inh1)) stamminh_speichern();
}

void Unit4::stamminh_speichern() {
    if (nurLesen) return;
    einzigerSatz(*this, pfad(QStringLiteral("Stammdaten.sti")), st_inh1);
}

void Unit4::version_lesen() {
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (existiert(p)) ersterSatz(p, t_version);
}

void Unit4::version_speichern() {
    if (nurLesen) return;
    const QString p = pfad(QStringLiteral("Version.ver"));
    if (!existiert(p)) {
        version_anlegen();
        return;
    }
    t_version.version = versionsnum;
    // Only the first record is replaced; anything behind it stays.
    std::optional<QByteArray> inhalt = pfl::dateiInhalt(p, kHoechsteVersionsdatei);
    if (!inhalt) {
        schreibfehlerMelden(QFileInfo(p).fileName(),
                            QStringLiteral("Die bisherige Datei lässt sich nicht lesen oder ist zu groß."));
        return;
    }
    if (inhalt->size() < qsizetype(sizeof(welcheversion))) inhalt->resize(sizeof(welcheversion));
    inhalt->replace(0, sizeof(welcheversion), pfl::satzBytes(t_version));
    ganzeDatei(*this, p, *inhalt);
}

void Unit4::version_anlegen() {
    if (nurLesen) return;
    // Creating the file empty and then storing the stamp in it ends in the same single record;
    // written in one step, a failure leaves no empty file behind.
    t_version.version = versionsnum;
    einzigerSatz(*this, pfad(QStringLiteral("Version.ver")), t_version);
}
