#include "files/GraphFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class GraphFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString WriteRaw(const char* name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray Size(std::uint32_t size)
    {
        QByteArray bytes(4, '\0');
        std::memcpy(bytes.data(), &size, 4);
        return bytes;
    }
    QTemporaryDir dir;
};

TEST_F(GraphFileTest, WritesSizeThenBlockAndReadsItBack)
{
    const QByteArray block("state-block");
    QString error;
    ASSERT_TRUE(WriteGraphBlock(Path("a.ghf"), block, &error));
    QFile file(Path("a.ghf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), Size(11) + block);
    EXPECT_EQ(ReadGraphBlock(Path("a.ghf"), &error), block);
}

TEST_F(GraphFileTest, DamagedFilesNameTheFile)
{
    struct Case {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"short size field", QByteArray("\x05\x00", 2)},
        {"truncated block", Size(10) + QByteArray("abc")},
        {"huge size field", Size(0xffffffffu) + QByteArray("abc")},
        {"size above the bound", Size(static_cast<std::uint32_t>(MaxGraphBlockSize + 1))},
    };
    for (const Case& c : cases) {
        const QString path = WriteRaw("bad.ghf", c.bytes);
        QString error;
        EXPECT_FALSE(ReadGraphBlock(path, &error).has_value()) << c.what;
        EXPECT_TRUE(error.contains(QStringLiteral("bad.ghf"))) << c.what;
    }
}

TEST_F(GraphFileTest, MissingOrUnwritableFileNamesTheFile)
{
    QString error;
    EXPECT_FALSE(ReadGraphBlock(Path("missing.ghf"), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("missing.ghf")));
    EXPECT_FALSE(WriteGraphBlock(Path("no/such/folder/x.ghf"), "abc", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("x.ghf")));
}

TEST_F(GraphFileTest, ExtraBytesAfterTheBlockAreIgnored)
{
    const QString path = WriteRaw("extra.ghf", Size(3) + QByteArray("abcXYZ"));
    EXPECT_EQ(ReadGraphBlock(path, nullptr), QByteArray("abc"));
}

}  // namespace
