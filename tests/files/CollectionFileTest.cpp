#include "files/CollectionFile.h"

#include "HexImage.h"
#include "link/MemoryImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class CollectionFileTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray Contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // A name so long that the temporary file beside it cannot be made: the save must fail
    // even for a user whom permissions do not stop.
    static QString LongName() { return QString(250, u'c') + QStringLiteral(".REC"); }

    QTemporaryDir dir;
};

// A downloaded image whose header says memoryEnd 1000: 1024 bytes, each telling its offset.
std::vector<std::uint8_t> ImageWithMemoryEnd1000()
{
    std::vector<std::uint8_t> image(1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    image[11] = 0x00;
    image[12] = 0x03;
    image[13] = 0xE8;
    return image;
}

QByteArray AsBytes(std::span<const std::uint8_t> image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), std::ssize(image));
}

TEST_F(CollectionFileTest, HoldsMemoryEndPlus257BytesOfTheImage)
{
    const std::vector<std::uint8_t> image = ImageWithMemoryEnd1000();
    const QByteArray bytes = CollectionBytes(image);
    ASSERT_EQ(bytes.size(), 1257);
    EXPECT_EQ(bytes.first(1024), AsBytes(image));
    EXPECT_EQ(bytes.sliced(1024), QByteArray(233, '\0'));  // beyond the download: zeros

    // A whole memory image with memoryEnd 279 gives 536 bytes of it.
    std::vector<std::uint8_t> whole = ReadHexImage("memory_three_samples.hex");
    whole.resize(131072, 0xFF);
    EXPECT_EQ(CollectionBytes(whole), AsBytes(whole).first(279 + 257));

    // Too short to hold memoryEnd: the missing bytes of the header read as 0.
    EXPECT_EQ(CollectionBytes({}), QByteArray(257, '\0'));
}

TEST_F(CollectionFileTest, WrittenReadAndCopiedByteForByte)
{
    const std::vector<std::uint8_t> image = ImageWithMemoryEnd1000();
    QString error;
    ASSERT_TRUE(WriteCollection(Path("working.tmp"), image, &error)) << error.toStdString();
    const QByteArray written = Contents(Path("working.tmp"));
    EXPECT_EQ(written, CollectionBytes(image));

    ASSERT_TRUE(CopyCollection(Path("working.tmp"), Path("saved.REC"), &error));
    EXPECT_EQ(Contents(Path("saved.REC")), written);

    // Opening the collection and writing it back as the working file changes nothing.
    const std::optional<QByteArray> read = ReadCollection(Path("saved.REC"), &error);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, written);
    ASSERT_TRUE(WriteCollection(Path("again.tmp"), ImageBytes(*read), &error));
    EXPECT_EQ(Contents(Path("again.tmp")), written);
}

TEST_F(CollectionFileTest, AFailedSaveNamesTheFileAndKeepsThePreviousOne)
{
    const std::vector<std::uint8_t> image = ImageWithMemoryEnd1000();
    const QString previous = Write(LongName(), "previous");
    Write(QStringLiteral("working.tmp"), "working");
    struct Case {
        const char* what;
        std::function<bool(QString*)> save;
        QString target;
    } cases[] = {
        {"write over a file", [&](QString* e) { return WriteCollection(previous, image, e); }, previous},
        {"copy over a file",
         [&](QString* e) { return CopyCollection(Path("working.tmp"), previous, e); }, previous},
        {"write into a missing folder",
         [&](QString* e) { return WriteCollection(Path("no/such/x.REC"), image, e); },
         Path("no/such/x.REC")},
        {"copy from a missing file",
         [&](QString* e) { return CopyCollection(Path("gone.tmp"), previous, e); }, Path("gone.tmp")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        EXPECT_FALSE(c.save(&error));
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.target))) << error.toStdString();
        EXPECT_EQ(Contents(previous), QByteArray("previous"));
    }
    EXPECT_FALSE(QFile::exists(Path("no/such/x.REC")));
}

TEST_F(CollectionFileTest, ReadingRefusesWhatCannotBeACollection)
{
    const QString tooLarge = Path("huge.REC");
    {
        QFile file(tooLarge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(MaxCollectionSize + 1));  // sparse: costs no disk
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.REC"));
    for (const QString& path : {tooLarge, Path("folder.REC"), Path("missing.REC")}) {
        SCOPED_TRACE(path.toStdString());
        QString error;
        EXPECT_FALSE(ReadCollection(path, &error).has_value());
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path))) << error.toStdString();
    }

    // An empty file is no error: there is simply nothing to show.
    QString error;
    const std::optional<QByteArray> empty = ReadCollection(Write("empty.REC", {}), &error);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_TRUE(error.isEmpty());

    // The largest collection there can be is read whole.
    QFile largest(Path("largest.REC"));
    ASSERT_TRUE(largest.open(QIODevice::WriteOnly));
    ASSERT_TRUE(largest.resize(MaxCollectionSize));
    largest.close();
    const std::optional<QByteArray> read = ReadCollection(largest.fileName(), &error);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), MaxCollectionSize);
}

}  // namespace
