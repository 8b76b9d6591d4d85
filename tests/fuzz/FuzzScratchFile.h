#pragma once
// Inputs that the program reads from files are fuzzed through a file: each run overwrites one
// file in a directory private to the fuzzing process.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace velmora_fuzz {

class FuzzScratchFile {
public:
    explicit FuzzScratchFile(const std::string& name)
        : m_directory(std::filesystem::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid())))
        , m_file(m_directory / name)
    {
        std::filesystem::create_directories(m_directory);
    }

    ~FuzzScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }

    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    const std::filesystem::path& write(const std::uint8_t* data, std::size_t size) const
    {
        std::ofstream(m_file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                         static_cast<std::streamsize>(size));
        return m_file;
    }

    const std::filesystem::path& directory() const { return m_directory; }

private:
    std::filesystem::path m_directory;
    std::filesystem::path m_file;
};

} // namespace velmora_fuzz
