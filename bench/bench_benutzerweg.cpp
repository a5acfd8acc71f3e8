// SPDX-License-Identifier: GPL-3.0-or-later
// The user's paths through the program on books of 1 000, 10 000 and 100 000 recipes with mostly
// distinct names, each against a baseline measured in the same run: the whole-book listing and the
// search window opened through the main window's menu commands, the ingredient criterion chosen in
// the search window, steps in the editor, the search across all books on a warm and a cold cache,
// the start-up, and the resident memory with the listing open. Start-up and memory are measured on
// whole processes (this program started again in a child mode).
//
// The search across all books runs on ten books of a tenth of the size each (10 x 10 000 beside the
// book of 100 000), as a large collection is split into books.
//
// PFANNO_BENCH_GROESSEN picks the sizes (for example "1000,10000"), PFANNO_BENCH_ORDNER the folder
// the books are written to (about 4.4 GB for 100 000 recipes; removed at the end unless
// PFANNO_BENCH_BEHALTEN is set). "--wege <folder>" runs each path once on a kept folder and prints
// its time, for a profiler.
#include "app/Anwendung.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "mainwindow/Hauptfenster.h"
#include "pages/Schriften.h"
#include "recipes/Bearbeiten.h"
#include "search/AlleBuecher.h"
#include "search/Buchliste.h"
#include "search/Suchen.h"
#include "BenchHilfen.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <map>
#include <memory>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const char* const kRubriken[] = {"Suppen",     "Hauptgerichte", "Desserts",   "Salate",      "Backen",
                                 "Vorspeisen", "Getränke",      "Soßen",      "Aufläufe",    "Eintöpfe",
                                 "Fisch",      "Geflügel",      "Wild",       "Vegetarisch", "Beilagen",
                                 "Frühstück",  "Brot",          "Konfitüren", "Grillen",     "Weihnachten"};
const char* const kKategorien[] = {"Deftig", "Leicht", "Festlich", "Schnell", "Vegan", "Klassisch"};
const char* const kGerichte[] = {"Linsensuppe",    "Gulasch",       "Apfelstrudel", "Spätzle",
                                 "Bärlauchpesto",  "Zwiebelkuchen", "Öl-Fondue",    "Rinderrouladen",
                                 "Kartoffelsalat", "Rote Grütze",   "Flammkuchen",  "Sauerbraten"};
const char* const kZutaten[] = {
    "200 g Mehl",        "2 Eier",       "1 Prise Salz",      "500 ml Milch",     "3 Zwiebeln",
    "1 Bund Petersilie", "250 g Butter", "Pfeffer",           "2 Knoblauchzehen", "1 kg Kartoffeln",
    "100 g Speck",       "1 EL Öl",      "400 g Rindfleisch", "1 l Gemüsebrühe",  "Muskatnuss",
    "200 g Sahne",       "1 TL Zucker",  "3 Möhren"};

// A book of n recipes: nine in ten names distinct, sections and categories at random, ingredient
// lists of 6 to 20 lines (one in twenty with "Bärlauch"), a preparation text.
void schreibeGrossesBuch(const QString& pfad, int n, int saat = 0) {
    QRandomGenerator rnd(4711 + saat);
    schreibeSaetze(pfad, n, [&](dateien& d, int i) {
        d.Rubrik = QString::fromUtf8(kRubriken[rnd.bounded(20)]);
        d.kategorie = QString::fromUtf8(kKategorien[rnd.bounded(6)]);
        const QString gericht = QString::fromUtf8(kGerichte[rnd.bounded(12)]);
        d.name = rnd.bounded(10) == 0 ? gericht : gericht + QStringLiteral(" Nr. %1").arg(i);
        d.preis = rnd.bounded(3000) / 100.0;
        d.anzahl = QString::number(1 + rnd.bounded(8));
        d.personen = QStringLiteral("Anz. Personen");
        d.zeit = QString::number(5 + rnd.bounded(120));
        d.k_zeit = QString::number(rnd.bounded(180));
        d.schwer = QStringLiteral("mittel");
        d.kalorien = QString::number(150 + rnd.bounded(900));
        d.erfasst_am = QStringLiteral("%1.%2.20%3")
                           .arg(1 + rnd.bounded(28), 2, 10, QLatin1Char('0'))
                           .arg(1 + rnd.bounded(12), 2, 10, QLatin1Char('0'))
                           .arg(10 + rnd.bounded(16));
        QStringList z;
        const int zeilen = 6 + rnd.bounded(15);
        for (int k = 0; k < zeilen; ++k)
            z << QString::fromUtf8(kZutaten[rnd.bounded(18)]);
        if (rnd.bounded(20) == 0) z << QStringLiteral("1 Bund Bärlauch");
        d.zutaten.setPlainText(z.join(QLatin1Char('\n')));
        d.zubereitung = QString(800, QLatin1Char('x'));
    });
}

