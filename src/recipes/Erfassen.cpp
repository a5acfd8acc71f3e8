#include "recipes/Erfassen.h"

#include "appearance/Styles.h"
#include "data/Cp1252.h"
#include "data/Dateischreiber.h"
#include "data/German.h"
#include "data/Unit4.h"
#include "platform/Platform.h"
#include "recipes/Rezeptfelder.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Rechnerfeld.h"
#include "widgets/Waehrungsfeld.h"
#include "widgets/Zahlenfeld.h"

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
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A web search for recipes. The choice of search service is ours: DuckDuckGo, which needs no
// account and keeps no search history.
const QString kWebsuche = QStringLiteral("https://duckduckgo.com/?q=Rezepte");

constexpr int kKnopfBreite = 120;
constexpr int kKnopfHoehe = 30;
constexpr int kUntenRand = 50; // height of the bottom bar

} // namespace

using namespace pfl::rezeptfelder;

TForm2::TForm2(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form2"),
                   QStringLiteral("Bitte geben Sie Ihr Kochrezept ein."),
                   umgebung.plattform.workArea().size(), 150) {
    aufbauen();
    m_kategorieTakt = new QTimer(this);
    m_kategorieTakt->setSingleShot(true);
    m_kategorieTakt->setInterval(kKategoriePause);
    connect(m_kategorieTakt, &QTimer::timeout, this, &TForm2::kategorieAktualisieren);

    connect(m_kategorie, &QComboBox::editTextChanged, this, &TForm2::ComboBox2Change);
    connect(m_rubriken, &QListWidget::itemClicked, this, &TForm2::ListBox1Click);
    connect(m_rubriken, &QListWidget::itemActivated, this, &TForm2::ListBox1Click);
    connect(m_rezepte, &QListWidget::itemClicked, this, &TForm2::ListBox2Click);
    connect(m_rezepte, &QListWidget::itemActivated, this, &TForm2::ListBox2Click);
    connect(m_anzahl, &RxSpinEdit::TopClick, this, &TForm2::RxSpinEdit1TopClick);
    connect(m_anzahl, &RxSpinEdit::BottomClick, this, &TForm2::RxSpinEdit1BottomClick);
    connect(m_zeit, &RxSpinEdit::Change, this, &TForm2::RxSpinEdit2Change);
    connect(m_speichern, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(m_leeren, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_neueRubrik, &QPushButton::clicked, this, &TForm2::rubrikenListeVerlangt);
    connect(m_neueKategorie, &QPushButton::clicked, this, &TForm2::kategorienListeVerlangt);
    connect(m_bildDazu, &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(m_bildWeg, &QPushButton::clicked, this, &TForm2::Button6Click);
    connect(m_bildGross, &QToolButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(m_internet, &QPushButton::clicked, this, &TForm2::Button8Click);

    Unit4& u = daten();
    connect(&u, &Unit4::listenGeaendert, this, &TForm2::listenUebernehmen);
    connect(&u, &Unit4::erfassenCaptionGesetzt, this, &QWidget::setWindowTitle);
    for (QLineEdit* e : {m_rubrik, m_name, m_kalorien, m_kategorie->lineEdit(), m_schwierigkeit->lineEdit(),
                         m_portionsart->lineEdit()})
        connect(e, &QLineEdit::textChanged, this, &TForm2::zeichenPruefen);
    for (QPlainTextEdit* m : {m_utensilien, m_zutaten, m_zubereitung})
        connect(m, &QPlainTextEdit::textChanged, this, &TForm2::zeichenPruefen);
    anordnen();
}

TForm2::~TForm2() {
    // The controls die after this part of the window; what they emit then must not reach it.
    for (QObject* k : findChildren<QObject*>())
        k->disconnect(this);
    daten().disconnect(this);
}

void TForm2::aufbauen() {
    m_inhalt = new QWidget(this);
    m_inhalt->setObjectName(QStringLiteral("Inhalt"));
    auto* spalten = new QHBoxLayout(m_inhalt);

    // --- left: category, sections, recipes already in the book
    auto* links = new QVBoxLayout;
    QGroupBox* gKat =
        gruppe(m_inhalt, QStringLiteral("GroupBox1"), QStringLiteral("Bitte eine Kategorie auswählen"));
    m_kategorie = auswahlfeld(gKat, QStringLiteral("ComboBox2"), gKat->title(), {});
    m_neueKategorie = knopf(QStringLiteral("Button7"), QStringLiteral("Neue Kategorien hinzufügen/ändern"));
    m_neueKategorie->setParent(gKat);
    auto* lKat = new QVBoxLayout(gKat);
    lKat->addWidget(m_kategorie);
    lKat->addWidget(m_neueKategorie);
    links->addWidget(gKat);

    QGroupBox* gRub = gruppe(m_inhalt, QStringLiteral("GroupBox3"), QStringLiteral("Bitte Rubrik auswählen"));
    m_rubrik = new QLineEdit(gRub);
    m_rubrik->setObjectName(QStringLiteral("Edit1"));
    m_rubrik->setAlignment(Qt::AlignCenter);
    m_rubrik->setAccessibleName(gRub->title());
    m_rubriken = new QListWidget(gRub);
    m_rubriken->setObjectName(QStringLiteral("ListBox1"));
    m_rubriken->setAccessibleName(QStringLiteral("Rubriken"));
    m_neueRubrik = knopf(QStringLiteral("Button4"), QStringLiteral("Neue Rubriken hinzufügen/ändern"));
    m_neueRubrik->setParent(gRub);
    auto* lRub = new QVBoxLayout(gRub);
    lRub->addWidget(m_rubrik);
    lRub->addWidget(m_rubriken, 1);
    lRub->addWidget(m_neueRubrik);
    links->addWidget(gRub, 1);

    m_rezepteGruppe =
        gruppe(m_inhalt, QStringLiteral("GroupBox2"), QStringLiteral("Vorhandene Rezepte in Kategorie"));
    m_rezepte = new QListWidget(m_rezepteGruppe);
    m_rezepte->setObjectName(QStringLiteral("ListBox2"));
    m_rezepte->setAccessibleName(QStringLiteral("Vorhandene Rezepte"));
    auto* lRez = new QVBoxLayout(m_rezepteGruppe);
    lRez->addWidget(m_rezepte);
    links->addWidget(m_rezepteGruppe, 1);
    spalten->addLayout(links, 2);

    // --- middle: name, utensils, ingredients, preparation
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
    m_zeichenHinweis = new QLabel(gName);
    m_zeichenHinweis->setObjectName(QStringLiteral("Zeichenhinweis"));
    m_zeichenHinweis->setWordWrap(true);
    m_zeichenHinweis->hide();
    auto* lName = new QVBoxLayout(gName);
    lName->addWidget(m_name);
    lName->addWidget(m_zeichenHinweis);
    mitte->addWidget(gName);

    QGroupBox* gUt = gruppe(m_inhalt, QStringLiteral("GroupBox5"),
                            QStringLiteral("Sie benötigen folgende Küchenutensilien"));
    m_utensilien = memo(gUt, QStringLiteral("Memo3"));
    (new QVBoxLayout(gUt))->addWidget(m_utensilien);
    mitte->addWidget(gUt, 1);
    QGroupBox* gZut = gruppe(m_inhalt, QStringLiteral("GroupBox6"), QStringLiteral("Zutatenliste"));
    m_zutaten = memo(gZut, QStringLiteral("Memo1"));
    (new QVBoxLayout(gZut))->addWidget(m_zutaten);
    mitte->addWidget(gZut, 2);
    QGroupBox* gZub = gruppe(m_inhalt, QStringLiteral("GroupBox7"), QStringLiteral("Zubereitung"));
    m_status = new QLabel(gZub);
    m_status->setObjectName(QStringLiteral("Panel7"));
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_zubereitung = memo(gZub, QStringLiteral("Memo2"));
    auto* lZub = new QVBoxLayout(gZub);
    lZub->addWidget(m_status);
    lZub->addWidget(m_zubereitung, 1);
    mitte->addWidget(gZub, 3);
    spalten->addLayout(mitte, 4);

    // --- right: difficulty, portions, numbers, date, calculator, web search, picture
    auto* rechts = new QVBoxLayout;
    QGroupBox* gSchw = gruppe(m_inhalt, QStringLiteral("GroupBox8"), QStringLiteral("Schwierigkeitsgrad"));
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
    m_portionsart =
        auswahlfeld(m_inhalt, QStringLiteral("ComboBox3"), QStringLiteral("Art der Portionen"),
                    {QStringLiteral("Anz. Personen"), QStringLiteral("Stück"), QStringLiteral("Portionen")});
    m_anzahl = new RxSpinEdit(m_inhalt);
    m_anzahl->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_anzahl->setAccessibleName(QStringLiteral("Anzahl Personen oder Portionen"));
    felder->addWidget(m_portionsart, zeile, 0);
    felder->addWidget(m_anzahl, zeile, 1);
    ++zeile;
    m_kosten = new CurrencyEdit(m_inhalt);
    m_kosten->setObjectName(QStringLiteral("CurrencyEdit1"));
    feld(QStringLiteral("Label1"), QStringLiteral("Kosten"), m_kosten);
    m_zeit = new RxSpinEdit(m_inhalt);
    m_zeit->setObjectName(QStringLiteral("RxSpinEdit2"));
    feld(QStringLiteral("Label2"), QStringLiteral("Zubereitungszeit        (Min)"), m_zeit);
    m_kochzeit = new RxSpinEdit(m_inhalt);
    m_kochzeit->setObjectName(QStringLiteral("RxSpinEdit3"));
    feld(QStringLiteral("Label3"), QStringLiteral("Kochzeit                     (Min)"), m_kochzeit);
    m_kalorien = new QLineEdit(m_inhalt);
    m_kalorien->setObjectName(QStringLiteral("Edit4"));
    m_kalorien->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    feld(QStringLiteral("Label4"), QStringLiteral("Kalorien p. Portion"), m_kalorien);
    m_datum = new DateEdit(plattform(), m_inhalt);
    m_datum->setObjectName(QStringLiteral("DateEdit1"));
    feld(QStringLiteral("Label5"), QStringLiteral("Erfasst am"), m_datum);
    m_rechner = new RxCalcEdit(plattform(), m_inhalt);
    m_rechner->setObjectName(QStringLiteral("RxCalcEdit1"));
    feld(QStringLiteral("Label6"), QStringLiteral("Rechner"), m_rechner);
    rechts->addLayout(felder);

    m_internet = knopf(QStringLiteral("Button8"), QStringLiteral("Rezepte aus dem Internet übernehmen"));
    m_internet->setParent(m_inhalt);
    m_internet->setAutoDefault(false);
    rechts->addWidget(m_internet);

    QGroupBox* gBild = gruppe(m_inhalt, QStringLiteral("GroupBox9"), QStringLiteral("Bild"));
    m_bild = new QLabel(gBild);
    m_bild->setObjectName(QStringLiteral("Image1"));
    m_bild->setScaledContents(true); // stretched to the box
    m_bild->setMinimumSize(120, 90);
    m_bild->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_bildDazu = knopf(QStringLiteral("Button5"), QStringLiteral("Bild hinzufügen"));
    m_bildDazu->setParent(gBild);
    m_bildWeg = knopf(QStringLiteral("Button6"), QStringLiteral("Bild löschen"));
    m_bildWeg->setParent(gBild);
    m_bildGross = new QToolButton(gBild);
    m_bildGross->setObjectName(QStringLiteral("SpeedButton1"));
    m_bildGross->setText(QStringLiteral("\u2922"));
    m_bildGross->setAccessibleName(QStringLiteral("Bild vergrößern"));
    m_bildGross->setToolTip(QStringLiteral("Bild vergrößern"));
    m_bildGross->setEnabled(false);
    auto* lBild = new QVBoxLayout(gBild);
    lBild->addWidget(m_bild, 1);
    auto* bildKnoepfe = new QHBoxLayout;
    bildKnoepfe->addWidget(m_bildDazu);
    bildKnoepfe->addWidget(m_bildWeg);
    bildKnoepfe->addWidget(m_bildGross);
    lBild->addLayout(bildKnoepfe);
    rechts->addWidget(gBild, 1);
    spalten->addLayout(rechts, 2);

    for (QPushButton* b : {m_neueKategorie, m_neueRubrik, m_bildDazu, m_bildWeg})
        b->setAutoDefault(false);

    // --- bottom row, placed by anordnen()
    const QSize k(kKnopfBreite, kKnopfHoehe);
    m_speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), k);
    m_leeren = knopf(QStringLiteral("Button2"), QStringLiteral("Felder löschen"), k);
    m_beenden = knopf(QStringLiteral("Button3"), QStringLiteral("Beenden"), k);
    m_hilfe = hilfeKnopf(QStringLiteral("Button9"));
    m_hilfe->resize(k);
    // Return in a one-line field must not store the recipe half-typed.
    for (QPushButton* b : {m_speichern, m_leeren, m_beenden})
        b->setAutoDefault(false);
}

void TForm2::anordnen() {
    const QRect a = plattform().workArea();
    setFixedSize(a.size());
    m_inhalt->setGeometry(0, 0, width(), qMax(0, height() - kUntenRand));
    const int w = width() / 2;
    const int y = height() - kUntenRand + (kUntenRand - kKnopfHoehe) / 2;
    m_speichern->move(w - 2 * m_speichern->width() - 15, y);
    m_leeren->move(w - m_leeren->width() - 10, y);
    m_beenden->move(w - 5, y);
    m_hilfe->move(w + m_hilfe->width(), y);
}

void TForm2::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    // Not a centred dialog: the window covers the work area from its top left corner.
    move(plattform().workArea().topLeft());
}

