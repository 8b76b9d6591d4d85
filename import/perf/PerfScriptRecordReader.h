#pragma once
// Reads the text `perf script` wrote (a recording made elsewhere, saved as text) into result
// records (PerfScriptReader, PerfRecordBuilder).
#include "RecordReader.h"
#include "perf/PerfScriptReader.h"

namespace velmora_import {

class PerfScriptRecordReader : public RecordReader {
public:
    bool read(const std::filesystem::path& file, const Progress& progress,
              dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
              std::string& error) override;

    // Reads perf script output from `descriptor` (a file, or a pipe from perf) into `records`;
    // `file` names the result and the errors.
    static bool readFrom(int descriptor, const std::filesystem::path& file, const PerfScriptReader::Progress& progress,
                         dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                         std::string& error);
};

} // namespace velmora_import
