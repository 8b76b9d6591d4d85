#pragma once
// Reads a JSON trace file as a stream and hands each trace event to a sink, so a file of any size
// is read in one pass without holding its document in memory. The file is either an array of
// events or an object whose "traceEvents" member is that array (its "samples" and "stackFrames"
// sections are read too, other members skipped); it may be gzip-compressed and start with a
// byte order mark.
//
// A file that breaks off after complete events (a tracer killed before it wrote the closing
// "]", or garbage after the last event) keeps those events, with a note saying where it broke;
// text after a whole document (a log line appended to the file) is ignored with a note.
// Otherwise malformed JSON is an error naming the place: "FILE:LINE:COLUMN: what".
// Progress is reported as bytes read of the file's size, every few megabytes; returning false
// there stops the read (the error then says it was canceled).
#include "json/JsonInputStream.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora_import {

class TraceEventSink;

class TraceJsonReader {
public:
    using Progress = JsonInputStream::Progress;

    bool read(const std::filesystem::path& file, TraceEventSink& sink, const Progress& progress,
              std::vector<std::string>& notes, std::string& error) const;
};

} // namespace velmora_import
