// SPDX-License-Identifier: GPL-3.0-or-later
// Mailing a recipe: the subject and body made from the editor's fields, what the editor hands to the
// mail program and tells the user for each outcome, the owner data and currency from the settings,
// and the mailto link the desktop hand-over builds.
#include "data/Unit4.h"
#include "app/QtPlatform.h"
#include "recipes/RezeptMail.h"
#include "support/Testordner.h"
#include "support/LaufendesProgramm.h"
#include "widgets/Zahlenfeld.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
using Programm = pfl::test::LaufendesProgramm;
using Result = Platform::MailResult;

const QString kKopf = QStringLiteral("Linsensuppe\n"
                                     "\n"
                                     "Schwierigkeitsgrad Leicht\n"
                                     "Anz. Personen 4\n");
const QString kZeiten = QStringLiteral("Zubereitungszeit       (Min) 30\n"
                                       "Koch-/Backzeit          (Min) 45\n"
                                       "Kalorien p. Portion 350 kcal\n"
                                       "\n"
                                       "Zutatenliste\n"
                                       "\n");
// Three ingredient lines keep their CR LF; every line of the body ends with LF, the last two are empty.
const QString kTexte = QStringLiteral("250 g Linsen\r\n100 g Speck\r\n1 Zwiebel\n"
                                      "\n"
                                      "Zubereitung\n"
                                      "\n"
                                      "Alles kochen.\n"
                                      "\n");

pfl::RezeptMailFelder linsensuppe(const QString& kosten) {
    return {QStringLiteral("Linsensuppe"),
            QStringLiteral("Leicht"),
            QStringLiteral("Anz. Personen"),
            QStringLiteral("4"),
            kosten,
            QStringLiteral("30"),
            QStringLiteral("45"),
            QStringLiteral("350 kcal"),
            QStringLiteral("250 g Linsen\n100 g Speck\n1 Zwiebel"),
            QStringLiteral("Alles kochen.")};
}

void buchMitSuppe(Testordner& d) {
    optionen o;
    zeroRecord(o);
    o.rezeptbuch = QStringLiteral("Familie");
    o.db_einaus = 1;
    o.z_hoehe = 22;
    o.waehrung = QStringLiteral("EUR");
    d.schreibe(QStringLiteral("Rezept.opt"), Testordner::bytes(o));
    Stamm_inh s;
    zeroRecord(s);
    s.vorname = QStringLiteral("Anna");
    s.Name = QStringLiteral("Huber");
    d.schreibe(QStringLiteral("Stammdaten.sti"), Testordner::bytes(s));
    d.rubriken({QStringLiteral("Suppen")});
    dateien r = Testordner::rezept(QStringLiteral("Suppen"), QStringLiteral("Linsensuppe"),
                                   QStringLiteral("Deftig"), 1234.5);
    r.anzahl = QStringLiteral("4");
    r.personen = QStringLiteral("Anz. Personen");
    r.schwer = QStringLiteral("Leicht");
    r.zeit = QStringLiteral("30");
    r.k_zeit = QStringLiteral("45");
    r.kalorien = QStringLiteral("350 kcal");
    r.zutaten.setPlainText(QStringLiteral("250 g Linsen\n100 g Speck\n1 Zwiebel"));
    r.zubereitung = QStringLiteral("Alles kochen.");
    d.buch(QStringLiteral("Familie.rez"), {r});
}

QDialog* editorAuf(Programm& p) {
    auto* editor = p.finde<QDialog>(QStringLiteral("Form13"));
    QMetaObject::invokeMethod(editor, "oeffnenBei", Q_ARG(int, 1));
    return editor;
}

} // namespace

class TestRezeptMail : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { pfl::ressourcenLaden(); }
    void mailtext_data();
    void mailtext();
    void kostenWieImFeld_data();
    void kostenWieImFeld();
    void ausDemEditor_data();
    void ausDemEditor();
    void einstellungenGeltenSofort();
    void mailtoLink_data();
    void mailtoLink();
};

