// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/WeitereProgramme.h"

#include "data/Unit4.h"
#include "info/Info.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPushButton>

TProgramm::TProgramm(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Programm"),
                   QStringLiteral("Weitere Software des Autors."), QSize(440, 260), 100) {
    QLabel* hinweis = label(QStringLiteral("Label1"),
                            QStringLiteral("Pfanno-Lux ist ein freies Einzelprojekt: weitere Programme\n"
                                           "desselben Autors gibt es nicht. Die Projektbeschreibung\n"
                                           "erklärt, was Pfanno-Lux kann und wie es gebaut wird."),
                            QRect(20, 16, 400, 60));
    hinweis->setWordWrap(true);
    m_knoepfe = new QWidget(this);
    m_knoepfe->setGeometry(20, 86, 400, 110);
    QPushButton* beenden = knopf(QStringLiteral("Button1"), QStringLiteral("Beenden"));
    beenden->move((width() - beenden->width()) / 2, 210);
    beenden->setDefault(true);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
}

QList<pfl::WeiteresProgramm> TProgramm::programme() const {
    return {{QStringLiteral("Pfanno-Lux – Projektbeschreibung"), pfl::homepageAdresse(daten())}};
}

void TProgramm::vorbereiten() {
    qDeleteAll(m_knoepfe->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly));
    int y = 0;
    int nr = 2;
    for (const pfl::WeiteresProgramm& p : programme()) {
        auto* b = new QPushButton(p.name, m_knoepfe);
        b->setObjectName(QStringLiteral("Button%1").arg(nr++));
        b->setAccessibleName(p.name);
        b->setAutoDefault(false);
        b->setGeometry(0, y, 400, 30);
        b->show();
        y += 36;
        const QString adresse = p.adresse;
        connect(b, &QPushButton::clicked, this, [this, adresse] { pfl::seiteOeffnen(plattform(), adresse); });
    }
}
