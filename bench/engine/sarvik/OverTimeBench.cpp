// The over-time time query over 10 million samples (64 rows, 2000 buckets) against a plain
// sequential pass over the same sample array. Compare their CPU times (every thread counted)
// pinned to one core: `taskset -c 1 bench_sarvik_overtime`.

#include "sarvik/ResultBuilder.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/dd_overtime_query.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
namespace {

constexpr int rows = 64;
constexpr std::uint64_t samplesPerRow = 10000000 / rows;
constexpr std::uint64_t stride = 100;   // ticks between sample starts in a row
constexpr int buckets = 2000;
constexpr std::uint64_t span = samplesPerRow * stride;

store::ResultRecords records()
{
    store::ResultRecords r;
    r.duration = span + stride;   // the last samples end a little after the queried range
    store::AttributeTableRecord functions{L"function", {{L"name", L""}}, {}};
    for (int f = 0; f < 16; ++f)
        functions.instances.push_back({L"f" + std::to_wstring(f)});
    r.attributeTables.push_back(std::move(functions));
    store::AttributeTableRecord threads{L"dd_thread", {{L"name", L""}}, {}};
    for (int row = 0; row < rows; ++row)
        threads.instances.push_back({L"t" + std::to_wstring(row)});
    r.attributeTables.push_back(std::move(threads));
    store::SampleTableRecord samples{L"dd_sample", L"function", {}};
    samples.samples.reserve(rows * samplesPerRow);
    for (int row = 0; row < rows; ++row)
        for (std::uint64_t i = 0; i < samplesPerRow; ++i) {
            const std::uint64_t start = i * stride + static_cast<std::uint64_t>(row % 7);
            samples.samples.push_back({row, start, start + 60 + (i % 50), 1, static_cast<std::int32_t>(i % 16)});
        }
    r.sampleTables.push_back(std::move(samples));
    return r;
}

const Result& sharedResult()
{
    static const std::unique_ptr<Result> result = ResultBuilder::build(records(), ddb_2_2::string());
    return *result;
}

void overTimeQuery(benchmark::State& state)
{
    const Result& result = sharedResult();
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", L"function");
    dd_overtime_query query;
    query += sub;
    query.set_data_width(0, span, buckets);
    query.set_axis_instance_and_attr(L"dd_thread", L"dd_band");
    for (auto _ : state) {
        Result::overtime_bucket bucket;
        std::uint64_t total = 0;
        for (int row = 0; row < rows; ++row) {
            Result::overtime_bucket::const_iterator it;
            result.get_overtime_data(bucket, it, query, ddb_2_2::index(row), nullptr);
            for (; !it.at_end(); ++it)
                total = it->get_value();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * rows * samplesPerRow);
}

// The baseline: one thread, each sample's ticks put into the bucket of its start.
void plainSequentialPass(benchmark::State& state)
{
    std::vector<store::SampleRecord> samples = records().sampleTables.front().samples;
    for (auto _ : state) {
        std::vector<std::uint64_t> totals(static_cast<std::size_t>(rows) * buckets, 0);
        for (const store::SampleRecord& s : samples)
            totals[static_cast<std::size_t>(s.row) * buckets + s.start * buckets / span] += s.end - s.start;
        benchmark::DoNotOptimize(totals.data());
    }
    state.SetItemsProcessed(state.iterations() * rows * samplesPerRow);
}

BENCHMARK(overTimeQuery)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(plainSequentialPass)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
}  // namespace dd_sarvik_2_2