void TestRezeptMail::mailtext_data() {
    QTest::addColumn<QString>("kosten");
    QTest::addColumn<QString>("waehrung");
    QTest::addColumn<QString>("vorname");
    QTest::addColumn<QString>("nachname");
    QTest::addColumn<QString>("betreff");
    QTest::addColumn<QString>("kostenZeile");
    QTest::newRow("owner and cost") << "12,5"
                                    << "€  "
                                    << "Anna"
                                    << "Huber"
                                    << "Post von Anna Huber"
                                    << "Kosten ca. 12,5 €  \n";
    // A cost of 0 leaves the field empty: two blanks before the currency text.
    QTest::newRow("cost 0") << ""
                            << "EUR"
                            << "Anna"
                            << "Huber"
                            << "Post von Anna Huber"
                            << "Kosten ca.  EUR\n";
    QTest::newRow("no owner data") << "3"
                                   << ""
                                   << ""
                                   << ""
                                   << "Post von  "
                                   << "Kosten ca. 3 \n";
    QTest::newRow("full owner fields")
        << "3"
        << "EUR" << QString(25, QLatin1Char('v')) << QString(25, QLatin1Char('n'))
        << QStringLiteral("Post von ") + QString(25, QLatin1Char('v')) + QLatin1Char(' ') +
               QString(25, QLatin1Char('n'))
        << "Kosten ca. 3 EUR\n";
}

void TestRezeptMail::mailtext() {
    QFETCH(QString, kosten);
    QFETCH(QString, waehrung);
    QFETCH(QString, vorname);
    QFETCH(QString, nachname);
    QFETCH(QString, betreff);
    QFETCH(QString, kostenZeile);
    const MailMessage m = pfl::rezeptMail(linsensuppe(kosten), waehrung, vorname, nachname);
    QCOMPARE(m.subject, betreff);
    QCOMPARE(m.body, kKopf + kostenZeile + kZeiten + kTexte);
    QVERIFY(m.to.isEmpty()); // the user chooses the recipient
}

void TestRezeptMail::kostenWieImFeld_data() {
    QTest::addColumn<double>("betrag");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0.0 << "";
    QTest::newRow("whole") << 3.0 << "3";
    QTest::newRow("one decimal") << 12.5 << "12,5";
    QTest::newRow("two decimals") << 0.05 << "0,05";
    QTest::newRow("no thousands separator") << 1234.56 << "1234,56";
    QTest::newRow("rounded to two decimals") << 2.499 << "2,5";
}

void TestRezeptMail::kostenWieImFeld() {
    QFETCH(double, betrag);
    QFETCH(QString, text);
    QCOMPARE(pfl::kostenEingabeText(betrag), text);
}

void TestRezeptMail::ausDemEditor_data() {
    QTest::addColumn<int>("ergebnis");
    QTest::addColumn<QString>("meldung"); // empty: none
    QTest::newRow("handed over") << int(Result::Sent) << "";
    QTest::newRow("cancelled by the user") << int(Result::Cancelled) << "Nutzerabbruch";
    QTest::newRow("no mail program") << int(Result::NoProvider) << "Nutzerabbruch";
    QTest::newRow("failure") << int(Result::Failed) << "Fehler";
}

void TestRezeptMail::ausDemEditor() {
    QFETCH(int, ergebnis);
    QFETCH(QString, meldung);
    Programm p(buchMitSuppe);
    p.plattform.mailErgebnis = Result(ergebnis);
    QDialog* editor = editorAuf(p);
    QVERIFY(editor->isVisible());
    Programm::in<QPushButton>(editor, QStringLiteral("BitBtn1"))->click();
    QCOMPARE(p.plattform.mails.size(), 1);
    const MailMessage& m = p.plattform.mails.first();
    QCOMPARE(m.subject, QStringLiteral("Post von Anna Huber"));
    QCOMPARE(m.body, kKopf + QStringLiteral("Kosten ca. 1234,5 EUR\n") + kZeiten + kTexte);
    QVERIFY(m.to.isEmpty());
    QCOMPARE(p.plattform.meldungsTexte(), meldung.isEmpty() ? QStringList() : QStringList{meldung});
    // Whatever the outcome, the editor closes.
    QVERIFY(!editor->isVisible());
}

