// SPDX-License-Identifier: GPL-3.0-or-later
// TBild: a recipe's picture enlarged, and printed with the size factors of the settings.
#pragma once

#include "windowbase/Nebenfenster.h"

#include <QImage>
#include <QString>
#include <memory>

class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class RxSpinEdit;

class TBild : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TBild(pfl::Umgebung& umgebung, QWidget* parent);
    ~TBild() override;

    // Where the picture is printed: from (200, 100) to (width x bildgroesse, height x sonst3) in
    // printer pixels; empty when that leaves no area (the page then stays empty).
    static QRect druckRechteck(QSize bild, qint64 bildgroesse, qint64 sonst3);

public Q_SLOTS:
    // Shows the picture folder's file of this name enlarged; printing reads the file again.
    void zeigen(const QString& bildname);
    // Shows a picture that is not stored yet (attached in a window, not saved); printing prints it.
    void zeigenUngespeichert(const QString& bildname, const QImage& bild);

protected:
    void vorbereiten() override;
    void resizeEvent(QResizeEvent* e) override;

private Q_SLOTS:
    void RxSpinEdit1Change();
    void Button1Click();
    void Button2Click();
    void Button5Click();

private:
    void anordnen();
    void bildEinpassen();
    void fensterOeffnen();

    QScrollArea* m_flaeche = nullptr; // ScrollBox1
    QLabel* m_bild = nullptr;         // Image1
    QLabel* m_text1 = nullptr;        // Label1
    QLabel* m_text2 = nullptr;        // Label2
    RxSpinEdit* m_groesse = nullptr;  // RxSpinEdit1
    QPushButton* m_drucken = nullptr; // Button1
    QPushButton* m_beenden = nullptr; // Button2
    QPushButton* m_drucker = nullptr; // Button5

    QString m_name;                          // the picture's name in the picture folder
    QImage m_gezeigt;                        // the picture as shown
    bool m_gespeichert = false;              // whether m_name's file is the picture to print
    std::unique_ptr<QPrinter> m_druckerWahl; // the printer set up by "Druckeigenschaften"
};
