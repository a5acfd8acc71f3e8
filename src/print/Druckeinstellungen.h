// SPDX-License-Identifier: GPL-3.0-or-later
// TForm15: the typography of the printouts (Drucker.drk), one group of settings at a time.
#pragma once

#include "windowbase/Nebenfenster.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class RxSpinEdit;
struct DruckGruppe;

class TForm15 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm15(pfl::Umgebung& umgebung, QWidget* parent);

protected:
    void vorbereiten() override;
    void faerben() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private Q_SLOTS:
    void Button4Click();  // "Rezept drucken": group d
    void Button5Click();  // "Einkaufsliste": group t
    void Button8Click();  // group b
    void Button11Click(); // "Speichern >>"
    void grundeinstellungClick();

private:
    // Shows the group with the given code (4 t, 5 k, 6 f, 7 d, 8 b) under its heading.
    void gruppeZeigen(int code, const QString& ueberschrift);
    DruckGruppe& gruppe(int code);

    int m_code = 7;
    QFrame* m_kopf = nullptr;       // Panel1
    QLabel* m_titel = nullptr;      // Label1
    RxSpinEdit* m_felder[5] = {};   // RxSpinEdit1 .. RxSpinEdit5: size, pen, lines, spacing, margin
    QComboBox* m_schrift = nullptr; // ComboBox1
    QList<QFrame*> m_panels;        // Panel2 ..
};
