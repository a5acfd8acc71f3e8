// SPDX-License-Identifier: GPL-3.0-or-later
// What the entry window and the editor share: the recipe controls, how their text goes into a
// recipe record and back, and the small control makers both windows are built from.
#pragma once

#include "pages/Drucklayout.h"
#include "platform/Platform.h"

#include <QString>
#include <QStringList>

class CurrencyEdit;
class DateEdit;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;
class RxSpinEdit;
struct dateien;

namespace pfl::rezeptfelder {

// The controls of a recipe's fields, as both windows have them.
struct Felder {
    QComboBox* kategorie = nullptr;     // ComboBox2
    QLineEdit* rubrik = nullptr;        // Edit1
    QLineEdit* name = nullptr;          // Edit2
    QComboBox* portionsart = nullptr;   // ComboBox3
    RxSpinEdit* anzahl = nullptr;       // RxSpinEdit1
    RxSpinEdit* zeit = nullptr;         // RxSpinEdit2
    RxSpinEdit* kochzeit = nullptr;     // RxSpinEdit3
    QComboBox* schwierigkeit = nullptr; // ComboBox1
    CurrencyEdit* kosten = nullptr;     // CurrencyEdit1
    QLineEdit* kalorien = nullptr;      // Edit4
    DateEdit* datum = nullptr;          // DateEdit1
    QPlainTextEdit* utensilien = nullptr;
    QPlainTextEdit* zutaten = nullptr;
    QPlainTextEdit* zubereitung = nullptr;
};

// A recipe needs a section: false, with a message, when the field is empty or holds one blank.
bool rubrikPruefen(const Felder& f, Platform& plattform);
// Fills every shown field of the record from the controls (the picture name and the fields no window
// shows stay); an empty cost field gives 0. False, with a message, when the cost is no amount.
bool felderInSatz(const Felder& f, dateien& satz, Platform& plattform);
// Shows every field of the record except the category, which the caller sets with its lists.
void satzInFelder(const dateien& satz, const Felder& f);

QGroupBox* gruppe(QWidget* eltern, const QString& name, const QString& titel);
QPlainTextEdit* memo(QGroupBox* g, const QString& name);
QComboBox* auswahlfeld(QWidget* eltern, const QString& name, const QString& lesbar,
                       const QStringList& eintraege);
// The recipe as the fields show it, saved or not, for printing.
Druckrezept druckrezept(const Felder& f);
// A list in German order, as the sorted list boxes show their entries.
QStringList sortiert(QStringList l);
void listeFuellen(QListWidget* liste, const QStringList& eintraege);
// The characters of `text` that Windows-1252 cannot hold, each once, appended to `bisher`.
QString fremdeZeichen(const QString& text, QString bisher);

} // namespace pfl::rezeptfelder
