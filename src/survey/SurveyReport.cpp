#include "survey/SurveyReport.h"

#include "leq/LevelDistribution.h"
#include "leq/NoiseMetrics.h"
#include "leq/Periods.h"
#include "leq/SurveySeries.h"
#include "link/MeasurableLevel.h"
#include "recording/AnalysedRecording.h"
#include "survey/SeriesTables.h"
#include "survey/TableColumns.h"
#include "shell/Formats.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

QString Figure(const std::optional<double>& value)
{
    return value && std::isfinite(*value) ? QString::number(*value, 'f', 1) : QStringLiteral("\u2013");
}
QString Db(const std::optional<double>& value)
{
    return value && std::isfinite(*value) ? Figure(value) + QStringLiteral(" dB") : QStringLiteral("\u2013");
}
QString OrNotRecorded(const QString& text) { return text.trimmed().isEmpty() ? NotRecorded : text; }
QString Time(double days) { return IsoDateTimeText(days); }
QString Count(qint64 count) { return QString::number(count); }
QString Seconds(double seconds) { return QString::number(seconds, 'f', 1) + QStringLiteral(" s"); }

QString WeightingDescription(Weighting weighting)
{
    switch (weighting) {
    case Weighting::A: return QStringLiteral("A (dBA)");
    case Weighting::C: return QStringLiteral("C (dBC)");
    case Weighting::Mixed: return QStringLiteral("mixed A and C");
    case Weighting::Unknown: break;
    }
    return NotRecorded;
}

QString ResponseDescription(Response response)
{
    switch (response) {
    case Response::Fast: return QStringLiteral("FAST (125 ms)");
    case Response::Slow: return QStringLiteral("SLOW (1 s)");
    case Response::Mixed: return QStringLiteral("mixed FAST and SLOW");
    case Response::Unknown: break;
    }
    return NotRecorded;
}

QString CheckText(const CalibrationCheck& check)
{
    if (!check.levelDb && !check.time)
        return NotRecorded;
    return (check.levelDb ? Db(check.levelDb) : QStringLiteral("level not recorded"))
        + (check.time ? QStringLiteral(" at ") + Time(*check.time) : QStringLiteral(", time not recorded"));
}

QString DriftText(const SurveyDetails& details)
{
    const std::optional<double> drift = CalibrationDrift(details);
    if (!drift)
        return NotRecorded;
    return IsDriftFlagged(*drift)
               ? QStringLiteral("%1 \u2013 FLAGGED: beyond \u00b10.5 dB").arg(SignedDbText(*drift))
               : QStringLiteral("%1 (within \u00b10.5 dB)").arg(SignedDbText(*drift));
}

QString OffsetText(double offsetDb)
{
    return offsetDb == 0.0 ? QStringLiteral("none")
                           : QStringLiteral("%1, added to every level in this report (the recording keeps the levels "
                                            "as measured)").arg(SignedDbText(offsetDb));
}

QString PurposeName(SurveyPurpose purpose)
{
    switch (purpose) {
    case SurveyPurpose::Environmental: return QStringLiteral("Environmental");
    case SurveyPurpose::Occupational: return QStringLiteral("Occupational");
    case SurveyPurpose::NotRecorded: break;
    }
    return NotRecorded;
}

// The recording's wall-clock span: its first sample's time to its last's plus the interval.
struct Span {
    std::optional<double> start, end;
};
Span RecordingSpan(const SurveySeries& recording)
{
    Span span;
    for (std::size_t i = 0; i < recording.Count(); ++i) {
        if (!WallClockMs(recording.times[i]))
            continue;
        if (!span.start)
            span.start = recording.times[i];
        span.end = recording.times[i] + recording.intervalSeconds / 86400.0;
    }
    return span;
}

// A chart's level span: whole tens around the levels, 30-130 dB without any.
std::pair<double, double> LevelSpan(std::span<const float> levels)
{
    float low = 1e9f, high = -1e9f;
    for (float level : levels)
        if (IsMeasurableLevel(level)) {
            low = std::min(low, level);
            high = std::max(high, level);
        }
    if (low > high)
        return {30.0, 130.0};
    return {std::floor((low - 5.0) / 10.0) * 10.0, std::ceil((high + 5.0) / 10.0) * 10.0};
}

