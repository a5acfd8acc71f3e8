#include "app/Hauptfenster.h"

#include "app/Buchfenster.h"
#include "app/Datenbildschirm.h"
#include "app/Fenster.h"
#include "app/Fensterhilfen.h"
#include "app/NeuesRezeptbuch.h"
#include "app/RezeptbuchLoeschen.h"
#include "app/RezeptbuchWechseln.h"
#include "appearance/Farben.h"
#include "data/German.h"
#include "grid/Farbwert.h"
#include "grid/FilterGrid.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

THintergrund::THintergrund(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void THintergrund::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (malen) malen(p);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), u(Unit4::instance()) {
    setObjectName(QStringLiteral("Form1"));
    Flaeche = new THintergrund(this);
    Flaeche->setObjectName(QStringLiteral("Flaeche"));
    Flaeche->malen = [this](QPainter& p) { FormPaint(p); };
    setCentralWidget(Flaeche);

    // Toolbar: nine flat buttons, picture above the caption.
    Panel1 = new QFrame(Flaeche);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAccessibleName(QStringLiteral("Werkzeugleiste"));
    Panel1->setFixedHeight(70);
    Panel1->setAutoFillBackground(true);
    auto* leiste = new QHBoxLayout(Panel1);
    leiste->setContentsMargins(6, 2, 6, 2);
    leiste->setSpacing(2);
    SpeedButton1 =
        knopf(QStringLiteral("SpeedButton1"), QStringLiteral("Erfassen"), QStringLiteral("erfassen"));
    SpeedButton5 =
        knopf(QStringLiteral("SpeedButton5"), QStringLiteral("Bearbeiten"), QStringLiteral("bearbeiten"));
    SpeedButton8 =
        knopf(QStringLiteral("SpeedButton8"), QStringLiteral("Wechseln"), QStringLiteral("wechseln"));
    SpeedButton7 = knopf(QStringLiteral("SpeedButton7"), QStringLiteral("E-Mail"), QStringLiteral("email"));
    SpeedButton6 = knopf(QStringLiteral("SpeedButton6"), QStringLiteral("Suchen"), QStringLiteral("suchen"));
    SpeedButton9 =
        knopf(QStringLiteral("SpeedButton9"), QStringLiteral("Drucken"), QStringLiteral("drucken"));
    SpeedButton4 = knopf(QStringLiteral("SpeedButton4"), QStringLiteral("Backup"), QStringLiteral("backup"));
    SpeedButton3 = knopf(QStringLiteral("SpeedButton3"), QStringLiteral("Farben"), QStringLiteral("farben"));
    SpeedButton2 =
        knopf(QStringLiteral("SpeedButton2"), QStringLiteral("Beenden"), QStringLiteral("beenden"));
    for (QToolButton* b : {SpeedButton1, SpeedButton5, SpeedButton8, SpeedButton7, SpeedButton6, SpeedButton9,
                           SpeedButton4, SpeedButton3, SpeedButton2})
        leiste->addWidget(b);
    leiste->addStretch(1);

    // Title labels, shown while the data screen is hidden.
    QFont titel(QStringLiteral("Book Antiqua"));
    titel.setPixelSize(120);
    titel.setBold(true);
    Label1 = new QLabel(QStringLiteral("Pfanno-"), Flaeche);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("Lux"), Flaeche);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {Label1, Label2}) {
        l->setFont(titel);
        l->adjustSize();
    }

    // The data screen: title bar, overview table and the section list on the right.
    Panel2 = new QFrame(Flaeche);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAccessibleName(QStringLiteral("Datenbildschirm"));
    Panel2->setFrameShape(QFrame::StyledPanel);
    Panel2->setAutoFillBackground(true);
    Panel2->resize(779, 421);
    auto* p2 = new QVBoxLayout(Panel2);
    p2->setContentsMargins(2, 2, 2, 2);
    p2->setSpacing(2);
    Panel3 = new QLabel(QStringLiteral("Rezepte Übersicht"), Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFixedHeight(41);
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    QFont f3(QStringLiteral("Tahoma"));
    f3.setPixelSize(15);
    f3.setBold(true);
    Panel3->setFont(f3);
    p2->addWidget(Panel3);
    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(2);
    p2->addLayout(zeile, 1);
    Panel5 = new QFrame(Panel2);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedWidth(120);
    auto* p5 = new QVBoxLayout(Panel5);
    p5->setContentsMargins(0, 0, 0, 0);
    p5->setSpacing(0);
    Panel6 = new QLabel(QStringLiteral("Rubriken"), Panel5);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setAlignment(Qt::AlignCenter);
    Panel6->setAutoFillBackground(true);
    Panel6->setFrameShape(QFrame::Panel);
    ListBox1 = new QListWidget(Panel5);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Rubriken"));
    QFont fett = ListBox1->font();
    fett.setBold(true);
    ListBox1->setFont(fett);
    Panel6->setBuddy(ListBox1);
    p5->addWidget(Panel6);
    p5->addWidget(ListBox1, 1);
    ListBox2 = new QListWidget(Flaeche);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setAccessibleName(QStringLiteral("Rubriken unsortiert"));
    ListBox2->hide();
    FilterGrid1 = new TFilterGrid(Panel2);
    FilterGrid1->setObjectName(QStringLiteral("FilterGrid1"));
    FilterGrid1->setAccessibleName(QStringLiteral("Rezepte Übersicht"));
    FilterGrid1->setSortMouseEd(true);
    FilterGrid1->setSortierenEd(true);
    FilterGrid1->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    FilterGrid1->RowColorProc = [this](TFilterGrid& g, int& ausr, QPainter& can, int aCol, int aRow,
                                       TGridDrawState st) {
        FilterGrid1RowColorProc(g, ausr, can, aCol, aRow, st);
    };
    connect(FilterGrid1, &TFilterGrid::Click, this, &TForm1::FilterGrid1Click);
    connect(FilterGrid1, &TFilterGrid::DblClick, this, &TForm1::FilterGrid1DblClick);
    zeile->addWidget(FilterGrid1, 1);
    zeile->addWidget(Panel5);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0 && ListBox1->item(r)->text() != u.rubrik) ListBox1Click();
    });

    // Status bar: the first panel is half the screen wide, the second right-aligned.
    StatusPanel0 = new QLabel(this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setAccessibleName(QStringLiteral("Aktives Rezeptbuch"));
    StatusPanel1 = new QLabel(this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setAccessibleName(QStringLiteral("Hinweis"));
    StatusPanel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);
    QFont sf = statusBar()->font();
    sf.setPointSize(10);
    statusBar()->setFont(sf);

    menueBauen();
    // The section lists follow the data module's lists, whoever reloads them.
    connect(&u, &Unit4::listenGeaendert, this, &TForm1::rubrikenUebernehmen);
    connect(&u, &Unit4::spaltenbreitenNeu, this,
            [this] { FilterGrid1->ColSetMaxWidths(false, false, false); });
    qApp->installEventFilter(this);
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
}

