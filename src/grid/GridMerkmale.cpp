// SPDX-License-Identifier: GPL-3.0-or-later
// Column features of TFilterGrid: TColInfo, their text ColFeatures, and NewColFeatures.
#include "grid/GridIntern.h"

using pfl::gitter::kEt;
using pfl::gitter::kRTz;

namespace {

// Colour names a window definition may use instead of a colour value.
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

QFont schrift(const QString& name, int groesse) {
    QFont f(name.isEmpty() ? QStringLiteral("Arial") : name);
    if (groesse > 0) f.setPointSize(groesse);
    return f;
}

} // namespace

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
    neuZeichnen();
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

void NewColFeatures(TFilterGrid& grid, int spalte, int titAlign, int datAlign, quint32 datFarbe,
                    quint32 datSchriftfarbe, quint32 titFarbe, quint32 titSchriftfarbe, int datGroesse,
                    int titGroesse, const QString& datSchrift, const QString& titSchrift) {
    TColInfo& ci = grid.ColInfoC(spalte);
    ci.TitAlign = titAlign;
    ci.DatAlign = datAlign;
    ci.DatColor = datFarbe;
    ci.TitColor = titFarbe;
    ci.DatFont = TFont{schrift(datSchrift, datGroesse), datSchriftfarbe};
    ci.TitFont = TFont{schrift(titSchrift, titGroesse), titSchriftfarbe};
}

void NewColFeatures1(TFilterGrid& grid, int spalte, QChar typ, int datAlign) {
    TColInfo& ci = grid.ColInfoC(spalte);
    ci.Typ = typ;
    ci.DatAlign = datAlign;
}
