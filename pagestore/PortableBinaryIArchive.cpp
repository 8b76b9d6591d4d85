#include "pagestore/PortableBinaryIArchive.h"

#include "pagestore/PortableArchiveException.h"
#include "pagestore/RawBytes.h"

#include <boost/archive/basic_archive.hpp>
#include <boost/archive/impl/archive_serializer_map.ipp>
#include <boost/archive/impl/basic_binary_iarchive.ipp>
#include <boost/archive/impl/basic_binary_iprimitive.ipp>

namespace velmora_1_0 {

PortableBinaryIArchive::PortableBinaryIArchive(std::streambuf& buffer, unsigned flags)
    : primitive(buffer, (PortableArchiveException::checkedFlags(flags) & boost::archive::no_codecvt) != 0),
      boost::archive::basic_binary_iarchive<PortableBinaryIArchive>(flags),
      m_flags(flags)
{
    if ((flags & boost::archive::no_header) == 0)
        readHeader();
}

// Boost's binary header reader takes the version as a raw byte; ours is an encoded integer.
void PortableBinaryIArchive::readHeader()
{
    std::string signature;
    load(signature);
    if (signature != boost::archive::BOOST_ARCHIVE_SIGNATURE())
        throw boost::archive::archive_exception(boost::archive::archive_exception::invalid_signature);
    boost::serialization::library_version_type version;
    load(version);
    if (boost::archive::BOOST_ARCHIVE_VERSION() < version)
        throw boost::archive::archive_exception(boost::archive::archive_exception::unsupported_version);
    set_library_version(version);
}

// Integers are most of what a page holds: their bytes come straight from the stream buffer.
std::uint64_t PortableBinaryIArchive::loadInteger(std::size_t width)
{
    const auto nextByte = [this] {
        const auto c = m_sb.sbumpc();
        if (c == std::char_traits<char>::eof())
            throw boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error);
        return static_cast<unsigned char>(c);
    };
    const auto lengthByte = static_cast<signed char>(nextByte());
    if (lengthByte == 0)
        return 0;
    const bool negative = lengthByte < 0;
    const std::size_t length = negative ? std::size_t(-int(lengthByte)) : std::size_t(lengthByte);
    if (length > width)
        throw PortableArchiveException(PortableArchiveException::integerTooWide);
    std::uint64_t magnitude = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint64_t byte = nextByte();
        magnitude = (m_flags & endianBig) ? (magnitude << 8) | byte : magnitude | byte << (8 * i);
    }
    return negative ? std::uint64_t(0) - magnitude : magnitude;
}

std::size_t PortableBinaryIArchive::decodeSignedLittleEndian(signed char lengthByte, std::uint64_t bytes,
                                                             std::size_t width, std::uint64_t& value)
{
    const auto length = static_cast<std::size_t>(lengthByte < 0 ? -int(lengthByte) : int(lengthByte));
    if (length > width)
        throwTooWide();
    const std::uint64_t magnitude = bytes & (~std::uint64_t(0) >> (64 - 8 * length));
    value = std::uint64_t(0) - magnitude;
    return length + 1;
}

void PortableBinaryIArchive::throwTooWide()
{
    throw PortableArchiveException(PortableArchiveException::integerTooWide);
}

void PortableBinaryIArchive::load(std::string& text)
{
    loadRawBytes(*this, text, loadInteger(sizeof(std::size_t)));
}

void PortableBinaryIArchive::load(boost::archive::class_id_type& id)
{
    id = boost::archive::class_id_type(static_cast<int>(static_cast<std::int16_t>(loadInteger(sizeof(std::int16_t)))));
}

void PortableBinaryIArchive::load(boost::archive::object_id_type& id)
{
    id = boost::archive::object_id_type(static_cast<unsigned>(loadInteger(sizeof(std::uint32_t))));
}

void PortableBinaryIArchive::load(boost::archive::version_type& version)
{
    version = boost::archive::version_type(static_cast<unsigned>(loadInteger(sizeof(std::uint32_t))));
}

void PortableBinaryIArchive::load(boost::archive::tracking_type& tracking)
{
    tracking = boost::archive::tracking_type(loadInteger(1) != 0);
}

void PortableBinaryIArchive::load(boost::serialization::library_version_type& version)
{
    version = boost::serialization::library_version_type(static_cast<unsigned>(loadInteger(sizeof(std::uint16_t))));
}

void PortableBinaryIArchive::load(boost::serialization::item_version_type& version)
{
    version = boost::serialization::item_version_type(static_cast<unsigned>(loadInteger(sizeof(unsigned))));
}

void PortableBinaryIArchive::load(boost::serialization::collection_size_type& size)
{
    size = boost::serialization::collection_size_type(static_cast<std::size_t>(loadInteger(sizeof(std::size_t))));
}

}  // namespace velmora_1_0

namespace boost {
namespace archive {
template class basic_binary_iprimitive<velmora_1_0::PortableBinaryIArchive, char, std::char_traits<char>>;
template class basic_binary_iarchive<velmora_1_0::PortableBinaryIArchive>;
template class detail::archive_serializer_map<velmora_1_0::PortableBinaryIArchive>;
}  // namespace archive
}  // namespace boost
