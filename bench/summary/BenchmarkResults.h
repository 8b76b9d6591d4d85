#pragma once
// The runs of Google Benchmark JSON output files (--benchmark_out), looked up by benchmark name
// and field. A file that is missing or not benchmark JSON is reported and skipped.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench_summary {

class BenchmarkResults {
public:
    // Reads one file's runs; false (with an error recorded) when it cannot.
    bool read(const std::string& path);
    bool parse(const std::string& json, const std::string& origin);

    // The figure of the first run named `benchmark` (or of its family, the name up to a '/'):
    // a time converted to `unit`, or a counter as it stands. Empty when no run has it.
    std::optional<double> figure(const std::string& benchmark, const std::string& field, const std::string& unit) const;

    const std::vector<std::string>& errors() const { return m_errors; }

private:
    struct Run {
        std::string name;
        std::string timeUnit;
        std::map<std::string, double> numbers; // real_time, cpu_time and counters
    };

    std::vector<Run> m_runs;
    std::vector<std::string> m_errors;
};

} // namespace bench_summary
