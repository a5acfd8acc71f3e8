// SPDX-License-Identifier: GPL-3.0-or-later
// A recipe as a plain-text mail: what the editor's fields turn into, and handing it to the mail program.
#pragma once

#include "platform/Platform.h"

#include <QString>

namespace pfl {

// The editor's fields as they stand, as text (multi-line texts with "\n" line breaks).
struct RezeptMailFelder {
    QString name;          // Edit2
    QString schwierigkeit; // ComboBox1
    QString portionsart;   // ComboBox3
    QString anzahl;        // RxSpinEdit1
    QString kosten;        // the cost field's edit text (kostenEingabeText)
    QString zeit;          // RxSpinEdit2
    QString kochzeit;      // RxSpinEdit3
    QString kalorien;      // Edit4
    QString zutaten;       // Memo1
    QString zubereitung;   // Memo2
};

// An amount as the cost field shows it while edited: at most two decimals, "," and no thousands
// separator; empty for 0.
QString kostenEingabeText(double betrag);

// Subject "Post von <first name> <surname>"; the body line by line, each line ended by "\n", the texts of
// the multi-line fields with their own CR LF line breaks. No recipient: the user chooses it.
MailMessage rezeptMail(const RezeptMailFelder& felder, const QString& waehrung, const QString& vorname,
                       const QString& nachname);

// Hands the mail to the mail program and tells the user when it did not go there.
void rezeptMailen(const MailMessage& mail, Platform& plattform);

} // namespace pfl
