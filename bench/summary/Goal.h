#pragma once
// One performance goal of the summary table: which measured figure it reads and the bound it
// must meet.
#include <string>

namespace bench_summary {

struct Goal {
    std::string what;      // as the table shows it
    std::string benchmark; // benchmark name, or its family (the part before the first '/')
    std::string field;     // "real_time", "cpu_time" or a user counter of that benchmark
    bool atMost = true;    // the figure must not exceed `limit` (else: not fall below it)
    double limit = 0;
    std::string unit;      // "s", "ms", "us", "ns" convert times; any other is the counter's own
};

} // namespace bench_summary
