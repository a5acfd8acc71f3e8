// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/Hauptfenster.h"
#include "widgets/Statustext.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "platform/Farbwert.h"
#include "grid/FilterGrid.h"
#include "grid/Tabellenfarben.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

THintergrund::THintergrund(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void THintergrund::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (malen) malen(p);
}

TForm1::TForm1(pfl::Umgebung& umgebung, QWidget* parent)
    : QMainWindow(parent), u(umgebung.daten), m_farben(umgebung.farben), m_plattform(umgebung.plattform) {
    setObjectName(QStringLiteral("Form1"));
    m_flaeche = new THintergrund(this);
    m_flaeche->setObjectName(QStringLiteral("Flaeche"));
    m_flaeche->malen = [this](QPainter& p) { FormPaint(p); };
    setCentralWidget(m_flaeche);

    // Toolbar: nine flat buttons, picture above the caption.
    m_werkzeugleiste = new QFrame(m_flaeche);
    m_werkzeugleiste->setObjectName(QStringLiteral("Panel1"));
    m_werkzeugleiste->setAccessibleName(QStringLiteral("Werkzeugleiste"));
    m_werkzeugleiste->setFixedHeight(70);
    m_werkzeugleiste->setAutoFillBackground(true);
    auto* leiste = new QHBoxLayout(m_werkzeugleiste);
    leiste->setContentsMargins(6, 2, 6, 2);
    leiste->setSpacing(2);
    const struct {
        const char *name, *text, *bild;
    } knoepfe[] = {{"SpeedButton1", "Erfassen", "erfassen"}, {"SpeedButton5", "Bearbeiten", "bearbeiten"},
                   {"SpeedButton8", "Wechseln", "wechseln"}, {"SpeedButton7", "E-Mail", "email"},
                   {"SpeedButton6", "Suchen", "suchen"},     {"SpeedButton9", "Drucken", "drucken"},
                   {"SpeedButton4", "Backup", "backup"},     {"SpeedButton3", "Farben", "farben"},
                   {"SpeedButton2", "Beenden", "beenden"}};
    for (const auto& k : knoepfe)
        leiste->addWidget(
            knopf(QString::fromLatin1(k.name), QString::fromUtf8(k.text), QString::fromLatin1(k.bild)));
    leiste->addStretch(1);

    // Title labels, shown while the data screen is hidden.
    QFont titel(QStringLiteral("Book Antiqua"));
    titel.setPixelSize(120);
    titel.setBold(true);
    m_titel1 = new QLabel(QStringLiteral("Pfanno-"), m_flaeche);
    m_titel1->setObjectName(QStringLiteral("Label1"));
    m_titel2 = new QLabel(QStringLiteral("Lux"), m_flaeche);
    m_titel2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {m_titel1, m_titel2}) {
        l->setFont(titel);
        l->adjustSize();
    }

    // The data screen: title bar, overview table and the section list on the right.
    m_datenbildschirm = new QFrame(m_flaeche);
    m_datenbildschirm->setObjectName(QStringLiteral("Panel2"));
    m_datenbildschirm->setAccessibleName(QStringLiteral("Datenbildschirm"));
    m_datenbildschirm->setFrameShape(QFrame::StyledPanel);
    m_datenbildschirm->setAutoFillBackground(true);
    m_datenbildschirm->resize(779, 421);
    auto* p2 = new QVBoxLayout(m_datenbildschirm);
    p2->setContentsMargins(2, 2, 2, 2);
    p2->setSpacing(2);
    m_uebersichtTitel = new QLabel(QStringLiteral("Rezepte Übersicht"), m_datenbildschirm);
    m_uebersichtTitel->setObjectName(QStringLiteral("Panel3"));
    m_uebersichtTitel->setFixedHeight(41);
    m_uebersichtTitel->setAlignment(Qt::AlignCenter);
    m_uebersichtTitel->setFrameShape(QFrame::Panel);
    m_uebersichtTitel->setFrameShadow(QFrame::Raised);
    QFont f3(QStringLiteral("Tahoma"));
    f3.setPixelSize(15);
    f3.setBold(true);
    m_uebersichtTitel->setFont(f3);
    p2->addWidget(m_uebersichtTitel);
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(2);
    p2->addLayout(zeile, 1);
    auto* panel5 = new QFrame(m_datenbildschirm);
    panel5->setObjectName(QStringLiteral("Panel5"));
    panel5->setFixedWidth(120);
    auto* p5 = new QVBoxLayout(panel5);
    p5->setContentsMargins(0, 0, 0, 0);
    p5->setSpacing(0);
    m_rubrikenTitel = new QLabel(QStringLiteral("Rubriken"), panel5);
    m_rubrikenTitel->setObjectName(QStringLiteral("Panel6"));
    m_rubrikenTitel->setAlignment(Qt::AlignCenter);
    m_rubrikenTitel->setAutoFillBackground(true);
    m_rubrikenTitel->setFrameShape(QFrame::Panel);
    m_rubriken = new QListWidget(panel5);
    m_rubriken->setObjectName(QStringLiteral("ListBox1"));
    m_rubriken->setAccessibleName(QStringLiteral("Rubriken"));
    QFont fett = m_rubriken->font();
    fett.setBold(true);
    m_rubriken->setFont(fett);
    m_rubrikenTitel->setBuddy(m_rubriken);
    p5->addWidget(m_rubrikenTitel);
    p5->addWidget(m_rubriken, 1);
    m_uebersicht = new TFilterGrid(m_datenbildschirm);
    m_uebersicht->setObjectName(QStringLiteral("FilterGrid1"));
    m_uebersicht->setAccessibleName(QStringLiteral("Rezepte Übersicht"));
    // Scrolling by whole rows: after a sort the top row is never cut in half.
    m_uebersicht->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_uebersicht->setSortMouseEd(true);
    m_uebersicht->setSortierenEd(true);
    m_uebersicht->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    m_uebersicht->RowColorProc = [this](TFilterGrid& g, int& ausr, QPainter& can, int aCol, int aRow,
                                        TGridDrawState st) {
        FilterGrid1RowColorProc(g, ausr, can, aCol, aRow, st);
    };
    connect(m_uebersicht, &TFilterGrid::Click, this, &TForm1::FilterGrid1Click);
    connect(m_uebersicht, &TFilterGrid::DblClick, this, &TForm1::FilterGrid1DblClick);
    zeile->addWidget(m_uebersicht, 1);
    zeile->addWidget(panel5);
    connect(m_rubriken, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(m_rubriken, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0 && m_rubriken->item(r)->text() != u.rubrik) ListBox1Click();
    });

    // Status bar: the first panel is half the screen wide, the second right-aligned.
    m_statusBuch = new QLabel(this);
    m_statusBuch->setObjectName(QStringLiteral("StatusPanel0"));
    m_statusHinweis = new Statustext(this);
    m_statusHinweis->setObjectName(QStringLiteral("StatusPanel1"));
    m_statusHinweis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_statusBuch);
    statusBar()->addWidget(m_statusHinweis, 1);
    QFont sf = statusBar()->font();
    sf.setPointSize(10);
    statusBar()->setFont(sf);

    menueBauen();
    // Saved web pages, MealMaster files and web addresses dropped on the window are imported.
    setAcceptDrops(true);
    // The section lists follow the data module's lists, whoever reloads them.
    connect(&u, &Unit4::listenGeaendert, this, &TForm1::rubrikenUebernehmen);
    connect(&u, &Unit4::spaltenbreitenNeu, this,
            [this] { m_uebersicht->ColSetMaxWidths(false, false, false); });
    qApp->installEventFilter(this);
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
}

