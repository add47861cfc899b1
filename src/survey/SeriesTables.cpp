#include "survey/SeriesTables.h"

#include "leq/LevelDistribution.h"
#include "leq/Periods.h"
#include "shell/Formats.h"

#include <algorithm>

namespace {

ReportCell Count(qint64 count) { return count; }
ReportCell Time(double days) { return IsoDateTimeText(days); }

}  // namespace

std::optional<ReportTable> PeriodRows(const SurveySeries& series, int minutes)
{
    ReportTable table{QStringLiteral("periods"),
                      QStringList{"start", "end", "coverage_pct", "valid_samples", "leq_db", "lmax_db", "lmin_db",
                                  "l10_db", "l50_db", "l90_db", "sel_db"},
                      {}};
    const std::optional<std::vector<PeriodRow>> rows = ComputePeriods(series, minutes);
    if (!rows) {
        // Without a sample that has a time there is no period to show.
        const bool timed = std::any_of(series.times.begin(), series.times.end(),
                                       [](double t) { return WallClockMs(t).has_value(); });
        if (timed)
            return std::nullopt;
        return table;
    }
    for (const PeriodRow& row : *rows)
        table.rows.push_back({Time(row.start), Time(row.end), row.coveragePercent, Count(row.validSamples),
                              Figure(row.leq), Figure(row.lmax), Figure(row.lmin), Figure(row.l10), Figure(row.l50),
                              Figure(row.l90), Figure(row.sel)});
    return table;
}

ReportTable DenRows(const SurveySeries& series, const DenSettings& settings)
{
    return DenRowsOf(ComputeDayEveningNight(series, settings), settings.nightRank);
}

ReportTable DenRowsOf(const std::vector<DenRow>& days, int nightRank)
{
    ReportTable table{QStringLiteral("den"),
                      QStringList{"date", "lday_db", "levening_db", "lnight_db", "lden_db", "ldn_db", "night_l10th_db",
                                  "day_coverage_pct", "evening_coverage_pct", "night_coverage_pct",
                                  "night_nth_highest_db"},
                      {},
                      {{QStringLiteral("night_nth_highest_db"), QStringLiteral("Night Nth highest (n = %1)").arg(nightRank)}}};
    for (const DenRow& row : days)
        table.rows.push_back({IsoDateTimeText(row.date).left(10), Figure(row.lday), Figure(row.levening),
                              Figure(row.lnight), Figure(row.lden), Figure(row.ldn), Figure(row.nightHighest),
                              row.dayCoverage, row.eveningCoverage, row.nightCoverage, Figure(row.nightHighest)});
    return table;
}

ReportTable EventRows(const SurveySeries& series, const EventSettings& settings, ExceedanceEvents* found)
{
    ReportTable table{QStringLiteral("events"),
                      QStringList{"event", "start", "end", "duration_s", "leq_db", "lmax_db", "sel_db"},
                      {}};
    *found = FindExceedanceEvents(series, settings);
    qint64 number = 0;
    for (const ExceedanceEvent& event : found->events)
        table.rows.push_back({Count(++number), Time(event.start), Time(event.end), event.seconds, Figure(event.leq),
                              Figure(event.lmax), Figure(event.sel)});
    return table;
}

ReportTable EventSummaryRow(const ExceedanceEvents& found, const EventSettings& settings)
{
    return {QStringLiteral("event_summary"),
            QStringList{"events", "above_db", "seconds_above", "measured_s", "percent_above"},
            {{Count(static_cast<qint64>(found.events.size())), settings.aboveDb, found.secondsAbove,
              found.measuredSeconds, Figure(found.percentAbove)}}};
}

ReportTable HistogramRows(const SurveySeries& series, double widthDb)
{
    ReportTable table{QStringLiteral("histogram"),
                      QStringList{"class_low_db", "class_high_db", "time_pct", "cumulative_pct"},
                      {}};
    for (const DistributionRow& row : ComputeLevelDistribution(series, widthDb))
        table.rows.push_back({row.low, row.high, row.percent, row.cumulativePercent});
    return table;
}

ReportTable ExposureRow(const SurveySeries& series, Weighting weighting, Response response)
{
    const OccupationalExposure e = ComputeOccupationalExposure(series, weighting, response);
    return {QStringLiteral("exposure"),
            QStringList{"lex8h_db", "dose_85_3_pct", "osha_dose_pct", "osha_twa_db", "hc_dose_pct", "eu_verdict"},
            {{Figure(e.lex8h), Figure(e.dose85Percent), Figure(e.oshaDosePercent), Figure(e.oshaTwaDb),
              Figure(e.hcDosePercent), e.verdict}}};
}

ReportTable SetsTable(const ReportTable& oneSet)
{
    return {oneSet.name, QStringList{QStringLiteral("set")} + oneSet.columns, {}};
}

void AppendSetRows(ReportTable& table, qint64 set, const ReportTable& rows)
{
    for (const std::vector<ReportCell>& row : rows.rows) {
        std::vector<ReportCell> withSet{ReportCell(set)};
        withSet.insert(withSet.end(), row.begin(), row.end());
        table.rows.push_back(std::move(withSet));
    }
}
