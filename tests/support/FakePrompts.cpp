#include "FakePrompts.h"

#include <QDialog>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

std::string Listed(const QStringList& texts, qsizetype from)
{
    return texts.mid(from).join(QStringLiteral(" | ")).toStdString();
}

}  // namespace

FakePrompts::~FakePrompts()
{
    if (messages.size() > seenMessages)
        ADD_FAILURE() << "messages the test never looked at: " << Listed(messages, seenMessages);
    if (errors.size() > seenErrors)
        ADD_FAILURE() << "errors the test never looked at: " << Listed(errors, seenErrors);
    if (!answers.empty())
        ADD_FAILURE() << answers.size() << " scripted answer(s) never asked for";
    if (!fileNames.empty())
        ADD_FAILURE() << fileNames.size() << " scripted file name(s) never asked for, first "
                      << fileNames.front().toStdString();
    if (!printAnswers.empty())
        ADD_FAILURE() << printAnswers.size() << " scripted print answer(s) never asked for";
}

Prompts::Answer FakePrompts::Next(const QString& text)
{
    questions << text;
    if (answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakePrompts::NextFile(const QString& caption, const QString& filters, QString* selectedFilter)
{
    lastFilters = filters;
    if (fileNames.empty()) {
        ADD_FAILURE() << "unscripted file dialog: " << caption.toStdString();
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    if (!selectedFilters.empty()) {
        if (selectedFilter)
            *selectedFilter = selectedFilters.front();
        selectedFilters.pop_front();
    }
    return name;
}

QString FakePrompts::OpenFileName(const QString& caption, const QString&, const QString& filters,
                                  QString* selectedFilter)
{
    return NextFile(caption, filters, selectedFilter);
}

QString FakePrompts::SaveFileName(const QString& caption, const QString&, const QString& filters,
                                  QString* selectedFilter)
{
    return NextFile(caption, filters, selectedFilter);
}

bool FakePrompts::NextPrintAnswer(const char* dialog)
{
    if (printAnswers.empty()) {
        ADD_FAILURE() << "unscripted " << dialog;
        return false;
    }
    const bool accepted = printAnswers.front();
    printAnswers.pop_front();
    return accepted;
}

bool FakePrompts::PrintDialog(QPrinter&)
{
    ++printDialogs;
    return NextPrintAnswer("print dialog");
}

bool FakePrompts::PrinterSetupDialog(QPrinter&)
{
    ++printerSetupDialogs;
    return NextPrintAnswer("printer setup dialog");
}

int FakePrompts::RunModal(QDialog& dialog)
{
    ++modalRuns;
    if (!onModal) {
        ADD_FAILURE() << "unscripted dialog " << dialog.metaObject()->className() << " \""
                      << dialog.windowTitle().toStdString() << "\"";
        return QDialog::Rejected;
    }
    QPointer<QDialog> guard(&dialog);
    dialog.setModal(true);
    dialog.show();
    const int result = onModal(dialog);
    // The script may have closed it with one of its buttons; otherwise it closes now.
    if (guard && dialog.isVisible())
        dialog.done(result);
    return result;
}
