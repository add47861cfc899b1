#include "cli/ReportCommand.h"

#include "cli/AnalysisTables.h"
#include "cli/Console.h"
#include "cli/CommandOutputs.h"
#include "cli/ExitStatus.h"
#include "cli/ReportDrawing.h"
#include "cli/ReportSource.h"
#include "leq/ExceedanceEvents.h"
#include "recording/ReadRecordings.h"
#include "survey/ReportProvenance.h"
#include "survey/SurveyReport.h"
#include "shell/Formats.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The settings of the tables asked for: the command line's over a survey's over the usual.
struct Analysis {
    std::vector<Exclusion> exclusions;
    std::optional<DenSettings> den;
    std::optional<EventSettings> events;
};

std::optional<Analysis> ChooseAnalysis(const ReportOptions& options, const ReportSource& source, QString* problem)
{
    Analysis analysis;
    const SurveyAnalysis saved = source.survey ? source.survey->analysis : SurveyAnalysis{};
    if (source.survey)
        analysis.exclusions = source.survey->exclusions;
    analysis.exclusions.insert(analysis.exclusions.end(), options.exclusions.begin(), options.exclusions.end());
    if (options.den) {
        DenSettings den = saved.den.value_or(DenSettings{});
        den.day = options.day.value_or(den.day);
        den.evening = options.evening.value_or(den.evening);
        den.night = options.night.value_or(den.night);
        if (const QString wrong = DenSettingsProblem(den); !wrong.isEmpty()) {
            *problem = QStringLiteral("--den: %1.").arg(wrong);
            return std::nullopt;
        }
        analysis.den = den;
    }
    if (options.events) {
        const std::optional<EventSettings> surveys = saved.events;
        if (!(options.aboveDb || surveys) || !(options.forSeconds || surveys)) {
            *problem = QStringLiteral("--events needs --above DB and --for SECONDS.");
            return std::nullopt;
        }
        EventSettings events = surveys.value_or(EventSettings{});
        events.aboveDb = options.aboveDb.value_or(events.aboveDb);
        events.minSeconds = options.forSeconds.value_or(events.minSeconds);
        events.bridgeSeconds = options.bridgeSeconds.value_or(events.bridgeSeconds);
        analysis.events = events;
    }
    return analysis;
}

// The file of one of several tables: night.csv gives night-periods.csv.
QString TablePath(const QString& csv, const QString& table)
{
    const QFileInfo info(csv);
    const QString name = info.suffix().isEmpty()
                             ? info.fileName() + u'-' + table
                             : info.completeBaseName() + u'-' + table + u'.' + info.suffix();
    return info.dir().filePath(name);
}

bool WriteTables(QIODevice& out, const std::vector<ReportTable>& tables)
{
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const QByteArray text = (i > 0 ? QByteArray("\n") : QByteArray()) + TableCsv(tables[i]);
        if (out.write(text) != text.size())
            return false;
    }
    return true;
}

