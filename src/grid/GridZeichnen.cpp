// SPDX-License-Identifier: GPL-3.0-or-later
// Painting of TFilterGrid: every cell goes through DrawCell, the sort triangle through PaintIcon.
#include "platform/Farbwert.h"
#include "grid/GridIntern.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>
#include <algorithm>

using pfl::alsFarbe;

namespace pfl::gitter {

int qtFlags(int f) {
    int q = (f & 3) == 1 ? Qt::AlignHCenter : (f & 3) == 2 ? Qt::AlignRight : Qt::AlignLeft;
    if (f & TextFlag::SingleLine) {
        q |= Qt::TextSingleLine;
        q |= (f & 4) ? Qt::AlignVCenter : (f & 8) ? Qt::AlignBottom : Qt::AlignTop;
    } else {
        q |= Qt::AlignTop;
        if (f & TextFlag::WordBreak) q |= Qt::TextWordWrap;
    }
    return q;
}

} // namespace pfl::gitter

namespace {

// The platform's highlight of a hot heading: 19 luminance units (of 240) lighter.
QColor aufhellen(const QColor& c) {
    QColor h = c.toHsl();
    return QColor::fromHsl(h.hslHue(), h.hslSaturation(), std::min(255, h.lightness() + 19 * 255 / 240));
}

} // namespace

void TGridDelegate::paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& i) const {
    p->save();
    p->setClipRect(opt.rect);
    grid->DrawCell(i.column(), i.row() + grid->versatz(), opt.rect,
                   grid->zustand(i, opt.state & QStyle::State_Selected), *p);
    p->restore();
}

QSize TGridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& i) const {
    return QSize(grid->ColWidths(i.column()), grid->RowHeights(i.row() + grid->versatz()));
}

void TSortIcon::PaintIcon(const TFilterGrid& grd, QPainter& p, const QRect& rect, const TSortDat& sd) const {
    const int h = grd.RowHeights(0) / (5 - int(Size));
    const int x = rect.left() + rect.width() - 2;
    const int y = rect.top() + 2;
    QPolygon dreieck;
    if (sd.Dir == sdAufsteigend)
        dreieck << QPoint(x, y + h) << QPoint(x - h / 2, y) << QPoint(x - h, y + h);
    else
        dreieck << QPoint(x, y) << QPoint(x - h / 2, y + h) << QPoint(x - h, y);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(p.pen().color(), 1));
    if (Style == siStyle_Fill)
        p.setBrush(p.pen().color());
    else
        p.setBrush(Qt::NoBrush);
    p.drawPolygon(dreieck);
    p.restore();
}

TGridDrawState TFilterGrid::zustand(const QModelIndex& i, bool selected) const {
    const int r = i.row() + versatz();
    if (i.column() < m_fixedCols || r < m_fixedRows) return gdFixed;
    TGridDrawState st;
    if (selected) {
        st |= gdSelected;
        if (m_options & goRowSelect) st |= gdRowSelected;
    }
    if (hasFocus() && i == currentIndex()) st |= gdFocused;
    return st;
}

void TFilterGrid::spaeterGroesse(bool zeile, int nr, int wert) {
    // Sizes change after painting, never inside it.
    (zeile ? m_spaeterZeilen : m_spaeterSpalten)[nr] = wert;
    if (m_spaeterGeplant) return;
    m_spaeterGeplant = true;
    QTimer::singleShot(0, this, [this] {
        m_spaeterGeplant = false;
        const auto zeilen = std::exchange(m_spaeterZeilen, {});
        const auto spalten = std::exchange(m_spaeterSpalten, {});
        for (auto it = zeilen.begin(); it != zeilen.end(); ++it)
            if (it.value() > RowHeights(it.key())) setRowHeights(it.key(), it.value());
        for (auto it = spalten.begin(); it != spalten.end(); ++it)
            if (it.value() > ColWidths(it.key())) setColWidths(it.key(), it.value());
    });
}

