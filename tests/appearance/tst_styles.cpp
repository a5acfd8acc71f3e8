// SPDX-License-Identifier: GPL-3.0-or-later
// The named styles: each activates for the whole application with a readable palette of its own.
#include "appearance/Styles.h"
#include "appearance/Farben.h"
#include "data/Farbschema.h"
#include "support/Datenumgebung.h"
#include "support/Bildschirmfoto.h"

#include "data/Farbschema.h"
#include "data/Unit4.h"

#include <QApplication>
#include <QHash>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QVBoxLayout>
#include <QtTest>
#include <cmath>

namespace {

using pfl::kontrast;

const QStringList kDunkel{"Carbon",
                          "Obsidian",
                          "Onyx Blue",
                          "TabletDark",
                          "Windows10 Dark",
                          "Metropolis UI Black",
                          "Metropolis UI Dark",
                          "Charcoal Dark Slate",
                          "Cyan Night",
                          "Aqua Graphite",
                          "Golden Graphite",
                          "Ruby Graphite"};
const QStringList kHell{"Aqua Light Slate", "Emerald Light Slate", "Light", "Sky",   "Iceberg Classico",
                        "Tablet Light",     "Windows10",           "Luna",  "Silver"};

} // namespace

class TestStyles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kontrastWerte_data();
    void kontrastWerte();
    void angeboteneStyles();
    void gespeichertUndGelesen_data();
    void gespeichertUndGelesen();
    void jederStyle_data();
    void jederStyle();
    void palettenVerschieden();
    void hellOderDunkel_data();
    void hellOderDunkel();
    void farbfamilien_data();
    void farbfamilien();
    void unbekannterNameAendertNichts();
    void aktiverStilImSchema();
    void probefenster_data();
    void probefenster();

private:
    Unit4 u;
    pfl::Farbschema schema{u};
};

void TestStyles::kontrastWerte_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("erwartet");
    QTest::newRow("schwarz auf weiss") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("gleich") << QColor(0x336699) << QColor(0x336699) << 1.0;
    // Mid grey just misses the 4.5 that body text needs; the sRGB curve's linear toe counts.
    QTest::newRow("777777 auf weiss") << QColor(0x777777) << QColor(Qt::white) << 4.478;
    QTest::newRow("767676 auf weiss") << QColor(0x767676) << QColor(Qt::white) << 4.542;
    QTest::newRow("dunkles Grau 0A0A0A") << QColor(0x0A0A0A) << QColor(Qt::black) << 1.0607;
    QTest::newRow("reines Rot auf weiss") << QColor(Qt::red) << QColor(Qt::white) << 3.998;
    QTest::newRow("reines Gruen auf schwarz") << QColor(Qt::green) << QColor(Qt::black) << 15.3;
}

void TestStyles::kontrastWerte() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, erwartet);
    QVERIFY2(std::abs(pfl::kontrast(a, b) - erwartet) < 0.005,
             qPrintable(QString::number(pfl::kontrast(a, b), 'f', 4)));
    QCOMPARE(pfl::kontrast(b, a), pfl::kontrast(a, b));
}

void TestStyles::angeboteneStyles() {
    // What the colour dialog offers: "Windows" first, every name once, and each a look of its own.
    const QStringList namen = styleNamen();
    QVERIFY(!namen.isEmpty());
    QCOMPARE(namen.first(), QStringLiteral("Windows"));
    QCOMPARE(QSet<QString>(namen.begin(), namen.end()).size(), namen.size());
    QHash<QString, QString> aussehen; // the look an activated style gives, by the name that gave it
    for (const QString& n : namen) {
        // Styledat.txt keeps the name as its trimmed first line.
        QVERIFY2(!n.isEmpty() && n == n.trimmed() && !n.contains(QLatin1Char('\n')), qPrintable(n));
        QVERIFY2(styleAktivieren(schema, n), qPrintable(n));
        QString schluessel = QApplication::style()->name();
        for (auto rolle : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
                           QPalette::Button, QPalette::Highlight})
            schluessel += QApplication::palette().color(rolle).name();
        QVERIFY2(!aussehen.contains(schluessel),
                 qPrintable(n + QStringLiteral(" = ") + aussehen.value(schluessel)));
        aussehen.insert(schluessel, n);
    }
}

