#include "support/TempDirectory.h"

#include <random>
#include <system_error>

#include <unistd.h>

namespace bench_support {

TempDirectory::TempDirectory(const std::string& prefix, const std::filesystem::path& parent)
{
    std::random_device seed;
    m_path = parent / (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(m_path);
}

TempDirectory::~TempDirectory()
{
    std::error_code ignored; // a benchmark's clean-up must not throw
    std::filesystem::remove_all(m_path, ignored);
}

std::uint64_t TempDirectory::fileBytes() const
{
    std::uint64_t total = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_path))
        if (entry.is_regular_file())
            total += entry.file_size();
    return total;
}

} // namespace bench_support
