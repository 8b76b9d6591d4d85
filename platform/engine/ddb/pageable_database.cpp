#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/pageable_database.h>

namespace ddb_2_2 {

pageable_database::pageable_database(string saveDir, int archiveType, std::uint64_t memoryBudget)
    : m_saveDir(std::move(saveDir)),
      m_archiveType(archiveType),
      m_storage(std::make_shared<ddb_storage>()),
      m_pager(memoryBudget)
{
}

pageable_database::~pageable_database() = default;

int pageable_database::get_archive_type() const { return m_archiveType; }

string pageable_database::get_database_save_dir() const { return m_saveDir; }

std::shared_ptr<ddb_storage> pageable_database::get_storage_for_path(const string& path) const
{
    return path.empty() ? nullptr : m_storage;
}

}  // namespace ddb_2_2