// Rubriken.rub or kategorien.kat (one record layout) with one record per name.
void listendatei(const QString& pfad, const QStringList& namen, bool rubrik) {
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly)) return;
    for (const QString& n : namen) {
        rubriken r;
        zeroRecord(r);
        (rubrik ? r.rubrik : r.kategorie) = n;
        f.write(reinterpret_cast<const char*>(&r), sizeof r);
    }
}

// A data folder: the settings (book "Gross" active, data screen shown) and the section and category
// lists; with n > 0 the book of n recipes and four small books beside it, or with zehntel ten books
// of n / 10 recipes.
void ordnerAnlegen(const QString& lpf, int n, bool zehntel = false) {
    QDir().mkpath(lpf);
    schreibeOptionen(lpf, 1100, 700);
    QStringList rubrikNamen, kategorieNamen;
    for (const char* r : kRubriken)
        rubrikNamen << QString::fromUtf8(r);
    for (const char* k : kKategorien)
        kategorieNamen << QString::fromUtf8(k);
    listendatei(lpf + QStringLiteral("Rubriken.rub"), rubrikNamen, true);
    listendatei(lpf + QStringLiteral("kategorien.kat"), kategorieNamen, false);
    if (n <= 0) return;
    if (zehntel) {
        for (int k = 1; k <= 10; ++k)
            schreibeGrossesBuch(
                lpf + (k == 1 ? QStringLiteral("Gross.rez") : QStringLiteral("Buch%1.rez").arg(k)), n / 10,
                k);
        return;
    }
    schreibeGrossesBuch(lpf + QStringLiteral("Gross.rez"), n);
    for (int k = 1; k <= 4; ++k)
        schreibeGrossesBuch(lpf + QStringLiteral("Klein%1.rez").arg(k), 10);
}

QStringList buchDateien(const QString& lpf) {
    QStringList l;
    for (const QString& d : QDir(lpf).entryList({QStringLiteral("*.rez")}, QDir::Files))
        l << lpf + d;
    return l;
}

// Every byte of the books read once in large blocks: the baseline of most figures.
void einmalLesen(const QStringList& dateien) {
    QByteArray puffer(4 << 20, Qt::Uninitialized);
    for (const QString& d : dateien) {
        const int fd = ::open(QFile::encodeName(d).constData(), O_RDONLY);
        while (::read(fd, puffer.data(), size_t(puffer.size())) > 0) {
        }
        ::close(fd);
    }
}

// The ingredient block of every record of a book, one read each.
void zutatenBloeckeLesen(const QString& buch) {
    const int fd = ::open(QFile::encodeName(buch).constData(), O_RDONLY);
    const qint64 n = ::lseek(fd, 0, SEEK_END) / qint64(sizeof(dateien));
    char block[sizeof(dateien::zutaten)];
    for (qint64 i = 0; i < n; ++i)
        if (::pread(fd, block, sizeof block,
                    off_t(i * qint64(sizeof(dateien)) + qint64(offsetof(dateien, zutaten)))) < 0)
            break;
    ::close(fd);
}

bool cacheLeeren() {
    ::sync();
    QFile f(QStringLiteral("/proc/sys/vm/drop_caches"));
    if (::geteuid() != 0 || !f.open(QIODevice::WriteOnly)) return false;
    return f.write("3\n") == 2;
}

double catZeit(const QStringList& dateien) {
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("cat"), dateien);
    p.waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

qint64 rssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& z : f.readAll().split('\n'))
        if (z.startsWith("VmRSS:")) return z.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

void warten() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QAction* befehl(TForm1& haupt, const char* name) {
    return haupt.findChild<QAction*>(QString::fromLatin1(name));
}