void TForm1::startfokusSetzen() {
    // The keyboard starts on something the user sees: the section list when the data screen shows,
    // else the toolbar's first button.
    const QWidget* fokus = QApplication::focusWidget();
    if (fokus && fokus->isVisible() && fokus->window() == this) return;
    if (m_rubriken->isVisible())
        m_rubriken->setFocus(Qt::OtherFocusReason);
    else if (auto* b = m_werkzeugleiste->findChild<QToolButton*>(QStringLiteral("SpeedButton1")))
        b->setFocus(Qt::OtherFocusReason);
}

QToolButton* TForm1::knopf(const QString& name, const QString& text, const QString& bild) {
    auto* b = new QToolButton(m_werkzeugleiste);
    b->setObjectName(name);
    b->setText(text);
    b->setAccessibleName(text);
    b->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(bild)));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(72);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setFixedHeight(64);
    return b;
}

void TForm1::FormCreate() {
    const QSize s = m_plattform.screenSize();
    setGeometry(0, 0, s.width(), s.height());
    m_flaeche->resize(s);
    m_werkzeugleiste->setGeometry(0, 0, s.width(), 70);

    u.chmFile = u.mitgeliefertPfad(QStringLiteral("Zirade-Zadod.ize"));
    if (!QFileInfo::exists(u.chmFile))
        m_plattform.message(Platform::Kind::Information,
                            QStringLiteral("Hilfe-Datei nicht gefunden\n") + u.chmFile);

    const int hb = s.width() / 2;
    const int hbh = s.height() / 2;
    const int l1 = m_titel1->width() / 2;
    const int l2 = m_titel2->width() / 2;
    m_titel1->move(hb - l1 - 100, hbh - 150);
    m_titel2->move(hb - l2 + 100, hbh + 50);
    m_statusBuch->setFixedWidth(s.width() / 2);

    datenbildschirmZentrieren();
}

