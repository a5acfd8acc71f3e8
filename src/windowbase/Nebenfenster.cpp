// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowbase/Nebenfenster.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace pfl {

void dialogPlatzieren(QWidget* w, QSize bildschirm) {
    const int sw = (bildschirm.width() - w->width()) / 2;
    const int sh = (bildschirm.height() - w->height()) / 2;
    w->move(sw, sh + 50);
}

Nebenfenster::Nebenfenster(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                           QSize groesse, int hilfethema)
    : QDialog(parent), m_umgebung(umgebung), m_hilfethema(hilfethema) {
    setObjectName(name);
    setWindowTitle(titel);
    setFixedSize(groesse);
    setModal(false);
}

void Nebenfenster::oeffnen() {
    Q_EMIT geoeffnet();
    vorbereiten();
    faerben();
    dialogPlatzieren(this, plattform().screenSize());
    show();
    raise();
    activateWindow();
}

void Nebenfenster::faerben() {
    const Tcolor1& c = farben().colorx;
    QPalette p = palette();
    const QColor grund = alsFarbe(quint32(c.form_umr));
    p.setColor(QPalette::Window, grund);
    // The window paints its own background, so it sets its own text colour too: the style's text
    // where it reads on that background, else black or white.
    p.setColor(QPalette::WindowText,
               lesbareFarbe(QGuiApplication::palette().color(QPalette::WindowText), grund));
    setPalette(p);
    setAutoFillBackground(true);
    for (QListWidget* liste : findChildren<QListWidget*>()) {
        QPalette lp = liste->palette();
        const QColor listeGrund = alsFarbe(quint32(c.listb));
        lp.setColor(QPalette::Base, listeGrund);
        lp.setColor(QPalette::Text, lesbareFarbe(alsFarbe(quint32(c.listb_font)), listeGrund));
        liste->setPalette(lp);
    }
}

void Nebenfenster::keyPressEvent(QKeyEvent* e) {
    // F1 opens the window's help topic, as its "Hilfe" button does.
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        hilfeZeigen();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Nebenfenster::hilfeZeigen() {
    plattform().showHelp(daten().chmFile, m_hilfethema);
}

QLabel* Nebenfenster::label(const QString& name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setGeometry(r);
    return l;
}

QPushButton* Nebenfenster::knopf(const QString& name, const QString& text, QSize groesse) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAccessibleName(text);
    b->resize(groesse);
    return b;
}

QPushButton* Nebenfenster::hilfeKnopf(const QString& name) {
    QPushButton* b = knopf(name, QStringLiteral("Hilfe"));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, &Nebenfenster::hilfeZeigen);
    return b;
}

QListWidget* Nebenfenster::buchListe(const QRect& r, const QString& lesbarerName) {
    auto* l = new QListWidget(this);
    l->setObjectName(QStringLiteral("FileListBox1"));
    l->setAccessibleName(lesbarerName);
    l->setGeometry(r);
    return l;
}

void Nebenfenster::buchListeFuellen(QListWidget* liste) {
    QStringList buecher = daten().buchDateien();
    const QCollator& c = deutscheSortierung();
    std::sort(buecher.begin(), buecher.end(), [&](const QString& a, const QString& b) {
        const int r = c.compare(a, b);
        return r != 0 ? r < 0 : a < b; // case twins in a fixed order
    });
    liste->clear();
    liste->addItems(buecher);
}

void Nebenfenster::knopfreihe(QWidget* b1, QWidget* b2, QWidget* b3, int teiler3, int versatz3) {
    const int c = width() / 2;
    b1->move(int(c - 1.5 * b1->width() - 15), b1->y());
    b2->move(c - b2->width() / 2 - 10, b2->y());
    b3->move(c + b3->width() / teiler3 + versatz3, b3->y());
}

void Nebenfenster::done(int ergebnis) {
    const bool warOffen = isVisible();
    QDialog::done(ergebnis);
    if (warOffen) Q_EMIT geschlossen();
}

} // namespace pfl
