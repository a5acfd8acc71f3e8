// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/NeuesRezeptbuch.h"

#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Td_anlegen::Td_anlegen(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("d_anlegen"), QStringLiteral("Neues Rezeptbuch anlegen."),
                   QSize(420, 210), 250) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    label(QStringLiteral("Label1"), QStringLiteral("Bitte einen Dateinamen mit max. 20  Zeichen"),
          QRect(20, 14, 380, 20));
    label(QStringLiteral("Label2"), QStringLiteral("ohne Dateiendung eingeben."), QRect(20, 36, 380, 20));
    QLabel* beschriftung =
        label(QStringLiteral("Label3"), QStringLiteral("Dateiname"), QRect(20, 74, 380, 20));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setAccessibleName(QStringLiteral("Dateiname"));
    m_name->setGeometry(20, 96, 380, 26);
    m_name->setMaxLength(25); // pasted text is cut; typing gets the message below
    beschriftung->setBuddy(m_name);
    m_name->installEventFilter(this);
    QPushButton* speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern >>"));
    QPushButton* abbrechen = knopf(QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    for (QPushButton* b : {speichern, abbrechen, hilfe})
        b->move(0, 150);
    knopfreihe(speichern, abbrechen, hilfe, 3, 10);
    speichern->setDefault(true);
    abbrechen->setAutoDefault(false);
    connect(speichern, &QPushButton::clicked, this, &Td_anlegen::Button1Click);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void Td_anlegen::vorbereiten() {
    m_name->clear();
}

void Td_anlegen::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    m_name->setFocus();
}

bool Td_anlegen::eventFilter(QObject* o, QEvent* e) {
    if (o == m_name && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        const bool zeichen = !t.isEmpty() && t.at(0).isPrint();
        if (zeichen && k->key() != Qt::Key_Backspace && m_name->text().size() + t.size() > 25 &&
            !m_name->hasSelectedText()) {
            plattform().message(Platform::Kind::Error, QStringLiteral("Es sind nur 25 Zeichen zugelassen."),
                                Platform::Buttons::Ok, QStringLiteral("Hinweis"));
            return true;
        }
    }
    return Nebenfenster::eventFilter(o, e);
}

void Td_anlegen::Button1Click() {
    Unit4& u = daten();
    const QString name = m_name->text().trimmed();
    // A name of blanks only would make the hidden file ".rez"; it counts as no name.
    if (name.isEmpty()) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral(" Sie müssen Ihrem neuen Objekt zuerst einen \n Namen geben bevor Sie es "
                           "speichern könnnen.    \n"));
        return;
    }
    // Unsafe as a file name, or not storable in "Rezept.opt" (then the book would be lost after a restart).
    if (const QString fehler = Unit4::buchnameFehler(name); !fehler.isEmpty()) {
        plattform().message(Platform::Kind::Information, fehler);
        return;
    }
    // Through the system: a book copied from Windows under this name (in its code page) counts too.
    if (pfl::dateiart(u.lpf, u.pfad(name + QStringLiteral(".rez"))) != pfl::Dateiart::Fehlt) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral(" Dieser Dateiname ist bereits vorhanden, \n   wählen Sie bitte einen "
                           "anderen Namen.  \n"));
        m_name->clear();
        return;
    }
    u.rezeptbuch = name;
    u.option.rezeptbuch = name;
    u.rezept_anlegen1();
    u.opt_speichern();
    accept();
}
