#include "FakeHidApi.h"
#include "link/HidapiTransport.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace {

using Report = FakeHidApi::Report;

constexpr std::array<std::uint8_t, 7> StatusCommand{0x02, 0x41, 0x00, 0x00, 0x00, 0x2A, 0x03};
constexpr std::uint8_t Untouched = 0xEE;

Report Numbered(std::size_t length, std::uint8_t first)
{
    Report report(length);
    std::iota(report.begin(), report.end(), first);
    return report;
}

class HidapiTransportTest : public ::testing::Test {
protected:
    void Open() { ASSERT_EQ(transport.OpenDevice(0x04D9, 0xE000), 0); }

    FakeHidApi hid;
    HidapiTransport transport{hid};
};

TEST_F(HidapiTransportTest, WritesUnnumberedReportsOfTheFrameLength)
{
    Open();
    std::array<std::uint8_t, 32> block{};
    std::iota(block.begin(), block.end(), std::uint8_t{0x10});

    EXPECT_EQ(transport.WriteCommand(7, StatusCommand.data()), 0);
    EXPECT_EQ(transport.WriteData(32, block.data()), 0);

    ASSERT_EQ(hid.writes.size(), 2u);
    Report command{0x00};
    command.insert(command.end(), StatusCommand.begin(), StatusCommand.end());
    EXPECT_EQ(hid.writes[0], command);
    Report data{0x00};
    data.insert(data.end(), block.begin(), block.end());
    EXPECT_EQ(hid.writes[1], data);
    EXPECT_EQ(hid.openedVendor, 0x04D9);
    EXPECT_EQ(hid.openedProduct, 0xE000);
}

TEST_F(HidapiTransportTest, RefusesFramesOfAnotherLengthOrWithoutBytes)
{
    Open();
    std::array<std::uint8_t, 64> bytes{};
    EXPECT_NE(transport.WriteCommand(8, bytes.data()), 0);
    EXPECT_NE(transport.WriteCommand(-1, bytes.data()), 0);
    EXPECT_NE(transport.WriteCommand(7, nullptr), 0);
    EXPECT_NE(transport.WriteData(7, bytes.data()), 0);
    EXPECT_NE(transport.WriteData(32, nullptr), 0);
    EXPECT_NE(transport.ReadReply(64, bytes.data()), 0);
    EXPECT_NE(transport.ReadReply(32, nullptr), 0);
    EXPECT_TRUE(hid.writes.empty());
    EXPECT_TRUE(hid.readTimeouts.empty());
}

TEST_F(HidapiTransportTest, ACommandDiscardsStaleInputAndItsReplyIsReadAfterwards)
{
    Open();
    hid.input = {Numbered(32, 0x80), Numbered(32, 0xA0)};  // left from earlier exchanges
    hid.answers = {Numbered(32, 0x01)};

    ASSERT_EQ(transport.WriteCommand(7, StatusCommand.data()), 0);
    // Queued reports were drained with time-out 0 before the write, and nothing after it.
    EXPECT_EQ(hid.readTimeouts, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(transport.PrepareRead(), 0);
    EXPECT_EQ(hid.input.size(), 1u);

    std::array<std::uint8_t, 32> reply{};
    ASSERT_EQ(transport.ReadReply(32, reply.data()), 0);
    EXPECT_EQ(Report(reply.begin(), reply.end()), Numbered(32, 0x01));
    EXPECT_EQ(hid.readLengths.back(), HidapiTransport::ReportBufferLength);
}

TEST_F(HidapiTransportTest, WritingDataDiscardsNothing)
{
    Open();
    hid.input = {Numbered(32, 0x80)};
    std::array<std::uint8_t, 32> block{};
    ASSERT_EQ(transport.WriteData(32, block.data()), 0);
    EXPECT_EQ(hid.input.size(), 1u);
    EXPECT_TRUE(hid.readTimeouts.empty());
}

TEST_F(HidapiTransportTest, ReadsWithTheTimeOutLastSet)
{
    Open();
    std::array<std::uint8_t, 32> reply{};
    transport.ReadReply(32, reply.data());
    ASSERT_EQ(transport.SetTimeouts(500, 500), 0);
    transport.ReadReply(32, reply.data());
    ASSERT_EQ(transport.SetTimeouts(100, 100), 0);
    transport.ReadReply(32, reply.data());
    ASSERT_EQ(transport.SetTimeouts(0xFFFFFFFFu, 0xFFFFFFFFu), 0);
    transport.ReadReply(32, reply.data());
    EXPECT_EQ(hid.readTimeouts, (std::vector<int>{1000, 500, 100, INT_MAX}));
}

TEST_F(HidapiTransportTest, AnythingButExactly32BytesFailsAndLeavesTheBufferAlone)
{
    struct Case {
        const char* what;
        std::optional<std::size_t> reportLength;  // nothing: the device reports an error
        std::int32_t expected;
    };
    const Case cases[] = {
        {"time-out", 0, 1},       {"short report", 31, 1}, {"long report", 33, 1},
        {"64-byte report", 64, 1}, {"error", std::nullopt, 1}, {"exact report", 32, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeHidApi device;
        HidapiTransport link(device);
        ASSERT_EQ(link.OpenDevice(0x04D9, 0xE000), 0);
        if (!c.reportLength)
            device.unplugged = true;
        else if (*c.reportLength > 0)
            device.input = {Numbered(*c.reportLength, 1)};
        std::array<std::uint8_t, 32> buffer;
        buffer.fill(Untouched);

        EXPECT_EQ(link.ReadReply(32, buffer.data()), c.expected);
        if (c.expected == 0)
            EXPECT_EQ(Report(buffer.begin(), buffer.end()), Numbered(32, 1));
        else
            EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](auto b) { return b == Untouched; }));
    }
}

