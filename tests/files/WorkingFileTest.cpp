#include "files/WorkingFile.h"

#include "files/CollectionFile.h"
#include "HexImage.h"
#include "shell/DataFolder.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(WorkingFile, LivesInTheDataFoldersTempOrElseTheProgramsTemp)
{
    TestEnvironment environment;
    const QString data = DetermineDataFolder();  // documents + "/QX574/"
    struct Case { QString dataFolder; QString folder; } cases[] = {
        {data, data + "temp/"},
        {environment.DocumentsDir(), environment.DocumentsDir() + "/temp/"},  // no trailing '/'
        {QString(), environment.ProgramDir() + "/temp/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataFolder.toStdString());
        EXPECT_EQ(WorkingFolder(c.dataFolder), c.folder);
        EXPECT_EQ(WorkingFilePath(c.dataFolder), c.folder + "DataSetsTemp.tmp");
    }
}

TEST(WorkingFile, WritingMakesTheFolderAndTheMemorysBytes)
{
    TestEnvironment environment;
    const std::vector<std::uint8_t> image = ReadHexImage("memory_three_samples.hex");
    for (const QString& dataFolder : {DetermineDataFolder(), QString()}) {
        SCOPED_TRACE(dataFolder.toStdString());
        QString error;
        ASSERT_FALSE(QDir(WorkingFolder(dataFolder)).exists());
        ASSERT_TRUE(WriteWorkingFile(dataFolder, image, &error)) << error.toStdString();
        QFile file(WorkingFilePath(dataFolder));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), CollectionBytes(image));
        EXPECT_EQ(file.size(), 279 + 257);
    }
}

TEST(WorkingFile, AFolderThatCannotBeMadeIsNamed)
{
    TestEnvironment environment;
    // A file stands where the data folder should be.
    const QString blocked = environment.Root() + "/blocked/";
    QFile stone(environment.Root() + "/blocked");
    ASSERT_TRUE(stone.open(QIODevice::WriteOnly));
    stone.close();
    QString error;
    EXPECT_FALSE(WriteWorkingFile(blocked, ReadHexImage("memory_three_samples.hex"), &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(blocked + "temp/"))) << error.toStdString();
}

}  // namespace