class Builder {
public:
    Builder(const Survey& survey, const Recording& recording, const SurveyReportSettings& settings,
            const SurveyProvenance& provenance)
        : survey(survey), details(survey.details), recording(recording), settings(settings), provenance(provenance),
          analysed(Analysed(recording, survey.details.offsetDb)), series(SeriesOf(analysed, survey.exclusions)),
          unexcluded(SeriesOf(analysed, {})), span(RecordingSpan(unexcluded))
    {
        const KeptPoints kept = WithoutExclusions(series.times, series.levels, survey.exclusions);
        metrics = ComputeNoiseMetrics(kept.times, kept.levels, series.intervalSeconds);
        if (settings.events) {
            ExceedanceEvents found;
            eventTable = EventRows(series, *settings.events, &found);
            events = std::move(found);
        }
        den = ComputeDayEveningNight(series, settings.den);
    }

    std::vector<ReportBlock> Blocks()
    {
        TitleAndSummary();
        MeasurementDetails();
        TimeHistory();
        Tables();
        Distribution();
        if (settings.exposure)
            Exposure();
        MethodAndLimitations();
        Provenance();
        return std::move(blocks);
    }

private:
    const Survey& survey;
    const SurveyDetails& details;
    const Recording& recording;
    const SurveyReportSettings& settings;
    const SurveyProvenance& provenance;
    AnalysedRecording analysed;  // the levels with the survey's offset
    SurveySeries series;         // the same with the exclusions left out
    SurveySeries unexcluded;
    Span span;
    NoiseMetrics metrics;
    std::optional<ExceedanceEvents> events;
    ReportTable eventTable;
    std::vector<DenRow> den;
    std::vector<ReportBlock> blocks;

    void Heading(const QString& text) { blocks.push_back(ReportHeading{text}); }
    void Text(const QString& text, ReportText::Style style = ReportText::Style::Body)
    {
        blocks.push_back(ReportText{text, style});
    }
    void Facts(ReportFacts facts) { blocks.push_back(ReportFactList{std::move(facts)}); }

    QString Dates() const
    {
        if (!span.start)
            return NotRecorded;
        return Time(*span.start) + QStringLiteral(" to ") + Time(*span.end);
    }

    void TitleAndSummary()
    {
        blocks.push_back(ReportHeading{QStringLiteral("Noise Survey Report")});
        Facts({{QStringLiteral("Project"), OrNotRecorded(details.project)},
               {QStringLiteral("Client"), OrNotRecorded(details.client)},
               {QStringLiteral("Site"), OrNotRecorded(details.site)},
               {QStringLiteral("Measured"), Dates()},
               {QStringLiteral("Operator"), OrNotRecorded(details.operatorName)},
               {QStringLiteral("Report"), OrNotRecorded(details.reportId)},
               {QStringLiteral("Made with"), OrNotRecorded(provenance.program)}});
        if (!survey.source.sha256.isEmpty() && !provenance.sourceSha256.isEmpty()
            && survey.source.sha256 != provenance.sourceSha256)
            Text(QStringLiteral("The recording has changed since the survey was saved (its SHA-256 differs): the "
                                "figures are of the recording as it is now."),
                 ReportText::Style::Warning);
        if (details.offsetDb != 0.0)
            Text(QStringLiteral("Every level in this report includes a calibration offset of %1.")
                     .arg(SignedDbText(details.offsetDb)),
                 ReportText::Style::Warning);
        if (const std::optional<double> drift = CalibrationDrift(details); drift && IsDriftFlagged(*drift))
            Text(QStringLiteral("The calibration drifted by %1 between the checks before and after the measurement, "
                                "beyond \u00b10.5 dB: the levels may be in error by as much.")
                     .arg(SignedDbText(*drift)),
                 ReportText::Style::Warning);
        ReportGrid summary{QStringLiteral("Summary of results"),
                           {QStringLiteral("Measure"), QStringLiteral("Value")},
                           {3.0, 1.0},
                           {}};
        const auto row = [&summary](const QString& name, const QString& value) { summary.rows.push_back({name, value}); };
        row(QStringLiteral("LAeq over the measurement (Leq)"), Db(metrics.leq));
        row(QStringLiteral("Lmax (highest sample)"), Db(metrics.lmax));
        row(QStringLiteral("Lmin (lowest sample)"), Db(metrics.lmin));
        row(QStringLiteral("L10"), Db(metrics.l10));
        row(QStringLiteral("L50"), Db(metrics.l50));
        row(QStringLiteral("L90 (background)"), Db(metrics.l90));
        row(QStringLiteral("SEL"), Db(metrics.sel));
        // Each date's Lden, and its Lnight where it has one: a night's survey has no Lden to give.
        for (const DenRow& day : den) {
            if (day.lden)
                row(QStringLiteral("Lden of %1").arg(Time(day.date).left(10)), Db(day.lden));
            if (day.lnight)
                row(QStringLiteral("Lnight of %1 (the night from that date)").arg(Time(day.date).left(10)),
                    Db(day.lnight));
        }
        if (events)
            row(QStringLiteral("Events at or above %1 dB").arg(Figure(settings.events->aboveDb)),
                Count(static_cast<qint64>(events->events.size())));
        row(QStringLiteral("Valid samples analysed"), Count(metrics.validSamples));
        row(QStringLiteral("Time analysed"), Seconds(metrics.seconds));
        blocks.push_back(std::move(summary));
    }

