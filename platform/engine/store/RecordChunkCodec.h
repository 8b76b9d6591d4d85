#pragma once
// Packs runs of samples, band objects, timed values or attribute instances into the blobs of the
// result store and unpacks them again.
//
// Each record is stored as the difference to the record before it (the first to a
// default-constructed one), zigzag- and variable-length encoded. Records arrive sorted by row
// (or instance) and start, so most fields shrink to one or two bytes; unsorted input still
// round-trips exactly because differences wrap modulo 2^64.

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <engine_export.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
namespace store {

/// The cells of one instance of an attribute table.
using AttributeInstance = std::vector<StoredValue>;

class SARVIK_API RecordChunkCodec {
public:
    template <class Record>
    static std::string encode(const Record* records, std::size_t count);

    /// Instances [first, first + count) of a table held as text columns (all of one length),
    /// encoded exactly as instances of text cells with the same texts.
    static std::string encodeTexts(const std::vector<TextColumnRecord>& columns, std::size_t first,
                                   std::size_t count);

    /// The instances of an attribute table, in whichever form it holds them.
    static std::size_t instanceCount(const AttributeTableRecord& table);

    /// Appends exactly `count` records decoded from the blob to `out`; false when the blob
    /// is truncated or holds more than those records.
    template <class Record>
    static bool decode(const void* data, std::size_t size, std::size_t count,
                       std::vector<Record>& out);
    /// As decode(), calling `takeRun(out)` after every `runLength` records appended (and after
    /// the last), so that it can take them away: a large blob then never exists decoded in
    /// full. False when the blob is damaged or as soon as takeRun returns false.
    template <class Record>
    static bool decodeRuns(const void* data, std::size_t size, std::size_t count, std::size_t runLength,
                           std::vector<Record>& out, const std::function<bool(std::vector<Record>&)>& takeRun);
};

}  // namespace store
}  // namespace dd_sarvik_2_2
