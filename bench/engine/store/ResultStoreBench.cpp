// Writing and reading generated results of growing size through the result store, and opening
// them as engine results. Reports rows per second (lifetimes, samples, band objects and timed
// values) and, for the read and the open, the peak resident memory they take per sample.

#include "store/ResultReader.h"
#include "store/ResultRecords.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <malloc.h>
#include <string>
#include <unistd.h>

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

std::filesystem::path benchDirectory(std::int64_t samples)
{
    return std::filesystem::temp_directory_path()
        / ("velmora_bench_store_" + std::to_string(::getpid()) + "_" + std::to_string(samples));
}

// A field of /proc/self/status in bytes ("VmHWM", "VmRSS").
double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stod(line.substr(field.size() + 1)) * 1024.0;
    }
    return 0;
}

// Hands freed memory back and lets the next VmHWM reading start from the resident size, so
// the peak measures only what the read takes.
double resetPeakMemory()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    return statusBytes("VmRSS");
}

void BM_writeResult(benchmark::State& state)
{
    const ResultRecords records = ResultGenerator(optionsFor(state.range(0))).generate();
    const std::filesystem::path directory = benchDirectory(state.range(0));
    for (auto _ : state) {
        if (!ResultWriter().write(directory, records).ok())
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rowCount(records)));
    state.counters["file_bytes_per_sample"] =
        static_cast<double>(std::filesystem::file_size(directory / "result.sqlite"))
        / static_cast<double>(state.range(0));
    std::filesystem::remove_all(directory);
}

// Runs `load` once per iteration on a generated result directory. `load` returns what it
// loaded (null on failure), which is kept until the clock and the memory peak have been read.
template <class Load>
void measureLoading(benchmark::State& state, Load load)
{
    const std::filesystem::path directory = benchDirectory(state.range(0));
    std::size_t rows = 0;
    {
        const ResultRecords records = ResultGenerator(optionsFor(state.range(0))).generate();
        rows = rowCount(records);
        if (!ResultWriter().write(directory, records).ok()) {
            state.SkipWithError("writing the result failed");
            return;
        }
    }
    double peakPerSample = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = resetPeakMemory();
        state.ResumeTiming();
        const std::shared_ptr<void> loaded = load(directory);
        state.PauseTiming();
        if (!loaded)
            state.SkipWithError("loading failed");
        peakPerSample = std::max(peakPerSample, (statusBytes("VmHWM") - before)
                                                    / static_cast<double>(state.range(0)));
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows));
    state.counters["peak_bytes_per_sample"] = peakPerSample;
    std::filesystem::remove_all(directory);
}

void BM_readResult(benchmark::State& state)
{
    measureLoading(state, [](const std::filesystem::path& directory) -> std::shared_ptr<void> {
        auto records = std::make_shared<ResultRecords>();
        return ResultReader().read(directory, *records).ok() ? records : nullptr;
    });
}

// The whole open: the store's read plus building the engine's tables from the records.
void BM_resultOpen(benchmark::State& state)
{
    measureLoading(state, [](const std::filesystem::path& directory) -> std::shared_ptr<void> {
        auto engine = std::make_shared<dd_sarvik_2_2::Sarvik>();
        dd_sarvik_2_2::Result* result = nullptr;
        const dd_sarvik_2_2::dd_error error = engine->result_open(
            result, ddb_2_2::string::from_utf8(directory.string()), L"", nullptr);
        return error.code == 0 ? engine : nullptr;
    });
}

}  // namespace

BENCHMARK(BM_writeResult)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_readResult)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_resultOpen)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
