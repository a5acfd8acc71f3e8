// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/Sicherungsfenster.h"

#include "appearance/Styles.h"
#include "backup/Ordnerwahl.h"
#include "backup/Sicherungstexte.h"
#include "data/Dateizugriff.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "data/Sicherung.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

using pfl::Kopierergebnis;

namespace {

QLineEdit* feld(QWidget* seite, const QString& name, const QRect& r, QLabel* beschriftung) {
    auto* e = new QLineEdit(seite);
    e->setObjectName(name);
    e->setGeometry(r);
    beschriftung->setBuddy(e);
    e->setAccessibleName(beschriftung->text());
    return e;
}

QLabel* beschriftung(QWidget* seite, const QString& name, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, seite);
    l->setObjectName(name);
    l->setGeometry(r);
    return l;
}

} // namespace

TBack5::TBack5(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Back5"), QStringLiteral("Pfanno-Lux Datensicherung"),
                   QSize(640, 500), 850) {
    m_hinweis = label(QStringLiteral("Label1"), QString(), QRect(16, 8, 608, 20));
    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("PageControl1"));
    m_seiten->setGeometry(8, 32, 624, 390);

    auto* sicherung = new QWidget;
    sicherung->setObjectName(QStringLiteral("TabSheet1"));
    m_sicherungsziel = new pfl::Ordnerwahl(sicherung, QStringLiteral("DriveComboBox1"),
                                           QStringLiteral("DirectoryListBox1"), QStringLiteral("Zielordner"));
    m_sicherungsziel->orte()->setGeometry(10, 10, 250, 26);
    m_sicherungsziel->pfad()->setGeometry(10, 42, 250, 20);
    m_sicherungsziel->ordner()->setGeometry(10, 64, 250, 230);
    m_vonText = beschriftung(sicherung, QStringLiteral("Label5"), QStringLiteral("Quellverzeichnis:"),
                             QRect(280, 10, 320, 20));
    m_von = feld(sicherung, QStringLiteral("Edit1"), QRect(280, 32, 320, 26), m_vonText);
    m_von->setReadOnly(true);
    m_nachText = beschriftung(sicherung, QStringLiteral("Label6"), QStringLiteral("Zielverzeichnis:"),
                              QRect(280, 70, 320, 20));
    m_nach = feld(sicherung, QStringLiteral("Edit2"), QRect(280, 92, 320, 26), m_nachText);
    m_datum = new QPushButton(QStringLiteral("Datum anfügen"), sicherung);
    m_datum->setObjectName(QStringLiteral("Button4"));
    m_datum->setAccessibleName(m_datum->text());
    m_datum->setGeometry(280, 128, 150, 30);
    m_datum->setAutoDefault(false);
    m_automatisch =
        new QCheckBox(QStringLiteral("Automatische Datensicherung nach Programmende."), sicherung);
    m_automatisch->setObjectName(QStringLiteral("CheckBox1"));
    m_automatisch->setAccessibleName(m_automatisch->text());
    m_automatisch->setGeometry(10, 306, 590, 26);
    m_seiten->addTab(sicherung, QStringLiteral("Datensicherung"));

    auto* wiederherstellung = new QWidget;
    wiederherstellung->setObjectName(QStringLiteral("TabSheet2"));
    m_quellordner = new pfl::Ordnerwahl(wiederherstellung, QStringLiteral("DriveComboBox2"),
                                        QStringLiteral("DirectoryListBox2"), QStringLiteral("Quellordner"));
    m_quellordner->orte()->setGeometry(10, 10, 250, 26);
    m_quellordner->pfad()->setGeometry(10, 42, 250, 20);
    m_quellordner->ordner()->setGeometry(10, 64, 250, 270);
    QLabel* dateienText =
        beschriftung(wiederherstellung, QStringLiteral("Label2"),
                     QStringLiteral("Wiederherzustellende Dateien:"), QRect(280, 10, 320, 20));
    m_dateien = new QListWidget(wiederherstellung);
    m_dateien->setObjectName(QStringLiteral("FileListBox1"));
    m_dateien->setAccessibleName(dateienText->text());
    m_dateien->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_dateien->setGeometry(280, 32, 320, 170);
    dateienText->setBuddy(m_dateien);
    m_vonText2 = beschriftung(wiederherstellung, QStringLiteral("Label7"), QStringLiteral("Quelle:"),
                              QRect(280, 210, 320, 20));
    m_quelle = feld(wiederherstellung, QStringLiteral("Edit3"), QRect(280, 232, 320, 26), m_vonText2);
    m_nachText2 = beschriftung(wiederherstellung, QStringLiteral("Label8"), QStringLiteral("Ziel:"),
                               QRect(280, 266, 320, 20));
    m_ziel = feld(wiederherstellung, QStringLiteral("Edit4"), QRect(280, 288, 320, 26), m_nachText2);
    m_quelle->setReadOnly(true);
    m_ziel->setReadOnly(true);
    m_seiten->addTab(wiederherstellung, QStringLiteral("Datenwiederherstellung"));

    m_kopieren = knopf(QStringLiteral("Button1"), QStringLiteral("Daten sichern >>"), QSize(150, 30));
    m_schliessen = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"));
    QPushButton* hilfe = knopf(QStringLiteral("Button3"), QStringLiteral("Hilfe ?"));
    for (QPushButton* b : {m_kopieren, m_schliessen, hilfe}) {
        b->move(0, 445);
        b->setAutoDefault(false);
    }
    knopfreihe(m_kopieren, m_schliessen, hilfe, 2, 20);

    connect(m_kopieren, &QPushButton::clicked, this, &TBack5::Button1Click);
    connect(m_schliessen, &QPushButton::clicked, this, &TBack5::Button2Click);
    connect(hilfe, &QPushButton::clicked, this, &TBack5::Button3Click);
    connect(m_datum, &QPushButton::clicked, this, &TBack5::Button4Click);
    connect(m_automatisch, &QCheckBox::clicked, this, &TBack5::CheckBox1Click);
    connect(m_dateien, &QListWidget::itemSelectionChanged, this, &TBack5::FileListBox1Click);
    connect(m_seiten, &QTabWidget::currentChanged, this, &TBack5::PageControl1Change);
    connect(m_nach, &QLineEdit::textEdited, this, &TBack5::Edit2KeyUp);
    connect(m_sicherungsziel, &pfl::Ordnerwahl::ordnerGewaehlt, this, &TBack5::DirectoryListBox1Click);
    connect(m_sicherungsziel, &pfl::Ordnerwahl::ortGewechselt, this, &TBack5::DirectoryListBox1Click);
    connect(m_quellordner, &pfl::Ordnerwahl::ordnerGewaehlt, this, &TBack5::DirectoryListBox2Click);
    connect(m_quellordner, &pfl::Ordnerwahl::ortGewechselt, this, &TBack5::DirectoryListBox2Click);
}

