#pragma once
// Where page and bucket files live: existence tests and opening files by path.
//
// The default storage works on real files. A pageable_database hands one out per path; the
// operations are virtual so that a database may keep its files elsewhere.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <memory>

namespace ddb_2_2 {

class ddb_storage_file;

class SARVIK_API ddb_storage {
public:
    virtual ~ddb_storage();

    virtual bool file_exists(const string& path) const;
    /// An object whose is_open() tells whether the file could be opened.
    virtual std::unique_ptr<ddb_storage_file> open_for_reading(const string& path) const;
    virtual std::unique_ptr<ddb_storage_file> open_for_writing(const string& path) const;
    /// False when the file did not exist or could not be removed.
    virtual bool remove_file(const string& path) const;
};

}  // namespace ddb_2_2
