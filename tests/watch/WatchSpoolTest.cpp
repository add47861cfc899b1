#include "FullDisk.h"
#include "HexImage.h"
#include "TestFiles.h"
#include "watch/WatchSpool.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// About 200 bytes, as a reading's message is.
QByteArray Payload(std::uint64_t seq)
{
    return "{\"record\":\"reading\",\"seq\":" + QByteArray::number(seq) + ",\"note\":\"" + QByteArray(160, 'x') + "\"}";
}

class WatchSpoolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("meter.spool"));
    QString error;

    void Append(WatchSpool& spool, std::uint64_t from, std::uint64_t to, std::int64_t* dropped = nullptr)
    {
        for (std::uint64_t seq = from; seq <= to; ++seq) {
            const std::optional<qint64> d = spool.Append(seq, "reading", Payload(seq), &error);
            ASSERT_TRUE(d) << error.toStdString();
            if (dropped)
                *dropped += *d;
        }
    }
    std::vector<std::uint64_t> HandOutAll(WatchSpool& spool)
    {
        std::vector<std::uint64_t> seqs;
        while (const std::optional<WatchSpool::Entry> entry = spool.Next())
            seqs.push_back(entry->seq);
        return seqs;
    }
};

}  // namespace

// tests/data/watch_spool_cut.spool: records 1 to 4, with 1 and then 2 done, a line that is
// no entry, and a record cut short by a crash at the end.
TEST_F(WatchSpoolTest, AFileLeftByAKilledRunGivesWhatWasNotDone)
{
    WriteTestFile(path, Read(TestDataPath("watch_spool_cut.spool")));
    WatchSpool spool;
    ASSERT_TRUE(spool.Open(path, 1000000, &error)) << error.toStdString();
    EXPECT_EQ(spool.DamagedLines(), 1);
    EXPECT_EQ(spool.Pending(), 2);
    EXPECT_EQ(spool.NextSeq(), 5u) << "the cut record was never sent, so its number is free";
    std::optional<WatchSpool::Entry> entry = spool.Next();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->seq, 3u);
    EXPECT_EQ(entry->topic, "leq");
    EXPECT_EQ(entry->payload, "{\"record\":\"leq\",\"seq\":3,\"note\":\"a b\"}");
    entry = spool.Next();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->seq, 4u);
    EXPECT_EQ(entry->topic, "event");
    EXPECT_FALSE(spool.Next());
    // The next record follows the last whole line.
    ASSERT_TRUE(spool.Append(5, "reading", "{}", &error));
    EXPECT_TRUE(Read(path).endsWith("A 2\nR 5 reading {}\n")) << Read(path).toStdString();
}

TEST_F(WatchSpoolTest, RecordsAreHandedOutInOrderAndAgainUntilDone)
{
    {
        WatchSpool spool;
        ASSERT_TRUE(spool.Open(path, 1000000, &error)) << error.toStdString();
        EXPECT_EQ(spool.NextSeq(), 1u);
        Append(spool, 1, 5);
        EXPECT_EQ(HandOutAll(spool), (std::vector<std::uint64_t>{1, 2, 3, 4, 5}));
        spool.Done(2);
        EXPECT_EQ(spool.Pending(), 3);
        // The connection is lost: what was not acknowledged goes again, in order.
        spool.Rewind();
        EXPECT_EQ(HandOutAll(spool), (std::vector<std::uint64_t>{3, 4, 5}));
        spool.Done(3);
    }
    EXPECT_EQ(Read(path),
              "qx574-spool 1\n"
              "R 1 reading " + Payload(1) + "\nR 2 reading " + Payload(2) + "\nR 3 reading " + Payload(3) +
              "\nR 4 reading " + Payload(4) + "\nR 5 reading " + Payload(5) + "\nA 2\nA 3\n");
    // The next run sends what is left and counts on from the highest number.
    WatchSpool again;
    ASSERT_TRUE(again.Open(path, 1000000, &error));
    EXPECT_EQ(again.NextSeq(), 6u);
    EXPECT_EQ(HandOutAll(again), (std::vector<std::uint64_t>{4, 5}));
    again.Done(5);
    EXPECT_EQ(again.Pending(), 0);
}

TEST_F(WatchSpoolTest, DoneRecordsAreRemovedAndTheCounterKept)
{
    WatchSpool spool;
    ASSERT_TRUE(spool.Open(path, 64000, &error));
    for (std::uint64_t seq = 1; seq <= 500; ++seq) {
        Append(spool, seq, seq);
        ASSERT_EQ(HandOutAll(spool), std::vector<std::uint64_t>{seq});
        spool.Done(seq);
    }
    EXPECT_LT(QFile(path).size(), 64000 / 2) << "rewritten without the done records";
    spool.Close();
    EXPECT_FALSE(QFile::exists(path + ".new"));
    WatchSpool again;
    ASSERT_TRUE(again.Open(path, 64000, &error));
    EXPECT_EQ(again.NextSeq(), 501u);
    EXPECT_EQ(again.Pending(), 0);
}

