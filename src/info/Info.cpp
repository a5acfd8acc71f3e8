// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/Info.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace pfl {

QString updaterDatei(const QString& lpf) {
    const QString name = QStringLiteral("Update.Exe");
    QString gefunden;
    for (const QString& f : QDir(lpf).entryList(QDir::AllEntries | QDir::System | QDir::Hidden)) {
        if (f.compare(name, Qt::CaseInsensitive) != 0) continue;
        // The exact spelling wins over a case twin.
        if (gefunden.isEmpty() || f == name) gefunden = f;
    }
    return lpf + (gefunden.isEmpty() ? name : gefunden);
}

Startgrund startgrund(const QString& datei) {
    const QFileInfo fi(datei);
    if (!fi.exists()) return Startgrund::NichtGefunden;
    if (!fi.isFile()) return Startgrund::KeinProgramm;
    if (!fi.isExecutable() || !fi.isReadable()) return Startgrund::KeineBerechtigung;
    // The system starts machine code or a script with an interpreter line, nothing else.
    QFile f(datei);
    if (!f.open(QIODevice::ReadOnly)) return Startgrund::KeineBerechtigung;
    const QByteArray kopf = f.read(4);
    if (kopf == QByteArray("\x7f"
                           "ELF") ||
        kopf.startsWith("#!"))
        return Startgrund::Startbereit;
    return Startgrund::KeinProgramm;
}

int startfehlerCode(Startgrund grund) {
    switch (grund) {
    case Startgrund::NichtGefunden:
        return 2;
    case Startgrund::KeineBerechtigung:
        return 5;
    case Startgrund::KeinProgramm:
        return 11;
    case Startgrund::Startbereit:
        break;
    }
    return 0;
}

QString startfehlerMeldung(int code) {
    switch (code) {
    case 0:
        return QStringLiteral(
            "Zuwenig Speicher, ausführbare Datei war zerstört, Relokationswerte waren ungültig");
    case 2:
        return QStringLiteral("Datei wurde nicht gefunden.");
    case 3:
        return QStringLiteral("Verzeichnis wurde nicht gefunden.");
    case 5:
        return QStringLiteral(
            "Fehler beim gemeinsamen Zugriff auf eine Datei im Netz oder Fehler beim Zugriff "
            "auf eine gesperrte Datei im Netz.");
    case 6:
        return QStringLiteral("Bibliothek forderte separate Datensegmente für jede Task an.");
    case 8:
        return QStringLiteral("Zuwenig Speicher, um die Anwendung zu starten.");
    case 10:
        return QStringLiteral("Falsche Windows-Version.");
    case 11:
        return QStringLiteral(
            "Ungültige ausführbare Datei. Entweder keine Windows-Anwendung oder Fehler in der EXE-Datei.");
    case 12:
        return QStringLiteral("Anwendung für ein anderes Betriebssystem.");
    case 13:
        return QStringLiteral("Anwendung für MS-DOS 4.0.");
    case 14:
        return QStringLiteral("Typ der ausführbaren Datei unbekannt.");
    case 15:
        return QStringLiteral(
            "Versuch, eine Real-Mode-Anwendung (für eine frühere Windows-Version) zu laden.");
    case 16:
        return QStringLiteral(
            "Versuch, eine zweite Instanz einer ausführbaren Datei mit mehreren Datensegmenten, "
            "die nicht als nur lesbar gekennzeichnet waren, zu laden.");
    case 19:
        return QStringLiteral("Versuch, eine komprimierte ausführbare Datei zu laden. Die Datei muß "
                              "dekomprimiert werden, bevor sie geladen werden kann.");
    case 20:
        return QStringLiteral(
            "Ungültige dynamische Linkbibliothek (DLL). Eine der DLLs, die benötigt wurde, um "
            "die Anwendung auszuführen, war beschädigt.");
    case 21:
        return QStringLiteral("Anwendung benötigt Windows-32-Bit-Erweiterungen.");
    default:
        return QString();
    }
}

QString homepageAdresse(const Unit4& u) {
    return QUrl::fromLocalFile(u.mitgeliefertPfad(QStringLiteral("README.md"))).toString();
}

bool seiteOeffnen(Platform& plattform, const QString& adresse) {
    const QUrl url(adresse);
    const QString lesbar = url.isLocalFile() ? url.toLocalFile() : adresse;
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        plattform.message(Platform::Kind::Information,
                          QStringLiteral("Die Seite %1 ist nicht vorhanden.").arg(lesbar));
        return false;
    }
    if (plattform.openUrl(adresse)) return true;
    plattform.message(Platform::Kind::Information,
                      QStringLiteral("Die Seite %1 konnte nicht geöffnet werden.").arg(lesbar));
    return false;
}

} // namespace pfl

