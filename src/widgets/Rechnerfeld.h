// SPDX-License-Identifier: GPL-3.0-or-later
// RxCalcEdit: number field with a pocket calculator that drops down from its button.
#pragma once

#include <QLineEdit>

class QAction;
class QFrame;
class QLineEdit;
class Platform;

// The calculator's arithmetic: enter a number, an operation, a number, "=", as on a pocket calculator.
class Rechner {
public:
    enum class Op { Keine, Plus, Minus, Mal, Durch };

    void ziffer(int z);
    void komma();
    void operation(Op op);
    void gleich();
    // "C": everything back to 0.
    void loeschen();
    // Removes the last typed character of the entry.
    void zurueck();
    // Starts from a number, as if it had just been typed.
    void setzen(double v);

    // The display, with "," as the decimal separator; "Fehler" after a division by zero.
    QString anzeige() const;
    double wert() const { return m_anzeigeWert; }
    bool fehler() const { return m_fehler; }

private:
    double eingabeWert() const;
    void rechnen();

    double m_speicher = 0;
    double m_anzeigeWert = 0;
    Op m_op = Op::Keine;
    QString m_eingabe; // digits typed so far, "." as separator; empty = showing a result
    bool m_neueEingabe = true;
    bool m_fehler = false;
};

class RxCalcEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ Value WRITE setValue)
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)

public:
    // The calculator opens inside the platform's work area.
    explicit RxCalcEdit(Platform& plattform, QWidget* parent = nullptr);

    // The text read as a German number; 0 when it is empty or none.
    double Value() const;
    bool IsValid() const;
    void setValue(double v);
    QString Text() const { return text(); }

    // The calculator popup (created on first use); its buttons are named "Taste" + caption.
    QFrame* Calculator();
    bool IsCalculatorOpen() const;

public Q_SLOTS:
    void openCalculator();
    void closeCalculator();

Q_SIGNALS:
    // Every change of the text, typed, taken from the calculator or set.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void taste(const QString& t);
    void anzeigen();

    Platform& m_plattform;
    QAction* m_knopf = nullptr;
    QFrame* m_popup = nullptr;
    QLineEdit* m_anzeige = nullptr;
    Rechner m_rechner;
};