TEST_F(WatchSpoolTest, AFullSpoolDropsTheOldestAndStaysWithinItsBound)
{
    WatchSpool spool;
    ASSERT_TRUE(spool.Open(path, 64000, &error));
    std::int64_t dropped = 0;
    Append(spool, 1, 500, &dropped);  // about 200 bytes each: 100 kB
    EXPECT_LE(QFile(path).size(), 64000);
    EXPECT_GT(dropped, 0);
    EXPECT_EQ(dropped + spool.Pending(), 500);
    const std::vector<std::uint64_t> kept = HandOutAll(spool);
    ASSERT_EQ(static_cast<qint64>(kept.size()), spool.Pending());
    EXPECT_EQ(kept.front(), static_cast<std::uint64_t>(dropped + 1)) << "the oldest went first";
    EXPECT_EQ(kept.back(), 500u);
    spool.Close();
    WatchSpool again;
    ASSERT_TRUE(again.Open(path, 64000, &error));
    EXPECT_EQ(again.NextSeq(), 501u);
    EXPECT_EQ(again.Pending(), static_cast<qint64>(kept.size()));
}

TEST_F(WatchSpoolTest, AnotherFileOrAnotherRunsSpoolIsLeftAlone)
{
    WriteTestFile(path, "time,record\n2026-03-09,reading\n");
    WatchSpool spool;
    EXPECT_FALSE(spool.Open(path, 64000, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(Read(path), "time,record\n2026-03-09,reading\n");

    const QString shared = dir.filePath(QStringLiteral("shared.spool"));
    WatchSpool first;
    ASSERT_TRUE(first.Open(shared, 64000, &error));
    WatchSpool second;
    EXPECT_FALSE(second.Open(shared, 64000, &error));
    EXPECT_TRUE(error.contains("in use")) << error.toStdString();
    first.Close();
    EXPECT_TRUE(second.Open(shared, 64000, &error)) << error.toStdString();
}

// A note of records done that the disk cuts short is taken back: the next record is whole on
// its line, and no record done is sent again after a restart.
TEST_F(WatchSpoolTest, ANoteCutShortByAFullDiskIsTakenBack)
{
    {
        WatchSpool spool;
        ASSERT_TRUE(spool.Open(path, 1000000, &error)) << error.toStdString();
        Append(spool, 1, 40);
        while (spool.Next()) {
        }
        {
            // Room for "A " and no more.
            FullDisk disk(static_cast<rlim_t>(QFileInfo(path).size() + 2));
            spool.Done(40);
        }
        EXPECT_FALSE(Read(path).endsWith("A ")) << "no fragment left";
        Append(spool, 41, 41);
    }
    WatchSpool again;
    ASSERT_TRUE(again.Open(path, 1000000, &error)) << error.toStdString();
    EXPECT_EQ(again.DamagedLines(), 0);
    EXPECT_EQ(HandOutAll(again), (std::vector<std::uint64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17,
                                                                18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,
                                                                32, 33, 34, 35, 36, 37, 38, 39, 40, 41}))
        << "the note was lost, so the 40 are sent again, and 41 is whole";
}

// A note of records done beyond the last record, or a number no meter reaches, is damage,
// counted and passed over; taken, it would wrap the next number and silence the feed.
TEST_F(WatchSpoolTest, ANoteBeyondTheLastRecordIsDamage)
{
    for (const QByteArray& note : {QByteArray("A 18446744073709551615\n"), QByteArray("A 99\n"),
                                   QByteArray("R 18446744073709551614 reading {}\n")}) {
        SCOPED_TRACE(note.toStdString());
        WriteTestFile(path, "qx574-spool 1\nR 1 reading {}\nR 2 reading {}\n" + note);
        WatchSpool spool;
        ASSERT_TRUE(spool.Open(path, 1000000, &error)) << error.toStdString();
        EXPECT_EQ(spool.DamagedLines(), 1);
        EXPECT_EQ(spool.NextSeq(), 3u);
        EXPECT_EQ(spool.Pending(), 2);
    }
    // The note a compacted spool starts with keeps the count without a record after it.
    WriteTestFile(path, "qx574-spool 1\nA 120\n");
    WatchSpool compacted;
    ASSERT_TRUE(compacted.Open(path, 1000000, &error)) << error.toStdString();
    EXPECT_EQ(compacted.DamagedLines(), 0);
    EXPECT_EQ(compacted.NextSeq(), 121u);
}

TEST(ByteSize, SizesWithTheirUnits)
{
    const struct {
        const char* text;
        qint64 bytes;
    } sizes[] = {{"100MB", 100000000}, {"64kB", 64000}, {"2GiB", 2147483648}, {"5000000", 5000000},
                 {"1.5M", 1500000}, {"0", -1}, {"MB", -1}, {"10 TB", -1}, {"-5MB", -1}, {"3iB", -1}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.text);
        EXPECT_EQ(ParseByteSize(QString::fromLatin1(size.text)).value_or(-1), size.bytes);
    }
}
