#include "SimulatedMeterFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Image = std::vector<std::uint8_t>;

int Bcd(std::uint8_t byte) { return (byte >> 4) * 10 + (byte & 0x0F); }

int BigEndian(const Image& image, std::size_t offset, int width)
{
    int value = 0;
    for (int i = 0; i < width; ++i)
        value = value * 256 + image.at(offset + i);
    return value;
}

// One recording as the test reads it from the bytes, insisting on the exact layout.
struct Stored {
    int header = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int interval = 0;
    int count = 0;
    int flags = 0;
    int end = 0;  // last byte of the end marker
    std::vector<int> samples;
};

std::vector<Stored> ReadRecordings(const Image& image)
{
    std::vector<Stored> recordings;
    const int setCount = BigEndian(image, 9, 2);
    std::size_t h = 256;
    for (int i = 0; i < setCount; ++i) {
        SCOPED_TRACE("recording " + std::to_string(i));
        Stored r;
        r.header = static_cast<int>(h);
        EXPECT_EQ(image.at(h), 0xA5);
        EXPECT_EQ(image.at(h + 1), 0x5A);
        r.year = 2000 + Bcd(image.at(h + 3));
        r.month = Bcd(image.at(h + 4));
        r.day = Bcd(image.at(h + 5));
        r.hour = Bcd(image.at(h + 6));
        r.minute = Bcd(image.at(h + 7));
        r.second = Bcd(image.at(h + 8));
        r.interval = image.at(h + 10);
        r.count = BigEndian(image, h + 11, 3);
        r.flags = image.at(h + 14);
        for (int s = 0; s < r.count; ++s)
            r.samples.push_back(BigEndian(image, h + 16 + 2 * s, 2) & 0x0FFF);
        r.end = r.header + 16 + 2 * r.count + 1;
        EXPECT_EQ(image.at(r.end - 1), 0x5A);
        EXPECT_EQ(image.at(r.end), 0xA5);
        recordings.push_back(r);
        h = static_cast<std::size_t>(r.end) + 1;
    }
    return recordings;
}

class SimulatedMeterMemoryTest : public SimulatedMeterFixture {
protected:
    // The whole download: 'P' for the header page, 'p' for each further block, 'q' at the end.
    Image Download()
    {
        Image image;
        if (!OpenLink())
            return image;
        ReplyFrame block{};
        if (!Send('P', block) || block[0] != 4 || block[31] != 5)
            return image;
        int length = (block[11] << 16 | block[12] << 8 | block[13]) + 1;
        if (length > 131072 || length < 256)
            length = 131072;
        length = (length + 31) / 32 * 32;
        image.assign(block.begin(), block.end());
        while (static_cast<int>(image.size()) < length) {
            if (!Send('p', block))
                return {};
            image.insert(image.end(), block.begin(), block.end());
        }
        const CommandFrame end = Frame('q');
        meter.WriteCommand(7, end.data());
        return image;
    }

    void SetInterval(int seconds)
    {
        Must(Frame('W', 0, 0, 0x0E, 0));
        Must(Frame('W', 0, 0, 0x0F, static_cast<std::uint8_t>(seconds)));
    }

    void Erase()
    {
        const CommandFrame erase{0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03};
        const ReplyFrame reply = Must(erase);
        EXPECT_TRUE(std::equal(erase.begin(), erase.end(), reply.begin()));
    }
};

