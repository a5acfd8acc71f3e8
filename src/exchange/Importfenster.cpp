// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Importfenster.h"

#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "exchange/Abruf.h"
#include "platform/Platform.h"
#include "windowbase/Spaetfortschritt.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace pfl {

namespace {

constexpr QSize kEntwurf(980, 660);

QString doppeltText(Importrezept::Doppelt d) {
    switch (d) {
    case Importrezept::Doppelt::ImBuch:
        return QStringLiteral("schon im Rezeptbuch");
    case Importrezept::Doppelt::ImImport:
        return QStringLiteral("doppelt in diesem Import");
    case Importrezept::Doppelt::Nein:
        break;
    }
    return QString();
}

} // namespace

// The recipes found, one row each: the first column chooses it, the others show it as it will be stored.
class Vorschaumodell : public QAbstractTableModel {
public:
    enum Spalte { Uebernehmen, Name, Kategorie, Zutaten, Schritte, Bild, Hinweis, kSpalten };

    explicit Vorschaumodell(Importliste& liste, QObject* parent)
        : QAbstractTableModel(parent), m_liste(liste) {}

    void neu() {
        beginResetModel();
        endResetModel();
    }
    void allesGeaendert() {
        if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kSpalten - 1));
    }

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : int(m_liste.rezepte.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : kSpalten; }

    QVariant headerData(int s, Qt::Orientation o, int rolle) const override {
        if (o != Qt::Horizontal || rolle != Qt::DisplayRole)
            return QAbstractTableModel::headerData(s, o, rolle);
        static const char* const titel[kSpalten] = {"Übernehmen", "Name", "Kategorie", "Zutaten",
                                                    "Schritte",   "Bild", "Hinweise"};
        return QString::fromUtf8(titel[s]);
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (i.column() == Uebernehmen) f |= Qt::ItemIsUserCheckable;
        return f;
    }

    QVariant data(const QModelIndex& i, int rolle) const override {
        if (!i.isValid()) return {};
        const Importrezept& r = m_liste.rezepte.at(i.row());
        if (rolle == Qt::CheckStateRole && i.column() == Uebernehmen)
            return r.gewaehlt ? Qt::Checked : Qt::Unchecked;
        if (rolle == Qt::TextAlignmentRole && (i.column() == Zutaten || i.column() == Schritte))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (rolle != Qt::DisplayRole && rolle != Qt::ToolTipRole && rolle != Qt::AccessibleTextRole)
            return {};
        switch (i.column()) {
        case Uebernehmen:
            return rolle == Qt::DisplayRole
                       ? QVariant()
                       : QVariant(r.gewaehlt ? QStringLiteral("ja") : QStringLiteral("nein"));
        case Name:
            return r.name;
        case Kategorie:
            return r.kategorie;
        case Zutaten:
            return r.zutaten;
        case Schritte:
            return r.schritte;
        case Bild:
            return r.bild.leer() ? (r.bildHinweis.isEmpty() ? QString() : QStringLiteral("nicht übernommen"))
                                 : r.bildname;
        case Hinweis: {
            QStringList h;
            if (r.doppelt != Importrezept::Doppelt::Nein)
                h << QStringLiteral("doppelt: ") + doppeltText(r.doppelt);
            if (!r.kuerzungen.isEmpty()) {
                QStringList felder;
                for (const Kuerzung& k : r.kuerzungen)
                    if (!felder.contains(k.feld)) felder << k.feld;
                h << QStringLiteral("geändert: ") + felder.join(QStringLiteral(", "));
            }
            if (!r.bildHinweis.isEmpty() && rolle != Qt::DisplayRole) h << r.bildHinweis;
            return h.join(QStringLiteral("; "));
        }
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& i, const QVariant& wert, int rolle) override {
        if (!i.isValid() || i.column() != Uebernehmen || rolle != Qt::CheckStateRole) return false;
        m_liste.rezepte[i.row()].gewaehlt = wert.toInt() == Qt::Checked;
        Q_EMIT dataChanged(i, index(i.row(), kSpalten - 1));
        return true;
    }

private:
    Importliste& m_liste;
};

