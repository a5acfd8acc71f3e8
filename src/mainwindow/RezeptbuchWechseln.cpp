// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/RezeptbuchWechseln.h"

#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TWechseln::TWechseln(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Wechseln"), QStringLiteral("Rezeptbuch auswählen"),
                   QSize(440, 330), 200) {
    QLabel* erstes =
        label(QStringLiteral("Label1"), QStringLiteral("Bitte wählen Sie eine"), QRect(20, 16, 180, 20));
    label(QStringLiteral("Label2"), QStringLiteral("neues Rezeptbuch"), QRect(20, 38, 180, 20));
    label(QStringLiteral("Label3"), QStringLiteral("mit der Maus aus."), QRect(20, 60, 180, 20));
    m_buecher = buchListe(QRect(210, 16, 210, 240), QStringLiteral("Rezeptbücher"));
    erstes->setBuddy(m_buecher);
    QPushButton* wechseln = knopf(QStringLiteral("Button1"), QStringLiteral("Wechseln >>"));
    QPushButton* abbrechen = knopf(QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    for (QPushButton* b : {wechseln, abbrechen, hilfe})
        b->move(0, 280);
    knopfreihe(wechseln, abbrechen, hilfe, 3, 10);
    wechseln->setDefault(true);
    abbrechen->setAutoDefault(false);
    connect(m_buecher, &QListWidget::itemDoubleClicked, this, &TWechseln::Button1Click);
    connect(wechseln, &QPushButton::clicked, this, &TWechseln::Button1Click);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void TWechseln::vorbereiten() {
    buchListeFuellen(m_buecher);
}

void TWechseln::Button1Click() {
    Unit4& u = daten();
    QListWidgetItem* gewaehlt = m_buecher->currentItem();
    bool fertig = false;
    if (gewaehlt && gewaehlt->isSelected()) {
        const QString datei = gewaehlt->text();
        const QString name = datei.left(datei.size() - 4);
        const QString fehler = Unit4::buchnameFehler(name);
        if (!fehler.isEmpty()) {
            // A name the settings cannot hold whole would be found again cut, as another book.
            plattform().message(Platform::Kind::Information, fehler);
            return;
        }
        if (!name.isEmpty()) {
            u.rezeptbuch = name;
            u.option.rezeptbuch = name;
            u.opt_speichern();
        }
        fertig = true;
    }
    u.opt_lesen();
    u.Rubriken_lesen();
    if (fertig)
        accept(); // the owner refreshes the main window when the window has closed
    else
        Q_EMIT buchGewechselt();
}
