// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Rezeptformular.h"

#include "appearance/Styles.h"
#include "widgets/Datumsfeld.h"
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
#include "widgets/Namensliste.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace pfl {

using namespace rezeptfelder;

namespace {

QPushButton* knopf(QWidget* eltern, const QString& name, const QString& text) {
    auto* b = new QPushButton(text, eltern);
    b->setObjectName(name);
    b->setAccessibleName(text);
    return b;
}

// What the window adds to a box, made right after the box's own controls: the Tab key reaches it
// there.
QList<QWidget*> zusatz(const Rezeptformular::Boxzusatz& z, QGroupBox* box) {
    return z ? z(box) : QList<QWidget*>();
}

QVBoxLayout* untereinander(QGroupBox* box, const QList<QWidget*>& oben, const QList<QWidget*>& unten = {}) {
    auto* l = new QVBoxLayout(box);
    for (QWidget* w : oben + unten)
        l->addWidget(w);
    return l;
}

} // namespace

Rezeptformular::Rezeptformular(const Aufbau& aufbau, Platform& plattform, QWidget* fenster)
    : QWidget(fenster), m_plattform(plattform) {
    setObjectName(QStringLiteral("Inhalt"));
    auto* spalten = new QHBoxLayout(this);
    linksBauen(aufbau, spalten);
    mitteBauen(aufbau, spalten);
    rechtsBauen(aufbau, spalten);

    const Felder& f = m_felder;
    for (QLineEdit* e : {f.kategorie->lineEdit(), f.rubrik, f.name, f.portionsart->lineEdit(),
                         f.schwierigkeit->lineEdit(), f.kalorien})
        connect(e, &QLineEdit::textChanged, this, &Rezeptformular::textGeaendert);
    for (QPlainTextEdit* m : {f.utensilien, f.zutaten, f.zubereitung})
        connect(m, &QPlainTextEdit::textChanged, this, &Rezeptformular::textGeaendert);
}

void Rezeptformular::linksBauen(const Aufbau& a, QHBoxLayout* spalten) {
    auto* links = new QVBoxLayout;
    QGroupBox* gKat =
        gruppe(this, QStringLiteral("GroupBox1"), QStringLiteral("Bitte eine Kategorie auswählen"));
    m_felder.kategorie = auswahlfeld(gKat, QStringLiteral("ComboBox2"), gKat->title(), {});
    untereinander(gKat, {m_felder.kategorie}, zusatz(a.kategorie, gKat));
    links->addWidget(gKat);

    QGroupBox* gRub = gruppe(this, QStringLiteral("GroupBox3"), QStringLiteral("Bitte Rubrik auswählen"));
    m_felder.rubrik = new QLineEdit(gRub);
    m_felder.rubrik->setObjectName(QStringLiteral("Edit1"));
    m_felder.rubrik->setAlignment(Qt::AlignCenter);
    m_felder.rubrik->setAccessibleName(gRub->title());
    m_rubriken = new QListWidget(gRub);
    m_rubriken->setObjectName(QStringLiteral("ListBox1"));
    m_rubriken->setAccessibleName(QStringLiteral("Rubriken"));
    untereinander(gRub, {m_felder.rubrik, m_rubriken}, zusatz(a.rubriken, gRub))
        ->setStretchFactor(m_rubriken, 1);
    links->addWidget(gRub, 1);

    m_rezepteBox = gruppe(this, QStringLiteral("GroupBox2"), a.rezepteTitel);
    m_rezepte = new pfl::Namensliste(m_rezepteBox);
    m_rezepte->setObjectName(QStringLiteral("ListBox2"));
    m_rezepte->setAccessibleName(a.rezepteLesbar);
    untereinander(m_rezepteBox, {m_rezepte});
    links->addWidget(m_rezepteBox, 1);
    spalten->addLayout(links, 2);
}

