#pragma once
// Questions about the row lifetimes of a database as a whole.

#include <ddb_2_2/database.h>
#include <engine_export.h>

#include <cstdint>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_band {
public:
    /// The earliest lifetime start and the latest end, where the collection's own end counts
    /// too; without lifetimes, the collection's range. False when the database holds no
    /// lifetime table (start and end are left as they were).
    static bool get_band_min_max(std::uint64_t& start, std::uint64_t& end, const ddb_2_2::database& db);
};

}  // namespace dd_sarvik_2_2
