#include "recording/MeterFacts.h"

#include "link/MeterRange.h"

Recording RecordingFactsOf(const MeterStatus& status)
{
    Recording facts;
    facts.weighting = status.aWeighting ? Weighting::A : Weighting::C;
    facts.response = status.fast ? Response::Fast : Response::Slow;
    for (const MeterRange& range : MeterRanges)
        if (range.code == status.rangeCode)
            facts.range = range;
    return facts;
}
