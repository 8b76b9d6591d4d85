#pragma once
// Turns the plain records of a result into the engine's tables and the Result that holds them.
// Records are moved in, so a loaded result holds its samples once. Used by Sarvik::result_open
// after the store has read "result.sqlite", and by tests that write records by hand.

#include <engine_export.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include "sarvik/SampleColumns.h"

#include <dd_sarvik_2_2/Result.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API ResultBuilder {
public:
    /// Told how many of the build's items (lifetimes, samples, band objects, timed values) are
    /// done, of how many, after every table and every few thousand lifetimes; false stops the
    /// build.
    using Progress = std::function<bool(std::size_t done, std::size_t total)>;

    /// `directory` is where over-time page files of the result go (empty: never to files).
    static std::unique_ptr<Result> build(store::ResultRecords records, const ddb_2_2::string& directory);
    /// As above, with the samples of sample table i in samples[i] (missing entries: no samples)
    /// instead of in the records. Null when `progress` stopped the build: whatever was built so
    /// far is released.
    static std::unique_ptr<Result> build(store::ResultRecords records, std::vector<SampleColumns> samples,
                                         const ddb_2_2::string& directory, const Progress& progress = {});
};

}  // namespace dd_sarvik_2_2
