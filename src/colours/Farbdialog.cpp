// SPDX-License-Identifier: GPL-3.0-or-later
#include "colours/Farbdialog.h"

#include "colours/Hintergrundbild.h"

#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "data/Deutsch.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "grid/FilterGrid.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"
#include "widgets/Farbknopf.h"
#include "widgets/Zahlenfeld.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleFactory>

namespace {

enum Seite { kHaupt = 0, kListen = 1, kStyle = 2, kSchrift = 3 };

// The colour buttons: which field of the colour record each one changes, and on which page.
struct Farbknopf {
    const char* name;
    const char* text;
    qint32 Tcolor1::*feld;
    int seite;
};
const Farbknopf kFarbknoepfe[] = {
    {"BitBtn1", "Schriftfarbe Tabelle Überschriften", &Tcolor1::D_bs_ueb_font, kHaupt},
    {"BitBtn2", "Hintergrund Tabelle Überschriften", &Tcolor1::D_bs_ueb, kHaupt},
    {"BitBtn3", "Schriftfarbe Tabelle Datenausgabe", &Tcolor1::D_bs_pan_font, kHaupt},
    {"BitBtn4", "Hintergrund Tabelle Datenausgabe", &Tcolor1::D_bs_pan, kHaupt},
    {"BitBtn5", "Schriftfarbe Pfanno-Lux", &Tcolor1::D_bs_fa_font, kHaupt},
    {"BitBtn9", "Hintergrundfarbe Datenbereich", &Tcolor1::String_box, kListen},
    {"BitBtn10", "Hintergrundfarbe Überschrift", &Tcolor1::String_box_ueb, kListen},
    {"BitBtn11", "Schriftfarbe Überschrift", &Tcolor1::String_box_ueb_Font, kListen},
    {"BitBtn12", "Schriftfarbe Datenfelder", &Tcolor1::String_box_font, kListen},
    {"BitBtn13", "Hintergrund markierte Zeile", &Tcolor1::String_box_mark_Row, kListen},
    {"BitBtn14", "Schriftfarbe markierte Zeile", &Tcolor1::String_box_mark_Row_font, kListen},
};

const char* const kTitel[] = {"Hauptbildschirm", "Datenausgabe", "Style oder Farben", "Schriftart"};

void flaecheFaerben(QWidget* w, qint32 grund, qint32 schrift) {
    QPalette p = w->palette();
    const QColor g = pfl::alsFarbe(grund);
    p.setColor(QPalette::Window, g);
    p.setColor(QPalette::WindowText, pfl::alsFarbe(schrift)); // the sample shows the choice as it is
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

TFarbe::TFarbe(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Farbe"), QStringLiteral("Farbwahl"), QSize(860, 600),
                   1000) {
    m_hauptWahl = new QRadioButton(QStringLiteral("Hauptbildschirm"), this);
    m_listenWahl = new QRadioButton(QStringLiteral("Datenausgabe"), this);
    m_styleWahl = new QRadioButton(QStringLiteral("Style auswählen"), this);
    const char* const namen[] = {"RadioButton1", "RadioButton3", "RadioButton5"};
    int y = 60;
    int i = 0;
    for (QRadioButton* r : {m_hauptWahl, m_listenWahl, m_styleWahl}) {
        r->setObjectName(QLatin1String(namen[i++]));
        r->setAccessibleName(r->text());
        r->setGeometry(12, y, 160, 24);
        y += 34;
        connect(r, &QRadioButton::clicked, this, &TFarbe::seiteWaehlen);
    }
    m_seitenTitel = label(QStringLiteral("Panel10"), QString(), QRect(0, 0, width(), 44));
    m_seitenTitel->setAlignment(Qt::AlignCenter);
    QFont tf = m_seitenTitel->font();
    tf.setPointSize(14);
    tf.setBold(true);
    m_seitenTitel->setFont(tf);

    m_seiten = new QStackedWidget(this);
    m_seiten->setGeometry(180, 50, width() - 190, 480);
    m_seiten->addWidget(hauptSeiteBauen());
    m_seiten->addWidget(listenSeiteBauen());
    m_seiten->addWidget(styleSeiteBauen());
    m_seiten->addWidget(schriftSeiteBauen());

    // A choice that reads poorly is named here (kontrastHinweisZeigen).
    m_kontrastHinweis =
        label(QStringLiteral("Kontrasthinweis"), QString(), QRect(180, 482, width() - 190, 54));
    m_kontrastHinweis->setWordWrap(true);
    m_kontrastHinweis->setFrameShape(QFrame::StyledPanel);
    m_kontrastHinweis->setAutoFillBackground(true);
    m_kontrastHinweis->setContentsMargins(6, 2, 6, 2);
    m_kontrastHinweis->hide();

    m_knopfleiste = new QFrame(this);
    m_knopfleiste->setObjectName(QStringLiteral("Panel3"));
    m_knopfleiste->setGeometry(0, 540, width(), 60);
    QPushButton* speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern >>"), QSize(130, 30));
    QPushButton* grund = knopf(QStringLiteral("Button2"), QStringLiteral("Grundeinstellung"), QSize(130, 30));
    QPushButton* beenden = knopf(QStringLiteral("Button3"), QStringLiteral("Beenden"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button4"));
    int x = width() / 2 - 2 * 140;
    for (QPushButton* b : {speichern, grund, beenden, hilfe}) {
        b->setParent(m_knopfleiste);
        b->move(x, 15);
        b->show();
        x += 140;
    }
    beenden->setDefault(true);
    connect(speichern, &QPushButton::clicked, this, &TFarbe::speichernClick);
    connect(grund, &QPushButton::clicked, this, &TFarbe::grundeinstellungClick);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
}

TFarbe::~TFarbe() = default;

QPushButton* TFarbe::farbknopf(QWidget* seite, int nr, const QRect& r) {
    const Farbknopf& k = kFarbknoepfe[nr];
    auto* b = new QPushButton(QString::fromUtf8(k.text), seite);
    b->setObjectName(QLatin1String(k.name));
    b->setAccessibleName(b->text());
    b->setAutoDefault(false);
    b->setGeometry(r);
    b->setProperty("farbknopf", nr);
    connect(b, &QPushButton::clicked, this, &TFarbe::farbknopfClick);
    return b;
}

QWidget* TFarbe::hauptSeiteBauen() {
    auto* s = new QWidget;
    m_muster = new QFrame(s);
    m_muster->setObjectName(QStringLiteral("Panel2"));
    m_muster->setGeometry(0, 0, 420, 300);
    m_muster->setFrameShape(QFrame::Panel);
    m_musterBild = new QLabel(m_muster);
    m_musterBild->setObjectName(QStringLiteral("Image1"));
    m_musterBild->setGeometry(m_muster->rect());
    m_musterBild->setScaledContents(true);
    m_musterLeiste = new QFrame(m_muster);
    m_musterLeiste->setGeometry(0, 0, 420, 24);
    m_musterTitel1 = new QLabel(QStringLiteral("Pfanno-"), m_muster);
    m_musterTitel2 = new QLabel(QStringLiteral("Lux"), m_muster);
    QFont tf = m_musterTitel1->font();
    tf.setPointSize(22);
    tf.setBold(true);
    m_musterTitel1->setFont(tf);
    m_musterTitel2->setFont(tf);
    m_musterTitel1->setGeometry(40, 34, 160, 40);
    m_musterTitel2->setGeometry(260, 34, 100, 40);
    m_bestand = new QLabel(QStringLiteral("Bestandsübersicht"), m_muster);
    m_bestand->setGeometry(20, 90, 380, 24);
    m_bestand->setAlignment(Qt::AlignCenter);
    m_muster1 = new TFilterGrid(m_muster);
    m_muster1->setObjectName(QStringLiteral("FilterGrid1"));
    m_muster1->setAccessibleName(QStringLiteral("Muster der Rezeptübersicht"));
    m_muster1->setGeometry(20, 120, 380, 90);
    m_muster1->RowColorProc = [this](TFilterGrid& g, int&, QPainter& can, int aCol, int aRow,
                                     TGridDrawState state) {
        FilterGrid1RowColorProc(g, can, aCol, aRow, state);
    };

    const int kx = 430;
    for (int nr = 0; nr < 5; ++nr)
        farbknopf(s, nr, QRect(kx, nr * 36, 230, 30));
    auto* schrift = new QPushButton(QStringLiteral("Schriftart && Schriftgrösse Tabelle"), s);
    schrift->setObjectName(QStringLiteral("BitBtn6"));
    schrift->setAccessibleName(QStringLiteral("Schriftart & Schriftgrösse Tabelle"));
    schrift->setGeometry(kx, 5 * 36, 230, 30);
    auto* bild = new QPushButton(QStringLiteral("Hauptbildschirmhintergrund als Bild"), s);
    bild->setObjectName(QStringLiteral("BitBtn7"));
    bild->setGeometry(kx, 6 * 36, 230, 30);
    auto* farbe = new QPushButton(QStringLiteral("Hauptbildschirmhintergrund als Farbe"), s);
    farbe->setObjectName(QStringLiteral("BitBtn8"));
    farbe->setGeometry(kx, 7 * 36, 230, 30);
    for (QPushButton* b : {schrift, bild, farbe}) {
        if (b->accessibleName().isEmpty()) b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }
    connect(schrift, &QPushButton::clicked, this, [this] {
        m_schriftFuerListen = false;
        schriftseiteOeffnen();
    });
    connect(bild, &QPushButton::clicked, this, &TFarbe::bildClick);
    connect(farbe, &QPushButton::clicked, this, &TFarbe::farbeClick);

    m_3dKopf = new QCheckBox(QStringLiteral("Tabellenüberschriften im 3D-Look  anzeigen."), s);
    m_3dKopf->setObjectName(QStringLiteral("CheckBox1"));
    m_3dKopf->setGeometry(0, 320, 400, 24);
    m_3dDaten = new QCheckBox(QStringLiteral("Datenbereich auch in 3D anzeigen."), s);
    m_3dDaten->setObjectName(QStringLiteral("CheckBox2"));
    m_3dDaten->setGeometry(0, 350, 400, 24);
    m_endfarbe = new TColorButton(plattform(), QStringLiteral("Endfarbe wählen"), s);
    m_endfarbe->setObjectName(QStringLiteral("ColorButton1"));
    m_endfarbe->setAccessibleName(m_endfarbe->text());
    m_endfarbe->setGeometry(0, 384, 160, 30);
    // The two colours the gradient starts from, beside the boxes that switch it.
    m_kopfFeld = new QLabel(QStringLiteral("Hintergrundfarbe Überschriften"), s);
    m_kopfFeld->setObjectName(QStringLiteral("Panel8"));
    m_kopfFeld->setGeometry(430, 320, 230, 24);
    m_datenFeld = new QLabel(QStringLiteral("Hintergrundfarbe Datenbereich"), s);
    m_datenFeld->setObjectName(QStringLiteral("Panel9"));
    m_datenFeld->setGeometry(430, 350, 230, 24);
    for (QLabel* l : {m_kopfFeld, m_datenFeld}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    connect(m_3dKopf, &QCheckBox::clicked, this, &TFarbe::hauptLookClick);
    connect(m_3dDaten, &QCheckBox::clicked, this, &TFarbe::hauptLookClick);
    connect(m_endfarbe, &TColorButton::ColorChosen, this, [this](quint32 c) {
        farben().colorx.end_gradient = qint32(c);
        geaendert();
    });
    return s;
}

QWidget* TFarbe::listenSeiteBauen() {
    auto* s = new QWidget;
    m_muster2 = new TFilterGrid(s);
    m_muster2->setObjectName(QStringLiteral("FilterGrid2"));
    m_muster2->setAccessibleName(QStringLiteral("Muster der Listentabellen"));
    m_muster2->setGeometry(0, 0, 400, 230);
    m_muster2->setOptions(m_muster2->Options() | goRowSelect);
    m_muster2->RowColorProc = [this](TFilterGrid& g, int&, QPainter& can, int aCol, int aRow,
                                     TGridDrawState state) {
        FilterGrid2RowColorProc(g, can, aCol, aRow, state);
    };
    for (int nr = 5; nr < 11; ++nr)
        farbknopf(s, nr, QRect(430, (nr - 5) * 36, 230, 30));
    auto* schrift = new QPushButton(QStringLiteral("Schriftart && Schriftgrösse"), s);
    schrift->setObjectName(QStringLiteral("BitBtn15"));
    schrift->setAccessibleName(QStringLiteral("Schriftart & Schriftgrösse"));
    schrift->setAutoDefault(false);
    schrift->setGeometry(430, 6 * 36, 230, 30);
    connect(schrift, &QPushButton::clicked, this, [this] {
        m_schriftFuerListen = true;
        schriftseiteOeffnen();
    });
    m_3dKopf1 = new QCheckBox(QStringLiteral("Tabellenüberschriften im 3D-Look  anzeigen."), s);
    m_3dKopf1->setObjectName(QStringLiteral("CheckBox3"));
    m_3dKopf1->setGeometry(0, 320, 400, 24);
    m_3dDaten1 = new QCheckBox(QStringLiteral("Datenbereich auch in 3D anzeigen."), s);
    m_3dDaten1->setObjectName(QStringLiteral("CheckBox4"));
    m_3dDaten1->setGeometry(0, 350, 400, 24);
    m_endfarbe1 = new TColorButton(plattform(), QStringLiteral("Endfarbe wählen"), s);
    m_endfarbe1->setObjectName(QStringLiteral("ColorButton2"));
    m_endfarbe1->setAccessibleName(m_endfarbe1->text());
    m_endfarbe1->setGeometry(0, 384, 160, 30);
    connect(m_3dKopf1, &QCheckBox::clicked, this, &TFarbe::listenLookClick);
    connect(m_3dDaten1, &QCheckBox::clicked, this, &TFarbe::listenLookClick);
    connect(m_endfarbe1, &TColorButton::ColorChosen, this, [this](quint32 c) {
        farben().colorx.end_gradient1 = qint32(c);
        m_muster2->setGradientEndColor(c);
        geaendert();
    });
    m_kopfFeld1 = new QLabel(QStringLiteral("Hintergrundfarbe Überschriften"), s);
    m_kopfFeld1->setObjectName(QStringLiteral("Panel11"));
    m_kopfFeld1->setGeometry(430, 320, 230, 24);
    m_datenFeld1 = new QLabel(QStringLiteral("Hintergrundfarbe Datenbereich"), s);
    m_datenFeld1->setObjectName(QStringLiteral("Panel12"));
    m_datenFeld1->setGeometry(430, 350, 230, 24);
    m_datenFeld1->setCursor(Qt::PointingHandCursor);
    m_datenFeld1->installEventFilter(this);
    for (QLabel* l : {m_kopfFeld1, m_datenFeld1}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    // The colour buttons choose through the scheme, so their custom colours live in farb.txt.
    for (TColorButton* k : {m_endfarbe, m_endfarbe1})
        k->setChooser([this](quint32& c) { return pfl::Farben_auswaehlen(farben(), plattform(), c); });
    return s;
}

QWidget* TFarbe::styleSeiteBauen() {
    auto* s = new QWidget;
    auto* titel = new QLabel(QStringLiteral("Styles"), s);
    titel->setGeometry(0, 0, 260, 20);
    m_styles = new QListWidget(s);
    m_styles->setObjectName(QStringLiteral("ListBox2"));
    m_styles->setAccessibleName(QStringLiteral("Styles"));
    m_styles->setGeometry(0, 24, 260, 400);
    titel->setBuddy(m_styles);
    m_aktiverStyle = new QLabel(s);
    m_aktiverStyle->setObjectName(QStringLiteral("Label3"));
    m_aktiverStyle->setGeometry(280, 0, 380, 20);
    m_styleAktivieren = new QPushButton(QStringLiteral("Style aktivieren"), s);
    m_styleAktivieren->setObjectName(QStringLiteral("Button5"));
    m_styleAktivieren->setAccessibleName(m_styleAktivieren->text());
    m_styleAktivieren->setAutoDefault(false);
    m_styleAktivieren->setGeometry(280, 394, 160, 30);
    // A preview of the clicked style on a few controls, before it restyles every window.
    m_vorschau = new QFrame(s);
    m_vorschau->setObjectName(QStringLiteral("Vorschau"));
    m_vorschau->setGeometry(280, 30, 380, 350);
    m_vorschau->setFrameShape(QFrame::StyledPanel);
    auto* vb = new QPushButton(QStringLiteral("Schaltfläche"), m_vorschau);
    vb->setGeometry(20, 20, 140, 30);
    auto* vc = new QCheckBox(QStringLiteral("Kontrollkästchen"), m_vorschau);
    vc->setGeometry(20, 64, 200, 24);
    vc->setChecked(true);
    auto* ve = new QLineEdit(QStringLiteral("Eingabefeld"), m_vorschau);
    ve->setAccessibleName(QStringLiteral("Muster eines Eingabefelds"));
    ve->setGeometry(20, 100, 200, 26);
    auto* vl = new QListWidget(m_vorschau);
    vl->addItems({QStringLiteral("Vorspeisen"), QStringLiteral("Suppen"), QStringLiteral("Desserts")});
    vl->setCurrentRow(1);
    vl->setAccessibleName(QStringLiteral("Muster einer Liste"));
    vl->setGeometry(20, 140, 200, 100);
    auto* vr = new QRadioButton(QStringLiteral("Auswahl"), m_vorschau);
    vr->setGeometry(20, 254, 200, 24);
    vr->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(vb), static_cast<QWidget*>(vc), static_cast<QWidget*>(ve),
                       static_cast<QWidget*>(vl), static_cast<QWidget*>(vr)})
        w->setFocusPolicy(Qt::NoFocus);
    m_fusion.reset(QStyleFactory::create(QStringLiteral("Fusion")));
    m_windows.reset(QStyleFactory::create(QStringLiteral("Windows")));
    connect(m_styles, &QListWidget::itemClicked, this, &TFarbe::ListBox2Click);
    connect(m_styles, &QListWidget::itemDoubleClicked, this, [this] {
        ListBox2Click();
        styleAktivierenClick();
    });
    connect(m_styleAktivieren, &QPushButton::clicked, this, &TFarbe::styleAktivierenClick);
    return s;
}

QWidget* TFarbe::schriftSeiteBauen() {
    auto* s = new QFrame;
    s->setObjectName(QStringLiteral("Panel18"));
    auto zeile = [s](const QString& text, QWidget* feld, int y) {
        auto* l = new QLabel(text, s);
        l->setGeometry(0, y, 220, 26);
        l->setBuddy(feld);
        feld->setAccessibleName(text);
    };
    m_kopfSchrift = new QComboBox(s);
    m_kopfSchrift->setObjectName(QStringLiteral("ComboBox1"));
    m_kopfSchrift->setGeometry(230, 20, 240, 26);
    zeile(QStringLiteral("Schriftart Überschriften"), m_kopfSchrift, 20);
    m_kopfGroesse = new RxSpinEdit(s);
    m_kopfGroesse->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_kopfGroesse->setGeometry(230, 56, 80, 26);
    zeile(QStringLiteral("Schriftgrösse Überschriften"), m_kopfGroesse, 56);
    m_datenSchrift = new QComboBox(s);
    m_datenSchrift->setObjectName(QStringLiteral("ComboBox2"));
    m_datenSchrift->setGeometry(230, 110, 240, 26);
    zeile(QStringLiteral("Schriftart Daten"), m_datenSchrift, 110);
    m_datenGroesse = new RxSpinEdit(s);
    m_datenGroesse->setObjectName(QStringLiteral("RxSpinEdit2"));
    m_datenGroesse->setGeometry(230, 146, 80, 26);
    zeile(QStringLiteral("Schriftgrösse Daten"), m_datenGroesse, 146);
    for (RxSpinEdit* f : {m_kopfGroesse, m_datenGroesse}) {
        f->setMinValue(1);
        f->setMaxValue(72);
        connect(f, &RxSpinEdit::Change, this, &TFarbe::schriftGeaendert);
    }
    for (QComboBox* b : {m_kopfSchrift, m_datenSchrift})
        connect(b, &QComboBox::currentTextChanged, this, &TFarbe::schriftGeaendert);
    auto* zurueck = new QPushButton(QStringLiteral("Zurück"), s);
    zurueck->setObjectName(QStringLiteral("Button6"));
    zurueck->setAccessibleName(zurueck->text());
    zurueck->setAutoDefault(false);
    zurueck->setGeometry(230, 200, 110, 30);
    connect(zurueck, &QPushButton::clicked, this, [this] {
        m_hauptWahl->setChecked(true);
        seiteWaehlen();
    });
    return s;
}

void TFarbe::vorbereiten() {
    style_lesen(farben());
    pfl::schriftgroessenWaehlen(farben(), plattform());
    m_fuellen = true;
    musterFuellen();

    m_styles->clear();
    m_styles->addItems(styleNamen());
    m_styleAktivieren->setEnabled(false);
    m_aktiverStyle->setText(QStringLiteral("Aktiver Style > ") + farben().Style);
    const QList<QListWidgetItem*> aktiv = m_styles->findItems(farben().Style, Qt::MatchExactly);
    if (!aktiv.isEmpty()) m_styles->setCurrentItem(aktiv.first());
    styleVorschau(farben().Style);
    m_fuellen = false;

    m_hauptWahl->setChecked(true);
    seiteWaehlen();
    hintergrundVorschau();
}

void TFarbe::faerben() {
    Nebenfenster::faerben();
    musterFaerben();
}

void TFarbe::musterFaerben() {
    const Tcolor1& c = farben().colorx;
    flaecheFaerben(m_knopfleiste, c.D_bs_fa, c.D_bs_fa_font);
    flaecheFaerben(m_seitenTitel, c.form_umr, c.D_bs_ueb_font);
    flaecheFaerben(m_muster, c.H_bs_hg, c.D_bs_fa_font);
    flaecheFaerben(m_musterLeiste, c.menuebar, c.menuebar);
    // The titles as the main window shows them.
    for (QLabel* l : {m_musterTitel1, m_musterTitel2}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, pfl::alsFarbe(c.D_bs_fa_font));
        l->setPalette(p);
    }
    kontrastHinweisZeigen();
    flaecheFaerben(m_bestand, c.D_bs_umr_aus, c.D_bs_ueb_font);
    flaecheFaerben(m_kopfFeld, c.D_bs_ueb, c.D_bs_ueb_font);
    flaecheFaerben(m_datenFeld, c.D_bs_pan, c.D_bs_pan_font);
    flaecheFaerben(m_kopfFeld1, c.String_box_ueb, c.String_box_ueb_Font);
    flaecheFaerben(m_datenFeld1, c.String_box, c.String_box_font);
    m_endfarbe->setActiveColor(pfl::farbwert(c.end_gradient));
    m_endfarbe1->setActiveColor(pfl::farbwert(c.end_gradient1));
    haekchenSetzen();
    Farben_setzen();
    Farben_setzen1();
}

void TFarbe::kontrastHinweisZeigen() {
    // Every pair of text and background colour the user chooses here; a poor one is shown as it is
    // and named here, never changed behind the user's back.
    const Tcolor1& c = farben().colorx;
    struct Paar {
        const char* name;
        qint32 schrift, grund;
    };
    const Paar paare[] = {
        {"Tabellenüberschriften im Hauptbildschirm", c.D_bs_ueb_font, c.D_bs_ueb},
        {"Tabellendaten im Hauptbildschirm", c.D_bs_pan_font, c.D_bs_pan},
        {"Schriftzug Pfanno-Lux", c.D_bs_fa_font, c.H_bs_hg},
        {"Überschrift der Datenausgabe", c.String_box_ueb_Font, c.String_box_ueb},
        {"Datenfelder der Datenausgabe", c.String_box_font, c.String_box},
        {"markierte Zeile der Datenausgabe", c.String_box_mark_Row_font, c.String_box_mark_Row},
    };
    QStringList schwach;
    for (const Paar& p : paare) {
        const double k = pfl::kontrast(pfl::alsFarbe(p.schrift), pfl::alsFarbe(p.grund));
        if (k < kGuterKontrast)
            schwach << QStringLiteral("%1 (%2 : 1)")
                           .arg(QString::fromUtf8(p.name), pfl::dezimalText(k, 1, false));
    }
    m_kontrastHinweis->setVisible(!schwach.isEmpty());
    m_kontrastHinweis->setText(
        schwach.isEmpty()
            ? QString()
            : QStringLiteral("Schwer lesbar: %1. Schrift und Hintergrund sollten sich mindestens "
                             "4,5 : 1 unterscheiden.")
                  .arg(schwach.join(QStringLiteral(", "))));
}

void TFarbe::haekchenSetzen() {
    const Tcolor1& c = farben().colorx;
    const bool vorher = m_fuellen;
    m_fuellen = true;
    m_3dKopf->setChecked(c.draw_style == 1);
    m_3dDaten->setChecked(c.cell_style == 1);
    m_3dKopf1->setChecked(c.draw_style1 == 1);
    m_3dDaten1->setChecked(c.cell_style1 == 1);
    // The data area can be 3-D only under 3-D headings.
    m_3dDaten->setEnabled(m_3dKopf->isChecked());
    m_3dDaten1->setEnabled(m_3dKopf1->isChecked());
    m_endfarbe->setEnabled(m_3dKopf->isChecked());
    m_kopfFeld->setEnabled(m_3dKopf->isChecked());
    m_datenFeld->setEnabled(m_3dDaten->isChecked());
    m_endfarbe1->setEnabled(m_3dKopf1->isChecked());
    m_kopfFeld1->setEnabled(m_3dKopf1->isChecked());
    m_datenFeld1->setEnabled(m_3dDaten1->isChecked());
    m_fuellen = vorher;
}

void TFarbe::seiteWaehlen() {
    int seite = kHaupt;
    if (m_listenWahl->isChecked()) seite = kListen;
    if (m_styleWahl->isChecked()) seite = kStyle;
    m_seiten->setCurrentIndex(seite);
    m_seitenTitel->setText(QLatin1String(kTitel[seite]));
    if (seite == kListen) {
        m_muster2->setGradientEndColor(pfl::farbwert(farben().colorx.end_gradient1));
        Farben_setzen1();
    }
    if (seite == kStyle) m_styleAktivieren->setEnabled(false);
}

void TFarbe::farbknopfClick() {
    const int nr = sender()->property("farbknopf").toInt();
    qint32& feld = farben().colorx.*kFarbknoepfe[nr].feld;
    if (!pfl::Farben_auswaehlen(farben(), plattform(), feld)) return;
    geaendert();
}

void TFarbe::geaendert() {
    musterFaerben();
    Q_EMIT farbenGeaendert();
}

void TFarbe::hauptLookClick() {
    if (m_fuellen) return;
    Tcolor1& c = farben().colorx;
    c.draw_style = m_3dKopf->isChecked() ? 1 : 0;
    // Without 3-D headings the data area cannot stay 3-D.
    c.cell_style = m_3dKopf->isChecked() && m_3dDaten->isChecked() ? 1 : 0;
    geaendert();
}

void TFarbe::listenLookClick() {
    if (m_fuellen) return;
    Tcolor1& c = farben().colorx;
    c.draw_style1 = m_3dKopf1->isChecked() ? 1 : 0;
    c.cell_style1 = m_3dKopf1->isChecked() && m_3dDaten1->isChecked() ? 1 : 0;
    geaendert();
}

void TFarbe::schriftseiteOeffnen() {
    Tcolor1& c = farben().colorx;
    m_fuellen = true;
    const QStringList familien = plattform().fontFamilies();
    for (QComboBox* b : {m_kopfSchrift, m_datenSchrift}) {
        b->clear();
        b->addItems(familien);
    }
    const QString kopf = (m_schriftFuerListen ? c.ue_grid_s : c.D_bs_ueb_schrift).toQString();
    const QString daten = (m_schriftFuerListen ? c.grid_s : c.D_bs_schrift).toQString();
    // A stored font the system does not list stays choosable.
    for (const auto& [box, name] : {std::pair{m_kopfSchrift, kopf}, std::pair{m_datenSchrift, daten}}) {
        if (box->findText(name) < 0) box->addItem(name);
        box->setCurrentText(name);
    }
    m_kopfGroesse->setValue(m_schriftFuerListen ? c.ue_grid_g : c.D_bs_ueb_schrift_groesse);
    m_datenGroesse->setValue(m_schriftFuerListen ? c.grid_g : c.D_bs_schrift_groesse);
    m_fuellen = false;
    m_seiten->setCurrentIndex(kSchrift);
    m_seitenTitel->setText(QLatin1String(kTitel[kSchrift]));
}

void TFarbe::schriftGeaendert() {
    if (m_fuellen) return;
    Tcolor1& c = farben().colorx;
    Schriftsatz& klasse = pfl::schriftsatz(c, pfl::schriftklasse(plattform()));
    const QString kopf = m_kopfSchrift->currentText();
    const QString daten = m_datenSchrift->currentText();
    const int kopfGroesse = m_kopfGroesse->Value();
    const int datenGroesse = m_datenGroesse->Value();
    if (m_schriftFuerListen) {
        c.ue_grid_s = kopf;
        c.grid_s = daten;
        c.ue_grid_g = kopfGroesse;
        c.grid_g = datenGroesse;
        klasse.ue_grid_s = kopf;
        klasse.grid_s = daten;
        klasse.ue_grid_g = kopfGroesse;
        klasse.grid_g = datenGroesse;
    } else {
        c.D_bs_ueb_schrift = kopf;
        c.D_bs_schrift = daten;
        c.D_bs_ueb_schrift_groesse = kopfGroesse;
        c.D_bs_schrift_groesse = datenGroesse;
        klasse.D_bs_ueb_schrift = kopf;
        klasse.D_bs_schrift = daten;
        klasse.D_bs_ueb_schrift_groesse = kopfGroesse;
        klasse.D_bs_schrift_groesse = datenGroesse;
    }
    geaendert();
}

void TFarbe::hintergrundVorschau() {
    const Tcolor1& c = farben().colorx;
    const QString name = c.hg_bild.toQString();
    const QString datei = daten().hintergrundDatei(name);
    QPixmap bild;
    if (c.f_b_haupt == 0 && pfl::hintergrundNameZulaessig(name) && !datei.isEmpty()) bild.load(datei);
    m_musterBild->setPixmap(bild);
    m_musterBild->setVisible(!bild.isNull());
    m_musterBild->lower();
    musterFaerben();
}

void TFarbe::bildClick() {
    farben().colorx.f_b_haupt = 0;
    hintergrundVorschau();
    Q_EMIT farbenGeaendert();
    Q_EMIT hintergrundBildVerlangt();
}

void TFarbe::farbeClick() {
    Tcolor1& c = farben().colorx;
    c.f_b_haupt = 1;
    const pfl::Farbwahl w = pfl::colored(farben(), plattform());
    if (w.abbruch == 0) c.H_bs_hg = qint32(w.farbe);
    hintergrundVorschau();
    Q_EMIT farbenGeaendert();
}

void TFarbe::ListBox2Click() {
    QListWidgetItem* item = m_styles->currentItem();
    if (!item) return;
    farben().Style = item->text();
    m_styleAktivieren->setEnabled(true);
    styleVorschau(item->text());
}

void TFarbe::styleVorschau(const QString& name) {
    const std::optional<QPalette> p = stylePalette(name);
    QStyle* stil = p ? m_fusion.get() : m_windows.get();
    const QPalette pal = p ? *p : (stil ? stil->standardPalette() : QGuiApplication::palette());
    m_vorschau->setPalette(pal);
    m_vorschau->setAutoFillBackground(true);
    for (QWidget* w : m_vorschau->findChildren<QWidget*>()) {
        if (stil) w->setStyle(stil);
        w->setPalette(pal);
    }
}

void TFarbe::styleAktivierenClick() {
    if (!m_styles->currentItem()) return;
    farben().Style = m_styles->currentItem()->text();
    close();
    styleAktivieren(farben(), farben().Style);
    // A failed write is reported by the scheme; the style still shows for this run.
    farben().style_speichern();
    Q_EMIT styleGewechselt();
}

void TFarbe::speichernClick() {
    close();
    pfl::farbenSichern(farben(), daten().lpf);
    Q_EMIT farbenGeaendert();
}

void TFarbe::grundeinstellungClick() {
    const QString frage = QStringLiteral("Durch die Grundeinstellung werden von Ihnen bereits geänderte\n  "
                                         "Farbeinstellungen gelöscht und die in "
                                         "der Grundeinstellung \n                     vordefinierten Farben "
                                         "eingestellt.           \n           "
                                         "Möchten Sie die Grundeinstellung vornehmen.??      \n");
    if (plattform().message(Platform::Kind::Information, frage, Platform::Buttons::YesNo) !=
        Platform::Answer::Yes)
        return;
    close();
    farben().Farben_anlegen(farben().colorx);
    Q_EMIT farbenGeaendert();
}
