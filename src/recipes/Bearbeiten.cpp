#include "recipes/Bearbeiten.h"

#include "appearance/Styles.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "recipes/RezeptMail.h"
#include "recipes/Rezeptfelder.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace pfl::rezeptfelder;

namespace {

constexpr int kKnopfBreite = 120;
constexpr int kKnopfHoehe = 30;
constexpr int kUntenRand = 50; // height of the bottom bar

} // namespace

TForm13::TForm13(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form13"), QStringLiteral("Rezept bearbeiten"),
                   umgebung.plattform.workArea().size(), 100) {
    aufbauen();
    connect(m_kategorie, &QComboBox::editTextChanged, this, &TForm13::ComboBox2Change);
    connect(m_rubriken, &QListWidget::itemClicked, this, &TForm13::ListBox1Click);
    connect(m_rubriken, &QListWidget::itemActivated, this, &TForm13::ListBox1Click);
    connect(m_rezepte, &QListWidget::itemClicked, this, &TForm13::ListBox2Click);
    connect(m_rezepte, &QListWidget::itemActivated, this, &TForm13::ListBox2Click);
    connect(m_erster, &QPushButton::clicked, this, &TForm13::Button11Click);
    connect(m_voriger, &QPushButton::clicked, this, &TForm13::Button12Click);
    connect(m_naechster, &QPushButton::clicked, this, &TForm13::Button13Click);
    connect(m_letzter, &QPushButton::clicked, this, &TForm13::Button14Click);
    connect(m_speichern, &QPushButton::clicked, this, &TForm13::Button1Click);
    connect(m_loeschen, &QPushButton::clicked, this, &TForm13::Button2Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::reject);
    // The recipe prints as the fields show it, saved or not.
    connect(m_drucken, &QPushButton::clicked, this, [this] {
        Q_EMIT druckenVerlangt(pfl::rezeptfelder::druckrezept(
            {m_kategorie, m_rubrik, m_name, m_portionsart, m_anzahl, m_zeit, m_kochzeit, m_schwierigkeit,
             m_kosten, m_kalorien, m_datum, m_utensilien, m_zutaten, m_zubereitung}));
    });
    connect(m_bildDazu, &QPushButton::clicked, this, &TForm13::Button5Click);
    connect(m_bildWeg, &QPushButton::clicked, this, &TForm13::Button6Click);
    connect(m_bildGross, &QToolButton::clicked, this, &TForm13::SpeedButton1Click);
    connect(m_mail, &QPushButton::clicked, this, &TForm13::BitBtn1Click);
    connect(m_einkauf, &QPushButton::clicked, this,
            [this] { Q_EMIT einkaufslisteErgaenzen(m_zutaten->toPlainText()); });
    connect(&daten(), &Unit4::listenGeaendert, this, &TForm13::listenUebernehmen);

    // Any edit of a field is a change that must not be lost silently.
    for (QLineEdit* e : {m_rubrik, m_name, m_kalorien, m_kategorie->lineEdit(), m_schwierigkeit->lineEdit(),
                         m_portionsart->lineEdit()})
        connect(e, &QLineEdit::textChanged, this, &TForm13::aenderungMerken);
    for (QPlainTextEdit* m : {m_utensilien, m_zutaten, m_zubereitung})
        connect(m, &QPlainTextEdit::textChanged, this, &TForm13::aenderungMerken);
    for (RxSpinEdit* s : {m_anzahl, m_zeit, m_kochzeit})
        connect(s, &RxSpinEdit::Change, this, &TForm13::aenderungMerken);
    connect(m_kosten, &CurrencyEdit::Change, this, &TForm13::aenderungMerken);
    connect(m_datum, &DateEdit::Change, this, &TForm13::aenderungMerken);
    anordnen();
}

TForm13::~TForm13() {
    // The controls die after this part of the window; what they emit then must not reach it.
    for (QObject* k : findChildren<QObject*>())
        k->disconnect(this);
    daten().disconnect(this);
}

