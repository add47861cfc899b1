#pragma once
#include "shell/ui/Prompts.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <utility>

// Answers every modal interaction from the test's script and records every text shown, so
// no test ever blocks. It fails loudly: a question, file dialog, print dialog or program
// dialog that the test did not script fails the test, as does a message or error the test
// never looked at, or a scripted answer that was never asked for.
class FakePrompts final : public Prompts {
public:
    ~FakePrompts() override;

    // The script
    std::deque<Answer> answers;            // one per question, in order
    std::deque<QString> fileNames;         // one per file dialog; an empty name is a cancel
    std::deque<QString> selectedFilters;   // the filters the user "chose" with them
    std::deque<bool> printAnswers;         // one per print or printer-setup dialog
    // Fills a program dialog's controls and returns its result; the dialog is shown before
    // and closed with that result after, as a real modal run does.
    std::function<int(QDialog&)> onModal;

    // What the program showed. Reading them counts as having looked at them.
    const QStringList& Messages() { seenMessages = messages.size(); return messages; }
    const QStringList& Errors() { seenErrors = errors.size(); return errors; }
    // The same, emptied for what comes next.
    QStringList TakeMessages() { seenMessages = 0; return std::exchange(messages, {}); }
    QStringList TakeErrors() { seenErrors = 0; return std::exchange(errors, {}); }
    QStringList questions;     // texts of both kinds of question
    std::deque<Answer> questionDefaults;  // what Enter would have answered, one per Yes/No question
    QStringList opened;        // paths handed to the default program
    QString lastFilters;
    int printDialogs = 0;
    int printerSetupDialogs = 0;
    int modalRuns = 0;

    void ShowMessage(const QString& text) override { messages << text; }
    void ShowError(const QString& text) override { errors << text; }
    Answer AskYesNo(const QString& text, Answer byDefault) override
    {
        questionDefaults.push_back(byDefault);
        return Next(text);
    }
    Answer AskYesNoCancel(const QString& text) override { return Next(text); }
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override;
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetupDialog(QPrinter& printer) override;
    int RunModal(QDialog& dialog) override;
    void OpenWithDefaultProgram(const QString& path) override { opened << path; }

private:
    Answer Next(const QString& text);
    QString NextFile(const QString& caption, const QString& filters, QString* selectedFilter);
    bool NextPrintAnswer(const char* dialog);

    QStringList messages;
    QStringList errors;
    qsizetype seenMessages = 0;
    qsizetype seenErrors = 0;
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
