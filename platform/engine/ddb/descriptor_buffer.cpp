#include "ddb/descriptor_buffer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ddb_2_2 {

std::uint64_t descriptor_buffer::position() const
{
    return m_writing ? m_done + static_cast<std::uint64_t>(pptr() - pbase())
                     : m_done - static_cast<std::uint64_t>(egptr() - gptr());
}

bool descriptor_buffer::flush()
{
    if (!m_writing || pptr() == pbase())
        return true;
    const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(pbase(), epptr());
    return written;
}

char* descriptor_buffer::buffer()
{
    if (!m_buffer)
        m_buffer.reset(new char[buffer_bytes]);
    return m_buffer.get();
}

descriptor_buffer::int_type descriptor_buffer::overflow(int_type c)
{
    if (!m_writing || m_descriptor < 0)
        return traits_type::eof();
    if (!pbase()) {
        char* const start = buffer();
        setp(start, start + buffer_bytes);
    } else if (!flush()) {
        return traits_type::eof();
    }
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize descriptor_buffer::xsputn(const char* bytes, std::streamsize count)
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
    if (wanted >= direct_bytes)
        return writeAll(bytes, wanted) ? count : 0;
    return std::streambuf::xsputn(bytes, count);
}

int descriptor_buffer::sync()
{
    return flush() && !m_failed ? 0 : -1;
}

descriptor_buffer::int_type descriptor_buffer::underflow()
{
    if (m_writing || m_descriptor < 0)
        return traits_type::eof();
    char* const start = buffer();
    const std::size_t got = readSome(start, buffer_bytes);
    setg(start, start, start + got);
    return got == 0 ? traits_type::eof() : traits_type::to_int_type(start[0]);
}

std::streamsize descriptor_buffer::xsgetn(char* bytes, std::streamsize count)
{
    auto wanted = static_cast<std::size_t>(count);
    const std::size_t buffered = std::min(wanted, static_cast<std::size_t>(egptr() - gptr()));
    if (buffered > 0) {   // no get area before the first buffered read
        std::memcpy(bytes, gptr(), buffered);
        gbump(static_cast<int>(buffered));
    }
    wanted -= buffered;
    if (wanted < direct_bytes)
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

bool descriptor_buffer::writeAll(const char* bytes, std::size_t count)
{
    while (count > 0) {
        const ssize_t written = ::pwrite(m_descriptor, bytes, count, static_cast<off_t>(m_done));
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

std::size_t descriptor_buffer::readSome(char* bytes, std::size_t count)
{
    for (;;) {
        const ssize_t got = ::pread(m_descriptor, bytes, count, static_cast<off_t>(m_done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        m_done += static_cast<std::uint64_t>(got);
        return static_cast<std::size_t>(got);
    }
}

}  // namespace ddb_2_2
