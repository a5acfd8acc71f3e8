// TWechseln: chooses the active recipe book; created anew each time it opens.
#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

class TWechseln : public QWidget {
    Q_OBJECT
public:
    explicit TWechseln(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* FileListBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // Lists the books of the data directory, colours and places the window and shows it.
    void oeffnen();
    void FileListBox1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};