void TForm2::faerben() {
    Nebenfenster::faerben();
    // The name's maroon, where it reads on the field's background.
    QPalette p = m_name->palette();
    p.setColor(QPalette::Text, pfl::lesbareFarbe(QColor(0x80, 0, 0), p.color(QPalette::Base)));
    m_name->setPalette(p);
}

void TForm2::vorbereiten() {
    Unit4& u = daten();
    m_kategorieTakt->stop();
    u.datei_lesen();
    u.Kategorien_lesen();
    u.Rubriken_lesen();
    setWindowTitle(QStringLiteral("Bitte geben Sie Ihr Kochrezept ein."));
    {
        const QSignalBlocker sperre(m_kategorie);
        m_kategorie->setEditText(m_kategorie->count() > 0 ? m_kategorie->itemText(0) : QString());
    }
    m_portionsart->setEditText(m_portionsart->itemText(0));
    m_schwierigkeit->setEditText(m_schwierigkeit->itemText(0));
    kategorieAktualisieren();
    m_anzahl->setText(QStringLiteral("2"));
    portionenZeigen();
    m_zeit->setText(QStringLiteral("20"));
    m_datum->setText(pfl::datumText(plattform().today()));
    m_bildGross->setEnabled(!m_bildDaten.leer());
    anordnen();
}

