#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace bench_support {

// A fresh folder under `parent` (by default the system's temporary directory), named after
// `prefix`, the process and a random number so parallel runs never share it; removed with
// everything in it on destruction.
class TempDirectory {
public:
    explicit TempDirectory(const std::string& prefix,
                           const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Total size of the files directly in the folder.
    std::uint64_t fileBytes() const;

private:
    std::filesystem::path m_path;
};

} // namespace bench_support
