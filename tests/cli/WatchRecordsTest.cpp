#include "cli/WatchRecords.h"
#include "leq/EnergyAverage.h"
#include "link/MeterStatus.h"
#include "shell/Formats.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

// 2026-03-09 14:05:07.250 on the computer's clock.
double Time() { return DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7, 250))); }

MeterStatus Status()
{
    MeterStatus s;
    s.aWeighting = true;
    s.fast = true;
    s.rangeCode = Range::Auto;
    s.level = 634;
    s.maxLevel = 1012;
    s.minLevel = 301;
    s.year = 0x26;
    s.month = 0x03;
    s.day = 0x09;
    s.hours = 0x14;
    s.minutes = 0x05;
    s.seconds = 0x06;
    return s;
}

// The comma-decimal locale of many users; files for other programs keep '.'.
class GermanLocale {
public:
    GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanLocale() { QLocale::setDefault(previous); }

private:
    QLocale previous;
};

}  // namespace

TEST(WatchRecords, OneCsvHeaderForEveryKindOfRecord)
{
    EXPECT_EQ(WatchHeader(WatchFormat::Csv),
              "time,record,level_db,weighting,response,range,over_under,meter_clock,leq_db,lmax_db,"
              "lmin_db,readings,note\n");
    EXPECT_TRUE(WatchHeader(WatchFormat::Jsonl).isEmpty());
}

TEST(WatchRecords, AReadingIsWhatTheMeterDisplays)
{
    const GermanLocale locale;
    MeterStatus maxShown = Status();
    maxShown.aWeighting = false;
    maxShown.fast = false;
    maxShown.rangeCode = Range::Mid;
    maxShown.over = true;
    maxShown.maxMinOn = true;
    maxShown.maxMinSelection = MaxMinSelect::Max;
    MeterStatus minShown = maxShown;
    minShown.maxMinSelection = MaxMinSelect::Min;
    minShown.over = false;
    minShown.under = true;
    MeterStatus hiddenClock = Status();
    hiddenClock.seconds = ClockHidden;
    hiddenClock.rangeCode = 0x33;  // no range the meter has
    hiddenClock.level = 0;
    struct Case {
        const char* name;
        MeterStatus status;
        const char* line;
    } cases[] = {
        {"plain", Status(), "2026-03-09 14:05:07.250,reading,63.4,dBA,FAST,30-130,,2026-03-09 14:05:06,,,,,\n"},
        {"MAX shown", maxShown, "2026-03-09 14:05:07.250,reading,101.2,dBC,SLOW,50-110,OVER,2026-03-09 14:05:06,,,,,\n"},
        {"MIN shown", minShown, "2026-03-09 14:05:07.250,reading,30.1,dBC,SLOW,50-110,UNDER,2026-03-09 14:05:06,,,,,\n"},
        {"hidden clock", hiddenClock, "2026-03-09 14:05:07.250,reading,0.0,dBA,FAST,,,,,,,,\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadingRecord(WatchFormat::Csv, Time(), c.status), c.line);
    }
}

TEST(WatchRecords, LeqAndEventRecords)
{
    const GermanLocale locale;
    EnergyAverage interval;
    for (const double level : {70.04, 60.06, 65.0})
        interval.Add(level);
    EXPECT_EQ(LeqRecord(WatchFormat::Csv, Time(), interval),
              "2026-03-09 14:05:07.250,leq,,,,,,,66.8,70.0,60.1,3,\n");
    EXPECT_EQ(LeqRecord(WatchFormat::Csv, Time(), EnergyAverage()),
              "2026-03-09 14:05:07.250,leq,,,,,,,,,,0,\n");
    EXPECT_EQ(EventRecord(WatchFormat::Csv, Time(), WatchEvent::Lost, QStringLiteral("no answer, \"5\" polls")),
              "2026-03-09 14:05:07.250,lost,,,,,,,,,,,\"no answer, \"\"5\"\" polls\"\n");
    EXPECT_EQ(EventRecord(WatchFormat::Csv, Time(), WatchEvent::Resumed, QStringLiteral("back")),
              "2026-03-09 14:05:07.250,resumed,,,,,,,,,,,back\n");
}

TEST(WatchRecords, JsonLinesCarryTheSameFields)
{
    const auto object = [](const QByteArray& line) {
        EXPECT_TRUE(line.endsWith('\n'));
        EXPECT_EQ(line.count('\n'), 1);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        return document.object();
    };
    const QJsonObject reading = object(ReadingRecord(WatchFormat::Jsonl, Time(), Status()));
    EXPECT_EQ(reading.value("time").toString(), "2026-03-09 14:05:07.250");
    EXPECT_EQ(reading.value("record").toString(), "reading");
    EXPECT_DOUBLE_EQ(reading.value("level_db").toDouble(), 63.4);
    EXPECT_EQ(reading.value("weighting").toString(), "dBA");
    EXPECT_EQ(reading.value("response").toString(), "FAST");
    EXPECT_EQ(reading.value("range").toString(), "30-130");
    EXPECT_EQ(reading.value("over_under").toString(), "");
    EXPECT_EQ(reading.value("meter_clock").toString(), "2026-03-09 14:05:06");

    EnergyAverage interval;
    interval.Add(60.0);
    interval.Add(70.0);
    const QJsonObject leq = object(LeqRecord(WatchFormat::Jsonl, Time(), interval));
    EXPECT_EQ(leq.value("record").toString(), "leq");
    EXPECT_DOUBLE_EQ(leq.value("leq_db").toDouble(), 67.4);
    EXPECT_DOUBLE_EQ(leq.value("lmax_db").toDouble(), 70.0);
    EXPECT_DOUBLE_EQ(leq.value("lmin_db").toDouble(), 60.0);
    EXPECT_EQ(leq.value("readings").toInt(), 2);

    const QJsonObject lost = object(EventRecord(WatchFormat::Jsonl, Time(), WatchEvent::Lost, "a \"quoted\"\nnote"));
    EXPECT_EQ(lost.value("record").toString(), "lost");
    EXPECT_EQ(lost.value("note").toString(), "a \"quoted\"\nnote");
}

TEST(WatchRecords, TheMetersClockIsShownOnlyWhenEveryByteIsBcd)
{
    MeterStatus status = Status();
    EXPECT_EQ(MeterClockText(status), "2026-03-09 14:05:06");
    status.year = 0x99;
    status.month = 0x12;
    status.day = 0x31;
    status.hours = 0x23;
    status.minutes = 0x59;
    status.seconds = 0x59;
    EXPECT_EQ(MeterClockText(status), "2099-12-31 23:59:59");
    for (std::uint8_t MeterStatus::*byte : {&MeterStatus::year, &MeterStatus::month, &MeterStatus::day,
                                            &MeterStatus::hours, &MeterStatus::minutes, &MeterStatus::seconds}) {
        MeterStatus hidden = Status();
        hidden.*byte = ClockHidden;
        EXPECT_EQ(MeterClockText(hidden), "");
    }
}
