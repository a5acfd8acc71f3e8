// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtPlatform.h"

#include "pages/Seiteneinpassen.h"
#include "platform/Farbwert.h"
#include "windowbase/Hilfefenster.h"

#include <QApplication>
#include <QDir>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <filesystem>
#include <functional>

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() = default;

Platform::Answer QtPlatform::message(Kind kind, const QString& text, Buttons buttons, const QString& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Pfanno-Lux") : title);
    box.setText(text);
    switch (kind) {
    case Kind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Kind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Kind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton* ja = nullptr;
    QPushButton* nein = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* abbrechen = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case Buttons::YesNo:
        ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        nein = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        box.setEscapeButton(nein);
        break;
    case Buttons::YesCancel:
        ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setEscapeButton(abbrechen);
        break;
    case Buttons::YesNoCancel:
        ja = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
        nein = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
        abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setEscapeButton(abbrechen);
        break;
    }
    // A warning asks before something is destroyed: there the safe answer is the default, so
    // Return never deletes by accident.
    if (ja) box.setDefaultButton(kind == Kind::Warning ? (abbrechen ? abbrechen : nein) : ja);
    box.exec();
    QAbstractButton* b = box.clickedButton();
    if (b && b == ja) return Answer::Yes;
    if (b && b == nein) return Answer::No;
    if (b && b == ok) return Answer::Ok;
    if (b && b == abbrechen) return Answer::Cancel;
    return buttons == Buttons::Ok ? Answer::Ok : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

void QtPlatform::beep() {
    QApplication::beep();
}

QString QtPlatform::choosePictureFile(const QString& startDir, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QStringLiteral("Bild auswählen"),
                                        startDir, filter);
}

QString QtPlatform::chooseDirectory(const QString& startDir) {
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(),
                                             QStringLiteral("Verzeichnis auswählen"), startDir);
}

QStringList QtPlatform::chooseOpenFiles(const QString& title, const QString& startDir,
                                        const QStringList& filters) {
    return QFileDialog::getOpenFileNames(QApplication::activeWindow(), title, startDir,
                                         filters.join(QStringLiteral(";;")));
}

QString QtPlatform::chooseSaveFile(const QString& title, const QString& proposed, const QStringList& filters,
                                   QString& filter) {
    QString gewaehlt = filter;
    const QString datei = QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposed,
                                                       filters.join(QStringLiteral(";;")), &gewaehlt);
    if (!datei.isEmpty()) filter = gewaehlt;
    return datei;
}

bool QtPlatform::chooseColour(quint32& colour, QList<quint32>& custom) {
    for (int i = 0; i < 16 && i < custom.size(); ++i)
        QColorDialog::setCustomColor(i, pfl::alsFarbe(custom.at(i)));
    const QColor c =
        QColorDialog::getColor(pfl::alsFarbe(colour), QApplication::activeWindow(), QStringLiteral("Farbe"));
    custom.clear();
    for (int i = 0; i < 16; ++i)
        custom.append(pfl::alsWert(QColorDialog::customColor(i)));
    if (!c.isValid()) return false;
    colour = pfl::alsWert(c);
    return true;
}

bool QtPlatform::printerSetup(QPrinter* printer) {
    QPrintDialog d(printer, QApplication::activeWindow());
    return d.exec() == QDialog::Accepted;
}

QString pdfVorschlag(const QString& titel) {
    // A name that any file system takes: no folder separators, no control characters.
    QString name;
    for (const QChar c : titel.trimmed())
        name += (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
                    ? QLatin1Char('-')
                    : c;
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.trimmed().isEmpty()) name = QStringLiteral("Ausdruck");
    return QDir::home().filePath(name + QStringLiteral(".pdf"));
}

namespace {

// Runs malen on a painter of the printer. Without an installed printer the output goes into a PDF
// file the user names, written beside the old file and moved over it only when complete.
Platform::PrintResult druckauftrag(QPrinter* printer, const std::function<bool(QPainter&)>& malen,
                                   const QString& titel = QString()) {
    QString pdf;
    // Qt itself turns a printer into a PDF printer without a file when no printer is installed.
    if (printer->outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
        pdf = QFileDialog::getSaveFileName(QApplication::activeWindow(),
                                           QStringLiteral("Als PDF-Datei speichern"), pdfVorschlag(titel),
                                           QStringLiteral("PDF-Dateien (*.pdf)"));
        if (pdf.isEmpty()) return Platform::PrintResult::Cancelled;
        if (!pdf.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) pdf += QStringLiteral(".pdf");
    }
    const QString teil = pdf + QStringLiteral(".teil");
    const QPrinter::OutputFormat vorher = printer->outputFormat();
    const QString vorherDatei = printer->outputFileName();
    if (!pdf.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(teil);
    }
    QPainter maler;
    bool ok = maler.begin(printer);
    if (ok) {
        ok = malen(maler);
        ok = maler.end() && ok;
    }
    if (!pdf.isEmpty()) {
        printer->setOutputFormat(vorher);
        printer->setOutputFileName(vorherDatei);
        std::error_code fehler;
        if (ok)
            std::filesystem::rename(QFile::encodeName(teil).toStdString(),
                                    QFile::encodeName(pdf).toStdString(), fehler);
        if (!ok || fehler) {
            QFile::remove(teil);
            ok = false;
        }
    }
    return ok ? Platform::PrintResult::Printed : Platform::PrintResult::Failed;
}

} // namespace

