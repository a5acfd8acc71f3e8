// SPDX-License-Identifier: GPL-3.0-or-later
// TEinst: the settings (currency text, table row height, picture print size) and the owner data.
#pragma once

#include "windowbase/Nebenfenster.h"

#include <optional>

class QLineEdit;
class QPushButton;
class QTabWidget;
class RxSpinEdit;

class TEinst : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TEinst(pfl::Umgebung& umgebung, QWidget* parent);

Q_SIGNALS:
    // The new settings are in memory and on disk: the tables take the row height now.
    void gespeichert();

protected:
    void vorbereiten() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private Q_SLOTS:
    void Button1Click();
    void Button4Click();

private:
    // The whole number of a settings field; with a German message and the field focused when it is none.
    std::optional<int> zahlAus(RxSpinEdit* feld, const QString& bezeichnung, std::optional<int> hoechstens);

    QTabWidget* m_seiten = nullptr;      // PageControl1
    QLineEdit* m_waehrung = nullptr;     // Edit3
    QPushButton* m_euro = nullptr;       // Button4
    RxSpinEdit* m_zeilenhoehe = nullptr; // RxSpinEdit1
    RxSpinEdit* m_bildgroesse = nullptr; // RxSpinEdit2
    // Owner data, in the record's order: Name, vorname, Strasse, ort, tel, fax.
    QLineEdit* m_name = nullptr;    // Edit1
    QLineEdit* m_vorname = nullptr; // Edit2
    QLineEdit* m_strasse = nullptr; // Edit5
    QLineEdit* m_ort = nullptr;     // Edit6
    QLineEdit* m_tel = nullptr;     // Edit7
    QLineEdit* m_fax = nullptr;     // Edit8
};