// The program on a folder, as main() starts it, with the platform of the benchmarks.
struct Programm {
    BenchPlattform plattform;
    Unit4 u;
    bool mitIndexOrdner = (u.indexOrdner = pfl::indexOrdnerVorgabe(), true);
    pfl::Farbschema farben{u};
    pfl::Anwendung anwendung;
    explicit Programm(const QString& lpf) : anwendung(u, farben, plattform, lpf) { warten(); }
    TForm1& haupt() { return anwendung.hauptfenster(); }
    template <typename T> T* fenster(const char* name) {
        return haupt().findChild<T*>(QString::fromLatin1(name));
    }
};

// The user's paths, each timed in ms.
double zeitVon(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// "Bearbeiten > Rezepte bearbeiten": the whole-book listing.
double listeOeffnen(Programm& p) {
    const double ms = zeitVon([&] {
        befehl(p.haupt(), "Rezeptebearbeiten1")->trigger();
        warten();
    });
    p.fenster<Tform21>("form21")->close();
    warten();
    return ms;
}

// "Suchen", then "Nach Zutaten suchen."; the times of both and the number of lines listed.
struct Suchfensterzeiten {
    double oeffnen = 0, zutaten = 0;
    int zeilen = 0;
};
Suchfensterzeiten suchfensterOeffnen(Programm& p) {
    auto* suchen = p.fenster<TForm9>("Form9");
    Suchfensterzeiten z;
    z.oeffnen = zeitVon([&] {
        befehl(p.haupt(), "Suchen1")->trigger();
        warten();
    });
    z.zutaten = zeitVon([&] {
        suchen->findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->click();
        warten();
    });
    z.zeilen = suchen->findChild<QAbstractItemView*>(QStringLiteral("ListBox3"))->model()->rowCount();
    suchen->close();
    warten();
    return z;
}

// The editor from the listing's "Bearbeiten >>", then ">" step by step: ms per step.
double editorSchritte(Programm& p) {
    auto* editor = p.fenster<TForm13>("Form13");
    befehl(p.haupt(), "Rezeptebearbeiten1")->trigger();
    warten();
    p.fenster<Tform21>("form21")->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    warten();
    auto* vor = editor->findChild<QPushButton*>(QStringLiteral("Button13"));
    for (int i = 0; i < 5; ++i)
        vor->click();
    constexpr int kSchritte = 100;
    const double ms = besteZeit(3,
                                [&] {
                                    for (int i = 0; i < kSchritte; ++i) {
                                        vor->click();
                                        QCoreApplication::processEvents();
                                    }
                                }) /
                      kSchritte;
    editor->close();
    warten();
    return ms;
}

// "Suchen" over all books by an ingredient; the time from "Suchen >>" until the result is shown.
double alleBuecherSuchen(Programm& p) {
    auto* suchen = p.fenster<TForm9>("Form9");
    befehl(p.haupt(), "Suchen1")->trigger();
    warten();
    suchen->findChild<QRadioButton*>(QStringLiteral("RadioButton10"))->click();
    suchen->findChild<QRadioButton*>(QStringLiteral("RadioButton7"))->click();
    suchen->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Bärlauch"));
    warten();
    const double ms = zeitVon([&] {
        suchen->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        warten();
    });
    p.fenster<Tform22>("form22")->close();
    warten();
    return ms;
}

// Child modes: "--start <folder>" ends as soon as the main window is shown; "--speicher <folder>"
// prints the resident memory after the start and with the whole-book listing opened; "--wege
// <folder>" runs each path once and prints its time.
int kind(int argc, char** argv) {
    QApplication app(argc, argv);
    pfl::ressourcenLaden();
    pfl::schriftenErsetzen();
    const QString modus = QString::fromLocal8Bit(argv[1]);
    QElapsedTimer t;
    t.start();
    Programm p(QString::fromLocal8Bit(argv[2]));
    if (modus == QLatin1String("--speicher")) {
        const qint64 start = rssKb();
        befehl(p.haupt(), "Rezeptebearbeiten1")->trigger();
        warten();
        std::printf("%lld %lld\n", start, rssKb());
    } else if (modus == QLatin1String("--wege")) {
        std::printf("start %.1f\n", t.nsecsElapsed() / 1e6);
        std::printf("listing %.1f\n", listeOeffnen(p));
        const Suchfensterzeiten s = suchfensterOeffnen(p);
        std::printf("search window %.1f, ingredients %.1f (%d lines)\n", s.oeffnen, s.zutaten, s.zeilen);
        std::printf("editor step %.3f\n", editorSchritte(p));
        std::printf("all books %.1f\n", alleBuecherSuchen(p));
    }
    return 0;
}

// Resident memory (kB) after the start and with the listing open.
std::pair<qint64, qint64> prozessSpeicher(const QString& lpf) {
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--speicher"), lpf});
    p.waitForFinished(-1);
    const QList<QByteArray> w = p.readAllStandardOutput().trimmed().split(' ');
    if (w.size() != 2) return {-1, -1};
    return {w[0].toLongLong(), w[1].toLongLong()};
}

struct Messung {
    double lesen = 0, zutatenLesen = 0, liste = 0, suchfenster = 0, zutaten = 0, schritt = 0;
    double lesenAlle = 0, warm = 0, kalt = -1, katze = -1, start = 0, ersterStart = 0;
    qint64 speicherListe = -1;
    int zutatenZeilen = 0, treffer = 0;
};

void pruefe(const char* was, double wert, double ziel) {
    std::printf("  %-58s %8.2f   target <= %.1f   %s\n", was, wert, ziel, wert <= ziel ? "PASS" : "FAIL");
}

} // namespace

