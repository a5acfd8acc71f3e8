#include "appearance/Farben.h"

#include "appearance/Styles.h"
#include "data/Cp1252.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Farben {

Tcolor1 colorx{};
QString Style;
int abbruch = 0;
int aufloesung = 0;

namespace {

const QString kFarbenDatei = QStringLiteral("farben.frb");
const QString kStyleDatei = QStringLiteral("Styledat.txt");
const QString kFarbDatei = QStringLiteral("farb.txt");
constexpr qint64 kSatz = sizeof(Tcolor1);
constexpr quint32 kWeiss = 0xFFFFFF;

// The colour the chooser showed last; colored() presets it, as a kept dialog would.
quint32 letzteFarbe = kWeiss;

QString pfad(const QString& name) {
    return Unit4::instance().pfad(name);
}

// The first record into colorx; false (colorx untouched) when missing, short or unreadable.
bool ersterSatz() {
    QFile f(pfad(kFarbenDatei));
    if (!f.open(QIODevice::ReadOnly)) return false;
    Tcolor1 tmp;
    if (f.read(reinterpret_cast<char*>(&tmp), kSatz) != kSatz) return false;
    colorx = tmp;
    return true;
}

bool schreiben(const QString& datei, const QByteArray& bytes) {
    QSaveFile f(datei);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QByteArray alsBytes(const Tcolor1& r) {
    return QByteArray(reinterpret_cast<const char*>(&r), kSatz);
}

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

Tcolor1 vorgaben() {
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

void farben_lesen() {
    if (!ersterSatz()) Farben_anlegen(colorx);
}

void Farben_anlegen(Tcolor1& record) {
    record = vorgaben();
    const bool geschrieben = schreiben(pfad(kFarbenDatei), alsBytes(record));
    // Read back without falling into Farben_anlegen again: a file that cannot be written
    // (or read) leaves the defaults in memory instead of recursing without end.
    if (!geschrieben || !ersterSatz()) colorx = record;
}

void farben_speichern() {
    const QString datei = pfad(kFarbenDatei);
    if (!QFileInfo(datei).isFile()) return;
    // Bytes behind the first record belong to the file and stay.
    QByteArray rest;
    {
        QFile f(datei);
        if (!f.open(QIODevice::ReadOnly)) return;
        if (f.size() > kSatz) {
            if (!f.seek(kSatz)) return;
            rest = f.readAll();
            if (rest.size() != f.size() - kSatz) return;
        }
    }
    schreiben(datei, alsBytes(colorx) + rest);
}

bool style_lesen() {
    QString zeile;
    QFile f(pfad(kStyleDatei));
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray b = f.readLine();
        zeile = pfl::fromCp1252(b.constData(), b.size()).trimmed();
    }
    const bool leer = zeile.isEmpty();
    Style = leer ? QStringLiteral("Windows") : zeile;
    style_aktivieren(Style);
    return leer;
}

void style_speichern() {
    schreiben(pfad(kStyleDatei), pfl::toCp1252(Style));
}

QList<quint32> eigeneFarben_lesen() {
    QList<quint32> farben(16, kWeiss);
    QFile f(pfad(kFarbDatei));
    if (!f.open(QIODevice::ReadOnly)) return farben;
    const QList<QByteArray> zeilen = f.readAll().split('\n');
    for (const QByteArray& roh : zeilen) {
        const QByteArray z = roh.trimmed();
        const int gleich = z.indexOf('=');
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

void eigeneFarben_speichern(const QList<quint32>& farben) {
    QByteArray text;
    for (int i = 0; i < 16; ++i) {
        const quint32 wert = i < farben.size() ? farben.at(i) & kWeiss : kWeiss;
        text += "Color" + QByteArray(1, char('A' + i)) + '=' +
                QByteArray::number(wert, 16).toUpper().rightJustified(6, '0') + "\r\n";
    }
    schreiben(pfad(kFarbDatei), text);
}

bool Farben_auswaehlen(quint32& colour) {
    QList<quint32> eigene = eigeneFarben_lesen();
    quint32 c = colour;
    if (!platform().chooseColour(c, eigene)) return false;
    colour = c;
    letzteFarbe = c;
    eigeneFarben_speichern(eigene);
    return true;
}

bool Farben_auswaehlen(qint32& colour) {
    quint32 c = quint32(colour);
    if (!Farben_auswaehlen(c)) return false;
    colour = qint32(c);
    return true;
}

quint32 colored() {
    quint32 c = letzteFarbe;
    abbruch = Farben_auswaehlen(c) ? 0 : 1;
    return c;
}

Schriftklasse schriftklasse(QSize bildschirm, int ppi) {
    const int w = bildschirm.width();
    const int h = bildschirm.height();
    Schriftklasse k;
    k.praefix = ppi <= 96 ? 'k' : 'g';
    int nummer = 0;
    if (w == 800 && h == 600) nummer = 800;
    if (w >= 1024 && h >= 768) nummer = 1024;
    if (w >= 1280 && h >= 1024) nummer = 1280;
    if (w >= 1600 && h >= 1200) nummer = 1600;
    k.getroffen = nummer != 0;
    k.nummer = k.getroffen ? nummer : 1280;
    return k;
}

Schriftklasse schriftklasse() {
    return schriftklasse(platform().screenSize(), platform().pixelsPerInch());
}

const Schriftsatz& schriftsatz(const Tcolor1& r, const Schriftklasse& klasse) {
    const bool g = klasse.praefix == 'g';
    switch (klasse.nummer) {
    case 800:
        return g ? r.g800 : r.k800;
    case 1024:
        return g ? r.g1024 : r.k1024;
    case 1600:
        return g ? r.g1600 : r.k1600;
    default:
        return g ? r.g1280 : r.k1280;
    }
}

Schriftsatz& schriftsatz(Tcolor1& r, const Schriftklasse& klasse) {
    return const_cast<Schriftsatz&>(schriftsatz(std::as_const(r), klasse));
}

void schriftgroessen_waehlen() {
    const Schriftklasse k = schriftklasse();
    aufloesung = k.getroffen ? 1 : 0;
    const Schriftsatz& s = schriftsatz(colorx, k);
    colorx.D_bs_ueb_schrift_groesse = s.D_bs_ueb_schrift_groesse;
    colorx.D_bs_schrift_groesse = s.D_bs_schrift_groesse;
}

Schriftwahl listenschrift() {
    const Schriftklasse k = schriftklasse();
    aufloesung = k.getroffen ? 1 : 0;
    const Schriftsatz& s = schriftsatz(colorx, k);
    return {s.grid_s.toQString(), s.grid_g};
}

} // namespace Farben
