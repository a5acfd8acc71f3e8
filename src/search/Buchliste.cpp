// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/Buchliste.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "grid/Tabellenfarben.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"
#include "pages/Rezeptbild.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaMethod>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSpalten = 10;
constexpr QSize kKnopf(120, 33);

QString rechts(const QString& s, int breite) {
    return s.rightJustified(breite, QLatin1Char(' '));
}

QString links(const QString& s, int breite) {
    return s.leftJustified(breite, QLatin1Char(' '));
}

// The listing's rows as the table shows them, each cell formatted from the compact rows when the
// table asks for it: a hundred thousand rows keep only their fields' bytes.
class Listenquelle : public TZeilenquelle {
public:
    Listenquelle(pfl::Listenzeilen zeilen, QStringList buecher, bool mitBuch)
        : m_zeilen(std::move(zeilen)), m_buecher(std::move(buecher)), m_buch(mitBuch ? 1 : 0) {}
    int anzahl() const override { return int(m_zeilen.size()); }
    QString zelle(int zeile, int spalte) const override {
        using Z = pfl::Listenzeilen;
        const qsizetype i = zeile;
        if (m_buch && spalte == 1) return links(m_buecher.value(m_zeilen.buch(i)), 30); // padded, never cut
        switch (spalte > 1 ? spalte - m_buch : spalte) {
        case 0:
            return rechts(QString::number(m_zeilen.position(i)), 5);
        case 1:
            return links(m_zeilen.text(i, Z::Kategorie), 30);
        case 2:
            return links(m_zeilen.text(i, Z::Rubrik), 30);
        case 3:
            return links(m_zeilen.text(i, Z::Name), 30);
        case 4:
            return m_zeilen.text(i, Z::Personen).trimmed();
        case 5:
            return rechts(QString(m_zeilen.text(i, Z::Zeit) + QStringLiteral(" Min.")).left(15), 10);
        case 6:
            return rechts(m_zeilen.text(i, Z::Schwer), 10);
        case 7:
            return pfl::waehrungText(m_zeilen.preis(i));
        case 8:
            return rechts(m_zeilen.text(i, Z::Kalorien), 10);
        case 9:
            return rechts(m_zeilen.text(i, Z::ErfasstAm), 10);
        default:
            return QString();
        }
    }

private:
    const pfl::Listenzeilen m_zeilen;
    const QStringList m_buecher;
    const int m_buch;
};

QPlainTextEdit* memo(QGroupBox* gruppe, const QString& name) {
    auto* m = new QPlainTextEdit(gruppe);
    m->setObjectName(name);
    m->setReadOnly(true);
    m->setAccessibleName(gruppe->title());
    auto* l = new QVBoxLayout(gruppe);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(m);
    return m;
}

} // namespace

Tform21::Tform21(pfl::Umgebung& umgebung, QWidget* parent)
    : Tform21(umgebung, parent, QStringLiteral("form21"), QStringLiteral("Rezeptbuch bearbeiten /ansehen"), 0,
              false) {}

