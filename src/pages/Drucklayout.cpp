// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/Drucklayout.h"

#include "data/Cp1252.h"
#include "data/Deutsch.h"

#include <QImage>
#include <QPainter>

namespace pfl {

namespace {

constexpr int kKleinstePunkte = 1;
constexpr int kGroesstePunkte = 72;
constexpr int kNutzhoehe = kSeitenHoehe - 2 * kSeitenRand;

QString links30(const QString& s) {
    return s.leftJustified(30);
}

// The running state of one printout: the page being filled, the position and the heading that
// every page repeats.
class Setzer {
public:
    Setzer(const DruckGruppe& g, const QString& titel, const QDate& heute, int datumY, int koerperAbstand)
        : m_schrift(g.schrift.toQString().isEmpty() ? QStringLiteral("Tahoma") : g.schrift.toQString()),
          m_punkte(g.text_Hoehe), m_abstand(g.zeilen_abstand), m_rand(g.rand), m_titel(titel),
          m_datum(datumText(heute).left(10)), m_datumY(datumY), m_koerperAbstand(koerperAbstand) {}

    // Why these settings cannot be printed; empty when they can. Measures the line height.
    QString pruefen() {
        if (m_punkte < kKleinstePunkte || m_punkte > kGroesstePunkte)
            return QStringLiteral("Die Zeichengröße %1 der Druckereinstellungen lässt sich nicht drucken.\n"
                                  "Bitte stellen Sie unter \u201EDruckoptionen\u201C eine Zeichengröße "
                                  "von %2 bis %3 ein.")
                .arg(m_punkte)
                .arg(kKleinstePunkte)
                .arg(kGroesstePunkte);
        // In 64 bits: the file may hold any value.
        const qint64 links = qint64(kSeitenRand) + m_rand - 70;
        if (links < 0 || links > kSeitenBreite / 2)
            return QStringLiteral("Der linke Rand %1 der Druckereinstellungen liegt außerhalb der Seite.\n"
                                  "Bitte stellen Sie unter \u201EDruckoptionen\u201C einen Rand "
                                  "von %2 bis %3 ein.")
                .arg(m_rand)
                .arg(70 - kSeitenRand)
                .arg(kSeitenBreite / 2 + 70 - kSeitenRand);
        m_h = druckZeilenhoehe(m_schrift, m_punkte);
        if (m_abstand > kNutzhoehe || qint64(m_abstand) - 5 + m_h < 1)
            return QStringLiteral("Der Zeilenabstand %1 der Druckereinstellungen lässt sich nicht drucken.\n"
                                  "Bitte stellen Sie unter \u201EDruckoptionen\u201C einen Zeilenabstand "
                                  "von %2 bis %3 ein.")
                .arg(m_abstand)
                .arg(6 - m_h)
                .arg(kNutzhoehe);
        m_links = int(links);
        // A caption wider than the paper is printed smaller; the line height stays.
        m_kopfPunkte = m_punkte + 3;
        while (m_kopfPunkte > 1 &&
               QFontMetricsF(druckSchrift(m_schrift, m_kopfPunkte, true)).horizontalAdvance(m_titel) >
                   kSeitenBreite)
            --m_kopfPunkte;
        m_normal = druckSchrift(m_schrift, m_punkte, false);
        return {};
    }

    int h() const { return m_h; }
    int abstand() const { return m_abstand; }
    int links() const { return m_links; }
    const QFont& schrift() const { return m_normal; }

    void beginnen() {
        m_seiten.append(Druckseite());
        kopf();
    }

    // A line of the body at (x, y); a new page first when this one is full.
    void zeile(int x, const QString& text, bool fett = false) {
        // The page's height decides, not the lines-per-page setting: a count made for other line
        // heights would leave a page partly empty.
        const bool voll = m_y + m_h > kSeitenHoehe - kSeitenRand;
        // A page that holds nothing yet takes the line even when it does not fit, so a line always ends.
        if (voll && m_zeilenAufSeite > 0) neueSeite();
        text_(x, m_y, text, m_punkte, fett);
        ++m_zeilenAufSeite;
    }
    // A second text on the line just printed.
    void dazu(int x, const QString& text) { text_(x, m_zeilenY, text, m_punkte, false); }
    void weiter(int schritt) { m_y += schritt; }

