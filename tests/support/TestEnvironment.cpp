#include "TestEnvironment.h"

#include "AppState.h"
#include "AppWindows.h"
#include "Folders.h"
#include "LinkSession.h"

#include <QDir>

namespace {

void ResetProgramState()
{
    App = AppState();
    Windows = AppWindows();
    Link().Reset();
}

}  // namespace

TestEnvironment::TestEnvironment()
{
    QDir().mkpath(ProgramDir());
    QDir().mkpath(DocumentsDir());
    SetProgramFolder(ProgramDir());
    SetDocumentsFolder(DocumentsDir());
    SetSettingsFile(SettingsFile());
    ResetProgramState();
}

TestEnvironment::~TestEnvironment()
{
    ResetProgramState();
    SetProgramFolder({});
    SetDocumentsFolder({});
    SetSettingsFile({});
}
