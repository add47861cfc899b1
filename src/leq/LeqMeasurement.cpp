#include "leq/LeqMeasurement.h"

#include "leq/RunningLeq.h"
#include "link/MeterBytes.h"
#include "link/MeterClock.h"
#include "link/MeterStatus.h"
#include "shell/Formats.h"

namespace {

// The meter's clock in the status reply; none when a byte is not BCD or the date is impossible.
std::optional<double> StatusClock(const MeterStatus& status)
{
    for (const std::uint8_t byte : {status.seconds, status.minutes, status.hours, status.month,
                                    status.day, status.year})
        if (!IsBcd(byte))
            return std::nullopt;
    return DaysFromClockFields({2000 + FromBcd(status.year), FromBcd(status.month),
                                FromBcd(status.day), FromBcd(status.hours),
                                FromBcd(status.minutes), FromBcd(status.seconds)});
}

// A second has ended: its row, the LEQ so far and the time left.
void CompleteSecond(LeqMeasurement& m, LeqPollResult& result, const QLocale& locale)
{
    ++m.secondCount;
    LeqRow row{m.previousTime};
    if (m.readingsInSecond > 0) {
        row.spl = static_cast<float>(static_cast<double>(m.readingSum) /
                                     (static_cast<double>(m.readingsInSecond) * 10.0));
        row.leq = RunningLeq(m.secondCount, m.previousLeq, row.spl);
        result.rateText = QString::number(m.readingsInSecond) + QStringLiteral("/sec");
        result.leqText = OneDecimalText(row.leq, locale);
        m.previousLeq = row.leq;
        m.readingsInSecond = 0;
        m.readingSum = 0;
    }
    result.completedRow = row;
    result.rowNumber = m.row;
    ++m.row;
    --m.timeLeft;
    result.ended = m.timeLeft <= 0;
    result.timeLeftText = TimeLeftText(m.timeLeft);
}

}  // namespace

std::array<QString, 5> LeqRowCells(const LeqRow& row, std::int32_t number, const QLocale& locale)
{
    std::array<QString, 5> cells{QString::number(number), DateText(row.time, locale),
                                 TimeText(row.time, locale), QString(), QString()};
    if (row.HasLevel()) {
        cells[3] = OneDecimalText(row.spl, locale);
        cells[4] = OneDecimalText(row.leq, locale);
    }
    return cells;
}

QString LeqTableText(std::span<const LeqRow> rows, const QLocale& locale)
{
    QString text;
    for (const LeqRow& row : rows) {
        const std::array<QString, 5> cells = LeqRowCells(row, 0, locale);
        for (std::size_t column = 1; column < cells.size(); ++column)
            text += cells[column] + u'\t';
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString TimeLeftText(std::int32_t seconds)
{
    const std::int32_t t = std::max<std::int32_t>(seconds, 0);
    return QStringLiteral("%1:%2:%3").arg(t / 3600).arg(t / 60 % 60).arg(t % 60);
}

void StartLeqMeasurement(LeqMeasurement& measurement, std::optional<std::int32_t> seconds)
{
    const std::int32_t timeLeft = seconds.value_or(measurement.timeLeft);
    measurement = LeqMeasurement();
    measurement.timeLeft = timeLeft;
}

LeqPollResult PollLeqMeasurement(LeqMeasurement& m, bool readOk, const ReplyFrame& reply,
                                 double now, const QLocale& locale)
{
    LeqPollResult result;
    // A reply without the status markers is no status reply (a late answer to another command,
    // noise): it is no reading either.
    if (!readOk || !HasStatusMarkers(reply)) {
        if (++m.failedReads > LeqMaxFailedReads) {
            result.ended = true;
            result.message = QString::fromLatin1(LeqFailMessage);
        }
        return result;
    }

    const MeterStatus status = DecodeMeterStatus(reply);
    const double time = StatusClock(status).value_or(now);
    const float level = static_cast<float>(status.level * 0.1);
    result.logLine = TimeText(time, locale) + u'\t' + OneDecimalText(level, locale) +
                     QStringLiteral("\r\n");

    if (!m.started) {
        m.started = true;
        m.previousSecondsByte = status.seconds;
        m.previousTime = time;
        m.readingsInSecond = 0;
        m.readingSum = 0;
        m.previousLeq = level;
        return result;
    }
    if (status.seconds == m.previousSecondsByte) {
        ++m.readingsInSecond;
        m.readingSum += status.level;
        return result;
    }
    // The reading that opens a new second is not part of that second's mean.
    CompleteSecond(m, result, locale);
    m.previousSecondsByte = status.seconds;
    m.previousTime = time;
    return result;
}
