#include "shell/DataFolder.h"

#include "shell/AppState.h"
#include "shell/Folders.h"

#include <QDir>

QString DetermineDataFolder()
{
    const QString documents = DocumentsFolder();
    if (documents.isEmpty())
        return {};
    const QString folder = documents + QStringLiteral("/QX574/");
    if (!QDir().mkpath(folder))
        return documents;
    return folder;
}

QString FileDialogFolder()
{
    return App.DataFolder.isEmpty() ? WritableFilesFolder() : App.DataFolder;
}
