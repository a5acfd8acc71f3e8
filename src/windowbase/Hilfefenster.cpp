// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowbase/Hilfefenster.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace pfl {

Hilfefenster::Hilfefenster() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Pfanno-Lux Hilfe"));
    auto* lay = new QVBoxLayout(this);
    auto* leiste = new QHBoxLayout;
    m_zurueck = new QPushButton(QStringLiteral("Zurück"), this);
    m_zurueck->setObjectName(QStringLiteral("Zurueck"));
    m_zurueck->setAccessibleName(QStringLiteral("Zurück"));
    m_zurueck->setToolTip(QStringLiteral("Zur vorigen Seite (Alt+Pfeil nach links)"));
    m_zurueck->setEnabled(false);
    leiste->addWidget(m_zurueck);
    leiste->addStretch();
    lay->addLayout(leiste);
    m_text = new QTextBrowser(this);
    m_text->setObjectName(QStringLiteral("Hilfetext"));
    m_text->setAccessibleName(QStringLiteral("Hilfetext"));
    m_text->setOpenExternalLinks(true);
    lay->addWidget(m_text);
    resize(720, 560);
    connect(m_zurueck, &QPushButton::clicked, m_text, &QTextBrowser::backward);
    // The keys go back at once wherever the focus is; the button's own shortcut would wait for its
    // press animation and swallow a second quick press.
    auto* zurueckTaste = new QShortcut(QKeySequence::Back, this);
    connect(zurueckTaste, &QShortcut::activated, m_text, &QTextBrowser::backward);
    connect(m_text, &QTextBrowser::backwardAvailable, m_zurueck, &QPushButton::setEnabled);
}

QString Hilfefenster::anker(int thema) {
    return QStringLiteral("t%1").arg(thema);
}

void Hilfefenster::zeigen(const QString& hilfedatei, int thema) {
    if (!QFileInfo::exists(hilfedatei)) return;
    QUrl url = QUrl::fromLocalFile(hilfedatei);
    url.setFragment(anker(thema));
    m_text->setSource(url, QTextDocument::HtmlResource);
    m_text->scrollToAnchor(anker(thema));
    nachVorn();
}

void Hilfefenster::nachVorn() {
    // A modal window blocks input to every window outside its own family; as its transient child
    // the help takes input and the window manager keeps it above the modal window.
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* ueber = modal && modal != this ? modal->window()->windowHandle() : nullptr;
    create(); // the native window, whose transient parent is set below
    if (windowHandle()->transientParent() != ueber) {
        // The window system takes a new transient parent when the window is shown again.
        hide();
        windowHandle()->setTransientParent(ueber);
    }
    show();
    raise();
    activateWindow();
    m_text->setFocus(Qt::OtherFocusReason);
}

void Hilfefenster::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace pfl
