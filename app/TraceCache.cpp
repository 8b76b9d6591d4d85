#include "TraceCache.h"

#include "SampleResult.h"
#include "StagedDirectory.h"

#include <functional>
#include <sstream>

namespace velmora_viewer {

namespace fs = std::filesystem;

namespace {

// Raise when an import of the same file would give other records.
constexpr const char* IMPORT_REVISION = "json-2";

} // namespace

fs::path TraceCache::ensure(const fs::path& trace, std::string& error, const velmora_import::TraceImporter::Progress& progress)
{
    std::error_code code;
    const fs::path file = fs::canonical(trace, code);
    const auto size = fs::file_size(file, code);
    const auto modified = fs::last_write_time(file, code).time_since_epoch().count();
    if (code) {
        error = "cannot read the trace file " + trace.string() + ": " + code.message();
        return {};
    }
    std::ostringstream key;
    // The importer's revision is part of the name: a changed importer never shows a stale entry.
    key << std::hex << std::hash<std::string>()(file.string() + "|" + std::to_string(size) + "|" +
                                                std::to_string(modified) + "|" + IMPORT_REVISION);
    const fs::path directory = SampleResult::cacheDirectory() / ("trace-" + key.str());
    const auto import = [&file, &progress](const fs::path& staging, std::string& failure) {
        velmora_import::TraceImporter importer(progress);
        const bool imported = importer.importInto(file, staging, failure);
        importer.printNotes();
        return imported;
    };
    return velmora_import::StagedDirectory::ensure(directory, "result.sqlite", import, error) ? directory : fs::path();
}

} // namespace velmora_viewer
