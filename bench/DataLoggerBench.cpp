// The data logger's commands on a full 128 KiB memory of 200 recordings. Load Data from the
// simulated meter with no delay per exchange, progress window, list and chart included (the USB
// link itself needs several seconds for its 4096 exchanges), beside the command line's own work
// on the same memory in the same run (download, decode, working file): the window program's own
// processor time is the difference. And opening the same memory as a collection.
#include "files/CollectionFile.h"
#include "files/WorkingFile.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/TfrmGraph.h"
#include "link/LinkSession.h"
#include "link/LoggerMemory.h"
#include "link/SimulatedMeter.h"
#include "logger/DataLoggerSession.h"
#include "logger/DownloadMemory.h"
#include "logger/ui/DataLoggerWindow.h"
#include "logger/ui/DataSetCollection.h"
#include "logger/ui/LoadDataSets.h"
#include "shell/Folders.h"
#include "shell/ui/LongTask.h"
#include "shell/ui/StringGrid.h"
#include "FullMemory.h"
#include "PlainRatio.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A full memory, replacing what the memory held.
void FillMemory(LoggerMemory& memory)
{
    memory.Erase();
    AddRecordings(memory, FullMemoryRecordings, FullMemorySamplesEach, 2026);
}

// Files of the run go to a folder of their own.
class BenchFolders {
public:
    BenchFolders()
    {
        SetProgramFolder(dir.filePath(QStringLiteral("program")));
        SetDocumentsFolder(dir.filePath(QStringLiteral("documents")));
        SetSettingsFile(dir.filePath(QStringLiteral("settings.conf")));
    }
    ~BenchFolders()
    {
        SetProgramFolder({});
        SetDocumentsFolder({});
        SetSettingsFile({});
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
};

void BM_LoadData(benchmark::State& state)
{
    const BenchFolders folders;
    SimulatedMeter meter;
    FillMemory(meter.Memory());
    Link().SetTransport(&meter);
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    DataLoggerSession session;
    QPointer<TfrmGraph> open;
    TfrmGraph& window = OpenDataLoggerWindow(area, open, session, NoGraphServices());
    QCoreApplication::processEvents();
    PlainRatio figures;
    for (auto _ : state) {
        const double ours0 = ProcessCpuSeconds();
        {
            std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long);
            const LongTask task;
            const LoadResult result = LoadDataSets(window, session, *link, task);
            QCoreApplication::processEvents();  // the list and chart drawn
            if (result.code != 0)
                state.SkipWithError("the download failed");
        }
        const double plain0 = ProcessCpuSeconds();
        {
            std::optional<LinkSequence> link = Link().TryBegin(LinkSession::Use::Long);
            DownloadResult download = DownloadMemory(*link, [](int, int) { return true; });
            DataLoggerSession plain;
            plain.Take(std::move(download.image), 0.0);
            QString error;
            WriteWorkingFile(folders.Path(QStringLiteral("plain")), plain.Image(), &error);
            benchmark::DoNotOptimize(plain.Table().sets.data());
        }
        const double end = ProcessCpuSeconds();
        figures.Add(plain0 - ours0, end - plain0);
    }
    figures.Report(state);
    state.counters["own_cpu_ms"] = state.counters["ours_ms"] - state.counters["plain_ms"];
    state.counters["rows"] = window.Grid2->RowCount() - 1;
    Link().SetTransport(nullptr);
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_OpenFullCollection(benchmark::State& state)
{
    const BenchFolders folders;
    LoggerMemory memory;
    FillMemory(memory);
    const QString path = folders.Path(QStringLiteral("full.REC"));
    QString error;
    WriteCollection(path, memory.Bytes(), &error);
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    DataLoggerSession session;
    QPointer<TfrmGraph> open;
    const auto window = [&]() -> TfrmGraph& { return OpenDataLoggerWindow(area, open, session, NoGraphServices()); };
    window();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        OpenCollectionFile(path, session, window);
        QCoreApplication::processEvents();  // the list and chart drawn
    }
    state.counters["rows"] = static_cast<double>(session.Table().sets.size());
}
BENCHMARK(BM_OpenFullCollection)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
