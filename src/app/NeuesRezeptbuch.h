// Td_anlegen: creates a new, empty recipe book and makes it the active one.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class Td_anlegen : public QWidget {
    Q_OBJECT
public:
    explicit Td_anlegen(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // Empties the name, places the window and shows it.
    void oeffnen();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};