TInv::TInv(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Inv"), QStringLiteral("Info"), QSize(480, 440), 100) {
    setWindowModality(Qt::ApplicationModal);
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(rect());
    auto* produkt = new QLabel(QStringLiteral("Pfanno-Lux"), m_panel);
    produkt->setObjectName(QStringLiteral("Label2"));
    produkt->setGeometry(0, 16, width(), 40);
    produkt->setAlignment(Qt::AlignCenter);
    QFont pf = produkt->font();
    pf.setPointSize(20);
    pf.setBold(true);
    produkt->setFont(pf);
    m_version = new QLabel(m_panel);
    m_version->setObjectName(QStringLiteral("Label11"));
    m_version->setGeometry(0, 58, width() - 20, 22);
    m_version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* autor = new QLabel(QStringLiteral("Autor:"), m_panel);
    autor->setObjectName(QStringLiteral("Label3"));
    autor->setGeometry(24, 96, 60, 20);
    const char* const namen[] = {"Label4", "Label5", "Label6", "Label7", "Label9", "Label10"};
    const QStringList kontakt = kontaktdaten();
    for (int i = 0; i < 6; ++i) {
        auto* l = new QLabel(kontakt.at(i), m_panel);
        l->setObjectName(QLatin1String(namen[i]));
        l->setGeometry(90, 96 + i * 22, width() - 110, 20);
    }
    struct Knopf {
        const char* name;
        const char* text;
    };
    const Knopf knoepfe[] = {{"Button2", "Homepage des Autors besuchen."},
                             {"Button3", "Weitere Programme des Autors."},
                             {"Button4", "Auf verfügbare Updates überprüfen."},
                             {"Button6", "Danksagung"},
                             {"Button1", "Beenden"}};
    int y = 244;
    QList<QPushButton*> b;
    for (const Knopf& k : knoepfe) {
        QPushButton* p = knopf(QLatin1String(k.name), QString::fromUtf8(k.text), QSize(280, 28));
        p->setParent(m_panel);
        p->move((width() - 280) / 2, y);
        y += 36;
        b.append(p);
    }
    b.last()->setDefault(true);
    connect(b.at(0), &QPushButton::clicked, this, [this] {
        close();
        Websitebesuchen1Click();
    });
    connect(b.at(1), &QPushButton::clicked, this, [this] {
        close();
        Q_EMIT weitereProgrammeVerlangt();
    });
    connect(b.at(2), &QPushButton::clicked, this, &TInv::AufUpdatesberprfen2Click);
    connect(b.at(3), &QPushButton::clicked, this, [this] {
        close();
        Q_EMIT danksagungVerlangt();
    });
    connect(b.at(4), &QPushButton::clicked, this, &QDialog::reject);
}

QStringList TInv::kontaktdaten() {
    // Pfanno-Lux is a free project without a company, an address or a telephone line.
    return {QStringLiteral("Das Pfanno-Lux-Projekt"),
            QStringLiteral("Freie Rezeptverwaltung für den Desktop"),
            QStringLiteral("Gebaut mit C++ und Qt 6"),
            QStringLiteral("Keine Postanschrift, kein Telefon"),
            QStringLiteral("Homepage: README.md im Programmordner"),
            QStringLiteral("E-Mail: keine – Antworten gibt die Hilfe (F1)")};
}

void TInv::vorbereiten() {
    m_version->setText(QStringLiteral(" Version ") + daten().version + QString(13, QLatin1Char(' ')));
}

void TInv::faerben() {
    Nebenfenster::faerben();
    const Tcolor1& c = farben().colorx;
    QPalette p = m_panel->palette();
    const QColor grund = pfl::alsFarbe(quint32(c.D_bs_fa));
    p.setColor(QPalette::Window, grund);
    p.setColor(QPalette::WindowText, pfl::lesbareFarbe(p.color(QPalette::WindowText), grund));
    m_panel->setPalette(p);
    m_panel->setAutoFillBackground(true);
}

void TInv::AufUpdatesberprfen2Click() {
    close();
    const QString datei = pfl::updaterDatei(daten().lpf);
    pfl::Startgrund grund = pfl::startgrund(datei);
    if (grund == pfl::Startgrund::Startbereit && plattform().startProgram(datei, {}) < 0) {
        // The start failed after all: the file's state may tell why, else the file is broken.
        grund = pfl::startgrund(datei);
        if (grund == pfl::Startgrund::Startbereit) grund = pfl::Startgrund::KeinProgramm;
    }
    if (grund != pfl::Startgrund::Startbereit) {
        // Nothing replaces the program's files: it keeps running after the message.
        plattform().message(Platform::Kind::Information,
                            pfl::startfehlerMeldung(pfl::startfehlerCode(grund)));
        Q_EMIT daten().copy1Angefordert();
        return;
    }
    // The updater replaces the program's files, so the program makes way for it.
    Q_EMIT programmBeenden();
}

void TInv::Websitebesuchen1Click() {
    close();
    const QString frage = QStringLiteral(
        "  Im Internet finden Sie immer die neusten Versionen  \n  all unserer Programme zum sofortigen "
        "Download.       \n  Sie können von hier aus direkt ins Internet wechseln, \n  um nach neuen Updates "
        "zu schauen.                   \n\n  Möchten Sie jetzt unsere Homepage aufrufen?         \n");
    if (plattform().message(Platform::Kind::Confirmation, frage, Platform::Buttons::YesNo) ==
        Platform::Answer::Yes) {
        pfl::seiteOeffnen(plattform(), pfl::homepageAdresse(daten()));
    }
    Q_EMIT daten().copy1Angefordert();
}