void Rezeptformular::mitteBauen(const Aufbau& a, QHBoxLayout* spalten) {
    auto* mitte = new QVBoxLayout;
    QGroupBox* gName = gruppe(this, QStringLiteral("GroupBox4"), QStringLiteral("Name des Rezepts "));
    QLineEdit* name = m_felder.name = new QLineEdit(gName);
    name->setObjectName(QStringLiteral("Edit2"));
    name->setAlignment(Qt::AlignCenter);
    name->setAccessibleName(gName->title().trimmed());
    QFont nameSchrift(QStringLiteral("Times New Roman"));
    nameSchrift.setStyleHint(QFont::Serif);
    nameSchrift.setPixelSize(16);
    nameSchrift.setBold(true);
    name->setFont(nameSchrift);
    untereinander(gName, {name}, zusatz(a.name, gName));
    mitte->addWidget(gName);

    QGroupBox* gUt =
        gruppe(this, QStringLiteral("GroupBox5"), QStringLiteral("Sie benötigen folgende Küchenutensilien"));
    m_felder.utensilien = memo(gUt, QStringLiteral("Memo3"));
    untereinander(gUt, {m_felder.utensilien});
    mitte->addWidget(gUt, 1);
    QGroupBox* gZut = gruppe(this, a.zutatenBox, QStringLiteral("Zutatenliste"));
    m_felder.zutaten = memo(gZut, QStringLiteral("Memo1"));
    untereinander(gZut, {m_felder.zutaten});
    mitte->addWidget(gZut, 2);
    QGroupBox* gZub = gruppe(this, a.zubereitungBox, QStringLiteral("Zubereitung"));
    const QList<QWidget*> ueberZubereitung = zusatz(a.zubereitung, gZub);
    m_felder.zubereitung = memo(gZub, QStringLiteral("Memo2"));
    untereinander(gZub, ueberZubereitung, {m_felder.zubereitung})->setStretchFactor(m_felder.zubereitung, 1);
    mitte->addWidget(gZub, 3);
    if (a.mitte) a.mitte(*this, mitte);
    spalten->addLayout(mitte, 4);
}

void Rezeptformular::rechtsBauen(const Aufbau& a, QHBoxLayout* spalten) {
    auto* rechts = new QVBoxLayout;
    QGroupBox* gSchw = gruppe(this, a.schwierigkeitBox, QStringLiteral("Schwierigkeitsgrad"));
    m_felder.schwierigkeit = auswahlfeld(gSchw, QStringLiteral("ComboBox1"), gSchw->title(),
                                         {QStringLiteral("Simpel"), QStringLiteral("Leicht"),
                                          QStringLiteral("Mittel "), QStringLiteral("Schwer")});
    untereinander(gSchw, {m_felder.schwierigkeit});
    rechts->addWidget(gSchw);

    m_zahlen = new QGridLayout;
    m_felder.portionsart =
        auswahlfeld(this, QStringLiteral("ComboBox3"), QStringLiteral("Art der Portionen"), a.portionsarten);
    m_felder.anzahl = new RxSpinEdit(this);
    m_felder.anzahl->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_felder.anzahl->setAccessibleName(QStringLiteral("Anzahl Personen oder Portionen"));
    m_zahlen->addWidget(m_felder.portionsart, m_zahlenZeilen, 0);
    m_zahlen->addWidget(m_felder.anzahl, m_zahlenZeilen, 1);
    ++m_zahlenZeilen;
    m_felder.kosten = new CurrencyEdit(this);
    m_felder.kosten->setObjectName(QStringLiteral("CurrencyEdit1"));
    zahlenzeile(QStringLiteral("Label1"), a.kostenText, m_felder.kosten);
    m_felder.zeit = new RxSpinEdit(this);
    m_felder.zeit->setObjectName(QStringLiteral("RxSpinEdit2"));
    zahlenzeile(QStringLiteral("Label2"), a.zeitText, m_felder.zeit);
    m_felder.kochzeit = new RxSpinEdit(this);
    m_felder.kochzeit->setObjectName(QStringLiteral("RxSpinEdit3"));
    zahlenzeile(QStringLiteral("Label3"), a.kochzeitText, m_felder.kochzeit);
    m_felder.kalorien = new QLineEdit(this);
    m_felder.kalorien->setObjectName(QStringLiteral("Edit4"));
    m_felder.kalorien->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    zahlenzeile(QStringLiteral("Label4"), QStringLiteral("Kalorien p. Portion"), m_felder.kalorien);
    m_felder.datum = new DateEdit(m_plattform, this);
    m_felder.datum->setObjectName(QStringLiteral("DateEdit1"));
    zahlenzeile(QStringLiteral("Label5"), QStringLiteral("Erfasst am"), m_felder.datum);
    rechts->addLayout(m_zahlen);
    if (a.rechts) a.rechts(*this, rechts);
    bildBauen(a, rechts);
    spalten->addLayout(rechts, 2);
}