Importfenster::Importfenster(Umgebung& umgebung, Abrufer& abrufer, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Importfenster"), QStringLiteral("Rezepte importieren"),
                   kEntwurf, kHilfe),
      m_abrufer(&abrufer) {
    // Nothing else changes the book while its import is prepared.
    setWindowModality(Qt::ApplicationModal);
    auto* senkrecht = new QVBoxLayout(this);

    // Where the recipes come from.
    auto* quelle = new QGridLayout;
    m_dateien = knopf(QStringLiteral("DateienWaehlen"), QStringLiteral("Dateien wählen …"), QSize(150, 30));
    m_dateien->setToolTip(QStringLiteral("Gespeicherte Webseiten (.html, .htm), MealMaster-Dateien "
                                         "(.mmf, .mm, .txt) oder JSON-LD-Dateien (.jsonld, .json) wählen"));
    auto* adressText = new QLabel(QStringLiteral("&Webadresse:"), this);
    m_adresse = new QLineEdit(this);
    m_adresse->setObjectName(QStringLiteral("Webadresse"));
    m_adresse->setAccessibleName(QStringLiteral("Webadresse"));
    m_adresse->setPlaceholderText(QStringLiteral("https://…"));
    adressText->setBuddy(m_adresse);
    m_laden = knopf(QStringLiteral("AdresseLaden"), QStringLiteral("Laden"), QSize(90, 30));
    m_laden->setAutoDefault(false);
    m_dateien->setAutoDefault(false);
    quelle->addWidget(m_dateien, 0, 0);
    quelle->addWidget(adressText, 0, 1);
    quelle->addWidget(m_adresse, 0, 2);
    quelle->addWidget(m_laden, 0, 3);
    quelle->setColumnStretch(2, 1);
    senkrecht->addLayout(quelle);

    auto* wahl = new QHBoxLayout;
    auto* rubrikText = new QLabel(QStringLiteral("In die &Rubrik:"), this);
    m_rubrik = new QComboBox(this);
    m_rubrik->setObjectName(QStringLiteral("Rubrik"));
    m_rubrik->setAccessibleName(QStringLiteral("In die Rubrik"));
    m_rubrik->setEditable(true);
    m_rubrik->setInsertPolicy(QComboBox::NoInsert);
    m_rubrik->setMinimumContentsLength(20);
    rubrikText->setBuddy(m_rubrik);
    m_doppelte = new QCheckBox(QStringLiteral("&Doppelte Rezepte auch importieren"), this);
    m_doppelte->setObjectName(QStringLiteral("Doppelte"));
    m_doppelte->setAccessibleName(m_doppelte->text().remove(QLatin1Char('&')));
    wahl->addWidget(rubrikText);
    wahl->addWidget(m_rubrik, 1);
    wahl->addSpacing(12);
    wahl->addWidget(m_doppelte);
    senkrecht->addLayout(wahl);

    auto* teiler = new QSplitter(Qt::Vertical, this);
    teiler->setObjectName(QStringLiteral("Teiler"));
    teiler->setChildrenCollapsible(false);
    m_modell = new Vorschaumodell(m_liste, this);
    m_tabelle = new QTableView(teiler);
    m_tabelle->setObjectName(QStringLiteral("Vorschau"));
    m_tabelle->setAccessibleName(QStringLiteral("Gefundene Rezepte"));
    m_tabelle->setModel(m_modell);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabelle->setWordWrap(false);
    m_tabelle->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed); // uniform rows for large imports
    m_tabelle->verticalHeader()->hide();
    m_tabelle->horizontalHeader()->setStretchLastSection(true);
    m_tabelle->resizeColumnToContents(Vorschaumodell::Uebernehmen); // its heading, whole
    m_tabelle->setColumnWidth(Vorschaumodell::Name, 260);
    m_tabelle->setColumnWidth(Vorschaumodell::Kategorie, 140);
    m_tabelle->setColumnWidth(Vorschaumodell::Zutaten, 65);
    m_tabelle->setColumnWidth(Vorschaumodell::Schritte, 65);
    m_tabelle->setColumnWidth(Vorschaumodell::Bild, 130);
    m_einzelheiten = new QPlainTextEdit(teiler);
    m_einzelheiten->setObjectName(QStringLiteral("Einzelheiten"));
    m_einzelheiten->setAccessibleName(QStringLiteral("So wird das Rezept gespeichert"));
    m_einzelheiten->setReadOnly(true);
    m_einzelheiten->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    teiler->addWidget(m_tabelle);
    teiler->addWidget(m_einzelheiten);
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);
    senkrecht->addWidget(teiler, 1);

    m_zaehler = new QLabel(this);
    m_zaehler->setObjectName(QStringLiteral("Zaehlzeile"));
    m_zaehler->setWordWrap(true);
    senkrecht->addWidget(m_zaehler);
    m_abgelehnt = new QLabel(this);
    m_abgelehnt->setObjectName(QStringLiteral("Abgelehnt"));
    m_abgelehnt->setWordWrap(true);
    m_abgelehnt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_abgelehnt->hide();
    senkrecht->addWidget(m_abgelehnt);

    auto* knoepfe = new QHBoxLayout;
    m_importieren = knopf(QStringLiteral("Importieren"), QStringLiteral("Importieren"));
    m_importieren->setDefault(true);
    m_abbrechen = knopf(QStringLiteral("Abbrechen"), QStringLiteral("Abbrechen"));
    m_abbrechen->setAutoDefault(false);
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Hilfe"));
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_importieren);
    knoepfe->addWidget(m_abbrechen);
    knoepfe->addWidget(hilfe);
    knoepfe->addStretch(1);
    senkrecht->addLayout(knoepfe);

    m_rubrikUhr = new QTimer(this);
    m_rubrikUhr->setSingleShot(true);
    m_rubrikUhr->setInterval(300);

    connect(m_dateien, &QPushButton::clicked, this, &Importfenster::dateienWaehlen);
    connect(m_laden, &QPushButton::clicked, this, &Importfenster::adresseLaden);
    // Return in the address field loads it; it must not reach the default button "Importieren".
    m_adresse->installEventFilter(this);
    connect(m_importieren, &QPushButton::clicked, this, &Importfenster::importieren);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_rubrik, &QComboBox::currentTextChanged, this, &Importfenster::rubrikGeaendert);
    connect(m_rubrikUhr, &QTimer::timeout, this, &Importfenster::rubrikAnwenden);
    connect(m_doppelte, &QCheckBox::toggled, this, &Importfenster::doppelteUmschalten);
    connect(m_tabelle->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Importfenster::zeileGewaehlt);
    connect(m_modell, &QAbstractItemModel::dataChanged, this, &Importfenster::zaehlen);
    connect(m_modell, &QAbstractItemModel::modelReset, this, &Importfenster::zaehlen);
}

