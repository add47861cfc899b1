#include "logger/DataSetFlags.h"

#include "link/LoggerMemory.h"

using namespace LoggerLayout;

QString WeightingText(std::uint8_t flags)
{
    return (flags & FlagAWeighting) ? QStringLiteral("dBA") : QStringLiteral("dBC");
}

QString ResponseText(std::uint8_t flags)
{
    return (flags & FlagFast) ? QStringLiteral("FAST") : QStringLiteral("SLOW");
}

QString RangeText(std::uint8_t flags)
{
    static const char* const ranges[] = {"30-90", "50-110", "70-130", "30-130"};
    return QString::fromLatin1(ranges[(flags >> FlagRangeShift) & 0x03]);
}
