#include "recording/RecordingInterval.h"

SampleInterval IntervalOf(const Recording& recording)
{
    if (recording.intervalSeconds > 0.0)
        return {recording.intervalSeconds, true};
    return {IntervalOfTimes(recording.Times()), false};
}
