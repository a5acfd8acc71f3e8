// TForm52: width and height of the main window's data screen.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class RxSpinEdit;

class TForm52 : public QWidget {
    Q_OBJECT
public:
    explicit TForm52(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    RxSpinEdit* RxSpinEdit1 = nullptr; // width
    RxSpinEdit* RxSpinEdit2 = nullptr; // height
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // The predefined size that "Grundeinstellung" restores.
    static constexpr int kBreite = 779;
    static constexpr int kHoehe = 421;

    void oeffnen();
    void RxSpinEdit1TopClick();
    void RxSpinEdit1BottomClick();
    void RxSpinEdit2TopClick();
    void RxSpinEdit2BottomClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    // The field's text as an integer, or the German conversion error and no value.
    static bool ganzzahl(RxSpinEdit* feld, int& wert);
    void breiteLive();
    void hoeheLive();
};
