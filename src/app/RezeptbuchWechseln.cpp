#include "app/RezeptbuchWechseln.h"

#include "app/Buchfenster.h"
#include "app/Fenster.h"
#include "app/Fensterhilfen.h"
#include "app/Hauptfenster.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TWechseln::TWechseln(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Wechseln"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Rezeptbuch auswählen"));
    setFixedSize(440, 330);
    Label1 = pfl::buchLabel(this, QStringLiteral("Label1"), QStringLiteral("Bitte wählen Sie eine"),
                            QRect(20, 16, 180, 20));
    Label2 = pfl::buchLabel(this, QStringLiteral("Label2"), QStringLiteral("neues Rezeptbuch"),
                            QRect(20, 38, 180, 20));
    Label3 = pfl::buchLabel(this, QStringLiteral("Label3"), QStringLiteral("mit der Maus aus."),
                            QRect(20, 60, 180, 20));
    FileListBox1 = pfl::buchListe(this, QRect(210, 16, 210, 240));
    Label1->setBuddy(FileListBox1);
    Button1 = pfl::buchKnopf(this, QStringLiteral("Button1"), QStringLiteral("Wechseln >>"));
    Button2 = pfl::buchKnopf(this, QStringLiteral("Button2"), QStringLiteral("Abbrechen"));
    Button3 = pfl::buchKnopf(this, QStringLiteral("Button3"), QStringLiteral("Hilfe"));
    for (QPushButton* b : {Button1, Button2, Button3})
        b->move(0, 280);
    pfl::knopfreihe(this, Button1, Button2, Button3, 3, 10);
    FileListBox1->clear();
    connect(FileListBox1, &QListWidget::itemClicked, this, &TWechseln::FileListBox1Click);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &TWechseln::Button1Click);
    connect(Button1, &QPushButton::clicked, this, &TWechseln::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TWechseln::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TWechseln::Button3Click);
}

void TWechseln::oeffnen() {
    pfl::buchListeFuellen(FileListBox1);
    pfl::buchfensterFaerben(this);
    pfl::dialogPlatzieren(this);
    show();
    raise();
    activateWindow();
}

void TWechseln::FileListBox1Click() {
    Unit4::instance().zeile = FileListBox1->currentRow();
}

void TWechseln::Button1Click() {
    Unit4& u = Unit4::instance();
    QListWidgetItem* gewaehlt = FileListBox1->currentItem();
    if (gewaehlt && gewaehlt->isSelected()) {
        const QString datei = gewaehlt->text();
        const QString name = datei.left(datei.size() - 4);
        if (!name.isEmpty()) {
            u.rezeptbuch = name;
            u.option.rezeptbuch = name;
            u.opt_speichern();
        }
        if (TForm1* f = fenster().Form1)
            f->StatusPanel0->setText(QStringLiteral("  Aktive Datei:  ") + u.rezeptbuch +
                                     QStringLiteral("  "));
        hide();
        deleteLater();
    }
    u.opt_lesen();
    u.Rubriken_lesen();
    pfl::hauptfensterAuffrischen();
}

void TWechseln::Button2Click() {
    close();
}

void TWechseln::Button3Click() {
    platform().showHelp(Unit4::instance().chmFile, 200);
}

void TWechseln::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    pfl::hauptfensterAuffrischen();
}
