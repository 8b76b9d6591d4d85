#pragma once
// One open file of a ddb_storage: the stream that archives read from or write to.
//
// Obtained from ddb_storage::open_for_reading / open_for_writing and owned by the caller;
// the file closes when the object is destroyed or close() is called.
//
// Writing replaces the content of an existing file in place, keeping the file itself: the file
// system then reuses its pages and blocks instead of freeing and allocating them again, and
// saving a page rewrites one file rather than removing it and creating another. A page file is
// therefore read and written only under its page's file mutex (page_base::get_file_mutex).
//
// A file opened through a descriptor cache takes the descriptor kept for its path, when there
// is one, and gives it back when it closes (reads and writes start at the beginning all the
// same). A file removed, or replaced by another, since is opened again by its path.

#include <engine_export.h>

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>

namespace ddb_2_2 {

class descriptor_cache;

class SARVIK_API ddb_storage_file {
public:
    enum class mode { read, write };

    /// Opens `utf8Path` for binary reading (a regular file only), or for binary writing
    /// (created when missing; what was there is replaced once the file is closed); through
    /// `descriptors` when given.
    ddb_storage_file(const std::string& utf8Path, mode how, std::shared_ptr<descriptor_cache> descriptors = nullptr);
    ~ddb_storage_file();
    ddb_storage_file(const ddb_storage_file&) = delete;
    ddb_storage_file& operator=(const ddb_storage_file&) = delete;

    bool is_open() const;
    /// Size of the file in bytes (for a written file: what has been written so far).
    std::uint64_t get_size();
    /// Flushes, cuts off what remains of older, longer content, and closes; false when the
    /// flush or the cut failed (a short write).
    bool close();
    /// The stream archives are built over; valid while the file is open.
    std::streambuf& get_streambuf() { return *m_buffer; }

private:
    std::unique_ptr<std::streambuf> m_buffer;
    int m_descriptor = -1;   // closed, or given back to m_descriptors, by close()
    mode m_mode;
    std::uint64_t m_sizeAtOpen = 0;
    std::string m_path;
    std::shared_ptr<descriptor_cache> m_descriptors;   // null: the descriptor is not kept
};

}  // namespace ddb_2_2
