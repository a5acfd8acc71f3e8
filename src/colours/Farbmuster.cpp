// SPDX-License-Identifier: GPL-3.0-or-later
// TFarbe's two sample tables: their contents, colours and the text of the highlighted cells.
#include "colours/Farbdialog.h"

#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "grid/FilterGrid.h"
#include "grid/Tabellenfarben.h"
#include "platform/Farbwert.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A data cell the grid shows highlighted: the current row of a table that selects whole rows, the
// focused cell, or a selected one (the grid paints those in the selected-row colour).
bool markiert(const TFilterGrid& g, int aCol, int aRow, TGridDrawState state) {
    if (aRow < g.FixedRows() || aCol < g.FixedCols()) return false;
    return ((g.Options() & goRowSelect) && aRow == g.Row()) || (state & (gdFocused | gdSelected));
}

// The sample shows the chosen text colour as it is, readable or not.
void schriftFarbe(QPainter& can, qint32 farbe) {
    can.setPen(pfl::alsFarbe(farbe));
}

} // namespace

void TFarbe::musterFuellen() {
    // The sample of the overview: five headings and one recipe.
    TFilterGrid& g = *m_muster1;
    g.BeginUpdate();
    g.setColCount(5);
    g.setRowCount(2);
    g.setFixedRows(1);
    const QStringList titel{QStringLiteral(" Gericht"), QStringLiteral("Pers./Port."),
                            QStringLiteral("Kosten"), QStringLiteral("Zubereitungszeit"),
                            QStringLiteral("Kochzeit")};
    const QStringList zeile{QStringLiteral("Nudeln"), QStringLiteral("4"), QStringLiteral("5,50 €"),
                            QStringLiteral("20"), QStringLiteral("15")};
    for (int col = 0; col < 5; ++col) {
        g.setColWidths(col, 0);
        g.setCells(col, 0, titel.at(col));
        g.setCells(col, 1, zeile.at(col));
    }
    g.EndUpdate();
    // The sample of the listing tables.
    TFilterGrid& h = *m_muster2;
    h.BeginUpdate();
    h.setColCount(4);
    h.setRowCount(8);
    h.setFixedRows(1);
    h.setFixedCols(1);
    const QStringList anzahl{QStringLiteral("Anzahl"), QStringLiteral("   1"), QStringLiteral("   2"),
                             QStringLiteral("   3")};
    for (int r = 0; r < anzahl.size(); ++r)
        h.setCells(0, r, anzahl.at(r));
    h.setCells(1, 0, QStringLiteral("Über"));
    h.setCells(2, 0, QStringLiteral("Schrift"));
    for (const QPoint& z : {QPoint(1, 1), QPoint(2, 1), QPoint(3, 1), QPoint(1, 2), QPoint(2, 2)})
        h.setCells(z.x(), z.y(), QStringLiteral("Farbe"));
    h.EndUpdate();
    for (TFilterGrid* t : {m_muster1, m_muster2})
        t->setSortierenEd(false);
}

void TFarbe::FilterGrid1RowColorProc(TFilterGrid& g, QPainter& can, int aCol, int aRow,
                                     TGridDrawState state) {
    const Tcolor1& c = farben().colorx;
    const bool kopf = aRow < g.FixedRows();
    QFont f = can.font();
    f.setFamily(kopf ? c.D_bs_ueb_schrift.toQString() : c.D_bs_schrift.toQString());
    can.setFont(f);
    if (kopf)
        schriftFarbe(can, c.D_bs_ueb_font);
    else if (markiert(g, aCol, aRow, state))
        schriftFarbe(can, c.String_box_mark_Row_font);
    else
        schriftFarbe(can, c.D_bs_pan_font);
}

void TFarbe::FilterGrid2RowColorProc(TFilterGrid& g, QPainter& can, int aCol, int aRow,
                                     TGridDrawState state) {
    if (markiert(g, aCol, aRow, state)) schriftFarbe(can, farben().colorx.String_box_mark_Row_font);
}

void TFarbe::Farben_setzen() {
    const Tcolor1& c = farben().colorx;
    TFilterGrid& g = *m_muster1;
    pfl::tabelleFaerben(g, c, pfl::Tabellenart::Uebersicht);
    for (int col = 0; col < g.ColCount(); ++col)
        NewColFeatures(g, col, TextFlag::Mitte, TextFlag::Mitte, pfl::farbwert(c.D_bs_pan),
                       pfl::farbwert(c.D_bs_pan_font), pfl::farbwert(c.D_bs_ueb),
                       pfl::farbwert(c.D_bs_ueb_font), c.D_bs_schrift_groesse, c.D_bs_ueb_schrift_groesse,
                       c.D_bs_schrift.toQString(), c.D_bs_ueb_schrift.toQString());
    g.ColInfo_Set(-1);
    g.ColSetMaxWidths(false, false, false);
    g.viewport()->update();
}

void TFarbe::Farben_setzen1() {
    // The gradient end is not touched here: the page takes end_gradient1 when it is chosen, and the
    // data-area panel may change the sample's end on its own.
    const Tcolor1& c = farben().colorx;
    TFilterGrid& g = *m_muster2;
    pfl::tabelleFaerben(g, c, pfl::Tabellenart::Liste, pfl::Endfarbe::Behalten);
    // The data font as the listings take it: that of the screen's font class.
    const pfl::Schriftwahl daten = pfl::listenschrift(farben(), plattform());
    for (int col = 0; col < g.ColCount(); ++col)
        NewColFeatures(g, col, TextFlag::Mitte, TextFlag::Mitte, pfl::farbwert(c.String_box),
                       pfl::farbwert(c.String_box_font), pfl::farbwert(c.String_box_ueb),
                       pfl::farbwert(c.String_box_ueb_Font), daten.groesse, c.ue_grid_g, daten.name,
                       c.ue_grid_s.toQString());
    g.ColInfo_Set(-1);
    g.viewport()->update();
}

bool TFarbe::eventFilter(QObject* o, QEvent* e) {
    if (o == m_datenFeld1 && e->type() == QEvent::MouseButtonRelease && m_datenFeld1->isEnabled()) {
        const auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && m_datenFeld1->rect().contains(m->position().toPoint())) {
            datenbereichClick();
            return true;
        }
    }
    return Nebenfenster::eventFilter(o, e);
}

void TFarbe::datenbereichClick() {
    TFilterGrid& g = *m_muster2;
    qint32 farbe = qint32(g.GradientEndColor());
    if (!pfl::Farben_auswaehlen(farben(), plattform(), farbe)) return;
    if (g.DrawingStyle() == TGridDrawingStyle::gdsGradient) g.setGradientEndColor(pfl::farbwert(farbe));
    // The panel has always set the main table's end colour from this sample; the listing tables
    // keep theirs (end_gradient1, "Endfarbe wählen").
    farben().colorx.end_gradient = qint32(g.GradientEndColor());
    geaendert();
}
