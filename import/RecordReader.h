#pragma once
// One trace format's way from a file to the records of a result. TraceImporter picks the reader
// by the file's content, lets it fill the records and writes them; readers never write files.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dd_sarvik_2_2::store {
struct ResultRecords;
}

namespace velmora_import {

class RecordReader {
public:
    // Called now and then with the share of the file read; false stops the read (it then fails
    // as canceled). May run on any thread.
    using Progress = std::function<bool(int percent)>;

    virtual ~RecordReader() = default;

    // Fills `records` from `file`; false with `error` (naming the file, and the place for
    // malformed input). `notes` gets what was skipped or repaired, one sentence each.
    virtual bool read(const std::filesystem::path& file, const Progress& progress,
                      dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                      std::string& error) = 0;
};

} // namespace velmora_import
