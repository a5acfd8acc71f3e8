// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipes/RezeptMail.h"

namespace pfl {

namespace {

QString mitCrLf(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace

QString kostenEingabeText(double betrag) {
    if (betrag == 0) return QString();
    QString s = QString::number(betrag, 'f', 2);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

MailMessage rezeptMail(const RezeptMailFelder& f, const QString& waehrung, const QString& vorname,
                       const QString& nachname) {
    MailMessage m;
    // The subject is a short string of 60 characters, cut after each piece.
    m.subject = QString(QStringLiteral("Post von ") + vorname).left(34);
    m.subject = QString(m.subject + QLatin1Char(' ')).left(35);
    m.subject = QString(m.subject + nachname).left(60);

    const QChar lf = QLatin1Char('\n');
    const QChar blank = QLatin1Char(' ');
    QString b;
    b += f.name + lf;
    b += lf;
    b += QStringLiteral("Schwierigkeitsgrad ") + f.schwierigkeit + lf;
    b += f.portionsart + blank + f.anzahl + lf;
    b += QStringLiteral("Kosten ca.") + blank + f.kosten + blank + waehrung + lf;
    b += QStringLiteral("Zubereitungszeit       (Min)") + blank + f.zeit + lf;
    b += QStringLiteral("Koch-/Backzeit          (Min)") + blank + f.kochzeit + lf;
    b += QStringLiteral("Kalorien p. Portion") + blank + f.kalorien + lf;
    b += lf;
    b += QStringLiteral("Zutatenliste") + lf;
    b += lf;
    b += mitCrLf(f.zutaten) + lf;
    b += lf;
    b += QStringLiteral("Zubereitung") + lf;
    b += lf;
    b += mitCrLf(f.zubereitung) + lf;
    b += lf;
    m.body = b;
    return m;
}

void rezeptMailen(const MailMessage& mail, Platform& plattform) {
    switch (plattform.sendMail(mail)) {
    case Platform::MailResult::Sent:
        return;
    case Platform::MailResult::Cancelled:
    case Platform::MailResult::NoProvider:
        plattform.message(Platform::Kind::Information, QStringLiteral("Nutzerabbruch"));
        return;
    case Platform::MailResult::Failed:
        plattform.message(Platform::Kind::Information, QStringLiteral("Fehler"));
        return;
    }
}

} // namespace pfl