Importfenster::~Importfenster() = default;

bool Importfenster::eventFilter(QObject* o, QEvent* e) {
    if (o == m_adresse && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            adresseLaden();
            return true;
        }
    }
    return Nebenfenster::eventFilter(o, e);
}

void Importfenster::vorbereiten() {
    Unit4& u = daten();
    u.Rubriken_lesen();
    const QString vorschlag = vorgeschlageneRubrik(u);
    {
        const QSignalBlocker still(m_rubrik);
        m_rubrik->clear();
        m_rubrik->addItems(u.listen.rubrikenSortiert);
        m_rubrik->setEditText(vorschlag);
        m_rubrik->setCurrentIndex(m_rubrik->findText(vorschlag));
        m_rubrik->setEditText(vorschlag);
    }
    {
        const QSignalBlocker still(m_doppelte);
        m_doppelte->setChecked(false);
    }
    m_liste = Importliste();
    m_angewandt.reset();
    m_modell->neu();
    m_einzelheiten->clear();
    m_abgelehnt->clear();
    m_abgelehnt->hide();
    m_adresse->clear();
    // A laid-out window: the design size where the screen has room, else the room there is.
    setFixedSize(kEntwurf.boundedTo(nutzflaeche().size()));
}

void Importfenster::oeffnenMit(const QStringList& quellen) {
    if (daten().rezeptbuch.isEmpty()) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("Es ist kein Rezeptbuch gewählt. Legen Sie zuerst ein Rezeptbuch an "
                           "(Datei › Rezeptbuch anlegen)."));
        // The main window hid its data screen for this window.
        Q_EMIT daten().copy1Angefordert();
        return;
    }
    oeffnen();
    if (!quellen.isEmpty()) lesen(quellen);
}

void Importfenster::dateienWaehlen() {
    const QStringList dateien = plattform().chooseOpenFiles(
        QStringLiteral("Rezepte importieren"), QDir::homePath(),
        {QStringLiteral("Rezepte (*.html *.htm *.mmf *.mm *.txt *.jsonld *.json)"),
         QStringLiteral("Webseiten (*.html *.htm)"), QStringLiteral("MealMaster-Dateien (*.mmf *.mm *.txt)"),
         QStringLiteral("JSON-LD-Dateien (*.jsonld *.json)"), QStringLiteral("Alle Dateien (*)")});
    if (!dateien.isEmpty()) lesen(dateien);
}

