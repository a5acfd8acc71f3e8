#include "app/Hauptfenster.h"

#include "app/Fenster.h"
#include "data/German.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
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
    zeile->addWidget(Panel5); // the table is put in front of it by the overview's setup
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

    StatusPanel0->setFixedWidth(s.width() / 2);

    Panel2->resize(qMax(0, int(u.option.dbw)), qMax(0, int(u.option.dbh)));
    Panel2->move((s.width() - Panel2->width()) / 2, (s.height() - Panel2->height()) / 2);
    u.auswahl = 0;
}

void TForm1::Copy1() {
    const QDate heute = platform().today();
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
    p.fillRect(Flaeche->rect(), palette().window());
}

void TForm1::Rezepte_anzeigen() {}

void TForm1::FilterGrid1Click() {}

void TForm1::FilterGrid1DblClick() {}

void TForm1::SpeedButton2Click() {
    u.datensich = 0;
    Panel1->hide();
    u.version_speichern();
    close();
}

void TForm1::Rezeptbuchanlegen1Click() {}
void TForm1::Rezeptbuchwechseln1Click() {}
void TForm1::Rezeptbuchlschne1Click() {}
void TForm1::Datenbildschirmeinaus1Click() {}
void TForm1::Bildgrssendern1Click() {}

void TForm1::SobeginnenSie1Click() {
    hilfe(1100);
}
void TForm1::Inhalt1Click() {
    hilfe(100);
}

void TForm1::hilfe(int thema) {
    platform().showHelp(Unit4::instance().chmFile, thema);
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
