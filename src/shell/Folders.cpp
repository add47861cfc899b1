#include "shell/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString programOverride;
QString documentsOverride;
QString settingsOverride;

QString WithSlash(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

ProgramFileFolders ThisProgramsFiles()
{
    return LocateProgramFiles(
        ProgramFolder(), QStringLiteral(QX574_SHIPPED_FROM_PROGRAM),
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

}  // namespace

QString ProgramFolder()
{
    return WithSlash(programOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                               : programOverride);
}

ProgramFileFolders LocateProgramFiles(const QString& programFolder,
                                      const QString& shippedFromProgram,
                                      const QString& userDataFolder)
{
    const QString shipped = QDir::cleanPath(WithSlash(programFolder) + shippedFromProgram);
    if (!QDir(shipped).exists())
        return {WithSlash(programFolder), WithSlash(programFolder)};
    // Without a home the writable files stay beside the program, where a failure to
    // write them names that folder.
    return {WithSlash(shipped), WithSlash(userDataFolder.isEmpty() ? programFolder : userDataFolder)};
}

QString ShippedFilesFolder() { return ThisProgramsFiles().shipped; }

QString WritableFilesFolder() { return ThisProgramsFiles().writable; }

QString DocumentsFolder()
{
    if (documentsOverride == QStringLiteral("-"))
        return {};
    if (!documentsOverride.isEmpty())
        return documentsOverride;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

std::unique_ptr<QSettings> OpenSettings()
{
    if (!settingsOverride.isEmpty())
        return std::make_unique<QSettings>(settingsOverride, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("QX574"),
                                       QStringLiteral("QX574"));
}

void SetProgramFolder(const QString& folder) { programOverride = folder; }
void SetDocumentsFolder(const QString& folder) { documentsOverride = folder; }
void SetSettingsFile(const QString& iniFile) { settingsOverride = iniFile; }
