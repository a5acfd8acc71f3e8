// SPDX-License-Identifier: GPL-3.0-or-later
// TInv: the information window – product, version, contact, and the way to updates, the home
// page, the acknowledgements and the further programs.
#pragma once

#include "windowbase/Nebenfenster.h"

class QFrame;
class QLabel;
class Platform;

namespace pfl {

// Why the updater cannot be started, judged from the file before the attempt.
enum class Startgrund { Startbereit, NichtGefunden, KeineBerechtigung, KeinProgramm };
// The updater file "Update.Exe" in the data folder, whatever the case of its name; the plain
// name when there is none.
QString updaterDatei(const QString& lpf);
Startgrund startgrund(const QString& datei);
// The result code the failed start stands for (2 not found, 5 access denied, 11 not an
// executable) and the message of a result code (empty for a code without one).
int startfehlerCode(Startgrund grund);
QString startfehlerMeldung(int code);

// The project's home page: the shipped README, beside the program or where it was installed
// (Pfanno-Lux has no web site).
QString homepageAdresse(const Unit4& u);
// Opens a page in the browser; a local page that is missing, or a browser that does not start,
// is told to the user. False then.
bool seiteOeffnen(Platform& plattform, const QString& adresse);

} // namespace pfl

class TInv : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TInv(pfl::Umgebung& umgebung, QWidget* parent);

    // The maker's contact data as the six labels show them.
    static QStringList kontaktdaten();

public Q_SLOTS:
    // "Auf Updates überprüfen": starts the updater and then asks the program to end, or says why
    // it cannot be started and goes on.
    void AufUpdatesberprfen2Click();
    // "Website besuchen": asks, and opens the home page in the browser on "Ja".
    void Websitebesuchen1Click();

Q_SIGNALS:
    // The updater was started: the program ends (closing the main window).
    void programmBeenden();
    void danksagungVerlangt();
    void weitereProgrammeVerlangt();

protected:
    void vorbereiten() override;
    void faerben() override;

private:
    QFrame* m_panel = nullptr;   // Panel1
    QLabel* m_version = nullptr; // Label11
};
