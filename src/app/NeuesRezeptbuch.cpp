#include "app/NeuesRezeptbuch.h"

#include "app/Buchfenster.h"
#include "app/Fensterhilfen.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Td_anlegen::Td_anlegen(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("d_anlegen"));
    setWindowTitle(QStringLiteral("Neues Rezeptbuch anlegen."));
    setFixedSize(420, 210);
    Label1 =
        pfl::buchLabel(this, QStringLiteral("Label1"),
                       QStringLiteral("Bitte einen Dateinamen mit max. 20  Zeichen"), QRect(20, 14, 380, 20));
    Label2 = pfl::buchLabel(this, QStringLiteral("Label2"), QStringLiteral("ohne Dateiendung eingeben."),
                            QRect(20, 36, 380, 20));
    Label3 =
        pfl::buchLabel(this, QStringLiteral("Label3"), QStringLiteral("Dateiname"), QRect(20, 74, 380, 20));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("Dateiname"));
    Edit1->setGeometry(20, 96, 380, 26);
    Edit1->setMaxLength(25); // pasted text is cut; typing gets the message below
    Label3->setBuddy(Edit1);
    Edit1->installEventFilter(this);
    Button1 = pfl::buchKnopf(this, QStringLiteral("Button1"), QStringLiteral("Speichern >>"));
    Button2 = pfl::buchKnopf(this, QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    Button3 = pfl::buchKnopf(this, QStringLiteral("Button3"), QStringLiteral("Hilfe"));
    for (QPushButton* b : {Button1, Button2, Button3})
        b->move(0, 150);
    pfl::knopfreihe(this, Button1, Button2, Button3, 3, 10);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &Td_anlegen::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Td_anlegen::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Td_anlegen::Button3Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &Td_anlegen::Button1Click);
}

void Td_anlegen::oeffnen() {
    Edit1->clear();
    pfl::buchfensterFaerben(this);
    pfl::dialogPlatzieren(this);
    show();
    raise();
    activateWindow();
}

void Td_anlegen::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Edit1->setFocus();
}

bool Td_anlegen::eventFilter(QObject* o, QEvent* e) {
    if (o == Edit1 && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        const bool zeichen = !t.isEmpty() && t.at(0).isPrint();
        if (zeichen && k->key() != Qt::Key_Backspace && Edit1->text().size() + t.size() > 25 &&
            !Edit1->hasSelectedText()) {
            platform().message(Platform::Kind::Error, QStringLiteral("Es sind nur 25 Zeichen zugelassen."),
                               Platform::Buttons::Ok, QStringLiteral("Hinweis"));
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void Td_anlegen::Button1Click() {
    Unit4& u = Unit4::instance();
    const QString name = Edit1->text().trimmed();
    // A name of blanks only would make the hidden file ".rez"; it counts as no name.
    if (name.isEmpty()) {
        platform().message(
            Platform::Kind::Information,
            QStringLiteral(" Sie müssen Ihrem neuen Objekt zuerst einen \n Namen geben bevor Sie es "
                           "speichern könnnen.    \n"));
        return;
    }
    if (!Unit4::sichererName(name)) {
        platform().message(Platform::Kind::Information,
                           QStringLiteral("Der Name darf weder \"/\" noch \"\\\" noch \"..\" enthalten.\n"
                                          "Bitte wählen Sie einen anderen Namen."));
        return;
    }
    if (QFileInfo::exists(u.pfad(name + QStringLiteral(".rez")))) {
        platform().message(
            Platform::Kind::Information,
            QStringLiteral(" Dieser Dateiname ist bereits vorhanden, \n   wählen Sie bitte einen "
                           "anderen Namen.  \n"));
        Edit1->clear();
        return;
    }
    u.rezeptbuch = name;
    u.option.rezeptbuch = name;
    u.rezept_anlegen1();
    u.opt_speichern();
    close();
}

void Td_anlegen::Button2Click() {
    close();
}

void Td_anlegen::Button3Click() {
    platform().showHelp(Unit4::instance().chmFile, 250);
}

void Td_anlegen::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    pfl::hauptfensterAuffrischen();
}
