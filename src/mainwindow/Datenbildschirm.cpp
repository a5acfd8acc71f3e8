// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/Datenbildschirm.h"

#include "data/Unit4.h"
#include "platform/Platform.h"
#include "data/Deutsch.h"
#include "widgets/Zahlenfeld.h"

#include <QLabel>
#include <QPushButton>

TForm52::TForm52(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form52"), QStringLiteral("Datenbildschirm verändern"),
                   QSize(420, 220), 800) {
    QLabel* l1 = label(QStringLiteral("Label1"), QStringLiteral("Datenbildschirm in der Breite ändern"),
                       QRect(20, 20, 260, 24));
    QLabel* l2 = label(QStringLiteral("Label2"), QStringLiteral("Datenbildschirm in der Höhe ändern."),
                       QRect(20, 70, 260, 24));
    m_breite = new RxSpinEdit(this);
    m_breite->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_breite->setAccessibleName(l1->text());
    m_breite->setGeometry(290, 18, 110, 28);
    m_breite->setMinValue(0);
    m_breite->setMaxValue(kGroesstwert);
    m_hoehe = new RxSpinEdit(this);
    m_hoehe->setObjectName(QStringLiteral("RxSpinEdit2"));
    m_hoehe->setAccessibleName(l2->text());
    m_hoehe->setGeometry(290, 68, 110, 28);
    m_hoehe->setMinValue(0);
    l1->setBuddy(m_breite);
    l2->setBuddy(m_hoehe);
    // Widths for which the three-button rule leaves the buttons side by side, not overlapping.
    QPushButton* speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), QSize(120, 30));
    QPushButton* grund = knopf(QStringLiteral("Button2"), QStringLiteral("Grundeinstellung"), QSize(124, 30));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    hilfe->resize(120, 30);
    for (QPushButton* b : {speichern, grund, hilfe})
        b->move(0, 160);
    knopfreihe(speichern, grund, hilfe, 2, -5);
    speichern->setDefault(true);
    grund->setAutoDefault(false);
    connect(m_breite, &RxSpinEdit::TopClick, this, &TForm52::RxSpinEdit1TopClick);
    connect(m_breite, &RxSpinEdit::BottomClick, this, &TForm52::RxSpinEdit1BottomClick);
    connect(m_hoehe, &RxSpinEdit::TopClick, this, &TForm52::RxSpinEdit2TopClick);
    connect(m_hoehe, &RxSpinEdit::BottomClick, this, &TForm52::RxSpinEdit2BottomClick);
    connect(speichern, &QPushButton::clicked, this, &TForm52::Button1Click);
    connect(grund, &QPushButton::clicked, this, &TForm52::Button2Click);
}

void TForm52::vorbereiten() {
    Unit4& u = daten();
    u.opt_lesen(); // unsaved live changes are discarded
    m_breite->setText(QString::number(u.option.dbw));
    m_hoehe->setText(QString::number(u.option.dbh));
}

bool TForm52::ganzzahl(RxSpinEdit* feld, int& wert) {
    const std::optional<int> v = pfl::ganzzahl(feld->Text());
    if (!v) {
        plattform().message(Platform::Kind::Error,
                            QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert.").arg(feld->Text()));
        return false;
    }
    wert = *v;
    return true;
}

bool TForm52::imBereich(RxSpinEdit* feld, const QString& was, int& wert) {
    if (!ganzzahl(feld, wert)) return false;
    if (wert < 0 || wert > kGroesstwert) {
        plattform().message(
            Platform::Kind::Error,
            QStringLiteral("Die %1 des Datenbildschirms muss zwischen 0 und %2 Pixeln liegen.")
                .arg(was, QLocale(QLocale::German, QLocale::Germany).toString(kGroesstwert)));
        feld->setFocus();
        return false;
    }
    return true;
}

void TForm52::breiteLive() {
    int w = 0;
    if (!ganzzahl(m_breite, w)) return;
    Unit4& u = daten();
    u.option.dbw = w;
    Q_EMIT groesseGeaendert(qMax(0, w), qMax(0, int(u.option.dbh)));
}

void TForm52::hoeheLive() {
    int h = 0;
    if (!ganzzahl(m_hoehe, h)) return;
    Unit4& u = daten();
    u.option.dbh = h;
    Q_EMIT groesseGeaendert(qMax(0, int(u.option.dbw)), qMax(0, h));
}

void TForm52::RxSpinEdit1TopClick() {
    breiteLive();
}
void TForm52::RxSpinEdit1BottomClick() {
    breiteLive();
}
void TForm52::RxSpinEdit2TopClick() {
    hoeheLive();
}
void TForm52::RxSpinEdit2BottomClick() {
    hoeheLive();
}

void TForm52::Button1Click() {
    if (!daten().schreibbar()) return;
    int w = 0;
    int h = 0;
    // Both fields are checked before anything changes, so a typing error keeps the window open.
    if (!imBereich(m_breite, QStringLiteral("Breite"), w) || !imBereich(m_hoehe, QStringLiteral("Höhe"), h))
        return;
    Unit4& u = daten();
    u.option.dbw = w;
    u.option.dbh = h;
    Q_EMIT groesseGeaendert(w, h);
    u.opt_speichern();
    done(Accepted);
}

void TForm52::Button2Click() {
    if (!daten().schreibbar()) return;
    const Platform::Answer a = plattform().message(
        Platform::Kind::Information,
        QStringLiteral(
            "Durch die Grundeinstellung werden von Ihnen bereits geänderte    \n Einstellungen gelöscht und "
            "die vordefinierten Werte eingestellt.\n        Möchten Sie die Grundeinstellung "
            "vornehmen??             \n"),
        Platform::Buttons::YesNo);
    if (a == Platform::Answer::Yes) {
        // The predefined values: the data screen at its design size, centred and shown.
        Unit4& u = daten();
        u.option.dbw = kBreite;
        u.option.dbh = kHoehe;
        u.option.db_einaus = 1;
        u.opt_speichern();
        Q_EMIT grundeinstellungGespeichert();
    }
    reject();
}