    QList<Druckseite> seiten() && { return std::move(m_seiten); }

private:
    void kopf() {
        const QFont fett = druckSchrift(m_schrift, m_kopfPunkte, true);
        const int w = qCeil(QFontMetricsF(fett).horizontalAdvance(m_titel));
        const int kopfY = kSeitenRand - 70;
        text_(qMax(0, (kSeitenBreite - w) / 2), kopfY, m_titel, m_kopfPunkte, true);
        // The date follows "Erstellt am" 50 pixels on, or further where a wider substitute font
        // would run the two together; it ends inside the page whatever the margin.
        const QFontMetricsF m(druckSchrift(m_schrift, m_punkte, false));
        const QString erstellt = QStringLiteral("Erstellt am");
        const QString datum = QStringLiteral(": ") + m_datum;
        const int abstand = qMax(50, qCeil(m.horizontalAdvance(erstellt)) + 2);
        const int x =
            qMax(0, qMin(m_rand + 600, kSeitenBreite - abstand - qCeil(m.horizontalAdvance(datum))));
        text_(x, m_datumY, erstellt, m_punkte, false);
        text_(x + abstand, m_datumY, datum, m_punkte, false);
        m_y = kopfY + m_koerperAbstand;
        m_zeilenAufSeite = 0;
    }
    void neueSeite() {
        m_seiten.append(Druckseite());
        kopf();
    }
    void text_(int x, int y, const QString& text, int punkte, bool fett) {
        m_seiten.last().append({x, y, text, m_schrift, punkte, fett});
        m_zeilenY = y;
    }

