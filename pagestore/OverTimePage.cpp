#include "pagestore/OverTimePage.h"

#include "pagestore/PageFile.h"

#include <mutex>

namespace velmora_1_0 {

bool OverTimePage::load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    std::lock_guard<std::mutex> guard(get_file_mutex());
    return PageFile::load(*this, path, db);
}

bool OverTimePage::save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    std::lock_guard<std::mutex> guard(get_file_mutex());
    return PageFile::save(*this, path, db);
}

}  // namespace velmora_1_0
