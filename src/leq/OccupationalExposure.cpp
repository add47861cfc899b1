#include "leq/OccupationalExposure.h"

#include "leq/EnergyAverage.h"

#include <cmath>

namespace {

constexpr double EightHours = 28800.0;
constexpr double Ln2Fifth = 0.13862943611198906;  // ln(2) / 5: OSHA's 5 dB exchange

// The share of OSHA's dose one sample adds: interval / T(L), T(L) = 8 h / 2^((L - 90) / 5).
double OshaShare(double level, double intervalSeconds)
{
    return intervalSeconds / EightHours * std::exp((level - 90.0) * Ln2Fifth);
}

QString EuVerdict(double lex8h)
{
    // Against the figure as shown, so that a shown 80.0 is never called below 80.
    const double shown = std::round(lex8h * 10.0) / 10.0;
    if (shown >= 87.0)
        return QStringLiteral("at or above the exposure limit value (87 dB(A); it applies with hearing protection worn)");
    if (shown >= 85.0)
        return QStringLiteral("at or above the upper exposure action value (85 dB(A))");
    if (shown >= 80.0)
        return QStringLiteral("at or above the lower exposure action value (80 dB(A))");
    return QStringLiteral("below the lower exposure action value (80 dB(A))");
}

QString ResponseNote(Response response)
{
    switch (response) {
    case Response::Fast: return QStringLiteral("the levels are the FAST response as recorded");
    case Response::Slow: return QStringLiteral("the levels are the SLOW response as recorded");
    case Response::Mixed: return QStringLiteral("the levels are FAST and SLOW responses as recorded");
    case Response::Unknown: break;
    }
    return QStringLiteral("the levels are the response they were recorded with, which is not known here");
}

}  // namespace

double Lex8h(double leq, double seconds) { return leq + 10.0 * std::log10(seconds / EightHours); }

double Dose85Percent(double leq, double seconds)
{
    return 100.0 * (seconds / EightHours) * std::pow(10.0, (leq - 85.0) / 10.0);
}

OccupationalExposure ComputeOccupationalExposure(const SurveySeries& series, Weighting weighting,
                                                 Response response)
{
    OccupationalExposure result;
    if (const std::optional<QString> reason = ExposureNotGivenReason(weighting)) {
        result.verdict = QStringLiteral("not given: ") + *reason;
        return result;
    }
    const double interval = series.intervalSeconds;
    if (!(std::isfinite(interval) && interval > 0.0)) {
        result.verdict = QStringLiteral("not given: the sample interval is not known");
        return result;
    }

    EnergyAverage average;
    double osha = 0.0;
    double hearingConservation = 0.0;
    ForEachKeptSample(series, [&](std::size_t, std::int64_t, float level) {
        average.Add(level);
        if (level >= 80.0f) {
            const double share = OshaShare(level, interval);
            hearingConservation += share;
            if (level >= 90.0f)
                osha += share;
        }
    });
    if (average.Count() == 0) {
        result.verdict = QStringLiteral("not given: no valid samples");
        return result;
    }

    const double seconds = average.Count() * interval;
    result.lex8h = Lex8h(*average.Leq(), seconds);
    result.dose85Percent = Dose85Percent(*average.Leq(), seconds);
    result.oshaDosePercent = 100.0 * osha;
    if (osha > 0.0)
        result.oshaTwaDb = 16.61 * std::log10(osha) + 90.0;
    result.hcDosePercent = 100.0 * hearingConservation;
    result.verdict = EuVerdict(*result.lex8h) + QStringLiteral("; peak sound pressure is not measured by this meter; ")
        + ResponseNote(response);
    if (weighting == Weighting::Unknown)
        result.verdict += QStringLiteral("; the weighting is not recorded with these levels, which are taken as A-weighted");
    return result;
}