TEST_F(SimulatedMeterMemoryTest, StartsWithAFewDifferentRecordingsLaidOutAsTheMeterStoresThem)
{
    const Image image = Download();
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(image[0], 4);
    EXPECT_EQ(image[31], 5);
    EXPECT_EQ(BigEndian(image, 9, 2), 4);
    const int memoryEnd = BigEndian(image, 11, 3);
    EXPECT_EQ(image.size() % 32, 0u);
    EXPECT_EQ(static_cast<int>(image.size()), (memoryEnd + 1 + 31) / 32 * 32);

    struct Expected {
        int year, month, day, hour, minute, second, interval, count, flags;
    };
    // flags: bit 0 FAST, bit 1 dBA, bits 2-3 the range (0 30-90, 1 50-110, 2 70-130, 3 30-130)
    const Expected expected[] = {
        {2026, 3, 2, 9, 15, 0, 1, 600, 0x0F},
        {2026, 3, 3, 14, 30, 20, 10, 360, 0x08},
        {2026, 3, 5, 22, 0, 0, 60, 480, 0x02},
        {2026, 3, 7, 7, 45, 5, 2, 150, 0x07},
    };
    const std::vector<Stored> recordings = ReadRecordings(image);
    ASSERT_EQ(recordings.size(), 4u);
    EXPECT_EQ(recordings[0].header, 256);
    for (std::size_t i = 0; i < recordings.size(); ++i) {
        SCOPED_TRACE(i);
        const Stored& r = recordings[i];
        const Expected& e = expected[i];
        EXPECT_EQ(r.year, e.year);
        EXPECT_EQ(r.month, e.month);
        EXPECT_EQ(r.day, e.day);
        EXPECT_EQ(r.hour, e.hour);
        EXPECT_EQ(r.minute, e.minute);
        EXPECT_EQ(r.second, e.second);
        EXPECT_EQ(r.interval, e.interval);
        EXPECT_EQ(r.count, e.count);
        EXPECT_EQ(r.flags, e.flags);
        for (const int sample : r.samples) {
            ASSERT_GE(sample, 300);
            ASSERT_LE(sample, 1300);
        }
        // A real place: the levels vary.
        const auto [low, high] = std::minmax_element(r.samples.begin(), r.samples.end());
        EXPECT_GT(*high - *low, 50);
    }
    EXPECT_EQ(recordings.back().end, memoryEnd);
}

TEST_F(SimulatedMeterMemoryTest, TheSampleRecordingsHoldTheirPlacesLevels)
{
    const std::vector<Stored> recordings = ReadRecordings(Download());
    ASSERT_EQ(recordings.size(), 4u);
    auto median = [](std::vector<int> samples) {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    };
    EXPECT_NEAR(median(recordings[0].samples), 470, 40);  // office
    EXPECT_NEAR(median(recordings[1].samples), 850, 50);  // workshop, C weighted
    EXPECT_LT(median(recordings[2].samples), 450);        // night
    EXPECT_GT(median(recordings[3].samples), 600);        // busy street
}

TEST_F(SimulatedMeterMemoryTest, RecordingAppendsSamplesAtTheEepromInterval)
{
    Erase();
    SetInterval(5);
    meter.HoldLevel(65.0);
    Pass(3);
    Press('R');
    Pass(60);
    meter.HoldLevel(70.0);
    Pass(40);
    Press('R');
    Pass(30);  // nothing more is recorded after REC is off

    const Image image = Download();
    EXPECT_EQ(BigEndian(image, 9, 2), 1);
    const std::vector<Stored> recordings = ReadRecordings(image);
    ASSERT_EQ(recordings.size(), 1u);
    const Stored& r = recordings[0];
    EXPECT_EQ(r.header, 256);
    EXPECT_EQ(std::vector<int>({r.year, r.month, r.day, r.hour, r.minute, r.second}),
              std::vector<int>({2026, 3, 9, 14, 5, 10}));
    EXPECT_EQ(r.interval, 5);
    EXPECT_EQ(r.flags, 0x0F);  // FAST, dBA, 30-130 dB
    // A sample on pressing REC and one every 5 s for 100 s: 13 at 65 dB, then 8 at 70 dB.
    std::vector<int> expected(13, 650);
    expected.insert(expected.end(), 8, 700);
    EXPECT_EQ(r.samples, expected);
    EXPECT_EQ(BigEndian(image, 11, 3), r.end);
}

