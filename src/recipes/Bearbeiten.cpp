// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Bearbeiten.h"

#include "data/Unit4.h"
#include "platform/Platform.h"
#include "recipes/RezeptMail.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaMethod>
#include "widgets/Namensliste.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace pfl::rezeptfelder;

TForm13::TForm13(pfl::Umgebung& umgebung, QWidget* parent)
    : Rezeptfenster(umgebung, parent, QStringLiteral("Form13"), QStringLiteral("Rezept bearbeiten"), 100) {
    aufbauen();
    connect(m_felder.kategorie, &QComboBox::editTextChanged, this, &TForm13::ComboBox2Change);
    connect(m_formular->rubriken(), &QListWidget::itemClicked, this, &TForm13::ListBox1Click);
    connect(m_formular->rubriken(), &QListWidget::itemActivated, this, &TForm13::ListBox1Click);
    connect(m_formular->rezepte(), &pfl::Namensliste::gewaehlt, this, &TForm13::ListBox2Click);
    connect(m_erster, &QPushButton::clicked, this, &TForm13::Button11Click);
    connect(m_voriger, &QPushButton::clicked, this, &TForm13::Button12Click);
    connect(m_naechster, &QPushButton::clicked, this, &TForm13::Button13Click);
    connect(m_letzter, &QPushButton::clicked, this, &TForm13::Button14Click);
    connect(m_speichern, &QPushButton::clicked, this, &TForm13::Button1Click);
    connect(m_loeschen, &QPushButton::clicked, this, &TForm13::Button2Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_drucken, &QPushButton::clicked, this, &TForm13::Button8Click);
    connect(m_exportieren, &QPushButton::clicked, this, &TForm13::exportierenClick);
    connect(m_formular->bildDazu(), &QPushButton::clicked, this, &TForm13::Button5Click);
    connect(m_formular->bildWeg(), &QPushButton::clicked, this, &TForm13::Button6Click);
    connect(m_formular->bildGross(), &QToolButton::clicked, this, &TForm13::SpeedButton1Click);
    connect(m_mail, &QPushButton::clicked, this, &TForm13::BitBtn1Click);
    connect(m_einkauf, &QPushButton::clicked, this,
            [this] { Q_EMIT einkaufslisteErgaenzen(m_felder.zutaten->toPlainText()); });
    connect(&daten(), &Unit4::listenGeaendert, this, &TForm13::listenUebernehmen);
    // While a recipe is open, the main window and the listings wait.
    setWindowModality(Qt::ApplicationModal);

    // Any edit of a field is a change that must not be lost silently.
    connect(m_formular, &pfl::Rezeptformular::textGeaendert, this, &TForm13::aenderungMerken);
    for (RxSpinEdit* s : {m_felder.anzahl, m_felder.zeit, m_felder.kochzeit})
        connect(s, &RxSpinEdit::Change, this, &TForm13::aenderungMerken);
    connect(m_felder.kosten, &CurrencyEdit::Change, this, &TForm13::aenderungMerken);
    connect(m_felder.datum, &DateEdit::Change, this, &TForm13::aenderungMerken);
    anordnen();
}

