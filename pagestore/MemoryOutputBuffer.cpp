#include "pagestore/MemoryOutputBuffer.h"

namespace velmora_1_0 {

bool MemoryOutputBuffer::writeTo(std::streambuf& file) const
{
    const auto count = static_cast<std::streamsize>(m_bytes.size());
    return count == 0 || file.sputn(m_bytes.data(), count) == count;
}

MemoryOutputBuffer::int_type MemoryOutputBuffer::overflow(int_type c)
{
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        m_bytes.push_back(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize MemoryOutputBuffer::xsputn(const char* text, std::streamsize count)
{
    m_bytes.insert(m_bytes.end(), text, text + count);
    return count;
}

}  // namespace velmora_1_0