void TBack5::oeffnenMit(Seite seite) {
    if (m_kopiert) { // a copy runs: the window stays as it is
        raise();
        return;
    }
    m_seite = seite;
    oeffnen();
}

void TBack5::vorbereiten() {
    m_sicherungsziel->orteFuellen(daten().lpf);
    m_quellordner->orteFuellen(daten().lpf);
    if (m_seite == Datensicherung)
        Datensicherung1Click();
    else
        Datenwiederherstellung1Click();
}

void TBack5::Datensicherung1Click() {
    Unit4& u = daten();
    m_seite = Datensicherung;
    u.opt_lesen();
    m_markiert = false;
    m_seiten->setCurrentIndex(Datensicherung);
    setWindowTitle(QStringLiteral("Pfanno-Lux Datensicherung"));
    m_von->setText(u.lpf);
    m_nach->setText(pfl::gespeichertesZiel(u, plattform()));
    m_nach->setReadOnly(false);
    m_hinweis->setText(QStringLiteral("Wählen Sie bei Bedarf ein anderes Zielverzeichnis."));
    m_vonText->setText(QStringLiteral("Quellverzeichnis:"));
    m_nachText->setText(QStringLiteral("Zielverzeichnis:"));
    m_datum->setEnabled(true);
    m_kopieren->setText(QStringLiteral("Daten sichern >>"));
    m_kopieren->setAccessibleName(m_kopieren->text());
    m_kopieren->setEnabled(true);
    m_sicherungsziel->zeigen(u.lpf);
    m_automatisch->setChecked(u.option.Backup == 1);
}

