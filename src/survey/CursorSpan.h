#pragma once
#include "leq/Exclusions.h"

#include <optional>
#include <span>

// The span that cursors A and B enclose, as an exclusion takes it: from the earlier cursor's
// sample to the end of the later one's interval, so that both samples are left out, as the
// statistics between A and B take both. With no interval known the later sample is covered by
// one millisecond. None when a cursor is outside the points or a time is not one.
std::optional<Exclusion> ExclusionBetweenCursors(std::span<const double> times, int cursorA, int cursorB,
                                                 double intervalSeconds, const QString& reason);
