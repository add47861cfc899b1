#include "TestEnvironment.h"

#include "link/LinkSession.h"
#include "shell/Folders.h"

#include <QDir>

namespace {

void ResetProgramState()
{
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
