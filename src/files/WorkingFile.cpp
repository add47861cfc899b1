#include "files/WorkingFile.h"

#include "files/CollectionFile.h"
#include "shell/Folders.h"

#include <QDir>

QString WorkingFolder(const QString& dataFolder)
{
    QString base = dataFolder.isEmpty() ? WritableFilesFolder() : dataFolder;
    // The data folder may come without its trailing separator; "temp" is a folder inside it.
    if (!base.endsWith(u'/') && !base.endsWith(QDir::separator()))
        base += u'/';
    return base + QStringLiteral("temp/");
}

QString WorkingFilePath(const QString& dataFolder)
{
    return WorkingFolder(dataFolder) + QStringLiteral("DataSetsTemp.tmp");
}

bool WriteWorkingFile(const QString& dataFolder, std::span<const std::uint8_t> image,
                      QString* error)
{
    const QString folder = WorkingFolder(dataFolder);
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1.")
                         .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return WriteCollection(WorkingFilePath(dataFolder), image, error);
}
