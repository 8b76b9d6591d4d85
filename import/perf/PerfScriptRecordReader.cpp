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
    const auto position = [size](std::uint64_t bytes, std::uint64_t) { return std::make_pair(bytes, size); };
    const bool read = readFrom(descriptor, file, position, progress, records, notes, error);
    ::close(descriptor);
    return read;
}

bool PerfScriptRecordReader::readFrom(int descriptor, const std::filesystem::path& file, const Position& position,
                                      const Progress& progress, dd_sarvik_2_2::store::ResultRecords& records,
                                      std::vector<std::string>& notes, std::string& error)
{
    PerfRecordBuilder builder;
    bool forecast = false;
    const auto share = [&](std::uint64_t bytes, std::uint64_t lastTime) {
        const auto [done, total] = position(bytes, lastTime);
        if (!forecast) {
            builder.reserve(CapacityForecast(done, total));
            forecast = true;
        }
        return !progress ||
               progress(static_cast<int>(std::min<std::uint64_t>(done * 100 / std::max<std::uint64_t>(total, 1), 100)));
    };
    PerfScriptReader reader;
    if (!reader.read(descriptor, file.string(), [&builder](const PerfEvent& event) { builder.add(event); }, share,
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