int main(int argc, char** argv) {
    offscreenVorgeben();
    if (argc >= 3) return kind(argc, argv);
    QApplication app(argc, argv);
    pfl::ressourcenLaden();
    pfl::schriftenErsetzen();

    QList<int> groessen;
    for (const QString& g : qEnvironmentVariable("PFANNO_BENCH_GROESSEN", QStringLiteral("1000,10000,100000"))
                                .split(QLatin1Char(','), Qt::SkipEmptyParts))
        groessen << g.trimmed().toInt();
    const QString basis = qEnvironmentVariable("PFANNO_BENCH_ORDNER", QDir::tempPath());
    QTemporaryDir tmp(basis + QStringLiteral("/pfanno-bench-XXXXXX"));
    if (qEnvironmentVariableIsSet("PFANNO_BENCH_BEHALTEN")) {
        tmp.setAutoRemove(false);
        std::printf("books kept in %s\n", qPrintable(tmp.path()));
    }
    // The program keeps each book's index of sections in the user's cache folder; here in the bench's
    // folder, so that the first start, without one, is measured too.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(tmp.path() + QStringLiteral("/cache")));
    const auto ohneIndex = [] { QDir(pfl::indexOrdnerVorgabe()).removeRecursively(); };
    const QString leer = tmp.path() + QStringLiteral("/leer/");
    ordnerAnlegen(leer, 0);
    const double startLeer = prozessZeit({QStringLiteral("--start"), leer}, 5);
    const qint64 speicherLeer = prozessSpeicher(leer).first;
    const bool kaltMoeglich = ::geteuid() == 0;

    std::map<int, Messung> m;
    for (const int n : groessen) {
        struct statvfs fs;
        const qint64 noetig = qint64(n) * qint64(sizeof(dateien)) * 22 / 10 + (64 << 20);
        if (::statvfs(QFile::encodeName(tmp.path()).constData(), &fs) == 0 &&
            qint64(fs.f_bavail) * qint64(fs.f_frsize) < noetig) {
            std::printf("%d recipes: skipped, the disk has less than %lld MB free\n", n, noetig >> 20);
            continue;
        }
        const QString lpf = tmp.path() + QStringLiteral("/b%1/").arg(n);
        const QString lpfAlle = tmp.path() + QStringLiteral("/a%1/").arg(n);
        ordnerAnlegen(lpf, n);
        ordnerAnlegen(lpfAlle, n, true);
        const QStringList dateien = buchDateien(lpf);
        const QStringList alleDateien = buchDateien(lpfAlle);
        const QString buch = lpf + QStringLiteral("Gross.rez");
        Messung& e = m[n];
        einmalLesen(dateien); // into the page cache
        e.lesen = besteZeit(3, [&] { einmalLesen(dateien); });
        e.zutatenLesen = besteZeit(3, [&] { zutatenBloeckeLesen(buch); });
        // A book changed in the last second is not indexed yet (its next change might not show).
        QThread::msleep(1100);
        e.ersterStart = prozessZeit({QStringLiteral("--start"), lpf}, n >= 100000 ? 3 : 5, ohneIndex);
        prozessZeit({QStringLiteral("--start"), lpf}, 1);
        e.start = prozessZeit({QStringLiteral("--start"), lpf}, n >= 100000 ? 3 : 5);
        e.speicherListe = prozessSpeicher(lpf).second;
        const int laeufe = n >= 100000 ? 2 : 3;
        {
            Programm p(lpf);
            e.liste = e.suchfenster = e.zutaten = 1e300;
            for (int i = 0; i < laeufe; ++i)
                e.liste = qMin(e.liste, listeOeffnen(p));
            for (int i = 0; i < laeufe; ++i) {
                const Suchfensterzeiten s = suchfensterOeffnen(p);
                e.suchfenster = qMin(e.suchfenster, s.oeffnen);
                e.zutaten = qMin(e.zutaten, s.zutaten);
                e.zutatenZeilen = s.zeilen;
            }
            e.schritt = editorSchritte(p);
        }
        // The search across all books, warm and (where the page cache can be dropped) cold.
        einmalLesen(alleDateien);
        e.lesenAlle = besteZeit(3, [&] { einmalLesen(alleDateien); });
        {
            Programm p(lpfAlle);
            alleBuecherSuchen(p);
            e.warm = 1e300;
            for (int i = 0; i < laeufe; ++i)
                e.warm = qMin(e.warm, alleBuecherSuchen(p));
            if (kaltMoeglich && cacheLeeren()) {
                e.katze = catZeit(alleDateien);
                cacheLeeren();
                e.kalt = alleBuecherSuchen(p);
            }
        }
        einmalLesen(dateien); // warm again for the next size's figures
    }

    std::printf(
        "user paths; baselines: reading the book once (4 MB blocks, warm), the ingredient blocks "
        "(one read per record), reading the ten books of the all-books search once and cat of them on a "
        "cold cache, start-up on an empty folder "
        "(%.0f ms); \"1st start\" is a start before the book's index of sections is kept\n",
        startLeer);
    std::printf("%9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s %9s\n", "recipes", "read ms", "list ms",
                "search ms", "ingr. ms", "ingr.rd", "step ms", "read 10", "all warm", "all cold", "cat cold",
                "1st start", "start ms", "B/row");
    for (const auto& [n, e] : m)
        std::printf("%9d %9.1f %9.1f %9.1f %9.1f %9.1f %9.3f %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f %9.0f\n", n,
                    e.lesen, e.liste, e.suchfenster, e.zutaten, e.zutatenLesen, e.schritt, e.lesenAlle,
                    e.warm, e.kalt, e.katze, e.ersterStart, e.start,
                    double(e.speicherListe - speicherLeer) * 1024.0 / n);
    for (const auto& [n, e] : m)
        std::printf(
            "%d recipes: listing/read %.2f, search window/read %.2f, ingredients/ingredient read %.2f "
            "(%d lines), all books warm/read %.2f, start/empty %.2f (1st start %.2f)\n",
            n, e.liste / e.lesen, e.suchfenster / e.lesen, e.zutaten / e.zutatenLesen, e.zutatenZeilen,
            e.warm / e.lesenAlle, e.start / startLeer, e.ersterStart / startLeer);

    const auto gross = m.find(100000);
    if (gross == m.end()) {
        std::printf("targets: not checked, they are set for 100 000 recipes, which did not run\n");
        return 0;
    }
    const Messung& g = gross->second;
    std::printf("targets at 100 000 recipes:\n");
    pruefe("open the whole-book listing / read the book once", g.liste / g.lesen, 2.0);
    pruefe("open the search window / read the book once", g.suchfenster / g.lesen, 1.0);
    pruefe("choose \"Nach Zutaten suchen.\" / read the ingredient blocks", g.zutaten / g.zutatenLesen, 1.5);
    if (g.kalt >= 0)
        pruefe("all-books search, cold cache / cat of the books", g.kalt / g.katze, 1.3);
    else
        std::printf("  all-books search, cold cache: skipped (dropping the page cache needs root)\n");
    pruefe("all-books search, warm cache / read the books once", g.warm / g.lesenAlle, 1.0);
    const auto klein = m.find(1000);
    if (klein != m.end())
        pruefe("editor step at 100 000 / editor step at 1 000", g.schritt / klein->second.schritt, 2.0);
    else
        std::printf("  editor step growth: not checked, 1 000 recipes did not run\n");
    pruefe("start-up with the book / start-up on an empty folder", g.start / startLeer, 2.0);
    std::printf("  (the first start on the book, before its index is kept: %.2f)\n",
                g.ersterStart / startLeer);
    pruefe("resident memory with the listing open, bytes per row over the empty program / 100",
           double(g.speicherListe - speicherLeer) * 1024.0 / 100000 / 100.0, 6.0);
    return 0;
}
