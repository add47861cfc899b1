#pragma once
#include <QString>

#include <cstdint>

// The words for a recording's flags byte, as the data set list and the CSV files show them.
QString WeightingText(std::uint8_t flags);  // "dBA" or "dBC"
QString ResponseText(std::uint8_t flags);   // "FAST" or "SLOW"
QString RangeText(std::uint8_t flags);      // "30-90", "50-110", "70-130" or "30-130"
