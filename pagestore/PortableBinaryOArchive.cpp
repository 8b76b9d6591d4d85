#include "pagestore/PortableBinaryOArchive.h"

#include "pagestore/PortableArchiveException.h"

#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_binary_oarchive.ipp>
#include <boost/archive/impl/basic_binary_oprimitive.ipp>

namespace velmora_1_0 {

PortableBinaryOArchive::PortableBinaryOArchive(std::streambuf& buffer, unsigned flags)
    : primitive(buffer, (PortableArchiveException::checkedFlags(flags) & boost::archive::no_codecvt) != 0),
      boost::archive::basic_binary_oarchive<PortableBinaryOArchive>(flags),
      m_flags(flags)
{
    if ((flags & boost::archive::no_header) == 0)
        boost::archive::basic_binary_oarchive<PortableBinaryOArchive>::init();
}

void PortableBinaryOArchive::saveInteger(std::uint64_t bits, bool negative)
{
    std::uint64_t magnitude = negative ? std::uint64_t(0) - bits : bits;
    unsigned char bytes[8];
    signed char length = 0;
    while (magnitude != 0) {
        bytes[length++] = static_cast<unsigned char>(magnitude & 0xFF);
        magnitude >>= 8;
    }
    const signed char lengthByte = negative ? static_cast<signed char>(-length) : length;
    primitive::save_binary(&lengthByte, 1);
    if (m_flags & endianBig) {
        for (int i = length - 1; i >= 0; --i)
            primitive::save_binary(&bytes[i], 1);
    } else if (length > 0) {
        primitive::save_binary(bytes, static_cast<std::size_t>(length));
    }
}

}  // namespace velmora_1_0

namespace boost {
namespace archive {
template class basic_binary_oprimitive<velmora_1_0::PortableBinaryOArchive, char, std::char_traits<char>>;
template class basic_binary_oarchive<velmora_1_0::PortableBinaryOArchive>;
template class detail::archive_serializer_map<velmora_1_0::PortableBinaryOArchive>;
}  // namespace archive
}  // namespace boost
