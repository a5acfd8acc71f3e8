#include "app/Anwendung.h"

#include "app/Datenbildschirm.h"
#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "app/Fenster.h"
#include "app/NeuesRezeptbuch.h"
#include "app/RezeptbuchLoeschen.h"
#include "app/RezeptbuchWechseln.h"
#include "app/Hauptfenster.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <functional>
#include <memory>

// The resources live in a static library: nothing else references them, so they are pulled in here.
static void ressourcenEinbinden() {
    Q_INIT_RESOURCE(pfanno);
}

namespace pfl {

void ressourcenLaden() {
    ressourcenEinbinden();
}

void schriftenErsetzen() {
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Book Antiqua"),
        {QStringLiteral("P052"), QStringLiteral("URW Palladio L"), QStringLiteral("DejaVu Serif")});
}

namespace {

// A borderless picture centred on the screen while the windows are created.
std::unique_ptr<QLabel> splashZeigen() {
    auto s = std::make_unique<QLabel>(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    s->setObjectName(QStringLiteral("Splash"));
    s->setAccessibleName(QStringLiteral("Pfanno-Lux wird gestartet"));
    s->setFixedSize(535, 328);
    s->setScaledContents(true);
    s->setPixmap(QPixmap(QStringLiteral(":/splash.png")));
    const QSize b = platform().screenSize();
    s->move((b.width() - 535) / 2, (b.height() - 328) / 2);
    s->show();
    s->repaint();
    QCoreApplication::processEvents();
    return s;
}

} // namespace

void starten(const QString& datenverzeichnis) {
    Unit4& u = Unit4::instance();
    // Module initialisation, before any window exists.
    u.initialisieren(datenverzeichnis);
    Farben::farben_lesen();

    style_aktivieren(QStringLiteral("Aqua Light Slate"));

    Fenster& f = fenster();
    f.Form1 = new TForm1;
    f.Form1->FormCreate();

    std::unique_ptr<QLabel> splash = splashZeigen();
    // The other windows, in their fixed order; the splash goes even when a creation fails.
    try {
        const std::function<void()> schritte[] = {
            [&] { f.d_anlegen = new Td_anlegen(f.Form1); },
            [&] { f.loeschen = new Tloeschen(f.Form1); },
            // print settings: creating the window reads the file or writes its defaults
            [&] {
                if (QFile::exists(u.pfad(QStringLiteral("Drucker.drk"))))
                    u.druck_lesen();
                else
                    u.druck_anlegen();
            },
            [&] { f.Wechseln = new TWechseln(f.Form1); },
            [&] { f.Form52 = new TForm52(f.Form1); },
        };
        for (const auto& s : schritte)
            s();
    } catch (...) {
        splash.reset();
        throw;
    }
    splash.reset();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    QObject::connect(&u, &Unit4::copy1Angefordert, f.Form1, &TForm1::Copy1);
    Farben::style_lesen();
    u.Rubriken_lesen();
    u.rubrik = u.listen.hauptRubriken.isEmpty() ? QString() : u.listen.hauptRubriken.first();
    f.Form1->rubrikenUebernehmen();
    // Copy1 builds the overview and its column widths; building it once before would give the same.
    f.Form1->Copy1();
    f.Form1->showMaximized();
}

} // namespace pfl

int pfannoLuxStarten(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pfanno-Lux"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pfanno-lux.png")));
    pfl::ressourcenLaden();
    pfl::schriftenErsetzen();
    QtPlatform plattform;
    Unit4 unit4;
    pfl::starten(QCoreApplication::applicationDirPath());
    const int r = app.exec();
    delete fenster().Form1;
    return r;
}