void TForm1::Copy1() {
    const QDate heute = m_plattform.today();
    // The background colour H_bs_hg is painted by FormPaint; the toolbar keeps the style's colours.
    for (QLabel* l : {m_titel1, m_titel2}) {
        QPalette lp = l->palette();
        // The scheme's colour as chosen (the colour dialog warns about a poor pair).
        lp.setColor(QPalette::WindowText, pfl::alsFarbe(quint32(m_farben.colorx.D_bs_fa_font)));
        l->setPalette(lp);
    }
    m_statusBuch->setText(QStringLiteral("  Aktives Rezeptbuch: ") + u.rezeptbuch);
    // A folder that can only be read says so; until a book exists, the notice leads a new user to the
    // first step.
    if (u.nurLesen)
        m_statusHinweis->setzen(QStringLiteral("Nur lesen: Der Datenordner %1 ist schreibgeschützt, "
                                               "Änderungen werden nicht gespeichert.  ")
                                    .arg(QDir::toNativeSeparators(QDir::cleanPath(u.lpf))));
    else if (u.buchDateien().isEmpty())
        m_statusHinweis->setzen(
            QStringLiteral("Legen Sie zuerst ein Rezeptbuch an: Datei \u203A Rezeptbuch anlegen  "));
    else
        m_statusHinweis->setzen(QStringLiteral("Pfanno-Lux %1 – Ihre Rezepte liegen im Datenordner %2  ")
                                    .arg(u.version, QDir::toNativeSeparators(QDir::cleanPath(u.lpf))));
    setWindowTitle(QStringLiteral("Pfanno-Lux V") + QStringLiteral("  ") + u.version +
                   QStringLiteral("      -      ") + QStringLiteral("Heute ist ") + QStringLiteral(" ") +
                   pfl::wochentag(heute) + QStringLiteral(" ") + QStringLiteral("der") +
                   QStringLiteral("  ") + pfl::datumText(heute));
    datenbildschirmAnwenden();
    u.auswahl = 0;
    Rezepte_anzeigen();
    m_flaeche->update();
}

