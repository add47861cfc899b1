#pragma once
#include "link/MeterRange.h"

#include <QString>

// What the levels of a recording were measured with, as far as it says: the meter's frequency
// weighting and time response. A recording read from a file that does not say is Unknown; one
// whose readings changed setting on the way is Mixed.
enum class Weighting { A, C, Mixed, Unknown };
enum class Response { Fast, Slow, Mixed, Unknown };

// The words files and windows use: "dBA", "dBC"; "FAST", "SLOW"; empty when not one setting.
QString WeightingName(Weighting weighting);
QString ResponseName(Response response);
// The same words read back; anything else is Unknown.
Weighting WeightingOf(const QString& text);
Response ResponseOf(const QString& text);

// A range as "30-130".
QString RangeName(const MeterRange& range);