    QString m_schrift;
    int m_punkte, m_abstand, m_rand;
    QString m_titel, m_datum;
    int m_datumY, m_koerperAbstand;
    int m_h = 0, m_kopfPunkte = 0, m_links = 0, m_y = 0, m_zeilenY = 0, m_zeilenAufSeite = 0;
    QFont m_normal;
    QList<Druckseite> m_seiten;
};

// The lines of a text: the box's breaks, then whatever the print font still makes too wide for the
// page broken again, so that nothing runs off the paper.
QStringList druckzeilen(const QString& text, Zeilenumbruch& box, const QFont& schrift, int links) {
    Zeilenumbruch seite(schrift, kSeitenBreite - links);
    QStringList aus;
    for (const QString& z : box.zeilen(text)) {
        if (z.isEmpty())
            aus.append(z);
        else
            aus.append(seite.zeilen(z));
    }
    return aus;
}

} // namespace

Druckrezept druckrezept(const dateien& s) {
    Druckrezept r;
    r.titel = s.name.toQString();
    r.schwierigkeit = s.schwer.toQString();
    r.portionsart = s.personen.toQString();
    r.anzahl = s.anzahl.toQString();
    r.kosten = dezimalText(s.preis, 2, true);
    r.zeit = s.zeit.toQString();
    r.kochzeit = s.k_zeit.toQString();
    r.kalorien = s.kalorien.toQString();
    r.datum = s.erfasst_am.toQString();
    r.utensilien = s.utensielien.plainText();
    r.zutaten = s.zutaten.plainText();
    r.zubereitung = s.zubereitung.plainText();
    return r;
}

namespace {

QFont schriftInPixeln(const QString& familie, int pixel, bool fett) {
    QFont f(familie);
    f.setPixelSize(pixel);
    f.setBold(fett);
    f.setKerning(false);
    return f;
}

// The ink of a sample text: how many pixels it darkens, weighted by how dark.
qint64 tinte(const QFont& f) {
    const QString probe = QStringLiteral("Zutatenliste Zubereitung");
    QImage bild(QFontMetrics(f).horizontalAdvance(probe) + 8, QFontMetrics(f).height() + 8,
                QImage::Format_Grayscale8);
    bild.fill(Qt::white);
    QPainter maler(&bild);
    maler.setFont(f);
    maler.setPen(Qt::black);
    maler.drawText(QPointF(4, 4 + QFontMetricsF(f).ascent()), probe);
    maler.end();
    qint64 summe = 0;
    for (int y = 0; y < bild.height(); ++y) {
        const uchar* zeile = bild.constScanLine(y);
        for (int x = 0; x < bild.width(); ++x)
            summe += 255 - zeile[x];
    }
    return summe;
}

// Some stand-in families ship a bold face that prints no heavier than their regular one (Wine's
// Tahoma): measured once per family.
bool fettSichtbar(const QString& familie) {
    static QHash<QString, bool> gemessen;
    auto it = gemessen.constFind(familie);
    if (it != gemessen.cend()) return *it;
    const qint64 normal = tinte(schriftInPixeln(familie, 40, false));
    const bool sichtbar = normal > 0 && tinte(schriftInPixeln(familie, 40, true)) * 5 >= normal * 6;
    gemessen.insert(familie, sichtbar);
    return sichtbar;
}

} // namespace

QString fetteFamilie(const QString& schrift) {
    if (fettSichtbar(schrift)) return schrift;
    // Tahoma's relatives first: DejaVu Sans (Verdana's stand-in), then an Arial.
    for (const QString& ersatz : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")})
        if (fettSichtbar(ersatz)) return ersatz;
    return schrift;
}

QFont druckSchrift(const QString& schrift, int punkte, bool fett) {
    // Points on the page of 96 pixels per inch, rounded as the page's canvas rounds them.
    const int pixel = qMax(1, (punkte * 96 + 36) / 72);
    return schriftInPixeln(fett ? fetteFamilie(schrift) : schrift, pixel, fett);
}

int druckZeilenhoehe(const QString& schrift, int punkte) {
    const QFont kopf = druckSchrift(schrift, punkte + 3, true);
    const QFontMetricsF m(kopf);
    // A font whose ascent and descent add up to hardly more than its size (Wine's Tahoma again)
    // would set lines with accents above and descenders below nearly touching: never less than
    // 1.25 times the size, so that the body lines (h - 5 apart) keep some room between them.
    return qCeil(qMax(qMax(m.height(), m.lineSpacing()), 1.25 * kopf.pixelSize()));
}

// ------------------------------------------------------------------------------- line breaking

namespace {
QFont boxSchrift() {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    f.setKerning(false);
    return f;
}
} // namespace

Zeilenumbruch::Zeilenumbruch(int breite) : Zeilenumbruch(boxSchrift(), breite) {}

Zeilenumbruch::Zeilenumbruch(const QFont& schrift, int breite) : m_breite(breite), m_metrik(schrift) {
    m_latin1.fill(-1);
}

double Zeilenumbruch::breite(QChar c) {
    const char16_t u = c.unicode();
    if (u < 256) {
        double& b = m_latin1[u];
        if (b < 0) b = m_metrik.horizontalAdvance(c);
        return b;
    }
    auto it = m_andere.constFind(u);
    if (it != m_andere.cend()) return *it;
    return *m_andere.insert(u, m_metrik.horizontalAdvance(c));
}

QStringList Zeilenumbruch::zeilen(const QString& text) {
    std::vector<Zeilenort> orte;
    zeilenorte(text, orte);
    QStringList aus;
    aus.reserve(qsizetype(orte.size()));
    for (const auto& [von, laenge] : orte)
        aus.append(text.mid(von, laenge));
    return aus;
}

namespace {

using Zeilenort = Zeilenumbruch::Zeilenort;

// The line rule on any text of n units: zeichen(i) is the unit at i, breite(i) the advance of the
// character that starts there and how many units it takes. Paragraphs end at CR, LF or CR LF; each
// line is as long as it fits, ending after the last blank run that fits.
template <typename Zeichen, typename Breite>
void zeilenorteVon(qsizetype n, double grenze, const Zeichen& zeichen, const Breite& breite,
                   std::vector<Zeilenort>& aus) {
    const auto absatz = [&](qsizetype von, qsizetype bis) {
        if (von == bis) {
            aus.emplace_back(von, 0);
            return;
        }
        qsizetype anfang = von;
        while (anfang < bis) {
            double w = 0;
            qsizetype i = anfang;
            qsizetype nachLeer = -1; // the position after the last blank run that fits
            while (i < bis) {
                if (zeichen(i) == u' ') {
                    // Blanks never force a break: they hang at the end of the line.
                    const double b = breite(i).first;
                    while (i < bis && zeichen(i) == u' ') {
                        w += b;
                        ++i;
                    }
                    nachLeer = i;
                    continue;
                }
                const auto [cw, laenge] = breite(i);
                if (w + cw > grenze && i > anfang) break;
                w += cw;
                i += laenge;
            }
            if (i >= bis) {
                aus.emplace_back(anfang, bis - anfang);
                return;
            }
            const qsizetype ende = nachLeer > anfang ? nachLeer : i;
            aus.emplace_back(anfang, ende - anfang);
            anfang = ende;
        }
    };
    qsizetype von = 0;
    while (von < n) {
        qsizetype bis = von;
        while (bis < n && zeichen(bis) != u'\r' && zeichen(bis) != u'\n')
            ++bis;
        absatz(von, bis);
        if (bis < n && zeichen(bis) == u'\r' && bis + 1 < n && zeichen(bis + 1) == u'\n') ++bis;
        von = bis + 1;
    }
}

} // namespace

void Zeilenumbruch::zeilenorte(const QString& text, std::vector<Zeilenort>& aus) {
    const qsizetype n = text.size();
    const auto zeichen = [&](qsizetype i) { return text[i].unicode(); };
    const auto breiteBei = [&](qsizetype i) -> std::pair<double, qsizetype> {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate())
            return {m_metrik.horizontalAdvance(text.mid(i, 2)), 2};
        return {breite(c), 1};
    };
    zeilenorteVon(n, m_breite, zeichen, breiteBei, aus);
}

void Zeilenumbruch::zeilenorteCp1252(QByteArray& text, std::vector<Zeilenort>& aus) {
    // CR LF becomes LF first, as in the text field (as QString::replace does: left to right, no
    // rescan), in place.
    if (const qsizetype erstes = text.indexOf('\r'); erstes >= 0) {
        char* t = text.data();
        const qsizetype n = text.size();
        qsizetype w = erstes;
        for (qsizetype r = erstes; r < n; ++r) {
            if (t[r] == '\r' && r + 1 < n && t[r + 1] == '\n') continue;
            t[w++] = t[r];
        }
        text.truncate(w);
    }
    if (!m_cp1252Gemessen) {
        for (int b = 0; b < 256; ++b)
            m_cp1252[size_t(b)] = breite(QChar(pfl::cp1252Zeichen(static_cast<unsigned char>(b))));
        m_cp1252Gemessen = true;
    }
    const auto* t = reinterpret_cast<const unsigned char*>(text.constData());
    const auto zeichen = [t](qsizetype i) { return char16_t(t[i]); };
    const auto breiteBei = [&](qsizetype i) -> std::pair<double, qsizetype> { return {m_cp1252[t[i]], 1}; };
    zeilenorteVon(text.size(), m_breite, zeichen, breiteBei, aus);
}

// ------------------------------------------------------------------------------- the printouts

Drucklayout rezeptSetzen(const Druckrezept& r, const DruckGruppe& g, const QDate& heute) {
    Drucklayout aus;
    // The price is read before anything is laid out: an unreadable one ends the printout.
    double preis = 0;
    if (!r.kosten.trimmed().isEmpty()) {
        const std::optional<double> p = dezimalzahl(r.kosten);
        if (!p) {
            aus.fehler = QStringLiteral("Der Preis \u201E%1\u201C ist kein gültiger Betrag.\n"
                                        "Das Rezept wird nicht gedruckt.")
                             .arg(r.kosten);
            return aus;
        }
        preis = *p;
    }
    Setzer s(g, r.titel, heute, 60, 70);
    aus.fehler = s.pruefen();
    if (!aus.fehler.isEmpty()) return aus;
    s.beginnen();
    const int L = s.links();
    const int V = L + 130;
    const int h = s.h();
    const int a = s.abstand();
    const QString felder[7][2] = {{QStringLiteral("Schwierigkeitsgrad"), r.schwierigkeit},
                                  {r.portionsart, r.anzahl},
                                  {QStringLiteral("Kosten ca."), QString()},
                                  {QStringLiteral("Zubereitungszeit       (Min)"), r.zeit},
                                  {QStringLiteral("Koch-/Backzeit          (Min)"), r.kochzeit},
                                  {QStringLiteral("Kalorien p. Portion"), r.kalorien},
                                  {QStringLiteral("Erfasst am"), r.datum}};
    for (int i = 0; i < 7; ++i) {
        s.zeile(L, links30(felder[i][0]));
        if (i == 2) {
            s.dazu(V, QStringLiteral(" : "));
            s.dazu(V + 10, waehrungText(preis));
        } else {
            s.dazu(V, links30(QStringLiteral(" : ") + felder[i][1]));
        }
        s.weiter(i < 6 ? a - 4 + h : a + 2 + h);
    }
    Zeilenumbruch box;
    const QString bloecke[3][2] = {{QStringLiteral("Sie benötigen folgende Küchenutensilien"), r.utensilien},
                                   {QStringLiteral("Zutatenliste"), r.zutaten},
                                   {QStringLiteral("Zubereitung"), r.zubereitung}};
    for (int b = 0; b < 3; ++b) {
        if (b > 0) s.weiter(a + h);
        s.zeile(L, links30(bloecke[b][0] + QLatin1Char(':')), true);
        s.weiter(a + 2 + h);
        for (const QString& z : druckzeilen(bloecke[b][1], box, s.schrift(), L)) {
            s.zeile(L, z);
            s.weiter(a - 5 + h);
        }
    }
    aus.seiten = std::move(s).seiten();
    return aus;
}

Drucklayout einkaufslisteSetzen(const QString& text, const DruckGruppe& g, const QDate& heute) {
    Drucklayout aus;
    Setzer s(g, QStringLiteral("Einkaufsliste"), heute, 70, 80);
    aus.fehler = s.pruefen();
    if (!aus.fehler.isEmpty()) return aus;
    s.beginnen();
    Zeilenumbruch box;
    for (const QString& z : druckzeilen(text, box, s.schrift(), s.links())) {
        s.zeile(s.links(), z);
        s.weiter(s.abstand() - 5 + s.h());
    }
    aus.seiten = std::move(s).seiten();
    return aus;
}

void seiteZeichnen(QPainter& maler, const Druckseite& seite) {
    maler.save();
    maler.setPen(Qt::black);
    for (const Drucktext& t : seite) {
        const QFont f = druckSchrift(t.schrift, t.punkte, t.fett);
        maler.setFont(f);
        maler.drawText(QPointF(t.x, t.y + QFontMetricsF(f).ascent()), t.text);
    }
    maler.restore();
}

QPicture seiteAufzeichnen(const Druckseite& seite) {
    QPicture bild;
    QPainter maler(&bild);
    seiteZeichnen(maler, seite);
    maler.end();
    bild.setBoundingRect(QRect(0, 0, kSeitenBreite, kSeitenHoehe));
    return bild;
}

} // namespace pfl
