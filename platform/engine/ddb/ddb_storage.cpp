#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>

#include "ddb/descriptor_cache.h"

#include <filesystem>
#include <system_error>

namespace ddb_2_2 {

ddb_storage::ddb_storage() : m_descriptors(std::make_shared<descriptor_cache>()) {}

ddb_storage::~ddb_storage() = default;

bool ddb_storage::file_exists(const string& path) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::u8path(path.to_utf8()), error);
}

std::unique_ptr<ddb_storage_file> ddb_storage::open_for_reading(const string& path) const
{
    return std::make_unique<ddb_storage_file>(path.to_utf8(), ddb_storage_file::mode::read, m_descriptors);
}

std::unique_ptr<ddb_storage_file> ddb_storage::open_for_writing(const string& path) const
{
    return std::make_unique<ddb_storage_file>(path.to_utf8(), ddb_storage_file::mode::write, m_descriptors);
}

bool ddb_storage::remove_file(const string& path) const
{
    const std::string utf8 = path.to_utf8();
    m_descriptors->forget(utf8);
    std::error_code error;
    return std::filesystem::remove(std::filesystem::u8path(utf8), error);
}

}  // namespace ddb_2_2
