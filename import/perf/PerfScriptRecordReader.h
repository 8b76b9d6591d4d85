#pragma once
// Reads the text `perf script` wrote (a recording made elsewhere, saved as text) into result
// records (PerfScriptReader, PerfRecordBuilder).
#include "RecordReader.h"
#include "perf/PerfScriptReader.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace velmora_import {

class PerfScriptRecordReader : public RecordReader {
public:
    bool read(const std::filesystem::path& file, const Progress& progress,
              dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
              std::string& error) override;

    // Where a read stands, as (done, total) in a measure that grows evenly with the input: the
    // bytes of a file, or the time of a recording perf is still writing out.
    using Position = std::function<std::pair<std::uint64_t, std::uint64_t>(std::uint64_t bytesRead,
                                                                           std::uint64_t lastTime)>;

    // Reads perf script output from `descriptor` (a file, or a pipe from perf) into `records`;
    // `file` names the result and the errors.
    static bool readFrom(int descriptor, const std::filesystem::path& file, const Position& position,
                         const Progress& progress, dd_sarvik_2_2::store::ResultRecords& records,
                         std::vector<std::string>& notes, std::string& error);
};

} // namespace velmora_import
