#include "shell/DataFolder.h"
#include "shell/Folders.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(DataFolder, IsCreatedUnderTheDocumentsFolder)
{
    TestEnvironment env;
    const QString folder = DetermineDataFolder();
    EXPECT_EQ(folder, env.DocumentsDir() + "/QX574/");
    EXPECT_TRUE(QDir(folder).exists());
}

TEST(DataFolder, FallsBackToTheDocumentsFolderWhenItCannotBeCreated)
{
    TestEnvironment env;
    QFile blocker(env.DocumentsDir() + "/QX574");  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(DetermineDataFolder(), env.DocumentsDir());
}

TEST(DataFolder, IsEmptyWithoutADocumentsFolder)
{
    TestEnvironment env;
    SetDocumentsFolder("-");
    EXPECT_EQ(DetermineDataFolder(), QString());
}
