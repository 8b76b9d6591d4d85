#pragma once
// A page of over-time items that the pager can write to its page file and read back.
// Made by OverTimeBucket; the pager calls load and save by path, each under the page's file
// mutex so that a bucket save writing the same file never interleaves with it.

#include "pagestore/ContainerSerialization.h"
#include <VelmoraExport.h>

namespace velmora_1_0 {

class VELMORA_API OverTimePage : public OverTimePageBase {
public:
    bool load(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool save(const ddb_2_2::string& path, ddb_2_2::pageable_database& db) override;
    bool can_page() const override { return true; }
};

}  // namespace velmora_1_0
