// SPDX-License-Identifier: GPL-3.0-or-later
// Every service of the desktop the program uses: the Qt implementation runs the program,
// the scripted one in tests/support runs the tests headless.
#pragma once

#include <QDate>
#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QImage;
class QPicture;
class QPrinter;
class QWidget;

// Outcome of handing a message to the mail program.
struct MailMessage {
    QString subject;
    QString body;
    QString to;
};

class Platform {
public:
    enum class Kind { Information, Warning, Error, Confirmation };
    enum class Buttons { Ok, YesNo, YesCancel, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };
    enum class MailResult { Sent, Cancelled, NoProvider, Failed };
    enum class PrintResult { Printed, Cancelled, Failed };

    virtual ~Platform() = default;

    // Message box; the title defaults to the application's name. A question of kind Warning asks
    // before something is destroyed: its safe answer ("Nein"/"Abbrechen") is the default button.
    virtual Answer message(Kind kind, const QString& text, Buttons buttons = Buttons::Ok,
                           const QString& title = QString()) = 0;
    virtual void beep() = 0;

    // Choosers; an empty result or false means the user cancelled.
    virtual QString choosePictureFile(const QString& startDir, const QString& filter) = 0;
    virtual QString chooseDirectory(const QString& startDir) = 0;
    // Files to read (several may be chosen), offered through the filters ("Webseiten (*.html *.htm)");
    // nothing means cancelled. A platform without such a chooser offers nothing.
    virtual QStringList chooseOpenFiles(const QString& /*title*/, const QString& /*startDir*/,
                                        const QStringList& /*filters*/) {
        return {};
    }
    // The file to write, proposed as `proposed`; `filter` comes in as the proposed filter and goes
    // out as the one the user chose. Empty means cancelled. The chooser asks before an existing
    // file is replaced.
    virtual QString chooseSaveFile(const QString& /*title*/, const QString& /*proposed*/,
                                   const QStringList& /*filters*/, QString& /*filter*/) {
        return {};
    }
    // colour is a stored colour value (0x00BBGGRR); custom holds the chooser's 16 custom colours.
    virtual bool chooseColour(quint32& colour, QList<quint32>& custom) = 0;
    virtual bool printerSetup(QPrinter* printer) = 0;
    // Prints one page with the image drawn scaled into target (printer pixels); an empty target
    // gives an empty page. Without an installed printer the user chooses a PDF file instead.
    // Failed carries no message: the caller reports it.
    virtual PrintResult printImage(QPrinter* printer, const QImage& image, const QRect& target) = 0;
    virtual QStringList fontFamilies() = 0;

    virtual bool openUrl(const QString& url) = 0;
    // Starts a program in its own folder without waiting for it; 0 when it started, -1 when not.
    virtual int startProgram(const QString& program, const QStringList& arguments) = 0;
    virtual MailResult sendMail(const MailMessage& mail) = 0;
    // Shows the help file at a numbered topic.
    virtual void showHelp(const QString& helpFile, int topic) = 0;

    virtual QSize screenSize() = 0;
    virtual QRect workArea() = 0;
    // The frame the window manager draws around a window (title bar, borders), as far as known
    // from the windows shown so far; none where there is no window manager.
    virtual QMargins windowFrame() { return {}; }
    virtual int pixelsPerInch() = 0;
    virtual QDate today() = 0;

    // Prints recorded pages under the job title, one printer page each, every page scaled to the
    // paper with its proportions kept; nothing is printed when there are no pages. Without an
    // installed printer the user chooses a PDF file instead. Failed carries no message.
    virtual PrintResult printPages(QPrinter* printer, const QList<QPicture>& pages, const QString& title) = 0;
};
