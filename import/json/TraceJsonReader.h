#pragma once
// Reads a JSON trace file as a stream and hands each trace event to a sink, so a file of any size
// is read in one pass without holding its document in memory. The file is either an array of
// events or an object whose "traceEvents" member is that array; other members are skipped.
//
// Errors name the place: "FILE:LINE:COLUMN: what" for malformed JSON, for a field of the wrong
// type and for an event the sink refuses (then the position is the event's opening brace).
// Progress is reported as bytes read of the file's size, every few megabytes; returning false
// there stops the read (the error then says it was canceled).
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace velmora_import {

struct TraceEvent;

class TraceJsonReader {
public:
    // False with `error` (without position; the reader adds it) to stop reading.
    using Sink = std::function<bool(const TraceEvent& event, std::string& error)>;
    using Progress = std::function<bool(std::uint64_t bytesRead, std::uint64_t fileSize)>;

    static constexpr std::uint64_t PROGRESS_STEP = 4u << 20;

    bool read(const std::filesystem::path& file, const Sink& sink, const Progress& progress,
              std::string& error) const;
};

} // namespace velmora_import
