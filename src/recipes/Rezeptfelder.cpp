// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Rezeptfelder.h"

#include "data/Cp1252.h"
#include "data/Deutsch.h"
#include "data/Records.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <algorithm>

namespace pfl::rezeptfelder {

bool rubrikPruefen(const Felder& f, Platform& plattform) {
    // "Less than or equal to one blank": empty, or exactly one blank.
    if (f.rubrik->text().compare(QStringLiteral(" ")) > 0) return true;
    plattform.message(Platform::Kind::Information, QStringLiteral("\n Bitte geben Sie eine Rubrik ein.  \n"));
    return false;
}

bool felderInSatz(const Felder& f, dateien& e, Platform& plattform) {
    if (!f.kosten->IsValid()) {
        plattform.message(Platform::Kind::Error,
                          QStringLiteral("\u201E%1\u201C ist kein gültiger Betrag.").arg(f.kosten->Text()));
        f.kosten->setFocus();
        return false;
    }
    e.kategorie = f.kategorie->currentText();
    e.Rubrik = f.rubrik->text();
    e.name = f.name->text();
    e.personen = f.portionsart->currentText();
    e.anzahl = f.anzahl->Text();
    e.zeit = f.zeit->Text();
    e.k_zeit = f.kochzeit->Text();
    e.schwer = f.schwierigkeit->currentText();
    e.preis = f.kosten->Text().trimmed().isEmpty() ? 0.0 : f.kosten->Value();
    e.kalorien = f.kalorien->text();
    e.erfasst_am = f.datum->Text();
    e.zutaten.setPlainText(f.zutaten->toPlainText());
    e.zubereitung.setPlainText(f.zubereitung->toPlainText());
    e.utensielien.setPlainText(f.utensilien->toPlainText());
    return true;
}

void satzInFelder(const dateien& d, const Felder& f) {
    f.rubrik->setText(d.Rubrik.toQString());
    f.name->setText(d.name.toQString());
    f.anzahl->setText(d.anzahl.toQString());
    f.portionsart->setEditText(d.personen.toQString());
    f.zeit->setText(d.zeit.toQString());
    f.kochzeit->setText(d.k_zeit.toQString());
    f.schwierigkeit->setEditText(d.schwer.toQString());
    f.kosten->setValue(d.preis); // 0 shows as empty
    f.kalorien->setText(d.kalorien.toQString());
    f.datum->setText(d.erfasst_am.toQString());
    f.zutaten->setPlainText(d.zutaten.plainText());
    f.zubereitung->setPlainText(d.zubereitung.plainText());
    f.utensilien->setPlainText(d.utensielien.plainText());
}

QGroupBox* gruppe(QWidget* eltern, const QString& name, const QString& titel) {
    auto* g = new QGroupBox(titel, eltern);
    g->setObjectName(name);
    return g;
}

QPlainTextEdit* memo(QGroupBox* g, const QString& name) {
    auto* m = new QPlainTextEdit(g);
    m->setObjectName(name);
    m->setAccessibleName(g->title().trimmed());
    m->setTabChangesFocus(true);
    return m;
}

QComboBox* auswahlfeld(QWidget* eltern, const QString& name, const QString& lesbar,
                       const QStringList& eintraege) {
    auto* c = new QComboBox(eltern);
    c->setObjectName(name);
    c->setEditable(true);
    // Typed text is a value of its own; it never becomes an item of the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setAccessibleName(lesbar);
    c->lineEdit()->setAccessibleName(lesbar);
    c->addItems(eintraege);
    return c;
}

QStringList sortiert(QStringList l) {
    const QCollator& c = pfl::deutscheSortierung();
    std::stable_sort(l.begin(), l.end(),
                     [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    return l;
}

void listeFuellen(QListWidget* liste, const QStringList& eintraege) {
    const QSignalBlocker sperre(liste);
    liste->clear();
    liste->addItems(sortiert(eintraege));
}

QString fremdeZeichen(const QString& text, QString bisher) {
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) continue;
        const QString z = QString::fromUcs4(&c, 1);
        if (pfl::fromCp1252(pfl::toCp1252(z)) != z && !bisher.contains(z)) bisher += z;
    }
    return bisher;
}

Druckrezept druckrezept(const Felder& f) {
    Druckrezept r;
    r.titel = f.name->text();
    r.schwierigkeit = f.schwierigkeit->currentText();
    r.portionsart = f.portionsart->currentText();
    r.anzahl = f.anzahl->Text();
    r.kosten = f.kosten->Text();
    r.zeit = f.zeit->Text();
    r.kochzeit = f.kochzeit->Text();
    r.kalorien = f.kalorien->text();
    r.datum = f.datum->Text();
    r.utensilien = f.utensilien->toPlainText();
    r.zutaten = f.zutaten->toPlainText();
    r.zubereitung = f.zubereitung->toPlainText();
    return r;
}

} // namespace pfl::rezeptfelder
