#pragma once
// A database whose paged containers can be written to files: it chooses the archive kind of
// those files, the directory they go to, the storage that opens them, and owns the pager that
// keeps its pages within a memory budget.

#include <ddb_2_2/database.h>
#include <ddb_2_2/global_pager.h>

#include <memory>

namespace ddb_2_2 {

class ddb_storage;

class SARVIK_API pageable_database : public database {
public:
    static constexpr int native_binary_archive = 0;
    static constexpr int portable_binary_archive = 1;

    /// What the pages of one database may hold in memory unless told otherwise: large enough
    /// that ordinary views never page, small enough that a huge query cannot exhaust memory.
    static constexpr std::uint64_t default_memory_budget = std::uint64_t(256) << 20;

    /// `saveDir` receives the page files; empty disables paging to files.
    explicit pageable_database(string saveDir = string(), int archiveType = native_binary_archive,
                               std::uint64_t memoryBudget = default_memory_budget);
    ~pageable_database() override;

    /// 1 selects the portable binary archive, any other value the native one.
    virtual int get_archive_type() const;
    virtual string get_database_save_dir() const;
    /// The storage that opens `path`; null when there is none (an empty path).
    virtual std::shared_ptr<ddb_storage> get_storage_for_path(const string& path) const;

    global_pager& get_pager() { return m_pager; }

private:
    string m_saveDir;
    int m_archiveType;
    std::shared_ptr<ddb_storage> m_storage;
    global_pager m_pager;
};

}  // namespace ddb_2_2