void TestStyles::gespeichertUndGelesen_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("bekannt");
    for (const QString& n : styleNamen())
        QTest::newRow(qPrintable(n)) << n << true;
    QTest::newRow("unbekannt") << "Nicht vorhanden" << false;
    QTest::newRow("falsch geschrieben") << "obsidian" << false;
    QTest::newRow("Umlaut") << "Grün" << false;
}

void TestStyles::gespeichertUndGelesen() {
    // The style the colour dialog stores is the one the next start activates; a stored name the
    // program does not know leaves the style as it was.
    QFETCH(QString, name);
    QFETCH(bool, bekannt);
    Datenumgebung e;
    const QString vorher =
        name == QLatin1String("Obsidian") ? QStringLiteral("Sky") : QStringLiteral("Obsidian");
    pfl::Farbschema vorige(e.u);
    QVERIFY(styleAktivieren(vorige, vorher));
    pfl::Farbschema dialog(e.u);
    dialog.Style = name;
    QVERIFY(dialog.style_speichern());

    pfl::Farbschema start(e.u);
    QVERIFY(!pfl::style_lesen(start)); // the file names a style
    QCOMPARE(start.Style, name);
    const QString aktiv = bekannt ? name : vorher;
    const bool windows = aktiv == QLatin1String("Windows");
    QCOMPARE(QApplication::style()->name(), windows ? QStringLiteral("windows") : QStringLiteral("fusion"));
    if (windows) {
        // The platform's own look: its window colour (the desktop may tint the rest).
        QCOMPARE(QApplication::palette().color(QPalette::Window),
                 QApplication::style()->standardPalette().color(QPalette::Window));
        return;
    }
    const QPalette soll = *stylePalette(aktiv);
    for (auto rolle :
         {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text, QPalette::Highlight})
        QCOMPARE(QApplication::palette().color(rolle), soll.color(rolle));
}

void TestStyles::jederStyle_data() {
    QTest::addColumn<QString>("name");
    for (const QString& n : styleNamen())
        QTest::newRow(qPrintable(n)) << n;
}

void TestStyles::jederStyle() {
    QFETCH(QString, name);
    QVERIFY(styleAktivieren(schema, name));
    const bool windows = name == QLatin1String("Windows");
    QCOMPARE(QApplication::style()->name(), windows ? QStringLiteral("windows") : QStringLiteral("fusion"));
    const QPalette p = QApplication::palette();
    if (windows) {
        QVERIFY(!stylePalette(name));
        QCOMPARE(p.color(QPalette::Window), QApplication::style()->standardPalette().color(QPalette::Window));
        return;
    }
    const QPalette soll = *stylePalette(name);
    for (auto rolle :
         {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Highlight, QPalette::Text})
        QCOMPARE(p.color(rolle), soll.color(rolle));
    // A new widget takes the palette too.
    QLineEdit feld;
    QCOMPARE(feld.palette().color(QPalette::Base), soll.color(QPalette::Base));

    const struct {
        QPalette::ColorRole vorne, hinten;
    } paare[] = {{QPalette::Text, QPalette::Base},
                 {QPalette::Text, QPalette::AlternateBase},
                 {QPalette::WindowText, QPalette::Window},
                 {QPalette::ButtonText, QPalette::Button},
                 {QPalette::HighlightedText, QPalette::Highlight},
                 {QPalette::ToolTipText, QPalette::ToolTipBase},
                 {QPalette::Link, QPalette::Base}};
    for (const auto& paar : paare) {
        const double k =
            kontrast(p.color(QPalette::Active, paar.vorne), p.color(QPalette::Active, paar.hinten));
        QVERIFY2(k >= 4.5, qPrintable(QStringLiteral("roles %1/%2: contrast %3")
                                          .arg(int(paar.vorne))
                                          .arg(int(paar.hinten))
                                          .arg(k, 0, 'f', 2)));
    }
    // Disabled text must look different from enabled text, yet stay visible.
    const QColor aus = p.color(QPalette::Disabled, QPalette::Text);
    QVERIFY(aus != p.color(QPalette::Active, QPalette::Text));
    QVERIFY(kontrast(aus, p.color(QPalette::Disabled, QPalette::Base)) >= 1.8);
    QVERIFY(p.color(QPalette::PlaceholderText) != p.color(QPalette::Text));
}

