#pragma once
// The sample result a new user sees: generated once into the cache directory
// ($XDG_CACHE_HOME/velmora/<directoryName>, else ~/.cache/velmora/...) and reused afterwards;
// the name holds the generator's revision and every option, so a changed generator or default
// makes a sample of its own instead of showing a stale one.
// A directory is only taken as done once the generator wrote it completely (it is written under
// a temporary name and renamed), so an interrupted first run never leaves a broken sample.
#include <dd_sarvik_2_2/store/GeneratorOptions.h>

#include <filesystem>
#include <string>

namespace velmora_viewer {

class SampleResult {
public:
    // The sample's directory, generated when missing; empty with `error` set on failure.
    static std::filesystem::path ensure(std::string& error);
    static std::filesystem::path cacheDirectory();
    static std::string directoryName(const dd_sarvik_2_2::store::GeneratorOptions& options);
};

} // namespace velmora_viewer
