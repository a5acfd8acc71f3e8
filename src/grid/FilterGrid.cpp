#include "grid/FilterGrid.h"

#include "data/German.h"
#include "grid/Farbwert.h"
#include "grid/SortSchluessel.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QHeaderView>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

using pfl::alsFarbe;

// ---------------------------------------------------------------------------------------------
// Cell store. Grid row 0 (the heading row, when FixedRows > 0) is the horizontal header; the
// model's rows are the grid rows below it.

class TGridModel : public QAbstractTableModel {
public:
    explicit TGridModel(TFilterGrid* g) : QAbstractTableModel(g), grid(g) {}

    std::vector<QStringList> zeilen; // grid rows, each ColCount cells
    int spalten = 5;
    int updateTiefe = 0;

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : std::max(0, int(zeilen.size()) - grid->versatz());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : spalten; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        const QString& s = zeilen[size_t(i.row() + grid->versatz())][i.column()];
        return role == Qt::AccessibleTextRole ? Trim(s) : s;
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
        if (o == Qt::Horizontal && grid->versatz() && section < spalten && !zeilen.empty())
            return role == Qt::AccessibleTextRole ? Trim(zeilen[0][section]) : zeilen[0][section];
        return section + 1;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid()) return Qt::NoItemFlags;
        return i.column() < grid->m_fixedCols ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
    void alleGeaendert() {
        if (updateTiefe > 0) return;
        if (rowCount() > 0 && spalten > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, spalten - 1));
        if (spalten > 0) emit headerDataChanged(Qt::Horizontal, 0, spalten - 1);
    }
    void zelleGeaendert(int c, int r) {
        if (updateTiefe > 0) return;
        if (r < grid->versatz())
            emit headerDataChanged(Qt::Horizontal, c, c);
        else {
            const QModelIndex i = index(r - grid->versatz(), c);
            emit dataChanged(i, i);
        }
    }
    void neuAufbauen(const std::function<void()>& f) {
        beginResetModel();
        f();
        endResetModel();
    }

    using QAbstractTableModel::beginInsertColumns;
    using QAbstractTableModel::beginInsertRows;
    using QAbstractTableModel::beginRemoveColumns;
    using QAbstractTableModel::beginRemoveRows;
    using QAbstractTableModel::endInsertColumns;
    using QAbstractTableModel::endInsertRows;
    using QAbstractTableModel::endRemoveColumns;
    using QAbstractTableModel::endRemoveRows;

    TFilterGrid* grid;
};

// ---------------------------------------------------------------------------------------------
// The heading row, painted by DrawCell; its presses go to MouseDown.

class TGridHeader : public QHeaderView {
public:
    explicit TGridHeader(TFilterGrid* g) : QHeaderView(Qt::Horizontal, g), grid(g) {
        setSectionsClickable(false);
        setHighlightSections(false);
        setStretchLastSection(false);
        setMinimumSectionSize(1);
        setDefaultSectionSize(64);
        setMouseTracking(true);
    }
    QSize sizeHint() const override { return QSize(QHeaderView::sizeHint().width(), grid->m_rowHeight0); }
    int heisse = -1, gedrueckt = -1;

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override {
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
    void mousePressEvent(QMouseEvent* e) override {
        QHeaderView::mousePressEvent(e);
        const int x = e->position().toPoint().x();
        const int l = logicalIndexAt(x);
        if (l >= 0 && x >= sectionViewportPosition(l) + 3 &&
            x < sectionViewportPosition(l) + sectionSize(l) - 3)
            gedrueckt = l;
        viewport()->update();
        weiter(e, true);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        QHeaderView::mouseReleaseEvent(e);
        gedrueckt = -1;
        viewport()->update();
        weiter(e, false);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        QHeaderView::mouseMoveEvent(e);
        const int l = logicalIndexAt(e->position().toPoint().x());
        if (l != heisse) {
            heisse = l;
            viewport()->update();
        }
    }
    void leaveEvent(QEvent* e) override {
        QHeaderView::leaveEvent(e);
        heisse = -1;
        viewport()->update();
    }

private:
    void weiter(QMouseEvent* e, bool druck) {
        const QPoint g = viewport()->mapTo(grid, e->position().toPoint());
        if (druck)
            grid->MouseDown(e->button(), e->modifiers(), g.x(), g.y());
        else
            grid->MouseUp(e->button(), e->modifiers(), g.x(), g.y());
    }
    TFilterGrid* grid;
};

// ---------------------------------------------------------------------------------------------

class TGridDelegate : public QStyledItemDelegate {
public:
    explicit TGridDelegate(TFilterGrid* g) : QStyledItemDelegate(g), grid(g) {}
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& i) const override {
        p->save();
        p->setClipRect(opt.rect);
        grid->DrawCell(i.column(), i.row() + grid->versatz(), opt.rect,
                       grid->zustand(i, opt.state & QStyle::State_Selected), *p);
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& i) const override {
        return QSize(grid->ColWidths(i.column()), grid->RowHeights(i.row() + grid->versatz()));
    }

private:
    TFilterGrid* grid;
};

