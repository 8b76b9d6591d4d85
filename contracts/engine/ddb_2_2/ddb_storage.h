#pragma once
// Where page and bucket files live: existence tests and opening files by path.
//
// The default storage works on real files. A pageable_database hands one out per path; the
// operations are virtual so that a database may keep its files elsewhere. The default storage
// keeps the descriptors of files it closed lately open for their next use (see
// ddb_storage_file), and closes them when it is destroyed.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <memory>

namespace ddb_2_2 {

class ddb_storage_file;
class descriptor_cache;

class SARVIK_API ddb_storage {
public:
    ddb_storage();
    virtual ~ddb_storage();
    ddb_storage(const ddb_storage&) = delete;
    ddb_storage& operator=(const ddb_storage&) = delete;

    virtual bool file_exists(const string& path) const;
    /// An object whose is_open() tells whether the file could be opened.
    virtual std::unique_ptr<ddb_storage_file> open_for_reading(const string& path) const;
    virtual std::unique_ptr<ddb_storage_file> open_for_writing(const string& path) const;
    /// False when the file did not exist or could not be removed.
    virtual bool remove_file(const string& path) const;

private:
    std::shared_ptr<descriptor_cache> m_descriptors;   // shared with the files it opened
};

}  // namespace ddb_2_2