// ---------------------------------------------------------------- lists

void TForm2::listenUebernehmen() {
    const pfl::Namenslisten& l = daten().listen;
    if (l.rubrikenZuletzt != m_gezeigteRubriken) {
        m_gezeigteRubriken = l.rubrikenZuletzt;
        listeFuellen(m_rubriken, m_gezeigteRubriken);
    }
    if (l.rezeptnamenGewaehlt != m_gezeigteNamen) {
        m_gezeigteNamen = l.rezeptnamenGewaehlt;
        listeFuellen(m_rezepte, m_gezeigteNamen);
    }
    if (l.kategorienGesammelt != m_gezeigteKategorien) {
        m_gezeigteKategorien = l.kategorienGesammelt;
        // New items must not change what the user has typed.
        const QSignalBlocker sperre(m_kategorie);
        const QString text = m_kategorie->currentText();
        m_kategorie->clear();
        m_kategorie->addItems(m_gezeigteKategorien);
        m_kategorie->setEditText(text);
    }
}

void TForm2::ComboBox2Change() {
    // Each change would reread the whole book; while the user types, only the last one counts.
    m_kategorieTakt->start();
}

void TForm2::kategorieAktualisieren() {
    m_kategorieTakt->stop();
    Unit4& u = daten();
    const QString text = m_kategorie->currentText();
    u.Rubriken_lesen();
    u.listen.rezeptnamenKategorie = text;
    u.Rubriken_erkennen();
    m_rezepteGruppe->setTitle(QStringLiteral(" Rezepte in Kategorie ") + text);
    Q_EMIT kategorieGewaehlt(text);
}