void Rezeptformular::bildBauen(const Aufbau& a, QVBoxLayout* rechts) {
    m_bildBox = gruppe(this, a.bildBox, QStringLiteral("Bild"));
    m_bild = new QLabel(m_bildBox);
    m_bild->setObjectName(QStringLiteral("Image1"));
    m_bild->setScaledContents(true); // stretched to the box
    m_bild->setMinimumSize(120, 90);
    m_bild->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_bildDazu = knopf(m_bildBox, QStringLiteral("Button5"), QStringLiteral("Bild hinzufügen"));
    m_bildWeg = knopf(m_bildBox, QStringLiteral("Button6"), QStringLiteral("Bild löschen"));
    // Return in a one-line field must not choose or drop a picture.
    m_bildDazu->setAutoDefault(false);
    m_bildWeg->setAutoDefault(false);
    m_bildGross = new QToolButton(m_bildBox);
    m_bildGross->setObjectName(QStringLiteral("SpeedButton1"));
    m_bildGross->setText(QStringLiteral("\u2922"));
    m_bildGross->setAccessibleName(QStringLiteral("Bild vergrößern"));
    m_bildGross->setToolTip(QStringLiteral("Bild vergrößern"));
    m_bildGross->setEnabled(false);
    auto* lBild = new QVBoxLayout(m_bildBox);
    lBild->addWidget(m_bild, 1);
    auto* bildKnoepfe = new QHBoxLayout;
    bildKnoepfe->addWidget(m_bildDazu);
    bildKnoepfe->addWidget(m_bildWeg);
    bildKnoepfe->addWidget(m_bildGross);
    lBild->addLayout(bildKnoepfe);
    rechts->addWidget(m_bildBox, 1);
}

void Rezeptformular::zahlenzeile(const QString& labelName, const QString& text, QWidget* feld) {
    auto* l = new QLabel(text, this);
    l->setObjectName(labelName);
    l->setBuddy(feld);
    feld->setAccessibleName(text.simplified());
    m_zahlen->addWidget(l, m_zahlenZeilen, 0);
    m_zahlen->addWidget(feld, m_zahlenZeilen, 1);
    ++m_zahlenZeilen;
}

void Rezeptformular::rubrikenZeigen(const QStringList& rubriken) {
    if (rubriken == m_gezeigteRubriken) return;
    m_gezeigteRubriken = rubriken;
    listeFuellen(m_rubriken, m_gezeigteRubriken);
}

void Rezeptformular::kategorienZeigen(const QStringList& kategorien) {
    if (kategorien == m_gezeigteKategorien) return;
    m_gezeigteKategorien = kategorien;
    QComboBox* k = m_felder.kategorie;
    const QSignalBlocker sperre(k);
    const QString text = k->currentText();
    k->clear();
    k->addItems(m_gezeigteKategorien);
    k->setEditText(text);
}

void Rezeptformular::bildZeigen(const Rezeptbild& bild) {
    m_bildDaten = bild;
    m_bild->setPixmap(QPixmap::fromImage(bild.bild));
}

void Rezeptformular::bildEntfernen() {
    m_bildDaten = Rezeptbild();
    m_bild->clear();
}

std::optional<QString> Rezeptformular::bildWaehlen(Platform& plattform) {
    const QString start = m_bildOrdnerWahl.isEmpty() ? QDir::homePath() : m_bildOrdnerWahl;
    const QString datei = plattform.choosePictureFile(start, bildFilter());
    if (datei.isEmpty()) return std::nullopt;
    QString fehler;
    const std::optional<Rezeptbild> b = bildLaden(datei, &fehler);
    if (!b) {
        plattform.message(Platform::Kind::Error, fehler);
        return std::nullopt;
    }
    m_bildOrdnerWahl = QFileInfo(datei).absolutePath();
    bildZeigen(*b);
    return bildname(QFileInfo(datei).fileName(), b->format);
}

bool Rezeptformular::bildSpeichern(const QString& ordner, QString& name, Platform& plattform) const {
    if (m_bildDaten.leer()) return true;
    QString fehler;
    if (pfl::bildSpeichern(ordner, m_bildDaten, name, &fehler)) return true;
    plattform.message(Platform::Kind::Error, fehler);
    return false;
}

void Rezeptformular::faerben() {
    QPalette p = m_felder.name->palette();
    p.setColor(QPalette::Text, lesbareFarbe(QColor(0x80, 0, 0), p.color(QPalette::Base)));
    m_felder.name->setPalette(p);
}

} // namespace pfl
