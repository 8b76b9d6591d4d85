#include "perf/PerfScriptRecordReader.h"

#include "perf/PerfRecordBuilder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velmora_import {

bool PerfScriptRecordReader::read(const std::filesystem::path& file, const Progress& progress,
                                  dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                                  std::string& error)
{
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = file.string() + ": cannot open: " + std::strerror(errno);
        return false;
    }
    std::error_code code;
    const std::uint64_t size = std::max<std::uint64_t>(std::filesystem::file_size(file, code), 1);
    const auto share = [&progress, size](std::uint64_t bytes, std::uint64_t) {
        return !progress || progress(static_cast<int>(std::min<std::uint64_t>(bytes * 100 / size, 100)));
    };
    const bool read = readFrom(descriptor, file, share, records, notes, error);
    ::close(descriptor);
    return read;
}

bool PerfScriptRecordReader::readFrom(int descriptor, const std::filesystem::path& file,
                                      const PerfScriptReader::Progress& progress,
                                      dd_sarvik_2_2::store::ResultRecords& records, std::vector<std::string>& notes,
                                      std::string& error)
{
    PerfRecordBuilder builder;
    PerfScriptReader reader;
    if (!reader.read(descriptor, file.string(), [&builder](const PerfEvent& event) { builder.add(event); }, progress,
                     error))
        return false;
    builder.skipLines(reader.skippedLines());
    if (!builder.finish(file.filename().string(), records, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    notes.insert(notes.end(), builder.notes().begin(), builder.notes().end());
    return true;
}

} // namespace velmora_import
