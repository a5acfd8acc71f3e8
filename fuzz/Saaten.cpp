// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed corpus of the fuzz targets (fuzz/seeds/<target>/): the files the data module itself
// writes, with every field filled as a user fills it, so that the fuzzer starts from whole records of
// every type. Run once when a format or a target changes: build-fuzz/saaten fuzz/seeds
#include "data/Unit4.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Rezept {
    const char* rubrik;
    const char* name;
    const char* kategorie;
    double preis;
    const char *anzahl, *zeit, *kochzeit, *personen, *schwer, *kalorien, *bild;
    const char *utensilien, *zutaten, *zubereitung;
};

// Texts as the entry window stores them: Windows-1252, lines joined by CR LF.
const Rezept kRezepte[] = {
    {"Suppen", "Kürbissuppe mit Ingwer", "Vegetarisch", 6.5, "4", "35", "20", "Anz. Personen", "leicht",
     "320", "kuerbissuppe.jpg", "Topf\nPürierstab\nSchneidebrett",
     "1 kg Hokkaido-Kürbis\n2 Zwiebeln\n1 Stück Ingwer (3 cm)\n1 l Gemüsebrühe\n200 ml Sahne\nSalz, Pfeffer, "
     "Muskat",
     "Den Kürbis waschen, entkernen und in Würfel schneiden; die Schale bleibt dran.\nZwiebeln und Ingwer "
     "fein hacken und in Butter glasig dünsten.\nKürbis dazugeben, mit der Brühe ablöschen und 20 Minuten "
     "köcheln lassen.\nFein pürieren, die Sahne einrühren und mit Salz, Pfeffer und Muskat abschmecken.\n\n"
     "Tipp: Mit gerösteten Kürbiskernen und einem Klecks Crème fraîche servieren – guten Appetit!"},
    {"Hauptgerichte", "Rinderrouladen \"Oma Käthe\"", "Fleisch", 18.9, "6", "45", "120", "Portionen",
     "mittel", "580", "", "Bräter\nRouladennadeln\nKüchengarn",
     "6 Rinderrouladen (à 180 g)\n3 EL Senf\n6 Scheiben Speck\n3 Gewürzgurken\n2 Zwiebeln\n500 ml Rotwein\n"
     "Salz, Pfeffer, Lorbeer",
     "Die Rouladen flach klopfen, salzen, pfeffern und dünn mit Senf bestreichen.\nMit Speck, Gurke und "
     "Zwiebel belegen, aufrollen und feststecken.\nRundum scharf anbraten, mit Rotwein ablöschen und "
     "zugedeckt 2 Stunden schmoren.\nDie Soße durch ein Sieb streichen und abschmecken."},
    {"Desserts", "Crêpes Suzette", "Süßspeisen", 4.2, "8", "30", "15", "Stück/Stücke", "schwer", "410",
     "crepes.png", "Crêpe-Pfanne\nSchneebesen",
     "250 g Mehl\n3 Eier\n500 ml Milch\n1 Prise Salz\n2 Orangen\n4 cl Grand Marnier\n80 g Zucker\n50 g "
     "Butter",
     "Mehl, Eier, Milch und Salz glatt rühren und 30 Minuten ruhen lassen.\nIn der heißen Pfanne dünne "
     "Crêpes backen.\nZucker karamellisieren, mit Orangensaft ablöschen, Butter einrühren.\nCrêpes falten, "
     "in der Soße wenden und mit Grand Marnier flambieren."},
};

