// SPDX-License-Identifier: GPL-3.0-or-later
// TForm52: width and height of the main window's data screen.
#pragma once

#include "windowbase/Nebenfenster.h"

class RxSpinEdit;

class TForm52 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm52(pfl::Umgebung& umgebung, QWidget* parent);

    // The design size of the data screen, which "Grundeinstellung" restores.
    static constexpr int kBreite = 779;
    static constexpr int kHoehe = 421;
    // The largest width or height the fields take.
    static constexpr int kGroesstwert = 100000;

Q_SIGNALS:
    // The data screen takes this size at once (live change or "Speichern").
    void groesseGeaendert(int breite, int hoehe);
    // "Grundeinstellung" stored the design size: the data screen is centred and shown again.
    void grundeinstellungGespeichert();

protected:
    void vorbereiten() override;

private Q_SLOTS:
    void RxSpinEdit1TopClick();
    void RxSpinEdit1BottomClick();
    void RxSpinEdit2TopClick();
    void RxSpinEdit2BottomClick();
    void Button1Click();
    void Button2Click();

private:
    // The field's text as an integer, or the German conversion error and no value.
    bool ganzzahl(RxSpinEdit* feld, int& wert);
    // As ganzzahl, and within 0 .. kGroesstwert.
    bool imBereich(RxSpinEdit* feld, const QString& was, int& wert);
    void breiteLive();
    void hoeheLive();

    RxSpinEdit* m_breite = nullptr;
    RxSpinEdit* m_hoehe = nullptr;
};
