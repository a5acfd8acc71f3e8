// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Einkaufsliste.h"

#include "data/Cp1252.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "recipes/Schreibwache.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace pfl {

QString einkaufSpeichertext(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

qsizetype einkaufUeberlauf(const QString& text) {
    // Windows-1252 holds one byte per character; one that it lacks becomes one "?", whatever its size here.
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()) continue;
        bytes += c == QLatin1Char('\n') ? 2 : 1;
        if (bytes > kEinkaufKapazitaet) return i;
    }
    return -1;
}

namespace {

// A stored list as the window shows it: every line break, CR LF or a single LF or CR, is one.
QString alsAnzeige(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString zahl(qsizetype n) {
    return QLocale(QLocale::German).toString(n);
}

} // namespace

} // namespace pfl

TForm3::TForm3(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form3"), QStringLiteral("Einkaufsliste"),
                   QSize(520, 560), 100) {
    // Modal from the main window; opened from the editor, it stacks on it and takes input.
    setWindowModality(Qt::ApplicationModal);
    auto* gruppe = new QGroupBox(QStringLiteral("Einkaufsliste"), this);
    gruppe->setObjectName(QStringLiteral("GroupBox1"));
    gruppe->setGeometry(10, 8, 500, 490);
    auto* hinweis = new QLabel(QStringLiteral("Sie können eine beliebige Anzahl Artikel dazufügen."), gruppe);
    hinweis->setObjectName(QStringLiteral("Panel1"));
    hinweis->setFrameStyle(QFrame::Panel | QFrame::Raised);
    hinweis->setAlignment(Qt::AlignCenter);
    m_liste = new QPlainTextEdit(gruppe);
    m_liste->setObjectName(QStringLiteral("Memo1"));
    m_liste->setAccessibleName(QStringLiteral("Einkaufsliste"));
    m_liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_liste->setTabChangesFocus(true);
    auto* lay = new QVBoxLayout(gruppe);
    lay->addWidget(hinweis);
    lay->addWidget(m_liste, 1);

    QPushButton* speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), QSize(110, 30));
    QPushButton* loeschen = knopf(QStringLiteral("Button2"), QStringLiteral("Löschen"), QSize(110, 30));
    QPushButton* drucken = knopf(QStringLiteral("Button4"), QStringLiteral("Drucken"), QSize(110, 30));
    QPushButton* beenden = knopf(QStringLiteral("Button3"), QStringLiteral("Beenden"), QSize(110, 30));
    int x = (width() - 4 * 110 - 3 * 10) / 2;
    for (QPushButton* b : {speichern, loeschen, drucken, beenden}) {
        b->move(x, 514);
        b->setAutoDefault(false);
        x += 120;
    }

    connect(speichern, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(loeschen, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(drucken, &QPushButton::clicked, this, &TForm3::Button4Click);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
    connect(&daten(), &Unit4::einkaufGelesen, this, &TForm3::gelesen);
}

void TForm3::gelesen(const QString& text) {
    // Only a load this window asked for replaces what it shows; a read by anyone else must not
    // overwrite text the user has not saved.
    if (m_laedt) m_liste->setPlainText(pfl::alsAnzeige(text));
}

void TForm3::laden() {
    m_geladen = true;
    // Text typed and not saved stays: the stored list does not replace it unasked.
    if (m_liste->document()->isModified()) return;
    m_laedt = true;
    daten().einkauflist_lesen();
    m_laedt = false;
    m_liste->document()->setModified(false);
}

void TForm3::oeffnenAusHauptfenster() {
    laden();
    oeffnen();
}

bool TForm3::speichern(const QString& speichertext) {
    Unit4& u = daten();
    if (!u.schreibbar()) return false;
    zeroRecord(u.e_daten); // nothing of an earlier, longer list stays behind the text
    u.e_daten.e_liste = speichertext;
    pfl::Schreibwache wache(u);
    // An empty file takes no list by appending: it starts again as a missing one does.
    if (u.ohneSatz(QStringLiteral("Einkaufsliste.Ekl"), sizeof(Einkaufstliste)))
        u.einkauflist_anlegen();
    else
        u.einkauflist_speichern();
    if (wache.fehler()) return false; // reported; the text stays unsaved
    u.einkaufText = speichertext;     // as einkauflist_lesen would now give it
    m_liste->document()->setModified(false);
    return true;
}

void TForm3::Button1Click() {
    const QString text = m_liste->toPlainText();
    const qsizetype ueber = pfl::einkaufUeberlauf(text);
    if (ueber >= 0) {
        // Never cut without a word: the part that does not fit is shown selected, nothing is stored.
        QTextCursor c = m_liste->textCursor();
        c.setPosition(int(ueber));
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        m_liste->setTextCursor(c);
        m_liste->setFocus();
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral(
                "Die Einkaufsliste ist zu lang und wurde nicht gespeichert.\nSie kann höchstens %1 "
                "Zeichen fassen (ein Zeilenwechsel zählt als zwei). Der Teil, der nicht mehr "
                "hineinpasst, ist markiert: Bitte kürzen Sie die Liste.")
                .arg(pfl::zahl(pfl::kEinkaufKapazitaet)));
        return;
    }
    speichern(pfl::einkaufSpeichertext(text));
}

void TForm3::Button2Click() {
    // The text goes only once the empty list is stored; a failed write keeps it.
    if (!speichern(QString())) return;
    m_liste->clear();
    m_liste->document()->setModified(false);
}

void TForm3::Button4Click() {
    daten().einkaufText = pfl::einkaufSpeichertext(m_liste->toPlainText());
    accept();
    Q_EMIT druckenVerlangt();
}

void TForm3::zutatenAnhaengen(const QString& zutaten) {
    // The stored list first, so that appending never replaces a list the window has not shown yet.
    if (!m_geladen) laden();
    const QString alt = m_liste->toPlainText();
    // The separator is stored as LF CR, which the window shows as an empty line: the check counts
    // what a later "Speichern" of the shown text will need.
    const QString anzeige = alt + QStringLiteral("\n\n") + zutaten;
    if (pfl::einkaufUeberlauf(anzeige) >= 0) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("Die Zutatenliste passt nicht mehr in die Einkaufsliste und wurde nicht "
                           "hinzugefügt.\nDie Einkaufsliste kann höchstens %1 Zeichen fassen (ein "
                           "Zeilenwechsel zählt als zwei); mit dieser Zutatenliste wären es %2.\nBitte "
                           "entfernen Sie erledigte Einträge aus der Einkaufsliste.")
                .arg(pfl::zahl(pfl::kEinkaufKapazitaet))
                .arg(pfl::zahl(pfl::toCp1252(pfl::einkaufSpeichertext(anzeige)).size())));
        oeffnen();
        return;
    }
    m_liste->setPlainText(anzeige);
    m_liste->document()->setModified(true);
    speichern(pfl::einkaufSpeichertext(alt) + QStringLiteral("\n\r") + pfl::einkaufSpeichertext(zutaten));
    oeffnen();
}
