// The colour and font scheme (farben.frb), the style name (Styledat.txt) and the colour
// chooser's custom colours (farb.txt), with the font presets chosen by screen class.
#pragma once

#include "data/Records.h"

#include <QList>
#include <QSize>
#include <QString>

#pragma pack(push, 1)

// One font class block; the record's k800_D_bs_schrift is k800.D_bs_schrift, and so on.
struct Schriftsatz {
    ShortString<20> D_bs_schrift;
    ShortString<20> D_bs_ueb_schrift;
    ShortString<20> ue_grid_s;
    ShortString<20> grid_s;
    qint32 D_bs_schrift_groesse;
    qint32 D_bs_ueb_schrift_groesse;
    qint32 ue_grid_g;
    qint32 grid_g;
};

// The colour and font record; farben.frb holds exactly one.
struct Tcolor1 {
    qint32 H_bs_hg;
    qint32 D_bs_umr_inn;
    qint32 D_bs_umr_aus;
    qint32 D_bs_ueb;
    qint32 D_bs_ueb_font;
    qint32 D_bs_pan;
    qint32 D_bs_pan_font;
    qint32 D_bs_pan_alarm;
    qint32 D_bs_fa;
    qint32 D_bs_fa_font;
    qint32 menuebar;
    qint32 form_umr;
    qint32 listb;
    qint32 listb_font;
    qint32 String_box_sum;
    qint32 String_box_mark_Row;
    qint32 String_box_mark_Row_font;
    qint32 String_box;
    qint32 String_box_ueb;
    qint32 String_box_font;
    qint32 String_box_ueb_Font;
    ShortString<30> fa2_s;
    ShortString<30> rue_s;
    ShortString<30> list_s;
    ShortString<30> ue_chart_s;
    ShortString<30> chart_s;
    quint8 gap239;
    qint32 fa2_g;
    qint32 rue_g;
    qint32 ueb_g;
    qint32 list_g;
    qint32 ue_chart_g;
    qint32 chart_g;
    qint32 chart_umr;
    qint32 chart_Hg;
    qint32 chart_li;
    qint32 chart_bo;
    qint32 chart_balken_p;
    qint32 chart_balken_n;
    qint32 chart_font_l_u;
    qint32 chart_font_ueber;
    qint32 bmi18;
    qint32 bmi20;
    qint32 bmi25;
    qint32 bmi30;
    qint32 bmi40;
    Schriftsatz k800, g800, k1024, g1024, k1280, g1280, k1600, g1600;
    qint32 ue_grid_g;
    qint32 grid_g;
    ShortString<20> ue_grid_s;
    ShortString<20> grid_s;
    quint8 gap1166[2];
    qint32 D_bs_ueb_schrift_groesse;
    qint32 D_bs_schrift_groesse;
    ShortString<20> D_bs_ueb_schrift;
    ShortString<20> D_bs_schrift;
    quint8 gap1218[2];
    qint32 long1, long2, long3, long4, long5, long6, long7, long8, long9, long10;
    qint32 Int1, Int2, Int3, Int4, Int5, Int6, Int7, Int8, Int9, Int10;
    qint32 f_b_haupt;
    qint32 l_int1, l_int2, l_int3, l_int4, l_int5, l_int6, l_int7, l_int8, l_int9, l_int10;
    ShortString<50> hg_bild;
    ShortString<50> str1, str2, str3, str4, str5, str6, str7, str8, str9, str10;
    quint8 gap1905[3];
    qint32 end_gradient;
    qint32 end_gradient1;
    qint32 draw_style;
    qint32 draw_style1;
    qint32 cell_style;
    qint32 cell_style1;
    quint8 gap1932[4];
    double Doub1, Doub2, Doub3, Doub4, Doub5;
};

#pragma pack(pop)

static_assert(sizeof(Schriftsatz) == 100);
static_assert(offsetof(Schriftsatz, D_bs_ueb_schrift) == 21 && offsetof(Schriftsatz, ue_grid_s) == 42);
static_assert(offsetof(Schriftsatz, grid_s) == 63 && offsetof(Schriftsatz, D_bs_schrift_groesse) == 84);
static_assert(offsetof(Schriftsatz, D_bs_ueb_schrift_groesse) == 88);
static_assert(offsetof(Schriftsatz, ue_grid_g) == 92 && offsetof(Schriftsatz, grid_g) == 96);