void TForm13::aufbauen() {
    m_inhalt = new QWidget(this);
    m_inhalt->setObjectName(QStringLiteral("Inhalt"));
    auto* spalten = new QHBoxLayout(m_inhalt);

    // --- left: category, sections, recipes of the section
    auto* links = new QVBoxLayout;
    QGroupBox* gKat =
        gruppe(m_inhalt, QStringLiteral("GroupBox1"), QStringLiteral("Bitte eine Kategorie auswählen"));
    m_kategorie = auswahlfeld(gKat, QStringLiteral("ComboBox2"), gKat->title(), {});
    (new QVBoxLayout(gKat))->addWidget(m_kategorie);
    links->addWidget(gKat);

    QGroupBox* gRub = gruppe(m_inhalt, QStringLiteral("GroupBox3"), QStringLiteral("Bitte Rubrik auswählen"));
    m_rubrik = new QLineEdit(gRub);
    m_rubrik->setObjectName(QStringLiteral("Edit1"));
    m_rubrik->setAlignment(Qt::AlignCenter);
    m_rubrik->setAccessibleName(gRub->title());
    m_rubriken = new QListWidget(gRub);
    m_rubriken->setObjectName(QStringLiteral("ListBox1"));
    m_rubriken->setAccessibleName(QStringLiteral("Rubriken"));
    auto* lRub = new QVBoxLayout(gRub);
    lRub->addWidget(m_rubrik);
    lRub->addWidget(m_rubriken, 1);
    links->addWidget(gRub, 1);

    m_rezepteGruppe =
        gruppe(m_inhalt, QStringLiteral("GroupBox2"), QStringLiteral("Vorhandene Rezepte in Rubrik"));
    m_rezepte = new QListWidget(m_rezepteGruppe);
    m_rezepte->setObjectName(QStringLiteral("ListBox2"));
    m_rezepte->setAccessibleName(QStringLiteral("Vorhandene Rezepte in Rubrik"));
    (new QVBoxLayout(m_rezepteGruppe))->addWidget(m_rezepte);
    links->addWidget(m_rezepteGruppe, 1);
    spalten->addLayout(links, 2);

    // --- middle: name, utensils, ingredients, preparation, record counter
    auto* mitte = new QVBoxLayout;
    QGroupBox* gName = gruppe(m_inhalt, QStringLiteral("GroupBox4"), QStringLiteral("Name des Rezepts "));
    m_name = new QLineEdit(gName);
    m_name->setObjectName(QStringLiteral("Edit2"));
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setAccessibleName(gName->title().trimmed());
    QFont nameSchrift(QStringLiteral("Times New Roman"));
    nameSchrift.setStyleHint(QFont::Serif);
    nameSchrift.setPixelSize(16);
    nameSchrift.setBold(true);
    m_name->setFont(nameSchrift);
    (new QVBoxLayout(gName))->addWidget(m_name);
    mitte->addWidget(gName);

    QGroupBox* gUt = gruppe(m_inhalt, QStringLiteral("GroupBox5"),
                            QStringLiteral("Sie benötigen folgende Küchenutensilien"));
    m_utensilien = memo(gUt, QStringLiteral("Memo3"));
    (new QVBoxLayout(gUt))->addWidget(m_utensilien);
    mitte->addWidget(gUt, 1);
    QGroupBox* gZut = gruppe(m_inhalt, QStringLiteral("GroupBox7"), QStringLiteral("Zutatenliste"));
    m_zutaten = memo(gZut, QStringLiteral("Memo1"));
    (new QVBoxLayout(gZut))->addWidget(m_zutaten);
    mitte->addWidget(gZut, 2);
    QGroupBox* gZub = gruppe(m_inhalt, QStringLiteral("GroupBox8"), QStringLiteral("Zubereitung"));
    m_zubereitung = memo(gZub, QStringLiteral("Memo2"));
    (new QVBoxLayout(gZub))->addWidget(m_zubereitung);
    mitte->addWidget(gZub, 3);

    auto* zaehler = new QHBoxLayout;
    QLabel* lDs = label(QStringLiteral("Label18"), QStringLiteral("Datensatz"), QRect());
    m_nummer = new QLabel(m_inhalt);
    m_nummer->setObjectName(QStringLiteral("Label20"));
    QLabel* lVon = label(QStringLiteral("Label19"), QStringLiteral("von"), QRect());
    m_anzahlSaetze = new QLabel(m_inhalt);
    m_anzahlSaetze->setObjectName(QStringLiteral("Label21"));
    const QSize nav(40, kKnopfHoehe);
    m_erster = knopf(QStringLiteral("Button11"), QStringLiteral("<<"), nav);
    m_voriger = knopf(QStringLiteral("Button12"), QStringLiteral("<"), nav);
    m_naechster = knopf(QStringLiteral("Button13"), QStringLiteral(">"), nav);
    m_letzter = knopf(QStringLiteral("Button14"), QStringLiteral(">>"), nav);
    const QString beschreibung[] = {QStringLiteral("Erster Datensatz"), QStringLiteral("Voriger Datensatz"),
                                    QStringLiteral("Nächster Datensatz"),
                                    QStringLiteral("Letzter Datensatz")};
    int i = 0;
    for (QLabel* l : {lDs, lVon})
        l->setParent(m_inhalt);
    zaehler->addWidget(lDs);
    zaehler->addWidget(m_nummer);
    zaehler->addWidget(lVon);
    zaehler->addWidget(m_anzahlSaetze);
    zaehler->addStretch(1);
    for (QPushButton* b : {m_erster, m_voriger, m_naechster, m_letzter}) {
        b->setParent(m_inhalt);
        b->setAutoDefault(false);
        b->setAccessibleDescription(beschreibung[i]);
        b->setToolTip(beschreibung[i++]);
        zaehler->addWidget(b);
    }
    mitte->addLayout(zaehler);
    spalten->addLayout(mitte, 4);

    // --- right: difficulty, portions, numbers, date, shopping list, picture
    auto* rechts = new QVBoxLayout;
    QGroupBox* gSchw = gruppe(m_inhalt, QStringLiteral("GroupBox9"), QStringLiteral("Schwierigkeitsgrad"));
    m_schwierigkeit = auswahlfeld(gSchw, QStringLiteral("ComboBox1"), gSchw->title(),
                                  {QStringLiteral("Simpel"), QStringLiteral("Leicht"),
                                   QStringLiteral("Mittel "), QStringLiteral("Schwer")});
    (new QVBoxLayout(gSchw))->addWidget(m_schwierigkeit);
    rechts->addWidget(gSchw);

    auto* felder = new QGridLayout;
    int zeile = 0;
    auto feld = [&](const QString& name, const QString& text, QWidget* w) {
        QLabel* l = label(name, text, QRect());
        l->setParent(m_inhalt);
        l->setBuddy(w);
        w->setAccessibleName(text.simplified());
        felder->addWidget(l, zeile, 0);
        felder->addWidget(w, zeile, 1);
        ++zeile;
    };
    m_portionsart = auswahlfeld(m_inhalt, QStringLiteral("ComboBox3"), QStringLiteral("Art der Portionen"),
                                {QStringLiteral("Anz. Personen"), QStringLiteral("Stück/Stücke"),
                                 QStringLiteral("Portionen"), QString()});
    m_anzahl = new RxSpinEdit(m_inhalt);
    m_anzahl->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_anzahl->setAccessibleName(QStringLiteral("Anzahl Personen oder Portionen"));
    felder->addWidget(m_portionsart, zeile, 0);
    felder->addWidget(m_anzahl, zeile, 1);
    ++zeile;
    m_kosten = new CurrencyEdit(m_inhalt);
    m_kosten->setObjectName(QStringLiteral("CurrencyEdit1"));
    feld(QStringLiteral("Label1"), QStringLiteral("Kosten ca."), m_kosten);
    m_zeit = new RxSpinEdit(m_inhalt);
    m_zeit->setObjectName(QStringLiteral("RxSpinEdit2"));
    feld(QStringLiteral("Label2"), QStringLiteral("Zubereitungszeit       (Min)"), m_zeit);
    m_kochzeit = new RxSpinEdit(m_inhalt);
    m_kochzeit->setObjectName(QStringLiteral("RxSpinEdit3"));
    feld(QStringLiteral("Label3"), QStringLiteral("Koch-/Backzeit          (Min)"), m_kochzeit);
    m_kalorien = new QLineEdit(m_inhalt);
    m_kalorien->setObjectName(QStringLiteral("Edit4"));
    m_kalorien->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    feld(QStringLiteral("Label4"), QStringLiteral("Kalorien p. Portion"), m_kalorien);
    m_datum = new DateEdit(plattform(), m_inhalt);
    m_datum->setObjectName(QStringLiteral("DateEdit1"));
    feld(QStringLiteral("Label5"), QStringLiteral("Erfasst am"), m_datum);
    rechts->addLayout(felder);

    m_einkauf =
        knopf(QStringLiteral("Button9"), QStringLiteral("Zutatenliste zur Einkaufsliste  hinzufügen"));
    m_einkauf->setParent(m_inhalt);
    rechts->addWidget(m_einkauf);

    m_bildGruppe = gruppe(m_inhalt, QStringLiteral("GroupBox6"), QStringLiteral("Bild"));
    m_bild = new QLabel(m_bildGruppe);
    m_bild->setObjectName(QStringLiteral("Image1"));
    m_bild->setScaledContents(true); // stretched to the box
    m_bild->setMinimumSize(120, 90);
    m_bild->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_bildDazu = knopf(QStringLiteral("Button5"), QStringLiteral("Bild hinzufügen"));
    m_bildDazu->setParent(m_bildGruppe);
    m_bildWeg = knopf(QStringLiteral("Button6"), QStringLiteral("Bild löschen"));
    m_bildWeg->setParent(m_bildGruppe);
    m_bildGross = new QToolButton(m_bildGruppe);
    m_bildGross->setObjectName(QStringLiteral("SpeedButton1"));
    m_bildGross->setText(QStringLiteral("\u2922"));
    m_bildGross->setAccessibleName(QStringLiteral("Bild vergrößern"));
    m_bildGross->setToolTip(QStringLiteral("Bild vergrößern"));
    m_bildGross->setEnabled(false);
    auto* lBild = new QVBoxLayout(m_bildGruppe);
    lBild->addWidget(m_bild, 1);
    auto* bildKnoepfe = new QHBoxLayout;
    bildKnoepfe->addWidget(m_bildDazu);
    bildKnoepfe->addWidget(m_bildWeg);
    bildKnoepfe->addWidget(m_bildGross);
    lBild->addLayout(bildKnoepfe);
    rechts->addWidget(m_bildGruppe, 1);
    spalten->addLayout(rechts, 2);

    // --- bottom row, placed by anordnen()
    const QSize k(kKnopfBreite, kKnopfHoehe);
    m_speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), k);
    m_loeschen = knopf(QStringLiteral("Button2"), QStringLiteral("Löschen"), k);
    m_beenden = knopf(QStringLiteral("Button3"), QStringLiteral("Beenden"), k);
    m_mail = knopf(QStringLiteral("BitBtn1"), QStringLiteral("E-Mail"), k);
    m_mail->setIcon(QIcon::fromTheme(QStringLiteral("mail-send")));
    m_drucken = knopf(QStringLiteral("Button8"), QStringLiteral("Drucken"), k);
    // Return in a one-line field must neither store nor delete the recipe.
    for (QPushButton* b :
         {m_speichern, m_loeschen, m_beenden, m_mail, m_drucken, m_einkauf, m_bildDazu, m_bildWeg})
        b->setAutoDefault(false);
}

