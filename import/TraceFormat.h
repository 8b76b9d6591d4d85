#pragma once
// Which kind of trace a file holds, told by its first bytes rather than by its name: people
// rename files, and tools write the same format under many endings.
#include <filesystem>
#include <memory>
#include <string>

namespace velmora_import {

class RecordReader;

enum class TraceFormatKind { unknown, json };

class TraceFormat {
public:
    static TraceFormatKind detect(const std::filesystem::path& file);
    // The reader for `kind`; null for unknown.
    static std::unique_ptr<RecordReader> readerFor(TraceFormatKind kind);
    // Words for an error about a file of no known kind.
    static std::string unknownKindMessage();
};

} // namespace velmora_import
