#include "recording/ReadWatchLog.h"
#include "leq/EnergyAverage.h"
#include "link/MeterStatus.h"
#include "shell/Formats.h"
#include "watch/RecordEncoders.h"

#include <QBuffer>
#include <QDir>

#include <cmath>

#include <gtest/gtest.h>

namespace {

std::optional<WatchLog> Read(const QByteArray& text, QString* error)
{
    QByteArray bytes = text;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadWatchLog(buffer, QStringLiteral("/logs/night.csv"), error);
}

double At(const char* text) { return ReadIsoDateTime(QString::fromLatin1(text), nullptr); }

}  // namespace

// A log as qx574 watch writes it, by hand: readings at their own times (to the millisecond),
// an interval's Leq, the meter lost and found again; a note with a comma is quoted.
TEST(ReadWatchLog, TakesTheReadingsOfACsvLogEachAtItsOwnTime)
{
    const QByteArray log =
        "time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,lmin_db,readings,note\r\n"
        "2024-05-06 22:59:59.500,reading,41.3,dBA,FAST,30-130,,2024-05-06 22:59:59,,,,,\r\n"
        "2024-05-06 23:00:00.500,reading,52.0,dBA,FAST,30-130,OVER,,,,,,\r\n"
        "2024-05-06 23:00:01.000,leq,,,,,,,48.9,52.0,41.3,2,\r\n"
        "2024-05-06 23:00:01.000,lost,,,,,,,,,,,\"no answer, five polls\"\r\n"
        "2024-05-06 23:00:09.500,resumed,,,,,,,,,,,gap of 8.5 s\r\n"
        "2024-05-06 23:00:09.500,reading,,dBA,FAST,30-130,,,,,,,\r\n"  // a reading without a level
        "2024-05-06 23:00:10.500,reading,44.0,dBA,FAST,30-130,,,,,,,\r\n";
    QString error;
    const std::optional<WatchLog> read = Read(log, &error);
    ASSERT_TRUE(read) << error.toStdString();
    ASSERT_EQ(read->times.size(), 4u);
    EXPECT_DOUBLE_EQ(read->times[0], At("2024-05-06 22:59:59") + 0.5 * OneSecond);
    EXPECT_DOUBLE_EQ(read->times[3], At("2024-05-06 23:00:10") + 0.5 * OneSecond);
    EXPECT_FLOAT_EQ(read->levels[1], 52.0f);
    EXPECT_TRUE(std::isnan(read->levels[2]));
    // Steps of 1, 9 and 1 s: the median is 1 s, whatever the gap.
    EXPECT_DOUBLE_EQ(read->intervalSeconds, 1.0);
    EXPECT_EQ(read->weighting, Weighting::A);
    EXPECT_EQ(read->response, Response::Fast);
    EXPECT_EQ(read->skippedLines, 0);
}

TEST(ReadWatchLog, TakesJsonLinesAndTellsMixedSettings)
{
    const QByteArray log =
        "{\"level_db\":60.5,\"record\":\"reading\",\"response\":\"SLOW\",\"time\":\"2024-05-06 23:00:00.000\",\"weighting\":\"dBA\"}\n"
        "{\"leq_db\":60.5,\"readings\":1,\"record\":\"leq\",\"time\":\"2024-05-06 23:00:02.000\"}\n"
        "{\"level_db\":61.5,\"record\":\"reading\",\"response\":\"SLOW\",\"time\":\"2024-05-06 23:00:02.000\",\"weighting\":\"dBC\"}\n"
        "{\"level_db\":62.5,\"record\":\"reading\",\"response\":\"SLOW\",\"time\":\"2024-05-06 23:00:04.000\",\"weighting\":\"dBC\"}\n";
    QString error;
    const std::optional<WatchLog> read = Read(log, &error);
    ASSERT_TRUE(read) << error.toStdString();
    ASSERT_EQ(read->levels.size(), 3u);
    EXPECT_FLOAT_EQ(read->levels[2], 62.5f);
    EXPECT_DOUBLE_EQ(read->intervalSeconds, 2.0);
    EXPECT_EQ(read->weighting, Weighting::Mixed);
    EXPECT_EQ(read->response, Response::Slow);
}