void TForm13::anordnen() {
    const QRect a = plattform().workArea();
    setFixedSize(a.size());
    m_inhalt->setGeometry(0, 0, width(), qMax(0, height() - kUntenRand));
    const int w2 = width() / 2;
    const int w = kKnopfBreite;
    const int y = height() - kUntenRand + (kUntenRand - kKnopfHoehe) / 2;
    // Integer division truncates, as the layout rules want.
    m_speichern->move(w2 - (5 * w) / 2 - 15, y);
    m_loeschen->move(w2 - (3 * w) / 2 - 10, y);
    m_beenden->move(w2 - w / 2 - 5, y);
    m_mail->move(w2 + w / 2, y);
    m_drucken->move(w2 + (3 * w) / 2 + 5, y);
}

void TForm13::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    // Not a centred dialog: the window covers the work area from its top left corner.
    move(plattform().workArea().topLeft());
}

void TForm13::faerben() {
    Nebenfenster::faerben();
    QPalette p = m_name->palette();
    p.setColor(QPalette::Text, pfl::lesbareFarbe(QColor(0x80, 0, 0), p.color(QPalette::Base)));
    m_name->setPalette(p);
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
        m_kategorie->setEditText(u.kategorie);
        satzInFelder(d, {m_kategorie, m_rubrik, m_name, m_portionsart, m_anzahl, m_zeit, m_kochzeit,
                         m_schwierigkeit, m_kosten, m_kalorien, m_datum, m_utensilien, m_zutaten,
                         m_zubereitung});
        u.rubrik = m_rubrik->text();
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
        m_bildDazu->setEnabled(!b);
        m_bildGross->setEnabled(bool(b));
    }
    m_rezepteGruppe->setTitle(QStringLiteral(" Rezepte in Rubrik >") + m_rubrik->text() +
                              QStringLiteral("<"));
    if (m_rezepte->count() > 0) m_rezepte->setCurrentRow(0); // highlight only
    m_fuellen = false;
    m_geaendert = false;
}

