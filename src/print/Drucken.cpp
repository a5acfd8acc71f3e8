// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/Drucken.h"

#include "data/Unit4.h"
#include "pages/Seiteneinpassen.h"
#include "platform/Platform.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

namespace {
constexpr int kLeistenHoehe = 50;
constexpr int kKnopfBreite = 140;
} // namespace

namespace pfl {} // namespace pfl

TForm14::TForm14(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form14"), QStringLiteral("Drucken"), QSize(800, 600),
                   100),
      m_drucker(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The window opens maximised, so it is not of fixed size as the dialogs are.
    setMinimumSize(400, 300);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A4 in portrait, whatever the locale says; the laid-out page is fitted into the printable area.
    m_drucker->setPageOrientation(QPageLayout::Portrait);
    m_drucker->setPageSize(QPageSize(QPageSize::A4));
    m_drucker->setPageMargins(m_drucker->pageLayout().minimumMargins(), m_drucker->pageLayout().units());
    m_vorschau = new QPrintPreviewWidget(m_drucker.get(), this);
    m_vorschau->setObjectName(QStringLiteral("NicePreview1"));
    m_vorschau->setAccessibleName(QStringLiteral("Seitenvorschau"));
    m_leiste = new QWidget(this);
    m_leiste->setObjectName(QStringLiteral("Panel1"));
    auto knopfInLeiste = [this](const char* name, const QString& text) {
        QPushButton* b = knopf(QString::fromLatin1(name), text, QSize(kKnopfBreite, 30));
        b->setParent(m_leiste);
        b->setAutoDefault(false);
        return b;
    };
    m_andererDrucker = knopfInLeiste("Button5", QStringLiteral("Anderen Drucker wählen"));
    // Its caption is the longest: the button is as wide as the caption needs.
    m_andererDrucker->setFixedSize(qMax(200, m_andererDrucker->sizeHint().width() + 16), 30);
    m_eineSeite = knopfInLeiste("Button4", QStringLiteral("Eine Seite"));
    m_zweiSeiten = knopfInLeiste("Button1", QStringLiteral("Zwei Seiten"));
    m_drucken = knopfInLeiste("Button2", QStringLiteral("Drucken"));
    m_beenden = knopfInLeiste("Button3", QStringLiteral("Beenden"));
    m_eineSeite->hide();
    connect(m_vorschau, &QPrintPreviewWidget::paintRequested, this, &TForm14::vorschauMalen);
    connect(m_zweiSeiten, &QPushButton::clicked, this, &TForm14::Button1Click);
    connect(m_eineSeite, &QPushButton::clicked, this, &TForm14::Button4Click);
    connect(m_drucken, &QPushButton::clicked, this, &TForm14::Button2Click);
    connect(m_andererDrucker, &QPushButton::clicked, this, &TForm14::Button5Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::accept);
}

TForm14::~TForm14() {
    // The preview goes before the printer it draws on.
    delete m_vorschau;
}

void TForm14::resizeEvent(QResizeEvent* e) {
    Nebenfenster::resizeEvent(e);
    m_vorschau->setGeometry(0, 0, width(), qMax(0, height() - kLeistenHoehe));
    m_leiste->setGeometry(0, height() - kLeistenHoehe, width(), kLeistenHoehe);
    const int half = width() / 2;
    const int w = kKnopfBreite;
    const int y = (kLeistenHoehe - 30) / 2;
    m_andererDrucker->move(24, y);
    // "Zwei Seiten" and "Eine Seite" share their place; only one of them shows. On a narrow window
    // the centred group moves right rather than cover the printer button.
    const int links = qMax(half - (3 * w) / 2 - 15, 24 + m_andererDrucker->width() + 12);
    m_zweiSeiten->move(links, y);
    m_eineSeite->move(links, y);
    m_drucken->move(links + w + 5, y);
    m_beenden->move(links + 2 * w + 10, y);
}

bool TForm14::zeigen(const pfl::Drucklayout& layout, const QString& titel, const QString& dokumenttitel) {
    if (!layout.fehler.isEmpty()) {
        plattform().message(Platform::Kind::Error, layout.fehler);
        return false;
    }
    m_seiten = layout.seiten;
    m_titel = dokumenttitel;
    setWindowTitle(titel);
    m_zweiSeiten->show();
    m_eineSeite->hide();
    m_vorschau->setSinglePageViewMode();
    m_vorschau->setZoomMode(QPrintPreviewWidget::FitToWidth);
    m_vorschau->updatePreview();
    faerben();
    modalitaetFestlegen();
    showMaximized();
    raise();
    activateWindow();
    return true;
}

void TForm14::rezeptDrucken(const pfl::Druckrezept& rezept) {
    Unit4& u = daten();
    u.druck_lesen();
    zeigen(pfl::rezeptSetzen(rezept, u.drucke.d, plattform().today()), QStringLiteral("> Rezept drucken <"),
           rezept.titel);
}

void TForm14::einkaufslisteDrucken() {
    Unit4& u = daten();
    u.druck_lesen();
    zeigen(pfl::einkaufslisteSetzen(u.einkaufText, u.drucke.t, plattform().today()),
           QStringLiteral("> Einkaufsliste <"), QStringLiteral("Einkaufsliste"));
}

void TForm14::vorschauMalen(QPrinter* drucker) {
    // As the printout will be: each page fitted into the printable area, whose corner is the
    // painter's origin.
    QPainter maler(drucker);
    const QRectF bereich(QPointF(), drucker->pageLayout().paintRectPixels(drucker->resolution()).size());
    for (qsizetype i = 0; i < m_seiten.size(); ++i) {
        if (i > 0) drucker->newPage();
        pfl::seiteEinpassen(maler, pfl::seiteAufzeichnen(m_seiten.at(i)), bereich);
    }
}

void TForm14::Button1Click() {
    m_zweiSeiten->hide();
    m_eineSeite->show();
    // Page 1 on the left and page 2 beside it (the facing view would start on the right, as a book).
    m_vorschau->setAllPagesViewMode();
    m_vorschau->setZoomMode(QPrintPreviewWidget::FitInView);
}

void TForm14::Button4Click() {
    m_eineSeite->hide();
    m_zweiSeiten->show();
    m_vorschau->setSinglePageViewMode();
    m_vorschau->setZoomFactor(1.0);
}

void TForm14::Button2Click() {
    QList<QPicture> bilder;
    bilder.reserve(m_seiten.size());
    for (const pfl::Druckseite& s : m_seiten)
        bilder.append(pfl::seiteAufzeichnen(s));
    if (plattform().printPages(m_drucker.get(), bilder, m_titel) == Platform::PrintResult::Failed)
        plattform().message(Platform::Kind::Error,
                            QStringLiteral("Die Seiten konnten nicht gedruckt werden.\n"
                                           "Bitte prüfen Sie den Drucker oder den Speicherort der Datei."));
}

void TForm14::Button5Click() {
    // The pages stay as they are; only the preview is drawn again for the chosen printer.
    if (plattform().printerSetup(m_drucker.get())) m_vorschau->updatePreview();
}
