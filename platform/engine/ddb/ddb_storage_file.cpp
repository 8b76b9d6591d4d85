#include <ddb_2_2/ddb_storage_file.h>

#include <ext/stdio_filebuf.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ddb_2_2 {
namespace {

using descriptor_buffer = __gnu_cxx::stdio_filebuf<char>;

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
ddb_storage_file::ddb_storage_file(const std::string& utf8Path, mode how)
    : m_buffer(std::make_unique<descriptor_buffer>()), m_mode(how)
{
    const int flags = how == mode::read ? O_RDONLY | O_CLOEXEC : O_WRONLY | O_CREAT | O_CLOEXEC;
    const int descriptor = ::open(utf8Path.c_str(), flags, 0666);
    if (descriptor < 0)
        return;
    if (!regular_file_size(descriptor, m_sizeAtOpen)) {
        ::close(descriptor);
        return;
    }
    m_descriptor = descriptor;
    m_buffer = std::make_unique<descriptor_buffer>(
        descriptor, how == mode::read ? std::ios::in | std::ios::binary : std::ios::out | std::ios::binary);
}

ddb_storage_file::~ddb_storage_file() { close(); }

bool ddb_storage_file::is_open() const { return m_descriptor >= 0; }

std::uint64_t ddb_storage_file::get_size()
{
    if (!is_open())
        return 0;
    if (m_mode == mode::read)
        return m_sizeAtOpen;
    const auto written = m_buffer->pubseekoff(0, std::ios::cur, std::ios::out);
    return written < 0 ? 0 : static_cast<std::uint64_t>(written);
}

bool ddb_storage_file::close()
{
    if (!is_open())
        return true;
    bool done = m_buffer->pubsync() == 0;
    // Only a file that held more than was written has old bytes to cut off.
    if (done && m_mode == mode::write && m_sizeAtOpen > 0) {
        const auto written = m_buffer->pubseekoff(0, std::ios::cur, std::ios::out);
        done = written >= 0 && (static_cast<std::uint64_t>(written) >= m_sizeAtOpen ||
                                ::ftruncate(m_descriptor, static_cast<off_t>(written)) == 0);
    }
    done = static_cast<descriptor_buffer&>(*m_buffer).close() != nullptr && done;
    m_descriptor = -1;
    return done;
}

}  // namespace ddb_2_2
