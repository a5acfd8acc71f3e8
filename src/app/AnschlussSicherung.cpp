// SPDX-License-Identifier: GPL-3.0-or-later
// Creates and connects backup, restore and the automatic backup.
#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "appearance/Farben.h"
#include "backup/Datensicherung.h"
#include "backup/Sicherungsfenster.h"
#include "backup/Sicherungstexte.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "recipes/KategorienListe.h"
#include "recipes/RubrikenListe.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>

namespace pfl {

void Anwendung::anschliessenSicherung() {
    TForm1* haupt = m_haupt.get();
    m_datensicherung = new TDatensicherung(m_umgebung, haupt);
    verbinden(m_datensicherung);
    connect(haupt, &TForm1::beendenBeginnt, m_datensicherung, &TDatensicherung::Lesen);
    // Direct: the list window reads the backup's outcome as soon as the signal returns.
    connect(m_rubriken, &TForm27::sicherungVorUmbenennen, m_datensicherung, &TDatensicherung::vorUmbenennen,
            Qt::DirectConnection);
    connect(m_kategorien, &TForm28::sicherungVorUmbenennen, m_datensicherung, &TDatensicherung::vorUmbenennen,
            Qt::DirectConnection);

    // Restored files replace what the data module holds: it reads them again, and the main window
    // shows the restored books and sections.
    const auto neuLesen = [this] {
        Unit4& u = m_umgebung.daten;
        u.opt_lesen();
        u.stamminh_lesen();
        if (QFile::exists(u.pfad(QStringLiteral("Drucker.drk")))) u.druck_lesen();
        m_umgebung.farben.farben_lesen();
        style_lesen(m_umgebung.farben);
        u.Kategorien_lesen();
        u.Rubriken_lesen();
        if (!u.listen.rubrikenSortiert.contains(u.rubrik))
            u.rubrik = u.listen.rubrikenSortiert.isEmpty() ? QString() : u.listen.rubrikenSortiert.first();
        m_haupt->rubrikenUebernehmen();
        m_haupt->Copy1();
    };
    // A fresh window at every opening, dropped when it closes.
    const auto oeffnen = [this, neuLesen](TBack5::Seite seite) {
        if (!m_sicherung) {
            TBack5* w = new TBack5(m_umgebung, m_haupt.get());
            m_sicherung = w;
            verbinden(w);
            connect(w, &TBack5::wiederhergestellt, this, neuLesen);
            // The window closes without a word: the main window's status bar tells where the data went.
            connect(w, &TBack5::gesichert, m_haupt.get(), [this](const QString& ordner) {
                m_haupt->statusBar()->showMessage(
                    pfl::sicherungFertigText(QDir::toNativeSeparators(QDir::cleanPath(ordner))), 30000);
            });
            connect(w, &Nebenfenster::geschlossen, this, [this, w] {
                if (m_sicherung == w) m_sicherung = nullptr;
                w->deleteLater();
            });
        }
        m_sicherung->oeffnenMit(seite);
    };
    connect(haupt, &TForm1::datensicherungVerlangt, this, [oeffnen] { oeffnen(TBack5::Datensicherung); });
    connect(haupt, &TForm1::wiederherstellungVerlangt, this,
            [oeffnen] { oeffnen(TBack5::Datenwiederherstellung); });
}

} // namespace pfl
