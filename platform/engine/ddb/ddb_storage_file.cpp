#include <ddb_2_2/ddb_storage_file.h>

#include "ddb/descriptor_buffer.h"
#include "ddb/descriptor_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ddb_2_2 {
namespace {

// The size of the regular file open at `descriptor`; false for anything else (a directory), and
// for a file no longer linked to any path. A kept descriptor so serves its path while its file has
// not been removed, or replaced by another file put in its place (which removes the old one).
// Comparing it with what the path names would cost the look-up of the path that keeping the
// descriptor saves; a file renamed away goes on being used through the descriptor, as if its
// path still named it.
bool linked_regular_file_size(int descriptor, std::uint64_t& size)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink == 0)
        return false;
    size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

// Opened for reading and writing where allowed, so that the descriptor can be kept for either
// use; a file that allows one direction only is opened for that one, and not kept.
int open_by_path(const std::string& path, bool writing, bool& keepable)
{
    const int created = writing ? O_CREAT : 0;
    int descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC | created, 0666);
    keepable = descriptor >= 0;
    if (descriptor < 0 && errno != ENOENT)
        descriptor = ::open(path.c_str(), (writing ? O_WRONLY : O_RDONLY) | O_CLOEXEC | created, 0666);
    return descriptor;
}

}  // namespace

// A file that did not open keeps a closed buffer, on which every read and write fails.
ddb_storage_file::ddb_storage_file(const std::string& utf8Path, mode how, std::shared_ptr<descriptor_cache> descriptors)
    : m_mode(how), m_path(utf8Path)
{
    const bool writing = how == mode::write;
    // A descriptor that does not name a usable file is closed, leaving -1.
    const auto usable = [this](int descriptor) {
        if (descriptor < 0 || linked_regular_file_size(descriptor, m_sizeAtOpen))
            return descriptor;
        ::close(descriptor);
        return -1;
    };
    bool keepable = true;
    int descriptor = usable(descriptors ? descriptors->take(utf8Path) : -1);
    if (descriptor < 0)
        descriptor = usable(open_by_path(utf8Path, writing, keepable));
    m_descriptor = descriptor;
    if (keepable)
        m_descriptors = std::move(descriptors);
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
    bool done = buffer.flush() && !buffer.failed();
    // Only a file that held more than was written has old bytes to cut off.
    const std::uint64_t written = buffer.position();
    if (done && m_mode == mode::write && written < m_sizeAtOpen)
        done = ::ftruncate(m_descriptor, static_cast<off_t>(written)) == 0;
    buffer.detach();
    // A descriptor whose last use failed is not trusted with the next one.
    if (done && m_descriptors)
        m_descriptors->give(m_path, m_descriptor);
    else
        done = ::close(m_descriptor) == 0 && done;
    m_descriptor = -1;
    return done;
}

}  // namespace ddb_2_2
