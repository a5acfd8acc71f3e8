// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/Suchen.h"

#include "appearance/Styles.h"
#include "data/Cp1252.h"
#include "data/Deutsch.h"
#include "data/Farbschema.h"
#include "data/Suche.h"
#include "data/Unit4.h"
#include "pages/Drucklayout.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"
#include "widgets/Datumsfeld.h"
#include "widgets/Namensliste.h"
#include "widgets/Zahlenfeld.h"
#include "widgets/Zeilenliste.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>

namespace {

constexpr int kTexteLaenge = 70; // objekt is a string[70]

QRadioButton* option(QWidget* eltern, const QString& name, const QString& text, const QRect& r) {
    auto* b = new QRadioButton(text, eltern);
    b->setObjectName(name);
    b->setAccessibleName(text);
    b->setGeometry(r);
    return b;
}

QComboBox* vergleich(QWidget* eltern, const QString& name, const QStringList& eintraege,
                     const QString& lesbar, const QRect& r) {
    auto* c = new QComboBox(eltern);
    c->setObjectName(name);
    c->setAccessibleName(lesbar);
    c->addItems(eintraege);
    c->setGeometry(r);
    return c;
}

QLineEdit* feld(QWidget* eltern, const QString& name, const QString& lesbar, const QRect& r) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(name);
    e->setAccessibleName(lesbar);
    e->setGeometry(r);
    return e;
}

// 0, 1, 2 for ">=", "<=", "="; -1 for anything else.
int vergleichsArt(const QComboBox* c) {
    const QString t = c->currentText().trimmed();
    if (t == QLatin1String(">=")) return 0;
    if (t == QLatin1String("<=")) return 1;
    if (t == QLatin1String("=")) return 2;
    return -1;
}

// A stored text as a multi-line field of this width shows it: its lines, the wide ones broken between
// words, each without blanks at its ends. The line breaking measures each character once (a book can
// hold a hundred thousand texts), and the lines go into the packet as the bytes they are stored as.
void umbrechen(QByteArray& text, pfl::Zeilenumbruch& umbruch,
               std::vector<pfl::Zeilenumbruch::Zeilenort>& orte, pfl::Zeilenpaket& paket) {
    orte.clear();
    umbruch.zeilenorteCp1252(text, orte);
    const auto* t = reinterpret_cast<const unsigned char*>(text.constData());
    for (auto [von, laenge] : orte) {
        while (laenge > 0 && pfl::cp1252Leer(t[von])) {
            ++von;
            --laenge;
        }
        while (laenge > 0 && pfl::cp1252Leer(t[von + laenge - 1]))
            --laenge;
        paket.dazu(text.constData() + von, laenge);
    }
}

} // namespace

