// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/Datensicherung.h"

#include "appearance/Styles.h"
#include "backup/Sicherungstexte.h"
#include "data/Dateizugriff.h"
#include "data/Farbschema.h"
#include "data/Sicherung.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TDatensicherung::TDatensicherung(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Datensicherung"),
                   QStringLiteral("Automatische Datensicherung"), QSize(520, 210), 850) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 504, 194);
    panel->setFrameShape(QFrame::StyledPanel);
    const auto beschriftung = [panel](const QString& name, const QString& text, const QRect& r) {
        auto* l = new QLabel(text, panel);
        l->setObjectName(name);
        l->setGeometry(r);
        return l;
    };
    beschriftung(QStringLiteral("Label1"), QStringLiteral("Die automatische Datensicherung wird ausgeführt."),
                 QRect(12, 8, 480, 22));
    QLabel* quelle =
        beschriftung(QStringLiteral("Label2"), QStringLiteral("Quellverzeichniss"), QRect(12, 38, 480, 20));
    m_quelle = new QLineEdit(panel);
    m_quelle->setObjectName(QStringLiteral("Edit1"));
    m_quelle->setGeometry(12, 60, 480, 26);
    beschriftung(QStringLiteral("Label3"), QStringLiteral("Bitte warten . . ."), QRect(12, 160, 480, 22));
    QLabel* ziel =
        beschriftung(QStringLiteral("Label4"), QStringLiteral("Zielverzeichnis"), QRect(12, 96, 480, 20));
    m_ziel = new QLineEdit(panel);
    m_ziel->setObjectName(QStringLiteral("Edit2"));
    m_ziel->setGeometry(12, 118, 480, 26);
    for (auto [l, e] : {std::pair{quelle, m_quelle}, std::pair{ziel, m_ziel}}) {
        l->setBuddy(e);
        e->setAccessibleName(l->text());
        e->setReadOnly(true);
    }
}

void TDatensicherung::Lesen() {
    if (daten().option.Backup == 1) sicherungAusfuehren();
}

void TDatensicherung::vorUmbenennen(bool& gesichert) {
    gesichert = sicherungAusfuehren();
}

bool TDatensicherung::sicherungAusfuehren() {
    Unit4& u = daten();
    QString ordner = pfl::gespeichertesZiel(u, plattform());
    if (ordner.trimmed().isEmpty()) ordner = pfl::standardSicherungsordner();
    // A removable medium that is not there: nothing is written below its mount point.
    if (pfl::mediumFehlt(ordner)) {
        plattform().message(Platform::Kind::Information,
                            QStringLiteral("Kein Datenträger eingehängt für ") + ordner);
        return false;
    }
    oeffnen();
    for (QLineEdit* e : {m_quelle, m_ziel}) {
        QPalette p = e->palette();
        const QColor grund = pfl::alsFarbe(quint32(farben().colorx.listb));
        p.setColor(QPalette::Base, grund);
        p.setColor(QPalette::Text, pfl::alsFarbe(quint32(farben().colorx.listb_font)));
        e->setPalette(p);
    }
    const QDate heute = u.uhr ? u.uhr() : QDate::currentDate();
    bool ok = false;
    if (!pfl::ordnerAnlegen(ordner)) {
        plattform().message(Platform::Kind::Information, pfl::anlegenFehlerText(pfl::mitTrenner(ordner)));
    } else {
        // Several backups of one day go into the same folder and replace each other's files.
        const QString nach = pfl::mitTrenner(pfl::datumAnfuegen(ordner, heute));
        if (!pfl::ordnerAnlegen(nach)) {
            plattform().beep();
            plattform().message(
                Platform::Kind::Information,
                QStringLiteral("Verzeichnis ") + nach +
                    QStringLiteral(" kann nicht erstellt werden. \n\nLesen Sie bitte die Hilfedatei "
                                   "über Datensicherung.\n"));
        } else {
            const pfl::Kopierergebnis e =
                pfl::sichern(u.lpf, nach, [this](const QString& q, const QString& z) {
                    m_quelle->setText(pfl::anzeigename(q));
                    m_ziel->setText(pfl::anzeigename(z));
                    // Repaint only: the backup at the end of the program runs to its end.
                    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                    return true;
                });
            ok = e.ok();
            if (!ok) plattform().message(Platform::Kind::Error, pfl::sicherungFehlerText(e));
        }
    }
    hide();
    return ok;
}