// ---------------------------------------------------------------------------------------------

namespace {

const QChar kEt(0x00AF);  // "¯": line break inside a cell while sorting, field end of ColFeatures
const QChar kRTz(0x00AB); // "«": field separator of a column's features, end of a sort string

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

QColor aufhellen(const QColor& c) {
    QColor h = c.toHsl();
    return QColor::fromHsl(h.hslHue(), h.hslSaturation(), std::min(255, h.lightness() + 19 * 255 / 240));
}

struct Farbname {
    const char* name;
    quint32 wert;
};
const Farbname kFarbnamen[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
};

quint32 farbeLesen(const QString& t, quint32 bisher) {
    const QString s = Trim(t);
    for (const Farbname& f : kFarbnamen)
        if (s.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return f.wert;
    bool ok = false;
    qint64 v = s.startsWith(QLatin1Char('$')) ? s.mid(1).toLongLong(&ok, 16) : s.toLongLong(&ok, 10);
    return ok ? quint32(v) : bisher;
}

QString fontText(const std::optional<TFont>& f) {
    return f ? FontToFontParam(*f) : QString();
}

void fontLesen(const QString& t, std::optional<TFont>& f) {
    if (t.isEmpty()) return;
    TFont neu;
    FontParamToFont(t, neu);
    f = neu;
}

// Text of a date value as "yyyymmddhhnnss"; the empty date gives fourteen zeros.
QString datumSchluessel(double w) {
    if (w <= kKeinDatum) return QStringLiteral("00000000000000");
    const double tage = std::floor(w);
    const qint64 ms = qRound64((w - tage) * 86400000.0);
    QDateTime dt(QDate(1899, 12, 30).addDays(qint64(tage)), QTime(0, 0));
    dt = dt.addMSecs(ms);
    return dt.toString(QStringLiteral("yyyyMMddhhmmss"));
}

// StrToFormFloat for the common forms "-12", "5,50 €", "20 Min" without its text work; anything
// else goes through StrToFormFloat itself.
double schnelleZahl(const QString& t) {
    char puffer[64];
    int n = 0;
    qsizetype i = 0;
    const qsizetype ende = t.size();
    if (i < ende && t[i] == QLatin1Char('-')) puffer[n++] = '-', ++i;
    const qsizetype ziffernAb = i;
    while (i < ende && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9') && n < 40)
        puffer[n++] = char(t[i++].unicode());
    bool einfach = i > ziffernAb;
    if (einfach && i < ende && t[i] == QLatin1Char(',')) {
        puffer[n++] = '.';
        const qsizetype nachkomma = ++i;
        while (i < ende && t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9') && n < 60)
            puffer[n++] = char(t[i++].unicode());
        einfach = i > nachkomma;
    }
    einfach = einfach && (i == ende || t[i] == QLatin1Char(' ')) && !t.contains(QLatin1Char('.'));
    if (!einfach) return StrToFormFloat(t);
    double v = 0;
    std::from_chars(puffer, puffer + n, v);
    return v;
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

// ---------------------------------------------------------------------------------------------

QString TColInfo::Text() const {
    const QChar t = kRTz;
    return Titel + t + QString::number(TitAlign) + t + fontText(TitFont) + t +
           QString::number(qint32(TitColor)) + t + QString::number(Width) + t + QString(Typ) + t +
           QString::number(Dez) + t + QString::number(DatAlign) + t + fontText(DatFont) + t +
           QString::number(qint32(DatColor));
}

void TColInfo::SetText(const QString& text) {
    QString rest = text;
    for (int i = 0; i < 10; ++i) {
        const QString f = NextParamStr(QStringView(&kRTz, 1), rest);
        if (f.isEmpty()) continue;
        switch (i) {
        case 0:
            Titel = f;
            break;
        case 1:
            TitAlign = StrToFormInt(f);
            break;
        case 2:
            fontLesen(f, TitFont);
            break;
        case 3:
            TitColor = farbeLesen(f, TitColor);
            break;
        case 4:
            Width = StrToFormInt(f);
            break;
        case 5:
            Typ = f.at(0);
            break;
        case 6:
            Dez = StrToFormInt(f);
            break;
        case 7:
            DatAlign = StrToFormInt(f);
            break;
        case 8:
            fontLesen(f, DatFont);
            break;
        case 9:
            DatColor = farbeLesen(f, DatColor);
            break;
        }
    }
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

// ---------------------------------------------------------------------------------------------

TFilterGrid::TFilterGrid(QWidget* parent) : QTableView(parent) {
    m_model = new TGridModel(this);
    m_model->zeilen.assign(5, QStringList(5, QString()));
    m_colWidths.assign(5, m_defaultColWidth);
    m_header = new TGridHeader(this);
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(new TGridDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& cur, const QModelIndex&) {
                emit currentCellChanged(Col(), Row());
                if (cur.isValid() && !m_stumm) emit Click();
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { emit DblClick(); });
    wendeOptionenAn();
    for (int c = 0; c < 5; ++c)
        m_header->resizeSection(c, m_defaultColWidth);
    sicherAktuell();
}

TFilterGrid::~TFilterGrid() = default;

// --- string grid -----------------------------------------------------------------------------

int TFilterGrid::ColCount() const {
    return m_model->spalten;
}

void TFilterGrid::setColCount(int n) {
    n = std::max(n, 1);
    const int alt = m_model->spalten;
    if (n == alt) return;
    if (n > alt)
        m_model->beginInsertColumns({}, alt, n - 1);
    else
        m_model->beginRemoveColumns({}, n, alt - 1);
    m_model->spalten = n;
    for (QStringList& z : m_model->zeilen)
        z.resize(n);
    m_colWidths.resize(size_t(n), m_defaultColWidth);
    if (n > alt)
        m_model->endInsertColumns();
    else
        m_model->endRemoveColumns();
    for (int c = alt; c < n; ++c)
        m_header->resizeSection(c, m_defaultColWidth);
    if (m_fixedCols >= n) m_fixedCols = n - 1;
}

int TFilterGrid::RowCount() const {
    return int(m_model->zeilen.size());
}

void TFilterGrid::setRowCount(int n) {
    n = std::max(n, std::max(m_fixedRows, 1));
    const int alt = RowCount();
    if (n == alt) return;
    const int v = versatz();
    if (n > alt) {
        m_model->beginInsertRows({}, alt - v, n - v - 1);
        m_model->zeilen.resize(size_t(n), QStringList(m_model->spalten, QString()));
        m_model->endInsertRows();
    } else {
        m_model->beginRemoveRows({}, n - v, alt - v - 1);
        m_model->zeilen.resize(size_t(n));
        m_model->endRemoveRows();
    }
    sicherAktuell();
}

void TFilterGrid::setFixedRows(int n) {
    n = std::max(0, n);
    if (n == m_fixedRows) return;
    m_model->neuAufbauen([&] {
        m_fixedRows = n;
        if (RowCount() < std::max(n, 1))
            m_model->zeilen.resize(size_t(std::max(n, 1)), QStringList(m_model->spalten, QString()));
    });
    m_header->setVisible(n > 0);
    for (int c = 0; c < ColCount(); ++c)
        setColWidths(c, m_colWidths[size_t(c)]);
    sicherAktuell();
}

void TFilterGrid::setFixedCols(int n) {
    m_fixedCols = std::clamp(n, 0, ColCount() - 1);
    viewport()->update();
}

QString TFilterGrid::Cells(int aCol, int aRow) const {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return QString();
    return m_model->zeilen[size_t(aRow)][aCol];
}

void TFilterGrid::setCells(int aCol, int aRow, const QString& text) {
    if (aCol < 0 || aRow < 0 || aCol >= ColCount() || aRow >= RowCount()) return;
    QString& z = m_model->zeilen[size_t(aRow)][aCol];
    if (z == text) return;
    z = text;
    m_model->zelleGeaendert(aCol, aRow);
}

QStringList TFilterGrid::Rows(int aRow) const {
    if (aRow < 0 || aRow >= RowCount()) return {};
    return m_model->zeilen[size_t(aRow)];
}

void TFilterGrid::setRows(int aRow, const QStringList& cells) {
    if (aRow < 0 || aRow >= RowCount()) return;
    QStringList z = cells;
    z.resize(ColCount());
    m_model->zeilen[size_t(aRow)] = z;
    if (m_model->updateTiefe == 0)
        for (int c = 0; c < ColCount(); ++c)
            m_model->zelleGeaendert(c, aRow);
}

void TFilterGrid::BeginUpdate() {
    ++m_model->updateTiefe;
}

void TFilterGrid::EndUpdate() {
    if (m_model->updateTiefe > 0 && --m_model->updateTiefe == 0) m_model->alleGeaendert();
}

void TFilterGrid::setDefaultColWidth(int w) {
    m_defaultColWidth = w;
    m_header->setDefaultSectionSize(std::max(w, 1));
    for (int c = 0; c < ColCount(); ++c)
        setColWidths(c, w);
}

void TFilterGrid::setDefaultRowHeight(int h) {
    m_defaultRowHeight = std::max(h, 1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    for (int r = versatz(); r < RowCount(); ++r)
        verticalHeader()->resizeSection(r - versatz(), m_defaultRowHeight);
    setRowHeights(0, m_defaultRowHeight);
}

int TFilterGrid::ColWidths(int aCol) const {
    return aCol >= 0 && aCol < ColCount() ? m_colWidths[size_t(aCol)] : 0;
}

void TFilterGrid::setColWidths(int aCol, int w) {
    if (aCol < 0 || aCol >= ColCount()) return;
    m_colWidths[size_t(aCol)] = w;
    if (w < 0) {
        m_header->hideSection(aCol);
    } else {
        m_header->showSection(aCol);
        m_header->resizeSection(aCol, w);
    }
}

int TFilterGrid::RowHeights(int aRow) const {
    if (aRow < 0 || aRow >= RowCount()) return 0;
    if (aRow < versatz()) return m_rowHeight0;
    return verticalHeader()->sectionSize(aRow - versatz());
}

void TFilterGrid::setRowHeights(int aRow, int h) {
    if (aRow < 0 || aRow >= RowCount()) return;
    h = std::max(h, 1);
    if (aRow < versatz()) {
        if (h != m_rowHeight0) {
            m_rowHeight0 = h;
            m_header->updateGeometry();
            updateGeometries();
            m_header->viewport()->update();
        }
    } else {
        verticalHeader()->resizeSection(aRow - versatz(), h);
    }
}

QModelIndex TFilterGrid::indexOf(int aCol, int aRow) const {
    return m_model->index(aRow - versatz(), aCol);
}

int TFilterGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : m_fixedCols;
}

void TFilterGrid::setCol(int aCol) {
    setzeAktuell(aCol, Row(), false);
}

int TFilterGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + versatz() : 0;
}

void TFilterGrid::setRow(int aRow) {
    setzeAktuell(Col(), aRow, false);
}

void TFilterGrid::setzeAktuell(int aCol, int aRow, bool stumm) {
    const bool alt = m_stumm;
    m_stumm = stumm;
    if (aRow < m_fixedRows || aRow >= RowCount()) {
        if (aRow < m_fixedRows) {
            selectionModel()->clearSelection();
            selectionModel()->clearCurrentIndex();
        }
    } else {
        const QModelIndex i = indexOf(std::clamp(aCol, 0, ColCount() - 1), aRow);
        QItemSelectionModel::SelectionFlags f = QItemSelectionModel::ClearAndSelect;
        if (m_options & goRowSelect) f |= QItemSelectionModel::Rows;
        selectionModel()->setCurrentIndex(i, f);
    }
    m_stumm = alt;
}

// The original grid always has a current cell in its first data row.
void TFilterGrid::sicherAktuell() {
    if (!currentIndex().isValid() && RowCount() > m_fixedRows) setzeAktuell(m_fixedCols, m_fixedRows, true);
}

void TFilterGrid::SelectCells(int aCol, int aRow) {
    setzeAktuell(aCol, aRow, false);
}

int TFilterGrid::LeftCol() const {
    const int l = m_header->logicalIndexAt(0);
    return l < 0 ? m_fixedCols : l;
}

void TFilterGrid::setLeftCol(int aCol) {
    if (aCol < 0 || aCol >= ColCount()) return;
    // The scroll value counts the visible sections before the column.
    int wert = 0;
    const int vis = m_header->visualIndex(aCol);
    for (int v = 0; v < vis; ++v)
        if (!m_header->isSectionHidden(m_header->logicalIndex(v))) ++wert;
    horizontalScrollBar()->setValue(wert);
}

int TFilterGrid::TopRow() const {
    const int r = rowAt(0);
    return r < 0 ? m_fixedRows : r + versatz();
}

QRect TFilterGrid::CellRect(int aCol, int aRow) const {
    if (aCol < 0 || aCol >= ColCount() || aRow < 0 || aRow >= RowCount()) return QRect();
    if (aRow < versatz()) {
        if (m_header->isHidden() || m_header->isSectionHidden(aCol)) return QRect();
        const QRect r(m_header->sectionViewportPosition(aCol), 0, m_header->sectionSize(aCol),
                      m_header->height());
        const QRect sichtbar = r.intersected(m_header->viewport()->rect());
        if (sichtbar.isEmpty()) return QRect();
        return r.translated(m_header->viewport()->mapTo(this, QPoint(0, 0)));
    }
    const QRect r = visualRect(indexOf(aCol, aRow));
    if (!r.isValid() || !r.intersects(viewport()->rect())) return QRect();
    return r.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

void TFilterGrid::MouseToCell(int x, int y, int& aCol, int& aRow) const {
    aCol = aRow = -1;
    const QPoint p(x, y);
    if (versatz() && m_header->isVisible()) {
        const QPoint h = m_header->viewport()->mapFrom(this, p);
        if (m_header->viewport()->rect().contains(h)) {
            aCol = m_header->logicalIndexAt(h.x());
            aRow = aCol >= 0 ? 0 : -1;
            return;
        }
    }
    const QPoint v = viewport()->mapFrom(this, p);
    if (!viewport()->rect().contains(v)) return;
    const QModelIndex i = indexAt(v);
    if (i.isValid()) {
        aCol = i.column();
        aRow = i.row() + versatz();
    }
}

void TFilterGrid::setOptions(TGridOptions o) {
    m_options = o;
    wendeOptionenAn();
}

void TFilterGrid::wendeOptionenAn() {
    setSelectionBehavior((m_options & goRowSelect) ? QAbstractItemView::SelectRows
                                                   : QAbstractItemView::SelectItems);
    m_header->setSectionResizeMode((m_options & goColSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    setShowGrid(m_options & (goVertLine | goHorzLine));
    if (currentIndex().isValid()) setzeAktuell(Col(), Row(), true);
    viewport()->update();
    m_header->viewport()->update();
}

// --- colours -----------------------------------------------------------------------------------

#define PFL_FARBE(setter, feld)                                                                              \
    void TFilterGrid::setter(quint32 c) {                                                                    \
        feld = c;                                                                                            \
        viewport()->update();                                                                                \
        m_header->viewport()->update();                                                                      \
    }
void TFilterGrid::setColor(quint32 c) {
    m_color = c;
    // The area beyond the last row and column shows the grid's colour too.
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Base, alsFarbe(c));
    p.setColor(QPalette::Window, alsFarbe(c));
    viewport()->setPalette(p);
    viewport()->update();
    m_header->viewport()->update();
}
PFL_FARBE(setFontColor, m_fontColor)
PFL_FARBE(setFixedColor, m_fixedColor)
PFL_FARBE(setSelectRowColor, m_selectRowColor)
PFL_FARBE(setGradientStartColor, m_gradientStart)
PFL_FARBE(setGradientEndColor, m_gradientEnd)
#undef PFL_FARBE

void TFilterGrid::setDrawingStyle(TGridDrawingStyle s) {
    m_drawingStyle = s;
    viewport()->update();
    m_header->viewport()->update();
}

void TFilterGrid::SetGradientToAllCells(bool v) {
    if (v == m_gradientToAllCells) return;
    m_gradientToAllCells = v;
    viewport()->update();
    m_header->viewport()->update();
}

void TFilterGrid::setDistance(int d) {
    m_distance = std::max(0, d);
    viewport()->update();
    m_header->viewport()->update();
}

QColor TFilterGrid::AddEndColor(const QColor& c) const {
    const QColor s = alsFarbe(m_gradientStart), e = alsFarbe(m_gradientEnd);
    auto kanal = [](int v, int d) { return std::clamp(v + d, 0, 255); };
    return QColor(kanal(c.red(), e.red() - s.red()), kanal(c.green(), e.green() - s.green()),
                  kanal(c.blue(), e.blue() - s.blue()));
}

// --- sorting -----------------------------------------------------------------------------------

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
        const double v = schnelleZahl(t);
        return zahlSchluessel(v);
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
        int n = 0;
        char ziffern[12];
        for (int w = zeile; w > 0 || n < 6; w /= 10)
            ziffern[n++] = char('0' + w % 10);
        for (int k = 0; k < n; ++k)
            z[k] = QLatin1Char(ziffern[n - 1 - k]);
        z[n] = kRTz;
        return n + 1;
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
    std::vector<QStringList> neu(ordnung.size());
    int neueZeile = -1;
    for (size_t i = 0; i < ordnung.size(); ++i) {
        neu[i] = std::move(m_model->zeilen[size_t(fr + ordnung[i])]);
        if (ordnung[i] == merkZeile) neueZeile = fr + int(i);
    }
    std::move(neu.begin(), neu.end(), m_model->zeilen.begin() + fr);
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
    emit Change();
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

void TFilterGrid::mousePressEvent(QMouseEvent* e) {
    const QPersistentModelIndex vorher = currentIndex();
    QTableView::mousePressEvent(e);
    // A press on the cell that is already current selects it again: the click notification runs.
    if (vorher.isValid() && currentIndex() == vorher && indexAt(e->position().toPoint()) == vorher)
        emit Click();
    const QPoint g = viewport()->mapTo(this, e->position().toPoint());
    MouseDown(e->button(), e->modifiers(), g.x(), g.y());
}

void TFilterGrid::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint g = viewport()->mapTo(this, e->position().toPoint());
    MouseUp(e->button(), e->modifiers(), g.x(), g.y());
    QTableView::mouseReleaseEvent(e);
}

void TFilterGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (!indexAt(e->position().toPoint()).isValid()) emit DblClick();
}

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

// --- column features -----------------------------------------------------------------------------

TColInfo* TFilterGrid::ColInfo(int aCol) const {
    if (aCol < 0 || size_t(aCol) >= m_colInfos.size()) return nullptr;
    return m_colInfos[size_t(aCol)].get();
}

TColInfo& TFilterGrid::ColInfoC(int aCol) {
    if (TColInfo* ci = ColInfo(aCol)) return *ci;
    return ColInfo_Create(aCol);
}

TColInfo& TFilterGrid::ColInfo_Create(int aCol) {
    aCol = std::max(aCol, 0);
    if (aCol >= ColCount()) setColCount(aCol + 1);
    if (m_colInfos.size() <= size_t(aCol)) m_colInfos.resize(size_t(aCol) + 1);
    auto ci = std::make_unique<TColInfo>();
    ci->TitColor = m_fixedColor;
    ci->Width = m_defaultColWidth;
    ci->DatColor = aCol < m_fixedCols ? m_fixedColor : m_color;
    m_colInfos[size_t(aCol)] = std::move(ci);
    return *m_colInfos[size_t(aCol)];
}

void TFilterGrid::ColInfosToCells(int aCol) {
    for (int c = 0; c < ColCount(); ++c) {
        const TColInfo* ci = ColInfo(c);
        if ((aCol != -1 && c != aCol) || !ci) continue;
        if (m_fixedRows > 0 && !ci->Titel.isEmpty()) setCells(c, 0, ci->Titel);
        if (ci->Width != 0) setColWidths(c, ci->Width);
    }
}

void TFilterGrid::ColInfo_Set(int aCol) {
    ColInfosToCells(aCol);
    ColSetMaxWidths(true, false, true);
    viewport()->update();
    m_header->viewport()->update();
}

int TFilterGrid::ColSetMaxWidths(bool readColInfo, bool changeFixCol, bool stretch) {
    int reserve = verticalHeader()->length() > viewport()->height() ? 27 : 8;
    const int merkFix = m_fixedCols;
    if (changeFixCol) m_fixedCols = 0;
    int anzahl = 0;
    std::vector<int> gemessen;
    const int ab = readColInfo ? 0 : m_fixedCols;
    const QString abstand(m_distance, QLatin1Char(' '));
    for (int c = ab; c < ColCount(); ++c) {
        const TColInfo* ci = ColInfo(c);
        const bool messen = readColInfo ? (!ci || ci->Width == 0) : m_colWidths[size_t(c)] >= 0;
        if (!messen) continue;
        ++anzahl;
        gemessen.push_back(c);
        QFont fTit = font(), fDat = font();
        if (ci && ci->TitFont) fTit = ci->TitFont->font;
        if (ci && ci->DatFont) fDat = ci->DatFont->font;
        const QFontMetrics mTit(fTit, this), mDat(fDat, this);
        const int flTit = ci ? ci->TitAlign : 0, flDat = ci ? ci->DatAlign : 0;
        QHash<QString, int> schonGemessen;
        int breit = 0;
        // Data cells on one line: a sum of character advances (a table per font) finds the few
        // widest candidates; only those are measured exactly, since kerning moves a width by a
        // few pixels at most. Tens of thousands of cells then cost one table look-up per character.
        std::array<int, 256> vorschub;
        vorschub.fill(-1);
        QHash<char16_t, int> vorschubSonst;
        auto schaetze = [&](const QString& t) {
            int w = 0;
            for (const QChar ch : t) {
                const char16_t u = ch.unicode();
                if (u < 256) {
                    int& v = vorschub[u];
                    if (v < 0) v = mDat.horizontalAdvance(ch);
                    w += v;
                } else {
                    auto it = vorschubSonst.constFind(u);
                    if (it == vorschubSonst.constEnd())
                        it = vorschubSonst.insert(u, mDat.horizontalAdvance(ch));
                    w += *it;
                }
            }
            return w;
        };
        const int abstandBreite = m_distance * mDat.horizontalAdvance(QLatin1Char(' '));
        std::vector<std::pair<int, int>> kandidaten; // estimate, row
        for (int r = 0; r < RowCount(); ++r) {
            const bool kopf = r < m_fixedRows;
            const QString& zelle = m_model->zeilen[size_t(r)][c];
            const int fl = kopf ? flTit : flDat;
            const QFontMetrics& m = kopf ? mTit : mDat;
            int w;
            if (fl & TextFlag::WordBreak) {
                // Laid out in a 2-pixel box: each word on its own line, the widest counts.
                const QString t = Trim(RestoreEtToText(zelle + abstand));
                w = m.boundingRect(QRect(0, 0, 2, 100000), qtFlags(fl), t).width();
            } else if (!kopf) {
                const int e = schaetze(zelle) + abstandBreite;
                kandidaten.emplace_back(e, r);
                continue;
            } else {
                w = m.horizontalAdvance(zelle + abstand);
            }
            breit = std::max(breit, w);
        }
        // Widest estimates first; stop once no estimate, even with a rounding and kerning margin,
        // can beat the widest exact width found so far.
        // A heap hands out the widest estimates one by one without sorting them all.
        auto kleiner = [](const auto& a, const auto& b) { return a.first < b.first; };
        std::make_heap(kandidaten.begin(), kandidaten.end(), kleiner);
        int exakt = 0;
        while (!kandidaten.empty()) {
            std::pop_heap(kandidaten.begin(), kandidaten.end(), kleiner);
            const auto [e, r] = kandidaten.back();
            kandidaten.pop_back();
            if (e + std::max(3, e / 40) < breit) break;
            // Many texts of the same estimate (same lengths and letters' widths) differ by kerning
            // only; after a handful of exact measurements the estimate stands for the rest.
            if (++exakt > 16) {
                breit = std::max(breit, e);
                break;
            }
            const QString t = m_model->zeilen[size_t(r)][c] + abstand;
            auto it = schonGemessen.constFind(t);
            if (it == schonGemessen.constEnd()) it = schonGemessen.insert(t, mDat.horizontalAdvance(t));
            breit = std::max(breit, *it);
        }
        m_colWidths[size_t(c)] = breit;
    }
    int summe = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int w = m_colWidths[size_t(c)];
        if (c >= m_fixedCols) {
            if (w > 0) summe += w;
        } else if (w > 0) {
            reserve += w;
        }
    }
    if (stretch) {
        const int frei = width() - reserve - summe;
        if (anzahl > 0 && anzahl < frei) {
            const int dazu = frei / anzahl;
            for (int c : gemessen)
                m_colWidths[size_t(c)] += dazu;
            summe += dazu * anzahl;
        }
    }
    for (int c : gemessen)
        setColWidths(c, m_colWidths[size_t(c)]);
    m_fixedCols = merkFix;
    return summe;
}

QString TFilterGrid::ColFeatures() const {
    QString s = QString::number(ColCount());
    for (int c = 0; c < ColCount(); ++c) {
        s += kEt;
        if (const TColInfo* ci = ColInfo(c)) s += ci->Text();
    }
    return s + kEt + m_sortCols;
}

void TFilterGrid::setColFeatures(const QString& text) {
    QString rest = text;
    const QStringView et(&kEt, 1);
    const int n = StrToFormInt(NextParamStr(et, rest));
    if (n <= 0) return;
    setColCount(n);
    for (int c = 0; c < n; ++c) {
        const QString teil = NextParamStr(et, rest);
        if (!teil.isEmpty()) ColInfo_Create(c).SetText(teil);
    }
    ColInfo_Set(-1);
    setSortierCols(NextParamStr(et, rest));
}

QString TFilterGrid::FixedColsText() const {
    QStringList t;
    for (int r = 0; r < RowCount(); ++r)
        t << Cells(0, r);
    return t.join(QLatin1Char(';'));
}

void TFilterGrid::setFixedColsText(const QString& text) {
    QString rest = text;
    for (int r = 0; !rest.isEmpty() && r < RowCount(); ++r)
        setCells(0, r, NextParamStr(u";", rest));
}

// --- drawing -------------------------------------------------------------------------------------

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

    const int qf = qtFlags(ausr);
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
