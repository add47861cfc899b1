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

QStringList DecodeWarnings(const DecodedMemory& decoded, const QString& source)
{
    QStringList warnings;
    if (UseOfDecodedMemory(decoded) != DecodedUse::Usable)
        return warnings;
    if (decoded.result == DecodeResult::MarkerMisplaced)
        warnings << QStringLiteral("%1: a recording's markers are not where expected (code 33); its samples are kept "
                                   "as found.")
                        .arg(source);
    if (decoded.result == DecodeResult::EndBeyondMemoryEnd)
        warnings << QStringLiteral("%1: a recording runs past the end of the used memory (code 34); its samples are "
                                   "kept as found.")
                        .arg(source);
    if (decoded.samplesHeld < std::ssize(decoded.table->levels))
        warnings << QStringLiteral("%1 ends before the last samples its recordings count; those are written as 0.")
                        .arg(source);
    return warnings;
}
