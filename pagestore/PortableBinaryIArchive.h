#pragma once
// Reads what PortableBinaryOArchive writes. A stored integer longer than the field it is read
// into raises PortableArchiveException(integerTooWide); a short stream raises Boost's stream
// error; a foreign header raises Boost's signature or version errors.

#include "pagestore/PortableArchiveFlags.h"
#include <VelmoraExport.h>

#include <boost/archive/basic_binary_iarchive.hpp>
#include <boost/archive/basic_binary_iprimitive.hpp>

#include <cstdint>
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
    /// The two's-complement pattern of the stored value; `width` is the field's size in bytes.
    std::uint64_t loadInteger(std::size_t width);

    unsigned m_flags;
};

}  // namespace velmora_1_0
