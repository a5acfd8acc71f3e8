#include "app/Buchfenster.h"

#include "app/Fenster.h"
#include "app/Hauptfenster.h"
#include "appearance/Farben.h"
#include "data/German.h"
#include "data/Unit4.h"
#include "grid/Farbwert.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace pfl {

QLabel* buchLabel(QWidget* fenster, const QString& name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, fenster);
    l->setObjectName(name);
    l->setGeometry(r);
    return l;
}

QPushButton* buchKnopf(QWidget* fenster, const QString& name, const QString& text) {
    auto* b = new QPushButton(text, fenster);
    b->setObjectName(name);
    b->setAccessibleName(text);
    b->resize(110, 30);
    return b;
}

QListWidget* buchListe(QWidget* fenster, const QRect& r) {
    auto* l = new QListWidget(fenster);
    l->setObjectName(QStringLiteral("FileListBox1"));
    l->setAccessibleName(QStringLiteral("Rezeptbücher"));
    l->setGeometry(r);
    return l;
}

void buchListeFuellen(QListWidget* liste) {
    QStringList buecher = Unit4::instance().buchDateien();
    const QCollator& c = deutscheSortierung();
    std::sort(buecher.begin(), buecher.end(),
              [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    liste->clear();
    liste->addItems(buecher);
}

void buchfensterFaerben(QWidget* fenster) {
    QPalette p = fenster->palette();
    p.setColor(QPalette::Window, alsFarbe(quint32(Farben::colorx.form_umr)));
    fenster->setPalette(p);
    fenster->setAutoFillBackground(true);
    if (auto* liste = fenster->findChild<QListWidget*>(QStringLiteral("FileListBox1"))) {
        QPalette lp = liste->palette();
        lp.setColor(QPalette::Base, alsFarbe(quint32(Farben::colorx.listb)));
        lp.setColor(QPalette::Text, alsFarbe(quint32(Farben::colorx.listb_font)));
        liste->setPalette(lp);
    }
}

void hauptfensterAuffrischen() {
    if (TForm1* f = fenster().Form1) f->Copy1();
}

} // namespace pfl
