// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu and the commands it hands to the owner.
#include "mainwindow/Hauptfenster.h"

#include "data/Unit4.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QToolButton>

void TForm1::menueBauen() {
    QMenuBar* m = menuBar();
    m->setObjectName(QStringLiteral("MainMenu1"));
    // Captions carry keyboard access letters; the letters shown stay the same.
    struct Eintrag {
        const char* name;
        const char* text; // empty: a separator
    };
    auto menue = [&](const char* name, const char* text, std::initializer_list<Eintrag> eintraege) {
        QMenu* menu = m->addMenu(QString::fromUtf8(text));
        menu->setObjectName(QString::fromLatin1(name));
        for (const Eintrag& e : eintraege) {
            if (!*e.text) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(e.text));
            a->setObjectName(QString::fromLatin1(e.name));
        }
    };
    auto befehl = [&](const char* name, const char* text) {
        QAction* a = m->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
    };
    menue("Datei1", "&Datei",
          {{"Rezeptbuchanlegen1", "Rezeptbuch &anlegen"},
           {"Rezeptbuchwechseln1", "Rezeptbuch &wechseln"},
           {"Rezeptbuchlschne1", "Rezeptbuch &löschen"},
           {"", ""},
           {"Rezepteimportieren1", "Rezepte &importieren …"},
           {"Rezepteexportieren1", "Rezepte e&xportieren …"}});
    menue("Erfassen1", "&Erfassen", {{"Rezepteerfassen1", "&Rezepte erfassen"}});
    menue("Bearbeiten1", "&Bearbeiten",
          {{"Rezeptebearbeiten1", "&Rezepte bearbeiten"},
           {"Einkaufslistebearbeiten1", "&Einkaufsliste bearbeiten"},
           {"Kategorieenerfassenndern1", "&Kategorieen erfassen/ändern"},
           {"Rubrikenerfassenndern1", "R&ubriken erfassen/ändern"}});
    befehl("Suchen1", "&Suchen");
    menue("Drucken1", "D&rucken",
          {{"Rezeptdrucken1", "&Rezept drucken"},
           {"Einkaufsliste1", "&Einkaufsliste"},
           {"Druckoptionen1", "&Druckoptionen"}});
    menue("Sonstiges1", "S&onstiges",
          {{"Einstellungen1", "&Einstellungen"},
           {"Datenbildschirmeinaus1", "Datenbildschirm ein/aus"},
           {"Bildgrssendern1", "Datenbildschirm &Grösse ändern"},
           {"", ""},
           {"Datensicherung1", "Daten&sicherung"},
           {"Datenwiederherstellung1", "Datenwieder&herstellung"},
           {"", ""},
           {"Farbenndern1", "&Farben ändern"},
           {"", ""},
           {"Info2", "&Info"},
           {"AufUpdatesberprfen2", "Auf &Updates überprüfen"},
           {"WeitereProgrammedesAutors1", "Weitere &Programme des Autors"},
           {"Websitebesuchen1", "&Website besuchen"}});
    befehl("SobeginnenSie1", "So be&ginnen Sie");
    menue("Hilfe1", "&Hilfe", {{"Inhalt1", "I&nhalt"}, {"WeitereProgramme1", "&Weitere Programme"}});
    befehl("Info1", "&Info");
    befehl("AufUpdatesberprfen1", "Auf &Updates überprüfen");

    auto aktion = [this](const char* name) {
        QAction* a = findChild<QAction*>(QString::fromLatin1(name));
        Q_ASSERT(a);
        return a;
    };
    auto werkzeug = [this](const char* name) {
        QToolButton* b = findChild<QToolButton*>(QString::fromLatin1(name));
        Q_ASSERT(b);
        return b;
    };
    // Commands whose windows are not connected stay disabled (befehleFreigeben).
    for (const auto& [signal, namen] : befehlsSignale())
        for (const char* name : namen) {
            QObject* o = findChild<QObject*>(QString::fromLatin1(name));
            Q_ASSERT(o);
            o->setProperty("enabled", false);
            if (auto* a = qobject_cast<QAction*>(o))
                connect(a, &QAction::triggered, this, [this, signal] { befehlAusfuehren(signal); });
            else
                connect(static_cast<QToolButton*>(o), &QToolButton::clicked, this,
                        [this, signal] { befehlAusfuehren(signal); });
        }

    m_datenbildschirmAn = aktion("Datenbildschirmeinaus1");
    m_datenbildschirmAn->setCheckable(true);
    connect(aktion("Rezeptbuchanlegen1"), &QAction::triggered, this, &TForm1::Rezeptbuchanlegen1Click);
    connect(aktion("Rezeptbuchwechseln1"), &QAction::triggered, this, &TForm1::Rezeptbuchwechseln1Click);
    connect(werkzeug("SpeedButton8"), &QToolButton::clicked, this, &TForm1::Rezeptbuchwechseln1Click);
    connect(aktion("Rezeptbuchlschne1"), &QAction::triggered, this, &TForm1::Rezeptbuchlschne1Click);
    connect(m_datenbildschirmAn, &QAction::triggered, this, &TForm1::Datenbildschirmeinaus1Click);
    connect(aktion("Bildgrssendern1"), &QAction::triggered, this, &TForm1::Bildgrssendern1Click);
    connect(aktion("Rezepteerfassen1"), &QAction::triggered, this, &TForm1::Rezepteerfassen1Click);
    connect(werkzeug("SpeedButton1"), &QToolButton::clicked, this, &TForm1::Rezepteerfassen1Click);
    connect(aktion("Rezeptebearbeiten1"), &QAction::triggered, this, &TForm1::Rezeptebearbeiten1Click);
    // Printing and mailing a recipe start in the listing: the editor opened from it prints and mails.
    for (const char* name : {"Rezeptdrucken1"})
        connect(aktion(name), &QAction::triggered, this, &TForm1::Rezeptdrucken1Click);
    for (const char* name : {"SpeedButton7", "SpeedButton9"})
        connect(werkzeug(name), &QToolButton::clicked, this, &TForm1::Rezeptdrucken1Click);
    connect(werkzeug("SpeedButton5"), &QToolButton::clicked, this, &TForm1::Rezeptebearbeiten1Click);
    connect(aktion("Rubrikenerfassenndern1"), &QAction::triggered, this,
            &TForm1::Rubrikenerfassenndern1Click);
    connect(aktion("Kategorieenerfassenndern1"), &QAction::triggered, this,
            &TForm1::Kategorieenerfassenndern1Click);
    connect(aktion("SobeginnenSie1"), &QAction::triggered, this, [this] { hilfe(1100); });
    connect(aktion("Inhalt1"), &QAction::triggered, this, [this] { hilfe(100); });
    connect(werkzeug("SpeedButton2"), &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
}

