// SPDX-License-Identifier: GPL-3.0-or-later
// The printing window in the running program: a recipe from the editor as its fields stand, the
// shopping list, the views of the preview, choosing another printer, and the pages handed to the
// printer.
#include "data/Unit4.h"
#include "print/Drucken.h"
#include "recipes/Bearbeiten.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Waehrungsfeld.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;
using PrintResult = Platform::PrintResult;

void buch(Testordner& d) {
    d.optionen(QStringLiteral("Familie"));
    d.rubriken({QStringLiteral("Suppen")});
    d.kategorien({QStringLiteral("Deftig")});
    dateien s = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"),
                                   QStringLiteral("Deftig"), 12.5, QStringLiteral("20"));
    s.zutaten = QStringLiteral("250 g Linsen\r\n1 Zwiebel");
    s.zubereitung = QStringLiteral("Kochen.");
    d.buch(QStringLiteral("Familie.rez"), {s});
}

struct Druck {
    Programm p{buch};
    TForm13* editor = p.finde<TForm13>(QStringLiteral("Form13"));
    TForm14* w = p.finde<TForm14>(QStringLiteral("Form14"));

    Druck() { QMetaObject::invokeMethod(editor, "oeffnenBei", Q_ARG(int, 1)); }
    template <typename T = QPushButton> T* k(QWidget* fenster, const char* name) const {
        return Programm::in<T>(fenster, QString::fromLatin1(name));
    }
    void klick(const char* name) const { k(w, name)->click(); }
    QStringList texte(int seite = 0) const {
        QStringList l;
        for (const pfl::Drucktext& t : w->seiten().at(seite))
            l << t.text.trimmed();
        return l;
    }
};

} // namespace

class TestDrucken : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rezeptAusDemEditor_data();
    void rezeptAusDemEditor();
    void preisNichtLesbar();
    void drucken_data();
    void drucken();
    void ansichten();
    void zweiSeitenNebeneinander();
    void andererDrucker();
    void einkaufsliste();
};

void TestDrucken::rezeptAusDemEditor_data() {
    QTest::addColumn<int>("punkte"); // d_text_Hoehe in Drucker.drk; 0 = the file is missing
    QTest::newRow("defaults") << 8;
    QTest::newRow("size 12") << 12;
    QTest::newRow("file deleted before printing") << 0;
}

void TestDrucken::rezeptAusDemEditor() {
    QFETCH(int, punkte);
    Druck d;
    if (punkte == 0) {
        QFile::remove(d.p.dir.datei(QStringLiteral("Drucker.drk")));
    } else {
        Drucker dr = Testordner::satz<Drucker>(d.p.dir.lies(QStringLiteral("Drucker.drk")));
        dr.d.text_Hoehe = punkte;
        d.p.dir.schreibe(QStringLiteral("Drucker.drk"), Testordner::bytes(dr));
    }
    const QByteArray buchVorher = d.p.dir.lies(QStringLiteral("Familie.rez"));
    // Changed and not saved: the editor closes (the user keeps the changes unsaved) and the
    // printout shows the fields as they stand.
    d.k<QLineEdit>(d.editor, "Edit2")->setText(QStringLiteral("Linsensuppe scharf"));
    d.k<QPlainTextEdit>(d.editor, "Memo1")->setPlainText(QStringLiteral("250 g Linsen\n2 Chilis"));
    d.p.plattform.antworten.enqueue(Platform::Answer::No);
    d.k(d.editor, "Button8")->click();
    QCOMPARE(d.p.plattform.meldungsTexte(), QStringList{QStringLiteral("Änderungen speichern?")});
    QVERIFY(!d.editor->isVisible());
    QVERIFY(d.w->isVisible());
    QCOMPARE(d.w->windowTitle(), QStringLiteral("> Rezept drucken <"));
    QCOMPARE(d.w->seiten().size(), 1);
    const pfl::Drucktext& titel = d.w->seiten().first().first();
    QCOMPARE(titel.text, QStringLiteral("Linsensuppe scharf"));
    QCOMPARE(titel.punkte, (punkte ? punkte : 8) + 3);
    const QStringList t = d.texte();
    const qsizetype z = t.indexOf(QStringLiteral("Zutatenliste:"));
    QCOMPARE(t.mid(z + 1, 2), (QStringList{QStringLiteral("250 g Linsen"), QStringLiteral("2 Chilis")}));
    QVERIFY(t.contains(QStringLiteral(": 20")));
    // The preview shows the laid-out pages; nothing was saved; a missing settings file is written.
    QCOMPARE(d.k<QPrintPreviewWidget>(d.w, "NicePreview1")->pageCount(), 1);
    QCOMPARE(d.p.dir.lies(QStringLiteral("Familie.rez")), buchVorher);
    QCOMPARE(d.p.dir.groesse(QStringLiteral("Drucker.drk")), 416);
    QCOMPARE(d.p.plattform.meldungen.size(), 1);
    pfl::test::bildSpeichern(d.w, QStringLiteral("drucken"));
    // "Beenden" closes the window.
    d.klick("Button3");
    QVERIFY(!d.w->isVisible());
}

