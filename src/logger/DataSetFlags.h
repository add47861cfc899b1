#pragma once
#include "link/MeterRange.h"
#include "link/MeterSettings.h"

#include <QString>

#include <cstdint>

// What a recording's flags byte says of how it was measured.
Weighting WeightingOfFlags(std::uint8_t flags);
Response ResponseOfFlags(std::uint8_t flags);
MeterRange RangeOfFlags(std::uint8_t flags);

// The same as the data set list and the CSV files show them.
QString WeightingText(std::uint8_t flags);  // "dBA" or "dBC"
QString ResponseText(std::uint8_t flags);   // "FAST" or "SLOW"
QString RangeText(std::uint8_t flags);      // "30-90", "50-110", "70-130" or "30-130"
