// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowbase/Nebenfenster.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Dateizugriff.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QWindow>
#include <QStyle>

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
    einpassen();
    imArbeitsbereichHalten();
    modalitaetFestlegen();
    oeffnerMerken();
    show();
    raise();
    activateWindow();
}

void Nebenfenster::modalitaetFestlegen() {
    const QWidget* modal = QApplication::activeModalWidget();
    if (windowModality() != Qt::NonModal || !modal || modal == this) return;
    // The window system takes a new modality only while the window is hidden.
    if (isVisible()) hide();
    setWindowModality(Qt::ApplicationModal);
    m_gestapelt = true;
}

void Nebenfenster::oeffnerMerken() {
    QWidget* aktiv = QApplication::activeWindow();
    if (aktiv == this) return; // opened again while open: it keeps its opener
    m_oeffner = aktiv;
    if (!aktiv) return;
    create();
    QWindow* ueber = aktiv->windowHandle();
    if (windowHandle() && windowHandle()->transientParent() != ueber) {
        if (isVisible()) hide(); // the window system takes it when the window shows again
        windowHandle()->setTransientParent(ueber);
    }
}

QRect Nebenfenster::nutzflaeche() const {
    return plattform().workArea().marginsRemoved(plattform().windowFrame());
}

void Nebenfenster::einpassen() {
    if (layout()) return; // a laid-out window fits itself
    const QSize platz = nutzflaeche().size();
    const QSize entwurf = m_rolle ? m_rolle->widget()->size() : size();
    QSize passend = entwurf.boundedTo(platz);
    // A scroll bar in one direction takes room in the other: give it that room where there is some.
    const int leiste = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (entwurf.height() > platz.height()) passend.setWidth(qMin(entwurf.width() + leiste, platz.width()));
    if (entwurf.width() > platz.width()) passend.setHeight(qMin(entwurf.height() + leiste, platz.height()));
    if (!m_rolle) {
        if (passend == entwurf) return;
        // The controls move onto a page of the design size, which scrolls inside the window.
        auto* seite = new QWidget;
        seite->setObjectName(QStringLiteral("Seite"));
        seite->setFixedSize(entwurf);
        for (QObject* o : children()) {
            auto* k = qobject_cast<QWidget*>(o);
            if (!k || k->isWindow()) continue;
            const bool versteckt = k->isHidden();
            const QPoint stelle = k->pos();
            k->setParent(seite);
            k->move(stelle);
            k->setVisible(!versteckt);
        }
        m_rolle = new QScrollArea(this);
        m_rolle->setObjectName(QStringLiteral("Rolle"));
        m_rolle->setFrameShape(QFrame::NoFrame);
        m_rolle->setWidget(seite);
        m_rolle->viewport()->setAutoFillBackground(false);
        seite->setAutoFillBackground(false);
        m_rolle->show();
    }
    setFixedSize(passend);
    m_rolle->setGeometry(rect());
}

void Nebenfenster::imArbeitsbereichHalten() {
    const QRect frei = plattform().workArea();
    const QSize aussen = size().grownBy(plattform().windowFrame());
    // pos() of a window is where its frame starts.
    const int x = qBound(frei.left(), pos().x(), qMax(frei.left(), frei.right() + 1 - aussen.width()));
    const int y = qBound(frei.top(), pos().y(), qMax(frei.top(), frei.bottom() + 1 - aussen.height()));
    move(x, y);
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
        // The scheme's colours as chosen, readable or not (the colour dialog warns about a poor pair).
        lp.setColor(QPalette::Text, alsFarbe(quint32(c.listb_font)));
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
    plattform().showHelp(daten().chmFile, hilfethema());
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
        const int r = c.compare(anzeigename(a), anzeigename(b));
        return r != 0 ? r < 0 : a < b; // case twins in a fixed order
    });
    liste->clear();
    // A name from Windows shows as the user reads it; the item keeps the file's own name.
    for (const QString& b : std::as_const(buecher)) {
        auto* eintrag = new QListWidgetItem(anzeigename(b), liste);
        eintrag->setData(kDateiname, b);
    }
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
    if (m_gestapelt && !isVisible()) {
        setWindowModality(Qt::NonModal);
        m_gestapelt = false;
    }
    if (warOffen && !isVisible() && m_oeffner && m_oeffner->isVisible()) m_oeffner->activateWindow();
    if (warOffen) Q_EMIT geschlossen();
}

} // namespace pfl
