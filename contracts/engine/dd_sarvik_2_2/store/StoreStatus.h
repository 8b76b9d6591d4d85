#pragma once
// The outcome of a result-store operation: a code (0 on success) and a text a user can act on.
// The store never throws across its API; every failure arrives as one of these.

#include <string>

namespace dd_sarvik_2_2 {
namespace store {

enum class StoreCode : int {
    ok = 0,
    missingDirectory = 1,   // the result directory does not exist
    missingFile = 2,        // the directory holds no result.sqlite
    notDatabase = 3,        // result.sqlite is not an SQLite database
    wrongVersion = 4,       // written by a schema version this build cannot read
    missingTable = 5,       // a table of the schema is absent
    corrupt = 6,            // the tables exist but their content is inconsistent
    writeFailed = 7,        // the result could not be written
    canceled = 8,           // the caller asked to stop
};

struct StoreStatus {
    StoreCode code = StoreCode::ok;
    std::wstring message;   // empty on success

    bool ok() const { return code == StoreCode::ok; }
    int value() const { return static_cast<int>(code); }
};

}  // namespace store
}  // namespace dd_sarvik_2_2
