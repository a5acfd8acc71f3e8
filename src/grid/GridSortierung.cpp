// SPDX-License-Identifier: GPL-3.0-or-later
// The heading row of TFilterGrid and sorting by a click on it, with the sort keys of each type.
#include "data/Deutsch.h"
#include "grid/GridIntern.h"
#include "grid/SortSchluessel.h"

#include <QCollator>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

using pfl::gitter::kEt;
using pfl::gitter::kRTz;

// --- heading row ---------------------------------------------------------------------------------

TGridHeader::TGridHeader(TFilterGrid* g) : QHeaderView(Qt::Horizontal, g), grid(g) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(1);
    setDefaultSectionSize(64);
    setMouseTracking(true);
}

QSize TGridHeader::sizeHint() const {
    return QSize(QHeaderView::sizeHint().width(), grid->m_rowHeight0);
}

void TGridHeader::paintSection(QPainter* p, const QRect& rect, int logical) const {
    if (!rect.isValid()) return;
    TGridDrawState st = gdFixed;
    if (logical == heisse) st |= gdHotTrack;
    if (logical == gedrueckt) st |= gdPressed;
    const TGridOptions o = grid->Options();
    QRect zelle = rect;
    if (o & goFixedVertLine) zelle.setRight(zelle.right() - 1);
    if (o & goFixedHorzLine) zelle.setBottom(zelle.bottom() - 1);
    p->save();
    p->setClipRect(rect);
    grid->DrawCell(logical, 0, zelle, st, *p);
    p->restore();
    const QColor linie = QColor::fromRgba(quint32(style()->styleHint(QStyle::SH_Table_GridLineColor)));
    p->save();
    p->setPen(linie);
    if (o & goFixedVertLine) p->drawLine(rect.topRight(), rect.bottomRight());
    if (o & goFixedHorzLine) p->drawLine(rect.bottomLeft(), rect.bottomRight());
    p->restore();
}

void TGridHeader::mousePressEvent(QMouseEvent* e) {
    QHeaderView::mousePressEvent(e);
    const int x = e->position().toPoint().x();
    const int l = logicalIndexAt(x);
    if (l >= 0 && x >= sectionViewportPosition(l) + 3 && x < sectionViewportPosition(l) + sectionSize(l) - 3)
        gedrueckt = l;
    viewport()->update();
    weiter(e, true);
}

void TGridHeader::mouseReleaseEvent(QMouseEvent* e) {
    QHeaderView::mouseReleaseEvent(e);
    gedrueckt = -1;
    viewport()->update();
    weiter(e, false);
}

void TGridHeader::mouseMoveEvent(QMouseEvent* e) {
    QHeaderView::mouseMoveEvent(e);
    const int l = logicalIndexAt(e->position().toPoint().x());
    if (l != heisse) {
        heisse = l;
        viewport()->update();
    }
}

void TGridHeader::leaveEvent(QEvent* e) {
    QHeaderView::leaveEvent(e);
    heisse = -1;
    viewport()->update();
}

void TGridHeader::weiter(QMouseEvent* e, bool druck) {
    const QPoint g = viewport()->mapTo(grid, e->position().toPoint());
    if (druck)
        grid->MouseDown(e->button(), e->modifiers(), g.x(), g.y());
    else
        grid->MouseUp(e->button(), e->modifiers(), g.x(), g.y());
}

// --- sort keys -----------------------------------------------------------------------------------

namespace {

// Text of a date value as "yyyymmddhhnnss"; the empty date gives fourteen zeros.
QString datumSchluessel(double w) {
    if (w <= kKeinDatum) return QStringLiteral("00000000000000");
    const double tage = std::floor(w);
    const qint64 ms = qRound64((w - tage) * 86400000.0);
    QDateTime dt(QDate(1899, 12, 30).addDays(qint64(tage)), QTime(0, 0));
    dt = dt.addMSecs(ms);
    return dt.toString(QStringLiteral("yyyyMMddhhmmss"));
}

// Key of a number: "0.0000" with a decimal comma, no thousands separators, padded with "0" to 15
// characters; a negative value is a space and v + 10^9 padded to 14.
QString zahlSchluessel(double v) {
    char puffer[420];
    char* p = puffer + 20;
    const int breite = v < 0 ? 14 : 15;
    if (v < 0) v += 1000000000.0;
    const auto [ende, fehler] = std::to_chars(p, puffer + sizeof puffer, v, std::chars_format::fixed, 4);
    if (fehler != std::errc()) return QString::number(v);
    for (char* z = p; z != ende; ++z)
        if (*z == '.') *z = ',';
    while (ende - p < breite)
        *--p = '0';
    if (breite == 14) *--p = ' ';
    return QString::fromLatin1(p, ende - p);
}

} // namespace

// --- sorting -------------------------------------------------------------------------------------

const TSortDat* TFilterGrid::GetSortDat(int aCol) const {
    for (const TSortDat& d : m_sortFdLst)
        if (d.Col == aCol) return &d;
    return nullptr;
}

