#include "files/OpenInputFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <future>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(OpenInputFile, TheWindowProgramOpensRegularFilesOnlyAndNeverWaitsOnAPipe)
{
    QTemporaryDir dir;
    const QString regular = dir.filePath(QStringLiteral("a.REC"));
    {
        QFile file(regular);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("bytes");
    }
    const QString fifo = dir.filePath(QStringLiteral("pipe.REC"));  // no writer ever comes
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        QString path;
        InputKinds kinds;
        const char* refusal;  // nullptr: opened
    } cases[] = {
        {regular, InputKinds::RegularFiles, nullptr},
        {regular, InputKinds::AlsoStreams, nullptr},
        {fifo, InputKinds::RegularFiles, "pipe or a device"},
        {dir.path(), InputKinds::RegularFiles, "folder"},
        {dir.path(), InputKinds::AlsoStreams, "folder"},
        {dir.filePath(QStringLiteral("missing.REC")), InputKinds::AlsoStreams, "Cannot open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QFile file;
        QString error;
        const bool opened = OpenInputFile(file, c.path, c.kinds, &error);
        EXPECT_EQ(opened, c.refusal == nullptr) << error.toStdString();
        if (opened) {
            EXPECT_EQ(file.readAll(), "bytes");
        } else {
            EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.path)) && error.contains(c.refusal))
                << error.toStdString();
        }
    }
}

TEST(OpenInputFile, TheCommandLineReadsAPipeToItsEnd)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray bytes(100000, 'p');
    auto writer = std::async(std::launch::async, [&] {
        QFile file(fifo);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    });
    QFile file;
    QString error;
    ASSERT_TRUE(OpenInputFile(file, fifo, InputKinds::AlsoStreams, &error)) << error.toStdString();
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_TRUE(writer.get());
}

}  // namespace
