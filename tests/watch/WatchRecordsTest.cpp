#include "leq/EnergyAverage.h"
#include "link/MeterStatus.h"
#include "ScopedTimeZone.h"
#include "shell/Formats.h"
#include "watch/RecordEncoders.h"
#include "watch/RecordTime.h"
#include "watch/WatchRecord.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// 2026-03-09 14:05:07.250 on the computer's clock.
double Time() { return DaysFromDateTime(QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7, 250))); }

RecordStamp Stamp(std::uint64_t seq = 12) { return {Time(), seq, QStringLiteral("QX574-0012345")}; }

// What every CSV line ends with after its own fields: seq, meter, energy and seconds (empty
// but for Leq records), and the time with its UTC offset.
QByteArray Tail(const char* energy = ",")
{
    return ",12,QX574-0012345," + QByteArray(energy) + "," + RecordUtcOf(Time()).iso.toUtf8() + "\n";
}

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
              "lmin_db,readings,note,seq,meter,energy_pa2s,seconds,utc\n");
    EXPECT_TRUE(WatchHeader(WatchFormat::Jsonl).isEmpty());
    EXPECT_TRUE(WatchHeader(WatchFormat::Influx).isEmpty());
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
        {"plain", Status(), "2026-03-09 14:05:07.250,reading,63.4,dBA,FAST,30-130,,2026-03-09 14:05:06,,,,,"},
        {"MAX shown", maxShown, "2026-03-09 14:05:07.250,reading,101.2,dBC,SLOW,50-110,OVER,2026-03-09 14:05:06,,,,,"},
        {"MIN shown", minShown, "2026-03-09 14:05:07.250,reading,30.1,dBC,SLOW,50-110,UNDER,2026-03-09 14:05:06,,,,,"},
        {"hidden clock", hiddenClock, "2026-03-09 14:05:07.250,reading,0.0,dBA,FAST,,,,,,,,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CsvRecordLine(ReadingRecord(Stamp(), c.status)), c.line + Tail());
    }
}

TEST(WatchRecords, LeqAndEventRecords)
{
    const GermanLocale locale;
    EnergyAverage interval;
    for (const double level : {70.04, 60.06, 65.0})
        interval.Add(level);
    // 4e-10 Pa² x (10^7.004 + 10^6.006 + 10^6.5) x 2 s = 0.01141497 Pa²s over 6 s
    EXPECT_EQ(CsvRecordLine(LeqRecord(Stamp(), interval, 2.0)),
              "2026-03-09 14:05:07.250,leq,,,,,,,66.8,70.0,60.1,3," + Tail("0.01141497,6"));
    EXPECT_EQ(CsvRecordLine(LeqRecord(Stamp(), EnergyAverage(), 1.0)), "2026-03-09 14:05:07.250,leq,,,,,,,,,,0," + Tail("0,0"));
    EXPECT_EQ(CsvRecordLine(EventRecord(Stamp(), WatchEvent::Lost, QStringLiteral("no answer, \"5\" polls"))),
              "2026-03-09 14:05:07.250,lost,,,,,,,,,,,\"no answer, \"\"5\"\" polls\"" + Tail());
    EXPECT_EQ(CsvRecordLine(EventRecord(Stamp(), WatchEvent::Resumed, QStringLiteral("back"))),
              "2026-03-09 14:05:07.250,resumed,,,,,,,,,,,back" + Tail());
    EXPECT_EQ(CsvRecordLine(EventRecord(Stamp(), WatchEvent::Dropped, QStringLiteral("3 dropped"))),
              "2026-03-09 14:05:07.250,dropped,,,,,,,,,,,3 dropped" + Tail());
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
    const QJsonObject reading = object(JsonRecordLine(ReadingRecord(Stamp(), Status())));
    EXPECT_EQ(reading.value("time").toString(), "2026-03-09 14:05:07.250");
    EXPECT_EQ(reading.value("record").toString(), "reading");
    EXPECT_DOUBLE_EQ(reading.value("level_db").toDouble(), 63.4);
    EXPECT_EQ(reading.value("weighting").toString(), "dBA");
    EXPECT_EQ(reading.value("response").toString(), "FAST");
    EXPECT_EQ(reading.value("range").toString(), "30-130");
    EXPECT_EQ(reading.value("over_under").toString(), "");
    EXPECT_EQ(reading.value("meter_clock").toString(), "2026-03-09 14:05:06");
    EXPECT_EQ(reading.value("seq").toInteger(), 12);
    EXPECT_EQ(reading.value("meter").toString(), "QX574-0012345");
    EXPECT_EQ(reading.value("utc").toString(), RecordUtcOf(Time()).iso);

    EnergyAverage interval;
    interval.Add(60.0);
    interval.Add(70.0);
    const QJsonObject leq = object(JsonRecordLine(LeqRecord(Stamp(), interval, 60.0)));
    EXPECT_EQ(leq.value("record").toString(), "leq");
    EXPECT_DOUBLE_EQ(leq.value("leq_db").toDouble(), 67.4);
    EXPECT_DOUBLE_EQ(leq.value("lmax_db").toDouble(), 70.0);
    EXPECT_DOUBLE_EQ(leq.value("lmin_db").toDouble(), 60.0);
    EXPECT_EQ(leq.value("readings").toInt(), 2);
    EXPECT_DOUBLE_EQ(leq.value("energy_pa2s").toDouble(), 0.264);  // 4e-10 x (10^6 + 10^7) x 60
    EXPECT_DOUBLE_EQ(leq.value("seconds").toDouble(), 120.0);

    const QJsonObject lost = object(JsonRecordLine(EventRecord(Stamp(), WatchEvent::Lost, "a \"quoted\"\nnote\t\\ é")));
    EXPECT_EQ(lost.value("record").toString(), "lost");
    EXPECT_EQ(lost.value("note").toString(), "a \"quoted\"\nnote\t\\ é");
}

