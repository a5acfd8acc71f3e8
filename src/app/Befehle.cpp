// The main window's commands that other windows provide: each request signal and the menu items
// and toolbar buttons that emit it.
#include "app/Hauptfenster.h"

#include <QMetaMethod>

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
    };
    return liste;
}

void TForm1::befehlAusfuehren(void (TForm1::*signal)()) {
    datenbildschirmVerbergen();
    Q_EMIT(this->*signal)();
}

void TForm1::befehleFreigeben() {
    for (const auto& [signal, namen] : befehlsSignale()) {
        const bool da = isSignalConnected(QMetaMethod::fromSignal(signal));
        for (const char* name : namen)
            if (QObject* o = findChild<QObject*>(QString::fromLatin1(name))) o->setProperty("enabled", da);
    }
}
