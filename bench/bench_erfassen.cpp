// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window on a 10 000-recipe book: a category change (section list, recipe list) and
// taking over a recipe, each as a ratio to the data store's Rubriken_erkennen on the same category,
// measured in the same run.
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "recipes/Erfassen.h"
#include "BenchProgramm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <cstdio>

namespace {

const char* const kKategorien[] = {"Deftig",  "Süß",    "Vegetarisch", "Fisch",
                                   "Fleisch", "Backen", "Salat",       "Party"};

// Eight categories in turn, so one category holds 1 250 recipes.
void buchSchreiben(const QString& pfad, int anzahl) {
    schreibeSaetze(pfad, anzahl, [](dateien& d, int i) {
        d.Rubrik = QStringLiteral("Rubrik %1").arg(i % 5);
        d.name = QStringLiteral("Gericht Nr. %1").arg(i);
        d.kategorie = QString::fromUtf8(kKategorien[i % 8]);
        d.anzahl = QStringLiteral("4");
        d.zeit = QString::number(10 + i % 90);
        d.zutaten = QStringLiteral("200 g Mehl\r\n2 Eier\r\n1 Prise Salz");
        d.zubereitung = QString(800, QLatin1Char('x'));
    });
}

void listenSchreiben(const QString& lpf) {
    QFile r(lpf + QStringLiteral("Rubriken.rub"));
    r.open(QIODevice::WriteOnly);
    for (int i = 0; i < 5; ++i) {
        rubriken s;
        zeroRecord(s);
        s.rubrik = QStringLiteral("Rubrik %1").arg(i);
        r.write(reinterpret_cast<const char*>(&s), sizeof s);
    }
    QFile k(lpf + QStringLiteral("kategorien.kat"));
    k.open(QIODevice::WriteOnly);
    for (const char* n : kKategorien) {
        kategorien s;
        zeroRecord(s);
        s.kategorie = QString::fromUtf8(n);
        k.write(reinterpret_cast<const char*>(&s), sizeof s);
    }
    schreibeOptionen(lpf);
}

} // namespace

int main(int argc, char** argv) {
    offscreenVorgeben();
    QApplication app(argc, argv);
    pfl::ressourcenLaden();
    BenchProgramm p([](const QString& lpf) {
        buchSchreiben(lpf + QStringLiteral("Gross.rez"), 10000);
        listenSchreiben(lpf);
    });
    Unit4& u = p.u;
    TForm1* f = &p.haupt();
    f->findChild<QAction*>(QStringLiteral("Rezepteerfassen1"))->trigger();
    auto* w = f->findChild<TForm2*>(QStringLiteral("Form2"));
    auto* kategorie = w->findChild<QComboBox*>(QStringLiteral("ComboBox2"));
    auto* rezepte = w->findChild<QListWidget*>(QStringLiteral("ListBox2"));

    const QString ziel = QStringLiteral("Fisch");
    const double scan = besteZeit(5, [&] {
        u.listen.rezeptnamenKategorie = ziel;
        u.Rubriken_erkennen();
    });
    // Alternating between two categories, so every change refills the lists.
    int wechsel = 0;
    const double aendern = besteZeit(5, [&] {
        kategorie->setEditText(++wechsel % 2 ? ziel : QStringLiteral("Party"));
        w->kategorieAktualisieren();
    });
    kategorie->setEditText(ziel);
    w->kategorieAktualisieren();
    const int namen = rezepte->count();
    const double uebernehmen = besteZeit(5, [&] {
        QListWidgetItem* e = rezepte->item(namen / 2);
        rezepte->setCurrentItem(e);
        Q_EMIT rezepte->itemClicked(e);
    });

    std::printf("entry window: %d of 10000 recipes in the category\n", namen);
    std::printf("category change / Rubriken_erkennen = %.2f  (%.1f ms / %.1f ms, target <= 1.5)\n",
                aendern / scan, aendern, scan);
    std::printf("take-over / Rubriken_erkennen       = %.2f  (%.1f ms / %.1f ms, target <= 1.5)\n",
                uebernehmen / scan, uebernehmen, scan);
    return 0;
}