void TForm13::rezeptlisteLaden(bool erzwingen) {
    Unit4& u = daten();
    // Stepping reads the one record it shows; the names come from the data module's pass.
    if (erzwingen) u.rubrikNamenVerwerfen();
    const QStringList namen = u.rubrikNamenSortiert(u.rubrik);
    if (namen != m_gezeigteNamen || m_rezepte->count() != namen.size()) {
        m_gezeigteNamen = namen;
        const QSignalBlocker sperre(m_rezepte);
        m_rezepte->clear();
        m_rezepte->addItems(namen);
    }
}

void TForm13::listenUebernehmen() {
    const pfl::Namenslisten& l = daten().listen;
    if (l.rubrikenGesammelt != m_gezeigteRubriken) {
        m_gezeigteRubriken = l.rubrikenGesammelt;
        listeFuellen(m_rubriken, m_gezeigteRubriken);
    }
    if (l.kategorienGesammelt != m_gezeigteKategorien) {
        m_gezeigteKategorien = l.kategorienGesammelt;
        // New items must not change what is shown or typed.
        const QSignalBlocker sperre(m_kategorie);
        const QString text = m_kategorie->currentText();
        m_kategorie->clear();
        m_kategorie->addItems(m_gezeigteKategorien);
        m_kategorie->setEditText(text);
    }
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
    QListWidgetItem* e = m_rubriken->currentItem();
    // Settled before the section field changes, so that cancelling leaves the window as it was.
    if (!aenderungenKlaeren()) return;
    Unit4& u = daten();
    if (e) {
        const QSignalBlocker sperre(m_rubrik); // choosing a section to jump to is no edit
        m_rubrik->setText(e->text());
    }
    u.rubrik = m_rubrik->text();
    rezeptlisteLaden(false);
    m_rezepteGruppe->setTitle(QStringLiteral(" Rezepte in Rubrik >") + m_rubrik->text() +
                              QStringLiteral("<"));
    m_rezepte->setCurrentRow(m_rezepte->count() > 0 ? 0 : -1);
    ListBox2Click();
}