void Importfenster::adresseLaden() {
    const QString adresse = m_adresse->text().trimmed();
    if (adresse.isEmpty()) return;
    if (!istWebadresse(adresse)) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("„%1“ ist keine Webadresse. Bitte geben Sie eine Adresse ein, die mit "
                           "http:// oder https:// beginnt.")
                .arg(adresse));
        return;
    }
    lesen({adresse});
}

void Importfenster::lesen(const QStringList& quellen) {
    Spaetfortschritt fortschritt(this, QStringLiteral("Importfortschritt"),
                                 QStringLiteral("Rezepte werden eingelesen"), m_fortschrittNach);
    const auto melden = [&](const QString& was, qint64 erledigt, qint64 gesamt) {
        if (fortschritt.zeigen()) {
            QProgressDialog& d = fortschritt.dialog();
            // Sizes of several MB do not fit the bar's int: it counts in kB.
            d.setMaximum(gesamt > 0 ? int(gesamt / 1024) + 1 : 0);
            d.setValue(gesamt > 0 ? int(erledigt / 1024) : 0);
            d.setLabelText(was);
        }
        QCoreApplication::processEvents();
        return !fortschritt.abgebrochen();
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Importliste neu = importLesen(quellen, *m_abrufer, melden);
    QApplication::restoreOverrideCursor();
    fortschritt.beenden();

    m_liste = std::move(neu);
    m_rubrikUhr->stop();
    m_angewandt = m_rubrik->currentText();
    rubrikSetzen(m_liste, *m_angewandt, plattform().today());
    doppelteMarkieren(m_liste, daten(), m_doppelte->isChecked());
    m_modell->neu();
    m_einzelheiten->clear();

    QStringList gruende;
    for (const Abgelehnt& a : m_liste.abgelehnt)
        gruende << a.text();
    if (m_liste.abgebrochen) gruende << QStringLiteral("Das Einlesen wurde abgebrochen.");
    m_abgelehnt->setText(gruende.isEmpty()
                             ? QString()
                             : QStringLiteral("Nicht übernommen: ") + gruende.join(QLatin1Char('\n')));
    m_abgelehnt->setVisible(!gruende.isEmpty());
    if (m_liste.rezepte.isEmpty()) {
        if (!m_liste.abgebrochen || !m_liste.abgelehnt.isEmpty())
            plattform().message(Platform::Kind::Information,
                                gruende.join(QStringLiteral("\n\n")) +
                                    QStringLiteral("\n\nEs wurde nichts importiert."));
        return;
    }
    m_tabelle->selectRow(0);
    m_tabelle->setFocus(Qt::OtherFocusReason);
}

void Importfenster::rubrikGeaendert() {
    m_rubrikUhr->start();
}

void Importfenster::rubrikAnwenden() {
    m_rubrikUhr->stop();
    const QString rubrik = m_rubrik->currentText();
    if (m_angewandt == rubrik) return;
    rubrikSetzen(m_liste, rubrik, plattform().today());
    m_angewandt = rubrik;
    m_modell->allesGeaendert();
    zeileGewaehlt();
}

void Importfenster::doppelteUmschalten(bool auch) {
    for (Importrezept& r : m_liste.rezepte)
        if (r.doppelt != Importrezept::Doppelt::Nein) r.gewaehlt = auch;
    m_modell->allesGeaendert();
}

void Importfenster::zeileGewaehlt() {
    einzelheitenZeigen(m_tabelle->currentIndex().isValid() ? m_tabelle->currentIndex().row() : -1);
}

void Importfenster::einzelheitenZeigen(int zeile) {
    if (zeile < 0 || zeile >= m_liste.rezepte.size()) {
        m_einzelheiten->clear();
        return;
    }
    const Importrezept& r = m_liste.rezepte.at(zeile);
    const dateien s = m_liste.satz(zeile);
    QStringList t;
    t << QStringLiteral("So wird das Rezept gespeichert (aus %1):").arg(r.quelle);
    t << QStringLiteral("Name: %1").arg(s.name.toQString());
    t << QStringLiteral("Rubrik: %1").arg(s.Rubrik.toQString());
    t << QStringLiteral("Kategorie: %1").arg(s.kategorie.toQString());
    t << QStringLiteral("Anzahl: %1 %2").arg(s.anzahl.toQString(), s.personen.toQString()).trimmed();
    t << QStringLiteral("Zubereitungszeit: %1 Min.   Koch-/Backzeit: %2 Min.")
             .arg(s.zeit.toQString(), s.k_zeit.toQString());
    t << QStringLiteral("Schwierigkeitsgrad: %1   Kalorien: %2   Kosten: %3")
             .arg(s.schwer.toQString(), s.kalorien.toQString(), waehrungText(s.preis));
    t << QStringLiteral("Erfasst am: %1").arg(s.erfasst_am.toQString());
    t << QStringLiteral("Bild: %1")
             .arg(r.bild.leer() ? (r.bildHinweis.isEmpty() ? QStringLiteral("keines") : r.bildHinweis)
                                : r.bildname);
    if (r.doppelt != Importrezept::Doppelt::Nein)
        t << QStringLiteral("Doppelt: Ein Rezept mit demselben Namen und denselben Zutaten ist %1.")
                 .arg(r.doppelt == Importrezept::Doppelt::ImBuch
                          ? QStringLiteral("schon im Rezeptbuch")
                          : QStringLiteral("schon weiter oben in diesem Import"));
    if (!r.kuerzungen.isEmpty()) {
        t << QString() << QStringLiteral("Geänderte Felder:");
        for (const Kuerzung& k : r.kuerzungen)
            t << QStringLiteral("– ") + kuerzungText(k);
    }
    if (!s.utensielien.toQString().isEmpty())
        t << QString() << QStringLiteral("Küchenutensilien:") << s.utensielien.plainText();
    t << QString() << QStringLiteral("Zutaten:") << s.zutaten.plainText();
    t << QString() << QStringLiteral("Zubereitung:") << s.zubereitung.plainText();
    m_einzelheiten->setPlainText(t.join(QLatin1Char('\n')));
}

void Importfenster::zaehlen() {
    const qsizetype alle = m_liste.rezepte.size();
    if (alle == 0) {
        m_zaehler->setText(
            QStringLiteral("Noch keine Rezepte eingelesen. Wählen Sie Dateien oder geben Sie eine "
                           "Webadresse ein."));
        m_importieren->setEnabled(false);
        return;
    }
    const qsizetype gewaehlt = m_liste.gewaehlt();
    QString text = QStringLiteral("%1 gefunden, %2 zum Importieren ausgewählt")
                       .arg(alle == 1 ? QStringLiteral("1 Rezept") : QStringLiteral("%1 Rezepte").arg(alle))
                       .arg(gewaehlt);
    if (const qsizetype d = m_liste.doppelte()) text += QStringLiteral(", %1 doppelt").arg(d);
    if (const qsizetype k = m_liste.gekuerzte()) text += QStringLiteral(", %1 mit geänderten Feldern").arg(k);
    m_zaehler->setText(text + QLatin1Char('.'));
    m_importieren->setEnabled(gewaehlt > 0);
}

void Importfenster::importieren() {
    if (m_liste.gewaehlt() == 0) return;
    Unit4& u = daten();
    if (u.rezeptbuch.isEmpty()) {
        plattform().message(
            Platform::Kind::Information,
            QStringLiteral("Es ist kein Rezeptbuch gewählt. Legen Sie zuerst ein Rezeptbuch an "
                           "(Datei › Rezeptbuch anlegen). Es wurde nichts importiert."));
        return;
    }
    // What the table shows is what is written: a section still being typed is applied first.
    if (m_rubrikUhr->isActive() || m_angewandt != m_rubrik->currentText()) rubrikAnwenden();
    if (m_rubrik->currentText().trimmed().isEmpty()) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("\n Bitte geben Sie eine Rubrik ein.  \n"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Importschreibung e = importSchreiben(u, m_liste);
    QApplication::restoreOverrideCursor();
    if (!e.fehler.isEmpty()) {
        if (!e.gemeldet) plattform().message(Platform::Kind::Error, e.fehler);
        return;
    }
    const QString rubrik = m_liste.rezepte.isEmpty() ? QString() : m_liste.satz(0).Rubrik.toQString();
    m_liste = Importliste();
    m_modell->neu();
    Q_EMIT importiert(e.anzahl, rubrik);
    accept();
}

} // namespace pfl