void TForm1::datenbildschirmAnwenden() {
    if (u.option.db_einaus == 0) {
        m_datenbildschirmAn->setChecked(false);
        m_datenbildschirmAn->setText(QStringLiteral("Datenbildschirm einschalten"));
        m_datenbildschirm->hide();
        m_titel1->show();
        m_titel2->show();
    } else if (u.option.db_einaus == 1) {
        m_datenbildschirmAn->setChecked(true);
        m_datenbildschirmAn->setText(QStringLiteral("Datenbildschirm ausschalten"));
        m_datenbildschirm->show();
        m_titel1->hide();
        m_titel2->hide();
    }
}

void TForm1::datenbildschirmVerbergen() {
    m_datenbildschirm->hide();
    m_titel1->hide();
    m_titel2->hide();
}

void TForm1::rubrikenUebernehmen() {
    const QSignalBlocker sperre(m_rubriken);
    m_rubriken->clear();
    m_rubriken->addItems(u.listen.rubrikenSortiert);
    const int i = u.listen.rubrikenSortiert.indexOf(u.rubrik);
    if (i >= 0) m_rubriken->setCurrentRow(i);
}

void TForm1::ListBox1Click() {
    const int i = m_rubriken->currentRow();
    if (i < 0) return;
    u.rubrik = m_rubriken->item(i)->text();
    Rezepte_anzeigen();
}

void TForm1::FormPaint(QPainter& p) {
    const Tcolor1& c = m_farben.colorx;
    const QColor grund = pfl::alsFarbe(quint32(c.H_bs_hg));
    const QString datei = u.hintergrundDatei(c.hg_bild.toQString());
    if (c.f_b_haupt != 0 || datei.isEmpty()) {
        p.fillRect(m_flaeche->rect(), grund);
        return;
    }
    if (m_bildDatei != datei) {
        m_bild = QImage(datei);
        m_bildDatei = datei;
        if (m_bild.isNull()) bildFehlerMelden(datei);
    }
    p.fillRect(m_flaeche->rect(), grund);
    // Tiled from the top-left corner, unscaled; a picture without size is not tiled.
    if (m_bild.width() <= 0 || m_bild.height() <= 0) return;
    for (int y = 0; y < m_flaeche->height(); y += m_bild.height())
        for (int x = 0; x < m_flaeche->width(); x += m_bild.width())
            p.drawImage(x, y, m_bild);
}

void TForm1::bildFehlerMelden(const QString& datei) {
    if (m_bildFehler == datei) return;
    m_bildFehler = datei;
    // Not from inside the paint event: the message box would paint over a half-drawn window.
    QTimer::singleShot(0, this, [this, datei] {
        m_plattform.message(Platform::Kind::Error,
                            QStringLiteral("Das Hintergrundbild \u201E%1\u201C kann nicht gelesen werden.\n"
                                           "Pfanno-Lux zeigt stattdessen die Hintergrundfarbe.")
                                .arg(QFileInfo(datei).fileName()));
    });
}

namespace {
// "%10s" of text + anhang in one allocation.
QString rechtsbuendig(const QString& text, QStringView anhang, int breite) {
    const qsizetype n = text.size() + anhang.size();
    QString s;
    s.reserve(qMax<qsizetype>(n, breite));
    if (n < breite) s.fill(QLatin1Char(' '), breite - n);
    s += text;
    s += anhang;
    return s;
}
} // namespace

int TForm1::zeilenhoehe() const {
    return u.option.z_hoehe > 10 ? int(u.option.z_hoehe) : int(kZeilenhoehe);
}