Tform21::Tform21(pfl::Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                 int hilfeFest, bool mitBuch)
    : Nebenfenster(umgebung, parent, name, titel, umgebung.plattform.workArea().size(), kHilfeAlle),
      m_hilfeFest(hilfeFest), m_buch(mitBuch ? 1 : 0) {
    auto* senkrecht = new QVBoxLayout(this);
    senkrecht->setContentsMargins(4, 4, 4, 0);

    m_tabelle = new TFilterGrid(this);
    m_tabelle->setObjectName(QStringLiteral("FilterGrid1"));
    m_tabelle->setAccessibleName(QStringLiteral("Rezepte"));
    m_tabelle->setColCount(kSpalten + m_buch);
    m_tabelle->setRowCount(2);
    m_tabelle->setFixedCols(1);
    m_tabelle->setFixedRows(1);
    m_tabelle->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing |
                          goRowSelect);
    m_tabelle->setSortMouseEd(true);
    m_tabelle->setSortierenEd(true);
    m_tabelle->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_tabelle->RowColorProc = [this](TFilterGrid&, int&, QPainter& can, int, int aRow, TGridDrawState st) {
        FilterGrid1RowColorProc(aRow, can, st);
    };
    connect(m_tabelle, &TFilterGrid::Click, this, &Tform21::FilterGrid1Click);
    connect(m_tabelle, &TFilterGrid::DblClick, this, &Tform21::FilterGrid1DblClick);
    senkrecht->addWidget(m_tabelle, 3);

    auto* details = new QHBoxLayout;
    auto* gZutaten = new QGroupBox(QStringLiteral("Zutaten"), this);
    gZutaten->setObjectName(QStringLiteral("GroupBox1"));
    m_zutaten = memo(gZutaten, QStringLiteral("Memo1"));
    auto* gZubereitung = new QGroupBox(QStringLiteral("Zubereitung"), this);
    gZubereitung->setObjectName(QStringLiteral("GroupBox2"));
    m_zubereitung = memo(gZubereitung, QStringLiteral("Memo2"));
    m_bildGruppe = new QGroupBox(QStringLiteral("Bild"), this);
    m_bildGruppe->setObjectName(QStringLiteral("GroupBox3"));
    m_bild = new QLabel(m_bildGruppe);
    m_bild->setObjectName(QStringLiteral("Image1"));
    m_bild->setScaledContents(true); // stretched to the box
    m_bild->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* lBild = new QVBoxLayout(m_bildGruppe);
    lBild->setContentsMargins(4, 4, 4, 4);
    lBild->addWidget(m_bild);
    details->addWidget(gZutaten, 2);
    details->addWidget(gZubereitung, 3);
    details->addWidget(m_bildGruppe, 2);
    senkrecht->addLayout(details, 2);

    // The bottom bar: buttons at fixed places around half the screen width.
    auto* leiste = new QWidget(this);
    leiste->setFixedHeight(kKnopf.height() + 12);
    senkrecht->addWidget(leiste);
    m_bearbeiten = knopf(QStringLiteral("Button1"), QStringLiteral("Bearbeiten >>"), kKnopf);
    m_beenden = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"), kKnopf);
    m_hilfe = knopf(QStringLiteral("Button3"), QStringLiteral("Hilfe"), kKnopf);
    m_bildGross = new QToolButton(leiste);
    m_bildGross->setObjectName(QStringLiteral("SpeedButton1"));
    m_bildGross->setText(QStringLiteral("\u2922"));
    m_bildGross->setToolTip(QStringLiteral("Bild vergrößern"));
    m_bildGross->setAccessibleName(QStringLiteral("Bild vergrößern"));
    m_bildGross->setFixedSize(kKnopf.height(), kKnopf.height());
    m_bildGross->setEnabled(false);
    const int halb = umgebung.plattform.screenSize().width() / 2;
    for (QPushButton* b : {m_bearbeiten, m_beenden, m_hilfe})
        b->setParent(leiste);
    m_bearbeiten->move(halb - int(1.5 * kKnopf.width()) - 15, 6);
    m_beenden->move(halb - kKnopf.width() / 2 - 10, 6);
    m_hilfe->move(halb + kKnopf.width() / 2 - 5, 6);
    m_bildGross->move(halb + kKnopf.width() * 3 / 2 + 5, 6);
    m_exportieren = knopf(QStringLiteral("Exportieren"), QStringLiteral("Exportieren …"), kKnopf);
    m_exportieren->setParent(leiste);
    m_exportieren->setAutoDefault(false);
    m_exportieren->setToolTip(QStringLiteral("Die Rezepte dieser Liste als HTML-Seite, JSON-LD-Datei oder "
                                             "MealMaster-Datei speichern"));
    m_exportieren->move(m_bildGross->x() + m_bildGross->width() + 10, 6);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_bearbeiten, m_beenden, m_hilfe, m_bildGross, m_exportieren})
        w->show();

    connect(m_bearbeiten, &QPushButton::clicked, this, &Tform21::Button1Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::close);
    connect(m_hilfe, &QPushButton::clicked, this, &Tform21::Button3Click);
    connect(m_bildGross, &QToolButton::clicked, this, &Tform21::SpeedButton1Click);
    connect(m_exportieren, &QPushButton::clicked, this, &Tform21::exportierenClick);
}

