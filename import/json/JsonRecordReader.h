#pragma once
// Reads a JSON trace event file (TraceJsonReader, on a thread of its own) and turns its events
// into result records (TraceRecordBuilder, on the calling thread), handing them over in batches.
// Progress is reported from the reading thread.
#include "RecordReader.h"

namespace velmora_import {

class JsonRecordReader : public RecordReader {
public:
    bool read(const std::filesystem::path& file, const Progress& progress,
              dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
              std::string& error) override;
};

} // namespace velmora_import