bool kopieren(const QString& von, const QString& nach) {
    QDir().mkpath(QFileInfo(nach).absolutePath());
    QFile::remove(nach);
    return QFile::copy(von, nach);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: saaten ZIELORDNER\n");
        return 2;
    }
    const QString ziel = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir tmp;
    Unit4 u;
    u.uhr = [] { return QDate(2026, 12, 7); };
    u.initialisieren(tmp.path());

    u.rezeptbuch = QStringLiteral("Familie");
    for (const Rezept& r : kRezepte) {
        dateien& d = u.element1;
        d.Rubrik = QString::fromUtf8(r.rubrik);
        d.name = QString::fromUtf8(r.name);
        d.kategorie = QString::fromUtf8(r.kategorie);
        d.preis = r.preis;
        d.erfasst_am = QStringLiteral("07.12.2026");
        d.anzahl = QString::fromUtf8(r.anzahl);
        d.zeit = QString::fromUtf8(r.zeit);
        d.k_zeit = QString::fromUtf8(r.kochzeit);
        d.personen = QString::fromUtf8(r.personen);
        d.schwer = QString::fromUtf8(r.schwer);
        d.kalorien = QString::fromUtf8(r.kalorien);
        d.bild = QString::fromUtf8(r.bild);
        d.utensielien.setPlainText(QString::fromUtf8(r.utensilien));
        d.zutaten.setPlainText(QString::fromUtf8(r.zutaten));
        d.zubereitung.setPlainText(QString::fromUtf8(r.zubereitung));
        u.Daten_einsortieren();

        u.r_daten.rubrik = QString::fromUtf8(r.rubrik);
        u.r_daten.kategorie = QString::fromUtf8(r.kategorie);
        u.Rubriken_speichern();
        u.k_daten.kategorie = QString::fromUtf8(r.kategorie);
        u.Kategorien_speichern();
    }
    zeroRecord(u.e_daten);
    u.e_daten.e_liste.setPlainText(QStringLiteral("Milch\nBrot\n6 Eier\n1 kg Äpfel"));
    u.einkauflist_speichern();
    u.e_daten.e_liste.setPlainText(
        QStringLiteral("Milch\nBrot\n6 Eier\n1 kg Äpfel\n\r1 kg Hokkaido-Kürbis\r\n"
                       "2 Zwiebeln\r\n1 Stück Ingwer (3 cm)"));
    u.einkauflist_speichern();

    u.option.Backup = 1;
    u.option.bildgroesse = 2;
    u.option.dbw = 779;
    u.option.dbh = 421;
    u.option.db_einaus = 1;
    u.option.lwpf = QStringLiteral("/home/koch/Rezept_Backup");
    u.option.z_hoehe = 22;
    u.option.waehrung = QStringLiteral("€");
    u.option.rezeptbuch = QStringLiteral("Familie");
    u.opt_speichern();
    u.druck_anlegen();
    u.st_inh1.Name = QStringLiteral("Müller");
    u.st_inh1.vorname = QStringLiteral("Käthe");
    u.st_inh1.Strasse = QStringLiteral("Lindenstraße 12");
    u.st_inh1.ort = QStringLiteral("80331 München");
    u.st_inh1.tel = QStringLiteral("089 1234567");
    u.st_inh1.fax = QStringLiteral("089 1234568");
    u.stamminh_speichern();
    u.version_speichern();

    // The book as the program names it when its first recipe creates it ("Familie.Rez").
    if (!QFile::rename(u.buchPfad(), tmp.filePath(QStringLiteral("Familie.rez"))) ||
        !QFile::copy(tmp.filePath(QStringLiteral("Familie.rez")),
                     tmp.filePath(QStringLiteral("Abgerissen.rez"))))
        return 1;
    // A book whose last append was cut: whole records and a torn tail.
    QFile abgerissen(tmp.filePath(QStringLiteral("Abgerissen.rez")));
    if (!abgerissen.resize(2 * qint64(sizeof(dateien)) + 7000)) return 1;

    const struct {
        const char* ziel;
        const char* datei;
    } saaten[] = {
        {"dateien", "Familie.rez"},
        {"datei_lesen", "Familie.rez"},
        {"datei_lesen", "Abgerissen.rez"},
        {"rubrikZeilen", "Familie.rez"},
        {"rubrikZeilen", "Abgerissen.rez"},
        {"rubriken", "Rubriken.rub"},
        {"Rubriken_lesen", "Rubriken.rub"},
        {"kategorien", "kategorien.kat"},
        {"Kategorien_lesen", "kategorien.kat"},
        {"Einkaufstliste", "Einkaufsliste.Ekl"},
        {"einkauflist_lesen", "Einkaufsliste.Ekl"},
        {"optionen", "Rezept.opt"},
        {"Drucker", "Drucker.drk"},
        {"Stamm_inh", "Stammdaten.sti"},
        {"welcheversion", "Version.ver"},
    };
    for (const auto& s : saaten) {
        const QString n = QString::fromLatin1(s.datei);
        if (!kopieren(tmp.filePath(n),
                      ziel + QLatin1Char('/') + QString::fromLatin1(s.ziel) + QLatin1Char('/') + n)) {
            std::fprintf(stderr, "%s: nicht geschrieben\n", s.datei);
            return 1;
        }
    }
    return 0;
}