void Tform21::daten_ansehen() {
    // Without a chosen row "Bearbeiten >>" takes the first one.
    m_bearbeiten->setEnabled(true);
    fuellen(daten().buchZeilen(), {}, QStringLiteral("Rezeptbuch bearbeiten/ansehen"), false);
}

void Tform21::daten_suchen(const QString& name) {
    pfl::Suchbegriff b;
    b.was = 11;
    b.objekt = name.left(70); // string[70]
    suchen(b, QStringLiteral("Rubrik >") + name + QStringLiteral("< suchen"));
}

void Tform21::suchen(const pfl::Suchbegriff& begriff, const QString& titel) {
    m_bearbeiten->setEnabled(false);
    Unit4& u = daten();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    pfl::Listenzeilen zeilen = u.buchZeilen(&begriff);
    QApplication::restoreOverrideCursor();
    fuellen(std::move(zeilen), {}, titel, true);
    m_bearbeiten->setEnabled(u.satznum > 0);
}

void Tform21::fuellen(pfl::Listenzeilen zeilen, const QStringList& buecher, const QString& titel,
                      bool suche) {
    Unit4& u = daten();
    m_suche = suche;
    m_auswahl = u.auswahl;
    setWindowTitle(titel);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    u.satznum = 0;
    if (m_suche) detailsLeeren();
    const int spalten = kSpalten + m_buch;

    TFilterGrid& g = *m_tabelle;
    // No row is chosen while the table refills: moving its current row must not count as a click.
    const QSignalBlocker stumm(m_tabelle);
    g.BeginUpdate();
    g.setColCount(spalten);
    g.setFixedRows(1);
    g.setFixedCols(1);
    const bool leer = zeilen.isEmpty();
    const int ersterPlatz = leer ? 0 : zeilen.position(0);
    const QString ersterBuch = leer || !m_buch ? QString() : buecher.value(zeilen.buch(0));
    // The rows stay compact; with none the table shows one empty row.
    g.setZeilenquelle(std::make_shared<Listenquelle>(std::move(zeilen), buecher, m_buch != 0));
    if (u.option.z_hoehe > 10) g.setDefaultRowHeight(int(u.option.z_hoehe));
    QStringList titelzeile = {QStringLiteral("Nr.     "),
                              QStringLiteral("Kategorie"),
                              QStringLiteral("Rubrik"),
                              QStringLiteral("Name"),
                              QStringLiteral("Personen"),
                              QStringLiteral("Arbeitszeit"),
                              QStringLiteral("Schwierigkeitsgrad"),
                              QStringLiteral("Kosten"),
                              QStringLiteral("Kalorien"),
                              QStringLiteral("Erfasst am")};
    if (m_buch) titelzeile.insert(1, QStringLiteral("Rezeptbuch"));
    for (int col = 0; col < spalten; ++col) {
        g.setCells(col, 0, titelzeile.at(col));
        if (col > 0) g.setColWidths(col, 0);
    }
    tabellenSchrift();
    spaltenMerkmale();
    g.EndUpdate();
    QApplication::restoreOverrideCursor();

    if (leer) {
        if (m_suche) {
            plattform().message(
                Platform::Kind::Information,
                QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. "));
            Q_EMIT u.copy1Angefordert();
        } else {
            plattform().message(
                Platform::Kind::Information,
                QStringLiteral("   Noch keine Rezepte vorhanden. \n Bitte geben Sie Ihre Rezeptdaten ein. "));
        }
        return;
    }
    m_exportieren->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&Tform21::exportierenVerlangt)));
    // The first hit's details; its position is not yet the chosen one (satznum stays 0).
    ersteDetails(ersterPlatz, ersterBuch);
    faerben();
    // The work area, frame included.
    setFixedSize(nutzflaeche().size());
    move(plattform().workArea().topLeft());
    modalitaetFestlegen();
    show();
    raise();
    activateWindow();
    g.ColInfo_Set(-1);
    g.ColSetMaxWidths(false, false, false);
    g.setRow(1);
    g.scrollToTop();
}

