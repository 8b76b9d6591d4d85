// Writing and reading generated results of growing size through the result store, and opening
// them as engine results. Reports rows per second (lifetimes, samples, band objects and timed
// values) and, for the read and the open, the peak resident memory they take per sample.

#include "store/ResultReader.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>
#include "support/PeakMemory.h"
#include "support/ResultDirectory.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace dd_sarvik_2_2::store;

namespace {

GeneratorOptions optionsFor(std::int64_t samples)
{
    GeneratorOptions options;
    options.threads = 64;
    options.samples = static_cast<std::uint64_t>(samples);
    options.markers = options.samples / 100;
    options.transitions = options.samples / 200;
    options.globalMarkers = 1000;
    options.counterValues = 10000;
    return options;
}

std::size_t rowCount(const ResultRecords& records)
{
    std::size_t rows = records.lifetimes.size();
    for (const SampleTableRecord& table : records.sampleTables)
        rows += table.samples.size();
    for (const BandTableRecord& table : records.bandTables)
        rows += table.objects.size();
    for (const TimedAttributeRecord& attribute : records.timedAttributes)
        rows += attribute.values.size();
    return rows;
}

void BM_writeResult(benchmark::State& state)
{
    const ResultRecords records = ResultGenerator(optionsFor(state.range(0))).generate();
    const bench_support::TempDirectory directory("velmora-bench-store");
    for (auto _ : state) {
        if (!ResultWriter().write(directory.path(), records).ok())
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rowCount(records)));
    state.counters["file_bytes_per_sample"] =
        static_cast<double>(directory.fileBytes()) / static_cast<double>(state.range(0));
}

// Runs `load` once per iteration on a generated stored result. `load` returns what it
// loaded (null on failure), which is kept until the clock and the memory peak have been read.
template <class Load>
void measureLoading(benchmark::State& state, Load load)
{
    std::size_t rows = 0;
    std::unique_ptr<bench_support::ResultDirectory> directory;
    {
        const ResultRecords records = ResultGenerator(optionsFor(state.range(0))).generate();
        rows = rowCount(records);
        directory = std::make_unique<bench_support::ResultDirectory>(records);
    }
    if (!directory->written()) {
        state.SkipWithError("writing the result failed");
        return;
    }
    bench_support::PeakMemory memory;
    double peakPerSample = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory.reset();
        state.ResumeTiming();
        const std::shared_ptr<void> loaded = load(*directory);
        state.PauseTiming();
        if (!loaded)
            state.SkipWithError("loading failed");
        peakPerSample = std::max(peakPerSample, memory.bytesSinceReset() / static_cast<double>(state.range(0)));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
    state.counters["peak_bytes_per_sample"] = peakPerSample;
}

void BM_readResult(benchmark::State& state)
{
    measureLoading(state, [](const bench_support::ResultDirectory& directory) -> std::shared_ptr<void> {
        auto records = std::make_shared<ResultRecords>();
        return ResultReader().read(directory.path(), *records).ok() ? records : nullptr;
    });
}

// The whole open: the store's read plus building the engine's tables from the records.
void BM_resultOpen(benchmark::State& state)
{
    measureLoading(state, [](const bench_support::ResultDirectory& directory) -> std::shared_ptr<void> {
        auto engine = std::make_shared<dd_sarvik_2_2::Sarvik>();
        return directory.open(*engine) ? engine : nullptr;
    });
}

}  // namespace

BENCHMARK(BM_writeResult)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_readResult)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_resultOpen)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
