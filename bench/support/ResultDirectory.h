#pragma once

#include "support/TempDirectory.h"

#include <cstdint>
#include <filesystem>

namespace dd_sarvik_2_2 {
class Result;
class Sarvik;
namespace store {
struct ResultRecords;
}
} // namespace dd_sarvik_2_2

namespace bench_support {

// Records written once as a stored result into a scratch folder (removed on destruction), for
// benchmarks that read or open results. Check written() before measuring.
class ResultDirectory {
public:
    explicit ResultDirectory(const dd_sarvik_2_2::store::ResultRecords& records);

    bool written() const { return m_written; }
    const std::filesystem::path& path() const { return m_directory.path(); }
    std::uint64_t fileBytes() const { return m_directory.fileBytes(); }
    // The stored result opened in `engine`, which owns it; null when the open fails.
    dd_sarvik_2_2::Result* open(dd_sarvik_2_2::Sarvik& engine) const;

private:
    TempDirectory m_directory;
    bool m_written;
};

} // namespace bench_support
