#include "shell/ui/Prompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace {

const QString Caption = QStringLiteral("QX574");

QWidget* Owner() { return QApplication::activeWindow(); }

Prompts::Answer FromButton(int button)
{
    switch (button) {
    case QMessageBox::Yes: return Prompts::Answer::Yes;
    case QMessageBox::No: return Prompts::Answer::No;
    default: return Prompts::Answer::Cancel;
    }
}

class DialogPrompts final : public Prompts {
public:
    void ShowMessage(const QString& text) override
    {
        QMessageBox::information(Owner(), Caption, text);
    }
    void ShowError(const QString& text) override { QMessageBox::critical(Owner(), Caption, text); }
    Answer AskYesNo(const QString& text, Answer byDefault) override
    {
        return FromButton(QMessageBox::question(Owner(), Caption, text, QMessageBox::Yes | QMessageBox::No,
                                                byDefault == Answer::No ? QMessageBox::No : QMessageBox::Yes));
    }
    Answer AskYesNoCancel(const QString& text) override
    {
        return FromButton(QMessageBox::question(
            Owner(), Caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    }
    QString OpenFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override
    {
        return QFileDialog::getOpenFileName(Owner(), caption, folder, filters, selectedFilter);
    }
    QString SaveFileName(const QString& caption, const QString& folder, const QString& filters,
                         QString* selectedFilter) override
    {
        return QFileDialog::getSaveFileName(Owner(), caption, folder, filters, selectedFilter);
    }
    bool PrintDialog(QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, Owner());
        return dialog.exec() == QDialog::Accepted;
    }
    bool PrinterSetupDialog(QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer, Owner());
        return dialog.exec() == QDialog::Accepted;
    }
    int RunModal(QDialog& dialog) override { return dialog.exec(); }
    void OpenWithDefaultProgram(const QString& path) override
    {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

DialogPrompts dialogPrompts;
Prompts* current = &dialogPrompts;

}  // namespace

Prompts& CurrentPrompts() { return *current; }

void SetCurrentPrompts(Prompts* prompts) { current = prompts ? prompts : &dialogPrompts; }