void TFilterGrid::DrawCell(int aCol, int aRow, const QRect& rect, TGridDrawState state, QPainter& p) {
    // The brush every cell starts from and returns to is the grid's colour.
    const QColor merkBrush = alsFarbe(m_color);
    QColor gStart = alsFarbe(m_gradientStart), gEnd = alsFarbe(m_gradientEnd);
    bool alleZellen = m_gradientToAllCells;
    QFont f = font();
    QColor schrift = alsFarbe(m_fontColor);
    QColor pinsel = merkBrush;

    const QString zelle = Cells(aCol, aRow);
    const QString abstand(m_distance, QLatin1Char(' '));
    QString text =
        (!zelle.isEmpty() && zelle.at(0).unicode() < 32) ? QStringLiteral(" ") : abstand + zelle + abstand;
    int ausr = TextFlag::Links;
    const bool kopf = aRow < m_fixedRows;
    const bool fest = kopf || aCol < m_fixedCols;
    const TColInfo* ci = ColInfo(aCol);
    const TSortDat* sd = (kopf && ci && m_sortIcon.Show) ? GetSortDat(aCol) : nullptr;
    if (ci && kopf) {
        if (ci->TitFont) {
            f = ci->TitFont->font;
            schrift = alsFarbe(ci->TitFont->Color);
        }
        ausr = ci->TitAlign;
        pinsel = alsFarbe(ci->TitColor);
        if (sd) {
            text += m_sortIcon.SizeStr();
            const int noetig = QFontMetrics(f).horizontalAdvance(text);
            if (noetig > ColWidths(aCol)) {
                spaeterGroesse(false, aCol, noetig);
                return;
            }
        }
    } else if (ci) {
        if (ci->DatFont) {
            f = ci->DatFont->font;
            schrift = alsFarbe(ci->DatFont->Color);
        }
        ausr = ci->DatAlign;
        if (!state || (state & gdFixed)) {
            pinsel = alsFarbe(ci->DatColor);
        } else {
            schrift = alsFarbe(0xFF000005);
            if (state & gdSelected) pinsel = alsFarbe(m_selectRowColor);
        }
    } else {
        pinsel = alsFarbe(aCol == m_fixedCols - 1 ? m_fixedColor : m_color);
        if (state & gdSelected) {
            pinsel = alsFarbe(m_selectRowColor);
            schrift = QColor(255 - schrift.red(), 255 - schrift.green(), 255 - schrift.blue());
        }
    }
    p.setFont(f);
    p.setPen(schrift);
    p.setBrush(pinsel);
    if (RowColorProc) {
        RowColorProc(*this, ausr, p, aCol, aRow, state);
        const QColor neu = p.brush().style() == Qt::NoBrush ? pinsel : p.brush().color();
        if (aCol <= m_fixedCols && neu != merkBrush) alleZellen = true;
        if (fest && neu != pinsel) {
            gStart = neu;
            gEnd = AddEndColor(neu);
        }
        pinsel = neu;
        f = p.font();
        schrift = p.pen().color();
    } else if (aCol <= m_fixedCols && pinsel != merkBrush) {
        alleZellen = true;
    }
    if (ausr & TextFlag::WordBreak)
        text = Trim(RestoreEtToText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const int qf = pfl::gitter::qtFlags(ausr);
    const int gemessen = QFontMetrics(f).boundingRect(rect, qf, text).height();
    const int zeilenHoehe = RowHeights(aRow);
    if (gemessen > zeilenHoehe) spaeterGroesse(true, aRow, gemessen);
    const QRect r(rect.left(), rect.top(), rect.width(), std::max(gemessen, rect.height()));

    // Background: flat, or a vertical gradient for headings (and all cells when asked).
    if (m_drawingStyle != TGridDrawingStyle::gdsGradient || (!fest && !alleZellen)) {
        p.fillRect(r, pinsel);
    } else {
        QRect g = r;
        if (!(m_options & goFixedVertLine)) g.setRight(g.right() + 1);
        if (!(m_options & goFixedHorzLine)) g.setBottom(g.bottom() + 1);
        QColor oben, unten;
        if (alleZellen) {
            oben = pinsel;
            unten = AddEndColor(pinsel);
        } else {
            oben = gStart;
            unten = gEnd;
            if (state & gdPressed) std::swap(oben, unten);
            if (state & gdHotTrack) {
                oben = aufhellen(oben);
                unten = aufhellen(unten);
            }
        }
        QLinearGradient lg(g.topLeft(), g.bottomLeft());
        lg.setColorAt(0, oben);
        lg.setColorAt(1, unten);
        p.fillRect(g, lg);
    }
    p.setPen(schrift);
    p.setFont(f);
    p.drawText(r, qf, text);
    if (sd) m_sortIcon.PaintIcon(*this, p, rect, *sd);
}