static_assert(sizeof(Tcolor1) == 1976);
static_assert(offsetof(Tcolor1, H_bs_hg) == 0 && offsetof(Tcolor1, D_bs_umr_inn) == 4);
static_assert(offsetof(Tcolor1, D_bs_umr_aus) == 8 && offsetof(Tcolor1, D_bs_ueb) == 12);
static_assert(offsetof(Tcolor1, D_bs_ueb_font) == 16 && offsetof(Tcolor1, D_bs_pan) == 20);
static_assert(offsetof(Tcolor1, D_bs_pan_font) == 24 && offsetof(Tcolor1, D_bs_pan_alarm) == 28);
static_assert(offsetof(Tcolor1, D_bs_fa) == 32 && offsetof(Tcolor1, D_bs_fa_font) == 36);
static_assert(offsetof(Tcolor1, menuebar) == 40 && offsetof(Tcolor1, form_umr) == 44);
static_assert(offsetof(Tcolor1, listb) == 48 && offsetof(Tcolor1, listb_font) == 52);
static_assert(offsetof(Tcolor1, String_box_sum) == 56 && offsetof(Tcolor1, String_box_mark_Row) == 60);
static_assert(offsetof(Tcolor1, String_box_mark_Row_font) == 64 && offsetof(Tcolor1, String_box) == 68);
static_assert(offsetof(Tcolor1, String_box_ueb) == 72 && offsetof(Tcolor1, String_box_font) == 76);
static_assert(offsetof(Tcolor1, String_box_ueb_Font) == 80 && offsetof(Tcolor1, fa2_s) == 84);
static_assert(offsetof(Tcolor1, rue_s) == 115 && offsetof(Tcolor1, list_s) == 146);
static_assert(offsetof(Tcolor1, ue_chart_s) == 177 && offsetof(Tcolor1, chart_s) == 208);
static_assert(offsetof(Tcolor1, gap239) == 239 && offsetof(Tcolor1, fa2_g) == 240);
static_assert(offsetof(Tcolor1, rue_g) == 244 && offsetof(Tcolor1, ueb_g) == 248);
static_assert(offsetof(Tcolor1, list_g) == 252 && offsetof(Tcolor1, ue_chart_g) == 256);
static_assert(offsetof(Tcolor1, chart_g) == 260 && offsetof(Tcolor1, chart_umr) == 264);
static_assert(offsetof(Tcolor1, chart_Hg) == 268 && offsetof(Tcolor1, chart_li) == 272);
static_assert(offsetof(Tcolor1, chart_bo) == 276 && offsetof(Tcolor1, chart_balken_p) == 280);
static_assert(offsetof(Tcolor1, chart_balken_n) == 284 && offsetof(Tcolor1, chart_font_l_u) == 288);
static_assert(offsetof(Tcolor1, chart_font_ueber) == 292 && offsetof(Tcolor1, bmi18) == 296);
static_assert(offsetof(Tcolor1, bmi20) == 300 && offsetof(Tcolor1, bmi25) == 304);
static_assert(offsetof(Tcolor1, bmi30) == 308 && offsetof(Tcolor1, bmi40) == 312);
static_assert(offsetof(Tcolor1, k800) == 316 && offsetof(Tcolor1, g800) == 416);
static_assert(offsetof(Tcolor1, k1024) == 516 && offsetof(Tcolor1, g1024) == 616);
static_assert(offsetof(Tcolor1, k1280) == 716 && offsetof(Tcolor1, g1280) == 816);
static_assert(offsetof(Tcolor1, k1600) == 916 && offsetof(Tcolor1, g1600) == 1016);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, D_bs_ueb_schrift) == 337);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, ue_grid_s) == 358);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, grid_s) == 379);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, D_bs_schrift_groesse) == 400);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, D_bs_ueb_schrift_groesse) == 404);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, ue_grid_g) == 408);
static_assert(offsetof(Tcolor1, k800) + offsetof(Schriftsatz, grid_g) == 412);
static_assert(offsetof(Tcolor1, ue_grid_g) == 1116 && offsetof(Tcolor1, grid_g) == 1120);
static_assert(offsetof(Tcolor1, ue_grid_s) == 1124 && offsetof(Tcolor1, grid_s) == 1145);
static_assert(offsetof(Tcolor1, gap1166) == 1166 && offsetof(Tcolor1, D_bs_ueb_schrift_groesse) == 1168);
static_assert(offsetof(Tcolor1, D_bs_schrift_groesse) == 1172 && offsetof(Tcolor1, D_bs_ueb_schrift) == 1176);
static_assert(offsetof(Tcolor1, D_bs_schrift) == 1197 && offsetof(Tcolor1, gap1218) == 1218);
static_assert(offsetof(Tcolor1, long1) == 1220 && offsetof(Tcolor1, long10) == 1256);
static_assert(offsetof(Tcolor1, Int1) == 1260 && offsetof(Tcolor1, Int10) == 1296);
static_assert(offsetof(Tcolor1, f_b_haupt) == 1300 && offsetof(Tcolor1, l_int1) == 1304);
static_assert(offsetof(Tcolor1, l_int10) == 1340 && offsetof(Tcolor1, hg_bild) == 1344);
static_assert(offsetof(Tcolor1, str1) == 1395 && offsetof(Tcolor1, str2) == 1446);
static_assert(offsetof(Tcolor1, str10) == 1854 && offsetof(Tcolor1, gap1905) == 1905);
static_assert(offsetof(Tcolor1, end_gradient) == 1908 && offsetof(Tcolor1, end_gradient1) == 1912);
static_assert(offsetof(Tcolor1, draw_style) == 1916 && offsetof(Tcolor1, draw_style1) == 1920);
static_assert(offsetof(Tcolor1, cell_style) == 1924 && offsetof(Tcolor1, cell_style1) == 1928);
static_assert(offsetof(Tcolor1, gap1932) == 1932 && offsetof(Tcolor1, Doub1) == 1936);
static_assert(offsetof(Tcolor1, Doub5) == 1968);

