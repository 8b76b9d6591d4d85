#include "SampleResult.h"

#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace velmora_viewer {

namespace fs = std::filesystem;

fs::path SampleResult::cacheDirectory()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache)
        return fs::path(cache) / "velmora";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".cache" / "velmora";
    return fs::temp_directory_path() / "velmora-cache";
}

fs::path SampleResult::ensure(std::string& error)
{
    dd_sarvik_2_2::store::GeneratorOptions options; // the library's default size: a quick first look
    const fs::path directory = cacheDirectory() / ("sample-" + std::to_string(options.seed));
    std::error_code code;
    if (fs::exists(directory / "result.sqlite", code))
        return directory;
    const fs::path partial = directory.string() + ".partial-" + std::to_string(::getpid());
    fs::remove_all(partial, code);
    fs::create_directories(partial, code);
    const auto status = dd_sarvik_2_2::store::ResultGenerator(options).writeTo(partial);
    if (!status.ok()) {
        fs::remove_all(partial, code);
        error = "cannot generate the sample result in " + partial.string() + ": " +
                fs::path(status.message).string();
        return {};
    }
    fs::rename(partial, directory, code);
    if (code) {
        // Another viewer may have finished the same sample first; theirs is as good as ours.
        fs::remove_all(partial, code);
        if (!fs::exists(directory / "result.sqlite", code)) {
            error = "cannot place the sample result at " + directory.string();
            return {};
        }
    }
    return directory;
}

} // namespace velmora_viewer
