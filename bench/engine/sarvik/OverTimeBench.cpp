// The over-time time query over 10 million samples (64 rows, 2000 buckets) against a plain
// sequential pass over the same samples, both measured in each iteration of one run, in CPU time
// of the whole process (every thread counted). The figure that counts is `ratio_to_plain_pass`,
// the median of the iterations' ratios: both sides of a ratio see the same load on a shared
// machine, so it varies far less than either time. The run's time is the query's CPU time.
// Pinned to one core (`taskset -c 1 bench_sarvik_overtime`), the engine's parallel loop runs
// on one thread and no core's idle spinning is counted.

#include "sarvik/ResultBuilder.h"
#include "support/PairedCpuTimes.h"

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

// The engine's answer for every row, read to the end as a layer would.
void runQuery(const Result& result, const dd_overtime_query& query)
{
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

// The baseline: one thread, each sample's ticks put into the bucket of its start.
void plainPass(const std::vector<store::SampleRecord>& samples)
{
    std::vector<std::uint64_t> totals(static_cast<std::size_t>(rows) * buckets, 0);
    for (const store::SampleRecord& s : samples)
        totals[static_cast<std::size_t>(s.row) * buckets + s.start * buckets / span] += s.end - s.start;
    benchmark::DoNotOptimize(totals.data());
}

void overTimeQuery(benchmark::State& state)
{
    store::ResultRecords input = records();
    const std::vector<store::SampleRecord> samples = input.sampleTables.front().samples;
    const std::unique_ptr<Result> result = ResultBuilder::build(std::move(input), ddb_2_2::string());
    dd_overtime_query sub;
    sub.init(L"dd_thread", L"dd_sample", L"function");
    dd_overtime_query query;
    query += sub;
    query.set_data_width(0, span, buckets);
    query.set_axis_instance_and_attr(L"dd_thread", L"dd_band");

    bench_support::PairedCpuTimes times;
    for (auto _ : state) {
        const double queryStart = bench_support::PairedCpuTimes::processSeconds();
        runQuery(*result, query);
        const double passStart = bench_support::PairedCpuTimes::processSeconds();
        plainPass(samples);
        const double passEnd = bench_support::PairedCpuTimes::processSeconds();
        times.add(passStart - queryStart, passEnd - passStart);
        state.SetIterationTime(passStart - queryStart);
    }
    state.SetItemsProcessed(state.iterations() * rows * samplesPerRow);
    state.counters["query_cpu_ms"] = times.medianMeasured() * 1e3;
    state.counters["plain_pass_cpu_ms"] = times.medianBaseline() * 1e3;
    state.counters["ratio_to_plain_pass"] = times.medianRatio();
}

BENCHMARK(overTimeQuery)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);

}  // namespace
}  // namespace dd_sarvik_2_2
