#pragma once
#include "link/MeterStatus.h"
#include "recording/Recording.h"

// A recording of what the meter displays (the real-time run's) knows its facts from the meter's
// status: weighting, response and range; no levels yet.
Recording RecordingFactsOf(const MeterStatus& status);
