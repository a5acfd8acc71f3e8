// SPDX-License-Identifier: GPL-3.0-or-later
// Base of every secondary window: it takes its collaborators, colours, places and shows itself,
// closes on Escape, runs its help topic, and tells its owner when it has closed.
#pragma once

#include "windowbase/Umgebung.h"

#include <QDialog>
#include <QPointer>
#include <QRect>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class Platform;
class Unit4;

namespace pfl {

class Nebenfenster : public QDialog {
    Q_OBJECT
public:
    // name is the description's instance name (the object name), titel the caption.
    Nebenfenster(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                 QSize groesse, int hilfethema);

    // Fills the controls, colours and places the window and shows it (not modally).
    void oeffnen();
    // Takes the colour scheme again (after the colour dialog changed it).
    void umfaerben() {
        faerben();
        update();
    }

Q_SIGNALS:
    // oeffnen starts, before the window fills its controls.
    void geoeffnet();
    // The window was closed by any way (button, Escape, the title bar); the owner refreshes.
    void geschlossen();

protected:
    // Fills the controls before the window shows; the default fills nothing.
    virtual void vorbereiten() {}
    // Window and list colours from the colour scheme, the text colours readable on them.
    virtual void faerben();

    // Before a window shows itself: opened while a modal window is up, it is modal for this opening
    // too, so that it stacks on that window and takes input; closing gives back its own modality.
    void modalitaetFestlegen();
    // The room the window's own area has: the work area less the window manager's frame.
    QRect nutzflaeche() const;
    // A window larger than that room shows its page scrolled; it keeps its design size inside.
    void einpassen();
    // Moves the window, frame included, into the work area, as near to where it stands as it fits.
    void imArbeitsbereichHalten();
    // The active window opens this one: the window system keeps this one above it, and closing
    // gives it the focus back (not to the main window behind).
    void oeffnerMerken();

    Unit4& daten() const { return m_umgebung.daten; }
    Farbschema& farben() const { return m_umgebung.farben; }
    Platform& plattform() const { return m_umgebung.plattform; }
    void hilfeZeigen();
    // The window's help topic; a window whose topic depends on how it was opened says so here.
    virtual int hilfethema() const { return m_hilfethema; }

    // Controls of the usual kinds, named and with what a screen reader reads.
    QLabel* label(const QString& name, const QString& text, const QRect& r);
    QPushButton* knopf(const QString& name, const QString& text, QSize groesse = QSize(110, 30));
    // The "Hilfe" button: opens the window's help topic.
    QPushButton* hilfeKnopf(const QString& name);
    // The file list of the recipe books in the data directory, sorted in German order. An item shows
    // the file name as the user reads it (pfl::anzeigename) and keeps the file's own name under
    // kDateiname.
    QListWidget* buchListe(const QRect& r, const QString& lesbarerName);
    void buchListeFuellen(QListWidget* liste);
    static constexpr int kDateiname = Qt::UserRole;

    // Three buttons around the window's horizontal centre c: left edges c - 1.5 x w1 - 15,
    // c - w2 / 2 - 10 and c + w3 / teiler3 + versatz3 (all truncated).
    void knopfreihe(QWidget* b1, QWidget* b2, QWidget* b3, int teiler3, int versatz3);

    void done(int ergebnis) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    Umgebung& m_umgebung;
    int m_hilfethema;
    bool m_gestapelt = false;       // modal for this opening only (modalitaetFestlegen)
    QScrollArea* m_rolle = nullptr; // the scrolled page of a window larger than the screen
    QPointer<QWidget> m_oeffner;    // the window that was active when this one opened
};

// Centred horizontally and 50 pixels below the vertical centre of the screen (divisions truncate).
void dialogPlatzieren(QWidget* w, QSize bildschirm);

} // namespace pfl