Platform::PrintResult QtPlatform::printImage(QPrinter* printer, const QImage& image, const QRect& target) {
    return druckauftrag(printer, [&](QPainter& maler) {
        if (!target.isEmpty()) maler.drawImage(target, image);
        return true;
    });
}

Platform::PrintResult QtPlatform::printPages(QPrinter* printer, const QList<QPicture>& pages,
                                             const QString& title) {
    if (pages.isEmpty()) return PrintResult::Printed;
    // The job's name, and a PDF file's title.
    printer->setDocName(title);
    printer->setCreator(QStringLiteral("Pfanno-Lux"));
    return druckauftrag(
        printer,
        [&](QPainter& maler) {
            // Only the printable area takes ink; its corner is the painter's origin.
            const QRectF bereich(QPointF(),
                                 printer->pageLayout().paintRectPixels(printer->resolution()).size());
            for (qsizetype i = 0; i < pages.size(); ++i) {
                if (i > 0 && !printer->newPage()) return false;
                pfl::seiteEinpassen(maler, pages.at(i), bereich);
            }
            return true;
        },
        title);
}

QStringList QtPlatform::fontFamilies() {
    return QFontDatabase::families();
}

bool QtPlatform::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

int QtPlatform::startProgram(const QString& program, const QStringList& arguments) {
    // The started program outlives this one (the updater replaces it), so nobody waits for it.
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    p.setWorkingDirectory(QFileInfo(program).absolutePath());
    return p.startDetached() ? 0 : -1;
}

namespace {

// Every line break as CR LF (what a mailto link wants) or as LF (what a command line passes on).
QString zeilenwechsel(QString text, const QString& wechsel) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), wechsel);
}

// Beyond this the hand-over of a link (a command line argument) may be cut; such a mail fails openly.
constexpr qsizetype kLaengsterLink = 100000;

} // namespace

QByteArray mailtoLink(const MailMessage& mail) {
    // Only unreserved characters stay as they are: "&", "=", "?", "#", "+", "%" and every
    // non-ASCII character (as UTF-8) are percent-encoded, line breaks become %0D%0A.
    QByteArray link = "mailto:" + QUrl::toPercentEncoding(mail.to, "@");
    link += "?subject=" + QUrl::toPercentEncoding(zeilenwechsel(mail.subject, QStringLiteral(" ")));
    link += "&body=" + QUrl::toPercentEncoding(zeilenwechsel(mail.body, QStringLiteral("\r\n")));
    return link;
}

Platform::MailResult QtPlatform::sendMail(const MailMessage& mail) {
    // The desktop's own hand-over takes subject and body as arguments, so their length and
    // characters are no matter of a link.
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!xdgEmail.isEmpty()) {
        QStringList argumente{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                              zeilenwechsel(mail.subject, QStringLiteral(" ")), QStringLiteral("--body"),
                              zeilenwechsel(mail.body, QStringLiteral("\n"))};
        if (!mail.to.isEmpty()) argumente << mail.to;
        auto* p = new QProcess(qApp);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(xdgEmail, argumente);
        if (p->waitForStarted()) {
            // A mail program started by it may run on for as long as the user keeps it open: after a
            // while the mail counts as handed over and the process is left to finish on its own.
            if (!p->waitForFinished(15000)) {
                QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
                return MailResult::Sent;
            }
            const int code = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
            p->deleteLater();
            if (code == 0) return MailResult::Sent;
            // 3: no mail program (nor anything to open a mailto link) is installed.
            return code == 3 ? MailResult::NoProvider : MailResult::Failed;
        }
        p->deleteLater();
    }
    const QByteArray link = mailtoLink(mail);
    if (link.size() > kLaengsterLink) return MailResult::Failed;
    return QDesktopServices::openUrl(QUrl::fromEncoded(link, QUrl::StrictMode)) ? MailResult::Sent
                                                                                : MailResult::NoProvider;
}

void QtPlatform::showHelp(const QString& helpFile, int topic) {
    // One help window for the run, made on first use: its history stays while it is closed.
    if (!m_hilfe) m_hilfe = std::make_unique<pfl::Hilfefenster>();
    m_hilfe->zeigen(helpFile, topic);
}

QSize QtPlatform::screenSize() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().size() : QSize(1024, 768);
}

QMargins QtPlatform::windowFrame() {
    // The widest frame of the shown windows (the main window shows before any other opens).
    QMargins rahmen;
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || (w->windowType() != Qt::Window && w->windowType() != Qt::Dialog)) continue;
        const QRect f = w->frameGeometry(), g = w->geometry();
        rahmen = QMargins(qMax(rahmen.left(), g.left() - f.left()), qMax(rahmen.top(), g.top() - f.top()),
                          qMax(rahmen.right(), f.right() - g.right()),
                          qMax(rahmen.bottom(), f.bottom() - g.bottom()));
    }
    return rahmen;
}

QRect QtPlatform::workArea() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

int QtPlatform::pixelsPerInch() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->logicalDotsPerInch()) : 96;
}

QDate QtPlatform::today() {
    return QDate::currentDate();
}
