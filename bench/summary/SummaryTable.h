#pragma once
// The table `./velmora bench` prints after the runs: for each goal what it is, the measured
// figure, the goal, and whether it was met; a goal whose benchmark did not run (or lacks the
// field) shows "not measured".
#include "BenchmarkResults.h"
#include "Goal.h"

#include <string>
#include <vector>

namespace bench_summary {

class SummaryTable {
public:
    SummaryTable(const std::vector<Goal>& goals, const BenchmarkResults& results);

    // Aligned columns, a header line first.
    std::string text() const;
    // Goals measured and missed.
    int missed() const { return m_missed; }

private:
    std::vector<std::vector<std::string>> m_rows;
    int m_missed = 0;
};

} // namespace bench_summary
