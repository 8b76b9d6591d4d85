#pragma once
// A binary archive whose files read the same on every platform.
//
// Every integer, whatever its width, is written as one signed length byte n and |n| bytes of
// its magnitude, least significant first (most significant first with endianBig): 0 is the
// single byte 0, -1 is the bytes ff 01. Floating-point values and raw blocks are written as
// their bytes. The header is Boost's (signature and library version) in that encoding.
// Construct it over a stream buffer and write objects with <<, as with Boost's archives.

#include "pagestore/PortableArchiveFlags.h"
#include <VelmoraExport.h>

#include <boost/archive/basic_binary_oarchive.hpp>
#include <boost/archive/basic_binary_oprimitive.hpp>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <streambuf>
#include <string>
#include <type_traits>

namespace velmora_1_0 {

class VELMORA_API PortableBinaryOArchive
    : public boost::archive::basic_binary_oprimitive<PortableBinaryOArchive, char, std::char_traits<char>>,
      public boost::archive::basic_binary_oarchive<PortableBinaryOArchive> {
public:
    /// Throws PortableArchiveException when `flags` holds both byte orders.
    explicit PortableBinaryOArchive(std::streambuf& buffer, unsigned flags = 0);

    // Primitive writes, called by Boost's archive machinery.
    template <class T>
    std::enable_if_t<std::is_integral<T>::value> save(const T& value)
    {
        if constexpr (std::is_signed<T>::value)
            saveInteger(static_cast<std::uint64_t>(value), value < 0);
        else
            saveInteger(static_cast<std::uint64_t>(value), false);
    }
    void save(const std::string& text) { primitive::save(text); }
    void save(const float& value) { primitive::save(value); }
    void save(const double& value) { primitive::save(value); }
    void save(const boost::archive::class_id_type& id) { save(static_cast<std::int16_t>(id)); }
    void save(const boost::archive::object_id_type& id) { save(static_cast<std::uint32_t>(id)); }
    void save(const boost::archive::version_type& version) { save(static_cast<std::uint32_t>(version)); }
    void save(const boost::archive::tracking_type& tracking) { save(static_cast<bool>(tracking.t)); }
    void save(const boost::serialization::library_version_type& version) { save(static_cast<std::uint16_t>(version)); }
    void save(const boost::serialization::item_version_type& version) { save(static_cast<unsigned>(version)); }
    void save(const boost::serialization::collection_size_type& size) { save(static_cast<std::size_t>(size)); }

    /// Writes an integer's encoding into `out` (room for maxEncodedBytes) and returns its length;
    /// for callers that gather many integers into one raw block.
    std::size_t encode(std::uint64_t value, unsigned char* out) const { return encodeInteger(value, false, out); }
    static constexpr std::size_t maxEncodedBytes = 9;
    /// The bytes of `magnitude` that are not leading zeros: the length byte of its encoding.
    static unsigned magnitudeBytes(std::uint64_t magnitude)
    {
        return magnitude == 0 ? 0 : static_cast<unsigned>(71 - __builtin_clzll(magnitude)) / 8;
    }
    bool bigEndian() const { return (m_flags & endianBig) != 0; }
    /// encode() of an archive without endianBig, inline for loops over many integers.
    static std::size_t encodeLittleEndian(std::uint64_t value, unsigned char* out)
    {
        const unsigned length = magnitudeBytes(value);
        out[0] = static_cast<unsigned char>(length);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        value = __builtin_bswap64(value);
#endif
        // All eight bytes are stored at once; those past the length are overwritten next.
        std::memcpy(out + 1, &value, sizeof value);
        return static_cast<std::size_t>(length) + 1;
    }

private:
    using primitive = boost::archive::basic_binary_oprimitive<PortableBinaryOArchive, char, std::char_traits<char>>;
    friend class boost::archive::detail::interface_oarchive<PortableBinaryOArchive>;
    friend class boost::archive::basic_binary_oarchive<PortableBinaryOArchive>;
    friend class boost::archive::save_access;

    template <class T>
    void save_override(T& t)
    {
        boost::archive::basic_binary_oarchive<PortableBinaryOArchive>::save_override(t);
    }
    /// `bits` is the two's-complement pattern of the value.
    void saveInteger(std::uint64_t bits, bool negative);
    std::size_t encodeInteger(std::uint64_t bits, bool negative, unsigned char* out) const;

    unsigned m_flags;
};

}  // namespace velmora_1_0
