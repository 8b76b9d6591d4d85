#include "pagestore/MemoryOutputBuffer.h"

#include <algorithm>
#include <cstring>

namespace velmora_1_0 {
namespace {

constexpr std::size_t minimumBytes = 4096;

}  // namespace

void MemoryOutputBuffer::reserve(std::size_t bytes)
{
    if (bytes <= m_capacity)
        return;
    const std::size_t used = size();
    std::unique_ptr<char[]> grown(new char[bytes]);
    if (used > 0)
        std::memcpy(grown.get(), m_bytes.get(), used);
    m_bytes = std::move(grown);
    m_capacity = bytes;
    setp(m_bytes.get(), m_bytes.get() + m_capacity);
    // The put position is an int step; a page file stays far below 2 GB.
    pbump(static_cast<int>(used));
}

unsigned char* MemoryOutputBuffer::tail(std::size_t count)
{
    if (count > static_cast<std::size_t>(epptr() - pptr()))
        reserve(std::max({size() + count, 2 * m_capacity, minimumBytes}));
    return reinterpret_cast<unsigned char*>(pptr());
}

void MemoryOutputBuffer::commit(std::size_t count)
{
    pbump(static_cast<int>(count));
}

bool MemoryOutputBuffer::writeTo(std::streambuf& file) const
{
    const auto count = static_cast<std::streamsize>(size());
    return count == 0 || file.sputn(pbase(), count) == count;
}

MemoryOutputBuffer::int_type MemoryOutputBuffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *tail(1) = static_cast<unsigned char>(traits_type::to_char_type(c));
    commit(1);
    return c;
}

std::streamsize MemoryOutputBuffer::xsputn(const char* text, std::streamsize count)
{
    if (count <= 0)
        return 0;
    const auto bytes = static_cast<std::size_t>(count);
    std::memcpy(tail(bytes), text, bytes);
    commit(bytes);
    return count;
}

}  // namespace velmora_1_0