void TBack5::Datenwiederherstellung1Click() {
    Unit4& u = daten();
    m_seite = Datenwiederherstellung;
    const QString von = pfl::gespeichertesZiel(u, plattform());
    m_seiten->setCurrentIndex(Datenwiederherstellung);
    m_automatisch->setChecked(u.option.Backup == 1);
    setWindowTitle(QStringLiteral("Pfanno-Lux Datenwiederherstellung"));
    m_kopieren->setText(QStringLiteral("Wiederherstellen"));
    m_kopieren->setAccessibleName(m_kopieren->text());
    m_hinweis->setText(QStringLiteral("Wählen Sie bei Bedarf ein anderes Quellverzeichnis."));
    m_vonText2->setText(QStringLiteral("Quelle:"));
    m_nachText2->setText(QStringLiteral("Ziel:"));
    m_quelle->setText(von);
    m_ziel->setText(u.lpf);
    m_markiert = false;
    QString ordner = QDir::homePath();
    if (!von.isEmpty() && pfl::mediumFehlt(von))
        plattform().message(Platform::Kind::Error, pfl::mediumFehltText());
    else if (!von.isEmpty() && QFileInfo(von).isDir())
        ordner = von;
    m_quellordner->zeigen(ordner);
    dateilisteFuellen(ordner);
    m_quelle->setText(QFileInfo(ordner).isDir() && ordner == von ? pfl::mitTrenner(von) : von);
    m_datum->setEnabled(false);
    m_kopieren->setEnabled(true);
}

void TBack5::dateilisteFuellen(const QString& ordner) {
    m_dateien->clear();
    QStringList namen = pfl::dateienNachMasken(ordner, pfl::wiederherstellungsMasken());
    const QCollator& c = pfl::deutscheSortierung();
    std::sort(namen.begin(), namen.end(), [&c](const QString& a, const QString& b) {
        return c.compare(pfl::anzeigename(a), pfl::anzeigename(b)) < 0;
    });
    for (const QString& n : namen) {
        // Shown as the user reads it; the file's own name stays with the item.
        auto* e = new QListWidgetItem(pfl::anzeigename(n), m_dateien);
        e->setData(Qt::UserRole, n);
    }
    const QString bilder = pfl::mitTrenner(ordner) + pfl::bilderordner();
    if (!pfl::dateienNachMasken(bilder, {QStringLiteral("*")}).isEmpty()) {
        auto* e = new QListWidgetItem(QStringLiteral("Bilder (alle Rezeptbilder)"), m_dateien);
        e->setData(Qt::UserRole, pfl::bilderordner());
    }
    m_markiert = false;
}

void TBack5::faerben() {
    Nebenfenster::faerben();
    const Tcolor1& c = farben().colorx;
    const QColor grund = pfl::alsFarbe(quint32(c.listb));
    const QColor schrift = pfl::alsFarbe(quint32(c.listb_font));
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_von, m_nach, m_quelle, m_ziel, m_sicherungsziel->orte(), m_quellordner->orte(),
             m_sicherungsziel->ordner(), m_quellordner->ordner(), m_dateien}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, grund);
        p.setColor(QPalette::Text, schrift);
        p.setColor(QPalette::ButtonText, schrift);
        w->setPalette(p);
    }
    for (int i = 0; i < m_seiten->count(); ++i) {
        QWidget* seite = m_seiten->widget(i);
        QPalette p = seite->palette();
        p.setColor(QPalette::Window, grund);
        p.setColor(QPalette::WindowText, pfl::lesbareFarbe(palette().color(QPalette::WindowText), grund));
        seite->setPalette(p);
        seite->setAutoFillBackground(true);
    }
}

