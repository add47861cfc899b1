#include "logger/DataSetFlags.h"

#include "link/LoggerMemory.h"

using namespace LoggerLayout;

Weighting WeightingOfFlags(std::uint8_t flags) { return (flags & FlagAWeighting) ? Weighting::A : Weighting::C; }

Response ResponseOfFlags(std::uint8_t flags) { return (flags & FlagFast) ? Response::Fast : Response::Slow; }

MeterRange RangeOfFlags(std::uint8_t flags) { return MeterRanges[(flags >> FlagRangeShift) & 0x03]; }

QString WeightingText(std::uint8_t flags) { return WeightingName(WeightingOfFlags(flags)); }

QString ResponseText(std::uint8_t flags) { return ResponseName(ResponseOfFlags(flags)); }

QString RangeText(std::uint8_t flags) { return RangeName(RangeOfFlags(flags)); }
