// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/Einstellungen.h"

#include "data/Unit4.h"
#include "platform/Platform.h"
#include "recipes/Schreibwache.h"
#include "widgets/Zahlenfeld.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kKnopfBreite = 90;
const QString kZeilenhoeheText = QStringLiteral("Spaltenhöhe in Tabellen");
const QString kBildgroesseText = QStringLiteral("Bildgröße beim Ausdruck");

} // namespace

TEinst::TEinst(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Einst"), QStringLiteral("Einstellungen"),
                   QSize(440, 340), 750) {
    m_seiten = new QTabWidget(this);
    m_seiten->setObjectName(QStringLiteral("PageControl1"));
    m_seiten->setGeometry(10, 10, 420, 260);

    // --- settings
    auto* seite1 = new QWidget;
    seite1->setObjectName(QStringLiteral("TabSheet1"));
    auto beschriftung = [](QWidget* seite, const QString& name, const QString& text, const QRect& r,
                           QWidget* feld) {
        auto* l = new QLabel(text, seite);
        l->setObjectName(name);
        l->setGeometry(r);
        l->setBuddy(feld);
        feld->setAccessibleName(text.trimmed());
        return l;
    };
    m_waehrung = new QLineEdit(seite1);
    m_waehrung->setObjectName(QStringLiteral("Edit3"));
    m_waehrung->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_waehrung->setMaxLength(5); // the record holds five characters
    m_waehrung->setGeometry(220, 20, 90, 26);
    beschriftung(seite1, QStringLiteral("Label1"), QStringLiteral("Währungsbezeichnung"),
                 QRect(16, 22, 200, 22), m_waehrung);
    m_euro = new QPushButton(QStringLiteral("€"), seite1);
    m_euro->setObjectName(QStringLiteral("Button4"));
    m_euro->setAccessibleName(QStringLiteral("€"));
    m_euro->setToolTip(QStringLiteral("Euro als Währungsbezeichnung"));
    m_euro->setAutoDefault(false);
    m_euro->setGeometry(316, 20, 34, 26);
    m_zeilenhoehe = new RxSpinEdit(seite1);
    m_zeilenhoehe->setObjectName(QStringLiteral("RxSpinEdit1"));
    m_zeilenhoehe->setMaxValue(100);
    m_zeilenhoehe->setGeometry(220, 64, 90, 26);
    beschriftung(seite1, QStringLiteral("Label2"), kZeilenhoeheText, QRect(16, 66, 200, 22), m_zeilenhoehe);
    m_bildgroesse = new RxSpinEdit(seite1);
    m_bildgroesse->setObjectName(QStringLiteral("RxSpinEdit2"));
    m_bildgroesse->setGeometry(220, 108, 90, 26);
    beschriftung(seite1, QStringLiteral("Label3"), kBildgroesseText, QRect(16, 110, 200, 22), m_bildgroesse);
    m_seiten->addTab(seite1, QStringLiteral("Einstellungen"));

    // --- owner data: sunken one-line panels as labels
    auto* seite2 = new QWidget;
    seite2->setObjectName(QStringLiteral("TabSheet2"));
    struct Zeile {
        QLineEdit*& feld;
        const char* name;
        const char* panel;
        QString text;
    };
    const Zeile zeilen[] = {
        {m_name, "Edit1", "Panel1", QStringLiteral(" Name")},
        {m_vorname, "Edit2", "Panel2", QStringLiteral(" Vorname")},
        {m_strasse, "Edit5", "Panel3", QStringLiteral(" Strasse")},
        {m_ort, "Edit6", "Panel4", QStringLiteral(" PLZ/Ort")},
        {m_tel, "Edit7", "Panel5", QStringLiteral(" Telefon")},
        {m_fax, "Edit8", "Panel6", QStringLiteral(" Fax")},
    };
    int y = 14;
    for (const Zeile& z : zeilen) {
        z.feld = new QLineEdit(seite2);
        z.feld->setObjectName(QString::fromLatin1(z.name));
        z.feld->setMaxLength(25); // the record holds 25 characters per field
        z.feld->setGeometry(136, y, 260, 26);
        QLabel* l = beschriftung(seite2, QString::fromLatin1(z.panel), z.text, QRect(12, y, 116, 26), z.feld);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        y += 36;
    }
    m_seiten->addTab(seite2, QStringLiteral("Stammdaten"));

    QPushButton* speichern =
        knopf(QStringLiteral("Button1"), QStringLiteral("Speichern >>"), QSize(kKnopfBreite, 30));
    QPushButton* beenden =
        knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"), QSize(kKnopfBreite, 30));
    QPushButton* hilfe = hilfeKnopf(QStringLiteral("Button3"));
    hilfe->resize(kKnopfBreite, 30);
    for (QPushButton* b : {speichern, beenden, hilfe}) {
        b->move(0, 290);
        b->setAutoDefault(false);
    }
    knopfreihe(speichern, beenden, hilfe, 2, -5);

    // Focus order: the settings from top to bottom, the owner data from the bottom field upwards.
    const QList<QWidget*> reihe = {m_waehrung, m_euro,    m_zeilenhoehe, m_bildgroesse, m_fax,   m_tel, m_ort,
                                   m_strasse,  m_vorname, m_name,        speichern,     beenden, hilfe};
    for (qsizetype i = 1; i < reihe.size(); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);
    // The window sees the arrow keys before its controls do.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    connect(m_euro, &QPushButton::clicked, this, &TEinst::Button4Click);
    connect(speichern, &QPushButton::clicked, this, &TEinst::Button1Click);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
}

