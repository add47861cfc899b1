#pragma once
#include <QString>

#include <optional>

// What the levels of a recording were measured with, as far as it says.
enum class Weighting { A, C, Mixed, Unknown };
enum class Response { Fast, Slow, Mixed, Unknown };

// "dBA" or "dBC" as a recording's facts give it; anything else is not known.
Weighting WeightingOf(const QString& text);
// "FAST" or "SLOW" the same way.
Response ResponseOf(const QString& text);

// Daily exposure and noise dose are defined on A-weighted levels: why they are not given for
// levels of this weighting; nothing when they are (A, or not known and taken as A).
std::optional<QString> ExposureNotGivenReason(Weighting weighting);

// A measure's name with the weighting's letter where it is known: "Leq" becomes "LAeq" or
// "LCeq", "L10" becomes "LA10".
QString WeightedName(const QString& name, Weighting weighting);
