#pragma once
#include <QString>

#include <memory>

class QSettings;

// The program's folder (where the help page, template/ and temp/ are), with a trailing '/'.
QString ProgramFolder();
// The user's documents folder without a trailing separator; empty when the system has none.
QString DocumentsFolder();
// The settings store: QSettings in user scope, organisation and application "QX574".
std::unique_ptr<QSettings> OpenSettings();

// For tests: point the folders and the settings store elsewhere. An empty text
// puts the system's own back; documentsFolder "-" means the system has none.
void SetProgramFolder(const QString& folder);
void SetDocumentsFolder(const QString& folder);
void SetSettingsFile(const QString& iniFile);
