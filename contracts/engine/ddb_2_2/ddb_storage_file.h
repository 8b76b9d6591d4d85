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

#include <engine_export.h>

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>

namespace ddb_2_2 {

class SARVIK_API ddb_storage_file {
public:
    enum class mode { read, write };

    /// Opens `utf8Path` for binary reading (a regular file only), or for binary writing
    /// (created when missing; what was there is replaced once the file is closed).
    ddb_storage_file(const std::string& utf8Path, mode how);
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
    std::unique_ptr<std::streambuf> m_buffer;   // owns the descriptor and closes it
    int m_descriptor = -1;
    mode m_mode;
    std::uint64_t m_sizeAtOpen = 0;
};

}  // namespace ddb_2_2