TForm9::TForm9(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form9"),
                   QStringLiteral("Rezepte im aktuellen Rezeptbuch suchen"), QSize(700, 500), kHilfe) {
    auto* bereich = new QGroupBox(QStringLiteral("Wo suchen?"), this);
    bereich->setObjectName(QStringLiteral("GroupBox3"));
    bereich->setGeometry(16, 8, 340, 72);
    m_aktuellesBuch = option(bereich, QStringLiteral("RadioButton9"),
                             QStringLiteral("Im aktuellen Rezeptbuch suchen"), QRect(12, 22, 320, 20));
    m_alleBuecher = option(bereich, QStringLiteral("RadioButton10"),
                           QStringLiteral("In allen Rezeptbüchern suchen"), QRect(12, 44, 320, 20));

    auto* kriterien = new QGroupBox(QStringLiteral("Wonach suchen?"), this);
    kriterien->setObjectName(QStringLiteral("GroupBox1"));
    kriterien->setGeometry(16, 88, 340, 252);
    m_kategorie = option(kriterien, QStringLiteral("RadioButton1"), QStringLiteral("Kategorie"),
                         QRect(12, 22, 200, 22));
    m_rubrik =
        option(kriterien, QStringLiteral("RadioButton2"), QStringLiteral("Rubrik"), QRect(12, 46, 200, 22));
    m_zutaten = option(kriterien, QStringLiteral("RadioButton3"), QStringLiteral("Nach Zutaten suchen."),
                       QRect(12, 70, 200, 22));
    m_name = option(kriterien, QStringLiteral("RadioButton7"), QStringLiteral("Rezept Name"),
                    QRect(12, 94, 200, 22));
    m_zeit = option(kriterien, QStringLiteral("RadioButton4"), QStringLiteral("Zubereitungszeit"),
                    QRect(12, 126, 150, 22));
    m_preis = option(kriterien, QStringLiteral("RadioButton5"), QStringLiteral("Kaufpreis"),
                     QRect(12, 156, 150, 22));
    m_datum = option(kriterien, QStringLiteral("RadioButton6"), QStringLiteral("Gekauft am"),
                     QRect(12, 186, 150, 22));
    m_jahr = option(kriterien, QStringLiteral("RadioButton8"),
                    QStringLiteral("Was wurde gekauft im Jahr >>>"), QRect(12, 216, 236, 22));
    const QStringList kurz = {QStringLiteral(" >="), QStringLiteral(" <="), QStringLiteral("  =")};
    m_zeitVergleich = vergleich(kriterien, QStringLiteral("ComboBox2"), kurz,
                                QStringLiteral("Vergleich der Zubereitungszeit"), QRect(168, 124, 60, 26));
    m_minuten = feld(kriterien, QStringLiteral("Edit3"), QStringLiteral("Zubereitungszeit in Minuten"),
                     QRect(234, 124, 56, 26));
    auto* min = new QLabel(QStringLiteral("Min."), kriterien);
    min->setObjectName(QStringLiteral("Label3"));
    min->setGeometry(296, 128, 40, 20);
    m_preisVergleich = vergleich(kriterien, QStringLiteral("ComboBox3"), kurz,
                                 QStringLiteral("Vergleich des Kaufpreises"), QRect(168, 154, 60, 26));
    m_betrag = feld(kriterien, QStringLiteral("Edit2"), QStringLiteral("Kaufpreis"), QRect(234, 154, 56, 26));
    m_betrag->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_betrag->installEventFilter(this);
    m_waehrung = new QLabel(kriterien);
    m_waehrung->setObjectName(QStringLiteral("Label2"));
    m_waehrung->setGeometry(296, 158, 40, 20);
    m_datumVergleich = vergleich(kriterien, QStringLiteral("ComboBox1"),
                                 {QStringLiteral("  >="), QStringLiteral("  <="), QStringLiteral("  =")},
                                 QStringLiteral("Vergleich des Datums"), QRect(168, 184, 60, 26));
    m_datumFeld = new DateEdit(plattform(), kriterien);
    m_datumFeld->setObjectName(QStringLiteral("DateEdit1"));
    m_datumFeld->setAccessibleName(QStringLiteral("Gekauft am"));
    m_datumFeld->setGeometry(234, 184, 100, 26);
    m_jahrFeld = new RxSpinEdit(kriterien);
    m_jahrFeld->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_jahrFeld->setAccessibleName(QStringLiteral("Jahr"));
    m_jahrFeld->setGeometry(252, 214, 80, 26);

    m_textLabel = label(QStringLiteral("Label1"), QStringLiteral("Bitte eine Kategorie auswählen."),
                        QRect(16, 348, 340, 20));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->setGeometry(16, 370, 340, 26);
    m_textLabel->setBuddy(m_text);
    m_text->setAccessibleName(QStringLiteral("Suchbegriff"));
    m_exakt = new QCheckBox(QStringLiteral("Exakte Suche ?"), this);
    m_exakt->setObjectName(QStringLiteral("CheckBox1"));
    m_exakt->setAccessibleName(m_exakt->text());
    m_exakt->setGeometry(16, 404, 200, 22);

    m_listenGruppe = new QGroupBox(QStringLiteral("Kategorie suchen"), this);
    m_listenGruppe->setObjectName(QStringLiteral("GroupBox2"));
    m_listenGruppe->setGeometry(372, 8, 312, 420);
    const auto liste = [this](const QString& name, const QString& lesbar) {
        auto* l = new QListWidget(m_listenGruppe);
        l->setObjectName(name);
        l->setAccessibleName(lesbar);
        l->setGeometry(8, 22, 296, 390);
        connect(l, &QListWidget::itemClicked, this, &TForm9::ListBoxClick);
        connect(l, &QListWidget::itemActivated, this, &TForm9::ListBoxClick);
        return l;
    };
    m_kategorien = liste(QStringLiteral("ListBox1"), QStringLiteral("Kategorien"));
    m_rubriken = liste(QStringLiteral("ListBox2"), QStringLiteral("Rubriken"));
    const auto einrichten = [this](QAbstractItemView* l, const QString& name, const QString& lesbar) {
        l->setObjectName(name);
        l->setAccessibleName(lesbar);
        l->setGeometry(8, 22, 296, 390);
    };
    // Every ingredient line of a book, held packed.
    m_zutatenZeilen = new pfl::Zeilenliste(m_listenGruppe);
    einrichten(m_zutatenZeilen, QStringLiteral("ListBox3"), QStringLiteral("Zutaten"));
    connect(m_zutatenZeilen, &pfl::Zeilenliste::gewaehlt, this, &TForm9::textUebernehmen);
    // The names of every book read: the shared list itself, not one item per name.
    m_namen = new pfl::Namensliste(m_listenGruppe);
    einrichten(m_namen, QStringLiteral("ListBox4"), QStringLiteral("Rezeptnamen"));
    connect(m_namen, &pfl::Namensliste::gewaehlt, this, [this] { textUebernehmen(m_namen->currentText()); });

    QPushButton* suchen = knopf(QStringLiteral("Button1"), QStringLiteral("Suchen >>"));
    QPushButton* beenden = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    for (QPushButton* b : {suchen, beenden, hilfe})
        b->move(0, 450);
    knopfreihe(suchen, beenden, hilfe, 2, -5);
    suchen->setDefault(true);

    // Each group: exactly one option selected.
    auto* bereiche = new QButtonGroup(this);
    bereiche->addButton(m_aktuellesBuch);
    bereiche->addButton(m_alleBuecher);
    auto* arten = new QButtonGroup(this);
    for (QRadioButton* b : {m_kategorie, m_rubrik, m_zutaten, m_name, m_zeit, m_preis, m_datum, m_jahr})
        arten->addButton(b);
    // A criterion's handler runs when it becomes selected, by a click or by the opener.
    const auto wenn = [this](QRadioButton* b, void (TForm9::*handler)()) {
        connect(b, &QRadioButton::toggled, this, [this, handler](bool an) {
            if (an) (this->*handler)();
        });
    };
    wenn(m_kategorie, &TForm9::RadioButton1Click);
    wenn(m_rubrik, &TForm9::RadioButton2Click);
    wenn(m_zutaten, &TForm9::RadioButton3Click);
    wenn(m_name, &TForm9::RadioButton7Click);
    wenn(m_zeit, &TForm9::RadioButton4Click);
    wenn(m_preis, &TForm9::RadioButton5Click);
    wenn(m_datum, &TForm9::RadioButton6Click);
    wenn(m_jahr, &TForm9::RadioButton8Click);
    wenn(m_aktuellesBuch, &TForm9::RadioButton9Click);
    wenn(m_alleBuecher, &TForm9::RadioButton10Click);
    connect(suchen, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(beenden, &QPushButton::clicked, this, &QDialog::close);
    connect(&daten(), &Unit4::listenGeaendert, this, &TForm9::listenUebernehmen);

    m_kategorie->setChecked(true);
    m_aktuellesBuch->setChecked(true);
    listeZeigen(m_kategorien, QStringLiteral("Kategorie suchen"));
    // Modal: the book must not change while a criterion for it is chosen.
    setWindowModality(Qt::ApplicationModal);
}

QString TForm9::fehltText() {
    return QStringLiteral("    Bitte einen Begriff zum suchen eingeben.   \n     Benutzen sie zur Info den "
                          "Hilfebutton.    \n");
}

void TForm9::vorbereiten() {
    Unit4& u = daten();
    // The category, section and ingredient lists start empty; the name list only grows.
    u.listen.kategorienSeitSuchbeginn.clear();
    u.listen.rubrikenSeitSuchbeginn.clear();
    m_zutatenZeilen->clear();
    u.datei_lesen();
    u.Kategorien_lesen();

    setWindowTitle(QStringLiteral("Rezepte im aktuellen Rezeptbuch suchen"));
    m_text->setEnabled(true);
    m_text->clear();
    m_betrag->clear();
    m_betrag->setEnabled(false);
    m_datumFeld->setText(QString());
    m_datumFeld->setEnabled(false);
    m_exakt->setChecked(false);
    m_textLabel->setText(QStringLiteral("Bitte eine Kategorie auswählen."));
    m_waehrung->setText(u.option.waehrung.toQString());
    m_waehrung->setEnabled(true);
    m_kategorie->setChecked(true);
    m_aktuellesBuch->setChecked(true);
    for (QComboBox* c : {m_datumVergleich, m_zeitVergleich, m_preisVergleich}) {
        c->setCurrentIndex(0);
        c->setEnabled(false);
    }
    m_jahrFeld->setText(QString::number(u.Year));
    m_jahrFeld->setEnabled(false);
    // The label keeps its request unless choosing "Kategorie" above ran that option's handler.
    gruppeZeigen(m_kategorien, QStringLiteral("Kategorie suchen"));
}

void TForm9::faerben() {
    Nebenfenster::faerben();
    const Tcolor1& c = farben().colorx;
    QPalette p = m_text->palette();
    const QColor grund = pfl::alsFarbe(quint32(c.listb));
    p.setColor(QPalette::Base, grund);
    p.setColor(QPalette::Text, pfl::alsFarbe(quint32(c.listb_font)));
    m_text->setPalette(p);
    // The packed lists look like the window's other lists: the scheme's list colours.
    for (QAbstractItemView* l : std::initializer_list<QAbstractItemView*>{m_zutatenZeilen, m_namen}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::Base, grund);
        lp.setColor(QPalette::Text, pfl::alsFarbe(quint32(c.listb_font)));
        l->setPalette(lp);
    }
}