void TestStyles::palettenVerschieden() {
    QSet<QString> gesehen;
    for (const QString& n : styleNamen()) {
        const std::optional<QPalette> p = stylePalette(n);
        if (!p) continue;
        QString schluessel;
        for (auto rolle : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Highlight})
            schluessel += p->color(rolle).name();
        QVERIFY2(!gesehen.contains(schluessel), qPrintable(n));
        gesehen.insert(schluessel);
    }
    QCOMPARE(gesehen.size(), 39);
}

void TestStyles::hellOderDunkel_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("dunkel");
    for (const QString& n : kDunkel)
        QTest::newRow(qPrintable(n)) << n << true;
    for (const QString& n : kHell)
        QTest::newRow(qPrintable(n)) << n << false;
}

void TestStyles::hellOderDunkel() {
    QFETCH(QString, name);
    QFETCH(bool, dunkel);
    const QPalette p = stylePalette(name).value();
    const double fenster = p.color(QPalette::Window).lightnessF();
    const double grund = p.color(QPalette::Base).lightnessF();
    if (dunkel) {
        QVERIFY2(fenster < 0.3 && grund < 0.3, qPrintable(QString::number(fenster)));
        QVERIFY(p.color(QPalette::Text).lightnessF() > 0.7);
    } else {
        QVERIFY2(fenster > 0.8 && grund > 0.9, qPrintable(QString::number(fenster)));
        QVERIFY(p.color(QPalette::Text).lightnessF() < 0.3);
    }
}

void TestStyles::farbfamilien_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("vonHue");
    QTest::addColumn<int>("bisHue");
    QTest::newRow("Amethyst violett") << "Amethyst Kamri" << 260 << 300;
    QTest::newRow("Lavender") << "Lavender Classico" << 235 << 275;
    QTest::newRow("Emerald gruen") << "Emerald Light Slate" << 120 << 165;
    QTest::newRow("Ruby rot") << "Ruby Graphite" << 330 << 375;
    QTest::newRow("Sapphire blau") << "Sapphire Kamri" << 200 << 245;
    QTest::newRow("Cobalt blau") << "Cobalt XEMedia" << 200 << 245;
    QTest::newRow("Golden gold") << "Golden Graphite" << 35 << 55;
    QTest::newRow("Auric gold") << "Auric" << 35 << 55;
    QTest::newRow("Turquoise petrol") << "Turquoise Gray" << 160 << 190;
    QTest::newRow("Cyan Night") << "Cyan Night" << 175 << 200;
    QTest::newRow("Windows10 Green") << "Windows10 Green" << 120 << 165;
    QTest::newRow("Windows10 Purple") << "Windows10 Purple" << 260 << 300;
}

void TestStyles::farbfamilien() {
    QFETCH(QString, name);
    QFETCH(int, vonHue);
    QFETCH(int, bisHue);
    const QColor h = stylePalette(name).value().color(QPalette::Highlight);
    int hue = h.hslHue();
    if (hue < vonHue) hue += 360; // red wraps around 0
    QVERIFY2(hue >= vonHue && hue <= bisHue, qPrintable(QString::number(h.hslHue())));
    QVERIFY(h.hslSaturationF() > 0.3);
}

