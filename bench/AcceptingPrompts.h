#pragma once
// Prompts that accept every dialog, so that exports run without a user: a save asks for the
// name given, every other question is answered Yes.
#include "shell/ui/Prompts.h"

#include <QDialog>

#include <utility>

class AcceptingPrompts final : public Prompts {
public:
    explicit AcceptingPrompts(QString saveName = {}) : saveName(std::move(saveName)) {}

    void ShowMessage(const QString&) override {}
    void ShowError(const QString&) override {}
    Answer AskYesNo(const QString&, Answer) override { return Answer::Yes; }
    Answer AskYesNoCancel(const QString&) override { return Answer::Yes; }
    QString OpenFileName(const QString&, const QString&, const QString&, QString*) override { return {}; }
    QString SaveFileName(const QString&, const QString&, const QString&, QString*) override { return saveName; }
    bool PrintDialog(QPrinter&) override { return false; }
    bool PrinterSetupDialog(QPrinter&) override { return false; }
    int RunModal(QDialog&) override { return QDialog::Accepted; }
    void OpenWithDefaultProgram(const QString&) override {}

private:
    QString saveName;
};
