#pragma once
#include "link/MeterSettings.h"

#include <QString>

#include <optional>

// Daily exposure and noise dose are defined on A-weighted levels: why they are not given for
// levels of this weighting; nothing when they are (A, or not known and taken as A).
std::optional<QString> ExposureNotGivenReason(Weighting weighting);

// A measure's name with the weighting's letter where it is known: "Leq" becomes "LAeq" or
// "LCeq", "L10" becomes "LA10".
QString WeightedName(const QString& name, Weighting weighting);
