#include "TestEnvironment.h"

#include "link/LinkSession.h"
#include "shell/AppState.h"
#include "shell/Folders.h"
#include "shell/ui/AppWindows.h"

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