void TForm9::listenUebernehmen() {
    const pfl::Namenslisten& l = daten().listen;
    const auto setzen = [](QListWidget* w, const QStringList& namen) {
        if (w->count() == namen.size()) {
            bool gleich = true;
            for (int i = 0; i < namen.size() && gleich; ++i)
                gleich = w->item(i)->text() == namen.at(i);
            if (gleich) return;
        }
        w->clear();
        w->addItems(namen);
    };
    setzen(m_kategorien, l.kategorienSeitSuchbeginn);
    setzen(m_rubriken, l.rubrikenSeitSuchbeginn);
    // Shared with the list: an unchanged list is seen at once.
    if (m_namen->namen() != l.rezeptnamenGesammelt) m_namen->setNamen(l.rezeptnamenGesammelt);
}

void TForm9::freigeben(bool text, bool zeit, bool preis, bool datum, bool jahr) {
    m_textLabel->setEnabled(text || zeit);
    if (!zeit) m_text->setEnabled(text); // the preparation time leaves the text field as it is
    m_exakt->setEnabled(text || zeit);
    m_zeitVergleich->setEnabled(zeit);
    m_preisVergleich->setEnabled(preis);
    m_betrag->setEnabled(preis);
    m_datumVergleich->setEnabled(datum);
    m_datumFeld->setEnabled(datum);
    m_jahrFeld->setEnabled(jahr);
    m_minuten->setEnabled(true);
}

