// SPDX-License-Identifier: GPL-3.0-or-later
#include "info/Danksagung.h"

#include "appearance/Styles.h"
#include "data/Farbschema.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QFrame>
#include <QPushButton>
#include <QTextEdit>

TForm25::TForm25(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("Form25"), QStringLiteral("Danksagung"), QSize(520, 420),
                   100) {
    setWindowModality(Qt::ApplicationModal);
    m_text = new QTextEdit(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setAccessibleName(QStringLiteral("Danksagung"));
    m_text->setReadOnly(true);
    m_text->setGeometry(0, 0, width(), height() - 56);
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setGeometry(0, height() - 56, width(), 56);
    QPushButton* beenden = knopf(QStringLiteral("Button1"), QStringLiteral("Beenden"));
    beenden->setParent(m_panel);
    beenden->move((width() - beenden->width()) / 2, 13);
    beenden->setDefault(true);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
}

QString TForm25::text() {
    return QStringLiteral("Pfanno-Lux steht auf den Schultern anderer.\n"
                          "\n"
                          "Dank an das Qt-Projekt für Qt 6,\n"
                          "mit dem alle Fenster, Tabellen und der Druck gebaut sind.\n"
                          "\n"
                          "Dank an die Independent JPEG Group und libjpeg-turbo,\n"
                          "an libpng und zlib für das Lesen und Schreiben der Rezeptbilder.\n"
                          "\n"
                          "Dank an die Schriften, die Debian mitbringt:\n"
                          "Liberation, DejaVu, die Tahoma-Nachbildung des Wine-Projekts\n"
                          "und die URW-Grundschriften.\n"
                          "\n"
                          "Dank an das Debian-Projekt, CMake, GCC und Clang,\n"
                          "ohne die hier nichts übersetzt würde.\n"
                          "\n"
                          "Und Dank an alle, die ihre Rezepte\n"
                          "mit Pfanno-Lux sammeln.");
}

void TForm25::vorbereiten() {
    m_text->setPlainText(text());
    // Every line centred.
    QTextCursor c(m_text->document());
    c.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setAlignment(Qt::AlignHCenter);
    c.mergeBlockFormat(f);
}

void TForm25::faerben() {
    Nebenfenster::faerben();
    const Tcolor1& c = farben().colorx;
    QPalette p = m_panel->palette();
    p.setColor(QPalette::Window, pfl::alsFarbe(quint32(c.form_umr)));
    m_panel->setPalette(p);
    m_panel->setAutoFillBackground(true);
    QPalette t = m_text->palette();
    const QColor grund = pfl::alsFarbe(quint32(c.D_bs_fa));
    t.setColor(QPalette::Base, grund);
    t.setColor(QPalette::Text, pfl::lesbareFarbe(t.color(QPalette::Text), grund));
    m_text->setPalette(t);
}

void TForm25::showEvent(QShowEvent* e) {
    Nebenfenster::showEvent(e);
    // Centred on the screen, not below the centre as the other dialogs.
    const QSize s = plattform().screenSize();
    move((s.width() - width()) / 2, (s.height() - height()) / 2);
}
