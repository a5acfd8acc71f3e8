// SPDX-License-Identifier: GPL-3.0-or-later
// The page layout of the printouts, without any window: a recipe or the shopping list becomes a list
// of pages, each a list of text pieces at page positions (816 x 1056 pixels, 96 per inch). The pages
// are replayed into the preview and the printer.
#pragma once

#include "data/Records.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QPicture>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

class QPainter;

namespace pfl {

constexpr int kSeitenBreite = 816;
constexpr int kSeitenHoehe = 1056;
constexpr int kSeitenRand = 96; // each of the four margins

// A recipe as the editor shows it; every value is the text of its field.
struct Druckrezept {
    QString titel; // the name
    QString schwierigkeit, portionsart, anzahl;
    QString kosten; // as typed in the price field, read when the page is laid out
    QString zeit, kochzeit, kalorien, datum;
    QString utensilien, zutaten, zubereitung;
};
// The printout of a stored recipe.
Druckrezept druckrezept(const dateien& satz);

// One text drawn on a page; (x, y) is the top left corner of its line.
struct Drucktext {
    int x = 0, y = 0;
    QString text;
    QString schrift;
    int punkte = 0;
    bool fett = false;
    bool operator==(const Drucktext&) const = default;
};
using Druckseite = QList<Drucktext>;

struct Drucklayout {
    QList<Druckseite> seiten;
    QString fehler; // why nothing was laid out (German, for the user); empty on success
};

// The font a printout draws with: size in points on the 96-pixels-per-inch page. Bold text takes
// a stand-in family where the family's own bold face prints no heavier than its regular one.
QFont druckSchrift(const QString& schrift, int punkte, bool fett);
// The family bold text of schrift is printed in.
QString fetteFamilie(const QString& schrift);
// The line height h of a printout in the font schrift at punkte: the heading's font (bold, three
// points larger) as its metrics give it, and never less than 1.25 times its size.
int druckZeilenhoehe(const QString& schrift, int punkte);

// Breaks a text into lines as the hidden 739-pixel text box of the printing window shows it: its own
// line breaks, and inside a wider line a break after the last blank that fits (a word wider than the
// box is broken where it reaches the edge). Blanks at a break stay at the end of the line. A trailing
// empty line is not counted. The box's font (Tahoma, 11 pixels) decides, not the print font.
class Zeilenumbruch {
public:
    explicit Zeilenumbruch(int breite = 739);
    // The same rule in another font and width.
    Zeilenumbruch(const QFont& schrift, int breite);
    QStringList zeilen(const QString& text);
    // The same lines as where they start in the text and how long they are, appended to aus.
    using Zeilenort = std::pair<qsizetype, qsizetype>;
    void zeilenorte(const QString& text, std::vector<Zeilenort>& aus);
    // The same for a stored Windows-1252 text with CR LF breaks, as its text field shows it: its CR LF
    // become LF first (in text, which the places then refer to). Each byte's width is measured once.
    void zeilenorteCp1252(QByteArray& text, std::vector<Zeilenort>& aus);

private:
    double breite(QChar c);

    int m_breite;
    QFontMetricsF m_metrik;
    std::array<double, 256> m_latin1; // advance of each Latin-1 character, measured once; < 0 unknown
    QHash<char16_t, double> m_andere;
    std::array<double, 256> m_cp1252{}; // advance of each Windows-1252 byte's character
    bool m_cp1252Gemessen = false;
};

Drucklayout rezeptSetzen(const Druckrezept& rezept, const DruckGruppe& gruppe, const QDate& heute);
Drucklayout einkaufslisteSetzen(const QString& text, const DruckGruppe& gruppe, const QDate& heute);

// Draws a page in page coordinates (the caller scales the painter to its device).
void seiteZeichnen(QPainter& maler, const Druckseite& seite);
// The page recorded for replaying, with its bounding rectangle the whole page.
QPicture seiteAufzeichnen(const Druckseite& seite);

} // namespace pfl
