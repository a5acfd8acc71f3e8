// SPDX-License-Identifier: GPL-3.0-or-later
// RxSpinEdit: whole-number field with up and down arrows; the text stays as typed.
#pragma once

#include <QAbstractSpinBox>

#include <optional>

class RxSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)
    Q_PROPERTY(int value READ Value WRITE setValue NOTIFY Change)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)

public:
    explicit RxSpinEdit(QWidget* parent = nullptr);

    // The text exactly as shown; it may be no number at all.
    QString Text() const;
    void setText(const QString& text);

    // The text read as a whole number; ok tells whether it is one (otherwise the result is 0).
    int AsInteger(bool* ok = nullptr) const;
    bool IsInteger() const;
    // The whole number shown, 0 for a text that is none.
    int Value() const { return AsInteger(); }
    // Shows v as decimal text, held within the bounds.
    void setValue(int v);

    // Bounds of the arrows and of setValue; without a bound the field is open on that side.
    std::optional<int> MinValue() const { return m_min; }
    std::optional<int> MaxValue() const { return m_max; }
    void setMinValue(std::optional<int> v);
    void setMaxValue(std::optional<int> v);

    int Increment() const { return m_increment; }
    void setIncrement(int step) { m_increment = step; }

    void clear() override;
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // After the up arrow (button, cursor key, wheel) has stepped the value.
    void TopClick();
    // After the down arrow has stepped the value.
    void BottomClick();
    // Every change of the text, typed or set.
    void Change();

protected:
    StepEnabled stepEnabled() const override;

private:
    int begrenzt(qint64 v) const;

    std::optional<int> m_min;
    std::optional<int> m_max;
    int m_increment = 1;
};