void Tform21::ersteDetails(int position, const QString&) {
    if (daten().satz_lesen(position)) detailsZeigen(daten().datei);
}

void Tform21::spaltenMerkmale() {
    const Tcolor1& c = farben().colorx;
    TFilterGrid& g = *m_tabelle;
    pfl::tabelleFaerben(g, c, pfl::Tabellenart::Liste);
    const QString titSchrift = c.ue_grid_s.toQString();
    const QString datSchrift = c.grid_s.toQString();
    // The book column's "Erfasst am" takes the looks of the other data columns too.
    for (int col = 0; col < kSpalten + m_buch; ++col) {
        int ausrichtung = TextFlag::Mitte;
        // The three columns left of "Name" (with the book column: "Name" itself is centred there).
        if (col >= 1 && col <= 3) ausrichtung = TextFlag::Links;
        if (col == 0 && m_suche) ausrichtung = TextFlag::Rechts;
        const quint32 grund = pfl::farbwert(col == 0 ? c.String_box_ueb : c.String_box);
        const quint32 schrift =
            pfl::farbwert(col == 0 && !m_suche ? c.String_box_ueb_Font : c.String_box_font);
        NewColFeatures(g, col, TextFlag::Mitte, ausrichtung, grund, schrift, pfl::farbwert(c.String_box_ueb),
                       pfl::farbwert(c.String_box_ueb_Font), c.grid_g, c.ue_grid_g, datSchrift, titSchrift);
        NewColFeatures1(g, col, col == 0 ? QLatin1Char('I') : QLatin1Char(' '), ausrichtung);
    }
}

void Tform21::tabellenSchrift() {
    const Tcolor1& c = farben().colorx;
    const QSize s = plattform().screenSize();
    const bool klein = plattform().pixelsPerInch() < 97;
    const Schriftsatz* satz = nullptr;
    if (s.width() == 800 && s.height() == 600) satz = klein ? &c.k800 : &c.g800;
    if (s.width() >= 1024 && s.height() >= 768) satz = klein ? &c.k1024 : &c.g1024;
    if (s.width() >= 1280 && s.height() >= 1024) satz = klein ? &c.k1280 : &c.g1280;
    if (s.width() >= 1600 && s.height() >= 1200) satz = klein ? &c.k1600 : &c.g1600;
    if (!satz) satz = klein ? &c.k1280 : &c.g1280;
    QFont f = m_tabelle->font();
    const QString name = satz->grid_s.toQString();
    if (!name.isEmpty()) f.setFamily(name);
    if (satz->grid_g > 0) f.setPointSize(satz->grid_g);
    m_tabelle->setFont(f);
}

void Tform21::FilterGrid1RowColorProc(int aRow, QPainter& can, TGridDrawState state) {
    // The chosen row's text in its own colour.
    if (aRow < 1 || !(state & (gdSelected | gdRowSelected))) return;
    can.setPen(pfl::alsFarbe(quint32(farben().colorx.String_box_mark_Row_font)));
}

void Tform21::faerben() {
    Nebenfenster::faerben();
    const Tcolor1& c = farben().colorx;
    const QColor grund = pfl::alsFarbe(quint32(c.String_box));
    const QColor schrift = pfl::alsFarbe(quint32(c.String_box_font));
    for (QPlainTextEdit* m : {m_zutaten, m_zubereitung}) {
        QPalette p = m->palette();
        p.setColor(QPalette::Base, grund);
        p.setColor(QPalette::Text, schrift);
        m->setPalette(p);
    }
}

void Tform21::FilterGrid1Click() {
    Unit4& u = daten();
    const int r = m_tabelle->Row();
    if (r < 1) return;
    buchDerZeile(r);
    u.kategorie = m_tabelle->Cells(1 + m_buch, r).trimmed();
    u.rubrik = m_tabelle->Cells(2 + m_buch, r).trimmed();
    u.satznum = qMax(0, pfl::ganzzahl(m_tabelle->Cells(0, r)).value_or(0));
    if (u.satznum > 0) datei_einlesen();
    m_bearbeiten->setEnabled(u.satznum >= 1);
}

