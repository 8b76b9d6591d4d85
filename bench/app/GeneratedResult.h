#pragma once
// A result written by the generator into a scratch folder on first use and kept for the rest of
// the run, so benchmarks that open the same data share one copy (writing the large one takes
// seconds).
#include "support/TempDirectory.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>

#include <filesystem>
#include <string>

namespace viewer_bench {

class GeneratedResult {
public:
    GeneratedResult(const std::string& name, const dd_sarvik_2_2::store::GeneratorOptions& options);

    // Empty when the generator failed (the benchmark then skips).
    std::filesystem::path path() const { return m_written ? m_folder.path() : std::filesystem::path(); }

    // 100 threads, 10M samples, 1M markers, 200k transitions over 10 s.
    static const GeneratedResult& large();
    // A million transitions between 20 threads, few samples: the transition layer dominates.
    static const GeneratedResult& manyTransitions();

private:
    bench_support::TempDirectory m_folder;
    bool m_written;
};

} // namespace viewer_bench