// A record is built once and every encoder writes that one value: the CSV cells, the JSON line,
// the MQTT message and the line protocol's numbers hold the same texts.
TEST(WatchRecords, EveryFormatWritesTheSameValuesOfOneRecord)
{
    const GermanLocale locale;
    EnergyAverage interval;
    for (const double level : {70.04, 60.06})
        interval.Add(level);
    const QList<QByteArray> columns = WatchHeader(WatchFormat::Csv).trimmed().split(',');
    for (const WatchRecord& record : {ReadingRecord(Stamp(), Status()), LeqRecord(Stamp(), interval, 0.5),
                                      EventRecord(Stamp(), WatchEvent::Resumed, QStringLiteral("back after 3 s"))}) {
        const QByteArray json = JsonRecordLine(record);
        SCOPED_TRACE(json.toStdString());
        EXPECT_EQ(MqttRecordPayload(record) + '\n', json);
        const QJsonObject object = QJsonDocument::fromJson(json).object();
        const QList<QByteArray> cells = CsvRecordLine(record).trimmed().split(',');
        ASSERT_EQ(cells.size(), columns.size());
        const QByteArray influx = InfluxRecordLine(record, {});
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const QString name = QString::fromLatin1(columns[i]);
            SCOPED_TRACE(name.toStdString());
            const QJsonValue value = object.value(name);
            if (value.isString()) {
                EXPECT_EQ(cells[i], value.toString().toUtf8());
                continue;
            }
            if (value.isUndefined()) {
                EXPECT_TRUE(cells[i].isEmpty());
                continue;
            }
            ASSERT_TRUE(value.isDouble());
            EXPECT_EQ(cells[i].toDouble(), value.toDouble());
            const QRegularExpressionMatch field =
                QRegularExpression(QStringLiteral("[ ,]%1=([-0-9.e]+)i?[ ,]").arg(name)).match(QString::fromUtf8(influx));
            if (field.hasMatch()) {
                EXPECT_EQ(field.captured(1).toUtf8(), cells[i]);
            }
        }
    }
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

TEST(WatchRecords, TheLineProtocolTagsAndEscapes)
{
    const RecordTags tags{{QStringLiteral("site"), QStringLiteral("Main street, north")},
                          {QStringLiteral("a=b c"), QStringLiteral("x=y")}};
    RecordStamp stamp{Time(), 7, QStringLiteral("SN 1,2")};
    const QByteArray ns = QByteArray::number(RecordUtcOf(Time()).epochMs) + "000000\n";
    MeterStatus over = Status();
    over.over = true;
    EXPECT_EQ(InfluxRecordLine(ReadingRecord(stamp, over), tags),
              "sound_level,meter=SN\\ 1\\,2,weighting=dBA,response=FAST,range=30-130,site=Main\\ street\\,\\ north,"
              "a\\=b\\ c=x\\=y level_db=63.4,over_under=\"OVER\",seq=7i " + ns);
    EnergyAverage interval;
    interval.Add(60.0);
    EXPECT_EQ(InfluxRecordLine(LeqRecord(stamp, interval, 60.0), tags),
              "sound_leq,meter=SN\\ 1\\,2,site=Main\\ street\\,\\ north,a\\=b\\ c=x\\=y leq_db=60.0,lmax_db=60.0,"
              "lmin_db=60.0,readings=1i,energy_pa2s=0.024,seconds=60,seq=7i " + ns);
    // A string field escapes quotes and backslashes; no field may break the line.
    EXPECT_EQ(InfluxRecordLine(EventRecord({Time(), 8, QString()}, WatchEvent::Lost,
                                           QStringLiteral("say \"no\" \\ twice\nthen stop")),
                               {}),
              "sound_event,event=lost note=\"say \\\"no\\\" \\\\ twice then stop\",seq=8i " + ns);
}

TEST(WatchRecords, TheUtcTimeOfARecordNamesItsOffset)
{
    const RecordUtc utc = RecordUtcOf(Time());
    const QDateTime local(QDate(2026, 3, 9), QTime(14, 5, 7, 250));
    EXPECT_EQ(utc.epochMs, local.toMSecsSinceEpoch());
    const int offset = local.offsetFromUtc();
    const QString sign = offset < 0 ? QStringLiteral("-") : QStringLiteral("+");
    EXPECT_EQ(utc.iso, QStringLiteral("2026-03-09T14:05:07.250%1%2:%3")
                           .arg(sign)
                           .arg(std::abs(offset) / 3600, 2, 10, QChar(u'0'))
                           .arg(std::abs(offset) / 60 % 60, 2, 10, QChar(u'0')));
    EXPECT_EQ(QDateTime::fromString(utc.iso, Qt::ISODateWithMs).toMSecsSinceEpoch(), utc.epochMs);
}

