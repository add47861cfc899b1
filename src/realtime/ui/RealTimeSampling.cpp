#include "realtime/ui/RealTimeSampling.h"

#include "graph/GraphStatistics.h"
#include "graph/SliderMath.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "realtime/RealTimeRules.h"
#include "realtime/RealTimeRun.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/TfrmSetupRealTime.h"
#include "recording/MeterFacts.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "shell/Settings.h"
#include "shell/ui/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Waits for the start of a second, so that the first sample falls on it; it sleeps towards
// the second in short steps and processes no window messages. The tick count bounds the
// wait should the clock not move.
double AlignedToSecond()
{
    Clock& clock = CurrentClock();
    const std::uint32_t start = clock.TickCountMs();
    for (double now = clock.Now();; now = clock.Now()) {
        const std::optional<DayCountParts> parts = SplitDayCount(now);
        const int intoSecond = parts ? parts->ms % 1000 : 0;
        if (intoSecond <= 20 || static_cast<std::uint32_t>(clock.TickCountMs() - start) >= 1100)
            return now;
        clock.SleepMs(std::min<std::uint32_t>(static_cast<std::uint32_t>(1000 - intoSecond), SleepStepMs));
    }
}

void ClearRunStatistics(TfrmGraph& graph)
{
    for (QLineEdit* box : {graph.txtAvgAll, graph.txtMax, graph.txtMin, graph.txtMaxTime,
                           graph.txtMinTime, graph.txtCursorA, graph.txtCursorATime,
                           graph.txtCursorB, graph.txtCursorBTime, graph.txtMaxAB,
                           graph.txtMaxABTime, graph.txtMinAB, graph.txtMinABTime, graph.txtAvgAB})
        box->clear();
}

// Keeps the first count points of subset 0 and makes them the whole chart.
void TrimChart(PESGraph& chart, int count)
{
    const std::vector<double> times(chart.XSubset(0), chart.XSubset(0) + count);
    const std::vector<float> levels(chart.YSubset(0), chart.YSubset(0) + count);
    chart.SetSize(chart.Subsets(), count);
    chart.SetSubsetData(0, times.data(), levels.data(), count);
}

}  // namespace

std::optional<RunSetup> AskRunSetup(TfrmGraph& graph, const RealTimeRun& run)
{
    TfrmSetupRealTime dialog;
    dialog.txtRate()->setEditText(graph.txtSamplingRate->currentText());
    dialog.edtPeriod()->setText(InitialPeriodText(run.Rate));
    if (CurrentPrompts().RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;

    const QString rateText = dialog.txtRate()->currentText();
    bool rateOk = false;
    const double rate = ReadNumber(rateText, &rateOk);
    if (!rateOk) {
        CurrentPrompts().ShowError(NotANumberMessage(rateText));
        return std::nullopt;
    }
    if (!IsValidSamplingRate(rate)) {
        CurrentPrompts().ShowError(InvalidRateMessage(rateText));
        return std::nullopt;
    }
    const QString countText = dialog.edtRealTimeNo()->text();
    bool countOk = false;
    const int count = countText.trimmed().toInt(&countOk);
    if (!countOk || count < 0) {
        CurrentPrompts().ShowMessage(countText + QStringLiteral(" is not valid.\n"));
        return std::nullopt;
    }
    return RunSetup{count, static_cast<float>(rate)};
}

void StartRealTimeRun(TfrmGraph& graph, RealTimeRun& run, const RunSetup& setup, const MeterStatus& status,
                      float liveLevel)
{
    run.Rate = setup.rate;
    SelectRateEntry(graph, setup.rate);

    PESGraph& chart = *graph.PESGraph1;
    graph.BeginRecording(RecordingFactsOf(status), setup.count);  // the earlier samples are gone
    run.Count = 0;
    run.Max = -9999.0f;
    run.Min = 9999.0f;
    ClearRunStatistics(graph);

    const double t0 = CurrentClock().Now();
    graph.txtStartTime->setText(DateTimeText(t0));
    chart.SetManualX(t0, t0 + 100 * OneSecond);

    run.Running = true;
    run.LastGoodLevel = 0.0f;
    graph.txtDataNo->setText(QStringLiteral("0"));

    graph.txtStartTime->setText(DateTimeText(AlignedToSecond()));
    TakeRealTimeSample(graph, run, liveLevel);
    run.Ticks = 0;
}

void TakeRealTimeSample(TfrmGraph& graph, RealTimeRun& run, float liveLevel)
{
    PESGraph& chart = *graph.PESGraph1;
    // A full chart takes no more samples (a capacity of 0 holds none).
    if (run.Count >= chart.Points())
        return;
    const double t = CurrentClock().Now();
    // The stale good level stands in for an implausible one.
    const std::optional<float> level = PlausibleLevel(liveLevel, run.LastGoodLevel);
    if (!level)
        return;
    if (*level == liveLevel)
        run.LastGoodLevel = liveLevel;
    const float sample = *level;

    run.Unsaved = true;
    // Equal levels do not replace an extreme: the earliest sample keeps its time.
    if (sample > run.Max) {
        run.Max = sample;
        run.MaxTime = t;
        graph.txtMax->setText(OneDecimalText(sample));
        graph.txtMaxTime->setText(DateTimeText(t));
    }
    if (sample < run.Min) {
        run.Min = sample;
        run.MinTime = t;
        graph.txtMin->setText(OneDecimalText(sample));
        graph.txtMinTime->setText(DateTimeText(t));
    }

    graph.AppendSample(t, sample);
    ++run.Count;
    graph.txtDataNo->setText(QString::number(run.Count));
    // The time axis grows in 30-second steps ahead of the newest sample. The state is read
    // through the const access: the other would mark the whole chart for a rebuild.
    const ChartState& scales = std::as_const(chart).State();
    if (scales.ManualMaxX < t)
        chart.SetManualX(scales.ManualMinX, t + 30 * OneSecond);
    graph.RedrawChart();
}

bool RealTimeTick(TfrmGraph& graph, RealTimeRun& run, float liveLevel)
{
    if (!run.Running)
        return false;
    ++run.Ticks;
    if (static_cast<float>(run.Ticks) < run.Rate)
        return false;
    run.Ticks = 0;
    TakeRealTimeSample(graph, run, liveLevel);
    return run.Count >= graph.PESGraph1->Points();
}

void FinishRealTimeRun(TfrmGraph& graph, const RealTimeRun& run)
{
    graph.parentWidget()->showNormal();
    const double t = CurrentClock().Now();

    PESGraph& chart = *graph.PESGraph1;
    const int count = std::min(run.Count, chart.Points());
    if (count < chart.Points())
        TrimChart(chart, count);
    chart.SetManualX(std::as_const(chart).State().ManualMinX, t);

    const GraphStatistics statistics = ComputeGraphStatistics(chart.XSubset(0), chart.YSubset(0), count);
    graph.txtAvgAll->setText(OneDecimalText(statistics.average.value_or(0.0)));
    // Fewer than two samples leave the slider as it was.
    if (count >= 2) {
        const SliderFrame frame = SliderFrameFor(count);
        graph.SetSlider(frame.minimum, frame.maximum, frame.value1, frame.value2);
    }
    graph.RedrawChart();
}
