#pragma once
#include "Prompts.h"

#include <QStringList>

#include <deque>
#include <functional>

// Records every text shown and answers from a script, so no test ever blocks.
class FakePrompts final : public Prompts {
public:
    QStringList messages;      // ShowMessage texts
    QStringList errors;        // ShowError texts
    QStringList questions;     // texts of both kinds of question
    QStringList opened;        // paths handed to the default program
    std::deque<Answer> answers;            // next answers; Yes when empty
    std::deque<QString> fileNames;         // next file dialog results; cancelled when empty
    std::deque<QString> selectedFilters;   // filters the user "chose" with them
    QString lastFilters;
    bool printAccepted = true;
    int printDialogs = 0;
    int printerSetupDialogs = 0;
    // Fills the dialog's controls and returns its result; the dialog is then done with it.
    std::function<int(QDialog&)> onModal;
    int modalRuns = 0;

    void ShowMessage(const QString& text) override { messages << text; }
    void ShowError(const QString& text) override { errors << text; }
    Answer AskYesNo(const QString& text) override { return Next(text); }
    Answer AskYesNoCancel(const QString& text) override { return Next(text); }
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override;
    bool PrintDialog(QPrinter&) override { ++printDialogs; return printAccepted; }
    bool PrinterSetupDialog(QPrinter&) override { ++printerSetupDialogs; return printAccepted; }
    int RunModal(QDialog& dialog) override;
    void OpenWithDefaultProgram(const QString& path) override { opened << path; }

private:
    Answer Next(const QString& text);
    QString NextFile(const QString& filters, QString* selectedFilter);
};

// Installs a FakePrompts for the scope of a test.
class ScopedFakePrompts {
public:
    ScopedFakePrompts() { SetCurrentPrompts(&prompts); }
    ~ScopedFakePrompts() { SetCurrentPrompts(nullptr); }
    ScopedFakePrompts(const ScopedFakePrompts&) = delete;
    ScopedFakePrompts& operator=(const ScopedFakePrompts&) = delete;
    FakePrompts prompts;
};
