#include <ddb_2_2/ddb_storage_file.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace ddb_2_2 {
namespace {

// The stream of one open descriptor, in one direction. Archives hand it whole files at once,
// which go to and come from the descriptor without passing through the buffer; the buffer,
// made on first use, serves callers that read or write a few bytes at a time.
class descriptor_buffer : public std::streambuf {
public:
    static constexpr std::size_t buffer_bytes = 64 * 1024;

    descriptor_buffer(int descriptor, bool writing) : m_descriptor(descriptor), m_writing(writing) {}
    ~descriptor_buffer() override { finish(); }

    /// Bytes the stream has taken (writing) or handed out (reading) so far.
    std::uint64_t position() const
    {
        return m_writing ? m_done + static_cast<std::uint64_t>(pptr() - pbase())
                         : m_done - static_cast<std::uint64_t>(egptr() - gptr());
    }

    /// Writes what is pending; false when the descriptor took less.
    bool flush()
    {
        if (!m_writing || pptr() == pbase())
            return true;
        const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return written;
    }

    /// Flushes and closes the descriptor; false when either failed.
    bool finish()
    {
        if (m_descriptor < 0)
            return true;
        const bool flushed = flush() && !m_failed;
        const bool closed = ::close(m_descriptor) == 0;
        m_descriptor = -1;
        return flushed && closed;
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!m_writing || m_descriptor < 0)
            return traits_type::eof();
        if (m_buffer.empty()) {
            m_buffer.resize(buffer_bytes);
            setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        } else if (!flush()) {
            return traits_type::eof();
        }
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        const auto wanted = static_cast<std::size_t>(count);
        if (wanted == 0)
            return 0;
        if (wanted <= static_cast<std::size_t>(epptr() - pptr())) {
            std::memcpy(pptr(), bytes, wanted);
            pbump(static_cast<int>(wanted));
            return count;
        }
        if (!m_writing || m_descriptor < 0 || !flush())
            return 0;
        if (wanted >= buffer_bytes)
            return writeAll(bytes, wanted) ? count : 0;
        return std::streambuf::xsputn(bytes, count);
    }

    int sync() override { return flush() && !m_failed ? 0 : -1; }

    int_type underflow() override
    {
        if (m_writing || m_descriptor < 0)
            return traits_type::eof();
        if (m_buffer.empty())
            m_buffer.resize(buffer_bytes);
        const std::size_t got = readSome(m_buffer.data(), m_buffer.size());
        setg(m_buffer.data(), m_buffer.data(), m_buffer.data() + got);
        return got == 0 ? traits_type::eof() : traits_type::to_int_type(m_buffer[0]);
    }

    std::streamsize xsgetn(char* bytes, std::streamsize count) override
    {
        auto wanted = static_cast<std::size_t>(count);
        const std::size_t buffered = std::min(wanted, static_cast<std::size_t>(egptr() - gptr()));
        if (buffered > 0) {   // no get area before the first buffered read
            std::memcpy(bytes, gptr(), buffered);
            gbump(static_cast<int>(buffered));
        }
        wanted -= buffered;
        if (wanted < buffer_bytes)
            return static_cast<std::streamsize>(buffered) + std::streambuf::xsgetn(bytes + buffered, count - buffered);
        std::size_t done = buffered;
        while (wanted > 0) {
            const std::size_t got = readSome(bytes + done, wanted);
            if (got == 0)
                break;
            done += got;
            wanted -= got;
        }
        return static_cast<std::streamsize>(done);
    }

private:
    bool writeAll(const char* bytes, std::size_t count)
    {
        while (count > 0) {
            const ssize_t written = ::write(m_descriptor, bytes, count);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                m_failed = true;
                return false;
            }
            bytes += written;
            count -= static_cast<std::size_t>(written);
            m_done += static_cast<std::uint64_t>(written);
        }
        return true;
    }

    // 0 at the end of the file or on an error.
    std::size_t readSome(char* bytes, std::size_t count)
    {
        for (;;) {
            const ssize_t got = ::read(m_descriptor, bytes, count);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return 0;
            m_done += static_cast<std::uint64_t>(got);
            return static_cast<std::size_t>(got);
        }
    }

    int m_descriptor;
    bool m_writing;
    bool m_failed = false;
    std::uint64_t m_done = 0;   // bytes through the descriptor
    std::vector<char> m_buffer;
};

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
