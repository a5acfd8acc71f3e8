// SPDX-License-Identifier: GPL-3.0-or-later
// CurrencyEdit: amount field with two German decimals; an amount of 0 shows as an empty field.
#pragma once

#include <QLineEdit>

class CurrencyEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ Value WRITE setValue)
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)

public:
    explicit CurrencyEdit(QWidget* parent = nullptr);

    // The amount: the stored one, or while the user has changed the text, the text read in German
    // form ("12,5", "1.234,50"); an empty or unreadable text counts 0.
    double Value() const;
    // Whether the text reads as an amount (an empty field does).
    bool IsValid() const;
    // Shows v with two decimals, "." between thousands while the field is not being edited.
    void setValue(double v);

    QString Text() const { return text(); }
    // Takes the text as if typed and reads it at once.
    void setText(const QString& text);
    void clear() { setValue(0); }

Q_SIGNALS:
    // Every change of the text, typed or set.
    void Change();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void uebernehmen();
    void zeigen(bool bearbeiten);

    double m_wert = 0;
    // The user typed since the text was last read, so the text and not m_wert is the amount.
    bool m_geaendert = false;
};
