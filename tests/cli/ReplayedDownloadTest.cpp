// Traffic logs written with --usb-log, replayed through the download as a field report's log
// would be: the simulated meter's log of a download of a small memory (an A-weighted set of
// five samples and a C-weighted one of three), and of the same download cut short by a read
// that failed.
#include "cli/Console.h"
#include "cli/DownloadCommand.h"
#include "cli/ExitStatus.h"
#include "FakeClock.h"
#include "logger/DecodeMemoryImage.h"
#include "ReplayTransport.h"
#include "shell/Formats.h"
#include "TestEnvironment.h"
#include "TestLink.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <gtest/gtest-spi.h>

namespace {

class ReplayedDownloadTest : public ::testing::Test {
protected:
    TestEnvironment env;
    ScopedFakeClock clock;
    QTemporaryDir dir;
    QString messages;
    Console console{&messages, false};

    ReplayedDownloadTest() { clock.clock.now = DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7))); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

double At(int month, int day, int h, int m, int s)
{
    return DaysFromDateTime(QDateTime(QDate(2026, month, day), QTime(h, m, s)));
}

}  // namespace

TEST_F(ReplayedDownloadTest, AFullDownloadGivesTheCollectionOfWhatTheMeterSent)
{
    ReplayTransport replay = ReplayTransport::FromTestData("download_full.usblog");
    {
        TestLink link(replay);
        ASSERT_EQ(RunDownload({Path("a.REC"), {}}, *link, console), ExitStatus::Ok) << messages.toStdString();
    }
    EXPECT_TRUE(replay.AllReplayed()) << "stopped after " << replay.Replayed() << " operations";

    QFile file(Path("a.REC"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 32);
    // The header page as the log's first download reply holds it: 4 at 0, the memory's end at
    // 11-13, 5 at 31.
    EXPECT_EQ(bytes.left(32).toHex(' ').toUpper(),
              QByteArray("04 00 00 00 00 00 00 00 00 00 02 00 01 33 00 02 00 00 FD 01 A4 00 00 00 00 00 00 00 00 00 00 05"));
    const int memoryEnd = (static_cast<std::uint8_t>(bytes[11]) << 16) | (static_cast<std::uint8_t>(bytes[12]) << 8)
        | static_cast<std::uint8_t>(bytes[13]);
    EXPECT_EQ(bytes.size(), memoryEnd + 257);

    const std::span<const std::uint8_t> image(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                              static_cast<std::size_t>(bytes.size()));
    const DecodedMemory decoded = DecodeMemoryImage(image, memoryEnd, clock.clock.now);
    ASSERT_TRUE(decoded.table.has_value());
    const DataSetTable& table = *decoded.table;
    ASSERT_EQ(table.sets.size(), 2u);
    EXPECT_DOUBLE_EQ(table.sets[0].startTime, At(3, 2, 9, 15, 0));
    EXPECT_EQ(table.sets[0].interval, 1);
    EXPECT_DOUBLE_EQ(table.sets[1].startTime, At(3, 3, 14, 30, 20));
    EXPECT_EQ(table.sets[1].interval, 2);
    EXPECT_EQ(table.levels, (std::vector<float>{70.0f, 71.2f, 69.5f, 72.0f, 70.8f, 50.0f, 52.5f, 49.0f}));
}

TEST_F(ReplayedDownloadTest, AFailedDownloadGivesItsCodeAndNoCollection)
{
    ReplayTransport replay = ReplayTransport::FromTestData("download_failed.usblog");
    {
        TestLink link(replay);
        EXPECT_EQ(RunDownload({Path("a.REC"), {}}, *link, console), ExitStatus::Transfer);
    }
    EXPECT_TRUE(replay.AllReplayed()) << "the meter is resynchronised as the log shows";
    EXPECT_TRUE(messages.contains(QStringLiteral("error code=126"))) << messages.toStdString();
    EXPECT_FALSE(QFile::exists(Path("a.REC")));
}

// The replay holds the program to the log: another frame, another operation or one past the
// log's end fails the test.
TEST(ReplayTransport, ADifferentWriteOrOperationFailsTheTest)
{
    static std::optional<ReplayTransport> replay;
    QString error;
    const auto load = [&error] {
        replay = ReplayTransport::FromText("2026-03-09 14:05:07.250 QX574 USB traffic log\n"
                                           "# a note\n"
                                           "2026-03-09 14:05:07.251 WriteCommand 7 -> 0 : 02 41 00 00 00 01 03\n"
                                           "2026-03-09 14:05:07.252 ReadReply 32 -> 1\n",
                                           &error);
        ASSERT_TRUE(replay.has_value()) << error.toStdString();
    };
    static const std::uint8_t logged[7] = {0x02, 0x41, 0x00, 0x00, 0x00, 0x01, 0x03};
    static const std::uint8_t other[7] = {0x02, 0x41, 0x00, 0x00, 0x00, 0x02, 0x03};
    static std::uint8_t reply[32] = {};

    load();
    EXPECT_EQ(replay->WriteCommand(7, logged), 0);
    EXPECT_EQ(replay->ReadReply(32, reply), 1) << "a failed read as logged";
    EXPECT_TRUE(replay->AllReplayed());
    EXPECT_NONFATAL_FAILURE(replay->PrepareRead(), "the log ends");

    load();
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(replay->WriteCommand(7, other), -1), "line 3 logs 02 41 00 00 00 01 03");
    load();
    EXPECT_NONFATAL_FAILURE(replay->CloseDevice(), "line 3 logs WriteCommand 7");

    EXPECT_FALSE(ReplayTransport::FromText("2026-03-09 14:05:07.251 WriteCommand 7 -> 0 : 02 4G\n", &error));
    EXPECT_EQ(error.toStdString(), "line 1 is no traffic log line: 2026-03-09 14:05:07.251 WriteCommand 7 -> 0 : 02 4G");
    replay.reset();
}
