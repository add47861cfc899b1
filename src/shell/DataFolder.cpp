#include "shell/DataFolder.h"

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
    const QString data = DetermineDataFolder();
    return data.isEmpty() ? WritableFilesFolder() : data;
}
