#include "logger/DataSetCsv.h"

#include "GoldenMemory.h"
#include "ScopedTimeZone.h"

#include <QBuffer>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

QStringList CsvLines(const DataSetTable& table, bool (*write)(QIODevice&, const DataSetTable&))
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(write(buffer, table));
    const QString text = QString::fromLatin1(buffer.data());
    EXPECT_TRUE(text.endsWith(u'\n'));
    EXPECT_FALSE(text.contains(u'\r'));
    return text.chopped(1).split(u'\n');
}

// Each line compared field by field, so a failure names the field.
void ExpectCsv(const QStringList& lines, const QStringList& expected)
{
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u',');
        const QStringList wanted = expected[i].split(u',');
        ASSERT_EQ(fields.size(), wanted.size()) << "line " << i;
        for (qsizetype f = 0; f < fields.size(); ++f)
            EXPECT_EQ(fields[f], wanted[f]) << "line " << i << " field " << f;
    }
}

const QStringList BackToBackSamples{
    "set,time,level_db,interval_s,weighting,response,range",
    "1,2021-03-01 07:00:00,70.0,1,dBA,FAST,50-110",
    "1,2021-03-01 07:00:01,72.0,1,dBA,FAST,50-110",
    "1,2021-03-01 07:00:02,71.0,1,dBA,FAST,50-110",
    "2,2021-03-01 07:10:00,50.0,2,dBC,SLOW,30-130",
    "2,2021-03-01 07:10:02,49.0,2,dBC,SLOW,30-130",
    "2,2021-03-01 07:10:04,52.0,2,dBC,SLOW,30-130",
    "2,2021-03-01 07:10:06,49.0,2,dBC,SLOW,30-130",
    "3,2021-03-02 23:59:58,100.0,5,dBC,FAST,70-130",
    "3,2021-03-03 00:00:03,100.6,5,dBC,FAST,70-130",
    "4,2021-03-03 10:00:00,30.0,60,dBA,SLOW,30-90",
    "4,2021-03-03 10:01:00,0.0,60,dBA,SLOW,30-90",
};

const QStringList BackToBackSetTable{
    "set,start,interval_s,samples,weighting,response,range,max_db,max_time,min_db,min_time,mean_db",
    "1,2021-03-01 07:00:00,1,3,dBA,FAST,50-110,72.0,2021-03-01 07:00:01,70.0,2021-03-01 07:00:00,71.0",
    "2,2021-03-01 07:10:00,2,4,dBC,SLOW,30-130,52.0,2021-03-01 07:10:04,49.0,2021-03-01 07:10:02,50.0",
    "3,2021-03-02 23:59:58,5,2,dBC,FAST,70-130,100.6,2021-03-03 00:00:03,100.0,2021-03-02 23:59:58,100.3",
    "4,2021-03-03 10:00:00,60,2,dBA,SLOW,30-90,30.0,2021-03-03 10:00:00,0.0,2021-03-03 10:01:00,15.0",
};

class DataSetCsvTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_F(DataSetCsvTest, SamplesAndSetTableOfAGoldenImageInEveryLocale)
{
    const DecodedMemory decoded = DecodeGolden("memory_back_to_back.hex");
    ASSERT_TRUE(decoded.table);
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        ExpectCsv(CsvLines(*decoded.table, WriteSamplesCsv), BackToBackSamples);
        ExpectCsv(CsvLines(*decoded.table, WriteSetTableCsv), BackToBackSetTable);
    }
}

TEST_F(DataSetCsvTest, ASetWithoutSamplesHasNoExtremesAndTimesAreRounded)
{
    // The damaged image's second set has no samples; its start is the clock's, whose 700 ms
    // round up to the next second.
    const double now = Day(2023, 7, 15, 14, 30, 45, 700);
    const DecodedMemory decoded = DecodeGolden("memory_huge_count.hex", now);
    ASSERT_TRUE(decoded.table);
    const QStringList lines = CsvLines(*decoded.table, WriteSetTableCsv);
    ASSERT_EQ(lines.size(), 3);
    ExpectCsv({lines[2]}, {"2,2023-07-15 14:30:46,0,0,dBC,SLOW,30-90,,,,,0.0"});
    // The first set keeps its damaged count, bounded by what a logger memory holds from 256.
    EXPECT_EQ(CsvLines(*decoded.table, WriteSamplesCsv).size(), 1 + (131072 - 256 - 18) / 2);
}

// The meter's times are wall-clock times: a set across a zone's clock change runs on through
// the skipped hour and the repeated one, in a zone that has both.
TEST_F(DataSetCsvTest, SetsAcrossClockChangesKeepTheMetersTimes)
{
    const ScopedTimeZone berlin("Europe/Berlin");
    const DecodedMemory decoded = DecodeGolden("memory_clock_changes.hex");
    ASSERT_TRUE(decoded.table);
    ExpectCsv(CsvLines(*decoded.table, WriteSamplesCsv),
              {"set,time,level_db,interval_s,weighting,response,range",
               "1,2024-03-31 01:59:00,70.0,30,dBA,FAST,50-110",
               "1,2024-03-31 01:59:30,71.2,30,dBA,FAST,50-110",
               "1,2024-03-31 02:00:00,72.5,30,dBA,FAST,50-110",
               "1,2024-03-31 02:00:30,69.1,30,dBA,FAST,50-110",
               "2,2024-10-27 02:59:30,50.0,30,dBC,SLOW,30-130",
               "2,2024-10-27 03:00:00,51.0,30,dBC,SLOW,30-130"});
    ExpectCsv(CsvLines(*decoded.table, WriteSetTableCsv),
              {"set,start,interval_s,samples,weighting,response,range,max_db,max_time,min_db,min_time,mean_db",
               "1,2024-03-31 01:59:00,30,4,dBA,FAST,50-110,72.5,2024-03-31 02:00:00,69.1,2024-03-31 02:00:30,70.7",
               "2,2024-10-27 02:59:30,30,2,dBC,SLOW,30-130,51.0,2024-10-27 03:00:00,50.0,2024-10-27 02:59:30,50.5"});
}

TEST_F(DataSetCsvTest, AFailedWriteIsReported)
{
    const DecodedMemory decoded = DecodeGolden("memory_back_to_back.hex");
    ASSERT_TRUE(decoded.table);
    QBuffer closed;
    EXPECT_FALSE(WriteSamplesCsv(closed, *decoded.table));
    EXPECT_FALSE(WriteSetTableCsv(closed, *decoded.table));
}

}  // namespace
