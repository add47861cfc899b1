#include "FuzzEntries.h"

#include "leq/EnergyAverage.h"
#include "leq/LeqMeasurement.h"
#include "link/CommandTable.h"
#include "link/ExchangeSteps.h"
#include "link/MeterStatus.h"
#include "logger/ReadLoggerInformation.h"
#include "watch/RecordEncoders.h"

#include <QLocale>

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t RecordSize = 1 + std::tuple_size_v<ReplyFrame>;
constexpr double Start = 45000.5;  // the computer's clock at the first reply
constexpr double StepPerUnit = 0.125 / 86400.0;

// Every reading of a reply that a sequence or the watch command would make.
void ReadReply(const ReplyFrame& reply, double now, EnergyAverage& interval)
{
    const MeterStatus status = DecodeMeterStatus(reply);
    const int level = DisplayedLevel(status);
    FuzzCheck(level >= 0 && level <= 0xFFFF, "a displayed level is one of the reply's levels");
    HasStatusMarkers(reply);
    IsOurModel(reply);
    for (const std::uint8_t byte : reply)
        FuzzCheck(DecodeBcd(byte).value_or(0) <= 99, "a BCD byte reads as two decimal digits");
    const WatchRecord reading = ReadingRecord({now, 1, QStringLiteral("SN")}, status);
    for (const WatchFormat format : {WatchFormat::Csv, WatchFormat::Jsonl, WatchFormat::Influx})
        EncodeRecord({format, {}}, reading);
    MqttRecordPayload(reading);
    MeterClockText(status);
    interval.Add(level * 0.1);

    static const QLocale german(QLocale::German, QLocale::Germany);
    DecodeLoggerInformation(reply, german);
    DecodeLoggerInformation(reply, QLocale::c());
    for (int count = 0; count <= 7; ++count)
        CheckEcho(reply, EraseFrame, count, EraseCodes);
}

}  // namespace

void FuzzMeterReplies(FuzzInput data)
{
    LeqMeasurement measurement;
    // "Manual": the measurement runs until its reads fail.
    StartLeqMeasurement(measurement, LeqDurations.back().seconds);
    std::vector<LeqRow> rows;
    EnergyAverage interval;
    double now = Start;
    bool ended = false;
    for (std::size_t at = 0; at + RecordSize <= data.size(); at += RecordSize) {
        const std::uint8_t control = data[at];
        ReplyFrame reply;
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at + 1), reply.size(), reply.begin());
        now += (control >> 1) * StepPerUnit;
        ReadReply(reply, now, interval);

        // The live LEQ measurement polls until it ends, then the replies go on to the others.
        if (ended)
            continue;
        const LeqPollResult poll = PollLeqMeasurement(measurement, control & 1, reply, now);
        if (poll.completedRow) {
            FuzzCheck(poll.rowNumber == static_cast<int>(rows.size()) + 1, "table rows come in order");
            rows.push_back(*poll.completedRow);
            LeqRowCells(rows.back(), poll.rowNumber);
        }
        ended = poll.ended;
    }
    LeqTableText(rows);
    const WatchRecord leq = LeqRecord({now, 2, QStringLiteral("SN")}, interval, 1.0);
    for (const WatchFormat format : {WatchFormat::Csv, WatchFormat::Jsonl, WatchFormat::Influx})
        EncodeRecord({format, {}}, leq);
}
