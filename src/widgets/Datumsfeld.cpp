#include "widgets/Datumsfeld.h"

#include "data/German.h"
#include "platform/Platform.h"
#include "widgets/Klappsymbol.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

DateEdit::DateEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(QStringLiteral("99.99.9999; "));
    setLocale(pfl::deutsch());
    setAccessibleDescription(tr("Datum Tag.Monat.Jahr; Alt+Pfeil nach unten öffnet den Kalender"));
    m_knopf = addAction(pfl::eingabe::klappSymbol(pfl::eingabe::Symbol::Kalender, palette()),
                        QLineEdit::TrailingPosition);
    m_knopf->setText(tr("Kalender"));
    m_knopf->setToolTip(tr("Kalender öffnen"));
    connect(m_knopf, &QAction::triggered, this, &DateEdit::openCalendar);
    connect(this, &QLineEdit::textChanged, this, &DateEdit::Change);
}

void DateEdit::setText(const QString& text) {
    QLineEdit::setText(text);
}

QDate DateEdit::Date() const {
    const QStringList teile = displayText().split(QLatin1Char('.'));
    if (teile.size() != 3) return {};
    int zahl[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString t = teile[i].trimmed();
        bool ok = false;
        zahl[i] = t.toInt(&ok);
        if (t.isEmpty() || !ok) return {};
    }
    int jahr = zahl[2];
    if (teile[2].trimmed().size() <= 2) jahr += 2000;
    return QDate(jahr, zahl[1], zahl[0]);
}

void DateEdit::setDate(const QDate& d) {
    if (d.isValid())
        setText(d.toString(QStringLiteral("dd.MM.yyyy")));
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
    k->setSelectedDate(d.isValid() ? d : platform().today());
    m_popup->adjustSize();
    // Below the field, or above it when the screen ends below.
    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen* s = screen()) {
        const QRect frei = s->availableGeometry();
        if (pos.y() + m_popup->height() > frei.bottom())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        pos.setX(qBound(frei.left(), pos.x(), qMax(frei.left(), frei.right() - m_popup->width())));
    }
    m_popup->move(pos);
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
