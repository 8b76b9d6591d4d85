#pragma once
// One open file of a ddb_storage: the stream that archives read from or write to.
//
// Obtained from ddb_storage::open_for_reading / open_for_writing and owned by the caller;
// the file closes when the object is destroyed or close() is called.

#include <engine_export.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace ddb_2_2 {

class SARVIK_API ddb_storage_file {
public:
    enum class mode { read, write };

    /// Opens `utf8Path` for binary reading, or for binary writing (as a new file replacing any old one).
    ddb_storage_file(const std::string& utf8Path, mode how);
    ~ddb_storage_file();
    ddb_storage_file(const ddb_storage_file&) = delete;
    ddb_storage_file& operator=(const ddb_storage_file&) = delete;

    bool is_open() const;
    /// Size of the file in bytes (for a written file: what has been written so far).
    std::uint64_t get_size();
    /// Flushes and closes; false when the flush failed (a short write).
    bool close();
    /// The stream archives are built over; valid while the file is open.
    std::streambuf& get_streambuf() { return m_buffer; }

private:
    std::filebuf m_buffer;
};

}  // namespace ddb_2_2