QByteArray JsonDocument(const ReportOptions& options, const Analysis& analysis, const std::vector<ReportTable>& tables,
                        const ReportSource& source, const std::optional<SurveyProvenance>& provenance)
{
    QJsonObject root;
    root.insert(QStringLiteral("source"), QDir::toNativeSeparators(options.source));
    if (source.survey) {
        const SurveyDetails& details = source.survey->details;
        root.insert(QStringLiteral("details"), SurveyDetailsJson(details));
        const std::optional<double> drift = CalibrationDrift(details);
        root.insert(QStringLiteral("calibration_drift"),
                    QJsonObject{{QStringLiteral("drift_db"), drift ? QJsonValue(*drift) : QJsonValue()},
                                {QStringLiteral("flagged"), drift && IsDriftFlagged(*drift)}});
    }
    if (provenance)
        root.insert(QStringLiteral("provenance"), ProvenanceJson(*provenance));
    QJsonArray exclusions;
    for (const Exclusion& exclusion : analysis.exclusions)
        exclusions.append(QJsonObject{{QStringLiteral("from"), IsoDateTimeText(exclusion.from)},
                                      {QStringLiteral("to"), IsoDateTimeText(exclusion.to)},
                                      {QStringLiteral("reason"), exclusion.reason}});
    root.insert(QStringLiteral("exclusions"), exclusions);
    QJsonObject settings;
    if (options.periodMinutes)
        settings.insert(QStringLiteral("period_minutes"), *options.periodMinutes);
    if (analysis.den)
        settings.insert(QStringLiteral("den"),
                        QJsonObject{{QStringLiteral("day"), DaySpanText(analysis.den->day)},
                                    {QStringLiteral("evening"), DaySpanText(analysis.den->evening)},
                                    {QStringLiteral("night"), DaySpanText(analysis.den->night)},
                                    {QStringLiteral("evening_penalty_db"), analysis.den->eveningPenaltyDb},
                                    {QStringLiteral("night_penalty_db"), analysis.den->nightPenaltyDb},
                                    {QStringLiteral("night_rank"), analysis.den->nightRank}});
    if (analysis.events)
        settings.insert(QStringLiteral("events"),
                        QJsonObject{{QStringLiteral("above_db"), analysis.events->aboveDb},
                                    {QStringLiteral("for_s"), analysis.events->minSeconds},
                                    {QStringLiteral("bridge_s"), analysis.events->bridgeSeconds}});
    if (options.histogramWidthDb)
        settings.insert(QStringLiteral("histogram_width_db"), *options.histogramWidthDb);
    if (source.survey)
        settings.insert(QStringLiteral("offset_db"), source.survey->details.offsetDb);
    root.insert(QStringLiteral("settings"), settings);
    for (const ReportTable& table : tables)
        root.insert(table.name, TableJson(table));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void SayEventSummary(const ReportTable& summary, Console& console)
{
    for (const std::vector<ReportCell>& row : summary.rows) {
        const auto figure = [&row](std::size_t i) {
            const double* value = std::get_if<double>(&row[i]);
            return value ? QString::number(*value, 'f', 1) : QStringLiteral("-");
        };
        console.Line(QStringLiteral("Set %1: %2 event(s) at or above %3 dB; %4 s of %5 s measured at or above it (%6 %).")
                         .arg(std::get<qint64>(row[0]))
                         .arg(std::get<qint64>(row[1]))
                         .arg(figure(2), figure(3), figure(4), figure(5)));
    }
}

// A survey's report: its settings, then those asked for on the command line.
SurveyReport SurveyReportOf(const ReportOptions& options, const ReportSource& source, const Analysis& analysis,
                            const SurveyProvenance& provenance)
{
    // A recording without a survey (a graph, a watch log) is reported as a survey that holds
    // nothing yet, as a one-line survey naming it would be.
    Survey survey = source.survey.value_or(Survey{});
    survey.exclusions = analysis.exclusions;
    SurveyReportSettings settings = SurveyReportDefaults(survey);
    settings.periodMinutes = options.periodMinutes.value_or(settings.periodMinutes);
    settings.den = analysis.den.value_or(settings.den);
    if (analysis.events)
        settings.events = analysis.events;
    settings.histogramWidthDb = options.histogramWidthDb.value_or(settings.histogramWidthDb);
    settings.exposure = settings.exposure || options.exposure;
    return MakeSurveyReport(survey, source.sets.front(), settings, provenance);
}

}  // namespace

