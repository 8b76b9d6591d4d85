#pragma once
// A fresh directory under the system's temporary path, removed with everything in it.

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

class TemporaryDirectory {
public:
    TemporaryDirectory()
    {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path()
            / ("velmora_store_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
