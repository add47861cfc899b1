#include "FakePrompts.h"

#include <QDialog>

Prompts::Answer FakePrompts::Next(const QString& text)
{
    questions << text;
    if (answers.empty())
        return Answer::Yes;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString FakePrompts::NextFile(const QString& filters, QString* selectedFilter)
{
    lastFilters = filters;
    if (fileNames.empty())
        return {};
    const QString name = fileNames.front();
    fileNames.pop_front();
    if (!selectedFilters.empty()) {
        if (selectedFilter)
            *selectedFilter = selectedFilters.front();
        selectedFilters.pop_front();
    }
    return name;
}

QString FakePrompts::OpenFileName(const QString&, const QString&, const QString& filters,
                                  QString* selectedFilter)
{
    return NextFile(filters, selectedFilter);
}

QString FakePrompts::SaveFileName(const QString&, const QString&, const QString& filters,
                                  QString* selectedFilter)
{
    return NextFile(filters, selectedFilter);
}

int FakePrompts::RunModal(QDialog& dialog)
{
    ++modalRuns;
    const int result = onModal ? onModal(dialog) : QDialog::Rejected;
    dialog.setResult(result);
    return result;
}
