#include "shell/CommitSaveFile.h"

#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

TEST(CommitSaveFile, ReplacesTheFileOnlyWhenEveryByteWasWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    QFile previous(path);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("the previous file");
    previous.close();
    const QByteArray text(4000, 'x');  // small enough to wait in the file's buffer until the end

    {
        QSaveFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(text), text.size());
        FullDisk disk(100);
        EXPECT_FALSE(CommitSaveFile(file));
        EXPECT_FALSE(file.errorString().isEmpty());
    }
    EXPECT_EQ(Read(path), "the previous file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saved.txt"})
        << "nothing of the new file is left";

    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    EXPECT_TRUE(CommitSaveFile(file));
    EXPECT_EQ(Read(path), text);

    QSaveFile unopened(dir.filePath(QStringLiteral("never.txt")));
    EXPECT_FALSE(CommitSaveFile(unopened));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("never.txt"))));
}

}  // namespace
