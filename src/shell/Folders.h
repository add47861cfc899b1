#pragma once
#include <QString>

#include <memory>

class QSettings;

// The executable's folder, with a trailing '/'.
QString ProgramFolder();
// The read-only files that ship with the program (the help page "QX574Help.htm"), with a
// trailing '/': <prefix>/share/qx574/ when installed, the program's folder when it runs
// from its build folder.
QString ShippedFilesFolder();
// Where the program writes files for itself (the chart template in template/, the temp/
// folder), with a trailing '/': the user's application data folder when installed (the
// program's folder is not writable there), the program's folder when it runs from its
// build folder.
QString WritableFilesFolder();
// The user's documents folder without a trailing separator; empty when the system has none.
QString DocumentsFolder();
// The settings store: QSettings in user scope, organisation and application "QX574".
std::unique_ptr<QSettings> OpenSettings();

// The two folders above for an executable in programFolder. The program counts as
// installed when the shipped files' folder exists at shippedFromProgram, a path relative
// to the executable's folder; userDataFolder is the writable place it then uses.
struct ProgramFileFolders {
    QString shipped;
    QString writable;
};
ProgramFileFolders LocateProgramFiles(const QString& programFolder,
                                      const QString& shippedFromProgram,
                                      const QString& userDataFolder);

// For tests: point the folders and the settings store elsewhere. An empty text
// puts the system's own back; documentsFolder "-" means the system has none.
void SetProgramFolder(const QString& folder);
void SetDocumentsFolder(const QString& folder);
void SetSettingsFile(const QString& iniFile);
