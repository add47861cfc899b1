#include "realtime/RealTimeRules.h"

#include "link/MeasurableLevel.h"

#include <cmath>

QString PeriodText(long long count, double rate)
{
    const double product = static_cast<double>(count) * rate;
    const long long seconds =
        std::isfinite(product) && std::fabs(product) < 9.0e15 ? static_cast<long long>(product) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds % 3600 / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString InitialPeriodText(double rate)
{
    const double product = rate * 2000.0 + 0.5;
    const long long seconds =
        std::isfinite(product) && std::fabs(product) < 9.0e15 ? static_cast<long long>(product) : 0;
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds % 3600 / 60).arg(seconds % 60);
}

std::optional<float> PlausibleLevel(float liveLevel, float lastGoodLevel)
{
    if (IsMeasurableLevel(liveLevel))
        return liveLevel;
    if (lastGoodLevel > 30.0f)
        return lastGoodLevel;
    return std::nullopt;
}
