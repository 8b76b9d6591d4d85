#pragma once
// Writes ResultRecords as a result directory: "result.sqlite" inside `directory`, which is
// created when missing. Used by the generator and by importers of other trace formats.
//
// The database is built in a temporary file next to the final one, in one transaction, and
// renamed over "result.sqlite" only when complete, so a reader never sees half a result and a
// failed write leaves an earlier result untouched. Failures come back as StoreCode::writeFailed
// with a text naming the file and the cause; nothing is thrown. Records that do not hang
// together (a sample on a row "dd_thread" does not have, an unsorted band table, ...) are
// refused before anything is written. A directory takes one writer at a time: two writers
// would share the temporary file.

#include <dd_sarvik_2_2/store/StoreStatus.h>
#include <engine_export.h>

#include <filesystem>

namespace dd_sarvik_2_2 {
namespace store {

struct ResultRecords;

class SARVIK_API ResultWriter {
public:
    StoreStatus write(const std::filesystem::path& directory, const ResultRecords& records) const;
};

}  // namespace store
}  // namespace dd_sarvik_2_2