// Lines of the plain shape are scanned, others go through the full JSON parser; both give the
// same readings.
TEST(ReadWatchLog, JsonLinesOfAnyShapeGiveTheSameReadings)
{
    const QByteArray log =
        R"({"record":"reading","time":"2024-05-06 23:00:00.000","level_db":60.5,"weighting":"dBA","response":"FAST"})" "\n"
        R"( { "time" : "2024-05-06 23:00:01.000" , "record" : "reading" , "level_db" : 6.15e1 } )" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:02.000","level_db":62.5,"note":"a \"quoted\" word"})" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:03.000","level_db":63.5,"extra":{"nested":[1,2]}})" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:04.000","level_db":null})" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:05.000","level_db":"65.5"})" "\n"
        R"({"record":7,"time":"2024-05-06 23:00:06.000","level_db":66.5})" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:07.000","level_db":67.5)" "\n"
        R"({"record":"reading","time":"2024-05-06 23:00:08.000","level_db":68.5} trailing)" "\n"
        R"({"time":"2024-05-06 23:00:09.000","level_db":69.5})" "\n";
    QString error;
    const std::optional<WatchLog> read = Read(log, &error);
    ASSERT_TRUE(read) << error.toStdString();
    ASSERT_EQ(read->levels.size(), 6u);  // a record that is no text is no reading
    const float expected[] = {60.5f, 61.5f, 62.5f, 63.5f, NAN, NAN};  // a level must be a number
    for (int i = 0; i < 6; ++i) {
        if (std::isnan(expected[i]))
            EXPECT_TRUE(std::isnan(read->levels[i])) << i;
        else
            EXPECT_FLOAT_EQ(read->levels[i], expected[i]) << i;
        EXPECT_DOUBLE_EQ(read->times[i], At("2024-05-06 23:00:00") + i * OneSecond) << i;
    }
    EXPECT_EQ(read->skippedLines, 3) << "a cut object, text after it, no record";
    EXPECT_EQ(read->firstSkippedLine, 8);
}

// What the watch command writes, read back: the reader follows the writer.
TEST(ReadWatchLog, ReadsWhatTheWatchCommandWrites)
{
    MeterStatus status;
    status.aWeighting = false;
    status.fast = true;
    status.level = 634;
    EnergyAverage none;
    for (const WatchFormat format : {WatchFormat::Csv, WatchFormat::Jsonl}) {
        const double start = At("2024-05-06 23:00:00");
        const RecordStyle style{format, {}};
        std::uint64_t seq = 0;
        const auto stamp = [&seq](double time) { return RecordStamp{time, ++seq, QStringLiteral("QX574-0012345")}; };
        const QByteArray log = WatchHeader(format) + EncodeRecord(style, ReadingRecord(stamp(start), status))
            + EncodeRecord(style, EventRecord(stamp(start + 0.2 * OneSecond), WatchEvent::Lost,
                                              QStringLiteral("unplugged, \"really\"")))
            + EncodeRecord(style, LeqRecord(stamp(start + 0.5 * OneSecond), none, 0.5))
            + EncodeRecord(style, ReadingRecord(stamp(start + 0.5 * OneSecond), status));
        QString error;
        const std::optional<WatchLog> read = Read(log, &error);
        ASSERT_TRUE(read) << error.toStdString();
        ASSERT_EQ(read->levels.size(), 2u);
        EXPECT_FLOAT_EQ(read->levels[0], 63.4f);
        EXPECT_DOUBLE_EQ(read->intervalSeconds, 0.5);
        EXPECT_EQ(read->weighting, Weighting::C);
        EXPECT_EQ(read->skippedLines, 0) << static_cast<int>(format);
    }
}

TEST(ReadWatchLog, SkipsLinesItCannotReadAndRefusesWhatIsNoLog)
{
    const QByteArray damaged =
        "time,record,level_db\n"
        "2024-05-06 23:00:00.000,reading,50.0\n"
        "2024-05-06 25:00:00.000,reading,50.0\n"       // no such hour
        "2024-05-06 23:00:02.000,reading\n"            // too few fields
        + QByteArray(100000, 'x') + "\n"               // far too long
        "2024-05-06 23:00:03.000,reading,1e999\n"      // a number no level can be
        "2024-05-06 23:00:0";                          // cut by a crash
    QString error;
    const std::optional<WatchLog> read = Read(damaged, &error);
    ASSERT_TRUE(read) << error.toStdString();
    EXPECT_EQ(read->times.size(), 2u);
    EXPECT_TRUE(std::isnan(read->levels[1]));
    EXPECT_EQ(read->skippedLines, 4);
    EXPECT_EQ(read->firstSkippedLine, 3);
    EXPECT_EQ(read->weighting, Weighting::Unknown);

    for (const QByteArray& other : {QByteArray("set,time,level_db\n1,2024-05-06 23:00:00,50.0\n"),
                                    QByteArray("{\"type\": \"FeatureCollection\"}\n"), QByteArray(200000, '\0')}) {
        EXPECT_FALSE(Read(other, &error));
        EXPECT_EQ(error, "The file " + QDir::toNativeSeparators("/logs/night.csv")
                             + " is not a log of qx574 watch (its first line is neither the CSV header with time, "
                               "record and level_db nor a JSON object).");
    }
    const std::optional<WatchLog> empty = Read("", &error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->times.empty());
}