void Tform21::FilterGrid1DblClick() {
    const int r = m_tabelle->Row();
    if (r < 1) return;
    const QString nr = m_tabelle->Cells(0, r).trimmed();
    if (nr.isEmpty()) return;
    buchDerZeile(r);
    daten().satznum = qMax(0, pfl::ganzzahl(nr).value_or(0));
    datei_einlesen();
    Button1Click();
}

void Tform21::buchDerZeile(int r) {
    if (!m_buch) return;
    // Active for the rest of the run, not written to the options.
    Unit4& u = daten();
    u.rezeptbuch = m_tabelle->Cells(1, r).trimmed();
    u.daten = u.buchAnzahl();
}

void Tform21::datei_einlesen() {
    Unit4& u = daten();
    if (u.satznum == 0) u.satznum = 1;
    if (u.satz_lesen(u.satznum)) detailsZeigen(u.datei);
}

void Tform21::detailsZeigen(const dateien& d) {
    m_zutaten->setPlainText(d.zutaten.plainText());
    m_zubereitung->setPlainText(d.zubereitung.plainText());
    const QString name = d.bild.toQString();
    std::optional<pfl::Rezeptbild> b;
    if (pfl::bildnameSicher(name)) b = pfl::bildLaden(daten().lpf + QStringLiteral("Bilder/") + name);
    if (!b) {
        m_bildname.clear();
        m_bild->clear();
        m_bildGruppe->setTitle(QStringLiteral("Bild"));
        m_bildGross->setEnabled(false);
        return;
    }
    m_bildname = name;
    m_bild->setPixmap(QPixmap::fromImage(b->bild));
    m_bild->show();
    m_bildGruppe->setTitle(name);
    m_bildGross->setEnabled(true);
}

void Tform21::detailsLeeren() {
    m_zutaten->clear();
    m_zubereitung->clear();
    m_bildname.clear();
    m_bild->clear();
    m_bildGruppe->setTitle(QStringLiteral("Bild"));
    m_bildGross->setEnabled(false);
}

void Tform21::Button1Click() {
    Unit4& u = daten();
    if (u.satznum == 0) {
        u.satznum = qMax(0, pfl::ganzzahl(m_tabelle->Cells(0, 1)).value_or(0));
        u.kategorie = m_tabelle->Cells(1 + m_buch, 1);
        if (u.satznum > 0) buchDerZeile(1);
    }
    if (u.satznum < 1) return; // an empty table has no recipe to edit
    u.Kategorien_lesen();
    u.Rubriken_erkennen();
    u.Rubriken_lesen();
    const int nummer = u.satznum;
    close();
    Q_EMIT bearbeitenVerlangt(nummer);
}

void Tform21::Button3Click() {
    hilfeZeigen();
}

int Tform21::hilfethema() const {
    if (m_hilfeFest) return m_hilfeFest;
    switch (m_auswahl) {
    case 1:
        return kHilfeAlle;
    case 2:
        return kHilfeSuche;
    default:
        return kHilfeInhalt; // opened otherwise (a name in the overview): the help's contents
    }
}

void Tform21::SpeedButton1Click() {
    if (!m_bildname.isEmpty()) Q_EMIT bildVergroessernVerlangt(m_bildname);
}

void Tform21::exportierenClick() {
    // Every row, in the order the user sorted them; a row names its book in the book column.
    const Unit4& u = daten();
    pfl::Rezeptstellen stellen;
    for (int r = 1; r < m_tabelle->RowCount(); ++r) {
        const int position = pfl::ganzzahl(m_tabelle->Cells(0, r)).value_or(0);
        if (position < 1) continue;
        stellen.append({m_buch ? m_tabelle->Cells(1, r).trimmed() : u.rezeptbuch, position});
    }
    const QString name = m_suche ? QStringLiteral("Suchergebnis") : u.rezeptbuch;
    Q_EMIT exportierenVerlangt(stellen, name);
}

void Tform21::keyPressEvent(QKeyEvent* e) {
    // F1 opens the topic of the way the window was filled.
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        Button3Click();
        return;
    }
    Nebenfenster::keyPressEvent(e);
}