void TForm13::aufbauen() {
    pfl::Rezeptformular::Aufbau a;
    a.rezepteTitel = QStringLiteral("Vorhandene Rezepte in Rubrik");
    a.rezepteLesbar = QStringLiteral("Vorhandene Rezepte in Rubrik");
    a.zutatenBox = QStringLiteral("GroupBox7");
    a.zubereitungBox = QStringLiteral("GroupBox8");
    a.schwierigkeitBox = QStringLiteral("GroupBox9");
    a.bildBox = QStringLiteral("GroupBox6");
    a.portionsarten = {QStringLiteral("Anz. Personen"), QStringLiteral("Stück/Stücke"),
                       QStringLiteral("Portionen"), QString()};
    a.kostenText = QStringLiteral("Kosten ca.");
    a.zeitText = QStringLiteral("Zubereitungszeit       (Min)");
    a.kochzeitText = QStringLiteral("Koch-/Backzeit          (Min)");
    // Below the texts: the record counter and the steps through the book.
    a.mitte = [this](pfl::Rezeptformular& form, QVBoxLayout* spalte) {
        auto* zaehler = new QHBoxLayout;
        QLabel* lDs = label(QStringLiteral("Label18"), QStringLiteral("Datensatz"), QRect());
        m_nummer = new QLabel(&form);
        m_nummer->setObjectName(QStringLiteral("Label20"));
        QLabel* lVon = label(QStringLiteral("Label19"), QStringLiteral("von"), QRect());
        m_anzahlSaetze = new QLabel(&form);
        m_anzahlSaetze->setObjectName(QStringLiteral("Label21"));
        const QSize nav(40, kKnopfHoehe);
        m_erster = knopf(QStringLiteral("Button11"), QStringLiteral("<<"), nav);
        m_voriger = knopf(QStringLiteral("Button12"), QStringLiteral("<"), nav);
        m_naechster = knopf(QStringLiteral("Button13"), QStringLiteral(">"), nav);
        m_letzter = knopf(QStringLiteral("Button14"), QStringLiteral(">>"), nav);
        const QString beschreibung[] = {
            QStringLiteral("Erster Datensatz"), QStringLiteral("Voriger Datensatz"),
            QStringLiteral("Nächster Datensatz"), QStringLiteral("Letzter Datensatz")};
        int i = 0;
        for (QLabel* l : {lDs, lVon})
            l->setParent(&form);
        zaehler->addWidget(lDs);
        zaehler->addWidget(m_nummer);
        zaehler->addWidget(lVon);
        zaehler->addWidget(m_anzahlSaetze);
        zaehler->addStretch(1);
        for (QPushButton* b : {m_erster, m_voriger, m_naechster, m_letzter}) {
            b->setParent(&form);
            b->setAutoDefault(false);
            b->setAccessibleDescription(beschreibung[i]);
            b->setToolTip(beschreibung[i++]);
            zaehler->addWidget(b);
        }
        spalte->addLayout(zaehler);
    };
    // Below the date: the ingredients go to the shopping list.
    a.rechts = [this](pfl::Rezeptformular& form, QVBoxLayout* spalte) {
        m_einkauf =
            knopf(QStringLiteral("Button9"), QStringLiteral("Zutatenliste zur Einkaufsliste  hinzufügen"));
        m_einkauf->setParent(&form);
        m_einkauf->setAutoDefault(false);
        spalte->addWidget(m_einkauf);
        // Handing the recipe on to other programs, as a file.
        m_exportieren = knopf(QStringLiteral("Exportieren"), QStringLiteral("Rezept exportieren …"));
        m_exportieren->setToolTip(
            QStringLiteral("Das Rezept als HTML-Seite, JSON-LD-Datei oder MealMaster-Datei speichern"));
        m_exportieren->setParent(&form);
        m_exportieren->setAutoDefault(false);
        spalte->addWidget(m_exportieren);
    };
    formularBauen(a);

    // The bottom bar, placed by anordnen(). Return in a one-line field must neither store nor
    // delete the recipe.
    m_speichern = leistenKnopf(QStringLiteral("Button1"), QStringLiteral("Speichern"));
    m_loeschen = leistenKnopf(QStringLiteral("Button2"), QStringLiteral("Löschen"));
    m_beenden = leistenKnopf(QStringLiteral("Button3"), QStringLiteral("Beenden"));
    m_mail = leistenKnopf(QStringLiteral("BitBtn1"), QStringLiteral("E-Mail"));
    m_mail->setIcon(QIcon::fromTheme(QStringLiteral("mail-send")));
    m_drucken = leistenKnopf(QStringLiteral("Button8"), QStringLiteral("Drucken"));
    m_leiste = {m_speichern, m_loeschen, m_beenden, m_mail, m_drucken};
}

// ---------------------------------------------------------------- opening and showing

void TForm13::oeffnenBei(int satznum) {
    if (isVisible() && !aenderungenKlaeren()) return;
    Unit4& u = daten();
    u.satznum = satznum;
    u.daten = u.buchAnzahl();
    oeffnen();
}

void TForm13::vorbereiten() {
    Unit4& u = daten();
    u.Kategorien_lesen();
    u.Rubriken_lesen();
    // The book may have changed since the last opening: the recipe list is read again once.
    u.rubrikNamenVerwerfen();
    m_geaendert = false;
    m_gueltig = false; // until a record of this opening has been read
    m_exportieren->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&TForm13::exportierenVerlangt)));
    aendern_ausgeben();
    anordnen();
}