void TForm2::ListBox1Click() {
    QListWidgetItem* e = m_rubriken->currentItem();
    if (!e) return;
    Unit4& u = daten();
    m_rubrik->setText(e->text());
    u.rubrik = m_rubrik->text();
    u.Rubriken_oeffnen();
}

void TForm2::ListBox2Click() {
    QListWidgetItem* e = m_rezepte->currentItem();
    Unit4& u = daten();
    if (e) m_gericht = e->text();
    dateien treffer;
    QStringList bilder;
    if (!u.gerichtLesen(m_gericht, treffer, bilder)) return;
    // Every match fills the form in turn: the last one stays, its picture only if it has one.
    u.kategorie = treffer.kategorie.toQString();
    u.Rubriken_lesen();
    {
        const QSignalBlocker sperre(m_kategorie);
        m_kategorie->setEditText(u.kategorie);
    }
    m_rubrik->setText(treffer.Rubrik.toQString());
    m_name->setText(treffer.name.toQString());
    m_portionsart->setEditText(treffer.personen.toQString());
    m_anzahl->setText(treffer.anzahl.toQString());
    m_zeit->setText(treffer.zeit.toQString());
    m_schwierigkeit->setEditText(treffer.schwer.toQString());
    m_kosten->setValue(treffer.preis);
    m_kalorien->setText(treffer.kalorien.toQString());
    m_datum->setText(treffer.erfasst_am.toQString());
    m_zutaten->setPlainText(treffer.zutaten.plainText());
    m_zubereitung->setPlainText(treffer.zubereitung.plainText());
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
    m_status->setText(QStringLiteral("   Zutatenliste für ") + m_anzahl->Text() +
                      QStringLiteral(" Personen"));
}

