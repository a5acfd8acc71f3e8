// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown: the owner of the data module's windows and of how they talk to each other.
#pragma once

#include "windowbase/Umgebung.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class Platform;
class QTranslator;
class Unit4;
class TForm1;
class TForm2;
class TBild;
class TForm13;
class TForm52;
class Td_anlegen;
class Tloeschen;
class TWechseln;
class TForm27;
class TForm28;
class Tform21;
class TForm9;
class Tform22;
class TEinst;
class TForm3;
class TForm14;
class TForm15;
class TBack5;
class TDatensicherung;
class TFarbe;
class TF_Hb;
class TInv;
class TForm25;
class TProgramm;

namespace pfl {

class Abrufer;
class Ausfuhr;
class Datenordnersperre;
class Importfenster;
class Einzelstart;
class Farbschema;
class Nebenfenster;

class Anwendung : public QObject {
    Q_OBJECT
public:
    // Everything between the launch and the first user action, on the given data directory:
    // module initialisation, the main window, the splash window and the other windows in their
    // order, the user's style, the sections and the overview. Shows the main window. The shipped
    // files (help, README, background pictures) are read from `mitgeliefert`, by default from the
    // data directory itself (a portable copy).
    Anwendung(Unit4& daten, Farbschema& farben, Platform& plattform, const QString& datenverzeichnis,
              const QString& mitgeliefert = QString());
    ~Anwendung() override;

    // False when the data folder could not be locked for this program (another running program holds
    // it, or it cannot be locked at all): then nothing was started or written.
    bool bereit() const { return m_haupt != nullptr; }
    // Not ready because the program already running on the folder was asked to come to the front.
    bool weitergereicht() const { return m_weitergereicht; }
    TForm1& hauptfenster() const { return *m_haupt; }

private:
    // The owner refreshes the main window whenever a secondary window closes.
    void verbinden(Nebenfenster* fenster);
    // From now on a section made in the section list takes the editor's category.
    void rubrikenFuerBearbeiten();
    void buchWechselnOeffnen();
    // Each group of windows is created and connected in its own file (Anschluss*.cpp), called in
    // this order by the constructor.
    void anschliessenEinstellungen(); // settings, mail, shopping list
    void anschliessenDrucken();       // printing and print settings
    void anschliessenSuchen();        // search in one book and in all books
    void anschliessenSicherung();     // backup, restore, automatic backup
    void anschliessenFarbenUndInfo(); // colour dialog, background picture, information windows
    void anschliessenAustausch();     // importing and exporting recipes

    Umgebung m_umgebung;
    std::unique_ptr<Datenordnersperre> m_sperre;
    // Goes before the lock is given up, so that it never removes the socket of a later start.
    std::unique_ptr<Einzelstart> m_einzelstart;
    bool m_weitergereicht = false;
    std::unique_ptr<TForm1> m_haupt;
    // Secondary windows belong to the main window (Qt parent), so they go with it.
    Td_anlegen* m_anlegen = nullptr;
    Tloeschen* m_loeschen = nullptr;
    TForm52* m_groesse = nullptr;
    TForm2* m_erfassen = nullptr;
    TForm13* m_bearbeiten = nullptr;
    TForm27* m_rubriken = nullptr;
    TForm28* m_kategorien = nullptr;
    TBild* m_bild = nullptr;
    Tform21* m_liste = nullptr;
    TForm9* m_suchen = nullptr;
    Tform22* m_alleBuecher = nullptr;
    TEinst* m_einstellungen = nullptr;
    TForm3* m_einkauf = nullptr;
    TForm14* m_drucken = nullptr;
    TForm15* m_druckoptionen = nullptr;
    TBack5* m_sicherung = nullptr;
    TDatensicherung* m_datensicherung = nullptr;
    TFarbe* m_farbe = nullptr;
    TF_Hb* m_hintergrund = nullptr;
    TInv* m_info = nullptr;
    TForm25* m_dank = nullptr;
    TProgramm* m_programme = nullptr;
    QPointer<TWechseln> m_wechseln;     // created anew each time it opens
    std::unique_ptr<Abrufer> m_abrufer; // fetches web pages for the import
    Importfenster* m_import = nullptr;
    Ausfuhr* m_ausfuhr = nullptr;
    // The section list serves the entry window: of it and the editor, it opened last.
    bool m_rubrikenFuerErfassen = false;
};

// Makes the program's pictures (splash, toolbar icons) available.
void ressourcenLaden();

// Qt's own texts (the colour, file and print dialogs, standard buttons, context menus) in German,
// whatever the machine's locale: the toolkit's German catalogue from its translations folder. The
// installed translator belongs to the application; null when the catalogue is not installed.
QTranslator* qtUebersetzungenLaden();
// Where the toolkit's German catalogue lies.
QString qtUebersetzungsdatei();

// Where the books' indexes of sections are kept between runs: in the user's cache folder.
QString indexOrdnerVorgabe();

} // namespace pfl

int pfannoLuxStarten(int argc, char** argv);
