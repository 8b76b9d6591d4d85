#include "pagestore/PortableArchiveException.h"

namespace velmora_1_0 {

PortableArchiveException::PortableArchiveException(Code code)
    : boost::archive::archive_exception(other_exception), m_code(code)
{
}

const char* PortableArchiveException::what() const noexcept
{
    return m_code == integerTooWide ? "integer cannot be represented" : "cannot be both big and little endian";
}

}  // namespace velmora_1_0
