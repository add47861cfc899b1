#include "link/UsbTrafficLog.h"
#include "SimulatedMeterFixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class UsbTrafficLogTest : public SimulatedMeterFixture {
protected:
    QStringList Lines() const
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("usb.log"));
};

TEST_F(UsbTrafficLogTest, WritesEveryOperationOfAnExchangeAsItHappens)
{
    UsbTrafficLog log(meter, path);
    ASSERT_TRUE(log.IsOpen());
    const CommandFrame status = Frame('A', 0, 0, 0, 0x2A);
    ReplyFrame reply{};
    log.CloseDevice();
    log.OpenDevice(0x04D9, 0xE000);
    log.SetTimeouts(1000, 1000);
    log.WriteCommand(7, status.data());
    log.PrepareRead();
    ASSERT_EQ(log.ReadReply(32, reply.data()), 0);
    log.CloseDevice();

    // Read while the log is still open: every line is already in the file.
    const QStringList lines = Lines();
    const QString stamp = QStringLiteral("2026-03-09 14:05:07.000 ");
    const QStringList expected = {
        stamp + QStringLiteral("QX574 USB traffic log"),
        stamp + QStringLiteral("CloseDevice -> 0"),
        stamp + QStringLiteral("OpenDevice 04D9 E000 -> 0"),
        stamp + QStringLiteral("SetTimeouts 1000 1000 -> 0"),
        stamp + QStringLiteral("WriteCommand 7 -> 0 : 02 41 00 00 00 2A 03"),
        stamp + QStringLiteral("PrepareRead -> 0"),
        stamp + QStringLiteral("ReadReply 32 -> 0 : ") + HexBytes(reply.data(), 32),
        stamp + QStringLiteral("CloseDevice -> 0"),
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(lines[6].endsWith(QStringLiteral(" 2A 03")));  // the echo and the end marker
}

TEST_F(UsbTrafficLogTest, PassesResultsOnAndLogsFailuresWithoutBytes)
{
    UsbTrafficLog log(meter, path);
    ReplyFrame reply{};
    reply.fill(0xEE);
    meter.RefuseOpen();
    EXPECT_NE(log.OpenDevice(0x04D9, 0xE000), 0);
    meter.RefuseOpen(false);
    ASSERT_EQ(log.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_NE(log.ReadReply(32, reply.data()), 0);  // nothing was asked
    std::array<char, 64> serial{};
    EXPECT_EQ(log.ReadSerialNumber(0, serial.data(), 64), 0);
    clockScope.clock.now += 1.5 * OneSecond;
    const std::array<std::uint8_t, 32> block{0x07, 0x05, 0x14};
    EXPECT_EQ(log.WriteData(32, block.data()), 0);

    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("OpenDevice 04D9 E000 -> 1")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("ReadReply 32 -> 1")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("ReadSerialNumber 0 64 -> 0 : \"QX574-0012345\"")));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("2026-03-09 14:05:08.500 WriteData 32 -> 0 : 07 05 14 00")));
}

TEST_F(UsbTrafficLogTest, AnUnwritableLogStillLetsTheMeterBeReached)
{
    UsbTrafficLog log(meter, dir.filePath(QStringLiteral("no/such/folder/usb.log")));
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(log.ErrorText().isEmpty());
    EXPECT_EQ(log.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_TRUE(meter.IsOpen());
}

TEST_F(UsbTrafficLogTest, AppendsToAnEarlierLog)
{
    { UsbTrafficLog first(meter, path); first.CloseDevice(); }
    { UsbTrafficLog second(meter, path); second.CloseDevice(); }
    EXPECT_EQ(Lines().size(), 4);
}

TEST(HexBytesTest, TwoDigitsPerByteAndNothingForAnImpossibleCount)
{
    const std::uint8_t bytes[65] = {0x00, 0x0A, 0xFF};
    EXPECT_EQ(HexBytes(bytes, 3), QStringLiteral("00 0A FF"));
    EXPECT_EQ(HexBytes(bytes, 1), QStringLiteral("00"));
    EXPECT_EQ(HexBytes(bytes, 64).size(), 64 * 3 - 1);
    EXPECT_EQ(HexBytes(bytes, 0), QString());
    EXPECT_EQ(HexBytes(bytes, -7), QString());
    EXPECT_EQ(HexBytes(bytes, 65), QString());
    EXPECT_EQ(HexBytes(nullptr, 7), QString());
}

}  // namespace