bool TBack5::fortschritt(QLineEdit* quelle, QLineEdit* ziel, const QString& von, const QString& nach) {
    quelle->setText(pfl::anzeigename(von));
    ziel->setText(pfl::anzeigename(nach));
    // "Beenden" and closing the window stop the copy between two files.
    QCoreApplication::processEvents();
    return !m_beenden;
}

QString TBack5::zielOderStandard() {
    if (m_nach->text().trimmed().isEmpty()) m_nach->setText(pfl::standardSicherungsordner());
    // Never a folder relative to wherever the program was started.
    m_nach->setText(pfl::zielPruefen(m_nach->text(), plattform()));
    return m_nach->text();
}

void TBack5::Button1Click() {
    if (m_kopiert) return;
    if (m_seite == Datensicherung)
        sichern();
    else
        wiederherstellen();
}

void TBack5::sichern() {
    Unit4& u = daten();
    m_vonText->setText(QStringLiteral("Kopiere Dateien von:"));
    m_nachText->setText(QStringLiteral("Kopiere Dateien nach:"));
    const QString nach = zielOderStandard();
    u.option.lwpf = nach.left(200);
    u.opt_speichern();
    // Writing below an unmounted medium's mount point would fill the system disk instead.
    if (pfl::mediumFehlt(nach)) {
        plattform().message(Platform::Kind::Error, pfl::mediumFehltText());
        return;
    }
    if (!pfl::ordnerAnlegen(nach)) {
        plattform().message(Platform::Kind::Information, pfl::anlegenFehlerText(pfl::mitTrenner(nach)));
        return;
    }
    m_kopiert = true;
    m_beenden = false;
    m_kopieren->setEnabled(false);
    m_seiten->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Kopierergebnis e = pfl::sichern(
        u.lpf, nach, [this](const QString& q, const QString& z) { return fortschritt(m_von, m_nach, q, z); });
    QApplication::restoreOverrideCursor();
    m_kopiert = false;
    m_seiten->setEnabled(true);
    m_kopieren->setEnabled(true);
    m_von->setText(u.lpf);
    m_nach->setText(nach);
    if (!e.ok()) {
        // Not done: the window stays so the user can act and try again.
        plattform().message(Platform::Kind::Error, pfl::sicherungFehlerText(e));
        return;
    }
    Q_EMIT gesichert(nach);
    accept();
}

void TBack5::wiederherstellen() {
    Unit4& u = daten();
    if (!u.schreibbar()) return;
    if (!m_markiert || m_dateien->selectedItems().isEmpty()) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("  Markieren Sie bitte mit der Maus die Datei,     \n      die wieder "
                           "hergestellt werden soll.         \n"));
        return;
    }
    m_vonText2->setText(QStringLiteral("Kopiere Dateien von:"));
    m_nachText2->setText(QStringLiteral("Kopiere Dateien nach:"));
    const QString von = pfl::mitTrenner(m_quellordner->aktuell());
    QStringList namen;
    for (int i = 0; i < m_dateien->count(); ++i)
        if (m_dateien->item(i)->isSelected()) namen.append(m_dateien->item(i)->data(Qt::UserRole).toString());

    const QList<pfl::NeuereDatei> neuer = pfl::neuereDateien(von, namen, u.lpf);
    if (!neuer.isEmpty()) {
        QString frage = QStringLiteral("Diese Dateien im Datenordner sind neuer als ihre Sicherung:\n");
        for (const pfl::NeuereDatei& n : neuer)
            frage += QStringLiteral("\n\u201E%1\u201C: im Datenordner vom %2, in der Sicherung vom %3")
                         .arg(n.name, pfl::zeitText(n.daten), pfl::zeitText(n.sicherung));
        frage +=
            QStringLiteral("\n\nSollen sie trotzdem durch die älteren Dateien der Sicherung ersetzt werden?");
        if (plattform().message(Platform::Kind::Warning, frage, Platform::Buttons::YesNo) !=
            Platform::Answer::Yes)
            return;
    }
    m_kopiert = true;
    m_beenden = false;
    m_kopieren->setEnabled(false);
    m_seiten->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Kopierergebnis e =
        pfl::wiederherstellen(von, namen, u.lpf, [this](const QString& q, const QString& z) {
            return fortschritt(m_quelle, m_ziel, q, z);
        });
    QApplication::restoreOverrideCursor();
    m_kopiert = false;
    m_seiten->setEnabled(true);
    const QListWidgetItem* fokus = m_dateien->currentItem();
    m_quelle->setText(fokus ? von + fokus->data(Qt::UserRole).toString() : von);
    m_ziel->setText(u.lpf);
    if (!e.ok()) {
        m_kopieren->setEnabled(true);
        plattform().message(
            Platform::Kind::Error,
            e.fehler.isEmpty()
                ? QStringLiteral("Die Wiederherstellung wurde abgebrochen. Der Datenordner ist unverändert.")
                : QStringLiteral(
                      "Die Wiederherstellung ist fehlgeschlagen. Der Datenordner ist unverändert.\n") +
                      e.fehlerText());
        return;
    }
    Q_EMIT wiederhergestellt();
    plattform().message(
        Platform::Kind::Information,
        QStringLiteral("   Der Kopiervorgang wurde erfolgreich abgeschlossen.  \n     Falls Sie eine "
                       "weitere Datei kopieren möchten,    \n         treffen Sie bitte eine neue "
                       "Auswahl.          \n"));
    // A further restore needs a new pick.
    m_markiert = false;
    m_kopieren->setEnabled(false);
}

