// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Farbschema.h"

#include "data/Cp1252.h"
#include "data/Dateischreiber.h"
#include "data/Unit4.h"

#include <QFileInfo>

namespace pfl {

namespace {

const QString kFarbenDatei = QStringLiteral("farben.frb");
const QString kStyleDatei = QStringLiteral("Styledat.txt");
const QString kFarbDatei = QStringLiteral("farb.txt");
constexpr qint64 kSatz = sizeof(Tcolor1);
constexpr quint32 kWeiss = 0xFFFFFF;
// A style name is a few words; a longer first line is cut here, never read whole.
constexpr qint64 kHoechsteStylezeile = 4096;
// farb.txt holds sixteen short lines; more than this is not looked at.
constexpr qint64 kHoechsteFarbdatei = 64 << 10;
// farben.frb is one record; what a foreign program put behind it is kept up to this size.
constexpr qint64 kHoechsteFarbenDatei = 16 << 20;

void satzVorgaben(Schriftsatz& s, int daten, int ueb, int ueGrid, int grid) {
    const QString arial = QStringLiteral("Arial");
    s.D_bs_schrift = arial;
    s.D_bs_ueb_schrift = arial;
    s.ue_grid_s = arial;
    s.grid_s = arial;
    s.D_bs_schrift_groesse = daten;
    s.D_bs_ueb_schrift_groesse = ueb;
    s.ue_grid_g = ueGrid;
    s.grid_g = grid;
}

} // namespace

Farbschema::Farbschema(Unit4& u) : m_u(u) {
    zeroRecord(colorx);
}

QString Farbschema::pfad(const QString& name) const {
    return m_u.pfad(name);
}

bool Farbschema::schreiben(const QString& name, const QByteArray& bytes) {
    if (!m_u.schreibbar()) return false;
    const QString p = pfad(name);
    QString grund;
    if (dateiErsetzen(p, bytes, &grund)) return true;
    m_u.schreibfehlerMelden(QFileInfo(p).fileName(), grund);
    return false;
}

// The first record into colorx; false (colorx untouched) when missing, short or unreadable.
bool Farbschema::ersterSatz() {
    return pfl::ersterSatz(pfad(kFarbenDatei), colorx);
}

Tcolor1 Farbschema::vorgaben() {
    Tcolor1 c;
    zeroRecord(c);
    c.H_bs_hg = 12707550;
    c.D_bs_umr_inn = 14341568;
    c.D_bs_umr_aus = 10738383;
    c.D_bs_ueb = 962484;
    c.D_bs_ueb_font = 8404992;
    c.D_bs_pan = 10998220;
    c.D_bs_pan_font = 8404992;
    c.D_bs_pan_alarm = 14341568;
    c.D_bs_fa = 12707550;
    c.D_bs_fa_font = 15592672;
    c.menuebar = 10738383;
    c.form_umr = 10738383;
    c.listb = 14934482;
    c.listb_font = 16744576;
    c.String_box_sum = 14341568;
    c.String_box_mark_Row = 12320699;
    c.String_box_mark_Row_font = 128;
    c.String_box = 10998220;
    c.String_box_ueb = 962484;
    c.String_box_font = 8388608;
    c.String_box_ueb_Font = 8388608;
    c.fa2_s = QStringLiteral("Times New Roman");
    c.rue_s = QStringLiteral("Times New Roman");
    c.list_s = QStringLiteral("Verdana");
    c.ue_chart_s = QStringLiteral("Verdana");
    c.chart_s = QStringLiteral("Verdana");
    c.fa2_g = 10;
    c.rue_g = 12;
    c.ueb_g = 10;
    c.list_g = 8;
    c.ue_chart_g = 10;
    c.chart_g = 8;
    c.chart_umr = 14472640;
    c.chart_Hg = 8450283;
    c.chart_li = 10469119;
    c.chart_bo = 9793773;
    c.chart_balken_p = 8454016;
    c.chart_balken_n = 16744703;
    c.chart_font_l_u = 8388736;
    c.chart_font_ueber = 255;
    c.bmi18 = c.bmi20 = c.bmi25 = c.bmi30 = c.bmi40 = 10;
    satzVorgaben(c.k800, 8, 10, 10, 8);
    satzVorgaben(c.g800, 7, 9, 8, 7);
    satzVorgaben(c.k1024, 8, 10, 11, 10);
    satzVorgaben(c.g1024, 7, 9, 10, 8);
    satzVorgaben(c.k1280, 9, 11, 10, 8);
    satzVorgaben(c.g1280, 8, 9, 10, 8);
    satzVorgaben(c.k1600, 12, 13, 13, 11);
    satzVorgaben(c.g1600, 10, 11, 10, 8);
    c.ue_grid_g = 10;
    c.grid_g = 8;
    c.ue_grid_s = QStringLiteral("Arial");
    c.grid_s = QStringLiteral("Arial");
    c.D_bs_ueb_schrift_groesse = 10;
    c.D_bs_schrift_groesse = 8;
    c.D_bs_ueb_schrift = QStringLiteral("Arial");
    c.D_bs_schrift = QStringLiteral("Arial");
    c.f_b_haupt = 0;
    c.hg_bild = QStringLiteral("marbl24m.bmp");
    c.end_gradient = 11463913;
    c.end_gradient1 = 11463913;
    c.draw_style = c.draw_style1 = c.cell_style = c.cell_style1 = 1;
    return c;
}

void Farbschema::farben_lesen() {
    if (!ersterSatz()) Farben_anlegen(colorx);
}

void Farbschema::Farben_anlegen(Tcolor1& record) {
    record = vorgaben();
    // A folder that can only be read keeps the defaults in memory (the colour dialog asks before).
    if (m_u.nurLesen) {
        colorx = record;
        return;
    }
    const bool geschrieben = schreiben(kFarbenDatei, satzBytes(record));
    // Read back without falling into Farben_anlegen again: a file that cannot be written
    // (or read) leaves the defaults in memory instead of recursing without end.
    if (!geschrieben || !ersterSatz()) colorx = record;
}

bool Farbschema::farben_speichern() {
    const QString datei = pfad(kFarbenDatei);
    if (!QFileInfo(datei).isFile()) return true;
    // Bytes behind the first record belong to the file and stay.
    std::optional<QByteArray> inhalt = dateiInhalt(datei, kHoechsteFarbenDatei);
    if (!inhalt) {
        m_u.schreibfehlerMelden(
            QFileInfo(datei).fileName(),
            QStringLiteral("Die bisherige Datei lässt sich nicht lesen oder ist zu groß."));
        return false;
    }
    if (inhalt->size() < kSatz) inhalt->resize(kSatz);
    inhalt->replace(0, kSatz, satzBytes(colorx));
    return schreiben(kFarbenDatei, *inhalt);
}

bool Farbschema::styleNameLesen() {
    QString zeile;
    if (const std::optional<QByteArray> b = ersteZeile(pfad(kStyleDatei), kHoechsteStylezeile))
        zeile = fromCp1252(b->constData(), b->size()).trimmed();
    const bool leer = zeile.isEmpty();
    Style = leer ? QStringLiteral("Windows") : zeile;
    return leer;
}

bool Farbschema::style_speichern() {
    return schreiben(kStyleDatei, toCp1252(Style));
}

QList<quint32> Farbschema::eigeneFarbenLesen() const {
    QList<quint32> farben(16, kWeiss);
    const std::optional<QByteArray> inhalt = dateiAnfang(pfad(kFarbDatei), kHoechsteFarbdatei);
    if (!inhalt) return farben;
    const QList<QByteArray> zeilen = inhalt->split('\n');
    for (const QByteArray& roh : zeilen) {
        const QByteArray z = roh.trimmed();
        const int gleich = int(z.indexOf('='));
        if (gleich != 6 || !z.left(5).toLower().startsWith("color")) continue;
        const int i = QChar::toUpper(uint(uchar(z.at(5)))) - 'A';
        if (i < 0 || i >= 16) continue;
        bool ok = false;
        const quint32 wert = z.mid(gleich + 1).toUInt(&ok, 16);
        // The platform chooser writes FFFFFFFF for an unused slot.
        if (ok) farben[i] = wert > kWeiss ? kWeiss : wert;
    }
    return farben;
}

bool Farbschema::eigeneFarbenSpeichern(const QList<quint32>& farben) {
    QByteArray text;
    for (int i = 0; i < 16; ++i) {
        const quint32 wert = i < farben.size() ? farben.at(i) & kWeiss : kWeiss;
        text += "Color" + QByteArray(1, char('A' + i)) + '=' +
                QByteArray::number(wert, 16).toUpper().rightJustified(6, '0') + "\r\n";
    }
    return schreiben(kFarbDatei, text);
}

} // namespace pfl
