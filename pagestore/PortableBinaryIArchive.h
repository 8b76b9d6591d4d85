#pragma once
// Reads what PortableBinaryOArchive writes. A stored integer longer than the field it is read
// into raises PortableArchiveException(integerTooWide); a short stream raises Boost's stream
// error; a foreign header raises Boost's signature or version errors.

#include "pagestore/PortableArchiveFlags.h"
#include <VelmoraExport.h>

#include <boost/archive/basic_binary_iarchive.hpp>
#include <boost/archive/basic_binary_iprimitive.hpp>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <streambuf>
#include <string>
#include <type_traits>

namespace velmora_1_0 {

class VELMORA_API PortableBinaryIArchive
    : public boost::archive::basic_binary_iprimitive<PortableBinaryIArchive, char, std::char_traits<char>>,
      public boost::archive::basic_binary_iarchive<PortableBinaryIArchive> {
public:
    /// Reads the header at once; throws on both byte orders or a foreign header.
    explicit PortableBinaryIArchive(std::streambuf& buffer, unsigned flags = 0);

    // Primitive reads, called by Boost's archive machinery.
    template <class T>
    std::enable_if_t<std::is_integral<T>::value> load(T& value)
    {
        value = static_cast<T>(loadInteger(sizeof(T)));
    }
    void load(bool& value) { value = loadInteger(1) != 0; }
    /// Reads the text in slices, so a damaged length fails at the end of the stream.
    void load(std::string& text);
    void load(float& value) { primitive::load(value); }
    void load(double& value) { primitive::load(value); }
    void load(boost::archive::class_id_type& id);
    void load(boost::archive::object_id_type& id);
    void load(boost::archive::version_type& version);
    void load(boost::archive::tracking_type& tracking);
    void load(boost::serialization::library_version_type& version);
    void load(boost::serialization::item_version_type& version);
    void load(boost::serialization::collection_size_type& size);

    /// Decodes one integer of a field `width` bytes wide from raw bytes the caller read ahead in
    /// a block: returns the bytes it took, or 0 when `available` bytes do not hold all of it.
    /// Throws as load() does on an integer wider than the field.
    std::size_t decode(const unsigned char* in, std::size_t available, std::size_t width, std::uint64_t& value) const
    {
        if (available == 0)
            return 0;
        const auto lengthByte = static_cast<signed char>(in[0]);
        const bool negative = lengthByte < 0;
        const std::size_t length = negative ? std::size_t(-int(lengthByte)) : std::size_t(lengthByte);
        if (length > width)
            throwTooWide();
        if (length + 1 > available)
            return 0;
        std::uint64_t magnitude = 0;
        if (m_flags & endianBig)
            for (std::size_t i = 0; i < length; ++i)
                magnitude = (magnitude << 8) | in[1 + i];
        else
            for (std::size_t i = 0; i < length; ++i)
                magnitude |= std::uint64_t(in[1 + i]) << (8 * i);
        value = negative ? std::uint64_t(0) - magnitude : magnitude;
        return length + 1;
    }
    bool bigEndian() const { return (m_flags & endianBig) != 0; }
    /// Bytes an integer can take; decodeLittleEndian reads this many whatever the integer's length.
    static constexpr std::size_t maxEncodedBytes = 9;
    /// decode() of an archive without endianBig, for loops over many integers: `in` must have
    /// maxEncodedBytes readable bytes. Returns the bytes the integer took.
    ///
    /// Each length is a case of its own that returns a constant: the processor then predicts
    /// where the next integer starts (lengths repeat: running totals grow slowly) instead of
    /// waiting for this one's length byte, which chained every integer to the one before.
    static std::size_t decodeLittleEndian(const unsigned char* in, std::size_t width, std::uint64_t& value)
    {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, in + 1, sizeof bytes);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        bytes = __builtin_bswap64(bytes);
#endif
        const auto lengthByte = static_cast<signed char>(in[0]);
        if (lengthByte < 0 || static_cast<std::size_t>(lengthByte) > width)
            return decodeSignedLittleEndian(lengthByte, bytes, width, value);
        switch (lengthByte) {
        case 0: value = 0; return 1;
        case 1: value = bytes & 0xFF; return 2;
        case 2: value = bytes & 0xFFFF; return 3;
        case 3: value = bytes & 0xFFFFFF; return 4;
        case 4: value = bytes & 0xFFFFFFFF; return 5;
        case 5: value = bytes & 0xFFFFFFFFFF; return 6;
        case 6: value = bytes & 0xFFFFFFFFFFFF; return 7;
        case 7: value = bytes & 0xFFFFFFFFFFFFFF; return 8;
        default: value = bytes; return 9;
        }
    }
    /// The stream read from, for callers that read ahead in blocks and give back what they did
    /// not decode (by seeking back).
    std::streambuf& streamBuffer() { return m_sb; }

private:
    using primitive = boost::archive::basic_binary_iprimitive<PortableBinaryIArchive, char, std::char_traits<char>>;
    friend class boost::archive::detail::interface_iarchive<PortableBinaryIArchive>;
    friend class boost::archive::basic_binary_iarchive<PortableBinaryIArchive>;
    friend class boost::archive::load_access;

    template <class T>
    void load_override(T& t)
    {
        boost::archive::basic_binary_iarchive<PortableBinaryIArchive>::load_override(t);
    }
    void readHeader();
    [[noreturn]] static void throwTooWide();
    /// decodeLittleEndian of a negative integer, or one wider than its field (which throws).
    static std::size_t decodeSignedLittleEndian(signed char lengthByte, std::uint64_t bytes, std::size_t width,
                                                std::uint64_t& value);
    /// The two's-complement pattern of the stored value; `width` is the field's size in bytes.
    std::uint64_t loadInteger(std::size_t width);

    unsigned m_flags;
};

}  // namespace velmora_1_0
