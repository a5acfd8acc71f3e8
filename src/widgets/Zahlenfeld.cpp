// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Zahlenfeld.h"

#include "data/Deutsch.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <limits>

RxSpinEdit::RxSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setAccessibleDescription(tr("Ganze Zahl; die Pfeile erhöhen oder vermindern sie"));
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &RxSpinEdit::Change);
    lineEdit()->setText(QStringLiteral("0"));
}

QString RxSpinEdit::Text() const {
    return lineEdit()->text();
}

void RxSpinEdit::setText(const QString& text) {
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

int RxSpinEdit::AsInteger(bool* ok) const {
    const std::optional<int> v = pfl::ganzzahl(Text());
    if (ok) *ok = v.has_value();
    return v.value_or(0);
}

bool RxSpinEdit::IsInteger() const {
    bool ok = false;
    AsInteger(&ok);
    return ok;
}

void RxSpinEdit::setValue(int v) {
    setText(QString::number(begrenzt(v)));
}

void RxSpinEdit::setMinValue(std::optional<int> v) {
    m_min = v;
    update();
}

void RxSpinEdit::setMaxValue(std::optional<int> v) {
    m_max = v;
    update();
}

int RxSpinEdit::begrenzt(qint64 v) const {
    if (m_max && v > *m_max) v = *m_max;
    if (m_min && v < *m_min) v = *m_min;
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void RxSpinEdit::clear() {
    setText(QString());
}

void RxSpinEdit::stepBy(int steps) {
    if (steps == 0 || isReadOnly()) return;
    // An empty field steps from 0; a text that is no number stays as it is, so the handlers of
    // the arrows read it and say so instead of taking a value the user never typed.
    bool zahl = false;
    const int alt = AsInteger(&zahl);
    if (zahl || Text().trimmed().isEmpty()) {
        const qint64 neu = qint64(alt) + qint64(steps) * m_increment;
        setText(QString::number(begrenzt(neu)));
    }
    lineEdit()->selectAll();
    if (steps > 0)
        Q_EMIT TopClick();
    else
        Q_EMIT BottomClick();
}

QValidator::State RxSpinEdit::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void RxSpinEdit::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled RxSpinEdit::stepEnabled() const {
    if (isReadOnly()) return StepNone;
    const std::optional<int> v = pfl::ganzzahl(Text());
    const qint64 jetzt = v.value_or(0);
    // Only a value sitting on a bound blocks that arrow; one beyond it is brought back in.
    StepEnabled e = StepNone;
    if (!m_max || jetzt != *m_max || !v) e |= StepUpEnabled;
    if (!m_min || jetzt != *m_min || !v) e |= StepDownEnabled;
    return e;
}

QSize RxSpinEdit::sizeHint() const {
    ensurePolished();
    const QFontMetrics fm(font());
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    const QSize inhalt(fm.horizontalAdvance(QStringLiteral("0000000")) + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, inhalt, this);
}

QSize RxSpinEdit::minimumSizeHint() const {
    return sizeHint();
}
