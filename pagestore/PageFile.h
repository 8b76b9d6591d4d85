#pragma once
// Loads and saves one over-time page or bucket as a file of the database's storage, in the
// archive kind the database chooses (portable binary for archive type 1, native binary else).
//
// load returns false, leaving the object untouched, when the path does not exist, the
// database has no storage for it, or the file does not open or is empty; save returns false
// when there is no storage or the file does not open. Damaged content raises Boost's archive
// exceptions (or PortableArchiveException), which the callers decide how to handle.

#include "pagestore/ContainerSerialization.h"
#include <VelmoraExport.h>

namespace ddb_2_2 {
class pageable_database;
class string;
}  // namespace ddb_2_2

namespace velmora_1_0 {

class VELMORA_API PageFile {
public:
    static bool load(OverTimePageBase& page, const ddb_2_2::string& path, ddb_2_2::pageable_database& db);
    static bool load(OverTimeBucketBase& bucket, const ddb_2_2::string& path, ddb_2_2::pageable_database& db);
    static bool save(const OverTimePageBase& page, const ddb_2_2::string& path, ddb_2_2::pageable_database& db);
    static bool save(const OverTimeBucketBase& bucket, const ddb_2_2::string& path, ddb_2_2::pageable_database& db);
};

}  // namespace velmora_1_0