void TestDrucken::preisNichtLesbar() {
    Druck d;
    d.k<CurrencyEdit>(d.editor, "CurrencyEdit1")->setText(QStringLiteral("12,5x"));
    d.p.plattform.antworten.enqueue(Platform::Answer::No);
    d.k(d.editor, "Button8")->click();
    QVERIFY(!d.w->isVisible());
    QCOMPARE(d.p.plattform.meldungen.size(), 2); // the question about the change, then the price
    QVERIFY(d.p.plattform.meldungen.last().text.contains(QStringLiteral("\u201E12,5x\u201C")));
    QVERIFY(d.p.plattform.seitendrucke.isEmpty());
}

void TestDrucken::drucken_data() {
    QTest::addColumn<PrintResult>("ergebnis");
    QTest::addColumn<bool>("meldung");
    QTest::newRow("printed") << PrintResult::Printed << false;
    QTest::newRow("cancelled") << PrintResult::Cancelled << false;
    QTest::newRow("failed") << PrintResult::Failed << true;
}

void TestDrucken::drucken() {
    QFETCH(PrintResult, ergebnis);
    QFETCH(bool, meldung);
    Druck d;
    // Enough ingredients for three pages.
    QStringList zutaten;
    for (int i = 0; i < 120; ++i)
        zutaten << QStringLiteral("%1 g Mehl").arg(i);
    d.k<QPlainTextEdit>(d.editor, "Memo1")->setPlainText(zutaten.join(QLatin1Char('\n')));
    d.p.plattform.antworten.enqueue(Platform::Answer::No);
    d.k(d.editor, "Button8")->click();
    d.p.plattform.meldungen.clear(); // the question about the unsaved change
    QCOMPARE(d.w->seiten().size(), 3);
    d.p.plattform.druckErgebnis = ergebnis;
    d.klick("Button2");
    QCOMPARE(d.p.plattform.meldungen.size(), meldung ? 1 : 0);
    if (ergebnis != PrintResult::Printed) return;
    QCOMPARE(d.p.plattform.seitendrucke.size(), 1);
    const ScriptedPlatform::Seitendruck& job = d.p.plattform.seitendrucke.first();
    // The job (and a PDF file) is named after the recipe, on A4 paper by default.
    QCOMPARE(job.titel, QStringLiteral("Linsensuppe"));
    QCOMPARE(job.drucker->pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(job.drucker->pageLayout().orientation(), QPageLayout::Portrait);
    QCOMPARE(job.seiten.size(), 3);
    for (const QPicture& s : job.seiten) {
        QCOMPARE(s.boundingRect(), QRect(0, 0, 816, 1056));
        QVERIFY(s.size() > 0);
    }
    QVERIFY(d.w->isVisible()); // printing leaves the preview open
}

void TestDrucken::ansichten() {
    Druck d;
    d.k(d.editor, "Button8")->click();
    auto* vorschau = d.k<QPrintPreviewWidget>(d.w, "NicePreview1");
    QPushButton* zwei = d.k(d.w, "Button1");
    QPushButton* eine = d.k(d.w, "Button4");
    QCOMPARE(vorschau->zoomMode(), QPrintPreviewWidget::FitToWidth);
    QVERIFY(zwei->isVisible() && !eine->isVisible());
    QCOMPARE(zwei->pos(), eine->pos());
    zwei->click();
    QCOMPARE(vorschau->viewMode(), QPrintPreviewWidget::AllPagesView);
    QVERIFY(!zwei->isVisible() && eine->isVisible());
    eine->click();
    QCOMPARE(vorschau->viewMode(), QPrintPreviewWidget::SinglePageView);
    QCOMPARE(vorschau->zoomMode(), QPrintPreviewWidget::CustomZoom);
    QCOMPARE(vorschau->zoomFactor(), 1.0);
    QVERIFY(zwei->isVisible() && !eine->isVisible());
}

void TestDrucken::zweiSeitenNebeneinander() {
    // "Zwei Seiten" shows page 1 on the left and page 2 on the right: a first page of heavy lines
    // beside a second one of light lines makes the left half of the view the darker one.
    Druck d;
    const auto drucke = [&](const QString& text) {
        d.p.u.einkaufText = text;
        QVERIFY(QMetaObject::invokeMethod(d.w, "einkaufslisteDrucken"));
    };
    const QString schwer = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    drucke(QStringList(300, schwer).join(QStringLiteral("\r\n")));
    const qsizetype erste = d.w->seiten().first().size() - 3;
    drucke(QStringList(erste, schwer).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") +
           QStringList(20, QStringLiteral("i")).join(QStringLiteral("\r\n")));
    QCOMPARE(d.w->seiten().size(), 2);
    auto* vorschau = d.k<QPrintPreviewWidget>(d.w, "NicePreview1");
    d.klick("Button1");
    QCoreApplication::processEvents();
    const QImage bild = vorschau->grab().toImage();
    const auto tinte = [&](int von, int bis) {
        qint64 summe = 0;
        for (int y = 0; y < bild.height(); ++y)
            for (int x = von; x < bis; ++x)
                summe += qGray(bild.pixel(x, y)) < 100 ? 1 : 0;
        return summe;
    };
    const qint64 links = tinte(0, bild.width() / 2);
    const qint64 rechts = tinte(bild.width() / 2, bild.width());
    QVERIFY2(links > 2 * rechts && rechts > 0, qPrintable(QStringLiteral("%1 / %2").arg(links).arg(rechts)));
}

void TestDrucken::andererDrucker() {
    Druck d;
    d.k(d.editor, "Button8")->click();
    const QList<pfl::Druckseite> vorher = d.w->seiten();
    d.klick("Button5");
    QCOMPARE(d.p.plattform.druckereinrichtungen, 1);
    QCOMPARE(d.w->seiten(), vorher); // not laid out again
    // The next print goes to the printer the set-up changed.
    d.klick("Button2");
    QCOMPARE(d.p.plattform.seitendrucke.size(), 1);
    QCOMPARE(d.p.plattform.seitendrucke.first().drucker, d.p.plattform.eingerichteterDrucker);
}

void TestDrucken::einkaufsliste() {
    Druck d;
    Einkaufstliste e;
    zeroRecord(e);
    e.e_liste = QStringLiteral("Milch\r\nBrot\r\n");
    d.p.dir.schreibe(QStringLiteral("Einkaufsliste.Ekl"), Testordner::bytes(e));
    d.p.u.einkauflist_lesen();
    // The shopping list window connects by name.
    QVERIFY(QMetaObject::invokeMethod(d.w, "einkaufslisteDrucken"));
    QVERIFY(d.w->isVisible());
    QCOMPARE(d.w->windowTitle(), QStringLiteral("> Einkaufsliste <"));
    d.klick("Button2");
    QCOMPARE(d.p.plattform.seitendrucke.size(), 1);
    QCOMPARE(d.p.plattform.seitendrucke.first().titel, QStringLiteral("Einkaufsliste"));
    QCOMPARE(d.texte(),
             (QStringList{QStringLiteral("Einkaufsliste"), QStringLiteral("Erstellt am"),
                          QStringLiteral(": 07.12.2026"), QStringLiteral("Milch"), QStringLiteral("Brot")}));
    QCOMPARE(d.w->seiten().first().at(3).punkte, 10);
}

QTEST_MAIN(TestDrucken)
#include "tst_drucken.moc"
