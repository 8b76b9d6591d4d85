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

    /// `saveDir` receives the page files; empty disables paging to files.
    explicit pageable_database(string saveDir = string(), int archiveType = native_binary_archive,
                               std::uint64_t memoryBudget = global_pager::unlimited);
    ~pageable_database() override;

    /// 1 selects the portable binary archive, any other value the native one.
    virtual int get_archive_type() const;
    virtual string get_database_save_dir() const;
    /// The storage that opens `path`; null when there is none (an empty path).
    virtual std::shared_ptr<ddb_storage> get_storage_for_path(const string& path) const;

    void set_archive_type(int archiveType);
    void set_database_save_dir(string saveDir);
    global_pager& get_pager() { return m_pager; }

private:
    string m_saveDir;
    int m_archiveType;
    std::shared_ptr<ddb_storage> m_storage;
    global_pager m_pager;
};

}  // namespace ddb_2_2
