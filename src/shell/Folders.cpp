#include "Folders.h"

#include <QCoreApplication>
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

}  // namespace

QString ProgramFolder()
{
    return WithSlash(programOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                               : programOverride);
}

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