// Every utc field and line-protocol time is the instant the record was made, in every zone: the
// zone's offset at the record's local time, half-hour zones and both clock changes included; in
// the hour autumn repeats, the offset the clock gave tells the two apart.
TEST(WatchRecords, TheUtcTimeIsTheInstantInEveryZone)
{
    struct Case {
        const char* zone;
        QDate date;
        QTime time;
        std::optional<std::int64_t> offset;  // as the clock gave it; none: the zone's at that time
        const char* iso;
        QDateTime utc;
    } cases[] = {
        {"Europe/Berlin", {2026, 12, 11}, {8, 55, 18, 338}, {}, "2026-12-11T08:55:18.338+01:00",
         QDateTime({2026, 12, 11}, {7, 55, 18, 338}, Qt::UTC)},
        {"America/New_York", {2026, 12, 11}, {8, 55, 18, 338}, {}, "2026-12-11T08:55:18.338-05:00",
         QDateTime({2026, 12, 11}, {13, 55, 18, 338}, Qt::UTC)},
        {"Asia/Kolkata", {2026, 12, 11}, {8, 55, 18, 338}, {}, "2026-12-11T08:55:18.338+05:30",
         QDateTime({2026, 12, 11}, {3, 25, 18, 338}, Qt::UTC)},
        {"Australia/Lord_Howe", {2026, 12, 11}, {8, 55, 18, 338}, {}, "2026-12-11T08:55:18.338+11:00",
         QDateTime({2026, 12, 10}, {21, 55, 18, 338}, Qt::UTC)},
        {"Australia/Lord_Howe", {2026, 6, 11}, {8, 55, 18, 338}, {}, "2026-06-11T08:55:18.338+10:30",
         QDateTime({2026, 6, 10}, {22, 25, 18, 338}, Qt::UTC)},
        {"Europe/Berlin", {2026, 3, 29}, {3, 30, 0}, {}, "2026-03-29T03:30:00.000+02:00",
         QDateTime({2026, 3, 29}, {1, 30, 0}, Qt::UTC)},
        {"Europe/Berlin", {2026, 10, 25}, {2, 30, 0}, 7200, "2026-10-25T02:30:00.000+02:00",
         QDateTime({2026, 10, 25}, {0, 30, 0}, Qt::UTC)},
        {"Europe/Berlin", {2026, 10, 25}, {2, 30, 0}, 3600, "2026-10-25T02:30:00.000+01:00",
         QDateTime({2026, 10, 25}, {1, 30, 0}, Qt::UTC)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.zone) + " " + c.iso);
        const ScopedTimeZone zone(c.zone);
        const double days = DaysFromDateTime(QDateTime(c.date, c.time));
        const RecordUtc utc = RecordUtcOf(days, c.offset);
        EXPECT_EQ(utc.iso.toStdString(), c.iso);
        EXPECT_EQ(utc.epochMs, c.utc.toMSecsSinceEpoch());
        // The record carries it to every format.
        const WatchRecord reading = ReadingRecord({days, 1, QStringLiteral("S"), c.offset}, Status());
        EXPECT_EQ(reading.Field(RecordField::Utc).value_or(QByteArray()).toStdString(), c.iso);
        EXPECT_EQ(reading.epochMs, c.utc.toMSecsSinceEpoch());
    }
}

// A database sums the energy of its intervals to get the Leq of any span, day or night,
// where an average of the intervals' decibels would be wrong.
TEST(WatchRecords, TheEnergyOfIntervalsSumsToTheLeqOfTheWhole)
{
    // A minute each at 60, 70 and 50 dB, one reading a second: 4e-10 Pa² x 10^(L/10) x 60 s
    // gives 0.024, 0.24 and 0.0024 Pa²s; the whole is 10 log10(0.2664 / (180 s x 4e-10 Pa²))
    // = 65.68 dB, where the mean of the three levels would say 60.
    double energy = 0.0;
    double seconds = 0.0;
    for (const double level : {60.0, 70.0, 50.0}) {
        EnergyAverage minute;
        for (int i = 0; i < 60; ++i)
            minute.Add(level);
        const QJsonObject leq =
            QJsonDocument::fromJson(JsonRecordLine(LeqRecord(Stamp(), minute, 1.0))).object();
        energy += leq.value("energy_pa2s").toDouble();
        seconds += leq.value("seconds").toDouble();
    }
    EXPECT_NEAR(energy, 0.2664, 1e-9);
    EXPECT_DOUBLE_EQ(seconds, 180.0);
    EXPECT_NEAR(10.0 * std::log10(energy / (seconds * 20e-6 * 20e-6)), 65.68, 0.005);
}
