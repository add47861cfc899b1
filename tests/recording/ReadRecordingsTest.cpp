#include "HexImage.h"
#include "recording/ReadRecordings.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const char* hexFile)
{
    const std::vector<std::uint8_t> bytes = ReadHexImage(hexFile);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

// A graph file keeps the facts of its levels when its maker knew them, and every reader gets
// them back; one written before, or from a list, knows none.
TEST(ReadRecordings, AGraphFileGivesTheFactsItKeeps)
{
    QTemporaryDir dir;
    struct Case {
        const char* file;
        Weighting weighting;
        Response response;
        std::optional<int> rangeLowDb;
        double interval;
    } cases[] = {
        {"two-points-facts.ghf.hex", Weighting::A, Response::Slow, 50, 2.0},
        {"two-points.ghf.hex", Weighting::Unknown, Response::Unknown, std::nullopt, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QString::fromLatin1(c.file).replace(".hex", ""));
        WriteTestFile(path, Bytes(c.file));
        const RecordingsRead read = ReadRecordings(path, InputKinds::RegularFiles);
        ASSERT_FALSE(read.problem) << read.problem->message.toStdString();
        ASSERT_EQ(read.sets.size(), 1u);
        const Recording& recording = read.sets.front();
        EXPECT_EQ(recording.Count(), 2u);
        EXPECT_EQ(recording.weighting, c.weighting);
        EXPECT_EQ(recording.response, c.response);
        EXPECT_EQ(recording.range ? std::optional<int>(recording.range->lowDb) : std::nullopt, c.rangeLowDb);
        EXPECT_EQ(recording.intervalSeconds, c.interval);
        EXPECT_EQ(recording.sourceFile, path);
    }
}
