// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Erfassen.h"

#include "data/Dateischreiber.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Rechnerfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include "widgets/Namensliste.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A web search for recipes. The choice of search service is ours: DuckDuckGo, which needs no
// account and keeps no search history.
const QString kWebsuche = QStringLiteral("https://duckduckgo.com/?q=Rezepte");

} // namespace

using namespace pfl::rezeptfelder;

TForm2::TForm2(pfl::Umgebung& umgebung, QWidget* parent)
    : Rezeptfenster(umgebung, parent, QStringLiteral("Form2"),
                    QStringLiteral("Bitte geben Sie Ihr Kochrezept ein."), 150) {
    aufbauen();
    m_kategorieTakt = new QTimer(this);
    m_kategorieTakt->setSingleShot(true);
    m_kategorieTakt->setInterval(kKategoriePause);
    connect(m_kategorieTakt, &QTimer::timeout, this, &TForm2::kategorieAktualisieren);

    connect(m_felder.kategorie, &QComboBox::editTextChanged, this, &TForm2::ComboBox2Change);
    connect(m_formular->rubriken(), &QListWidget::itemClicked, this, &TForm2::ListBox1Click);
    connect(m_formular->rubriken(), &QListWidget::itemActivated, this, &TForm2::ListBox1Click);
    connect(m_formular->rezepte(), &pfl::Namensliste::gewaehlt, this, &TForm2::ListBox2Click);
    connect(m_felder.anzahl, &RxSpinEdit::TopClick, this, &TForm2::RxSpinEdit1TopClick);
    connect(m_felder.anzahl, &RxSpinEdit::BottomClick, this, &TForm2::RxSpinEdit1BottomClick);
    connect(m_felder.zeit, &RxSpinEdit::Change, this, &TForm2::RxSpinEdit2Change);
    connect(m_speichern, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(m_leeren, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_neueRubrik, &QPushButton::clicked, this, &TForm2::rubrikenListeVerlangt);
    connect(m_neueKategorie, &QPushButton::clicked, this, &TForm2::kategorienListeVerlangt);
    connect(m_formular->bildDazu(), &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(m_formular->bildWeg(), &QPushButton::clicked, this, &TForm2::Button6Click);
    connect(m_formular->bildGross(), &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(m_internet, &QPushButton::clicked, this, &TForm2::Button8Click);

    Unit4& u = daten();
    connect(&u, &Unit4::listenGeaendert, this, &TForm2::listenUebernehmen);
    connect(&u, &Unit4::erfassenCaptionGesetzt, this, &QWidget::setWindowTitle);
    connect(m_formular, &pfl::Rezeptformular::textGeaendert, this, &TForm2::zeichenPruefen);
    anordnen();
}

void TForm2::aufbauen() {
    pfl::Rezeptformular::Aufbau a;
    a.rezepteTitel = QStringLiteral("Vorhandene Rezepte in Kategorie");
    a.rezepteLesbar = QStringLiteral("Vorhandene Rezepte");
    a.zutatenBox = QStringLiteral("GroupBox6");
    a.zubereitungBox = QStringLiteral("GroupBox7");
    a.schwierigkeitBox = QStringLiteral("GroupBox8");
    a.bildBox = QStringLiteral("GroupBox9");
    a.portionsarten = {QStringLiteral("Anz. Personen"), QStringLiteral("Stück"), QStringLiteral("Portionen")};
    a.kostenText = QStringLiteral("Kosten");
    a.zeitText = QStringLiteral("Zubereitungszeit        (Min)");
    a.kochzeitText = QStringLiteral("Kochzeit                     (Min)");
    // Below the category field and below the section list: the buttons that change those lists.
    auto listenKnopf = [this](QGroupBox* box, const QString& name, const QString& text) {
        QPushButton* b = knopf(name, text);
        b->setParent(box);
        b->setAutoDefault(false);
        return b;
    };
    a.kategorie = [this, listenKnopf](QGroupBox* box) -> QList<QWidget*> {
        m_neueKategorie =
            listenKnopf(box, QStringLiteral("Button7"), QStringLiteral("Neue Kategorien hinzufügen/ändern"));
        return {m_neueKategorie};
    };
    a.rubriken = [this, listenKnopf](QGroupBox* box) -> QList<QWidget*> {
        m_neueRubrik =
            listenKnopf(box, QStringLiteral("Button4"), QStringLiteral("Neue Rubriken hinzufügen/ändern"));
        return {m_neueRubrik};
    };
    a.name = [this](QGroupBox* box) -> QList<QWidget*> {
        m_zeichenHinweis = new QLabel(box);
        m_zeichenHinweis->setObjectName(QStringLiteral("Zeichenhinweis"));
        m_zeichenHinweis->setWordWrap(true);
        m_zeichenHinweis->hide();
        return {m_zeichenHinweis};
    };
    a.zubereitung = [this](QGroupBox* box) -> QList<QWidget*> {
        m_status = new QLabel(box);
        m_status->setObjectName(QStringLiteral("Panel7"));
        m_status->setFrameShape(QFrame::Panel);
        m_status->setFrameShadow(QFrame::Sunken);
        return {m_status};
    };
    // Below the date: the calculator, and the web search for recipes.
    a.rechts = [this](pfl::Rezeptformular& form, QVBoxLayout* spalte) {
        m_rechner = new RxCalcEdit(plattform(), &form);
        m_rechner->setObjectName(QStringLiteral("RxCalcEdit1"));
        form.zahlenzeile(QStringLiteral("Label6"), QStringLiteral("Rechner"), m_rechner);
        m_internet = knopf(QStringLiteral("Button8"), QStringLiteral("Rezepte aus dem Internet übernehmen"));
        m_internet->setParent(&form);
        m_internet->setAutoDefault(false);
        spalte->addWidget(m_internet);
    };
    formularBauen(a);

    // The bottom bar, placed by anordnen(). Return in a one-line field must not store the recipe
    // half-typed.
    m_speichern = leistenKnopf(QStringLiteral("Button1"), QStringLiteral("Speichern"));
    m_leeren = leistenKnopf(QStringLiteral("Button2"), QStringLiteral("Felder löschen"));
    m_beenden = leistenKnopf(QStringLiteral("Button3"), QStringLiteral("Beenden"));
    m_hilfe = hilfeKnopf(QStringLiteral("Button9"));
    m_hilfe->resize(kKnopfBreite, kKnopfHoehe);
    m_leiste = {m_speichern, m_leeren, m_beenden, m_hilfe};
}

void TForm2::vorbereiten() {
    Unit4& u = daten();
    m_kategorieTakt->stop();
    u.datei_lesen();
    u.Kategorien_lesen();
    u.Rubriken_lesen();
    setWindowTitle(QStringLiteral("Bitte geben Sie Ihr Kochrezept ein."));
    {
        const QSignalBlocker sperre(m_felder.kategorie);
        m_felder.kategorie->setEditText(m_felder.kategorie->count() > 0 ? m_felder.kategorie->itemText(0)
                                                                        : QString());
    }
    m_felder.portionsart->setEditText(m_felder.portionsart->itemText(0));
    m_felder.schwierigkeit->setEditText(m_felder.schwierigkeit->itemText(0));
    kategorieAktualisieren();
    m_felder.anzahl->setText(QStringLiteral("2"));
    portionenZeigen();
    m_felder.zeit->setText(QStringLiteral("20"));
    m_felder.datum->setText(pfl::datumText(plattform().today()));
    m_formular->bildGross()->setEnabled(!m_formular->bildDaten().leer());
    anordnen();
}

// ---------------------------------------------------------------- lists

void TForm2::listenUebernehmen() {
    const pfl::Namenslisten& l = daten().listen;
    m_formular->rubrikenZeigen(l.rubrikenZuletzt);
    if (l.rezeptnamenGewaehlt != m_gezeigteNamen) {
        m_gezeigteNamen = l.rezeptnamenGewaehlt;
        const QSignalBlocker sperre(m_formular->rezepte());
        m_formular->rezepte()->setNamen(sortiert(m_gezeigteNamen));
    }
    m_formular->kategorienZeigen(l.kategorienGesammelt);
}

void TForm2::ComboBox2Change() {
    // Each change would reread the whole book; while the user types, only the last one counts.
    m_kategorieTakt->start();
}

void TForm2::kategorieAktualisieren() {
    m_kategorieTakt->stop();
    Unit4& u = daten();
    const QString text = m_felder.kategorie->currentText();
    u.Rubriken_lesen();
    u.listen.rezeptnamenKategorie = text;
    u.Rubriken_erkennen();
    m_formular->rezepteBox()->setTitle(QStringLiteral(" Rezepte in Kategorie ") + text);
    Q_EMIT kategorieGewaehlt(text);
}

void TForm2::ListBox1Click() {
    QListWidgetItem* e = m_formular->rubriken()->currentItem();
    if (!e) return;
    Unit4& u = daten();
    m_felder.rubrik->setText(e->text());
    u.rubrik = m_felder.rubrik->text();
    u.Rubriken_oeffnen();
}

void TForm2::ListBox2Click() {
    pfl::Namensliste* l = m_formular->rezepte();
    Unit4& u = daten();
    if (l->currentRow() >= 0) m_gericht = l->currentText();
    dateien treffer;
    QStringList bilder;
    if (!u.gerichtLesen(m_gericht, treffer, bilder)) return;
    // Every match fills the form in turn: the last one stays, its picture only if it has one.
    u.kategorie = treffer.kategorie.toQString();
    u.Rubriken_lesen();
    {
        const QSignalBlocker sperre(m_felder.kategorie);
        m_felder.kategorie->setEditText(u.kategorie);
    }
    // The new category is a category change like any other (lists and caption); it runs once the
    // click is handled, as the recipe list it refills is the one clicked.
    ComboBox2Change();
    m_felder.rubrik->setText(treffer.Rubrik.toQString());
    m_felder.name->setText(treffer.name.toQString());
    m_felder.portionsart->setEditText(treffer.personen.toQString());
    m_felder.anzahl->setText(treffer.anzahl.toQString());
    m_felder.zeit->setText(treffer.zeit.toQString());
    m_felder.schwierigkeit->setEditText(treffer.schwer.toQString());
    m_felder.kosten->setValue(treffer.preis);
    m_felder.kalorien->setText(treffer.kalorien.toQString());
    m_felder.datum->setText(treffer.erfasst_am.toQString());
    m_felder.zutaten->setPlainText(treffer.zutaten.plainText());
    m_felder.zubereitung->setPlainText(treffer.zubereitung.plainText());
    const QString ordner = u.lpf + QStringLiteral("Bilder/");
    QSet<QString> geprueft;
    for (auto it = bilder.crbegin(); it != bilder.crend(); ++it) {
        if (!pfl::bildnameSicher(*it) || geprueft.contains(*it)) continue;
        geprueft.insert(*it);
        if (!QFileInfo(ordner + *it).isFile()) continue;
        // A picture that does not decode is shown as none (the fields still come).
        if (const std::optional<pfl::Rezeptbild> b = pfl::bildLaden(ordner + *it)) {
            bildZeigen(*b);
            u.element1.bild = *it;
            break;
        }
    }
}

// ---------------------------------------------------------------- status line

void TForm2::portionenZeigen() {
    m_status->setText(QStringLiteral("   Zutatenliste für ") + m_felder.anzahl->Text() +
                      QStringLiteral(" Personen"));
}

void TForm2::RxSpinEdit1TopClick() {
    portionenZeigen();
}

void TForm2::RxSpinEdit1BottomClick() {
    portionenZeigen();
}

void TForm2::RxSpinEdit2Change() {
    m_status->setText(QStringLiteral("Zubereitungszeit ") + m_felder.zeit->Text() +
                      QStringLiteral(" Minuten"));
}

void TForm2::zeichenPruefen() {
    QString fremd;
    for (QLineEdit* e :
         {m_felder.kategorie->lineEdit(), m_felder.rubrik, m_felder.name, m_felder.portionsart->lineEdit(),
          m_felder.schwierigkeit->lineEdit(), m_felder.kalorien})
        fremd = fremdeZeichen(e->text(), fremd);
    for (QPlainTextEdit* m : {m_felder.utensilien, m_felder.zutaten, m_felder.zubereitung})
        fremd = fremdeZeichen(m->toPlainText(), fremd);
    if (fremd.isEmpty()) {
        m_zeichenHinweis->hide();
        return;
    }
    QStringList zeichen;
    for (const char32_t c : fremd.toUcs4())
        zeichen.append(QString::fromUcs4(&c, 1));
    if (zeichen.size() > 5) zeichen = zeichen.mid(0, 5) << QStringLiteral("…");
    m_zeichenHinweis->setText(QStringLiteral("Hinweis: Das Rezeptbuch kann die Zeichen %1 nicht speichern; "
                                             "sie werden als \u201E?\u201C gespeichert.")
                                  .arg(zeichen.join(QLatin1Char(' '))));
    m_zeichenHinweis->show();
}

// ---------------------------------------------------------------- saving and clearing

bool TForm2::element1Fuellen() {
    return felderInSatz(m_felder, daten().element1, plattform());
}

void TForm2::Button1Click() {
    Unit4& u = daten();
    if (!rubrikPruefen(m_felder, plattform()) || !element1Fuellen()) return;
    if (!m_formular->bildDaten().leer()) {
        QString name = u.element1.bild.toQString();
        if (!m_formular->bildSpeichern(u.lpf + QStringLiteral("Bilder/"), name, plattform())) return;
        u.element1.bild = name; // a free name when the wished one belongs to another picture
    }

    // The append reports its failures through the data module; any report means nothing was stored.
    bool fehlgeschlagen = false;
    const QMetaObject::Connection wache = connect(
        &u, &Unit4::schreibfehler, this, [&fehlgeschlagen](const QString&) { fehlgeschlagen = true; });
    const bool buchGueltig = !u.buchPfad().isEmpty();
    u.Daten_einsortieren();
    disconnect(wache);
    if (!buchGueltig) {
        plattform().message(
            Platform::Kind::Error,
            QStringLiteral("Das Rezeptbuch \u201E%1\u201C hat keinen gültigen Dateinamen. Das "
                           "Rezept wurde nicht gespeichert.")
                .arg(u.rezeptbuch));
        return;
    }
    if (fehlgeschlagen) return; // the owner has shown the report; the form keeps everything
    setWindowTitle(QStringLiteral("Rezept gespeichert"));
    // One filling of the form is stored once.
    m_speichern->setEnabled(false);
}

void TForm2::Button2Click() {
    m_felder.name->clear();
    m_felder.kalorien->clear();
    m_felder.zutaten->clear();
    m_felder.zubereitung->clear();
    m_felder.utensilien->clear();
    {
        // The status line keeps what it shows.
        const QSignalBlocker sperre(m_felder.zeit);
        m_felder.zeit->clear();
    }
    m_felder.anzahl->clear();
    m_felder.kochzeit->clear();
    m_felder.kosten->clear();
    bildEntfernen();
    m_speichern->setEnabled(true);
}

// ---------------------------------------------------------------- picture

void TForm2::bildZeigen(const pfl::Rezeptbild& bild) {
    m_formular->bildZeigen(bild);
    m_formular->bildGross()->setEnabled(true);
}

void TForm2::bildEntfernen() {
    m_formular->bildEntfernen();
    m_formular->bildGross()->setEnabled(false);
    daten().element1.bild = QString();
}

void TForm2::Button5Click() {
    const std::optional<QString> name = m_formular->bildWaehlen(plattform());
    if (!name) return;
    m_formular->bildGross()->setEnabled(true);
    daten().element1.bild = *name;
    m_formular->bildDazu()->setEnabled(false);
}

void TForm2::Button6Click() {
    bildEntfernen();
    m_formular->bildDazu()->setEnabled(true);
}

void TForm2::SpeedButton1Click() {
    const pfl::Rezeptbild& bild = m_formular->bildDaten();
    if (bild.leer()) return;
    const QString name = daten().element1.bild.toQString();
    // The folder's file is shown only when it is this very picture; a picture attached and not
    // saved yet, or one whose name another picture holds, goes to the window as it is.
    const QFileInfo datei(daten().lpf + QStringLiteral("Bilder/") + name);
    if (pfl::bildnameSicher(name) && datei.isFile() && datei.size() == bild.bytes.size() &&
        pfl::dateiInhalt(datei.filePath(), bild.bytes.size()) == std::optional<QByteArray>(bild.bytes))
        Q_EMIT bildVergroessernVerlangt(name);
    else
        Q_EMIT bildAnsichtVerlangt(name, bild.bild);
}

void TForm2::Button8Click() {
    if (!plattform().openUrl(kWebsuche))
        plattform().message(Platform::Kind::Error,
                            QStringLiteral("Der Webbrowser ließ sich nicht öffnen.\n") + kWebsuche);
}
