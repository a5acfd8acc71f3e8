// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Begriffsliste.h"

#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>

namespace pfl {

Begriffsliste::Begriffsliste(Umgebung& umgebung, QWidget* parent, const QString& name, const QString& titel,
                             int hilfethema, Umbenennung art, const QString& begriff, const QString& begriffe)
    : Nebenfenster(umgebung, parent, name, titel, QSize(400, 356), hilfethema), m_art(art),
      m_bezeichnung(begriff) {
    m_begriff = new QLineEdit(this);
    m_begriff->setObjectName(QStringLiteral("Edit1"));
    m_begriff->setAccessibleName(begriff);
    m_begriff->setGeometry(16, 16, 240, 26);
    m_liste = new QListWidget(this);
    m_liste->setObjectName(QStringLiteral("ListBox1"));
    m_liste->setAccessibleName(begriffe);
    m_liste->setGeometry(16, 52, 240, 288);

    m_speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern >>"));
    m_neu = knopf(QStringLiteral("Button6"), QStringLiteral("Neu"));
    m_aendern = knopf(QStringLiteral("Button2"), QStringLiteral("Ändern"));
    m_loeschen = knopf(QStringLiteral("Button3"), QStringLiteral("Löschen"));
    QPushButton* beenden = knopf(QStringLiteral("Button4"), QStringLiteral("Beenden"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button5"));
    int y = 16;
    for (QPushButton* b : {m_speichern, m_neu, m_aendern, m_loeschen, beenden, hilfe}) {
        b->move(274, y);
        b->setAutoDefault(false);
        y += 44;
    }
    // Return in the edit field saves the name; it never deletes.
    m_speichern->setDefault(true);

    connect(m_liste, &QListWidget::itemClicked, this, &Begriffsliste::ListBox1Click);
    connect(m_neu, &QPushButton::clicked, this, &Begriffsliste::Button6Click);
    connect(m_aendern, &QPushButton::clicked, this, &Begriffsliste::Button2Click);
    connect(m_loeschen, &QPushButton::clicked, this, &Begriffsliste::Button3Click);
    connect(m_speichern, &QPushButton::clicked, this, &Begriffsliste::Button1Click);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
    connect(&umgebung.daten, &Unit4::listenGeaendert, this, &Begriffsliste::listeUebernehmen);
}

void Begriffsliste::oeffnenAusHauptfenster() {
    if (isVisible() && isModal()) hide(); // modality changes only while hidden
    setWindowModality(Qt::NonModal);
    m_modalNeu = false;
    oeffnen();
}

void Begriffsliste::oeffnenModalNeu() {
    if (isVisible() && !isModal()) hide();
    setWindowModality(Qt::ApplicationModal);
    m_modalNeu = true;
    oeffnen();
}

void Begriffsliste::vorbereiten() {
    m_markiert = false;
    m_aenderungOffen = false;
    listenNeuLaden();
    m_begriff->setEnabled(false);
    m_speichern->setEnabled(false);
    m_aendern->setEnabled(false);
    m_loeschen->setEnabled(false);
    setWindowTitle(oeffnenTitel());
    if (m_modalNeu) Button6Click();
}

void Begriffsliste::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    if (fokusBeimZeigen() && m_begriff->isEnabled()) m_begriff->setFocus();
}

QStringList Begriffsliste::eintraege() const {
    QStringList s;
    for (int i = 0; i < m_liste->count(); ++i)
        s.append(m_liste->item(i)->text());
    return s;
}

void Begriffsliste::listeUebernehmen() {
    // The list shows the module's names sorted; an unchanged list keeps its selection.
    QStringList s = namen();
    const QCollator& c = deutscheSortierung();
    std::stable_sort(s.begin(), s.end(),
                     [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    if (s == eintraege()) return;
    m_liste->clear();
    m_liste->addItems(s);
}

void Begriffsliste::ListBox1Click() {
    QListWidgetItem* i = m_liste->currentItem();
    if (!i) return;
    m_markiert = true;
    m_gewaehlt = i->text();
    m_aendern->setEnabled(true);
    m_loeschen->setEnabled(true);
}

void Begriffsliste::markierenVerlangen() {
    plattform().beep();
    plattform().message(Platform::Kind::Information, QStringLiteral(" Bitte einen Eintrag markieren. "));
}

void Begriffsliste::Button6Click() {
    // Every change of the list is stored at once: in a folder that can only be read none begins.
    if (!daten().schreibbar()) return;
    m_neuerEintrag = true;
    m_aenderungOffen = false; // a new name renames nothing
    m_begriff->setEnabled(true);
    m_begriff->show();
    m_speichern->setEnabled(true);
    if (!fokusBeimZeigen()) m_begriff->setFocus();
}

void Begriffsliste::Button2Click() {
    if (!m_markiert) {
        markierenVerlangen();
    } else if (daten().schreibbar()) {
        m_neuerEintrag = false;
        m_speichern->setEnabled(true);
        m_begriff->setEnabled(true);
        m_begriff->show();
        m_loeschen->setEnabled(false);
        m_aendern->setEnabled(false);
        m_begriff->setText(m_gewaehlt);
        m_alterName = m_gewaehlt;
        m_aenderungOffen = true;
        // The old name leaves the list file now; leaving the window without saving keeps it out.
        for (QListWidgetItem* i : m_liste->findItems(m_gewaehlt, Qt::MatchExactly))
            delete i;
        list_speichern();
        m_begriff->setFocus();
        setWindowTitle(QStringLiteral("Bitte Begriff ändern."));
    }
    m_markiert = false;
}

void Begriffsliste::Button3Click() {
    if (m_markiert && !daten().schreibbar()) {
        // nothing is deleted
    } else if (m_markiert) {
        plattform().beep();
        const QString frage = QStringLiteral("Wollen Sie Die Rubrik        \n          > ") + m_gewaehlt +
                              QStringLiteral(" <\n     wirklich löschen ??");
        if (plattform().message(Platform::Kind::Warning, frage, Platform::Buttons::YesNo) ==
            Platform::Answer::Yes) {
            m_neuerEintrag = false;
            for (QListWidgetItem* i : m_liste->findItems(m_gewaehlt, Qt::MatchExactly))
                delete i;
            list_speichern();
        } else {
            setWindowTitle(QStringLiteral("Bitte eine Rubrik auswählen."));
        }
    } else {
        markierenVerlangen();
    }
    m_markiert = false;
    m_aenderungOffen = false;
    m_begriff->clear();
    m_speichern->setEnabled(false);
}

void Begriffsliste::list_speichern() {
    if (dateiErsetzen(eintraege())) setWindowTitle(QStringLiteral("Daten gespeichert."));
    // The window then shows what the file holds, also when the write failed.
    listenNeuLaden();
}

void Begriffsliste::Button1Click() {
    Unit4& u = daten();
    if (!u.schreibbar()) return;
    const QString text = m_begriff->text();
    // Only a completed change renames, and only when the name really changed: a new name must not
    // rename the recipes of a name changed earlier.
    const bool mitUmbenennen = m_aenderungOffen && !m_neuerEintrag && text != m_alterName;
    // The backup runs before anything is written, so that declining to rename without it leaves
    // every file as it was and the window ready to save again.
    if (mitUmbenennen && !sicherungBestaetigt(text)) return;
    m_aenderungOffen = false;
    m_speichern->setEnabled(false);
    m_begriff->setEnabled(false);
    m_aendern->setEnabled(false);
    m_loeschen->setEnabled(false);
    m_begriff->clear();
    if (mitUmbenennen) {
        // The list file gets the new name only when every book carries it, and a crash in between
        // is finished at the next start: the books and the list never stay apart.
        eintragVorbereiten(text);
        accept();
        umbenennen(text);
        listenNeuLaden();
        return;
    }
    eintragAnhaengen(text);
    if (ladenVorSchliessen()) listenNeuLaden();
    accept();
    if (!ladenVorSchliessen()) listenNeuLaden();
}

bool Begriffsliste::sicherungBestaetigt(const QString& neu) {
    bool gesichert = false;
    Q_EMIT sicherungVorUmbenennen(gesichert);
    if (gesichert) return true;
    // The backup has shown why it failed; the safe answer keeps everything as it is.
    const QString frage =
        QStringLiteral("Die Datensicherung vor dem Umbenennen ist fehlgeschlagen.\n\n"
                       "Soll die %1 \u201E%2\u201C trotzdem ohne Datensicherung in allen Rezeptbüchern "
                       "in \u201E%3\u201C umbenannt werden?\n\n"
                       "Jedes Rezeptbuch behält seinen Stand vor dem Umbenennen als Kopie mit der "
                       "Endung \u201E.Aez\u201C.\n"
                       "Mit \u201ENein\u201C wird nichts umbenannt und keine Datei geändert; der neue "
                       "Name bleibt zum erneuten Speichern im Eingabefeld.")
            .arg(m_bezeichnung, m_alterName, neu);
    return plattform().message(Platform::Kind::Warning, frage, Platform::Buttons::YesNo) ==
           Platform::Answer::Yes;
}

void Begriffsliste::umbenennen(const QString& neu) {
    Unit4& u = daten();
    QProgressDialog fortschritt(parentWidget() ? parentWidget() : this);
    fortschritt.setWindowTitle(QStringLiteral("Umbenennen"));
    fortschritt.setCancelButton(nullptr); // a half-renamed set of books helps nobody
    fortschritt.setWindowModality(Qt::ApplicationModal);
    fortschritt.setMinimumDuration(500);
    fortschritt.setAutoClose(false);
    fortschritt.setLabelText(
        QStringLiteral("\u201E%1\u201C wird in allen Rezeptbüchern umbenannt.").arg(m_alterName));
    const QMetaObject::Connection c =
        connect(&u, &Unit4::buchWirdUmbenannt, &fortschritt,
                [&fortschritt, this](const QString& buch, int nummer, int anzahl) {
                    fortschritt.setMaximum(anzahl);
                    fortschritt.setLabelText(
                        QStringLiteral("\u201E%1\u201C wird umbenannt.\nRezeptbuch \u201E%2\u201C "
                                       "(%3 von %4)")
                            .arg(m_alterName, buch)
                            .arg(nummer)
                            .arg(anzahl));
                    fortschritt.setValue(nummer - 1);
                });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    u.begriffUmbenennen(m_art, m_alterName, neu);
    QApplication::restoreOverrideCursor();
    disconnect(c);
    fortschritt.reset();
    m_alterName.clear();
}

} // namespace pfl
