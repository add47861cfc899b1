#include "logger/DataLoggerSession.h"

#include "link/MemoryImage.h"
#include "logger/ChangeDataSetTime.h"
#include "logger/DecodeMemoryImage.h"

DecodedUse DataLoggerSession::Take(std::vector<std::uint8_t> newImage, double now)
{
    const int end = ReadMemoryEnd(newImage);
    DecodedMemory decoded = DecodeMemoryImage(newImage, end, now);
    const DecodedUse use = UseOfDecodedMemory(decoded);
    if (use != DecodedUse::Usable)
        return use;
    table = std::move(*decoded.table);
    image = std::move(newImage);
    memoryEnd = end;
    return use;
}

DecodedUse DataLoggerSession::UseOf(std::span<const std::uint8_t> image, double now)
{
    return UseOfDecodedMemory(DecodeMemoryImage(image, ReadMemoryEnd(image), now));
}

bool DataLoggerSession::ChangeSetTime(int set, double newStart) { return ChangeDataSetTime(table, set, newStart); }
