#include "colours/Hintergrundbild.h"

#include "appearance/Styles.h"
#include "data/Cp1252.h"
#include "data/Farbschema.h"
#include "data/German.h"
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

QStringList hintergrundBilder(const QString& ordner) {
    QStringList bilder;
    const QFileInfoList dateien = QDir(ordner).entryInfoList(QDir::Files | QDir::Readable, QDir::NoSort);
    for (const QFileInfo& f : dateien)
        if (f.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0 &&
            hintergrundNameZulaessig(f.fileName()))
            bilder.append(f.fileName());
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
    m_vorschau = label(QStringLiteral("Image1"), QString(), QRect(12, 12, 300, 280));
    m_vorschau->setScaledContents(true);
    m_vorschau->setFrameShape(QFrame::Panel);
    auto* titel =
        label(QStringLiteral("Label1"), QStringLiteral("Hintergrundbilder"), QRect(326, 12, 220, 20));
    m_bilder = new QListWidget(this);
    m_bilder->setObjectName(QStringLiteral("FileListBox1"));
    m_bilder->setAccessibleName(QStringLiteral("Hintergrundbilder"));
    m_bilder->setGeometry(326, 34, 220, 258);
    titel->setBuddy(m_bilder);
    m_name = label(QStringLiteral("Panel5"), QString(), QRect(12, 300, 534, 26));
    m_name->setFrameShape(QFrame::Panel);
    m_name->setFrameShadow(QFrame::Sunken);

    m_knopfleiste = new QFrame(this);
    m_knopfleiste->setObjectName(QStringLiteral("Panel1"));
    m_knopfleiste->setGeometry(0, 336, width(), 64);
    QPushButton* speichern = knopf(QStringLiteral("Button1"), QStringLiteral("Speichern"), QSize(85, 35));
    QPushButton* beenden = knopf(QStringLiteral("Button2"), QStringLiteral("Beenden"), QSize(85, 35));
    speichern->setParent(m_knopfleiste);
    beenden->setParent(m_knopfleiste);
    // The two buttons around the middle of the bar.
    speichern->move(width() / 2 - 85 - 10, 14);
    beenden->move(width() / 2 + 10, 14);
    beenden->setDefault(true);
    connect(m_bilder, &QListWidget::itemClicked, this, &TF_Hb::FileListBox1Click);
    connect(m_bilder, &QListWidget::currentRowChanged, this, &TF_Hb::FileListBox1Click);
    connect(speichern, &QPushButton::clicked, this, &TF_Hb::Button1Click);
    connect(beenden, &QPushButton::clicked, this, &QDialog::reject);
}

void TF_Hb::vorbereiten() {
    const QSignalBlocker sperre(m_bilder);
    m_bilder->clear();
    m_bilder->addItems(pfl::hintergrundBilder(daten().lpf + QStringLiteral("Hintergrund")));
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
    const QString datei = daten().lpf + QStringLiteral("Hintergrund/") + name;
    QPixmap bild;
    if (pfl::hintergrundNameZulaessig(name) && QFileInfo(datei).isFile() && !bild.load(datei))
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