void TEinst::vorbereiten() {
    const Unit4& u = daten();
    // Shown as stored, not held within the arrows' bounds: saving must not change what the user did not
    // touch.
    m_zeilenhoehe->setText(QString::number(u.option.z_hoehe));
    m_bildgroesse->setText(QString::number(u.option.bildgroesse));
    m_waehrung->setText(u.option.waehrung.toQString());
    m_name->setText(u.st_inh1.Name.toQString());
    m_vorname->setText(u.st_inh1.vorname.toQString());
    m_strasse->setText(u.st_inh1.Strasse.toQString());
    m_ort->setText(u.st_inh1.ort.toQString());
    m_tel->setText(u.st_inh1.tel.toQString());
    m_fax->setText(u.st_inh1.fax.toQString());
    m_seiten->setCurrentIndex(1);
    m_fax->setFocus();
}

bool TEinst::eventFilter(QObject* o, QEvent* e) {
    // Up and down arrows move the focus, and the control that had it still gets the key. Only the
    // focused control's own event counts: one it ignores travels on to its parents.
    if (e->type() == QEvent::KeyPress && o == QApplication::focusWidget()) {
        const int taste = static_cast<QKeyEvent*>(e)->key();
        if (taste == Qt::Key_Up || taste == Qt::Key_Down) focusNextPrevChild(taste == Qt::Key_Down);
    } else if (e->type() == QEvent::KeyRelease && o == m_waehrung &&
               static_cast<QKeyEvent*>(e)->key() == Qt::Key_Down) {
        focusNextPrevChild(true);
    }
    return Nebenfenster::eventFilter(o, e);
}

void TEinst::Button4Click() {
    m_waehrung->setText(QStringLiteral("€  "));
}

std::optional<int> TEinst::zahlAus(RxSpinEdit* feld, const QString& bezeichnung,
                                   std::optional<int> hoechstens) {
    bool ok = false;
    const int wert = feld->AsInteger(&ok);
    QString meldung;
    if (!ok)
        meldung = QStringLiteral("Bitte geben Sie bei \u201E%1\u201C eine ganze Zahl ein.").arg(bezeichnung);
    else if (hoechstens && wert > *hoechstens)
        meldung =
            QStringLiteral("Bei \u201E%1\u201C sind höchstens %2 erlaubt.").arg(bezeichnung).arg(*hoechstens);
    if (meldung.isEmpty()) return wert;
    plattform().message(Platform::Kind::Information,
                        meldung + QStringLiteral("\nDie Einstellungen wurden nicht gespeichert."));
    m_seiten->setCurrentIndex(0);
    feld->setFocus();
    return std::nullopt;
}

void TEinst::Button1Click() {
    if (!daten().schreibbar()) return;
    // Both numbers are checked before anything changes, so a refusal leaves memory and files as they were.
    const std::optional<int> bild = zahlAus(m_bildgroesse, kBildgroesseText, std::nullopt);
    if (!bild) return;
    const std::optional<int> hoehe = zahlAus(m_zeilenhoehe, kZeilenhoeheText, 100);
    if (!hoehe) return;
    Unit4& u = daten();
    // What a file did not take does not stay in memory either: memory and disk tell the same.
    const optionen alteOptionen = u.option;
    const Stamm_inh alteStammdaten = u.st_inh1;
    u.option.waehrung = m_waehrung->text();
    u.option.bildgroesse = *bild;
    u.option.z_hoehe = *hoehe;
    u.st_inh1.Name = m_name->text();
    u.st_inh1.vorname = m_vorname->text();
    u.st_inh1.Strasse = m_strasse->text();
    u.st_inh1.ort = m_ort->text();
    u.st_inh1.tel = m_tel->text();
    u.st_inh1.fax = m_fax->text();
    bool fehler = false;
    {
        pfl::Schreibwache wache(u);
        u.stamminh_speichern();
        if (wache.fehler()) u.st_inh1 = alteStammdaten;
        fehler = wache.fehler();
    }
    {
        pfl::Schreibwache wache(u);
        u.opt_speichern();
        if (wache.fehler()) u.option = alteOptionen;
        fehler = fehler || wache.fehler();
    }
    // The overview shows what is now in effect.
    Q_EMIT gespeichert();
    // A failed write was reported; the window stays open, so that closing it never looks like success.
    if (fehler) return;
    accept();
}
