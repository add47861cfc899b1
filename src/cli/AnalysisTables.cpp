#include "cli/AnalysisTables.h"

#include "leq/NoiseMetrics.h"
#include "leq/Periods.h"
#include "shell/Formats.h"
#include "survey/SeriesTables.h"

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
    ReportTable table = SetsTable(*PeriodRows({}, minutes));
    for (const ReportSet& set : source.sets) {
        const std::optional<ReportTable> rows = PeriodRows(SeriesOf(source, set, exclusions), minutes);
        if (!rows) {
            *problem = QStringLiteral("Set %1 spans more than %2 periods of %3 minutes; choose longer periods.")
                           .arg(set.number)
                           .arg(QLocale::c().toString(MaxPeriodRows))
                           .arg(minutes);
            return std::nullopt;
        }
        AppendSetRows(table, set.number, *rows);
    }
    return table;
}

ReportTable DenTable(const ReportSource& source, std::span<const Exclusion> exclusions, const DenSettings& settings)
{
    ReportTable table = SetsTable(DenRows({}, settings));
    for (const ReportSet& set : source.sets)
        AppendSetRows(table, set.number, DenRows(SeriesOf(source, set, exclusions), settings));
    return table;
}

ReportTable EventsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                        const EventSettings& settings, ReportTable* summary)
{
    ExceedanceEvents found;
    ReportTable table = SetsTable(EventRows({}, settings, &found));
    *summary = SetsTable(EventSummaryRow(found, settings));
    for (const ReportSet& set : source.sets) {
        AppendSetRows(table, set.number, EventRows(SeriesOf(source, set, exclusions), settings, &found));
        AppendSetRows(*summary, set.number, EventSummaryRow(found, settings));
    }
    return table;
}

ReportTable HistogramTable(const ReportSource& source, std::span<const Exclusion> exclusions, double widthDb)
{
    ReportTable table = SetsTable(HistogramRows({}, widthDb));
    for (const ReportSet& set : source.sets)
        AppendSetRows(table, set.number, HistogramRows(SeriesOf(source, set, exclusions), widthDb));
    return table;
}

ReportTable ExposureTable(const ReportSource& source, std::span<const Exclusion> exclusions)
{
    ReportTable table = SetsTable(ExposureRow({}, Weighting::Unknown, Response::Unknown));
    for (const ReportSet& set : source.sets)
        AppendSetRows(table, set.number,
                      ExposureRow(SeriesOf(source, set, exclusions), set.weighting, set.response));
    return table;
}
