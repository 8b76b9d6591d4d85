#include "pagestore/PortableArchiveException.h"

#include "pagestore/PortableArchiveFlags.h"

namespace velmora_1_0 {

PortableArchiveException::PortableArchiveException(Code code)
    : boost::archive::archive_exception(other_exception), m_code(code)
{
}

unsigned PortableArchiveException::checkedFlags(unsigned flags)
{
    if ((flags & endianBig) && (flags & endianLittle))
        throw PortableArchiveException(bothEndians);
    return flags;
}

const char* PortableArchiveException::what() const noexcept
{
    return m_code == integerTooWide ? "integer cannot be represented" : "cannot be both big and little endian";
}

}  // namespace velmora_1_0
