#include "FuzzEntries.h"

#include "recording/ReadWatchLog.h"
#include "leq/DayEveningNight.h"
#include "leq/ExceedanceEvents.h"
#include "leq/LevelDistribution.h"
#include "leq/OccupationalExposure.h"
#include "leq/Periods.h"
#include "survey/SurveyFile.h"

#include <QBuffer>

#include <cmath>

namespace {

// Every analysis of the readings, with an exclusion over part of them.
void Analyse(const WatchLog& log)
{
    FuzzCheck(log.times.size() == log.levels.size(), "a log gives a level for every time");
    if (log.times.empty())
        return;
    const std::vector<Exclusion> exclusions{{log.times.front(), log.times.front() + 1.0 / 1440, QStringLiteral("x")}};
    const SurveySeries series{log.times, log.levels, log.intervalSeconds, exclusions};
    std::size_t inPeriods = 0;
    if (const auto rows = ComputePeriods(series, 1440))
        for (const PeriodRow& row : *rows) {
            inPeriods += static_cast<std::size_t>(row.validSamples);
            FuzzCheck(row.coveragePercent >= 0.0 && row.coveragePercent <= 100.0, "coverage is 0-100 %");
        }
    FuzzCheck(inPeriods <= log.times.size(), "no sample is counted in two periods");
    ComputeDayEveningNight(series, DenSettings{});
    for (const ExceedanceEvent& event : FindExceedanceEvents(series, {60.0, 1.0, 2.0}).events)
        FuzzCheck(event.first <= event.last && event.last < log.times.size(), "an event lies within the readings");
    double total = 0.0;
    for (const DistributionRow& row : ComputeLevelDistribution(series, 0.1))
        total += row.percent;
    FuzzCheck(total == 0.0 || std::fabs(total - 100.0) < 1e-6, "the classes hold every valid sample once");
    ComputeOccupationalExposure(series, log.weighting, log.response);
}

}  // namespace

void FuzzReportInput(FuzzInput data)
{
    QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    if (const std::optional<WatchLog> log = ReadWatchLog(buffer, QStringLiteral("input"), &error))
        Analyse(*log);
    else
        FuzzCheck(!error.isEmpty(), "a file that is no log says why");

    const std::optional<Survey> survey = ParseSurvey(bytes, QStringLiteral("input"), &error);
    if (!survey) {
        FuzzCheck(!error.isEmpty(), "a file that is no survey says why");
        return;
    }
    const std::optional<Survey> again = ParseSurvey(SurveyJson(*survey), QStringLiteral("input"), &error);
    FuzzCheck(again && again->exclusions.size() == survey->exclusions.size()
                  && again->source.path == survey->source.path && again->analysis.den == survey->analysis.den,
              "a survey written back reads as the same survey");
}
