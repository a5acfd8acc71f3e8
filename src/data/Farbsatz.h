// SPDX-License-Identifier: GPL-3.0-or-later
// The colour and font record of farben.frb and its font class blocks, byte for byte.
#pragma once

#include "data/Records.h"

#include <cstddef>

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
