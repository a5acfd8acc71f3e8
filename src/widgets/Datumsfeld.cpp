// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Datumsfeld.h"

#include "data/Deutsch.h"
#include "platform/Platform.h"
#include "widgets/Aufklappen.h"
#include "widgets/Klappsymbol.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QVBoxLayout>

DateEdit::DateEdit(Platform& plattform, QWidget* parent) : QLineEdit(parent), m_plattform(plattform) {
    setInputMask(QStringLiteral("99.99.9999; "));
    setLocale(pfl::deutsch());
    setAccessibleDescription(tr("Datum Tag.Monat.Jahr; Alt+Pfeil nach unten öffnet den Kalender"));
    m_knopf = addAction(pfl::klappSymbol(pfl::Symbol::Kalender, palette()), QLineEdit::TrailingPosition);
    m_knopf->setText(tr("Kalender"));
    m_knopf->setToolTip(tr("Kalender öffnen"));
    connect(m_knopf, &QAction::triggered, this, &DateEdit::openCalendar);
    connect(this, &QLineEdit::textChanged, this, &DateEdit::Change);
}

void DateEdit::setText(const QString& text) {
    QLineEdit::setText(text);
}

QDate DateEdit::Date() const {
    return pfl::datumLesen(displayText());
}

void DateEdit::setDate(const QDate& d) {
    if (d.isValid())
        setText(pfl::datumText(d));
    else
        clear();
}

QCalendarWidget* DateEdit::Calendar() {
    if (!m_kalender) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::StyledPanel);
        m_popup->setAttribute(Qt::WA_WindowPropagation);
        auto* lay = new QVBoxLayout(m_popup);
        lay->setContentsMargins(1, 1, 1, 1);
        m_kalender = new QCalendarWidget(m_popup);
        m_kalender->setObjectName(QStringLiteral("Kalender"));
        m_kalender->setAccessibleName(tr("Kalender"));
        m_kalender->setLocale(pfl::deutsch());
        m_kalender->setFirstDayOfWeek(Qt::Monday);
        m_kalender->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
        m_kalender->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        m_kalender->setGridVisible(true);
        // Room for every German day name in the heading ("Mo." is cut first otherwise).
        const QFontMetrics fm(m_kalender->font());
        m_kalender->setMinimumWidth(7 * (fm.horizontalAdvance(QStringLiteral("Mo.")) + 16));
        lay->addWidget(m_kalender);
        // A click on a day or Enter takes the date; Escape closes the popup without change.
        connect(m_kalender, &QCalendarWidget::clicked, this, &DateEdit::tagGewaehlt);
        connect(m_kalender, &QCalendarWidget::activated, this, &DateEdit::tagGewaehlt);
    }
    return m_kalender;
}

bool DateEdit::IsCalendarOpen() const {
    return m_popup && m_popup->isVisible();
}

void DateEdit::openCalendar() {
    if (isReadOnly() || !isEnabled()) return;
    QCalendarWidget* k = Calendar();
    const QDate d = Date();
    k->setSelectedDate(d.isValid() ? d : m_plattform.today());
    m_popup->adjustSize();
    pfl::popupPlatzieren(m_popup, this, m_plattform.workArea());
    m_popup->show();
    k->setFocus(Qt::PopupFocusReason);
}

void DateEdit::closeCalendar() {
    if (m_popup) m_popup->hide();
}

void DateEdit::tagGewaehlt(const QDate& d) {
    setDate(d);
    closeCalendar();
    setFocus(Qt::PopupFocusReason);
}

void DateEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F4 || (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) {
        openCalendar();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
