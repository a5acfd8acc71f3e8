// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/Druckeinstellungen.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"
#include "widgets/Zahlenfeld.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const char* const kFeldNamen[5] = {"Zeichengröße", "Linienstärke", "Anzahl Zeilen", "Zeilenabstand",
                                   "Linker Rand"};
} // namespace

TForm15::TForm15(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form15"), QStringLiteral("Druckereinstellung"),
                   QSize(560, 400), 700) {
    // Opened from the menu and answered before the user goes on.
    setWindowModality(Qt::ApplicationModal);
    auto panel = [this](const char* name, const QRect& r) {
        auto* p = new QFrame(this);
        p->setObjectName(QString::fromLatin1(name));
        p->setFrameShape(QFrame::StyledPanel);
        p->setGeometry(r);
        p->setAutoFillBackground(true);
        return p;
    };
    m_kopf = panel("Panel1", QRect(10, 10, 540, 40));
    m_titel = new QLabel(m_kopf);
    m_titel->setObjectName(QStringLiteral("Label1"));
    m_titel->setGeometry(10, 8, 520, 24);
    QFont f = m_titel->font();
    f.setBold(true);
    m_titel->setFont(f);

    // The printouts, one button each; the buttons without caption belong to groups no printout uses.
    QFrame* links = panel("Panel2", QRect(10, 60, 170, 270));
    m_panels.append(links);
    struct Gruppenknopf {
        const char* name;
        const char* text;
        const char* lesbar;
    };
    const Gruppenknopf knoepfe[] = {{"Button4", "Rezept drucken", "Rezept drucken"},
                                    {"Button5", "Einkaufsliste", "Einkaufsliste"},
                                    {"Button8", "", "Termine drucken"},
                                    {"Button6", "", "ohne Funktion"},
                                    {"Button7", "", "ohne Funktion"}};
    QPushButton* gruppenKnoepfe[5];
    for (int i = 0; i < 5; ++i) {
        QPushButton* b =
            knopf(QString::fromLatin1(knoepfe[i].name), QString::fromUtf8(knoepfe[i].text), QSize(150, 30));
        b->setParent(links);
        b->setAccessibleName(QString::fromUtf8(knoepfe[i].lesbar));
        b->move(10, 10 + 50 * i);
        b->setAutoDefault(false);
        gruppenKnoepfe[i] = b;
    }
    gruppenKnoepfe[3]->setEnabled(false);
    gruppenKnoepfe[4]->setEnabled(false);
    connect(gruppenKnoepfe[0], &QPushButton::clicked, this, &TForm15::Button4Click);
    connect(gruppenKnoepfe[1], &QPushButton::clicked, this, &TForm15::Button5Click);
    connect(gruppenKnoepfe[2], &QPushButton::clicked, this, &TForm15::Button8Click);

    QFrame* rechts = panel("Panel3", QRect(190, 60, 360, 270));
    m_panels.append(rechts);
    for (int i = 0; i < 5; ++i) {
        const QString text = QString::fromUtf8(kFeldNamen[i]);
        auto* l = new QLabel(text, rechts);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        l->setGeometry(10, 12 + 40 * i, 150, 24);
        auto* s = new RxSpinEdit(rechts);
        s->setObjectName(QStringLiteral("RxSpinEdit%1").arg(i + 1));
        s->setAccessibleName(text);
        s->setGeometry(170, 10 + 40 * i, 100, 26);
        l->setBuddy(s);
        s->installEventFilter(this);
        m_felder[i] = s;
    }
    auto* ls = new QLabel(QStringLiteral("Schriftart"), rechts);
    ls->setObjectName(QStringLiteral("Label7"));
    ls->setGeometry(10, 212, 150, 24);
    m_schrift = new QComboBox(rechts);
    m_schrift->setObjectName(QStringLiteral("ComboBox1"));
    m_schrift->setAccessibleName(QStringLiteral("Schriftart"));
    m_schrift->setEditable(true);
    m_schrift->setInsertPolicy(QComboBox::NoInsert);
    m_schrift->setGeometry(170, 210, 180, 26);
    m_schrift->installEventFilter(this);
    m_schrift->lineEdit()->installEventFilter(this);
    m_schrift->lineEdit()->setAccessibleName(m_schrift->accessibleName());
    ls->setBuddy(m_schrift);

    QPushButton* speichern = knopf(QStringLiteral("Button11"), QStringLiteral("Speichern >>"));
    QPushButton* grund = knopf(QStringLiteral("Button9"), QStringLiteral("Grundeinstellung"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button10"));
    for (QPushButton* b : {speichern, grund, hilfe}) {
        b->move(0, 350);
        b->setAutoDefault(false);
    }
    knopfreihe(speichern, grund, hilfe, 2, -5);
    connect(speichern, &QPushButton::clicked, this, &TForm15::Button11Click);
    connect(grund, &QPushButton::clicked, this, &TForm15::grundeinstellungClick);

    // The printer's fonts, sorted by name.
    QStringList schriften = plattform().fontFamilies();
    schriften.sort(Qt::CaseInsensitive);
    schriften.removeDuplicates();
    m_schrift->addItems(schriften);
}

void TForm15::vorbereiten() {
    daten().druck_lesen();
    Button4Click();
}

void TForm15::faerben() {
    Nebenfenster::faerben();
    const QColor kopf = pfl::alsFarbe(quint32(farben().colorx.D_bs_fa));
    QPalette p = m_kopf->palette();
    p.setColor(QPalette::Window, kopf);
    p.setColor(QPalette::WindowText, pfl::lesbareFarbe(palette().color(QPalette::WindowText), kopf));
    m_kopf->setPalette(p);
    for (QFrame* f : m_panels)
        f->setPalette(palette());
}

DruckGruppe& TForm15::gruppe(int code) {
    Drucker& d = daten().drucke;
    switch (code) {
    case 4:
        return d.t;
    case 5:
        return d.k;
    case 6:
        return d.f;
    case 8:
        return d.b;
    default:
        return d.d;
    }
}

void TForm15::gruppeZeigen(int code, const QString& ueberschrift) {
    m_code = code;
    m_titel->setText(ueberschrift);
    const DruckGruppe& g = gruppe(code);
    const int werte[5] = {g.text_Hoehe, g.pen_strich, g.anz_zeilen, g.zeilen_abstand, g.rand};
    for (int i = 0; i < 5; ++i)
        m_felder[i]->setText(QString::number(werte[i]));
    m_felder[2]->setEnabled(true);
    m_felder[3]->setEnabled(true);
    m_schrift->setEditText(g.schrift.toQString());
}

void TForm15::Button4Click() {
    gruppeZeigen(7, QStringLiteral("Einstellungen für >Rezept drucken<"));
}

void TForm15::Button5Click() {
    gruppeZeigen(4, QStringLiteral("Einstellungen für >Einkaufsliste drucken<"));
}

void TForm15::Button8Click() {
    gruppeZeigen(8, QStringLiteral("Einstellungen für >Termine drucken<"));
}

void TForm15::Button11Click() {
    if (!daten().schreibbar()) return;
    int werte[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        werte[i] = m_felder[i]->AsInteger(&ok);
        // A field without a whole number is not stored as 0 behind the user's back.
        if (!ok) {
            plattform().message(Platform::Kind::Information,
                                QStringLiteral("Bitte geben Sie bei \u201E%1\u201C eine ganze Zahl ein.")
                                    .arg(QString::fromUtf8(kFeldNamen[i])));
            m_felder[i]->setFocus();
            return;
        }
    }
    Unit4& u = daten();
    const Drucker vorher = u.drucke;
    DruckGruppe& g = gruppe(m_code);
    g.text_Hoehe = werte[0];
    g.pen_strich = werte[1];
    g.anz_zeilen = werte[2];
    g.zeilen_abstand = werte[3];
    g.rand = werte[4];
    g.schrift = m_schrift->currentText().left(30);
    bool fehler = false;
    const QMetaObject::Connection c = connect(&u, &Unit4::schreibfehler, this, [&fehler] { fehler = true; });
    u.druck_speichern();
    disconnect(c);
    // A failed write was reported by the data module, which then falls back to the defaults. The
    // file on disk is the old one; the settings in use stay those of the file, and the window stays
    // open with what was typed, to be saved again.
    if (fehler) {
        u.drucke = vorher;
        return;
    }
    close();
}

void TForm15::grundeinstellungClick() {
    if (!daten().schreibbar()) return;
    const QString frage = QStringLiteral(
        "Durch die Grundeinstellung werden von Ihnen bereits geänderten\nDruckereinstellungen gelöscht und "
        "die in der Grundeinstellung \n                     vordefinierten Werte eingestellt.           \n"
        "          Möchten Sie die Grundeinstellung vornehmen.??      \n");
    if (plattform().message(Platform::Kind::Information, frage, Platform::Buttons::YesNo) ==
        Platform::Answer::Yes)
        daten().druck_anlegen();
    close();
}

bool TForm15::eventFilter(QObject* o, QEvent* e) {
    // The window sees the keys before its fields: Enter and cursor down go to the next field,
    // cursor up to the previous one.
    if (e->type() == QEvent::KeyPress && o->isWidgetType()) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Down) {
            focusNextChild();
            return true;
        }
        if (k == Qt::Key_Up) {
            focusPreviousChild();
            return true;
        }
    }
    return Nebenfenster::eventFilter(o, e);
}
