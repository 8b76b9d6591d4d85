#pragma once
// The paged bucket of an over-time answer, with pages that can be paged to files.
//
// The code that asks the engine for over-time data constructs one of these (the engine fills
// it through the paged_bucket interface). Given a database, the bucket's pages go through that
// database's pager from the start; load and save by path attach the bucket to the database
// they are given. A successful load or save clears the bucket's `fresh` and `modified` flags:
// the bucket then matches its file.
//
// The engine appends each row's answer in one batch, so a page is sized to hold the rest of its
// batch (at least the default 512 items, at most maxPageItems): a row then takes one page file
// instead of one per 512 items, which is where saving and paging spent their time, and small
// rows reserve no more than they hold.

#include "pagestore/ContainerSerialization.h"
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API OverTimeBucket : public OverTimeBucketBase {
public:
    OverTimeBucket() = default;
    explicit OverTimeBucket(ddb_2_2::pageable_database& db);

    bool load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool can_page() const override { return true; }

    /// 1 MB of items in memory: large enough that file opens cost little beside the bytes,
    /// small enough that the pager can still keep to a budget of a few pages.
    static constexpr std::uint32_t maxPageItems = 65536;

protected:
    std::unique_ptr<page_type> create_page() const override;
    std::uint32_t capacity_for(std::size_t pending) const override;
};

}  // namespace velmora_1_0
