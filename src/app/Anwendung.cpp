#include "app/Anwendung.h"

#include "data/Unit4.h"
#include "platform/QtPlatform.h"

#include <QApplication>

int pfannoLuxStarten(int argc, char** argv) {
    QApplication app(argc, argv);
    QtPlatform plattform;
    Unit4 unit4;
    unit4.initialisieren(QCoreApplication::applicationDirPath());
    return 0;
}
