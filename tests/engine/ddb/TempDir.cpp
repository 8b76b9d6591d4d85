#include "TempDir.h"

#include <random>

TempDir::TempDir()
{
    std::random_device seed;
    for (;;) {
        m_path = std::filesystem::temp_directory_path() / ("ddb-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

int TempDir::fileCount() const
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_path))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}
