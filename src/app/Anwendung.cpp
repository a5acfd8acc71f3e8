// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Anwendung.h"

#include "mainwindow/Datenbildschirm.h"
#include "app/Beendensignale.h"
#include "app/Bildschirm.h"
#include "app/Einzelstart.h"
#include "mainwindow/Hauptfenster.h"
#include "mainwindow/NeuesRezeptbuch.h"
#include "mainwindow/RezeptbuchLoeschen.h"
#include "mainwindow/RezeptbuchWechseln.h"
#include "appearance/Farben.h"
#include "appearance/Styles.h"
#include "data/Datenordner.h"
#include "data/Datenordnersperre.h"
#include "data/Unit4.h"
#include "exchange/Abruf.h"
#include "exchange/Befehlszeile.h"
#include "platform/Platform.h"
#include "app/QtPlatform.h"
#include "recipes/Bearbeiten.h"
#include "recipes/Bildfenster.h"
#include "recipes/Erfassen.h"
#include "recipes/KategorienListe.h"
#include "recipes/RubrikenListe.h"
#include "search/Buchliste.h"
#include "pages/Schriften.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLibraryInfo>
#include <QPixmap>
#include <QStandardPaths>
#include <QTextStream>
#include <QTranslator>
#include <functional>

// The resources live in a static library: nothing else references them, so they are pulled in here.
static void ressourcenEinbinden() {
    Q_INIT_RESOURCE(pfanno);
}

namespace pfl {

void ressourcenLaden() {
    ressourcenEinbinden();
}

QString qtUebersetzungsdatei() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
}

QTranslator* qtUebersetzungenLaden() {
    // qtbase covers every module the program uses (core, widgets, print support); the user
    // interface is German, so the machine's locale does not choose the catalogue.
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(qtUebersetzungsdatei()) || !QCoreApplication::installTranslator(t)) {
        delete t;
        return nullptr;
    }
    return t;
}

