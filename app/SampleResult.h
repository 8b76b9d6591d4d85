#pragma once
// The sample result a new user sees: generated once into the cache directory
// ($XDG_CACHE_HOME/velmora/sample-<seed>, else ~/.cache/velmora/...) and reused afterwards.
// A directory is only taken as done once the generator wrote it completely (it is written under
// a temporary name and renamed), so an interrupted first run never leaves a broken sample.
#include <filesystem>
#include <string>

namespace velmora_viewer {

class SampleResult {
public:
    // The sample's directory, generated when missing; empty with `error` set on failure.
    static std::filesystem::path ensure(std::string& error);
    static std::filesystem::path cacheDirectory();
};

} // namespace velmora_viewer
