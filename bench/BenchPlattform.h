// A silent platform for the benchmarks: no dialogs, a fixed 1920 x 1080 screen and date.
#pragma once

#include "platform/Platform.h"

class BenchPlattform : public Platform {
public:
    BenchPlattform() { setPlatform(this); }
    ~BenchPlattform() override { setPlatform(nullptr); }
    Answer message(Kind, const QString&, Buttons, const QString&) override { return Answer::Ok; }
    void beep() override {}
    QString choosePictureFile(const QString&, const QString&) override { return {}; }
    QString chooseDirectory(const QString&) override { return {}; }
    bool chooseColour(quint32&, QList<quint32>&) override { return false; }
    bool printerSetup(QPrinter*) override { return false; }
    QStringList fontFamilies() override { return {}; }
    bool openUrl(const QString&) override { return false; }
    int startProgram(const QString&, const QStringList&) override { return -1; }
    MailResult sendMail(const MailMessage&) override { return MailResult::NoProvider; }
    void showHelp(const QString&, int) override {}
    QSize screenSize() override { return {1920, 1080}; }
    QRect workArea() override { return {0, 0, 1920, 1040}; }
    int pixelsPerInch() override { return 96; }
    QDate today() override { return QDate(2026, 12, 7); }
};
