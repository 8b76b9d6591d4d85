#include "StagedDirectory.h"

#include <system_error>
#include <unistd.h>

namespace velmora_import {

namespace fs = std::filesystem;

bool StagedDirectory::publish(const fs::path& target, const Fill& fill, std::string& error)
{
    const fs::path directory = target.has_filename() ? target : target.parent_path();
    const fs::path staging = directory.string() + ".partial-" + std::to_string(::getpid());
    std::error_code code;
    fs::remove_all(staging, code);
    fs::create_directories(staging, code);
    if (code) {
        error = "cannot create " + staging.string() + ": " + code.message();
        return false;
    }
    bool placed = fill(staging, error);
    if (placed) {
        fs::rename(staging, directory, code); // replaces nothing but an empty directory
        placed = !code;
        if (!placed)
            error = "cannot place the result at " + directory.string() + ": " + code.message();
    }
    if (!placed)
        fs::remove_all(staging, code);
    return placed;
}

bool StagedDirectory::ensure(const fs::path& target, const std::string& completeMark, const Fill& fill,
                             std::string& error)
{
    std::error_code code;
    if (fs::exists(target / completeMark, code))
        return true;
    return publish(target, fill, error) || fs::exists(target / completeMark, code);
}

} // namespace velmora_import
