#include "shell/Folders.h"
#include "TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// An installed tree is told from a build folder by the shipped files' folder at its place
// beside the executable's folder; the writable files then go to the user's folder.
TEST(Folders, ShippedAndWritableFilesFollowTheWayTheProgramIsLaidOut)
{
    TestEnvironment env;
    const QString root = env.Root();
    QDir().mkpath(root + "/usr/bin");
    QDir().mkpath(root + "/usr/share/qx574");
    QDir().mkpath(root + "/build/src/app");
    const QString user = root + "/home/.local/share/QX574/QX574";
    struct Case {
        const char* layout;
        QString program;
        QString userData;
        QString shipped;
        QString writable;
    } cases[] = {
        {"installed", root + "/usr/bin", user, root + "/usr/share/qx574/", user + "/"},
        {"installed, given with a '/'", root + "/usr/bin/", user + "/", root + "/usr/share/qx574/", user + "/"},
        {"installed without a home", root + "/usr/bin", QString(), root + "/usr/share/qx574/", root + "/usr/bin/"},
        {"build folder", root + "/build/src/app", user, root + "/build/src/app/", root + "/build/src/app/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layout);
        const ProgramFileFolders folders = LocateProgramFiles(c.program, "../share/qx574", c.userData);
        EXPECT_EQ(folders.shipped, c.shipped);
        EXPECT_EQ(folders.writable, c.writable);
    }
}

// Tests point the program's folder at a folder of their own, which is laid out like a build
// folder: everything the program reads and writes for itself stays there.
TEST(Folders, AProgramFolderSetByATestHoldsEverything)
{
    TestEnvironment env;
    const QString program = env.ProgramDir() + "/";
    EXPECT_EQ(ProgramFolder(), program);
    EXPECT_EQ(ShippedFilesFolder(), program);
    EXPECT_EQ(WritableFilesFolder(), program);
}

}  // namespace