void TForm2::RxSpinEdit1TopClick() {
    portionenZeigen();
}

void TForm2::RxSpinEdit1BottomClick() {
    portionenZeigen();
}

void TForm2::RxSpinEdit2Change() {
    m_status->setText(QStringLiteral("Zubereitungszeit ") + m_zeit->Text() + QStringLiteral(" Minuten"));
}

void TForm2::zeichenPruefen() {
    QString fremd;
    for (QLineEdit* e : {m_kategorie->lineEdit(), m_rubrik, m_name, m_portionsart->lineEdit(),
                         m_schwierigkeit->lineEdit(), m_kalorien})
        fremd = fremdeZeichen(e->text(), fremd);
    for (QPlainTextEdit* m : {m_utensilien, m_zutaten, m_zubereitung})
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
    const Felder f{m_kategorie, m_rubrik,     m_name,          m_portionsart, m_anzahl,
                   m_zeit,      m_kochzeit,   m_schwierigkeit, m_kosten,      m_kalorien,
                   m_datum,     m_utensilien, m_zutaten,       m_zubereitung};
    return felderInSatz(f, daten().element1, plattform());
}

void TForm2::Button1Click() {
    Unit4& u = daten();
    // "Less than or equal to one blank": empty, or exactly one blank.
    if (m_rubrik->text().compare(QStringLiteral(" ")) <= 0) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("\n Bitte geben Sie eine Rubrik ein.  \n"));
        return;
    }
    if (!element1Fuellen()) return;
    if (!m_bildDaten.leer()) {
        QString name = u.element1.bild.toQString();
        QString fehler;
        if (!pfl::bildSpeichern(u.lpf + QStringLiteral("Bilder/"), m_bildDaten, name, &fehler)) {
            plattform().message(Platform::Kind::Error, fehler);
            return;
        }
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
    m_name->clear();
    m_kalorien->clear();
    m_zutaten->clear();
    m_zubereitung->clear();
    m_utensilien->clear();
    {
        // The status line keeps what it shows.
        const QSignalBlocker sperre(m_zeit);
        m_zeit->clear();
    }
    m_anzahl->clear();
    m_kochzeit->clear();
    m_kosten->clear();
    bildEntfernen();
    m_speichern->setEnabled(true);
}

// ---------------------------------------------------------------- picture

void TForm2::bildZeigen(const pfl::Rezeptbild& bild) {
    m_bildDaten = bild;
    m_bild->setPixmap(QPixmap::fromImage(bild.bild));
    m_bildGross->setEnabled(true);
}

void TForm2::bildEntfernen() {
    m_bildDaten = pfl::Rezeptbild();
    m_bild->clear();
    m_bildGross->setEnabled(false);
    daten().element1.bild = QString();
}

void TForm2::Button5Click() {
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
    bildZeigen(*b);
    daten().element1.bild = pfl::bildname(QFileInfo(datei).fileName(), b->format);
    m_bildDazu->setEnabled(false);
}

void TForm2::Button6Click() {
    bildEntfernen();
    m_bildDazu->setEnabled(true);
}

void TForm2::SpeedButton1Click() {
    if (m_bildDaten.leer()) return;
    const QString name = daten().element1.bild.toQString();
    // The folder's file is shown only when it is this very picture; a picture attached and not
    // saved yet, or one whose name another picture holds, goes to the window as it is.
    const QFileInfo datei(daten().lpf + QStringLiteral("Bilder/") + name);
    if (pfl::bildnameSicher(name) && datei.isFile() && datei.size() == m_bildDaten.bytes.size() &&
        pfl::dateiInhalt(datei.filePath(), m_bildDaten.bytes.size()) ==
            std::optional<QByteArray>(m_bildDaten.bytes))
        Q_EMIT bildVergroessernVerlangt(name);
    else
        Q_EMIT bildAnsichtVerlangt(name, m_bildDaten.bild);
}

void TForm2::Button8Click() {
    if (!plattform().openUrl(kWebsuche))
        plattform().message(Platform::Kind::Error,
                            QStringLiteral("Der Webbrowser ließ sich nicht öffnen.\n") + kWebsuche);
}
