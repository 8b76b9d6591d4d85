#include "pagestore/MemoryInputBuffer.h"

namespace velmora_1_0 {

std::uint64_t MemoryInputBuffer::readFrom(std::streambuf& file, std::uint64_t size)
{
    m_bytes.reset(new char[size]);
    const std::streamsize got = size == 0 ? 0 : file.sgetn(m_bytes.get(), static_cast<std::streamsize>(size));
    const std::uint64_t length = got > 0 ? static_cast<std::uint64_t>(got) : 0;
    setg(m_bytes.get(), m_bytes.get(), m_bytes.get() + length);
    return length;
}

MemoryInputBuffer::pos_type MemoryInputBuffer::seekoff(off_type offset, std::ios_base::seekdir from,
                                                       std::ios_base::openmode which)
{
    if (!(which & std::ios_base::in) || !eback())
        return pos_type(off_type(-1));
    const off_type base = from == std::ios_base::beg ? 0
        : from == std::ios_base::cur                 ? gptr() - eback()
                                                     : egptr() - eback();
    return seekpos(pos_type(base + offset), which);
}

MemoryInputBuffer::pos_type MemoryInputBuffer::seekpos(pos_type position, std::ios_base::openmode which)
{
    const off_type at = position;
    if (!(which & std::ios_base::in) || !eback() || at < 0 || at > egptr() - eback())
        return pos_type(off_type(-1));
    setg(eback(), eback() + at, egptr());
    return position;
}

}  // namespace velmora_1_0
