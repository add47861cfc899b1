#include "cli/AnalysisTables.h"

#include "leq/LevelDistribution.h"
#include "leq/NoiseMetrics.h"
#include "leq/Periods.h"
#include "shell/Formats.h"

#include <QLocale>

namespace {

SurveySeries SeriesOf(const ReportSource& source, const ReportSet& set, std::span<const Exclusion> exclusions)
{
    return {source.Times(set), source.Levels(set), set.intervalSeconds, exclusions};
}

ReportCell Count(qint64 count) { return count; }
ReportCell Time(double days) { return IsoDateTimeText(days); }

}  // namespace

ReportTable MetricsTable(const ReportSource& source, std::span<const Exclusion> exclusions)
{
    ReportTable table{QStringLiteral("metrics"),
                      QStringList{"set", "start", "duration_s", "valid_samples", "leq_db", "lmax_db", "lmin_db",
                                  "l5_db", "l10_db", "l50_db", "l90_db", "l95_db", "sel_db", "lex8h_db", "dose_pct",
                                  "lden_db"},
                      {}};
    for (const ReportSet& set : source.sets) {
        const KeptPoints kept = WithoutExclusions(source.Times(set), source.Levels(set), exclusions);
        const NoiseMetrics m = ComputeNoiseMetrics(kept.times, kept.levels, set.intervalSeconds, set.weighting);
        table.rows.push_back({Count(set.number), Time(set.start), m.seconds, Count(m.validSamples), Figure(m.leq),
                              Figure(m.lmax), Figure(m.lmin), Figure(m.l5), Figure(m.l10), Figure(m.l50),
                              Figure(m.l90), Figure(m.l95), Figure(m.sel), Figure(m.lex8h), Figure(m.dosePercent),
                              Figure(m.lden)});
    }
    return table;
}

QStringList ExposureNotGivenLines(const ReportSource& source)
{
    QStringList lines;
    for (const ReportSet& set : source.sets)
        if (const std::optional<QString> reason = ExposureNotGivenReason(set.weighting))
            lines << QStringLiteral("Set %1: lex8h_db and dose_pct left empty: %2.").arg(set.number).arg(*reason);
    return lines;
}

std::optional<ReportTable> PeriodsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                                        int minutes, QString* problem)
{
    ReportTable table{QStringLiteral("periods"),
                      QStringList{"set", "start", "end", "coverage_pct", "valid_samples", "leq_db", "lmax_db",
                                  "lmin_db", "l10_db", "l50_db", "l90_db", "sel_db"},
                      {}};
    for (const ReportSet& set : source.sets) {
        const SurveySeries series = SeriesOf(source, set, exclusions);
        const std::optional<std::vector<PeriodRow>> rows = ComputePeriods(series, minutes);
        if (!rows) {
            // Without a sample that has a time there is no period to show.
            if (std::none_of(series.times.begin(), series.times.end(), [](double t) { return WallClockMs(t).has_value(); }))
                continue;
            *problem = QStringLiteral("Set %1 spans more than %2 periods of %3 minutes; choose longer periods.")
                           .arg(set.number)
                           .arg(QLocale::c().toString(MaxPeriodRows))
                           .arg(minutes);
            return std::nullopt;
        }
        for (const PeriodRow& row : *rows)
            table.rows.push_back({Count(set.number), Time(row.start), Time(row.end), row.coveragePercent,
                                  Count(row.validSamples), Figure(row.leq), Figure(row.lmax), Figure(row.lmin),
                                  Figure(row.l10), Figure(row.l50), Figure(row.l90), Figure(row.sel)});
    }
    return table;
}

ReportTable DenTable(const ReportSource& source, std::span<const Exclusion> exclusions, const DenSettings& settings)
{
    ReportTable table{QStringLiteral("den"),
                      QStringList{"set", "date", "lday_db", "levening_db", "lnight_db", "lden_db", "ldn_db",
                                  "night_l10th_db", "day_coverage_pct", "evening_coverage_pct", "night_coverage_pct"},
                      {}};
    for (const ReportSet& set : source.sets)
        for (const DenRow& row : ComputeDayEveningNight(SeriesOf(source, set, exclusions), settings))
            table.rows.push_back({Count(set.number), IsoDateTimeText(row.date).left(10), Figure(row.lday),
                                  Figure(row.levening), Figure(row.lnight), Figure(row.lden), Figure(row.ldn),
                                  Figure(row.nightHighest), row.dayCoverage, row.eveningCoverage, row.nightCoverage});
    return table;
}

ReportTable EventsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                        const EventSettings& settings, ReportTable* summary)
{
    ReportTable table{QStringLiteral("events"),
                      QStringList{"set", "event", "start", "end", "duration_s", "leq_db", "lmax_db", "sel_db"},
                      {}};
    *summary = {QStringLiteral("event_summary"),
                QStringList{"set", "events", "above_db", "seconds_above", "measured_s", "percent_above"},
                {}};
    for (const ReportSet& set : source.sets) {
        const ExceedanceEvents found = FindExceedanceEvents(SeriesOf(source, set, exclusions), settings);
        qint64 number = 0;
        for (const ExceedanceEvent& event : found.events)
            table.rows.push_back({Count(set.number), Count(++number), Time(event.start), Time(event.end),
                                  event.seconds, Figure(event.leq), Figure(event.lmax), Figure(event.sel)});
        summary->rows.push_back({Count(set.number), Count(number), settings.aboveDb, found.secondsAbove,
                                 found.measuredSeconds, Figure(found.percentAbove)});
    }
    return table;
}

ReportTable HistogramTable(const ReportSource& source, std::span<const Exclusion> exclusions, double widthDb)
{
    ReportTable table{QStringLiteral("histogram"),
                      QStringList{"set", "class_low_db", "class_high_db", "time_pct", "cumulative_pct"},
                      {}};
    for (const ReportSet& set : source.sets)
        for (const DistributionRow& row : ComputeLevelDistribution(SeriesOf(source, set, exclusions), widthDb))
            table.rows.push_back({Count(set.number), row.low, row.high, row.percent, row.cumulativePercent});
    return table;
}

ReportTable ExposureTable(const ReportSource& source, std::span<const Exclusion> exclusions)
{
    ReportTable table{QStringLiteral("exposure"),
                      QStringList{"set", "lex8h_db", "dose_85_3_pct", "osha_dose_pct", "osha_twa_db", "hc_dose_pct",
                                  "eu_verdict"},
                      {}};
    for (const ReportSet& set : source.sets) {
        const OccupationalExposure e =
            ComputeOccupationalExposure(SeriesOf(source, set, exclusions), set.weighting, set.response);
        table.rows.push_back({Count(set.number), Figure(e.lex8h), Figure(e.dose85Percent), Figure(e.oshaDosePercent),
                              Figure(e.oshaTwaDb), Figure(e.hcDosePercent), e.verdict});
    }
    return table;
}