const std::vector<std::pair<void (TForm1::*)(), std::vector<const char*>>>& TForm1::befehlsSignale() {
    static const std::vector<std::pair<void (TForm1::*)(), std::vector<const char*>>> liste = {
        {&TForm1::einkaufslisteVerlangt, {"Einkaufslistebearbeiten1", "Einkaufsliste1"}},
        {&TForm1::suchenVerlangt, {"Suchen1", "SpeedButton6"}},
        {&TForm1::druckoptionenVerlangt, {"Druckoptionen1"}},
        {&TForm1::einstellungenVerlangt, {"Einstellungen1"}},
        {&TForm1::datensicherungVerlangt, {"Datensicherung1", "SpeedButton4"}},
        {&TForm1::wiederherstellungVerlangt, {"Datenwiederherstellung1"}},
        {&TForm1::farbenVerlangt, {"Farbenndern1", "SpeedButton3"}},
        {&TForm1::infoVerlangt, {"Info2", "Info1"}},
        {&TForm1::updateVerlangt, {"AufUpdatesberprfen2", "AufUpdatesberprfen1"}},
        {&TForm1::weitereProgrammeVerlangt, {"WeitereProgrammedesAutors1", "WeitereProgramme1"}},
        {&TForm1::websiteVerlangt, {"Websitebesuchen1"}},
        {&TForm1::importierenVerlangt, {"Rezepteimportieren1"}},
        {&TForm1::exportierenVerlangt, {"Rezepteexportieren1"}},
    };
    return liste;
}

void TForm1::befehlAusfuehren(void (TForm1::*signal)()) {
    // Windows that exist only to change the data folder do not open where it can only be read.
    if ((signal == &TForm1::wiederherstellungVerlangt || signal == &TForm1::farbenVerlangt) &&
        !u.schreibbar())
        return;
    if (signal == &TForm1::suchenVerlangt) u.auswahl = 2; // its hits go to the book listing
    // An export opens no window of its own that would bring the data screen back.
    if (signal != &TForm1::exportierenVerlangt) datenbildschirmVerbergen();
    Q_EMIT(this->*signal)();
}

void TForm1::nachVorn() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TForm1::befehleFreigeben() {
    for (const auto& [signal, namen] : befehlsSignale()) {
        const bool da = isSignalConnected(QMetaMethod::fromSignal(signal));
        for (const char* name : namen)
            if (QObject* o = findChild<QObject*>(QString::fromLatin1(name))) o->setProperty("enabled", da);
    }
}
