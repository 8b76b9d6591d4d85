#include "pagestore/OverTimeBucket.h"

#include "pagestore/OverTimePage.h"
#include "pagestore/PageFile.h"

#include <algorithm>

namespace velmora_1_0 {

OverTimeBucket::OverTimeBucket(ddb_2_2::pageable_database& db) { attach(db); }

bool OverTimeBucket::load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    attach(db);
    if (!PageFile::load(static_cast<OverTimeBucketBase&>(*this), path, db))
        return false;
    set_fresh(false);
    set_modified(false);
    return true;
}

bool OverTimeBucket::save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db)
{
    attach(db);
    if (!PageFile::save(static_cast<const OverTimeBucketBase&>(*this), path, db))
        return false;
    set_fresh(false);
    set_modified(false);
    return true;
}

std::unique_ptr<OverTimeBucket::page_type> OverTimeBucket::create_page() const
{
    return std::make_unique<OverTimePage>();
}

std::uint32_t OverTimeBucket::capacity_for(std::size_t pending) const
{
    return static_cast<std::uint32_t>(
        std::clamp<std::size_t>(pending, ddb_2_2::page_base::default_capacity, maxPageItems));
}

}  // namespace velmora_1_0
