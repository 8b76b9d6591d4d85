#pragma once
// Reads a perf.data recording by running `perf script` on it as a child process, with an
// explicit field list, and reading its output as it comes (PerfScriptRecordReader::readFrom).
// A short `perf report --header-only` run first tells which fields the recording has and its
// time span, for progress. Without perf the error names the package that brings it.
#include "RecordReader.h"

#include <string>
#include <vector>

namespace velmora_import {

struct PerfDataHeader;

class PerfDataRecordReader : public RecordReader {
public:
    // `perf`: the program to run, looked up on PATH.
    explicit PerfDataRecordReader(std::string perf = "perf");

    bool read(const std::filesystem::path& file, const Progress& progress,
              dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
              std::string& error) override;

    // The field lists given to perf script ("-F LIST" pairs): one for every event, and where
    // not every event carries its CPU, one with the CPU for each type of event that does.
    static std::vector<std::string> fieldArguments(const PerfDataHeader& header);

private:
    // Runs perf with `arguments`; false with `error` naming the file.
    bool readHeader(const std::filesystem::path& file, std::string& header, std::string& error) const;

    std::string m_perf;
};

} // namespace velmora_import
