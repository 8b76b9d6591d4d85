#pragma once
// Reads a JSON trace event file (TraceJsonReader) and turns its events into result records
// (TraceRecordBuilder).
#include "RecordReader.h"

namespace velmora_import {

class JsonRecordReader : public RecordReader {
public:
    bool read(const std::filesystem::path& file, const Progress& progress,
              dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
              std::string& error) override;
};

} // namespace velmora_import
