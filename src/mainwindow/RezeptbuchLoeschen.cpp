// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/RezeptbuchLoeschen.h"

#include "data/Dateizugriff.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cerrno>

Tloeschen::Tloeschen(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("loeschen"), QStringLiteral("Rezeptbuch löschen !!"),
                   QSize(440, 330), 300) {
    QLabel* erstes = label(QStringLiteral("Label1"), QStringLiteral("Welches"), QRect(20, 16, 180, 20));
    label(QStringLiteral("Label2"), QStringLiteral("Rezeptbuch"), QRect(20, 38, 180, 20));
    label(QStringLiteral("Label3"), QStringLiteral("möchten Sie "), QRect(20, 60, 180, 20));
    label(QStringLiteral("Label4"), QStringLiteral("löschen ?"), QRect(20, 82, 180, 20));
    m_buecher =
        buchListe(QRect(210, 16, 210, 240), QStringLiteral("Welches Rezeptbuch möchten Sie löschen?"));
    erstes->setBuddy(m_buecher);
    m_loeschen = knopf(QStringLiteral("Button1"), QStringLiteral("Löschen !!"));
    QPushButton* abbrechen = knopf(QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    for (QPushButton* b : {m_loeschen, abbrechen, hilfe})
        b->move(0, 280);
    knopfreihe(m_loeschen, abbrechen, hilfe, 3, 10);
    m_loeschen->setEnabled(false);
    // Return never deletes by itself: the safe button is the default.
    m_loeschen->setAutoDefault(false);
    abbrechen->setDefault(true);
    connect(m_buecher, &QListWidget::itemClicked, this, &Tloeschen::FileListBox1Click);
    connect(m_loeschen, &QPushButton::clicked, this, &Tloeschen::Button1Click);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

void Tloeschen::vorbereiten() {
    buchListeFuellen(m_buecher);
    m_loeschen->setEnabled(false);
}

void Tloeschen::FileListBox1Click() {
    m_loeschen->setEnabled(m_buecher->currentItem() != nullptr);
}

namespace {
// The system's reason for a failed removal, in German for the common cases.
QString loeschGrund(int fehler, const QString& systemText) {
    switch (fehler) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Sie haben keine Berechtigung, diese Datei zu löschen.");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("Die Datei wird gerade von einem anderen Programm benutzt.");
    case ENOENT:
        return QStringLiteral("Die Datei ist nicht mehr vorhanden.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    default:
        return systemText;
    }
}
} // namespace

void Tloeschen::Button1Click() {
    Unit4& u = daten();
    QListWidgetItem* gewaehlt = m_buecher->currentItem();
    if (!gewaehlt) return;
    const QString datei = gewaehlt->data(kDateiname).toString();
    const QString angezeigt = gewaehlt->text();
    const QString selected = angezeigt.left(angezeigt.size() - 4);
    // The active book is the file the data module opens for it: the exact spelling wins, so with
    // "Suppen" active a case twin "suppen.rez" is another book and may go.
    if (u.lpf + datei == u.buchPfad()) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral(
                "                     Sie können ein aktives Rezeptbuch nicht löschen.        \n Bitte "
                "wählen erst im Menüpunkt >Datei< \"Rezeptbuch wechseln\" ein anderes Rezeptbuch aus,  \n "
                "         oder legen Sie erst im Menüpunkt >Datei< \"Neues Rezeptbuch anlegen\"     \n      "
                "                                    ein neues Rezeptbuch an.                "));
    } else {
        const QString frage = QStringLiteral("  Wollen Sie das Rezeptbuch  >  ") + selected +
                              QStringLiteral(" <  wirklich  l ö s c h e n  ??           ") +
                              QLatin1Char('\n') + QString(69, QLatin1Char(' ')) + QLatin1Char('\n') +
                              QString(7, QLatin1Char(' '));
        if (plattform().message(Platform::Kind::Warning, frage, Platform::Buttons::YesCancel) ==
            Platform::Answer::Yes) {
            const QByteArray pfad = pfl::nativ(u.lpf + datei);
            if (::remove(pfad.constData()) != 0 && errno != ENOENT) {
                const int fehler = errno;
                plattform().message(
                    Platform::Kind::Error,
                    QStringLiteral("Das Rezeptbuch \u201E%1\u201C konnte nicht gelöscht werden.\n")
                            .arg(selected) +
                        loeschGrund(fehler, QString::fromLocal8Bit(std::strerror(fehler))));
                return;
            }
        }
    }
    u.opt_speichern();
    buchListeFuellen(m_buecher);
    m_loeschen->setEnabled(false);
}
