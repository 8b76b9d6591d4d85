#include "pagestore/PortableBinaryOArchive.h"

#include "pagestore/PortableArchiveException.h"

#include <cstring>

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
    unsigned char bytes[maxEncodedBytes];
    primitive::save_binary(bytes, encodeInteger(bits, negative, bytes));
}

std::size_t PortableBinaryOArchive::encodeInteger(std::uint64_t bits, bool negative, unsigned char* out) const
{
    const std::uint64_t magnitude = negative ? std::uint64_t(0) - bits : bits;
    if (!bigEndian()) {
        const std::size_t bytes = encodeLittleEndian(magnitude, out);
        if (negative)
            out[0] = static_cast<unsigned char>(-static_cast<int>(out[0]));
        return bytes;
    }
    const auto length = static_cast<int>(magnitudeBytes(magnitude));
    out[0] = static_cast<unsigned char>(negative ? -length : length);
    if (length == 0)
        return 1;
    // The value whose bytes in memory, least significant first, are the ones to write; all
    // eight are stored, those past the length being scratch that the next write overwrites.
    std::uint64_t stored = __builtin_bswap64(magnitude) >> (8 * (8 - length));
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    stored = __builtin_bswap64(stored);
#endif
    std::memcpy(out + 1, &stored, sizeof stored);
    return static_cast<std::size_t>(length) + 1;
}

}  // namespace velmora_1_0

namespace boost {
namespace archive {
template class basic_binary_oprimitive<velmora_1_0::PortableBinaryOArchive, char, std::char_traits<char>>;
template class basic_binary_oarchive<velmora_1_0::PortableBinaryOArchive>;
template class detail::archive_serializer_map<velmora_1_0::PortableBinaryOArchive>;
}  // namespace archive
}  // namespace boost
