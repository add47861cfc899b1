#include "report/ReportPage.h"

#include "files/ChartState.h"
#include "graph/GraphBoxes.h"
#include "graph/GraphStatistics.h"
#include "leq/SampleInterval.h"
#include "logger/DataSetFlags.h"
#include "logger/DataSetTable.h"
#include "shell/Formats.h"

#include <algorithm>
#include <span>

ReportPage MakeReportPage(const ReportGraph& graph, double generated)
{
    ReportPage page;
    page.title = RecordingTitle(graph.caption, graph.recording);
    page.generated = generated;
    page.chart = graph.chart;
    page.withCursors = graph.withCursors;

    const ReportChart& chart = graph.chart;
    const int count = static_cast<int>(std::min(chart.times.size(), chart.levels.size()));
    const std::span<const double> times(chart.times.data(), static_cast<std::size_t>(count));
    const std::span<const float> levels(chart.levels.data(), static_cast<std::size_t>(count));
    const double recorded = graph.recording.intervalSeconds;
    page.metrics = ComputeGraphMetrics(times, levels, recorded, graph.cursorA, graph.cursorB,
                                       WeightingOf(graph.recording.weighting));
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
    const GraphRecording& recording = graph.recording;
    if (!recording.weighting.isEmpty())
        page.facts.emplace_back(QStringLiteral("Frequency weighting"), recording.weighting);
    if (!recording.response.isEmpty())
        page.facts.emplace_back(QStringLiteral("Time weighting (response)"), recording.response);
    if (!recording.range.isEmpty())
        page.facts.emplace_back(QStringLiteral("Range"), recording.range + QStringLiteral(" dB"));
    if (const std::optional<QString> reason = ExposureNotGivenReason(page.metrics.whole.weighting))
        page.facts.emplace_back(QStringLiteral("LEX,8h and dose"), QStringLiteral("not given: ") + *reason);
    return page;
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

ReportPage DataSetReportPage(const DataSetTable& table, int set, const QString& caption, double generated)
{
    ReportGraph graph;
    graph.caption = caption;
    if (set >= 0 && set < static_cast<int>(table.sets.size())) {
        const DataSet& data = table.sets[static_cast<std::size_t>(set)];
        const auto first = static_cast<std::ptrdiff_t>(table.FirstSample(set));
        const std::ptrdiff_t n = std::max(0, data.sampleCount);
        graph.recording = {QStringLiteral("Data set %1").arg(set + 1), static_cast<double>(data.interval),
                           WeightingText(data.flags), ResponseText(data.flags), RangeText(data.flags)};
        graph.chart.times.assign(table.times.begin() + first, table.times.begin() + first + n);
        graph.chart.levels.assign(table.levels.begin() + first, table.levels.begin() + first + n);
        graph.chart.first = data.startTime;
        graph.chart.last = SampleTime(data, n);
    }
    return MakeReportPage(graph, generated);
}
