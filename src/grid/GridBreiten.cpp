// SPDX-License-Identifier: GPL-3.0-or-later
// Column widths of TFilterGrid: set by hand, hidden, or measured from the texts (ColSetMaxWidths).
#include "grid/GridIntern.h"

#include "data/Cp1252.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>
#include <thread>

namespace {
// Data rows from which a column's estimates are shared with a second thread.
constexpr int kGeteiltAb = 4096;
} // namespace

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

void TFilterGrid::setDefaultColWidth(int w) {
    m_defaultColWidth = w;
    m_header->setDefaultSectionSize(std::max(w, 1));
    for (int c = 0; c < ColCount(); ++c)
        setColWidths(c, w);
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
        const int zeilen = RowCount();
        // A long column's back half is estimated by a second thread, from a copy of the advances of
        // every Windows-1252 character taken beforehand (fonts are measured in this thread only). A
        // text with another character is estimated here afterwards, in its place.
        int mitte = zeilen;
        std::vector<std::pair<int, int>> hinten;
        std::thread faden;
        if (!(flDat & TextFlag::WordBreak) && zeilen - m_fixedRows >= kGeteiltAb) {
            for (int u = 0; u < 256; ++u)
                if (vorschub[size_t(u)] < 0) vorschub[size_t(u)] = mDat.horizontalAdvance(QChar(char16_t(u)));
            for (unsigned char b = 0x80; b < 0xA0; ++b) {
                const char16_t u = pfl::cp1252Zeichen(b);
                if (u >= 256 && !vorschubSonst.contains(u))
                    vorschubSonst.insert(u, mDat.horizontalAdvance(QChar(u)));
            }
            mitte = m_fixedRows + (zeilen - m_fixedRows) / 2;
            faden = std::thread([&, fest = vorschub, sonst = vorschubSonst] {
                hinten.reserve(size_t(zeilen - mitte));
                for (int r = mitte; r < zeilen; ++r) {
                    int w = 0;
                    for (const QChar ch : m_model->zelle(r, c)) {
                        const char16_t u = ch.unicode();
                        const int v = u < 256 ? fest[u] : sonst.value(u, -1);
                        if (v < 0) {
                            w = -1;
                            break;
                        }
                        w += v;
                    }
                    hinten.emplace_back(w < 0 ? -1 : w + abstandBreite, r);
                }
            });
        }
        for (int r = 0; r < mitte; ++r) {
            const bool kopf = r < m_fixedRows;
            const QString zelle = m_model->zelle(r, c);
            const int fl = kopf ? flTit : flDat;
            const QFontMetrics& m = kopf ? mTit : mDat;
            int w;
            if (fl & TextFlag::WordBreak) {
                // Laid out in a 2-pixel box: each word on its own line, the widest counts.
                const QString t = Trim(RestoreEtToText(zelle + abstand));
                w = m.boundingRect(QRect(0, 0, 2, 100000), pfl::gitter::qtFlags(fl), t).width();
            } else if (!kopf) {
                const int e = schaetze(zelle) + abstandBreite;
                kandidaten.emplace_back(e, r);
                continue;
            } else {
                w = m.horizontalAdvance(zelle + abstand);
            }
            breit = std::max(breit, w);
        }
        if (faden.joinable()) {
            faden.join();
            for (auto& [e, r] : hinten)
                if (e < 0) e = schaetze(m_model->zelle(r, c)) + abstandBreite;
            kandidaten.insert(kandidaten.end(), hinten.cbegin(), hinten.cend());
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
            const QString t = m_model->zelle(r, c) + abstand;
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
