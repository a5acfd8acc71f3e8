// SPDX-License-Identifier: GPL-3.0-or-later
// The platform of the running program, on Qt and the Linux desktop.
#pragma once

#include "platform/Platform.h"

#include <memory>

namespace pfl {
class Hilfefenster;
}

// The mailto link of a mail: every character that is not unreserved percent-encoded (UTF-8), the
// body's line breaks as CR LF.
QByteArray mailtoLink(const MailMessage& mail);

// The file a printout to PDF proposes: its title as the name, in the home folder.
QString pdfVorschlag(const QString& titel);

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    Answer message(Kind kind, const QString& text, Buttons buttons, const QString& title) override;
    void beep() override;
    QString choosePictureFile(const QString& startDir, const QString& filter) override;
    QString chooseDirectory(const QString& startDir) override;
    QStringList chooseOpenFiles(const QString& title, const QString& startDir,
                                const QStringList& filters) override;
    QString chooseSaveFile(const QString& title, const QString& proposed, const QStringList& filters,
                           QString& filter) override;
    bool chooseColour(quint32& colour, QList<quint32>& custom) override;
    bool printerSetup(QPrinter* printer) override;
    PrintResult printImage(QPrinter* printer, const QImage& image, const QRect& target) override;
    QStringList fontFamilies() override;
    bool openUrl(const QString& url) override;
    int startProgram(const QString& program, const QStringList& arguments) override;
    MailResult sendMail(const MailMessage& mail) override;
    void showHelp(const QString& helpFile, int topic) override;
    QSize screenSize() override;
    QRect workArea() override;
    QMargins windowFrame() override;
    int pixelsPerInch() override;
    QDate today() override;
    PrintResult printPages(QPrinter* printer, const QList<QPicture>& pages, const QString& title) override;

private:
    std::unique_ptr<pfl::Hilfefenster> m_hilfe;
};