void TestStyles::unbekannterNameAendertNichts() {
    QVERIFY(styleAktivieren(schema, QStringLiteral("Obsidian")));
    const QStyle* vorher = QApplication::style();
    const QPalette p = QApplication::palette();
    QVERIFY(!styleAktivieren(schema, QStringLiteral("Nicht vorhanden")));
    QVERIFY(!styleAktivieren(schema, QStringLiteral("obsidian"))); // names are exact
    QVERIFY(!styleAktivieren(schema, QString()));
    QCOMPARE(QApplication::style(), vorher);
    QCOMPARE(QApplication::palette(), p);
}

void TestStyles::aktiverStilImSchema() {
    // The scheme knows the style it shows: the same name again keeps the style object (no repolish
    // of every window); an unknown name leaves the record alone.
    QVERIFY(styleAktivieren(schema, QStringLiteral("Sky")));
    QCOMPARE(schema.aktiverStil, QStringLiteral("Sky"));
    const QStyle* sky = QApplication::style();
    QVERIFY(styleAktivieren(schema, QStringLiteral("Sky")));
    QCOMPARE(QApplication::style(), sky);
    QVERIFY(!styleAktivieren(schema, QStringLiteral("Himmel")));
    QCOMPARE(schema.aktiverStil, QStringLiteral("Sky"));
    QVERIFY(styleAktivieren(schema, QStringLiteral("Windows")));
    QCOMPARE(schema.aktiverStil, QStringLiteral("Windows"));
    QCOMPARE(QApplication::style()->name(), QStringLiteral("windows"));
    // Another run's scheme has shown nothing yet, so its first style is applied.
    Unit4 u2;
    pfl::Farbschema neu(u2);
    QVERIFY(neu.aktiverStil.isEmpty());
    const QStyle* windows = QApplication::style();
    QVERIFY(styleAktivieren(neu, QStringLiteral("Windows")));
    QVERIFY(QApplication::style() != windows);
    QCOMPARE(neu.aktiverStil, QStringLiteral("Windows"));
}

void TestStyles::probefenster_data() {
    QTest::addColumn<QString>("name");
    for (const char* n : {"Windows", "Aqua Light Slate", "Obsidian", "Amethyst Kamri", "Windows10 Dark",
                          "Golden Graphite", "Sky"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestStyles::probefenster() {
    // A small window painted in the style: its background shows the palette's window colour.
    QFETCH(QString, name);
    QVERIFY(styleAktivieren(schema, name));
    QWidget w;
    auto* lay = new QVBoxLayout(&w);
    auto* feld = new QLineEdit(QStringLiteral("Linsensuppe"));
    auto* leer = new QLineEdit;
    leer->setPlaceholderText(QStringLiteral("Name des Rezepts"));
    auto* liste = new QListWidget;
    liste->addItems({QStringLiteral("Suppen"), QStringLiteral("Hauptgerichte"), QStringLiteral("Nachspeisen"),
                     QStringLiteral("Gebäck")});
    liste->setCurrentRow(1);
    liste->setAlternatingRowColors(true);
    auto* knoepfe = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Speichern >>"));
    ok->setDefault(true);
    auto* aus = new QPushButton(QStringLiteral("Hilfe"));
    aus->setEnabled(false);
    knoepfe->addWidget(ok);
    knoepfe->addWidget(new QPushButton(QStringLiteral("Beenden")));
    knoepfe->addWidget(aus);
    lay->addWidget(feld);
    lay->addWidget(leer);
    lay->addWidget(liste);
    lay->addLayout(knoepfe);
    w.resize(340, 260);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    liste->setFocus();
    const QImage bild = w.grab().toImage();
    QVERIFY(!bild.isNull());
    QCOMPARE(QColor(bild.pixel(2, 2)), QApplication::palette().color(QPalette::Window));
    pfl::test::bildschirmfoto(bild, QStringLiteral("style_") + name);
}

QTEST_MAIN(TestStyles)
#include "tst_styles.moc"
