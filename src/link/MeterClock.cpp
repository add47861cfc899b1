#include "link/MeterClock.h"

#include "link/MeterBytes.h"
#include "shell/Clock.h"
#include "shell/Formats.h"

#include <QDateTime>

ClockFields ClockFieldsFromDays(double days)
{
    const QDateTime dateTime = DateTimeFromDays(days);
    if (!dateTime.isValid())
        return {};
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::optional<double> DaysFromClockFields(const ClockFields& fields)
{
    const QDate date(fields.year, fields.month, fields.day);
    const QTime time(fields.hour, fields.minute, fields.second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return DaysFromDateAndTime(date, time);
}

std::optional<ClockFields> ClockFieldsFromBlock(std::span<const std::uint8_t> block)
{
    constexpr int fieldOffsets[] = {0, 1, 2, 3, 4, 6};
    if (block.size() < 7)
        return std::nullopt;
    for (const int offset : fieldOffsets)
        if (!IsBcd(block[offset]))
            return std::nullopt;
    const ClockFields fields{2000 + FromBcd(block[6]), FromBcd(block[4]), FromBcd(block[3]),
                             FromBcd(block[2]),        FromBcd(block[1]), FromBcd(block[0])};
    if (!DaysFromClockFields(fields))
        return std::nullopt;
    return fields;
}

double MeterClock::Now() const { return CurrentClock().Now() + offset; }

void MeterClock::Set(double days) { offset = days - CurrentClock().Now(); }