void TForm13::aendern_ausgeben() {
    Unit4& u = daten();
    m_fuellen = true;
    m_nummer->setText(QString::number(u.satznum));
    m_anzahlSaetze->setText(QString::number(u.daten));
    m_erster->setEnabled(u.satznum > 1);
    m_voriger->setEnabled(u.satznum > 1);
    m_naechster->setEnabled(u.satznum < u.daten);
    m_letzter->setEnabled(u.satznum < u.daten);
    // One record is read, never the book up to it.
    if (u.satz_lesen(u.satznum)) {
        m_satz = u.satznum;
        m_gelesen = u.datei;
        m_gueltig = true;
        const dateien& d = m_gelesen;
        u.kategorie = d.kategorie.toQString();
        m_felder.kategorie->setEditText(u.kategorie);
        satzInFelder(d, m_felder);
        u.rubrik = m_felder.rubrik->text();
        rezeptlisteLaden(false);
        const QString name = d.bild.toQString();
        const QString pfad = u.lpf + QStringLiteral("Bilder/") + name;
        std::optional<pfl::Rezeptbild> b;
        if (pfl::bildnameSicher(name) && QFileInfo(pfad).isFile()) b = pfl::bildLaden(pfad);
        if (b)
            bildAnzeigen(*b, name);
        else
            bildEntfernen();
        m_bildname = name; // a missing picture file keeps its name in the record
        m_formular->bildDazu()->setEnabled(!b);
        m_formular->bildGross()->setEnabled(bool(b));
    }
    m_formular->rezepteBox()->setTitle(QStringLiteral(" Rezepte in Rubrik >") + m_felder.rubrik->text() +
                                       QStringLiteral("<"));
    if (m_formular->rezepte()->count() > 0) m_formular->rezepte()->setCurrentRow(0); // highlight only
    m_fuellen = false;
    m_geaendert = false;
}

void TForm13::rezeptlisteLaden(bool erzwingen) {
    Unit4& u = daten();
    // Stepping reads the one record it shows; the names come from the data module's pass, and the
    // list takes them whole without copying them into items.
    if (erzwingen) u.rubrikNamenVerwerfen();
    const QStringList namen = u.rubrikNamenSortiert(u.rubrik);
    if (namen != m_formular->rezepte()->namen()) {
        const QSignalBlocker sperre(m_formular->rezepte());
        m_formular->rezepte()->setNamen(namen);
    }
}

void TForm13::listenUebernehmen() {
    const pfl::Namenslisten& l = daten().listen;
    m_formular->rubrikenZeigen(l.rubrikenGesammelt);
    m_formular->kategorienZeigen(l.kategorienGesammelt);
}

bool TForm13::zeigen(int nummer) {
    if (!aenderungenKlaeren()) return false;
    Unit4& u = daten();
    u.satznum = qBound(1, nummer, qMax(1, u.daten));
    aendern_ausgeben();
    return true;
}

void TForm13::Button11Click() {
    zeigen(1);
}

void TForm13::Button12Click() {
    zeigen(daten().satznum - 1);
}

void TForm13::Button13Click() {
    zeigen(daten().satznum + 1);
}

void TForm13::Button14Click() {
    zeigen(daten().daten);
}

void TForm13::Name_erkennen(const QString& name) {
    Unit4& u = daten();
    const int gefunden = u.namensPosition(name);
    if (gefunden == 0) return;
    u.anz = gefunden;
    zeigen(gefunden);
}

void TForm13::ListBox1Click() {
    QListWidgetItem* e = m_formular->rubriken()->currentItem();
    // Settled before the section field changes, so that cancelling leaves the window as it was.
    if (!aenderungenKlaeren()) return;
    Unit4& u = daten();
    if (e) {
        const QSignalBlocker sperre(m_felder.rubrik); // choosing a section to jump to is no edit
        m_felder.rubrik->setText(e->text());
    }
    u.rubrik = m_felder.rubrik->text();
    rezeptlisteLaden(false);
    m_formular->rezepteBox()->setTitle(QStringLiteral(" Rezepte in Rubrik >") + m_felder.rubrik->text() +
                                       QStringLiteral("<"));
    m_formular->rezepte()->setCurrentRow(m_formular->rezepte()->count() > 0 ? 0 : -1);
    ListBox2Click();
}