bool TFilterGrid::DeleteSortDat(int aCol) {
    if (aCol == -1) {
        const bool war = !m_sortFdLst.isEmpty();
        m_sortFdLst.clear();
        return war;
    }
    for (qsizetype i = 0; i < m_sortFdLst.size(); ++i)
        if (m_sortFdLst[i].Col == aCol) {
            m_sortFdLst.removeAt(i);
            return true;
        }
    return false;
}

void TFilterGrid::ColsNrToSortFdLst(const QString& colsNr, bool sortAufw, QList<TSortDat>& fdLst) const {
    QString rest = colsNr;
    while (!rest.isEmpty()) {
        const QString teil = NextParamStr(u";", rest);
        if (Trim(teil).isEmpty()) continue;
        TSortDat d;
        d.Col = StrToFormInt(teil);
        if (const TColInfo* ci = ColInfo(d.Col)) d.Typ = ci->Typ;
        d.Dir = sortAufw ? sdAufsteigend : sdAbsteigend;
        fdLst.append(d);
    }
}

QString TFilterGrid::FormSortStr(const TSortDat& f, int aRow) const {
    const QString zelle = Cells(f.Col, aRow);
    const char typ = f.Typ.toLatin1();
    if (typ == 'M')
        return (zelle == QStringLiteral("\t") ? QStringLiteral("J") : QStringLiteral("N")).leftJustified(15);
    QString t = Trim(zelle);
    if (IsWordBreakInColInfo(f.Col)) t = ClearEtFromText(t);
    switch (typ) {
    case 'C':
    case 'F':
    case 'I': {
        return zahlSchluessel(pfl::zahlImText(t));
    }
    case 'D':
    case 'T':
    case 'd': {
        if (t.isEmpty()) return datumSchluessel(kKeinDatum);
        double w = 0;
        if (!StrToFormDateTime(t, w)) return t;
        return datumSchluessel(w);
    }
    default:
        return t.leftJustified(15);
    }
}

std::vector<int> TFilterGrid::sortierOrdnung(const QList<TSortDat>& felder) const {
    const int fr = m_fixedRows;
    const int n = std::max(RowCount() - fr, 0);
    std::vector<int> ordnung(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        ordnung[size_t(i)] = i;
    // Sort strings: the keys, the row index with at least six digits and "«"; unique, so no ties.
    auto indexText = [](int zeile, QChar* z) {
        int stellen = 0;
        char ziffern[12];
        for (int w = zeile; w > 0 || stellen < 6; w /= 10)
            ziffern[stellen++] = char('0' + w % 10);
        for (int k = 0; k < stellen; ++k)
            z[k] = QLatin1Char(ziffern[stellen - 1 - k]);
        z[stellen] = kRTz;
        return stellen + 1;
    };
    // Byte keys from the character table where every string allows it, else the collator's keys.
    std::string puffer;
    std::vector<size_t> ab(size_t(n) + 1, 0);
    bool schnell = true;
    QChar index[16];
    for (int i = 0; i < n && schnell; ++i) {
        for (const TSortDat& f : felder)
            schnell = schnell && pfl::schnellSchluessel(FormSortStr(f, fr + i), puffer);
        schnell = schnell && pfl::schnellSchluessel(QStringView(index, indexText(fr + i, index)), puffer);
        ab[size_t(i) + 1] = puffer.size();
    }
    if (schnell) {
        const char* d = puffer.data();
        std::sort(ordnung.begin(), ordnung.end(), [&](int x, int y) {
            const size_t lx = ab[size_t(x) + 1] - ab[size_t(x)], ly = ab[size_t(y) + 1] - ab[size_t(y)];
            const int v = std::memcmp(d + ab[size_t(x)], d + ab[size_t(y)], std::min(lx, ly));
            return v != 0 ? v < 0 : lx < ly;
        });
        return ordnung;
    }
    const QCollator& coll = pfl::deutscheSortierung();
    std::vector<QCollatorSortKey> schluessel;
    schluessel.reserve(size_t(n));
    QString text;
    for (int i = 0; i < n; ++i) {
        text.clear();
        for (const TSortDat& f : felder)
            text += FormSortStr(f, fr + i);
        text.append(index, indexText(fr + i, index));
        schluessel.push_back(coll.sortKey(text));
    }
    std::sort(ordnung.begin(), ordnung.end(),
              [&](int x, int y) { return schluessel[size_t(x)].compare(schluessel[size_t(y)]) < 0; });
    return ordnung;
}

void TFilterGrid::Sortiere(const QString& colNrStr, bool toRow, bool sortAufw, int) {
    m_sortFdLst.clear();
    ColsNrToSortFdLst(colNrStr, sortAufw, m_sortFdLst);
    m_header->viewport()->update();
    const int fr = m_fixedRows;
    if (RowCount() - fr <= 0 || m_sortFdLst.isEmpty()) return;
    std::vector<int> ordnung = sortierOrdnung(m_sortFdLst);
    if (!sortAufw) std::reverse(ordnung.begin(), ordnung.end());
    const int merkZeile = (toRow && Row() >= fr) ? Row() - fr : -1;
    int neueZeile = -1;
    for (size_t i = 0; i < ordnung.size(); ++i)
        if (ordnung[i] == merkZeile) neueZeile = fr + int(i);
    if (m_model->quelle) {
        // Rows of a source (below the held fixed rows) move by their order only.
        std::vector<int> neu(ordnung.size());
        for (size_t i = 0; i < ordnung.size(); ++i)
            neu[i] = m_model->ordnung[size_t(ordnung[i])];
        m_model->ordnung = std::move(neu);
    } else {
        std::vector<QStringList> neu(ordnung.size());
        for (size_t i = 0; i < ordnung.size(); ++i)
            neu[i] = std::move(m_model->zeilen[size_t(fr + ordnung[i])]);
        std::move(neu.begin(), neu.end(), m_model->zeilen.begin() + fr);
    }
    m_model->alleGeaendert();
    if (neueZeile >= 0) {
        m_changeMode = false;
        setzeAktuell(Col(), neueZeile, false);
        m_changeMode = true;
    }
}

void TFilterGrid::SortiereIndex() {
    if (!m_sortEd || m_sortCols.isEmpty()) return;
    QString liste;
    QString rest = m_sortCols;
    while (!rest.isEmpty()) {
        const QString teil = NextParamStr(u";", rest);
        for (int c = 0; c < ColCount(); ++c)
            if (Cells(c, 0).compare(teil, Qt::CaseInsensitive) == 0) {
                liste += QString::number(c) + QLatin1Char(';');
                break;
            }
    }
    if (!liste.isEmpty()) {
        if (OnSort) OnSort(*this, liste);
        if (!liste.isEmpty()) {
            Sortiere(liste, m_sortNewFocus, m_sortDirection == sdAufsteigend, 0);
            if (OnSortEnd) OnSortEnd(*this, liste);
        }
    }
    Q_EMIT Change();
}

void TFilterGrid::setSortierenEd(bool v) {
    if (v == m_sortEd) return;
    m_sortEd = v;
    SortiereIndex();
}

void TFilterGrid::setSortierCols(const QString& s) {
    if (s == m_sortCols) return;
    m_sortCols = s;
    SortiereIndex();
}

void TFilterGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    if (m_noInherited) {
        m_noInherited = false;
        return;
    }
    int c = -1, r = -1;
    MouseToCell(x, y, c, r);
    m_clickRow = r;
    m_leftCol = LeftCol();
    // A press within 3 pixels of a column border (where columns are resized) never sorts.
    const QRect rc = CellRect(c, r).adjusted(3, 0, -3, 0);
    if (m_sortMEd && button == Qt::LeftButton && r >= 0 && r < m_fixedRows && InRect(x, y, rc))
        MouseDownSort(x, y);
}

