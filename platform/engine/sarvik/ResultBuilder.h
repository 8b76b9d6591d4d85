#pragma once
// Turns the plain records of a result into the engine's tables and the Result that holds them.
// Records are moved in, so a loaded result holds its samples once. Used by Sarvik::result_open
// after the store has read "result.sqlite", and by tests that write records by hand.

#include <engine_export.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include "sarvik/SampleColumns.h"

#include <dd_sarvik_2_2/Result.h>

#include <memory>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API ResultBuilder {
public:
    /// `directory` is where over-time page files of the result go (empty: never to files).
    static std::unique_ptr<Result> build(store::ResultRecords records, const ddb_2_2::string& directory);
    /// As above, with the samples of sample table i in samples[i] (missing entries: no samples)
    /// instead of in the records.
    static std::unique_ptr<Result> build(store::ResultRecords records, std::vector<SampleColumns> samples,
                                         const ddb_2_2::string& directory);
};

}  // namespace dd_sarvik_2_2