void TForm13::ListBox2Click() {
    Name_erkennen(m_formular->rezepte()->currentText());
}

void TForm13::ComboBox2Change() {
    if (m_fuellen) return;
    Unit4& u = daten();
    u.kategorie = m_felder.kategorie->currentText();
    u.Rubriken_lesen();
    {
        const QSignalBlocker sperre(m_felder.rubrik);
        m_felder.rubrik->clear();
    }
    m_formular->rezepte()->clear();
    m_formular->rezepteBox()->setTitle(QStringLiteral(" Rezepte in Kategorie >") +
                                       m_felder.kategorie->currentText() + QStringLiteral("<"));
    aenderungMerken();
}

void TForm13::aenderungMerken() {
    if (!m_fuellen) m_geaendert = true;
}

// ---------------------------------------------------------------- saving, deleting, closing

bool TForm13::aenderungenKlaeren() {
    if (!m_geaendert || !m_gueltig) return true;
    switch (plattform().message(Platform::Kind::Warning, QStringLiteral("Änderungen speichern?"),
                                Platform::Buttons::YesNoCancel)) {
    case Platform::Answer::Yes:
        return speichern();
    case Platform::Answer::No:
        m_geaendert = false;
        return true;
    default:
        return false;
    }
}

void TForm13::veraendertNeuLaden(const QString& was) {
    Unit4& u = daten();
    plattform().message(
        Platform::Kind::Error,
        QStringLiteral("Das Rezept an Stelle %1 des Rezeptbuchs wurde inzwischen geändert oder "
                       "gelöscht. %2 Die Anzeige wird neu geladen.")
            .arg(m_satz)
            .arg(was));
    u.daten = u.buchAnzahl();
    u.satznum = qBound(1, m_satz, qMax(1, u.daten));
    u.rubrikNamenVerwerfen();
    aendern_ausgeben();
}

bool TForm13::speichern() {
    Unit4& u = daten();
    if (!u.schreibbar()) return false;
    if (!rubrikPruefen(m_felder, plattform())) return false;
    if (!m_gueltig) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("Dieses Rezept ist im Rezeptbuch nicht vorhanden; es wurde nicht "
                                           "gespeichert."));
        return false;
    }
    // Only the recipe that was read is overwritten, never whatever has moved to its position.
    if (!u.satzGleich(m_satz, m_gelesen)) {
        veraendertNeuLaden(QStringLiteral("Ihre Änderungen wurden nicht gespeichert."));
        return false;
    }
    dateien satz = m_gelesen; // the fields the window does not show keep their values
    if (!felderInSatz(m_felder, satz, plattform())) return false;
    QString bildname = m_bildname;
    if (!m_formular->bildSpeichern(u.lpf + QStringLiteral("Bilder/"), bildname, plattform())) return false;
    satz.bild = bildname;
    // The write reports its failures through the data module; any report means nothing was stored.
    bool fehlgeschlagen = false;
    const QMetaObject::Connection wache = connect(
        &u, &Unit4::schreibfehler, this, [&fehlgeschlagen](const QString&) { fehlgeschlagen = true; });
    u.datei = satz;
    u.satznum = m_satz;
    u.datei_speichern_aendern();
    disconnect(wache);
    if (fehlgeschlagen || !u.satzGleich(m_satz, satz)) {
        if (!fehlgeschlagen)
            plattform().message(Platform::Kind::Error,
                                QStringLiteral("Das Rezept konnte nicht gespeichert werden. Ihre Eingaben "
                                               "bleiben erhalten."));
        return false; // the fields keep what was typed
    }
    m_gelesen = satz;
    m_bildname = bildname;
    m_geaendert = false;
    const bool mitBild = !m_formular->bildDaten().leer();
    m_formular->bildBox()->setTitle(mitBild ? bildname : QStringLiteral("Bild"));
    m_formular->bildGross()->setEnabled(mitBild); // now in the picture folder
    // Name or section may have changed: the list shows the book as it is now.
    u.rubrik = m_felder.rubrik->text();
    m_fuellen = true;
    rezeptlisteLaden(true);
    m_fuellen = false;
    return true;
}

