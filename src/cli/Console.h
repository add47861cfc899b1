#pragma once
#include <QString>

#include <cstdio>

// Where a command line run reports: messages and progress on standard error, so that standard
// output carries only data. On a terminal, progress is a bar redrawn in place; elsewhere (a log
// file, a scheduled job) only its final line is written.
class Console {
public:
    // Standard error, drawn as a bar when it is a terminal.
    Console();
    // For tests: everything goes into *capture.
    Console(QString* capture, bool terminal);

    void Line(const QString& text);
    void Progress(int received, int length, const QString& timeLeft);
    void EndProgress(const QString& finalLine);

    // The bar line of a transfer, without the carriage return that redraws it.
    static QString ProgressBar(int received, int length, const QString& timeLeft);

private:
    void Write(const QString& text);

    QString* capture = nullptr;
    bool terminal = false;
    bool barShown = false;
};