    void MeasurementDetails()
    {
        blocks.push_back(ReportPageBreak{});
        Heading(QStringLiteral("Measurement details"));
        const SurveyDetails::Instrument& instrument = details.instrument;
        const SurveyDetails::Calibrator& calibrator = details.calibrator;
        Facts({{QStringLiteral("Instrument"), OrNotRecorded(instrument.model)},
               {QStringLiteral("Serial number"), OrNotRecorded(instrument.serial)},
               {QStringLiteral("IEC 61672-1 class"),
                instrument.iecClass ? QStringLiteral("Class %1").arg(*instrument.iecClass) : NotRecorded},
               {QStringLiteral("Last verification"),
                instrument.verified.isValid() ? instrument.verified.toString(Qt::ISODate) : NotRecorded},
               {QStringLiteral("Calibrator"), OrNotRecorded(calibrator.model)},
               {QStringLiteral("Calibrator serial number"), OrNotRecorded(calibrator.serial)},
               {QStringLiteral("Calibrator reference level"),
                calibrator.referenceDb ? Db(calibrator.referenceDb) : NotRecorded},
               {QStringLiteral("Check before"), CheckText(details.before)},
               {QStringLiteral("Check after"), CheckText(details.after)},
               {QStringLiteral("Drift (after \u2212 before)"), DriftText(details)},
               {QStringLiteral("Calibration offset"), OffsetText(details.offsetDb)}});
        Heading(QStringLiteral("Settings and times"));
        Facts({{QStringLiteral("Frequency weighting"), WeightingDescription(recording.weighting)},
               {QStringLiteral("Time weighting (response)"), ResponseDescription(recording.response)},
               {QStringLiteral("Logging interval"),
                series.intervalSeconds > 0.0 ? Seconds(series.intervalSeconds) : NotRecorded},
               {QStringLiteral("Range"), recording.range ? RangeName(*recording.range) + QStringLiteral(" dB") : NotRecorded},
               {QStringLiteral("Start"), span.start ? Time(*span.start) : NotRecorded},
               {QStringLiteral("End"), span.end ? Time(*span.end) : NotRecorded},
               {QStringLiteral("Time zone"), OrNotRecorded(provenance.timeZone)
                                                 + QStringLiteral(" (the computer's, when the report was made; times "
                                                                  "are the recording's wall clock)")}});
        Heading(QStringLiteral("Position and conditions"));
        Facts({{QStringLiteral("Purpose"), PurposeName(details.purpose)},
               {QStringLiteral("Site"), OrNotRecorded(details.site)},
               {QStringLiteral("Position"), OrNotRecorded(details.position)},
               {QStringLiteral("Site sketch or photo"), OrNotRecorded(details.picture)},
               {QStringLiteral("Notes (source, conditions, weather)"), OrNotRecorded(details.notes)}});
    }