TEST_F(SimulatedMeterMemoryTest, TheHeaderStaysTrueWhileRecording)
{
    meter.HoldLevel(55.0);
    Press("LLLCF");  // 70-130 dB, dBC, SLOW
    Press('R');
    for (int i = 1; i <= 3; ++i) {
        Pass(2);  // the factory interval
        const Image image = Download();
        const std::vector<Stored> recordings = ReadRecordings(image);
        ASSERT_EQ(recordings.size(), 5u);
        EXPECT_EQ(recordings[4].count, 1 + i);
        EXPECT_EQ(recordings[4].flags, 0x08);
        EXPECT_EQ(recordings[4].header, recordings[3].end + 1);
        EXPECT_EQ(BigEndian(image, 11, 3), recordings[4].end);
    }
    EXPECT_TRUE(meter.Recording());
}

TEST_F(SimulatedMeterMemoryTest, AFullMemoryStopsTheRecordingAndShowsFull)
{
    Erase();
    SetInterval(1);
    Press('R');
    Pass(20 * 3600);

    ReplyFrame status = Status();
    EXPECT_EQ(status[1] & 0x01, 0);     // REC off
    EXPECT_EQ(status[2] & 0x10, 0x10);  // FULL
    const Image image = Download();
    EXPECT_EQ(image.size(), 131072u);
    EXPECT_EQ(BigEndian(image, 11, 3), 131071);
    const std::vector<Stored> recordings = ReadRecordings(image);
    ASSERT_EQ(recordings.size(), 1u);
    EXPECT_EQ(recordings[0].count, (131072 - 256 - 18) / 2);

    Press('R');  // no room for another recording
    status = Status();
    EXPECT_EQ(status[1] & 0x01, 0);
    EXPECT_EQ(BigEndian(Download(), 9, 2), 1);

    Erase();
    EXPECT_EQ(Status()[2] & 0x10, 0);
}

TEST_F(SimulatedMeterMemoryTest, EraseEmptiesTheMemoryAndKeepsTheSettings)
{
    SetInterval(30);
    Erase();
    const Image image = Download();
    ASSERT_EQ(image.size(), 256u);
    EXPECT_EQ(image[0], 4);
    EXPECT_EQ(image[31], 5);
    EXPECT_EQ(BigEndian(image, 9, 2), 0);
    EXPECT_EQ(BigEndian(image, 11, 3), 255);
    EXPECT_EQ(BigEndian(image, 14, 2), 30);
    EXPECT_EQ(Must(Frame('Y'))[15], 30);
}

TEST_F(SimulatedMeterMemoryTest, EraseWhileRecordingStopsTheRecordingFirst)
{
    Press('R');
    Pass(10);
    Erase();
    EXPECT_FALSE(meter.Recording());
    Pass(10);
    EXPECT_EQ(BigEndian(Download(), 9, 2), 0);
}

TEST_F(SimulatedMeterMemoryTest, OnlyTheExactEraseFrameErases)
{
    EXPECT_FALSE(Ask({0x02, 0x65, 0x72, 0x61, 0x73, 0x00, 0x03}).has_value());
    EXPECT_EQ(meter.Memory().SetCount(), 4);
}

TEST_F(SimulatedMeterMemoryTest, BlocksAreServedOnlyWithinADownloadAndTheMemory)
{
    EXPECT_FALSE(Ask(Frame('p')).has_value());  // no download started

    ASSERT_TRUE(OpenLink());
    ReplyFrame block{};
    ASSERT_TRUE(Send('P', block));
    for (int address = 32; address < 131072; address += 32) {
        ASSERT_TRUE(Send('p', block)) << address;
        ASSERT_EQ(block[0], meter.Memory().Byte(address));
    }
    EXPECT_FALSE(Send('p', block));  // past the end of the memory

    const CommandFrame end = Frame('q');
    meter.WriteCommand(7, end.data());
    EXPECT_FALSE(Send('p', block));
}

TEST_F(SimulatedMeterMemoryTest, ANewRecordingGoesAfterTheLastOne)
{
    const int end = meter.Memory().MemoryEnd();
    Press('R');
    Pass(4);
    Press('R');
    const std::vector<Stored> recordings = ReadRecordings(Download());
    ASSERT_EQ(recordings.size(), 5u);
    EXPECT_EQ(recordings[4].header, end + 1);
    EXPECT_EQ(recordings[4].count, 3);  // at 0, 2 and 4 s
}

}  // namespace
