#include "SampleResult.h"

#include "StagedDirectory.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <cstdlib>
#include <sstream>

namespace velmora_viewer {

namespace fs = std::filesystem;

namespace {

fs::path cacheRoot()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return fs::path(cache) / "velmora";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".cache" / "velmora";
    return fs::temp_directory_path() / "velmora-cache";
}

} // namespace

fs::path SampleResult::cacheDirectory()
{
    // One folder per stored form of results: entries written in an older form are never opened
    // (they would only fail with a version error); they are made anew beside them.
    return cacheRoot() / ("results-v" + std::to_string(dd_sarvik_2_2::store::ResultRecords::currentSchemaVersion));
}

std::string SampleResult::directoryName(const dd_sarvik_2_2::store::GeneratorOptions& options)
{
    std::ostringstream name;
    name << "sample-r" << dd_sarvik_2_2::store::ResultGenerator::REVISION << '-' << options.threads << 't'
         << options.processes << 'p' << options.timeOrigin << 'o' << options.tickFrequency << 'f' << options.duration
         << 'd' << options.samples << 's' << options.markers << 'm' << options.transitions << 'w'
         << options.globalMarkers << 'g' << options.counterValues << 'c' << options.seed;
    return name.str();
}

fs::path SampleResult::ensure(std::string& error)
{
    dd_sarvik_2_2::store::GeneratorOptions options; // the library's default size: a quick first look
    const fs::path directory = cacheDirectory() / directoryName(options);
    const auto generate = [&options](const fs::path& staging, std::string& failure) {
        const auto status = dd_sarvik_2_2::store::ResultGenerator(options).writeTo(staging);
        if (!status.ok())
            failure = "cannot generate the sample result: " + fs::path(status.message).string();
        return status.ok();
    };
    return velmora_import::StagedDirectory::ensure(directory, "result.sqlite", generate, error) ? directory : fs::path();
}

} // namespace velmora_viewer
