// Peak memory while the engine opens a stored result, per item of one kind: generated results
// holding mostly samples, mostly per-row markers or mostly transitions (waits naming their
// signalling row), and the large result the viewer generates, reported whole. The peak is reset
// before each open, so generating and writing the result do not count.

#include "support/PeakMemory.h"
#include "support/ResultDirectory.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace dd_sarvik_2_2 {
namespace {

enum Kind { samples, markers, transitions, largeResult };

// The counts of every kind but the measured one are kept small, so the peak is almost all its.
store::GeneratorOptions optionsFor(Kind kind, std::uint64_t& items)
{
    store::GeneratorOptions options;
    options.threads = 100;
    options.samples = kind == samples ? 10000000 : 1000;
    options.markers = kind == markers ? 1000000 : 100;
    options.transitions = kind == transitions ? 1000000 : 100;
    if (kind == largeResult) {
        options.samples = 10000000;
        options.markers = 1000000;
        options.transitions = 200000;
    }
    items = kind == samples ? options.samples : kind == markers ? options.markers : options.transitions;
    return options;
}

void resultOpenMemory(benchmark::State& state)
{
    const auto kind = static_cast<Kind>(state.range(0));
    std::uint64_t items = 0;
    const store::GeneratorOptions options = optionsFor(kind, items);
    const auto directory = std::make_unique<bench_support::ResultDirectory>(store::ResultGenerator(options).generate());
    if (!directory->written()) {
        state.SkipWithError("writing the result failed");
        return;
    }
    bench_support::PeakMemory memory;
    double peak = 0.0;
    for (auto _ : state) {
        Sarvik engine;
        memory.reset();
        if (!directory->open(engine)) {
            state.SkipWithError("result_open failed");
            break;
        }
        peak = memory.bytesSinceReset();
    }
    if (kind == largeResult)
        state.counters["peak_megabytes"] = peak / 1e6;
    else
        state.counters["peak_bytes_per_item"] = peak / double(items);
}

// Argument: 0 samples, 1 markers, 2 transitions, 3 the large result.
BENCHMARK(resultOpenMemory)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace dd_sarvik_2_2
