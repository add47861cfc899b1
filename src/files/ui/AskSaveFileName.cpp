#include "files/ui/AskSaveFileName.h"

#include "files/SaveFilters.h"
#include "shell/DataFolder.h"
#include "shell/ui/Prompts.h"

#include <QDir>
#include <QFileInfo>

QString AskSaveFileName(const QString& caption, const QString& storedFilter,
                        const QString& defaultExtension, const QString& suggested)
{
    QString selected;
    const QString typed = CurrentPrompts().SaveFileName(caption, suggested.isEmpty() ? FileDialogFolder() : suggested,
                                                        DialogFilters(storedFilter), &selected);
    const QString name = WithDefaultExtension(typed, selected, defaultExtension);
    if (name != typed && QFileInfo::exists(name)) {
        const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(name));
        if (CurrentPrompts().AskYesNo(question, Prompts::Answer::No) != Prompts::Answer::Yes)
            return {};
    }
    return name;
}

QString SuggestedFileName(const QString& file, const QString& extension)
{
    if (file.isEmpty())
        return {};
    const QFileInfo info(file);
    return info.dir().filePath(info.completeBaseName() + u'.' + extension);
}
