#include "cli/AnalysisTables.h"

#include "leq/NoiseMetrics.h"
#include "leq/Periods.h"
#include "recording/AnalysedRecording.h"
#include "shell/Formats.h"
#include "survey/SeriesTables.h"

#include <QLocale>

namespace {

// Calls visit(set, series) for every set, its levels with the survey's offset.
template <class Visit>
void ForEachSet(const ReportSource& source, std::span<const Exclusion> exclusions, Visit&& visit)
{
    for (const Recording& set : source.sets) {
        const AnalysedRecording analysed = Analysed(set, source.OffsetDb());
        visit(set, SeriesOf(analysed, exclusions));
    }
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
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        const KeptPoints kept = WithoutExclusions(series.times, series.levels, exclusions);
        const NoiseMetrics m = ComputeNoiseMetrics(kept.times, kept.levels, series.intervalSeconds, set.weighting);
        table.rows.push_back({Count(set.set), Time(set.start), m.seconds, Count(m.validSamples), Figure(m.leq),
                              Figure(m.lmax), Figure(m.lmin), Figure(m.l5), Figure(m.l10), Figure(m.l50),
                              Figure(m.l90), Figure(m.l95), Figure(m.sel), Figure(m.lex8h), Figure(m.dosePercent),
                              Figure(m.lden)});
    });
    return table;
}

QStringList ExposureNotGivenLines(const ReportSource& source)
{
    QStringList lines;
    for (const Recording& set : source.sets)
        if (const std::optional<QString> reason = ExposureNotGivenReason(set.weighting))
            lines << QStringLiteral("Set %1: lex8h_db and dose_pct left empty: %2.").arg(set.set).arg(*reason);
    return lines;
}

std::optional<ReportTable> PeriodsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                                        int minutes, QString* problem)
{
    ReportTable table = SetsTable(*PeriodRows({}, minutes));
    bool tooMany = false;
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        if (tooMany)
            return;
        const std::optional<ReportTable> rows = PeriodRows(series, minutes);
        if (!rows) {
            *problem = QStringLiteral("Set %1 spans more than %2 periods of %3 minutes; choose longer periods.")
                           .arg(set.set)
                           .arg(QLocale::c().toString(MaxPeriodRows))
                           .arg(minutes);
            tooMany = true;
            return;
        }
        AppendSetRows(table, set.set, *rows);
    });
    if (tooMany)
        return std::nullopt;
    return table;
}

ReportTable DenTable(const ReportSource& source, std::span<const Exclusion> exclusions, const DenSettings& settings)
{
    ReportTable table = SetsTable(DenRows({}, settings));
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        AppendSetRows(table, set.set, DenRows(series, settings));
    });
    return table;
}

ReportTable EventsTable(const ReportSource& source, std::span<const Exclusion> exclusions,
                        const EventSettings& settings, ReportTable* summary)
{
    ExceedanceEvents found;
    ReportTable table = SetsTable(EventRows({}, settings, &found));
    *summary = SetsTable(EventSummaryRow(found, settings));
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        AppendSetRows(table, set.set, EventRows(series, settings, &found));
        AppendSetRows(*summary, set.set, EventSummaryRow(found, settings));
    });
    return table;
}

ReportTable HistogramTable(const ReportSource& source, std::span<const Exclusion> exclusions, double widthDb)
{
    ReportTable table = SetsTable(HistogramRows({}, widthDb));
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        AppendSetRows(table, set.set, HistogramRows(series, widthDb));
    });
    return table;
}

ReportTable ExposureTable(const ReportSource& source, std::span<const Exclusion> exclusions)
{
    ReportTable table = SetsTable(ExposureRow({}, Weighting::Unknown, Response::Unknown));
    ForEachSet(source, exclusions, [&](const Recording& set, const SurveySeries& series) {
        AppendSetRows(table, set.set, ExposureRow(series, set.weighting, set.response));
    });
    return table;
}