void TFilterGrid::MouseDownSort(int x, int y) {
    for (int i = 0; i < ColCount(); ++i) {
        if (!InRect(x, y, CellRect(i, 0))) continue;
        QString liste = QString::number(i);
        if (OnSort) {
            OnSort(*this, liste);
            if (liste.isEmpty()) return;
        }
        Sortiere(liste, m_sortNewFocus, m_mousSortCol != i, 0);
        m_mousSortCol = m_mousSortCol == i ? -1 : i;
        if (OnSortEnd) OnSortEnd(*this, liste);
        return;
    }
}

void TFilterGrid::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    if (m_clickRow > 0 && m_clickRow < RowCount()) {
        const QModelIndexList zeilen = selectionModel()->selectedIndexes();
        bool eineZeile = true;
        for (const QModelIndex& i : zeilen)
            eineZeile = eineZeile && i.row() == zeilen.first().row();
        if (currentIndex().isValid() && eineZeile && m_clickRow >= m_fixedRows && Row() != m_clickRow)
            setRow(m_clickRow);
        setLeftCol(m_leftCol);
    }
}

// --- line breaks in word-break columns ---------------------------------------------------------

bool TFilterGrid::IsWordBreakInColInfo(int aCol) const {
    const TColInfo* ci = ColInfo(aCol);
    return ci && (ci->DatAlign & TextFlag::WordBreak);
}

QString TFilterGrid::ClearEtFromText(const QString& s) {
    QString r = s;
    r.replace(QStringLiteral("\r\n"), QString(kEt));
    r.replace(QLatin1Char('\n'), kEt);
    return r;
}

QString TFilterGrid::RestoreEtToText(const QString& s) {
    QString r = s;
    return r.replace(kEt, QStringLiteral("\r\n"));
}

namespace {
template <typename F> bool etSpalten(TFilterGrid& g, int aCol, F f) {
    bool eine = false;
    for (int c = 0; c < g.ColCount(); ++c) {
        if ((aCol != -1 && c != aCol) || !g.IsWordBreakInColInfo(c)) continue;
        eine = true;
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            g.setCells(c, r, f(g.Cells(c, r)));
    }
    return eine;
}
} // namespace

bool TFilterGrid::ColClearEt(int aCol) {
    return etSpalten(*this, aCol, &TFilterGrid::ClearEtFromText);
}
bool TFilterGrid::ColInsertEt(int aCol) {
    return etSpalten(*this, aCol, &TFilterGrid::RestoreEtToText);
}