void TForm13::ListBox2Click() {
    QListWidgetItem* e = m_rezepte->currentItem();
    Name_erkennen(e ? e->text() : QString());
}

void TForm13::ComboBox2Change() {
    if (m_fuellen) return;
    Unit4& u = daten();
    u.kategorie = m_kategorie->currentText();
    u.Rubriken_lesen();
    {
        const QSignalBlocker sperre(m_rubrik);
        m_rubrik->clear();
    }
    m_rezepte->clear();
    m_gezeigteNamen.clear();
    m_rezepteGruppe->setTitle(QStringLiteral(" Rezepte in Kategorie >") + m_kategorie->currentText() +
                              QStringLiteral("<"));
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
    // "Less than or equal to one blank": empty, or exactly one blank.
    if (m_rubrik->text().compare(QStringLiteral(" ")) <= 0) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("\n Bitte geben Sie eine Rubrik ein.  \n"));
        return false;
    }
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
    if (!felderInSatz({m_kategorie, m_rubrik, m_name, m_portionsart, m_anzahl, m_zeit, m_kochzeit,
                       m_schwierigkeit, m_kosten, m_kalorien, m_datum, m_utensilien, m_zutaten,
                       m_zubereitung},
                      satz, plattform()))
        return false;
    QString bildname = m_bildname;
    if (!m_bildDaten.leer()) {
        QString fehler;
        if (!pfl::bildSpeichern(u.lpf + QStringLiteral("Bilder/"), m_bildDaten, bildname, &fehler)) {
            plattform().message(Platform::Kind::Error, fehler);
            return false;
        }
    }
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
    m_bildGruppe->setTitle(m_bildDaten.leer() ? QStringLiteral("Bild") : bildname);
    m_bildGross->setEnabled(!m_bildDaten.leer()); // now in the picture folder
    // Name or section may have changed: the list shows the book as it is now.
    u.rubrik = m_rubrik->text();
    m_fuellen = true;
    rezeptlisteLaden(true);
    m_fuellen = false;
    return true;
}

