#pragma once
// The runs every import benchmark makes: 1 and 5 million events (the pair shows whether the time
// grows linearly), once each (an import of millions of events is long enough to time alone), in
// wall time, with the CPU time of the whole process since the importers use more than one thread.
//
//   BENCHMARK(importSomething)->Apply(bench_support::importRuns);
#include <benchmark/benchmark.h>

namespace bench_support {

inline void importRuns(benchmark::internal::Benchmark* runs)
{
    runs->Arg(1000000)
        ->Arg(5000000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime()
        ->MeasureProcessCPUTime();
}

} // namespace bench_support
