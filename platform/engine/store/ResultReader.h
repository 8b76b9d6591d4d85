#pragma once
// Reads a result directory ("result.sqlite" inside it) back into ResultRecords.
//
// Sarvik::result_open calls read() once per result and builds the engine's tables from the
// records. Every failure (missing directory or file, a file that is not a database, a schema
// version this build cannot read, missing tables, inconsistent content) comes back as a
// non-zero StoreStatus with a clear text; the records are left empty then. The optional progress
// callback is told how far the read is and may cancel it by returning false.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/store/StoreStatus.h>
#include <engine_export.h>

#include <cstddef>
#include <filesystem>
#include <functional>

namespace dd_sarvik_2_2 {
namespace store {

/// done and total count stored items (samples, band objects, timed values); return false to
/// cancel the read.
using ReadProgress = std::function<bool(std::size_t done, std::size_t total)>;
/// Takes the samples of sample table `table` (its index in ResultRecords::sampleTables) run by
/// run, in stored order, after they have been checked; `total` is the table's sample count.
using SampleSink =
    std::function<void(std::size_t table, std::size_t total, const SampleRecord* samples, std::size_t count)>;

class SARVIK_API ResultReader {
public:
    StoreStatus read(const std::filesystem::path& directory, ResultRecords& records,
                     const ReadProgress& progress = {}) const;
    /// As read(), but every sample goes to `samples` instead of the records (whose sample tables
    /// then have their names only), so a reader that keeps samples in another form never
    /// holds them twice.
    StoreStatus read(const std::filesystem::path& directory, ResultRecords& records, const SampleSink& samples,
                     const ReadProgress& progress = {}) const;
    /// What a read ends with when its progress cancels it; an open cancelled after the read ends
    /// the same way.
    static StoreStatus canceled();
};

}  // namespace store
}  // namespace dd_sarvik_2_2
