// SPDX-License-Identifier: GPL-3.0-or-later
#include "backup/Ordnerwahl.h"

#include "data/Deutsch.h"
#include "data/Sicherung.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

namespace pfl {

Ordnerwahl::Ordnerwahl(QWidget* seite, const QString& ortName, const QString& ordnerName,
                       const QString& lesbarerName)
    : QObject(seite) {
    m_orte = new QComboBox(seite);
    m_orte->setObjectName(ortName);
    m_orte->setAccessibleName(QStringLiteral("Ort"));
    m_pfad = new QLabel(seite);
    m_pfad->setObjectName(ordnerName + QStringLiteral("Pfad"));
    m_ordner = new QListWidget(seite);
    m_ordner->setObjectName(ordnerName);
    m_ordner->setAccessibleName(lesbarerName);
    connect(m_ordner, &QListWidget::itemClicked, this, &Ordnerwahl::eintragGeklickt);
    connect(m_ordner, &QListWidget::itemActivated, this, &Ordnerwahl::eintragGeklickt);
    connect(m_orte, &QComboBox::activated, this, &Ordnerwahl::ortGewaehlt);
}

void Ordnerwahl::orteFuellen(const QString& datenordner) {
    m_orte->clear();
    m_orte->addItem(QStringLiteral("Persönlicher Ordner"), QDir::homePath());
    m_orte->addItem(QStringLiteral("Datenordner"), QDir::cleanPath(datenordner));
    // Media the system mounted for the user: USB sticks, memory cards, disks.
    QStringList medien;
    for (const QString& p : einhaengepunkte())
        if (p.startsWith(QLatin1String("/media/")) || p.startsWith(QLatin1String("/run/media/")))
            medien.append(p);
    std::sort(medien.begin(), medien.end());
    for (const QString& m : medien)
        m_orte->addItem(QStringLiteral("Datenträger %1").arg(QDir(m).dirName()), m);
    m_orte->addItem(QStringLiteral("Dateisystem"), QStringLiteral("/"));
}

void Ordnerwahl::zeigen(const QString& pfad) {
    m_aktuell = QDir::cleanPath(pfad);
    m_ordner->clear();
    QDir d(m_aktuell);
    if (!d.isRoot()) m_ordner->addItem(QStringLiteral(".."));
    QStringList unter = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    // Staging folders of a restore are no place to go.
    unter.removeIf([](const QString& n) { return n.startsWith(QLatin1String(".pfl")); });
    const QCollator& c = deutscheSortierung();
    std::sort(unter.begin(), unter.end(),
              [&c](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
    m_ordner->addItems(unter);
    m_pfad->setText(m_pfad->fontMetrics().elidedText(m_aktuell, Qt::ElideMiddle, m_pfad->width()));
    m_pfad->setToolTip(m_aktuell);
    // A folder that is none of the places leaves the box empty rather than naming a wrong one.
    m_orte->setCurrentIndex(m_orte->findData(m_aktuell));
}

void Ordnerwahl::eintragGeklickt() {
    const QListWidgetItem* e = m_ordner->currentItem();
    if (!e) return;
    QDir d(m_aktuell);
    if (e->text() == QLatin1String(".."))
        d.cdUp();
    else if (!d.cd(e->text()))
        return;
    zeigen(d.absolutePath());
    Q_EMIT ordnerGewaehlt(m_aktuell);
}

void Ordnerwahl::ortGewaehlt(int index) {
    const QString pfad = m_orte->itemData(index).toString();
    if (pfad.isEmpty()) return;
    zeigen(pfad);
    Q_EMIT ortGewechselt(m_aktuell);
}

} // namespace pfl
