// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Waehrungsfeld.h"

#include "data/Deutsch.h"

#include <QFocusEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cmath>

CurrencyEdit::CurrencyEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAccessibleDescription(tr("Betrag mit Komma, zum Beispiel 12,50"));
    // Only what an amount is made of can be typed.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-+]?[0-9.,]*")), this));
    connect(this, &QLineEdit::textChanged, this, &CurrencyEdit::Change);
    connect(this, &QLineEdit::textEdited, this, [this] { m_geaendert = true; });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        uebernehmen();
        zeigen(true);
    });
}

double CurrencyEdit::Value() const {
    if (!m_geaendert) return m_wert;
    if (text().trimmed().isEmpty()) return 0;
    return pfl::dezimalzahl(text()).value_or(0);
}

bool CurrencyEdit::IsValid() const {
    return text().trimmed().isEmpty() || pfl::dezimalzahl(text()).has_value();
}

void CurrencyEdit::setValue(double v) {
    m_wert = std::isfinite(v) ? v : 0;
    m_geaendert = false;
    zeigen(hasFocus());
}

void CurrencyEdit::setText(const QString& t) {
    QLineEdit::setText(t);
    m_geaendert = true;
    if (!hasFocus()) {
        uebernehmen();
        zeigen(false);
    }
}

void CurrencyEdit::uebernehmen() {
    if (!m_geaendert) return;
    // An unreadable text stays as typed, so the user sees what is wrong.
    if (!IsValid()) return;
    m_wert = Value();
    m_geaendert = false;
}

void CurrencyEdit::zeigen(bool bearbeiten) {
    if (m_geaendert) return;
    const QString t = m_wert == 0 ? QString() : pfl::dezimalText(m_wert, 2, !bearbeiten);
    if (t != text()) QLineEdit::setText(t);
}

void CurrencyEdit::focusInEvent(QFocusEvent* e) {
    zeigen(true);
    QLineEdit::focusInEvent(e);
}

void CurrencyEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) {
        uebernehmen();
        zeigen(false);
    }
}
