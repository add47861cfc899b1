// qx574 report and qx574 --version as whole processes, against a plain Qt Core program doing the
// same small work (PlainReportProgram.cpp: read the collection, one pass, print), processor
// time. The collection holds four recordings of 900 samples.
#include "ChildProcess.h"
#include "FullMemory.h"
#include "PlainRatio.h"

#include "files/CollectionFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Runs ours and the plain program in turn each iteration; the time of an iteration is ours.
void CompareProcesses(benchmark::State& state, const QList<QByteArray>& ours, const QList<QByteArray>& plain)
{
    const QByteArray program = QX574_PROGRAM_FILE;
    const QByteArray plainProgram = PLAIN_REPORT_PROGRAM_FILE;
    PlainRatio ratio;
    for (auto _ : state) {
        const double oursSeconds = ChildCpuSeconds(SpawnQuiet(program, ours));
        const double plainSeconds = ChildCpuSeconds(SpawnQuiet(plainProgram, plain));
        if (oursSeconds < 0.0 || plainSeconds < 0.0) {
            state.SkipWithError("a child failed");
            return;
        }
        ratio.Add(oursSeconds, plainSeconds);
        state.SetIterationTime(oursSeconds);
    }
    ratio.Report(state);
}

void BM_ReportWholeProcess(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString collection = dir.filePath(QStringLiteral("four.REC"));
    QFile file(collection);
    file.open(QIODevice::WriteOnly);
    file.write(CollectionBytes(MemoryOf(4, 900)));
    file.close();
    const QByteArray path = collection.toLocal8Bit();
    CompareProcesses(state, {"report", path}, {path});
}
BENCHMARK(BM_ReportWholeProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);

// What a command pays before it does anything: starting and answering --version.
void BM_VersionWholeProcess(benchmark::State& state)
{
    CompareProcesses(state, {"--version"}, {"--version"});
}
BENCHMARK(BM_VersionWholeProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
