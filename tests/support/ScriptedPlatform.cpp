// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPlatform.h"

QStringList ScriptedPlatform::meldungsTexte() const {
    QStringList out;
    for (const Meldung& m : meldungen)
        out.append(m.text);
    return out;
}

Platform::Answer ScriptedPlatform::message(Kind kind, const QString& text, Buttons buttons,
                                           const QString& title) {
    meldungen.append({kind, text, buttons, title});
    if (buttons == Buttons::Ok) return Answer::Ok;
    if (!antworten.isEmpty()) return antworten.dequeue();
    return Answer::Yes;
}

QString ScriptedPlatform::choosePictureFile(const QString&, const QString&) {
    return bilddateien.isEmpty() ? QString() : bilddateien.dequeue();
}

QString ScriptedPlatform::chooseDirectory(const QString&) {
    return verzeichnisse.isEmpty() ? QString() : verzeichnisse.dequeue();
}

QStringList ScriptedPlatform::chooseOpenFiles(const QString& title, const QString& startDir,
                                              const QStringList& filters) {
    dateiwahlen.append({title, startDir, filters, QString()});
    return oeffnen.isEmpty() ? QStringList() : oeffnen.dequeue();
}

QString ScriptedPlatform::chooseSaveFile(const QString& title, const QString& proposed,
                                         const QStringList& filters, QString& filter) {
    dateiwahlen.append({title, proposed, filters, filter});
    if (speichern.isEmpty()) return QString();
    const QPair<QString, QString> a = speichern.dequeue();
    if (!a.second.isEmpty()) filter = a.second;
    return a.first;
}

bool ScriptedPlatform::chooseColour(quint32& colour, QList<quint32>& custom) {
    letzteEigeneFarben = custom;
    if (farben.isEmpty()) return false;
    colour = farben.dequeue();
    return true;
}

bool ScriptedPlatform::openUrl(const QString& url) {
    geoeffneteUrls.append(url);
    return true;
}

int ScriptedPlatform::startProgram(const QString& program, const QStringList& arguments) {
    gestarteteProgramme.append({program, arguments});
    return programmErgebnis;
}

Platform::MailResult ScriptedPlatform::sendMail(const MailMessage& mail) {
    mails.append(mail);
    return mailErgebnis;
}

void ScriptedPlatform::showHelp(const QString& helpFile, int topic) {
    hilfeAufrufe.append({helpFile, topic});
}
