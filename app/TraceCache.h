#pragma once
// Where `view TRACE` keeps the result of a trace file: imported into the cache directory on
// first use and reused while the file is unchanged (the entry is named after the file's path,
// size and modification time).
#include "TraceImporter.h"

#include <filesystem>
#include <string>

namespace velmora_viewer {

class TraceCache {
public:
    // The result directory of `trace`, imported when missing (with `progress`, which may stop
    // it); empty with `error` on failure.
    static std::filesystem::path ensure(const std::filesystem::path& trace, std::string& error,
                                        const velmora_import::TraceImporter::Progress& progress);
};

} // namespace velmora_viewer