void TForm13::Button1Click() {
    speichern();
}

void TForm13::Button2Click() {
    if (!m_gueltig) return;
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
    Nebenfenster::done(ergebnis);
}

// ---------------------------------------------------------------- picture

void TForm13::bildAnzeigen(const pfl::Rezeptbild& bild, const QString& name) {
    m_bildDaten = bild;
    m_bild->setPixmap(QPixmap::fromImage(bild.bild));
    m_bildGruppe->setTitle(name);
}

void TForm13::bildEntfernen() {
    m_bildDaten = pfl::Rezeptbild();
    m_bild->clear();
    m_bildGruppe->setTitle(QStringLiteral("Bild"));
}

void TForm13::Button5Click() {
    const QString start = m_bildOrdnerWahl.isEmpty() ? QDir::homePath() : m_bildOrdnerWahl;
    const QString datei = plattform().choosePictureFile(start, pfl::bildFilter());
    if (datei.isEmpty()) return;
    QString fehler;
    const std::optional<pfl::Rezeptbild> b = pfl::bildLaden(datei, &fehler);
    if (!b) {
        plattform().message(Platform::Kind::Error, fehler);
        return;
    }
    m_bildOrdnerWahl = QFileInfo(datei).absolutePath();
    m_bildname = pfl::bildname(QFileInfo(datei).fileName(), b->format);
    bildAnzeigen(*b, m_bildname);
    m_bildDazu->setEnabled(false);
    // Not in the picture folder until it is saved: nothing there to enlarge yet.
    m_bildGross->setEnabled(false);
    m_geaendert = true;
}

void TForm13::Button6Click() {
    bildEntfernen();
    m_bildname.clear();
    m_bildDazu->setEnabled(true);
    m_bildGross->setEnabled(false);
    m_geaendert = true;
}

void TForm13::SpeedButton1Click() {
    if (!m_bildname.isEmpty()) Q_EMIT bildVergroessernVerlangt(m_bildname);
}

// ---------------------------------------------------------------- mail

void TForm13::BitBtn1Click() {
    const Unit4& u = daten();
    const pfl::RezeptMailFelder f{m_name->text(),
                                  m_schwierigkeit->currentText(),
                                  m_portionsart->currentText(),
                                  m_anzahl->Text(),
                                  m_kosten->IsValid() ? pfl::kostenEingabeText(m_kosten->Value())
                                                      : m_kosten->text(),
                                  m_zeit->Text(),
                                  m_kochzeit->Text(),
                                  m_kalorien->text(),
                                  m_zutaten->toPlainText(),
                                  m_zubereitung->toPlainText()};
    pfl::rezeptMailen(pfl::rezeptMail(f, u.option.waehrung, u.st_inh1.vorname, u.st_inh1.Name), plattform());
    reject();
}
