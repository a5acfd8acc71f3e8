// SPDX-License-Identifier: GPL-3.0-or-later
// The import window: recipes from saved web pages, web addresses and MealMaster files, shown exactly
// as they will be stored before anything is written, then appended to the active book in one step.
#pragma once

#include "exchange/Einlesen.h"
#include "windowbase/Nebenfenster.h"

#include <QStringList>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace pfl {

class Abrufer;
class Vorschaumodell;

class Importfenster : public Nebenfenster {
    Q_OBJECT
public:
    Importfenster(Umgebung& umgebung, Abrufer& abrufer, QWidget* parent);
    ~Importfenster() override;

    static constexpr int kHilfe = 1200;

    // Who fetches web pages and pictures (tests give a scripted one).
    void abruferSetzen(Abrufer& abrufer) { m_abrufer = &abrufer; }

    // How long reading runs before its progress shows (milliseconds).
    void fortschrittNach(int ms) { m_fortschrittNach = ms; }

public Q_SLOTS:
    // Opens the window and reads these sources (files or web addresses) into the preview.
    void oeffnenMit(const QStringList& quellen);

Q_SIGNALS:
    // Recipes were appended to the active book, in this section.
    void importiert(int anzahl, const QString& rubrik);

protected:
    void vorbereiten() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private Q_SLOTS:
    void dateienWaehlen();
    void adresseLaden();
    void importieren();
    void rubrikGeaendert();
    void doppelteUmschalten(bool auch);
    void zeileGewaehlt();
    void zaehlen();

private:
    // Reads the sources with progress and "Abbrechen", and shows what was found.
    void lesen(const QStringList& quellen);
    void rubrikAnwenden();
    void einzelheitenZeigen(int zeile);

    Abrufer* m_abrufer;
    Importliste m_liste;
    Vorschaumodell* m_modell = nullptr;
    QPushButton* m_dateien = nullptr;         // "Dateien wählen …"
    QLineEdit* m_adresse = nullptr;           // the web address
    QPushButton* m_laden = nullptr;           // "Laden"
    QComboBox* m_rubrik = nullptr;            // the section of the imported recipes
    QCheckBox* m_doppelte = nullptr;          // duplicates too
    QTableView* m_tabelle = nullptr;          // the recipes found
    QPlainTextEdit* m_einzelheiten = nullptr; // the chosen recipe as it will be stored
    QLabel* m_zaehler = nullptr;              // the count line
    QLabel* m_abgelehnt = nullptr;            // sources that gave no recipe
    QPushButton* m_importieren = nullptr;
    QPushButton* m_abbrechen = nullptr;
    QTimer* m_rubrikUhr = nullptr;      // the section is applied once typing pauses
    std::optional<QString> m_angewandt; // the section the records were made for
    int m_fortschrittNach = 400;
};

} // namespace pfl