int RunReport(const ReportOptions& options, Console& console)
{
    if (!options.pdf.isEmpty() && (!InstalledReportDrawing().WritePdf || !InstalledReportDrawing().WriteSurveyPdf)) {
        console.Line(QStringLiteral("Cannot write the file %1: this program cannot draw a report.")
                         .arg(QDir::toNativeSeparators(options.pdf)));
        return ExitStatus::File;
    }
    int status = ExitStatus::Ok;
    const std::optional<ReportSource> source = ReadReportSource(options.source, console, &status);
    if (!source)
        return status;
    // The report pages show a collection's sets as recorded, without exclusions; a survey, a
    // graph and a watch log have the survey's report of several pages.
    const bool surveyPdf = !options.pdf.isEmpty() && (source->survey || !source->collection);
    if (!options.pdf.isEmpty() && !surveyPdf && !options.exclusions.empty()) {
        console.Line(QStringLiteral("--pdf draws the sets of a collection (.REC) as recorded, without exclusions; "
                                    "save a survey of a set to report it with them."));
        return ExitStatus::Usage;
    }
    QString problem;
    const std::optional<Analysis> analysis = ChooseAnalysis(options, *source, &problem);
    if (!analysis) {
        console.Line(problem);
        return ExitStatus::Usage;
    }
    if (source->survey && source->survey->details.offsetDb != 0.0)
        console.Line(QStringLiteral("Every level includes the survey's calibration offset of %1; the recording keeps "
                                    "the levels as measured.")
                         .arg(SignedDbText(source->survey->details.offsetDb)));
    // A survey's report and JSON name where their figures come from, alike.
    std::optional<SurveyProvenance> provenance;
    if ((source->survey && !options.json.isEmpty()) || surveyPdf) {
        QString error;
        provenance = source->survey ? ReadProvenance(options.source, source->recordingPath, &error)
                                    : ReadProvenance(QString(), options.source, &error);
        if (!provenance) {
            console.Line(error);
            return ExitStatus::File;
        }
    }

    // The tables asked for, in the order of the options' description; the metrics when none is.
    std::vector<ReportTable> tables;
    if (options.periodMinutes) {
        std::optional<ReportTable> periods = PeriodsTable(*source, analysis->exclusions, *options.periodMinutes, &problem);
        if (!periods) {
            console.Line(problem);
            return ExitStatus::Usage;
        }
        tables.push_back(std::move(*periods));
    }
    if (analysis->den)
        tables.push_back(DenTable(*source, analysis->exclusions, *analysis->den));
    ReportTable eventSummary;
    if (analysis->events) {
        tables.push_back(EventsTable(*source, analysis->exclusions, *analysis->events, &eventSummary));
        SayEventSummary(eventSummary, console);
    }
    if (options.histogramWidthDb)
        tables.push_back(HistogramTable(*source, analysis->exclusions, *options.histogramWidthDb));
    if (options.exposure)
        tables.push_back(ExposureTable(*source, analysis->exclusions));
    // The metrics go to the CSV when no table is asked for, and always to the JSON.
    std::optional<ReportTable> metrics;
    if (tables.empty() || !options.json.isEmpty()) {
        metrics = MetricsTable(*source, analysis->exclusions);
        for (const QString& line : ExposureNotGivenLines(*source))
            console.Line(line);
    }
    const std::vector<ReportTable> csvTables = tables.empty() ? std::vector<ReportTable>{*metrics} : tables;

    // Every output is written, or none.
    std::vector<CommandOutput> outputs;
    const bool onlyFiles = options.csv.isEmpty() && (!options.pdf.isEmpty() || !options.json.isEmpty());
    if (!onlyFiles) {
        if (options.csv.isEmpty() || csvTables.size() == 1) {
            outputs.push_back({options.csv.isEmpty() ? QStringLiteral("-") : options.csv,
                               [&csvTables](QIODevice& out) { return WriteTables(out, csvTables); }});
        } else {
            for (const ReportTable& table : csvTables)
                outputs.push_back({TablePath(options.csv, table.name),
                                   [&table](QIODevice& out) { return WriteTables(out, {table}); }});
        }
    }
    QByteArray json;
    if (!options.json.isEmpty()) {
        std::vector<ReportTable> all{*metrics};
        all.insert(all.end(), tables.begin(), tables.end());
        if (analysis->events)
            all.push_back(eventSummary);
        json = JsonDocument(options, *analysis, all, *source, source->survey ? provenance : std::nullopt);
        outputs.push_back({options.json, [&json](QIODevice& out) { return out.write(json) == json.size(); }});
    }
    std::optional<SurveyReport> surveyReport;
    if (surveyPdf) {
        surveyReport = SurveyReportOf(options, *source, *analysis, *provenance);
        outputs.push_back({options.pdf, [&](QIODevice& out) {
                               return InstalledReportDrawing().WriteSurveyPdf(out, *surveyReport);
                           }});
    } else if (!options.pdf.isEmpty()) {
        outputs.push_back({options.pdf, [&](QIODevice& out) {
                               return InstalledReportDrawing().WritePdf(source->sets, InputName(options.source), out);
                           }});
    }
    QString error;
    if (!WriteCommandOutputs(outputs, &error)) {
        console.Line(error);
        return ExitStatus::File;
    }
    return ExitStatus::Ok;
}