TEST_F(HidapiTransportTest, AWriteOfFewerBytesThanTheReportFails)
{
    Open();
    hid.writeResult = 5;
    EXPECT_NE(transport.WriteCommand(7, StatusCommand.data()), 0);
    hid.writeResult = -1;
    EXPECT_NE(transport.WriteCommand(7, StatusCommand.data()), 0);
}

TEST_F(HidapiTransportTest, SerialNumberBecomesNulTerminatedText)
{
    struct Case {
        std::optional<std::wstring> serial;
        std::int32_t size;
        std::int32_t expected;
        std::string text;  // what the buffer holds afterwards
    };
    const Case cases[] = {
        {L"QX574-0012345", 64, 0, "QX574-0012345"},
        {L"", 64, 0, ""},
        {L"AB12", 3, 0, "AB"},          // cut to the buffer, NUL included
        {L"A\u00e9\u4e2dZ", 64, 0, "A??Z"},  // shown as plain text
        {std::nullopt, 64, 1, "unchanged"},
        {L"AB12", 0, 1, "unchanged"},
    };
    for (const Case& c : cases) {
        FakeHidApi device;
        device.serial = c.serial;
        HidapiTransport link(device);
        ASSERT_EQ(link.OpenDevice(0x04D9, 0xE000), 0);
        std::array<char, 64> buffer{};
        std::strcpy(buffer.data(), "unchanged");
        EXPECT_EQ(link.ReadSerialNumber(0, buffer.data(), c.size), c.expected);
        EXPECT_EQ(std::string(buffer.data()), c.text);
    }
}

TEST_F(HidapiTransportTest, AnAbsentMeterFailsEveryOperationWithoutACrash)
{
    hid.present = false;
    std::array<std::uint8_t, 32> bytes{};
    std::array<char, 64> serial{};
    EXPECT_NE(transport.OpenDevice(0x04D9, 0xE000), 0);
    EXPECT_NE(transport.SetTimeouts(1000, 1000), 0);
    EXPECT_NE(transport.WriteCommand(7, StatusCommand.data()), 0);
    EXPECT_EQ(transport.PrepareRead(), 0);
    EXPECT_NE(transport.ReadReply(32, bytes.data()), 0);
    EXPECT_NE(transport.WriteData(32, bytes.data()), 0);
    EXPECT_NE(transport.ReadSerialNumber(0, serial.data(), 64), 0);
    EXPECT_EQ(transport.CloseDevice(), 0);
    EXPECT_TRUE(hid.writes.empty());
    EXPECT_EQ(hid.closes, 0);  // nothing was open to close
}

TEST_F(HidapiTransportTest, AnUnpluggedMeterFailsEveryOperationWithoutACrash)
{
    Open();
    hid.unplugged = true;
    std::array<std::uint8_t, 32> bytes{};
    std::array<char, 64> serial{};
    EXPECT_NE(transport.WriteCommand(7, StatusCommand.data()), 0);
    EXPECT_NE(transport.ReadReply(32, bytes.data()), 0);
    EXPECT_NE(transport.WriteData(32, bytes.data()), 0);
    EXPECT_NE(transport.ReadSerialNumber(0, serial.data(), 64), 0);
    EXPECT_EQ(transport.CloseDevice(), 0);
    EXPECT_EQ(hid.closes, 1);
}

TEST_F(HidapiTransportTest, HoldsOneDeviceAndClosesItOnce)
{
    Open();
    Open();  // opening again closes the first handle
    EXPECT_EQ(hid.opens, 2);
    EXPECT_EQ(hid.closes, 1);
    EXPECT_EQ(transport.CloseDevice(), 0);
    EXPECT_EQ(transport.CloseDevice(), 0);
    EXPECT_EQ(hid.closes, 2);
    EXPECT_FALSE(transport.IsOpen());
}

TEST_F(HidapiTransportTest, AStreamingDeviceDoesNotHoldACommandBackForEver)
{
    Open();
    for (int i = 0; i < 5000; ++i)
        hid.input.push_back(Numbered(32, 0));
    EXPECT_EQ(transport.WriteCommand(7, StatusCommand.data()), 0);
    EXPECT_EQ(hid.writes.size(), 1u);
}

}  // namespace