void TForm9::listeZeigen(QAbstractItemView* liste, const QString& titel) {
    m_textLabel->setText(titel);
    gruppeZeigen(liste, titel);
}

void TForm9::gruppeZeigen(QAbstractItemView* liste, const QString& titel) {
    m_listenGruppe->setTitle(titel);
    for (QAbstractItemView* l :
         std::initializer_list<QAbstractItemView*>{m_kategorien, m_rubriken, m_zutatenZeilen, m_namen})
        l->setVisible(l == liste);
}

void TForm9::RadioButton1Click() {
    listeZeigen(m_kategorien, QStringLiteral("Kategorie suchen"));
    freigeben(true, false, false, false, false);
    daten().Kategorien_lesen();
}

void TForm9::RadioButton2Click() {
    listeZeigen(m_rubriken, QStringLiteral("Rubrik suchen"));
    freigeben(true, false, false, false, false);
    daten().Rubriken_lesen();
    m_text->setFocus();
}

void TForm9::RadioButton3Click() {
    listeZeigen(m_zutatenZeilen, QStringLiteral("Zutaten suchen"));
    freigeben(true, false, false, false, false);
    zutatenZeilenFuellen();
    m_text->setFocus();
}

void TForm9::RadioButton7Click() {
    listeZeigen(m_namen, QStringLiteral("Rezeptname suchen"));
    freigeben(true, false, false, false, false);
    daten().Rubriken_lesen();
    m_text->setFocus();
}

