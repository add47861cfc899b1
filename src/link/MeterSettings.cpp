#include "link/MeterSettings.h"

QString WeightingName(Weighting weighting)
{
    switch (weighting) {
    case Weighting::A: return QStringLiteral("dBA");
    case Weighting::C: return QStringLiteral("dBC");
    case Weighting::Mixed:
    case Weighting::Unknown: break;
    }
    return {};
}

QString ResponseName(Response response)
{
    switch (response) {
    case Response::Fast: return QStringLiteral("FAST");
    case Response::Slow: return QStringLiteral("SLOW");
    case Response::Mixed:
    case Response::Unknown: break;
    }
    return {};
}

Weighting WeightingOf(const QString& text)
{
    if (text == QLatin1String("dBA"))
        return Weighting::A;
    if (text == QLatin1String("dBC"))
        return Weighting::C;
    return Weighting::Unknown;
}

Response ResponseOf(const QString& text)
{
    if (text == QLatin1String("FAST"))
        return Response::Fast;
    if (text == QLatin1String("SLOW"))
        return Response::Slow;
    return Response::Unknown;
}

QString RangeName(const MeterRange& range) { return QStringLiteral("%1-%2").arg(range.lowDb).arg(range.highDb); }
