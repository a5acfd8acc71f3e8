// Start-up and shutdown of the program.
#pragma once

#include <QString>

class QWidget;

namespace pfl {

// Everything between the launch and the first user action, on the given data directory:
// module initialisation, the main window, the splash window and the other windows in
// their order, the user's style, the sections and the overview. Shows the main window.
void starten(const QString& datenverzeichnis);

// Makes the program's pictures (splash, toolbar icons) available.
void ressourcenLaden();

// Fonts the stored settings name are mapped to metric-compatible families of the system.
void schriftenErsetzen();

} // namespace pfl

int pfannoLuxStarten(int argc, char** argv);
