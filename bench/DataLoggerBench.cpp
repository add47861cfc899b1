// The data logger's commands on a full 128 KiB memory of 200 recordings: a download from the
// simulated meter with no delay per exchange, progress window included (the USB link itself
// needs several seconds for its 4096 exchanges), and opening the same memory as a collection
// (read, decode, a list of 200 rows, set 0 shown).
#include "files/CollectionFile.h"
#include "graph/ui/TfrmGraph.h"
#include "link/HtUsb.h"
#include "link/LoggerMemory.h"
#include "link/SimulatedMeter.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/DataSetCollection.h"
#include "logger/ui/LoadDataSets.h"
#include "shell/ui/StringGrid.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Recordings = 200;
constexpr int SamplesEach = 318;

void FillMemory(LoggerMemory& memory)
{
    memory.Erase();
    int n = 0;
    for (int r = 0; r < Recordings; ++r) {
        memory.BeginRecording({{2026, 3, 1 + r % 28, r % 24, r % 60, 0}, 1 + r % 60,
                               static_cast<std::uint8_t>(r & 0x0F)});
        for (int k = 0; k < SamplesEach; ++k, ++n)
            memory.AppendSample(static_cast<int>(600 + 300 * std::sin(n * 0.01)));
        memory.EndRecording();
    }
}

void BM_DownloadFullMemory(benchmark::State& state)
{
    SimulatedMeter meter;
    FillMemory(meter.Memory());
    SetCurrentTransport(&meter);
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    TfrmGraph& window = OpenDataLoggerWindow(area);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const LoadResult result = LoadDataSets(window);
        if (result.code != 0)
            state.SkipWithError("the download failed");
    }
    state.counters["bytes"] = static_cast<double>(meter.Memory().MemoryEnd() + 1);
    state.counters["rows"] = window.Grid2->RowCount() - 1;
    SetCurrentTransport(nullptr);
}
BENCHMARK(BM_DownloadFullMemory)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenFullCollection(benchmark::State& state)
{
    LoggerMemory memory;
    FillMemory(memory);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.REC"));
    QString error;
    WriteCollection(path, memory.Bytes(), &error);
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    OpenDataLoggerWindow(area);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        OpenCollectionFile(area, path);
        QCoreApplication::processEvents();  // the list and chart drawn
    }
    state.counters["rows"] = static_cast<double>(DataSets.sets.size());
}
BENCHMARK(BM_OpenFullCollection)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