void TForm9::RadioButton4Click() {
    listeZeigen(nullptr, QStringLiteral("Zubereitungszeit suchen"));
    freigeben(false, true, false, false, false);
    m_minuten->setFocus();
}

void TForm9::RadioButton5Click() {
    freigeben(false, false, true, false, false);
    m_betrag->setFocus();
}

void TForm9::RadioButton6Click() {
    freigeben(false, false, false, true, false);
}

void TForm9::RadioButton8Click() {
    freigeben(false, false, false, false, true);
}

void TForm9::RadioButton9Click() {
    setWindowTitle(QStringLiteral("Rezepte im aktuellen Rezeptbuch suchen"));
}

void TForm9::RadioButton10Click() {
    setWindowTitle(QStringLiteral("Rezepte in allen Rezeptbüchern suchen"));
}

void TForm9::zutatenZeilenFuellen() {
    Unit4& u = daten();
    // The width the lines would have in a text field as wide as the list.
    const int breite = qMax(40, m_zutatenZeilen->viewport()->width() - 8);
    pfl::Zeilenumbruch umbruch(m_zutatenZeilen->font(), breite);
    // Packets of a few thousand recipes' lines each, all appended at once.
    std::vector<pfl::Zeilenpaket> pakete(1);
    std::vector<pfl::Zeilenumbruch::Zeilenort> orte;
    QByteArray text;
    int rezepte = 0;
    pfl::jedeZutatenliste(u.lpf, u.buchPfad(), [&](const char* t, qsizetype n) {
        if (++rezepte % 4096 == 0) pakete.emplace_back();
        text.resize(n);
        std::memcpy(text.data(), t, size_t(n));
        umbrechen(text, umbruch, orte, pakete.back());
    });
    m_zutatenZeilen->anhaengen(std::move(pakete));
}

void TForm9::ListBoxClick(QListWidgetItem* item) {
    QListWidget* liste = item ? item->listWidget() : nullptr;
    if (!liste || liste->row(item) == -1) return;
    textUebernehmen(item->text());
}

void TForm9::textUebernehmen(const QString& text) {
    m_text->setText(text);
    m_text->setFocus();
}

