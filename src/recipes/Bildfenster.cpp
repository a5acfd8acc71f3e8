// SPDX-License-Identifier: GPL-3.0-or-later
// TBild: the picture window.
#include "recipes/Bildfenster.h"

#include "data/Unit4.h"
#include "platform/Platform.h"
#include "pages/Rezeptbild.h"
#include "widgets/Zahlenfeld.h"

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr int kLeiste = 60; // height of the bottom bar
// Beyond this a print rectangle only overflows the driver; the page shows a corner either way.
constexpr qint64 kGroessteKante = 1'000'000;

QString bilderOrdner(const Unit4& u) {
    return u.lpf + QStringLiteral("Bilder/");
}

} // namespace

TBild::TBild(pfl::Umgebung& umgebung, QWidget* parent)
    : pfl::Nebenfenster(umgebung, parent, QStringLiteral("Bild"), QStringLiteral("Bild anzeigen."),
                        umgebung.plattform.workArea().size(), 100) {
    m_flaeche = new QScrollArea(this);
    m_flaeche->setObjectName(QStringLiteral("ScrollBox1"));
    m_flaeche->setFrameShape(QFrame::NoFrame);
    m_flaeche->setWidgetResizable(true);
    m_bild = new QLabel;
    m_bild->setObjectName(QStringLiteral("Image1"));
    m_bild->setAlignment(Qt::AlignCenter);
    m_flaeche->setWidget(m_bild);

    m_text1 = label(QStringLiteral("Label1"), QStringLiteral("Ausdruck verkleinern"), QRect(10, 0, 150, 20));
    m_text2 = label(QStringLiteral("Label2"), QStringLiteral("oder vergrössern."), QRect(10, 0, 150, 20));
    m_groesse = new RxSpinEdit(this);
    m_groesse->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_groesse->setAccessibleName(QStringLiteral("Ausdruck verkleinern oder vergrössern."));
    m_groesse->resize(80, 26);
    m_text1->setBuddy(m_groesse);
    m_drucken = knopf(QStringLiteral("Button1"), QStringLiteral("Drucken >>"));
    m_beenden = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"));
    m_drucker = knopf(QStringLiteral("Button5"), QStringLiteral("Druckeigenschaften"), QSize(140, 30));
    anordnen();

    connect(m_groesse, &RxSpinEdit::Change, this, &TBild::RxSpinEdit1Change);
    connect(m_drucken, &QPushButton::clicked, this, &TBild::Button1Click);
    connect(m_beenden, &QPushButton::clicked, this, &TBild::Button2Click);
    connect(m_drucker, &QPushButton::clicked, this, &TBild::Button5Click);
}

TBild::~TBild() = default;

QRect TBild::druckRechteck(QSize bild, qint64 bildgroesse, qint64 sonst3) {
    const qint64 rechts = qBound(-kGroessteKante, qint64(bild.width()) * bildgroesse, kGroessteKante);
    const qint64 unten = qBound(-kGroessteKante, qint64(bild.height()) * sonst3, kGroessteKante);
    if (rechts <= 200 || unten <= 100) return {};
    return QRect(200, 100, int(rechts - 200), int(unten - 100));
}

void TBild::anordnen() {
    const int h = height();
    const int w = width() / 2;
    m_flaeche->setGeometry(0, 0, width(), h - kLeiste);
    m_text1->move(10, h - kLeiste + 10);
    m_text2->move(10, h - kLeiste + 30);
    m_groesse->move(165, h - kLeiste + 16);
    const int y = h - kLeiste + 14;
    m_drucken->move(w - m_drucken->width() - 10, y);
    m_beenden->move(w - 5, y);
    m_drucker->move(width() - 150, y);
}

void TBild::resizeEvent(QResizeEvent* e) {
    pfl::Nebenfenster::resizeEvent(e);
    anordnen();
    bildEinpassen();
}

void TBild::bildEinpassen() {
    if (m_gezeigt.isNull()) {
        m_bild->clear();
        return;
    }
    // Scaled down to the area keeping its proportions; a smaller picture at its own size.
    const QSize flaeche = m_flaeche->size();
    QImage b = m_gezeigt;
    if (b.width() > flaeche.width() || b.height() > flaeche.height())
        b = b.scaled(flaeche, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_bild->setPixmap(QPixmap::fromImage(b));
}

void TBild::zeigen(const QString& bildname) {
    QString fehler;
    const std::optional<pfl::Rezeptbild> b = pfl::bildAusOrdner(bilderOrdner(daten()), bildname, &fehler);
    if (!b) {
        plattform().message(Platform::Kind::Warning,
                            QStringLiteral("Das Bild lässt sich nicht anzeigen.\n%1").arg(fehler));
        return;
    }
    m_name = bildname;
    m_gezeigt = b->bild;
    m_gespeichert = true;
    fensterOeffnen();
}

void TBild::zeigenUngespeichert(const QString& bildname, const QImage& bild) {
    if (bild.isNull()) return;
    m_name = bildname;
    m_gezeigt = bild;
    m_gespeichert = false;
    fensterOeffnen();
}

void TBild::fensterOeffnen() {
    m_bild->setAccessibleName(QStringLiteral("Bild %1").arg(m_name));
    m_flaeche->show();
    setFixedSize(nutzflaeche().size()); // the work area, frame included
    bildEinpassen();
    oeffnen();
    // The window covers the work area rather than sitting where dialogs sit.
    move(plattform().workArea().topLeft());
}

void TBild::vorbereiten() {
    // Through the change handler this also becomes the height factor when the text changes.
    m_groesse->setText(QString::number(daten().option.bildgroesse));
}

void TBild::RxSpinEdit1Change() {
    bool ok = false;
    const int v = m_groesse->AsInteger(&ok);
    if (!ok) {
        plattform().message(
            Platform::Kind::Error,
            QStringLiteral("'%1' ist kein gültiger ganzzahliger Wert.").arg(m_groesse->Text()));
        return;
    }
    Unit4& u = daten();
    u.option.sonst3 = v;
    u.opt_speichern();
}

void TBild::Button1Click() {
    QImage bild = m_gezeigt;
    if (m_gespeichert) {
        // The stored file is what the recipe names; it is read again as it is now.
        QString fehler;
        const std::optional<pfl::Rezeptbild> b = pfl::bildAusOrdner(bilderOrdner(daten()), m_name, &fehler);
        if (!b) {
            plattform().message(Platform::Kind::Warning,
                                QStringLiteral("Das Bild wird nicht gedruckt.\n%1").arg(fehler));
            return;
        }
        bild = b->bild;
    }
    if (bild.isNull()) {
        plattform().message(Platform::Kind::Information, QStringLiteral("Es ist kein Bild zum Drucken da."));
        return;
    }
    if (!m_druckerWahl) m_druckerWahl = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const Unit4& u = daten();
    const QRect ziel = druckRechteck(bild.size(), u.option.bildgroesse, u.option.sonst3);
    if (plattform().printImage(m_druckerWahl.get(), bild, ziel) == Platform::PrintResult::Failed)
        plattform().message(
            Platform::Kind::Error,
            QStringLiteral("Das Bild \u201E%1\u201C konnte nicht gedruckt werden.").arg(m_name));
}

void TBild::Button5Click() {
    if (!m_druckerWahl) m_druckerWahl = std::make_unique<QPrinter>(QPrinter::HighResolution);
    plattform().printerSetup(m_druckerWahl.get());
}

void TBild::Button2Click() {
    reject();
    m_gezeigt = QImage();
    m_bild->clear();
}