void TForm1::Rezepte_anzeigen() {
    const Tcolor1& c = m_farben.colorx;
    // 1. title
    m_uebersichtTitel->setText(QStringLiteral("Rezepte \"") + u.rezeptbuch + QStringLiteral("\" Rubrik >") +
                               u.rubrik + QStringLiteral("<"));
    // The data screen is a data area: its panel takes the data colour, whatever the style.
    QPalette p2 = m_datenbildschirm->palette();
    p2.setColor(QPalette::Window, pfl::alsFarbe(c.D_bs_pan));
    m_datenbildschirm->setPalette(p2);
    QPalette p3 = m_uebersichtTitel->palette();
    p3.setColor(QPalette::WindowText, pfl::alsFarbe(c.D_bs_ueb_font));
    m_uebersichtTitel->setPalette(p3);
    // 2. section list and colours
    m_rubrikenTitel->setFixedHeight(zeilenhoehe());
    QPalette p6 = m_rubrikenTitel->palette();
    p6.setColor(QPalette::WindowText, pfl::alsFarbe(c.D_bs_ueb_font));
    p6.setColor(QPalette::Window, pfl::alsFarbe(c.D_bs_ueb));
    m_rubrikenTitel->setPalette(p6);
    QFont f6 = m_rubrikenTitel->font();
    f6.setFamily(c.D_bs_ueb_schrift.toQString());
    m_rubrikenTitel->setFont(f6);
    QPalette pl = m_rubriken->palette();
    pl.setColor(QPalette::Base, pfl::alsFarbe(c.D_bs_pan));
    pl.setColor(QPalette::Text, pfl::alsFarbe(c.D_bs_pan_font));
    m_rubriken->setPalette(pl);
    QFont fl = m_rubriken->font();
    fl.setFamily(c.D_bs_schrift.toQString());
    m_rubriken->setFont(fl);
    TFilterGrid& g = *m_uebersicht;

    // 3. empty table with its titles
    static const QString titel[6] = {QStringLiteral("Gericht"),  QStringLiteral("Pers./Port."),
                                     QStringLiteral("Kosten"),   QStringLiteral("Zubereitungszeit"),
                                     QStringLiteral("Kochzeit"), QStringLiteral("Kalorien")};
    const QList<UebersichtZeile> zeilen = u.rubrikZeilen(); // 4. the records of the section
    g.BeginUpdate();
    g.setColCount(6);
    // The table goes straight to its new size (title row plus at least one data row) instead of
    // shrinking to two rows and growing again; every data row is written below or emptied here.
    g.setRowCount(qMax(2, int(zeilen.size()) + 1));
    if (zeilen.isEmpty())
        for (int col = 0; col < 6; ++col)
            g.setCells(col, 1, QString());
    g.setFixedRows(1);
    g.setDefaultRowHeight(zeilenhoehe());
    for (int col = 0; col < 6; ++col) {
        g.setColWidths(col, 0);
        g.setCells(col, 0, titel[col]);
    }
    int r = 1;
    for (const UebersichtZeile& z : zeilen) {
        g.setCells(0, r, z.name.leftJustified(30, QLatin1Char(' ')));
        g.setCells(1, r, rechtsbuendig(z.anzahl, {}, 10));
        g.setCells(2, r, pfl::waehrungText(z.preis));
        g.setCells(3, r, rechtsbuendig(z.zeit, u" Min", 10));
        g.setCells(4, r, rechtsbuendig(z.k_zeit, u" Min", 10));
        g.setCells(5, r, rechtsbuendig(z.kalorien, u" ", 10));
        ++r;
    }
    // 5. colours, flat or gradient look
    pfl::tabelleFaerben(g, c, pfl::Tabellenart::Uebersicht);
    // 6. column features
    static const int ausrichtung[6] = {TextFlag::Links,  TextFlag::Mitte,  TextFlag::Mitte,
                                       TextFlag::Rechts, TextFlag::Rechts, TextFlag::Rechts};
    static const char typen[6] = {' ', 'I', 'C', 'I', 'I', 'I'};
    const quint32 titelGrund = pfl::farbwert(c.draw_style == 1 ? c.D_bs_ueb : c.String_box_ueb);
    const quint32 datenGrund = pfl::farbwert(c.cell_style == 1 ? c.D_bs_pan : c.String_box);
    for (int col = 0; col < 6; ++col) {
        NewColFeatures(g, col, TextFlag::Mitte, ausrichtung[col], datenGrund, pfl::farbwert(c.D_bs_pan_font),
                       titelGrund, pfl::farbwert(c.D_bs_ueb_font), c.D_bs_schrift_groesse,
                       c.D_bs_ueb_schrift_groesse, c.D_bs_schrift.toQString(),
                       c.D_bs_ueb_schrift.toQString());
        NewColFeatures1(g, col, QLatin1Char(typen[col]), ausrichtung[col]);
    }
    // 7. visible, features applied, widths from the longest texts
    g.EndUpdate();
    g.show();
    g.ColInfo_Set(-1);
    g.ColSetMaxWidths(false, false, false);
    // Every refill starts at the first recipe, whatever the previous section was scrolled to.
    g.scrollToTop();
}

