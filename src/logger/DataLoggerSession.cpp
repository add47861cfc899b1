#include "logger/DataLoggerSession.h"

#include "link/MemoryImage.h"
#include "logger/ChangeDataSetTime.h"
#include "logger/DecodeMemoryImage.h"

int DataLoggerSession::Take(std::vector<std::uint8_t> newImage, double now)
{
    const int end = ReadMemoryEnd(newImage);
    DecodedMemory decoded = DecodeMemoryImage(newImage, end, now);
    if (!IsUsableDecodeResult(decoded.result))
        return decoded.result;
    table = std::move(*decoded.table);
    image = std::move(newImage);
    memoryEnd = end;
    return decoded.result;
}

bool DataLoggerSession::ChangeSetTime(int set, double newStart) { return ChangeDataSetTime(table, set, newStart); }
