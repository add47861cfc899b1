#include "FakeClock.h"
#include "link/HtUsb.h"
#include "link/MeterFrames.h"
#include "link/SimulatedMeter.h"
#include "link/UsbTrafficLog.h"
#include "shell/Formats.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

constexpr std::uint16_t VendorId = 0x04D9;
constexpr std::uint16_t ProductId = 0xE000;

// A whole session with the meter through the current transport, each sequence written out
// with the exchange steps in their order: close, open, time-outs, write, prepare, read,
// check, close. The meter is simulated and time moves only with the test clock.
class MeterConversationTest : public ::testing::Test {
protected:
    MeterConversationTest()
    {
        clockScope.clock.now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7)));
        meter.emplace();
        SetCurrentTransport(&*meter);
    }
    ~MeterConversationTest() override { SetCurrentTransport(nullptr); }

    // The transport the conversation goes through: the meter, or a traffic log in front of it.
    HtUsb* through = nullptr;
    HtUsb& Link() { return through ? *through : *meter; }

    void Wait(double seconds)
    {
        clockScope.clock.now += seconds * OneSecond;
    }

    void Fill(std::uint8_t command)
    {
        frame[0] = 0x02;
        frame[1] = command;
        frame[6] = 0x03;
    }

    // Identification: true when the meter read back and said "574".
    bool Identify()
    {
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(1000, 1000) != 0) {
            Link().CloseDevice();
            return false;
        }
        Fill('K');
        Link().WriteCommand(7, frame.data());
        Link().PrepareRead();
        const bool read = Link().ReadReply(32, reply.data()) == 0;
        Link().CloseDevice();
        return read && reply[23] == '5' && reply[24] == '7' && reply[25] == '4';
    }

    // The sequenced status poll; a mismatched echo sends 'Q' on the open device.
    bool Poll()
    {
        bool result = true;
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(1000, 1000) != 0) {
            Link().CloseDevice();
            return false;
        }
        ++sequence;
        Fill('A');
        frame[5] = sequence;
        Link().WriteCommand(7, frame.data());
        Link().PrepareRead();
        reply.fill(0);
        if (Link().ReadReply(32, reply.data()) != 0)
            result = false;
        if (reply[30] != sequence) {
            frame[1] = 'Q';
            Link().WriteCommand(7, frame.data());
            ++resynchronisations;
        }
        Link().CloseDevice();
        return result;
    }

    bool Key(std::uint8_t key)
    {
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(500, 500) != 0)
            return false;
        Fill(key);
        Link().WriteCommand(7, frame.data());
        Link().CloseDevice();
        return true;
    }

    // The memory download; the device is left open at the end.
    std::vector<std::uint8_t> Download()
    {
        std::vector<std::uint8_t> image;
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(1000, 1000) != 0)
            return image;
        Fill('P');
        if (Link().WriteCommand(7, frame.data()) != 0)
            return image;
        Link().PrepareRead();
        if (Link().ReadReply(32, reply.data()) != 0 || reply[0] != 4 || reply[31] != 5)
            return image;
        int length = (reply[11] << 16 | reply[12] << 8 | reply[13]) + 1;
        if (length > 131072 || length < 256)
            length = 131072;
        length = (length + 31) / 32 * 32;
        image.assign(reply.begin(), reply.end());
        while (static_cast<int>(image.size()) < length) {
            Fill('p');
            Link().WriteCommand(7, frame.data());
            Link().PrepareRead();
            if (Link().ReadReply(32, reply.data()) != 0) {
                Link().CloseDevice();
                return {};
            }
            image.insert(image.end(), reply.begin(), reply.end());
        }
        Fill('q');
        Link().WriteCommand(7, frame.data());
        return image;
    }

    // One exchange with a fixed frame whose reply must echo its first `echoed` bytes.
    bool EchoedExchange(const CommandFrame& command, int echoed)
    {
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(1000, 1000) != 0)
            return false;
        if (Link().WriteCommand(7, command.data()) != 0)
            return false;
        Link().PrepareRead();
        if (Link().ReadReply(32, reply.data()) != 0)
            return false;
        return std::equal(command.begin(), command.begin() + echoed, reply.begin());
    }

    bool SetClock(int year, int month, int day, int hour, int minute, int second)
    {
        auto bcd = [](int v) { return static_cast<std::uint8_t>(v / 10 * 16 + v % 10); };
        Link().CloseDevice();
        if (Link().OpenDevice(VendorId, ProductId) != 0 || Link().SetTimeouts(1000, 1000) != 0)
            return false;
        Fill('t');
        frame[2] = 'c';
        frame[3] = 0;
        if (Link().WriteCommand(7, frame.data()) != 0)
            return false;
        Link().PrepareRead();
        std::array<std::uint8_t, 32> block{};
        block[0] = bcd(second);
        block[1] = bcd(minute);
        block[2] = bcd(hour);
        block[3] = bcd(day);
        block[4] = bcd(month);
        block[6] = bcd(year % 100);
        return Link().WriteData(32, block.data()) == 0;
    }

    ScopedFakeClock clockScope;
    std::optional<SimulatedMeter> meter;
    CommandFrame frame{0x02, 0x4B, 0x00, 0x00, 0x00, 0x00, 0x00};
    ReplyFrame reply{};
    std::uint8_t sequence = 0;
    int resynchronisations = 0;
};

