#include "report/ReportPage.h"

#include "files/ChartState.h"
#include "graph/GraphBoxes.h"
#include "graph/GraphStatistics.h"
#include "leq/SampleInterval.h"
#include "recording/RecordingInterval.h"
#include "shell/Formats.h"

#include <algorithm>
#include <span>

ReportPage MakeReportPage(const ReportGraph& graph, const Recording& recording, double generated)
{
    ReportPage page;
    page.title = RecordingTitle(graph.caption, recording);
    page.generated = generated;
    page.chart = graph.chart;
    page.chart.levelAxis = LevelAxisName(recording.weighting, recording.response);
    page.withCursors = graph.withCursors;

    const std::span<const double> times = recording.Times();
    const std::span<const float> levels = recording.Levels();
    const int count = static_cast<int>(recording.Count());
    const double recorded = recording.intervalSeconds;
    page.metrics = ComputeGraphMetrics(times, levels, IntervalOf(recording), graph.cursorA, graph.cursorB,
                                       recording.weighting);
    if (graph.withCursors) {
        page.boxes = GraphBoxes(times.data(), levels.data(), count, graph.cursorA, graph.cursorB, recorded);
        if (count > 0) {
            page.chart.cursorA = times[static_cast<std::size_t>(std::clamp(graph.cursorA, 0, count - 1))];
            page.chart.cursorB = times[static_cast<std::size_t>(std::clamp(graph.cursorB, 0, count - 1))];
        }
    } else {
        page.boxes = WholeGraphBoxes(times.data(), levels.data(), count, recorded);
        page.chart.cursorA.reset();
        page.chart.cursorB.reset();
    }

    page.facts = {{QStringLiteral("Start time"), page.boxes.startTime.isEmpty() ? QStringLiteral("\u2013") : page.boxes.startTime},
                  {QStringLiteral("Sample interval"), IntervalDescription(page.metrics.interval)},
                  {QStringLiteral("Points"), page.boxes.dataNo}};
    if (const QString weighting = WeightingName(recording.weighting); !weighting.isEmpty())
        page.facts.emplace_back(QStringLiteral("Frequency weighting"), weighting);
    if (const QString response = ResponseName(recording.response); !response.isEmpty())
        page.facts.emplace_back(QStringLiteral("Time weighting (response)"), response);
    if (recording.range)
        page.facts.emplace_back(QStringLiteral("Range"), RangeName(*recording.range) + QStringLiteral(" dB"));
    if (const std::optional<QString> reason = ExposureNotGivenReason(page.metrics.whole.weighting))
        page.facts.emplace_back(QStringLiteral("LEX,8h and dose"), QStringLiteral("not given: ") + *reason);
    return page;
}

QString LevelAxisName(Weighting weighting, Response response)
{
    QString letters;
    if (weighting == Weighting::A || weighting == Weighting::C)
        letters += weighting == Weighting::A ? u'A' : u'C';
    if (response == Response::Fast || response == Response::Slow)
        letters += response == Response::Fast ? u'F' : u'S';
    return letters.isEmpty() ? QStringLiteral("dB") : QStringLiteral("L%1 (dB)").arg(letters);
}

ReportChart ReportChartOf(const ChartState& state)
{
    ReportChart chart;
    const auto points = static_cast<std::size_t>(std::max(0, state.Points));
    if (state.XDataII.size() >= points && state.YData.size() >= points) {
        const auto filled = static_cast<std::size_t>(FilledPoints(state.XDataII.data(), state.Points));
        chart.times.assign(state.XDataII.begin(), state.XDataII.begin() + static_cast<std::ptrdiff_t>(filled));
        chart.levels.assign(state.YData.begin(), state.YData.begin() + static_cast<std::ptrdiff_t>(filled));
        if (state.Subsets > 1 && state.YData.size() >= 2 * points)
            chart.leq.assign(state.YData.begin() + static_cast<std::ptrdiff_t>(points),
                             state.YData.begin() + static_cast<std::ptrdiff_t>(points + filled));
    }
    // A chart viewed in black and white prints so too.
    const bool monochrome = state.ViewingStyle == sgMonochrome;
    const auto colorOf = [&](std::size_t subset, std::uint32_t fallback) {
        return monochrome ? PEargb(255, 0, 0, 0)
                          : subset < state.SubsetColors.size() ? state.SubsetColors[subset] : fallback;
    };
    chart.levelColor = colorOf(0, chart.levelColor);
    chart.leqColor = colorOf(1, chart.leqColor);
    if (state.ManualScaleControlX != sgNoManualScale) {
        chart.first = state.ManualMinX;
        chart.last = state.ManualMaxX;
    } else if (!chart.times.empty()) {
        chart.first = chart.times.front();
        chart.last = chart.times.back();
    }
    if (state.ManualScaleControlY != sgNoManualScale) {
        chart.bottom = state.ManualMinY;
        chart.top = state.ManualMaxY;
    }
    for (const GraphAnnotation& note : state.GraphAnnotations) {
        const bool cross = note.Type == 2;
        if ((cross || !note.Text.isEmpty()) && note.X != 0.0)
            chart.marks.push_back({note.X, note.Y, cross ? QString() : note.Text, cross,
                                   monochrome ? PEargb(255, 0, 0, 0) : note.Color});
    }
    return chart;
}

ReportPage RecordingReportPage(const Recording& recording, const QString& caption, double generated)
{
    ReportGraph graph;
    graph.caption = caption;
    graph.chart.times = recording.times;
    graph.chart.levels = recording.levels;
    graph.chart.first = recording.start;
    graph.chart.last = recording.start + static_cast<double>(recording.Count()) * (recording.intervalSeconds * OneSecond);
    return MakeReportPage(graph, recording, generated);
}