    void TimeHistory()
    {
        blocks.push_back(ReportPageBreak{});
        Heading(QStringLiteral("Time history"));
        ReportChart chart;
        chart.times.assign(series.times.begin(), series.times.end());
        chart.levels.assign(series.levels.begin(), series.levels.end());
        chart.levels.resize(std::min(chart.levels.size(), chart.times.size()));
        chart.times.resize(chart.levels.size());
        chart.first = span.start.value_or(0.0);
        chart.last = span.end.value_or(0.0);
        std::tie(chart.bottom, chart.top) = LevelSpan(series.levels);
        chart.levelAxis = LevelAxisName(recording.weighting, recording.response);
        for (const Exclusion& exclusion : survey.exclusions)
            chart.shaded.emplace_back(exclusion.from, exclusion.to);
        if (events) {
            int number = 0;
            for (const ExceedanceEvent& event : events->events)
                chart.marks.push_back({event.start, event.lmax.value_or(chart.top) + 1.0,
                                       QStringLiteral("E%1").arg(++number), false, 0xff2020c0u});
        }
        blocks.push_back(ReportTimeHistory{std::move(chart)});
        Text(QStringLiteral("Shaded: the spans excluded from the analysis. E1, E2, \u2026: the events of the event "
                            "list, at their start."),
             ReportText::Style::Note);
        blocks.push_back(ReportPageBreak{});
    }

    void Tables()
    {
        if (const std::optional<ReportTable> periods = PeriodRows(series, settings.periodMinutes))
            blocks.push_back(PrintedGrid(*periods, QStringLiteral("Periods of %1 minutes").arg(settings.periodMinutes)));
        const DenSettings& d = settings.den;
        blocks.push_back(PrintedGrid(DenRowsOf(den, d.nightRank),
                                     QStringLiteral("Day (%1), evening (%2, +%3 dB) and night (%4, +%5 dB)")
                                         .arg(DaySpanText(d.day), DaySpanText(d.evening), Figure(d.eveningPenaltyDb),
                                              DaySpanText(d.night), Figure(d.nightPenaltyDb))));
        if (events) {
            const EventSettings& e = *settings.events;
            const QString bridged = e.bridgeSeconds > 0.0
                                        ? QStringLiteral(", quieter dips shorter than %1 s bridged").arg(Figure(e.bridgeSeconds))
                                        : QString();
            Text(QStringLiteral("Events: the level at or above %1 dB for at least %2 s%3. %4 event(s); %5 of %6 "
                                "measured at or above %1 dB (%7 %).")
                     .arg(Figure(e.aboveDb), Figure(e.minSeconds), bridged)
                     .arg(events->events.size())
                     .arg(Seconds(events->secondsAbove), Seconds(events->measuredSeconds),
                          Figure(events->percentAbove)));
            blocks.push_back(PrintedGrid(eventTable, QStringLiteral("Events")));
        }
    }

    void Distribution()
    {
        Heading(QStringLiteral("Distribution of levels (classes of %1 dB)").arg(Figure(settings.histogramWidthDb)));
        blocks.push_back(ReportDistribution{ComputeLevelDistribution(series, settings.histogramWidthDb)});
        Text(QStringLiteral("Bars: the share of the valid samples in each class. Line: the share at or above the "
                            "class's lower bound, from which L5 (%1), L10 (%2), L50 (%3), L90 (%4) and L95 (%5) "
                            "are read.")
                 .arg(Db(metrics.l5), Db(metrics.l10), Db(metrics.l50), Db(metrics.l90), Db(metrics.l95)),
             ReportText::Style::Note);
    }

    void Exposure()
    {
        const OccupationalExposure e =
            ComputeOccupationalExposure(series, recording.weighting, recording.response);
        Heading(QStringLiteral("Occupational exposure"));
        Facts({{QStringLiteral("LEX,8h"), Db(e.lex8h)},
               {QStringLiteral("Dose (85 dB, 8 h, 3 dB exchange)"), Figure(e.dose85Percent) + QStringLiteral(" %")},
               {QStringLiteral("OSHA dose (90 dB, 5 dB exchange)"), Figure(e.oshaDosePercent) + QStringLiteral(" %")},
               {QStringLiteral("OSHA TWA"), Db(e.oshaTwaDb)},
               {QStringLiteral("OSHA hearing conservation dose"), Figure(e.hcDosePercent) + QStringLiteral(" %")},
               {QStringLiteral("EU verdict (80 / 85 / 87 dB(A))"), OrNotRecorded(e.verdict)}});
        Text(QStringLiteral("Peak sound pressure (LCpeak) was not measured: the meter does not record it, so the "
                            "peak action and limit values (135 / 137 / 140 dB(C)) are not assessed."),
             ReportText::Style::Warning);
    }

