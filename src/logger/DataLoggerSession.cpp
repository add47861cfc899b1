#include "logger/DataLoggerSession.h"

#include "link/MemoryImage.h"
#include "logger/ChangeDataSetTime.h"
#include "logger/DecodeMemoryImage.h"

DataLoggerSession::Decoded DataLoggerSession::Decode(std::span<const std::uint8_t> image, double now)
{
    Decoded decoded{DecodeMemoryImage(image, ReadMemoryEnd(image), now)};
    decoded.use = UseOfDecodedMemory(decoded.memory);
    return decoded;
}

DecodedUse DataLoggerSession::Take(std::vector<std::uint8_t> newImage, Decoded decoded, const QString& newFile)
{
    if (decoded.use != DecodedUse::Usable)
        return decoded.use;
    table = std::move(*decoded.memory.table);
    image = std::move(newImage);
    file = newFile;
    return decoded.use;
}

DecodedUse DataLoggerSession::Take(std::vector<std::uint8_t> newImage, double now)
{
    Decoded decoded = Decode(newImage, now);
    return Take(std::move(newImage), std::move(decoded));
}

bool DataLoggerSession::ChangeSetTime(int set, double newStart) { return ChangeDataSetTime(table, set, newStart); }