// The screen's font class: prefix 'k' (at most 96 pixels per inch) or 'g', and 800, 1024,
// 1280 or 1600; getroffen is false when no size rule matched and 1280 was taken.
struct Schriftklasse {
    char praefix = 'k';
    int nummer = 1280;
    bool getroffen = false;
    QString name() const { return QLatin1Char(praefix) + QString::number(nummer); }
};

// A table font: family name and size in points.
struct Schriftwahl {
    QString name;
    int groesse = 0;
};

namespace Farben {

// Module state.
extern Tcolor1 colorx;
extern QString Style;  // the active style name
extern int abbruch;    // 1 when the user cancelled the chooser in colored()
extern int aufloesung; // 1 when the last font class choice matched a size rule

// The file routines work in Unit4::instance().lpf and fail silently.
void farben_lesen();
void Farben_anlegen(Tcolor1& record);
void farben_speichern();
// Every default of the scheme, reserved fields and gaps zero.
Tcolor1 vorgaben();

// Reads Styledat.txt into Style ("Windows" when empty or missing) and activates it.
// Returns true when the file named no style, so the colour dialog can enable its pages;
// maximising the main window is the caller's part.
bool style_lesen();
void style_speichern();

// The colour chooser with the custom colours of farb.txt; the colour is a stored value.
bool Farben_auswaehlen(quint32& colour);
bool Farben_auswaehlen(qint32& colour);
// The chooser preset with the colour it last gave; sets abbruch and returns the chosen
// colour (the previous one when cancelled).
quint32 colored();
// The sixteen custom colours of farb.txt (white where the file or a line is missing);
// and writing them back.
QList<quint32> eigeneFarben_lesen();
void eigeneFarben_speichern(const QList<quint32>& farben);

// Font class by screen size and density; the no-argument form asks the platform.
Schriftklasse schriftklasse(QSize bildschirm, int ppi);
Schriftklasse schriftklasse();
// The block of a class in a record; an unknown class number gives the 1280 block.
Schriftsatz& schriftsatz(Tcolor1& record, const Schriftklasse& klasse);
const Schriftsatz& schriftsatz(const Tcolor1& record, const Schriftklasse& klasse);
// Copies the heading and data font sizes of the screen's class into
// colorx.D_bs_ueb_schrift_groesse and D_bs_schrift_groesse; sets aufloesung.
void schriftgroessen_waehlen();
// The listing tables' data font (_grid_s, _grid_g) of the screen's class; sets aufloesung.
Schriftwahl listenschrift();

} // namespace Farben