    void MethodAndLimitations()
    {
        Heading(QStringLiteral("Method and limitations"));
        Text(QStringLiteral(
                 "The levels are the meter's samples at its logging interval (%1), not a continuous integration: "
                 "Lmax, Lmin and the percentile levels L5 to L95 are those of the sampled levels, and a short event "
                 "between two samples is not seen. Leq, SEL and the period levels are energy averages of the "
                 "samples, each standing for its interval. Samples outside 20-140 dB (over- or under-range) and "
                 "empty points are left out.")
                 .arg(series.intervalSeconds > 0.0 ? Seconds(series.intervalSeconds) : NotRecorded));
        Text(QStringLiteral(
            "Lden and Ldn are given for each date that holds samples of every part of the day; the Lden of one day "
            "is a sample of that day and not the annual average that noise maps and limits refer to. Periods and "
            "parts of the day are by the recording's wall clock."));
        if (details.offsetDb != 0.0)
            Text(QStringLiteral("A calibration offset of %1 was added to every sampled level before the analysis; the "
                                "recording itself keeps the levels as measured.")
                     .arg(SignedDbText(details.offsetDb)));
        if (survey.exclusions.empty()) {
            Text(QStringLiteral("No span of the recording was excluded from the analysis."));
            return;
        }
        ReportGrid grid{QStringLiteral("Exclusions"),
                        {QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Removed"),
                         QStringLiteral("Reason")},
                        {2.2, 2.2, 1.2, 4.0},
                        {}};
        const RemovedTime removed =
            TimeRemovedByExclusions(unexcluded.times, unexcluded.levels, unexcluded.intervalSeconds, survey.exclusions);
        for (std::size_t i = 0; i < survey.exclusions.size(); ++i) {
            const Exclusion& exclusion = survey.exclusions[i];
            grid.rows.push_back({Time(exclusion.from), Time(exclusion.to), Seconds(removed.each[i]),
                                 OrNotRecorded(exclusion.reason)});
        }
        const double total = removed.total;
        Text(QStringLiteral("%1 span(s) were excluded from every figure of this report, removing %2 of measured "
                            "samples; they are shaded in the time history.")
                 .arg(survey.exclusions.size())
                 .arg(Seconds(total)));
        blocks.push_back(std::move(grid));
    }

    void Provenance()
    {
        Heading(QStringLiteral("Provenance"));
        Facts({{QStringLiteral("Recording"), OrNotRecorded(provenance.sourceName)},
               {QStringLiteral("Recording SHA-256"), OrNotRecorded(provenance.sourceSha256)},
               {QStringLiteral("Survey file"), OrNotRecorded(provenance.surveyName)},
               {QStringLiteral("Survey file SHA-256"), OrNotRecorded(provenance.surveySha256)},
               {QStringLiteral("Report made"), Time(provenance.generated) + QStringLiteral(" ")
                                                   + provenance.timeZone},
               {QStringLiteral("Program"), OrNotRecorded(provenance.program)}});
    }
};

}  // namespace

SurveyReport MakeSurveyReport(const Survey& survey, const Recording& recording,
                              const SurveyReportSettings& settings, const SurveyProvenance& provenance)
{
    SurveyReport report;
    report.header = survey.details.project.trimmed().isEmpty() ? QStringLiteral("Noise survey")
                                                                : survey.details.project;
    if (survey.details.offsetDb != 0.0)
        report.header += QStringLiteral(" \u00b7 levels include a calibration offset of %1")
                             .arg(SignedDbText(survey.details.offsetDb));
    report.pages = LayOutPages(Builder(survey, recording, settings, provenance).Blocks());
    return report;
}

SurveyReportSettings SurveyReportDefaults(const Survey& survey)
{
    SurveyReportSettings settings;
    const SurveyAnalysis& analysis = survey.analysis;
    settings.periodMinutes = analysis.periodMinutes.value_or(15);
    settings.den = analysis.den.value_or(DenSettings{});
    settings.events = analysis.events;
    settings.histogramWidthDb = analysis.histogramWidthDb.value_or(1.0);
    settings.exposure = survey.details.purpose == SurveyPurpose::Occupational;
    return settings;
}
