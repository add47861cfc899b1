#include "FuzzEntries.h"
#include "HexImage.h"

#include <QDir>

#include <gtest/gtest.h>

// An entry that finds a broken promise aborts the test program, naming the promise; the
// trace printed before it names the file.

namespace {

QStringList HexFiles(const QString& folder)
{
    return QDir(TestDataPath("") + folder).entryList({QStringLiteral("*.hex")}, QDir::Files, QDir::Name);
}

void Replay(const FuzzEntry& entry, const QString& file)
{
    std::fprintf(stderr, "%s <- %s\n", entry.name, qPrintable(file));
    const std::vector<std::uint8_t> bytes = ReadHexImage(file.toUtf8().constData());
    entry.run(bytes);
}

}  // namespace

TEST(FuzzReplay, EveryGoldenFileThroughEveryEntry)
{
    const QStringList files = HexFiles(QString());
    ASSERT_GE(files.size(), 10);
    for (const FuzzEntry& entry : FuzzEntries())
        for (const QString& file : files)
            Replay(entry, file);
}

TEST(FuzzReplay, EveryInputAFuzzerFoundThroughItsEntry)
{
    // tests/data/fuzz/<target>/: the inputs that once broke that target, kept as hex.
    QStringList targets;
    for (const FuzzEntry& entry : FuzzEntries()) {
        targets << QString::fromLatin1(entry.name);
        const QString folder = QStringLiteral("fuzz/") + entry.name + u'/';
        for (const QString& file : HexFiles(folder))
            Replay(entry, folder + file);
    }
    const QStringList folders = QDir(TestDataPath("fuzz")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders)
        EXPECT_TRUE(targets.contains(folder)) << "tests/data/fuzz/" << folder.toStdString() << " names no fuzz target";
}
