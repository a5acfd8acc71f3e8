// SPDX-License-Identifier: GPL-3.0-or-later
#include "colours/Hintergrundbild.h"

#include "appearance/Styles.h"
#include "data/Cp1252.h"
#include "data/Farbschema.h"
#include "data/Deutsch.h"
#include "data/Unit4.h"
#include "platform/Farbwert.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace pfl {

bool hintergrundNameZulaessig(const QString& name) {
    if (name.isEmpty() || name.size() > 50 || !Unit4::sichererName(name)) return false;
    // A character outside Windows-1252 would be stored as "?" and name another file.
    return fromCp1252(toCp1252(name)) == name;
}

QStringList hintergrundBilder(const QStringList& ordner) {
    QStringList bilder;
    for (const QString& o : ordner) {
        const QFileInfoList dateien = QDir(o).entryInfoList(QDir::Files | QDir::Readable, QDir::NoSort);
        for (const QFileInfo& f : dateien)
            if (f.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0 &&
                hintergrundNameZulaessig(f.fileName()) && !bilder.contains(f.fileName()))
                bilder.append(f.fileName());
    }
    const QCollator& c = deutscheSortierung();
    std::sort(bilder.begin(), bilder.end(), [&](const QString& a, const QString& b) {
        const int r = c.compare(a, b);
        return r != 0 ? r < 0 : a < b;
    });
    return bilder;
}

bool farbenSichern(Farbschema& schema, const QString& lpf) {
    // The scheme only overwrites an existing file; one removed meanwhile is created first, so the
    // choice is stored all the same.
    if (!QFileInfo(lpf + QStringLiteral("farben.frb")).isFile()) {
        const Tcolor1 gewaehlt = schema.colorx;
        Tcolor1 vorgabe{};
        schema.Farben_anlegen(vorgabe);
        schema.colorx = gewaehlt;
    }
    return schema.farben_speichern();
}

} // namespace pfl

TF_Hb::TF_Hb(pfl::Umgebung& umgebung, QWidget* parent)
    : Nebenfenster(umgebung, parent, QStringLiteral("F_Hb"), QStringLiteral("Hauptbildschirm verändern"),
                   QSize(560, 400), 1000) {
    m_vorschau = label(QStringLiteral("Image1"), QString(), QRect());
    m_vorschau->setScaledContents(true);
    m_vorschau->setFrameShape(QFrame::Panel);
    m_titel = label(QStringLiteral("Label1"), QStringLiteral("Hintergrundbilder"), QRect());
    m_bilder = new QListWidget(this);
    m_bilder->setObjectName(QStringLiteral("FileListBox1"));
    m_bilder->setAccessibleName(QStringLiteral("Hintergrundbilder"));
    m_titel->setBuddy(m_bilder);
    m_name = label(QStringLiteral("Panel5"), QString(), QRect());
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);

    m_knopfleiste = new QFrame(this);
    m_knopfleiste->setObjectName(QStringLiteral("Panel1"));
    m_speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), QSize(85, 35));
    m_beenden = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"), QSize(85, 35));
    m_speichern->setParent(m_knopfleiste);
    m_beenden->setParent(m_knopfleiste);
    m_beenden->setDefault(true);
    groesseAnpassen(plattform().pixelsPerInch());
    connect(m_bilder, &QListWidget::itemClicked, this, &TF_Hb::FileListBox1Click);
    connect(m_bilder, &QListWidget::currentRowChanged, this, &TF_Hb::FileListBox1Click);
    connect(m_speichern, &QPushButton::clicked, this, &TF_Hb::Button1Click);
    connect(m_beenden, &QPushButton::clicked, this, &QDialog::reject);
}

void TF_Hb::groesseAnpassen(int ppi) {
    // With Qt's own high-DPI scaling the logical density stays 96 and nothing changes here; a screen
    // it leaves unscaled reports its real density, and the fonts grow with it.
    if (ppi <= 0) ppi = 96;
    const auto s = [ppi](int v) { return v * ppi / 96; };
    const auto r = [&s](int x, int y, int w, int h) { return QRect(s(x), s(y), s(w), s(h)); };
    setFixedSize(s(560), s(400));
    m_vorschau->setGeometry(r(12, 12, 300, 280));
    m_titel->setGeometry(r(326, 12, 220, 20));
    m_bilder->setGeometry(r(326, 34, 220, 258));
    m_name->setGeometry(r(12, 300, 534, 26));
    m_knopfleiste->setGeometry(0, s(336), width(), height() - s(336));
    // The buttons keep 85 x 35 unless their caption needs more, and sit around the middle of the bar.
    for (QPushButton* b : {m_speichern, m_beenden})
        b->resize(qMax(85, b->sizeHint().width()), qMax(35, b->sizeHint().height()));
    const int y = (m_knopfleiste->height() - m_speichern->height()) / 2;
    m_speichern->move(width() / 2 - m_speichern->width() - 10, y);
    m_beenden->move(width() / 2 + 10, y);
}

void TF_Hb::vorbereiten() {
    // The screen may have changed since the start (another monitor, a new density).
    groesseAnpassen(plattform().pixelsPerInch());
    const QSignalBlocker sperre(m_bilder);
    m_bilder->clear();
    m_bilder->addItems(pfl::hintergrundBilder(daten().hintergrundOrdner()));
    const QString name = farben().colorx.hg_bild.toQString();
    const QList<QListWidgetItem*> gefunden = m_bilder->findItems(name, Qt::MatchExactly);
    if (!gefunden.isEmpty()) m_bilder->setCurrentItem(gefunden.first());
    m_name->setText(name);
    vorschauLaden();
}

void TF_Hb::faerben() {
    Nebenfenster::faerben();
    QPalette p = m_knopfleiste->palette();
    const QColor grund = pfl::alsFarbe(quint32(farben().colorx.form_umr));
    p.setColor(QPalette::Window, grund);
    m_knopfleiste->setPalette(p);
    m_knopfleiste->setAutoFillBackground(true);
}

void TF_Hb::vorschauLaden() {
    const QString name = farben().colorx.hg_bild.toQString();
    const QString datei = daten().hintergrundDatei(name);
    QPixmap bild;
    if (pfl::hintergrundNameZulaessig(name) && !datei.isEmpty() && !bild.load(datei))
        plattform().message(Platform::Kind::Error,
                            QStringLiteral("Das Bild \u201E%1\u201C kann nicht gelesen werden.").arg(name));
    m_vorschau->setPixmap(bild);
}

void TF_Hb::FileListBox1Click() {
    QListWidgetItem* item = m_bilder->currentItem();
    if (!item) return;
    const QString name = item->text();
    // The list holds only storable names; a file renamed meanwhile is still checked again.
    if (!pfl::hintergrundNameZulaessig(name)) return;
    if (farben().colorx.hg_bild.toQString() == name && !m_vorschau->pixmap().isNull()) return;
    farben().colorx.hg_bild = name;
    m_name->setText(name);
    vorschauLaden();
    Q_EMIT bildGewaehlt();
}

void TF_Hb::Button1Click() {
    farben().colorx.f_b_haupt = 0;
    // A failed write is reported by the scheme; the picture still shows for this run.
    pfl::farbenSichern(farben(), daten().lpf);
    close();
    Q_EMIT bildGewaehlt();
}