TEST_F(MeterConversationTest, ASessionFromIdentificationToErase)
{
    ASSERT_TRUE(Identify());

    // Status polls every half second echo their sequence numbers.
    for (int i = 0; i < 4; ++i) {
        Wait(0.5);
        ASSERT_TRUE(Poll());
        EXPECT_EQ(reply[0], 0x02);
        EXPECT_EQ(reply[31], 0x03);
    }
    EXPECT_EQ(resynchronisations, 0);

    // The range key, then a short recording.
    ASSERT_TRUE(Key('L'));
    ASSERT_TRUE(Poll());
    EXPECT_EQ(reply[3], 0x11);
    ASSERT_TRUE(Key('R'));
    for (int i = 0; i < 20; ++i) {
        Wait(0.5);
        ASSERT_TRUE(Poll());
        EXPECT_EQ(reply[1] & 0x01, 0x01);
    }
    ASSERT_TRUE(Key('R'));
    ASSERT_TRUE(Poll());
    EXPECT_EQ(reply[1] & 0x01, 0x00);

    // The download brings the new recording back after the four the meter came with.
    std::vector<std::uint8_t> image = Download();
    ASSERT_FALSE(image.empty());
    EXPECT_EQ(image[9] * 256 + image[10], 5);
    EXPECT_TRUE(meter->IsOpen());  // left open; the next sequence closes it

    // Clock, recording interval (two writes, 2-byte echoes), information and serial number.
    ASSERT_TRUE(SetClock(2027, 1, 2, 3, 4, 5));
    Wait(1);
    ASSERT_TRUE(Poll());
    EXPECT_EQ(std::vector<int>(reply.begin() + 15, reply.begin() + 18), (std::vector<int>{0x06, 0x04, 0x03}));
    EXPECT_EQ(reply[21], 0x27);

    ASSERT_TRUE(EchoedExchange({0x02, 'W', 0x00, 0x00, 0x0E, 0x00, 0x03}, 2));
    ASSERT_TRUE(EchoedExchange({0x02, 'W', 0x00, 0x00, 0x0F, 10, 0x03}, 2));
    Link().CloseDevice();
    ASSERT_TRUE(EchoedExchange({0x02, 'Y', 0x00, 0x00, 0x00, 0x00, 0x03}, 0));
    EXPECT_EQ(reply[15], 10);
    EXPECT_EQ(reply[10], 5);
    std::array<char, 64> serial{};
    ASSERT_EQ(Link().ReadSerialNumber(0, serial.data(), 64), 0);
    EXPECT_STREQ(serial.data(), "QX574-0012345");

    // One EEPROM byte written (7-byte echo) and read back (byte 6).
    ASSERT_TRUE(EchoedExchange({0x02, 'W', 0x01, 0x11, 0x70, 0x2C, 0x03}, 7));
    Link().CloseDevice();
    ASSERT_TRUE(EchoedExchange({0x02, 'r', 0x01, 0x11, 0x70, 0x2C, 0x03}, 2));
    Link().CloseDevice();
    EXPECT_EQ(reply[6], 0x2C);

    // Erase, and the memory is empty.
    ASSERT_TRUE(EchoedExchange({0x02, 0x65, 0x72, 0x61, 0x73, 0x65, 0x03}, 7));
    image = Download();
    ASSERT_EQ(image.size(), 256u);
    EXPECT_EQ(image[9] * 256 + image[10], 0);
}

