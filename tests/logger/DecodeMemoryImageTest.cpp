#include "logger/DecodeMemoryImage.h"

#include "GoldenMemory.h"
#include "link/LoggerMemory.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::vector<float> Repeated(float level, int n) { return std::vector<float>(static_cast<std::size_t>(n), level); }

TEST(DecodeMemoryImage, AHeaderWithoutRecordingsOrWithTooManyGivesNoTable)
{
    struct Case { const char* file; int result; } cases[] = {
        {"memory_no_sets.hex", DecodeResult::NoDataSets},
        {"memory_4001_sets.hex", DecodeResult::TooManyDataSets},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const DecodedMemory decoded = DecodeGolden(c.file);
        EXPECT_EQ(decoded.result, c.result);
        EXPECT_FALSE(decoded.table.has_value());
    }
}

TEST(DecodeMemoryImage, ThreeSamplesWithOneBelowTheMetersFloor)
{
    const DecodedMemory decoded = DecodeGolden("memory_three_samples.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double start = Day(2020, 3, 14, 9, 30, 0);
    ExpectTable(*decoded.table, {{start, 2, 3, 0x07, 256, 279, 0, 2, 60.0}}, {90.0f, 90.0f, 0.0f},
                SampleTimes(start, 2, 3));
}

TEST(DecodeMemoryImage, LevelsOnTheLimitsStayAndLevelsBeyondBecomeZero)
{
    const DecodedMemory decoded = DecodeGolden("memory_level_limits.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double start = Day(2022, 11, 30, 18, 45, 10);
    // The maximum is the first 140.0 (sample 0, not 4); the minimum the first 0 (sample 1).
    const double mean = (140.0 + 20.0 + 140.0 + double(65.3f)) / 7;
    ExpectTable(*decoded.table, {{start, 1, 7, 0x04, 256, 287, 0, 1, mean}},
                {140.0f, 0.0f, 20.0f, 0.0f, 140.0f, 65.3f, 0.0f}, SampleTimes(start, 1, 7));
}

TEST(DecodeMemoryImage, ACountFieldAcrossAPageBoundaryIsFoundBySearching)
{
    // Trusting the stored count would have swallowed the third recording.
    const DecodedMemory decoded = DecodeGolden("memory_page_boundary.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double start0 = Day(2021, 6, 1, 8, 0, 0);
    const double start1 = Day(2021, 6, 1, 9, 0, 0);
    const double start2 = Day(2021, 6, 1, 10, 0, 0);
    ExpectTable(*decoded.table,
                {{start0, 1, 113, 0x00, 256, 499, 0, 0, 60.0},
                 {start1, 5, 3, 0x01, 500, 523, 1, 0, 245.0 / 3},
                 {start2, 2, 2, 0x0E, 524, 545, 1, 0, 50.5}},
                Joined<float>({Repeated(60.0f, 113), {80.0f, 85.0f, 80.0f}, {50.0f, 51.0f}}),
                Joined<double>({SampleTimes(start0, 1, 113), SampleTimes(start1, 5, 3),
                                SampleTimes(start2, 2, 2)}));
}

TEST(DecodeMemoryImage, AStoredCountPastMemoryEndGivesWayToTheEndMarker)
{
    // The 5A A5 straddling two samples is not taken for the end marker.
    const DecodedMemory decoded = DecodeGolden("memory_count_past_end.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double start = Day(2019, 12, 24, 17, 0, 0);
    const double mean = (double(60.2f) + double(128.2f) + 72.0 + 70.0) / 4;
    ExpectTable(*decoded.table, {{start, 10, 4, 0x03, 256, 281, 1, 0, mean}},
                {60.2f, 128.2f, 72.0f, 70.0f}, SampleTimes(start, 10, 4));
}

TEST(DecodeMemoryImage, UnreadableStartTimesComeFromTheClock)
{
    const DecodedMemory decoded = DecodeGolden("memory_bad_dates.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);  // repaired without a report
    ASSERT_TRUE(decoded.table);
    const double starts[] = {
        TestNow,                       // month 13
        Day(2021, 7, 5, 10, 20, 30),   // month from the clock
        Day(2023, 12, 31, 23, 59, 59), // year from the clock, used as it is
        TestNow,                       // 31 April
        TestNow,                       // hour 24
        TestNow,                       // minute 60
        Day(2022, 5, 1, 8, 0, 45),     // second from the clock, without its milliseconds
        Day(2024, 2, 29, 12, 0, 0),    // a leap day is a real date
    };
    std::vector<DataSet> sets;
    std::vector<double> times;
    for (int i = 0; i < 8; ++i) {
        sets.push_back({starts[i], 1, 1, 0x03, 256 + 20 * i, 256 + 20 * i + 19, 0, 0, 60.0});
        times.push_back(starts[i]);
    }
    ExpectTable(*decoded.table, sets, Repeated(60.0f, 8), times);
}

TEST(DecodeMemoryImage, IntervalsAboveAMinuteBecomeTwoSeconds)
{
    const DecodedMemory decoded = DecodeGolden("memory_intervals.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double starts[] = {Day(2023, 1, 2, 3, 4, 5), Day(2023, 1, 2, 4), Day(2023, 1, 2, 5),
                             Day(2023, 1, 2, 6),       Day(2023, 1, 2, 7), Day(2023, 1, 2, 12)};
    ExpectTable(*decoded.table,
                {{starts[0], 2, 3, 0x02, 256, 279, 2, 0, 61.0},   // 120 -> 2
                 {starts[1], 30, 3, 0x02, 280, 303, 0, 1, 185.0 / 3},
                 {starts[2], 60, 2, 0x02, 304, 325, 0, 0, 60.0},  // 60 stays
                 {starts[3], 2, 2, 0x02, 326, 347, 0, 0, 60.0},   // 61 -> 2
                 {starts[4], 0, 2, 0x02, 348, 369, 0, 0, 60.0},   // 0 stays
                 {starts[5], 1, 60, 0x02, 370, 507, 0, 0, 60.0}},
                Joined<float>({{60.0f, 61.0f, 62.0f}, {62.0f, 61.0f, 62.0f}, Repeated(60.0f, 66)}),
                Joined<double>({SampleTimes(starts[0], 2, 3), SampleTimes(starts[1], 30, 3),
                                SampleTimes(starts[2], 60, 2), SampleTimes(starts[3], 2, 2),
                                {starts[4], starts[4]}, SampleTimes(starts[5], 1, 60)}));
    EXPECT_NEAR(decoded.table->times.back(), Day(2023, 1, 2, 12, 0, 59), SameTime);
}

TEST(DecodeMemoryImage, DamagedMarkersAndEndsAreReportedButDecoded)
{
    struct Case {
        const char* file;
        int result;
        std::vector<DataSet> sets;
        std::vector<float> levels;
    } cases[] = {
        {"memory_damaged_markers.hex", DecodeResult::MarkerMisplaced,
         {{Day(2022, 2, 2, 22, 22, 22), 2, 2, 0x03, 256, 277, 1, 0, 60.5},
          {Day(2022, 2, 2, 23, 0, 0), 2, 1, 0x03, 278, 297, 0, 0, 62.0}},
         {60.0f, 61.0f, 62.0f}},
        // The second recording ends at 297, past the header's memoryEnd of 287.
        {"memory_end_past_memory_end.hex", DecodeResult::EndBeyondMemoryEnd,
         {{Day(2022, 2, 2, 22, 22, 22), 2, 1, 0x03, 256, 275, 0, 0, 60.0},
          {Day(2022, 2, 2, 23, 0, 0), 2, 2, 0x03, 276, 297, 1, 0, 61.5}},
         {60.0f, 61.0f, 62.0f}},
        // The recording at 500 has no end marker: decoding picks up again at 517.
        {"memory_resync_after_lost_end.hex", DecodeResult::MarkerMisplaced,
         {{Day(2022, 3, 3, 10, 0, 0), 1, 113, 0x00, 256, 499, 0, 0, 60.0},
          {Day(2022, 3, 3, 11, 0, 0), 1, 0, 0x00, 500, 516, 0, 0, 0.0},
          {Day(2022, 3, 3, 12, 0, 0), 2, 2, 0x0A, 517, 538, 1, 0, 82.5}},
         Joined<float>({Repeated(60.0f, 113), {80.0f, 85.0f}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const DecodedMemory decoded = DecodeGolden(c.file);
        EXPECT_EQ(decoded.result, c.result);
        ASSERT_TRUE(decoded.table);
        std::vector<double> times;
        for (const DataSet& set : c.sets)
            for (double t : SampleTimes(set.startTime, set.interval, set.sampleCount))
                times.push_back(t);
        ExpectTable(*decoded.table, c.sets, c.levels, times);
    }
}

TEST(DecodeMemoryImage, ASetKeepsItsCountWithTheSamplesBeyondTheImageEmpty)
{
    // The header promises 30 samples; the image holds 14 and a half.
    const DecodedMemory cut = DecodeGolden("memory_short_image.hex");
    EXPECT_EQ(cut.result, DecodeResult::MarkerMisplaced);  // its end marker is not in the image
    ASSERT_TRUE(cut.table);
    EXPECT_EQ(cut.samplesHeld, 14) << "half a sample is no sample";
    const double start = Day(2020, 8, 9, 10, 11, 12);
    ExpectTable(*cut.table, {{start, 2, 30, 0x07, 256, 333, 0, 14, 14 * 60.0 / 30}},
                Joined<float>({Repeated(60.0f, 14), Repeated(0.0f, 16)}), SampleTimes(start, 2, 30));

    // A damaged count of 16777215 claims no more than a logger memory holds from 256 on; the
    // recording after it lies wholly beyond any memory.
    const DecodedMemory huge = DecodeGolden("memory_huge_count.hex");
    EXPECT_EQ(huge.result, DecodeResult::EndBeyondMemoryEnd);
    ASSERT_TRUE(huge.table);
    EXPECT_EQ(huge.samplesHeld, 24);
    const int fits = (131072 - 256 - 18) / 2;
    const double hugeStart = Day(2021, 11, 11, 11, 11, 11);
    const std::int32_t farEnd = 2 * 16777215 + 256 + 17;
    ExpectTable(*huge.table,
                {{hugeStart, 1, fits, 0x01, 256, farEnd, 0, 24, 24 * 30.0 / fits},
                 {TestNow, 0, 0, 0x00, farEnd + 1, farEnd + 18, 0, 0, 0.0}},
                Joined<float>({Repeated(30.0f, 24), Repeated(0.0f, fits - 24)}), SampleTimes(hugeStart, 1, fits));
}

// A recording cut off before its end marker decodes to the count it stores whatever length of
// image it comes in: the download (rounded to 32-byte blocks) and the working file and a
// collection (memoryEnd + 257 bytes, zeros past the download) give the same table.
TEST(DecodeMemoryImage, AnInterruptedRecordingDecodesAlikeFromEveryLengthOfImage)
{
    const std::vector<std::uint8_t> download = ReadHexImage("memory_interrupted.hex");
    std::vector<std::uint8_t> collection = download;
    collection.resize(291 + 257, 0x00);
    const double start = Day(2024, 1, 15, 8, 0, 0);
    std::vector<float> levels;
    for (int k = 0; k < 200; ++k)
        levels.push_back(k >= 10 ? 0.0f : k % 2 == 0 ? 60.0f : 61.0f);
    for (const auto& image : {download, collection}) {
        SCOPED_TRACE(image.size());
        const DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), TestNow);
        EXPECT_EQ(decoded.result, DecodeResult::EndBeyondMemoryEnd);
        ASSERT_TRUE(decoded.table);
        ExpectTable(*decoded.table, {{start, 1, 200, 0x03, 256, 2 * 200 + 256 + 17, 1, 10, 605.0 / 200}}, levels,
                    SampleTimes(start, 1, 200));
    }
}

TEST(DecodeMemoryImage, RecordingsBackToBackShareTheTablesArrays)
{
    const DecodedMemory decoded = DecodeGolden("memory_back_to_back.hex");
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    ExpectTable(*decoded.table, BackToBackSets(), BackToBackLevels(), BackToBackTimes());
    const std::int64_t firstSamples[] = {0, 3, 7, 9, 11};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(decoded.table->FirstSample(i), firstSamples[i]) << "set " << i;
}

// Every shorter copy of an image, with a plausible and an absurd memoryEnd: nothing is read
// outside the copy (the sanitizer watches), each set owns exactly its samples, and only the
// samples within the copy count as held.
TEST(DecodeMemoryImage, TruncatedImagesAreReadOnlyWithinTheirBytes)
{
    for (const char* file : {"memory_back_to_back.hex", "memory_page_boundary.hex"}) {
        const std::vector<std::uint8_t> image = ReadHexImage(file);
        for (std::size_t size = 0; size <= image.size(); ++size) {
            const std::vector<std::uint8_t> prefix(image.begin(), image.begin() + size);
            for (const int memoryEnd : {ReadMemoryEnd(image), 0xFFFFFF, -1}) {
                SCOPED_TRACE(testing::Message() << file << " size " << size << " memoryEnd " << memoryEnd);
                const DecodedMemory decoded = DecodeMemoryImage(prefix, memoryEnd, TestNow);
                if (!decoded.table)
                    continue;
                const auto& sets = decoded.table->sets;
                const std::int64_t total = std::accumulate(
                    sets.begin(), sets.end(), std::int64_t{0},
                    [](std::int64_t sum, const DataSet& set) { return sum + set.sampleCount; });
                ASSERT_EQ(decoded.table->levels.size(), static_cast<std::size_t>(total));
                ASSERT_EQ(decoded.table->times.size(), static_cast<std::size_t>(total));
                for (const DataSet& set : sets) {
                    ASSERT_GE(set.sampleCount, 0);
                    if (set.sampleCount > 0) {
                        ASSERT_LE(set.headerOffset + 18 + 2 * set.sampleCount, 131072) << "within a logger memory";
                    }
                }
                ASSERT_LE(decoded.samplesHeld, total);
                ASSERT_LE(decoded.samplesHeld, std::ssize(prefix) / 2);
            }
        }
    }
}

// The simulated meter's memory is laid out as the real one: what it records decodes back.
TEST(DecodeMemoryImage, TheSimulatedMetersRecordingsDecode)
{
    LoggerMemory memory;
    ASSERT_TRUE(memory.BeginRecording({{2024, 5, 6, 7, 8, 9}, 2, RecordingFlags(true, true, 0)}));
    for (const int tenths : {650, 655, 700})
        ASSERT_TRUE(memory.AppendSample(tenths));
    memory.EndRecording();
    ASSERT_TRUE(memory.BeginRecording({{2024, 5, 6, 8, 0, 0}, 60, 0x0C}));
    ASSERT_TRUE(memory.AppendSample(1234));
    memory.EndRecording();

    const std::span<const std::uint8_t> bytes = memory.Bytes();
    const int memoryEnd = memory.MemoryEnd();
    const auto image = bytes.first(static_cast<std::size_t>(DownloadLength(memoryEnd)));
    const DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), TestNow);
    EXPECT_EQ(decoded.result, DecodeResult::Decoded);
    ASSERT_TRUE(decoded.table);
    const double start0 = Day(2024, 5, 6, 7, 8, 9);
    const double start1 = Day(2024, 5, 6, 8, 0, 0);
    ExpectTable(*decoded.table,
                {{start0, 2, 3, RecordingFlags(true, true, 0), 256, 279, 2, 0, (65.0 + double(65.5f) + 70.0) / 3},
                 {start1, 60, 1, 0x0C, 280, 299, 0, 0, double(123.4f)}},
                {65.0f, 65.5f, 70.0f, 123.4f},
                Joined<double>({SampleTimes(start0, 2, 3), {start1}}));
    EXPECT_EQ(memoryEnd, 299);
}

}  // namespace