bool TForm9::eventFilter(QObject* o, QEvent* e) {
    // The amount takes only digits and one kind of decimal point: "," is typed as ".".
    if (o == m_betrag && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        if (t.size() == 1 && t.at(0).unicode() >= ' ' && k->key() != Qt::Key_Delete) {
            if (t == QLatin1String(",")) {
                m_betrag->insert(QStringLiteral("."));
                return true;
            }
            return !(t == QLatin1String(".") || (t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9')));
        }
    }
    return Nebenfenster::eventFilter(o, e);
}

bool TForm9::begriffLesen(pfl::Suchbegriff& b) {
    const QString leer = QStringLiteral(" ");
    bool da = false;
    const bool text =
        m_kategorie->isChecked() || m_rubrik->isChecked() || m_zutaten->isChecked() || m_name->isChecked();
    // Plain ordinal comparisons: a single blank is no input, two blanks are.
    if (text)
        da = m_text->text() > leer;
    else if (m_zeit->isChecked())
        da = !m_minuten->text().isEmpty();
    else if (m_preis->isChecked())
        da = m_betrag->text() > leer;
    else if (m_datum->isChecked())
        da = m_datumFeld->Text() > QStringLiteral(" . .   ");
    else if (m_jahr->isChecked())
        da = m_jahrFeld->Text() > leer;
    if (!da) {
        plattform().message(Platform::Kind::Information, fehltText());
        return false;
    }

    b = pfl::Suchbegriff();
    b.objekt = m_text->text().left(kTexteLaenge);
    const auto unlesbar = [this](const QString& was, const QString& eingabe) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("\u201E%1\u201C ist %2.\nBitte korrigieren Sie die Eingabe.").arg(eingabe, was));
        return false;
    };
    if (text) {
        if (!pfl::speicherbar(b.objekt)) {
            plattform().message(
                Platform::Kind::Information,
                QStringLiteral("Der Suchbegriff \u201E%1\u201C enthält Zeichen, die in keinem "
                               "Rezept gespeichert sein können.\nDamit kann kein Rezept "
                               "gefunden werden. Bitte ändern Sie den Suchbegriff.")
                    .arg(b.objekt));
            return false;
        }
        b.was = 0;
        b.exakt = m_exakt->isChecked();
        b.feld = m_kategorie->isChecked() ? pfl::Textfeld::Kategorie
                 : m_rubrik->isChecked()  ? pfl::Textfeld::Rubrik
                 : m_zutaten->isChecked() ? pfl::Textfeld::Zutaten
                                          : pfl::Textfeld::Name;
        return true;
    }
    if (m_zeit->isChecked()) {
        const std::optional<double> z = pfl::dezimalzahl(m_minuten->text());
        if (!z) return unlesbar(QStringLiteral("keine Zeit in Minuten"), m_minuten->text());
        const int art = vergleichsArt(m_zeitVergleich);
        b.was = art < 0 ? 0 : 7 + art;
        b.objekt_zahl = *z;
        return true;
    }
    if (m_preis->isChecked()) {
        bool ok = false;
        const double betrag = QLocale::c().toDouble(m_betrag->text().trimmed(), &ok);
        if (!ok) return unlesbar(QStringLiteral("kein Betrag"), m_betrag->text());
        const int art = vergleichsArt(m_preisVergleich);
        b.was = art < 0 ? 0 : 1 + art;
        b.objekt_zahl = betrag;
        return true;
    }
    if (m_datum->isChecked()) {
        const QDate d = m_datumFeld->Date();
        if (!d.isValid()) return unlesbar(QStringLiteral("kein gültiges Datum"), m_datumFeld->Text());
        const int art = vergleichsArt(m_datumVergleich);
        b.was = art < 0 ? 0 : 4 + art;
        b.datum = d;
        return true;
    }
    b.was = 10;
    b.objekt = m_jahrFeld->Text().left(kTexteLaenge);
    return true;
}

void TForm9::Button1Click() {
    pfl::Suchbegriff b;
    if (!begriffLesen(b)) return;
    const bool alle = m_alleBuecher->isChecked();
    // Only hidden: the listing that takes over refreshes the main window when it closes, and
    // the way it was opened (Unit4::auswahl) stays for its help.
    hide();
    if (alle)
        Q_EMIT inAllenBuechernSuchen(b, QStringLiteral("Datensatz Form22"));
    else
        Q_EMIT imAktuellenBuchSuchen(b, QStringLiteral("Datensatz Form21"));
}
