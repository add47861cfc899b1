#pragma once
#include "link/MeterStatus.h"

#include <cstdint>

// The meter's four measuring ranges, in the order its range key steps through them.
struct MeterRange {
    std::uint8_t code;    // as the status reply carries it
    int lowDb;
    int highDb;
};

inline constexpr MeterRange MeterRanges[] = {
    {Range::Low, 30, 90},
    {Range::Mid, 50, 110},
    {Range::High, 70, 130},
    {Range::Auto, 30, 130},
};

// The position of a range code in MeterRanges (the range bits of a recording's flags);
// an unknown code counts as the widest range.
constexpr int RangeIndex(std::uint8_t code)
{
    for (int i = 0; i < 4; ++i)
        if (MeterRanges[i].code == code)
            return i;
    return 3;
}

constexpr std::uint8_t NextRangeCode(std::uint8_t code)
{
    return MeterRanges[(RangeIndex(code) + 1) % 4].code;
}
