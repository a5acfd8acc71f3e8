// Tloeschen: deletes a recipe book that is not the active one.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

class Tloeschen : public QWidget {
    Q_OBJECT
public:
    explicit Tloeschen(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    void oeffnen();
    void FileListBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};
