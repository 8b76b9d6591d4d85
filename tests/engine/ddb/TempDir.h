#pragma once
// A fresh directory under the system's temporary directory, removed with its content.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::wstring wide() const { return m_path.wstring(); }
    /// Regular files directly in the directory.
    int fileCount() const;

private:
    std::filesystem::path m_path;
};
