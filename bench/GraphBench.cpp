// The graph window's speed: redraw while appending, statistics, cursor moves, graph files
// and text export, all on charts of about 100,000 points.
#include "AcceptingPrompts.h"
#include "PlainRatio.h"

#include "graph/ui/ChartFile.h"
#include "graph/ui/ExportGraphText.h"
#include "graph/ui/GraphWindowCommands.h"
#include "graph/ui/PESGraph.h"
#include "graph/ui/PrepareChart.h"
#include "graph/ui/TfrmGraph.h"
#include "graph/ui/Tslider2.h"
#include "shell/Formats.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <malloc.h>

namespace {

constexpr double Start = 45000.5;

float Level(int i)
{
    return static_cast<float>(55.0 + 15.0 * std::sin(i * 0.01) + 5.0 * std::sin(i * 1.7));
}

void Fill(PESGraph& chart, int points, bool fixedTimeScale)
{
    PrepareChart(chart, 1, 130.0f, 30.0f, fixedTimeScale ? Start + points * OneSecond : 0.0,
                 fixedTimeScale ? Start : 0.0, points);
    for (int i = 0; i < points; ++i)
        chart.SetPoint(0, i, Start + i * OneSecond, Level(i));
}

std::unique_ptr<TfrmGraph> FilledWindow(int points)
{
    auto window = std::make_unique<TfrmGraph>();
    window->resize(1152, 699);
    window->show();
    Fill(*window->PESGraph1, points, true);
    window->RefreshStatistics();
    QCoreApplication::processEvents();
    return window;
}

void BM_AppendPointAndRedraw(benchmark::State& state)
{
    PESGraph chart;
    chart.resize(1152, 699);
    chart.show();
    Fill(chart, 99'999, false);
    chart.Refresh();
    int i = chart.Points();
    for (auto _ : state) {
        chart.AppendPoint(0, Start + i * OneSecond, Level(i));
        chart.Refresh();
        // Let the window system put the new picture on the screen as well.
        QCoreApplication::processEvents();
        ++i;
    }
}
BENCHMARK(BM_AppendPointAndRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RefreshStatistics(benchmark::State& state)
{
    auto window = FilledWindow(100'000);
    for (auto _ : state)
        window->RefreshStatistics();
}
BENCHMARK(BM_RefreshStatistics)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MoveCursorWithSlider(benchmark::State& state)
{
    auto window = FilledWindow(100'000);
    window->Slider1->SetValue2(99'999);
    int step = 0;
    for (auto _ : state) {
        // Cursor A walks back and forth, so the range between the cursors changes every time.
        window->Slider1->SetValue1((step++ % 2) ? 1'000 : 2'000);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MoveCursorWithSlider)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_GraphFileWriteAndRead(benchmark::State& state)
{
    QTemporaryDir dir;
    PESGraph chart;
    Fill(chart, 100'000, true);
    PESGraph loaded;
    const QString path = dir.filePath(QStringLiteral("bench.ghf"));
    for (auto _ : state) {
        WriteGraphFile(chart, path);
        ReadGraphFile(loaded, path);
    }
}
BENCHMARK(BM_GraphFileWriteAndRead)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The plain program: the same points as the same lines of a US English export, each split by
// gmtime_r and printed with snprintf, written to a file in blocks.
void PlainGraphText(const PESGraph& chart, const char* path)
{
    std::FILE* out = std::fopen(path, "w");
    for (int i = 0; i < chart.Points(); ++i) {
        const auto seconds = static_cast<std::time_t>(std::llround((chart.XDataII(0, i) - 25569.0) * 86400.0));
        std::tm t{};
        gmtime_r(&seconds, &t);
        const int hour = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
        std::fprintf(out, "%d/%d/%04d\t%d:%02d:%02d %s\t%.1f\r\n", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900, hour,
                     t.tm_min, t.tm_sec, t.tm_hour < 12 ? "AM" : "PM", static_cast<double>(chart.YData(0, i)));
    }
    std::fclose(out);
}

// The whole export of the window (range window, progress window, file saved in place) in
// the locale given, against the plain program, processor time.
void BM_ExportGraphText(benchmark::State& state)
{
    const QLocale locale = state.range(0) == 0 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                               : QLocale(QLocale::German, QLocale::Germany);
    QLocale::setDefault(locale);
    state.SetLabel(locale.name().toStdString());
    QTemporaryDir dir;
    AcceptingPrompts prompts;
    SetCurrentPrompts(&prompts);
    PESGraph chart;
    Fill(chart, 100'000, true);
    const QString path = dir.filePath(QStringLiteral("bench.txt"));
    const QByteArray plainPath = dir.filePath(QStringLiteral("plain.txt")).toLocal8Bit();
    PlainRatio ratio;
    for (auto _ : state) {
        const double t0 = ProcessCpuSeconds();
        ExportGraphText(chart, path, u'\t');
        const double t1 = ProcessCpuSeconds();
        PlainGraphText(chart, plainPath.constData());
        const double t2 = ProcessCpuSeconds();
        ratio.Add(t1 - t0, t2 - t1);
        state.SetIterationTime(t1 - t0);
    }
    // printf rounds an exact half to even (52.25 to 52.2) where the export, as the locale's
    // texts, rounds it away from zero: the two files differ in those digits only.
    if (state.range(0) == 0 && QFileInfo(path).size() != QFileInfo(QString::fromLocal8Bit(plainPath)).size())
        state.SkipWithError("the plain program does not write what the export writes");
    ratio.Report(state);
    SetCurrentPrompts(nullptr);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}
BENCHMARK(BM_ExportGraphText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(3)->ReportAggregatesOnly(true);

// The bytes the process holds on the heap now.
double HeapBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd);  // large blocks are mapped apart
}

// The paint buffers a plot holds: one per buffered layer, one per run of unbuffered layers
// between them, and always the first.
int PaintBuffers(const QCustomPlot& plot)
{
    int buffers = 1;
    for (int i = 0; i < plot.layerCount(); ++i) {
        if (plot.layer(i)->mode() != QCPLayer::lmBuffered)
            continue;
        ++buffers;
        if (i + 1 < plot.layerCount() && plot.layer(i + 1)->mode() == QCPLayer::lmLogical)
            ++buffers;
    }
    return buffers;
}

// What a graph window of 100,000 points adds to the heap once shown and drawn, maximized in
// the main window's area as a user opens it (the area's own picture of the screen is there
// before); beside it, the same window shown on its own, which adds its own picture of the
// screen, the points themselves (the chart's state and the plot's copy) and the plot's paint
// buffers, which are as large as the plot in pixels.
void BM_GraphWindowMemory(benchmark::State& state)
{
    double inArea = 0.0, alone = 0.0, buffers = 0.0;
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        for (const bool own : {false, true}) {
            const double before = HeapBytes();
            {
                auto graph = std::make_unique<TfrmGraph>();
                if (own) {
                    graph->resize(1600, 1000);
                    graph->show();
                } else {
                    graph->ShowInArea(&area)->showMaximized();
                }
                Fill(*graph->PESGraph1, 100'000, true);
                graph->RefreshStatistics();
                graph->RedrawChart();
                QCoreApplication::processEvents();
                (own ? alone : inArea) = HeapBytes() - before;
                const QCustomPlot& plot = *graph->PESGraph1->Plot();
                const double ratio = plot.devicePixelRatioF();
                buffers = PaintBuffers(plot) * 4.0 * plot.width() * plot.height() * ratio * ratio;
                if (!own)
                    delete graph.release()->parentWidget();  // the frame takes its window along
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    state.counters["window_MB"] = inArea / 1e6;
    state.counters["window_alone_MB"] = alone / 1e6;
    state.counters["points_MB"] = 100'000 * (sizeof(double) + sizeof(float) + 16) / 1e6;
    state.counters["paint_buffers_MB"] = buffers / 1e6;
}
BENCHMARK(BM_GraphWindowMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