void TestRezeptMail::einstellungenGeltenSofort() {
    Programm p(buchMitSuppe);
    const QByteArray buch = p.dir.lies(QStringLiteral("Familie.rez"));
    p.finde<QAction>(QStringLiteral("Einstellungen1"))->trigger();
    auto* einst = p.finde<QDialog>(QStringLiteral("Einst"));
    Programm::in<QLineEdit>(einst, QStringLiteral("Edit2"))->setText(QStringLiteral("Jörg"));
    Programm::in<QLineEdit>(einst, QStringLiteral("Edit3"))->setText(QStringLiteral("CHF"));
    Programm::in<QPushButton>(einst, QStringLiteral("Button1"))->click();
    // Unsaved changes of the editor go into the mail; they are still only the user's to save.
    p.plattform.antworten.enqueue(Platform::Answer::No);
    QDialog* editor = editorAuf(p);
    Programm::in<QLineEdit>(editor, QStringLiteral("Edit2"))->setText(QStringLiteral("Erbsensuppe"));
    Programm::in<RxSpinEdit>(editor, QStringLiteral("RxSpinEdit1"))->setText(QStringLiteral("6"));
    Programm::in<QPushButton>(editor, QStringLiteral("BitBtn1"))->click();
    QCOMPARE(p.plattform.mails.size(), 1);
    const MailMessage& m = p.plattform.mails.first();
    QCOMPARE(m.subject, QStringLiteral("Post von Jörg Huber"));
    QVERIFY(m.body.startsWith(QStringLiteral("Erbsensuppe\n\nSchwierigkeitsgrad Leicht\nAnz. Personen 6\n")));
    QVERIFY(m.body.contains(QStringLiteral("\nKosten ca. 1234,5 CHF\n")));
    QVERIFY(!editor->isVisible());
    QCOMPARE(p.dir.lies(QStringLiteral("Familie.rez")), buch);
}

void TestRezeptMail::mailtoLink_data() {
    QTest::addColumn<QString>("betreff");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textImLink"); // as the mail program reads it back
    QTest::newRow("umlauts and euro") << "Post von Jörg Müller"
                                      << "Kosten ca. 5 €\n"
                                      << QStringLiteral("Kosten ca. 5 €\r\n");
    QTest::newRow("characters of a link") << "Salz & Pfeffer? #1"
                                          << "a&b=c?d#e+f%20g/h"
                                          << "a&b=c?d#e+f%20g/h";
    QTest::newRow("every line break as CR LF") << "x"
                                               << "a\nb\r\nc\rd\n\n"
                                               << "a\r\nb\r\nc\r\nd\r\n\r\n";
    const QString lang = QStringLiteral("Zwiebeln würfeln & anbraten.\n").repeated(600);
    QString langCrLf = lang;
    langCrLf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    QTest::newRow("long body") << "Post von  " << lang << langCrLf;
}

void TestRezeptMail::mailtoLink() {
    QFETCH(QString, betreff);
    QFETCH(QString, text);
    QFETCH(QString, textImLink);
    const QByteArray link = ::mailtoLink({betreff, text, QString()});
    QVERIFY(link.startsWith("mailto:?subject="));
    // Only unreserved characters and the link's own delimiters appear as they are.
    for (char c : link)
        QVERIFY2(QByteArrayView("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~%:?=&")
                     .contains(c),
                 qPrintable(QStringLiteral("raw character %1").arg(QLatin1Char(c))));
    const QList<QByteArray> teile = link.mid(int(qstrlen("mailto:?"))).split('&');
    QCOMPARE(teile.size(), 2);
    QVERIFY(teile.at(0).startsWith("subject="));
    QVERIFY(teile.at(1).startsWith("body="));
    QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(teile.at(0).mid(8))), betreff);
    QCOMPARE(QString::fromUtf8(QByteArray::fromPercentEncoding(teile.at(1).mid(5))), textImLink);
    // The desktop gets the link through QUrl: it must pass unchanged.
    const QUrl url = QUrl::fromEncoded(link, QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(), link);
}

QTEST_MAIN(TestRezeptMail)
#include "tst_rezeptmail.moc"
