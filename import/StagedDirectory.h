#pragma once
// Builds a directory under a temporary name beside its final place and renames it into place
// only once it is complete, so a failed or interrupted run never leaves half a result where a
// reader would look. An existing non-empty directory at the target is never replaced.
#include <filesystem>
#include <functional>
#include <string>

namespace velmora_import {

class StagedDirectory {
public:
    // Fills the staging directory; false with `error` to give up.
    using Fill = std::function<bool(const std::filesystem::path& staging, std::string& error)>;

    // False with `error` when filling failed or the result could not be put in place; the
    // staging directory is removed either way.
    static bool publish(const std::filesystem::path& target, const Fill& fill, std::string& error);
    // For caches: true at once when `target` already holds `completeMark` (a file the fill
    // writes last), else publish. Losing a race to another process that built the same
    // directory counts as success: its copy is as good.
    static bool ensure(const std::filesystem::path& target, const std::string& completeMark, const Fill& fill,
                       std::string& error);
};

} // namespace velmora_import
