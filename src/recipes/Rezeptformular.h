// SPDX-License-Identifier: GPL-3.0-or-later
// The recipe form of the entry window and the editor: three columns with the recipe's fields, the
// lists to choose a category, a section and a recipe from, and the picture. Each window names what
// differs in an Aufbau and adds its own controls through its hooks, which run while the form is
// built, so that the Tab key reaches every control in the order it is built.
#pragma once

#include "pages/Rezeptbild.h"
#include "recipes/Rezeptfelder.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
namespace pfl {
class Namensliste;
}
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace pfl {

class Rezeptformular : public QWidget {
    Q_OBJECT
public:
    // Controls a window puts into one of the form's boxes; they are created in the box.
    using Boxzusatz = std::function<QList<QWidget*>(QGroupBox* box)>;
    // Controls a window puts at the foot of a column; they are created in the form.
    using Spaltenzusatz = std::function<void(Rezeptformular& form, QVBoxLayout* spalte)>;

    struct Aufbau {
        // The list of the recipes already in the book: its caption and what a screen reader reads.
        QString rezepteTitel, rezepteLesbar;
        // The object names of the boxes the two windows number differently.
        QString zutatenBox, zubereitungBox, schwierigkeitBox, bildBox;
        QStringList portionsarten;
        // The labels of the numbers the two windows word differently.
        QString kostenText, zeitText, kochzeitText;
        // Below the category field, below the section list, below the name, above the preparation.
        Boxzusatz kategorie, rubriken, name, zubereitung;
        // Below the preparation (middle column) and below the numbers (right column).
        Spaltenzusatz mitte, rechts;
    };

    Rezeptformular(const Aufbau& aufbau, Platform& plattform, QWidget* fenster);

    const rezeptfelder::Felder& felder() const { return m_felder; }
    QListWidget* rubriken() const { return m_rubriken; }
    QGroupBox* rezepteBox() const { return m_rezepteBox; }
    pfl::Namensliste* rezepte() const { return m_rezepte; }
    QGroupBox* bildBox() const { return m_bildBox; }
    QLabel* bild() const { return m_bild; }
    QPushButton* bildDazu() const { return m_bildDazu; }
    QPushButton* bildWeg() const { return m_bildWeg; }
    QToolButton* bildGross() const { return m_bildGross; }

    // One more row of the numbers: a label with the text and, beside it, the field it names.
    void zahlenzeile(const QString& labelName, const QString& text, QWidget* feld);

    // The lists the data module offers, each filled only when it has changed since it was shown;
    // new categories leave what the user has typed.
    void rubrikenZeigen(const QStringList& rubriken);
    void kategorienZeigen(const QStringList& kategorien);
    // The name's maroon, where it reads on the field's background.
    void faerben();

    // The picture the box shows, as its file held it; empty when it shows none.
    const Rezeptbild& bildDaten() const { return m_bildDaten; }
    void bildZeigen(const Rezeptbild& bild);
    void bildEntfernen();
    // Asks for a picture file, starting in the folder of the last choice, and shows the picture. Its
    // name for the book, or nothing when no file was chosen or the file is no picture (reported).
    std::optional<QString> bildWaehlen(Platform& plattform);
    // Stores the picture shown, if there is one, in the folder under `name`, or under a free name that
    // `name` then holds; false, reported, when it could not be stored.
    bool bildSpeichern(const QString& ordner, QString& name, Platform& plattform) const;

Q_SIGNALS:
    // The text of a one-line field or of a text field has changed.
    void textGeaendert();

private:
    Platform& m_plattform; // the date field's calendar asks it for today
    void linksBauen(const Aufbau& a, QHBoxLayout* spalten);
    void mitteBauen(const Aufbau& a, QHBoxLayout* spalten);
    void rechtsBauen(const Aufbau& a, QHBoxLayout* spalten);
    void bildBauen(const Aufbau& a, QVBoxLayout* rechts);

    rezeptfelder::Felder m_felder;
    QListWidget* m_rubriken = nullptr;     // ListBox1
    QGroupBox* m_rezepteBox = nullptr;     // GroupBox2
    pfl::Namensliste* m_rezepte = nullptr; // ListBox2
    QGridLayout* m_zahlen = nullptr;       // portions, cost, times, calories, date
    int m_zahlenZeilen = 0;
    QGroupBox* m_bildBox = nullptr;
    QLabel* m_bild = nullptr;           // Image1
    QPushButton* m_bildDazu = nullptr;  // Button5
    QPushButton* m_bildWeg = nullptr;   // Button6
    QToolButton* m_bildGross = nullptr; // SpeedButton1
    QStringList m_gezeigteRubriken, m_gezeigteKategorien;
    Rezeptbild m_bildDaten;
    QString m_bildOrdnerWahl; // where the picture chooser starts
};

} // namespace pfl
