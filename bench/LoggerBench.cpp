// Decoding a full logger memory: 128 KiB holding 200 recordings of 318 samples (63,600 in
// all). And the slowest damage: a header counting 4000 recordings over a memory of zeros,
// where every recording's end marker is searched for and never found.
#include "FullMemory.h"
#include "link/MemoryImage.h"
#include "logger/DecodeMemoryImage.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr double Now = 45000.5;

void BM_DecodeFullMemory(benchmark::State& state)
{
    const std::vector<std::uint8_t> image = FullMemory();
    const int memoryEnd = ReadMemoryEnd(image);
    for (auto _ : state) {
        DecodedMemory decoded = DecodeMemoryImage(image, memoryEnd, Now);
        benchmark::DoNotOptimize(decoded);
    }
    const DecodedMemory check = DecodeMemoryImage(image, memoryEnd, Now);
    state.counters["sets"] = static_cast<double>(check.table ? check.table->sets.size() : 0);
    state.counters["samples"] = static_cast<double>(check.table ? check.table->levels.size() : 0);
}
BENCHMARK(BM_DecodeFullMemory)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DecodeZerosWithADamagedHeader(benchmark::State& state)
{
    std::vector<std::uint8_t> image(LoggerLayout::MemorySize, 0);
    image[9] = 0x0F;  // 4000 recordings
    image[10] = 0xA0;
    image[11] = 0x01;  // memoryEnd 131071
    image[12] = 0xFF;
    image[13] = 0xFF;
    for (auto _ : state) {
        DecodedMemory decoded = DecodeMemoryImage(image, ReadMemoryEnd(image), Now);
        benchmark::DoNotOptimize(decoded);
    }
}
BENCHMARK(BM_DecodeZerosWithADamagedHeader)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
