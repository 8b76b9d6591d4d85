#pragma once
// Checks that ResultRecords hang together before the engine trusts them: every row, instance and
// table a record names exists, intervals do not end before they start, and arrays are in the
// order the engine searches them in. The writer refuses records that fail (so an importer's bug
// shows where it is made) and the reader refuses files that fail (so a damaged or foreign file
// cannot send the engine out of bounds).

#include <cstddef>
#include <string>

namespace dd_sarvik_2_2 {
namespace store {

struct ResultRecords;
struct SampleRecord;
struct SampleTableRecord;

class RecordValidator {
public:
    /// The first problem found, in words; empty when the records are consistent.
    static std::wstring findProblem(const ResultRecords& records);
    /// The first problem of a run of `table`'s samples that are not kept in it (a reader that
    /// streams them): samples [first, first + count) of the table, `previous` the one before
    /// them or null. Checked against the attribute tables of `records`.
    static std::wstring findSampleProblem(const ResultRecords& records, const SampleTableRecord& table,
                                          const SampleRecord* samples, std::size_t count, std::size_t first,
                                          const SampleRecord* previous);
};

}  // namespace store
}  // namespace dd_sarvik_2_2