void TForm13::Button1Click() {
    speichern();
}

void TForm13::Button2Click() {
    if (!m_gueltig || !daten().schreibbar()) return;
    if (plattform().message(Platform::Kind::Warning,
                            QStringLiteral("Wollen Sie dieses Rezept wirklich löschen ??"),
                            Platform::Buttons::YesNo) != Platform::Answer::Yes)
        return;
    Unit4& u = daten();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Loeschergebnis r = u.rezept_loeschen(m_satz, &m_gelesen);
    QApplication::restoreOverrideCursor();
    switch (r) {
    case Loeschergebnis::Geloescht:
        m_geaendert = false;
        m_gueltig = false;
        reject();
        Q_EMIT listeVerlangt();
        return;
    case Loeschergebnis::Anders:
        veraendertNeuLaden(QStringLiteral("Es wurde nicht gelöscht."));
        return;
    case Loeschergebnis::Fehler:
        return; // reported by the data module; the book and the window are unchanged
    }
}

void TForm13::done(int ergebnis) {
    if (isVisible() && !aenderungenKlaeren()) return;
    Rezeptfenster::done(ergebnis);
}

void TForm13::Button8Click() {
    // The recipe prints as the fields show it, saved or not; the editor closes first and printing
    // goes on only once it has (unsaved changes may keep it open).
    const pfl::Druckrezept rezept = pfl::rezeptfelder::druckrezept(m_felder);
    reject();
    if (isVisible()) return;
    Q_EMIT druckenVerlangt(rezept);
}

void TForm13::exportierenClick() {
    // The recipe as the book holds it: unsaved changes are saved or dropped first.
    if (!m_gueltig || !aenderungenKlaeren()) return;
    Q_EMIT exportierenVerlangt({{daten().rezeptbuch, m_satz}}, m_gelesen.name.toQString());
}

// ---------------------------------------------------------------- picture

void TForm13::bildAnzeigen(const pfl::Rezeptbild& bild, const QString& name) {
    m_formular->bildZeigen(bild);
    m_formular->bildBox()->setTitle(name);
}

void TForm13::bildEntfernen() {
    m_formular->bildEntfernen();
    m_formular->bildBox()->setTitle(QStringLiteral("Bild"));
}

void TForm13::Button5Click() {
    const std::optional<QString> name = m_formular->bildWaehlen(plattform());
    if (!name) return;
    m_bildname = *name;
    m_formular->bildBox()->setTitle(m_bildname);
    m_formular->bildDazu()->setEnabled(false);
    // Not in the picture folder until it is saved: nothing there to enlarge yet.
    m_formular->bildGross()->setEnabled(false);
    m_geaendert = true;
}

void TForm13::Button6Click() {
    bildEntfernen();
    m_bildname.clear();
    m_formular->bildDazu()->setEnabled(true);
    m_formular->bildGross()->setEnabled(false);
    m_geaendert = true;
}

void TForm13::SpeedButton1Click() {
    if (!m_bildname.isEmpty()) Q_EMIT bildVergroessernVerlangt(m_bildname);
}

// ---------------------------------------------------------------- mail

void TForm13::BitBtn1Click() {
    const Unit4& u = daten();
    const pfl::RezeptMailFelder f{m_felder.name->text(),
                                  m_felder.schwierigkeit->currentText(),
                                  m_felder.portionsart->currentText(),
                                  m_felder.anzahl->Text(),
                                  m_felder.kosten->IsValid()
                                      ? pfl::kostenEingabeText(m_felder.kosten->Value())
                                      : m_felder.kosten->text(),
                                  m_felder.zeit->Text(),
                                  m_felder.kochzeit->Text(),
                                  m_felder.kalorien->text(),
                                  m_felder.zutaten->toPlainText(),
                                  m_felder.zubereitung->toPlainText()};
    pfl::rezeptMailen(pfl::rezeptMail(f, u.option.waehrung, u.st_inh1.vorname, u.st_inh1.Name), plattform());
    reject();
}
