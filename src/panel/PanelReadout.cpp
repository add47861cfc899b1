#include "panel/PanelReadout.h"

#include <algorithm>

std::array<int, 4> LevelDigitSlots(int level)
{
    if (level < 0 || level >= 10000)
        return {DashSlot, DashSlot, DashSlot, DashSlot};
    const int thousands = level / 1000;
    return {thousands != 0 ? thousands : BlankDigitSlot, level % 1000 / 100, level % 100 / 10,
            level % 10};
}

std::vector<int> ClockDigitSlots(const MeterStatus& status)
{
    std::vector<int> digits;
    for (const std::uint8_t byte : {status.hours, status.minutes, status.seconds}) {
        const std::optional<int> value = DecodeBcd(byte);
        if (!value)
            break;
        digits.push_back(SmallDigitSlot + *value / 10);
        digits.push_back(SmallDigitSlot + *value % 10);
    }
    return digits;
}

bool ClockIsHidden(const MeterStatus& status)
{
    return status.seconds == ClockHidden || status.minutes == ClockHidden ||
           status.hours == ClockHidden;
}

std::optional<RangeBar> RangeBarFor(std::uint8_t rangeCode, int level)
{
    // 2.5 pixels a dB above the bottom of a 60 dB range, 1.5 across the 100 dB range; a level
    // above the range shows the whole scale, never more.
    const auto clipped = [](int width) { return std::min(width, ColorScaleWidth); };
    const auto narrow = [level, clipped](int bottom) {
        return clipped(level > bottom ? (level - bottom) / 4 + 4 : 4);
    };
    switch (rangeCode) {
    case Range::Low: return RangeBar{QStringLiteral("30"), QStringLiteral("90"), narrow(300)};
    case Range::Mid: return RangeBar{QStringLiteral("50"), QStringLiteral("110"), narrow(500)};
    case Range::High: return RangeBar{QStringLiteral("70"), QStringLiteral("130"), narrow(700)};
    case Range::Auto:
        return RangeBar{QStringLiteral("30"), QStringLiteral("130"),
                        clipped(level > 300 ? (level - 300) * 3 / 20 + 4 : 4)};
    default: return std::nullopt;
    }
}