void TBack5::Button2Click() {
    if (m_kopiert) {
        m_beenden = true;
        return;
    }
    Unit4& u = daten();
    // The restore page leaves the default backup folder as it was.
    if (m_seite == Datensicherung) {
        u.option.lwpf = zielOderStandard().left(200);
        m_kopieren->setEnabled(true);
        u.opt_speichern();
    }
    accept();
}

void TBack5::Button3Click() {
    plattform().showHelp(daten().chmFile, m_seite == Datensicherung ? 850 : 900);
}

void TBack5::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::NoModifier) {
        Button3Click();
        return;
    }
    Nebenfenster::keyPressEvent(e);
}

void TBack5::done(int ergebnis) {
    // Closing while files are copied stops the copy first; the window closes afterwards by hand.
    if (m_kopiert) {
        m_beenden = true;
        return;
    }
    Nebenfenster::done(ergebnis);
}

void TBack5::Button4Click() {
    Unit4& u = daten();
    const QDate heute = u.uhr ? u.uhr() : QDate::currentDate();
    m_nach->setText(pfl::datumAnfuegen(zielOderStandard(), heute));
    u.option.lwpf = m_nach->text().left(200);
}

void TBack5::CheckBox1Click(bool an) {
    Unit4& u = daten();
    u.option.Backup = an ? 1 : 0;
    if (an) {
        u.option.lwpf = zielOderStandard().left(200);
        m_kopieren->setEnabled(true);
    }
    // Stored at once: a switch that is lost when the window is closed by its title bar helps nobody.
    u.opt_speichern();
}

void TBack5::FileListBox1Click() {
    m_markiert = !m_dateien->selectedItems().isEmpty();
    const QListWidgetItem* fokus = m_dateien->currentItem();
    if (fokus)
        m_quelle->setText(pfl::mitTrenner(m_quellordner->aktuell()) + fokus->data(Qt::UserRole).toString());
    m_ziel->setText(daten().lpf);
    if (m_markiert) m_kopieren->setEnabled(true);
}

void TBack5::PageControl1Change(int seite) {
    if (seite < 0 || m_kopiert || seite == m_seite) return;
    if (seite == Datensicherung)
        Datensicherung1Click();
    else
        Datenwiederherstellung1Click();
}

void TBack5::Edit2KeyUp(const QString& text) {
    daten().option.lwpf = text.left(200);
}

void TBack5::DirectoryListBox1Click(const QString& ordner) {
    Unit4& u = daten();
    m_nach->setText(ordner);
    u.option.lwpf = ordner.left(200);
    u.opt_speichern();
}

void TBack5::DirectoryListBox2Click(const QString& ordner) {
    dateilisteFuellen(ordner);
    m_quelle->setText(pfl::mitTrenner(ordner));
    m_ziel->setText(daten().lpf);
}
