// List windows: a 100,000-line CSV imported into a list window, beside a plain line-by-line
// read of the same file into strings, and that list turned into a graph.
#include "graph/ui/GraphServices.h"
#include "graph/ui/TfrmGraph.h"
#include "shell/Formats.h"
#include "tables/ui/ImportText.h"
#include "tables/ui/OutputListToGraph.h"
#include "tables/ui/TfrmList.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
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
    for (auto _ : state) {
        QFile file(TheFile().Path());
        file.open(QIODevice::ReadOnly);
        std::vector<QString> lines;
        while (!file.atEnd())
            lines.push_back(QString::fromLocal8Bit(file.readLine()));
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_PlainLineRead)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ImportText(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<TfrmList> list(ImportText(TheFile().Path(), QStringLiteral(".csv")));
        benchmark::DoNotOptimize(list.get());
    }
}
BENCHMARK(BM_ImportText)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OutputListToGraph(benchmark::State& state)
{
    const std::unique_ptr<TfrmList> list(ImportText(TheFile().Path(), QStringLiteral(".csv")));
    for (auto _ : state) {
        std::unique_ptr<TfrmGraph> graph(OutputListToGraph(*list, NoGraphServices()));
        benchmark::DoNotOptimize(graph.get());
    }
}
BENCHMARK(BM_OutputListToGraph)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
