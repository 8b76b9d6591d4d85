#include <ddb_2_2/ddb_storage_file.h>

#include <cstdio>

namespace ddb_2_2 {

ddb_storage_file::ddb_storage_file(const std::string& utf8Path, mode how)
{
    const auto flags = how == mode::read ? std::ios::in | std::ios::binary
                                         : std::ios::out | std::ios::binary | std::ios::trunc;
    // A new file rather than a truncated one: the file system then does not wait for the
    // old content's write-back before taking the new bytes, and a reader of the old file
    // keeps what it opened.
    if (how == mode::write)
        std::remove(utf8Path.c_str());
    m_buffer.open(utf8Path, flags);
}

ddb_storage_file::~ddb_storage_file() { close(); }

bool ddb_storage_file::is_open() const { return m_buffer.is_open(); }

std::uint64_t ddb_storage_file::get_size()
{
    if (!m_buffer.is_open())
        return 0;
    const auto here = m_buffer.pubseekoff(0, std::ios::cur);
    const auto end = m_buffer.pubseekoff(0, std::ios::end);
    m_buffer.pubseekpos(here);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

bool ddb_storage_file::close()
{
    if (!m_buffer.is_open())
        return true;
    return m_buffer.close() != nullptr;
}

}  // namespace ddb_2_2
