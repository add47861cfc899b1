#pragma once
#include "leq/SampleInterval.h"
#include "recording/Recording.h"

// The time between a recording's samples that every analysis takes T from: the recorded
// interval when its source gives one, else the mean spacing of its times.
SampleInterval IntervalOf(const Recording& recording);
