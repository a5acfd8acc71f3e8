#include "app/Datenbildschirm.h"

#include "app/Buchfenster.h"
#include "app/Fenster.h"
#include "app/Fensterhilfen.h"
#include "app/Hauptfenster.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "widgets/Zahlenfeld.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TForm52::TForm52(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form52"));
    setWindowTitle(QStringLiteral("Datenbildschirm verändern"));
    setFixedSize(420, 220);
    Label1 = pfl::buchLabel(this, QStringLiteral("Label1"),
                            QStringLiteral("Datenbildschirm in der Breite ändern"), QRect(20, 20, 260, 24));
    Label2 = pfl::buchLabel(this, QStringLiteral("Label2"),
                            QStringLiteral("Datenbildschirm in der Höhe ändern."), QRect(20, 70, 260, 24));
    RxSpinEdit1 = new RxSpinEdit(this);
    RxSpinEdit1->setObjectName(QStringLiteral("RxSpinEdit1"));
    RxSpinEdit1->setAccessibleName(Label1->text());
    RxSpinEdit1->setGeometry(290, 18, 110, 28);
    RxSpinEdit1->setMinValue(0);
    RxSpinEdit1->setMaxValue(100000);
    RxSpinEdit2 = new RxSpinEdit(this);
    RxSpinEdit2->setObjectName(QStringLiteral("RxSpinEdit2"));
    RxSpinEdit2->setAccessibleName(Label2->text());
    RxSpinEdit2->setGeometry(290, 68, 110, 28);
    RxSpinEdit2->setMinValue(0);
    Label1->setBuddy(RxSpinEdit1);
    Label2->setBuddy(RxSpinEdit2);
    Button1 = pfl::buchKnopf(this, QStringLiteral("Button1"), QStringLiteral("Speichern"));
    Button2 = pfl::buchKnopf(this, QStringLiteral("Button2"), QStringLiteral("Grundeinstellung"));
    Button3 = pfl::buchKnopf(this, QStringLiteral("Button3"), QStringLiteral("Hilfe"));
    // Widths for which the three-button rule leaves the buttons side by side, not overlapping.
    Button1->resize(120, 30);
    Button2->resize(124, 30);
    Button3->resize(120, 30);
    for (QPushButton* b : {Button1, Button2, Button3})
        b->move(0, 160);
    pfl::knopfreihe(this, Button1, Button2, Button3, 2, -5);
    connect(RxSpinEdit1, &RxSpinEdit::TopClick, this, &TForm52::RxSpinEdit1TopClick);
    connect(RxSpinEdit1, &RxSpinEdit::BottomClick, this, &TForm52::RxSpinEdit1BottomClick);
    connect(RxSpinEdit2, &RxSpinEdit::TopClick, this, &TForm52::RxSpinEdit2TopClick);
    connect(RxSpinEdit2, &RxSpinEdit::BottomClick, this, &TForm52::RxSpinEdit2BottomClick);
    connect(Button1, &QPushButton::clicked, this, &TForm52::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm52::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm52::Button3Click);
}

void TForm52::oeffnen() {
    Unit4& u = Unit4::instance();
    u.opt_lesen(); // unsaved live changes are discarded
    RxSpinEdit1->setText(QString::number(u.option.dbw));
    RxSpinEdit2->setText(QString::number(u.option.dbh));
    pfl::buchfensterFaerben(this);
    pfl::dialogPlatzieren(this);
    show();
    raise();
    activateWindow();
}

bool TForm52::ganzzahl(RxSpinEdit* feld, int& wert) {
    bool ok = false;
    const int v = feld->Text().trimmed().toInt(&ok);
    if (!ok) {
        platform().message(Platform::Kind::Error,
                           QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert.").arg(feld->Text()));
        return false;
    }
    wert = v;
    return true;
}

void TForm52::breiteLive() {
    int w = 0;
    if (!ganzzahl(RxSpinEdit1, w)) return;
    Unit4::instance().option.dbw = w;
    if (TForm1* f = fenster().Form1) f->Panel2->resize(qMax(0, w), f->Panel2->height());
}

void TForm52::hoeheLive() {
    int h = 0;
    if (!ganzzahl(RxSpinEdit2, h)) return;
    Unit4::instance().option.dbh = h;
    if (TForm1* f = fenster().Form1) f->Panel2->resize(f->Panel2->width(), qMax(0, h));
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
    int w = 0;
    int h = 0;
    // Both fields are checked before anything changes, so a typing error keeps the window open.
    if (!ganzzahl(RxSpinEdit1, w) || !ganzzahl(RxSpinEdit2, h)) return;
    hide();
    Unit4& u = Unit4::instance();
    u.option.dbw = w;
    u.option.dbh = h;
    if (TForm1* f = fenster().Form1) f->Panel2->resize(qMax(0, w), qMax(0, h));
    u.opt_speichern();
    pfl::hauptfensterAuffrischen();
}

void TForm52::Button2Click() {
    const Platform::Answer a = platform().message(
        Platform::Kind::Information,
        QStringLiteral(
            "Durch die Grundeinstellung werden von Ihnen bereits geänderte    \n Einstellungen gelöscht und "
            "die vordefinierten Werte eingestellt.\n        Möchten Sie die Grundeinstellung "
            "vornehmen??             \n"),
        Platform::Buttons::YesNo);
    hide();
    if (a != Platform::Answer::Yes) return;
    // The predefined values: the data screen at its original size, centred and shown.
    Unit4& u = Unit4::instance();
    u.option.dbw = kBreite;
    u.option.dbh = kHoehe;
    u.option.db_einaus = 1;
    u.opt_speichern();
    if (TForm1* f = fenster().Form1) {
        f->datenbildschirmZentrieren();
        f->Copy1();
    }
}

void TForm52::Button3Click() {
    platform().showHelp(Unit4::instance().chmFile, 800);
}
