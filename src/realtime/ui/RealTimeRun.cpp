#include "realtime/ui/RealTimeRun.h"

#include "graph/GraphStatistics.h"
#include "graph/SliderMath.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/TfrmGraph.h"
#include "realtime/RealTimeRules.h"
#include "realtime/ui/RealTimeGraph.h"
#include "realtime/ui/TfrmSetupRealTime.h"
#include "shell/AppState.h"
#include "shell/Clock.h"
#include "shell/Formats.h"
#include "shell/Settings.h"
#include "shell/ui/AppWindows.h"
#include "shell/ui/Prompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <optional>
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

std::optional<RunSetup> AskRunSetup(TfrmGraph& graph)
{
    TfrmSetupRealTime dialog;
    dialog.txtRate()->setEditText(graph.txtSamplingRate->currentText());
    dialog.edtPeriod()->setText(InitialPeriodText(App.RealTimeRate));
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

void StartRealTimeRun(TfrmGraph& graph, const RunSetup& setup)
{
    App.RealTimeRate = setup.rate;
    SelectRateEntry(graph, setup.rate);

    PESGraph& chart = *graph.PESGraph1;
    chart.SetSize(chart.Subsets(), setup.count);  // the earlier samples are gone
    App.RealTimeCount = 0;
    App.RealTimeMax = -9999.0f;
    App.RealTimeMin = 9999.0f;
    ClearRunStatistics(graph);

    const double t0 = CurrentClock().Now();
    graph.txtStartTime->setText(DateTimeText(t0));
    chart.SetManualX(t0, t0 + 100 * OneSecond);

    App.RealTimeRunning = true;
    App.LastGoodLevel = 0.0f;
    graph.txtDataNo->setText(QStringLiteral("0"));

    graph.txtStartTime->setText(DateTimeText(AlignedToSecond()));
    TakeRealTimeSample(graph);
    App.RealTimeTicks = 0;
}

void TakeRealTimeSample(TfrmGraph& graph)
{
    PESGraph& chart = *graph.PESGraph1;
    // A full chart takes no more samples (a capacity of 0 holds none).
    if (App.RealTimeCount >= chart.Points())
        return;
    const double t = CurrentClock().Now();
    const float live = App.LiveLevel;
    const std::optional<float> level = PlausibleLevel(live, App.LastGoodLevel);
    if (!level)
        return;
    if (*level == live)
        App.LastGoodLevel = live;
    else
        App.LiveLevel = *level;  // the stale good level stands in for an implausible one
    const float sample = *level;

    App.RealTimeUnsaved = true;
    // Equal levels do not replace an extreme: the earliest sample keeps its time.
    if (sample > App.RealTimeMax) {
        App.RealTimeMax = sample;
        App.RealTimeMaxTime = t;
        graph.txtMax->setText(OneDecimalText(sample));
        graph.txtMaxTime->setText(DateTimeText(t));
    }
    if (sample < App.RealTimeMin) {
        App.RealTimeMin = sample;
        App.RealTimeMinTime = t;
        graph.txtMin->setText(OneDecimalText(sample));
        graph.txtMinTime->setText(DateTimeText(t));
    }

    chart.SetPoint(0, App.RealTimeCount, t, sample);
    ++App.RealTimeCount;
    graph.txtDataNo->setText(QString::number(App.RealTimeCount));
    // The time axis grows in 30-second steps ahead of the newest sample.
    if (chart.State().ManualMaxX < t)
        chart.SetManualX(chart.State().ManualMinX, t + 30 * OneSecond);
    graph.RedrawChart();
}

bool RealTimeTick()
{
    if (!Windows.RealTimeGraph || !App.RealTimeRunning)
        return false;
    ++App.RealTimeTicks;
    if (static_cast<float>(App.RealTimeTicks) < App.RealTimeRate)
        return false;
    App.RealTimeTicks = 0;
    TakeRealTimeSample(*Windows.RealTimeGraph);
    return App.RealTimeCount >= Windows.RealTimeGraph->PESGraph1->Points();
}

void FinishRealTimeRun(TfrmGraph& graph)
{
    graph.parentWidget()->showNormal();
    const double t = CurrentClock().Now();

    PESGraph& chart = *graph.PESGraph1;
    const int count = std::min(App.RealTimeCount, chart.Points());
    if (count < chart.Points())
        TrimChart(chart, count);
    chart.SetManualX(chart.State().ManualMinX, t);

    const GraphStatistics statistics = ComputeGraphStatistics(chart.XSubset(0), chart.YSubset(0), count);
    graph.txtAvgAll->setText(OneDecimalText(statistics.average.value_or(0.0)));
    // Fewer than two samples leave the slider as it was.
    if (count >= 2) {
        const SliderFrame frame = SliderFrameFor(count);
        graph.SetSlider(frame.minimum, frame.maximum, frame.value1, frame.value2);
    }
    graph.RedrawChart();
}