void TForm1::FilterGrid1RowColorProc(TFilterGrid&, int&, QPainter& can, int, int aRow, TGridDrawState) {
    const Tcolor1& c = m_farben.colorx;
    QFont f = can.font();
    if (aRow == 0) {
        can.setPen(pfl::alsFarbe(quint32(c.D_bs_ueb_font)));
        f.setFamily(c.D_bs_ueb_schrift.toQString());
    } else {
        can.setPen(pfl::alsFarbe(quint32(c.D_bs_pan_font)));
        f.setFamily(c.D_bs_schrift.toQString());
    }
    can.setFont(f);
}

void TForm1::FilterGrid1Click() {
    m_uebersicht->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing |
                             goRowSelect);
}

void TForm1::FilterGrid1DblClick() {
    const int r = m_uebersicht->Row();
    const QString name = r >= 1 ? m_uebersicht->Cells(0, r).trimmed() : QString();
    if (name.isEmpty()) {
        m_plattform.message(Platform::Kind::Information,
                            QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. "));
        Copy1();
        return;
    }
    Q_EMIT listeNachNameVerlangt(name);
    FilterGrid1Click();
}

void TForm1::Rezeptebearbeiten1Click() {
    // One pass reads the names and the listing's rows.
    u.datei_lesenFuerListe();
    if (u.auswahl != 2) u.auswahl = 1;
    if (u.daten <= 0) {
        u.listeVorabVerwerfen();
        m_plattform.message(
            Platform::Kind::Information,
            QStringLiteral("      Keine Daten vorhanden. \n  Bitte geben Sie Ihre Daten ein. "));
        Copy1();
        return;
    }
    datenbildschirmVerbergen();
    Q_EMIT listeVerlangt();
    u.listeVorabVerwerfen();
}

void TForm1::Rezeptdrucken1Click() {
    u.auswahl = 2;
    Rezeptebearbeiten1Click();
}

void TForm1::SpeedButton2Click() {
    m_werkzeugleiste->hide();
    u.version_speichern(); // not in a folder that can only be read
    Q_EMIT beendenBeginnt();
    close();
}

void TForm1::Rezeptbuchanlegen1Click() {
    if (!u.schreibbar()) return;
    datenbildschirmVerbergen();
    Q_EMIT buchAnlegenVerlangt();
}

void TForm1::Rezeptbuchwechseln1Click() {
    datenbildschirmVerbergen();
    Q_EMIT buchWechselnVerlangt();
}

void TForm1::Rezeptbuchlschne1Click() {
    if (!u.schreibbar()) return;
    datenbildschirmVerbergen();
    Q_EMIT buchLoeschenVerlangt();
}

void TForm1::Datenbildschirmeinaus1Click(bool jetztAn) {
    // The action has already flipped its check mark: the state before the click is the opposite.
    const bool warAn = !jetztAn;
    if (warAn) {
        u.option.db_einaus = 0;
        m_datenbildschirm->hide();
        m_titel1->show();
        m_titel2->show();
    } else {
        u.option.db_einaus = 1;
        // A first start has no stored size: the data screen comes at its design size, not as nothing.
        if (u.option.dbw <= 0 && u.option.dbh <= 0) {
            u.option.dbw = kDatenbildschirmBreite;
            u.option.dbh = kDatenbildschirmHoehe;
            datenbildschirmZentrieren();
        }
        m_datenbildschirm->show();
        m_titel1->hide();
        m_titel2->hide();
    }
    QCoreApplication::processEvents();
    u.opt_speichern();
    u.opt_lesen();
    Copy1();
}

void TForm1::Bildgrssendern1Click() {
    Q_EMIT datenbildschirmGroesseVerlangt();
}

void TForm1::Rubrikenerfassenndern1Click() {
    datenbildschirmVerbergen();
    Q_EMIT rubrikenBearbeitenVerlangt();
}

void TForm1::Kategorieenerfassenndern1Click() {
    datenbildschirmVerbergen();
    Q_EMIT kategorienBearbeitenVerlangt();
}

void TForm1::Rezepteerfassen1Click() {
    if (!u.schreibbar()) return;
    datenbildschirmVerbergen();
    Q_EMIT erfassenVerlangt();
}

void TForm1::datenbildschirmGroesse(int breite, int hoehe) {
    m_datenbildschirm->resize(qMax(0, breite), qMax(0, hoehe));
}

void TForm1::datenbildschirmZentrieren() {
    const QSize s = m_plattform.screenSize();
    m_datenbildschirm->resize(qMax(0, int(u.option.dbw)), qMax(0, int(u.option.dbh)));
    m_datenbildschirm->move((s.width() - m_datenbildschirm->width()) / 2,
                            (s.height() - m_datenbildschirm->height()) / 2);
}

void TForm1::hilfe(int thema) {
    m_plattform.showHelp(u.chmFile, thema);
}

void TForm1::closeEvent(QCloseEvent* e) {
    QMainWindow::closeEvent(e);
    if (e->isAccepted()) QCoreApplication::quit();
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
    // A toolbar button takes Return and Enter as well as Space, as every other button does.
    if (e->type() == QEvent::KeyPress && o->parent() == m_werkzeugleiste) {
        auto* k = static_cast<QKeyEvent*>(e);
        auto* b = qobject_cast<QToolButton*>(o);
        if (b && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            k->modifiers() == Qt::NoModifier) {
            b->click();
            return true;
        }
    }
    // The main window sees keys before its controls: F1 opens help, Alt+F4 closes.
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && isActiveWindow()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::NoModifier) {
            if (e->type() == QEvent::KeyPress && !k->isAutoRepeat()) hilfe(100);
            return true;
        }
        if (k->key() == Qt::Key_F4 && (k->modifiers() & Qt::AltModifier)) {
            close();
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

QStringList TForm1::abgelegteQuellen(const QMimeData* daten) {
    QStringList quellen;
    if (!daten) return quellen;
    QList<QUrl> urls = daten->urls();
    // A browser's address bar gives the address as text.
    if (urls.isEmpty() && daten->hasText()) urls.append(QUrl(daten->text().trimmed(), QUrl::StrictMode));
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            quellen.append(url.toLocalFile());
        else if ((url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
                 !url.host().isEmpty())
            quellen.append(url.toString());
    }
    return quellen;
}

void TForm1::dragEnterEvent(QDragEnterEvent* e) {
    if (isSignalConnected(QMetaMethod::fromSignal(&TForm1::quellenAbgelegt)) &&
        !abgelegteQuellen(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* e) {
    const QStringList quellen = abgelegteQuellen(e->mimeData());
    if (quellen.isEmpty()) return;
    e->acceptProposedAction();
    datenbildschirmVerbergen();
    Q_EMIT quellenAbgelegt(quellen);
}
