#pragma once
// The layout of "result.sqlite", shared by the writer and the reader.
//
// Small things (result info, attribute table headers and columns, lifetimes, table headers) are
// one row each; bulky arrays (attribute instances, samples, band objects, timed values) are
// chunks of up to chunkSize records
// packed into blobs by RecordChunkCodec, because one SQLite row per sample would make opening
// a large result several times slower. Bump ResultRecords::currentSchemaVersion on any change.

#include <cstddef>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
namespace store {

class SqliteConnection;

class ResultSchema {
public:
    static constexpr const char* fileName = "result.sqlite";
    static constexpr const char* versionTable = "schema_version";
    static constexpr std::size_t chunkSize = 65536;

    /// Creates every table of the current version and records that version.
    static bool create(SqliteConnection& connection);
    /// Every table the current version needs, the version table first.
    static const std::vector<std::string>& tableNames();
};

}  // namespace store
}  // namespace dd_sarvik_2_2
