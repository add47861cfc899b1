// List windows: a 100,000-line CSV read into rows against a plain getline and strtod loop,
// imported into a list window beside a plain line-by-line read of the same file into strings,
// that list turned into a graph, and the list saved.
#include "AcceptingPrompts.h"
#include "PlainRatio.h"

#include "files/ImportTextLines.h"
#include "files/ui/ExportGridText.h"
#include "graph/ui/GraphServices.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"
#include "tables/ui/ImportText.h"
#include "tables/ui/OutputListToGraph.h"
#include "tables/ui/TfrmList.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Lines = 100'000;
constexpr double Start = 45000.5;

// A graph's CSV export of one sample a second over more than a day.
class CsvFile {
public:
    CsvFile()
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QByteArray text;
        for (int i = 0; i < Lines; ++i) {
            const double time = Start + i * OneSecond;
            const double level = 55.0 + 15.0 * std::sin(i * 0.01);
            text += (DateText(time) + u',' + TimeText(time) + u',' + OneDecimalText(level, QLocale::c()) +
                     QStringLiteral("\r\n"))
                        .toLocal8Bit();
        }
        file.write(text);
    }
    QString Path() const { return path; }

private:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("levels.csv"));
};

const CsvFile& TheFile()
{
    static const CsvFile file;
    return file;
}

void BM_PlainLineRead(benchmark::State& state)
{
    const QString path = TheFile().Path();  // written before the clock runs
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        std::vector<QString> lines;
        while (!file.atEnd())
            lines.push_back(QString::fromLocal8Bit(file.readLine()));
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_PlainLineRead)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The plain program: every line read with getline, split at its commas, and each value
// after the date and the time read with strtod.
std::vector<double> PlainReadLevels(const char* path)
{
    std::ifstream in(path);
    std::vector<double> levels;
    std::string line;
    while (std::getline(in, line)) {
        std::size_t field = 0;
        for (std::size_t start = 0; start < line.size(); ++field) {
            std::size_t end = line.find(',', start);
            if (end == std::string::npos)
                end = line.size();
            if (field >= 2)
                levels.push_back(std::strtod(line.c_str() + start, nullptr));
            start = end + 1;
        }
    }
    return levels;
}

// The rows the list window reads from the file (the same function, kept as it keeps them),
// against the plain program, processor time.
void BM_ReadImportRows(benchmark::State& state)
{
    const QString path = TheFile().Path();
    const QByteArray plainPath = path.toLocal8Bit();
    PlainRatio ratio;
    for (auto _ : state) {
        const double t0 = ProcessCpuSeconds();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        std::vector<QStringList> rows;
        ReadImportRows(file, u',', 6, [&rows](int, QStringList& cells) {
            rows.push_back(std::move(cells));
            return true;
        });
        benchmark::DoNotOptimize(rows.data());
        const double t1 = ProcessCpuSeconds();
        const std::vector<double> levels = PlainReadLevels(plainPath.constData());
        benchmark::DoNotOptimize(levels.data());
        const double t2 = ProcessCpuSeconds();
        if (rows.size() != levels.size())
            state.SkipWithError("the plain program does not read the rows the import reads");
        ratio.Add(t1 - t0, t2 - t1);
        state.SetIterationTime(t1 - t0);
    }
    ratio.Report(state);
}
BENCHMARK(BM_ReadImportRows)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ImportText(benchmark::State& state)
{
    const QString path = TheFile().Path();
    for (auto _ : state) {
        std::unique_ptr<TfrmList> list(ImportText(path, QStringLiteral(".csv")));
        benchmark::DoNotOptimize(list.get());
    }
}
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same as the user sees it: the list window put into the main window's area and drawn.
void BM_OpenListWindow(benchmark::State& state)
{
    const QString path = TheFile().Path();
    QMdiArea area;
    area.resize(1152, 699);
    area.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        std::unique_ptr<TfrmList> list(ImportText(path, QStringLiteral(".csv")));
        list->ShowInArea(&area);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(list.get());
        state.PauseTiming();
        list.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenListWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OutputListToGraph(benchmark::State& state)
{
    const std::unique_ptr<TfrmList> list(ImportText(TheFile().Path(), QStringLiteral(".csv")));
    for (auto _ : state) {
        std::unique_ptr<TfrmGraph> graph(OutputListToGraph(*list, NoGraphServices()));
        benchmark::DoNotOptimize(graph.get());
    }
}
BENCHMARK(BM_OutputListToGraph)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Save of the list window as the user runs it (name, range window, progress window, file
// saved in place), as comma-separated text.
void BM_SaveList(benchmark::State& state)
{
    const std::unique_ptr<TfrmList> list(ImportText(TheFile().Path(), QStringLiteral(".csv")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.csv"));
    AcceptingPrompts prompts(path);
    SetCurrentPrompts(&prompts);
    for (auto _ : state) {
        if (!ExportGridText(*list->Grid1))
            state.SkipWithError("the list was not saved");
    }
    state.counters["file_bytes"] = static_cast<double>(QFileInfo(path).size());
    SetCurrentPrompts(nullptr);
}
BENCHMARK(BM_SaveList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
