#pragma once
#include <QString>

class QDialog;
class QPrinter;

// Every modal interaction of the program and the desktop's default handler go
// through here, so that tests answer them from a script and never block.
class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;
    virtual void ShowMessage(const QString& text) = 0;  // information with an OK button
    virtual void ShowError(const QString& text) = 0;    // error with an OK button
    // byDefault is what Enter answers: No for a question whose Yes destroys something.
    virtual Answer AskYesNo(const QString& text, Answer byDefault = Answer::Yes) = 0;
    virtual Answer AskYesNoCancel(const QString& text) = 0;
    // An empty result means the user cancelled; selectedFilter may be null.
    virtual QString OpenFileName(const QString& caption, const QString& folder,
                                 const QString& filters, QString* selectedFilter) = 0;
    virtual QString SaveFileName(const QString& caption, const QString& folder,
                                 const QString& filters, QString* selectedFilter) = 0;
    virtual bool PrintDialog(QPrinter& printer) = 0;
    virtual bool PrinterSetupDialog(QPrinter& printer) = 0;
    // Runs one of the program's own dialogs modally and returns its result.
    virtual int RunModal(QDialog& dialog) = 0;
    virtual void OpenWithDefaultProgram(const QString& path) = 0;
};

Prompts& CurrentPrompts();
// Installs prompts for the process; nullptr puts the real dialogs back.
void SetCurrentPrompts(Prompts* prompts);
