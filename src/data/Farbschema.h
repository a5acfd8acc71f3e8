// SPDX-License-Identifier: GPL-3.0-or-later
// The colour scheme of this run: the colour and font record of farben.frb, the style name of
// Styledat.txt and the colour chooser's custom colours of farb.txt, with their file routines.
// Created once at start-up and handed to whoever shows or edits colours.
#pragma once

#include "data/Farbsatz.h"

#include <QList>
#include <QString>

class Unit4;

namespace pfl {

class Farbschema {
public:
    // The files lie in u.lpf; failed writes are reported through u.schreibfehlerMelden.
    explicit Farbschema(Unit4& u);

    Tcolor1 colorx;
    QString Style; // the user's style name, as Styledat.txt holds it
    // The style the program shows now, kept by styleAktivieren; empty before the first activation.
    QString aktiverStil;
    // The colour the chooser gave last; the chooser without a preset starts from it, as a kept
    // dialog would.
    quint32 letzteFarbe = 0xFFFFFF;

    // farben.frb into colorx; a missing, short or unreadable file is recreated with the defaults.
    void farben_lesen();
    // The defaults into record, written to farben.frb and read back into colorx; when the file
    // cannot be written or read the defaults stay in colorx.
    void Farben_anlegen(Tcolor1& record);
    // colorx over the first record of an existing farben.frb (bytes behind it stay); nothing
    // when the file is missing. False when the file exists and could not be written.
    bool farben_speichern();
    // Every default of the scheme, reserved fields and gaps zero.
    static Tcolor1 vorgaben();

    // The first line of Styledat.txt into Style, "Windows" when it is empty or the file is
    // missing; true in that case (the colour dialog then enables its pages).
    bool styleNameLesen();
    // Style as the only content of Styledat.txt, without a line break.
    bool style_speichern();

    // The sixteen custom colours of farb.txt (white where the file or a line is missing), and
    // writing them back in the chooser's text form.
    QList<quint32> eigeneFarbenLesen() const;
    bool eigeneFarbenSpeichern(const QList<quint32>& farben);

private:
    QString pfad(const QString& name) const;
    bool ersterSatz();
    bool schreiben(const QString& name, const QByteArray& bytes);

    Unit4& m_u;
};

} // namespace pfl
