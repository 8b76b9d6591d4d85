#pragma once

namespace bench_support {

// The one-minute load average (/proc/loadavg, Linux; 0 where it cannot be read). Benchmarks run
// on shared machines report it beside their times, since wall time depends on it.
double systemLoad();

} // namespace bench_support
