#pragma once
#include <cstdint>
#include <optional>
#include <span>

// A date and time as the meter's clock fields (the year in full).
struct ClockFields {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

ClockFields ClockFieldsFromDays(double days);
// Nothing when the fields are not a real date and time.
std::optional<double> DaysFromClockFields(const ClockFields& fields);

// The set-clock block: BCD second, minute, hour, day, month at 0..4 and the year within
// the century at 6. Nothing when a byte is not BCD or the date is impossible.
std::optional<ClockFields> ClockFieldsFromBlock(std::span<const std::uint8_t> block);

// The meter's own clock: the computer's clock (through the clock seam) plus the offset
// that the set-clock command leaves.
class MeterClock {
public:
    double Now() const;
    ClockFields Fields() const { return ClockFieldsFromDays(Now()); }
    void Set(double days);
    double Offset() const { return offset; }

private:
    double offset = 0.0;
};
