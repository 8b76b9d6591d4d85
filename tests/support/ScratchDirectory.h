#pragma once
// A directory under the system's temporary path that no other run shares, removed with everything
// in it. A name made from the process id alone is not enough: a run that died leaves its folder
// behind, and a later process given the same id would find the old files there.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <string>
#include <system_error>

class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& prefix = "velmora_test")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "_XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            throw std::filesystem::filesystem_error("cannot make a scratch directory", pattern,
                                                    std::error_code(errno, std::generic_category()));
        m_path = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A scratch directory a whole test program shares, made on first use under `prefix` and removed
// when the tests end: a test environment's tear-down runs even in programs that then leave with
// _Exit and so never run static destructors.
inline std::filesystem::path sharedScratchDirectory(const std::string& prefix)
{
    class Removal : public ::testing::Environment {
    public:
        explicit Removal(const std::string& prefix) : m_directory(prefix) {}
        void TearDown() override
        {
            std::error_code ignored;
            std::filesystem::remove_all(m_directory.path(), ignored);
        }
        const std::filesystem::path& path() const { return m_directory.path(); }

    private:
        ScratchDirectory m_directory;
    };
    auto removal = std::make_unique<Removal>(prefix);
    const std::filesystem::path path = removal->path();
    ::testing::AddGlobalTestEnvironment(removal.release()); // the test program owns it from here
    return path;
}