QToolButton* TForm1::knopf(const QString& name, const QString& text, const QString& bild) {
    auto* b = new QToolButton(Panel1);
    b->setObjectName(name);
    b->setText(text);
    b->setAccessibleName(text);
    b->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(bild)));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setMinimumWidth(72);
    b->setFixedHeight(64);
    return b;
}

void TForm1::menueBauen() {
    QMenuBar* m = menuBar();
    m->setObjectName(QStringLiteral("MainMenu1"));
    auto eintrag = [this](QMenu* menu, const QString& name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        return a;
    };
    QMenu* datei = m->addMenu(QStringLiteral("Datei"));
    datei->setObjectName(QStringLiteral("Datei1"));
    Rezeptbuchanlegen1 =
        eintrag(datei, QStringLiteral("Rezeptbuchanlegen1"), QStringLiteral("Rezeptbuch anlegen"));
    Rezeptbuchwechseln1 =
        eintrag(datei, QStringLiteral("Rezeptbuchwechseln1"), QStringLiteral("Rezeptbuch wechseln"));
    Rezeptbuchlschne1 =
        eintrag(datei, QStringLiteral("Rezeptbuchlschne1"), QStringLiteral("Rezeptbuch löschen"));

    QMenu* erfassen = m->addMenu(QStringLiteral("Erfassen"));
    erfassen->setObjectName(QStringLiteral("Erfassen1"));
    Rezepteerfassen1 =
        eintrag(erfassen, QStringLiteral("Rezepteerfassen1"), QStringLiteral("Rezepte erfassen"));

    QMenu* bearbeiten = m->addMenu(QStringLiteral("Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("Bearbeiten1"));
    Rezeptebearbeiten1 =
        eintrag(bearbeiten, QStringLiteral("Rezeptebearbeiten1"), QStringLiteral("Rezepte bearbeiten"));
    Einkaufslistebearbeiten1 = eintrag(bearbeiten, QStringLiteral("Einkaufslistebearbeiten1"),
                                       QStringLiteral("Einkaufsliste bearbeiten"));
    Kategorieenerfassenndern1 = eintrag(bearbeiten, QStringLiteral("Kategorieenerfassenndern1"),
                                        QStringLiteral("Kategorieen erfassen/ändern"));
    Rubrikenerfassenndern1 = eintrag(bearbeiten, QStringLiteral("Rubrikenerfassenndern1"),
                                     QStringLiteral("Rubriken erfassen/ändern"));

    Suchen1 = m->addAction(QStringLiteral("Suchen"));
    Suchen1->setObjectName(QStringLiteral("Suchen1"));

    QMenu* drucken = m->addMenu(QStringLiteral("Drucken"));
    drucken->setObjectName(QStringLiteral("Drucken1"));
    Rezeptdrucken1 = eintrag(drucken, QStringLiteral("Rezeptdrucken1"), QStringLiteral("Rezept drucken"));
    Einkaufsliste1 = eintrag(drucken, QStringLiteral("Einkaufsliste1"), QStringLiteral("Einkaufsliste"));
    Druckoptionen1 = eintrag(drucken, QStringLiteral("Druckoptionen1"), QStringLiteral("Druckoptionen"));

    QMenu* sonst = m->addMenu(QStringLiteral("Sonstiges"));
    sonst->setObjectName(QStringLiteral("Sonstiges1"));
    Einstellungen1 = eintrag(sonst, QStringLiteral("Einstellungen1"), QStringLiteral("Einstellungen"));
    Datenbildschirmeinaus1 =
        eintrag(sonst, QStringLiteral("Datenbildschirmeinaus1"), QStringLiteral("Datenbildschirm ein/aus"));
    Datenbildschirmeinaus1->setCheckable(true);
    Bildgrssendern1 =
        eintrag(sonst, QStringLiteral("Bildgrssendern1"), QStringLiteral("Datenbildschirm Grösse ändern"));
    sonst->addSeparator();
    Datensicherung1 = eintrag(sonst, QStringLiteral("Datensicherung1"), QStringLiteral("Datensicherung"));
    Datenwiederherstellung1 =
        eintrag(sonst, QStringLiteral("Datenwiederherstellung1"), QStringLiteral("Datenwiederherstellung"));
    sonst->addSeparator();
    Farbenndern1 = eintrag(sonst, QStringLiteral("Farbenndern1"), QStringLiteral("Farben ändern"));
    sonst->addSeparator();
    Info2 = eintrag(sonst, QStringLiteral("Info2"), QStringLiteral("Info"));
    AufUpdatesberprfen2 =
        eintrag(sonst, QStringLiteral("AufUpdatesberprfen2"), QStringLiteral("Auf Updates überprüfen"));
    WeitereProgrammedesAutors1 = eintrag(sonst, QStringLiteral("WeitereProgrammedesAutors1"),
                                         QStringLiteral("Weitere Programme des Autors"));
    Websitebesuchen1 = eintrag(sonst, QStringLiteral("Websitebesuchen1"), QStringLiteral("Website besuchen"));

    SobeginnenSie1 = m->addAction(QStringLiteral("So beginnen Sie"));
    SobeginnenSie1->setObjectName(QStringLiteral("SobeginnenSie1"));

    QMenu* hilfe = m->addMenu(QStringLiteral("Hilfe"));
    hilfe->setObjectName(QStringLiteral("Hilfe1"));
    Inhalt1 = eintrag(hilfe, QStringLiteral("Inhalt1"), QStringLiteral("Inhalt"));
    WeitereProgramme1 =
        eintrag(hilfe, QStringLiteral("WeitereProgramme1"), QStringLiteral("Weitere Programme"));
    Info1 = eintrag(hilfe, QStringLiteral("Info1"), QStringLiteral("Info"));
    AufUpdatesberprfen1 =
        eintrag(hilfe, QStringLiteral("AufUpdatesberprfen1"), QStringLiteral("Auf Updates überprüfen"));

    // Commands whose windows exist are wired; the others stay disabled until their windows arrive.
    for (QAction* a : {Rezepteerfassen1,
                       Rezeptebearbeiten1,
                       Einkaufslistebearbeiten1,
                       Kategorieenerfassenndern1,
                       Rubrikenerfassenndern1,
                       Suchen1,
                       Rezeptdrucken1,
                       Einkaufsliste1,
                       Druckoptionen1,
                       Einstellungen1,
                       Datensicherung1,
                       Datenwiederherstellung1,
                       Farbenndern1,
                       Info2,
                       AufUpdatesberprfen2,
                       WeitereProgrammedesAutors1,
                       Websitebesuchen1,
                       WeitereProgramme1,
                       Info1,
                       AufUpdatesberprfen1})
        a->setEnabled(false);
    for (QToolButton* b :
         {SpeedButton1, SpeedButton5, SpeedButton7, SpeedButton6, SpeedButton9, SpeedButton4, SpeedButton3})
        b->setEnabled(false);

    connect(Rezeptbuchanlegen1, &QAction::triggered, this, &TForm1::Rezeptbuchanlegen1Click);
    connect(Rezeptbuchwechseln1, &QAction::triggered, this, &TForm1::Rezeptbuchwechseln1Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::Rezeptbuchwechseln1Click);
    connect(Rezeptbuchlschne1, &QAction::triggered, this, &TForm1::Rezeptbuchlschne1Click);
    connect(Datenbildschirmeinaus1, &QAction::triggered, this, &TForm1::Datenbildschirmeinaus1Click);
    connect(Bildgrssendern1, &QAction::triggered, this, &TForm1::Bildgrssendern1Click);
    connect(SobeginnenSie1, &QAction::triggered, this, &TForm1::SobeginnenSie1Click);
    connect(Inhalt1, &QAction::triggered, this, &TForm1::Inhalt1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
}

void TForm1::FormCreate() {
    const QSize s = platform().screenSize();
    setGeometry(0, 0, s.width(), s.height());
    Flaeche->resize(s);
    Panel1->setGeometry(0, 0, s.width(), 70);

    u.chmFile = u.lpf + QStringLiteral("Zirade-Zadod.ize");
    if (!QFileInfo::exists(u.chmFile))
        platform().message(Platform::Kind::Information,
                           QStringLiteral("Hilfe-Datei nicht gefunden\n") + u.chmFile);

    const int hb = s.width() / 2;
    const int hbh = s.height() / 2;
    const int l1 = Label1->width() / 2;
    const int l2 = Label2->width() / 2;
    Label1->move(hb - l1 - 100, hbh - 150);
    Label2->move(hb - l2 + 100, hbh + 50);
    for (QLabel* l : {Label1, Label2}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, pfl::alsFarbe(quint32(Farben::colorx.D_bs_fa_font)));
        l->setPalette(lp);
    }

    StatusPanel0->setFixedWidth(s.width() / 2);

    datenbildschirmZentrieren();
    u.auswahl = 0;
}

void TForm1::Copy1() {
    const QDate heute = platform().today();
    // The background colour H_bs_hg is painted by FormPaint; the toolbar keeps the style's colours.
    StatusPanel0->setText(QStringLiteral("  Aktives Rezeptbuch: ") + u.rezeptbuch);
    StatusPanel1->setText(
        QStringLiteral("Pfanno-Lux %1 – Ihre Rezepte bleiben in Ihrem Programmordner.  ").arg(u.version));
    u.datum2 = heute.toString(QStringLiteral("yyyy"));
    u.datum3 = pfl::datumText(heute);
    setWindowTitle(QStringLiteral("Pfanno-Lux V") + QStringLiteral("  ") + u.version +
                   QStringLiteral("      -      ") + QStringLiteral("Heute ist ") + QStringLiteral(" ") +
                   pfl::wochentag(heute) + QStringLiteral(" ") + QStringLiteral("der") +
                   QStringLiteral("  ") + pfl::datumText(heute));
    datenbildschirmAnwenden();
    u.auswahl = 0;
    Rezepte_anzeigen();
    Flaeche->update();
}

void TForm1::datenbildschirmAnwenden() {
    if (u.option.db_einaus == 0) {
        Datenbildschirmeinaus1->setChecked(false);
        Datenbildschirmeinaus1->setText(QStringLiteral("Datenbildschirm einschalten"));
        Panel2->hide();
        Label1->show();
        Label2->show();
    } else if (u.option.db_einaus == 1) {
        Datenbildschirmeinaus1->setChecked(true);
        Datenbildschirmeinaus1->setText(QStringLiteral("Datenbildschirm ausschalten"));
        Panel2->show();
        Label1->hide();
        Label2->hide();
    }
}

void TForm1::datenbildschirmVerbergen() {
    Panel2->hide();
    Label1->hide();
    Label2->hide();
}

void TForm1::rubrikenUebernehmen() {
    const QSignalBlocker sperre(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(u.listen.hauptRubriken);
    ListBox2->clear();
    ListBox2->addItems(u.listen.hauptRubriken2);
    const int i = u.listen.hauptRubriken.indexOf(u.rubrik);
    if (i >= 0) ListBox1->setCurrentRow(i);
}

void TForm1::ListBox1Click() {
    const int i = ListBox1->currentRow();
    if (i < 0) return;
    u.zeile = i;
    u.rubrik = ListBox1->item(i)->text();
    Rezepte_anzeigen();
}

void TForm1::FormPaint(QPainter& p) {
    const Tcolor1& c = Farben::colorx;
    const QColor grund = pfl::alsFarbe(quint32(c.H_bs_hg));
    const QString name = c.hg_bild.toQString();
    const QString datei = u.lpf + QStringLiteral("Hintergrund/") + name;
    if (c.f_b_haupt != 0 || name.isEmpty() || !Unit4::sichererName(name) || !QFileInfo(datei).isFile()) {
        p.fillRect(Flaeche->rect(), grund);
        return;
    }
    if (m_bildDatei != datei) {
        Image1 = QImage(datei);
        m_bildDatei = datei;
    }
    p.fillRect(Flaeche->rect(), grund);
    // Tiled from the top-left corner, unscaled; a picture without size is not tiled.
    if (Image1.width() <= 0 || Image1.height() <= 0) return;
    for (int y = 0; y < Flaeche->height(); y += Image1.height())
        for (int x = 0; x < Flaeche->width(); x += Image1.width())
            p.drawImage(x, y, Image1);
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

QFont schrift(const QString& name, int groesse) {
    QFont f(name.isEmpty() ? QStringLiteral("Arial") : name);
    if (groesse > 0) f.setPointSize(groesse);
    return f;
}
} // namespace

void TForm1::NewColFeatures(TFilterGrid& grid, int spalte, int titAlign, int datAlign, quint32 datFarbe,
                            quint32 datSchriftfarbe, quint32 titFarbe, quint32 titSchriftfarbe,
                            int datGroesse, int titGroesse, const QString& datSchrift,
                            const QString& titSchrift) {
    TColInfo& ci = grid.ColInfoC(spalte);
    ci.TitAlign = titAlign;
    ci.DatAlign = datAlign;
    ci.DatColor = datFarbe;
    ci.TitColor = titFarbe;
    ci.DatFont = TFont{schrift(datSchrift, datGroesse), datSchriftfarbe};
    ci.TitFont = TFont{schrift(titSchrift, titGroesse), titSchriftfarbe};
}

void TForm1::NewColFeatures1(TFilterGrid& grid, int spalte, QChar typ, int datAlign) {
    TColInfo& ci = grid.ColInfoC(spalte);
    ci.Typ = typ;
    ci.DatAlign = datAlign;
}

int TForm1::zeilenhoehe() const {
    return u.option.z_hoehe > 0 ? int(u.option.z_hoehe) : int(kZeilenhoehe);
}

void TForm1::Rezepte_anzeigen() {
    const Tcolor1& c = Farben::colorx;
    auto farbe = [](qint32 v) { return quint32(v); };
    // 1. title
    Panel3->setText(QStringLiteral("Rezepte \"") + u.rezeptbuch + QStringLiteral("\" Rubrik >") + u.rubrik +
                    QStringLiteral("<"));
    // The data screen is a data area: its panel takes the data colour, whatever the style.
    QPalette p2 = Panel2->palette();
    p2.setColor(QPalette::Window, pfl::alsFarbe(farbe(c.D_bs_pan)));
    Panel2->setPalette(p2);
    QPalette p3 = Panel3->palette();
    p3.setColor(QPalette::WindowText, pfl::alsFarbe(farbe(c.D_bs_ueb_font)));
    Panel3->setPalette(p3);
    // 2. section list and colours
    Panel6->setFixedHeight(zeilenhoehe());
    QPalette p6 = Panel6->palette();
    p6.setColor(QPalette::WindowText, pfl::alsFarbe(farbe(c.D_bs_ueb_font)));
    p6.setColor(QPalette::Window, pfl::alsFarbe(farbe(c.D_bs_ueb)));
    Panel6->setPalette(p6);
    QFont f6 = Panel6->font();
    f6.setFamily(c.D_bs_ueb_schrift.toQString());
    Panel6->setFont(f6);
    QPalette pl = ListBox1->palette();
    pl.setColor(QPalette::Base, pfl::alsFarbe(farbe(c.D_bs_pan)));
    pl.setColor(QPalette::Text, pfl::alsFarbe(farbe(c.D_bs_pan_font)));
    ListBox1->setPalette(pl);
    QFont fl = ListBox1->font();
    fl.setFamily(c.D_bs_schrift.toQString());
    ListBox1->setFont(fl);
    TFilterGrid& g = *FilterGrid1;
    g.setColor(farbe(c.D_bs_pan));
    g.setFontColor(farbe(c.D_bs_pan_font));
    g.setFixedColor(farbe(c.D_bs_ueb));
    g.setSelectRowColor(farbe(c.String_box_mark_Row));

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
    // 5. flat or gradient look
    g.setGradientStartColor(farbe(c.D_bs_ueb));
    g.setGradientEndColor(farbe(c.end_gradient));
    g.setDrawingStyle(c.draw_style == 1 ? TGridDrawingStyle::gdsGradient : TGridDrawingStyle::gdsClassic);
    g.SetGradientToAllCells(c.cell_style == 1);
    // 6. column features
    static const int ausrichtung[6] = {TextFlag::Links,  TextFlag::Mitte,  TextFlag::Mitte,
                                       TextFlag::Rechts, TextFlag::Rechts, TextFlag::Rechts};
    static const char typen[6] = {' ', 'I', 'C', 'I', 'I', 'I'};
    const quint32 titelGrund = c.draw_style == 1 ? farbe(c.D_bs_ueb) : farbe(c.String_box_ueb);
    const quint32 datenGrund = c.cell_style == 1 ? farbe(c.D_bs_pan) : farbe(c.String_box);
    for (int col = 0; col < 6; ++col) {
        NewColFeatures(g, col, TextFlag::Mitte, ausrichtung[col], datenGrund, farbe(c.D_bs_pan_font),
                       titelGrund, farbe(c.D_bs_ueb_font), c.D_bs_schrift_groesse, c.D_bs_ueb_schrift_groesse,
                       c.D_bs_schrift.toQString(), c.D_bs_ueb_schrift.toQString());
        NewColFeatures1(g, col, QLatin1Char(typen[col]), ausrichtung[col]);
    }
    // 7. visible, features applied, widths from the longest texts
    g.EndUpdate();
    g.show();
    g.ColInfo_Set(-1);
    g.ColSetMaxWidths(false, false, false);
}

void TForm1::FilterGrid1RowColorProc(TFilterGrid&, int&, QPainter& can, int, int aRow, TGridDrawState) {
    const Tcolor1& c = Farben::colorx;
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
    FilterGrid1->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing |
                            goRowSelect);
}

void TForm1::FilterGrid1DblClick() {
    const int r = FilterGrid1->Row();
    const QString name = r >= 1 ? FilterGrid1->Cells(0, r).trimmed() : QString();
    if (name.isEmpty()) {
        platform().message(Platform::Kind::Information,
                           QStringLiteral("    Für diesen Suchbegriff, \n sind keine Rezepte vorhanden. "));
        Copy1();
        return;
    }
    // The listing of all recipes of this name opens here once that window exists.
    FilterGrid1Click();
}

void TForm1::SpeedButton2Click() {
    u.datensich = 0;
    Panel1->hide();
    u.version_speichern();
    close();
}

void TForm1::Rezeptbuchanlegen1Click() {
    datenbildschirmVerbergen();
    if (fenster().d_anlegen) fenster().d_anlegen->oeffnen();
}

void TForm1::Rezeptbuchwechseln1Click() {
    datenbildschirmVerbergen();
    // A new window each time; it replaces the previous one.
    if (fenster().Wechseln) fenster().Wechseln->deleteLater();
    auto* w = new TWechseln(this);
    fenster().Wechseln = w;
    w->oeffnen();
}

void TForm1::Rezeptbuchlschne1Click() {
    datenbildschirmVerbergen();
    if (fenster().loeschen) fenster().loeschen->oeffnen();
}

void TForm1::Datenbildschirmeinaus1Click(bool jetztAn) {
    // The action has already flipped its check mark: the state before the click is the opposite.
    const bool warAn = !jetztAn;
    if (warAn) {
        u.option.db_einaus = 0;
        Panel2->hide();
        Label1->show();
        Label2->show();
    } else {
        u.option.db_einaus = 1;
        Panel2->show();
        Label1->hide();
        Label2->hide();
    }
    QCoreApplication::processEvents();
    u.opt_speichern();
    u.opt_lesen();
    Copy1();
}

void TForm1::Bildgrssendern1Click() {
    if (fenster().Form52) fenster().Form52->oeffnen();
}

void TForm1::datenbildschirmZentrieren() {
    const QSize s = platform().screenSize();
    Panel2->resize(qMax(0, int(u.option.dbw)), qMax(0, int(u.option.dbh)));
    Panel2->move((s.width() - Panel2->width()) / 2, (s.height() - Panel2->height()) / 2);
}

void TForm1::SobeginnenSie1Click() {
    hilfe(1100);
}
void TForm1::Inhalt1Click() {
    hilfe(100);
}

void TForm1::hilfe(int thema) {
    platform().showHelp(Unit4::instance().chmFile, thema);
}

void TForm1::closeEvent(QCloseEvent* e) {
    QMainWindow::closeEvent(e);
    if (e->isAccepted()) QCoreApplication::quit();
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
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
