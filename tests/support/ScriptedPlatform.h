// SPDX-License-Identifier: GPL-3.0-or-later
// The platform of the tests: records every message, answers questions from a script,
// and fixes the screen (1920 x 1080 at 96 pixels per inch) and the date.
#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QPicture>
#include <QPair>
#include <QQueue>

class ScriptedPlatform : public Platform {
public:
    struct Meldung {
        Kind kind;
        QString text;
        Buttons buttons;
        QString title;
    };

    // --- script ---
    QQueue<Answer> antworten;      // answers to questions, in order; "Ja" when empty
    QQueue<QString> bilddateien;   // answers of the picture chooser; empty = cancelled
    QQueue<QString> verzeichnisse; // answers of the directory chooser
    QQueue<QStringList> oeffnen;   // answers of the chooser of files to read; empty = cancelled
    // Answers of the chooser of a file to write: the file and the filter chosen (an empty filter
    // keeps the proposed one); empty = cancelled.
    QQueue<QPair<QString, QString>> speichern;
    QQueue<quint32> farben; // answers of the colour chooser; empty = cancelled
    bool druckerOk = true;
    PrintResult druckErgebnis = PrintResult::Printed; // answer of printImage
    QStringList schriften{QStringLiteral("Arial"), QStringLiteral("Tahoma"),
                          QStringLiteral("Times New Roman"), QStringLiteral("Verdana")};
    int programmErgebnis = 0;
    MailResult mailErgebnis = MailResult::Sent;
    QSize bildschirm{1920, 1080};
    QRect arbeitsflaeche{0, 0, 1920, 1040};
    QMargins rahmen; // the window manager's frame around each window
    int ppi = 96;
    QDate heute{2026, 12, 7}; // a Monday

    // --- record ---
    QList<Meldung> meldungen;
    struct Dateiwahl {
        QString titel, start;
        QStringList filter;
        QString vorgeschlagenerFilter; // the save chooser's proposed filter
    };
    QList<Dateiwahl> dateiwahlen; // every file chooser shown, in order
    int beeps = 0;
    QStringList geoeffneteUrls;
    QList<QPair<QString, QStringList>> gestarteteProgramme;
    QList<MailMessage> mails;
    QList<QPair<QString, int>> hilfeAufrufe;
    QList<quint32> letzteEigeneFarben;
    int druckereinrichtungen = 0;              // printer set-up dialogs shown
    QPrinter* eingerichteterDrucker = nullptr; // the printer the last set-up changed
    struct Druck {
        QImage bild;
        QRect ziel;
        QPrinter* drucker;
    };
    QList<Druck> drucke; // pages printed (only those that printImage reported as printed)

    QStringList meldungsTexte() const;

    Answer message(Kind kind, const QString& text, Buttons buttons, const QString& title) override;
    void beep() override { ++beeps; }
    QString choosePictureFile(const QString&, const QString&) override;
    QString chooseDirectory(const QString&) override;
    QStringList chooseOpenFiles(const QString& title, const QString& startDir,
                                const QStringList& filters) override;
    QString chooseSaveFile(const QString& title, const QString& proposed, const QStringList& filters,
                           QString& filter) override;
    bool chooseColour(quint32& colour, QList<quint32>& custom) override;
    bool printerSetup(QPrinter* printer) override {
        ++druckereinrichtungen;
        eingerichteterDrucker = printer;
        return druckerOk;
    }
    PrintResult printImage(QPrinter* printer, const QImage& image, const QRect& target) override {
        if (druckErgebnis == PrintResult::Printed) drucke.append({image, target, printer});
        return druckErgebnis;
    }
    QStringList fontFamilies() override { return schriften; }
    bool openUrl(const QString& url) override;
    int startProgram(const QString& program, const QStringList& arguments) override;
    MailResult sendMail(const MailMessage& mail) override;
    void showHelp(const QString& helpFile, int topic) override;
    QSize screenSize() override { return bildschirm; }
    QRect workArea() override { return arbeitsflaeche; }
    QMargins windowFrame() override { return rahmen; }
    int pixelsPerInch() override { return ppi; }
    QDate today() override { return heute; }
    struct Seitendruck {
        QList<QPicture> seiten;
        QString titel;
        QPrinter* drucker;
    };
    QList<Seitendruck> seitendrucke; // jobs of printPages that were reported as printed
    PrintResult printPages(QPrinter* printer, const QList<QPicture>& pages, const QString& title) override {
        if (druckErgebnis == PrintResult::Printed && !pages.isEmpty())
            seitendrucke.append({pages, title, printer});
        return druckErgebnis;
    }
};
