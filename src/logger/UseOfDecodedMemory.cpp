#include "logger/UseOfDecodedMemory.h"

DecodedUse UseOfDecodedMemory(const DecodedMemory& decoded)
{
    if (decoded.result == DecodeResult::NoDataSets)
        return DecodedUse::NoDataSets;
    if (!decoded.table)
        return DecodedUse::CannotBeDecoded;
    if (decoded.samplesHeld == 0)
        return DecodedUse::NoSamples;
    return DecodedUse::Usable;
}
