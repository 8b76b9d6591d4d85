#pragma once
// The base of everything the pager can write out and read back: buckets and their pages.
//
// A container is saved to and loaded from a file path through virtual operations; the base
// versions do nothing and return false, and can_page() is false, so a container whose item
// type has no serializer simply stays in memory. The page store overrides them for the
// over-time containers.
//
// Two flags steer which files a save writes: `fresh` is set when a container is constructed
// (it has never been written or read), `modified` when its content changed since it was last
// written or read. Both are atomic because the pager reads them from other threads.

#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <atomic>

namespace ddb_2_2 {

class pageable_database;

class SARVIK_API pageable_container {
public:
    virtual ~pageable_container();
    pageable_container(const pageable_container&) = delete;
    pageable_container& operator=(const pageable_container&) = delete;

    /// Reads the container from `path`; false when the file is missing, empty or unopenable.
    virtual bool load(const string& path, pageable_database& db);
    /// Writes the container to `path`; false when no file could be opened.
    virtual bool save(const string& path, pageable_database& db);
    /// Whether load and save do real work for this container.
    virtual bool can_page() const;

    bool is_fresh() const { return m_fresh.load(); }
    void set_fresh(bool fresh) { m_fresh.store(fresh); }
    bool is_modified() const { return m_modified.load(); }
    void set_modified(bool modified) { m_modified.store(modified); }

protected:
    pageable_container() = default;

private:
    std::atomic<bool> m_fresh{true};
    std::atomic<bool> m_modified{true};
};

}  // namespace ddb_2_2
