#include "TestEnvironment.h"

#include "AppState.h"
#include "Folders.h"

#include <QDir>

TestEnvironment::TestEnvironment()
{
    QDir().mkpath(ProgramDir());
    QDir().mkpath(DocumentsDir());
    SetProgramFolder(ProgramDir());
    SetDocumentsFolder(DocumentsDir());
    SetSettingsFile(SettingsFile());
    App = AppState();
}

TestEnvironment::~TestEnvironment()
{
    App = AppState();
    SetProgramFolder({});
    SetDocumentsFolder({});
    SetSettingsFile({});
}
