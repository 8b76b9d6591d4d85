#include <ddb_2_2/ddb_storage_file.h>

#include "ddb/descriptor_buffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ddb_2_2 {
namespace {

// The size of the regular file open at `descriptor`; false for anything else (a directory).
bool regular_file_size(int descriptor, std::uint64_t& size)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

}  // namespace

// A file that did not open keeps a closed buffer, on which every read and write fails.
ddb_storage_file::ddb_storage_file(const std::string& utf8Path, mode how) : m_mode(how)
{
    const bool writing = how == mode::write;
    int descriptor = ::open(utf8Path.c_str(), writing ? O_WRONLY | O_CREAT | O_CLOEXEC : O_RDONLY | O_CLOEXEC, 0666);
    if (descriptor >= 0 && !regular_file_size(descriptor, m_sizeAtOpen)) {
        ::close(descriptor);
        descriptor = -1;
    }
    m_descriptor = descriptor;
    m_buffer = std::make_unique<descriptor_buffer>(descriptor, writing);
}

ddb_storage_file::~ddb_storage_file() { close(); }

bool ddb_storage_file::is_open() const { return m_descriptor >= 0; }

std::uint64_t ddb_storage_file::get_size()
{
    if (!is_open())
        return 0;
    return m_mode == mode::read ? m_sizeAtOpen : static_cast<descriptor_buffer&>(*m_buffer).position();
}

bool ddb_storage_file::close()
{
    if (!is_open())
        return true;
    auto& buffer = static_cast<descriptor_buffer&>(*m_buffer);
    bool done = buffer.flush();
    // Only a file that held more than was written has old bytes to cut off.
    const std::uint64_t written = buffer.position();
    if (done && m_mode == mode::write && written < m_sizeAtOpen)
        done = ::ftruncate(m_descriptor, static_cast<off_t>(written)) == 0;
    done = buffer.finish() && done;
    m_descriptor = -1;
    return done;
}

}  // namespace ddb_2_2