namespace {

// A borderless picture centred on the screen while the windows are created.
std::unique_ptr<QLabel> splashZeigen(Platform& plattform) {
    auto s = std::make_unique<QLabel>(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    s->setObjectName(QStringLiteral("Splash"));
    s->setAccessibleName(QStringLiteral("Pfanno-Lux wird gestartet"));
    s->setFixedSize(535, 328);
    s->setScaledContents(true);
    s->setPixmap(QPixmap(QStringLiteral(":/splash.png")));
    const QSize b = plattform.screenSize();
    s->move((b.width() - 535) / 2, (b.height() - 328) / 2);
    s->show();
    s->repaint();
    QCoreApplication::processEvents();
    return s;
}

} // namespace

Anwendung::Anwendung(Unit4& u, Farbschema& farben, Platform& plattform, const QString& datenverzeichnis,
                     const QString& mitgeliefert)
    : m_umgebung{u, farben, plattform} {
    // A failed write is told to the user, whichever routine it happened in.
    connect(&u, &Unit4::schreibfehler, this,
            [&plattform](const QString& meldung) { plattform.message(Platform::Kind::Error, meldung); });
    connect(&u, &Unit4::hinweis, this, [&plattform](const QString& meldung) {
        plattform.message(Platform::Kind::Information, meldung);
    });
    u.uhr = [&plattform] { return plattform.today(); };
    // One program per data folder: two writing into the same books would lose recipes. A folder that
    // cannot be locked at all is not used either: nothing would keep a second program off.
    m_sperre = std::make_unique<Datenordnersperre>(datenverzeichnis);
    if (!m_sperre->gesperrt()) {
        // The running program comes to the front; only one that cannot be reached is reported.
        if (m_sperre->besetzt()) m_weitergereicht = Einzelstart::wecken(datenverzeichnis);
        if (!m_weitergereicht) plattform.message(Platform::Kind::Error, m_sperre->fehler());
        return;
    }
    // Read-only media and folders the user may not write into are shown, never written.
    if (!u.nurLesen) u.nurLesen = ordnerNurLesbar(datenverzeichnis);
    // Module initialisation, before any window exists.
    u.mitgeliefert = mitgeliefert;
    u.initialisieren(datenverzeichnis);
    farben.farben_lesen();

    styleAktivieren(farben, QStringLiteral("Aqua Light Slate"));
    // The user's style is known before any window exists: taking it now spares repolishing every
    // window when it is read again below; what shows is the same.
    farben.styleNameLesen();
    styleAktivieren(farben, farben.Style);

    m_haupt = std::make_unique<TForm1>(m_umgebung);
    TForm1* haupt = m_haupt.get();
    // Later starts on this folder bring this window to the front.
    m_einzelstart = std::make_unique<Einzelstart>(datenverzeichnis);
    connect(m_einzelstart.get(), &Einzelstart::geweckt, haupt, &TForm1::nachVorn);
    haupt->FormCreate();

    std::unique_ptr<QLabel> splash = splashZeigen(plattform);
    // The other windows, in their fixed order; the splash goes even when a creation fails.
    try {
        const std::function<void()> schritte[] = {
            [&] { m_anlegen = new Td_anlegen(m_umgebung, haupt); },
            [&] { m_loeschen = new Tloeschen(m_umgebung, haupt); },
            // print settings: creating the window reads the file or writes its defaults (only kept
            // in memory where the folder can only be read)
            [&] {
                if (QFile::exists(u.pfad(QStringLiteral("Drucker.drk"))))
                    u.druck_lesen();
                else
                    u.druck_anlegen();
            },
            [&] { m_groesse = new TForm52(m_umgebung, haupt); },
            [&] { m_erfassen = new TForm2(m_umgebung, haupt); },
            [&] { m_rubriken = new TForm27(m_umgebung, haupt); },
            [&] { m_kategorien = new TForm28(m_umgebung, haupt); },
            [&] { m_liste = new Tform21(m_umgebung, haupt); },
            [&] { m_bearbeiten = new TForm13(m_umgebung, haupt); },
            [&] { m_bild = new TBild(m_umgebung, haupt); },
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

    // Who talks to whom, in one place.
    connect(&u, &Unit4::copy1Angefordert, haupt, &TForm1::Copy1);
    connect(haupt, &TForm1::buchAnlegenVerlangt, m_anlegen, &Nebenfenster::oeffnen);
    connect(haupt, &TForm1::buchLoeschenVerlangt, m_loeschen, &Nebenfenster::oeffnen);
    connect(haupt, &TForm1::buchWechselnVerlangt, this, &Anwendung::buchWechselnOeffnen);
    connect(haupt, &TForm1::datenbildschirmGroesseVerlangt, m_groesse, &Nebenfenster::oeffnen);
    connect(m_groesse, &TForm52::groesseGeaendert, haupt, &TForm1::datenbildschirmGroesse);
    connect(m_groesse, &TForm52::grundeinstellungGespeichert, haupt, &TForm1::datenbildschirmZentrieren);
    connect(haupt, &TForm1::erfassenVerlangt, m_erfassen, &Nebenfenster::oeffnen);
    connect(haupt, &TForm1::rubrikenBearbeitenVerlangt, m_rubriken, &TForm27::oeffnenAusHauptfenster);
    connect(haupt, &TForm1::kategorienBearbeitenVerlangt, m_kategorien, &TForm28::oeffnenAusHauptfenster);
    // The entry window's list buttons: the section list opens modally, prepared for a new entry; the
    // category button runs the main window's command.
    connect(m_erfassen, &TForm2::rubrikenListeVerlangt, m_rubriken, &TForm27::oeffnenAusErfassen);
    // A section made in the section list takes the category of the entry window or of the editor,
    // whichever opened last (the listings ask for the editor before it opens): the entry window's as
    // the user changes it.
    connect(m_erfassen, &Nebenfenster::geoeffnet, this, [this] { m_rubrikenFuerErfassen = true; });
    connect(m_erfassen, &TForm2::kategorieGewaehlt, this, [this](const QString& kategorie) {
        if (m_rubrikenFuerErfassen) m_rubriken->kategorieVorgeben(kategorie);
    });
    connect(m_bearbeiten, &Nebenfenster::geoeffnet, this, &Anwendung::rubrikenFuerBearbeiten);
    connect(m_liste, &Tform21::bearbeitenVerlangt, this, &Anwendung::rubrikenFuerBearbeiten);
    connect(m_erfassen, &TForm2::kategorienListeVerlangt, haupt, &TForm1::kategorienBearbeiten);
    // "Bild vergrößern": the picture window shows the stored picture, or the one not saved yet.
    connect(m_erfassen, &TForm2::bildVergroessernVerlangt, m_bild, &TBild::zeigen);
    connect(m_erfassen, &TForm2::bildAnsichtVerlangt, m_bild, &TBild::zeigenUngespeichert);
    connect(m_bearbeiten, &TForm13::bildVergroessernVerlangt, m_bild, &TBild::zeigen);
    // The book listing: the main window's commands fill it; a row goes to the editor, a picture to
    // the picture window, and the editor opens the listing again after a deletion.
    connect(haupt, &TForm1::listeVerlangt, m_liste, &Tform21::daten_ansehen);
    connect(haupt, &TForm1::listeNachNameVerlangt, m_liste, &Tform21::daten_suchen);
    connect(m_liste, &Tform21::bearbeitenVerlangt, m_bearbeiten, &TForm13::oeffnenBei);
    connect(m_liste, &Tform21::bildVergroessernVerlangt, m_bild, &TBild::zeigen);
    connect(m_bearbeiten, &TForm13::listeVerlangt, haupt, &TForm1::rezepteBearbeiten);
    for (Nebenfenster* f :
         std::initializer_list<Nebenfenster*>{m_anlegen, m_loeschen, m_groesse, m_erfassen, m_rubriken,
                                              m_kategorien, m_bild, m_bearbeiten, m_liste})
        verbinden(f);
    anschliessenEinstellungen();
    anschliessenDrucken();
    anschliessenSuchen();
    anschliessenSicherung();
    anschliessenFarbenUndInfo();
    anschliessenAustausch();
    haupt->befehleFreigeben();

    style_lesen(farben);
    u.Rubriken_lesen();
    u.rubrik = u.listen.rubrikenSortiert.isEmpty() ? QString() : u.listen.rubrikenSortiert.first();
    haupt->rubrikenUebernehmen();
    // Copy1 builds the overview and its column widths; building it once before would give the same.
    haupt->Copy1();
    haupt->showMaximized();
    haupt->startfokusSetzen();
}

Anwendung::~Anwendung() = default;

void Anwendung::verbinden(Nebenfenster* fenster) {
    connect(fenster, &Nebenfenster::geschlossen, m_haupt.get(), &TForm1::Copy1);
}

void Anwendung::rubrikenFuerBearbeiten() {
    m_rubrikenFuerErfassen = false;
    // The editor hands over no category of its own: a section made now gets an empty one.
    m_rubriken->kategorieVorgeben(QString());
}

void Anwendung::buchWechselnOeffnen() {
    // A new window each time; it replaces the previous one.
    if (m_wechseln) m_wechseln->deleteLater();
    m_wechseln = new TWechseln(m_umgebung, m_haupt.get());
    TWechseln* w = m_wechseln;
    verbinden(w);
    connect(w, &TWechseln::buchGewechselt, m_haupt.get(), &TForm1::Copy1);
    connect(w, &Nebenfenster::geschlossen, w, &QObject::deleteLater);
    w->oeffnen();
}

} // namespace pfl

namespace pfl {

QString indexOrdnerVorgabe() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/kopfindex");
}

} // namespace pfl

namespace {

// The data folder the start works in, set up for use; empty with a German reason when it cannot be.
QString datenordnerFuerStart(const pfl::Startwahl& wahl, QString* grund) {
    const QString ordner =
        pfl::datenordnerBestimmen(wahl.datenordner, QCoreApplication::applicationDirPath(),
                                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return pfl::datenordnerEinrichten(ordner, grund) ? ordner : QString();
}

} // namespace

int pfannoLuxStarten(int argc, char** argv) {
    pfl::dateigrenzeAlsFehler();
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const pfl::Startwahl wahl = pfl::startwahlLesen(argumente);
    QTextStream aus(stdout);
    QTextStream fehler(stderr);
    switch (wahl.art) {
    case pfl::Startwahl::Art::Hilfe:
        aus << pfl::startHilfe(QStringLiteral("pfanno-lux"));
        return 0;
    case pfl::Startwahl::Art::Version:
        aus << QStringLiteral("Pfanno-Lux %1\n").arg(QStringLiteral(PFANNO_VERSION));
        return 0;
    case pfl::Startwahl::Art::Fehler:
        fehler << wahl.fehler << QStringLiteral("\nMehr dazu: pfanno-lux --help\n");
        return 2;
    case pfl::Startwahl::Art::Importieren: {
        // No window and no display: the recipes go in and the terminal is told.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Pfanno-Lux"));
        QString grund;
        const QString ordner = datenordnerFuerStart(wahl, &grund);
        if (ordner.isEmpty()) {
            fehler << grund << QStringLiteral("\nEs wurde nichts importiert.\n");
            return 1;
        }
        pfl::Netzabrufer abrufer;
        const int code = pfl::befehlszeileImportieren(ordner, wahl.importieren, wahl.rubrik, abrufer,
                                                      QDate::currentDate(), aus, fehler);
        aus.flush();
        fehler.flush();
        return code;
    }
    case pfl::Startwahl::Art::Starten:
        break;
    }
    const QString qtPlattform =
        wahl.qtPlattform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : wahl.qtPlattform;
    // The toolkit aborts when no display answers: the user reads what is missing instead.
    if (const QString fehlt = pfl::bildschirmFehlt(qtPlattform, qEnvironmentVariable("DISPLAY"),
                                                   qEnvironmentVariable("WAYLAND_DISPLAY"));
        !fehlt.isEmpty()) {
        fehler << fehlt;
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pfanno-Lux"));
    QApplication::setApplicationVersion(QStringLiteral(PFANNO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.pfannolux.PfannoLux"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pfanno-lux.png")));
    pfl::ressourcenLaden();
    pfl::qtUebersetzungenLaden();
    pfl::schriftenErsetzen();
    QtPlatform plattform;

    QString grund;
    const QString ordner = datenordnerFuerStart(wahl, &grund);
    if (ordner.isEmpty()) {
        fehler << grund << QLatin1Char('\n');
        fehler.flush();
        static_cast<Platform&>(plattform).message(Platform::Kind::Error, grund);
        return 1;
    }

    // A termination signal ends the run as closing does: the lock and the socket go with it.
    pfl::Beendensignale signale;
    QObject::connect(&signale, &pfl::Beendensignale::beendenVerlangt, &app,
                     [] { QCoreApplication::exit(0); });
    Unit4 unit4;
    unit4.indexOrdner = pfl::indexOrdnerVorgabe();
    pfl::Farbschema farben(unit4);
    pfl::Anwendung anwendung(unit4, farben, plattform, ordner,
                             pfl::mitgeliefertOrdner(QCoreApplication::applicationDirPath()));
    if (!anwendung.bereit()) return anwendung.weitergereicht() ? 0 : 1;
    // A signal taken while the windows were made came before the event loop that it would end.
    if (signale.empfangen()) return 0;
    return app.exec();
}
