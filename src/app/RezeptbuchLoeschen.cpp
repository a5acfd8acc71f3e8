#include "app/RezeptbuchLoeschen.h"

#include "app/Buchfenster.h"
#include "app/Fensterhilfen.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

Tloeschen::Tloeschen(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("loeschen"));
    setWindowTitle(QStringLiteral("Rezeptbuch löschen !!"));
    setFixedSize(440, 330);
    Label1 =
        pfl::buchLabel(this, QStringLiteral("Label1"), QStringLiteral("Welches"), QRect(20, 16, 180, 20));
    Label2 =
        pfl::buchLabel(this, QStringLiteral("Label2"), QStringLiteral("Rezeptbuch"), QRect(20, 38, 180, 20));
    Label3 = pfl::buchLabel(this, QStringLiteral("Label3"), QStringLiteral("möchten Sie "),
                            QRect(20, 60, 180, 20));
    Label4 =
        pfl::buchLabel(this, QStringLiteral("Label4"), QStringLiteral("löschen ?"), QRect(20, 82, 180, 20));
    FileListBox1 = pfl::buchListe(this, QRect(210, 16, 210, 240));
    Label1->setBuddy(FileListBox1);
    Button1 = pfl::buchKnopf(this, QStringLiteral("Button1"), QStringLiteral("Löschen !!"));
    Button2 = pfl::buchKnopf(this, QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    Button3 = pfl::buchKnopf(this, QStringLiteral("Button3"), QStringLiteral("Hilfe"));
    for (QPushButton* b : {Button1, Button2, Button3})
        b->move(0, 280);
    pfl::knopfreihe(this, Button1, Button2, Button3, 3, 10);
    Button1->setEnabled(false);
    connect(FileListBox1, &QListWidget::itemClicked, this, &Tloeschen::FileListBox1Click);
    connect(Button1, &QPushButton::clicked, this, &Tloeschen::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tloeschen::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tloeschen::Button3Click);
}

void Tloeschen::oeffnen() {
    pfl::buchListeFuellen(FileListBox1);
    Button1->setEnabled(false);
    pfl::buchfensterFaerben(this);
    pfl::dialogPlatzieren(this);
    show();
    raise();
    activateWindow();
}

void Tloeschen::FileListBox1Click() {
    Unit4::instance().zeile = FileListBox1->currentRow();
    Button1->setEnabled(FileListBox1->currentItem() != nullptr);
}

void Tloeschen::Button1Click() {
    Unit4& u = Unit4::instance();
    QListWidgetItem* gewaehlt = FileListBox1->currentItem();
    if (!gewaehlt) return;
    const QString datei = gewaehlt->text();
    const QString selected = datei.left(datei.size() - 4);
    // Book names are matched without regard to case, so "familie" is the active book Familie.
    if (selected.trimmed().compare(u.rezeptbuch.trimmed(), Qt::CaseInsensitive) == 0) {
        platform().message(
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
        if (platform().message(Platform::Kind::Warning, frage, Platform::Buttons::YesCancel) ==
            Platform::Answer::Yes) {
            QFile f(u.lpf + datei);
            if (f.exists() && !f.remove()) {
                platform().message(Platform::Kind::Error,
                                   QStringLiteral("Das Rezeptbuch konnte nicht gelöscht werden:\n") +
                                       f.errorString());
                return;
            }
        }
    }
    u.opt_speichern();
    pfl::buchListeFuellen(FileListBox1);
    Button1->setEnabled(false);
}

void Tloeschen::Button2Click() {
    close();
}

void Tloeschen::Button3Click() {
    platform().showHelp(Unit4::instance().chmFile, 300);
}

void Tloeschen::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    pfl::hauptfensterAuffrischen();
}
