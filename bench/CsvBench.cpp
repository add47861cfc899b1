// The samples CSV of a full logger memory (200 recordings of 318 samples, 63,600 lines), as
// qx574 convert and download --csv write it, against a plain decoder that walks the memory's
// bytes and prints each line with snprintf: in this process, and as whole processes (the
// program's convert against the plain decoder in a forked child), processor time throughout.
#include "ChildProcess.h"
#include "FullMemory.h"
#include "PlainRatio.h"

#include "files/CollectionFile.h"
#include "link/MemoryImage.h"
#include "logger/DataSetCsv.h"
#include "logger/DecodeMemoryImage.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

// The plain program: the recordings walked byte by byte from the first page on, each sample's
// time by gmtime_r and its line by snprintf.
void PlainSamplesCsv(const std::vector<std::uint8_t>& m, std::FILE* out)
{
    static const char* const ranges[] = {"30-90", "50-110", "70-130", "30-130"};
    const auto bcd = [](std::uint8_t b) { return (b >> 4) * 10 + (b & 0x0F); };
    std::fputs("set,time,level_db,interval_s,weighting,response,range\n", out);
    const int sets = m[9] << 8 | m[10];
    std::size_t at = 256;
    for (int set = 1; set <= sets && at + 16 <= m.size(); ++set) {
        std::tm t{};
        t.tm_year = 100 + bcd(m[at + 3]);
        t.tm_mon = bcd(m[at + 4]) - 1;
        t.tm_mday = bcd(m[at + 5]);
        t.tm_hour = bcd(m[at + 6]);
        t.tm_min = bcd(m[at + 7]);
        t.tm_sec = bcd(m[at + 8]);
        const std::time_t start = timegm(&t);
        const int interval = m[at + 10];
        const int count = m[at + 11] << 16 | m[at + 12] << 8 | m[at + 13];
        const std::uint8_t flags = m[at + 14];
        at += 16;
        for (int k = 0; k < count && at + 2 <= m.size(); ++k, at += 2) {
            const std::time_t when = start + static_cast<std::time_t>(k) * interval;
            std::tm c{};
            gmtime_r(&when, &c);
            const int value = (m[at] & 0x0F) << 8 | m[at + 1];
            std::fprintf(out, "%d,%04d-%02d-%02d %02d:%02d:%02d,%.1f,%d,%s,%s,%s\n", set, c.tm_year + 1900,
                         c.tm_mon + 1, c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec, value < 200 ? 0.0 : value / 10.0,
                         interval, flags & 0x02 ? "dBA" : "dBC", flags & 0x01 ? "FAST" : "SLOW",
                         ranges[(flags >> 2) & 0x03]);
        }
        at += 2;  // the end marker
    }
}

// Both outputs, byte for byte: the plain program is the same work only if it writes the same.
bool SameOutput(const std::vector<std::uint8_t>& image, const DataSetTable& table, const QString& folder)
{
    const QByteArray plainPath = (folder + QStringLiteral("/plain.csv")).toLocal8Bit();
    std::FILE* plain = std::fopen(plainPath.constData(), "w");
    PlainSamplesCsv(image, plain);
    std::fclose(plain);
    QFile ours(folder + QStringLiteral("/ours.csv"));
    ours.open(QIODevice::WriteOnly);
    WriteSamplesCsv(ours, table);
    ours.close();
    QFile a(QString::fromLocal8Bit(plainPath));
    a.open(QIODevice::ReadOnly);
    ours.open(QIODevice::ReadOnly);
    return a.readAll() == ours.readAll();
}

void BM_SamplesCsvInProcess(benchmark::State& state)
{
    const std::vector<std::uint8_t> image = FullMemory();
    const DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), 45000.5);
    QTemporaryDir dir;
    if (!decoded.table || !SameOutput(image, *decoded.table, dir.path())) {
        state.SkipWithError("the plain decoder does not write what convert writes");
        return;
    }
    QFile ours(QStringLiteral("/dev/null"));
    ours.open(QIODevice::WriteOnly);
    std::FILE* plain = std::fopen("/dev/null", "w");
    PlainRatio ratio;
    for (auto _ : state) {
        const double t0 = ProcessCpuSeconds();
        const DecodedMemory again = DecodeMemoryImage(image, ReadMemoryEnd(image), 45000.5);
        WriteSamplesCsv(ours, *again.table);
        const double t1 = ProcessCpuSeconds();
        PlainSamplesCsv(image, plain);
        std::fflush(plain);
        const double t2 = ProcessCpuSeconds();
        ratio.Add(t1 - t0, t2 - t1);
        state.SetIterationTime(t1 - t0);
    }
    std::fclose(plain);
    ratio.Report(state);
}
BENCHMARK(BM_SamplesCsvInProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Whole processes: qx574 convert of the memory saved as a collection, its samples to
// /dev/null, against the plain decoder in a forked child that has nothing left to load.
void BM_ConvertWholeProcess(benchmark::State& state)
{
    const std::vector<std::uint8_t> image = FullMemory();
    QTemporaryDir dir;
    const QString collection = dir.filePath(QStringLiteral("full.REC"));
    QFile file(collection);
    file.open(QIODevice::WriteOnly);
    file.write(CollectionBytes(image));
    file.close();
    const QByteArray program = QX574_PROGRAM_FILE;
    const QByteArray path = collection.toLocal8Bit();
    PlainRatio ratio;
    for (auto _ : state) {
        const double ours = ChildCpuSeconds(SpawnQuiet(program, {"convert", path}));

        const pid_t plainChild = fork();
        if (plainChild == 0) {
            std::FILE* out = std::fopen("/dev/null", "w");
            PlainSamplesCsv(image, out);
            std::fclose(out);
            _exit(0);
        }
        const double plain = ChildCpuSeconds(plainChild);
        if (ours < 0.0 || plain < 0.0) {
            state.SkipWithError("a child failed");
            return;
        }
        ratio.Add(ours, plain);
        state.SetIterationTime(ours);
    }
    ratio.Report(state);
}
BENCHMARK(BM_ConvertWholeProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