TEST_F(MeterConversationTest, AnLeqRunKeepsTheDeviceOpenAndReadsFast)
{
    Link().CloseDevice();
    ASSERT_EQ(Link().OpenDevice(VendorId, ProductId), 0);
    ASSERT_EQ(Link().SetTimeouts(100, 100), 0);
    frame[5] = 0x33;  // carried from the last poll
    for (int i = 0; i < 50; ++i) {
        Wait(0.04);
        Fill('A');
        Link().WriteCommand(7, frame.data());
        Link().PrepareRead();
        ASSERT_EQ(Link().ReadReply(32, reply.data()), 0);
        EXPECT_EQ(reply[30], 0x33);
        EXPECT_GE(reply[5] * 256 + reply[6], 300);
    }
}

TEST_F(MeterConversationTest, AMismatchedEchoIsFollowedByQAndTheNextPollMatches)
{
    meter->FailRead(1);
    EXPECT_FALSE(Poll());
    EXPECT_EQ(resynchronisations, 1);
    EXPECT_TRUE(Poll());
    EXPECT_EQ(resynchronisations, 1);

    meter->AnswerWrongSequenceEcho();
    EXPECT_TRUE(Poll());  // the reply was read, just not matched
    EXPECT_EQ(resynchronisations, 2);
}

TEST_F(MeterConversationTest, AfterAFailedDownloadQIsWrittenWithoutReopening)
{
    // Header markers wrong: the device is still open and takes the 'Q'.
    meter->AnswerWrongMarkers();
    EXPECT_TRUE(Download().empty());
    meter->ClearFaults();
    Link().PrepareRead();
    Fill('Q');
    EXPECT_EQ(Link().WriteCommand(7, frame.data()), 0);
    EXPECT_TRUE(Poll());

    // A block read failed: the download closed the device, so the 'Q' fails harmlessly.
    meter->ServeMemoryUpTo(512);
    EXPECT_TRUE(Download().empty());
    Link().PrepareRead();
    Fill('Q');
    EXPECT_NE(Link().WriteCommand(7, frame.data()), 0);
    EXPECT_TRUE(Poll());
}

TEST_F(MeterConversationTest, WithNoMeterEverySequenceFailsAtTheOpen)
{
    meter->RefuseOpen();
    EXPECT_FALSE(Identify());
    EXPECT_FALSE(Poll());
    EXPECT_FALSE(Key('R'));
    EXPECT_TRUE(Download().empty());
    EXPECT_FALSE(meter->Recording());
}

TEST_F(MeterConversationTest, TheTrafficLogRecordsTheConversation)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("usb.log"));
    {
        UsbTrafficLog log(*meter, path);
        through = &log;
        ASSERT_TRUE(Identify());
        ASSERT_TRUE(Poll());
        through = nullptr;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text.count(QStringLiteral("\n")), 1 + 7 + 7);  // title, then seven steps each
    EXPECT_TRUE(text.contains(QStringLiteral("WriteCommand 7 -> 0 : 02 4B 00 00 00 00 03")));
    EXPECT_TRUE(text.contains(QStringLiteral("WriteCommand 7 -> 0 : 02 41 00 00 00 01 03")));
    EXPECT_TRUE(text.contains(QStringLiteral(" 35 37 34 ")));  // "574"
}

}  // namespace
